// A simulated Brisal microphone preamp (model 0x69), addressed by its ID
// 0..7 alone: it has no address for all devices. Its state is 25 two-byte
// parameters, 0..24, and a set group {address, low, high, 0x7F} writes one
// of them whole; a message carries as many whole groups as it likes, a
// trailing partial group is dropped. Address 0x19 stores to or recalls one of
// six presets, 0x1A moves the gain of every channel in a gain group. Both
// 0x10 and 0x11 are answered with command 0x30 and triplets (param, first
// byte, second byte) in ascending order: 0x10 with params 0..31 (the 25
// settings, the lamps and six meter pairs, 104 bytes), 0x11 with the meters
// 26..31 only (26 bytes). With `moving` set, the meters move on with every
// level request.
//
// The parameters, with the low byte first:
//   0..7    channels 1..8: low bits 0-5 gain index (0 is 0 dB, k > 0 is
//           k + 9 dB, so 10..65 dB), bit 6 phase; high bit 0 mute, bit 1
//           auto set, bit 2 phantom, bit 3 pad, bits 4-6 gain group 0..4
//   8, 11   phones 1, 2 volume: low the tenths (0 or 5), high floor(dB + 65)
//   9, 12   phones 1, 2 signed value: low |value| * 100, high bit 0 negative
//   10, 13  phones 1, 2: low source & 0x7F; high bit 0 source >= 128, bit 1
//           mute, bits 2-3 phase, bit 4 high level
//   14..20  routing
//   21      clock
//   22      delay compensation and MADI format
//   23      MIDI sources
//   24      gain groups: low bits 0-3 enable groups 1..4, high bits 0-3 their
//           auto set
//   25      lamps (`lamps`), 26..29 channel meters in pairs, 30, 31 phones 1, 2
//
// A fresh device: every channel at 0 dB with its switches off and in no
// group, both phones at -20 dB ({0, 45}) with source 0, routing {0,4} {5,6}
// {7,8} {9,10} {10,10} in params 16..20, internal clock at 44.1k ({0, 1}),
// delay compensation {0x0C, 0}, MIDI sources {9, 9}, no gain group enabled;
// word clock locked but not in sync, MADI locked and in sync; all meters at
// 0. Every preset slot holds that same state until something is stored.
#pragma once
#include "sim/simdevice.h"

namespace sim {

class SimBrisal : public SimDevice {
public:
    explicit SimBrisal(int deviceId = 0);

    static const int kParams = 25;    // settings 0..24
    static const int kPresets = 6;    // slots 1..6
    static const int kLampsParam = 25;
    static const int kFirstMeter = 26;
    static const int kLastParam = 31;

    BYTE reg[kParams][2] = {};
    BYTE preset[kPresets][kParams][2] = {};   // slot n at preset[n - 1]
    // First: bit 0 WCK lock, bits 1-4 AES inputs locked, bit 5 MADI, bit 6
    // ADAT; second: bit 0 WCK sync, bit 5 MADI sync, bit 6 ADAT sync.
    BYTE lamps[2] = {0x21, 0x20};
    // 0..127: channels 1..8, then phones 1 and 2 (the same byte goes out for
    // both sides of a phones meter).
    BYTE level[10] = {};
    bool moving = false;

    int setBlocks = 0;      // 0x20 messages
    int groups = 0;         // whole set groups in them, whatever their address
    int stores = 0, recalls = 0;   // preset groups that did something
    int groupChanges = 0;   // 0x1A groups naming a gain group 1..4
    BYTE lastPreset[2] = {};   // low and high byte of the last 0x19 group

    Bytes StatusReply() const;
    Bytes LevelReply() const;
    // One step of the moving meters.
    void Step();

    // ch is the parameter number 0..7 (channel 1..8).
    int Gain(int ch) const;
    void SetChannel(int ch, int gain, bool phase, int highByte);
    // One bit of param 0..24 or the lamps (25); byte 0 is the low byte.
    bool Bit(int param, int byte, int bit) const;

protected:
    Bytes OnStatusRequest() override { return StatusReply(); }
    Bytes OnLevelRequest() override;
    void OnSetParameters(const BYTE* data, size_t length) override;
    bool IsAddressed(int id) const override { return id == DeviceId(); }

private:
    void Preset(BYTE lo, BYTE hi);
    void GroupGain(BYTE lo, BYTE hi);
    void AppendMeters(Bytes& data) const;

    int m_phase = 0;
};

}  // namespace sim

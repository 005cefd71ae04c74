// A simulated Pelvo converter (model 0x32) in one of its four variants
// (bit 0: the DA model, bit 1: 32 channels). Set blocks write its three
// setting bytes and the fan mode; a program message to all devices gives it
// a new ID. It answers 0x10 with a status reply of `replyLength` bytes that
// carries the settings, the input and clock state, 32 meter bytes, the fan
// and the temperature. With `moving` set, the meters move on with every
// status request.
#pragma once
#include "sim/simdevice.h"

namespace sim {

class SimPelvo : public SimDevice {
public:
    explicit SimPelvo(int variant, int deviceId = 0);

    int Variant() const { return m_variant; }

    // Bit 6 OPT selected, bit 5 out frame, bit 4 out channels, bits 2..3
    // channel block, bit 0 select ADAT input.
    BYTE setting0 = 0x50;
    // Bits 4..6 clock (0/1 internal 44.1/48k, 2 WCK, 3 MADI, 4 ADAT), bit 3
    // WCK single speed, bit 2 follow, bits 0..1 range.
    BYTE setting1 = 0x44;
    // Bits 5..6 analog level, bit 4 limiter, bits 2..3 peak hold mode, bit 0
    // keys lock.
    BYTE setting2 = 0x10;
    // Reply byte 10 without its low two bits, which always carry the variant:
    // bit 6 fall-back, bit 5 present, bit 4 sync, bit 3 96k frame, bit 2 64
    // channels.
    BYTE inputState = 0x34;
    BYTE clockState = 0x00;   // reply byte 11
    BYTE adatState = 0x00;    // reply byte 12
    // Bits 0..2 level, bits 3..5 gain reduction, bit 6 an extra flag.
    BYTE meter[32] = {};
    BYTE fan = 0x63;          // bits 5..6 fan mode, bits 0..2 speed
    BYTE temperature = 38;
    bool moving = false;
    int setBlocks = 0;
    int replyLength = 50;     // 48..52; F7 is always the last byte
    int peakResets = 0;       // setting2 writes that asked for a peak-hold reset

    Bytes StatusReply() const;
    // One step of the moving meters.
    void Step();

protected:
    Bytes OnStatusRequest() override;
    void OnSetParameters(const BYTE* data, size_t length) override;

private:
    int m_variant;
    int m_phase = 0;
};

}  // namespace sim

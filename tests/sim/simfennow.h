// A simulated Fennow microphone preamp (model 0x68), addressed by bank and ID.
// It keeps the registers 0x00..0x1E: three per channel (coarse gain, a byte
// of half step, down-link and display flags with the input level in bits
// 2..5 of replies, and the switch byte), then the clock, the options and the
// clock-state lamps. Set blocks write those registers, store, recall, start
// the generator or, sent to all, give the device a new address. 0x10 is
// answered with registers 0x00..0x1A in ascending order (62 bytes), 0x11
// with the eight input levels (16 bytes). With `moving` set, the levels move
// on with every level request.
#pragma once
#include "sim/simdevice.h"

namespace sim {

class SimFennow : public SimDevice {
public:
    explicit SimFennow(int address = 0);

    static const int kRegisters = 0x1F;
    static const int kReported = 0x1B;   // registers 0x00..0x1A go into the status reply
    BYTE reg[kRegisters] = {};
    BYTE level[8] = {};   // 0..15
    bool moving = false;
    int setBlocks = 0;
    int stores = 0, recalls = 0;
    int generator = 0;

    Bytes StatusReply() const;
    Bytes LevelReply() const;
    // One step of the moving levels.
    void Step();

protected:
    Bytes OnStatusRequest() override { return StatusReply(); }
    Bytes OnLevelRequest() override;
    void OnSetParameters(const BYTE* data, size_t length) override;

private:
    int m_phase = 0;
};

}  // namespace sim

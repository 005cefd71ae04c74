// A simulated Ombrel converter (model 0x41), addressed by bank and ID. It
// keeps the registers 0x00..0x2B that set blocks write, takes a new address
// from a program message to all devices, answers 0x10 with all registers in
// ascending order (96 bytes) and 0x11 with its eight input and eight output
// meter bytes (24 bytes). With `moving` set, the levels and the gain
// reduction move on with every level request.
#pragma once
#include "sim/simdevice.h"

namespace sim {

class SimOmbrel : public SimDevice {
public:
    explicit SimOmbrel(int address = 0);

    static const int kRegisters = 0x2C;
    BYTE reg[kRegisters] = {};
    BYTE inLevel[8] = {};
    BYTE inReduction[8] = {};
    BYTE outLevel[8] = {};
    bool moving = false;
    int peakResets = 0;   // 0x13 blocks that asked for a peak-hold reset
    int setBlocks = 0;

    Bytes StatusReply() const;
    Bytes LevelReply() const;
    // One step of the moving meters.
    void Step();

protected:
    Bytes OnStatusRequest() override { return StatusReply(); }
    Bytes OnLevelRequest() override;
    void OnSetParameters(const BYTE* data, size_t length) override;

private:
    int m_phase = 0;
};

}  // namespace sim

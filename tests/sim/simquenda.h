// A simulated Quenda router (model 0x62): the routing of its 73 outputs, its
// clock, format and ADC registers and the input status it reports. It
// applies 0x20 set blocks, takes a new ID from a message to all devices, and
// answers 0x10 with the full status: every output's routing, then the
// registers and the status bytes, 166 bytes in all.
#pragma once
#include "sim/simdevice.h"

namespace sim {

class SimQuenda : public SimDevice {
public:
    explicit SimQuenda(int deviceId = 0);

    BYTE route[73];     // input 0..71 of each output, 72 for none
    BYTE adcRouting = 0x00;
    BYTE clock = 0x5C;      // 0x50: OPT, 96k frame, 64 channels, word clock
    BYTE adcRate = 0x40;    // 0x51: follow clock, single speed, 9600 baud, ADC off
    BYTE inputState = 0x1F; // 0x55: MADI and AES 1..4 present, no fallback
    BYTE syncState = 0x1F;  // 0x56: all in sync, 56 channels, 48k frame
    BYTE adcState = 0x00;   // 0x57: master converter, single speed

    int setBlocks = 0;   // 0x20 messages applied

    // The reply to a status request in the present state.
    Bytes StatusReply() const;

protected:
    Bytes OnStatusRequest() override { return StatusReply(); }
    void OnSetParameters(const BYTE* data, size_t length) override;
};

}  // namespace sim

// A simulated Sarnet converter (model 0x63): the two setting registers that
// set blocks write (input, output format, key lock and baud code; clock,
// follow and range) and the status bytes it reports, answered to 0x10 as the
// 82-byte reply of 37 pairs. A program message to all devices gives it a
// new ID.
#pragma once
#include "sim/simdevice.h"

namespace sim {

class SimSarnet : public SimDevice {
public:
    explicit SimSarnet(int deviceId = 0);

    BYTE reg[37] = {};   // pair a of the reply carries reg[a]
    int setBlocks = 0;

    Bytes StatusReply() const;

protected:
    Bytes OnStatusRequest() override { return StatusReply(); }
    void OnSetParameters(const BYTE* data, size_t length) override;
};

}  // namespace sim

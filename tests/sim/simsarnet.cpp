#include "sim/simsarnet.h"

namespace sim {

SimSarnet::SimSarnet(int deviceId) : SimDevice(0x63, deviceId) {
    reg[0] = 0x50;   // optical input, 64 channels, 48k frame, keys free, 9600 baud
    reg[1] = 0x44;   // word clock, follow clock, single speed
    reg[2] = 0x34;   // input present and in sync, 64 channels
}

Bytes SimSarnet::StatusReply() const {
    Bytes d;
    for (int a = 0; a < 37; ++a) {
        d.push_back(BYTE(a));
        d.push_back(BYTE(reg[a] & 0x7F));
    }
    return Frame(0x10, d);
}

void SimSarnet::OnSetParameters(const BYTE* data, size_t length) {
    ++setBlocks;
    const bool toAll = !received.empty() && received.back().size() > 5 && received.back()[5] == 0x7F;
    for (size_t k = 0; k + 1 < length; k += 2) {
        const BYTE a = data[k], v = data[k + 1];
        if (a == 0x00 || a == 0x01)
            reg[a] = v;
        else if (a == 0x25 && toAll && v <= 0x0F)
            SetDeviceId(v);
    }
}

}  // namespace sim

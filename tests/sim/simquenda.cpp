#include "sim/simquenda.h"

namespace sim {

SimQuenda::SimQuenda(int deviceId) : SimDevice(0x62, deviceId) {
    for (int o = 0; o < 73; ++o) route[o] = BYTE(o);
}

Bytes SimQuenda::StatusReply() const {
    Bytes data;
    for (int o = 0; o < 73; ++o) {
        data.push_back(BYTE(o));
        data.push_back(route[o]);
    }
    const BYTE tail[12] = {0x4F, adcRouting, 0x50, clock, 0x51, adcRate, 0x55, inputState, 0x56, syncState, 0x57, adcState};
    data.insert(data.end(), tail, tail + 12);
    return Frame(0x10, data);
}

void SimQuenda::OnSetParameters(const BYTE* data, size_t length) {
    ++setBlocks;
    // The device byte of the message: a new ID is taken only when it went to all.
    const bool toAll = !received.empty() && received.back().size() > 5 && received.back()[5] == 0x7F;
    for (size_t k = 0; k + 1 < length; k += 2) {
        const BYTE a = data[k], v = data[k + 1];
        if (a <= 0x48)
            route[a] = v;
        else if (a == 0x4F)
            adcRouting = v;
        else if (a == 0x50)
            clock = v;
        else if (a == 0x51)
            adcRate = BYTE((v & ~0x02) | (adcRate & 0x02));   // bit 1 is the device's own lamp
        else if (a == 0x58 && toAll && v <= 0x0F)
            SetDeviceId(v);
    }
}

}  // namespace sim

#include "sim/simlusket.h"

namespace sim {

SimLusket::SimLusket(int deviceId) : SimDevice(0x65, deviceId) {
    for (int o = 0; o < 8; ++o) {
        route[o] = BYTE(o + 1);
        for (int p = 0; p < 10; ++p) stored[p][o] = BYTE(p == 0 ? 0 : o + 1);
    }
}

Bytes SimLusket::StatusReply() const {
    Bytes d = {0x05, preset, 0x08, keysLock, 0x09, midiLock};
    for (int p = 1; p <= 9; ++p)
        for (int o = 0; o < 8; ++o) {
            d.push_back(BYTE(0x10 + 8 * (p - 1) + o));
            d.push_back(stored[p][o]);
        }
    for (int o = 0; o < 8; ++o) {
        d.push_back(BYTE(0x58 + o));
        d.push_back(route[o]);
    }
    return Frame(0x10, d);
}

void SimLusket::OnSetParameters(const BYTE* data, size_t length) {
    const bool toAll = !received.empty() && received.back().size() > 5 && received.back()[5] == 0x7F;
    for (size_t k = 0; k + 1 < length; k += 2) {
        const BYTE a = data[k], v = data[k + 1];
        const bool presetChosen = preset >= 1 && preset <= 9;
        if (a == 0x05) {
            preset = v;
        } else if (a == 0x06 && presetChosen) {
            for (int o = 0; o < 8; ++o) stored[preset][o] = route[o];
            ++stores;
        } else if (a == 0x07 && presetChosen) {
            for (int o = 0; o < 8; ++o) route[o] = stored[preset][o];
            ++recalls;
        } else if (a >= 0x58 && a < 0x60) {
            route[a - 0x58] = v;
        } else if (a == 0x0A && toAll && v <= 0x0F) {
            SetDeviceId(v);
        }
    }
}

}  // namespace sim

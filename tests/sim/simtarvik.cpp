#include "sim/simtarvik.h"

namespace sim {

SimTarvik::SimTarvik(int deviceId) : SimDevice(0x64, deviceId) {
    for (int o = 0; o < 16; ++o) route[o] = BYTE(o);
}

Bytes SimTarvik::StatusReply() const {
    // The selection comes first and before the alarm, the clock status
    // before the clock: the order the device keeps.
    Bytes d = {0x00, inputSelect, 0x01, inputAlarm, 0x02, inputState, 0x03, BYTE(madiAudio & 0x0F),
               0x04, BYTE(madiAudio >> 4), 0x05, inputFormat, 0x06, clockStatus};
    for (int k = 0; k < 4; ++k) {
        d.push_back(BYTE(0x10 + k));
        d.push_back(BYTE((adatSync[2 * k] & 3) | (adatSync[2 * k + 1] & 3) << 4));
    }
    const BYTE tail[] = {0x14, BYTE(adatAudio & 0x0F), 0x15, BYTE(adatAudio >> 4), 0x16, frame96k, 0x20, clock,
                         0x30, matrixOn};
    d.insert(d.end(), tail, tail + sizeof(tail));
    for (int o = 0; o < 16; ++o) {
        d.push_back(BYTE(0x40 + o));
        d.push_back(route[o]);
    }
    if (longReply) {
        // Pairs of addresses the program does not know, then one lone byte.
        for (int k = 0; k < 27; ++k) {
            d.push_back(BYTE(0x07 + k % 9));
            d.push_back(0x00);
        }
        d.push_back(0x7E);
    }
    return Frame(0x10, d);
}

Bytes SimTarvik::OnStatusRequest() {
    Bytes reply = StatusReply();
    if (!echo) return reply;
    Bytes both = {0xF0, 0x00, 0x7E, 0x31, 0x64, BYTE(DeviceId()), 0x10, 0xF7};
    both.insert(both.end(), reply.begin(), reply.end());
    return both;
}

void SimTarvik::OnSetParameters(const BYTE* data, size_t length) {
    ++setBlocks;
    const bool toAll = !received.empty() && received.back().size() > 5 && received.back()[5] == 0x7F;
    for (size_t k = 0; k + 1 < length; k += 2) {
        const BYTE a = data[k], v = data[k + 1];
        if (a == 0x00)
            inputSelect = v;
        else if (a == 0x16)
            frame96k = v;
        else if (a == 0x20)
            clock = v;
        else if (a == 0x30)
            matrixOn = v;
        else if (a >= 0x40 && a < 0x50)
            route[a - 0x40] = v;
        else if (a == 0x60 && toAll && v <= 0x0F)
            SetDeviceId(v);
    }
}

}  // namespace sim

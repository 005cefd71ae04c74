#include "sim/simpelvo.h"

namespace sim {

SimPelvo::SimPelvo(int variant, int deviceId) : SimDevice(0x32, deviceId), m_variant(variant & 3) {}

Bytes SimPelvo::StatusReply() const {
    // Tests shorten or stretch the reply within what the device may send;
    // the content is cut or padded with zeros so that F7 stays the last byte.
    const int length = replyLength < 48 ? 48 : replyLength > 52 ? 52 : replyLength;
    Bytes d;
    d.push_back(BYTE(setting0 & 0x7F));
    d.push_back(BYTE(setting1 & 0x7F));
    d.push_back(BYTE(setting2 & 0x7F));
    d.push_back(BYTE((inputState & 0x7C) | m_variant));
    d.push_back(BYTE(clockState & 0x7F));
    d.push_back(BYTE(adatState & 0x7F));
    d.push_back(0);
    for (int c = 0; c < 32; ++c) d.push_back(BYTE(meter[c] & 0x7F));
    d.push_back(BYTE(fan & 0x7F));
    d.push_back(BYTE(temperature & 0x7F));
    d.resize(size_t(length - 8), 0);
    return Frame(0x10, d);
}

void SimPelvo::Step() {
    ++m_phase;
    for (int c = 0; c < 32; ++c) {
        // A triangle from 0 to 7 and back, each channel a step behind the last.
        const int t = ((m_phase - c) % 14 + 14) % 14;
        const int level = t < 8 ? t : 14 - t;
        const int reduction = level > 4 ? level - 2 : 0;
        meter[c] = BYTE((meter[c] & 0x40) | reduction << 3 | level);
    }
}

Bytes SimPelvo::OnStatusRequest() {
    if (moving) Step();
    return StatusReply();
}

void SimPelvo::OnSetParameters(const BYTE* data, size_t length) {
    ++setBlocks;
    const bool toAll = !received.empty() && received.back().size() > 5 && received.back()[5] == 0x7F;
    for (size_t k = 0; k + 1 < length; k += 2) {
        const BYTE a = data[k], v = data[k + 1];
        switch (a) {
        case 0x00:
            setting0 = v;
            break;
        case 0x01:
            setting1 = v;
            break;
        case 0x02:
            if (((v >> 2) & 3) == 3) {
                // A peak-hold reset keeps the mode and clears the device's peaks.
                setting2 = BYTE((v & ~0x0C) | (setting2 & 0x0C));
                ++peakResets;
            } else {
                setting2 = v;
            }
            break;
        case 0x27:
            fan = BYTE((fan & ~0x60) | (v & 0x60));
            break;
        case 0x31:
            // A new ID only from a message to all, and only a real one.
            if (toAll && v <= 0x0F) SetDeviceId(v);
            break;
        default:
            break;
        }
    }
}

}  // namespace sim

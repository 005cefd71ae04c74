#include "sim/simombrel.h"

namespace sim {

SimOmbrel::SimOmbrel(int address) : SimDevice(0x41, address) {
    // A device fresh from the factory: trims at 0 dB, volumes at 0 dB,
    // down-mix off, internal 48k clock, all inputs locked.
    reg[0x00] = 48;
    for (int c = 0; c < 16; ++c) reg[0x01 + c] = 16;
    reg[0x11] = 0x04;   // +4.2 dBu in, +13 dBu out, limiter off
    reg[0x12] = 0x44;   // follow clock, internal 48k
    reg[0x15] = 0x0F;
    reg[0x16] = 0x3F;
    reg[0x17] = 0x3F;
    reg[0x1A] = 48;
}

Bytes SimOmbrel::StatusReply() const {
    Bytes data;
    for (int p = 0; p < kRegisters; ++p) {
        data.push_back(BYTE(p));
        data.push_back(BYTE(reg[p] & 0x7F));
    }
    return Frame(0x30, data);
}

Bytes SimOmbrel::LevelReply() const {
    Bytes data;
    for (int c = 0; c < 8; ++c) data.push_back(BYTE((inReduction[c] & 7) << 3 | (inLevel[c] & 7)));
    for (int c = 0; c < 8; ++c) data.push_back(BYTE(outLevel[c] & 7));
    return Frame(0x31, data);
}

void SimOmbrel::Step() {
    ++m_phase;
    for (int c = 0; c < 8; ++c) {
        // A triangle from 0 to 7 and back, each channel a little behind the last.
        const int t = (m_phase + 2 * c) % 14;
        inLevel[c] = BYTE(t < 8 ? t : 14 - t);
        outLevel[c] = BYTE(inLevel[c] > 0 ? inLevel[c] - 1 : 0);
        inReduction[c] = BYTE(inLevel[c] > 5 ? inLevel[c] - 5 : 0);
    }
}

Bytes SimOmbrel::OnLevelRequest() {
    if (moving) Step();
    return LevelReply();
}

void SimOmbrel::OnSetParameters(const BYTE* data, size_t length) {
    ++setBlocks;
    const bool toAll = !received.empty() && received.back().size() > 5 && received.back()[5] == 0x7F;
    for (size_t k = 0; k + 1 < length; k += 2) {
        const BYTE a = data[k], v = data[k + 1];
        if (a == 0x2C) {
            // A new address only from a message to all, and only a real one.
            if (toAll && (v & 0x88) == 0) SetDeviceId(v);
        } else if (a == 0x13 && ((v >> 3) & 3) == 3) {
            // A peak-hold reset keeps the mode and clears the device's peaks.
            reg[a] = BYTE((v & ~0x18) | (reg[a] & 0x18));
            ++peakResets;
        } else if (a < kRegisters && (a < 0x15 || a > 0x17)) {
            reg[a] = v;
        }
    }
}

}  // namespace sim

#include "sim/simfennow.h"

namespace sim {

namespace {
const BYTE kLevelBits = 0x3C;     // bits 2..5 of a channel's second register
const BYTE kSingleSpeedOff = 0x40;
const BYTE kLamps = 0x3F;
}  // namespace

SimFennow::SimFennow(int address) : SimDevice(0x68, address) {
    // A device fresh from the factory: every gain at 0 dB with all switches
    // off, word clock at the second frequency, auto ID, delay compensation
    // and follow clock on, single speed word clock, every clock present and
    // locked.
    for (int c = 0; c < 8; ++c) reg[3 * c] = 9;
    reg[0x18] = 0x19;
    reg[0x19] = 0x64;
    reg[0x1A] = kLamps;
}

Bytes SimFennow::StatusReply() const {
    Bytes data;
    for (int a = 0; a < kReported; ++a) {
        BYTE v = BYTE(reg[a] & 0x7F);
        if (a < 24 && a % 3 == 1) v = BYTE((v & ~kLevelBits) | (level[a / 3] & 15) << 2);
        data.push_back(BYTE(a));
        data.push_back(v);
    }
    return Frame(0x30, data);
}

Bytes SimFennow::LevelReply() const {
    Bytes data;
    for (int c = 0; c < 8; ++c) data.push_back(BYTE(level[c] & 0x0F));
    return Frame(0x31, data);
}

void SimFennow::Step() {
    ++m_phase;
    for (int c = 0; c < 8; ++c) {
        // A triangle from 0 to 15 and back, each channel a little behind the last.
        const int t = (m_phase + 3 * c) % 30;
        level[c] = BYTE(t < 16 ? t : 30 - t);
    }
}

Bytes SimFennow::OnLevelRequest() {
    if (moving) Step();
    return LevelReply();
}

void SimFennow::OnSetParameters(const BYTE* data, size_t length) {
    ++setBlocks;
    const bool toAll = !received.empty() && received.back().size() > 5 && received.back()[5] == 0x7F;
    for (size_t k = 0; k + 1 < length; k += 2) {
        const BYTE a = data[k], v = BYTE(data[k + 1] & 0x7F);
        if (a < 24 && a % 3 == 1) {
            // The level bits belong to the device, whatever the program sends.
            reg[a] = BYTE((reg[a] & kLevelBits) | (v & 0x43));
        } else if (a < 0x1A) {
            reg[a] = v;
        } else if (a == 0x1A) {
            // The program sends single speed as set, the device reports it as
            // clear; the lamps stay the device's own.
            reg[a] = BYTE((reg[a] & kLamps) | ((v & 0x40) ? 0 : kSingleSpeedOff));
        } else if (a == 0x1B) {
            ++stores;
        } else if (a == 0x1C) {
            ++recalls;
        } else if (a == 0x1D) {
            // A new address only from a message to all, and only a real one.
            if (toAll && (data[k + 1] & 0x88) == 0) SetDeviceId(v);
        } else if (a == 0x1E) {
            generator = v;
        }
    }
}

}  // namespace sim

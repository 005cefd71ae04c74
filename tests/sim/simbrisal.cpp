#include "sim/simbrisal.h"

#include <cstring>

namespace sim {

namespace {
const BYTE kGainBits = 0x3F;
const BYTE kPhaseBit = 0x40;
const int kMaxDb = 65;

// Index 0 is 0 dB; above that the steps start at 10 dB, there is no 1..9.
int DbOfIndex(int index) { return index == 0 ? 0 : index + 9; }
int IndexOfDb(int dB) { return dB < 10 ? 0 : dB - 9; }
}  // namespace

SimBrisal::SimBrisal(int deviceId) : SimDevice(0x69, deviceId) {
    reg[8][1] = reg[11][1] = 45;   // -20 dB
    const BYTE routing[5][2] = {{0, 4}, {5, 6}, {7, 8}, {9, 10}, {10, 10}};
    for (int p = 0; p < 5; ++p) {
        reg[16 + p][0] = routing[p][0];
        reg[16 + p][1] = routing[p][1];
    }
    reg[21][1] = 1;
    reg[22][0] = 0x0C;
    reg[23][0] = reg[23][1] = 0x09;
    // A recall of a slot nobody stored to must still give a sane device.
    for (int n = 0; n < kPresets; ++n) std::memcpy(preset[n], reg, sizeof reg);
}

void SimBrisal::AppendMeters(Bytes& data) const {
    for (int p = kFirstMeter; p <= kLastParam; ++p) {
        const int i = p - kFirstMeter;
        // Four channel pairs, then each phones level on both sides.
        const BYTE first = i < 4 ? level[2 * i] : level[8 + (i - 4)];
        const BYTE second = i < 4 ? level[2 * i + 1] : first;
        data.push_back(BYTE(p));
        data.push_back(BYTE(first & 0x7F));
        data.push_back(BYTE(second & 0x7F));
    }
}

Bytes SimBrisal::StatusReply() const {
    Bytes data;
    for (int p = 0; p < kParams; ++p) {
        data.push_back(BYTE(p));
        data.push_back(BYTE(reg[p][0] & 0x7F));
        data.push_back(BYTE(reg[p][1] & 0x7F));
    }
    data.push_back(BYTE(kLampsParam));
    data.push_back(BYTE(lamps[0] & 0x7F));
    data.push_back(BYTE(lamps[1] & 0x7F));
    AppendMeters(data);
    return Frame(0x30, data);
}

Bytes SimBrisal::LevelReply() const {
    Bytes data;
    AppendMeters(data);
    return Frame(0x30, data);
}

void SimBrisal::Step() {
    ++m_phase;
    for (int c = 0; c < 10; ++c) {
        // A triangle from 0 to 127 and back, each meter a little behind the
        // last; the odd stride lets the peak itself come round now and then.
        const int t = (9 * m_phase + 254 - 12 * c) % 254;
        level[c] = BYTE(t < 128 ? t : 254 - t);
    }
}

Bytes SimBrisal::OnLevelRequest() {
    if (moving) Step();
    return LevelReply();
}

int SimBrisal::Gain(int ch) const {
    if (ch < 0 || ch >= 8) return 0;
    return reg[ch][0] & kGainBits;
}

void SimBrisal::SetChannel(int ch, int gain, bool phase, int highByte) {
    if (ch < 0 || ch >= 8) return;
    reg[ch][0] = BYTE((gain & kGainBits) | (phase ? kPhaseBit : 0));
    reg[ch][1] = BYTE(highByte & 0x7F);
}

bool SimBrisal::Bit(int param, int byte, int bit) const {
    if (byte < 0 || byte > 1 || bit < 0 || bit > 7) return false;
    if (param >= 0 && param < kParams) return (reg[param][byte] >> bit) & 1;
    if (param == kLampsParam) return (lamps[byte] >> bit) & 1;
    return false;
}

void SimBrisal::Preset(BYTE lo, BYTE hi) {
    lastPreset[0] = lo;
    lastPreset[1] = hi;
    // A nonzero high byte asks for a store, so a bad slot number there must
    // not fall through to a recall of the low byte.
    if (hi != 0) {
        if (hi > kPresets) return;
        std::memcpy(preset[hi - 1], reg, sizeof reg);
        ++stores;
    } else if (lo >= 1 && lo <= kPresets) {
        std::memcpy(reg, preset[lo - 1], sizeof reg);
        ++recalls;
    }
}

void SimBrisal::GroupGain(BYTE lo, BYTE hi) {
    if (hi < 1 || hi > 4) return;
    ++groupChanges;
    const int change = int(lo & 0x7F) - 64;
    for (int ch = 0; ch < 8; ++ch) {
        if (((reg[ch][1] >> 4) & 7) != hi) continue;
        int dB = DbOfIndex(reg[ch][0] & kGainBits) + change;
        dB = dB < 0 ? 0 : dB > kMaxDb ? kMaxDb : dB;
        reg[ch][0] = BYTE((reg[ch][0] & kPhaseBit) | IndexOfDb(dB));
    }
}

void SimBrisal::OnSetParameters(const BYTE* data, size_t length) {
    ++setBlocks;
    // Groups are four bytes; the fourth is always 0x7F and carries nothing.
    for (size_t k = 0; k + 3 < length; k += 4) {
        ++groups;
        const BYTE a = data[k], lo = BYTE(data[k + 1] & 0x7F), hi = BYTE(data[k + 2] & 0x7F);
        if (a < kParams) {
            reg[a][0] = lo;
            reg[a][1] = hi;
        } else if (a == 0x19) {
            Preset(lo, hi);
        } else if (a == 0x1A) {
            GroupGain(lo, hi);
        }
    }
}

}  // namespace sim

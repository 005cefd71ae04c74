// What the preamp and converter views with bank-and-ID addressing share: the
// address byte of a bank and an ID, its name slot, and the meter arithmetic
// of their level replies.
#pragma once

namespace bankaddr {

const int kAllDevices = 0x7F;
const int kAllNameIndex = 64;   // the " Any " slot of the 65 bank-and-ID names
const int kBanks = 8;
const int kIdsPerBank = 8;

// 127, or bank 0..7 in the high nibble and ID 0..7 in the low one. Anything
// else would put a status byte into a message or a name index past the
// model's names.
inline bool IsValidAddress(int address) {
    return address == kAllDevices || (address >= 0 && address < 0x80 && (address & 0x88) == 0);
}
inline int AddressOf(int bank, int id) { return bank * 16 + id; }
// Name slot of a valid address: bank x 8 + ID, or 64 for all devices.
inline int NameIndexOf(int address) {
    return address == kAllDevices ? kAllNameIndex : (address / 16) * kIdsPerBank + address % 8;
}
// The address of name slot 0..63 (the Program Device ID line, the name list).
inline int AddressOfNameIndex(int index) { return AddressOf(index / kIdsPerBank, index % kIdsPerBank); }

// A level meter: the new level, or the shown one falling by `decay`.
inline int MeterLevel(int level, int shown, int decay) { return level > shown - decay ? level : shown - decay; }

// One reply's step of a peak hold that counts replies. A level at or above
// the hold takes it and restarts the count; below it a running count goes
// down unless `freeze` holds the peak, and once the count has run out the
// hold falls a step. A `slow` meter (replies far apart) counts down by four
// and falls by two, so that a peak lasts about as long in seconds.
struct HoldStep {
    int value;
    int counter;
    bool repaint;   // the hold is drawn again even when its value stays
};
inline HoldStep NextHold(int level, int held, int counter, bool freeze, bool slow, int holdReplies) {
    if (level >= held) return {level, holdReplies, true};
    if (counter > 0) {
        if (!freeze) {
            --counter;
            if (slow) counter = counter > 2 ? counter - 3 : 0;
        }
        return {held, counter, true};
    }
    return {held - (slow ? 2 : 1), 0, false};
}

// The difference a ganged trim follows: the new value against the last sent
// one, kept as an integer in units of 1/`unitsPerDb` dB. Halves matter, so
// the division is a real one.
inline double GangDelta(double newValue, int lastSent, int unitsPerDb) {
    return newValue - double(lastSent) / double(unitsPerDb);
}

}  // namespace bankaddr

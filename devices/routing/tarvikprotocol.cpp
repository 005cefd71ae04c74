#include "devices/routing/tarvikprotocol.h"

#include "midi/midiview.h"
#include "midi/mmein.h"

namespace tarvik {

namespace {

const int kSetParameters = 0x20;
const int kInputAlarm = 0x01;
const int kInputStateParameter = 0x02;
const int kMadiAudioLow = 0x03;
const int kMadiAudioHigh = 0x04;
const int kInputFormat = 0x05;
const int kClockStatus = 0x06;
const int kAdatSyncLow = 0x10;
const int kAdatSyncHigh = 0x13;
const int kAdatAudioLow = 0x14;
const int kAdatAudioHigh = 0x15;

int Value(PanelControlTable* table, int id) {
    const PanelControl* c = table->index[id];
    return c ? TruncateToInt(c->value) : 0;
}

bool Lit(PanelControlTable* table, int id) { return table->index[id] && table->index[id]->value > 0.5; }

bool Blinking(PanelControlTable* table, int id) { return table->index[id] && (table->index[id]->flags & PANEL_BLINK); }

void Show(PanelControlTable* table, int id, int value) { PanelShowValue(value, id, table); }

// Selects one of the two inputs, lit and steady.
void SelectInput(PanelControlTable* table, bool opt) {
    Show(table, kInputBnc, opt ? 0 : 1);
    Show(table, kInputOpt, opt ? 1 : 0);
    for (int id : {kInputBnc, kInputOpt}) {
        PanelSetFlags(PANEL_BLINK, 0, id, table);
        PanelSetFlags(PANEL_LED_ON, 0, id, table);
    }
}

// Blinking started or stopped only when it changes, so an unchanged reply
// repaints nothing.
void SetBlink(PanelControlTable* table, int id, bool on) {
    if (table->index[id] && ((table->index[id]->flags & PANEL_BLINK) != 0) != on) PanelSetBlink(on ? 1 : 0, id, table);
}

void ShowBits(PanelControlTable* table, int firstId, int value, int count) {
    for (int k = 0; k < count; ++k) Show(table, firstId + k, (value >> k) & 1);
}

}  // namespace

bool AddSharedParameter(CMidiView* view, PanelControlTable* table, int id, int deviceId) {
    auto add = [&](int address, int value) { theMmeIn.AddParameter(view, address, value, kModel, deviceId); };
    switch (id) {
    case kInputBnc:
    case kInputOpt: {
        // The two buttons act as a pair: a click that only darkens the lit
        // one of a steady pair changes nothing.
        const int other = id == kInputBnc ? kInputOpt : kInputBnc;
        if (!(Lit(table, id) || !Lit(table, other) || Blinking(table, other))) return false;
        add(kInputSelect, id == kInputOpt ? 1 : 0);
        SelectInput(table, id == kInputOpt);
        return true;
    }
    case kFrame96k: add(kFrame96kParameter, Value(table, kFrame96k)); return true;
    case kClockSource:
    case kClockFrequency:
        add(kClock, Lit(table, kClockSource) ? Value(table, kClockSource) + 2 : Value(table, kClockFrequency) + 1);
        PanelSetBlink(0, kClockSource, table);
        return true;
    case kEnableMatrix: add(kMatrixOn, Value(table, kEnableMatrix)); return true;
    default: return false;
    }
}

void DecodeReply(const BYTE* data, int length, PanelControlTable* table,
                 const std::function<void(int output, int value)>& routing) {
    // Not received counts as nonzero for both.
    int selection = -1, clockStatus = -1;
    for (int k = 7; k + 1 < length; k += 2) {
        const int address = data[k], value = data[k + 1];
        if (address == kInputSelect) {
            // Only the first two pairs carry the selection.
            if (k <= 9) selection = value;
        } else if (address == kInputAlarm) {
            const bool opt = selection != 0;
            Show(table, kInputBnc, opt ? 0 : 1);
            Show(table, kInputOpt, opt ? 1 : 0);
            if (value != 0) {
                // The device fell back from the selected input to the other.
                const int selected = opt ? kInputOpt : kInputBnc, other = opt ? kInputBnc : kInputOpt;
                PanelSetBlink(1, selected, table);
                PanelSetFlags(PANEL_BLINK, 0, other, table);
                PanelSetFlags(PANEL_LED_ON, 1, other, table);
            } else {
                for (int id : {kInputBnc, kInputOpt}) {
                    PanelSetFlags(PANEL_BLINK, 0, id, table);
                    PanelSetFlags(PANEL_LED_ON, 0, id, table);
                }
            }
        } else if (address == kInputStateParameter) {
            Show(table, kInputState, value);
        } else if (address == kMadiAudioLow || address == kMadiAudioHigh) {
            ShowBits(table, kMadiAudioFirst + (address == kMadiAudioHigh ? 4 : 0), value, 4);
        } else if (address == kInputFormat) {
            Show(table, kInputChannels, value & 1);
            Show(table, kInputFrame, (value >> 1) & 1);
        } else if (address == kClockStatus) {
            clockStatus = value;
        } else if (address >= kAdatSyncLow && address <= kAdatSyncHigh) {
            // Two ports a byte: 0 off, 1 present but not in sync, 2 and 3 in sync.
            for (int half = 0; half < 2; ++half) {
                const int field = (value >> (4 * half)) & 3;
                const int id = kAdatSyncFirst + 2 * (address - kAdatSyncLow) + half;
                Show(table, id, field);
                SetBlink(table, id, field == 1);
            }
        } else if (address == kAdatAudioLow || address == kAdatAudioHigh) {
            ShowBits(table, kAdatAudioFirst + (address == kAdatAudioHigh ? 4 : 0), value, 4);
        } else if (address == kFrame96kParameter) {
            Show(table, kFrame96k, value);
        } else if (address == kClock) {
            if (value <= 2) {
                Show(table, kClockSource, 0);
                Show(table, kClockFrequency, value - 1);
            } else {
                Show(table, kClockSource, value - 2);
            }
            if (value == 3 && clockStatus == 0) {
                PanelSetBlink(1, kClockSource, table);
            } else {
                PanelSetBlink(0, kClockSource, table);
                PanelInvalidate(kClockSource, table);
            }
        } else if (address == kMatrixOn) {
            Show(table, kEnableMatrix, value);
        } else if (address >= kRoutingFirst && address < kRoutingFirst + kOutputs) {
            routing(address - kRoutingFirst, value);
        }
    }
}

}  // namespace tarvik

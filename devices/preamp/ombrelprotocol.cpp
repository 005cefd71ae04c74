// The Ombrel converter and its device: addressing by bank and ID, the set
// block built from changed controls with the trim and mute ganging, the
// status reply, the online display, the view's commands, and what the view
// keeps in the registry and in setup records.
#include <cstdio>
#include <cstring>
#include <string>

#include "app/devicenames.h"
#include "app/ionames.h"
#include "app/systemset.h"
#include "devices/preamp/bankaddress.h"
#include "devices/preamp/ombrelview.h"
#include "devices/viewrecord.h"
#include "framework/archive.h"
#include "framework/frame.h"
#include "framework/winapp.h"
#include "midi/mmein.h"

namespace {

const int kStatusRequest = 0x10;
const int kSetParameters = 0x20;
const int kProgramAddress = 0x2C;
const int kShortestStatus = 60;   // a status reply is longer than this
const int kTrimUnitsPerDb = 20;   // the last sent trim is kept in 1/20 dB
const char* const kTitle = "Tesmer Ombrel Vantor";

// Parameter numbers.
const int kVolume = 0x00;
const int kOutputTrimFirst = 0x01;
const int kInputTrimFirst = 0x09;
const int kLevels = 0x11;
const int kClock = 0x12;
const int kModes = 0x13;
const int kSwitches = 0x14;
const int kClockStates = 0x15;
const int kAdatAesStates = 0x16;
const int kAesStates = 0x17;
const int kMutesLow = 0x18;
const int kMutesHigh = 0x19;
const int kReference = 0x1A;
const int kDigitalFx = 0x1B;
const int kDownMixFirst = 0x1C;
const int kDownMixLast = 0x2B;

int Bits(int value, int first, int count) { return (value >> first) & ((1 << count) - 1); }

// The trim as the device takes it: half-dB steps from -8 dB.
int TrimByte(double db) { return TruncateToInt(db * 2.0 + 16.0); }

}  // namespace

// ---------------------------------------------------------------- address and names

void COmbrelView::BindNames() {
    for (int c = 0; c < kChannels; ++c) {
        Control(StripId(c, kInputName))->list = theIoNames.GetIoName(IoKeyOmbrel, m_nNameIndex, c);
        Control(StripId(c, kOutputName))->list = theIoNames.GetIoName(IoKeyOmbrel, m_nNameIndex, c + kChannels);
        PanelMarkChanged(StripId(c, kInputName), &m_table);
        PanelMarkChanged(StripId(c, kOutputName), &m_table);
    }
}

// ---------------------------------------------------------------- sending

void COmbrelView::Add(int parameter, int value) { theMmeIn.AddParameter(this, parameter, value, kModel, m_nDeviceId); }

int COmbrelView::Parameter11() {
    // A digital source has no analogue input level: its field reads 4.
    int inputLevel;
    if (On(kInputSource)) {
        Show(4, kAnalogInputLevel);
        inputLevel = 4;
    } else {
        if (Value(kAnalogInputLevel) > 3.5) Show(3, kAnalogInputLevel);
        inputLevel = IntValue(kAnalogInputLevel);
    }
    return inputLevel * 16 + IntValue(kAnalogOutputLevel) * 4 + IntValue(kLimiterMode);
}

int COmbrelView::Parameter12() {
    const int source = IntValue(kClockSource);
    const int clock = source == 0 ? IntValue(kClockFrequency) : source + 1;
    return (On(kFollowClock) ? 64 : 0) + (On(kWckSingleSpeed) ? 32 : 0) + clock * 4 + IntValue(kSampleRateRange);
}

int COmbrelView::Parameter13(bool holdReset) {
    const int hold = holdReset ? 3 : IntValue(kPeakHoldMode);
    return (On(kAutoId) ? 64 : 0) + (On(kDelayCompensation) ? 32 : 0) + hold * 8 + IntValue(kDigitalInputSelect) * 2 +
           (On(kKeysLock) ? 1 : 0);
}

int COmbrelView::Parameter14() {
    return IntValue(kFxDrive) * 32 + (On(kOutputDim) ? 16 : 0) + (On(kDirectLevel) ? 8 : 0) +
           (On(kEnableTrim) ? 4 : 0) + (On(kEnableGlobalLevel) ? 2 : 0) + IntValue(kMeterMode);
}

void COmbrelView::AddMutes() {
    int low = 0, high = 0;
    for (int c = 0; c < 4; ++c) {
        if (On(StripId(c, kMute))) low |= 1 << c;
        if (On(StripId(c + 4, kMute))) high |= 1 << c;
    }
    Add(kMutesLow, low);
    Add(kMutesHigh, high);
}

void COmbrelView::GreyClockFrequency() {
    PanelSetFlags(PANEL_GREYED, On(kClockSource) ? 1 : 0, kClockFrequency, &m_table);
}

void COmbrelView::SendInputTrim(int channel) {
    if (channel < 0 || channel >= kChannels) return;
    PanelControl* trim = Control(StripId(channel, kInputTrim));
    trim->lastLength = TruncateToInt(trim->value * kTrimUnitsPerDb);
    Add(kInputTrimFirst + channel, TrimByte(trim->value));
}

void COmbrelView::SendOutputTrim(int channel) {
    if (channel < 0 || channel >= kChannels) return;
    PanelControl* trim = Control(StripId(channel, kOutputTrim));
    trim->lastLength = TruncateToInt(trim->value * kTrimUnitsPerDb);
    Add(kOutputTrimFirst + channel, TrimByte(trim->value));
}

void COmbrelView::GangTrims(int channel, bool output, bool gang) {
    const int trimKind = output ? kOutputTrim : kInputTrim;
    const int selectKind = output ? kOutputSelect : kInputSelect;
    const bool ctrl = gang && IsCtrlKeyDown();
    if (gang && (ctrl || On(StripId(channel, selectKind)))) {
        const PanelControl* own = Control(StripId(channel, trimKind));
        const double delta = bankaddr::GangDelta(own->value, own->lastLength, kTrimUnitsPerDb);
        for (int other = 0; other < kChannels; ++other) {
            if (other == channel || !(ctrl || On(StripId(other, selectKind)))) continue;
            const int id = StripId(other, trimKind);
            Show(Value(id) + delta, id);
            output ? SendOutputTrim(other) : SendInputTrim(other);
        }
    }
    output ? SendOutputTrim(channel) : SendInputTrim(channel);
}

void COmbrelView::SendChangedParameters(BOOL redraw, BOOL fromSelectors, BOOL all) {
    theMmeIn.BeginParameterBlock(this, kSetParameters, kModel, m_nDeviceId);
    // Ganging follows the user's hand on an edit, never a whole send.
    const bool ganging = !fromSelectors && !all;
    bool raised = false;
    for (int k = 0; k < kControlCount; ++k) {
        PanelControl& c = m_controls[size_t(k)];
        if (!(c.flags & PANEL_CHANGED) && !all) continue;
        const int id = c.id;
        switch (id) {
        case kAnalogOutputVolume: Add(kVolume, IntValue(kAnalogOutputVolume)); break;
        case kRecallReference:
            if (On(kRecallReference)) {
                Show(Value(kVolumeReference), kAnalogOutputVolume);
                Add(kVolume, IntValue(kAnalogOutputVolume));
                Show(0, kRecallReference);
            }
            raised = true;
            break;
        case kPeakHoldReset:
            if (On(kPeakHoldReset)) {
                for (int ch = 0; ch < kChannels; ++ch) {
                    Show(0, StripId(ch, kInputHold));
                    Show(0, StripId(ch, kOutputHold));
                }
                Show(0, kPeakHoldReset);
                Add(kModes, Parameter13(true));
            }
            raised = true;
            break;
        case kInputSource:
            Add(kDigitalFx, Value(kInputSource) > 1.5 ? 1 : 0);
            Add(kLevels, Parameter11());
            raised = true;
            break;
        case kAnalogInputLevel:
        case kLimiterMode:
        case kAnalogOutputLevel: Add(kLevels, Parameter11()); break;
        case kClockSource:
        case kClockFrequency:
        case kSampleRateRange:
        case kFollowClock:
        case kWckSingleSpeed:
            Add(kClock, Parameter12());
            GreyClockFrequency();
            raised = true;
            break;
        case kKeysLock:
        case kPeakHoldMode:
        case kAutoId:
        case kDelayCompensation:
        case kDigitalInputSelect: Add(kModes, Parameter13(false)); break;
        case kOutputDim:
        case kDirectLevel:
        case kEnableTrim:
        case kEnableGlobalLevel:
        case kMeterMode:
        case kFxDrive: Add(kSwitches, Parameter14()); break;
        case kVolumeReference: Add(kReference, IntValue(kVolumeReference)); break;
        default:
            if (SendAddressControl(id, fromSelectors)) {
                if (!fromSelectors) raised = true;
            } else if (id >= kStripFirstId && id < kStripFirstId + kChannels * kStripKinds) {
                const int channel = (id - kStripFirstId) / kStripKinds, kind = (id - kStripFirstId) % kStripKinds;
                if (kind == kInputTrim || kind == kOutputTrim) {
                    GangTrims(channel, kind == kOutputTrim, ganging);
                    raised = true;
                } else if (kind == kDownMix7 || kind == kDownMix8) {
                    Add(kDownMixFirst + 2 * channel + (kind == kDownMix8 ? 1 : 0), IntValue(id) + 127);
                } else if (kind == kMute) {
                    if (ganging && IsCtrlKeyDown())
                        for (int other = 0; other < kChannels; ++other)
                            if (other != channel) Show(c.value, StripId(other, kMute));
                    AddMutes();
                    raised = true;
                }
            }
            break;
        }
        c.flags &= ~PANEL_CHANGED;
    }
    // The next reply may still hold the old values.
    if (raised) m_nSkipReplies = 1;
    theMmeIn.SendParameterBlock(this, kModel, m_nDeviceId);
    if (raised || redraw) RedrawAllControls();
}

void COmbrelView::RequestDeviceData(BOOL resetSkip) {
    if (resetSkip) m_nSkipReplies = 0;
    theMmeIn.SendRequest(this, kStatusRequest, kModel, m_nDeviceId);
}

// ---------------------------------------------------------------- receiving

void COmbrelView::DecodePair(int parameter, int value) {
    auto lamp = [this](int id, int lit, int locked) {
        Show(lit, id);
        const bool blink = !locked;
        if (((Control(id)->flags & PANEL_BLINK) != 0) != blink) PanelSetBlink(blink ? 1 : 0, id, &m_table);
    };
    if (parameter >= kOutputTrimFirst && parameter < kOutputTrimFirst + kChannels) {
        Show((value - 16) * 0.5, StripId(parameter - kOutputTrimFirst, kOutputTrim));
        return;
    }
    if (parameter >= kInputTrimFirst && parameter < kInputTrimFirst + kChannels) {
        Show((value - 16) * 0.5, StripId(parameter - kInputTrimFirst, kInputTrim));
        return;
    }
    if (parameter >= kDownMixFirst && parameter <= kDownMixLast) {
        const int m = parameter - kDownMixFirst;
        Show(value - 127, StripId(m / 2, m % 2 == 0 ? kDownMix7 : kDownMix8));
        return;
    }
    switch (parameter) {
    case kVolume: Show(Bits(value, 0, 6), kAnalogOutputVolume); break;
    case kLevels:
        Show(Bits(value, 4, 3), kAnalogInputLevel);
        Show(Bits(value, 4, 3) >= 4 ? 1 : 0, kInputSource);
        Show(Bits(value, 2, 2), kAnalogOutputLevel);
        Show(Bits(value, 0, 2), kLimiterMode);
        break;
    case kClock: {
        Show(Bits(value, 6, 1), kFollowClock);
        Show(Bits(value, 5, 1), kWckSingleSpeed);
        const int k = Bits(value, 2, 3);
        if (k >= 2) {
            Show(k - 1, kClockSource);
        } else {
            Show(0, kClockSource);
            Show(k, kClockFrequency);
        }
        Show(Bits(value, 0, 2), kSampleRateRange);
        GreyClockFrequency();
        break;
    }
    case kModes:
        Show(Bits(value, 6, 1), kAutoId);
        Show(Bits(value, 5, 1), kDelayCompensation);
        Show(Bits(value, 3, 2), kPeakHoldMode);
        Show(Bits(value, 1, 2), kDigitalInputSelect);
        Show(Bits(value, 0, 1), kKeysLock);
        break;
    case kSwitches:
        Show(Bits(value, 5, 2), kFxDrive);
        Show(Bits(value, 4, 1), kOutputDim);
        Show(Bits(value, 3, 1), kDirectLevel);
        Show(Bits(value, 2, 1), kEnableTrim);
        Show(Bits(value, 1, 1), kEnableGlobalLevel);
        Show(Bits(value, 0, 1), kMeterMode);
        break;
    case kClockStates:
        lamp(kWckState, Bits(value, 3, 1), Bits(value, 2, 1));
        lamp(kOptState, Bits(value, 1, 1), Bits(value, 0, 1));
        break;
    case kAdatAesStates:
        lamp(kAdat1State, Bits(value, 5, 1), Bits(value, 4, 1));
        lamp(kAdat2State, Bits(value, 3, 1), Bits(value, 2, 1));
        lamp(kAes1State, Bits(value, 1, 1), Bits(value, 0, 1));
        break;
    case kAesStates:
        lamp(kAes1State + 1, Bits(value, 5, 1), Bits(value, 4, 1));
        lamp(kAes1State + 2, Bits(value, 3, 1), Bits(value, 2, 1));
        lamp(kAes1State + 3, Bits(value, 1, 1), Bits(value, 0, 1));
        break;
    case kMutesLow:
    case kMutesHigh:
        for (int c = 0; c < 4; ++c)
            Show(Bits(value, c, 1), StripId(c + (parameter == kMutesHigh ? 4 : 0), kMute));
        break;
    case kReference: Show(Bits(value, 0, 6), kVolumeReference); break;
    case kDigitalFx:
        if ((value & 1) && On(kInputSource)) Show(2, kInputSource);
        break;
    default: break;
    }
}

void COmbrelView::OnStatusReply(const BYTE* data, int length) {
    m_nStatusCounter = 0;
    if (m_nSkipReplies > 0) {
        --m_nSkipReplies;
        return;
    }
    m_nSkipReplies = 0;
    // A pair needs its value before the closing byte; a status byte inside
    // means the reply is broken from there on.
    for (int k = 7; k + 1 < length - 1; k += 2) {
        if ((data[k] & 0x80) || (data[k + 1] & 0x80)) break;
        DecodePair(data[k], data[k + 1]);
    }
    Show(2, kDeviceState);
    RedrawAllControls();
}

// ---------------------------------------------------------------- status

void COmbrelView::OnMidiIoChanged(int, MidiPortSettings*) { UpdateStatus(-10, 0); }

void COmbrelView::UpdateStatus(int state, int blinkPhase) {
    ShowAddress();
    CountMissedReply(state, kDeviceState);
    ShowStatus(kTitle, blinkPhase);
}

// ---------------------------------------------------------------- commands

void COmbrelView::OnProgramDeviceId() { ProgramBankAndId(kModel, kProgramAddress); }

void COmbrelView::OnDefaultIoNames() {
    if (MessageBox("Do you really want to set all I/O names of the current Device to default value?", nullptr,
                   MB_YESNO) != IDYES)
        return;
    char text[32];
    for (int c = 0; c < kChannels; ++c) {
        std::snprintf(text, sizeof(text), "Channel %1i ", c + 1);
        theIoNames.SetIoName(IoKeyOmbrel, m_nNameIndex, c, text);
        theIoNames.SetIoName(IoKeyOmbrel, m_nNameIndex, c + kChannels, text);
        PanelMarkChanged(StripId(c, kInputName), &m_table);
        PanelMarkChanged(StripId(c, kOutputName), &m_table);
    }
    RedrawAllControls();
}

void COmbrelView::OnSystemDeviceNames() {
    CSystemSet dlg(this);
    dlg.SetDeviceIndex(m_nNameIndex + 2000);
    dlg.DoModal();
    // The next block re-applies the address, so the next reply is skipped.
    PanelMarkChanged(kDeviceName, &m_table);
    RedrawAllControls();
}

// ---------------------------------------------------------------- settings

void COmbrelView::RecordTrims() {
    for (int c = 0; c < kChannels; ++c)
        for (int kind : {kInputTrim, kOutputTrim}) {
            PanelControl* trim = Control(StripId(c, kind));
            trim->lastLength = TruncateToInt(trim->value * kTrimUnitsPerDb);
        }
}

void COmbrelView::SaveSettings(const char* section) { SaveAddressSettings(section, "KestOmbrelID"); }

void COmbrelView::LoadSettings(const char* section) {
    SetDeviceId(LoadAddressSettings(section, "KestOmbrelID"));
    GreyClockFrequency();
    // What was loaded is the state the window had; nothing of it is sent.
    for (PanelControl& c : m_controls) c.flags &= ~PANEL_CHANGED;
    RecordTrims();
}

void COmbrelView::Serialize(CArchive& ar) {
    if (ar.IsStoring()) {
        viewrecord::WriteIndex(ar, "KestOmbrelIndex=", m_nDeviceId);
        for (int c = 0; c < kChannels; ++c) {
            viewrecord::WriteName(ar, false, c, theIoNames.GetIoName(IoKeyOmbrel, m_nNameIndex, c));
            viewrecord::WriteName(ar, true, c, theIoNames.GetIoName(IoKeyOmbrel, m_nNameIndex, c + kChannels));
        }
        viewrecord::WriteControls(ar, &m_table);
        return;
    }

    ViewRecordReader reader(ar);
    reader.Next();
    int address = 0;
    if (reader.IndexAddress("KestOmbrelIndex=", &address)) SetDeviceId(address);
    for (int n = 0; n < 2 * kChannels; ++n) {
        if (!reader.Next()) break;
        const int c = n / 2;
        const bool output = n % 2 != 0;
        const char* name = reader.After(viewrecord::NameKey(output, c).c_str());
        if (!name) continue;
        // The store cuts the name to what a slot holds.
        theIoNames.SetIoName(IoKeyOmbrel, m_nNameIndex, output ? c + kChannels : c, name);
        PanelMarkChanged(StripId(c, output ? kOutputName : kInputName), &m_table);
    }
    PanelLoad(&m_table, ar);
    RecordTrims();
    SendChangedParameters(TRUE, TRUE, FALSE);
}

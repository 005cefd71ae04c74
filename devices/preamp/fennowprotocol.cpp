// The Fennow preamp and its device: the set block built from changed
// controls with the gain ganging and the paired M/S coding, the level and
// status replies, the online display, the commands and the saved settings.
#include <cmath>
#include <cstdio>

#include "app/ionames.h"
#include "app/systemset.h"
#include "devices/preamp/bankaddress.h"
#include "devices/preamp/fennowview.h"
#include "devices/viewrecord.h"
#include "framework/archive.h"
#include "midi/mmein.h"

namespace {

const int kStatusRequest = 0x10;
const int kLevelRequest = 0x11;
const int kSetParameters = 0x20;
const int kLevelReplyMark = 0x31;
const int kGainUnitsPerDb = 10;   // the kept gain, in 1/10 dB
const char* const kTitle = "Tesmer Fennow Vantor";

// Parameter numbers beyond the three of each channel.
const int kClockAndOutput = 0x18;
const int kModes = 0x19;
const int kWordClock = 0x1A;
const int kStore = 0x1B;
const int kRecall = 0x1C;
const int kProgramAddress = 0x1D;
const int kGeneratorParameter = 0x1E;

int Bits(int value, int first, int count) { return (value >> first) & ((1 << count) - 1); }

}  // namespace

void CFennowView::BindNames() {
    for (int ch = 0; ch < kChannels; ++ch) {
        Control(StripId(ch, kInputName))->list = theIoNames.GetIoName(IoKeyFennow, m_nNameIndex, ch);
        PanelMarkChanged(StripId(ch, kInputName), &m_table);
    }
}

// ---------------------------------------------------------------- sending

void CFennowView::Add(int parameter, int value) { theMmeIn.AddParameter(this, parameter, value, kModel, m_nDeviceId); }

void CFennowView::SendGain(int channel) {
    if (channel < 0 || channel >= kChannels) return;
    PanelControl* gain = Control(StripId(channel, kGain));
    const double g = gain->value;
    gain->lastLength = TruncateToInt(g * kGainUnitsPerDb);
    Add(3 * channel, TruncateToInt(g + 9.25));
    int flags = 0;
    if (channel == 0)
        flags = (On(kDisplayDark) ? 0x40 : 0) | (On(kDigitalOut) ? 0x02 : 0);
    else
        flags = On(StripId(channel, kDownLink)) ? 0x02 : 0;
    if (g - std::floor(g) > 0.2) flags |= 1;
    Add(3 * channel + 1, flags);
}

int CFennowView::SwitchByte(int channel, int midSideOf) {
    auto bit = [this, channel](int kind, int shift) { return On(StripId(channel, kind)) ? 1 << shift : 0; };
    return bit(kPhantom, 6) | bit(kPhase, 5) | (On(StripId(midSideOf, kMidSide)) ? 0x10 : 0) | bit(kLowCut, 3) |
           bit(kAutoSet, 2) | bit(kHighImpedance, 1) | bit(kFrontPlug, 0);
}

int CFennowView::Parameter18() {
    return (IntValue(kOutputLevel) & 3) << 5 | (IntValue(kClockSource) & 3) << 3 |
           (IntValue(kSampleRateRange) & 3) << 1 | (IntValue(kClockFrequency) & 1);
}

int CFennowView::Parameter19() {
    return (On(kAutoId) ? 0x40 : 0) | (On(kDelayCompensation) ? 0x20 : 0) | (IntValue(kAutoSetLimit) & 3) << 3 |
           (On(kFollowClock) ? 0x04 : 0) | (On(kPeakHold) ? 0x02 : 0) | (On(kKeysLock) ? 0x01 : 0);
}

void CFennowView::GreyClockFrequency() {
    PanelSetFlags(PANEL_GREYED, Value(kClockSource) > 0.5 ? 1 : 0, kClockFrequency, &m_table);
}

void CFennowView::GangGains(int channel, bool gang) {
    const bool ctrl = gang && IsCtrlKeyDown();
    if (!gang || !(ctrl || On(StripId(channel, kGainSelect)))) return;
    const PanelControl* own = Control(StripId(channel, kGain));
    const double delta = bankaddr::GangDelta(own->value, own->lastLength, kGainUnitsPerDb);
    for (int other = 0; other < kChannels; ++other) {
        if (other == channel || !(ctrl || On(StripId(other, kGainSelect)))) continue;
        const int id = StripId(other, kGain);
        PanelShowValue(Value(id) + delta, id, &m_table);
        SendGain(other);
    }
}

void CFennowView::SendChangedParameters(BOOL redraw, BOOL fromSelectors, BOOL all) {
    theMmeIn.BeginParameterBlock(this, kSetParameters, kModel, m_nDeviceId);
    const bool gang = !fromSelectors && !all;
    bool raised = false;
    for (PanelControl& c : m_controls) {
        if (!(c.flags & PANEL_CHANGED) && !all) continue;
        const int id = c.id;
        if (SendAddressControl(id, fromSelectors)) {
            if (!fromSelectors) raised = true;
        } else if (id == kPresetStore || id == kPresetRecall) {
            if (!fromSelectors) Add(id == kPresetStore ? kStore : kRecall, IntValue(kPresetNumber));
            PanelShowValue(0, id, &m_table);
        } else if (id == kGenerator) {
            if (!fromSelectors) Add(kGeneratorParameter, TruncateToInt(c.value));
            // The generator's channel shows its mark instead of the gain.
            for (int ch = 0; ch < kChannels; ++ch) {
                PanelControl* gain = Control(StripId(ch, kGain));
                gain->type = ch == TruncateToInt(c.value) - 1 ? PANEL_TEXT_FIXED : PANEL_NUMBER;
                gain->flags |= PANEL_REDRAW;
            }
        } else if (id == kDisplayDark || id == kDigitalOut) {
            SendGain(0);
        } else if (id == kSlimView) {
            SetCompactLayout(c.value > 0.5);
            if (HasWindow()) ::RedrawWindow(m_hWnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
        } else if (id == kKeysLock || id == kAutoSetLimit || id == kPeakHold || id == kDelayCompensation ||
                   id == kAutoId || id == kFollowClock) {
            Add(kModes, Parameter19());
        } else if (id == kOutputLevel || id == kClockSource || id == kClockFrequency || id == kSampleRateRange) {
            Add(kClockAndOutput, Parameter18());
            GreyClockFrequency();
            raised = true;
        } else if (id == kWckSingleSpeed) {
            Add(kWordClock, On(kWckSingleSpeed) ? 0x40 : 0);
        } else if (id >= kStripFirstId && id < kStripFirstId + kChannels * kStripKinds) {
            const int ch = (id - kStripFirstId) / kStripKinds, kind = (id - kStripFirstId) % kStripKinds;
            if (kind == kGain) {
                GangGains(ch, gang);
                SendGain(ch);
            } else if (kind == kPhantom || kind == kPhase || kind == kLowCut || kind == kAutoSet ||
                       kind == kHighImpedance || kind == kFrontPlug ||
                       (kind == kMidSide && ch % 2 == 0)) {
                Add(3 * ch + 2, SwitchByte(ch, ch));
                if (kind == kFrontPlug) {
                    const double before = Value(StripId(ch, kGain));
                    ApplyGainRange(ch);
                    PanelShowValue(before, StripId(ch, kGain), &m_table);
                    if (Value(StripId(ch, kGain)) != before) SendGain(ch);
                }
            } else if (kind == kMidSide) {
                // The pair's coding lives in its first channel's byte.
                Add(3 * ch - 1, SwitchByte(ch - 1, ch));
            } else if (kind == kDownLink) {
                SendGain(ch);
            }
        }
        c.flags &= ~PANEL_CHANGED;
    }
    if (raised) m_nSkipReplies = 1;
    theMmeIn.SendParameterBlock(this, kModel, m_nDeviceId);
    if (raised || redraw) RedrawAllControls();
}

void CFennowView::RequestDeviceData(BOOL resetSkip) {
    if (resetSkip) m_nSkipReplies = 0;
    theMmeIn.SendRequest(this, kStatusRequest, kModel, m_nDeviceId);
}

int CFennowView::FastPoll() {
    if (m_bEnableFast) theMmeIn.SendRequest(this, kLevelRequest, kModel, m_nDeviceId);
    // This view ends the tick's sweep whether it sent or not.
    return 1;
}

// ---------------------------------------------------------------- receiving

void CFennowView::OnSysExReceived(const BYTE* data, int length) {
    if (!data) return;
    if (length > 60)
        DecodeStatus(data, length);
    else if (length >= 16 && data[6] == kLevelReplyMark)
        DecodeLevels(data, length);
}

void CFennowView::DecodeStatus(const BYTE* data, int length) {
    m_nStatusCounter = 0;
    if (m_nSkipReplies > 0) {
        --m_nSkipReplies;
        return;
    }
    m_nSkipReplies = 0;
    auto show = [this](int value, int id) { PanelShowValue(value, id, &m_table); };
    auto lamp = [this](int id, int field) {
        PanelShowValue(field != 0 ? 1 : 0, id, &m_table);
        // Present but not locked: the lamp blinks.
        const bool blink = field == 1;
        if (((Control(id)->flags & PANEL_BLINK) != 0) != blink) PanelSetBlink(blink ? 1 : 0, id, &m_table);
    };
    int coarse[kChannels];
    for (int& c : coarse) c = -1;   // held until its flags byte comes
    for (int k = 7; k + 1 < length; k += 2) {
        const int a = data[k], v = data[k + 1];
        if (a < 3 * kChannels) {
            const int ch = a / 3;
            if (a % 3 == 0) {
                coarse[ch] = v;
            } else if (a % 3 == 1) {
                if (coarse[ch] >= 0) {
                    const int id = StripId(ch, kGain);
                    PanelShowValue(coarse[ch] - 9 + 0.5 * (v & 1), id, &m_table);
                    // Kept from what is shown, clamped: one bad byte must not
                    // send the ganged channels to their limits.
                    Control(id)->lastLength = TruncateToInt(Value(id) * kGainUnitsPerDb);
                }
                if (!m_bEnableFast) StatusMeter(ch, Bits(v, 2, 4));
                if (ch == 0) {
                    show(Bits(v, 1, 1), kDigitalOut);
                    show(Bits(v, 6, 1), kDisplayDark);
                } else {
                    show(Bits(v, 1, 1), StripId(ch, kDownLink));
                }
            } else {
                show(Bits(v, 6, 1), StripId(ch, kPhantom));
                show(Bits(v, 5, 1), StripId(ch, kPhase));
                if (ch % 2 == 0) {
                    show(Bits(v, 4, 1), StripId(ch, kMidSide));
                    show(Bits(v, 4, 1), StripId(ch + 1, kMidSide));
                }
                show(Bits(v, 3, 1), StripId(ch, kLowCut));
                show(Bits(v, 2, 1), StripId(ch, kAutoSet));
                show(Bits(v, 1, 1), StripId(ch, kHighImpedance));
                // The range follows the plug; the gain stays until an edit.
                if (PanelShowValue(Bits(v, 0, 1), StripId(ch, kFrontPlug), &m_table)) ApplyGainRange(ch);
            }
        } else if (a == kClockAndOutput) {
            show(Bits(v, 5, 2), kOutputLevel);
            show(Bits(v, 3, 2), kClockSource);
            show(Bits(v, 1, 2), kSampleRateRange);
            show(Bits(v, 0, 1), kClockFrequency);
            GreyClockFrequency();
        } else if (a == kModes) {
            show(Bits(v, 6, 1), kAutoId);
            show(Bits(v, 5, 1), kDelayCompensation);
            show(Bits(v, 3, 2), kAutoSetLimit);
            show(Bits(v, 2, 1), kFollowClock);
            show(Bits(v, 1, 1), kPeakHold);
            show(Bits(v, 0, 1), kKeysLock);
        } else if (a == kWordClock) {
            // The device reports single speed with the bit clear.
            show(Bits(v, 6, 1) ? 0 : 1, kWckSingleSpeed);
            lamp(kClockState856, Bits(v, 4, 2) == 0 ? 0 : (Bits(v, 5, 1) ? 2 : 1));
            lamp(kClockState899, Bits(v, 2, 2) == 0 ? 0 : (Bits(v, 3, 1) ? 2 : 1));
            lamp(kClockState942, Bits(v, 0, 2) == 0 ? 0 : (Bits(v, 1, 1) ? 2 : 1));
        }
    }
    show(2, kDeviceState);
    RedrawAllControls();
}

// ---------------------------------------------------------------- status

void CFennowView::OnMidiIoChanged(int, MidiPortSettings*) { UpdateStatus(-10, 0); }

void CFennowView::UpdateStatus(int state, int blinkPhase) {
    ShowAddress();
    CountMissedReply(state, kDeviceState);
    ShowStatus(kTitle, blinkPhase);
}

// ---------------------------------------------------------------- commands

void CFennowView::OnProgramDeviceId() { ProgramBankAndId(kModel, kProgramAddress); }

void CFennowView::OnDefaultIoNames() {
    if (MessageBox("Do you really want to set all I/O names of the current Device to default value?", nullptr,
                   MB_YESNO) != IDYES)
        return;
    char text[32];
    for (int ch = 0; ch < kChannels; ++ch) {
        std::snprintf(text, sizeof(text), "Channel %1i ", ch + 1);
        theIoNames.SetIoName(IoKeyFennow, m_nNameIndex, ch, text);
        PanelMarkChanged(StripId(ch, kInputName), &m_table);
    }
    RedrawAllControls();
}

void CFennowView::OnSystemDeviceNames() {
    CSystemSet dlg(this);
    dlg.SetDeviceIndex(m_nNameIndex + 1000);
    dlg.DoModal();
    PanelMarkChanged(kDeviceName, &m_table);
    RedrawAllControls();
}

// ---------------------------------------------------------------- settings

void CFennowView::SaveSettings(const char* section) { SaveAddressSettings(section, "KestFennowID"); }

void CFennowView::LoadSettings(const char* section) {
    const int address = LoadAddressSettings(section, "KestFennowID");
    for (int id : {kPresetNumber, kPresetStore, kPresetRecall}) PanelShowValue(0, id, &m_table);
    SetDeviceId(address);
    GreyClockFrequency();
    // What was loaded is the state the window had; nothing of it is sent.
    for (PanelControl& c : m_controls) c.flags &= ~PANEL_CHANGED;
    for (int ch = 0; ch < kChannels; ++ch) SettleGain(ch);
    SetCompactLayout(On(kSlimView));
}

void CFennowView::Serialize(CArchive& ar) {
    if (ar.IsStoring()) {
        viewrecord::WriteIndex(ar, "KestFennowIndex=", m_nDeviceId);
        for (int ch = 0; ch < kChannels; ++ch)
            viewrecord::WriteName(ar, false, ch, theIoNames.GetIoName(IoKeyFennow, m_nNameIndex, ch));
        viewrecord::WriteControls(ar, &m_table);
        return;
    }
    ViewRecordReader reader(ar);
    reader.Next();
    int address = 0;
    if (reader.IndexAddress("KestFennowIndex=", &address)) SetDeviceId(address);
    for (int ch = 0; ch < kChannels; ++ch) {
        if (!reader.Next()) break;
        const char* name = reader.After(viewrecord::NameKey(false, ch).c_str());
        if (!name) continue;
        // The store cuts the name to what a slot holds.
        theIoNames.SetIoName(IoKeyFennow, m_nNameIndex, ch, name);
        PanelMarkChanged(StripId(ch, kInputName), &m_table);
    }
    PanelLoad(&m_table, ar);
    for (int ch = 0; ch < kChannels; ++ch) SettleGain(ch);
    SendChangedParameters(TRUE, TRUE, FALSE);
}

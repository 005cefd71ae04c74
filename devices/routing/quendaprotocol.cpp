// The Quenda matrix and its device: the set block built from changed
// controls, the status reply, the online display, the view's commands, and
// what the view keeps in the registry and in setup records.
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>

#include "app/deviceaddr.h"
#include "app/devicenames.h"
#include "app/ionames.h"
#include "app/systemset.h"
#include "devices/routing/quendaview.h"
#include "devices/viewrecord.h"
#include "framework/archive.h"
#include "framework/frame.h"
#include "framework/winapp.h"
#include "midi/mmein.h"

namespace {

const int kStatusRequest = 0x10;
const int kSetParameters = 0x20;
const int kAllDevices = 0x7F;
const int kLastRouting = 0x48;
const int kAdcRouting = 0x4F;
const int kClockAndFormat = 0x50;
const int kAdcAndRate = 0x51;
const int kInputSelect = 0x55;
const int kInputSync = 0x56;
const int kAdcState = 0x57;
const int kProgramId = 0x58;
const int kAdcAutoRouting = 0x49;
const int kShortestStatus = 100;   // a status reply is longer than this
const char* const kTitle = "Tesmer Quenda Vantor";

bool IsDeviceAddress(int id) { return (id >= 0 && id <= 15) || id == kAllDevices; }

int Bit(int value, int bit) { return (value >> bit) & 1; }

}  // namespace

// ---------------------------------------------------------------- device ID and names

void CQuendaMView::SetDeviceId(int id) {
    // IDs come from the registry, setup lines and dialogs; anything but a
    // real address would reach the name tables and every message.
    if (id == m_nDeviceId || !IsDeviceAddress(id)) return;
    m_nDeviceId = id;
    m_nNameIndex = DeviceIndexOfId(id);
    BindNameLabels();
    m_nNameSnapshot = IoNameChangeCounts[m_nNameIndex];
}

void CQuendaMView::BindNameLabels() {
    for (int channel = 0; channel < kNameChannels; ++channel) {
        const int id = kInputLabelFirst + channel;
        Control(id)->list = theIoNames.GetIoName(IoKeyQuenda, m_nNameIndex, channel);
        PanelMarkChanged(id, &m_table);
    }
}

// ---------------------------------------------------------------- sending

int CQuendaMView::Parameter50() {
    // Clock code: 0 and 1 are the internal clock at 44.1k and 48k, 2..4 the
    // external sources.
    const int source = IntValue(kClockSource);
    const int clock = source == 0 ? IntValue(kClockFrequency) : source + 1;
    return (IntValue(kInputOpt) & 1) << 6 | (IntValue(kKeysLock) & 1) << 5 | (IntValue(kOutputFrame) & 1) << 4 |
           (IntValue(kOutputChannels) & 1) << 3 | (clock & 7);
}

int CQuendaMView::Parameter51() {
    return (IntValue(kFollowClock) & 1) << 6 | (IntValue(kSampleRateRange) & 3) << 4 | (m_nBaudCode & 3) << 2 |
           (IntValue(kEnableAdc) & 1);
}

void CQuendaMView::SelectInputPair(bool opt) {
    PanelShowValue(opt ? 0.0 : 1.0, kInputBnc, &m_table);
    PanelShowValue(opt ? 1.0 : 0.0, kInputOpt, &m_table);
    for (int id : {kInputBnc, kInputOpt}) {
        SetBlink(id, false);
        SetLit(id, false);
    }
}

void CQuendaMView::SendChangedParameters(BOOL redraw, BOOL fromSelectors, BOOL all) {
    theMmeIn.BeginParameterBlock(this, kSetParameters, kModel, m_nDeviceId);
    auto add = [this](int address, int value) { theMmeIn.AddParameter(this, address, value, kModel, m_nDeviceId); };
    bool sendFlag = false;
    for (int k = 0; k < kControlCount; ++k) {
        PanelControl& c = m_controls[size_t(k)];
        if (!(c.flags & PANEL_CHANGED) && !all) continue;
        const int id = c.id;
        if (id == kDeviceIdCtl || id == kDeviceName) {
            if (!fromSelectors) {
                const double v = c.value;
                SetDeviceId(v < 15.5 ? Truncate(v) : kAllDevices);
                PanelShowValue(v, id == kDeviceIdCtl ? kDeviceName : kDeviceIdCtl, &m_table);
                sendFlag = true;
            }
        } else if (id == kKeysLock || id == kInputBnc || id == kInputOpt || id == kOutputChannels ||
                   id == kOutputFrame || id == kClockSource || id == kClockFrequency) {
            if (PanelSetFlags(PANEL_GREYED, Value(kClockSource) > 0.5 ? 1 : 0, kClockFrequency, &m_table))
                sendFlag = true;
            // The two input buttons act as a pair with one of them selected.
            const PanelControl& bnc = *Control(kInputBnc);
            const PanelControl& opt = *Control(kInputOpt);
            if (id == kInputBnc && (bnc.value > 0.5 || opt.value < 0.5 || (opt.flags & PANEL_BLINK))) {
                SelectInputPair(false);
                sendFlag = true;
            } else if (id == kInputOpt && (opt.value > 0.5 || bnc.value < 0.5 || (bnc.flags & PANEL_BLINK))) {
                SelectInputPair(true);
                sendFlag = true;
            }
            add(kClockAndFormat, Parameter50());
        } else if (id == kSampleRateRange || id == kFollowClock || id == kEnableAdc) {
            if (id == kSampleRateRange) LayoutMatrix(TRUE);
            add(kAdcAndRate, Parameter51());
            sendFlag = true;
        } else if (id == kAdcAuto) {
            add(kAdcRouting, Value(kAdcAuto) > 0.5 ? kAdcAutoRouting : m_nAdcRouting);
            sendFlag = true;
        } else if (id >= kCrosspointFirst) {
            if (!fromSelectors) {
                const int input = (id - kCrosspointFirst) / kOutputs, output = (id - kCrosspointFirst) % kOutputs;
                const int routed = c.value > 0.5 ? input : kNoInput;
                PanelShowValue(routed, kSelectorFirst + output, &m_table);
                add(output, routed);
                sendFlag = true;
            }
        } else if (id >= kSelectorFirst && id < kInputLabelFirst) {
            if (fromSelectors) add(id - kSelectorFirst, Truncate(c.value));
        } else if (id >= kInputLabelFirst && id < kCrosspointFirst) {
            // Other windows on this device notice the edit by the count.
            ++IoNameChangeCounts[m_nNameIndex];
        }
        c.flags &= ~PANEL_CHANGED;
    }
    // The next reply may still hold the old values.
    if (sendFlag) m_nReplySkip = 1;
    theMmeIn.SendParameterBlock(this, kModel, m_nDeviceId);
    LayoutMatrix(FALSE);
    if (sendFlag || redraw) RedrawAllControls();
}

void CQuendaMView::RequestDeviceData(BOOL resetSkip) {
    if (resetSkip) m_nReplySkip = 0;
    theMmeIn.SendRequest(this, kStatusRequest, kModel, m_nDeviceId);
}

// ---------------------------------------------------------------- receiving

void CQuendaMView::SetBlink(int id, bool on) {
    const PanelControl* c = Control(id);
    if (c && ((c->flags & PANEL_BLINK) != 0) != on) PanelSetBlink(on ? 1 : 0, id, &m_table);
}

void CQuendaMView::SetLit(int id, bool on) { PanelSetFlags(PANEL_LED_ON, on ? 1 : 0, id, &m_table); }

void CQuendaMView::DecodePair(int address, int value, bool& optSelected, int& last55, int& last51) {
    auto show = [this](int v, int id) { PanelShowValue(v, id, &m_table); };
    if (address <= kLastRouting) {
        show(value, kSelectorFirst + address);
        return;
    }
    switch (address) {
    case kAdcRouting:
        show(value == kAdcAutoRouting ? 1 : 0, kAdcAuto);
        if (value != kAdcAutoRouting) m_nAdcRouting = value;
        break;
    case kClockAndFormat: {
        show(Bit(value, 5), kKeysLock);
        show(Bit(value, 4), kOutputFrame);
        show(Bit(value, 3), kOutputChannels);
        const int clock = value & 7;
        if (clock >= 2) {
            show(clock - 1, kClockSource);
        } else {
            show(0, kClockSource);
            show(clock, kClockFrequency);
        }
        PanelSetFlags(PANEL_GREYED, IntValue(kClockSource) != 0 ? 1 : 0, kClockFrequency, &m_table);
        optSelected = Bit(value, 6) != 0;
        break;
    }
    case kAdcAndRate: {
        m_nBaudCode = (value >> 2) & 3;
        show(Bit(value, 6), kFollowClock);
        const int range = std::min((value >> 4) & 3, 2);
        if (range != m_nLayoutRange) {
            show(range, kSampleRateRange);
            LayoutMatrix(TRUE);
        }
        last51 = value;
        break;
    }
    case kInputSelect: {
        show(optSelected ? 0 : 1, kInputBnc);
        show(optSelected ? 1 : 0, kInputOpt);
        const int selected = optSelected ? kInputOpt : kInputBnc, other = optSelected ? kInputBnc : kInputOpt;
        if (Bit(value, 6)) {
            // The device fell back from the selected input to the other one.
            SetBlink(selected, true);
            SetLit(other, true);
            SetBlink(other, false);
        } else {
            for (int id : {kInputBnc, kInputOpt}) {
                SetBlink(id, false);
                SetLit(id, false);
            }
        }
        last55 = value;
        break;
    }
    case kInputSync:
        for (int k = 0; k < 4; ++k) {
            const bool present = Bit(last55, k) != 0;
            show(present ? 1 : 0, kAesSyncFirst + k);
            SetBlink(kAesSyncFirst + k, present && !Bit(value, k));
        }
        show(!Bit(last55, 4) ? 0 : (Bit(value, 4) ? 2 : 1), kInputState);
        show(Bit(value, 6), kInputFrame);
        show(Bit(value, 5), kInputChannels);
        break;
    case kAdcState: {
        const int number = (value >> 4) & 7;
        show(number, kAdcNumber);
        show(Bit(last51, 0), kEnableAdc);
        show(Bit(value, 0), kAesDoubleSpeed);
        show(Bit(value, 1), kAesQuadSpeed);
        const bool adcAuto = number != 0 && Bit(last51, 1);
        SetBlink(kEnableAdc, number != 0);
        SetLit(kEnableAdc, number != 0);
        SetBlink(kAdcAuto, adcAuto);
        SetLit(kAdcAuto, adcAuto);
        break;
    }
    default:
        break;
    }
}

void CQuendaMView::OnSysExReceived(const BYTE* data, int length) {
    if (!data || length <= kShortestStatus) return;
    m_nStatusCounter = 0;
    if (m_nReplySkip > 0) {
        --m_nReplySkip;
        return;
    }
    // Remembered within one reply only: pairs refer to earlier pairs of it.
    bool optSelected = true;
    int last55 = 0xFF, last51 = 0;
    // The last byte is taken as the closing F7 whatever it holds; a status
    // byte inside means the reply is broken from there on.
    for (int k = 7; k + 1 < length - 1; k += 2) {
        if ((data[k] & 0x80) || (data[k + 1] & 0x80)) break;
        DecodePair(data[k], data[k + 1], optSelected, last55, last51);
    }
    LayoutMatrix(FALSE);
    PanelShowValue(2, kDeviceState, &m_table);
    RedrawAllControls();
}

// ---------------------------------------------------------------- status

void CQuendaMView::OnMidiIoChanged(int, MidiPortSettings*) { UpdateStatus(-10, 0); }

void CQuendaMView::UpdateStatus(int state, int blinkPhase) {
    if (IoNameChangeCounts[m_nNameIndex] != m_nNameSnapshot) {
        for (int channel = 0; channel < kNameChannels; ++channel)
            PanelMarkChanged(kInputLabelFirst + channel, &m_table);
        m_nNameSnapshot = IoNameChangeCounts[m_nNameIndex];
    }
    const int shown = m_nDeviceId == kAllDevices ? 16 : m_nDeviceId;
    PanelShowValue(shown, kDeviceIdCtl, &m_table);
    PanelShowValue(shown, kDeviceName, &m_table);
    CountMissedReply(state, kDeviceState);
    ShowStatus(kTitle, blinkPhase);
}

// ---------------------------------------------------------------- commands

void CQuendaMView::OnSelectDeviceId() {
    int id = m_nDeviceId;
    CSelDevID dlg(this);
    dlg.SetDataPointer(&id);
    dlg.DoModal();
    SetDeviceId(id);
}

void CQuendaMView::OnProgramDeviceId() { ProgramDeviceId(kModel, kProgramId); }

void CQuendaMView::OnSystemDeviceNames() {
    CSystemSet dlg(this);
    dlg.SetDeviceIndex(m_nNameIndex);
    dlg.DoModal();
    PanelMarkChanged(kDeviceName, &m_table);
    RedrawAllControls();
}

void CQuendaMView::OnDefaultIoNames() {
    if (MessageBox("Do you really want to set all I/O names of the current Device to default value?", nullptr,
                   MB_YESNO) != IDYES)
        return;
    char text[32];
    for (int channel = 0; channel < kNameChannels; ++channel) {
        if (channel < 64)
            std::snprintf(text, sizeof(text), "MADI IN%2i", channel + 1);
        else if (channel < 72)
            std::snprintf(text, sizeof(text), "AES IN %i", channel - 63);
        else if (channel < 136)
            std::snprintf(text, sizeof(text), "MADIOUT%i", channel - 71);
        else if (channel < 144)
            std::snprintf(text, sizeof(text), "AES OUT%i", channel - 135);
        else
            std::snprintf(text, sizeof(text), "PHONES");
        theIoNames.SetIoName(IoKeyQuenda, m_nNameIndex, channel, text);
        PanelMarkChanged(kInputLabelFirst + channel, &m_table);
    }
    RedrawAllControls();
}

void CQuendaMView::OnSelectBaudRate() {
    int code = m_nBaudCode;
    CSelBaudrate dlg(this);
    dlg.SetDataPointer(&code);
    // OK without a line gives no code, and nothing may go out then.
    if (dlg.DoModal() != IDOK || code < 0 || code > 3) return;
    m_nBaudCode = code;
    // Only the set block carries Follow Clock; this message leaves bit 6 clear.
    const int value = (IntValue(kEnableAdc) & 1) + 4 * code + 16 * (IntValue(kSampleRateRange) & 3);
    theMmeIn.SendShortMessage(this, kSetParameters, kAdcAndRate, value, kModel, kAllDevices);
}

// ---------------------------------------------------------------- settings

void CQuendaMView::SaveSettings(const char* section) {
    PanelProfileSave(&m_settings, section);
    CWinApp* app = AfxGetApp();
    if (!app) return;
    app->WriteProfileInt(section, "QuendaID", m_nDeviceId);
    app->WriteProfileInt(section, "SCROLLHOR", m_nScrollHor);
    app->WriteProfileInt(section, "SCROLLVER", m_nScrollVer);
}

void CQuendaMView::LoadSettings(const char* section) {
    PanelProfileLoad(&m_settings, section);
    if (CWinApp* app = AfxGetApp()) {
        SetDeviceId(int(app->GetProfileInt(section, "QuendaID", m_nDeviceId)));
        m_nScrollHor = int(app->GetProfileInt(section, "SCROLLHOR", m_nScrollHor));
        m_nScrollVer = int(app->GetProfileInt(section, "SCROLLVER", m_nScrollVer));
    }
    LayoutMatrix(FALSE);
    PanelSetFlags(PANEL_GREYED, Value(kClockSource) > 0.5 ? 1 : 0, kClockFrequency, &m_table);
    // What was loaded is the state the window had; nothing of it is sent.
    for (PanelControl& c : m_controls) c.flags &= ~PANEL_CHANGED;
    // A view that is already shown lays its matrix out anew for the loaded
    // range and scroll positions.
    if (HasWindow()) Invalidate(TRUE);
}

void CQuendaMView::Serialize(CArchive& ar) {
    if (ar.IsStoring()) {
        viewrecord::WriteIndex(ar, "QuendaIndex=", m_nDeviceId);
        for (int channel = 0; channel < kNameChannels; ++channel) {
            const bool output = channel >= kInputs;
            viewrecord::WriteName(ar, output, output ? channel - kInputs : channel,
                                  Control(kInputLabelFirst + channel)->list);
        }
        viewrecord::WriteControls(ar, &m_settings);
        return;
    }

    ViewRecordReader reader(ar);
    reader.Next();
    int id = 0;
    if (reader.IndexAddress("QuendaIndex=", &id)) SetDeviceId(id);
    for (int channel = 0; channel < kNameChannels; ++channel) {
        if (!reader.Next()) break;
        const bool output = channel >= kInputs;
        const char* name = reader.After(viewrecord::NameKey(output, output ? channel - kInputs : channel).c_str());
        if (!name) continue;
        // The store cuts the name to what a slot holds.
        theIoNames.SetIoName(IoKeyQuenda, m_nNameIndex, channel, name);
        PanelMarkChanged(kInputLabelFirst + channel, &m_table);
    }
    PanelLoad(&m_settings, ar);
    SendChangedParameters(TRUE, TRUE, FALSE);
}

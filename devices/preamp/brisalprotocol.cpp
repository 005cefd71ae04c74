// The Brisal preamp and its device: the device ID and the names it selects,
// the set message of 4-byte groups built from the changed controls, the
// reply of triplets with the meters, the online display, the commands and
// the saved settings.
#include <cmath>
#include <cstdio>

#include "app/ionames.h"
#include "app/systemset.h"
#include "devices/preamp/brisalview.h"
#include "devices/viewrecord.h"
#include "framework/archive.h"
#include "framework/winapp.h"
#include "midi/mmein.h"

namespace {

const int kStatusRequest = 0x10;
const int kLevelRequest = 0x11;
const int kSetParameters = 0x20;
const int kReplyMark = 0x30;
const int kPhonesVolume1 = 0x08;
const int kPhonesBalance1 = 0x09;
const int kPhonesSource1 = 0x0A;
const int kPhonesStride = 3;     // phones 2's addresses follow phones 1's
const int kClock = 0x15;
const int kDelayAndFormat = 0x16;
const int kMidiSources = 0x17;
const int kGainGroups = 0x18;
const int kPresets = 0x19;
const int kGroupGainChange = 0x1A;
const int kLamps = 25;
const int kFirstMeter = 26;
const int kParameters = 32;
const char* const kTitle = "Tesmer Brisal Vantor";
const char* const kIndexKey = "KestBrisalIndex=";

int Bits(int value, int first, int count) { return (value >> first) & ((1 << count) - 1); }

// The phones' phase switches as the device codes them: 1 both sides, 2 left
// only, 3 right only.
int PhaseCode(bool left, bool right) { return left && right ? 1 : left ? 2 : right ? 3 : 0; }

}  // namespace

// ---------------------------------------------------------------- address

int CBrisalView::SetDeviceId(int id) {
    if (id < 0)
        id = IntValue(kDeviceIdCtl);
    else if (id <= 7)
        PanelShowValue(id, kDeviceIdCtl, &m_table);
    // From the registry or a record: an ID this model cannot have would put
    // a status byte into every message and name slots of no device.
    if (id < 0 || id > 7 || id == m_nDeviceId) return 0;
    m_nDeviceId = id;
    for (int ch = 0; ch < kChannels; ++ch) {
        Control(GroupId(ch, kName))->list = theIoNames.GetIoName(IoKeyBrisal, id, ch);
        PanelMarkChanged(GroupId(ch, kName), &m_table);
    }
    PanelShowValue(id, kDeviceName, &m_table);
    return 0;
}

// ---------------------------------------------------------------- sending

void CBrisalView::Add(int address, int value) { theMmeIn.AddParameter(this, address, value, kModel, m_nDeviceId); }

int CBrisalView::ChannelValue(int ch) {
    auto bit = [this, ch](int place, int shift) { return On(GroupId(ch, place)) ? 1 << shift : 0; };
    return (IntValue(GroupId(ch, kGain)) & 0x3F) | bit(kPhase, 6) | bit(kMute, 8) | bit(kAutoSet, 9) |
           bit(kPhantom, 10) | bit(kPad, 11) | (IntValue(GroupId(ch, kGainGroup)) & 7) << 12;
}

int CBrisalView::PhonesValue(int phones) {
    const int g = kChannels + phones;
    const int source = IntValue(GroupId(g, kSource));
    return (source & 0x7F) | (source >= 128 ? 1 << 8 : 0) | (On(GroupId(g, kPhonesMute)) ? 1 << 9 : 0) |
           PhaseCode(On(GroupId(g, kPhaseLeft)), On(GroupId(g, kPhaseRight))) << 10 |
           (On(GroupId(g, kHighLevel)) ? 1 << 12 : 0);
}

int CBrisalView::PairValue(int first) { return (IntValue(first) & 0x7F) | (IntValue(first + 1) & 0x7F) << 8; }

void CBrisalView::SendTemplateControl(int id, BOOL fromSelectors, bool* readdressed) {
    if (id >= kRoutingAdat && id <= kRoutingRec2) {
        // ADAT and ADAT 2 share 0x0E, AES has 0x0F alone; the others go in
        // pairs from 0x10.
        if (id <= 21)
            Add(0x0E, PairValue(20));
        else if (id == 22)
            Add(0x0F, IntValue(22) & 0x7F);
        else
            Add(0x10 + (id - 23) / 2, PairValue(23 + 2 * ((id - 23) / 2)));
        return;
    }
    switch (id) {
    case kDeviceIdCtl:
    case kDeviceName:
        if (fromSelectors) return;
        if (id == kDeviceName) PanelShowValue(IntValue(kDeviceName), kDeviceIdCtl, &m_table);
        SetDeviceId(-1);
        *readdressed = true;
        break;
    case kPresetStore:
    case kPresetRecall:
        if (!fromSelectors) {
            const int n = IntValue(kPresetNumber) & 0x7F;
            Add(kPresets, id == kPresetStore ? n << 8 : n);
        }
        PanelShowValue(0, id, &m_table);
        break;
    case kSlimView:
    case kOptionsView:
        SetCompactLayout(On(kSlimView));
        // The frame takes the new size when the panel is drawn.
        if (HasWindow()) ::RedrawWindow(m_hWnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
        break;
    case kDelayType:
    case kDelayId:
    case kMadiChannels:
    case kMadiFrame:
        Add(kDelayAndFormat, (IntValue(kDelayType) & 3) | (On(kMadiChannels) ? 4 : 0) | (On(kMadiFrame) ? 8 : 0) |
                                 (IntValue(kDelayId) & 7) << 8);
        break;
    case kClockSource:
    case kSampleRate:
    case kWckSingleSpeed:
    case kWckTermination:
        Add(kClock, (IntValue(kClockSource) & 15) | (On(kWckSingleSpeed) ? 0x10 : 0) |
                        (On(kWckTermination) ? 0x20 : 0) | (IntValue(kSampleRate) & 15) << 8);
        break;
    case kMidiUsb1:
    case kMidiUsb1 + 1:
    case kMidiUsb1 + 2:
    case kMidiMadi:
        Add(kMidiSources, (IntValue(kMidiUsb1) & 7) | (IntValue(kMidiUsb1 + 1) & 7) << 3 |
                              (IntValue(kMidiUsb1 + 2) & 7) << 8 | (IntValue(kMidiMadi) & 7) << 11);
        break;
    default:
        if (id >= kGroupEnable1 && id <= kGroupAs4) {
            int value = 0;
            for (int n = 1; n <= 4; ++n) {
                // An auto set without its group goes out, and shows, as off.
                if (!On(GroupEnableId(n))) PanelShowValue(0, GroupAsId(n), &m_table);
                value |= (On(GroupEnableId(n)) ? 1 << (n - 1) : 0) | (On(GroupAsId(n)) ? 1 << (n + 7) : 0);
            }
            Add(kGainGroups, value);
            UpdateChannelGroupFlags();
        }
        break;
    }
}

void CBrisalView::SendGroupControl(int group, int place, BOOL all, BOOL fromSelectors) {
    if (group >= kChannels) {
        const int phones = group - kChannels, base = kPhonesStride * phones;
        if (place == kVolume) {
            const double v = Value(GroupId(group, kVolume));
            Add(kPhonesVolume1 + base, (TruncateToInt(v * 10 + 1000) % 10) | TruncateToInt(std::floor(v + 65)) << 8);
        } else if (place == kBalance) {
            const double b = Value(GroupId(group, kBalance));
            // Rounded: a hundredth times 100 is not always a whole number.
            Add(kPhonesBalance1 + base, RoundToInt(std::abs(b) * 100) | (b < 0 ? 1 << 8 : 0));
        } else if (place == kSource || (place >= kPhonesMute && place <= kPhaseRight)) {
            Add(kPhonesSource1 + base, PhonesValue(phones));
        }
        return;
    }
    if (place == kGain) {
        // A record being loaded sends every loaded gain as it is: ganging
        // would move the other members and drop their own loaded gains.
        const bool fileLoad = fromSelectors && !all;
        if (!fileLoad && GangGain(group)) return;
        m_previousGain[group] = Value(GroupId(group, kGain));
    } else if (place < kGainGroup || place > kMute) {
        return;
    }
    Add(group, ChannelValue(group));
    UpdateChannelGroupFlags();
}

void CBrisalView::SendChangedParameters(BOOL redraw, BOOL fromSelectors, BOOL all) {
    theMmeIn.BeginParameterBlock(this, kSetParameters, kModel, m_nDeviceId);
    bool readdressed = false;
    for (PanelControl& c : m_controls) {
        if (!(c.flags & PANEL_CHANGED) && !all) continue;
        if (c.id >= kGroupFirstId) {
            const int index = c.id - kGroupFirstId;
            SendGroupControl(index / kGroupSize, index % kGroupSize, all, fromSelectors);
        } else {
            SendTemplateControl(c.id, fromSelectors, &readdressed);
        }
        c.flags &= ~PANEL_CHANGED;
    }
    if (readdressed) m_nSkipReplies = 1;
    theMmeIn.SendParameterBlock(this, kModel, m_nDeviceId);
    if (readdressed || redraw) RedrawAllControls();
}

void CBrisalView::RequestDeviceData(BOOL resetSkip) {
    if (resetSkip) m_nSkipReplies = 0;
    theMmeIn.SendRequest(this, kStatusRequest, kModel, m_nDeviceId);
}

int CBrisalView::FastPoll() {
    if (m_bEnableFast) theMmeIn.SendRequest(this, kLevelRequest, kModel, m_nDeviceId);
    // This view ends the tick's sweep whether it sent or not.
    return 1;
}

// ---------------------------------------------------------------- receiving

void CBrisalView::DecodeTriplet(int parameter, int first, int second) {
    auto show = [this](double value, int id) { PanelShowValue(value, id, &m_table); };
    auto lamp = [this](int id, bool lit, bool steady) {
        PanelShowValue(lit ? 1 : 0, id, &m_table);
        const bool blink = lit && !steady;
        if (((Control(id)->flags & PANEL_BLINK) != 0) != blink) PanelSetBlink(blink ? 1 : 0, id, &m_table);
    };
    if (parameter < kChannels) {
        const int ch = parameter;
        show(first & 0x3F, GroupId(ch, kGain));
        // What the panel holds, so that ganging never starts from a gain it
        // cannot show.
        m_previousGain[ch] = Value(GroupId(ch, kGain));
        show(Bits(first, 6, 1), GroupId(ch, kPhase));
        show(Bits(second, 0, 1), GroupId(ch, kMute));
        show(Bits(second, 1, 1), GroupId(ch, kAutoSet));
        show(Bits(second, 2, 1), GroupId(ch, kPhantom));
        show(Bits(second, 3, 1), GroupId(ch, kPad));
        show(Bits(second, 4, 3), GroupId(ch, kGainGroup));
        UpdateChannelGroupFlags();
    } else if (parameter <= 13) {
        const int phones = (parameter - 8) / kPhonesStride, g = kChannels + phones;
        switch ((parameter - 8) % kPhonesStride) {
        case 0: show((first & 0x0F) * 0.1 + second - 65, GroupId(g, kVolume)); break;
        case 1: show((Bits(second, 0, 1) ? -0.01 : 0.01) * first, GroupId(g, kBalance)); break;
        default: {
            show(Bits(second, 0, 1) * 128 + (first & 0x7F), GroupId(g, kSource));
            show(Bits(second, 1, 1), GroupId(g, kPhonesMute));
            show(Bits(second, 4, 1), GroupId(g, kHighLevel));
            const int phase = Bits(second, 2, 2);
            show(phase == 1 || phase == 2, GroupId(g, kPhaseLeft));
            show(phase == 1 || phase == 3, GroupId(g, kPhaseRight));
            break;
        }
        }
    } else if (parameter == 14) {
        show(first & 0x0F, kRoutingAdat);
        show(second & 0x0F, kRoutingAdat + 1);
    } else if (parameter == 15) {
        show(first & 0x0F, 22);
    } else if (parameter <= 20) {
        const int id = 23 + 2 * (parameter - 16);
        show(first & 0x0F, id);
        show(second & 0x0F, id + 1);
    } else if (parameter == 21) {
        show(first & 0x0F, kClockSource);
        show(Bits(first, 4, 1), kWckSingleSpeed);
        show(Bits(first, 5, 1), kWckTermination);
        show(second & 0x0F, kSampleRate);
    } else if (parameter == 22) {
        show(first & 3, kDelayType);
        show(Bits(first, 2, 1), kMadiChannels);
        show(Bits(first, 3, 1), kMadiFrame);
        show(second & 7, kDelayId);
    } else if (parameter == 23) {
        show(first & 7, kMidiUsb1);
        show(Bits(first, 3, 3), kMidiUsb1 + 1);
        show(second & 7, kMidiUsb1 + 2);
        show(Bits(second, 3, 3), kMidiMadi);
    } else if (parameter == 24) {
        for (int n = 1; n <= 4; ++n) {
            show(Bits(first, n - 1, 1), GroupEnableId(n));
            show(Bits(second, n - 1, 1), GroupAsId(n));
        }
        UpdateChannelGroupFlags();
    } else if (parameter == kLamps) {
        lamp(kWckLamp, Bits(first, 0, 1), Bits(second, 0, 1));
        lamp(kAesLamp, Bits(first, 1, 4) != 0, true);
        lamp(kMadiLamp, Bits(first, 5, 1), Bits(second, 5, 1));
        lamp(kAdatLamp, Bits(first, 6, 1), Bits(second, 6, 1));
    } else if (parameter < kFirstMeter + 4) {
        const int q = parameter - kFirstMeter;
        Meter(2 * q, MeterLevelOf(first));
        Meter(2 * q + 1, MeterLevelOf(second));
        RedrawAllControls();
    } else if (parameter < kParameters) {
        // A phones meter shows the louder of its two sides.
        const int left = MeterLevelOf(first), right = MeterLevelOf(second);
        Meter(kChannels + parameter - kFirstMeter - 4, left > right ? left : right);
        RedrawAllControls();
    }
}

void CBrisalView::OnSysExReceived(const BYTE* data, int length) {
    if (!data || length <= 15 || data[6] != kReplyMark) return;
    m_nStatusCounter = 0;
    if (m_nSkipReplies > 0) {
        --m_nSkipReplies;
        return;
    }
    // Only a triplet that lies wholly inside the message; the closing F7
    // starts none.
    for (int k = 7; k + 2 < length; k += 3)
        if (data[k] < kParameters) DecodeTriplet(data[k], data[k + 1], data[k + 2]);
    PanelShowValue(2, kDeviceState, &m_table);
    RedrawAllControls();
}

// ---------------------------------------------------------------- status

void CBrisalView::OnMidiIoChanged(int, MidiPortSettings*) { UpdateStatus(-10, 0); }

void CBrisalView::UpdateStatus(int state, int blinkPhase) {
    PanelShowValue(m_nDeviceId, kDeviceIdCtl, &m_table);
    CountMissedReply(state, kDeviceState);
    ShowStatus(kTitle, blinkPhase);
}

// ---------------------------------------------------------------- commands

void CBrisalView::OnDefaultIoNames() {
    if (MessageBox("Do you really want to set all I/O names of the current Device to default value?", nullptr,
                   MB_YESNO) != IDYES)
        return;
    char text[32];
    for (int ch = 0; ch < kChannels; ++ch) {
        std::snprintf(text, sizeof(text), "Channel %1i ", ch + 1);
        theIoNames.SetIoName(IoKeyBrisal, m_nDeviceId, ch, text);
        PanelMarkChanged(GroupId(ch, kName), &m_table);
    }
    RedrawAllControls();
}

void CBrisalView::OnSystemDeviceNames() {
    CSystemSet dlg(this);
    dlg.SetDeviceIndex(m_nDeviceId);
    dlg.DoModal();
    PanelMarkChanged(kDeviceName, &m_table);
    RedrawAllControls();
}

// ---------------------------------------------------------------- settings

void CBrisalView::SaveSettings(const char* section) {
    PanelProfileSave(&m_table, section);
    if (CWinApp* app = AfxGetApp()) {
        app->WriteProfileInt(section, "KestBrisalID", m_nDeviceId);
        app->WriteProfileInt(section, "EnableFast", m_bEnableFast);
    }
}

void CBrisalView::LoadSettings(const char* section) {
    PanelProfileLoad(&m_table, section);
    int id = m_nDeviceId;
    if (CWinApp* app = AfxGetApp()) {
        id = int(app->GetProfileInt(section, "KestBrisalID", m_nDeviceId));
        m_bEnableFast = app->GetProfileInt(section, "EnableFast", m_bEnableFast) ? 1 : 0;
    }
    for (int c : {kPresetNumber, kPresetStore, kPresetRecall}) PanelShowValue(0, c, &m_table);
    SetDeviceId(id);
    // What was loaded is the state the window had; nothing of it is sent.
    for (PanelControl& c : m_controls) c.flags &= ~PANEL_CHANGED;
    RememberGains();
    SetCompactLayout(On(kSlimView));
    UpdateChannelGroupFlags();
}

void CBrisalView::Serialize(CArchive& ar) {
    if (ar.IsStoring()) {
        viewrecord::WriteIndex(ar, kIndexKey, m_nDeviceId);
        for (int ch = 0; ch < kChannels; ++ch)
            viewrecord::WriteName(ar, false, ch, theIoNames.GetIoName(IoKeyBrisal, m_nDeviceId, ch));
        viewrecord::WriteControls(ar, &m_table);
        return;
    }
    ViewRecordReader reader(ar);
    reader.Next();
    int id = 0;
    if (reader.IndexAddress(kIndexKey, &id)) SetDeviceId(id);
    for (int ch = 0; ch < kChannels; ++ch) {
        if (!reader.Next()) break;
        const char* name = reader.After(viewrecord::NameKey(false, ch).c_str());
        if (!name) continue;
        // The store cuts the name to what a slot holds.
        theIoNames.SetIoName(IoKeyBrisal, m_nDeviceId, ch, name);
        PanelMarkChanged(GroupId(ch, kName), &m_table);
    }
    PanelLoad(&m_table, ar);
    RememberGains();
    SendChangedParameters(TRUE, TRUE, FALSE);
    UpdateChannelGroupFlags();
}

// The Brisal preamp as a panel: its controls, the four layouts, the grey
// marks of channels in a disabled gain group, gain ganging and the meters.
#include "devices/preamp/brisalview.h"

#include <algorithm>
#include <cstdio>

#include "app/devicenames.h"
#include "devices/preamp/bankaddress.h"
#include "resource.h"

IMPLEMENT_DYNCREATE(CBrisalView, CPanelView)

BEGIN_MESSAGE_MAP(CBrisalView, CPanelView)
    ON_WM_ERASEBKGND()
    ON_COMMAND(ID_FAST_METER_POLLING, OnFastMeterPolling)
    ON_UPDATE_COMMAND_UI(ID_FAST_METER_POLLING, OnUpdateFastMeterPolling)
    ON_COMMAND(ID_DEFAULT_IO_NAMES, OnDefaultIoNames)
    ON_COMMAND(ID_EDIT_DEVICE_NAMES, OnSystemDeviceNames)
END_MESSAGE_MAP()

namespace {

const int kHelp = 230;
const int kMadiHelp = 232;
const int kOptionsShift = 102;   // the height the slim layout saves

char g_deviceIds[8][PANEL_LIST_ENTRY] = {"0 ", "1 ", "2 ", "3 ", "4 ", "5 ", "6 ", "7 "};
char g_deviceStates[3][PANEL_LIST_ENTRY] = {"Offline ", "No Resp. ", "Online "};
char g_presets[7][PANEL_LIST_ENTRY] = {"None ", "1 ", "2 ", "3 ", "4 ", "5 ", "6 "};
char g_delayTypes[4][PANEL_LIST_ENTRY] = {"OFF ", "Manual ", "Auto-ID ", "Auto-CA "};
char g_delayIds[8][PANEL_LIST_ENTRY] = {"1 ", "2 ", "3 ", "4 ", "5 ", "6 ", "7 ", "8 "};
char g_madiChannels[2][PANEL_LIST_ENTRY] = {"56 ch ", "64 ch "};
char g_madiFrames[2][PANEL_LIST_ENTRY] = {"96k ", "48k "};
char g_routing[16][PANEL_LIST_ENTRY] = {"Mic 1-8 ",    "ADAT In ",    "AES In ",     "MADI 1-8 ",
                                        "MADI 9-16 ",  "MADI 17-24 ", "MADI 25-32 ", "MADI 33-40 ",
                                        "MADI 41-48 ", "MADI 49-56 ", "MADI 57-64 ", "PB 1-8 ",
                                        "PB 5-12 ",    "PB 9-16 ",    "PB 13-20 ",   "PB 17-24 "};
char g_clockSources[8][PANEL_LIST_ENTRY] = {"INT ", "WCK ", "AES1 ", "AES2 ", "AES3 ", "AES4 ", "MADI ", "ADAT "};
char g_sampleRates[9][PANEL_LIST_ENTRY] = {"32k ",  "44.1k ", "48k ",    "64k ", "88.2k ",
                                           "96k ",  "128k ",  "176.4k ", "192k "};
char g_midiSources[6][PANEL_LIST_ENTRY] = {"OFF ", "USB1 ", "USB2 ", "MADI In ", "DIN In ", "Control "};
char g_gainGroups[5][PANEL_LIST_ENTRY] = {"none ", "1  ", "2  ", "3  ", "4  "};
char g_gains[CBrisalView::kGainSteps + 1][PANEL_LIST_ENTRY];
char g_phonesSources[136][PANEL_LIST_ENTRY];

// The gain list ("0.0 ", "10.0 " .. "65.0 ") and the phones sources: the
// playback pairs, the microphones, ADAT, AES and the eight blocks of MADI.
// A few entries of the device's own list lack the trailing blank; they are
// kept so, as the device's display shows them.
void FillLists() {
    if (g_gains[0][0]) return;
    std::snprintf(g_gains[0], PANEL_LIST_ENTRY, "0.0 ");
    for (int k = 1; k <= CBrisalView::kGainSteps; ++k) std::snprintf(g_gains[k], PANEL_LIST_ENTRY, "%i.0 ", k + 9);
    auto set = [](int index, const char* format, int a, int b) {
        std::snprintf(g_phonesSources[index], PANEL_LIST_ENTRY, format, a, b);
    };
    set(0, "Play 1/2 ", 0, 0);
    set(1, "Play 3/4 ", 0, 0);
    for (int k = 0; k < 8; ++k) set(2 + k, "Mic %i ", k + 1, 0);
    for (int k = 0; k < 4; ++k) set(10 + k, "Mic %i/%i ", 2 * k + 1, 2 * k + 2);
    set(14, "Mic 1-8 ", 0, 0);
    set(15, "Mic 1-8S ", 0, 0);
    for (int k = 0; k < 8; ++k) set(16 + k, "ADAT %i ", k + 1, 0);
    for (int k = 0; k < 4; ++k) set(24 + k, "ADAT %i/%i ", 2 * k + 1, 2 * k + 2);
    for (int k = 0; k < 8; ++k) set(28 + k, "AES %i ", k + 1, 0);
    for (int k = 0; k < 4; ++k) set(36 + k, "AES %i/%i ", 2 * k + 1, 2 * k + 2);
    for (int block = 0; block < 8; ++block) {
        const int first = 40 + 12 * block, n = 8 * block;
        for (int k = 0; k < 8; ++k) set(first + k, "MADI %i ", n + k + 1, 0);
        for (int k = 0; k < 4; ++k) set(first + 8 + k, "MADI %i/%i ", n + 2 * k + 1, n + 2 * k + 2);
    }
    set(31, "AES 4", 0, 0);
    set(34, "AES 7", 0, 0);
    set(45, "MADI 6", 0, 0);
}

#define BRISAL_ROW(id, name, type, bitmap, value, max, x, y, w, h, flags, list) \
    {id, name, type, bitmap, value, 0.0, max, value, 1.0, 0, "", x, y, w, h, flags, list, kHelp, 0, 0, 0}

// In the order of the control lines (not the order of the ids).
const PanelControl kTemplate[CBrisalView::kTemplateCount] = {
    BRISAL_ROW(0, "Editor Background", 100, 338, 3, 3, 0, 0, 1060, 48, 0, nullptr),
    BRISAL_ROW(1, "Device ID", 5, 272, 0, 7, 55, 8, 20, 10, PANEL_NOT_SAVED, g_deviceIds[0]),
    BRISAL_ROW(2, "Device Name", 5, 272, 0, 7, 110, 8, 90, 10, PANEL_NOT_SAVED, nullptr),
    BRISAL_ROW(3, "Device State", 6, 272, 0, 2, 243, 8, 60, 10, 0, g_deviceStates[0]),
    BRISAL_ROW(9, "Slim View Activation", 3, 298, 0, 1, 611, 8, 13, 10, 0, nullptr),
    BRISAL_ROW(10, "Options View Act.", 3, 298, 0, 1, 560, 8, 13, 10, 0, nullptr),
    BRISAL_ROW(8, "Peak Hold", 3, 298, 0, 1, 493, 8, 14, 10, 0, nullptr),
    BRISAL_ROW(7, "Gains Not grouped", 3, 298, 0, 1, 416, 8, 13, 10, 0, nullptr),
    BRISAL_ROW(4, "Device Preset Number", 5, 269, 0, 6, 688, 8, 34, 10, PANEL_NOT_SAVED, g_presets[0]),
    BRISAL_ROW(5, "Device Preset Store", 3, 278, 0, 1, 742, 8, 34, 10, PANEL_NOT_SAVED, nullptr),
    BRISAL_ROW(6, "Device Preset Recall", 3, 280, 0, 1, 786, 8, 34, 10, PANEL_NOT_SAVED, nullptr),
    BRISAL_ROW(11, "WCK Input Clock State", 37, 298, 0, 1, 884, 8, 13, 10, 0, nullptr),
    BRISAL_ROW(12, "AES Input Clock State", 37, 298, 0, 1, 934, 8, 13, 10, 0, nullptr),
    BRISAL_ROW(13, "ADAT Input Clock State", 37, 298, 0, 1, 984, 8, 13, 10, 0, nullptr),
    BRISAL_ROW(14, "MADI Input Clock State", 37, 298, 0, 1, 1034, 8, 13, 10, 0, nullptr),
    BRISAL_ROW(15, "Editor Background", 36, 339, 3, 3, 0, 226, 1060, 94, 0, nullptr),
    BRISAL_ROW(16, "Del. Comp. Type", 4, 269, 0, 3, 598, 255, 52, 10, 0, g_delayTypes[0]),
    BRISAL_ROW(17, "Del. Comp. ID", 4, 269, 0, 7, 623, 270, 27, 10, 0, g_delayIds[0]),
    BRISAL_ROW(18, "Madi Format Channels", 5, 269, 1, 1, 598, 285, 52, 10, 0, g_madiChannels[0]),
    BRISAL_ROW(19, "Madi Format Frame", 5, 269, 1, 1, 598, 300, 52, 10, 0, g_madiFrames[0]),
    BRISAL_ROW(20, "Routing ADAT", 4, 269, 0, 15, 57, 255, 70, 10, 0, g_routing[0]),
    BRISAL_ROW(21, "Routing ADAT 2", 4, 269, 0, 15, 57, 270, 70, 10, 0, g_routing[0]),
    BRISAL_ROW(22, "Routing AES", 4, 269, 0, 15, 57, 285, 70, 10, 0, g_routing[0]),
    BRISAL_ROW(23, "Routing MADI1-8", 4, 269, 0, 15, 189, 255, 70, 10, 0, g_routing[0]),
    BRISAL_ROW(24, "Routing MADI9-16", 4, 269, 4, 15, 189, 270, 70, 10, 0, g_routing[0]),
    BRISAL_ROW(25, "Routing MADI17-24", 4, 269, 5, 15, 189, 285, 70, 10, 0, g_routing[0]),
    BRISAL_ROW(26, "Routing MADI25-32", 4, 269, 6, 15, 189, 300, 70, 10, 0, g_routing[0]),
    BRISAL_ROW(27, "Routing MADI33-40", 4, 269, 7, 15, 321, 255, 70, 10, 0, g_routing[0]),
    BRISAL_ROW(28, "Routing MADI41-48", 4, 269, 8, 15, 321, 270, 70, 10, 0, g_routing[0]),
    BRISAL_ROW(29, "Routing MADI49-56", 4, 269, 9, 15, 321, 285, 70, 10, 0, g_routing[0]),
    BRISAL_ROW(30, "Routing MADI57-64", 4, 269, 10, 15, 321, 300, 70, 10, 0, g_routing[0]),
    BRISAL_ROW(31, "Routing Rec 9-16", 4, 269, 10, 15, 453, 255, 70, 10, 0, g_routing[0]),
    BRISAL_ROW(32, "Routing Rec 17-24", 4, 269, 10, 15, 453, 270, 70, 10, 0, g_routing[0]),
    BRISAL_ROW(33, "Clock Source", 5, 269, 0, 7, 744, 255, 40, 10, 0, g_clockSources[0]),
    BRISAL_ROW(34, "Sample Rate", 4, 269, 1, 8, 734, 270, 50, 10, 0, g_sampleRates[0]),
    BRISAL_ROW(35, "WCK Single Speed", 3, 298, 0, 1, 771, 285, 13, 10, 0, nullptr),
    BRISAL_ROW(36, "WCK Termination", 3, 298, 0, 1, 771, 300, 13, 10, 0, nullptr),
    BRISAL_ROW(37, "Source MIDI USB 1", 4, 269, 1, 5, 856, 255, 60, 10, 0, g_midiSources[0]),
    BRISAL_ROW(38, "Source MIDI USB 2", 4, 269, 1, 5, 856, 270, 60, 10, 0, g_midiSources[0]),
    BRISAL_ROW(39, "Source MIDI DIN", 4, 269, 1, 5, 856, 285, 60, 10, 0, g_midiSources[0]),
    BRISAL_ROW(40, "Source MIDI MADI", 4, 269, 1, 5, 856, 300, 60, 10, 0, g_midiSources[0]),
    BRISAL_ROW(41, "Group 1 Enable", 3, 298, 0, 1, 980, 255, 13, 10, 0, nullptr),
    BRISAL_ROW(42, "Group 1 AS", 3, 298, 0, 1, 1024, 255, 13, 10, 0, nullptr),
    BRISAL_ROW(43, "Group 2 Enable", 3, 298, 0, 1, 980, 270, 13, 10, 0, nullptr),
    BRISAL_ROW(44, "Group 2 AS", 3, 298, 0, 1, 1024, 270, 13, 10, 0, nullptr),
    BRISAL_ROW(45, "Group 3 Enable", 3, 298, 0, 1, 980, 285, 13, 10, 0, nullptr),
    BRISAL_ROW(46, "Group 3 AS", 3, 298, 0, 1, 1024, 285, 13, 10, 0, nullptr),
    BRISAL_ROW(47, "Group 4 Enable", 3, 298, 0, 1, 980, 300, 13, 10, 0, nullptr),
    BRISAL_ROW(48, "Group 4 AS", 3, 298, 0, 1, 1024, 300, 13, 10, 0, nullptr),
};

#undef BRISAL_ROW

PanelControl GroupControl(int group, int place) {
    static const char* const kChannelNames[CBrisalView::kGroupSize] = {
        "Back %i", "Input Name %i", "Input Level %i", "Input Level Hold %i", "Gain Adjust Input %i",
        "Gain Group Select %i", "Phantom Power Input %i", "Pad/Instrument Input %i", "Auto Set Input %i",
        "Phase Reverse Input %i", "Mute Input %i", "Number %i"};
    // The phones keep the keys of the channels' places 5 and 6 for their
    // source and signed value; files and the registry rely on them.
    static const char* const kPhonesNames[CBrisalView::kGroupSize] = {
        "Back %i", "Gain Group Select %i", "Input Level %i", "Input Level Hold %i", "Volume Phones %i",
        "Phantom Power Input %i", "Mute Phones %i", "HighLevel Phones %i", "Phase Rev. Left Phones %i",
        "Phase Rev. Right Phones %i", "", "Number %i"};
    const bool phones = group >= CBrisalView::kChannels;
    const int x0 = 106 * group;
    PanelControl c = PanelMakeControl(CBrisalView::GroupId(group, place), PANEL_SWITCH, 298, 0, 1, x0 + 53, 100, 13, 10);
    c.step = 0.0;
    std::snprintf(c.name, sizeof(c.name), (phones ? kPhonesNames : kChannelNames)[place], group + 1);
    switch (place) {
    case CBrisalView::kBack:
        c.type = PANEL_FIXED_BITMAP;
        c.x = x0;
        c.w = 106;
        break;
    case CBrisalView::kName:   // and the phones' source
        if (phones) {
            c.type = PANEL_LIST_WRAP;
            c.bitmap = 269;
            c.max = 135;
            c.step = 1;
            c.list = g_phonesSources[0];
            c.x = x0 + 29;
            c.w = 68;
        } else {
            c.type = PANEL_TEXT_EDIT;
            c.bitmap = 269;
            c.max = 12;
            c.x = x0 + 13;
            c.w = 80;
        }
        break;
    case CBrisalView::kLevel:
    case CBrisalView::kHold:
        c.type = place == CBrisalView::kLevel ? PANEL_BAR : PANEL_BAR_PEAK;
        c.bitmap = 302;
        c.max = 12;
        c.step = 8;
        c.lastLength = -1;
        c.x = x0 + 27;
        c.w = 20;
        break;
    case CBrisalView::kGain:   // and the phones' volume
        c.bitmap = 323;
        c.decimals = 1;
        c.h = 24;
        if (phones) {
            c.type = PANEL_NUMBER;
            c.min = -65;
            c.max = 6;
            c.step = 0.5;
            c.x = x0 + 9;
            c.w = 88;
        } else {
            c.type = PANEL_LIST;
            c.max = CBrisalView::kGainSteps;
            c.step = 1;
            c.list = g_gains[0];
            c.x = x0 + 13;
            c.w = 80;
        }
        break;
    case CBrisalView::kGainGroup:   // and the phones' signed value
        c.bitmap = 269;
        if (phones) {
            c.type = PANEL_NUMBER;
            c.min = -1;
            c.max = 1;
            c.step = 0.01;
            c.decimals = 2;
            c.w = 44;
        } else {
            c.type = PANEL_LIST;
            c.max = 4;
            c.step = 1;
            c.list = g_gainGroups[0];
            c.x = x0 + 59;
            c.w = 34;
        }
        break;
    case CBrisalView::kPhantom:
        if (!phones) c.bitmap = 276;
        break;
    case CBrisalView::kAutoSet: c.y = 148; break;
    case CBrisalView::kPhase: c.y = 163; break;
    case CBrisalView::kMute:
        if (phones) {
            // Nothing of a phones output sits here.
            c.x = x0 + 10;
            c.flags = PANEL_HIDDEN;
        } else {
            c.y = 178;
        }
        break;
    case CBrisalView::kNumber:
        c.type = PANEL_FIXED_BITMAP;
        if (phones) {
            c.bitmap = group == CBrisalView::kChannels ? 343 : 344;
            c.x = x0 + 60;
            c.w = 32;
        } else {
            // The plates of channels 1..7 are 310..316; channel 8's is 308.
            c.bitmap = group == 7 ? 308 : 310 + group;
            c.x = x0 + 68;
            c.w = 16;
        }
        c.y = 198;
        c.h = 14;
        break;
    default: break;
    }
    return c;
}

// The lowest byte of each of the thirteen meter steps.
const int kMeterSteps[13] = {0, 5, 15, 23, 35, 47, 59, 71, 83, 95, 110, 120, 126};

}  // namespace

int CBrisalView::MeterLevelOf(int byte) {
    int level = 0;
    while (level < 12 && byte >= kMeterSteps[level + 1]) ++level;
    return level;
}

CBrisalView::CBrisalView() {
    FillLists();
    m_nHelpContext = kHelp;
    AllocatePanel(kControlCount, kIndexSize);
    std::copy(kTemplate, kTemplate + kTemplateCount, m_controls.begin());
    for (PanelControl& c : m_controls)
        if (c.id == kMadiChannels || c.id == kMadiFrame) c.help = kMadiHelp;
    m_controls[2].list = DeviceIdNames[0];
    for (int g = 0; g < kGroups; ++g)
        for (int p = 0; p < kGroupSize; ++p)
            m_controls[size_t(kTemplateCount + kGroupSize * g + p)] = GroupControl(g, p);
    BuildPanelTable(kPanelWidth, m_nPanelHeight);
    SetCompactLayout(FALSE);
    SetDeviceId(0);
}

CBrisalView::~CBrisalView() = default;

void CBrisalView::OnDraw(CDC* dc) { PaintPanel(dc, kPanelWidth, m_nPanelHeight, nullptr, TRUE); }

BOOL CBrisalView::OnEraseBkgnd(HDC) { return TRUE; }

void CBrisalView::OnFastMeterPolling() { m_bEnableFast = m_bEnableFast ? 0 : 1; }

void CBrisalView::OnUpdateFastMeterPolling(CCmdUI* ui) { ShowFastPollingItem(ui, m_bEnableFast); }

// ---------------------------------------------------------------- layouts

void CBrisalView::SetCompactLayout(BOOL slim) {
    const bool options = On(kOptionsView);
    m_nPanelHeight = options ? 320 : 226;
    // Where the options area stands tells whether it has been moved up.
    const bool movedUp = Control(kDelayType)->y != 255;
    const int shift = slim && !movedUp ? -kOptionsShift : (!slim && movedUp ? kOptionsShift : 0);
    for (int id = kOptionsBack; id <= kGroupAs4; ++id) {
        PanelSetFlags(PANEL_HIDDEN, options ? 0 : 1, id, &m_table);
        Control(id)->y += shift;
        Control(id)->flags |= PANEL_REDRAW;
    }
    if (slim) m_nPanelHeight -= kOptionsShift;
    Control(kBackground)->h = slim ? 25 : 48;
    auto place = [this](int id, int y) {
        Control(id)->y = y;
        Control(id)->flags |= PANEL_REDRAW;
    };
    for (int g = 0; g < kGroups; ++g) {
        const bool phones = g >= kChannels;
        PanelControl* back = Control(GroupId(g, kBack));
        back->h = slim ? 100 : 179;
        back->bitmap = phones ? (slim ? 340 : 337) : g < 4 ? (slim ? 341 : 336) : (slim ? 342 : 335);
        place(back->id, slim ? 25 : 47);
        place(GroupId(g, kName), slim ? 32 : 55);
        for (int p : {kLevel, kHold}) {
            PanelControl* meter = Control(GroupId(g, p));
            meter->value = 0;
            meter->lastLength = -1;
            meter->h = slim ? 24 : 96;
            // The slim meters show the top three of the thirteen steps.
            meter->min = slim ? 10 : 0;
            place(meter->id, slim ? 93 : 118);
        }
        place(GroupId(g, kGain), slim ? 62 : 85);
        place(GroupId(g, kGainGroup), slim ? 47 : 70);
        place(GroupId(g, kPhantom), slim ? 93 : 118);
        place(GroupId(g, kPad), slim ? 108 : 133);
        for (int p : {kAutoSet, kPhase, kNumber}) PanelSetFlags(PANEL_HIDDEN, slim ? 1 : 0, GroupId(g, p), &m_table);
        PanelSetFlags(PANEL_HIDDEN, slim || phones ? 1 : 0, GroupId(g, kMute), &m_table);
    }
}

void CBrisalView::UpdateChannelGroupFlags() {
    for (int ch = 0; ch < kChannels; ++ch) {
        // From the control's value, which its range keeps at 0..4.
        const int n = IntValue(GroupId(ch, kGainGroup));
        const bool grey = n >= 1 && n <= 4 && Value(GroupEnableId(n)) < 0.5;
        PanelSetFlags(PANEL_GREY_FILL, grey ? 1 : 0, GroupId(ch, kGainGroup), &m_table);
    }
}

void CBrisalView::RememberGains() {
    for (int ch = 0; ch < kChannels; ++ch) m_previousGain[ch] = Value(GroupId(ch, kGain));
}

// ---------------------------------------------------------------- ganging

bool CBrisalView::GangGain(int channel) {
    const int n = IntValue(GroupId(channel, kGainGroup));
    if (On(kNotGrouped) || Value(GroupId(channel, kGainGroup)) <= 0.5 || n < 1 || n > 4 || !On(GroupEnableId(n)))
        return false;
    const double now = Value(GroupId(channel, kGain));
    const double before = m_previousGain[channel];
    // The change in dB with its sign reversed; there are no gains between 0
    // and 10 dB, so leaving or reaching index 0 is a step of nine more.
    double d = before - now;
    if (d > 0.5 || d < -0.5) {
        if (before < 0.5)
            d -= 9;
        else if (now < 0.5)
            d += 9;
    }
    d = std::min(64.0, std::max(-63.0, d));
    for (int k = 0; k < kChannels; ++k) {
        if (k == channel || IntValue(GroupId(k, kGainGroup)) != n) continue;
        const int id = GroupId(k, kGain);
        double x = Value(id) - d;
        if (Value(id) < 0.5 && d < -9.5) x -= 9;
        PanelShowValue(x, id, &m_table);
        Control(id)->flags &= ~PANEL_CHANGED;
        m_previousGain[k] = Value(id);
    }
    Add(0x1A, ((TruncateToInt(-d) - 64) & 0x7F) | n << 8);
    m_previousGain[channel] = now;
    return true;
}

// ---------------------------------------------------------------- meters

void CBrisalView::Meter(int group, int level) {
    PanelControl* hold = Control(GroupId(group, kHold));
    const bankaddr::HoldStep step = bankaddr::NextHold(level, TruncateToInt(hold->value), hold->hold,
                                                       Value(kPeakHold) >= 0.5, !m_bEnableFast, kHoldReplies);
    PanelShowValue(step.value, hold->id, &m_table);
    if (step.repaint) PanelInvalidate(hold->id, &m_table);
    hold->hold = step.counter;
    const int id = GroupId(group, kLevel);
    PanelShowValue(bankaddr::MeterLevel(level, TruncateToInt(Value(id)), 2), id, &m_table);
}

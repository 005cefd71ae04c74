// The Fennow preamp as a panel: its controls, the normal and slim layouts,
// the gain range that follows the front plug, and the level meters.
#include "devices/preamp/fennowview.h"

#include <algorithm>
#include <cstdio>

#include "app/devicenames.h"
#include "devices/preamp/bankaddress.h"
#include "resource.h"

IMPLEMENT_DYNCREATE(CFennowView, CBankView)

BEGIN_MESSAGE_MAP(CFennowView, CBankView)
    ON_WM_ERASEBKGND()
    ON_COMMAND(ID_PROGRAM_DEVICE_ID, OnProgramDeviceId)
    ON_COMMAND(ID_DEFAULT_IO_NAMES, OnDefaultIoNames)
    ON_COMMAND(ID_EDIT_DEVICE_NAMES, OnSystemDeviceNames)
END_MESSAGE_MAP()

namespace {

const int kHelp = 230;

char g_generator[9][PANEL_LIST_ENTRY] = {"off ", "1 ", "2 ", "3 ", "4 ", "5 ", "6 ", "7 ", "8 "};
char g_presets[9][PANEL_LIST_ENTRY] = {"None ", "1 ", "2 ", "3 ", "4 ", "5 ", "6 ", "7 ", "8 "};
char g_outputLevels[3][PANEL_LIST_ENTRY] = {"+13dBu ", "+19dBu ", "+24dBu "};
char g_autoSetLimits[4][PANEL_LIST_ENTRY] = {"-1dB ", "-3dB ", "-6dB ", "-12dB "};
char g_digitalOut[2][PANEL_LIST_ENTRY] = {"Analog ", "Option "};
char g_clockSources[4][PANEL_LIST_ENTRY] = {"Internal ", "Option ", "AES ", "WCK "};
char g_clockFrequencies[2][PANEL_LIST_ENTRY] = {"44.1k ", "48k "};
char g_sampleRateRanges[3][PANEL_LIST_ENTRY] = {"    ", " DS ", " QS "};
// The generator's mark, shown in place of the gain of its channel.
char g_generatorMark[PANEL_LIST_ENTRY] = " ;<  ";

#define FENNOW_ROW(id, name, type, bitmap, value, max, def, x, y, w, h, flags) \
    {id, name, type, bitmap, value, 0.0, max, def, 1.0, 0, "", x, y, w, h, flags, nullptr, kHelp, 0, 0, 0}

// In the order of the control lines (not the order of the ids).
const PanelControl kTemplate[CFennowView::kTemplateCount] = {
    FENNOW_ROW(0, "Editor Background", 100, 306, 3, 3, 3, 0, 0, 982, 48, 0),
    FENNOW_ROW(1, "Editor Background", 36, 305, 3, 3, 3, 848, 47, 150, 208, 0),
    FENNOW_ROW(2, "Device Bank Number", 5, 272, 8, 8, 8, 56, 8, 30, 10, PANEL_NOT_SAVED),
    FENNOW_ROW(3, "Device ID", 5, 272, 0, 8, 0, 136, 8, 30, 10, PANEL_NOT_SAVED),
    FENNOW_ROW(4, "Device Name", 5, 272, 64, 64, 64, 198, 8, 110, 10, PANEL_NOT_SAVED),
    FENNOW_ROW(5, "Device State", 6, 272, 0, 2, 0, 348, 8, 80, 10, 0),
    FENNOW_ROW(9, "Generator Channel", 5, 272, 0, 8, 0, 498, 8, 30, 10, PANEL_NOT_SAVED),
    FENNOW_ROW(10, "Display Dark", 3, 298, 1, 1, 1, 564, 8, 13, 10, 0),
    FENNOW_ROW(11, "Slim View Activation", 3, 298, 1, 1, 1, 609, 8, 13, 10, 0),
    FENNOW_ROW(12, "Lock State KEYS", 3, 299, 0, 1, 0, 918, 8, 24, 10, 0),
    FENNOW_ROW(6, "Device Preset Number", 5, 269, 0, 8, 0, 688, 8, 34, 10, PANEL_NOT_SAVED),
    FENNOW_ROW(7, "Device Preset Store", 3, 278, 0, 1, 0, 732, 8, 34, 10, PANEL_NOT_SAVED),
    FENNOW_ROW(8, "Device Preset Recall", 3, 280, 0, 1, 0, 776, 8, 34, 10, PANEL_NOT_SAVED),
    FENNOW_ROW(13, "Analog Output Level", 4, 269, 0, 2, 0, 918, 54, 48, 10, 0),
    FENNOW_ROW(14, "Auto Set Limit", 4, 269, 0, 3, 0, 918, 69, 48, 10, 0),
    FENNOW_ROW(15, "Peak Hold", 3, 267, 1, 1, 1, 918, 84, 20, 10, 0),
    FENNOW_ROW(16, "Delay Compensation", 3, 267, 1, 1, 1, 918, 99, 20, 10, 0),
    FENNOW_ROW(17, "Auto ID", 3, 267, 1, 1, 1, 918, 114, 20, 10, 0),
    FENNOW_ROW(18, "AES/ADAT Out", 5, 269, 0, 1, 0, 918, 129, 48, 10, 0),
    FENNOW_ROW(19, "Clock Source", 5, 269, 3, 3, 3, 894, 174, 72, 10, 0),
    FENNOW_ROW(20, "Int. Clock Frequency ", 5, 269, 1, 1, 1, 894, 189, 40, 10, 0),
    FENNOW_ROW(21, "Sample Rate Range", 5, 269, 0, 2, 0, 942, 189, 24, 10, 0),
    FENNOW_ROW(22, "Follow Clock", 3, 267, 1, 1, 1, 928, 204, 20, 10, 0),
    FENNOW_ROW(23, "WCK Single Speed", 3, 267, 1, 1, 1, 928, 219, 20, 10, 0),
    FENNOW_ROW(25, "AES Input Clock State", 37, 298, 0, 1, 0, 856, 234, 13, 10, 0),
    FENNOW_ROW(24, "AES Input Clock State", 37, 298, 0, 1, 0, 899, 234, 13, 10, 0),
    FENNOW_ROW(26, "AES Input Clock State", 37, 298, 0, 1, 0, 942, 234, 13, 10, 0),
};

#undef FENNOW_ROW

char* ListOf(int id) {
    switch (id) {
    case CFennowView::kBank:
    case CFennowView::kId: return BankList();
    case CFennowView::kDeviceName: return FennowBankNames[0];
    case CFennowView::kDeviceState: return DeviceStateTexts();
    case CFennowView::kGenerator: return g_generator[0];
    case CFennowView::kPresetNumber: return g_presets[0];
    case CFennowView::kOutputLevel: return g_outputLevels[0];
    case CFennowView::kAutoSetLimit: return g_autoSetLimits[0];
    case CFennowView::kDigitalOut: return g_digitalOut[0];
    case CFennowView::kClockSource: return g_clockSources[0];
    case CFennowView::kClockFrequency: return g_clockFrequencies[0];
    case CFennowView::kSampleRateRange: return g_sampleRateRanges[0];
    default: return nullptr;
    }
}

PanelControl StripControl(int ch, int kind) {
    static const char* const kNames[CFennowView::kStripKinds] = {
        "Back %i",          "Input Level %i",       "Input Level Hold %i",        "Gain Adjust Input %i",
        "Gain Adjust Select Input %i", "Phantom Power Input %i", "Phase Reverse Input %i", "M/S-Coding Input %i",
        "Low Cut Input %i", "Auto Set Input %i",    "Enable Down Link Input %i",  "High Impedance Input %i",
        "Enable Front Plug Input %i",  "Number %i",  "Input Name %i"};
    const int x0 = 106 * ch;
    PanelControl c = PanelMakeControl(CFennowView::StripId(ch, kind), PANEL_SWITCH, 298, 0, 1, x0 + 54, 0, 13, 10);
    c.step = 0.0;
    std::snprintf(c.name, sizeof(c.name), kNames[kind], ch + 1);
    switch (kind) {
    case CFennowView::kStripBack:
        c.type = PANEL_FIXED_BITMAP;
        c.bitmap = 324;
        c.x = x0;
        c.y = 47;
        c.w = 106;
        c.h = 209;
        break;
    case CFennowView::kLevel:
    case CFennowView::kHold:
        c.type = kind == CFennowView::kLevel ? PANEL_BAR : PANEL_BAR_PEAK;
        c.bitmap = 302;
        c.max = 13;
        c.step = 8;
        c.lastLength = -1;
        c.x = x0 + 28;
        c.y = 118;
        c.w = 20;
        c.h = 104;
        break;
    case CFennowView::kGain:
        c.type = PANEL_NUMBER;
        c.bitmap = 323;
        c.min = -9.0;
        c.max = 76.5;
        c.step = 0.5;
        c.decimals = 1;
        c.list = g_generatorMark;
        c.x = x0 + 14;
        c.y = 85;
        c.w = 80;
        c.h = 24;
        break;
    case CFennowView::kGainSelect:
        c.x = x0 + 80;
        c.y = 69;
        break;
    case CFennowView::kPhantom:
        c.bitmap = 276;
        c.y = 118;
        break;
    case CFennowView::kNumber:
        c.type = PANEL_FIXED_BITMAP;
        // The plates of channels 1..7 are 310..316; channel 8's is 308.
        c.bitmap = ch == 7 ? 308 : 310 + ch;
        c.x = x0 + 6;
        c.y = 233;
        c.w = 31;
        c.h = 17;
        break;
    case CFennowView::kInputName:
        c.type = PANEL_TEXT_EDIT;
        c.bitmap = 269;
        c.max = 12;
        c.x = x0 + 14;
        c.y = 54;
        c.w = 80;
        c.h = 10;
        break;
    default:
        // The switch column, 15 pixels apart from the phase switch down.
        c.y = 133 + 15 * (kind - CFennowView::kPhase);
        if (kind == CFennowView::kAutoSet) c.bitmap = 303;
        if (kind == CFennowView::kDownLink && ch == 0) c.bitmap = 307;
        break;
    }
    return c;
}

}  // namespace

CFennowView::CFennowView() {
    m_nHelpContext = kHelp;
    SetAddressControls(kBank, kId, kDeviceName);
    AllocatePanel(kControlCount, kIndexSize);
    std::copy(kTemplate, kTemplate + kTemplateCount, m_controls.begin());
    for (int k = 0; k < kTemplateCount; ++k) m_controls[size_t(k)].list = ListOf(m_controls[size_t(k)].id);
    for (int ch = 0; ch < kChannels; ++ch)
        for (int kind = 0; kind < kStripKinds; ++kind)
            m_controls[size_t(kTemplateCount + kStripKinds * ch + kind)] = StripControl(ch, kind);
    BuildPanelTable(kPanelWidth, m_nPanelHeight);
    // The address starts at 0, so that this binds the name controls.
    SetDeviceId(bankaddr::kAllDevices);
    // Channel 1 has no down link to a previous device: its lamp stays dark.
    PanelSetFlags(PANEL_LED_OFF, 1, StripId(0, kDownLink), &m_table);
}

CFennowView::~CFennowView() = default;

void CFennowView::OnDraw(CDC* dc) { PaintPanel(dc, m_nPanelWidth, m_nPanelHeight, nullptr, TRUE); }

BOOL CFennowView::OnEraseBkgnd(HDC) { return TRUE; }

// ---------------------------------------------------------------- layouts

void CFennowView::SetCompactLayout(BOOL compact) {
    const int c = compact ? 22 : 0, b = compact ? 3 : 0, h = b / 2;
    m_nPanelHeight = compact ? 125 : 253;
    auto place = [this](int id, int y) {
        if (PanelControl* ctl = Control(id)) {
            ctl->y = y;
            ctl->flags |= PANEL_REDRAW;
        }
    };
    place(kRightBack, 47 - c);
    const int rightYs[] = {54, 69, 84, 99, 114, 129};
    for (int k = 0; k < 6; ++k) place(kOutputLevel + k, rightYs[k] - c);
    for (int id = kClockSource; id <= kClockState942; ++id) PanelSetFlags(PANEL_HIDDEN, compact, id, &m_table);
    for (int ch = 0; ch < kChannels; ++ch) {
        PanelControl* back = Control(StripId(ch, kStripBack));
        back->bitmap = compact ? 304 : 324;
        back->h = compact ? 100 : 209;
        place(StripId(ch, kStripBack), 47 - c);
        for (int kind : {kLevel, kHold}) {
            PanelControl* meter = Control(StripId(ch, kind));
            meter->value = 0;
            meter->lastLength = -1;
            meter->h = compact ? 24 : 104;
            // The slim meters show the top three of the thirteen steps.
            meter->min = compact ? 10 : 0;
            place(meter->id, 118 - c - b);
        }
        place(StripId(ch, kGain), 85 - c - h);
        place(StripId(ch, kGainSelect), 69 - c - h);
        place(StripId(ch, kPhantom), 118 - c - b);
        place(StripId(ch, kPhase), 133 - c - b);
        place(StripId(ch, kInputName), 54 - c);
        for (int kind = kMidSide; kind <= kNumber; ++kind)
            PanelSetFlags(PANEL_HIDDEN, compact, StripId(ch, kind), &m_table);
    }
}

void CFennowView::ApplyGainRange(int channel) {
    PanelControl* gain = Control(StripId(channel, kGain));
    const bool front = On(StripId(channel, kFrontPlug));
    gain->min = front ? 0.0 : -9.0;
    gain->max = front ? 50.0 : 76.5;
}

void CFennowView::SettleGain(int channel) {
    ApplyGainRange(channel);
    PanelControl* gain = Control(StripId(channel, kGain));
    PanelShowValue(gain->value, gain->id, &m_table);
    gain->lastLength = TruncateToInt(gain->value * 10);
}

// ---------------------------------------------------------------- meters

void CFennowView::FastMeter(int channel, int level) {
    PanelControl* hold = Control(StripId(channel, kHold));
    const bankaddr::HoldStep step = bankaddr::NextHold(level, TruncateToInt(hold->value), hold->hold,
                                                       Value(kPeakHold) >= 0.5, false, kHoldReplies);
    PanelShowValue(step.value, hold->id, &m_table);
    if (step.repaint) PanelInvalidate(hold->id, &m_table);
    hold->hold = step.counter;
    const int id = StripId(channel, kLevel);
    PanelShowValue(bankaddr::MeterLevel(level, TruncateToInt(Value(id)), 2), id, &m_table);
}

void CFennowView::StatusMeter(int channel, int level) {
    PanelShowValue(level, StripId(channel, kLevel), &m_table);
    const int hold = StripId(channel, kHold);
    if (Value(kPeakHold) <= 0.5 || level >= Value(hold)) PanelShowValue(level, hold, &m_table);
    PanelInvalidate(hold, &m_table);
}

void CFennowView::DecodeLevels(const BYTE* data, int length) {
    // The last byte closes the message; a channel whose byte is not before
    // it keeps what it shows.
    for (int ch = 0; ch < kChannels && 7 + ch < length - 1; ++ch) FastMeter(ch, data[7 + ch] & 0x0F);
    RedrawAllControls();
}

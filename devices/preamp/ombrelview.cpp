// The Ombrel converter as a panel: its controls, drawing, the mouse and keys,
// the level meters with their peak hold, and fast level polling.
#include "devices/preamp/ombrelview.h"

#include <algorithm>
#include <cstdio>

#include "app/devicenames.h"
#include "app/digidoc.h"
#include "app/mainframe.h"
#include "devices/preamp/bankaddress.h"
#include "midi/mmein.h"
#include "resource.h"

IMPLEMENT_DYNCREATE(COmbrelView, CBankView)

BEGIN_MESSAGE_MAP(COmbrelView, CBankView)
    ON_WM_ERASEBKGND()
    ON_COMMAND(ID_PROGRAM_DEVICE_ID, OnProgramDeviceId)
    ON_COMMAND(ID_DEFAULT_IO_NAMES, OnDefaultIoNames)
    ON_COMMAND(ID_EDIT_DEVICE_NAMES, OnSystemDeviceNames)
END_MESSAGE_MAP()

namespace {

const int kHelp = 231;   // also the view's help context
const int kLevelRequest = 0x11;
const int kLevelReplyMark = 0x31;
const int kShortestLevelReply = 16;
const int kLongestLevelReply = 60;

// Text lists: 30-byte entries, as the engine reads them.
char g_meterModes[2][PANEL_LIST_ENTRY] = {"Level ", "Gain Red. "};
char g_fxDrives[4][PANEL_LIST_ENTRY] = {"1.5dB ", "3 dB ", "4 dB ", "5 dB "};
char g_inputSources[3][PANEL_LIST_ENTRY] = {"Analog ", "Digital ", "Digital FX "};
char g_inputLevels[5][PANEL_LIST_ENTRY] = {"+4.2 dBu ", "+13 dBu ", "+19 dBu ", "+24 dBu ", " "};
char g_limiterModes[4][PANEL_LIST_ENTRY] = {"Off ", "Digital ", "Analog ", "An.+Dig. "};
char g_peakHoldModes[3][PANEL_LIST_ENTRY] = {"Off ", "Auto Reset ", "Infinite "};
char g_clockSources[5][PANEL_LIST_ENTRY] = {"Internal ", "WCK ", "Option ", "AES ", "ADAT "};
char g_clockFrequencies[2][PANEL_LIST_ENTRY] = {"44.1k ", "48k "};
char g_sampleRateRanges[3][PANEL_LIST_ENTRY] = {"    ", " DS ", " QS "};
char g_outputLevels[4][PANEL_LIST_ENTRY] = {"+4.2 dBu ", "+13 dBu ", "+19 dBu ", "+19/24 dBu "};
char g_digitalInputs[3][PANEL_LIST_ENTRY] = {"Option ", "ADAT ", "AES "};
char g_volumes[49][PANEL_LIST_ENTRY];

// "-oo ", then -98..-50 dB in 4 dB steps, -48..-20 in 2 dB steps and
// -19..0 in 1 dB steps.
void FillVolumeList() {
    if (g_volumes[0][0]) return;
    std::snprintf(g_volumes[0], PANEL_LIST_ENTRY, "-oo ");
    for (int k = 1; k < 49; ++k) {
        const int db = k <= 13 ? -98 + 4 * (k - 1) : (k <= 28 ? -48 + 2 * (k - 14) : -19 + (k - 29));
        std::snprintf(g_volumes[k], PANEL_LIST_ENTRY, "%i dB ", db);
    }
}

#define OMBREL_ROW(id, name, type, bitmap, value, max, def, x, y, w, h, flags) \
    {id, name, type, bitmap, value, 0.0, max, def, 1.0, 0, "", x, y, w, h, flags, nullptr, kHelp, 0, 0, 0}

// The header and the right-hand panel, in the order their control lines are
// written.
const PanelControl kTemplate[COmbrelView::kTemplateCount] = {
    OMBREL_ROW(0, "Editor Background", 100, 322, 3, 3, 0, 0, 0, 996, 47, 0),
    OMBREL_ROW(2, "Editor Background", 100, 320, 3, 3, 0, 0, 168, 776, 22, 0),
    OMBREL_ROW(1, "Editor Background", 36, 321, 3, 3, 0, 776, 47, 220, 265, 0),
    OMBREL_ROW(3, "Device Bank Number", 5, 272, 8, 8, 0, 56, 8, 30, 10, PANEL_NOT_SAVED),
    OMBREL_ROW(4, "Device ID", 5, 272, 0, 8, 0, 136, 8, 30, 10, PANEL_NOT_SAVED),
    OMBREL_ROW(5, "Device Name", 5, 272, 64, 64, 64, 198, 8, 110, 10, PANEL_NOT_SAVED),
    OMBREL_ROW(6, "Device State", 6, 272, 0, 2, 0, 348, 8, 80, 10, 0),
    OMBREL_ROW(7, "Output Volume Reference", 4, 269, 48, 48, 0, 724, 8, 48, 10, 0),
    OMBREL_ROW(8, "Recall Reference Volume", 3, 298, 1, 1, 0, 816, 8, 13, 10, 0),
    OMBREL_ROW(9, "Output Dim", 3, 276, 1, 1, 0, 864, 8, 20, 10, 0),
    OMBREL_ROW(10, "Lock State KEYS", 3, 299, 0, 1, 0, 960, 8, 24, 10, 0),
    OMBREL_ROW(25, "Enable Trim", 3, 267, 1, 1, 0, 966, 198, 20, 10, 0),
    OMBREL_ROW(24, "Direct Level", 3, 267, 1, 1, 0, 966, 213, 20, 10, 0),
    OMBREL_ROW(17, "Delay Compensation", 3, 267, 1, 1, 0, 966, 247, 20, 10, 0),
    OMBREL_ROW(16, "Auto ID", 3, 267, 1, 1, 0, 966, 262, 20, 10, 0),
    OMBREL_ROW(27, "Meter Mode", 4, 269, 0, 1, 0, 908, 292, 72, 10, 0),
    OMBREL_ROW(28, "FX Drive", 4, 269, 0, 3, 0, 946, 228, 40, 10, 0),
    OMBREL_ROW(11, "Input Source", 4, 269, 0, 2, 0, 818, 55, 68, 10, 0),
    OMBREL_ROW(12, "Analog Input Level", 4, 269, 0, 4, 0, 818, 70, 68, 10, 0),
    OMBREL_ROW(13, "Limiter Mode", 4, 269, 0, 3, 0, 818, 85, 68, 10, 0),
    OMBREL_ROW(14, "Peak Hold Mode", 4, 269, 0, 2, 0, 818, 134, 68, 10, 0),
    OMBREL_ROW(15, "Peak Hold Reset", 3, 298, 1, 1, 0, 872, 149, 13, 10, 0),
    OMBREL_ROW(18, "Clock Source", 5, 269, 0, 4, 0, 908, 70, 72, 10, 0),
    OMBREL_ROW(19, "Int. Clock Frequency ", 5, 269, 1, 1, 0, 908, 100, 40, 10, 0),
    OMBREL_ROW(20, "Sample Rate Range", 5, 269, 0, 2, 0, 957, 100, 24, 10, 0),
    OMBREL_ROW(21, "Follow Clock", 3, 267, 1, 1, 0, 966, 119, 20, 10, 0),
    OMBREL_ROW(22, "WCK Single Speed", 3, 267, 1, 1, 0, 966, 134, 20, 10, 0),
    OMBREL_ROW(23, "WCK Input Clock State", 37, 298, 0, 1, 0, 968, 149, 13, 10, 0),
    OMBREL_ROW(29, "Analog Output Level", 4, 269, 1, 3, 1, 818, 198, 68, 10, 0),
    OMBREL_ROW(30, "Analog Output Volume", 4, 269, 48, 48, 0, 818, 213, 48, 10, 0),
    OMBREL_ROW(26, "Enable Global Level", 3, 267, 1, 1, 0, 870, 213, 20, 10, 0),
    OMBREL_ROW(31, "Digital Input Select", 4, 269, 0, 2, 0, 818, 247, 68, 10, 0),
    OMBREL_ROW(32, "AES1 Input Clock State", 37, 243, 0, 1, 0, 818, 262, 13, 10, 0),
    OMBREL_ROW(33, "AES2 Input Clock State", 37, 246, 0, 1, 0, 836, 262, 13, 10, 0),
    OMBREL_ROW(34, "AES3 Input Clock State", 37, 249, 0, 1, 0, 854, 262, 13, 10, 0),
    OMBREL_ROW(35, "AES4 Input Clock State", 37, 252, 0, 1, 0, 872, 262, 13, 10, 0),
    OMBREL_ROW(36, "ADAT1 Input Clock State", 37, 243, 0, 1, 0, 818, 277, 13, 10, 0),
    OMBREL_ROW(37, "ADAT2 Input Clock State", 37, 246, 0, 1, 0, 836, 277, 13, 10, 0),
    OMBREL_ROW(38, "OPT. Input Clock State", 37, 298, 0, 1, 0, 818, 292, 14, 10, 0),
};

#undef OMBREL_ROW

char* ListOf(int id) {
    switch (id) {
    case COmbrelView::kBank:
    case COmbrelView::kId: return BankList();
    case COmbrelView::kDeviceName: return OmbrelBankNames[0];
    case COmbrelView::kDeviceState: return DeviceStateTexts();
    case COmbrelView::kVolumeReference:
    case COmbrelView::kAnalogOutputVolume: return g_volumes[0];
    case COmbrelView::kMeterMode: return g_meterModes[0];
    case COmbrelView::kFxDrive: return g_fxDrives[0];
    case COmbrelView::kInputSource: return g_inputSources[0];
    case COmbrelView::kAnalogInputLevel: return g_inputLevels[0];
    case COmbrelView::kLimiterMode: return g_limiterModes[0];
    case COmbrelView::kPeakHoldMode: return g_peakHoldModes[0];
    case COmbrelView::kClockSource: return g_clockSources[0];
    case COmbrelView::kClockFrequency: return g_clockFrequencies[0];
    case COmbrelView::kSampleRateRange: return g_sampleRateRanges[0];
    case COmbrelView::kAnalogOutputLevel: return g_outputLevels[0];
    case COmbrelView::kDigitalInputSelect: return g_digitalInputs[0];
    default: return nullptr;
    }
}

// One strip control before its kind's values: a switch LED, off, at a
// place of no consequence.
PanelControl StripDefaults(int id) {
    PanelControl c{};
    c.id = id;
    c.type = PANEL_SWITCH;
    c.max = 1.0;
    c.x = 10;
    c.y = 100;
    c.w = 13;
    c.h = 10;
    return c;
}

void Place(PanelControl& c, int x, int y, int w, int h) {
    c.x = x;
    c.y = y;
    c.w = w;
    c.h = h;
}

void Range(PanelControl& c, double value, double min, double max, double def) {
    c.value = value;
    c.min = min;
    c.max = max;
    c.defaultValue = def;
}

void Meter(PanelControl& c, int type, int bitmap, int x, int y, int w, int h) {
    c.type = type;
    c.bitmap = bitmap;
    c.step = 8.0;
    c.lastLength = -1;
    Place(c, x, y, w, h);
}

void Trim(PanelControl& c, double min, int x, int y) {
    c.type = PANEL_NUMBER;
    c.bitmap = 269;
    Range(c, 0.0, min, 6.0, 0.0);
    c.step = 0.5;
    c.decimals = 1;
    std::snprintf(c.unit, sizeof(c.unit), "dB");
    Place(c, x, y, 54, 10);
}

void DownMix(PanelControl& c, int x, int y) {
    c.type = PANEL_NUMBER;
    c.bitmap = 269;
    Range(c, -127.0, -127.0, 0.0, -127.0);
    c.step = 1.0;
    std::snprintf(c.unit, sizeof(c.unit), "dB");
    c.flags = PANEL_HIDDEN;
    Place(c, x, y, 54, 10);
}

PanelControl StripControl(int channel, int kind) {
    PanelControl c = StripDefaults(COmbrelView::StripId(channel, kind));
    const int n = channel + 1, x0 = 97 * channel;
    switch (kind) {
    case COmbrelView::kStripBack:
        std::snprintf(c.name, sizeof(c.name), "Back %i", n);
        c.type = PANEL_FIXED_BITMAP;
        c.bitmap = 318;
        Place(c, x0, 47, 97, 140);
        break;
    case COmbrelView::kInputName:
    case COmbrelView::kOutputName: {
        const bool input = kind == COmbrelView::kInputName;
        std::snprintf(c.name, sizeof(c.name), input ? "Input Name %i" : "Output Name %i", n);
        c.type = PANEL_TEXT_EDIT;
        c.bitmap = 269;
        c.max = 12.0;
        Place(c, x0 + 12, input ? 55 : 198, 74, 10);
        break;
    }
    case COmbrelView::kInputLevel:
        std::snprintf(c.name, sizeof(c.name), "Input Level %i", n);
        Meter(c, PANEL_BAR, 302, x0 + 28, 74, 20, 56);
        c.max = 7.0;
        break;
    case COmbrelView::kInputHold:
        std::snprintf(c.name, sizeof(c.name), "Input Level Hold %i", n);
        Meter(c, PANEL_BAR_PEAK, 302, x0 + 28, 74, 20, 56);
        c.max = 7.0;
        break;
    case COmbrelView::kInputGainReduction:
        std::snprintf(c.name, sizeof(c.name), "Input Gain Reduction %i", n);
        Meter(c, PANEL_BAR_PLAIN, 317, x0 + 58, 82, 15, 48);
        Range(c, 6.0, 0.0, 6.0, 6.0);
        break;
    case COmbrelView::kInputTrim:
        std::snprintf(c.name, sizeof(c.name), "Gain Trim Input %i", n);
        Trim(c, 0.0, x0 + 12, 149);
        break;
    case COmbrelView::kInputSelect:
        std::snprintf(c.name, sizeof(c.name), "Gain Adjust Select Input %i", n);
        c.bitmap = 298;
        Place(c, x0 + 74, 149, 13, 10);
        break;
    case COmbrelView::kDownMix7:
        std::snprintf(c.name, sizeof(c.name), "Down Mix Input %i to Output 7", n);
        DownMix(c, x0 + 38, 138);
        break;
    case COmbrelView::kDownMix8:
        std::snprintf(c.name, sizeof(c.name), "Down Mix Input %i to Output 8", n);
        DownMix(c, x0 + 38, 153);
        break;
    case COmbrelView::kOutputBack:
        std::snprintf(c.name, sizeof(c.name), "Back Out %i", n);
        c.type = PANEL_FIXED_BITMAP;
        c.bitmap = 319;
        Place(c, x0, 190, 97, 140);
        break;
    case COmbrelView::kOutputLevel:
        std::snprintf(c.name, sizeof(c.name), "Output Level %i", n);
        Meter(c, PANEL_BAR, 302, x0 + 28, 217, 20, 56);
        c.max = 7.0;
        break;
    case COmbrelView::kOutputHold:
        std::snprintf(c.name, sizeof(c.name), "Output Level Hold %i", n);
        Meter(c, PANEL_BAR_PEAK, 302, x0 + 28, 217, 20, 56);
        c.max = 7.0;
        break;
    case COmbrelView::kMute:
        std::snprintf(c.name, sizeof(c.name), "Mute Output %i", n);
        c.bitmap = 300;
        Place(c, x0 + 69, 232, 13, 10);
        break;
    case COmbrelView::kOutputTrim:
        std::snprintf(c.name, sizeof(c.name), "Gain Trim Output %i", n);
        Trim(c, -6.0, x0 + 12, 292);
        break;
    case COmbrelView::kOutputSelect:
        std::snprintf(c.name, sizeof(c.name), "Gain Adjust Select Output %i", n);
        c.bitmap = 298;
        Place(c, x0 + 74, 292, 13, 10);
        break;
    case COmbrelView::kNumber:
        std::snprintf(c.name, sizeof(c.name), "Number %i", n);
        c.type = PANEL_FIXED_BITMAP;
        // The plates of channels 1..7 are 310..316; channel 8's is 308.
        c.bitmap = n == 8 ? 308 : 309 + n;
        Place(c, x0 + 68, 252, 17, 17);
        break;
    default:
        break;
    }
    return c;
}

}  // namespace

COmbrelView::COmbrelView() {
    m_nHelpContext = 231;
    SetAddressControls(kBank, kId, kDeviceName);
    AllocatePanel(kControlCount, kIndexSize);
    BuildControls();
    BuildPanelTable(kPanelWidth, kPanelHeight);
    // The address starts at 0, so that this binds the name controls.
    SetDeviceId(bankaddr::kAllDevices);
}

COmbrelView::~COmbrelView() = default;

int COmbrelView::Truncate(double v) { return TruncateToInt(v); }

void COmbrelView::BuildControls() {
    FillVolumeList();
    std::copy(kTemplate, kTemplate + kTemplateCount, m_controls.begin());
    for (int k = 0; k < kTemplateCount; ++k) m_controls[size_t(k)].list = ListOf(m_controls[size_t(k)].id);
    for (int channel = 0; channel < kChannels; ++channel)
        for (int kind = 0; kind < kStripKinds; ++kind)
            m_controls[size_t(kTemplateCount + kStripKinds * channel + kind)] = StripControl(channel, kind);
}

// ---------------------------------------------------------------- drawing and input

void COmbrelView::OnDraw(CDC* dc) {
    const COLORREF grey = RGB(105, 105, 105);
    PaintPanel(dc, m_nPanelWidth, m_nPanelHeight, &grey);
}

BOOL COmbrelView::OnEraseBkgnd(HDC) { return TRUE; }

// ---------------------------------------------------------------- fast polling

int COmbrelView::FastPoll() {
    if (m_bEnableFast) {
        theMmeIn.SendRequest(this, kLevelRequest, kModel, m_nDeviceId);
    } else if (++m_nSlowPollCount > 10) {
        m_nSlowPollCount = 0;
        theMmeIn.SendRequest(this, kLevelRequest, kModel, m_nDeviceId);
    }
    // This view ends the tick's sweep whether it sent or not.
    return 1;
}

// ---------------------------------------------------------------- level replies

void COmbrelView::OnSysExReceived(const BYTE* data, int length) {
    if (!data) return;
    if (length > kLongestLevelReply) {
        OnStatusReply(data, length);
    } else if (length >= kShortestLevelReply && data[6] == kLevelReplyMark) {
        DecodeLevels(data, length);
    }
}

void COmbrelView::ApplyHold(int id, int level) {
    PanelControl* hold = Control(id);
    if (Value(kPeakHoldMode) <= 0.5) {
        Show(0, id);
    } else if (level >= hold->value) {
        Show(level, id);
        PanelSetFlags(PANEL_REDRAW, 1, id, &m_table);
        hold->hold = kHoldReplies;
    } else if (hold->hold <= 0) {
        // The next reply raises it to the level of then.
        Show(0, id);
    } else {
        if (Value(kPeakHoldMode) < 1.5) hold->hold -= m_bEnableFast ? 1 : 13;
        PanelSetFlags(PANEL_REDRAW, 1, id, &m_table);
    }
}

void COmbrelView::DecodeLevels(const BYTE* data, int length) {
    const int decay = m_bEnableFast ? 1 : 20;
    const bool showReduction = Value(kMeterMode) >= 0.5 || Value(kLimiterMode) >= 1.5;
    // The last byte closes the message; a channel whose byte is not before it
    // keeps what it shows.
    const int end = length - 1;
    for (int c = 0; c < kChannels; ++c) {
        const int in = 7 + c, out = 15 + c;
        if (in < end) {
            const int level = data[in] & 7;
            ApplyHold(StripId(c, kInputHold), level);
            const int shown = IntValue(StripId(c, kInputLevel));
            Show(bankaddr::MeterLevel(level, shown, decay), StripId(c, kInputLevel));
            Show(showReduction ? 7 - ((data[in] >> 3) & 7) : 7, StripId(c, kInputGainReduction));
        }
        if (out < end) {
            const int level = data[out] & 7;
            ApplyHold(StripId(c, kOutputHold), level);
            const int shown = IntValue(StripId(c, kOutputLevel));
            Show(bankaddr::MeterLevel(level, shown, decay), StripId(c, kOutputLevel));
        }
    }
    RedrawAllControls();
}

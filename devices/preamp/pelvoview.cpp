// The Pelvo series view: its panel and the four variants' layouts, the send
// pass, the fixed-byte status reply with the meters, the titles, commands
// and saved settings.
#include "devices/preamp/pelvoview.h"

#include <algorithm>
#include <cstdio>

#include "app/deviceaddr.h"
#include "app/devicenames.h"
#include "app/digidoc.h"
#include "app/systemset.h"
#include "devices/viewrecord.h"
#include "framework/archive.h"
#include "framework/winapp.h"
#include "midi/mmein.h"
#include "resource.h"

IMPLEMENT_DYNCREATE(CPelvoSeriesFView, CPanelView)

BEGIN_MESSAGE_MAP(CPelvoSeriesFView, CPanelView)
    ON_COMMAND(ID_SELECT_DEVICE, OnSelectDeviceId)
    ON_COMMAND(ID_PROGRAM_DEVICE_ID, OnProgramDeviceId)
    ON_COMMAND(ID_EDIT_DEVICE_NAMES, OnSystemDeviceNames)
    ON_COMMAND(ID_FAST_METER_POLLING, OnFastMeterPolling)
    ON_UPDATE_COMMAND_UI(ID_FAST_METER_POLLING, OnUpdateFastMeterPolling)
END_MESSAGE_MAP()

namespace {

const int kHelp = 232;
const int kStatusRequest = 0x10;
const int kSetParameters = 0x20;
const int kFanParameter = 0x27;
const int kProgramId = 0x31;
const int kAllDevices = 0x7F;

struct Variant {
    const char* title;
    int background, height, help;
};
const Variant kVariants[4] = {{"Tesmer Pelvo Alpha Vantor", 329, 196, 235},
                              {"Tesmer Pelvo Beta Vantor", 333, 202, 236},
                              {"Tesmer Pelvo Gamma Vantor", 332, 196, 237},
                              {"Tesmer Pelvo Delta Vantor", 334, 202, 238}};

char g_deviceIds[17][PANEL_LIST_ENTRY] = {"00 ", "01 ", "02 ", "03 ", "04 ", "05 ", "06 ", "07 ", "08 ",
                                          "09 ", "0A ", "0B ", "0C ", "0D ", "0E ", "0F ", "All "};
char g_deviceStates[3][PANEL_LIST_ENTRY] = {"Offline ", "No Response ", "Online "};
char g_inputStates[3][PANEL_LIST_ENTRY] = {"ERROR ", "LOCK ", "SYNC "};
char g_channels[2][PANEL_LIST_ENTRY] = {"56 Chann. ", "64 Chann. "};
char g_frames[2][PANEL_LIST_ENTRY] = {"48k Frame ", "96k Frame "};
char g_analogLevels[3][PANEL_LIST_ENTRY] = {"+13dBu ", "+19dBu ", "+24dBu "};
char g_blocks32[2][PANEL_LIST_ENTRY] = {"1 - 32 ", "33 - 64 "};
char g_blocks16[4][PANEL_LIST_ENTRY] = {"1 - 16 ", "17 - 32 ", "33 - 48 ", "49 - 64 "};
char g_clockSources[4][PANEL_LIST_ENTRY] = {"Internal ", "WCK ", "MADI ", "ADAT "};
char g_clockFrequencies[2][PANEL_LIST_ENTRY] = {"44.1k ", "48k "};
char g_sampleRateRanges[3][PANEL_LIST_ENTRY] = {"  ", " DS ", " QS "};
char g_peakHoldModes[3][PANEL_LIST_ENTRY] = {"Off ", "Auto ", "Manual "};
char g_fanModes[4][PANEL_LIST_ENTRY] = {"n.a. ", "Silent ", "Cool ", "Normal "};
char g_fanSpeeds[6][PANEL_LIST_ENTRY] = {"Off ", "1  ", "2  ", "3  ", "4  ", "Full "};

#define PELVO_ROW(id, name, type, bitmap, value, min, max, def, x, y, w, h, list) \
    {id, name, type, bitmap, value, min, max, def, 1.0, 0, "", x, y, w, h, 0, list, kHelp, 0, 0, 0}

// In the order of the control lines.
const PanelControl kTemplate[CPelvoSeriesFView::kTemplateCount] = {
    PELVO_ROW(0, "Editor Background", 100, 329, 3, 0, 3, 3, 0, 0, 796, 196, nullptr),
    PELVO_ROW(2, "Device ID", 5, 272, 16, 0, 16, 16, 61, 8, 30, 10, g_deviceIds[0]),
    PELVO_ROW(3, "Device Name", 5, 272, 16, 0, 16, 16, 134, 8, 80, 10, nullptr),
    PELVO_ROW(4, "Device State", 6, 272, 0, 0, 2, 0, 256, 8, 80, 10, g_deviceStates[0]),
    PELVO_ROW(30, "Lock State KEYS", 3, 299, 0, 0, 1, 0, 761, 8, 24, 10, nullptr),
    PELVO_ROW(5, "Input Select BNC", 3, 240, 0, 0, 1, 1, 170, 159, 24, 10, nullptr),
    PELVO_ROW(6, "Input Select OPT", 3, 241, 1, 0, 1, 1, 170, 174, 24, 10, nullptr),
    PELVO_ROW(7, "Input State", 6, 272, 1, 0, 2, 1, 206, 159, 40, 10, g_inputStates[0]),
    PELVO_ROW(8, "Input Format Channels", 6, 272, 1, 0, 1, 1, 255, 159, 64, 10, g_channels[0]),
    PELVO_ROW(9, "Input Format Frame", 6, 272, 1, 0, 1, 1, 255, 174, 64, 10, g_frames[0]),
    PELVO_ROW(10, "Analog Level", 4, 269, 0, 0, 2, 0, 16, 159, 48, 10, g_analogLevels[0]),
    PELVO_ROW(11, "MADI Channel Select", 4, 269, 0, 0, 1, 0, 91, 159, 54, 10, g_blocks32[0]),
    PELVO_ROW(12, "Select MADI Input", 3, 267, 1, 0, 1, 1, 127, 182, 20, 10, nullptr),
    PELVO_ROW(15, "Limiter Select", 3, 271, 1, 0, 1, 1, 469, 159, 20, 10, nullptr),
    PELVO_ROW(27, "Select ADAT Input", 3, 267, 0, 0, 1, 0, 488, 182, 20, 10, nullptr),
    PELVO_ROW(23, "ADAT1 Input State", 37, 243, 0, 0, 1, 0, 448, 167, 13, 10, nullptr),
    PELVO_ROW(24, "ADAT2 Input State", 37, 246, 0, 0, 1, 0, 463, 167, 13, 10, nullptr),
    PELVO_ROW(25, "ADAT3 Input State", 37, 249, 0, 0, 1, 0, 478, 167, 13, 10, nullptr),
    PELVO_ROW(26, "ADAT4 Input State", 37, 252, 0, 0, 1, 0, 493, 167, 13, 10, nullptr),
    PELVO_ROW(16, "Clock Source", 5, 269, 3, 0, 3, 3, 566, 144, 70, 10, g_clockSources[0]),
    PELVO_ROW(17, "Int. Clock Frequency ", 5, 269, 1, 0, 1, 1, 566, 159, 40, 10, g_clockFrequencies[0]),
    PELVO_ROW(18, "Sample Rate Range", 5, 269, 0, 0, 2, 0, 612, 159, 24, 10, g_sampleRateRanges[0]),
    PELVO_ROW(19, "Follow Clock", 3, 267, 1, 0, 1, 1, 697, 144, 20, 10, nullptr),
    PELVO_ROW(20, "WCK Single Speed", 3, 267, 0, 0, 1, 0, 697, 159, 20, 10, nullptr),
    PELVO_ROW(22, "ADAT Input Clock State", 37, 298, 0, 0, 1, 0, 578, 174, 13, 10, nullptr),
    PELVO_ROW(21, "WCK Input Clock State", 37, 298, 0, 0, 1, 0, 623, 174, 13, 10, nullptr),
    PELVO_ROW(13, "Outut Format Channels", 5, 272, 1, 0, 1, 1, 353, 159, 64, 10, g_channels[0]),
    PELVO_ROW(14, "Output Format Frame", 5, 272, 1, 0, 1, 1, 353, 174, 64, 10, g_frames[0]),
    PELVO_ROW(28, "Peak Hold Mode", 4, 269, 0, 0, 2, 0, 734, 159, 50, 10, g_peakHoldModes[0]),
    PELVO_ROW(29, "Peak Hold Reset", 3, 298, 0, 0, 1, 0, 770, 174, 13, 10, nullptr),
    PELVO_ROW(31, "Fan Mode", 5, 272, 3, 1, 3, 3, 468, 8, 48, 10, g_fanModes[0]),
    PELVO_ROW(32, "Fan Speed", 6, 272, 1, 0, 5, 1, 558, 8, 42, 10, g_fanSpeeds[0]),
    PELVO_ROW(33, "Temperature", 2, 272, 0, 0, 100, 1, 640, 8, 42, 10, nullptr),
};

#undef PELVO_ROW

int Bits(int value, int first, int count) { return (value >> first) & ((1 << count) - 1); }

}  // namespace

CPelvoSeriesFView::CPelvoSeriesFView() {
    m_nHelpContext = kHelp;
    AllocatePanel(kControlCount, kIndexSize);
    std::copy(kTemplate, kTemplate + kTemplateCount, m_controls.begin());
    m_controls[2].list = DeviceIdNames[0];
    std::snprintf(m_controls[32].unit, sizeof(m_controls[32].unit), "C");
    for (int b = 0; b < kChannels; ++b) {
        for (int k = 0; k < 3; ++k) {
            PanelControl c = PanelMakeControl(kMeterFirstId + 3 * b + k, k == 0 ? PANEL_BAR : (k == 1 ? PANEL_BAR_PEAK : PANEL_BAR_PLAIN),
                                              k == 2 ? 331 : 330, k == 2 ? 4 : 0, k == 2 ? 4 : 5, k == 2 ? 61 + 22 * b : 49 + 22 * b,
                                              62, k == 2 ? 6 : 12, k == 2 ? 33 : 41);
            c.step = 8;
            c.lastLength = -1;
            static const char* const kNames[3] = {"Input Level %i", "Input Level Hold %i", "Input Gain Reduction %i"};
            std::snprintf(c.name, sizeof(c.name), kNames[k], b + 1);
            m_controls[size_t(kTemplateCount + 3 * b + k)] = c;
        }
    }
    BuildPanelTable(kPanelWidth, m_nPanelHeight);
    // Setup lines and registry values cover the template rows only; the
    // meters are never saved.
    m_settings = m_table;
    m_settings.count = kTemplateCount;
    // No reply yet: the first status update already shows the offline state.
    m_nStatusCounter = 10;
    SetDeviceId(kAllDevices);
}

CPelvoSeriesFView::~CPelvoSeriesFView() = default;

int CPelvoSeriesFView::SetSeriesVariant(int variant) {
    // An unknown model leaves the panel as it is, and no reply is taken.
    if (variant == m_nVariant || variant < 0 || variant > 3) return 0;
    const bool da = variant & 1, wide = variant & 2;
    PanelControl* back = Control(kBackground);
    back->bitmap = kVariants[variant].background;
    back->h = kVariants[variant].height;
    m_nHelpContext = kVariants[variant].help;
    if (da) {
        m_nPanelHeight = 202;
        PanelSetFlags(PANEL_HIDDEN, 1, kLimiter, &m_table);
        for (int id : {5, 6, 7, 8, 9, 10, 11, 13, 14, 15, 16, 17, 18, 19, 20, 21, 22, 28, 29})
            Control(id)->y += 8;
        for (int b = 0; b < kChannels; ++b) {
            for (int id : {LevelId(b), HoldId(b)}) {
                PanelControl* meter = Control(id);
                meter->max = 6;
                meter->h = 49;
                meter->lastLength = -1;
                meter->x = 52 + 22 * b;
            }
            PanelSetFlags(PANEL_HIDDEN, 1, ReductionId(b), &m_table);
        }
    } else {
        for (int id : {int(kSelectMadi), int(kSelectAdat), 23, 24, 25, 26}) PanelSetFlags(PANEL_HIDDEN, 1, id, &m_table);
    }
    if (!wide) {
        PanelControl* block = Control(kChannelSelect);
        block->max = 3;
        block->list = g_blocks16[0];
        PanelSetFlags(PANEL_HIDDEN, 1, kFanMode, &m_table);
        PanelSetFlags(PANEL_HIDDEN, 1, kFanSpeed, &m_table);
        for (int b = 0; b < kChannels; ++b) {
            if (b >= 16) {
                for (int id : {LevelId(b), HoldId(b), ReductionId(b)}) PanelSetFlags(PANEL_HIDDEN, 1, id, &m_table);
                continue;
            }
            Control(LevelId(b))->x = Control(HoldId(b))->x = (variant == 0 ? 60 : 62) + 44 * b;
            Control(ReductionId(b))->x = 72 + 44 * b;
        }
    }
    m_nVariant = variant;
    return 1;
}

int CPelvoSeriesFView::SetDeviceId(int id) {
    if (id == m_nDeviceId) return 0;
    m_nDeviceId = id;
    m_nNameIndex = id > 15 ? 16 : id;
    return 0;
}

void CPelvoSeriesFView::OnDraw(CDC* dc) {
    ShowForcedStates();
    PaintPanel(dc, kPanelWidth, m_nPanelHeight);
}

// Straight to the device: an edit here starts no save countdown.
void CPelvoSeriesFView::OnPanelEdited() { SendChangedParameters(FALSE, FALSE, FALSE); }

void CPelvoSeriesFView::ShowForcedStates() {
    PanelSetFlags(PANEL_GREYED, Value(kClockSource) > 0.5 ? 1 : 0, kClockFrequency, &m_table);
    if (IntValue(kSampleRateRange) != 1) PanelShowValue(0, kOutputFrame, &m_table);
}

// ---------------------------------------------------------------- sending

int CPelvoSeriesFView::Parameter0() {
    const int block = IntValue(kChannelSelect) * ((m_nVariant & 2) ? 2 : 1);
    return (On(kInputOpt) ? 0x40 : 0) | (IntValue(kOutputFrame) & 1) << 5 | (IntValue(kOutputChannels) & 1) << 4 |
           (block & 3) << 2 | (On(kSelectAdat) ? 1 : 0);
}

int CPelvoSeriesFView::Parameter1() {
    const int source = IntValue(kClockSource);
    const int clock = source == 0 ? IntValue(kClockFrequency) : source + 1;
    return (clock & 7) << 4 | (On(kWckSingleSpeed) ? 8 : 0) | (On(kFollowClock) ? 4 : 0) |
           (IntValue(kSampleRateRange) & 3);
}

int CPelvoSeriesFView::Parameter2(bool holdReset) {
    const int hold = holdReset ? 3 : IntValue(kPeakHoldMode);
    return (IntValue(kAnalogLevel) & 3) << 5 | (On(kLimiter) ? 0x10 : 0) | (hold & 3) << 2 | (On(kKeysLock) ? 1 : 0);
}

void CPelvoSeriesFView::SelectInputPair(int id) {
    // The two buttons act as a pair with one of them selected.
    const int other = id == kInputBnc ? kInputOpt : kInputBnc;
    const PanelControl* o = Control(other);
    if (!(On(id) || o->value < 0.5 || (o->flags & PANEL_BLINK))) return;
    PanelShowValue(1, id, &m_table);
    PanelShowValue(0, other, &m_table);
    for (int button : {kInputBnc, kInputOpt}) {
        PanelSetFlags(PANEL_BLINK, 0, button, &m_table);
        PanelSetFlags(PANEL_LED_ON, 0, button, &m_table);
    }
}

void CPelvoSeriesFView::SendChangedParameters(BOOL redraw, BOOL fromSelectors, BOOL all) {
    theMmeIn.BeginParameterBlock(this, kSetParameters, kModel, m_nDeviceId);
    auto add = [this](int address, int value) { theMmeIn.AddParameter(this, address, value, kModel, m_nDeviceId); };
    bool raised = false;
    for (PanelControl& c : m_controls) {
        if (!(c.flags & PANEL_CHANGED) && !all) continue;
        const int id = c.id;
        switch (id) {
        case kDeviceIdCtl:
        case kDeviceName:
            if (!fromSelectors) {
                SetDeviceId(c.value < 15.5 ? TruncateToInt(c.value) : kAllDevices);
                PanelShowValue(c.value, id == kDeviceIdCtl ? kDeviceName : kDeviceIdCtl, &m_table);
            }
            raised = true;
            break;
        case kInputBnc:
        case kInputOpt:
        case kChannelSelect:
        case kSelectMadi:
        case kOutputChannels:
        case kOutputFrame:
        case kSelectAdat:
            ShowForcedStates();
            if (id == kInputBnc || id == kInputOpt) SelectInputPair(id);
            if (id == kSelectMadi && On(kSelectMadi)) PanelShowValue(0, kSelectAdat, &m_table);
            if (id == kSelectAdat && On(kSelectAdat)) PanelShowValue(0, kSelectMadi, &m_table);
            add(0, Parameter0());
            raised = true;
            break;
        case kClockSource:
        case kClockFrequency:
        case kSampleRateRange:
        case kFollowClock:
        case kWckSingleSpeed:
            ShowForcedStates();
            add(1, Parameter1());
            raised = true;
            break;
        case kAnalogLevel:
        case kLimiter:
        case kPeakHoldMode:
        case kKeysLock: add(2, Parameter2(false)); break;
        case kPeakHoldReset:
            if (On(kPeakHoldReset)) {
                for (int b = 0; b < kChannels; ++b) PanelShowValue(0, HoldId(b), &m_table);
                PanelShowValue(0, kPeakHoldReset, &m_table);
                add(2, Parameter2(true));
            }
            raised = true;
            break;
        case kFanMode: add(kFanParameter, 32 * IntValue(kFanMode)); break;
        default: break;
        }
        c.flags &= ~PANEL_CHANGED;
    }
    if (raised) m_nSkipReplies = 1;
    theMmeIn.SendParameterBlock(this, kModel, m_nDeviceId);
    if (raised || redraw) RedrawAllControls();
}

void CPelvoSeriesFView::RequestDeviceData(BOOL resetSkip) {
    if (resetSkip) m_nSkipReplies = 0;
    theMmeIn.SendRequest(this, kStatusRequest, kModel, m_nDeviceId);
}

int CPelvoSeriesFView::FastPoll() {
    // The full status carries the meters.
    if (m_bEnableFast) theMmeIn.SendRequest(this, kStatusRequest, kModel, m_nDeviceId);
    return 1;
}

// ---------------------------------------------------------------- receiving

void CPelvoSeriesFView::Meter(int b, int v) {
    const int level = v & 7;
    PanelControl* hold = Control(HoldId(b));
    if (Value(kPeakHoldMode) <= 0.5) {
        PanelShowValue(0, hold->id, &m_table);
    } else if (level >= hold->value) {
        PanelShowValue(level, hold->id, &m_table);
        PanelInvalidate(hold->id, &m_table);
        hold->hold = kHoldReplies;
    } else if (hold->hold > 0) {
        if (Value(kPeakHoldMode) < 1.5) hold->hold -= m_bEnableFast ? 1 : 13;
        PanelInvalidate(hold->id, &m_table);
    } else {
        PanelShowValue(0, hold->id, &m_table);
    }
    const int fall = m_bEnableFast ? 1 : 20;
    const int shown = IntValue(LevelId(b));
    PanelShowValue(level > shown - fall ? level : shown - fall, LevelId(b), &m_table);
    const int s = (v >> 3) & 7;
    const int reduction = s <= 1 ? ((v & 0x40) ? 3 : 4) : (s <= 3 ? 2 : (s <= 6 ? 1 : 0));
    PanelShowValue(reduction, ReductionId(b), &m_table);
}

void CPelvoSeriesFView::OnSysExReceived(const BYTE* data, int length) {
    if (!data || length < 48 || length > 52 || m_nVariant < 0 || (data[10] & 3) != m_nVariant) return;
    m_nStatusCounter = 0;
    if (m_nSkipReplies > 0) {
        --m_nSkipReplies;
        return;
    }
    m_nSkipReplies = 0;
    auto show = [this](int value, int id) { PanelShowValue(value, id, &m_table); };
    auto lamp = [this](int id, bool lit, bool steady) {
        PanelShowValue(lit ? 1 : 0, id, &m_table);
        const bool blink = lit && !steady;
        if (((Control(id)->flags & PANEL_BLINK) != 0) != blink) PanelSetBlink(blink ? 1 : 0, id, &m_table);
    };
    const int b7 = data[7], b8 = data[8], b9 = data[9], b10 = data[10], b11 = data[11], b12 = data[12];
    const bool opt = Bits(b7, 6, 1) != 0;
    show(Bits(b7, 5, 1), kOutputFrame);
    show(Bits(b7, 4, 1), kOutputChannels);
    show(Bits(b7, 2, 2) / ((m_nVariant & 2) ? 2 : 1), kChannelSelect);
    show(Bits(b7, 0, 1), kSelectAdat);
    show(Bits(b7, 0, 1) ? 0 : 1, kSelectMadi);
    const int n = Bits(b8, 4, 3);
    if (n < 2) {
        show(0, kClockSource);
        show(n, kClockFrequency);
    } else {
        show(n - 1, kClockSource);
    }
    ShowForcedStates();
    show(Bits(b8, 3, 1), kWckSingleSpeed);
    show(Bits(b8, 2, 1), kFollowClock);
    show(Bits(b8, 0, 2), kSampleRateRange);
    show(Bits(b9, 5, 2), kAnalogLevel);
    show(Bits(b9, 4, 1), kLimiter);
    show(Bits(b9, 2, 2), kPeakHoldMode);
    show(Bits(b9, 0, 1), kKeysLock);
    const int selected = opt ? kInputOpt : kInputBnc, other = opt ? kInputBnc : kInputOpt;
    show(1, selected);
    show(0, other);
    if (Bits(b10, 6, 1)) {
        // The device fell back from the selected input to the other.
        if (!(Control(selected)->flags & PANEL_BLINK)) PanelSetBlink(1, selected, &m_table);
        PanelSetFlags(PANEL_BLINK, 0, other, &m_table);
        PanelSetFlags(PANEL_LED_ON, 1, other, &m_table);
    } else {
        for (int id : {kInputBnc, kInputOpt}) {
            PanelSetFlags(PANEL_BLINK, 0, id, &m_table);
            PanelSetFlags(PANEL_LED_ON, 0, id, &m_table);
        }
    }
    show(!Bits(b10, 5, 1) ? 0 : (Bits(b10, 4, 1) ? 2 : 1), kInputState);
    show(Bits(b10, 3, 1), kInputFrame);
    show(Bits(b10, 2, 1), kInputChannels);
    show(Bits(b11, 6, 1), kWckState);
    lamp(kAdatClockState, Bits(b11, 0, 1), Bits(b11, 1, 1));
    lamp(kAdat1State, Bits(b11, 0, 1), Bits(b11, 1, 1));
    lamp(kAdat1State + 3, Bits(b12, 0, 1), Bits(b12, 1, 1));
    lamp(kAdat1State + 2, Bits(b12, 2, 1), Bits(b12, 3, 1));
    lamp(kAdat1State + 1, Bits(b12, 4, 1), Bits(b12, 5, 1));
    // The meters and the fan bytes lie before byte 48; a 48-byte reply has
    // its F7 there, so byte 47 is read only when the message is longer.
    for (int b = 0; b < kChannels; ++b) Meter(b, data[14 + b]);
    show(Bits(data[46], 5, 2), kFanMode);
    show(Bits(data[46], 0, 3), kFanSpeed);
    if (length > 48) show(data[47] & 0x7F, kTemperature);
    RedrawAllControls();
    show(2, kDeviceState);
}

// ---------------------------------------------------------------- status

void CPelvoSeriesFView::OnMidiIoChanged(int subModel, MidiPortSettings*) {
    SetSeriesVariant(subModel);
    UpdateStatus(-10, 0);
}

void CPelvoSeriesFView::UpdateStatus(int state, int blinkPhase) {
    if (m_nStatusCounter < 4) {
        ++m_nStatusCounter;
    } else {
        PanelShowValue(state == -10 ? 0 : 1, kDeviceState, &m_table);
        if (m_nVariant >= 0 && m_nVariant <= 3) SetFrameTitle(kVariants[m_nVariant].title);
    }
    if (!HasWindow()) return;
    CClientDC dc(this);
    PanelPaintBlinking(dc.GetSafeHdc(), m_controls.data(), kControlCount, blinkPhase);
    PanelPaint(dc.GetSafeHdc(), m_controls.data(), kControlCount, FALSE);
}

// ---------------------------------------------------------------- commands

void CPelvoSeriesFView::OnSelectDeviceId() {
    int id = m_nDeviceId;
    CSelDevID dlg(this);
    dlg.SetDataPointer(&id);
    // Only the ID changes; the lists and the name slot keep theirs.
    if (dlg.DoModal() == IDOK && ((id >= 0 && id <= 15) || id == kAllDevices)) m_nDeviceId = id;
}

void CPelvoSeriesFView::OnProgramDeviceId() { ProgramDeviceId(kModel, kProgramId); }

void CPelvoSeriesFView::OnSystemDeviceNames() {
    CSystemSet dlg(this);
    dlg.SetDeviceIndex(m_nNameIndex);
    dlg.DoModal();
    PanelMarkChanged(kDeviceName, &m_table);
    RedrawAllControls();
}

void CPelvoSeriesFView::OnFastMeterPolling() { m_bEnableFast = m_bEnableFast ? 0 : 1; }

void CPelvoSeriesFView::OnUpdateFastMeterPolling(CCmdUI* ui) {
    ShowFastPollingItem(ui, m_bEnableFast);
}

// ---------------------------------------------------------------- settings

void CPelvoSeriesFView::SaveSettings(const char* section) {
    PanelProfileSave(&m_settings, section);
    if (CWinApp* app = AfxGetApp()) app->WriteProfileInt(section, "KestPelvoID", m_nDeviceId);
}

void CPelvoSeriesFView::LoadSettings(const char* section) {
    // What differs from the panel's start stays marked and goes out with the
    // next send.
    PanelProfileLoad(&m_settings, section);
    if (CWinApp* app = AfxGetApp()) {
        const int id = int(app->GetProfileInt(section, "KestPelvoID", m_nDeviceId));
        if ((id >= 0 && id <= 15) || id == kAllDevices) m_nDeviceId = id;
    }
}

void CPelvoSeriesFView::Serialize(CArchive& ar) {
    if (ar.IsStoring()) {
        viewrecord::WriteIndex(ar, "KestPelvoIndex=", m_nDeviceId);
        viewrecord::WriteControls(ar, &m_settings);
        return;
    }
    // The index line counts for every kind of file here.
    ViewRecordReader reader(ar);
    reader.Next();
    int id = 0;
    if (reader.HexAfter("KestPelvoIndex=", &id) && ((id >= 0 && id <= 15) || id == kAllDevices)) m_nDeviceId = id;
    PanelLoad(&m_settings, ar);
    SendChangedParameters(TRUE, TRUE, FALSE);
}

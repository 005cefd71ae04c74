// The Tarvik matrix as a panel: its controls and their places, and the
// routing they picture.
#include "devices/routing/tarvikmview.h"

#include <algorithm>
#include <cstdio>

#include "app/devicenames.h"
#include "app/digidoc.h"
#include "app/mainframe.h"
#include "resource.h"

IMPLEMENT_DYNCREATE(CTarvikMView, CRouterView)

BEGIN_MESSAGE_MAP(CTarvikMView, CRouterView)
    ON_COMMAND(ID_PROGRAM_DEVICE_ID, OnProgramDeviceId)
    ON_COMMAND(ID_DEFAULT_IO_NAMES, OnDefaultIoNames)
END_MESSAGE_MAP()

namespace {

const int kHelp = 226;

// Text lists: 30-byte entries, as the engine reads them.
char g_inputStates[3][PANEL_LIST_ENTRY] = {"ERROR ", "LOCK ", "SYNC "};
char g_channels[2][PANEL_LIST_ENTRY] = {"56 Chann. ", "64 Chann. "};
char g_frames[2][PANEL_LIST_ENTRY] = {"48k Frame ", "96k Frame "};
char g_frame96k[4][PANEL_LIST_ENTRY] = {"Off ", "MADI ", "WCK ", "M + W "};
char g_clockSources[4][PANEL_LIST_ENTRY] = {"Internal ", "External ", "Input MADI ", "Input ADAT "};
char g_clockFrequencies[2][PANEL_LIST_ENTRY] = {"44.1k ", "48k "};

#define TARVIK_ROW(id, name, type, bitmap, max, value, def, x, y, w, h) \
    {id, name, type, bitmap, value, 0.0, max, def, 1.0, 0, "", x, y, w, h, 0, nullptr, kHelp, 0, 0, 0}

// The rows with a place of their own; the LEDs, selectors and names follow
// in BuildControls, in this order.
const PanelControl kHead[] = {
    TARVIK_ROW(0, "Editor Background", 100, 274, 3, 3, 0, 0, 0, 481, 448),
    TARVIK_ROW(97, "Device ID", 5, 272, 16, 16, 16, 61, 8, 30, 10),
    TARVIK_ROW(98, "Device Name", 5, 272, 16, 16, 16, 134, 8, 80, 10),
    TARVIK_ROW(99, "Device State", 6, 272, 2, 0, 0, 256, 8, 80, 10),
    TARVIK_ROW(1, "Input Select BNC", 3, 240, 1, 1, 1, 41, 52, 24, 10),
    TARVIK_ROW(9, "Input Select OPT", 3, 241, 1, 1, 1, 41, 67, 24, 10),
    TARVIK_ROW(2, "Input State", 6, 272, 2, 1, 1, 80, 67, 40, 10),
    TARVIK_ROW(7, "Input Format Channels", 6, 272, 1, 1, 1, 137, 52, 64, 10),
    TARVIK_ROW(8, "Input Format Frame", 6, 272, 1, 1, 1, 137, 67, 64, 10),
    TARVIK_ROW(3, "96K Frame", 5, 269, 3, 2, 2, 217, 67, 40, 10),
    TARVIK_ROW(4, "Clock Source", 5, 269, 3, 3, 3, 332, 52, 70, 10),
    TARVIK_ROW(5, "Int. Clock Frequency ", 5, 269, 1, 1, 0, 332, 67, 70, 10),
    TARVIK_ROW(6, "Enable Routing Matrix", 3, 267, 1, 1, 0, 44, 90, 20, 10),
};

#undef TARVIK_ROW

char* ListOf(int id) {
    switch (id) {
    case CTarvikMView::kDeviceIdCtl: return RouterDeviceIdList();
    case CTarvikMView::kDeviceName: return DeviceIdNames[0];
    case CTarvikMView::kDeviceState: return RouterDeviceStateList();
    case tarvik::kInputState: return g_inputStates[0];
    case tarvik::kInputChannels: return g_channels[0];
    case tarvik::kInputFrame: return g_frames[0];
    case tarvik::kFrame96k: return g_frame96k[0];
    case tarvik::kClockSource: return g_clockSources[0];
    case tarvik::kClockFrequency: return g_clockFrequencies[0];
    default: return nullptr;
    }
}

PanelControl Plain(int id, int type, int bitmap, double max, int x, int y, int w, int h) {
    PanelControl c = PanelMakeControl(id, type, bitmap, 0, max, x, y, w, h);
    c.help = kHelp;
    return c;
}

// The 15-pixel gap between the MADI and the ADAT half of a row or column.
int Gap(int k) { return k >= 8 ? 15 : 0; }

}  // namespace

CTarvikMView::CTarvikMView() {
    // No reply yet: the panel shows the device as not there.
    m_nStatusCounter = 10;
    m_nHelpContext = kHelp;
    AllocatePanel(kControlCount, kIndexSize);
    BuildControls();
    BuildPanelTable(kPanelWidth, kPanelHeight);
    // Setup lines and registry values cover the template rows only.
    m_settings = m_table;
    m_settings.count = kTemplateCount;
    // The ID starts at 0, so that this binds the name controls.
    SetDeviceId(tarvik::kAllDevices);
}

CTarvikMView::~CTarvikMView() = default;

void CTarvikMView::BuildControls() {
    size_t k = 0;
    for (const PanelControl& c : kHead) {
        m_controls[k] = c;
        m_controls[k].list = ListOf(c.id);
        ++k;
    }
    auto add = [this, &k](const PanelControl& c) { m_controls[k++] = c; };
    for (int n = 1; n <= 8; ++n) {
        PanelControl c = Plain(tarvik::kMadiAudioFirst + n - 1, PANEL_LED, 243 + 3 * (n - 1), 1, 46, 200 + 15 * (n + 7), 13, 10);
        std::snprintf(c.name, sizeof(c.name), "MADI State In Audio %i", n);
        add(c);
    }
    for (int n = 1; n <= 8; ++n) {
        PanelControl c = Plain(tarvik::kAdatSyncFirst + n - 1, PANEL_LED, 243 + 3 * (n - 1), 1, 15, 185 + 15 * (n - 1), 13, 10);
        std::snprintf(c.name, sizeof(c.name), "ADAT State In Sync %i", n);
        add(c);
    }
    for (int n = 1; n <= 8; ++n) {
        PanelControl c = Plain(tarvik::kAdatAudioFirst + n - 1, PANEL_LED, 243 + 3 * (n - 1), 1, 46, 185 + 15 * (n - 1), 13, 10);
        std::snprintf(c.name, sizeof(c.name), "ADAT State In Audio %i", n);
        add(c);
    }
    for (int o = 0; o < kOutputs; ++o) {
        // Output n starts from input n+8 (n = 1..8) or n-8: a first picture
        // until the device or the registry gives the real one.
        PanelControl c = Plain(kSelectorFirst + o, PANEL_NUMBER, 269, tarvik::kNoInput, 0, 0, 66, 10);
        c.value = c.defaultValue = o < 8 ? o + 9 : o - 7;
        c.flags = PANEL_HIDDEN;
        std::snprintf(c.name, sizeof(c.name), "Input Routing %2d", o + 1);
        add(c);
    }
    for (int r = 0; r < kInputs; ++r) {
        PanelControl c = Plain(kInputNameFirst + r, PANEL_TEXT_EDIT, 269, 9, 78, 185 + 15 * r + Gap(r), 56, 10);
        c.step = 0.0;
        std::snprintf(c.name, sizeof(c.name), r < 8 ? "ADAT Input %i Name" : "MADI Input %i Name", r % 8 + 1);
        add(c);
    }
    for (int r = 0; r < kOutputs; ++r) {
        PanelControl c = Plain(kOutputNameFirst + r, PANEL_TEXT_EDIT, 269, 9, 142 + 20 * r + Gap(r), 123, 10, 56);
        c.step = 0.0;
        c.flags = PANEL_VERTICAL;
        std::snprintf(c.name, sizeof(c.name), r < 8 ? "MADI Output %i Name" : "ADAT Output %i Name", r % 8 + 1);
        add(c);
    }
    for (int i = 0; i < kInputs; ++i) {
        for (int o = 0; o < kOutputs; ++o) {
            const int y = i < 8 ? 320 + 15 * i : 185 + 15 * (i - 8);
            PanelControl c = Plain(CrosspointId(i, o), PANEL_SWITCH, 276, 1, 141 + 20 * o + Gap(o), y, 13, 10);
            c.step = 0.0;
            c.help = 0;
            // Named after the output column it routes to.
            std::snprintf(c.name, sizeof(c.name), o < 8 ? "Input MADI %1d" : "Input ADAT %1d", o % 8 + 1);
            add(c);
        }
    }
}

// ---------------------------------------------------------------- drawing and input

void CTarvikMView::OnDraw(CDC* dc) { PaintPanel(dc, kPanelWidth, kPanelHeight); }

// ---------------------------------------------------------------- routing picture

void CTarvikMView::SelectInputForOutput(int output, int input) {
    if (output < 0 || output >= kOutputs) return;
    for (int k = 0; k < kInputs; ++k) PanelShowValue(k == input ? 1.0 : 0.0, CrosspointId(k, output), &m_table);
}

void CTarvikMView::RefreshMatrixFromSelectors() {
    for (int o = 0; o < kOutputs; ++o) SelectInputForOutput(o, TruncateToInt(Value(kSelectorFirst + o)));
}

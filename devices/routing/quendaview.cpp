// The Quenda matrix as a panel: its controls, the header that moves with the
// window width, the scrolled and range-reduced matrix, the scroll bars, the
// drawing, and the mouse (hover, clicks and drag-fill).
#include "devices/routing/quendaview.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>

#include "app/devicenames.h"
#include "app/digidoc.h"
#include "app/mainframe.h"
#include "framework/dialog.h"
#include "resource.h"

IMPLEMENT_DYNCREATE(CQuendaMView, CPanelView)

BEGIN_MESSAGE_MAP(CQuendaMView, CPanelView)
    ON_WM_HSCROLL()
    ON_WM_VSCROLL()
    ON_WM_ERASEBKGND()
    ON_COMMAND(ID_SELECT_DEVICE, OnSelectDeviceId)
    ON_COMMAND(ID_PROGRAM_DEVICE_ID, OnProgramDeviceId)
    ON_COMMAND(ID_EDIT_DEVICE_NAMES, OnSystemDeviceNames)
    ON_COMMAND(ID_DEFAULT_IO_NAMES, OnDefaultIoNames)
    ON_COMMAND(ID_SELECT_BAUD_RATE, OnSelectBaudRate)
END_MESSAGE_MAP()

namespace {

const int kHelp = 228;
const int kCellBitmap = 291;
const int kLockedCellBitmap = 293;
const int kLabelBitmap = 269;
const int kHighlightBitmap = 288;
const COLORREF kFill = RGB(38, 44, 50);
const COLORREF kFrame = RGB(66, 77, 91);

// Text lists: 30-byte entries, as the engine reads them.
char g_deviceIds[17][PANEL_LIST_ENTRY] = {"00 ", "01 ", "02 ", "03 ", "04 ", "05 ", "06 ", "07 ", "08 ",
                                          "09 ", "0A ", "0B ", "0C ", "0D ", "0E ", "0F ", "All "};
char g_deviceStates[3][PANEL_LIST_ENTRY] = {"Offline ", "No Response ", "Online "};
char g_inputStates[3][PANEL_LIST_ENTRY] = {"ERROR ", "LOCK ", "SYNC "};
char g_channels[2][PANEL_LIST_ENTRY] = {"56 Chann. ", "64 Chann. "};
char g_frames[2][PANEL_LIST_ENTRY] = {"48k Frame ", "96k Frame "};
char g_clockSources[4][PANEL_LIST_ENTRY] = {"Int. ", "AES ", "MADI ", "WCK "};
char g_clockFrequencies[2][PANEL_LIST_ENTRY] = {"44.1k ", "48k "};
char g_sampleRateRanges[3][PANEL_LIST_ENTRY] = {" Single ", " Double ", " Quad "};
char g_adcNumbers[8][PANEL_LIST_ENTRY] = {"Master ", " ID 2 ", " ID 3 ", " ID 4 ",
                                          " ID 5 ", " ID 6 ", " ID 7 ", " ID 8 "};

#define QUENDA_ROW(id, name, type, bitmap, value, max, x, y, w, h) \
    {id, name, type, bitmap, value, 0.0, max, value, 1.0, 0, "", x, y, w, h, 0, nullptr, kHelp, 0, 0, 0}

// The status panel, in the order its control lines are written. Rows with a
// zero position are placed by the header layout.
const PanelControl kTemplate[CQuendaMView::kTemplateCount] = {
    QUENDA_ROW(0, "Editor Background", 100, 289, 3, 3, 0, 0, 403, 84),
    QUENDA_ROW(1, "Editor Background", 36, 301, 3, 3, 0, 0, 403, 60),
    QUENDA_ROW(2, "Device ID", 5, 272, 16, 16, 60, 8, 30, 10),
    QUENDA_ROW(4, "Device Name", 5, 272, 16, 16, 128, 8, 80, 10),
    QUENDA_ROW(5, "Device State", 6, 272, 0, 2, 247, 8, 76, 10),
    QUENDA_ROW(3, "Lock State KEYS", 3, 300, 0, 1, 380, 8, 20, 10),
    QUENDA_ROW(6, "Input Select BNC", 3, 240, 1, 1, 40, 52, 24, 10),
    QUENDA_ROW(7, "Input Select OPT", 3, 241, 1, 1, 70, 52, 24, 10),
    QUENDA_ROW(8, "Input State", 6, 272, 1, 2, 153, 52, 40, 10),
    QUENDA_ROW(9, "Input Format Channels", 6, 272, 1, 1, 202, 52, 64, 10),
    QUENDA_ROW(10, "Input Format Frame", 6, 272, 1, 1, 202, 67, 64, 10),
    QUENDA_ROW(17, "MADI State In Audio 1", 37, 243, 0, 1, 40, 67, 13, 10),
    QUENDA_ROW(18, "MADI State In Audio 2", 37, 246, 0, 1, 60, 67, 13, 10),
    QUENDA_ROW(19, "MADI State In Audio 3", 37, 249, 0, 1, 80, 67, 13, 10),
    QUENDA_ROW(20, "MADI State In Audio 4", 37, 252, 0, 1, 100, 67, 13, 10),
    QUENDA_ROW(21, "MADI State In Audio 5", 37, 255, 0, 1, 120, 67, 13, 10),
    QUENDA_ROW(22, "MADI State In Audio 6", 37, 258, 0, 1, 140, 67, 13, 10),
    QUENDA_ROW(23, "MADI State In Audio 7", 37, 261, 0, 1, 160, 67, 13, 10),
    QUENDA_ROW(24, "MADI State In Audio 8", 37, 264, 0, 1, 180, 67, 13, 10),
    QUENDA_ROW(11, "Outut Format Channels", 5, 272, 1, 1, 310, 52, 64, 10),
    QUENDA_ROW(12, "Output Format Frame", 5, 272, 1, 1, 310, 67, 64, 10),
    QUENDA_ROW(25, "AES State In Sync 1", 37, 243, 0, 1, 0, 0, 13, 10),
    QUENDA_ROW(26, "AES State In Sync 2", 37, 246, 0, 1, 0, 0, 13, 10),
    QUENDA_ROW(27, "AES State In Sync 3", 37, 249, 0, 1, 0, 0, 13, 10),
    QUENDA_ROW(28, "AES State In Sync 4", 37, 252, 0, 1, 0, 0, 13, 10),
    QUENDA_ROW(29, "AES State In Audio 1", 37, 243, 0, 1, 0, 0, 13, 10),
    QUENDA_ROW(30, "AES State In Audio 2", 37, 246, 0, 1, 0, 0, 13, 10),
    QUENDA_ROW(31, "AES State In Audio 3", 37, 249, 0, 1, 0, 0, 13, 10),
    QUENDA_ROW(32, "AES State In Audio 4", 37, 252, 0, 1, 0, 0, 13, 10),
    QUENDA_ROW(33, "AES State Double Speed", 37, 295, 0, 1, 0, 0, 13, 10),
    QUENDA_ROW(34, "AES State Quad Speed", 37, 294, 0, 1, 0, 0, 13, 10),
    QUENDA_ROW(13, "Clock Source", 5, 269, 3, 3, 0, 0, 36, 10),
    QUENDA_ROW(14, "Int. Clock Frequency ", 5, 269, 1, 1, 0, 0, 40, 10),
    QUENDA_ROW(15, "Sample Rate Range", 5, 269, 0, 2, 0, 0, 50, 10),
    QUENDA_ROW(16, "Follow Clock", 3, 267, 1, 1, 0, 0, 20, 10),
    QUENDA_ROW(35, "Enable ADC", 3, 267, 1, 1, 0, 0, 18, 10),
    QUENDA_ROW(36, "ADC Auto", 3, 267, 1, 1, 0, 0, 18, 10),
    QUENDA_ROW(37, "ADC Number", 6, 272, 0, 7, 0, 0, 50, 10),
};

#undef QUENDA_ROW

PanelControl Generated(int id, int type, int bitmap, double value, double max, int x, int y, int w, int h,
                       int flags) {
    PanelControl c = PanelMakeControl(id, type, bitmap, value, max, x, y, w, h);
    c.flags = flags;
    return c;
}

// The MADI channels that a sample-rate range leaves out: the upper half at
// double speed, the upper three quarters at quad speed.
int HiddenMadiChannels(int range) { return range == 1 ? 32 : (range == 2 ? 48 : 0); }

bool IsHit(const PanelControl& c, int px, int py) {
    return c.x <= px && px <= c.x + c.w && c.y <= py && py <= c.y + c.h;
}

void FillRect(HDC dc, int left, int top, int right, int bottom, HBRUSH brush) {
    RECT r = {left, top, right, bottom};
    ::FillRect(dc, &r, brush);
}

}  // namespace

CQuendaMView::CQuendaMView()
    : m_pHorzBar(new CScrollBar), m_pVertBar(new CScrollBar) {
    m_nHelpContext = kHelp;
    AllocatePanel(kControlCount, kIndexSize);
    BuildControls();
    // The device ID starts at 0, so that this binds the name labels.
    SetDeviceId(127);
}

CQuendaMView::~CQuendaMView() = default;

int CQuendaMView::Truncate(double v) {
    if (!(v == v)) return 0;
    if (v >= 1e9) return 1000000000;
    if (v <= -1e9) return -1000000000;
    return int(v);
}

void CQuendaMView::BuildControls() {
    std::copy(kTemplate, kTemplate + kTemplateCount, m_controls.begin());
    for (int k = 0; k < kTemplateCount; ++k) {
        PanelControl& c = m_controls[size_t(k)];
        switch (c.id) {
        case kDeviceIdCtl: c.list = g_deviceIds[0]; break;
        case kDeviceName: c.list = DeviceIdNames[0]; break;
        case kDeviceState: c.list = g_deviceStates[0]; break;
        case kInputState: c.list = g_inputStates[0]; break;
        case kInputChannels:
        case kOutputChannels: c.list = g_channels[0]; break;
        case kInputFrame:
        case kOutputFrame: c.list = g_frames[0]; break;
        case kClockSource: c.list = g_clockSources[0]; break;
        case kClockFrequency: c.list = g_clockFrequencies[0]; break;
        case kSampleRateRange: c.list = g_sampleRateRanges[0]; break;
        case kAdcNumber: c.list = g_adcNumbers[0]; break;
        default: break;
        }
    }
    const int header = m_nHeaderHeight;
    for (int o = 0; o < kOutputs; ++o) {
        // Hidden: they hold the routing and are saved, but are never drawn.
        PanelControl c = Generated(kSelectorFirst + o, PANEL_NUMBER, kLabelBitmap, o, kNoInput, 0, 0, 0, 0, PANEL_HIDDEN);
        std::snprintf(c.name, sizeof(c.name), "Routing %02i", o + 1);
        m_controls[size_t(c.id)] = c;
    }
    for (int i = 0; i < kInputs; ++i) {
        PanelControl c = Generated(kInputLabelFirst + i, PANEL_TEXT_EDIT, kLabelBitmap, 0, 9, 10,
                                   header + 10 * i + i / 8, 56, 10, 0);
        std::snprintf(c.name, sizeof(c.name), "Input Name %i", i + 1);
        m_controls[size_t(c.id)] = c;
    }
    for (int o = 0; o < kOutputs; ++o) {
        PanelControl c = Generated(kOutputLabelFirst + o, PANEL_TEXT_EDIT, kLabelBitmap, 0, 9,
                                   kMatrixLeft + 1 + 12 * o + o / 8, header - 62, 10, 56, PANEL_VERTICAL);
        std::snprintf(c.name, sizeof(c.name), "Output Name %i", o + 1);
        m_controls[size_t(c.id)] = c;
    }
    for (int i = 0; i < kInputs; ++i)
        for (int o = 0; o < kOutputs; ++o) {
            const int id = CrosspointId(i, o);
            m_controls[size_t(id)] = Generated(id, PANEL_SWITCH, kCellBitmap, 0, 1, kMatrixLeft + 12 * o + o / 8,
                                               header + 10 * i + i / 8, 12, 10, 0);
        }
    BuildPanelTable(980, 900);
    // The persistence functions walk records only, so the settings header
    // shares the full index rather than having one too small for its ids.
    m_settings = m_table;
    m_settings.count = kSettingsCount;
}

// ---------------------------------------------------------------- layout

void CQuendaMView::SelectInputForOutput(int output, int input) {
    if (output < 0 || output >= kOutputs) return;
    for (int i = 0; i < kInputs; ++i) PanelShowValue(i == input ? 1.0 : 0.0, CrosspointId(i, output), &m_table);
}

void CQuendaMView::LayoutMatrix(BOOL relayout) {
    PanelControl& enable = *Control(kEnableAdc);
    PanelControl& automatic = *Control(kAdcAuto);
    // Under the ADC lock the device routes the ADC block itself: the grid
    // shows that routing, whatever the selectors hold.
    const bool locked = (enable.value > 0.5 && automatic.value > 0.5) ||
                        ((enable.flags & PANEL_LED_ON) && (automatic.flags & PANEL_LED_ON));
    const int block = std::clamp(IntValue(kAdcNumber), 0, 7);
    for (int o = 0; o < kOutputs; ++o) {
        int input = IntValue(kSelectorFirst + o);
        if (locked && o < kMadiChannels)
            input = (o / 8 == block) ? kMadiChannels + o % 8 : o;
        else if (locked && o < kInputs)
            input = 8 * block + (o - kMadiChannels);
        SelectInputForOutput(o, input);
    }

    const BOOL adcOff = enable.value < 0.5 ? 1 : 0;
    PanelSetFlags(PANEL_GREYED, adcOff, kAdcAuto, &m_table);
    PanelSetFlags(PANEL_LED_OFF, adcOff, kAdcAuto, &m_table);
    PanelSetFlags(PANEL_GREYED, (adcOff && Value(kAdcNumber) < 0.5) ? 1 : 0, kAdcNumber, &m_table);

    bool rangeChanged = false;
    bool needH = true, needV = true;
    int hidden = 0, rows = 0, columns = 0, u = 0, v = 0;
    bool anyRow = false;
    if (relayout) {
        const int range = std::clamp(IntValue(kSampleRateRange), 0, 2);
        if (range != m_nLayoutRange) {
            m_nLayoutRange = range;
            rangeChanged = true;
        }
        hidden = HiddenMadiChannels(range);
        rows = m_nVisibleRows;
        columns = m_nVisibleColumns;
        if (rows >= kInputs - hidden) {
            needV = false;
            ++columns;
        }
        if (columns >= kOutputs - hidden) {
            needH = false;
            ++rows;
            if (rows >= kInputs - hidden) needV = false;
        }
        v = std::clamp(m_nScrollVer, 0, std::max(0, kInputs - hidden - rows));
        u = std::clamp(m_nScrollHor, 0, std::max(0, kOutputs - hidden - columns));

        const int header = m_nHeaderHeight;
        int rowY[kInputs], columnX[kOutputs];
        bool rowShown[kInputs], columnShown[kOutputs];
        int lastRow = -1, lastColumn = -1;
        for (int i = 0; i < kInputs; ++i) {
            const bool madi = i < kMadiChannels;
            const bool gone = madi && i >= kMadiChannels - hidden;
            // Rows count from the scroll position; the AES rows close up on
            // the last MADI row that the range leaves.
            const int d = madi ? i - v : i - hidden - v;
            rowShown[i] = !gone && d >= 0 && d < rows;
            rowY[i] = header + 10 * d + (d + v % 8) / 8;
            PanelControl& label = *Control(kInputLabelFirst + i);
            label.y = rowY[i];
            PanelSetVisible(rowShown[i] ? 1 : 0, label.id, &m_table);
            if (rowShown[i]) {
                PanelInvalidate(label.id, &m_table);
                lastRow = i;
                anyRow = true;
            }
        }
        for (int o = 0; o < kOutputs; ++o) {
            const bool madi = o < kMadiChannels;
            const bool gone = madi && o >= kMadiChannels - hidden;
            const int d = madi ? o - u : o - hidden - u;
            columnShown[o] = !gone && d >= 0 && d < columns;
            columnX[o] = kMatrixLeft + 12 * d + (d + u % 8) / 8;
            PanelControl& label = *Control(kOutputLabelFirst + o);
            label.x = columnX[o] + 1;
            label.y = header - 62;
            PanelSetVisible(columnShown[o] ? 1 : 0, label.id, &m_table);
            if (columnShown[o]) {
                PanelInvalidate(label.id, &m_table);
                lastColumn = o;
            }
        }
        for (int i = 0; i < kInputs; ++i)
            for (int o = 0; o < kOutputs; ++o) {
                PanelControl& cell = m_controls[size_t(CrosspointId(i, o))];
                cell.x = columnX[o];
                cell.y = rowY[i];
                const bool shown = rowShown[i] && columnShown[o];
                if (shown)
                    cell.flags = (cell.flags & ~PANEL_HIDDEN) | PANEL_REDRAW;
                else if (!(cell.flags & PANEL_HIDDEN))
                    cell.flags |= PANEL_HIDDEN | PANEL_REDRAW;
            }
        // With nothing visible the bars shrink to nothing instead of taking
        // a size from an old layout.
        m_nMatrixRight = lastColumn >= 0 ? columnX[lastColumn] + 12 : kMatrixLeft;
        m_nMatrixBottom = lastRow >= 0 ? rowY[lastRow] + 10 : header;
    }

    // Locked cells look different and take no clicks; the phones column
    // stays free.
    for (int i = 0; i < kInputs; ++i)
        for (int o = 0; o < kOutputs; ++o) {
            PanelControl& cell = m_controls[size_t(CrosspointId(i, o))];
            const bool lock = locked && o < kInputs;
            const int bitmap = lock ? kLockedCellBitmap : kCellBitmap;
            if (cell.bitmap != bitmap) {
                cell.bitmap = bitmap;
                cell.flags |= PANEL_REDRAW;
            }
            PanelSetFlags(PANEL_GREYED, lock ? 1 : 0, cell.id, &m_table);
        }

    if (!relayout || !HasWindow()) return;
    if (rangeChanged)
        Invalidate(TRUE);
    else
        UpdateScrollBars(needH && anyRow, needV, hidden, rows, columns, u, v);
}

void CQuendaMView::UpdateScrollBars(bool showH, bool showV, int hidden, int rows, int columns, int u, int v) {
    // With page 8 the highest position a bar reaches is the layout's bound.
    SetBar(m_pHorzBar.get(), showH, std::max(0, 80 - hidden - columns), u);
    SetBar(m_pVertBar.get(), showV, std::max(0, 79 - hidden - rows), v);
}

void CQuendaMView::SetBar(CScrollBar* bar, bool show, int maximum, int position) {
    HWND hwnd = bar->GetSafeHwnd();
    if (!hwnd || !::IsWindow(hwnd)) return;
    // Every relayout comes here; a bar is touched only when it has to
    // change, since each change repaints it at once.
    SCROLLINFO now{};
    bar->GetScrollInfo(&now, SIF_RANGE | SIF_PAGE | SIF_POS);
    if (now.nMin != 0 || now.nMax != maximum || now.nPage != 8 || now.nPos != position) {
        SCROLLINFO si{};
        si.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
        si.nMin = 0;
        si.nMax = maximum;
        si.nPage = 8;
        si.nPos = position;
        si.nTrackPos = position;
        bar->SetScrollInfo(&si, TRUE);
    }
    // The bar's own style, not whether it can be seen: the view may be hidden.
    if (((bar->GetStyle() & WS_VISIBLE) != 0) != show) bar->ShowScrollBar(show ? TRUE : FALSE);
}

void CQuendaMView::PlaceHeader(int clientWidth) {
    const bool wide = clientWidth >= 800;
    m_nHeaderHeight = wide ? 153 : 210;
    PanelControl& strip = *Control(kStrip);
    strip.x = wide ? 401 : 0;
    strip.y = wide ? 24 : 81;
    const int base = wide ? 429 : 28, first = wide ? 52 : 109, second = wide ? 67 : 124;
    auto place = [this](int id, int x, int y) {
        PanelControl& c = *Control(id);
        c.x = x;
        c.y = y;
    };
    place(kAesDoubleSpeed, base, second);
    place(kAesQuadSpeed, base, first);
    for (int k = 0; k < 4; ++k) {
        place(kAesSyncFirst + k, base + 50 + 20 * k, first);
        place(kAesAudioFirst + k, base + 50 + 20 * k, second);
    }
    place(kClockFrequency, base + 175, second);
    place(kClockSource, base + 184, first);
    place(kSampleRateRange, base + 220, second);
    place(kFollowClock, base + 251, first);
    place(kEnableAdc, base + 290, first);
    place(kAdcNumber, base + 315, second);
    place(kAdcAuto, base + 345, first);
}

bool CQuendaMView::PlaceScrollBar(CScrollBar* bar, int x, int y, int w, int h) {
    if (!bar->GetSafeHwnd()) return false;
    // Compared where the bar really sits in the view: its client rectangle
    // always starts at 0, 0 and would never match.
    RECT r;
    bar->GetWindowRect(&r);
    ScreenToClient(&r);
    if (r.left == x && r.top == y && r.right == x + w && r.bottom == y + h) return false;
    bar->MoveWindow(x, y, w, h, TRUE);
    return true;
}

void CQuendaMView::OnDraw(CDC* dc) {
    CFrameWnd* frame = GetParentFrame();
    if (frame && frame->IsKindOf(RUNTIME_CLASS(CMainFrame))) static_cast<CMainFrame*>(frame)->FitToClient(0, 0, FALSE);
    RECT client;
    GetClientRect(&client);
    const int W = client.right, H = client.bottom;
    PlaceHeader(W);
    m_nVisibleColumns = (W - (W - 100) / 96 - 100) / 12;
    m_nVisibleRows = (H - (H - m_nHeaderHeight - 25) / 80 - m_nHeaderHeight - 25) / 10;

    const RECT initial = {5, 5, 100, 30};
    if (!::IsWindow(m_pVertBar->GetSafeHwnd())) m_pVertBar->Create(SBS_VERT, initial, this, kScrollBarId);
    if (!::IsWindow(m_pHorzBar->GetSafeHwnd())) m_pHorzBar->Create(SBS_HORZ, initial, this, kScrollBarId);

    LayoutMatrix(TRUE);

    const int header = m_nHeaderHeight, right = m_nMatrixRight, bottom = m_nMatrixBottom;
    bool moved = PlaceScrollBar(m_pVertBar.get(), W - 16, header, 16, bottom - header);
    moved = PlaceScrollBar(m_pHorzBar.get(), kMatrixLeft, H - 16, right - kMatrixLeft, 16) || moved;
    if (moved && m_nFullRepaints <= 10) {
        // The bars paint themselves once they have moved; paint the panel
        // when they have settled.
        Invalidate(TRUE);
        ++m_nFullRepaints;
        return;
    }
    HDC hdc = dc ? dc->GetSafeHdc() : nullptr;
    if (!hdc) return;
    HBRUSH fill = CreateSolidBrush(kFill);
    ::FillRect(hdc, &client, fill);
    DeleteObject(fill);
    PanelPaint(hdc, m_controls.data(), kControlCount, TRUE);
    m_nFullRepaints = 0;

    HBRUSH edge = CreateSolidBrush(kFrame);
    FillRect(hdc, 0, header - 72, right + 5, header - 68, edge);
    FillRect(hdc, 0, header - 72, 4, bottom + 5, edge);
    FillRect(hdc, 0, bottom + 5, right + 5, bottom + 9, edge);
    FillRect(hdc, right + 5, header - 72, right + 9, bottom + 9, edge);
    DeleteObject(edge);
}

BOOL CQuendaMView::OnEraseBkgnd(HDC) { return TRUE; }

// ---------------------------------------------------------------- scrolling

void CQuendaMView::OnHScroll(UINT code, int pos, HWND bar) { OnScroll(true, code, pos, bar); }
void CQuendaMView::OnVScroll(UINT code, int pos, HWND bar) { OnScroll(false, code, pos, bar); }

void CQuendaMView::OnScroll(bool horizontal, UINT code, int pos, HWND barWindow) {
    CScrollBar* bar = horizontal ? m_pHorzBar.get() : m_pVertBar.get();
    if (barWindow && ::GetDlgCtrlID(barWindow) == kScrollBarId && bar->GetSafeHwnd()) {
        int& stored = horizontal ? m_nScrollHor : m_nScrollVer;
        // Steps count from where the bar stands, which is what the user sees.
        const int current = bar->GetScrollPos();
        int wanted = current;
        switch (code) {
        case SB_LINEUP: wanted = current - 1; break;
        case SB_LINEDOWN: wanted = current + 1; break;
        case SB_PAGEUP: wanted = current - 8; break;
        case SB_PAGEDOWN: wanted = current + 8; break;
        case SB_TOP: wanted = -1; break;
        case SB_BOTTOM: wanted = 100; break;
        case SB_THUMBPOSITION:
        case SB_THUMBTRACK: wanted = pos; break;
        default: break;
        }
        if (wanted < 0) wanted = 0;
        bar->SetScrollPos(wanted, TRUE);
        const int now = bar->GetScrollPos();
        if (now != stored) {
            stored = now;
            LayoutMatrix(TRUE);
            if (HasWindow()) {
                RedrawAllControls();
                RepaintGroupGaps(horizontal);
            }
        }
    }
    Default();
}

void CQuendaMView::RepaintGroupGaps(bool horizontal) {
    // Cells and labels cover their new places; what they leave behind is the
    // extra pixel between groups of eight, which has moved with the scroll.
    CClientDC dc(this);
    HDC hdc = dc.GetSafeHdc();
    HBRUSH fill = CreateSolidBrush(kFill);
    const int header = m_nHeaderHeight;
    if (horizontal) {
        for (int o = 0; o + 1 < kOutputs; ++o) {
            const PanelControl& left = *Control(kOutputLabelFirst + o);
            const PanelControl& next = *Control(kOutputLabelFirst + o + 1);
            const bool leftShown = !(left.flags & PANEL_HIDDEN), nextShown = !(next.flags & PANEL_HIDDEN);
            const int edge = left.x + left.w;
            if (leftShown && nextShown) FillRect(hdc, edge, header - 62, next.x, header, fill);
            if (leftShown && (!nextShown || next.x - edge > 2))
                FillRect(hdc, edge + 1, header, edge + 2, m_nMatrixBottom, fill);
        }
    } else {
        for (int i = 0; i + 1 < kInputs; ++i) {
            const PanelControl& upper = *Control(kInputLabelFirst + i);
            const PanelControl& next = *Control(kInputLabelFirst + i + 1);
            const int edge = upper.y + upper.h;
            if (!(upper.flags & PANEL_HIDDEN) && ((next.flags & PANEL_HIDDEN) || next.y > edge))
                FillRect(hdc, 10, edge, m_nMatrixRight, edge + 1, fill);
        }
    }
    DeleteObject(fill);
}

// ---------------------------------------------------------------- mouse

int CQuendaMView::HitInputLabel(int y) {
    int row = -1;
    for (int i = 0; i < kInputs; ++i) {
        const PanelControl& c = *Control(kInputLabelFirst + i);
        if (!(c.flags & PANEL_HIDDEN) && c.y <= y && y <= c.y + c.h) row = c.id;
    }
    return row;
}

int CQuendaMView::HitOutputLabel(int x) {
    int column = -1;
    for (int o = 0; o < kOutputs; ++o) {
        const PanelControl& c = *Control(kOutputLabelFirst + o);
        if (!(c.flags & PANEL_HIDDEN) && c.x <= x && x <= c.x + c.w) column = c.id;
    }
    return column;
}

bool CQuendaMView::Hover(int row, int column) {
    bool changed = false;
    auto swap = [this, &changed](int& highlighted, int now) {
        if (highlighted == now) return;
        if (highlighted >= 0) {
            Control(highlighted)->bitmap = kLabelBitmap;
            PanelMarkChanged(highlighted, &m_table);
        }
        if (now >= 0) {
            Control(now)->bitmap = kHighlightBitmap;
            PanelMarkChanged(now, &m_table);
        }
        highlighted = now;
        changed = true;
    };
    if (row < 0 || column < 0) {
        swap(m_nHighlightIn, -1);
        swap(m_nHighlightOut, -1);
    } else {
        swap(m_nHighlightIn, row);
        swap(m_nHighlightOut, column);
    }
    return changed;
}

LPARAM CQuendaMView::OneCrosspointPoint(LPARAM lParam) {
    // The engine toggles every switch whose edges include the point, and
    // neighbouring cells share their edge pixels. Of the cells hit, the last
    // (lowest, then rightmost) one is meant, as for the row and column labels;
    // the engine is handed a point inside that cell only.
    const int px = LOWORD(lParam), py = HIWORD(lParam);
    int hits = 0;
    const PanelControl* chosen = nullptr;
    for (int id = kCrosspointFirst; id < kControlCount; ++id) {
        const PanelControl& c = m_controls[size_t(id)];
        if ((c.flags & (PANEL_HIDDEN | PANEL_GREYED)) || !IsHit(c, px, py)) continue;
        ++hits;
        chosen = &c;
    }
    if (hits < 2) return lParam;
    return MAKELPARAM(chosen->x + 1, chosen->y + 1);
}

void CQuendaMView::FillAlongDrag(int row, int column) {
    const int i0 = m_nDragIn - kInputLabelFirst, o0 = m_nDragOut - kOutputLabelFirst;
    const int i1 = row - kInputLabelFirst, o1 = column - kOutputLabelFirst;
    const PanelControl* start = Control(CrosspointId(i0, o0));
    if (!start) return;
    // The click has toggled the start cell already; the drag carries its new state.
    const double v = start->value > 0.5 ? 1.0 : 0.0;
    auto apply = [this, v](int i, int o) {
        const int id = CrosspointId(i, o);
        const PanelControl* c = Control(id);
        // Cells the user cannot see or click are left as they are.
        if (!c || (c->flags & (PANEL_HIDDEN | PANEL_GREYED))) return;
        if (v > 0.5 || c->value > 0.5) PanelSetValue(v, id, &m_table);
    };
    if (i0 == i1 && o0 != o1) {
        for (int o = std::min(o0, o1); o <= std::max(o0, o1); ++o) apply(i0, o);
        SendChangedParameters(FALSE, FALSE, FALSE);
    } else if (i0 != i1 && std::abs(i1 - i0) == std::abs(o1 - o0)) {
        const bool fromStart = o0 < o1;
        const int oFirst = fromStart ? o0 : o1, iFirst = fromStart ? i0 : i1, iLast = fromStart ? i1 : i0;
        const int step = iLast > iFirst ? 1 : -1;
        for (int k = 0; k <= std::abs(o1 - o0); ++k) apply(iFirst + k * step, oFirst + k);
        SendChangedParameters(FALSE, FALSE, FALSE);
    }
}

BOOL CQuendaMView::PreTranslateMessage(MSG* msg) {
    // Messages to the scroll bars pass through here too, in the bars' own
    // coordinates: only the view's own are the panel's.
    if (msg && HasWindow() && msg->hwnd == m_hWnd) {
        const UINT message = msg->message;
        LPARAM lParam = msg->lParam;
        bool repaint = false;
        if (message == WM_MOUSEMOVE || message == WM_LBUTTONDOWN || message == WM_LBUTTONUP) {
            const int x = LOWORD(lParam), y = HIWORD(lParam);
            const int row = HitInputLabel(y), column = HitOutputLabel(x);
            const bool over = row >= 0 && column >= 0;
            if (message == WM_MOUSEMOVE) {
                repaint = Hover(over ? row : -1, over ? column : -1);
            } else if (message == WM_LBUTTONDOWN) {
                const PanelControl* cell =
                    over ? Control(CrosspointId(row - kInputLabelFirst, column - kOutputLabelFirst)) : nullptr;
                // A locked cell is not toggled, so it starts no drag either.
                if (cell && !(cell->flags & (PANEL_GREYED | PANEL_HIDDEN))) {
                    m_nDragIn = row;
                    m_nDragOut = column;
                }
                lParam = OneCrosspointPoint(lParam);
            } else {
                if (over && m_nDragIn >= 0) FillAlongDrag(row, column);
                m_nDragIn = -1;
                m_nDragOut = -1;
            }
        }
        const int result =
            PanelHandleMessage(m_hWnd, m_controls.data(), kControlCount, message, msg->wParam, lParam);
        if (result == 2) {
            RedrawAllControls();
            if (CDigiDoc* doc = GetDigiDoc()) doc->NotifyParametersChanged(FALSE);
        } else if (repaint) {
            RedrawAllControls();
        }
    }
    return CMidiView::PreTranslateMessage(msg);
}

// The Quenda matrix as built and laid out: its controls, the header for
// narrow and wide windows, the visible part of the matrix with its scroll
// bars, the sample-rate ranges, scrolling, and what a full paint shows.
#include "app/functiontable.h"
#include "app/ionames.h"
#include "framework/dialog.h"
#include "quenda_fixture.h"
#include "resource.h"

using namespace quendatest;
using V = CQuendaMView;

namespace {

bool Shown(CQuendaMView* v, int id) { return !(v->Control(id)->flags & PANEL_HIDDEN); }

CRect BarRect(CQuendaMView* v, CScrollBar* bar) {
    RECT r;
    bar->GetWindowRect(&r);
    v->ScreenToClient(&r);
    return r;
}

}  // namespace

TEST(QuendaView, AFreshViewRoutesEachOutputFromItsOwnInputAndAddressesAllDevices) {
    CQuendaMView v;
    ASSERT_EQ(v.Table()->count, 5512);
    EXPECT_EQ(v.SettingsTable()->count, 256);
    for (int o = 0; o < 73; ++o) EXPECT_EQ(v.Value(V::kSelectorFirst + o), o) << "output 72 starts with no input";
    EXPECT_EQ(v.GetDeviceId(), 127);
    EXPECT_EQ(v.GetNameIndex(), 16);
    // The labels show the store's names of the all-devices index.
    EXPECT_EQ(v.Control(V::kInputLabelFirst)->list, theIoNames.GetIoName(IoKeyQuenda, 16, 0));
    EXPECT_EQ(v.Control(V::kOutputLabelFirst + 72)->list, theIoNames.GetIoName(IoKeyQuenda, 16, 144));
    const PanelControl* last = v.Control(V::CrosspointId(71, 72));
    EXPECT_EQ(last->x, 75 + 12 * 72 + 9);
    EXPECT_EQ(last->y, 153 + 10 * 71 + 8);
}

TEST_F(QuendaWindow, Function3OpensTheMatrixFromTheMenuAndFromFunctionSelect) {
    Command(ID_FUNCTION_ROW4);
    EXPECT_FALSE(doc->GetMidiView()->IsKindOf(RUNTIME_CLASS(CQuendaMView)));
    Command(ID_FUNCTION_ROW3);
    EXPECT_TRUE(doc->GetMidiView()->IsKindOf(RUNTIME_CLASS(CQuendaMView)));
    Command(ID_FUNCTION_ROW4);
    testing_support::WhenDialogAppears([](HWND dlg) {
        HWND list = GetDlgItem(dlg, IDC_FUNCTION_LIST);
        ::SendMessageA(list, LB_SETCURSEL, 3, 0);
        ::SendMessageA(dlg, WM_COMMAND, MAKEWPARAM(IDC_FUNCTION_LIST, LBN_SELCHANGE), LPARAM(list));
        ::SendMessageA(dlg, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    });
    doc->OnNewDocument();   // Function Select on a window that shows a function
    EXPECT_TRUE(doc->GetMidiView()->IsKindOf(RUNTIME_CLASS(CQuendaMView)));
    EXPECT_EQ(doc->m_nFunction, 3);
}

TEST_F(QuendaWindow, NarrowWindowsPutTheSecondStripBelowTheFirstAndWideOnesBesideIt) {
    SizeClient(799, 700);
    EXPECT_EQ(view->GetHeaderHeight(), 210);
    EXPECT_EQ(view->Control(V::kStrip)->x, 0);
    EXPECT_EQ(view->Control(V::kStrip)->y, 81);
    EXPECT_EQ(view->Control(V::kAesQuadSpeed)->y, 109);
    EXPECT_EQ(view->Control(V::kAesDoubleSpeed)->y, 124);
    EXPECT_EQ(view->Control(V::kAdcAuto)->x, 28 + 345);
    EXPECT_EQ(view->Control(V::kInputLabelFirst)->y, 210);
    EXPECT_EQ(view->Control(V::kOutputLabelFirst)->y, 210 - 62);

    SizeClient(800, 700);
    EXPECT_EQ(view->GetHeaderHeight(), 153);
    EXPECT_EQ(view->Control(V::kStrip)->x, 401);
    EXPECT_EQ(view->Control(V::kStrip)->y, 24);
    EXPECT_EQ(view->Control(V::kAesSyncFirst + 3)->x, 429 + 110);
    EXPECT_EQ(view->Control(V::kClockSource)->x, 429 + 184);
    EXPECT_EQ(view->Control(V::kAdcNumber)->y, 67);
    EXPECT_EQ(view->Control(V::CrosspointId(0, 0))->y, 153);
}

TEST_F(QuendaWindow, TheVisibleRowsAndColumnsDecideWhichBarsAreShown) {
    // Neither fits: both bars, each along its side of the matrix.
    SizeClient(900, 600);
    EXPECT_EQ(view->GetVisibleColumns(), 66);
    EXPECT_EQ(view->GetVisibleRows(), 41);
    EXPECT_FALSE(Shown(view, V::kInputLabelFirst + 41));
    EXPECT_FALSE(Shown(view, V::CrosspointId(41, 3)));
    EXPECT_TRUE(view->HorzBar()->IsWindowVisible());
    EXPECT_TRUE(view->VertBar()->IsWindowVisible());
    EXPECT_EQ(view->GetMatrixRight(), view->Control(V::CrosspointId(0, 65))->x + 12);
    EXPECT_EQ(view->GetMatrixBottom(), view->Control(V::CrosspointId(40, 0))->y + 10);
    EXPECT_EQ(BarRect(view, view->VertBar()), CRect(900 - 16, 153, 900, view->GetMatrixBottom()));
    EXPECT_EQ(BarRect(view, view->HorzBar()), CRect(75, 600 - 16, view->GetMatrixRight(), 600));
    EXPECT_EQ(view->GetFullRepaints(), 0) << "the panel was painted once the bars had settled";

    // Every row fits: no vertical bar, and one more column in its place.
    SizeClient(900, 1000);
    EXPECT_FALSE(view->VertBar()->IsWindowVisible());
    EXPECT_TRUE(view->HorzBar()->IsWindowVisible());
    EXPECT_TRUE(Shown(view, V::kOutputLabelFirst + 66));
    EXPECT_FALSE(Shown(view, V::kOutputLabelFirst + 67));

    // Every column fits: no horizontal bar, and one more row.
    SizeClient(1100, 700);
    EXPECT_EQ(view->GetVisibleRows(), 51);
    EXPECT_FALSE(view->HorzBar()->IsWindowVisible());
    EXPECT_TRUE(view->VertBar()->IsWindowVisible());
    EXPECT_FALSE(Shown(view, V::kInputLabelFirst + 52));
}

TEST_F(QuendaWindow, DoubleAndQuadRangesCloseTheAesChannelsUpOnTheRemainingMadiOnes) {
    SizeClient(1100, 1000);
    view->UpdateWindow();
    PanelSetValue(2, V::kSampleRateRange, view->Table());   // Quad
    view->SendChangedParameters(FALSE, FALSE, FALSE);
    RECT dirty;
    ASSERT_TRUE(GetUpdateRect(view->m_hWnd, &dirty, FALSE)) << "a new range repaints the whole window";
    EXPECT_EQ(CRect(dirty), CRect(0, 0, 1100, 1000));
    EXPECT_TRUE(Shown(view, V::kInputLabelFirst + 15));
    for (int i = 16; i < 64; ++i) EXPECT_FALSE(Shown(view, V::kInputLabelFirst + i)) << i;
    EXPECT_FALSE(Shown(view, V::kOutputLabelFirst + 16));
    EXPECT_FALSE(Shown(view, V::CrosspointId(20, 5)));
    // AES input 1 directly below MADI input 16, past the group pixel.
    EXPECT_EQ(view->Control(V::kInputLabelFirst + 64)->y, view->Control(V::kInputLabelFirst + 15)->y + 11);
    EXPECT_EQ(view->Control(V::CrosspointId(64, 64))->x, view->Control(V::CrosspointId(0, 15))->x + 13);
    EXPECT_EQ(view->Control(V::CrosspointId(64, 72))->x, view->Control(V::CrosspointId(64, 71))->x + 13)
        << "the phones column starts a new group of eight";

    testing_support::PumpMessages(30);
    PanelSetValue(1, V::kSampleRateRange, view->Table());   // Double
    view->SendChangedParameters(FALSE, FALSE, FALSE);
    testing_support::PumpMessages(30);
    EXPECT_TRUE(Shown(view, V::kInputLabelFirst + 31));
    EXPECT_FALSE(Shown(view, V::kInputLabelFirst + 32));
    EXPECT_FALSE(Shown(view, V::kOutputLabelFirst + 63));
    EXPECT_EQ(view->Control(V::kInputLabelFirst + 64)->y, view->Control(V::kInputLabelFirst + 31)->y + 11);
}

TEST_F(QuendaWindow, ScrollingMovesTheMatrixWithinItsBoundsAndKeepsTheGroups) {
    SizeClient(900, 600);   // 41 rows and 66 columns shown
    HWND vbar = view->VertBar()->m_hWnd, hbar = view->HorzBar()->m_hWnd;
    auto vscroll = [&](int code, int pos = 0) { view->SendMessage(WM_VSCROLL, MAKEWPARAM(code, pos), LPARAM(vbar)); };
    auto hscroll = [&](int code, int pos = 0) { view->SendMessage(WM_HSCROLL, MAKEWPARAM(code, pos), LPARAM(hbar)); };

    vscroll(SB_BOTTOM);
    EXPECT_EQ(view->GetScrollVer(), 72 - 41) << "the bar stops where the last row is shown";
    EXPECT_EQ(view->Control(V::kInputLabelFirst + 31)->y, 153);
    vscroll(SB_TOP);
    EXPECT_EQ(view->GetScrollVer(), 0);
    vscroll(SB_LINEDOWN);
    vscroll(SB_PAGEDOWN);
    EXPECT_EQ(view->GetScrollVer(), 9);
    vscroll(SB_LINEUP);
    EXPECT_EQ(view->GetScrollVer(), 8);
    // The group pixel stays after every eighth channel, wherever the view starts.
    vscroll(SB_THUMBPOSITION, 1);
    EXPECT_EQ(view->Control(V::kInputLabelFirst + 8)->y - view->Control(V::kInputLabelFirst + 7)->y, 11);
    EXPECT_EQ(view->Control(V::kInputLabelFirst + 7)->y - view->Control(V::kInputLabelFirst + 6)->y, 10);

    hscroll(SB_THUMBTRACK, 3);
    EXPECT_EQ(view->GetScrollHor(), 3);
    EXPECT_EQ(view->Control(V::CrosspointId(1, 3))->x, 75);
    EXPECT_FALSE(Shown(view, V::CrosspointId(1, 2)));
    hscroll(SB_BOTTOM);
    EXPECT_EQ(view->GetScrollHor(), 73 - 66);
    // A message from anything but the bars' id moves nothing.
    view->SendMessage(WM_HSCROLL, MAKEWPARAM(SB_TOP, 0), LPARAM(frame->m_hWnd));
    EXPECT_EQ(view->GetScrollHor(), 73 - 66);
}

TEST_F(QuendaWindow, StoredScrollPositionsAreClampedOnlyWhileLayingOut) {
    theApp.WriteProfileInt("Default\\Settings\\quendam", "SCROLLVER", 100);
    view->LoadSettings("Default\\Settings\\quendam");
    SizeClient(900, 600);
    EXPECT_EQ(view->GetScrollVer(), 100);
    EXPECT_EQ(view->Control(V::kInputLabelFirst + 31)->y, 153) << "shown as far down as it goes";
    EXPECT_EQ(view->VertBar()->GetScrollPos(), 31);
}

TEST_F(QuendaWindow, AFullPaintShowsTheCellsOnThePanelInsideItsFrame) {
    SizeClient(1100, 1000);
    // The settled view painted into a bitmap of its size.
    BITMAPINFO bi{};
    bi.bmiHeader = {sizeof(BITMAPINFOHEADER), 1100, -1000, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
    HDC memory = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(memory, bitmap);
    CDC dc(memory);
    view->OnDraw(&dc);
    GdiFlush();
    auto pixel = [&](int x, int y) { return static_cast<const DWORD*>(bits)[y * 1100 + x] & 0xFFFFFF; };
    auto rgb = [](int r, int g, int b) { return DWORD(r << 16 | g << 8 | b); };
    // Before the device answers the ADC counts as on, which locks every
    // column but the phones.
    const PanelControl* lit = view->Control(V::CrosspointId(20, 20));
    const PanelControl* locked = view->Control(V::CrosspointId(21, 20));
    const PanelControl* free = view->Control(V::CrosspointId(5, 72));
    EXPECT_EQ(lit->bitmap, 293);
    EXPECT_EQ(free->bitmap, 291);
    auto brightness = [&](const PanelControl* c) {
        DWORD p = pixel(c->x + 5, c->y + 4);
        return int((p >> 16) + (p >> 8 & 255) + (p & 255));
    };
    EXPECT_GT(brightness(lit), brightness(locked) + 150);
    EXPECT_GT(brightness(lit), brightness(free) + 150);
    EXPECT_EQ(pixel(2, 153 - 70), rgb(66, 77, 91)) << "the frame";
    EXPECT_EQ(pixel(view->GetMatrixRight() + 7, 500), rgb(66, 77, 91));
    EXPECT_EQ(pixel(1090, 990), rgb(38, 44, 50)) << "the background";
    EXPECT_NE(pixel(100, 12), rgb(38, 44, 50)) << "the header art";
    SelectObject(memory, old);
    DeleteDC(memory);
    DeleteObject(bitmap);
}

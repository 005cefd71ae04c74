// The top-level frame: its style and mark, the size that follows the panel,
// the sizing and screen rules, the options and the hand-over message.
#include "resource.h"
#include "shell_fixture.h"

namespace {

RECT windowRect(CWnd* w) {
    RECT r;
    w->GetWindowRect(&r);
    return r;
}

class Frame : public ShellTest {
protected:
    void SetUp() override {
        ShellTest::SetUp();
        WriteStateSet("Workspace\\Frame0", 3, RECT{200, 150, 800, 650});
        theApp.OnFunctionSelect();
        ASSERT_TRUE(theApp.m_windows[0].inUse);
        frame = ShellTest::Frame(0);
    }
    CMainFrame* frame = nullptr;
};

}  // namespace

TEST_F(Frame, HasExactlyItsStyleAndTheMarkOfARunningProgram) {
    DWORD style = frame->GetStyle();
    // The system adds WS_CLIPSIBLINGS to every top-level window.
    EXPECT_EQ(style & 0xFFFF0000u & ~DWORD(WS_CLIPSIBLINGS),
              DWORD(WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | WS_MINIMIZEBOX | WS_VISIBLE));
    EXPECT_FALSE(style & WS_MAXIMIZEBOX);
    EXPECT_TRUE(style & FWS_ADDTOTITLE);
    EXPECT_EQ(GetWindowLongPtrA(frame->m_hWnd, GWLP_USERDATA), LONG_PTR(100));
    EXPECT_EQ(frame->GetWindowText(), "Tesmer Vantor");
    ASSERT_NE(frame->GetMenu(), nullptr);
    char text[80] = "";
    GetMenuStringA(frame->GetMenu(), ID_SELECT_BAUD_RATE, text, sizeof(text), MF_BYCOMMAND);
    EXPECT_STREQ(text, "Select RS232 Baud Rate") << "the item has no mnemonic";
    EXPECT_EQ(frame->m_wndStatusBar.GetPaneCount(), 3);
    EXPECT_EQ(frame->m_wndStatusBar.GetPaneText(0), "Ready");
}

TEST_F(Frame, FitToClientMakesTheViewClientExactAndKeepsTheCentre) {
    RECT before = windowRect(frame);
    EXPECT_TRUE(frame->FitToClient(481, 448, FALSE));
    RECT client;
    frame->GetActiveView()->GetClientRect(&client);
    EXPECT_EQ(client.right, 481);
    EXPECT_EQ(client.bottom, 448);
    RECT after = windowRect(frame);
    EXPECT_LE(std::abs((before.left + before.right) - (after.left + after.right)), 1);
    EXPECT_LE(std::abs((before.top + before.bottom) - (after.top + after.bottom)), 1);
    EXPECT_EQ(frame->m_nFixedWidth, after.right - after.left);
    EXPECT_EQ(frame->m_nFixedHeight, after.bottom - after.top);
    EXPECT_FALSE(frame->FitToClient(481, 448, FALSE)) << "nothing moves when the size is right";
}

TEST_F(Frame, FitToClientWithKeepTopAndWithAFreeWidth) {
    RECT before = windowRect(frame);
    frame->FitToClient(740, 171, TRUE);
    RECT after = windowRect(frame);
    EXPECT_EQ(after.top, before.top);
    RECT client;
    frame->GetActiveView()->GetClientRect(&client);
    EXPECT_EQ(client.bottom, 171);
    int width = after.right - after.left;
    frame->FitToClient(0, 300, TRUE);
    EXPECT_EQ(frame->m_nFixedWidth, 0);
    RECT last = windowRect(frame);
    EXPECT_EQ(last.right - last.left, width) << "a free width is left as it is";
    frame->GetActiveView()->GetClientRect(&client);
    EXPECT_EQ(client.bottom, 300);
}

TEST_F(Frame, FixedSidesMoveTheWindowInsteadOfResizingIt) {
    frame->FitToClient(400, 300, FALSE);
    const int w = frame->m_nFixedWidth, h = frame->m_nFixedHeight;
    RECT r = {100, 100, 100 + w - 40, 100 + h};   // as if the left edge was dragged 40 to the right
    r.left += 40;
    r.right = 100 + w;
    ::SendMessageA(frame->m_hWnd, WM_SIZING, WMSZ_LEFT, LPARAM(&r));
    EXPECT_EQ(r.right - r.left, w);
    EXPECT_EQ(r.left, 140);
    RECT b = {10, 20, 10 + w, 20 + h + 33};
    CMainFrame::ApplySizingRule(WMSZ_BOTTOMRIGHT, &b, w, h);
    EXPECT_EQ(b.top, 20 + 33) << "dragging the bottom moves the top along";
    EXPECT_EQ(b.left, 10);
    RECT t = {10, 20, 10 + w, 20 + h - 50};
    CMainFrame::ApplySizingRule(WMSZ_TOP, &t, 0, h);
    EXPECT_EQ(t.bottom, 20 + h);
    RECT free = {0, 0, 123, 456};
    CMainFrame::ApplySizingRule(WMSZ_BOTTOMRIGHT, &free, 0, 0);
    EXPECT_EQ(CRect(free), CRect(0, 0, 123, 456));
}

TEST_F(Frame, MaximumWidthAllowsWidePanels) {
    MINMAXINFO mmi{};
    mmi.ptMaxSize.x = 1024;
    mmi.ptMaxTrackSize.x = 1300;
    mmi.ptMaxTrackSize.y = 999;
    CMainFrame::ApplyMinMaxRule(&mmi, 0);
    EXPECT_EQ(mmi.ptMaxSize.x, 2000);
    EXPECT_EQ(mmi.ptMaxTrackSize.x, 2000);
    EXPECT_EQ(mmi.ptMaxTrackSize.y, 999);
    CMainFrame::ApplyMinMaxRule(&mmi, 1900);
    EXPECT_EQ(mmi.ptMaxTrackSize.x, 2100);
}

TEST(VirtualScreen, OneCorrectionPerAxis) {
    RECT r = {-100, 50, 400, 450};
    EXPECT_TRUE(CMainFrame::KeepRectOnScreen(&r, 0, 1600, 1200));
    EXPECT_EQ(CRect(r), CRect(0, 50, 500, 450));
    RECT below = {100, 1000, 400, 1400};
    CMainFrame::KeepRectOnScreen(&below, 0, 1600, 1200);
    EXPECT_EQ(CRect(below), CRect(100, 800, 400, 1200));
    RECT above = {1500, -30, 1800, 100};
    CMainFrame::KeepRectOnScreen(&above, 0, 1600, 1200);
    EXPECT_EQ(CRect(above), CRect(1300, 0, 1600, 130));
    RECT inside = {10, 10, 20, 20};
    EXPECT_FALSE(CMainFrame::KeepRectOnScreen(&inside, 0, 1600, 1200));
    // Wider than the screen: up to twice the excess may stay outside.
    RECT wide = {-350, 0, 1750, 100};   // 2100 wide on 1600: excess 500
    EXPECT_FALSE(CMainFrame::KeepRectOnScreen(&wide, 0, 1600, 1200));
    RECT tooFar = {-1100, 0, 1000, 100};
    CMainFrame::KeepRectOnScreen(&tooFar, 0, 1600, 1200);
    EXPECT_EQ(tooFar.left, -1000);
    // A second monitor left of the first, and unknown metrics.
    RECT left = {-2000, 0, -1500, 100};
    CMainFrame::KeepRectOnScreen(&left, -1280, 2880, 1024);
    EXPECT_EQ(left.left, -1280);
    RECT none = {3100, 1450, 3300, 1600};
    CMainFrame::KeepRectOnScreen(&none, 0, 0, 0);
    EXPECT_EQ(CRect(none), CRect(3000, 1350, 3200, 1500));
}

TEST_F(Frame, KeepOnVirtualScreenMovesALostWindowBack) {
    frame->MoveWindow(-300, -200, 500, 400, TRUE);
    frame->KeepOnVirtualScreen();
    RECT r = windowRect(frame);
    EXPECT_EQ(r.left, GetSystemMetrics(SM_XVIRTUALSCREEN));
    EXPECT_EQ(r.top, 0);
    EXPECT_EQ(r.right - r.left, 500);
}

TEST_F(Frame, AlwaysOnTopIsSharedByWindowsOpenedLater) {
    ::SendMessageA(frame->m_hWnd, WM_COMMAND, ID_ALWAYS_ON_TOP, 0);
    EXPECT_TRUE(frame->GetExStyle() & WS_EX_TOPMOST);
    EXPECT_EQ(ProfileInt("Settings", "AllwaysOnTop"), 1);
    WriteStateSet("Workspace\\Frame1", 2, RECT{10, 10, 500, 600});
    int i = OpenFromSection("Workspace\\Frame1");
    ASSERT_GE(i, 0);
    EXPECT_TRUE(ShellTest::Frame(i)->GetExStyle() & WS_EX_TOPMOST);
    ::SendMessageA(frame->m_hWnd, WM_COMMAND, ID_ALWAYS_ON_TOP, 0);
    EXPECT_FALSE(frame->GetExStyle() & WS_EX_TOPMOST);
    EXPECT_TRUE(ShellTest::Frame(i)->GetExStyle() & WS_EX_TOPMOST) << "open windows keep their state";
    EXPECT_EQ(ProfileInt("Settings", "AllwaysOnTop"), 0);
}

TEST_F(Frame, ScreenSaverCommandsAreSwallowedOnlyWhenAsked) {
    EXPECT_EQ(::SendMessageA(frame->m_hWnd, WM_SYSCOMMAND, SC_MONITORPOWER, 2), 0);
    ::SendMessageA(frame->m_hWnd, WM_COMMAND, ID_DEACTIVATE_SCREENSAVER, 0);
    EXPECT_EQ(ProfileInt("Settings", "DeactivateScreenSaver"), 1);
    EXPECT_EQ(::SendMessageA(frame->m_hWnd, WM_SYSCOMMAND, SC_SCREENSAVE, 0), 1);
    EXPECT_EQ(::SendMessageA(frame->m_hWnd, WM_SYSCOMMAND, SC_MONITORPOWER | 3, 2), 1) << "the low bits are masked";
    ::SendMessageA(frame->m_hWnd, WM_COMMAND, ID_DEACTIVATE_SCREENSAVER, 0);
    EXPECT_EQ(ProfileInt("Settings", "DeactivateScreenSaver"), 0);
}

TEST_F(Frame, EmptyHandOverOpensANewWindowWithFunctionSelect) {
    theApp.WriteProfileString("Temp", "OpenFile", "");
    testing_support::WhenDialogAppears([](HWND dlg) {
        HWND list = GetDlgItem(dlg, IDC_FUNCTION_LIST);
        ::SendMessageA(list, LB_SETCURSEL, 4, 0);
        ::SendMessageA(dlg, WM_COMMAND, MAKEWPARAM(IDC_FUNCTION_LIST, LBN_SELCHANGE), LPARAM(list));
        ::SendMessageA(dlg, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), LPARAM(GetDlgItem(dlg, IDOK)));
    });
    EXPECT_EQ(::SendMessageA(frame->m_hWnd, WM_VANTOR_HANDOVER, 0, 0), 1);
    ASSERT_TRUE(theApp.m_windows[1].inUse);
    EXPECT_EQ(Doc(1)->m_nFunction, 4);
    EXPECT_EQ(ProfileString("Temp", "OpenFile"), "") << "the value stays until shut-down";
}

TEST_F(Frame, CancelledFunctionSelectOpensNoWindow) {
    theApp.WriteProfileString("Temp", "OpenFile", "");
    testing_support::WhenDialogAppears([](HWND dlg) {
        ::SendMessageA(dlg, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), LPARAM(GetDlgItem(dlg, IDCANCEL)));
    });
    ::SendMessageA(frame->m_hWnd, WM_VANTOR_HANDOVER, 0, 0);
    EXPECT_FALSE(theApp.m_windows[1].inUse);
    EXPECT_EQ(theApp.CountFrames(), 1);
    EXPECT_EQ(CFrameWnd::AllFrames().size(), 1u) << "the cancelled window's frame is gone";
}

TEST_F(Frame, HandOverUnderAnOpenDialogWaitsUntilItCloses) {
    theApp.WriteProfileString("Temp", "OpenFile", "");
    bool openedUnderDialog = true;
    testing_support::WhenDialogAppears([&](HWND dlg) {
        ::PostMessageA(frame->m_hWnd, WM_VANTOR_HANDOVER, 0, 0);
        testing_support::PumpMessages(400);
        openedUnderDialog = theApp.m_windows[1].inUse;
        ::SendMessageA(dlg, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), LPARAM(GetDlgItem(dlg, IDCANCEL)));
    });
    CDialog blocking(IDD_FUNCTION_SELECT);
    blocking.DoModal();
    EXPECT_FALSE(openedUnderDialog);
    // Once the dialog is gone the hand-over runs: its own Function Select comes up.
    bool asked = false;
    testing_support::WhenDialogAppears([&](HWND dlg) {
        asked = true;
        ::SendMessageA(dlg, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), LPARAM(GetDlgItem(dlg, IDOK)));
    });
    EXPECT_TRUE(testing_support::PumpUntil([&] { return asked; }));
    EXPECT_TRUE(theApp.m_windows[1].inUse);
}

TEST_F(Frame, HandOverOfAFileThatCannotBeOpenedSaysSo) {
    testing_support::MessageBoxRecorder boxes;
    theApp.WriteProfileString("Temp", "OpenFile", "C:\\setups\\show.vts");
    ::SendMessageA(frame->m_hWnd, WM_VANTOR_HANDOVER, 0, 0);
    ASSERT_EQ(boxes.boxes.size(), 1u);
    EXPECT_NE(boxes.boxes[0].text.find("C:\\setups\\show.vts"), std::string::npos);
    EXPECT_EQ(theApp.CountFrames(), 1);
}

TEST_F(Frame, EndOfSessionSavesTheWorkspaceAndClosesEverything) {
    WriteStateSet("Workspace\\Frame1", 8, RECT{10, 10, 500, 600});
    ASSERT_EQ(OpenFromSection("Workspace\\Frame1"), 1);
    theApp.WriteProfileInt("Workspace\\Frame7", "SWType", 2);   // stale: must go
    ::SendMessageA(frame->m_hWnd, WM_ENDSESSION, FALSE, 0);
    EXPECT_EQ(theApp.CountFrames(), 0);
    EXPECT_EQ(ProfileInt("Workspace", "NumOfWins"), 2);
    EXPECT_EQ(ProfileInt("Workspace\\Frame0", "SWType"), 3);
    EXPECT_EQ(ProfileInt("Workspace\\Frame1", "SWType"), 8);
    EXPECT_FALSE(SectionExists("Workspace\\Frame7"));
    EXPECT_EQ(ProfileInt("SystemSet", "IgnorePosition"), 0);
}

// The document: the first window's function, function switches and the state
// sets they read and write, the save countdown and the commands.
#include "resource.h"
#include "shell_fixture.h"

namespace {

const RECT kPos = {120, 140, 720, 660};

void sendCommand(CMainFrame* frame, UINT id) { ::SendMessageA(frame->m_hWnd, WM_COMMAND, MAKEWPARAM(id, 0), 0); }

RECT windowRect(CWnd* w) {
    RECT r;
    w->GetWindowRect(&r);
    return r;
}

}  // namespace

using Document = ShellTest;

TEST_F(Document, FirstWindowTakesFunctionPlaceAndBarsFromWorkspaceFrame0) {
    WriteStateSet("Workspace\\Frame0", 3, kPos, 0, 5);
    theApp.WriteProfileString("Workspace\\Frame0", "MidiInputName", "In Port");
    theApp.OnFunctionSelect();   // no window yet: the start path
    ASSERT_TRUE(theApp.m_windows[0].inUse);
    CDigiDoc* doc = Doc(0);
    EXPECT_EQ(doc->m_nFunction, 3);
    EXPECT_STREQ(doc->m_ports.inputName, "In Port");
    EXPECT_EQ(doc->m_nBars[0], 0);
    EXPECT_EQ(doc->m_nBars[1], 1) << "any positive number counts as shown and is kept as 1";
    EXPECT_EQ(CRect(windowRect(Frame(0))), CRect(kPos));
    EXPECT_FALSE(Frame(0)->m_wndToolBar.IsVisible());
    EXPECT_EQ(FunctionTable[3].openWindows, 1);
    EXPECT_EQ(theApp.m_pMainWnd, Frame(0));
}

TEST_F(Document, FirstWindowWithoutOrWithDamagedFunctionGetsTheDefault) {
    theApp.WriteProfileInt("Workspace\\Frame0", "SWType", -4);
    theApp.OnFunctionSelect();
    ASSERT_TRUE(theApp.m_windows[0].inUse);
    EXPECT_EQ(Doc(0)->m_nFunction, 1);
    CloseAllWindows();
    testing_support::DeleteCompanyKey(kShellTestCompany);
    theApp.OnFunctionSelect();
    EXPECT_EQ(Doc(0)->m_nFunction, 1) << "no saved function: Tarvik Matrix";
    CloseAllWindows();
    theApp.WriteProfileInt("Workspace\\Frame0", "SWType", 40);
    theApp.OnFunctionSelect();
    EXPECT_EQ(Doc(0)->m_nFunction, 11) << "beyond the table: the last row";
}

TEST_F(Document, SwitchingReplacesTheViewAndLeavesTheOldStateInTempAndDefault) {
    WriteStateSet("Workspace\\Frame0", 2, kPos);
    theApp.OnFunctionSelect();
    CDigiDoc* doc = Doc(0);
    CMidiView* oldView = doc->GetMidiView();
    ASSERT_NE(oldView, nullptr);
    HWND oldHwnd = oldView->m_hWnd;
    sendCommand(Frame(0), ID_FUNCTION_ROW5);
    EXPECT_EQ(doc->m_nFunction, 5);
    CMidiView* newView = doc->GetMidiView();
    ASSERT_EQ(doc->GetViews().size(), 1u);
    EXPECT_FALSE(IsWindow(oldHwnd)) << "the old view is gone";
    EXPECT_EQ(Frame(0)->GetActiveView(), newView);
    EXPECT_EQ(newView->GetDlgCtrlID(), 59648);
    EXPECT_EQ(ProfileInt("Temp\\Frame0\\Settings\\lusketm", "SWType"), 2);
    EXPECT_EQ(ProfileInt("Temp\\Frame0\\Settings\\lusketm", "ToolBar"), 1);
    EXPECT_EQ(ProfileInt("Default\\Settings\\lusketm", "WinPos.left"), kPos.left);
    EXPECT_EQ(ProfileInt("Default\\Settings\\lusketm", "SWType"), -12345) << "the default keeps positions only";
    EXPECT_EQ(FunctionTable[2].openWindows, 0);
    EXPECT_EQ(FunctionTable[5].openWindows, 1);
}

TEST_F(Document, SwitchingBackUsesTheTempSetOnlyWhenItsFunctionMatches) {
    WriteStateSet("Workspace\\Frame0", 4, kPos);
    theApp.OnFunctionSelect();
    CDigiDoc* doc = Doc(0);
    sendCommand(Frame(0), ID_FUNCTION_ROW6);
    // The Temp set of function 4 holds kPos; a default elsewhere must lose.
    RECT other = {300, 200, 800, 760};
    WriteStateSet("Default\\Settings\\sarnetf", 4, other);
    sendCommand(Frame(0), ID_FUNCTION_ROW4);
    EXPECT_EQ(CRect(windowRect(Frame(0))), CRect(kPos));
    // A Temp set whose function does not match is ignored for the default.
    theApp.WriteProfileInt("Temp\\Frame0\\Settings\\ombrelf", "SWType", 9);
    WriteStateSet("Default\\Settings\\ombrelf", 6, other);
    sendCommand(Frame(0), ID_FUNCTION_ROW6);
    EXPECT_EQ(CRect(windowRect(Frame(0))), CRect(other));
    EXPECT_EQ(doc->m_nFunction, 6);
}

TEST_F(Document, SameFunctionKeepsTheViewAndWithASectionReloadsPlaceAndBars) {
    WriteStateSet("Workspace\\Frame0", 7, kPos);
    theApp.OnFunctionSelect();
    CDigiDoc* doc = Doc(0);
    CMidiView* view = doc->GetMidiView();
    RECT other = {10, 20, 510, 620};
    WriteStateSet("Workspace\\Frame5", 7, other, 0, 0);
    doc->SwitchFunction(7, "Workspace\\Frame5");
    EXPECT_EQ(doc->GetMidiView(), view);
    EXPECT_EQ(CRect(windowRect(Frame(0))), CRect(other));
    EXPECT_EQ(doc->m_nBars[0], 0);
    EXPECT_FALSE(Frame(0)->m_wndStatusBar.IsVisible());
    // Without a section nothing moves; a negative function behaves the same.
    Frame(0)->MoveWindow(50, 60, 500, 600);
    doc->SwitchFunction(-1, nullptr);
    EXPECT_EQ(doc->GetMidiView(), view);
    EXPECT_EQ(CRect(windowRect(Frame(0))), CRect(50, 60, 550, 660));
    EXPECT_EQ(doc->m_nFunction, 7);
    EXPECT_EQ(doc->m_nSubModel, 2) << "Pelvo Gamma is variant 2";
}

TEST_F(Document, SecondWindowOnAShownFunctionKeepsItsPlaceAndTakesTheSize) {
    WriteStateSet("Workspace\\Frame0", 3, kPos);
    theApp.OnFunctionSelect();
    RECT second = {400, 100, 900, 700};
    WriteStateSet("Workspace\\Frame1", 8, second);
    int i = OpenFromSection("Workspace\\Frame1");
    ASSERT_EQ(i, 1);
    WriteStateSet("Default\\Settings\\quendam", 3, RECT{0, 0, 640, 480});
    sendCommand(Frame(1), ID_FUNCTION_ROW3);
    RECT r = windowRect(Frame(1));
    EXPECT_EQ(r.left, second.left);
    EXPECT_EQ(r.top, second.top);
    EXPECT_EQ(r.right - r.left, 640);
    EXPECT_EQ(r.bottom - r.top, 480);
    EXPECT_EQ(FunctionTable[3].openWindows, 2);
}

TEST_F(Document, AWindowOutsideTheTableAlwaysTakesTheDefaultSet) {
    CDocument* made = theApp.m_pDocTemplate->OpenDocumentFile(nullptr, TRUE);   // not recorded in the table
    ASSERT_NE(made, nullptr);
    CDigiDoc* doc = static_cast<CDigiDoc*>(made);
    EXPECT_EQ(theApp.FindDocument(doc), -1);
    RECT temp = {1, 2, 601, 602}, def = {30, 40, 630, 640};
    WriteStateSet("Temp\\Frame-1\\Settings\\brisal", 11, temp);
    WriteStateSet("Default\\Settings\\brisal", 11, def);
    doc->SwitchFunction(11, nullptr);
    RECT r = windowRect(doc->GetFrame());
    EXPECT_EQ(CRect(r), CRect(def));
    EXPECT_FALSE(SectionExists("Temp\\Frame-1\\Settings\\tarvikm")) << "nothing is written for index -1";
    doc->GetFrame()->DestroyWindow();
}

TEST_F(Document, MissingPositionGrowsTheHeightToTheMinimum) {
    theApp.OnFunctionSelect();
    CDigiDoc* doc = Doc(0);
    Frame(0)->MoveWindow(100, 100, 400, 200);   // the position the switch saves
    doc->SwitchFunction(9, nullptr);            // no Default set exists for the new function
    EXPECT_EQ(doc->WinPos.bottom, 600);
    RECT r = windowRect(Frame(0));
    EXPECT_EQ(r.bottom - r.top, 500);
}

TEST_F(Document, SaveCountdownWritesTheWholeDefaultSetOnTheThirdTick) {
    theApp.OnFunctionSelect();
    CDigiDoc* doc = Doc(0);
    testing_support::DeleteCompanyKey(kShellTestCompany);
    doc->NotifyParametersChanged(FALSE);
    EXPECT_EQ(doc->m_nSaveCountdown, 3);
    doc->SaveTick(FALSE);
    doc->SaveTick(FALSE);
    EXPECT_FALSE(SectionExists("Default\\Settings\\tarvikm"));
    doc->SaveTick(FALSE);
    EXPECT_EQ(ProfileInt("Default\\Settings\\tarvikm", "SWType"), 1);
    EXPECT_EQ(ProfileInt("Default\\Settings\\tarvikm", "StatusBar"), 1);
    testing_support::DeleteCompanyKey(kShellTestCompany);
    doc->SaveTick(FALSE);
    EXPECT_FALSE(SectionExists("Default\\Settings\\tarvikm")) << "the countdown stays at 0";
    doc->SaveTick(TRUE);
    EXPECT_TRUE(SectionExists("Default\\Settings\\tarvikm"));
}

TEST_F(Document, BarTogglesAndIgnorePositionCarryTheirChecks) {
    theApp.OnFunctionSelect();
    CDigiDoc* doc = Doc(0);
    CMainFrame* frame = Frame(0);
    doc->m_nSaveCountdown = 0;
    sendCommand(frame, ID_VIEW_TOOLBAR);
    EXPECT_EQ(doc->m_nBars[0], 0);
    EXPECT_FALSE(frame->m_wndToolBar.IsVisible());
    EXPECT_EQ(doc->m_nSaveCountdown, 3);
    sendCommand(frame, ID_VIEW_STATUS_BAR);
    sendCommand(frame, ID_IGNORE_POSITION);
    HMENU popup = CreatePopupMenu();
    AppendMenuA(popup, MF_STRING, ID_VIEW_TOOLBAR, "t");
    AppendMenuA(popup, MF_STRING, ID_VIEW_STATUS_BAR, "s");
    AppendMenuA(popup, MF_STRING, ID_IGNORE_POSITION, "i");
    AppendMenuA(popup, MF_STRING, ID_FUNCTION_ROW1, "f1");
    AppendMenuA(popup, MF_STRING, ID_FUNCTION_ROW2, "f2");
    ::SendMessageA(frame->m_hWnd, WM_INITMENUPOPUP, WPARAM(popup), 0);
    EXPECT_FALSE(GetMenuState(popup, 0, MF_BYPOSITION) & MF_CHECKED);
    EXPECT_FALSE(GetMenuState(popup, 1, MF_BYPOSITION) & MF_CHECKED);
    EXPECT_TRUE(GetMenuState(popup, 2, MF_BYPOSITION) & MF_CHECKED);
    EXPECT_TRUE(GetMenuState(popup, 3, MF_BYPOSITION) & MF_CHECKED) << "the shown function is checked";
    EXPECT_FALSE(GetMenuState(popup, 4, MF_BYPOSITION) & MF_CHECKED);
    DestroyMenu(popup);
    EXPECT_TRUE(CDigiDoc::IgnorePositionFlag);
}

TEST_F(Document, SingleSetCommandsAreDisabledForTheTarvikFrontView) {
    theApp.OnFunctionSelect();
    CMainFrame* frame = Frame(0);
    HMENU popup = CreatePopupMenu();
    AppendMenuA(popup, MF_STRING, ID_SEND_SINGLE_SET, "send");
    AppendMenuA(popup, MF_STRING, ID_RECEIVE_SINGLE_SET, "receive");
    AppendMenuA(popup, MF_STRING, ID_SEND_SINGLE_SET_MENU, "context send");
    AppendMenuA(popup, MF_STRING, ID_FILE_SAVE, "save");
    ::SendMessageA(frame->m_hWnd, WM_INITMENUPOPUP, WPARAM(popup), 0);
    EXPECT_FALSE(GetMenuState(popup, 0, MF_BYPOSITION) & MF_GRAYED);
    EXPECT_TRUE(GetMenuState(popup, 2, MF_BYPOSITION) & MF_GRAYED) << "the context menu's item has no handler";
    EXPECT_FALSE(GetMenuState(popup, 3, MF_BYPOSITION) & MF_GRAYED) << "a window with a function can be saved";
    sendCommand(frame, ID_FUNCTION_ROW0);
    ::SendMessageA(frame->m_hWnd, WM_INITMENUPOPUP, WPARAM(popup), 0);
    EXPECT_TRUE(GetMenuState(popup, 0, MF_BYPOSITION) & MF_GRAYED);
    EXPECT_TRUE(GetMenuState(popup, 1, MF_BYPOSITION) & MF_GRAYED);
    EXPECT_FALSE(GetMenuState(popup, 1, MF_BYPOSITION) & MF_CHECKED);
    DestroyMenu(popup);
}

TEST_F(Document, ClosingAWindowWritesLastFunctionAndPortNames) {
    WriteStateSet("Workspace\\Frame0", 6, kPos);
    theApp.OnFunctionSelect();
    WriteStateSet("Workspace\\Frame1", 9, kPos);
    int i = OpenFromSection("Workspace\\Frame1");
    ASSERT_EQ(i, 1);
    SetPortName(Doc(1)->m_ports.outputName, "Out 2");
    Frame(1)->DestroyWindow();
    EXPECT_EQ(ProfileInt("Settings", "LastFunct"), 9);
    EXPECT_EQ(ProfileString("Settings", "MidiOutputName"), "Out 2");
    EXPECT_EQ(FunctionTable[9].openWindows, 0);
    EXPECT_FALSE(theApp.m_windows[1].inUse);
}

TEST_F(Document, PortNamesLongerThanTheFieldAreCut) {
    std::string longName(400, 'n');
    theApp.WriteProfileString("Settings", "MidiInputName", longName.c_str());
    theApp.WriteProfileInt("Settings", "MidiOutputID", -1);
    CDigiDoc doc;
    EXPECT_EQ(std::string(doc.m_ports.inputName), std::string(199, 'n'));
    EXPECT_EQ(doc.m_ports.outputId, -1);
    EXPECT_EQ(doc.m_nFunction, -1);
}

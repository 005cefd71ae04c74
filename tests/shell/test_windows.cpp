// The window table, the device-view base, the start-up pieces and the
// hand-over between two real program starts.
#include <cstdio>
#include <fstream>

#include "app/devicenames.h"
#include "resource.h"
#include "shell_fixture.h"

namespace {
const RECT kPos = {60, 40, 560, 580};
}  // namespace

class Windows : public ShellTest {
protected:
    // Opens windows from fresh sections; they take the table's first entries.
    static void openWindows(int count, int function = 2) {
        for (int i = 0; i < count; ++i) {
            char section[32];
            std::snprintf(section, sizeof(section), "Workspace\\Frame%d", 10 + i);
            WriteStateSet(section, function, kPos);
            ASSERT_TRUE(theApp.OpenFrame(section, nullptr));
        }
    }
};

TEST_F(Windows, TheFortyFirstWindowIsNotOpened) {
    openWindows(40);
    EXPECT_EQ(theApp.CountFrames(), 40);
    EXPECT_FALSE(theApp.OpenFrame("Workspace\\Frame10", nullptr));
    EXPECT_EQ(theApp.CountFrames(), 40);
    EXPECT_EQ(CFrameWnd::AllFrames().size(), 40u);
}

TEST_F(Windows, ClosingTheLastWindowSavesOnlyItAsFrame0) {
    LoadSystemNames();
    openWindows(2, 5);
    theApp.WriteProfileInt("Temp\\Frame0\\Settings\\quendam", "SWType", 3);
    Frame(1)->DestroyWindow();
    EXPECT_FALSE(SectionExists("Workspace\\Frame0")) << "not the last window yet";
    Frame(0)->DestroyWindow();
    EXPECT_EQ(ProfileInt("Workspace", "NumOfWins"), 1);
    EXPECT_EQ(ProfileInt("Workspace\\Frame0", "SWType"), 5);
    EXPECT_FALSE(SectionExists("Workspace\\Frame10"));
    EXPECT_FALSE(SectionExists("Temp"));
    EXPECT_EQ(ProfileInt("SystemSet", "IgnorePosition"), 0);
    EXPECT_EQ(ProfileString("SystemSet", "Device3_NAME"), "DEVICE_ID03") << "the names go with it";
    EXPECT_TRUE(theApp.m_bWorkspaceSaved);
}

TEST_F(Windows, ExitSavesWindowsInTableOrderWithoutGaps) {
    openWindows(4);
    Doc(0)->SwitchFunction(3, nullptr);
    Doc(3)->SwitchFunction(8, nullptr);
    Frame(1)->DestroyWindow();   // a free entry in the middle
    ::SendMessageA(Frame(0)->m_hWnd, WM_COMMAND, ID_APP_EXIT, 0);
    EXPECT_EQ(theApp.CountFrames(), 0);
    EXPECT_EQ(ProfileInt("Workspace", "NumOfWins"), 3);
    EXPECT_EQ(ProfileInt("Workspace\\Frame0", "SWType"), 3);
    EXPECT_EQ(ProfileInt("Workspace\\Frame1", "SWType"), 2);
    EXPECT_EQ(ProfileInt("Workspace\\Frame2", "SWType"), 8);
    EXPECT_FALSE(SectionExists("Workspace\\Frame3"));
    // After Exit nothing more is written.
    testing_support::DeleteCompanyKey(kShellTestCompany);
    theApp.SaveWorkspaceAndCloseAll();
    EXPECT_FALSE(SectionExists("Workspace"));
}

TEST_F(Windows, RestoreReopensTheOtherWindowsAndSkipsMissingOnes) {
    theApp.WriteProfileInt("Workspace", "NumOfWins", 4);
    WriteStateSet("Workspace\\Frame1", 4, kPos);
    WriteStateSet("Workspace\\Frame3", 9, kPos);
    theApp.WriteProfileInt("Workspace\\Frame2", "SWType", -1);   // no function: no window
    theApp.RestoreWorkspace();
    EXPECT_EQ(theApp.CountFrames(), 2);
    EXPECT_EQ(Doc(0)->m_nFunction, 4);
    EXPECT_EQ(Doc(1)->m_nFunction, 9);
}

TEST_F(Windows, RestoreWithFewOrAbsurdCountsStaysBounded) {
    theApp.WriteProfileInt("Workspace", "NumOfWins", 1);
    WriteStateSet("Workspace\\Frame1", 4, kPos);
    theApp.RestoreWorkspace();
    EXPECT_EQ(theApp.CountFrames(), 0);
    theApp.WriteProfileInt("Workspace", "NumOfWins", -1);   // read as 4294967295
    DWORD start = GetTickCount();
    theApp.RestoreWorkspace();
    EXPECT_EQ(theApp.CountFrames(), 1);
    EXPECT_LT(GetTickCount() - start, 20000u) << "the loop ends at the table size";
}

TEST_F(Windows, MainWindowIsAlwaysAnotherOpenWindow) {
    openWindows(3);
    theApp.SetActiveFrame(Frame(2));
    EXPECT_EQ(theApp.m_pMainWnd, Frame(1)) << "the highest other frame";
    theApp.SetActiveFrame(Frame(0));
    EXPECT_EQ(theApp.m_pMainWnd, Frame(2));
    // The main window closes without having been active: another takes over,
    // so the program does not end with windows open.
    Frame(2)->DestroyWindow();
    EXPECT_TRUE(theApp.m_pMainWnd == Frame(0) || theApp.m_pMainWnd == Frame(1));
    MSG msg;
    EXPECT_FALSE(PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_NOREMOVE)) << "no quit is pending";
    // The active frame closes: the tray menu gets another owner.
    Frame(0)->DestroyWindow();
    EXPECT_EQ(theApp.m_pActiveFrame, Frame(1));
    Frame(1)->DestroyWindow();
    EXPECT_EQ(theApp.m_pActiveFrame, nullptr);
    theApp.ShowTrayMenu();   // no window: nothing to show, nothing to crash
    EXPECT_TRUE(PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) << "the last window ends the program";
}

TEST_F(Windows, ShowAllMinimisesAndRestores) {
    openWindows(2);
    theApp.ShowAllFrames(FALSE);
    EXPECT_TRUE(Frame(0)->IsIconic());
    EXPECT_TRUE(Frame(1)->IsIconic());
    theApp.ShowAllFrames(TRUE);
    EXPECT_FALSE(Frame(0)->IsIconic());
    EXPECT_FALSE(Frame(1)->IsIconic());
}

TEST_F(Windows, FunctionSelectOnAnOpenWindowSwitchesItInPlace) {
    openWindows(1, 6);
    theApp.SetActiveFrame(Frame(0));
    int preselected = -2;
    testing_support::WhenDialogAppears([&](HWND dlg) {
        preselected = int(SendDlgItemMessageA(dlg, IDC_FUNCTION_LIST, LB_GETCURSEL, 0, 0));
        HWND list = GetDlgItem(dlg, IDC_FUNCTION_LIST);
        ::SendMessageA(list, LB_SETCURSEL, 11, 0);
        ::SendMessageA(dlg, WM_COMMAND, MAKEWPARAM(IDC_FUNCTION_LIST, LBN_SELCHANGE), LPARAM(list));
        ::SendMessageA(dlg, WM_COMMAND, MAKEWPARAM(IDC_FUNCTION_LIST, LBN_DBLCLK), LPARAM(list));
    });
    ::SendMessageA(Frame(0)->m_hWnd, WM_COMMAND, ID_FUNCTION_SELECT, 0);
    EXPECT_EQ(preselected, 6);
    EXPECT_EQ(Doc(0)->m_nFunction, 11);
    EXPECT_EQ(theApp.CountFrames(), 1);
}

// ---------------------------------------------------------------- view base

TEST_F(Windows, ViewTimersStartOnceAndTheSingleReceiveEndsAfter200ms) {
    openWindows(1);
    CMidiView* view = Doc(0)->GetMidiView();
    UINT_PTR t1 = view->GetTimer1();
    EXPECT_NE(t1, 0u) << "activation started the save timer";
    view->OnActivateView(TRUE, view, view);
    EXPECT_EQ(view->GetTimer1(), t1);
    EXPECT_EQ(view->StartRefreshTimer(), 1);
    UINT_PTR t2 = view->GetTimer2();
    EXPECT_NE(t2, 0u);
    EXPECT_EQ(view->StartRefreshTimer(), 1);
    EXPECT_EQ(view->GetTimer2(), t2);
    Doc(0)->m_bSingleReceivePending = TRUE;
    EXPECT_TRUE(testing_support::PumpUntil([this] { return !Doc(0)->m_bSingleReceivePending; }));
    EXPECT_EQ(view->GetTimer2(), 0u);
}

TEST_F(Windows, SaveTimerDrivesTheCountdown) {
    openWindows(1, 7);
    testing_support::DeleteCompanyKey(kShellTestCompany);
    Doc(0)->m_nSaveCountdown = 1;
    testing_support::PumpUntil([this] { return ProfileInt("Default\\Settings\\pelvogamma", "SWType") == 7; });
    EXPECT_EQ(ProfileInt("Default\\Settings\\pelvogamma", "SWType"), 7);
}

TEST_F(Windows, ThePlainViewDoesNothingAndEveryViewHasItsHelp) {
    // What a device view does where it adds nothing of its own.
    CMidiView plain;
    CMidiView* view = &plain;
    const BYTE reply[12] = {0xF0, 0, 0x7E, 0x31, 0x62, 0, 0x10, 1, 2, 3, 4, 0xF7};
    view->OnSysExReceived(reply, 12);
    view->SendChangedParameters(TRUE, TRUE, TRUE);
    view->RequestDeviceData(TRUE);
    view->UpdateStatus(-1, 1);
    EXPECT_EQ(view->FastPoll(), 0);
    EXPECT_EQ(view->m_nStatusCounter, 0);
    EXPECT_FALSE(view->IsCtrlKeyDown());
    openWindows(1, 11);
    int before = AfxGetLastHelpRequest().count;
    ::SendMessageA(Frame(0)->m_hWnd, WM_COMMAND, ID_VIEW_HELP, 0);
    EXPECT_EQ(AfxGetLastHelpRequest().count, before + 1);
    EXPECT_EQ(AfxGetLastHelpRequest().data, DWORD_PTR(200));
}

TEST(ContextMenu, StandardAndSystrayPopups) {
    HMENU menu = LoadMenuA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDR_CONTEXT_MENUS));
    ASSERT_NE(menu, nullptr);
    HMENU standard = GetSubMenu(menu, 0);
    const UINT expected[] = {32791, 32798, 164, 32773, 57600, 228};
    ASSERT_EQ(GetMenuItemCount(standard), 6);
    for (int i = 0; i < 6; ++i) EXPECT_EQ(GetMenuItemID(standard, i), expected[i]);
    HMENU tray = GetSubMenu(menu, 1);
    ASSERT_EQ(GetMenuItemCount(tray), 1);
    EXPECT_EQ(GetMenuItemID(tray, 0), 57665u);
    char text[64];
    GetMenuStringA(tray, 0, text, sizeof(text), MF_BYPOSITION);
    EXPECT_STREQ(text, "&Exit Vantor");
    DestroyMenu(menu);
}

// ---------------------------------------------------------------- start-up

TEST(StartUp, RunningInstanceNeedsBothWordsAndTheMark) {
    auto make = [](const char* title, LONG_PTR mark) {
        HWND w = CreateWindowExA(0, "STATIC", title, WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
        SetWindowLongPtrA(w, GWLP_USERDATA, mark);
        return w;
    };
    HWND onlyVantor = make("Vantor", 100);
    HWND onlyTesmer = make("Tesmer", 100);
    HWND noMark = make("Tesmer Vantor", 7);
    HWND real = make("Tesmer Quenda Vantor - online", 100);
    HWND found = nullptr;
    EXPECT_TRUE(CVantorApp::FindRunningInstanceProc(onlyVantor, LPARAM(&found)));
    EXPECT_TRUE(CVantorApp::FindRunningInstanceProc(onlyTesmer, LPARAM(&found)));
    EXPECT_TRUE(CVantorApp::FindRunningInstanceProc(noMark, LPARAM(&found)));
    EXPECT_EQ(found, nullptr);
    EXPECT_FALSE(CVantorApp::FindRunningInstanceProc(real, LPARAM(&found))) << "the first match ends the search";
    EXPECT_EQ(found, real);
    for (HWND w : {onlyVantor, onlyTesmer, noMark, real}) DestroyWindow(w);
}

TEST_F(Windows, PresetFilesOfTheOldNameAreMovedAndLostPresetsForgotten) {
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    std::string folder = std::string(temp) + "vantor_presets_test";
    CreateDirectoryA(folder.c_str(), nullptr);
    lstrcpynA(theApp.m_szDataFolder, folder.c_str(), sizeof(theApp.m_szDataFolder));
    auto touch = [&](const char* name) { std::ofstream(folder + "\\" + name) << "x"; };
    auto exists = [&](const char* name) {
        return GetFileAttributesA((folder + "\\" + name).c_str()) != INVALID_FILE_ATTRIBUTES;
    };
    for (const char* f : {"preset1.vtw", "preset2.vtw", "preset4.vtw", "preset1.dcw", "preset2.dcw", "preset4.dcw"})
        DeleteFileA((folder + "\\" + f).c_str());
    theApp.WriteProfileString("SystemSet", "PresetName0", "Show A");   // only the old file exists
    touch("preset1.dcw");
    theApp.WriteProfileString("SystemSet", "PresetName1", "Lost");     // no file at all
    theApp.WriteProfileString("SystemSet", "PresetName2", "");         // empty: skipped
    theApp.WriteProfileString("SystemSet", "PresetName3", "Current");  // both exist: untouched
    touch("preset4.vtw");
    touch("preset4.dcw");
    theApp.MigratePresetFiles();
    EXPECT_TRUE(exists("preset1.vtw"));
    EXPECT_FALSE(exists("preset1.dcw"));
    EXPECT_EQ(ProfileString("SystemSet", "PresetName0"), "Show A");
    EXPECT_EQ(ProfileString("SystemSet", "PresetName1"), "");
    EXPECT_EQ(ProfileString("SystemSet", "PresetName3"), "Current");
    EXPECT_TRUE(exists("preset4.dcw"));
    std::string longFolder(1000, 'd');
    lstrcpynA(theApp.m_szDataFolder, longFolder.c_str(), sizeof(theApp.m_szDataFolder));
    EXPECT_EQ(theApp.DataFolderFile("preset9.vtw"), "") << "a path that would not fit is refused";
}

TEST_F(Windows, DataFolderIsCreatedUnderTheLocalApplicationData) {
    theApp.SetDataFolder();
    std::string folder = theApp.m_szDataFolder;
    ASSERT_GE(folder.size(), 14u);
    EXPECT_EQ(folder.substr(folder.size() - 14), "\\Tesmer Vantor");
    EXPECT_NE(GetFileAttributesA(folder.c_str()), INVALID_FILE_ATTRIBUTES);
}

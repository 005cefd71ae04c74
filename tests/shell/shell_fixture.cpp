#include "shell_fixture.h"

#include <cstdio>

void ShellTest::SetUp() {
    theApp.SetRegistryKey(kShellTestCompany);
    testing_support::DeleteCompanyKey(kShellTestCompany);
    if (!theApp.m_pDocTemplate) {
        theApp.m_pDocTemplate = new CMultiDocTemplate(128, RUNTIME_CLASS(CDigiDoc), RUNTIME_CLASS(CMainFrame),
                                                      RUNTIME_CLASS(CMidiView));
        theApp.AddDocTemplate(theApp.m_pDocTemplate);
    }
    CloseAllWindows();
}

void ShellTest::TearDown() {
    CloseAllWindows();
    testing_support::PumpMessages();
    testing_support::DeleteCompanyKey(kShellTestCompany);
}

void ShellTest::CloseAllWindows() {
    // Closing with the workspace marked saved writes nothing.
    theApp.m_bWorkspaceSaved = 1;
    for (int i = 0; i < kMaxWindows; ++i)
        if (theApp.m_windows[i].frame) theApp.m_windows[i].frame->DestroyWindow();
    for (CFrameWnd* f : std::vector<CFrameWnd*>(CFrameWnd::AllFrames())) f->DestroyWindow();
    testing_support::PumpMessages();
    for (WindowEntry& e : theApp.m_windows) e = WindowEntry{};
    theApp.m_bWorkspaceSaved = 0;
    theApp.m_pActiveFrame = nullptr;
    theApp.m_pMainWnd = nullptr;
    CDigiDoc::IgnorePositionFlag = FALSE;
    for (FunctionRow& row : FunctionTable) row.openWindows = 0;
}

void ShellTest::WriteStateSet(const char* section, int function, RECT pos, int toolBar, int statusBar) {
    theApp.WriteProfileInt(section, "WinPos.left", pos.left);
    theApp.WriteProfileInt(section, "WinPos.top", pos.top);
    theApp.WriteProfileInt(section, "WinPos.right", pos.right);
    theApp.WriteProfileInt(section, "WinPos.bottom", pos.bottom);
    theApp.WriteProfileInt(section, "ToolBar", toolBar);
    theApp.WriteProfileInt(section, "StatusBar", statusBar);
    theApp.WriteProfileInt(section, "SWType", function);
}

int ShellTest::OpenFromSection(const char* section) {
    int slot = -1;
    for (int i = 0; i < kMaxWindows && slot < 0; ++i)
        if (!theApp.m_windows[i].inUse) slot = i;
    return theApp.OpenFrame(section, nullptr) ? slot : -1;
}

bool ShellTest::SectionExists(const std::string& section) {
    HKEY key;
    std::string path = theApp.GetAppRegistryPath() + "\\" + section;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return false;
    RegCloseKey(key);
    return true;
}

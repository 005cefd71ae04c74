// The application: start-up, the single-instance hand-over, the table of open
// windows and shut-down.
#pragma once
#include <string>

#include "framework/winapp.h"

class CArchive;
class CDigiDoc;
class CMainFrame;
class CMultiDocTemplate;

struct WindowEntry {
    BOOL inUse = FALSE;
    CDigiDoc* document = nullptr;
    CMainFrame* frame = nullptr;
};

const int kMaxWindows = 40;

class CVantorApp : public CWinApp {
public:
    CVantorApp();
    ~CVantorApp() override;

    CMultiDocTemplate* m_pDocTemplate = nullptr;
    WindowEntry m_windows[kMaxWindows];
    BYTE m_bWorkspaceSaved = 0;
    CMainFrame* m_pActiveFrame = nullptr;
    char m_szDataFolder[1024] = "";

    BOOL InitInstance() override;
    CDocument* OpenDocumentFile(const char* path) override;

    static BOOL CALLBACK FindRunningInstanceProc(HWND window, LPARAM found);
    int ProcessStartCommand(CCommandLineInfo& info);

    // The window table
    BOOL OpenFrame(const char* section, CArchive* archive);
    void SetActiveFrame(CMainFrame* frame);
    int FindDocument(CDigiDoc* doc) const;
    int FindFrame(CMainFrame* frame) const;
    int CountFrames() const;
    void RestoreWorkspace();
    void ForEachDocument(BOOL start);
    void SendSingleSetToAll();
    void ShowAllFrames(BOOL restore);
    void ShowTrayMenu();
    void OnFrameClosing(CMainFrame* frame);
    // closeFrames FALSE only saves (a session ending under a modal dialog).
    void SaveWorkspaceAndCloseAll(BOOL closeFrames = TRUE);
    void SaveSystemSettings();

    // Start-up pieces, callable on their own
    void SetDataFolder();
    void MigratePresetFiles();
    std::string DataFolderFile(const char* fileName) const;   // "" when the path would not fit

    // Workspace files: the setup records of all windows, in table order.
    int LoadWorkspace(const char* path);    // windows that took a record
    int StoreWorkspace(const char* path);   // records written

    void OnFileNewFrame();
    void OnFunctionSelect();
    void OnAppExit();
    void OnAppAbout();
    void OnSaveWorkspace();
    void OnLoadWorkspace();
    void OnPresets();
    void LoadPreset(int index);             // 0..8, no dialog

protected:
    void OnPresetKey(UINT command);
    CMainFrame* ActiveTableFrame() const;
    CMainFrame* HighestOtherFrame(CMainFrame* except) const;

    DECLARE_MESSAGE_MAP()
};

extern CVantorApp theApp;

// The application object, the message loop, profile (registry) functions,
// message boxes, the help call and the command line.
#pragma once
#include <string>
#include <vector>

#include "framework/wnd.h"

class CDocTemplate;
class CDocument;
class CRecentFileList;

class CCommandLineInfo {
public:
    enum ShellCommand { FileNew, FileOpen, FileOther };
    ShellCommand m_nShellCommand = FileNew;
    std::string m_strFileName;

    virtual ~CCommandLineInfo() = default;
    // One argument of the command line; flags start with "/" or "-".
    virtual void ParseParam(const char* param, BOOL isFlag, BOOL isLast);
};

// Splits a command line the way the Windows runtime does (blanks separate,
// double quotes group).
std::vector<std::string> AfxSplitCommandLine(const char* commandLine);

class CWinApp : public CCmdTarget {
public:
    explicit CWinApp(const char* appName = nullptr);
    ~CWinApp() override;

    HINSTANCE m_hInstance = nullptr;
    const char* m_lpCmdLine = "";
    int m_nCmdShow = SW_SHOWNORMAL;
    CWnd* m_pMainWnd = nullptr;
    CRecentFileList* m_pRecentFileList = nullptr;

    const std::string& GetAppName();   // the title from string 57344 when none was given
    const std::string& GetRegistryKey() const { return m_strRegistryKey; }
    const std::string& GetProfileName() { return GetAppName(); }

    virtual BOOL InitInstance();
    virtual int Run();
    virtual int ExitInstance();
    virtual BOOL OnIdle(LONG count);
    virtual BOOL PreTranslateMessage(MSG* msg);
    BOOL PumpMessage();

    // Documents
    void AddDocTemplate(CDocTemplate* pTemplate);
    CDocTemplate* GetFirstDocTemplate() const { return m_templates.empty() ? nullptr : m_templates.front(); }
    virtual CDocument* OpenDocumentFile(const char* path);
    CDocument* OpenDocumentFileBase(const char* path);   // the library's own open, never the override
    void OnFileNew();
    void OnFileOpen();
    void OnOpenRecentFile(UINT id);

    // Start-up helpers
    void SetRegistryKey(const char* company);
    void ParseCommandLine(CCommandLineInfo& info);
    void LoadStdProfileSettings(UINT maxRecentFiles = 4);
    virtual void AddToRecentFileList(const char* path);

    // Profile functions under HKCU\Software\<company>\<application title>.
    // A backslash in a section name nests keys. Integers are stored as DWORDs,
    // so negative values come back as written when cast to int.
    UINT GetProfileInt(const char* section, const char* entry, int defaultValue);
    BOOL WriteProfileInt(const char* section, const char* entry, int value);
    std::string GetProfileString(const char* section, const char* entry, const char* defaultValue = "");
    BOOL WriteProfileString(const char* section, const char* entry, const char* value);
    // Deletes a key with everything below it.
    static BOOL DelRegTree(HKEY parent, const std::string& keyName);
    // Deletes one section (with its subsections) of the application's profile.
    BOOL DeleteProfileSection(const char* section);
    std::string GetAppRegistryPath();   // "Software\<company>\<title>"

    // Help
    void EnableHtmlHelp() { m_bHtmlHelp = TRUE; }
    virtual void HtmlHelp(DWORD_PTR data, UINT command = 0x000F /* HH_HELP_CONTEXT */);
    std::string GetHelpFilePath();

protected:
    std::string m_strAppName;
    std::string m_strRegistryKey;
    std::vector<CDocTemplate*> m_templates;
    BOOL m_bHtmlHelp = FALSE;
    BOOL m_bRecentListLoaded = FALSE;
    MSG m_msgCur{};
    HKEY OpenSectionKey(const char* section, bool create);

    DECLARE_MESSAGE_MAP()
};

CWinApp* AfxGetApp();
const char* AfxGetAppTitle();
int AfxWinMain(HINSTANCE instance, const char* commandLine, int showCommand);

// Message boxes. The owner is the active window of the program (or the main
// window); the caption is the application title.
int AfxMessageBox(const char* text, UINT type = MB_OK, UINT helpId = 0);
int AfxShowMessageBox(HWND owner, const char* text, const char* caption, UINT type);
// Tests answer message boxes without showing them.
typedef int (*MessageBoxHook)(HWND owner, const char* text, const char* caption, UINT type);
MessageBoxHook AfxSetMessageBoxHook(MessageBoxHook hook);

// Modal loops (dialogs, message boxes, file dialogs, popup menus) are counted,
// so code can tell whether the user is in one.
int AfxGetModalDepth();
class AfxModalScope {
public:
    AfxModalScope();
    ~AfxModalScope();
    AfxModalScope(const AfxModalScope&) = delete;
    AfxModalScope& operator=(const AfxModalScope&) = delete;
};
BOOL AfxTrackPopupMenu(HMENU menu, UINT flags, int x, int y, HWND owner);

// The last help request, for tests and diagnostics.
struct HelpRequest {
    UINT command = 0;
    DWORD_PTR data = 0;
    int count = 0;
};
const HelpRequest& AfxGetLastHelpRequest();

BOOL AfxOleInit();
void AfxEnableControlContainer();

// Loads a string resource; empty when there is none.
std::string AfxLoadString(UINT id);

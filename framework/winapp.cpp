#include "framework/winapp.h"

#include <ole2.h>

#include <cstdio>

#include "framework/dialog.h"
#include "framework/doctempl.h"
#include "framework/document.h"
#include "framework/frame.h"
#include "framework/recent.h"
#include "framework/view.h"

namespace {
CWinApp* g_app = nullptr;
int g_modalDepth = 0;
MessageBoxHook g_messageBoxHook = nullptr;
HelpRequest g_lastHelp;
}  // namespace

CWinApp* AfxGetApp() { return g_app; }

const char* AfxGetAppTitle() {
    static std::string fallback = "Vantor";
    return g_app ? g_app->GetAppName().c_str() : fallback.c_str();
}

std::string AfxLoadString(UINT id) {
    char buf[1024];
    int n = LoadStringA(AfxGetInstanceHandle(), id, buf, int(sizeof(buf)));
    return n > 0 ? std::string(buf, size_t(n)) : std::string();
}

int AfxGetModalDepth() { return g_modalDepth; }
AfxModalScope::AfxModalScope() { ++g_modalDepth; }
AfxModalScope::~AfxModalScope() { --g_modalDepth; }

BOOL AfxTrackPopupMenu(HMENU menu, UINT flags, int x, int y, HWND owner) {
    AfxModalScope modal;
    return TrackPopupMenu(menu, flags, x, y, 0, owner, nullptr);
}

MessageBoxHook AfxSetMessageBoxHook(MessageBoxHook hook) {
    MessageBoxHook old = g_messageBoxHook;
    g_messageBoxHook = hook;
    return old;
}

int AfxShowMessageBox(HWND owner, const char* text, const char* caption, UINT type) {
    AfxModalScope modal;
    if (g_messageBoxHook) return g_messageBoxHook(owner, text, caption, type);
    return MessageBoxA(owner, text, caption, type);
}

int AfxMessageBox(const char* text, UINT type, UINT) {
    HWND owner = GetActiveWindow();
    if (!owner && g_app && g_app->m_pMainWnd) owner = g_app->m_pMainWnd->m_hWnd;
    return AfxShowMessageBox(owner, text, AfxGetAppTitle(), type);
}

const HelpRequest& AfxGetLastHelpRequest() { return g_lastHelp; }

BOOL AfxOleInit() {
    HRESULT hr = OleInitialize(nullptr);
    return SUCCEEDED(hr);
}

void AfxEnableControlContainer() {}

// ---------------------------------------------------------------- command line

std::vector<std::string> AfxSplitCommandLine(const char* commandLine) {
    std::vector<std::string> args;
    if (!commandLine) return args;
    const char* p = commandLine;
    for (;;) {
        while (*p == ' ' || *p == '\t') ++p;
        if (!*p) break;
        std::string arg;
        bool quoted = false;
        while (*p && (quoted || (*p != ' ' && *p != '\t'))) {
            if (*p == '"')
                quoted = !quoted;
            else
                arg += *p;
            ++p;
        }
        args.push_back(arg);
    }
    return args;
}

void CCommandLineInfo::ParseParam(const char* param, BOOL isFlag, BOOL) {
    if (isFlag) {
        // The program knows no switches: any one asks for something other
        // than a new window or opening a file.
        m_nShellCommand = FileOther;
        return;
    }
    if (m_strFileName.empty()) {
        m_strFileName = param;
        if (m_nShellCommand == FileNew) m_nShellCommand = FileOpen;
    }
}

// ---------------------------------------------------------------- application

BEGIN_MESSAGE_MAP(CWinApp, CCmdTarget)
END_MESSAGE_MAP()

CWinApp::CWinApp(const char* appName) {
    if (appName) m_strAppName = appName;
    g_app = this;
}

CWinApp::~CWinApp() {
    for (CDocTemplate* t : m_templates) delete t;
    m_templates.clear();
    delete m_pRecentFileList;
    if (g_app == this) g_app = nullptr;
}

const std::string& CWinApp::GetAppName() {
    if (m_strAppName.empty()) m_strAppName = AfxLoadString(57344);
    if (m_strAppName.empty()) m_strAppName = "Vantor";
    return m_strAppName;
}

BOOL CWinApp::InitInstance() { return TRUE; }

int CWinApp::ExitInstance() {
    // The list is written back only when it was read at start; a start that
    // ends early must not wipe it.
    if (m_pRecentFileList && m_bRecentListLoaded) m_pRecentFileList->WriteList();
    return int(m_msgCur.message == WM_QUIT ? m_msgCur.wParam : 0);
}

BOOL CWinApp::OnIdle(LONG count) {
    if (count == 0) CFrameWnd::UpdateAllFrameBars();
    return FALSE;
}

static bool isIdleMessage(const MSG& msg) {
    static POINT lastMouse = {-1, -1};
    switch (msg.message) {
    case WM_PAINT:
    case WM_TIMER:
    case 0x0118:   // the system's caret timer
        return false;
    case WM_MOUSEMOVE:
    case WM_NCMOUSEMOVE:
        if (msg.pt.x == lastMouse.x && msg.pt.y == lastMouse.y) return false;
        lastMouse = msg.pt;
        return true;
    default:
        return true;
    }
}

BOOL CWinApp::PumpMessage() {
    if (GetMessageA(&m_msgCur, nullptr, 0, 0) <= 0) return FALSE;
    if (!PreTranslateMessage(&m_msgCur)) {
        TranslateMessage(&m_msgCur);
        DispatchMessageA(&m_msgCur);
    }
    return TRUE;
}

int CWinApp::Run() {
    // Without a main window there is nothing to run (a start that handed its
    // file to a running instance ends here).
    if (!m_pMainWnd) return ExitInstance();
    BOOL idle = TRUE;
    LONG idleCount = 0;
    for (;;) {
        MSG peek;
        while (idle && !PeekMessageA(&peek, nullptr, 0, 0, PM_NOREMOVE)) {
            if (!OnIdle(idleCount++)) idle = FALSE;
        }
        if (!PumpMessage()) return ExitInstance();
        if (isIdleMessage(m_msgCur)) {
            idle = TRUE;
            idleCount = 0;
        }
    }
}

BOOL CWinApp::PreTranslateMessage(MSG* msg) {
    // From the target window up to its top-level window, each of our windows
    // may take the message first (views before their frame's accelerators).
    for (HWND h = msg->hwnd; h; h = GetParent(h)) {
        CWnd* w = CWnd::FromHandlePermanent(h);
        if (w && w->PreTranslateMessage(msg)) return TRUE;
        if (!IsWindow(h) || !(GetWindowLongA(h, GWL_STYLE) & WS_CHILD)) break;
    }
    return FALSE;
}

int AfxWinMain(HINSTANCE instance, const char* commandLine, int showCommand) {
    CWinApp* app = AfxGetApp();
    if (!app) return -1;
    app->m_hInstance = instance;
    app->m_lpCmdLine = commandLine ? commandLine : "";
    app->m_nCmdShow = showCommand;
    if (!app->InitInstance()) {
        if (app->m_pMainWnd) app->m_pMainWnd->DestroyWindow();
        return app->ExitInstance();
    }
    return app->Run();
}

// ---------------------------------------------------------------- documents

void CWinApp::AddDocTemplate(CDocTemplate* pTemplate) { m_templates.push_back(pTemplate); }

CDocument* CWinApp::OpenDocumentFile(const char* path) { return OpenDocumentFileBase(path); }

CDocument* CWinApp::OpenDocumentFileBase(const char* path) {
    CDocTemplate* t = GetFirstDocTemplate();
    if (!t || !path || !*path) return nullptr;
    char full[MAX_PATH * 2];
    DWORD n = GetFullPathNameA(path, DWORD(sizeof(full)), full, nullptr);
    std::string fullPath = (n > 0 && n < sizeof(full)) ? std::string(full) : std::string(path);
    // A document that is already open for this file is shown instead.
    for (CDocument* doc : t->GetDocuments()) {
        if (lstrcmpiA(doc->GetPathName().c_str(), fullPath.c_str()) == 0) {
            for (CView* v : doc->GetViews()) {
                CFrameWnd* f = v->GetParentFrame();
                if (f) f->ActivateFrame(-1);
                break;
            }
            return doc;
        }
    }
    return t->OpenDocumentFile(fullPath.c_str(), TRUE);
}

void CWinApp::OnFileNew() {
    CDocTemplate* t = GetFirstDocTemplate();
    if (t) t->OpenDocumentFile(nullptr, TRUE);
}

void CWinApp::OnFileOpen() {
    CDocTemplate* t = GetFirstDocTemplate();
    std::string filter;
    std::string ext = "*";
    if (t) {
        filter = t->GetDocString(CDocTemplate::filterName);
        ext = t->GetDocString(CDocTemplate::filterExt);
        if (!ext.empty() && ext[0] == '.') ext.erase(0, 1);
        if (!filter.empty()) filter += "|*." + ext + "|";
    }
    filter += "All Files (*.*)|*.*||";
    CFileDialog dlg(TRUE, ext.c_str(), nullptr, OFN_HIDEREADONLY | OFN_FILEMUSTEXIST, filter.c_str(), nullptr);
    if (dlg.DoModal() != IDOK) return;
    OpenDocumentFile(dlg.GetPathName().c_str());
}

void CWinApp::OnOpenRecentFile(UINT id) {
    if (!m_pRecentFileList) return;
    int index = int(id) - ID_FILE_MRU_FIRST_LIBRARY;
    std::string path = m_pRecentFileList->Get(index);
    if (path.empty()) return;
    if (!OpenDocumentFile(path.c_str())) m_pRecentFileList->Remove(index);
}

void CWinApp::AddToRecentFileList(const char* path) {
    if (m_pRecentFileList) m_pRecentFileList->Add(path);
}

void CWinApp::LoadStdProfileSettings(UINT maxRecentFiles) {
    delete m_pRecentFileList;
    m_pRecentFileList = new CRecentFileList("Recent File List", "File%d", int(maxRecentFiles));
    m_pRecentFileList->ReadList();
    m_bRecentListLoaded = TRUE;
}

// ---------------------------------------------------------------- command line

void CWinApp::ParseCommandLine(CCommandLineInfo& info) {
    std::vector<std::string> args = AfxSplitCommandLine(m_lpCmdLine);
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        BOOL flag = !a.empty() && (a[0] == '/' || a[0] == '-');
        info.ParseParam(flag ? a.c_str() + 1 : a.c_str(), flag, i + 1 == args.size());
    }
}

// ---------------------------------------------------------------- profile

void CWinApp::SetRegistryKey(const char* company) { m_strRegistryKey = company ? company : ""; }

std::string CWinApp::GetAppRegistryPath() { return "Software\\" + m_strRegistryKey + "\\" + GetAppName(); }

HKEY CWinApp::OpenSectionKey(const char* section, bool create) {
    std::string path = GetAppRegistryPath();
    if (section && *section) path += std::string("\\") + section;
    HKEY key = nullptr;
    LONG rc = create ? RegCreateKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                                       KEY_READ | KEY_WRITE, nullptr, &key, nullptr)
                     : RegOpenKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, KEY_READ, &key);
    return rc == ERROR_SUCCESS ? key : nullptr;
}

UINT CWinApp::GetProfileInt(const char* section, const char* entry, int defaultValue) {
    HKEY key = OpenSectionKey(section, false);
    if (!key) return UINT(defaultValue);
    DWORD type = 0, value = 0, size = sizeof(value);
    LONG rc = RegQueryValueExA(key, entry, nullptr, &type, reinterpret_cast<BYTE*>(&value), &size);
    RegCloseKey(key);
    if (rc != ERROR_SUCCESS || type != REG_DWORD || size != sizeof(value)) return UINT(defaultValue);
    return UINT(value);
}

BOOL CWinApp::WriteProfileInt(const char* section, const char* entry, int value) {
    HKEY key = OpenSectionKey(section, true);
    if (!key) return FALSE;
    DWORD v = DWORD(value);
    LONG rc = RegSetValueExA(key, entry, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&v), sizeof(v));
    RegCloseKey(key);
    return rc == ERROR_SUCCESS;
}

std::string CWinApp::GetProfileString(const char* section, const char* entry, const char* defaultValue) {
    std::string fallback = defaultValue ? defaultValue : "";
    HKEY key = OpenSectionKey(section, false);
    if (!key) return fallback;
    DWORD type = 0, size = 0;
    LONG rc = RegQueryValueExA(key, entry, nullptr, &type, nullptr, &size);
    std::string value;
    if (rc == ERROR_SUCCESS && type == REG_SZ) {
        std::vector<char> buf(size_t(size) + 1, '\0');
        DWORD got = size;
        rc = RegQueryValueExA(key, entry, nullptr, &type, reinterpret_cast<BYTE*>(buf.data()), &got);
        if (rc == ERROR_SUCCESS) value.assign(buf.data());   // stops at the terminator
    }
    RegCloseKey(key);
    if (rc != ERROR_SUCCESS || type != REG_SZ) return fallback;
    return value;
}

BOOL CWinApp::WriteProfileString(const char* section, const char* entry, const char* value) {
    HKEY key = OpenSectionKey(section, true);
    if (!key) return FALSE;
    LONG rc;
    if (!value) {
        rc = RegDeleteValueA(key, entry);
    } else {
        rc = RegSetValueExA(key, entry, 0, REG_SZ, reinterpret_cast<const BYTE*>(value), DWORD(lstrlenA(value) + 1));
    }
    RegCloseKey(key);
    return rc == ERROR_SUCCESS;
}

BOOL CWinApp::DelRegTree(HKEY parent, const std::string& keyName) {
    HKEY key = nullptr;
    if (RegOpenKeyExA(parent, keyName.c_str(), 0, KEY_READ | KEY_WRITE, &key) != ERROR_SUCCESS) return FALSE;
    // Delete children first; enumerate index 0 again after each delete.
    for (;;) {
        char name[512];
        DWORD len = sizeof(name);
        if (RegEnumKeyExA(key, 0, name, &len, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) break;
        if (!DelRegTree(key, name)) break;
    }
    RegCloseKey(key);
    return RegDeleteKeyA(parent, keyName.c_str()) == ERROR_SUCCESS;
}

BOOL CWinApp::DeleteProfileSection(const char* section) {
    return DelRegTree(HKEY_CURRENT_USER, GetAppRegistryPath() + "\\" + section);
}

// ---------------------------------------------------------------- help

std::string CWinApp::GetHelpFilePath() {
    char module[MAX_PATH];
    DWORD n = GetModuleFileNameA(nullptr, module, MAX_PATH);
    std::string path(module, n < MAX_PATH ? n : 0);
    size_t dot = path.find_last_of('.');
    size_t slash = path.find_last_of("\\/");
    if (dot != std::string::npos && (slash == std::string::npos || dot > slash)) path.erase(dot);
    return path + ".chm";
}

void CWinApp::HtmlHelp(DWORD_PTR data, UINT command) {
    g_lastHelp.command = command;
    g_lastHelp.data = data;
    ++g_lastHelp.count;
    if (!m_bHtmlHelp) return;
    // No help file ships with the program; without one the request is a no-op
    // rather than an error box from the viewer.
    std::string file = GetHelpFilePath();
    if (GetFileAttributesA(file.c_str()) == INVALID_FILE_ATTRIBUTES) return;
    typedef HWND(WINAPI * HtmlHelpFn)(HWND, LPCSTR, UINT, DWORD_PTR);
    static HMODULE viewer = LoadLibraryA("hhctrl.ocx");
    if (!viewer) return;
    HtmlHelpFn fn = reinterpret_cast<HtmlHelpFn>(reinterpret_cast<void*>(GetProcAddress(viewer, "HtmlHelpA")));
    if (fn) fn(m_pMainWnd ? m_pMainWnd->m_hWnd : nullptr, file.c_str(), command, data);
}

#include "app/vantorapp.h"

#include <commctrl.h>
#include <shlobj.h>

#include <cstdio>
#include <cstring>

#include "app/devicenames.h"
#include "app/digidoc.h"
#include "app/ionames.h"
#include "app/mainframe.h"
#include "app/presets.h"
#include "framework/doctempl.h"
#include "midi/midiview.h"
#include "midi/mmein.h"
#include "resource.h"

BEGIN_MESSAGE_MAP(CVantorApp, CWinApp)
    ON_COMMAND(ID_FILE_NEW_FRAME, OnFileNewFrame)
    ON_COMMAND(ID_FUNCTION_SELECT, OnFunctionSelect)
    ON_COMMAND(ID_APP_EXIT, OnAppExit)
    ON_COMMAND(ID_FILE_OPEN, CWinApp::OnFileOpen)
    ON_COMMAND_RANGE(ID_FILE_MRU_FIRST, ID_FILE_MRU_LAST, CWinApp::OnOpenRecentFile)
    ON_COMMAND(ID_APP_ABOUT, OnAppAbout)
    ON_COMMAND(ID_SAVE_WORKSPACE, OnSaveWorkspace)
    ON_COMMAND(ID_LOAD_WORKSPACE, OnLoadWorkspace)
    ON_COMMAND(ID_PRESETS, OnPresets)
    ON_COMMAND_RANGE(ID_PRESET_FIRST, ID_PRESET_LAST, OnPresetKey)
END_MESSAGE_MAP()

namespace {
void trayShowAll(BOOL restore) { theApp.ShowAllFrames(restore); }
void trayShowMenu() { theApp.ShowTrayMenu(); }
}  // namespace

CVantorApp::CVantorApp() {
    // No name is given: the title comes from the string table.
    EnableHtmlHelp();
}

CVantorApp::~CVantorApp() = default;

// ---------------------------------------------------------------- start-up

BOOL CALLBACK CVantorApp::FindRunningInstanceProc(HWND window, LPARAM found) {
    char title[200];
    int n = GetWindowTextA(window, title, 200);
    if (n <= 0) return TRUE;
    if (std::strstr(title, "Vantor") && std::strstr(title, "Tesmer") && GetWindowLongPtrA(window, GWLP_USERDATA) == 100) {
        *reinterpret_cast<HWND*>(found) = window;
        return FALSE;
    }
    return TRUE;
}

BOOL CVantorApp::InitInstance() {
    SetRegistryKey("Tesmer");
    CCommandLineInfo info;
    ParseCommandLine(info);

    HWND running = nullptr;
    EnumWindows(FindRunningInstanceProc, LPARAM(&running));
    if (running) {
        // The first instance resolves the name in its own folder, so it gets
        // an absolute one.
        std::string file = info.m_strFileName;
        if (!file.empty()) {
            char full[MAX_PATH * 2];
            DWORD n = GetFullPathNameA(file.c_str(), DWORD(sizeof(full)), full, nullptr);
            if (n > 0 && n < sizeof(full)) file = full;
        }
        WriteProfileString("Temp", "OpenFile", file.c_str());
        AllowSetForegroundWindow(ASFW_ANY);
        PostMessageA(running, WM_VANTOR_HANDOVER, 0, 0);
        return TRUE;
    }

    INITCOMMONCONTROLSEX icc = {sizeof(icc), ICC_BAR_CLASSES | ICC_WIN95_CLASSES};
    InitCommonControlsEx(&icc);
    CWinApp::InitInstance();
    if (!AfxOleInit()) return FALSE;
    AfxEnableControlContainer();
    LoadStdProfileSettings(8);

    SetDataFolder();
    MigratePresetFiles();
    LoadSystemNames();
    CDigiDoc::IgnorePositionFlag = FALSE;
    thePresets.LoadPresetNames();

    theMmeIn.SetTrayActions(TrayActions{trayShowAll, trayShowMenu});
    m_pDocTemplate = new CMultiDocTemplate(IDR_MAINFRAME, RUNTIME_CLASS(CDigiDoc), RUNTIME_CLASS(CMainFrame),
                                           RUNTIME_CLASS(CMidiView));
    AddDocTemplate(m_pDocTemplate);

    switch (ProcessStartCommand(info)) {
    case 0:
        return FALSE;
    case 1:
        RestoreWorkspace();
        return TRUE;
    default:
        return TRUE;
    }
}

int CVantorApp::ProcessStartCommand(CCommandLineInfo& info) {
    switch (info.m_nShellCommand) {
    case CCommandLineInfo::FileNew:
        if (!OnCmdMsg(ID_FUNCTION_SELECT, CN_COMMAND, nullptr, nullptr)) OnFunctionSelect();
        return m_pMainWnd ? 1 : 0;
    case CCommandLineInfo::FileOpen:
        return OpenDocumentFile(info.m_strFileName.c_str()) ? 2 : 0;
    default:
        return 0;
    }
}

void CVantorApp::SetDataFolder() {
    char current[1000] = "";
    GetCurrentDirectoryA(999, current);
    char folder[MAX_PATH] = "";
    HRESULT hr = SHGetFolderPathA(nullptr, 0x801C /* local application data, created */, nullptr, 0, folder);
    // Without the local application-data folder the presets live beside the
    // current directory.
    std::string base = (SUCCEEDED(hr) && folder[0]) ? folder : current;
    std::string path = base + "\\Tesmer Vantor";
    lstrcpynA(m_szDataFolder, path.c_str(), int(sizeof(m_szDataFolder)));
    WIN32_FIND_DATAA fd;
    HANDLE h = FindFirstFileA(m_szDataFolder, &fd);
    if (h == INVALID_HANDLE_VALUE)
        CreateDirectoryA(m_szDataFolder, nullptr);
    else
        FindClose(h);
}

std::string CVantorApp::DataFolderFile(const char* fileName) const {
    std::string path = std::string(m_szDataFolder) + "\\" + fileName;
    return path.size() < MAX_PATH ? path : std::string();
}

void CVantorApp::MigratePresetFiles() {
    for (int i = 0; i < 9; ++i) {
        char entry[32];
        std::snprintf(entry, sizeof(entry), "PresetName%01i", i);
        if (GetProfileString("SystemSet", entry, "").empty()) continue;
        char name[32];
        std::snprintf(name, sizeof(name), "preset%i.vtw", i + 1);
        std::string current = DataFolderFile(name);
        if (!current.empty() && GetFileAttributesA(current.c_str()) != INVALID_FILE_ATTRIBUTES) continue;
        // Presets of older versions had another extension; they are looked
        // for in the data folder, never in the root of a drive.
        std::snprintf(name, sizeof(name), "preset%i.dcw", i + 1);
        std::string old = DataFolderFile(name);
        if (!current.empty() && !old.empty() && GetFileAttributesA(old.c_str()) != INVALID_FILE_ATTRIBUTES) {
            MoveFileA(old.c_str(), current.c_str());
            continue;
        }
        WriteProfileString("SystemSet", entry, "");
    }
}

// ---------------------------------------------------------------- window table

int CVantorApp::FindDocument(CDigiDoc* doc) const {
    int found = -1;
    for (int i = 0; i < kMaxWindows; ++i)
        if (doc && m_windows[i].document == doc) found = i;
    return found;
}

int CVantorApp::FindFrame(CMainFrame* frame) const {
    for (int i = 0; i < kMaxWindows; ++i)
        if (frame && m_windows[i].frame == frame) return i;
    return -1;
}

int CVantorApp::CountFrames() const {
    int n = 0;
    for (const WindowEntry& e : m_windows)
        if (e.frame) ++n;
    return n;
}

CMainFrame* CVantorApp::HighestOtherFrame(CMainFrame* except) const {
    for (int i = kMaxWindows - 1; i >= 0; --i)
        if (m_windows[i].frame && m_windows[i].frame != except) return m_windows[i].frame;
    return nullptr;
}

CMainFrame* CVantorApp::ActiveTableFrame() const {
    return (m_pActiveFrame && FindFrame(m_pActiveFrame) >= 0) ? m_pActiveFrame : nullptr;
}

BOOL CVantorApp::OpenFrame(const char* section, CArchive* archive) {
    int slot = -1;
    for (int i = 0; i < kMaxWindows && slot < 0; ++i)
        if (!m_windows[i].inUse) slot = i;
    if (slot < 0 || !m_pDocTemplate) return FALSE;

    CDocument* created = m_pDocTemplate->CreateNewDocument();
    if (!created) return FALSE;
    CDigiDoc* doc = static_cast<CDigiDoc*>(created);
    doc->m_bAutoDelete = FALSE;
    CFrameWnd* frameWnd = m_pDocTemplate->CreateNewFrame(doc, nullptr);
    doc->m_bAutoDelete = TRUE;
    if (!frameWnd) {
        delete doc;
        return FALSE;
    }
    CMainFrame* frame = static_cast<CMainFrame*>(frameWnd);
    m_pDocTemplate->SetDefaultTitle(doc);

    BOOL ok;
    if (section) {
        ok = doc->LoadFromSection(section, -1);
    } else if (archive) {
        ok = doc->ReadSetup(*archive);
    } else {
        doc->m_bNewWindow = TRUE;
        ok = doc->OnNewDocument();
    }
    if (!ok) {
        frame->DestroyWindow();
        return FALSE;
    }
    m_pDocTemplate->InitialUpdateFrame(frame, doc, TRUE);

    // A dialog in the steps above lets other windows open meanwhile; the free
    // entry is looked for again.
    slot = -1;
    for (int i = 0; i < kMaxWindows && slot < 0; ++i)
        if (!m_windows[i].inUse) slot = i;
    if (slot < 0) {
        frame->DestroyWindow();
        return FALSE;
    }
    m_windows[slot] = WindowEntry{TRUE, doc, frame};
    return TRUE;
}

void CVantorApp::SetActiveFrame(CMainFrame* frame) {
    m_pActiveFrame = frame;
    for (const WindowEntry& e : m_windows)
        if (e.frame && e.frame != frame) m_pMainWnd = e.frame;
}

void CVantorApp::RestoreWorkspace() {
    UINT count = GetProfileInt("Workspace", "NumOfWins", 0);
    if (count <= 1) return;
    // The table holds 40 windows; a larger stored count cannot open more.
    for (UINT i = 1; i < UINT(kMaxWindows); ++i) {
        char section[32];
        std::snprintf(section, sizeof(section), "Workspace\\Frame%d", int(i));
        OpenFrame(section, nullptr);
        count = GetProfileInt("Workspace", "NumOfWins", 0);
        if (!(i + 1 < count)) break;
    }
}

void CVantorApp::ForEachDocument(BOOL start) {
    for (const WindowEntry& e : m_windows)
        if (e.document) e.document->StartStopMidi(start);
}

void CVantorApp::SendSingleSetToAll() {
    for (const WindowEntry& e : m_windows)
        if (e.document) e.document->SendSingleSetOnce();
}

void CVantorApp::ShowAllFrames(BOOL restore) {
    for (const WindowEntry& e : m_windows) {
        if (!e.document || !e.frame) continue;
        if (restore) {
            e.frame->ShowWindow(SW_RESTORE);
            e.frame->SetForegroundWindow();
        } else {
            e.frame->ShowWindow(SW_MINIMIZE);
        }
    }
}

void CVantorApp::ShowTrayMenu() {
    // No menu without a window to own it, and none under a running dialog:
    // Exit there would destroy the windows the dialog works on.
    CMainFrame* owner = ActiveTableFrame();
    if (!owner || AfxGetModalDepth() > 0) return;
    HWND ownerWnd = owner->m_hWnd;
    owner->SetForegroundWindow();
    // The activation can arrive after the menu starts tracking (it does under
    // Wine), which closes the menu at once; let it land first, briefly.
    for (DWORD start = GetTickCount(); GetActiveWindow() != ownerWnd && GetTickCount() - start < 150;) {
        MSG msg;
        if (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        } else {
            Sleep(5);
        }
    }
    // The wait ran messages: the window may have gone meanwhile.
    if (ActiveTableFrame() != owner || !IsWindow(ownerWnd) || AfxGetModalDepth() > 0) return;
    POINT pt;
    GetCursorPos(&pt);
    HMENU menu = LoadMenuA(AfxGetInstanceHandle(), MAKEINTRESOURCEA(IDR_CONTEXT_MENUS));
    if (!menu) return;
    HMENU popup = GetSubMenu(menu, 1);
    if (popup) AfxTrackPopupMenu(popup, TPM_RIGHTBUTTON, pt.x, pt.y, ownerWnd);
    DestroyMenu(menu);
    // A menu of a tray icon closes properly only when its owner gets a message after it.
    PostMessageA(ownerWnd, WM_NULL, 0, 0);
}

void CVantorApp::OnFrameClosing(CMainFrame* frame) {
    // The closing frame must not stay the main window while others remain,
    // or the program would end with them unsaved.
    if (m_pMainWnd == frame) {
        if (CMainFrame* other = HighestOtherFrame(frame)) m_pMainWnd = other;
    }
    // Nor may it stay the active frame that the tray menu is given to.
    if (m_pActiveFrame == frame) {
        CMainFrame* main = (m_pMainWnd && m_pMainWnd != frame && FindFrame(static_cast<CMainFrame*>(m_pMainWnd)) >= 0)
                               ? static_cast<CMainFrame*>(m_pMainWnd)
                               : nullptr;
        m_pActiveFrame = main ? main : HighestOtherFrame(frame);
    }
    int count = CountFrames();
    int index = FindFrame(frame);
    if (index < 0) return;
    if (count == 1 && !m_bWorkspaceSaved) {
        std::string root = GetAppRegistryPath();
        DelRegTree(HKEY_CURRENT_USER, root + "\\Temp");
        DelRegTree(HKEY_CURRENT_USER, root + "\\Workspace");
        if (m_windows[index].document) m_windows[index].document->SaveWindowSettings("Workspace\\Frame0", FALSE);
        WriteProfileInt("Workspace", "NumOfWins", 1);
        SaveSystemSettings();
        m_bWorkspaceSaved = 1;
    }
    m_windows[index] = WindowEntry{};
}

void CVantorApp::SaveWorkspaceAndCloseAll(BOOL closeFrames) {
    if (m_bWorkspaceSaved) return;
    std::string root = GetAppRegistryPath();
    DelRegTree(HKEY_CURRENT_USER, root + "\\Temp");
    DelRegTree(HKEY_CURRENT_USER, root + "\\Workspace");
    m_bWorkspaceSaved = 1;
    SaveSystemSettings();
    int k = 0;
    for (int i = 0; i < kMaxWindows; ++i) {
        WindowEntry e = m_windows[i];
        if (!e.document) continue;
        char section[32];
        std::snprintf(section, sizeof(section), "Workspace\\Frame%d", k);
        e.document->SaveWindowSettings(section, FALSE);
        WriteProfileInt("Workspace", "NumOfWins", k + 1);
        ++k;
        if (!closeFrames || !e.frame) continue;
        e.frame->SetActiveWindow();
        e.frame->DestroyWindow();
    }
}

void CVantorApp::SaveSystemSettings() {
    WriteProfileInt("SystemSet", "IgnorePosition", CDigiDoc::IgnorePositionFlag ? 1 : 0);
    SaveDeviceNameTables();
    theIoNames.SaveIoNames();
    thePresets.SavePresetNames();
}

// ---------------------------------------------------------------- commands

void CVantorApp::OnFileNewFrame() { OpenFrame(nullptr, nullptr); }

void CVantorApp::OnFunctionSelect() {
    CMainFrame* frame = ActiveTableFrame();
    CDocument* doc = frame ? frame->GetActiveDocument() : nullptr;
    if (frame && doc) {
        if (!doc->SaveModified()) return;
        if (m_pDocTemplate) m_pDocTemplate->SetDefaultTitle(doc);
        doc->OnNewDocument();
        return;
    }
    // No window yet (the start): the library's new-file path makes the first
    // one, which is recorded in the first free entry.
    OnFileNew();
    CMainFrame* made = m_pActiveFrame;
    if (!made || FindFrame(made) >= 0) return;
    CDocument* madeDoc = made->GetActiveDocument();
    if (!madeDoc || !madeDoc->IsKindOf(RUNTIME_CLASS(CDigiDoc))) return;
    for (int i = 0; i < kMaxWindows; ++i) {
        if (!m_windows[i].inUse) {
            m_windows[i] = WindowEntry{TRUE, static_cast<CDigiDoc*>(madeDoc), made};
            return;
        }
    }
}

void CVantorApp::OnAppExit() { SaveWorkspaceAndCloseAll(); }

void CVantorApp::OnPresetKey(UINT command) { LoadPreset(int(command) - ID_PRESET_FIRST); }

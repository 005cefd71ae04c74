// Workspace and setup files: what a file does is decided by its extension; a
// workspace file holds the setup records of all windows back to back.
#include <cstdio>
#include <cstring>

#include "app/digidoc.h"
#include "app/mainframe.h"
#include "app/vantorapp.h"
#include "framework/archive.h"
#include "framework/dialog.h"
#include "framework/doctempl.h"
#include "framework/document.h"
#include "framework/view.h"

namespace {
int firstFreeEntry(const WindowEntry (&windows)[kMaxWindows]) {
    for (int i = 0; i < kMaxWindows; ++i)
        if (!windows[i].inUse) return i;
    return -1;
}
}  // namespace

CDocument* CVantorApp::OpenDocumentFile(const char* path) {
    if (!path || !*path) return nullptr;
    const char* dot = std::strrchr(path, '.');
    if (dot && std::strncmp(dot, ".vtw", 4) == 0) {
        if (LoadWorkspace(path) <= 0) return nullptr;
        AddToRecentFileList(path);
        return m_windows[0].document;
    }
    if (!dot || std::strncmp(dot, ".vts", 4) != 0) {
        char text[MAX_PATH * 2 + 64];
        std::snprintf(text, sizeof(text), "File %s has wrong file extension.", path);
        AfxMessageBox(text, MB_OK);
        return nullptr;
    }

    // A setup file replaces the state of the program's window in front.
    HWND foreground = GetForegroundWindow();
    for (const WindowEntry& e : m_windows) {
        if (!e.frame || !e.document || !foreground || e.frame->m_hWnd != foreground) continue;
        CDigiDoc* doc = e.document;
        CStdioFile file;
        if (!file.Open(path, CFile::modeRead | CFile::shareDenyWrite | CFile::typeText)) {
            AfxReportFileError(FALSE, path);
            return nullptr;
        }
        BOOL ok;
        {
            CArchive ar(&file, CArchive::load, 65536);
            ok = doc->ReadSetup(ar);
        }
        file.Close();
        if (ok) AddToRecentFileList(path);
        return doc;
    }

    // Otherwise it opens a new window, while the table has room.
    if (firstFreeEntry(m_windows) < 0) return nullptr;
    CDocument* opened = OpenDocumentFileBase(path);
    if (!opened || !opened->IsKindOf(RUNTIME_CLASS(CDigiDoc))) return nullptr;
    CDigiDoc* doc = static_cast<CDigiDoc*>(opened);
    const int known = FindDocument(doc);
    if (known >= 0) {
        if (m_windows[known].frame) m_windows[known].frame->SetForegroundWindow();
        return doc;
    }
    // The load may have shown dialogs, during which other windows opened:
    // the free entry is looked for only now.
    CMainFrame* frame = doc->GetFrame();
    const int slot = firstFreeEntry(m_windows);
    if (!frame) return nullptr;
    if (slot < 0) {
        frame->DestroyWindow();
        return nullptr;
    }
    m_windows[slot] = WindowEntry{TRUE, doc, frame};
    frame->SetForegroundWindow();
    return doc;
}

int CVantorApp::LoadWorkspace(const char* path) {
    CStdioFile file;
    if (!path || !file.Open(path, CFile::modeRead | CFile::shareDenyWrite | CFile::typeText)) {
        AfxReportFileError(FALSE, path);
        return 0;
    }
    int count = 0;
    CArchive ar(&file, CArchive::load, 65536);
    char separator[1000];
    bool ended = false;

    // The open windows take the records in table order; a window the file
    // has no readable record for is closed.
    for (int i = 0; i < kMaxWindows && !ended; ++i) {
        CDigiDoc* doc = m_windows[i].document;
        CMainFrame* frame = m_windows[i].frame;
        if (!doc || !frame) continue;
        frame->SetForegroundWindow();
        if (doc->ReadSetup(ar)) {
            ar.ReadString(separator, sizeof(separator));
            frame->SetActiveWindow();
            ++count;
            continue;
        }
        frame->SetActiveWindow();
        frame->DestroyWindow();
        // Closing the last window ends the program: nothing more may open.
        if (CountFrames() == 0 || m_bWorkspaceSaved) ended = true;
    }

    // Further records open further windows.
    while (!ended && !m_bWorkspaceSaved && OpenFrame(nullptr, &ar)) {
        ar.ReadString(separator, sizeof(separator));
        ++count;
    }
    ar.Close();
    file.Close();
    return count;
}

int CVantorApp::StoreWorkspace(const char* path) {
    int count = 0;
    const BOOL saved = AfxSaveFileReplacing(path, TRUE, 4096, [this, &count](CArchive& ar) {
        for (const WindowEntry& e : m_windows)
            if (e.document && e.document->WriteSetup(ar)) ++count;
    });
    if (!saved) {
        AfxReportFileError(TRUE, path);
        return 0;
    }
    return count;
}

void CVantorApp::OnSaveWorkspace() {
    CFileDialog dlg(FALSE, "vtw", "*.vtw", OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT,
                    "Vantor Workspace Files (*.vtw)|*.vtw|All Files (*.*)|*.*||", nullptr);
    if (dlg.DoModal() != IDOK) return;
    StoreWorkspace(dlg.GetPathName().c_str());
    AddToRecentFileList(dlg.GetPathName().c_str());
}

void CVantorApp::OnLoadWorkspace() {
    CFileDialog dlg(TRUE, "vtw", "*.vtw", 0,
                    "Vantor Workspace Files (*.vtw)|*.vtw|Tesmer Vantor Setup Files (*.vts)|*.vts|All Files "
                    "(*.*)|*.*||",
                    nullptr);
    if (dlg.DoModal() != IDOK) return;
    if (LoadWorkspace(dlg.GetPathName().c_str()) > 0) AddToRecentFileList(dlg.GetPathName().c_str());
}

#include "framework/document.h"

#include <algorithm>

#include "framework/archive.h"
#include "framework/dialog.h"
#include "framework/doctempl.h"
#include "framework/frame.h"
#include "framework/view.h"
#include "framework/winapp.h"

IMPLEMENT_DYNAMIC(CDocument, CCmdTarget)

BEGIN_MESSAGE_MAP(CDocument, CCmdTarget)
    ON_COMMAND(57603, OnFileSave)
    ON_COMMAND(57604, OnFileSaveAs)
END_MESSAGE_MAP()

void AfxReportFileError(BOOL saving, const char* path) {
    std::string text = std::string(saving ? "Cannot save the file " : "Cannot open the file ") + (path ? path : "") + ".";
    AfxMessageBox(text.c_str(), MB_OK | MB_ICONEXCLAMATION);
}

CDocument::CDocument() = default;

CDocument::~CDocument() {
    // Views that outlive the document must not point at it.
    for (CView* v : m_viewList) v->m_pDocument = nullptr;
    m_viewList.clear();
    if (m_pDocTemplate) m_pDocTemplate->RemoveDocument(this);
}

void CDocument::SetTitle(const char* title) {
    m_strTitle = title ? title : "";
    UpdateFrameCounts();
}

void CDocument::SetPathName(const char* path, BOOL addToRecentList) {
    char full[MAX_PATH * 2];
    DWORD n = GetFullPathNameA(path, DWORD(sizeof(full)), full, nullptr);
    m_strPathName = (n > 0 && n < sizeof(full)) ? full : path;
    size_t slash = m_strPathName.find_last_of("\\/");
    SetTitle(slash == std::string::npos ? m_strPathName.c_str() : m_strPathName.c_str() + slash + 1);
    if (addToRecentList && AfxGetApp()) AfxGetApp()->AddToRecentFileList(m_strPathName.c_str());
}

void CDocument::AddView(CView* view) {
    if (std::find(m_viewList.begin(), m_viewList.end(), view) != m_viewList.end()) return;
    m_viewList.push_back(view);
    view->m_pDocument = this;
    OnChangedViewList();
}

void CDocument::RemoveView(CView* view) {
    auto it = std::find(m_viewList.begin(), m_viewList.end(), view);
    if (it == m_viewList.end()) return;
    m_viewList.erase(it);
    view->m_pDocument = nullptr;
    OnChangedViewList();
}

void CDocument::OnChangedViewList() {
    if (m_viewList.empty() && m_bAutoDelete) {
        OnCloseDocument();
        return;
    }
    UpdateFrameCounts();
}

void CDocument::UpdateFrameCounts() {
    for (CView* v : m_viewList) {
        CFrameWnd* f = v->GetParentFrame();
        if (f) f->OnUpdateFrameTitle(TRUE);
    }
}

void CDocument::UpdateAllViews(CView* sender) {
    for (CView* v : m_viewList)
        if (v != sender) v->OnUpdate(sender, 0, nullptr);
}

BOOL CDocument::OnNewDocument() {
    DeleteContents();
    m_strPathName.clear();
    SetModifiedFlag(FALSE);
    return TRUE;
}

BOOL CDocument::OnOpenDocument(const char* path) {
    CFile file;
    if (!file.Open(path, CFile::modeRead | CFile::shareDenyWrite)) {
        AfxReportFileError(FALSE, path);
        return FALSE;
    }
    DeleteContents();
    SetModifiedFlag(FALSE);
    CArchive ar(&file, CArchive::load, 65536);
    Serialize(ar);
    ar.Close();
    file.Close();
    SetModifiedFlag(FALSE);
    return TRUE;
}

BOOL CDocument::OnSaveDocument(const char* path) {
    if (!AfxSaveFileReplacing(path, FALSE, 4096, [this](CArchive& ar) { Serialize(ar); })) {
        AfxReportFileError(TRUE, path);
        return FALSE;
    }
    SetModifiedFlag(FALSE);
    return TRUE;
}

void CDocument::OnCloseDocument() {
    // Closing the frames removes the views; the document must not delete
    // itself half-way through.
    BOOL autoDelete = m_bAutoDelete;
    m_bAutoDelete = FALSE;
    while (!m_viewList.empty()) {
        CView* view = m_viewList.front();
        CFrameWnd* frame = view->GetParentFrame();
        if (frame)
            frame->DestroyWindow();
        else
            view->DestroyWindow();
        // A view that is still handling one of its own messages stays until
        // it has returned; it is taken off the list now.
        if (!m_viewList.empty() && m_viewList.front() == view) RemoveView(view);
    }
    m_bAutoDelete = autoDelete;
    DeleteContents();
    if (m_bAutoDelete) delete this;
}

void CDocument::DeleteContents() {}

BOOL CDocument::SaveModified() {
    if (!IsModified()) return TRUE;
    std::string text = "Save changes to " + (m_strPathName.empty() ? m_strTitle : m_strPathName) + "?";
    switch (AfxMessageBox(text.c_str(), MB_YESNOCANCEL | MB_ICONQUESTION)) {
    case IDCANCEL:
        return FALSE;
    case IDYES:
        return DoSave(m_strPathName.empty() ? nullptr : m_strPathName.c_str());
    default:
        return TRUE;
    }
}

BOOL CDocument::CanCloseFrame(CFrameWnd* frame) {
    // Only the last frame of a document asks about unsaved changes.
    for (CView* v : m_viewList) {
        CFrameWnd* f = v->GetParentFrame();
        if (f && f != frame) return TRUE;
    }
    return SaveModified();
}

BOOL CDocument::DoSave(const char* path, BOOL replace) {
    std::string target = path ? path : "";
    if (target.empty()) {
        CDocTemplate* t = m_pDocTemplate;
        std::string ext = t ? t->GetDocString(CDocTemplate::filterExt) : std::string();
        if (!ext.empty() && ext[0] == '.') ext.erase(0, 1);
        std::string filter = t ? t->GetDocString(CDocTemplate::filterName) : std::string();
        if (!filter.empty()) filter += "|*." + ext + "|";
        filter += "All Files (*.*)|*.*||";
        std::string initial = m_strTitle;
        CFileDialog dlg(FALSE, ext.empty() ? nullptr : ext.c_str(), initial.c_str(),
                        OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT, filter.c_str(), nullptr);
        if (dlg.DoModal() != IDOK) return FALSE;
        target = dlg.GetPathName();
    }
    if (!OnSaveDocument(target.c_str())) return FALSE;
    if (replace) SetPathName(target.c_str());
    return TRUE;
}

void CDocument::OnFileSave() { DoSave(m_strPathName.empty() ? nullptr : m_strPathName.c_str()); }
void CDocument::OnFileSaveAs() { DoSave(nullptr); }

BOOL CDocument::OnCmdMsg(UINT nID, int nCode, void* pExtra, CmdHandlerProbe* probe) {
    if (CCmdTarget::OnCmdMsg(nID, nCode, pExtra, probe)) return TRUE;
    return m_pDocTemplate ? m_pDocTemplate->OnCmdMsg(nID, nCode, pExtra, probe) : FALSE;
}

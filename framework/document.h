// Document: the data behind one window, with its views.
#pragma once
#include <string>
#include <vector>

#include "framework/cmdtarget.h"

class CArchive;
class CDocTemplate;
class CFrameWnd;
class CView;

// The message shown when a file cannot be read (saving FALSE) or written.
void AfxReportFileError(BOOL saving, const char* path);

class CDocument : public CCmdTarget {
    DECLARE_DYNAMIC(CDocument)
public:
    CDocument();
    ~CDocument() override;

    const std::string& GetTitle() const { return m_strTitle; }
    virtual void SetTitle(const char* title);
    const std::string& GetPathName() const { return m_strPathName; }
    virtual void SetPathName(const char* path, BOOL addToRecentList = TRUE);
    CDocTemplate* GetDocTemplate() const { return m_pDocTemplate; }
    BOOL IsModified() const { return m_bModified; }
    void SetModifiedFlag(BOOL modified = TRUE) { m_bModified = modified; }

    // Views. When an auto-deleting document loses its last view it closes.
    const std::vector<CView*>& GetViews() const { return m_viewList; }
    void AddView(CView* view);
    void RemoveView(CView* view);
    virtual void OnChangedViewList();
    virtual void UpdateFrameCounts();
    void UpdateAllViews(CView* sender);

    virtual BOOL OnNewDocument();
    virtual BOOL OnOpenDocument(const char* path);
    virtual BOOL OnSaveDocument(const char* path);
    virtual void OnCloseDocument();
    virtual void DeleteContents();
    virtual BOOL SaveModified();
    virtual BOOL CanCloseFrame(CFrameWnd* frame);
    virtual BOOL DoSave(const char* path, BOOL replace = TRUE);

    BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, CmdHandlerProbe* probe) override;

    BOOL m_bAutoDelete = TRUE;
    CDocTemplate* m_pDocTemplate = nullptr;

protected:
    void OnFileSave();
    void OnFileSaveAs();

    std::string m_strTitle;
    std::string m_strPathName;
    std::vector<CView*> m_viewList;
    BOOL m_bModified = FALSE;

    DECLARE_MESSAGE_MAP()
};

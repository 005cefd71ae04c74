// Document template: makes documents, their frames and first views by runtime
// class, and holds the document strings of its resource.
#pragma once
#include <string>
#include <vector>

#include "framework/cmdtarget.h"

class CDocument;
class CFrameWnd;
class CView;

struct CCreateContext {
    const CRuntimeClass* m_pNewViewClass = nullptr;
    CDocument* m_pCurrentDoc = nullptr;
    class CDocTemplate* m_pNewDocTemplate = nullptr;
    CView* m_pLastView = nullptr;
    CFrameWnd* m_pCurrentFrame = nullptr;
};

class CDocTemplate : public CCmdTarget {
public:
    enum DocStringIndex { windowTitle, docName, fileNewName, filterName, filterExt, regFileTypeId, regFileTypeName };

    CDocTemplate(UINT resourceId, const CRuntimeClass* docClass, const CRuntimeClass* frameClass,
                 const CRuntimeClass* viewClass);
    ~CDocTemplate() override;

    UINT GetResourceId() const { return m_nIDResource; }
    std::string GetDocString(DocStringIndex index) const;
    const CRuntimeClass* GetViewClass() const { return m_pViewClass; }

    virtual CDocument* CreateNewDocument();
    virtual CFrameWnd* CreateNewFrame(CDocument* doc, CFrameWnd* other);
    virtual void InitialUpdateFrame(CFrameWnd* frame, CDocument* doc, BOOL makeVisible = TRUE);
    // A new document (no path) or one read from a file, in a new frame.
    virtual CDocument* OpenDocumentFile(const char* path, BOOL makeVisible = TRUE);
    virtual void SetDefaultTitle(CDocument* doc);

    void AddDocument(CDocument* doc);
    void RemoveDocument(CDocument* doc);
    const std::vector<CDocument*>& GetDocuments() const { return m_docList; }

protected:
    UINT m_nIDResource;
    const CRuntimeClass* m_pDocClass;
    const CRuntimeClass* m_pFrameClass;
    const CRuntimeClass* m_pViewClass;
    std::string m_strDocStrings;
    std::vector<CDocument*> m_docList;
    UINT m_nUntitledCount = 0;
};

// Documents each shown in their own top-level frame.
class CMultiDocTemplate : public CDocTemplate {
public:
    using CDocTemplate::CDocTemplate;
};

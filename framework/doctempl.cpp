#include "framework/doctempl.h"

#include <algorithm>

#include "framework/document.h"
#include "framework/frame.h"
#include "framework/view.h"
#include "framework/winapp.h"

CDocTemplate::CDocTemplate(UINT resourceId, const CRuntimeClass* docClass, const CRuntimeClass* frameClass,
                           const CRuntimeClass* viewClass)
    : m_nIDResource(resourceId), m_pDocClass(docClass), m_pFrameClass(frameClass), m_pViewClass(viewClass) {
    m_strDocStrings = AfxLoadString(resourceId);
}

CDocTemplate::~CDocTemplate() {
    for (CDocument* d : m_docList) d->m_pDocTemplate = nullptr;
}

std::string CDocTemplate::GetDocString(DocStringIndex index) const {
    size_t start = 0;
    for (int i = 0; i < int(index); ++i) {
        size_t nl = m_strDocStrings.find('\n', start);
        if (nl == std::string::npos) return std::string();
        start = nl + 1;
    }
    size_t end = m_strDocStrings.find('\n', start);
    return m_strDocStrings.substr(start, end == std::string::npos ? std::string::npos : end - start);
}

void CDocTemplate::AddDocument(CDocument* doc) {
    m_docList.push_back(doc);
    doc->m_pDocTemplate = this;
}

void CDocTemplate::RemoveDocument(CDocument* doc) {
    m_docList.erase(std::remove(m_docList.begin(), m_docList.end(), doc), m_docList.end());
    doc->m_pDocTemplate = nullptr;
}

CDocument* CDocTemplate::CreateNewDocument() {
    CObject* obj = m_pDocClass ? m_pDocClass->CreateObject() : nullptr;
    if (!obj) return nullptr;
    CDocument* doc = static_cast<CDocument*>(obj);
    AddDocument(doc);
    return doc;
}

CFrameWnd* CDocTemplate::CreateNewFrame(CDocument* doc, CFrameWnd*) {
    CCreateContext context;
    context.m_pCurrentDoc = doc;
    context.m_pNewViewClass = m_pViewClass;
    context.m_pNewDocTemplate = this;
    CObject* obj = m_pFrameClass ? m_pFrameClass->CreateObject() : nullptr;
    if (!obj) return nullptr;
    CFrameWnd* frame = static_cast<CFrameWnd*>(obj);
    if (!frame->LoadFrame(m_nIDResource, WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE, nullptr, &context)) {
        // A frame whose window never came to be deletes nothing by itself.
        if (!frame->m_hWnd) delete frame;
        return nullptr;
    }
    return frame;
}

void CDocTemplate::InitialUpdateFrame(CFrameWnd* frame, CDocument* doc, BOOL makeVisible) {
    frame->InitialUpdateFrame(doc, makeVisible);
}

void CDocTemplate::SetDefaultTitle(CDocument* doc) {
    std::string title = GetDocString(docName);
    if (title.empty()) title = "Untitled";
    title += std::to_string(++m_nUntitledCount);
    doc->SetTitle(title.c_str());
}

CDocument* CDocTemplate::OpenDocumentFile(const char* path, BOOL makeVisible) {
    CDocument* doc = CreateNewDocument();
    if (!doc) return nullptr;
    BOOL autoDelete = doc->m_bAutoDelete;
    doc->m_bAutoDelete = FALSE;   // the frame must not delete it before we know the outcome
    CFrameWnd* frame = CreateNewFrame(doc, nullptr);
    doc->m_bAutoDelete = autoDelete;
    if (!frame) {
        delete doc;
        return nullptr;
    }
    if (!path) {
        SetDefaultTitle(doc);
        if (!doc->OnNewDocument()) {
            frame->DestroyWindow();   // takes the document with its last view
            return nullptr;
        }
    } else {
        if (!doc->OnOpenDocument(path)) {
            frame->DestroyWindow();
            return nullptr;
        }
        doc->SetPathName(path);
    }
    InitialUpdateFrame(frame, doc, makeVisible);
    return doc;
}

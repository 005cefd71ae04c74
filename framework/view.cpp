#include "framework/view.h"

#include "framework/doctempl.h"
#include "framework/document.h"
#include "framework/frame.h"

IMPLEMENT_DYNAMIC(CView, CWnd)

BEGIN_MESSAGE_MAP(CView, CWnd)
    ON_WM_CREATE()
    ON_WM_DESTROY()
    ON_WM_PAINT()
    ON_WM_MOUSEACTIVATE()
END_MESSAGE_MAP()

CView::CView() = default;

CView::~CView() {
    if (m_pDocument) m_pDocument->RemoveView(this);
}

BOOL CView::PreCreateWindow(CREATESTRUCTA& cs) {
    if (!cs.lpszClass) {
        // Views take double-clicks and paint their own panels; the class brush
        // is the panel colour so an erase never flashes white.
        static HBRUSH panel = CreateSolidBrush(kPanelFill);
        cs.lpszClass = AfxRegisterWndClass(kVantorViewClass, CS_DBLCLKS, nullptr, panel);
    }
    return TRUE;
}

int CView::OnCreate(LPCREATESTRUCTA cs) {
    if (Default() == -1) return -1;
    CCreateContext* context = cs ? static_cast<CCreateContext*>(cs->lpCreateParams) : nullptr;
    if (context && context->m_pCurrentDoc) context->m_pCurrentDoc->AddView(this);
    return 0;
}

void CView::OnDestroy() {
    CFrameWnd* frame = GetParentFrame();
    if (frame && frame->GetActiveView() == this) frame->SetActiveView(nullptr, FALSE);
    Default();
}

void CView::PostNcDestroy() { DeleteWhenUnwound(); }

void CView::OnPaint() {
    CPaintDC dc(this);
    OnDraw(&dc);
}

int CView::OnMouseActivate(HWND, UINT, UINT) {
    int result = int(Default());
    if (result == MA_NOACTIVATEANDEAT || result == MA_ACTIVATEANDEAT) return result;
    // A click makes this the frame's active view and gives it the keyboard.
    CFrameWnd* frame = GetParentFrame();
    if (frame) {
        if (frame->GetActiveView() != this) frame->SetActiveView(this);
        if (GetFocus() != m_hWnd) SetFocus();
    }
    return result;
}

void CView::OnInitialUpdate() { OnUpdate(nullptr, 0, nullptr); }

void CView::OnUpdate(CView*, LPARAM, CObject*) { Invalidate(TRUE); }

void CView::OnActivateView(BOOL activate, CView* activateView, CView*) {
    if (activate && activateView == this && m_hWnd) {
        // Take the keyboard when our frame is the active window.
        HWND top = GetTopLevelParent();
        if (top && top == GetActiveWindow() && GetFocus() != m_hWnd) SetFocus();
    }
}

void CView::OnActivateFrame(UINT, CFrameWnd*) {}

BOOL CView::OnCmdMsg(UINT nID, int nCode, void* pExtra, CmdHandlerProbe* probe) {
    if (CWnd::OnCmdMsg(nID, nCode, pExtra, probe)) return TRUE;
    // Nothing of this view may be touched after the document's handler: it
    // may have replaced (and deleted) the view.
    CDocument* doc = m_pDocument;
    return doc ? doc->OnCmdMsg(nID, nCode, pExtra, probe) : FALSE;
}

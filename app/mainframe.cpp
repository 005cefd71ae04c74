#include "app/mainframe.h"

#include <commctrl.h>

#include <algorithm>

#include "app/vantorapp.h"
#include "framework/view.h"
#include "resource.h"

IMPLEMENT_DYNCREATE(CMainFrame, CFrameWnd)

BEGIN_MESSAGE_MAP(CMainFrame, CFrameWnd)
    ON_WM_CREATE()
    ON_COMMAND(ID_FILE_CLOSE, OnFileClose)
    ON_COMMAND(ID_HELP_FINDER, CFrameWnd::OnHelpFinder)
    ON_COMMAND(ID_HELP, CFrameWnd::OnHelp)
    ON_COMMAND(ID_CONTEXT_HELP, CFrameWnd::OnContextHelp)
    ON_COMMAND(ID_DEFAULT_HELP, CFrameWnd::OnHelpFinder)
    ON_WM_CLOSE()
    ON_WM_DESTROY()
    ON_WM_SETFOCUS()
    ON_WM_SIZING()
    ON_WM_GETMINMAXINFO()
    ON_COMMAND(ID_ALWAYS_ON_TOP, OnAlwaysOnTop)
    ON_UPDATE_COMMAND_UI(ID_ALWAYS_ON_TOP, OnUpdateAlwaysOnTop)
    ON_COMMAND(ID_DEACTIVATE_SCREENSAVER, OnDeactivateScreenSaver)
    ON_UPDATE_COMMAND_UI(ID_DEACTIVATE_SCREENSAVER, OnUpdateDeactivateScreenSaver)
END_MESSAGE_MAP()

namespace {
const UINT kToolBarId = 0xE800;
const UINT kStatusBarId = 0xE801;
const UINT_PTR kHandOverRetryTimer = 0x7E01;
const UINT kIndicators[] = {0, 0xE707, 0xE709};
}  // namespace

CMainFrame::CMainFrame() = default;
CMainFrame::~CMainFrame() = default;

BOOL CMainFrame::PreCreateWindow(CREATESTRUCTA& cs) {
    if (!CFrameWnd::PreCreateWindow(cs)) return FALSE;
    m_bAlwaysOnTop = theApp.GetProfileInt("Settings", "AllwaysOnTop", 0) ? TRUE : FALSE;
    m_bDeactivateScreenSaver = theApp.GetProfileInt("Settings", "DeactivateScreenSaver", 0) ? TRUE : FALSE;
    cs.style = LONG(WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | WS_MINIMIZEBOX | FWS_ADDTOTITLE);
    return TRUE;
}

BOOL CMainFrame::LoadFrame(UINT resourceId, DWORD defaultStyle, CWnd* parent, CCreateContext* context) {
    if (!CFrameWnd::LoadFrame(resourceId, defaultStyle & ~FWS_ADDTOTITLE, parent, context)) return FALSE;
    if (!theApp.m_pMainWnd) theApp.m_pMainWnd = this;
    // The mark by which a second start finds the running program.
    SetWindowLongPtrA(m_hWnd, GWLP_USERDATA, 100);
    LoadBarState("General");
    return TRUE;
}

int CMainFrame::OnCreate(LPCREATESTRUCTA cs) {
    if (CFrameWnd::OnCreate(cs) == -1) return -1;
    SetWindowPos(m_bAlwaysOnTop ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    RECT none = {0, 0, 0, 0};
    if (!m_wndToolBar.CreateEx(this, TBSTYLE_FLAT,
                               WS_CHILD | WS_VISIBLE | CBRS_TOP | CBRS_GRIPPER | CBRS_TOOLTIPS | CBRS_FLYBY |
                                   CBRS_SIZE_DYNAMIC,
                               none, kToolBarId) ||
        !m_wndToolBar.LoadToolBar(IDR_MAINFRAME))
        return -1;
    if (!m_wndStatusBar.Create(this, WS_CHILD | WS_VISIBLE | CBRS_BOTTOM, kStatusBarId) ||
        !m_wndStatusBar.SetIndicators(kIndicators, 3))
        return -1;
    m_wndStatusBar.SetPaneInfo(0, 0, SBPS_NOBORDERS | SBPS_STRETCH, 120);
    m_wndStatusBar.SetPaneText(0, AfxLoadString(IDS_IDLE_MESSAGE).c_str());
    m_wndToolBar.EnableDocking(CBRS_ALIGN_ANY);
    EnableDocking(CBRS_ALIGN_ANY);
    DockControlBar(&m_wndToolBar);
    return 0;
}

void CMainFrame::OnClose() {
    SaveBarState("General");
    CFrameWnd::OnClose();
}

void CMainFrame::OnFileClose() { DestroyWindow(); }

BOOL CMainFrame::DestroyWindow() {
    if (!m_hWnd) return FALSE;
    if (!m_bClosingReported) {
        m_bClosingReported = TRUE;
        theApp.OnFrameClosing(this);
    }
    return CFrameWnd::DestroyWindow();
}

void CMainFrame::OnDestroy() {
    // A frame destroyed by any other path still leaves the window table.
    if (!m_bClosingReported) {
        m_bClosingReported = TRUE;
        theApp.OnFrameClosing(this);
    }
    CFrameWnd::OnDestroy();
}

void CMainFrame::ActivateFrame(int showCommand) {
    theApp.SetActiveFrame(this);
    CFrameWnd::ActivateFrame(showCommand);
}

void CMainFrame::OnSetFocus(HWND oldWnd) {
    CFrameWnd::OnSetFocus(oldWnd);
    theApp.SetActiveFrame(this);
}

void CMainFrame::OnUpdateFrameTitle(BOOL) { CFrameWnd::OnUpdateFrameTitle(m_bAddToTitle); }

void CMainFrame::ShowControlBars(int toolBar, int statusBar) {
    ShowControlBar(&m_wndToolBar, toolBar, FALSE);
    ShowControlBar(&m_wndStatusBar, statusBar, FALSE);
}

// ---------------------------------------------------------------- geometry

BOOL CMainFrame::FitToClient(int cx, int cy, BOOL keepTop) {
    RECT wr;
    GetWindowRect(&wr);
    const int curW = wr.right - wr.left, curH = wr.bottom - wr.top;
    int targetW, targetH;
    CView* view = GetActiveView();
    if (view && view->m_hWnd) {
        RECT vc;
        view->GetClientRect(&vc);
        targetW = curW - (vc.right - vc.left) + cx;
        targetH = curH - (vc.bottom - vc.top) + cy;
    } else {
        RECT r = {0, 0, std::max(cx, 10), std::max(cy, 10)};
        CalcWindowRect(&r);
        targetW = r.right - r.left;
        targetH = r.bottom - r.top;
    }
    int newLeft = wr.left;
    bool moveHorizontally = false;
    if (cx != 0) {
        m_nFixedWidth = targetW;
        if (m_nFixedWidth != curW) {
            newLeft = wr.left + (curW - m_nFixedWidth) / 2;
            moveHorizontally = true;
        }
    } else {
        m_nFixedWidth = 0;
    }
    if (cy != 0) {
        m_nFixedHeight = targetH;
        if (m_nFixedHeight != curH) {
            int newTop = keepTop ? wr.top : wr.top + (curH - m_nFixedHeight) / 2;
            int width = cx != 0 ? m_nFixedWidth : curW;
            MoveWindow(newLeft, newTop, width, m_nFixedHeight, TRUE);
            return TRUE;
        }
    } else {
        m_nFixedHeight = 0;
    }
    if (moveHorizontally) {
        MoveWindow(newLeft, wr.top, m_nFixedWidth, curH, TRUE);
        return TRUE;
    }
    return FALSE;
}

void CMainFrame::ApplySizingRule(UINT edge, RECT* rect, int fixedWidth, int fixedHeight) {
    if (fixedWidth) {
        if (edge == WMSZ_LEFT || edge == WMSZ_TOPLEFT || edge == WMSZ_BOTTOMLEFT) rect->right = rect->left + fixedWidth;
        if (edge == WMSZ_RIGHT || edge == WMSZ_TOPRIGHT || edge == WMSZ_BOTTOMRIGHT) rect->left = rect->right - fixedWidth;
    }
    if (fixedHeight) {
        if (edge == WMSZ_BOTTOM || edge == WMSZ_BOTTOMLEFT || edge == WMSZ_BOTTOMRIGHT)
            rect->top = rect->bottom - fixedHeight;
        if (edge == WMSZ_TOP || edge == WMSZ_TOPLEFT || edge == WMSZ_TOPRIGHT) rect->bottom = rect->top + fixedHeight;
    }
}

void CMainFrame::OnSizing(UINT edge, LPRECT rect) {
    // A fixed dimension cannot be resized: dragging its edge moves the window.
    ApplySizingRule(edge, rect, m_nFixedWidth, m_nFixedHeight);
    Default();
}

void CMainFrame::ApplyMinMaxRule(MINMAXINFO* info, int fixedWidth) {
    LONG wide = std::max<LONG>(fixedWidth + 200, 2000);
    info->ptMaxSize.x = std::max(info->ptMaxSize.x, wide);
    info->ptMaxTrackSize.x = std::max(info->ptMaxTrackSize.x, wide);
}

void CMainFrame::OnGetMinMaxInfo(MINMAXINFO* info) { ApplyMinMaxRule(info, m_nFixedWidth); }

bool CMainFrame::KeepRectOnScreen(RECT* r, int x0, int width, int height) {
    if (width == 0) width = 3200;
    if (height == 0) height = 1500;
    int start = x0, end = x0 + width;
    int w = r->right - r->left;
    if (w > width) {
        // A frame wider than the screen may stay partly outside on either side.
        int excess = w - width;
        start -= 2 * excess;
        end += 2 * excess;
    }
    int dx = 0, dy = 0;
    if (r->left < start)
        dx = start - r->left;
    else if (r->right > end)
        dx = end - r->right;
    if (r->top < 0)
        dy = -r->top;
    else if (r->bottom > height)
        dy = height - r->bottom;
    OffsetRect(r, dx, dy);
    return dx != 0 || dy != 0;
}

void CMainFrame::KeepOnVirtualScreen() {
    if (!m_hWnd) return;
    RECT r;
    GetWindowRect(&r);
    if (KeepRectOnScreen(&r, GetSystemMetrics(SM_XVIRTUALSCREEN), GetSystemMetrics(SM_CXVIRTUALSCREEN),
                         GetSystemMetrics(SM_CYVIRTUALSCREEN)))
        MoveWindow(r.left, r.top, r.right - r.left, r.bottom - r.top, TRUE);
}

// ---------------------------------------------------------------- options

void CMainFrame::OnAlwaysOnTop() {
    m_bAlwaysOnTop = m_bAlwaysOnTop ? FALSE : TRUE;
    SetWindowPos(m_bAlwaysOnTop ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    theApp.WriteProfileInt("Settings", "AllwaysOnTop", m_bAlwaysOnTop ? 1 : 0);
}

void CMainFrame::OnUpdateAlwaysOnTop(CCmdUI* ui) { ui->SetCheck(m_bAlwaysOnTop ? 1 : 0); }

void CMainFrame::OnDeactivateScreenSaver() {
    m_bDeactivateScreenSaver = m_bDeactivateScreenSaver ? FALSE : TRUE;
    theApp.WriteProfileInt("Settings", "DeactivateScreenSaver", m_bDeactivateScreenSaver ? 1 : 0);
}

void CMainFrame::OnUpdateDeactivateScreenSaver(CCmdUI* ui) { ui->SetCheck(m_bDeactivateScreenSaver ? 1 : 0); }

// ---------------------------------------------------------------- messages

LRESULT CMainFrame::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_SYSCOMMAND: {
        UINT command = UINT(wParam) & 0xFFF0;
        if (m_bDeactivateScreenSaver && (command == SC_SCREENSAVE || command == SC_MONITORPOWER)) return 1;
        break;
    }
    case WM_VANTOR_HANDOVER: {
        // A second start while a dialog or message box is open waits until it
        // is closed, rather than opening windows underneath it.
        if (AfxGetModalDepth() > 0) {
            SetTimer(kHandOverRetryTimer, 250);
            return 1;
        }
        std::string file = theApp.GetProfileString("Temp", "OpenFile", "");
        if (file.empty()) {
            SetForegroundWindow();
            theApp.OnFileNewFrame();
        } else {
            theApp.OpenDocumentFile(file.c_str());
        }
        return 1;
    }
    case WM_TIMER:
        if (wParam == kHandOverRetryTimer) {
            KillTimer(kHandOverRetryTimer);
            PostMessage(WM_VANTOR_HANDOVER);
            return 0;
        }
        break;
    case WM_ENDSESSION:
        // Under a modal dialog the frames cannot be destroyed safely; the
        // workspace is saved and the session's end takes the process.
        theApp.SaveWorkspaceAndCloseAll(AfxGetModalDepth() == 0);
        return 0;
    default:
        break;
    }
    return CFrameWnd::WindowProc(message, wParam, lParam);
}

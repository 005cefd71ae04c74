#include "framework/frame.h"

#include <commctrl.h>

#include <algorithm>
#include <cstdio>

#include "framework/ctrlbar.h"
#include "framework/doctempl.h"
#include "framework/document.h"
#include "framework/recent.h"
#include "framework/view.h"
#include "framework/winapp.h"

namespace {
std::vector<CFrameWnd*>& frameList() {
    static std::vector<CFrameWnd*> frames;
    return frames;
}
const UINT kPaneFirst = 59648;
const UINT kIdleMessage = 57345;
}  // namespace

IMPLEMENT_DYNCREATE(CFrameWnd, CWnd)

BEGIN_MESSAGE_MAP(CFrameWnd, CWnd)
    ON_WM_CREATE()
    ON_WM_CLOSE()
    ON_WM_DESTROY()
    ON_WM_SETFOCUS()
    ON_WM_SIZE()
    ON_WM_ACTIVATE()
    ON_WM_INITMENUPOPUP()
    ON_WM_MENUSELECT()
END_MESSAGE_MAP()

CFrameWnd::CFrameWnd() { frameList().push_back(this); }

CFrameWnd::~CFrameWnd() {
    auto& frames = frameList();
    frames.erase(std::remove(frames.begin(), frames.end(), this), frames.end());
    if (m_hMenu && !IsMenu(m_hMenu)) m_hMenu = nullptr;
}

const std::vector<CFrameWnd*>& CFrameWnd::AllFrames() { return frameList(); }

BOOL CFrameWnd::PreCreateWindow(CREATESTRUCTA& cs) {
    if (!cs.lpszClass) {
        HICON icon = LoadIconA(AfxGetInstanceHandle(), MAKEINTRESOURCEA(m_nIDHelp ? m_nIDHelp : 128));
        cs.lpszClass = AfxRegisterWndClass(kVantorFrameClass, CS_DBLCLKS, icon, HBRUSH(COLOR_BTNFACE + 1));
    }
    cs.dwExStyle |= WS_EX_CLIENTEDGE;
    return TRUE;
}

BOOL CFrameWnd::LoadFrame(UINT resourceId, DWORD defaultStyle, CWnd* parent, CCreateContext* context) {
    m_nIDHelp = resourceId;
    HINSTANCE inst = AfxGetInstanceHandle();
    std::string strings = AfxLoadString(resourceId);
    m_strTitle = strings.substr(0, strings.find('\n'));
    m_hMenu = LoadMenuA(inst, MAKEINTRESOURCEA(resourceId));
    m_hAccelTable = LoadAcceleratorsA(inst, MAKEINTRESOURCEA(resourceId));

    CREATESTRUCTA cs{};
    cs.style = LONG(defaultStyle);
    cs.x = cs.y = cs.cx = cs.cy = CW_USEDEFAULT;
    cs.hwndParent = parent ? parent->m_hWnd : nullptr;
    cs.hMenu = m_hMenu;
    cs.lpszName = m_strTitle.c_str();
    cs.hInstance = inst;
    cs.lpCreateParams = context;
    if (!PreCreateWindow(cs)) return FALSE;
    if (!CreateFromStruct(cs)) {
        if (m_hMenu && IsMenu(m_hMenu)) DestroyMenu(m_hMenu);
        m_hMenu = nullptr;
        return FALSE;
    }
    return TRUE;
}

int CFrameWnd::OnCreate(LPCREATESTRUCTA cs) {
    if (Default() == -1) return -1;
    CCreateContext* context = static_cast<CCreateContext*>(cs->lpCreateParams);
    if (!OnCreateClient(cs, context)) return -1;
    RecalcLayout();
    return 0;
}

BOOL CFrameWnd::OnCreateClient(LPCREATESTRUCTA, CCreateContext* context) {
    if (!context || !context->m_pNewViewClass) return TRUE;
    CObject* obj = context->m_pNewViewClass->CreateObject();
    if (!obj) return FALSE;
    CWnd* view = static_cast<CWnd*>(obj);
    RECT zero = {0, 0, 0, 0};
    if (!view->Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE | WS_BORDER, zero, this, kPaneFirst, context)) {
        delete view;   // its window never existed
        return FALSE;
    }
    return TRUE;
}

void CFrameWnd::PostNcDestroy() { DeleteWhenUnwound(); }

void CFrameWnd::OnDestroy() {
    for (CControlBar* bar : m_bars) bar->m_pFrame = nullptr;
    Default();
}

void CFrameWnd::OnClose() {
    CDocument* doc = GetActiveDocument();
    if (doc && !doc->CanCloseFrame(this)) return;
    if (doc) {
        // The last frame of a document closes the document (and with it this
        // frame); otherwise only this frame goes.
        for (CView* v : doc->GetViews()) {
            if (v->GetParentFrame() != this) {
                DestroyWindow();
                return;
            }
        }
        doc->OnCloseDocument();
        return;
    }
    DestroyWindow();
}

void CFrameWnd::OnSetFocus(HWND) {
    if (m_pViewActive && m_pViewActive->m_hWnd)
        m_pViewActive->SetFocus();
    else
        Default();
}

void CFrameWnd::OnSize(UINT type, int, int) {
    Default();
    if (type != SIZE_MINIMIZED) RecalcLayout();
}

void CFrameWnd::OnActivate(UINT state, HWND, BOOL minimized) {
    Default();
    CView* view = m_pViewActive;
    if (!view) return;
    if (!minimized && (state == WA_ACTIVE || state == WA_CLICKACTIVE))
        view->OnActivateView(TRUE, view, view);
    else if (state == WA_INACTIVE)
        view->OnActivateView(FALSE, view, view);
    // The view may have gone in the handlers above only if the frame went too.
    if (m_pViewActive == view) view->OnActivateFrame(state, this);
}

void CFrameWnd::ActivateFrame(int showCommand) {
    if (showCommand == -1) {
        if (!IsWindowVisible())
            showCommand = SW_SHOWNORMAL;
        else if (IsIconic())
            showCommand = SW_RESTORE;
    }
    if (showCommand != -1) ShowWindow(showCommand);
    if (showCommand != SW_HIDE && showCommand != SW_MINIMIZE && showCommand != SW_SHOWMINNOACTIVE && m_hWnd)
        BringWindowToTop(m_hWnd);
}

void CFrameWnd::InitialUpdateFrame(CDocument* doc, BOOL makeVisible) {
    CView* view = nullptr;
    if (!m_pViewActive) {
        CWnd* w = FromHandlePermanent(GetDlgItem(int(kPaneFirst)));
        if (w && w->IsKindOf(RUNTIME_CLASS(CView))) {
            view = static_cast<CView*>(w);
            SetActiveView(view, FALSE);
        }
    }
    if (doc) {
        std::vector<CView*> views = doc->GetViews();
        for (CView* v : views)
            if (v->GetParentFrame() == this) v->OnInitialUpdate();
    }
    if (makeVisible) {
        int show = -1;
        CWinApp* app = AfxGetApp();
        if (app && app->m_pMainWnd == this && app->m_nCmdShow != -1) {
            show = app->m_nCmdShow;
            app->m_nCmdShow = -1;   // only the first show uses the start's show command
        }
        ActivateFrame(show);
        if (view) view->OnActivateView(TRUE, view, view);
    }
    if (doc) doc->UpdateFrameCounts();
    if (!doc) OnUpdateFrameTitle(TRUE);
}

void CFrameWnd::OnUpdateFrameTitle(BOOL addToTitle) {
    if (!(GetStyle() & FWS_ADDTOTITLE)) return;
    CDocument* doc = GetActiveDocument();
    if (addToTitle && doc && !doc->GetTitle().empty())
        SetWindowText((m_strTitle + " - " + doc->GetTitle()).c_str());
    else
        SetWindowText(m_strTitle.c_str());
}

void CFrameWnd::SetActiveView(CView* view, BOOL notify) {
    CView* old = m_pViewActive;
    if (view == old) return;
    m_pViewActive = view;
    if (notify && old) old->OnActivateView(FALSE, view, old);
    if (notify && view && m_pViewActive == view) view->OnActivateView(TRUE, view, old);
}

CDocument* CFrameWnd::GetActiveDocument() { return m_pViewActive ? m_pViewActive->GetDocument() : nullptr; }

void CFrameWnd::CalcWindowRect(RECT* rect) { AdjustWindowRectEx(rect, GetStyle(), FALSE, GetExStyle()); }

void CFrameWnd::RecalcLayout() {
    if (!m_hWnd) return;
    RECT client;
    GetClientRect(&client);
    int top = client.top, bottom = client.bottom;
    for (CControlBar* bar : m_bars) {
        bar->OnFrameSized();
        if (!bar->m_bVisible || !bar->m_hWnd) continue;
        int h = bar->CalcHeight();
        if (bar->GetBarStyle() & CBRS_ALIGN_BOTTOM) {
            bottom -= h;
            bar->MoveWindow(client.left, bottom, client.right - client.left, h, TRUE);
        } else {
            bar->MoveWindow(client.left, top, client.right - client.left, h, TRUE);
            top += h;
        }
    }
    HWND pane = GetDlgItem(int(kPaneFirst));
    if (pane) ::MoveWindow(pane, client.left, top, client.right - client.left, bottom > top ? bottom - top : 0, TRUE);
}

// ---------------------------------------------------------------- bars

void CFrameWnd::AddControlBar(CControlBar* bar) {
    if (std::find(m_bars.begin(), m_bars.end(), bar) == m_bars.end()) m_bars.push_back(bar);
}

void CFrameWnd::RemoveControlBar(CControlBar* bar) { m_bars.erase(std::remove(m_bars.begin(), m_bars.end(), bar), m_bars.end()); }

CControlBar* CFrameWnd::GetControlBar(UINT id) const {
    for (CControlBar* bar : m_bars)
        if (bar->GetBarId() == id) return bar;
    return nullptr;
}

void CFrameWnd::ShowControlBar(CControlBar* bar, BOOL show, BOOL) {
    if (!bar || !bar->m_hWnd) return;
    bar->m_bVisible = show ? TRUE : FALSE;
    bar->ShowWindow(show ? SW_SHOWNA : SW_HIDE);
    RecalcLayout();
}

void CFrameWnd::DockControlBar(CControlBar* bar) {
    AddControlBar(bar);
    RecalcLayout();
}

// The bar state is one subsection per bar: "<section>\Bar<n>" with the bar's
// id and whether it is shown. Bars dock at fixed places, so nothing else is kept.
void CFrameWnd::LoadBarState(const char* section) {
    CWinApp* app = AfxGetApp();
    if (!app) return;
    int count = int(app->GetProfileInt(section, "Bars", 0));
    for (int i = 0; i < count && i < 16; ++i) {
        char sub[256];
        std::snprintf(sub, sizeof(sub), "%s\\Bar%d", section, i);
        UINT id = app->GetProfileInt(sub, "BarID", 0);
        CControlBar* bar = GetControlBar(id);
        if (bar) ShowControlBar(bar, int(app->GetProfileInt(sub, "Visible", 1)) > 0, FALSE);
    }
}

void CFrameWnd::SaveBarState(const char* section) const {
    CWinApp* app = AfxGetApp();
    if (!app) return;
    app->WriteProfileInt(section, "Bars", int(m_bars.size()));
    for (size_t i = 0; i < m_bars.size(); ++i) {
        char sub[256];
        std::snprintf(sub, sizeof(sub), "%s\\Bar%d", section, int(i));
        app->WriteProfileInt(sub, "BarID", int(m_bars[i]->GetBarId()));
        app->WriteProfileInt(sub, "Visible", m_bars[i]->m_bVisible ? 1 : 0);
    }
}

void CFrameWnd::SetMessageText(const char* text) {
    for (CControlBar* bar : m_bars)
        if (bar->IsKindOf(RUNTIME_CLASS(CStatusBar))) static_cast<CStatusBar*>(bar)->SetPaneText(0, text);
}

void CFrameWnd::OnIdleUpdateCmdUI() {
    if (!m_hWnd || !IsWindowVisible()) return;
    for (CControlBar* bar : m_bars) bar->OnUpdateCmdUI(this, TRUE);
}

void CFrameWnd::UpdateAllFrameBars() {
    std::vector<CFrameWnd*> frames = frameList();
    for (CFrameWnd* f : frames) {
        auto& live = frameList();
        if (std::find(live.begin(), live.end(), f) != live.end()) f->OnIdleUpdateCmdUI();
    }
}

// ---------------------------------------------------------------- messages

BOOL CFrameWnd::PreTranslateMessage(MSG* msg) {
    if (msg->message >= WM_KEYFIRST && msg->message <= WM_KEYLAST && m_hAccelTable && m_hWnd)
        return TranslateAcceleratorA(m_hWnd, m_hAccelTable, msg);
    return FALSE;
}

BOOL CFrameWnd::OnCmdMsg(UINT nID, int nCode, void* pExtra, CmdHandlerProbe* probe) {
    // Route: the active view (and through it its document), the frame, the application.
    CView* view = m_pViewActive;
    if (view && view->OnCmdMsg(nID, nCode, pExtra, probe)) return TRUE;
    if (CWnd::OnCmdMsg(nID, nCode, pExtra, probe)) return TRUE;
    CWinApp* app = AfxGetApp();
    return app ? app->OnCmdMsg(nID, nCode, pExtra, probe) : FALSE;
}

void CFrameWnd::OnInitMenuPopup(HMENU popup, UINT, BOOL sysMenu) {
    Default();
    if (sysMenu) return;
    CWinApp* app = AfxGetApp();
    if (app && app->m_pRecentFileList) app->m_pRecentFileList->UpdateMenu(popup);
    int count = GetMenuItemCount(popup);
    for (int i = 0; i < count; ++i) {
        UINT id = GetMenuItemID(popup, i);
        if (id == 0 || id == UINT(-1)) continue;   // separators and submenus
        CCmdUI state;
        state.m_nID = id;
        state.m_nIndex = UINT(i);
        state.m_hMenu = popup;
        state.DoUpdate(this, TRUE);
    }
}

void CFrameWnd::OnMenuSelect(UINT item, UINT flags, HMENU menu) {
    if (flags == 0xFFFF && !menu) {
        SetMessageText(AfxLoadString(kIdleMessage).c_str());
        return;
    }
    if (flags & (MF_POPUP | MF_SEPARATOR)) {
        SetMessageText("");
        return;
    }
    std::string s = AfxLoadString(item);
    SetMessageText(s.substr(0, s.find('\n')).c_str());
}

BOOL CFrameWnd::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* result) {
    const NMHDR* nm = reinterpret_cast<const NMHDR*>(lParam);
    if (nm->code == TTN_GETDISPINFOA || nm->code == TTN_GETDISPINFOW) {
        // Toolbar tips: the part after the newline of the command's string.
        std::string s = AfxLoadString(UINT(nm->idFrom));
        size_t nl = s.find('\n');
        std::string tip = nl == std::string::npos ? s : s.substr(nl + 1);
        if (nm->code == TTN_GETDISPINFOA) {
            NMTTDISPINFOA* info = reinterpret_cast<NMTTDISPINFOA*>(lParam);
            lstrcpynA(info->szText, tip.c_str(), int(sizeof(info->szText)));
            info->lpszText = info->szText;
        } else {
            NMTTDISPINFOW* info = reinterpret_cast<NMTTDISPINFOW*>(lParam);
            MultiByteToWideChar(CP_ACP, 0, tip.c_str(), -1, info->szText, int(sizeof(info->szText) / sizeof(WCHAR)));
            info->lpszText = info->szText;
        }
        *result = 0;
        return TRUE;
    }
    if (nm->code == TBN_HOTITEMCHANGE) {
        // Fly-by prompts for toolbar buttons.
        const NMTBHOTITEM* hot = reinterpret_cast<const NMTBHOTITEM*>(lParam);
        if (hot->dwFlags & HICF_LEAVING) {
            SetMessageText(AfxLoadString(kIdleMessage).c_str());
        } else {
            std::string s = AfxLoadString(UINT(hot->idNew));
            SetMessageText(s.substr(0, s.find('\n')).c_str());
        }
        *result = 0;
        return TRUE;
    }
    return CWnd::OnNotify(wParam, lParam, result);
}

void CFrameWnd::OnHelpFinder() {
    if (AfxGetApp()) AfxGetApp()->HtmlHelp(0, 0x0000 /* HH_DISPLAY_TOPIC */);
}

void CFrameWnd::OnHelp() {
    if (AfxGetApp()) AfxGetApp()->HtmlHelp(0, 0x0000 /* HH_DISPLAY_TOPIC */);
}

void CFrameWnd::OnContextHelp() { OnHelp(); }

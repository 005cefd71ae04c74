#include "framework/wnd.h"

#include <unordered_map>

#include "framework/frame.h"
#include "framework/winapp.h"

const char* const kVantorWndClass = "VantorWnd";
const char* const kVantorViewClass = "VantorView";
const char* const kVantorFrameClass = "VantorFrame";

namespace {

std::unordered_map<HWND, CWnd*>& handleMap() {
    static std::unordered_map<HWND, CWnd*> map;
    return map;
}

// The object whose window CreateWindowEx is creating right now; it is bound to
// the first message that arrives for the new window.
CWnd* g_creating = nullptr;

struct CurrentMessage {
    HWND hwnd;
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
};
const CurrentMessage* g_current = nullptr;

}  // namespace

CWnd* AfxSetCreatingWindow(CWnd* wnd) {
    CWnd* old = g_creating;
    g_creating = wnd;
    return old;
}

void AfxMapWindow(HWND hwnd, CWnd* wnd) {
    handleMap()[hwnd] = wnd;
    wnd->m_hWnd = hwnd;
}

void AfxUnmapWindow(HWND hwnd) { handleMap().erase(hwnd); }

HINSTANCE AfxGetInstanceHandle() { return GetModuleHandleA(nullptr); }

const char* AfxRegisterWndClass(const char* name, UINT style, HICON icon, HBRUSH background) {
    WNDCLASSA existing;
    if (GetClassInfoA(AfxGetInstanceHandle(), name, &existing)) return name;
    WNDCLASSA wc{};
    wc.style = style;
    wc.lpfnWndProc = AfxWndProc;
    wc.hInstance = AfxGetInstanceHandle();
    wc.hIcon = icon;
    wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
    wc.hbrBackground = background;
    wc.lpszClassName = name;
    RegisterClassA(&wc);
    return name;
}

LRESULT CALLBACK AfxWndProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    auto& map = handleMap();
    auto it = map.find(hwnd);
    CWnd* wnd = nullptr;
    if (it != map.end()) {
        wnd = it->second;
    } else if (g_creating) {
        wnd = g_creating;
        g_creating = nullptr;
        wnd->m_hWnd = hwnd;
        map[hwnd] = wnd;
    } else {
        return DefWindowProcA(hwnd, message, wParam, lParam);
    }
    CurrentMessage current{hwnd, message, wParam, lParam};
    const CurrentMessage* saved = g_current;
    g_current = &current;
    ++wnd->m_nDispatchDepth;
    LRESULT result = wnd->WindowProc(message, wParam, lParam);
    if (message == WM_NCDESTROY) wnd->HandleNcDestroy();
    g_current = saved;
    if (--wnd->m_nDispatchDepth == 0 && wnd->m_bDeletePending) delete wnd;
    return result;
}

IMPLEMENT_DYNAMIC(CWnd, CCmdTarget)

BEGIN_MESSAGE_MAP(CWnd, CCmdTarget)
END_MESSAGE_MAP()

CWnd::CWnd() = default;

CWnd::~CWnd() {
    if (m_hWnd) {
        auto& map = handleMap();
        auto it = map.find(m_hWnd);
        if (it != map.end() && it->second == this) map.erase(it);
        m_hWnd = nullptr;
    }
    if (g_creating == this) g_creating = nullptr;
}

CWnd* CWnd::FromHandlePermanent(HWND hwnd) {
    auto& map = handleMap();
    auto it = map.find(hwnd);
    return it == map.end() ? nullptr : it->second;
}

BOOL CWnd::PreCreateWindow(CREATESTRUCTA& cs) {
    if (!cs.lpszClass)
        cs.lpszClass = AfxRegisterWndClass(kVantorWndClass, CS_DBLCLKS, nullptr, HBRUSH(COLOR_WINDOW + 1));
    return TRUE;
}

BOOL CWnd::CreateEx(DWORD exStyle, const char* className, const char* windowName, DWORD style, const RECT& rect,
                    CWnd* parent, UINT id, void* param) {
    CREATESTRUCTA cs{};
    cs.dwExStyle = exStyle;
    cs.lpszClass = className;
    cs.lpszName = windowName;
    cs.style = LONG(style);
    cs.x = rect.left;
    cs.y = rect.top;
    cs.cx = rect.right - rect.left;
    cs.cy = rect.bottom - rect.top;
    cs.hwndParent = parent ? parent->m_hWnd : nullptr;
    cs.hMenu = (style & WS_CHILD) ? reinterpret_cast<HMENU>(UINT_PTR(id)) : nullptr;
    cs.hInstance = AfxGetInstanceHandle();
    cs.lpCreateParams = param;
    if (!PreCreateWindow(cs)) return FALSE;
    return CreateFromStruct(cs);
}

BOOL CWnd::CreateFromStruct(const CREATESTRUCTA& cs) {
    // A window that fails in WM_CREATE is destroyed before CreateWindowEx
    // returns; its object stays alive for the caller, who still owns it.
    CWnd* saved = g_creating;
    g_creating = this;
    ++m_nDispatchDepth;
    HWND hwnd = CreateWindowExA(cs.dwExStyle, cs.lpszClass, cs.lpszName, DWORD(cs.style), cs.x, cs.y, cs.cx, cs.cy,
                                cs.hwndParent, cs.hMenu, cs.hInstance, cs.lpCreateParams);
    --m_nDispatchDepth;
    g_creating = saved;
    if (!hwnd) {
        m_bDeletePending = false;
        if (m_hWnd) {
            handleMap().erase(m_hWnd);
            m_hWnd = nullptr;
        }
        return FALSE;
    }
    return TRUE;
}

BOOL CWnd::Create(const char* className, const char* windowName, DWORD style, const RECT& rect, CWnd* parent,
                  UINT id, CCreateContext* context) {
    return CreateEx(0, className, windowName, style | WS_CHILD, rect, parent, id, context);
}

BOOL CWnd::DestroyWindow() {
    if (!m_hWnd) return FALSE;
    return ::DestroyWindow(m_hWnd);
}

LRESULT CWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    LRESULT result = 0;
    if (!OnWndMsg(message, wParam, lParam, &result)) result = DefWindowProc(message, wParam, lParam);
    return result;
}

BOOL CWnd::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) {
    if (message == WM_COMMAND) {
        if (!OnCommand(wParam, lParam)) return FALSE;
        *result = 0;
        return TRUE;
    }
    if (message == WM_NOTIFY) return OnNotify(wParam, lParam, result);
    const MsgMapEntry* e = FindMessageEntry(message, 0, 0);
    if (!e) return FALSE;
    MsgCall call{message, wParam, lParam, 0, nullptr, 0};
    e->thunk(this, call);
    *result = call.result;
    return TRUE;
}

BOOL CWnd::OnCommand(WPARAM wParam, LPARAM lParam) {
    UINT id = LOWORD(wParam);
    int code = HIWORD(wParam);
    if (lParam == 0) {
        // Menu item or accelerator: a command its update handler has disabled
        // in the meantime is not carried out.
        code = CN_COMMAND;
        CCmdUI state;
        state.m_nID = id;
        OnCmdMsg(id, CN_UPDATE_COMMAND_UI, &state, nullptr);
        if (!state.m_bEnabled) return TRUE;
    }
    return OnCmdMsg(id, code, nullptr, nullptr);
}

BOOL CWnd::OnNotify(WPARAM, LPARAM lParam, LRESULT* result) {
    const NMHDR* nm = reinterpret_cast<const NMHDR*>(lParam);
    const MsgMapEntry* e = FindMessageEntry(WM_NOTIFY, nm->code, UINT(nm->idFrom));
    if (!e) return FALSE;
    MsgCall call{WM_NOTIFY, 0, lParam, UINT(nm->idFrom), nullptr, 0};
    e->thunk(this, call);
    *result = call.result;
    return TRUE;
}

BOOL CWnd::PreTranslateMessage(MSG*) { return FALSE; }

LRESULT CWnd::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (!m_hWnd) return 0;
    if (m_pfnSuper) return CallWindowProcA(m_pfnSuper, m_hWnd, message, wParam, lParam);
    return ::DefWindowProcA(m_hWnd, message, wParam, lParam);
}

LRESULT CWnd::Default() {
    if (!g_current || g_current->hwnd != m_hWnd) return 0;
    return DefWindowProc(g_current->message, g_current->wParam, g_current->lParam);
}

void CWnd::PostNcDestroy() {}

void CWnd::DeleteWhenUnwound() {
    if (m_nDispatchDepth > 0)
        m_bDeletePending = true;
    else
        delete this;
}

void CWnd::HandleNcDestroy() {
    CWinApp* app = AfxGetApp();
    if (app && app->m_pMainWnd == this) {
        app->m_pMainWnd = nullptr;
        PostQuitMessage(0);
    }
    handleMap().erase(m_hWnd);
    m_hWnd = nullptr;
    PostNcDestroy();
}

DWORD CWnd::GetStyle() const { return m_hWnd ? DWORD(GetWindowLongA(m_hWnd, GWL_STYLE)) : 0; }
DWORD CWnd::GetExStyle() const { return m_hWnd ? DWORD(GetWindowLongA(m_hWnd, GWL_EXSTYLE)) : 0; }
BOOL CWnd::ShowWindow(int cmd) { return m_hWnd ? ::ShowWindow(m_hWnd, cmd) : FALSE; }

void CWnd::MoveWindow(int x, int y, int w, int h, BOOL repaint) {
    if (m_hWnd) ::MoveWindow(m_hWnd, x, y, w, h, repaint);
}

BOOL CWnd::SetWindowPos(HWND after, int x, int y, int cx, int cy, UINT flags) {
    return m_hWnd ? ::SetWindowPos(m_hWnd, after, x, y, cx, cy, flags) : FALSE;
}

void CWnd::GetWindowRect(RECT* r) const {
    if (m_hWnd)
        ::GetWindowRect(m_hWnd, r);
    else
        SetRectEmpty(r);
}

void CWnd::GetClientRect(RECT* r) const {
    if (m_hWnd)
        ::GetClientRect(m_hWnd, r);
    else
        SetRectEmpty(r);
}

void CWnd::ScreenToClient(RECT* r) const {
    if (!m_hWnd) return;
    ::ScreenToClient(m_hWnd, reinterpret_cast<POINT*>(&r->left));
    ::ScreenToClient(m_hWnd, reinterpret_cast<POINT*>(&r->right));
}

void CWnd::ScreenToClient(POINT* p) const {
    if (m_hWnd) ::ScreenToClient(m_hWnd, p);
}

void CWnd::ClientToScreen(POINT* p) const {
    if (m_hWnd) ::ClientToScreen(m_hWnd, p);
}

void CWnd::Invalidate(BOOL erase) {
    if (m_hWnd) ::InvalidateRect(m_hWnd, nullptr, erase);
}

void CWnd::InvalidateRect(const RECT* r, BOOL erase) {
    if (m_hWnd) ::InvalidateRect(m_hWnd, r, erase);
}

void CWnd::UpdateWindow() {
    if (m_hWnd) ::UpdateWindow(m_hWnd);
}

void CWnd::SetWindowText(const char* text) {
    if (!m_hWnd) return;
    // Setting an equal title would still repaint the caption; skip it.
    if (GetWindowText() != text) ::SetWindowTextA(m_hWnd, text);
}

std::string CWnd::GetWindowText() const {
    if (!m_hWnd) return std::string();
    int n = ::GetWindowTextLengthA(m_hWnd);
    std::string s(size_t(n) + 1, '\0');
    n = ::GetWindowTextA(m_hWnd, &s[0], n + 1);
    s.resize(size_t(n > 0 ? n : 0));
    return s;
}

int CWnd::GetDlgCtrlID() const { return m_hWnd ? ::GetDlgCtrlID(m_hWnd) : 0; }

int CWnd::SetDlgCtrlID(int id) {
    return m_hWnd ? int(SetWindowLongPtrA(m_hWnd, GWLP_ID, LONG_PTR(id))) : 0;
}

CWnd* CWnd::GetParent() const { return m_hWnd ? FromHandlePermanent(::GetParent(m_hWnd)) : nullptr; }
HWND CWnd::GetDlgItem(int id) const { return m_hWnd ? ::GetDlgItem(m_hWnd, id) : nullptr; }
UINT_PTR CWnd::SetTimer(UINT_PTR id, UINT elapse) { return m_hWnd ? ::SetTimer(m_hWnd, id, elapse, nullptr) : 0; }
BOOL CWnd::KillTimer(UINT_PTR id) { return m_hWnd ? ::KillTimer(m_hWnd, id) : FALSE; }
HWND CWnd::SetFocus() { return m_hWnd ? ::SetFocus(m_hWnd) : nullptr; }
BOOL CWnd::IsWindowVisible() const { return m_hWnd ? ::IsWindowVisible(m_hWnd) : FALSE; }
BOOL CWnd::IsIconic() const { return m_hWnd ? ::IsIconic(m_hWnd) : FALSE; }
BOOL CWnd::IsWindowEnabled() const { return m_hWnd ? ::IsWindowEnabled(m_hWnd) : FALSE; }
BOOL CWnd::EnableWindow(BOOL enable) { return m_hWnd ? ::EnableWindow(m_hWnd, enable) : FALSE; }

LRESULT CWnd::SendMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    return m_hWnd ? ::SendMessageA(m_hWnd, message, wParam, lParam) : 0;
}

BOOL CWnd::PostMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    return m_hWnd ? ::PostMessageA(m_hWnd, message, wParam, lParam) : FALSE;
}

int CWnd::MessageBox(const char* text, const char* caption, UINT type) {
    return AfxShowMessageBox(m_hWnd, text, caption ? caption : AfxGetAppTitle(), type);
}

BOOL CWnd::SetForegroundWindow() { return m_hWnd ? ::SetForegroundWindow(m_hWnd) : FALSE; }
HWND CWnd::SetActiveWindow() { return m_hWnd ? ::SetActiveWindow(m_hWnd) : nullptr; }

CFrameWnd* CWnd::GetParentFrame() const {
    if (!m_hWnd) return nullptr;
    for (HWND h = ::GetParent(m_hWnd); h; h = ::GetParent(h)) {
        CWnd* w = FromHandlePermanent(h);
        if (w && w->IsKindOf(RUNTIME_CLASS(CFrameWnd))) return static_cast<CFrameWnd*>(w);
    }
    return nullptr;
}

HWND CWnd::GetTopLevelParent() const {
    if (!m_hWnd) return nullptr;
    HWND h = m_hWnd;
    while ((GetWindowLongA(h, GWL_STYLE) & WS_CHILD) && ::GetParent(h)) h = ::GetParent(h);
    return h;
}

BOOL CWnd::GetWindowPlacement(WINDOWPLACEMENT* wp) const {
    wp->length = sizeof(*wp);
    return m_hWnd ? ::GetWindowPlacement(m_hWnd, wp) : FALSE;
}

CPaintDC::CPaintDC(CWnd* wnd) : m_hWnd(wnd->m_hWnd) { m_hDC = BeginPaint(m_hWnd, &m_ps); }
CPaintDC::~CPaintDC() { EndPaint(m_hWnd, &m_ps); }
CClientDC::CClientDC(CWnd* wnd) : m_hWnd(wnd->m_hWnd) { m_hDC = GetDC(m_hWnd); }
CClientDC::~CClientDC() { ReleaseDC(m_hWnd, m_hDC); }

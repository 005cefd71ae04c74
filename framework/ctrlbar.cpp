#include "framework/ctrlbar.h"

#include <commctrl.h>

#include "framework/frame.h"
#include "framework/winapp.h"

IMPLEMENT_DYNAMIC(CControlBar, CWnd)
IMPLEMENT_DYNAMIC(CToolBar, CControlBar)
IMPLEMENT_DYNAMIC(CStatusBar, CControlBar)

void CControlBar::OnUpdateCmdUI(CFrameWnd*, BOOL) {}

int CControlBar::CalcHeight() {
    if (!m_hWnd || !m_bVisible) return 0;
    RECT r;
    GetWindowRect(&r);
    return r.bottom - r.top;
}

// ---------------------------------------------------------------- toolbar

BOOL CToolBar::CreateEx(CWnd* parent, DWORD ctrlStyle, DWORD style, const RECT&, UINT id) {
    m_nBarId = id;
    m_dwBarStyle = style;
    DWORD ws = WS_CHILD | CCS_TOP | CCS_NODIVIDER | (style & WS_VISIBLE) | ctrlStyle;
    if (style & CBRS_TOOLTIPS) ws |= TBSTYLE_TOOLTIPS;
    HWND h = CreateWindowExA(0, TOOLBARCLASSNAMEA, nullptr, ws, 0, 0, 0, 0, parent->m_hWnd,
                             reinterpret_cast<HMENU>(UINT_PTR(id)), AfxGetInstanceHandle(), nullptr);
    if (!h) return FALSE;
    AttachControl(h);
    m_bVisible = (style & WS_VISIBLE) != 0;
    ::SendMessageA(h, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
    if (parent->IsKindOf(RUNTIME_CLASS(CFrameWnd))) {
        m_pFrame = static_cast<CFrameWnd*>(parent);
        m_pFrame->AddControlBar(this);
    }
    return TRUE;
}

CToolBar::~CToolBar() {
    if (m_hImageList) ImageList_Destroy(m_hImageList);
}

UINT CToolBar::GetItemID(int index) const {
    return (index >= 0 && index < int(m_buttons.size())) ? m_buttons[size_t(index)] : 0;
}

BOOL CToolBar::LoadToolBar(UINT resourceId) {
    // Resource layout as the resource compiler writes it: button width,
    // height and count, then one id per button (0 = separator), all DWORDs.
    HINSTANCE inst = AfxGetInstanceHandle();
    HRSRC res = FindResourceA(inst, MAKEINTRESOURCEA(resourceId), MAKEINTRESOURCEA(241));
    if (!res) return FALSE;
    HGLOBAL mem = LoadResource(inst, res);
    const DWORD* data = mem ? static_cast<const DWORD*>(LockResource(mem)) : nullptr;
    DWORD bytes = SizeofResource(inst, res);
    if (!data || bytes < 12) return FALSE;
    const int width = int(data[0]), height = int(data[1]);
    const DWORD count = data[2];
    if (count > 256 || bytes < 12 + 4 * count) return FALSE;
    m_buttons.assign(data + 3, data + 3 + count);

    // The strip's light grey is the transparent colour; an image list with a
    // mask lets the toolbar draw greyed buttons from the same images.
    HBITMAP bmp = static_cast<HBITMAP>(
        LoadImageA(inst, MAKEINTRESOURCEA(resourceId), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
    if (!bmp) return FALSE;
    int images = 0;
    for (UINT id : m_buttons)
        if (id) ++images;
    HIMAGELIST list = ImageList_Create(width, height, ILC_COLOR24 | ILC_MASK, images, 0);
    if (!list) {
        DeleteObject(bmp);
        return FALSE;
    }
    ImageList_AddMasked(list, bmp, RGB(192, 192, 192));
    DeleteObject(bmp);
    ::SendMessageA(m_hWnd, TB_SETBITMAPSIZE, 0, MAKELPARAM(width, height));
    HIMAGELIST old = reinterpret_cast<HIMAGELIST>(::SendMessageA(m_hWnd, TB_SETIMAGELIST, 0, LPARAM(list)));
    if (old) ImageList_Destroy(old);
    m_hImageList = list;

    std::vector<TBBUTTON> buttons;
    int image = 0;
    for (UINT id : m_buttons) {
        TBBUTTON b{};
        if (id) {
            b.iBitmap = image++;
            b.idCommand = int(id);
            b.fsState = TBSTATE_ENABLED;
            b.fsStyle = BTNS_BUTTON;
        } else {
            b.iBitmap = 6;
            b.fsStyle = BTNS_SEP;
        }
        buttons.push_back(b);
    }
    ::SendMessageA(m_hWnd, TB_ADDBUTTONSA, WPARAM(buttons.size()), LPARAM(buttons.data()));
    ::SendMessageA(m_hWnd, TB_AUTOSIZE, 0, 0);
    return TRUE;
}

void CToolBar::OnUpdateCmdUI(CFrameWnd* target, BOOL disableIfNoHandler) {
    if (!m_hWnd) return;
    for (size_t i = 0; i < m_buttons.size(); ++i) {
        UINT id = m_buttons[i];
        if (!id) continue;
        CCmdUI state;
        state.m_nID = id;
        state.m_nIndex = UINT(i);
        state.m_pToolBar = this;
        state.DoUpdate(target, disableIfNoHandler);
        LRESULT s = ::SendMessageA(m_hWnd, TB_GETSTATE, id, 0);
        if (s < 0) continue;
        BYTE want = BYTE(s);
        want = state.m_bEnabled ? BYTE(want | TBSTATE_ENABLED) : BYTE(want & ~TBSTATE_ENABLED);
        want = state.m_nCheck ? BYTE(want | TBSTATE_CHECKED) : BYTE(want & ~TBSTATE_CHECKED);
        if (want != BYTE(s)) ::SendMessageA(m_hWnd, TB_SETSTATE, id, MAKELPARAM(want, 0));
    }
}

int CToolBar::CalcHeight() {
    if (!m_hWnd || !m_bVisible) return 0;
    ::SendMessageA(m_hWnd, TB_AUTOSIZE, 0, 0);
    return CControlBar::CalcHeight();
}

void CToolBar::OnFrameSized() {
    if (m_hWnd) ::SendMessageA(m_hWnd, TB_AUTOSIZE, 0, 0);
}

// ---------------------------------------------------------------- status bar

BOOL CStatusBar::Create(CWnd* parent, DWORD style, UINT id) {
    m_nBarId = id;
    m_dwBarStyle = style;
    DWORD ws = WS_CHILD | (style & WS_VISIBLE) | CCS_BOTTOM;
    HWND h = CreateWindowExA(0, STATUSCLASSNAMEA, nullptr, ws, 0, 0, 0, 0, parent->m_hWnd,
                             reinterpret_cast<HMENU>(UINT_PTR(id)), AfxGetInstanceHandle(), nullptr);
    if (!h) return FALSE;
    AttachControl(h);
    m_bVisible = (style & WS_VISIBLE) != 0;
    if (parent->IsKindOf(RUNTIME_CLASS(CFrameWnd))) {
        m_pFrame = static_cast<CFrameWnd*>(parent);
        m_pFrame->AddControlBar(this);
    }
    return TRUE;
}

BOOL CStatusBar::SetIndicators(const UINT* ids, int count) {
    if (!m_hWnd) return FALSE;
    m_panes.clear();
    HDC dc = GetDC(m_hWnd);
    HFONT font = reinterpret_cast<HFONT>(::SendMessageA(m_hWnd, WM_GETFONT, 0, 0));
    HGDIOBJ old = font ? SelectObject(dc, font) : nullptr;
    for (int i = 0; i < count; ++i) {
        Pane p{ids[i], SBPS_NORMAL, 0, std::string()};
        if (ids[i]) {
            p.text = AfxLoadString(ids[i]);
            SIZE sz{};
            GetTextExtentPoint32A(dc, p.text.c_str(), int(p.text.size()), &sz);
            p.width = sz.cx;
        }
        m_panes.push_back(p);
    }
    if (old) SelectObject(dc, old);
    ReleaseDC(m_hWnd, dc);
    ApplyParts();
    for (int i = 0; i < count; ++i) SetPaneText(i, m_panes[size_t(i)].text.c_str());
    return TRUE;
}

void CStatusBar::SetPaneInfo(int index, UINT id, UINT style, int width) {
    if (index < 0 || index >= int(m_panes.size())) return;
    Pane& p = m_panes[size_t(index)];
    p.id = id;
    p.style = style;
    p.width = width;
    ApplyParts();
    SetPaneText(index, p.text.c_str());
}

void CStatusBar::ApplyParts() {
    if (!m_hWnd || m_panes.empty()) return;
    RECT client;
    ::GetClientRect(m_hWnd, &client);
    const int gap = 8;   // borders and a little air around each pane's text
    int fixed = 0;
    for (const Pane& p : m_panes)
        if (!(p.style & SBPS_STRETCH)) fixed += p.width + gap;
    int stretch = client.right - fixed - 20;   // leave the size grip free
    std::vector<int> rights;
    int x = 0;
    for (const Pane& p : m_panes) {
        int w = (p.style & SBPS_STRETCH) ? (stretch > p.width ? stretch : p.width) : p.width + gap;
        x += w;
        rights.push_back(x);
    }
    rights.back() = -1;
    ::SendMessageA(m_hWnd, SB_SETPARTS, WPARAM(rights.size()), LPARAM(rights.data()));
}

void CStatusBar::SetPaneText(int index, const char* text) {
    if (index < 0 || index >= int(m_panes.size())) return;
    Pane& p = m_panes[size_t(index)];
    p.text = text ? text : "";
    if (!m_hWnd) return;
    WPARAM flags = WPARAM(index);
    if (p.style & SBPS_NOBORDERS) flags |= SBT_NOBORDERS;
    if (p.style & SBPS_POPOUT) flags |= SBT_POPOUT;
    ::SendMessageA(m_hWnd, SB_SETTEXTA, flags, LPARAM(p.text.c_str()));
}

std::string CStatusBar::GetPaneText(int index) const {
    return (index >= 0 && index < int(m_panes.size())) ? m_panes[size_t(index)].text : std::string();
}

int CStatusBar::CalcHeight() {
    if (!m_hWnd || !m_bVisible) return 0;
    ::SendMessageA(m_hWnd, WM_SIZE, 0, 0);
    return CControlBar::CalcHeight();
}

void CStatusBar::OnFrameSized() {
    if (!m_hWnd) return;
    ::SendMessageA(m_hWnd, WM_SIZE, 0, 0);
    ApplyParts();
}

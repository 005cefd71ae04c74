#include "framework/dialog.h"

#include "framework/winapp.h"

IMPLEMENT_DYNAMIC(CDialog, CWnd)

BEGIN_MESSAGE_MAP(CDialog, CWnd)
    ON_COMMAND(IDOK, OnOK)
    ON_COMMAND(IDCANCEL, OnCancel)
END_MESSAGE_MAP()

CDialog::CDialog(UINT templateId, CWnd* parent) : m_nIDTemplate(templateId), m_pParentWnd(parent) {}
CDialog::CDialog(const char* templateName, CWnd* parent) : m_lpszTemplateName(templateName), m_pParentWnd(parent) {}

INT_PTR CDialog::DoModal() {
    HWND owner = m_pParentWnd ? m_pParentWnd->m_hWnd : nullptr;
    if (!owner) {
        owner = GetActiveWindow();
        CWinApp* app = AfxGetApp();
        if (!owner && app && app->m_pMainWnd) owner = app->m_pMainWnd->m_hWnd;
    }
    const char* name = m_lpszTemplateName ? m_lpszTemplateName : MAKEINTRESOURCEA(m_nIDTemplate);
    AfxModalScope modal;
    INT_PTR result = DialogBoxParamA(AfxGetInstanceHandle(), name, owner, DialogProc, LPARAM(this));
    m_hWnd = nullptr;
    return result;
}

INT_PTR CALLBACK CDialog::DialogProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_INITDIALOG) {
        CDialog* dlg = reinterpret_cast<CDialog*>(lParam);
        AfxMapWindow(hwnd, dlg);
        ++dlg->m_nDispatchDepth;
        BOOL focus = dlg->OnInitDialog();
        --dlg->m_nDispatchDepth;
        return focus;
    }
    CDialog* dlg = static_cast<CDialog*>(FromHandlePermanent(hwnd));
    if (!dlg) return FALSE;
    LRESULT result = 0;
    ++dlg->m_nDispatchDepth;
    BOOL handled = dlg->OnWndMsg(message, wParam, lParam, &result);
    if (message == WM_NCDESTROY) {
        AfxUnmapWindow(hwnd);
        dlg->m_hWnd = nullptr;
    }
    --dlg->m_nDispatchDepth;
    if (!handled) return FALSE;
    switch (message) {
    case WM_CTLCOLORMSGBOX:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORDLG:
    case WM_CTLCOLORSCROLLBAR:
    case WM_CTLCOLORSTATIC:
    case WM_COMPAREITEM:
    case WM_VKEYTOITEM:
    case WM_CHARTOITEM:
    case WM_QUERYDRAGICON:
        return INT_PTR(result);
    default:
        SetWindowLongPtrA(hwnd, DWLP_MSGRESULT, LONG_PTR(result));
        return TRUE;
    }
}

// The dialog manager does the default processing after DialogProc returns FALSE.
LRESULT CDialog::DefWindowProc(UINT, WPARAM, LPARAM) { return 0; }

BOOL CDialog::OnInitDialog() { return TRUE; }
void CDialog::OnOK() { EndDialog(IDOK); }
void CDialog::OnCancel() { EndDialog(IDCANCEL); }

void CDialog::EndDialog(int result) {
    if (m_hWnd) ::EndDialog(m_hWnd, result);
}

std::string CDialog::GetDlgItemText(int id) const {
    HWND item = GetDlgItem(id);
    if (!item) return std::string();
    int n = ::GetWindowTextLengthA(item);
    std::string s(size_t(n) + 1, '\0');
    n = ::GetWindowTextA(item, &s[0], n + 1);
    s.resize(size_t(n > 0 ? n : 0));
    return s;
}

void CDialog::SetDlgItemText(int id, const char* text) {
    if (m_hWnd) ::SetDlgItemTextA(m_hWnd, id, text);
}

LRESULT CDialog::SendDlgItemMessage(int id, UINT message, WPARAM wParam, LPARAM lParam) {
    return m_hWnd ? ::SendDlgItemMessageA(m_hWnd, id, message, wParam, lParam) : 0;
}

// ---------------------------------------------------------------- file dialog

namespace {
CFileDialog::Hook g_fileDialogHook = nullptr;
}

CFileDialog::Hook CFileDialog::SetHook(Hook hook) {
    Hook old = g_fileDialogHook;
    g_fileDialogHook = hook;
    return old;
}

CFileDialog::CFileDialog(BOOL openFileDialog, const char* defaultExt, const char* fileName, DWORD flags,
                         const char* filter, CWnd* parent)
    : m_bOpen(openFileDialog), m_defExt(defaultExt ? defaultExt : "") {
    if (filter) {
        m_filter = filter;
        for (char& c : m_filter)
            if (c == '|') c = '\0';
    }
    if (fileName) lstrcpynA(m_buffer, fileName, int(sizeof(m_buffer)));
    m_ofn.lStructSize = sizeof(m_ofn);
    m_ofn.hwndOwner = parent ? parent->m_hWnd : nullptr;
    m_ofn.lpstrFile = m_buffer;
    m_ofn.nMaxFile = DWORD(sizeof(m_buffer));
    m_ofn.Flags = flags | OFN_EXPLORER | OFN_ENABLESIZING | OFN_NOCHANGEDIR;
}

INT_PTR CFileDialog::DoModal() {
    if (g_fileDialogHook) {
        AfxModalScope modal;
        std::string path;
        INT_PTR r = g_fileDialogHook(*this, path);
        if (r == IDOK) m_path = path;
        return r;
    }
    m_ofn.lpstrFilter = m_filter.empty() ? nullptr : m_filter.c_str();
    m_ofn.lpstrDefExt = m_defExt.empty() ? nullptr : m_defExt.c_str();
    if (!m_ofn.hwndOwner) {
        CWinApp* app = AfxGetApp();
        m_ofn.hwndOwner = GetActiveWindow();
        if (!m_ofn.hwndOwner && app && app->m_pMainWnd) m_ofn.hwndOwner = app->m_pMainWnd->m_hWnd;
    }
    AfxModalScope modal;
    BOOL ok = m_bOpen ? GetOpenFileNameA(&m_ofn) : GetSaveFileNameA(&m_ofn);
    if (!ok) return IDCANCEL;
    m_path = m_buffer;
    return IDOK;
}

// ---------------------------------------------------------------- scroll bar

BOOL CScrollBar::Create(DWORD style, const RECT& rect, CWnd* parent, UINT id) {
    HWND h = CreateWindowExA(0, "SCROLLBAR", nullptr, style | WS_CHILD, rect.left, rect.top, rect.right - rect.left,
                             rect.bottom - rect.top, parent ? parent->m_hWnd : nullptr,
                             reinterpret_cast<HMENU>(UINT_PTR(id)), AfxGetInstanceHandle(), nullptr);
    if (!h) return FALSE;
    AttachControl(h);
    return TRUE;
}

BOOL CScrollBar::SetScrollInfo(SCROLLINFO* info, BOOL redraw) {
    if (!m_hWnd) return FALSE;
    info->cbSize = sizeof(*info);
    ::SetScrollInfo(m_hWnd, SB_CTL, info, redraw);
    return TRUE;
}

BOOL CScrollBar::GetScrollInfo(SCROLLINFO* info, UINT mask) const {
    if (!m_hWnd) return FALSE;
    info->cbSize = sizeof(*info);
    info->fMask = mask;
    return ::GetScrollInfo(m_hWnd, SB_CTL, info);
}

int CScrollBar::GetScrollPos() const { return m_hWnd ? ::GetScrollPos(m_hWnd, SB_CTL) : 0; }
int CScrollBar::SetScrollPos(int pos, BOOL redraw) { return m_hWnd ? ::SetScrollPos(m_hWnd, SB_CTL, pos, redraw) : 0; }

void CScrollBar::ShowScrollBar(BOOL show) {
    if (m_hWnd) ::ShowScrollBar(m_hWnd, SB_CTL, show);
}

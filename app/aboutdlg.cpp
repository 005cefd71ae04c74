#include "app/aboutdlg.h"

#include <shellapi.h>

#include "app/vantorapp.h"
#include "dialogs_res.h"

namespace {
CAboutDlg::ShellExecuteHook g_shellExecuteHook = nullptr;
}

const char* const CAboutDlg::kWebAddress = "https://www.tesmer.example";

BEGIN_MESSAGE_MAP(CAboutDlg, CDialog)
    ON_WM_CTLCOLOR()
    ON_WM_SETCURSOR()
    ON_STN_CLICKED(IDC_WEB_LINK, OnWebLink)
END_MESSAGE_MAP()

CAboutDlg::ShellExecuteHook CAboutDlg::SetShellExecuteHook(ShellExecuteHook hook) {
    ShellExecuteHook old = g_shellExecuteHook;
    g_shellExecuteHook = hook;
    return old;
}

CAboutDlg::CAboutDlg(CWnd* parent) : CDialog(IDD_ABOUTBOX, parent) {}

CAboutDlg::~CAboutDlg() { ReleaseLinkFont(); }

void CAboutDlg::ReleaseLinkFont() {
    if (m_linkFont) DeleteObject(m_linkFont);
    m_linkFont = nullptr;
}

INT_PTR CAboutDlg::DoModal() {
    INT_PTR result = CDialog::DoModal();
    // The link's window is gone with the dialog, so nothing holds the font.
    ReleaseLinkFont();
    return result;
}

BOOL CAboutDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    // Set in WM_SETCURSOR rather than on the static class: the class is
    // shared by every static of the process.
    m_linkCursor = LoadCursor(nullptr, IDC_HAND);
    return TRUE;
}

HBRUSH CAboutDlg::OnCtlColor(HDC dc, HWND control, UINT type) {
    if (type != CTLCOLOR_STATIC || !control || control != GetDlgItem(IDC_WEB_LINK))
        return HBRUSH(::DefWindowProcA(m_hWnd, WM_CTLCOLORMSGBOX + type, WPARAM(dc), LPARAM(control)));
    if (!m_linkFont) {
        LOGFONTA font{};
        font.lfHeight = 8;
        font.lfWeight = FW_NORMAL;
        font.lfUnderline = TRUE;
        lstrcpynA(font.lfFaceName, "MS Sans Serif", LF_FACESIZE);
        m_linkFont = CreateFontIndirectA(&font);
        // Some static controls select their own font only after asking for
        // colours, which would undo the selection below: the link keeps the
        // font as its own as well.
        if (m_linkFont) ::SendMessageA(control, WM_SETFONT, WPARAM(m_linkFont), FALSE);
    }
    SetTextColor(dc, RGB(0, 0, 255));
    SetBkMode(dc, TRANSPARENT);
    if (m_linkFont) SelectObject(dc, m_linkFont);
    // No fill: the link is drawn straight on the dialog's background.
    return HBRUSH(GetStockObject(NULL_BRUSH));
}

BOOL CAboutDlg::OnSetCursor(HWND window, UINT hitTest, UINT message) {
    if (window && window == GetDlgItem(IDC_WEB_LINK)) {
        if (!m_linkCursor) m_linkCursor = LoadCursor(nullptr, IDC_HAND);
        SetCursor(m_linkCursor);
        return TRUE;
    }
    // What the dialog manager would do had we not looked at the message.
    return BOOL(::DefWindowProcA(m_hWnd, WM_SETCURSOR, WPARAM(window), MAKELPARAM(hitTest, message)));
}

void CAboutDlg::OnWebLink() {
    if (g_shellExecuteHook)
        g_shellExecuteHook(nullptr, nullptr, kWebAddress, nullptr, nullptr, SW_SHOWDEFAULT);
    else
        ShellExecuteA(nullptr, nullptr, kWebAddress, nullptr, nullptr, SW_SHOWDEFAULT);
}

void CVantorApp::OnAppAbout() {
    CAboutDlg dlg;
    dlg.DoModal();
}

// The About box, with the company's web address as a link.
#pragma once
#include "framework/dialog.h"

class CAboutDlg : public CDialog {
public:
    explicit CAboutDlg(CWnd* parent = nullptr);
    ~CAboutDlg() override;

    INT_PTR DoModal() override;
    BOOL OnInitDialog() override;

    static const char* const kWebAddress;

    // Tests record the browser start instead of opening a browser: the hook
    // gets the arguments ShellExecuteA would get. nullptr opens the browser.
    typedef void (*ShellExecuteHook)(HWND owner, const char* verb, const char* file, const char* parameters,
                                     const char* directory, int show);
    static ShellExecuteHook SetShellExecuteHook(ShellExecuteHook hook);

protected:
    HBRUSH OnCtlColor(HDC dc, HWND control, UINT type);
    BOOL OnSetCursor(HWND window, UINT hitTest, UINT message);
    void OnWebLink();
    void ReleaseLinkFont();

    HFONT m_linkFont = nullptr;      // made on the link's first paint, kept for the dialog's life
    HCURSOR m_linkCursor = nullptr;

    DECLARE_MESSAGE_MAP()
};

// Modal dialogs from templates, and the common file dialogs.
#pragma once
#include <string>

#include "framework/wnd.h"

#include <commdlg.h>

class CDialog : public CWnd {
    DECLARE_DYNAMIC(CDialog)
public:
    explicit CDialog(UINT templateId, CWnd* parent = nullptr);
    explicit CDialog(const char* templateName, CWnd* parent = nullptr);

    virtual INT_PTR DoModal();
    virtual BOOL OnInitDialog();
    virtual void OnOK();
    virtual void OnCancel();
    void EndDialog(int result);

    LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

    std::string GetDlgItemText(int id) const;
    void SetDlgItemText(int id, const char* text);
    LRESULT SendDlgItemMessage(int id, UINT message, WPARAM wParam = 0, LPARAM lParam = 0);

    static INT_PTR CALLBACK DialogProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

protected:
    UINT m_nIDTemplate = 0;
    const char* m_lpszTemplateName = nullptr;
    CWnd* m_pParentWnd = nullptr;

    DECLARE_MESSAGE_MAP()
};

class CFileDialog {
public:
    // filter: pairs separated by '|', ended by "||".
    CFileDialog(BOOL openFileDialog, const char* defaultExt = nullptr, const char* fileName = nullptr,
                DWORD flags = OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT, const char* filter = nullptr,
                CWnd* parent = nullptr);
    INT_PTR DoModal();
    std::string GetPathName() const { return m_path; }

    OPENFILENAMEA m_ofn{};

    // Tests answer file dialogs without showing them: the hook gets the dialog
    // and returns IDOK with a path, or IDCANCEL.
    typedef INT_PTR (*Hook)(CFileDialog& dialog, std::string& path);
    static Hook SetHook(Hook hook);
    BOOL IsOpenDialog() const { return m_bOpen; }
    const std::string& GetDefaultExt() const { return m_defExt; }
    const std::string& GetFilter() const { return m_filter; }

private:
    BOOL m_bOpen;
    std::string m_defExt;
    std::string m_filter;   // with NULs in place of '|'
    std::string m_path;
    char m_buffer[MAX_PATH * 2] = "";
};

// A scroll-bar control as a child window.
class CScrollBar : public CWnd {
public:
    BOOL Create(DWORD style, const RECT& rect, CWnd* parent, UINT id);
    BOOL SetScrollInfo(SCROLLINFO* info, BOOL redraw = TRUE);
    BOOL GetScrollInfo(SCROLLINFO* info, UINT mask = SIF_ALL) const;
    int GetScrollPos() const;
    int SetScrollPos(int pos, BOOL redraw = TRUE);
    void ShowScrollBar(BOOL show = TRUE);
};

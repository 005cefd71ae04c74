// The window base of the class library: one window procedure for every window
// class of ours, dispatching to the C++ object of the window.
#pragma once
#include <string>

#include "framework/cmdtarget.h"

class CFrameWnd;
struct CCreateContext;

// A device context handed to drawing code.
class CDC {
public:
    HDC m_hDC = nullptr;
    CDC() = default;
    explicit CDC(HDC dc) : m_hDC(dc) {}
    virtual ~CDC() = default;
    HDC GetSafeHdc() const { return m_hDC; }
    BOOL IsPrinting() const { return FALSE; }
};

class CWnd;

class CPaintDC : public CDC {
public:
    explicit CPaintDC(CWnd* wnd);
    ~CPaintDC() override;
    PAINTSTRUCT m_ps{};

private:
    HWND m_hWnd;
};

class CClientDC : public CDC {
public:
    explicit CClientDC(CWnd* wnd);
    ~CClientDC() override;

private:
    HWND m_hWnd;
};

class CWnd : public CCmdTarget {
    DECLARE_DYNAMIC(CWnd)
public:
    HWND m_hWnd = nullptr;

    CWnd();
    ~CWnd() override;
    CWnd(const CWnd&) = delete;
    CWnd& operator=(const CWnd&) = delete;

    static CWnd* FromHandlePermanent(HWND hwnd);   // our object of a window, or none
    HWND GetSafeHwnd() const { return m_hWnd; }

    // Creation
    virtual BOOL PreCreateWindow(CREATESTRUCTA& cs);
    virtual BOOL CreateEx(DWORD exStyle, const char* className, const char* windowName, DWORD style,
                          const RECT& rect, CWnd* parent, UINT id, void* param = nullptr);
    virtual BOOL Create(const char* className, const char* windowName, DWORD style, const RECT& rect,
                        CWnd* parent, UINT id, CCreateContext* context = nullptr);
    virtual BOOL DestroyWindow();
    // Creates the window described; FALSE leaves the object to its caller.
    BOOL CreateFromStruct(const CREATESTRUCTA& cs);
    // Takes a window of a system class (toolbar, status bar, scroll bar) without
    // routing its messages through us.
    void AttachControl(HWND hwnd) { m_hWnd = hwnd; }

    // Messages
    virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    virtual BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result);
    virtual BOOL OnCommand(WPARAM wParam, LPARAM lParam);
    virtual BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* result);
    virtual BOOL PreTranslateMessage(MSG* msg);
    virtual LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    virtual void PostNcDestroy();
    LRESULT Default();   // default processing of the message being handled

    // Wrappers; each does nothing (and returns 0) while there is no window.
    DWORD GetStyle() const;
    DWORD GetExStyle() const;
    BOOL ShowWindow(int cmd);
    void MoveWindow(int x, int y, int w, int h, BOOL repaint = TRUE);
    void MoveWindow(const RECT& r, BOOL repaint = TRUE) { MoveWindow(r.left, r.top, r.right - r.left, r.bottom - r.top, repaint); }
    BOOL SetWindowPos(HWND after, int x, int y, int cx, int cy, UINT flags);
    void GetWindowRect(RECT* r) const;
    void GetClientRect(RECT* r) const;
    void ScreenToClient(RECT* r) const;
    void ScreenToClient(POINT* p) const;
    void ClientToScreen(POINT* p) const;
    void Invalidate(BOOL erase = TRUE);
    void InvalidateRect(const RECT* r, BOOL erase = TRUE);
    void UpdateWindow();
    void SetWindowText(const char* text);
    std::string GetWindowText() const;
    int GetDlgCtrlID() const;
    int SetDlgCtrlID(int id);
    CWnd* GetParent() const;
    HWND GetDlgItem(int id) const;
    UINT_PTR SetTimer(UINT_PTR id, UINT elapse);
    BOOL KillTimer(UINT_PTR id);
    HWND SetFocus();
    BOOL IsWindowVisible() const;
    BOOL IsIconic() const;
    BOOL IsWindowEnabled() const;
    BOOL EnableWindow(BOOL enable = TRUE);
    LRESULT SendMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0);
    BOOL PostMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0);
    int MessageBox(const char* text, const char* caption = nullptr, UINT type = MB_OK);
    BOOL SetForegroundWindow();
    HWND SetActiveWindow();
    CFrameWnd* GetParentFrame() const;
    HWND GetTopLevelParent() const;
    BOOL GetWindowPlacement(WINDOWPLACEMENT* wp) const;

    // Dispatch bookkeeping: an object whose window was destroyed while one of
    // its own handlers ran is deleted only when that handler has returned.
    int m_nDispatchDepth = 0;
    bool m_bDeletePending = false;
    void DeleteWhenUnwound();   // for PostNcDestroy of self-deleting windows
    void HandleNcDestroy();

protected:
    WNDPROC m_pfnSuper = nullptr;
    DECLARE_MESSAGE_MAP()
};

// Registers (once) and returns one of the library's window classes.
const char* AfxRegisterWndClass(const char* name, UINT style, HICON icon, HBRUSH background);
HINSTANCE AfxGetInstanceHandle();
LRESULT CALLBACK AfxWndProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
// Names the object that the next window created on this thread belongs to;
// returns the one named before.
CWnd* AfxSetCreatingWindow(CWnd* wnd);
// Binds a window that our window procedure does not create (dialogs) to its object.
void AfxMapWindow(HWND hwnd, CWnd* wnd);
void AfxUnmapWindow(HWND hwnd);

// The library's window class names.
extern const char* const kVantorWndClass;
extern const char* const kVantorViewClass;
extern const char* const kVantorFrameClass;

// Background of views (the panels' dark fill), also used by the generic class.
const COLORREF kPanelFill = RGB(38, 44, 50);

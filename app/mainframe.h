// The top-level window of one device window: toolbar, status bar, a size that
// follows its panel, always-on-top and screen-saver options, and the receiving
// end of a second program start.
#pragma once
#include "framework/ctrlbar.h"
#include "framework/frame.h"

const UINT WM_VANTOR_HANDOVER = WM_USER + 1;   // a second start hands over its file

class CMainFrame : public CFrameWnd {
    DECLARE_DYNCREATE(CMainFrame)
public:
    CMainFrame();
    ~CMainFrame() override;

    BOOL m_bDeactivateScreenSaver = FALSE;
    CStatusBar m_wndStatusBar;
    CToolBar m_wndToolBar;
    BOOL m_bAlwaysOnTop = FALSE;
    int m_nFixedWidth = 0;
    int m_nFixedHeight = 0;
    BYTE m_bAddToTitle = 0;

    BOOL DestroyWindow() override;
    BOOL PreCreateWindow(CREATESTRUCTA& cs) override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    BOOL LoadFrame(UINT resourceId, DWORD defaultStyle = WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE,
                   CWnd* parent = nullptr, CCreateContext* context = nullptr) override;
    void ActivateFrame(int showCommand = -1) override;
    void OnUpdateFrameTitle(BOOL addToTitle) override;

    void SetAddToTitle(BOOL add) { m_bAddToTitle = add ? 1 : 0; }
    void ShowControlBars(int toolBar, int statusBar);
    BOOL FitToClient(int cx, int cy, BOOL keepTop);
    void KeepOnVirtualScreen();

    // Geometry rules on their own, for the handlers above and for tests.
    static void ApplySizingRule(UINT edge, RECT* rect, int fixedWidth, int fixedHeight);
    static void ApplyMinMaxRule(MINMAXINFO* info, int fixedWidth);
    static bool KeepRectOnScreen(RECT* rect, int x0, int width, int height);

protected:
    int OnCreate(LPCREATESTRUCTA cs);
    void OnFileClose();
    void OnClose();
    void OnDestroy();
    void OnSetFocus(HWND oldWnd);
    void OnSizing(UINT edge, LPRECT rect);
    void OnGetMinMaxInfo(MINMAXINFO* info);
    void OnAlwaysOnTop();
    void OnUpdateAlwaysOnTop(CCmdUI* ui);
    void OnDeactivateScreenSaver();
    void OnUpdateDeactivateScreenSaver(CCmdUI* ui);

    BOOL m_bClosingReported = FALSE;

    DECLARE_MESSAGE_MAP()
};

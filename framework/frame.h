// Frame: a top-level window with a menu, accelerators, control bars and one
// active view filling the rest of its client area.
#pragma once
#include <string>
#include <vector>

#include "framework/wnd.h"

class CControlBar;
class CDocument;
class CView;
struct CCreateContext;

// Frame style: the document title is added to the window title.
const DWORD FWS_ADDTOTITLE = 0x00008000;

class CFrameWnd : public CWnd {
    DECLARE_DYNCREATE(CFrameWnd)
public:
    CFrameWnd();
    ~CFrameWnd() override;

    virtual BOOL LoadFrame(UINT resourceId, DWORD defaultStyle = WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE,
                           CWnd* parent = nullptr, CCreateContext* context = nullptr);
    BOOL PreCreateWindow(CREATESTRUCTA& cs) override;
    BOOL PreTranslateMessage(MSG* msg) override;
    BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, CmdHandlerProbe* probe) override;
    BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* result) override;
    void PostNcDestroy() override;

    virtual void ActivateFrame(int showCommand = -1);
    virtual void OnUpdateFrameTitle(BOOL addToTitle);
    virtual void InitialUpdateFrame(CDocument* doc, BOOL makeVisible);
    virtual void RecalcLayout();
    virtual void CalcWindowRect(RECT* rect);

    CView* GetActiveView() const { return m_pViewActive; }
    virtual void SetActiveView(CView* view, BOOL notify = TRUE);
    virtual CDocument* GetActiveDocument();

    const std::string& GetTitle() const { return m_strTitle; }
    void SetTitle(const char* title) { m_strTitle = title ? title : ""; }
    HMENU GetMenu() const { return m_hMenu; }
    HACCEL GetAccelerators() const { return m_hAccelTable; }

    // Control bars
    void AddControlBar(CControlBar* bar);
    void RemoveControlBar(CControlBar* bar);
    void ShowControlBar(CControlBar* bar, BOOL show, BOOL delay);
    void EnableDocking(DWORD align) { m_dwDockStyle = align; }
    void DockControlBar(CControlBar* bar);
    void LoadBarState(const char* section);
    void SaveBarState(const char* section) const;
    CControlBar* GetControlBar(UINT id) const;
    void SetMessageText(const char* text);   // pane 0 of the status bar

    // Updates the toolbars of every frame (called when the program is idle).
    static void UpdateAllFrameBars();
    void OnIdleUpdateCmdUI();
    static const std::vector<CFrameWnd*>& AllFrames();

protected:
    virtual BOOL OnCreateClient(LPCREATESTRUCTA cs, CCreateContext* context);
    int OnCreate(LPCREATESTRUCTA cs);
    void OnClose();
    void OnDestroy();
    void OnSetFocus(HWND oldWnd);
    void OnSize(UINT type, int cx, int cy);
    void OnActivate(UINT state, HWND other, BOOL minimized);
    void OnInitMenuPopup(HMENU popup, UINT index, BOOL sysMenu);
    void OnMenuSelect(UINT item, UINT flags, HMENU menu);
    void OnHelpFinder();
    void OnHelp();
    void OnContextHelp();

    std::string m_strTitle;
    HMENU m_hMenu = nullptr;
    HACCEL m_hAccelTable = nullptr;
    CView* m_pViewActive = nullptr;
    std::vector<CControlBar*> m_bars;
    DWORD m_dwDockStyle = 0;
    UINT m_nIDHelp = 0;

    DECLARE_MESSAGE_MAP()
};

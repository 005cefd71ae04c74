// Control bars over the common controls: a toolbar from a toolbar resource and
// a status bar with indicator panes.
#pragma once
#include <string>
#include <vector>

#include "framework/wnd.h"

#include <commctrl.h>

class CFrameWnd;

// Bar styles (kept in the bar object; the common controls get their own).
const DWORD CBRS_ALIGN_TOP = 0x1000;
const DWORD CBRS_ALIGN_BOTTOM = 0x4000;
const DWORD CBRS_ALIGN_LEFT = 0x2000;
const DWORD CBRS_ALIGN_RIGHT = 0x8000;
const DWORD CBRS_ALIGN_ANY = 0xF000;
const DWORD CBRS_TOP = CBRS_ALIGN_TOP;
const DWORD CBRS_BOTTOM = CBRS_ALIGN_BOTTOM;
const DWORD CBRS_GRIPPER = 0x00400000;
const DWORD CBRS_TOOLTIPS = 0x0010;
const DWORD CBRS_FLYBY = 0x0020;
const DWORD CBRS_SIZE_DYNAMIC = 0x0080;

const UINT SBPS_NORMAL = 0x0000;
const UINT SBPS_NOBORDERS = 0x0100;
const UINT SBPS_POPOUT = 0x0200;
const UINT SBPS_STRETCH = 0x0800;

class CControlBar : public CWnd {
    DECLARE_DYNAMIC(CControlBar)
public:
    UINT GetBarId() const { return m_nBarId; }
    BOOL IsVisible() const { return m_bVisible; }
    virtual void OnUpdateCmdUI(CFrameWnd* target, BOOL disableIfNoHandler);
    virtual int CalcHeight();   // height the bar needs in its frame
    virtual void OnFrameSized() {}
    void EnableDocking(DWORD align) { m_dwDockStyle = align; }
    DWORD GetBarStyle() const { return m_dwBarStyle; }

    BOOL m_bVisible = TRUE;

protected:
    UINT m_nBarId = 0;
    DWORD m_dwBarStyle = 0;
    DWORD m_dwDockStyle = 0;
    CFrameWnd* m_pFrame = nullptr;
    friend class CFrameWnd;
};

class CToolBar : public CControlBar {
    DECLARE_DYNAMIC(CToolBar)
public:
    BOOL CreateEx(CWnd* parent, DWORD ctrlStyle, DWORD style, const RECT& borders, UINT id);
    BOOL LoadToolBar(UINT resourceId);
    void OnUpdateCmdUI(CFrameWnd* target, BOOL disableIfNoHandler) override;
    int CalcHeight() override;
    void OnFrameSized() override;
    int GetButtonCount() const { return int(m_buttons.size()); }
    UINT GetItemID(int index) const;
    const std::vector<UINT>& GetButtonIds() const { return m_buttons; }

    ~CToolBar() override;

private:
    std::vector<UINT> m_buttons;   // command ids, 0 for separators
    HIMAGELIST m_hImageList = nullptr;
};

class CStatusBar : public CControlBar {
    DECLARE_DYNAMIC(CStatusBar)
public:
    BOOL Create(CWnd* parent, DWORD style, UINT id);
    BOOL SetIndicators(const UINT* ids, int count);
    void SetPaneInfo(int index, UINT id, UINT style, int width);
    void SetPaneText(int index, const char* text);
    std::string GetPaneText(int index) const;
    int GetPaneCount() const { return int(m_panes.size()); }
    int CalcHeight() override;
    void OnFrameSized() override;

private:
    struct Pane {
        UINT id;
        UINT style;
        int width;
        std::string text;
    };
    std::vector<Pane> m_panes;
    void ApplyParts();
};

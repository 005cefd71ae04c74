// Message maps, command routing and command update handlers.
//
// Each class with a message map has one static table of entries, chained to
// its base class's table. An entry names a window message (or WM_COMMAND with
// a notification code and an id range, or an update request for an id range)
// and a small thunk that calls the handler with decoded arguments.
#pragma once
#include "framework/object.h"

class CCmdTarget;
class CCmdUI;

// Command codes for OnCmdMsg: a control notification code (0 for menus,
// accelerators and button clicks), or the update request.
const int CN_COMMAND = 0;
const int CN_UPDATE_COMMAND_UI = -1;

// Marks update entries in a message map (never a real window message).
const UINT MSGMAP_UPDATE_UI = 0xFFFF0001u;

struct MsgCall {
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
    UINT id;          // command id for WM_COMMAND and update entries
    void* extra;      // CCmdUI* for update entries
    LRESULT result;
};

typedef BOOL (*MsgThunk)(CCmdTarget* target, MsgCall& call);

struct MsgMapEntry {
    UINT message;     // window message, WM_COMMAND, WM_NOTIFY or MSGMAP_UPDATE_UI; 0 ends the table
    UINT code;        // notification code for WM_COMMAND / WM_NOTIFY
    UINT idFirst;
    UINT idLast;
    MsgThunk thunk;
};

struct MessageMap {
    const MessageMap* base;
    const MsgMapEntry* entries;
};

// Passed to OnCmdMsg when a caller only wants to know whether a command
// handler exists (update handling disables commands that nobody handles).
struct CmdHandlerProbe {
    CCmdTarget* target = nullptr;
};

class CCmdTarget : public CObject {
    DECLARE_DYNAMIC(CCmdTarget)
public:
    // Routes a command: nCode is CN_COMMAND (or a control notification code)
    // or CN_UPDATE_COMMAND_UI with pExtra = the CCmdUI. With a probe the
    // handler is found but not called.
    virtual BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, CmdHandlerProbe* probe);

    virtual const MessageMap* GetMessageMap() const;
    static const MessageMap* GetThisMessageMap();

    // Finds a message-map entry for a window message.
    const MsgMapEntry* FindMessageEntry(UINT message, UINT code, UINT id) const;
};

// The state of one user-interface item (menu item or toolbar button) being updated.
class CCmdUI {
public:
    UINT m_nID = 0;
    UINT m_nIndex = 0;
    HMENU m_hMenu = nullptr;      // menu being updated, or none
    class CToolBar* m_pToolBar = nullptr;
    BOOL m_bEnableChanged = FALSE;
    BOOL m_bContinueRouting = FALSE;

    virtual ~CCmdUI() = default;
    virtual void Enable(BOOL on = TRUE);
    virtual void SetCheck(int check = 1);
    virtual void SetText(const char* text);

    // Asks the target for the state; disables the item when nobody handles it.
    BOOL DoUpdate(CCmdTarget* target, BOOL disableIfNoHandler);

    // The state a menu or toolbar item ends up in (read by tests and by toolbars).
    BOOL m_bEnabled = TRUE;
    int m_nCheck = 0;
};

#define DECLARE_MESSAGE_MAP()                                     \
protected:                                                        \
    static const MessageMap* GetThisMessageMap();                 \
    const MessageMap* GetMessageMap() const override;

#define BEGIN_MESSAGE_MAP(theClass, baseClass)                    \
    const MessageMap* theClass::GetMessageMap() const { return GetThisMessageMap(); } \
    const MessageMap* theClass::GetThisMessageMap() {             \
        typedef theClass ThisClass;                               \
        static_assert(sizeof(ThisClass) > 0, "complete class");  \
        typedef baseClass TheBaseClass;                           \
        static const MsgMapEntry entries[] = {

#define END_MESSAGE_MAP()                                         \
            {0, 0, 0, 0, nullptr}                                 \
        };                                                        \
        static const MessageMap map = {TheBaseClass::GetThisMessageMap(), entries}; \
        return &map;                                              \
    }

#define VANTOR_SELF static_cast<ThisClass*>(t)

// Commands
#define ON_COMMAND(id, fn) \
    {WM_COMMAND, 0, UINT(id), UINT(id), [](CCmdTarget* t, MsgCall&) -> BOOL { VANTOR_SELF->fn(); return TRUE; }},
#define ON_COMMAND_RANGE(first, last, fn) \
    {WM_COMMAND, 0, UINT(first), UINT(last), [](CCmdTarget* t, MsgCall& c) -> BOOL { VANTOR_SELF->fn(c.id); return TRUE; }},
#define ON_UPDATE_COMMAND_UI(id, fn) \
    {MSGMAP_UPDATE_UI, 0, UINT(id), UINT(id), [](CCmdTarget* t, MsgCall& c) -> BOOL { VANTOR_SELF->fn(static_cast<CCmdUI*>(c.extra)); return TRUE; }},
#define ON_UPDATE_COMMAND_UI_RANGE(first, last, fn) \
    {MSGMAP_UPDATE_UI, 0, UINT(first), UINT(last), [](CCmdTarget* t, MsgCall& c) -> BOOL { VANTOR_SELF->fn(static_cast<CCmdUI*>(c.extra)); return TRUE; }},
#define ON_CONTROL(code, id, fn) \
    {WM_COMMAND, UINT(code), UINT(id), UINT(id), [](CCmdTarget* t, MsgCall&) -> BOOL { VANTOR_SELF->fn(); return TRUE; }},
#define ON_BN_CLICKED(id, fn) ON_CONTROL(BN_CLICKED, id, fn)
#define ON_LBN_SELCHANGE(id, fn) ON_CONTROL(LBN_SELCHANGE, id, fn)
#define ON_LBN_DBLCLK(id, fn) ON_CONTROL(LBN_DBLCLK, id, fn)
#define ON_CBN_SELCHANGE(id, fn) ON_CONTROL(CBN_SELCHANGE, id, fn)
#define ON_EN_CHANGE(id, fn) ON_CONTROL(EN_CHANGE, id, fn)
#define ON_STN_CLICKED(id, fn) ON_CONTROL(STN_CLICKED, id, fn)

// Any window message with the raw parameters: LRESULT fn(WPARAM, LPARAM)
#define ON_MESSAGE(msg, fn) \
    {UINT(msg), 0, 0, 0, [](CCmdTarget* t, MsgCall& c) -> BOOL { c.result = VANTOR_SELF->fn(c.wParam, c.lParam); return TRUE; }},

// Window messages with decoded parameters
#define VANTOR_MSG(msg, body) {UINT(msg), 0, 0, 0, [](CCmdTarget* t, MsgCall& c) -> BOOL { (void)c; body; return TRUE; }},
#define ON_WM_CREATE() VANTOR_MSG(WM_CREATE, c.result = VANTOR_SELF->OnCreate(reinterpret_cast<LPCREATESTRUCTA>(c.lParam)))
#define ON_WM_DESTROY() VANTOR_MSG(WM_DESTROY, VANTOR_SELF->OnDestroy())
#define ON_WM_CLOSE() VANTOR_MSG(WM_CLOSE, VANTOR_SELF->OnClose())
#define ON_WM_SIZE() VANTOR_MSG(WM_SIZE, VANTOR_SELF->OnSize(UINT(c.wParam), LOWORD(c.lParam), HIWORD(c.lParam)))
#define ON_WM_SIZING() VANTOR_MSG(WM_SIZING, VANTOR_SELF->OnSizing(UINT(c.wParam), reinterpret_cast<LPRECT>(c.lParam)); c.result = TRUE)
#define ON_WM_GETMINMAXINFO() VANTOR_MSG(WM_GETMINMAXINFO, VANTOR_SELF->OnGetMinMaxInfo(reinterpret_cast<MINMAXINFO*>(c.lParam)))
#define ON_WM_SETFOCUS() VANTOR_MSG(WM_SETFOCUS, VANTOR_SELF->OnSetFocus(reinterpret_cast<HWND>(c.wParam)))
#define ON_WM_KILLFOCUS() VANTOR_MSG(WM_KILLFOCUS, VANTOR_SELF->OnKillFocus(reinterpret_cast<HWND>(c.wParam)))
#define ON_WM_TIMER() VANTOR_MSG(WM_TIMER, VANTOR_SELF->OnTimer(UINT_PTR(c.wParam)))
#define ON_WM_PAINT() VANTOR_MSG(WM_PAINT, VANTOR_SELF->OnPaint())
#define ON_WM_ERASEBKGND() VANTOR_MSG(WM_ERASEBKGND, c.result = VANTOR_SELF->OnEraseBkgnd(reinterpret_cast<HDC>(c.wParam)))
#define ON_WM_RBUTTONDOWN() VANTOR_MSG(WM_RBUTTONDOWN, VANTOR_SELF->OnRButtonDown(UINT(c.wParam), CPoint(short(LOWORD(c.lParam)), short(HIWORD(c.lParam)))))
#define ON_WM_LBUTTONDOWN() VANTOR_MSG(WM_LBUTTONDOWN, VANTOR_SELF->OnLButtonDown(UINT(c.wParam), CPoint(short(LOWORD(c.lParam)), short(HIWORD(c.lParam)))))
#define ON_WM_MOUSEACTIVATE() VANTOR_MSG(WM_MOUSEACTIVATE, c.result = VANTOR_SELF->OnMouseActivate(reinterpret_cast<HWND>(c.wParam), LOWORD(c.lParam), HIWORD(c.lParam)))
#define ON_WM_ACTIVATE() VANTOR_MSG(WM_ACTIVATE, VANTOR_SELF->OnActivate(LOWORD(c.wParam), reinterpret_cast<HWND>(c.lParam), HIWORD(c.wParam)))
#define ON_WM_INITMENUPOPUP() VANTOR_MSG(WM_INITMENUPOPUP, VANTOR_SELF->OnInitMenuPopup(reinterpret_cast<HMENU>(c.wParam), LOWORD(c.lParam), HIWORD(c.lParam)))
#define ON_WM_MENUSELECT() VANTOR_MSG(WM_MENUSELECT, VANTOR_SELF->OnMenuSelect(LOWORD(c.wParam), HIWORD(c.wParam), reinterpret_cast<HMENU>(c.lParam)))
#define ON_WM_ENTERIDLE() VANTOR_MSG(WM_ENTERIDLE, VANTOR_SELF->OnEnterIdle(UINT(c.wParam), reinterpret_cast<HWND>(c.lParam)))
#define ON_WM_HELPINFO() VANTOR_MSG(WM_HELP, c.result = VANTOR_SELF->OnHelpInfo(reinterpret_cast<HELPINFO*>(c.lParam)))
#define ON_WM_HSCROLL() VANTOR_MSG(WM_HSCROLL, VANTOR_SELF->OnHScroll(LOWORD(c.wParam), short(HIWORD(c.wParam)), reinterpret_cast<HWND>(c.lParam)))
#define ON_WM_VSCROLL() VANTOR_MSG(WM_VSCROLL, VANTOR_SELF->OnVScroll(LOWORD(c.wParam), short(HIWORD(c.wParam)), reinterpret_cast<HWND>(c.lParam)))
#define ON_WM_CTLCOLOR() \
    VANTOR_MSG(WM_CTLCOLORSTATIC, c.result = LRESULT(VANTOR_SELF->OnCtlColor(reinterpret_cast<HDC>(c.wParam), reinterpret_cast<HWND>(c.lParam), CTLCOLOR_STATIC))) \
    VANTOR_MSG(WM_CTLCOLORDLG, c.result = LRESULT(VANTOR_SELF->OnCtlColor(reinterpret_cast<HDC>(c.wParam), reinterpret_cast<HWND>(c.lParam), CTLCOLOR_DLG))) \
    VANTOR_MSG(WM_CTLCOLOREDIT, c.result = LRESULT(VANTOR_SELF->OnCtlColor(reinterpret_cast<HDC>(c.wParam), reinterpret_cast<HWND>(c.lParam), CTLCOLOR_EDIT))) \
    VANTOR_MSG(WM_CTLCOLORBTN, c.result = LRESULT(VANTOR_SELF->OnCtlColor(reinterpret_cast<HDC>(c.wParam), reinterpret_cast<HWND>(c.lParam), CTLCOLOR_BTN))) \
    VANTOR_MSG(WM_CTLCOLORLISTBOX, c.result = LRESULT(VANTOR_SELF->OnCtlColor(reinterpret_cast<HDC>(c.wParam), reinterpret_cast<HWND>(c.lParam), CTLCOLOR_LISTBOX)))
#define ON_WM_SETCURSOR() VANTOR_MSG(WM_SETCURSOR, c.result = VANTOR_SELF->OnSetCursor(reinterpret_cast<HWND>(c.wParam), LOWORD(c.lParam), HIWORD(c.lParam)))
#define ON_WM_NCDESTROY() VANTOR_MSG(WM_NCDESTROY, VANTOR_SELF->OnNcDestroy())
#define ON_WM_SHOWWINDOW() VANTOR_MSG(WM_SHOWWINDOW, VANTOR_SELF->OnShowWindow(BOOL(c.wParam), UINT(c.lParam)))

// What every device view drawn as a panel has: its array of controls with
// the engine's table over it, the panel's painting through the view's own
// window, the mouse and keys handed to the engine, the frame's title, and
// help on the function shown.
#pragma once
#include <vector>

#include "midi/midiview.h"
#include "panel/panel.h"

class CPanelView : public CMidiView {
    DECLARE_DYNCREATE(CPanelView)
public:
    CPanelView();
    ~CPanelView() override;

    BOOL PreTranslateMessage(MSG* msg) override;
    // Paints the controls marked for repaint.
    void RedrawAllControls();

    // The panel, for the views, the tests and the benchmarks.
    PanelControl* Control(int id) { return (id >= 0 && size_t(id) < m_index.size()) ? m_index[size_t(id)] : nullptr; }
    double Value(int id) { return Control(id) ? Control(id)->value : -1.0; }
    PanelControlTable* Table() { return &m_table; }
    PanelControl* Controls() { return m_controls.data(); }

protected:
    // Sizes the arrays; the view then fills the controls and builds the table.
    void AllocatePanel(int count, int indexSize);
    void BuildPanelTable(int width, int height);
    bool HasWindow() const { return m_hWnd != nullptr && ::IsWindow(m_hWnd); }
    // After an edit on the panel: by default the document sends it and
    // starts its save countdown.
    virtual void OnPanelEdited();
    // The whole panel: the frame fitted to it, the client filled with `fill`
    // when there is one, every control.
    void PaintPanel(CDC* dc, int width, int height, const COLORREF* fill = nullptr, BOOL keepTop = FALSE);
    // The end of a status update: the frame's title, the blinking and the
    // dirty controls.
    void ShowStatus(const char* title, int blinkPhase);
    void SetFrameTitle(const char* title);
    // "<product> - online: ID 0A" and the like: a front view's title tells
    // the device's state. `state` 0 online, 1 no response, 2 offline.
    void SetStateTitle(const char* product, int state, int deviceId);
    // One more status update without a reply: after four the state control
    // shows Offline (0) when MIDI was stopped (state -10), else No Response (1).
    void CountMissedReply(int state, int stateControlId);
    // Asks for an ID 0..15 and, confirmed, programs it into the one device
    // connected: a set message of `parameter` to all devices of `model`.
    void ProgramDeviceId(int model, int parameter);
    void OnHelpCurrentFunction();
    BOOL OnHelpInfo(HELPINFO* info);
    // The fast-polling menu item: usable, and checked when `on`, only while
    // the window's ports are open.
    void ShowFastPollingItem(CCmdUI* ui, BOOL on);

    std::vector<PanelControl> m_controls;
    std::vector<PanelControl*> m_index;
    PanelControlTable m_table{};
    int m_nHelpContext = 0;

    DECLARE_MESSAGE_MAP()
};

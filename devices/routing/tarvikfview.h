// The Tarvik front view: the converter's front panel, with a row of 16
// output buttons and a row of 16 source buttons in place of a matrix. The
// user picks one output; the source row shows which input feeds it, and a
// click on a source routes it there. Offline, the panel is greyed.
#pragma once
#include <functional>
#include <vector>

#include "devices/routing/tarvikprotocol.h"
#include "midi/midiview.h"
#include "panel/panel.h"

class CmidiTarvikFView : public CMidiView {
    DECLARE_DYNCREATE(CmidiTarvikFView)
public:
    static const int kOutputs = 16;
    enum : int {
        kBackground = 0,
        kOutputButtonFirst = 41,   // + output
        kSourceButtonFirst = 61,   // + source (routing value)
        kSelectorFirst = 81,       // + output: the input routed to it, 16 for none
    };
    static const int kControlCount = 82;
    static const int kIndexSize = 120;
    static const int kPanelWidth = 535;
    static const int kPanelHeight = 129;

    CmidiTarvikFView();
    ~CmidiTarvikFView() override;

    // CMidiView
    void OnMidiIoChanged(int subModel, MidiPortSettings* ports) override;
    void SaveSettings(const char* section) override;
    void LoadSettings(const char* section) override;
    void SendChangedParameters(BOOL redraw, BOOL fromSelectors, BOOL all) override;
    void RequestDeviceData(BOOL resetSkip) override;
    void UpdateStatus(int state, int blinkPhase) override;
    void OnSysExReceived(const BYTE* data, int length) override;

    void OnDraw(CDC* dc) override;
    BOOL PreTranslateMessage(MSG* msg) override;
    void Serialize(CArchive& ar) override;

    void SelectOutputButton(int output);
    int FindSelectedOutput();
    void SelectSourceButton(int source, BOOL show);
    void EnablePanel(BOOL offline);
    void RedrawAllControls();

    // State, for the tests.
    PanelControl* Control(int id) { return (id >= 0 && id < kIndexSize) ? m_index[size_t(id)] : nullptr; }
    double Value(int id) { return Control(id) ? Control(id)->value : -1.0; }
    PanelControlTable* Table() { return &m_table; }
    int GetDeviceId() const { return m_nDeviceId; }
    int GetReplySkip() const { return m_nReplySkip; }
    bool IsOffline() const { return m_bOffline; }

protected:
    void OnSelectDeviceId();
    void OnProgramDeviceId();
    void OnHelpCurrentFunction();
    BOOL OnHelpInfo(HELPINFO* info);
    bool HasWindow() const { return m_hWnd != nullptr && ::IsWindow(m_hWnd); }
    // Saving while the panel is greyed writes what it showed before.
    void WithShownValues(const std::function<void()>& save);

    std::vector<PanelControl> m_controls;
    std::vector<PanelControl*> m_index;
    PanelControlTable m_table{};
    int m_nDeviceId = 0;
    int m_nReplySkip = 0;
    bool m_bOffline = false;
    std::vector<double> m_shownValues;   // per control, taken when the panel went grey

    DECLARE_MESSAGE_MAP()
};

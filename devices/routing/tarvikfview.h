// The Tarvik front view: the converter's front panel, with a row of 16
// output buttons and a row of 16 source buttons in place of a matrix. The
// user picks one output; the source row shows which input feeds it, and a
// click on a source routes it there. Offline, the panel is greyed.
#pragma once
#include <functional>
#include <vector>

#include "devices/routing/tarvikprotocol.h"
#include "devices/panelview.h"

class CmidiTarvikFView : public CPanelView {
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
    void Serialize(CArchive& ar) override;

    void SelectOutputButton(int output);
    int FindSelectedOutput();
    void SelectSourceButton(int source, BOOL show);
    void EnablePanel(BOOL offline);

    // State, for the tests.
    int GetDeviceId() const { return m_nDeviceId; }
    int GetReplySkip() const { return m_nReplySkip; }
    bool IsOffline() const { return m_bOffline; }

protected:
    void OnSelectDeviceId();
    void OnProgramDeviceId();
    void OnPanelEdited() override;
    // Saving while the panel is greyed writes what it showed before.
    void WithShownValues(const std::function<void()>& save);

    int m_nDeviceId = 0;
    int m_nReplySkip = 0;
    bool m_bOffline = false;
    std::vector<double> m_shownValues;   // per control, taken when the panel went grey

    DECLARE_MESSAGE_MAP()
};

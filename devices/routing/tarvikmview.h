// The Tarvik routing matrix: the converter's input, clock and status section
// above a 16 x 16 grid of crosspoints, with the system-wide I/O names of the
// device along its edges. Each output takes one input or none; the hidden
// selectors hold that routing and the crosspoints show it. tarvikmview.cpp
// holds the panel; tarvikmprotocol.cpp what goes to and comes from the
// device, the commands and the saved settings.
#pragma once
#include "devices/routing/tarvikprotocol.h"
#include "devices/routing/routerview.h"

class CTarvikMView : public CRouterView {
    DECLARE_DYNCREATE(CTarvikMView)
public:
    static const int kInputs = 16;
    static const int kOutputs = 16;
    static const int kNameChannels = 32;

    // Control ids beyond those both Tarvik panels share.
    enum : int {
        kBackground = 0,
        kSelectorFirst = 41,      // + output: the input routed to it, 16 for none
        kInputNameFirst = 61,     // + name entry 0..15: ADAT inputs, then MADI inputs
        kOutputNameFirst = 81,    // + output
        kCrosspointFirst = 100,   // + 16 x input + output
    };
    static const int kTemplateCount = 85;
    static const int kControlCount = kTemplateCount + kInputs * kOutputs;   // 341
    static const int kIndexSize = 400;
    static const int kPanelWidth = 481;
    static const int kPanelHeight = 448;

    static int CrosspointId(int input, int output) { return kCrosspointFirst + kOutputs * input + output; }

    CTarvikMView();
    ~CTarvikMView() override;

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

    void SelectInputForOutput(int output, int input);
    void RefreshMatrixFromSelectors() override;

    // State, for the tests and the benchmark.

protected:
    void BuildControls();
    void BindNames() override;
    void MarkNames() override;
    SystemName* NameRow() override;
    int NameControlId(int entry) override;
    void OnProgramDeviceId();
    void OnDefaultIoNames();



    DECLARE_MESSAGE_MAP()
};

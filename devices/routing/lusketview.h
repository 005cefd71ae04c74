// The Lusket router: an 8 x 8 MADI routing matrix with the system-wide I/O
// names of the device along its edges, the key and MIDI locks, and nine
// stored routings. Choosing a preset number shows that preset's routing,
// greyed and blinking, for ten status blinks; Store and Recall act on it.
#pragma once
#include "devices/routing/routerview.h"

class CLusketView : public CRouterView {
    DECLARE_DYNCREATE(CLusketView)
public:
    static const int kInputs = 8;
    static const int kOutputs = 8;
    static const int kPresets = 10;   // 0..9; row 0 is never filled
    static const int kModel = 0x65;

    enum : int {
        kBackground = 0,
        kLockMidi = 1,
        kLockKeys = 2,
        kPresetNumber = 3,
        kPresetStore = 4,
        kPresetRecall = 5,
        kInputNameFirst = 10,    // + input
        kOutputNameFirst = 18,   // + output
        kSelectorFirst = 41,     // + output: 0 none, 1..8 the input
        kCrosspointFirst = 100,  // + 8 x input + output
    };
    static const int kNoPreset = 10;
    static const int kTemplateCount = 33;
    static const int kControlCount = kTemplateCount + kInputs * kOutputs;   // 97
    static const int kIndexSize = 400;
    static const int kPanelWidth = 253;
    static const int kPanelHeight = 317;
    static const int kPreviewBlinks = 10;

    static int CrosspointId(int input, int output) { return kCrosspointFirst + kOutputs * input + output; }

    CLusketView();
    ~CLusketView() override;

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
    void EnablePresetControls(BOOL greyed);

    // State, for the tests.
    int GetPreviewCountdown() const { return m_nPreviewCountdown; }
    int StoredRouting(int preset, int output) const {
        return (preset >= 0 && preset < kPresets && output >= 0 && output < kOutputs) ? m_stored[preset][output] : -1;
    }

protected:
    void BindNames() override;
    void MarkNames() override;
    SystemName* NameRow() override { return LusketIoNames[m_nDeviceIndex]; }
    int NameControlId(int entry) override { return kInputNameFirst + entry; }
    void OnProgramDeviceId();
    void OnDefaultIoNames();

    int m_nPreviewCountdown = 0;
    int m_stored[kPresets][kOutputs];

    DECLARE_MESSAGE_MAP()
};

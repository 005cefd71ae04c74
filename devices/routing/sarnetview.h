// The Sarnet 64-channel MADI/AES converter: a status panel with the input,
// clock and interface state and 96 channel lamps, where the user sets the
// input, clock, output format and key lock. The title tells whether the
// device answers.
#pragma once
#include "devices/panelview.h"

class CmidiSarnetFView : public CPanelView {
    DECLARE_DYNCREATE(CmidiSarnetFView)
public:
    static const int kModel = 0x63;
    enum : int {
        kBackground = 0,
        kInputBnc = 5,
        kInputOpt = 6,
        kInputState = 7,
        kInputChannels = 8,
        kInputFrame = 9,
        kOutputChannels = 10,
        kOutputFrame = 11,
        kClockSource = 12,
        kClockFrequency = 13,
        kSampleRateRange = 14,
        kFollowClock = 15,
        kAesDoubleSpeed = 32,
        kAesQuadSpeed = 33,
        kAesState = 37,
        kWckState = 38,
        kWckDoubleSpeed = 39,
        kWckQuadSpeed = 40,
        kComRx = 41,
        kComTx = 42,
        kKeysLock = 43,
        kLampFirst = 121,   // + 32 x row + lamp: rows 0 and 1 MADI, row 2 AES
    };
    static const int kTemplateCount = 21;
    static const int kControlCount = kTemplateCount + 96;
    static const int kIndexSize = 317;
    static const int kPanelWidth = 740;
    static const int kPanelHeight = 171;

    CmidiSarnetFView();
    ~CmidiSarnetFView() override;

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

    // State, for the tests.
    PanelControlTable* SettingsTable() { return &m_settings; }
    int GetDeviceId() const { return m_nDeviceId; }
    int GetBaudCode() const { return m_nBaudCode; }
    int GetReplySkip() const { return m_nReplySkip; }

protected:
    void OnPanelEdited() override;
    void OnSelectDeviceId();
    void OnProgramDeviceId();
    void OnSelectBaudRate();
    // What the device forces: no frequency with an outside clock, no 96k
    // frame outside double speed, no word-clock lamp unless it is the clock.
    void ShowForcedStates();
    int Parameter00();
    int Parameter01();
    void DecodePair(int address, int value, bool& optSelected, bool& aesQuiet);

    PanelControlTable m_settings{};
    int m_nDeviceId = 0x7F;
    int m_nBaudCode = 0;
    int m_nReplySkip = 0;

    DECLARE_MESSAGE_MAP()
};

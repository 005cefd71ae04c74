// The Pelvo converter series: one view for four models, 16 or 32 channels,
// AD or DA, told apart by the variant the document passes. The panel shows
// the MADI and ADAT formats, the clock, the analogue and peak-hold options,
// fan and temperature, and per channel a level meter, a hold meter and (AD)
// a gain-reduction bar. Its fast poll asks for the full status, which
// carries the meters.
#pragma once
#include "devices/panelview.h"

class CPelvoSeriesFView : public CPanelView {
    DECLARE_DYNCREATE(CPelvoSeriesFView)
public:
    static const int kModel = 0x32;
    static const int kChannels = 32;
    enum : int {
        kBackground = 0,
        kDeviceIdCtl = 2,
        kDeviceName = 3,
        kDeviceState = 4,
        kInputBnc = 5,
        kInputOpt = 6,
        kInputState = 7,
        kInputChannels = 8,
        kInputFrame = 9,
        kAnalogLevel = 10,
        kChannelSelect = 11,
        kSelectMadi = 12,
        kOutputChannels = 13,
        kOutputFrame = 14,
        kLimiter = 15,
        kClockSource = 16,
        kClockFrequency = 17,
        kSampleRateRange = 18,
        kFollowClock = 19,
        kWckSingleSpeed = 20,
        kWckState = 21,
        kAdatClockState = 22,
        kAdat1State = 23,   // 23..26
        kSelectAdat = 27,
        kPeakHoldMode = 28,
        kPeakHoldReset = 29,
        kKeysLock = 30,
        kFanMode = 31,
        kFanSpeed = 32,
        kTemperature = 33,
        kMeterFirstId = 43,   // + 3 x channel: level, hold, gain reduction
    };
    static const int kTemplateCount = 33;
    static const int kControlCount = kTemplateCount + 3 * kChannels;   // 129
    static const int kIndexSize = 329;
    static const int kPanelWidth = 796;
    static const int kHoldReplies = 40;

    static int LevelId(int channel) { return kMeterFirstId + 3 * channel; }
    static int HoldId(int channel) { return kMeterFirstId + 3 * channel + 1; }
    static int ReductionId(int channel) { return kMeterFirstId + 3 * channel + 2; }

    CPelvoSeriesFView();
    ~CPelvoSeriesFView() override;

    // CMidiView
    void OnMidiIoChanged(int subModel, MidiPortSettings* ports) override;
    void SaveSettings(const char* section) override;
    void LoadSettings(const char* section) override;
    void SendChangedParameters(BOOL redraw, BOOL fromSelectors, BOOL all) override;
    void RequestDeviceData(BOOL resetSkip) override;
    int FastPoll() override;
    void UpdateStatus(int state, int blinkPhase) override;
    void OnSysExReceived(const BYTE* data, int length) override;

    void OnDraw(CDC* dc) override;
    void Serialize(CArchive& ar) override;

    int SetSeriesVariant(int variant);
    int SetDeviceId(int id);

    // State, for the tests.
    PanelControlTable* SettingsTable() { return &m_settings; }
    int GetVariant() const { return m_nVariant; }
    int GetPanelHeight() const { return m_nPanelHeight; }
    int GetDeviceId() const { return m_nDeviceId; }
    int GetNameIndex() const { return m_nNameIndex; }
    int GetReplySkip() const { return m_nSkipReplies; }
    BOOL GetEnableFast() const { return m_bEnableFast; }
    void SetEnableFast(BOOL on) { m_bEnableFast = on; }

protected:
    void OnPanelEdited() override;
    void OnSelectDeviceId();
    void OnProgramDeviceId();
    void OnSystemDeviceNames();
    void OnFastMeterPolling();
    void OnUpdateFastMeterPolling(CCmdUI* ui);
    void ShowForcedStates();
    void SelectInputPair(int id);
    int Parameter0();
    int Parameter1();
    int Parameter2(bool holdReset);
    void Meter(int channel, int value);
    bool On(int id) { return Value(id) > 0.5; }
    int IntValue(int id) { return TruncateToInt(Value(id)); }

    PanelControlTable m_settings{};
    int m_nVariant = -1;
    int m_nPanelHeight = 196;
    int m_nDeviceId = 0;
    int m_nNameIndex = 0;
    int m_nSkipReplies = 0;
    BOOL m_bEnableFast = 0;

    DECLARE_MESSAGE_MAP()
};

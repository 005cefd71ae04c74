// The Ombrel 8-channel AD/DA converter: a header with the device address,
// eight input and eight output strips with meters, trims and mutes, and the
// converter's settings on the right. ombrelview.cpp holds the panel, its
// meters and the fast polling; ombrelprotocol.cpp what goes to and comes
// from the device, the commands and the saved settings.
#pragma once
#include "devices/preamp/bankview.h"

class COmbrelView : public CBankView {
    DECLARE_DYNCREATE(COmbrelView)
public:
    static const int kChannels = 8;
    static const int kModel = 0x41;

    // Control ids of the header and the right-hand panel.
    enum : int {
        kHeaderBack = 0,
        kRightBack = 1,
        kDividerBack = 2,
        kBank = 3,
        kId = 4,
        kDeviceName = 5,
        kDeviceState = 6,
        kVolumeReference = 7,
        kRecallReference = 8,
        kOutputDim = 9,
        kKeysLock = 10,
        kInputSource = 11,
        kAnalogInputLevel = 12,
        kLimiterMode = 13,
        kPeakHoldMode = 14,
        kPeakHoldReset = 15,
        kAutoId = 16,
        kDelayCompensation = 17,
        kClockSource = 18,
        kClockFrequency = 19,
        kSampleRateRange = 20,
        kFollowClock = 21,
        kWckSingleSpeed = 22,
        kWckState = 23,
        kDirectLevel = 24,
        kEnableTrim = 25,
        kEnableGlobalLevel = 26,
        kMeterMode = 27,
        kFxDrive = 28,
        kAnalogOutputLevel = 29,
        kAnalogOutputVolume = 30,
        kDigitalInputSelect = 31,
        kAes1State = 32,   // 32..35
        kAdat1State = 36,
        kAdat2State = 37,
        kOptState = 38,
    };
    // The 17 controls of each channel strip.
    enum StripKind : int {
        kStripBack = 0,
        kInputName = 1,
        kInputLevel = 2,
        kInputHold = 3,
        kInputGainReduction = 4,
        kInputTrim = 5,
        kInputSelect = 6,
        kDownMix7 = 7,
        kDownMix8 = 8,
        kOutputBack = 9,
        kOutputName = 10,
        kOutputLevel = 11,
        kOutputHold = 12,
        kMute = 13,
        kOutputTrim = 14,
        kOutputSelect = 15,
        kNumber = 16,
        kStripKinds = 17,
    };
    static const int kTemplateCount = 39;
    static const int kStripFirstId = 49;
    static const int kControlCount = kTemplateCount + kChannels * kStripKinds;   // 175
    static const int kIndexSize = 375;
    static const int kPanelWidth = 996;
    static const int kPanelHeight = 312;
    static const int kHoldReplies = 40;

    static int StripId(int channel, int kind) { return kStripFirstId + kStripKinds * channel + kind; }

    COmbrelView();
    ~COmbrelView() override;

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

    void SendInputTrim(int channel);
    void SendOutputTrim(int channel);

    // State, for the tests and the benchmark.
    int GetSlowPollCount() const { return m_nSlowPollCount; }

protected:
    // Panel and meters (ombrelview.cpp)
    void BuildControls();
    BOOL OnEraseBkgnd(HDC dc);
    void DecodeLevels(const BYTE* data, int length);
    void OnStatusReply(const BYTE* data, int length);
    void ApplyHold(int id, int level);

    // Device side (ombrelprotocol.cpp)
    void BindNames() override;
    void GangTrims(int channel, bool output, bool gang);
    void GreyClockFrequency();
    void RecordTrims();
    int Parameter11();
    int Parameter12();
    int Parameter13(bool holdReset);
    int Parameter14();
    void AddMutes();
    void Add(int parameter, int value);
    void DecodePair(int parameter, int value);
    void OnProgramDeviceId();
    void OnDefaultIoNames();
    void OnSystemDeviceNames();
    int IntValue(int id) { return Truncate(Value(id)); }
    bool On(int id) { return Value(id) > 0.5; }
    void Show(double value, int id) { PanelShowValue(value, id, &m_table); }
    static int Truncate(double v);

    int m_nPanelWidth = kPanelWidth;
    int m_nPanelHeight = kPanelHeight;
    int m_nSlowPollCount = 0;

    DECLARE_MESSAGE_MAP()
};

// The Fennow 8-channel microphone preamp: a header with the device address,
// the test generator and the presets, eight channel strips with gain,
// phantom power, the input switches and a level meter, and the clock and
// output settings on the right. A slim layout shows the strips' top only.
// fennowview.cpp holds the panel, its layouts and meters; fennowprotocol.cpp
// what goes to and comes from the device, the commands and saved settings.
#pragma once
#include "devices/preamp/bankview.h"

class CFennowView : public CBankView {
    DECLARE_DYNCREATE(CFennowView)
public:
    static const int kChannels = 8;
    static const int kModel = 0x68;

    enum : int {
        kHeaderBack = 0,
        kRightBack = 1,
        kBank = 2,
        kId = 3,
        kDeviceName = 4,
        kDeviceState = 5,
        kPresetNumber = 6,
        kPresetStore = 7,
        kPresetRecall = 8,
        kGenerator = 9,
        kDisplayDark = 10,
        kSlimView = 11,
        kKeysLock = 12,
        kOutputLevel = 13,
        kAutoSetLimit = 14,
        kPeakHold = 15,
        kDelayCompensation = 16,
        kAutoId = 17,
        kDigitalOut = 18,
        kClockSource = 19,
        kClockFrequency = 20,
        kSampleRateRange = 21,
        kFollowClock = 22,
        kWckSingleSpeed = 23,
        kClockState899 = 24,
        kClockState856 = 25,
        kClockState942 = 26,
    };
    enum StripKind : int {
        kStripBack = 0,
        kLevel = 1,
        kHold = 2,
        kGain = 3,
        kGainSelect = 4,
        kPhantom = 5,
        kPhase = 6,
        kMidSide = 7,
        kLowCut = 8,
        kAutoSet = 9,
        kDownLink = 10,
        kHighImpedance = 11,
        kFrontPlug = 12,
        kNumber = 13,
        kInputName = 14,
        kStripKinds = 15,
    };
    static const int kTemplateCount = 27;
    static const int kStripFirstId = 37;
    static const int kControlCount = kTemplateCount + kChannels * kStripKinds;   // 147
    static const int kIndexSize = 347;
    static const int kPanelWidth = 982;
    static const int kHoldReplies = 10;

    static int StripId(int channel, int kind) { return kStripFirstId + kStripKinds * channel + kind; }

    CFennowView();
    ~CFennowView() override;

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

    void SetCompactLayout(BOOL compact);
    void SendGain(int channel);
    int GetPanelHeight() const { return m_nPanelHeight; }

protected:
    BOOL OnEraseBkgnd(HDC dc);
    void BindNames() override;
    // The gain's range follows the front-plug switch.
    void ApplyGainRange(int channel);
    // The range rule, the gain shown inside it, and the gain kept as sent.
    void SettleGain(int channel);
    void GangGains(int channel, bool gang);
    int SwitchByte(int channel, int midSideOf);
    int Parameter18();
    int Parameter19();
    void GreyClockFrequency();
    void Add(int parameter, int value);
    void DecodeLevels(const BYTE* data, int length);
    void DecodeStatus(const BYTE* data, int length);
    void FastMeter(int channel, int level);
    void StatusMeter(int channel, int level);
    void OnProgramDeviceId();
    void OnDefaultIoNames();
    void OnSystemDeviceNames();
    bool On(int id) { return Value(id) > 0.5; }
    int IntValue(int id) { return TruncateToInt(Value(id)); }

    int m_nPanelWidth = kPanelWidth;
    int m_nPanelHeight = 253;

    DECLARE_MESSAGE_MAP()
};

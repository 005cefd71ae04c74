// The Brisal microphone preamp: eight input channels with gain, gain group,
// phantom power and the input switches, two stereo phones outputs with
// source, volume and balance, a level meter on each, and an options area
// with the routing, clock, delay compensation, MIDI sources and the four
// gain groups. Gains of channels in an enabled group move together.
// brisalview.cpp holds the panel, its layouts, ganging and meters;
// brisalprotocol.cpp what goes to and comes from the device, the commands
// and the saved settings.
#pragma once
#include "devices/panelview.h"

class CBrisalView : public CPanelView {
    DECLARE_DYNCREATE(CBrisalView)
public:
    static const int kModel = 0x69;
    static const int kChannels = 8;
    static const int kGroups = 10;   // eight channels, then phones 1 and 2
    static const int kGroupSize = 12;
    static const int kTemplateCount = 49;
    static const int kGroupFirstId = 59;
    static const int kControlCount = kTemplateCount + kGroups * kGroupSize;   // 169
    static const int kIndexSize = 369;
    static const int kPanelWidth = 1060;
    static const int kHoldReplies = 10;
    static const int kGainSteps = 56;   // index 0 is 0 dB, index k is k + 9 dB

    enum : int {
        kBackground = 0,
        kDeviceIdCtl = 1,
        kDeviceName = 2,
        kDeviceState = 3,
        kPresetNumber = 4,
        kPresetStore = 5,
        kPresetRecall = 6,
        kNotGrouped = 7,
        kPeakHold = 8,
        kSlimView = 9,
        kOptionsView = 10,
        kWckLamp = 11,
        kAesLamp = 12,
        kAdatLamp = 13,
        kMadiLamp = 14,
        kOptionsBack = 15,
        kDelayType = 16,
        kDelayId = 17,
        kMadiChannels = 18,
        kMadiFrame = 19,
        kRoutingAdat = 20,    // 20..32: ADAT, ADAT 2, AES, MADI 1-8 .. 57-64, Rec 9-16, Rec 17-24
        kRoutingRec2 = 32,
        kClockSource = 33,
        kSampleRate = 34,
        kWckSingleSpeed = 35,
        kWckTermination = 36,
        kMidiUsb1 = 37,       // 37..40: USB 1, USB 2, DIN, MADI
        kMidiMadi = 40,
        kGroupEnable1 = 41,   // enable n at 39 + 2n, its AS switch at 40 + 2n
        kGroupAs4 = 48,
    };
    // The twelve places of a group. Channels and phones share the meters'
    // places; the others differ.
    enum Place : int {
        kBack = 0,
        kName = 1,            // channel: its name
        kSource = 1,          // phones: its source
        kLevel = 2,
        kHold = 3,
        kGain = 4,            // channel: the gain index
        kVolume = 4,          // phones: the volume
        kGainGroup = 5,       // channel: its gain group
        kBalance = 5,         // phones: the signed value
        kPhantom = 6,
        kPhonesMute = 6,
        kPad = 7,
        kHighLevel = 7,
        kAutoSet = 8,
        kPhaseLeft = 8,
        kPhase = 9,
        kPhaseRight = 9,
        kMute = 10,           // channels only; a hidden placeholder in phones
        kNumber = 11,
    };

    static int GroupId(int group, int place) { return kGroupFirstId + kGroupSize * group + place; }
    static int GroupEnableId(int n) { return 39 + 2 * n; }
    static int GroupAsId(int n) { return 40 + 2 * n; }
    // The meter level 0..12 of a byte from the device.
    static int MeterLevelOf(int byte);

    CBrisalView();
    ~CBrisalView() override;

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

    void SetCompactLayout(BOOL slim);
    void UpdateChannelGroupFlags();
    // IDs 0..7; a negative one is taken from the "Device ID" control. Any
    // other changes nothing.
    int SetDeviceId(int id);

    int GetDeviceId() const { return m_nDeviceId; }
    int GetReplySkip() const { return m_nSkipReplies; }
    int GetPanelHeight() const { return m_nPanelHeight; }
    double GetPreviousGain(int channel) const { return m_previousGain[channel]; }
    BOOL GetEnableFast() const { return m_bEnableFast; }
    void SetEnableFast(BOOL on) { m_bEnableFast = on; }

protected:
    BOOL OnEraseBkgnd(HDC dc);
    void OnFastMeterPolling();
    void OnUpdateFastMeterPolling(CCmdUI* ui);
    void OnDefaultIoNames();
    void OnSystemDeviceNames();

    void Add(int address, int value);
    int ChannelValue(int channel);
    int PhonesValue(int phones);
    int PairValue(int first);
    // Gain ganging of a channel's edited gain: true when the channel was
    // ganged and its group's change has been added.
    bool GangGain(int channel);
    void SendGroupControl(int group, int place, BOOL all, BOOL fromSelectors);
    void SendTemplateControl(int id, BOOL fromSelectors, bool* readdressed);
    void DecodeTriplet(int parameter, int first, int second);
    void Meter(int group, int level);
    void RememberGains();
    bool On(int id) { return Value(id) > 0.5; }
    int IntValue(int id) { return TruncateToInt(Value(id)); }

    int m_nPanelHeight = 320;
    int m_nDeviceId = -1;
    int m_nSkipReplies = 0;
    BOOL m_bEnableFast = 1;
    double m_previousGain[kChannels] = {};

    DECLARE_MESSAGE_MAP()
};

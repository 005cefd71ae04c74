// The Fennow preamp: its panel in both layouts, what each edit sends with
// the gain ganging and the paired M/S coding, the level and status replies
// with their meters, addressing by bank and ID, and what the view keeps.
#include <string>
#include <vector>

#include "app/ionames.h"
#include "devices/preamp/fennowview.h"
#include "resource.h"
#include "sim/simfennow.h"
#include "support/devicewindow.h"
#include "support/recordfiles.h"

namespace {

using sim::Bytes;
using F = CFennowView;

const char* const kCompany = "VantorTestFennow";

// A level reply with the given levels of channels 1.., the rest silent.
Bytes Levels(const std::vector<int>& levels) {
    Bytes b = {0xF0, 0x00, 0x7E, 0x31, 0x68, 0x00, 0x31};
    for (int ch = 0; ch < 8; ++ch) b.push_back(BYTE(ch < int(levels.size()) ? levels[size_t(ch)] : 0));
    b.push_back(0xF7);
    return b;
}

class FennowWindow : public DeviceWindowTest {
protected:
    void SetUp() override {
        OpenDeviceWindow(kCompany, 5, &device, "Fennow", RECT{20, 20, 1100, 400});
        view = dynamic_cast<CFennowView*>(midiView);
        ASSERT_NE(view, nullptr);
    }
    void TearDown() override { CloseDeviceWindows(); }
    void Receive(const Bytes& reply) { view->OnSysExReceived(reply.data(), int(reply.size())); }

    sim::SimFennow device{0x25};
    CFennowView* view = nullptr;
};

class FennowRecord : public testing_support::RecordFileTest {
protected:
    FennowRecord() : RecordFileTest(kCompany) {}
};

}  // namespace

TEST(FennowView, ANewViewAddressesAllDevicesAndTheSlimLayoutHidesTheLowerStrip) {
    CFennowView v;
    ASSERT_EQ(v.Table()->count, 147);
    EXPECT_EQ(v.GetDeviceId(), 127);
    EXPECT_EQ(v.GetNameIndex(), 64);
    EXPECT_EQ(v.Value(F::kBank), 8);
    EXPECT_EQ(v.Value(F::kDeviceName), 64);
    EXPECT_EQ(v.GetPanelHeight(), 253);
    EXPECT_TRUE(v.Control(F::StripId(0, F::kDownLink))->flags & PANEL_LED_OFF) << "channel 1 has no down link";
    EXPECT_EQ(v.Control(F::StripId(7, F::kNumber))->bitmap, 308);
    EXPECT_EQ(v.Control(F::StripId(2, F::kAutoSet))->y, 178);
    EXPECT_EQ(v.Control(F::StripId(0, F::kInputName))->list, theIoNames.GetIoName(IoKeyFennow, 64, 0));
    v.SetCompactLayout(TRUE);
    EXPECT_EQ(v.GetPanelHeight(), 125);
    struct Place {
        int id, y;
        bool hidden;
    };
    const Place places[] = {{F::StripId(3, F::kLevel), 93, false}, {F::StripId(3, F::kGain), 62, false},
                            {F::StripId(3, F::kGainSelect), 46, false}, {F::StripId(3, F::kPhase), 108, false},
                            {F::StripId(3, F::kInputName), 32, false},  {F::StripId(3, F::kLowCut), 163, true},
                            {F::kClockSource, 174, true},               {F::kOutputLevel, 32, false},
                            {F::kRightBack, 25, false}};
    for (const Place& p : places) {
        EXPECT_EQ(v.Control(p.id)->y, p.y) << p.id;
        EXPECT_EQ((v.Control(p.id)->flags & PANEL_HIDDEN) != 0, p.hidden) << p.id;
    }
    EXPECT_EQ(v.Control(F::StripId(3, F::kLevel))->min, 10) << "the slim meter's three top steps";
    v.SetCompactLayout(FALSE);
    EXPECT_EQ(v.Control(F::StripId(3, F::kLevel))->y, 118);
    EXPECT_FALSE(v.Control(F::kClockSource)->flags & PANEL_HIDDEN);
}

TEST_F(FennowWindow, EditsSendTheirBytesAndGainsGangFromTheKeptValue) {
    Running();
    ASSERT_EQ(view->GetDeviceId(), 127);
    // Gains: coarse (gain + 9.25) and the half step in the flags byte.
    EXPECT_EQ(GroupsOf(Edit(F::StripId(1, F::kGain), 12.5)), Pairs({{3, 21}, {4, 1}}));
    EXPECT_EQ(GroupsOf(Edit(F::StripId(1, F::kGain), 12.0)), Pairs({{3, 21}, {4, 0}}));
    EXPECT_EQ(view->GetReplySkip(), 0) << "a gain skips no reply";
    EXPECT_EQ(GroupsOf(Edit(F::StripId(3, F::kPhantom), 1)), Pairs({{11, 0x40}}));
    EXPECT_EQ(view->GetReplySkip(), 0);
    // M/S at channel 4 goes into channel 3's byte.
    EXPECT_EQ(GroupsOf(Edit(F::StripId(3, F::kMidSide), 1)), Pairs({{8, 0x10}}));
    EXPECT_EQ(GroupsOf(Edit(F::kClockSource, 0)), Pairs({{0x18, 0x01}}));
    EXPECT_EQ(view->GetReplySkip(), 1) << "a clock change skips the next reply";
    EXPECT_FALSE(view->Control(F::kClockFrequency)->flags & PANEL_GREYED);
    EXPECT_EQ(GroupsOf(Edit(F::kWckSingleSpeed, 0)), Pairs({{0x1A, 0}}));
    EXPECT_EQ(GroupsOf(Edit(F::kKeysLock, 1)), Pairs({{0x19, 0x65}}));
    EXPECT_EQ(GroupsOf(Edit(F::kDisplayDark, 0)), Pairs({{0, 9}, {1, 0}}));
    // The front plug narrows the range and takes a gain above it along.
    Edit(F::StripId(5, F::kGain), 60);
    EXPECT_EQ(GroupsOf(Edit(F::StripId(5, F::kFrontPlug), 1)), Pairs({{17, 0x01}, {15, 59}, {16, 0}}));
    EXPECT_EQ(view->Value(F::StripId(5, F::kGain)), 50);
    Edit(F::StripId(5, F::kFrontPlug), 0);
    EXPECT_EQ(view->Value(F::StripId(5, F::kGain)), 50);
    // Channels 2 and 5 selected: 2 up by 3 dB takes 5 along (clamped).
    Edit(F::StripId(4, F::kGain), 75.0);
    Edit(F::StripId(1, F::kGainSelect), 1);
    Edit(F::StripId(4, F::kGainSelect), 1);
    NewBlocks();
    EXPECT_EQ(GroupsOf(Edit(F::StripId(1, F::kGain), 15.0)), Pairs({{12, 85}, {13, 1}, {3, 24}, {4, 0}}));
    EXPECT_EQ(view->Value(F::StripId(4, F::kGain)), 76.5);
    // With Ctrl, every channel.
    BYTE keys[256], ctrl[256];
    GetKeyboardState(keys);
    std::copy(keys, keys + 256, ctrl);
    ctrl[VK_CONTROL] = 0x80;
    SetKeyboardState(ctrl);
    const Pairs all = GroupsOf(Edit(F::StripId(0, F::kGain), 1.0));
    SetKeyboardState(keys);
    EXPECT_EQ(all.size(), 16u);
}

TEST_F(FennowWindow, RepliesShowTheDeviceAndTheMetersFollowTheirRules) {
    device.reg[3] = 30;   // channel 2: 21.5 dB
    device.reg[4] = 0x03;
    device.reg[5] = 0x51;   // phantom, M/S (ignored on an even channel), front plug
    device.reg[6 + 2] = 0x10;   // channel 3: M/S for the pair 3/4
    device.reg[0x18] = 0x40 | 0x08 | 0x02;
    device.reg[0x1A] = 0x40 | 0x10 | 0x0C;
    Running();
    EXPECT_EQ(view->Value(F::StripId(1, F::kGain)), 21.5);
    EXPECT_EQ(view->Value(F::StripId(1, F::kDownLink)), 1);
    EXPECT_EQ(view->Value(F::StripId(1, F::kPhantom)), 1);
    EXPECT_EQ(view->Value(F::StripId(1, F::kMidSide)), 0);
    EXPECT_EQ(view->Value(F::StripId(2, F::kMidSide)), 1);
    EXPECT_EQ(view->Value(F::StripId(3, F::kMidSide)), 1);
    EXPECT_EQ(view->Control(F::StripId(1, F::kGain))->max, 50) << "the plug's range";
    EXPECT_EQ(view->Value(F::kOutputLevel), 2);
    EXPECT_EQ(view->Value(F::kClockSource), 1);
    EXPECT_EQ(view->Value(F::kSampleRateRange), 1);
    EXPECT_EQ(view->Value(F::kWckSingleSpeed), 0) << "bit 6 set: off";
    EXPECT_EQ(view->Value(F::kClockState856), 1);
    EXPECT_TRUE(view->Control(F::kClockState856)->flags & PANEL_BLINK);
    EXPECT_FALSE(view->Control(F::kClockState899)->flags & PANEL_BLINK);
    EXPECT_EQ(view->Value(F::kDeviceState), 2);

    // Fast meters on the full-height strips: levels fall two steps a reply,
    // holds keep 10 replies.
    Edit(F::kSlimView, 0);
    PanelShowValue(0, F::kPeakHold, view->Table());
    const int level = F::StripId(0, F::kLevel), hold = F::StripId(0, F::kHold);
    Receive(Levels({15}));
    EXPECT_EQ(view->Value(level), 13) << "13 is the top";
    for (int k = 0; k < 10; ++k) Receive(Levels({0}));
    EXPECT_EQ(view->Value(level), 0);
    EXPECT_EQ(view->Value(hold), 13);
    Receive(Levels({0}));
    EXPECT_EQ(view->Value(hold), 12) << "then one step a reply";
    PanelShowValue(1, F::kPeakHold, view->Table());
    Receive(Levels({13}));
    for (int k = 0; k < 30; ++k) Receive(Levels({2}));
    EXPECT_EQ(view->Value(hold), 13) << "Peak Hold keeps it";
    // Slow polling: the status reply's level bits drive the meters.
    view->SetEnableFast(FALSE);
    device.level[0] = 8;
    PanelShowValue(0, F::kPeakHold, view->Table());
    Poll();
    EXPECT_EQ(view->Value(level), 8);
    EXPECT_EQ(view->Value(hold), 8);
}

TEST_F(FennowWindow, BanksIdsAndNamesAddressTheDevice) {
    Running();
    Edit(F::kDeviceName, 21);
    EXPECT_EQ(view->GetDeviceId(), 0x25);
    EXPECT_EQ(view->Value(F::kBank), 2);
    EXPECT_EQ(view->Value(F::kId), 5);
    EXPECT_EQ(view->GetReplySkip(), 1);
    Edit(F::kBank, 8);
    EXPECT_EQ(view->GetDeviceId(), 127);
    Edit(F::kBank, 2);
    EXPECT_EQ(view->GetDeviceId(), 0x25) << "the ID from the address before All";
    device.SetDeviceId(0x26);
    const int before = device.statusRequests;
    Poll();
    EXPECT_EQ(device.statusRequests, before) << "another device";
    device.SetDeviceId(0x25);
    ExpectOnlineNoResponseOffline(device, [this] { return view->Value(F::kDeviceState); }, "Tesmer Fennow Vantor");
}

TEST_F(FennowWindow, SlimViewGeneratorPresetsAndCommands) {
    Running();
    Edit(F::kSlimView, 1);
    EXPECT_EQ(view->GetPanelHeight(), 125);
    EXPECT_EQ(GroupsOf(Edit(F::kGenerator, 3)), Pairs({{0x1E, 3}}));
    EXPECT_EQ(view->Control(F::StripId(2, F::kGain))->type, PANEL_TEXT_FIXED) << "the generator's mark";
    EXPECT_EQ(view->Control(F::StripId(1, F::kGain))->type, PANEL_NUMBER);
    Edit(F::kPresetNumber, 4);
    EXPECT_EQ(GroupsOf(Edit(F::kPresetStore, 1)), Pairs({{0x1B, 4}}));
    EXPECT_EQ(view->Value(F::kPresetStore), 0);
    EXPECT_EQ(GroupsOf(Edit(F::kPresetRecall, 1)), Pairs({{0x1C, 4}}));
    EXPECT_EQ(device.stores, 1);
    EXPECT_EQ(device.recalls, 1);
    boxes.answer = IDYES;
    testing_support::WhenDialogAppears([](HWND dlg) {
        ::SendDlgItemMessageA(dlg, 1004, CB_SETCURSEL, 21, 0);
        ::SendMessageA(dlg, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    });
    Command(ID_PROGRAM_DEVICE_ID);
    EXPECT_EQ(driver.SentTo(out).back(), Bytes({0xF0, 0x00, 0x7E, 0x31, 0x68, 0x7F, 0x20, 0x1D, 0x25, 0xF7}));
    Command(ID_HELP_CURRENT_FUNCTION);
    EXPECT_EQ(AfxGetLastHelpRequest().data, DWORD_PTR(230));
    testing_support::FeedMutatedReplies({device.StatusReply(), device.LevelReply()}, 100000, 68,
                                        [this](const BYTE* data, int length) { view->OnSysExReceived(data, length); });
    for (int k = 0; k < view->Table()->count; ++k) {
        const PanelControl& c = view->Table()->controls[k];
        EXPECT_TRUE(c.value >= c.min && c.value <= c.max) << c.name;
    }
}

TEST_F(FennowRecord, TheRecordAndTheProfileKeepAddressNamesAndGains) {
    CFennowView v;
    v.SetDeviceId(0x13);
    theIoNames.GetIoName(IoKeyFennow, 11, 0);
    theIoNames.SetIoName(IoKeyFennow, 11, 0, "Vox");
    PanelShowValue(1, F::StripId(2, F::kFrontPlug), v.Table());
    PanelShowValue(33.5, F::StripId(2, F::kGain), v.Table());
    const std::string path = File("fennow_record.vtw");
    testing_support::StoreRecord(v, path);
    const std::vector<std::string> lines = testing_support::FileLines(path);
    EXPECT_EQ(lines[0], "KestFennowIndex=13");
    EXPECT_EQ(lines[1], "IN00_NAME=     Vox");
    EXPECT_EQ(lines.back(), "");
    CFennowView back;
    testing_support::LoadRecord(back, path);
    EXPECT_EQ(back.GetDeviceId(), 0x13);
    EXPECT_EQ(back.Value(F::StripId(2, F::kGain)), 33.5);
    EXPECT_EQ(back.Control(F::StripId(2, F::kGain))->max, 50);
    EXPECT_EQ(back.Control(F::StripId(2, F::kGain))->lastLength, 335);
    v.SaveSettings("Default\\Settings\\fennowf");
    EXPECT_EQ(theApp.GetProfileInt("Default\\Settings\\fennowf", "KestFennowID", -1), 0x13);
    CFennowView fromProfile;
    fromProfile.LoadSettings("Default\\Settings\\fennowf");
    EXPECT_EQ(fromProfile.GetDeviceId(), 0x13);
    EXPECT_EQ(fromProfile.GetPanelHeight(), 125) << "Slim View starts on and is kept";
    EXPECT_EQ(fromProfile.Value(F::StripId(2, F::kGain)), 33.5);
}

TEST_F(FennowWindow, EverySwitchHasItsBitAndTheClicksFindThemInBothLayouts) {
    Running();
    ASSERT_EQ(view->GetPanelHeight(), 125) << "a new window opens slim";
    struct Case {
        int kind, bit;
    };
    const Case cases[] = {{F::kPhantom, 6}, {F::kPhase, 5}, {F::kMidSide, 4}, {F::kLowCut, 3},
                          {F::kAutoSet, 2}, {F::kHighImpedance, 1}, {F::kFrontPlug, 0}};
    for (const Case& c : cases) {
        const Pairs sent = GroupsOf(Edit(F::StripId(6, c.kind), 1));
        ASSERT_FALSE(sent.empty()) << c.kind;
        EXPECT_EQ(sent[0].first, 20) << c.kind;
        EXPECT_TRUE(sent[0].second & (1 << c.bit)) << c.kind;
        Edit(F::StripId(6, c.kind), 0);
    }
    // Slim: the phase switch sits 25 pixels higher and takes the click there.
    Click(F::StripId(2, F::kPhase));
    EXPECT_EQ(view->Value(F::StripId(2, F::kPhase)), 1);
    EXPECT_EQ(GroupsOf(NewBlocks()), Pairs({{8, 0x20}}));
    Edit(F::kSlimView, 0);
    Click(F::StripId(2, F::kLowCut));
    EXPECT_EQ(view->Value(F::StripId(2, F::kLowCut)), 1);
    EXPECT_EQ(view->Control(F::StripId(2, F::kLowCut))->y, 163);
}

// The Brisal preamp: its four layouts, what each edit sends in 4-byte
// groups, gain ganging, the reply of triplets with its meters, the device
// ID and its names, and what the view keeps.
#include <algorithm>
#include <set>
#include <string>
#include <tuple>
#include <vector>

#include "app/ionames.h"
#include "devices/preamp/brisalview.h"
#include "resource.h"
#include "sim/simbrisal.h"
#include "support/devicewindow.h"
#include "support/recordfiles.h"

namespace {

using sim::Bytes;
using B = CBrisalView;
// (address, low byte, high byte) of each 4-byte group.
typedef std::vector<std::tuple<int, int, int>> Quads;

const char* const kCompany = "VantorTestBrisal";

Quads QuadsOf(const std::vector<Bytes>& blocks) {
    Quads quads;
    for (const Bytes& b : blocks) {
        EXPECT_EQ((b.size() - 8) % 4, 0u);
        for (size_t k = 7; k + 4 < b.size(); k += 4) {
            EXPECT_EQ(b[k + 3], 0x7F);
            quads.emplace_back(b[k], b[k + 1], b[k + 2]);
        }
    }
    return quads;
}

int Ch(int channel, int place) { return B::GroupId(channel, place); }
int Ph(int phones, int place) { return B::GroupId(B::kChannels + phones, place); }

Bytes Reply(std::initializer_list<int> triplets) {
    Bytes b = {0xF0, 0x00, 0x7E, 0x31, 0x69, 0x00, 0x30};
    for (int v : triplets) b.push_back(BYTE(v));
    b.push_back(0xF7);
    return b;
}

class BrisalWindow : public DeviceWindowTest {
protected:
    void SetUp() override {
        OpenDeviceWindow(kCompany, 11, &device, "Brisal", RECT{20, 20, 1100, 400});
        view = dynamic_cast<CBrisalView*>(midiView);
        ASSERT_NE(view, nullptr);
    }
    void TearDown() override { CloseDeviceWindows(); }
    void Receive(const Bytes& reply) { view->OnSysExReceived(reply.data(), int(reply.size())); }
    Quads Sent(int id, double value) { return QuadsOf(Edit(id, value)); }
    void Show(int id, double value) { PanelShowValue(value, id, view->Table()); }

    sim::SimBrisal device{0};
    CBrisalView* view = nullptr;
};

class BrisalRecord : public testing_support::RecordFileTest {
protected:
    BrisalRecord() : RecordFileTest(kCompany) {}
};

}  // namespace

TEST(BrisalView, FourLayoutsPlaceTheGroupsAndTheOptionsArea) {
    B v;
    ASSERT_EQ(v.Table()->count, 169);
    EXPECT_EQ(v.GetDeviceId(), 0);
    EXPECT_EQ(v.Control(Ch(0, B::kName))->list, theIoNames.GetIoName(IoKeyBrisal, 0, 0));
    EXPECT_EQ(v.Control(Ch(7, B::kNumber))->bitmap, 308);
    EXPECT_EQ(v.Control(Ph(1, B::kNumber))->bitmap, 344);
    EXPECT_EQ(v.Control(B::kMadiFrame)->help, 232);
    EXPECT_STREQ(v.Control(Ph(0, B::kSource))->list + 31 * PANEL_LIST_ENTRY, "AES 4");
    EXPECT_STREQ(v.Control(Ph(0, B::kSource))->list + 135 * PANEL_LIST_ENTRY, "MADI 63/64 ");
    EXPECT_STREQ(v.Control(Ch(0, B::kGain))->list + 56 * PANEL_LIST_ENTRY, "65.0 ");
    struct Case {
        bool slim, options;
        int height, optionsY, backY, meterY, meterMin;
        bool mute, number;
    };
    const Case cases[] = {{false, true, 320, 255, 47, 118, 0, true, true},
                          {false, false, 226, 255, 47, 118, 0, true, true},
                          {true, true, 218, 153, 25, 93, 10, false, false},
                          {true, false, 124, 153, 25, 93, 10, false, false}};
    for (int twice = 0; twice < 2; ++twice)
        for (const Case& c : cases) {
            SCOPED_TRACE(c.height);
            PanelShowValue(c.options, B::kOptionsView, v.Table());
            v.SetCompactLayout(c.slim);
            EXPECT_EQ(v.GetPanelHeight(), c.height);
            EXPECT_EQ(v.Control(B::kDelayType)->y, c.optionsY) << "moved once however often";
            EXPECT_EQ(v.Control(B::kOptionsBack)->y, c.optionsY - 29);
            EXPECT_EQ((v.Control(B::kClockSource)->flags & PANEL_HIDDEN) != 0, !c.options);
            EXPECT_EQ(v.Control(Ch(3, B::kBack))->y, c.backY);
            EXPECT_EQ(v.Control(Ch(3, B::kBack))->bitmap, c.slim ? 341 : 336);
            EXPECT_EQ(v.Control(Ch(5, B::kBack))->bitmap, c.slim ? 342 : 335);
            EXPECT_EQ(v.Control(Ph(0, B::kHold))->y, c.meterY);
            EXPECT_EQ(v.Control(Ph(0, B::kHold))->min, c.meterMin);
            EXPECT_EQ((v.Control(Ch(3, B::kMute))->flags & PANEL_HIDDEN) == 0, c.mute);
            EXPECT_EQ((v.Control(Ph(1, B::kNumber))->flags & PANEL_HIDDEN) == 0, c.number);
            EXPECT_TRUE(v.Control(Ph(1, B::kMute))->flags & PANEL_HIDDEN) << "the phones' empty place";
        }
}

TEST_F(BrisalWindow, ClicksFindTheControlsInEveryLayout) {
    Running();
    auto toggles = [this](int id) {
        const double before = view->Value(id);
        Click(id);
        EXPECT_EQ(view->Value(id), 1 - before) << view->Control(id)->name;
    };
    for (int layout = 0; layout < 4; ++layout) {
        SCOPED_TRACE(layout);
        Edit(B::kOptionsView, layout % 2 == 0);
        Edit(B::kSlimView, layout >= 2);
        testing_support::PumpMessages(10);
        toggles(Ch(2, B::kPhantom));
        toggles(Ph(1, B::kHighLevel));
        if (layout % 2 == 0) toggles(B::GroupEnableId(3));
        RECT client;
        ::GetClientRect(view->m_hWnd, &client);
        EXPECT_EQ(client.bottom, view->GetPanelHeight()) << "the frame fits the panel";
    }
}

TEST_F(BrisalWindow, EachEditSendsTheWholeStateOfItsAddress) {
    Running();
    // Channel 3: phantom and mute on, group 2 (not enabled), then gain 20.
    Show(Ch(2, B::kPhantom), 1);
    Show(Ch(2, B::kMute), 1);
    Show(Ch(2, B::kGainGroup), 2);
    const std::vector<Bytes> blocks = Edit(Ch(2, B::kGain), 20);
    ASSERT_EQ(blocks.size(), 1u);
    EXPECT_EQ(blocks[0], Bytes({0xF0, 0x00, 0x7E, 0x31, 0x69, 0x00, 0x20, 0x02, 0x14, 0x25, 0x7F, 0xF7}));
    EXPECT_TRUE(view->Control(Ch(2, B::kGainGroup))->flags & PANEL_GREY_FILL) << "group 2 is off";
    struct Case {
        int id;
        double value;
        Quads sent;
    };
    const Case cases[] = {
        {Ph(0, B::kVolume), -64.5, {{0x08, 5, 0}}},
        {Ph(0, B::kVolume), 3.0, {{0x08, 0, 68}}},
        {Ph(1, B::kVolume), -20.5, {{0x0B, 5, 44}}},
        {Ph(0, B::kBalance), -0.25, {{0x09, 25, 1}}},
        {Ph(1, B::kBalance), 0.29, {{0x0C, 29, 0}}},   // rounded, not 28
        {Ph(0, B::kPhaseLeft), 1, {{0x0A, 0, 0x08}}},
        {Ph(0, B::kSource), 130, {{0x0A, 2, 0x09}}},
        {Ph(0, B::kPhaseRight), 1, {{0x0A, 2, 0x05}}},
        {Ph(1, B::kPhonesMute), 1, {{0x0D, 0, 0x02}}},
        {Ph(1, B::kHighLevel), 1, {{0x0D, 0, 0x12}}},
        {Ch(7, B::kPad), 1, {{0x07, 0, 0x08}}},
        {Ch(7, B::kPhase), 1, {{0x07, 0x40, 0x08}}},
        {Ch(7, B::kAutoSet), 1, {{0x07, 0x40, 0x0A}}},
        {B::kRoutingAdat + 1, 3, {{0x0E, 0, 3}}},
        {22, 2, {{0x0F, 2, 0}}},
        {29, 12, {{0x13, 12, 10}}},
        {32, 15, {{0x14, 10, 15}}},
        {B::kClockSource, 6, {{0x15, 6, 1}}},
        {B::kSampleRate, 8, {{0x15, 6, 8}}},
        {B::kWckTermination, 1, {{0x15, 0x26, 8}}},
        {B::kDelayType, 2, {{0x16, 0x0E, 0}}},
        {B::kDelayId, 5, {{0x16, 0x0E, 5}}},
        {B::kMidiUsb1 + 1, 4, {{0x17, 0x21, 0x09}}},
        {B::kMidiMadi, 5, {{0x17, 0x21, 0x29}}},
        {B::GroupAsId(3), 1, {{0x18, 0, 0}}},   // no AS without its group
        {B::GroupEnableId(3), 1, {{0x18, 0x04, 0}}},
        {B::GroupAsId(3), 1, {{0x18, 0x04, 0x04}}},
        {B::kPeakHold, 1, {}},
        {B::kNotGrouped, 1, {}},
        {B::kPresetNumber, 3, {}},
        {B::kPresetStore, 1, {{0x19, 0, 3}}},
        {B::kPresetRecall, 1, {{0x19, 3, 0}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.id);
        EXPECT_EQ(Sent(c.id, c.value), c.sent);
    }
    EXPECT_EQ(view->Value(B::kPresetStore), 0);
    EXPECT_EQ(view->Value(B::kPresetRecall), 0);
    EXPECT_EQ(device.stores, 1);
    EXPECT_EQ(device.recalls, 1);
    // Preset 3 holds channel 3 at index 20: a later gain is undone by a recall.
    Edit(Ch(2, B::kGain), 30);
    EXPECT_EQ(device.Gain(2), 30);
    Edit(B::kPresetRecall, 1);
    Poll();
    EXPECT_EQ(view->Value(Ch(2, B::kGain)), 20);
    EXPECT_EQ(view->GetReplySkip(), 0) << "no edit so far re-addressed the view";
    // A whole send: 25 addresses go out as the transport splits them, 16
    // groups to a message; no preset and no ID.
    view->SendChangedParameters(FALSE, TRUE, TRUE);
    const std::vector<Bytes> all = NewBlocks();
    ASSERT_EQ(all.size(), 2u);
    EXPECT_EQ(all[0].size(), 8u + 16 * 4);
    std::set<int> addresses;
    for (const auto& q : QuadsOf(all)) addresses.insert(std::get<0>(q));
    EXPECT_EQ(addresses.size(), 25u);
    EXPECT_EQ(*addresses.rbegin(), 0x18);
    // The device took every address: the panel's state is its own now.
    EXPECT_EQ(device.reg[0x13][0], 12);
    EXPECT_EQ(device.reg[0x0C][0], 29);
}

TEST_F(BrisalWindow, GangedGainsMoveTogetherAndTheDeviceAgrees) {
    Running();
    Edit(B::GroupEnableId(1), 1);
    for (int ch : {0, 1, 3}) Edit(Ch(ch, B::kGainGroup), 1);
    Edit(Ch(2, B::kGainGroup), 2);
    // Gains 5 (14 dB), 3, 0 (not in the group) and 15 set without ganging.
    Edit(B::kNotGrouped, 1);
    const int gains[4] = {5, 3, 0, 15};
    for (int ch = 0; ch < 4; ++ch) Edit(Ch(ch, B::kGain), gains[ch]);
    Edit(B::kNotGrouped, 0);
    NewBlocks();
    struct Case {
        int channel, gain, low;
        int expected[4];
    };
    const Case cases[] = {
        {0, 7, 66, {7, 5, 0, 17}},       // +2 dB
        {1, 0, 50, {0, 0, 0, 3}},        // 14 dB to 0 dB: -14
        {1, 1, 74, {1, 1, 0, 13}},       // 0 to 10 dB: +10
        {3, 56, 107, {44, 44, 0, 56}},   // 22 dB to 65 dB: +43
        {3, 0, 0, {0, 0, 0, 0}},         // -65 dB goes out as -64
        {0, 56, 127, {56, 54, 0, 54}},   // +65 dB goes out as +63
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.low);
        EXPECT_EQ(Sent(Ch(c.channel, B::kGain), c.gain), Quads({{0x1A, c.low, 1}}));
        for (int ch = 0; ch < 4; ++ch) {
            EXPECT_EQ(view->Value(Ch(ch, B::kGain)), c.expected[ch]) << ch;
            EXPECT_EQ(view->GetPreviousGain(ch), c.expected[ch]) << ch;
            // The device moved its own gains by the same change; only the
            // limited +63 dB leaves the edited channel at 63 dB, not 65.
            EXPECT_EQ(device.Gain(ch), c.low == 127 && ch == 0 ? 54 : c.expected[ch]) << ch;
        }
    }
    Poll();
    EXPECT_EQ(view->Value(Ch(0, B::kGain)), 54) << "the device's answer corrects the panel";
    // Not ganged: the group off, or ganging switched off, or no group.
    Edit(B::GroupEnableId(1), 0);
    EXPECT_EQ(Sent(Ch(0, B::kGain), 20), Quads({{0x00, 20, 0x10}}));
    EXPECT_EQ(view->Value(Ch(1, B::kGain)), 54);
    EXPECT_TRUE(view->Control(Ch(1, B::kGainGroup))->flags & PANEL_GREY_FILL);
    Edit(B::GroupEnableId(1), 1);
    EXPECT_FALSE(view->Control(Ch(1, B::kGainGroup))->flags & PANEL_GREY_FILL);
    Edit(B::kNotGrouped, 1);
    EXPECT_EQ(Sent(Ch(0, B::kGain), 22), Quads({{0x00, 22, 0x10}}));
    // A whole send adds a change of 0 dB for a ganged channel.
    Edit(B::kNotGrouped, 0);
    view->SendChangedParameters(FALSE, TRUE, TRUE);
    const Quads all = QuadsOf(NewBlocks());
    EXPECT_NE(std::find(all.begin(), all.end(), std::make_tuple(0x1A, 64, 1)), all.end());
}

TEST_F(BrisalWindow, AReplySetsEveryFieldAndOnlyWholeTripletsCount) {
    device.SetChannel(4, 33, true, 0x2F);   // mute, auto set, phantom, pad, group 2
    device.reg[10][0] = 0x05;               // phones 1: source 133, mute, right phase, high level
    device.reg[10][1] = 0x1F;
    device.reg[11][0] = 5;                  // phones 2: 1.5 dB
    device.reg[11][1] = 66;
    device.reg[12][0] = 37;                 // its signed value -0.37
    device.reg[12][1] = 1;
    device.reg[14][0] = 3;
    device.reg[14][1] = 0x1E;               // only the low four bits count
    device.reg[21][0] = 0x37;
    device.reg[21][1] = 5;
    device.reg[22][0] = 0x0E;
    device.reg[22][1] = 6;
    device.reg[23][0] = 0x2B;
    device.reg[23][1] = 0x1C;
    device.reg[24][0] = 0x05;
    device.reg[24][1] = 0x01;
    device.lamps[0] = 0x64;   // AES 2, MADI and ADAT locked
    device.lamps[1] = 0x40;   // ADAT synced
    Running();
    struct Field {
        int id;
        double value;
    };
    const Field fields[] = {{Ch(4, B::kGain), 33},        {Ch(4, B::kPhase), 1},     {Ch(4, B::kMute), 1},
                            {Ch(4, B::kAutoSet), 1},      {Ch(4, B::kPhantom), 1},   {Ch(4, B::kPad), 1},
                            {Ch(4, B::kGainGroup), 2},    {Ph(0, B::kSource), 133},  {Ph(0, B::kPhonesMute), 1},
                            {Ph(0, B::kPhaseLeft), 0},    {Ph(0, B::kPhaseRight), 1}, {Ph(0, B::kHighLevel), 1},
                            {Ph(1, B::kVolume), 1.5},     {Ph(1, B::kBalance), -0.37}, {B::kRoutingAdat, 3},
                            {B::kRoutingAdat + 1, 14},    {B::kClockSource, 7},      {B::kWckSingleSpeed, 1},
                            {B::kWckTermination, 1},      {B::kSampleRate, 5},       {B::kDelayType, 2},
                            {B::kMadiChannels, 1},        {B::kMadiFrame, 1},        {B::kDelayId, 6},
                            {B::kMidiUsb1, 3},            {B::kMidiUsb1 + 1, 5},     {B::kMidiUsb1 + 2, 4},
                            {B::kMidiMadi, 3},            {B::GroupEnableId(1), 1},  {B::GroupEnableId(3), 1},
                            {B::GroupAsId(1), 1},         {B::GroupAsId(3), 0},      {B::kAesLamp, 1},
                            {B::kWckLamp, 0},             {B::kDeviceState, 2}};
    for (const Field& f : fields) EXPECT_NEAR(view->Value(f.id), f.value, 1e-9) << view->Control(f.id)->name;
    EXPECT_EQ(view->GetPreviousGain(4), 33);
    EXPECT_TRUE(view->Control(Ch(4, B::kGainGroup))->flags & PANEL_GREY_FILL) << "group 2 is off";
    EXPECT_TRUE(view->Control(B::kMadiLamp)->flags & PANEL_BLINK) << "locked without sync";
    EXPECT_FALSE(view->Control(B::kAdatLamp)->flags & PANEL_BLINK);
    // A reply holding the triplet 18 05 01 enables groups 1 and 3.
    Receive(Reply({0x18, 0x02, 0x00, 0x18, 0x05, 0x01, 0x20, 0x00, 0x00}));
    for (int n = 1; n <= 4; ++n) EXPECT_EQ(view->Value(B::GroupEnableId(n)), n % 2) << n;
    EXPECT_EQ(view->Value(B::GroupAsId(1)), 1);
    Receive(Reply({0x18, 0x02, 0x00, 0x20, 0x00, 0x00, 0x00}));
    EXPECT_EQ(view->Value(B::GroupEnableId(2)), 0) << "15 bytes are not a reply";
    Receive(Reply({0x18, 0x02, 0x00, 0x20, 0x7F, 0x7F, 0x20, 0x00, 0x00, 0x01}));
    EXPECT_EQ(view->Value(B::GroupEnableId(2)), 1);
    EXPECT_FALSE(view->Control(Ch(4, B::kGainGroup))->flags & PANEL_GREY_FILL);
    EXPECT_EQ(view->Value(Ch(1, B::kGain)), 0) << "a triplet cut by the F7 is not read";
    // Re-addressing drops the next reply, whatever it is.
    Edit(B::kDeviceName, 5);
    EXPECT_EQ(view->GetDeviceId(), 5);
    EXPECT_EQ(view->Value(B::kDeviceIdCtl), 5);
    EXPECT_EQ(view->Control(Ch(0, B::kName))->list, theIoNames.GetIoName(IoKeyBrisal, 5, 0));
    EXPECT_TRUE(NewBlocks().empty());
    EXPECT_EQ(view->GetReplySkip(), 1);
    Receive(Reply({0x18, 0x0F, 0x00, 0x20, 0x00, 0x00, 0x20, 0x00, 0x00}));
    EXPECT_EQ(view->Value(B::GroupEnableId(4)), 0) << "dropped";
    Receive(Reply({0x18, 0x0F, 0x00, 0x20, 0x00, 0x00, 0x20, 0x00, 0x00}));
    EXPECT_EQ(view->Value(B::GroupEnableId(4)), 1);
}

TEST_F(BrisalWindow, MetersFollowTheStepsAndHoldByReplies) {
    Running();
    const int steps[][2] = {{0, 0}, {4, 0}, {5, 1}, {14, 1}, {15, 2}, {94, 8}, {95, 9}, {125, 11}, {126, 12}, {127, 12}};
    for (const auto& s : steps) EXPECT_EQ(B::MeterLevelOf(s[0]), s[1]) << s[0];
    const int level = Ch(2, B::kLevel), hold = Ch(2, B::kHold);
    auto meters = [this](int channel3, int phonesLeft, int phonesRight) {
        Receive(Reply({27, channel3, 0, 30, phonesLeft, phonesRight, 0x20, 0, 0}));
    };
    meters(0, 30, 100);
    EXPECT_EQ(view->Value(Ph(0, B::kLevel)), 9) << "the louder side";
    // Fast polling: held 10 replies, then one level a reply; the level falls two a reply.
    meters(100, 0, 0);
    EXPECT_EQ(view->Value(level), 9);
    meters(0, 0, 0);
    EXPECT_EQ(view->Value(level), 7);
    for (int k = 0; k < 9; ++k) meters(0, 0, 0);
    EXPECT_EQ(view->Value(hold), 9);
    meters(0, 0, 0);
    EXPECT_EQ(view->Value(hold), 8);
    // Slow: the count runs 10, 6, 2, 0, then the hold falls by two.
    view->SetEnableFast(FALSE);
    meters(100, 0, 0);
    for (int k = 0; k < 3; ++k) meters(0, 0, 0);
    EXPECT_EQ(view->Value(hold), 9);
    EXPECT_EQ(view->Control(hold)->hold, 0);
    meters(0, 0, 0);
    EXPECT_EQ(view->Value(hold), 7);
    // Peak Hold keeps a running peak.
    Edit(B::kPeakHold, 1);
    meters(120, 0, 0);
    for (int k = 0; k < 30; ++k) meters(20, 0, 0);
    EXPECT_EQ(view->Value(hold), 11);
    // The slim meters show levels 10 to 12 only.
    Edit(B::kSlimView, 1);
    meters(40, 0, 0);
    EXPECT_EQ(view->Value(level), 10);
    // The real fast poll asks for levels only while it is on.
    view->SetEnableFast(TRUE);
    device.moving = true;
    const int before = device.levelRequests;
    EXPECT_EQ(view->FastPoll(), 1);
    view->SetEnableFast(FALSE);
    EXPECT_EQ(view->FastPoll(), 1);
    testing_support::PumpMessages(10);
    EXPECT_EQ(device.levelRequests, before + 1);
    Command(ID_FAST_METER_POLLING);
    EXPECT_TRUE(view->GetEnableFast());
}

TEST_F(BrisalWindow, StatusTitleCommandsAndMutatedReplies) {
    // Level replies count as answers too; without them the status poll alone
    // has to bring the window online.
    view->SetEnableFast(FALSE);
    ExpectOnlineNoResponseOffline(device, [this] { return view->Value(B::kDeviceState); }, "Tesmer Brisal Vantor");
    Command(ID_HELP_CURRENT_FUNCTION);
    EXPECT_EQ(AfxGetLastHelpRequest().data, DWORD_PTR(230));
    theIoNames.SetIoName(IoKeyBrisal, 0, 2, "Kick");
    boxes.answer = IDNO;
    Command(ID_DEFAULT_IO_NAMES);
    EXPECT_STREQ(theIoNames.GetIoName(IoKeyBrisal, 0, 2), "Kick");
    boxes.answer = IDYES;
    Command(ID_DEFAULT_IO_NAMES);
    EXPECT_STREQ(theIoNames.GetIoName(IoKeyBrisal, 0, 2), "Channel 3 ");
    device.moving = true;
    device.Step();
    testing_support::FeedMutatedReplies({device.StatusReply(), device.LevelReply()}, 100000, 69,
                                        [this](const BYTE* data, int length) { view->OnSysExReceived(data, length); });
    for (int k = 0; k < view->Table()->count; ++k) {
        const PanelControl& c = view->Table()->controls[k];
        EXPECT_TRUE(c.value >= c.min && c.value <= c.max) << c.name;
    }
}

TEST_F(BrisalWindow, ALoadedRecordSendsEveryGainOfAGangedGroup) {
    Running();
    Edit(B::GroupEnableId(2), 1);
    for (int ch : {4, 5, 6}) Edit(Ch(ch, B::kGainGroup), 2);
    const std::string path = testing_support::TempPath("brisal_gang.vtw");
    for (int ch = 4; ch < 7; ++ch) PanelShowValue(10 + ch, Ch(ch, B::kGain), view->Table());
    testing_support::StoreRecord(*view, path);
    for (int ch = 4; ch < 7; ++ch) PanelShowValue(0, Ch(ch, B::kGain), view->Table());
    view->OnSysExReceived(device.StatusReply().data(), int(device.StatusReply().size()));
    NewBlocks();
    testing_support::LoadRecord(*view, path);
    const Quads sent = QuadsOf(NewBlocks());
    EXPECT_EQ(sent, Quads({{4, 14, 0x20}, {5, 15, 0x20}, {6, 16, 0x20}}));
    Poll();
    for (int ch = 4; ch < 7; ++ch) EXPECT_EQ(view->Value(Ch(ch, B::kGain)), 10 + ch) << "the device kept them";
    ::DeleteFileA(path.c_str());
}

TEST_F(BrisalRecord, TheRecordAndTheProfileKeepIdNamesAndControls) {
    B v;
    v.SetDeviceId(3);
    theIoNames.SetIoName(IoKeyBrisal, 3, 1, "Vox");
    PanelShowValue(1, Ph(1, B::kSource), v.Table());              // "Gain Group Select 10"
    PanelShowValue(1, Ch(0, B::kGainGroup), v.Table());           // "Gain Group Select 1"
    PanelShowValue(-0.5, Ph(1, B::kBalance), v.Table());          // "Phantom Power Input 10"
    PanelShowValue(1, Ch(0, B::kPhantom), v.Table());             // "Phantom Power Input 1"
    PanelShowValue(7, B::kRoutingAdat + 1, v.Table());            // "Routing ADAT 2"
    PanelShowValue(1, B::kSlimView, v.Table());
    const std::string path = File("brisal_record.vtw");
    testing_support::StoreRecord(v, path);
    std::vector<std::string> lines = testing_support::FileLines(path);
    EXPECT_EQ(lines[0], "KestBrisalIndex=03");
    EXPECT_EQ(lines[2], "IN01_NAME=     Vox");
    EXPECT_EQ(lines.back(), "");
    // A name line with blanks of its own keeps them; a damaged one is passed over.
    lines[4] = "IN03_NAME=     Mic";
    lines[5] = "IN05_NAME=Wrong";
    const std::string setup = File("brisal_record.vts");
    testing_support::WriteLines(path, lines);
    lines[0] = "KestBrisalIndex=05";
    testing_support::WriteLines(setup, lines);
    B back;
    testing_support::LoadRecord(back, path);
    EXPECT_EQ(back.GetDeviceId(), 3);
    EXPECT_STREQ(theIoNames.GetIoName(IoKeyBrisal, 3, 3), "     Mic");
    EXPECT_STRNE(theIoNames.GetIoName(IoKeyBrisal, 3, 4), "Wrong");
    struct Key {
        int id;
        double value;
    };
    const Key keys[] = {{Ph(1, B::kSource), 1}, {Ch(0, B::kGainGroup), 1}, {Ph(1, B::kBalance), -0.5},
                        {Ch(0, B::kPhantom), 1}, {B::kRoutingAdat, 0}, {B::kRoutingAdat + 1, 7}};
    for (const Key& k : keys) EXPECT_EQ(back.Value(k.id), k.value) << back.Control(k.id)->name;
    EXPECT_EQ(back.GetPanelHeight(), 124);
    B fromSetup;
    testing_support::LoadRecord(fromSetup, setup);
    EXPECT_EQ(fromSetup.GetDeviceId(), 0) << "a setup file keeps the window's device";
    lines[0] = "KestBrisalIndex=0c";
    testing_support::WriteLines(path, lines);
    testing_support::LoadRecord(fromSetup, path);
    EXPECT_EQ(fromSetup.GetDeviceId(), 0) << "no such ID";
    // The profile: values, the ID and the fast flag; nothing is marked for sending.
    v.SetEnableFast(FALSE);
    v.SaveSettings("Default\\Settings\\brisal");
    EXPECT_EQ(theApp.GetProfileInt("Default\\Settings\\brisal", "KestBrisalID", -1), 3);
    EXPECT_EQ(theApp.GetProfileInt("Default\\Settings\\brisal", "Phantom Power Input 10", 0), -50);
    B fromProfile;
    fromProfile.LoadSettings("Default\\Settings\\brisal");
    EXPECT_EQ(fromProfile.GetDeviceId(), 3);
    EXPECT_FALSE(fromProfile.GetEnableFast());
    EXPECT_EQ(fromProfile.GetPanelHeight(), 124);
    EXPECT_TRUE(fromProfile.Control(Ch(0, B::kGainGroup))->flags & PANEL_GREY_FILL);
    for (int k = 0; k < fromProfile.Table()->count; ++k)
        EXPECT_FALSE(fromProfile.Table()->controls[k].flags & PANEL_CHANGED) << fromProfile.Table()->controls[k].name;
    theApp.WriteProfileInt("Default\\Settings\\brisal", "KestBrisalID", 9);
    B badId;
    badId.LoadSettings("Default\\Settings\\brisal");
    EXPECT_EQ(badId.GetDeviceId(), 0);
}

// The Pelvo series view: the four variants' layouts, what each edit sends,
// the fixed-byte reply with its meters and hold, the titles and commands,
// and what the view keeps.
#include <string>
#include <vector>

#include "devices/preamp/pelvoview.h"
#include "resource.h"
#include "sim/simpelvo.h"
#include "support/devicewindow.h"
#include "support/recordfiles.h"

namespace {

using sim::Bytes;
using P = CPelvoSeriesFView;

const char* const kCompany = "VantorTestPelvo";

// Window of function 7 ("Pelvo Gamma", the 32-channel AD model, variant 2).
class PelvoWindow : public DeviceWindowTest {
protected:
    void SetUp() override {
        OpenDeviceWindow(kCompany, 7, &device, "Pelvo", RECT{20, 20, 900, 300});
        view = dynamic_cast<CPelvoSeriesFView*>(midiView);
        ASSERT_NE(view, nullptr);
    }
    void TearDown() override { CloseDeviceWindows(); }
    void Receive(const Bytes& reply) { view->OnSysExReceived(reply.data(), int(reply.size())); }
    Bytes ReplyWithMeter(int channel, int value) {
        device.meter[channel] = BYTE(value);
        return device.StatusReply();
    }

    sim::SimPelvo device{2, 4};
    CPelvoSeriesFView* view = nullptr;
};

class PelvoRecord : public testing_support::RecordFileTest {
protected:
    PelvoRecord() : RecordFileTest(kCompany) {}
};

}  // namespace

TEST(PelvoView, EachVariantLaysThePanelOutOnce) {
    struct Case {
        int variant, height, background, meterX1, meterMax;
        bool limiter, reduction, fan, channel17, adatSelect;
    };
    const Case cases[] = {{0, 196, 329, 104, 5, true, true, false, false, false},
                          {1, 202, 333, 106, 6, false, false, false, false, true},
                          {2, 196, 332, 71, 5, true, true, true, true, false},
                          {3, 202, 334, 74, 6, false, false, true, true, true}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.variant);
        CPelvoSeriesFView v;
        ASSERT_EQ(v.Table()->count, 129);
        EXPECT_EQ(v.SetSeriesVariant(c.variant), 1);
        EXPECT_EQ(v.SetSeriesVariant(c.variant), 0) << "once";
        EXPECT_EQ(v.GetPanelHeight(), c.height);
        EXPECT_EQ(v.Control(P::kBackground)->bitmap, c.background);
        EXPECT_EQ(v.Control(P::LevelId(1))->x, c.meterX1);
        EXPECT_EQ(v.Control(P::LevelId(1))->max, c.meterMax);
        auto shown = [&v](int id) { return !(v.Control(id)->flags & PANEL_HIDDEN); };
        EXPECT_EQ(shown(P::kLimiter), c.limiter);
        EXPECT_EQ(shown(P::ReductionId(0)), c.reduction);
        EXPECT_EQ(shown(P::kFanMode), c.fan);
        EXPECT_EQ(shown(P::LevelId(16)), c.channel17);
        EXPECT_EQ(shown(P::kSelectAdat), c.adatSelect);
        EXPECT_EQ(v.Control(P::kClockSource)->y, c.variant & 1 ? 152 : 144);
    }
    CPelvoSeriesFView beta;
    beta.SetSeriesVariant(1);
    EXPECT_STREQ(beta.Control(P::kChannelSelect)->list + 3 * PANEL_LIST_ENTRY, "49 - 64 ");
    CPelvoSeriesFView unknown;
    EXPECT_EQ(unknown.SetSeriesVariant(4), 0);
    EXPECT_EQ(unknown.GetVariant(), -1);
    sim::SimPelvo any(2);
    const Bytes reply = any.StatusReply();
    unknown.OnSysExReceived(reply.data(), int(reply.size()));
    EXPECT_EQ(unknown.m_nStatusCounter, 10) << "no reply is taken without a variant";
}

TEST_F(PelvoWindow, EditsSendTheirGroupsAndSkipWhereTheyMay) {
    Running();
    ASSERT_EQ(view->GetVariant(), 2);
    struct Case {
        const char* what;
        int id;
        double value;
        Pairs groups;
        int skip;
    };
    const Case cases[] = {
        {"MADI block 33-64", P::kChannelSelect, 1, {{0, 0x50 | 0x08}}, 1},
        {"BNC", P::kInputBnc, 1, {{0, 0x10 | 0x08}}, 1},
        {"clock MADI", P::kClockSource, 2, {{1, 0x34}}, 1},
        {"internal 48k", P::kClockSource, 0, {{1, 0x14}}, 1},
        {"internal 44.1k", P::kClockFrequency, 0, {{1, 0x04}}, 1},
        {"analog +24dBu", P::kAnalogLevel, 2, {{2, 0x50}}, 0},
        {"keys lock", P::kKeysLock, 1, {{2, 0x51}}, 0},
        {"fan cool", P::kFanMode, 2, {{0x27, 64}}, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(GroupsOf(Edit(c.id, c.value)), c.groups);
        EXPECT_EQ(view->GetReplySkip(), c.skip);
        view->RequestDeviceData(TRUE);
        testing_support::PumpMessages(10);
    }
    // The peak-hold reset: holds to 0, 3 in the mode field, the button dark.
    Edit(P::kPeakHoldMode, 2);
    Receive(ReplyWithMeter(5, 6));
    ASSERT_EQ(view->Value(P::HoldId(5)), 5) << "an AD meter goes up to 5";
    EXPECT_EQ(GroupsOf(Edit(P::kPeakHoldReset, 1)), Pairs({{2, 0x5D}}));
    EXPECT_EQ(view->Value(P::HoldId(5)), 0);
    EXPECT_EQ(view->Value(P::kPeakHoldReset), 0);
    EXPECT_EQ(device.peakResets, 1);
    // The ID list: All is 127, 15 is 15; nothing is sent.
    EXPECT_TRUE(Edit(P::kDeviceIdCtl, 16).empty());
    EXPECT_EQ(view->GetDeviceId(), 127);
    EXPECT_EQ(view->Value(P::kDeviceName), 16);
    Edit(P::kDeviceIdCtl, 15);
    EXPECT_EQ(view->GetDeviceId(), 15);
    EXPECT_EQ(view->GetNameIndex(), 15);
}

TEST_F(PelvoWindow, TheReplyShowsEveryByteAndTheMetersFollowTheirModes) {
    device.setting0 = 0x40 | 0x20 | 0x10 | 0x08 | 0x01;
    device.setting1 = 0x30 | 0x08 | 0x01;
    device.setting2 = 0x40 | 0x10 | 0x04 | 0x01;
    device.inputState = 0x40 | 0x20 | 0x10 | 0x08;
    device.clockState = 0x40 | 0x01;
    device.adatState = 0x10 | 0x20 | 0x04;
    device.fan = 0x40 | 0x03;
    device.temperature = 51;
    Running();
    // The range before byte 8 decides whether the 96k frame out can show:
    // the second reply shows it.
    Poll();
    struct Shown {
        int id;
        double value;
    };
    const Shown shown[] = {{P::kOutputFrame, 1},    {P::kOutputChannels, 1}, {P::kChannelSelect, 1},
                           {P::kSelectAdat, 1},     {P::kSelectMadi, 0},     {P::kClockSource, 2},
                           {P::kWckSingleSpeed, 1}, {P::kSampleRateRange, 1}, {P::kAnalogLevel, 2},
                           {P::kLimiter, 1},        {P::kPeakHoldMode, 1},   {P::kKeysLock, 1},
                           {P::kInputOpt, 1},       {P::kInputBnc, 0},       {P::kInputState, 2},
                           {P::kInputFrame, 1},     {P::kInputChannels, 0},  {P::kWckState, 1},
                           {P::kAdatClockState, 1}, {P::kAdat1State + 1, 1}, {P::kAdat1State + 2, 1},
                           {P::kAdat1State + 3, 0}, {P::kFanMode, 2},        {P::kFanSpeed, 3},
                           {P::kTemperature, 51},   {P::kDeviceState, 2}};
    for (const Shown& s : shown) EXPECT_EQ(view->Value(s.id), s.value) << view->Control(s.id)->name;
    EXPECT_TRUE(view->Control(P::kInputOpt)->flags & PANEL_BLINK) << "the device fell back";
    EXPECT_TRUE(view->Control(P::kAdatClockState)->flags & PANEL_BLINK);
    EXPECT_FALSE(view->Control(P::kAdat1State + 1)->flags & PANEL_BLINK);
    // Another variant's reply, or another length, is not taken.
    view->m_nStatusCounter = 2;
    Bytes other = device.StatusReply();
    other[10] = BYTE((other[10] & 0x7C) | 1);
    Receive(other);
    EXPECT_EQ(view->m_nStatusCounter, 2);
    Bytes longer = device.StatusReply();
    longer.insert(longer.end() - 1, 3, 0);
    Receive(longer);
    EXPECT_EQ(view->m_nStatusCounter, 2) << "53 bytes";

    // Gain reduction from bits 3..5 (bit 6 marks the lightest step).
    struct Reduction {
        int value;
        double shown;
    };
    const Reduction reductions[] = {{0x00, 4}, {0x40, 3}, {0x10, 2}, {0x20, 1}, {0x38, 0}};
    for (const Reduction& r : reductions) {
        Receive(ReplyWithMeter(0, r.value));
        EXPECT_EQ(view->Value(P::ReductionId(0)), r.shown) << r.value;
    }
    // Auto hold with slow polling: 4 lower replies, gone on the 5th.
    PanelShowValue(1, P::kPeakHoldMode, view->Table());
    Receive(ReplyWithMeter(3, 4));
    int kept = 0;
    while (kept < 100 && view->Value(P::HoldId(3)) == 4) {
        Receive(ReplyWithMeter(3, 1));
        ++kept;
    }
    EXPECT_EQ(kept, 5);
    EXPECT_EQ(view->Value(P::LevelId(3)), 1) << "slow: the level follows at once";
    view->SetEnableFast(TRUE);
    Receive(ReplyWithMeter(3, 5));
    for (int k = 0; k < 40; ++k) Receive(ReplyWithMeter(3, 0));
    EXPECT_EQ(view->Value(P::HoldId(3)), 5);
    EXPECT_EQ(view->Value(P::LevelId(3)), 0);
    Receive(ReplyWithMeter(3, 0));
    EXPECT_EQ(view->Value(P::HoldId(3)), 0) << "gone on the 41st";
}

TEST_F(PelvoWindow, TitlesFastPollingAndCommands) {
    view->UpdateStatus(-10, 0);
    EXPECT_EQ(frame->GetWindowText(), "Tesmer Pelvo Gamma Vantor");
    Running();
    auto statusRequests = [this] {
        int n = 0;
        for (const Bytes& b : driver.SentTo(out))
            if (b.size() == 8 && b[6] == 0x10) ++n;
        return n;
    };
    int before = statusRequests();
    EXPECT_EQ(view->FastPoll(), 1);
    EXPECT_EQ(statusRequests(), before) << "fast polling starts off";
    Command(ID_FAST_METER_POLLING);
    EXPECT_EQ(view->FastPoll(), 1);
    EXPECT_EQ(statusRequests(), before + 1) << "and asks for the full status";
    boxes.answer = IDYES;
    testing_support::WhenDialogAppears([](HWND dlg) {
        ::SendDlgItemMessageA(dlg, 1004, CB_SETCURSEL, 9, 0);
        ::SendMessageA(dlg, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    });
    Command(ID_PROGRAM_DEVICE_ID);
    EXPECT_EQ(driver.SentTo(out).back(), Bytes({0xF0, 0x00, 0x7E, 0x31, 0x32, 0x7F, 0x20, 0x31, 0x09, 0xF7}));
    EXPECT_EQ(device.DeviceId(), 9);
    Command(ID_HELP_CURRENT_FUNCTION);
    EXPECT_EQ(AfxGetLastHelpRequest().data, DWORD_PTR(237));
    device.moving = true;
    testing_support::FeedMutatedReplies({device.StatusReply()}, 100000, 32,
                                        [this](const BYTE* data, int length) { view->OnSysExReceived(data, length); });
    for (int k = 0; k < view->Table()->count; ++k) {
        const PanelControl& c = view->Table()->controls[k];
        EXPECT_TRUE(c.value >= c.min && c.value <= c.max) << c.name;
    }
}

TEST_F(PelvoRecord, TheRecordAndTheProfileKeepTheIdAndSettings) {
    CPelvoSeriesFView v;
    PanelShowValue(2, P::kAnalogLevel, v.Table());
    const std::string path = File("pelvo_record.vts");
    testing_support::StoreRecord(v, path);
    std::vector<std::string> lines = testing_support::FileLines(path);
    EXPECT_EQ(lines[0], "KestPelvoIndex=7f");
    EXPECT_EQ(lines[1], "Device ID=16.000000");
    lines[0] = "KestPelvoIndex=0a";
    testing_support::WriteLines(path, lines);
    CPelvoSeriesFView back;
    testing_support::LoadRecord(back, path);
    EXPECT_EQ(back.GetDeviceId(), 10) << "whatever the file";
    EXPECT_EQ(back.Value(P::kAnalogLevel), 2);
    v.SaveSettings("Default\\Settings\\pelvogamma");
    EXPECT_EQ(theApp.GetProfileInt("Default\\Settings\\pelvogamma", "KestPelvoID", -1), 127);
    EXPECT_EQ(theApp.GetProfileInt("Default\\Settings\\pelvogamma", "Input Level 1", -1), -1) << "no meters";
    CPelvoSeriesFView fromProfile;
    fromProfile.LoadSettings("Default\\Settings\\pelvogamma");
    EXPECT_EQ(fromProfile.Value(P::kAnalogLevel), 2);
    EXPECT_TRUE(fromProfile.Control(P::kAnalogLevel)->flags & PANEL_CHANGED) << "sent with the next block";
}

TEST_F(PelvoWindow, OneWindowTakesEachModelsShapeInTurn) {
    struct Model {
        UINT command;
        int variant, height;
        const char* title;
        int blockFactor;
    };
    const Model models[] = {{ID_FUNCTION_ROW9, 0, 196, "Tesmer Pelvo Alpha Vantor", 1},
                            {ID_FUNCTION_ROW10, 1, 202, "Tesmer Pelvo Beta Vantor", 1},
                            {ID_FUNCTION_ROW7, 2, 196, "Tesmer Pelvo Gamma Vantor", 2},
                            {ID_FUNCTION_ROW8, 3, 202, "Tesmer Pelvo Delta Vantor", 2}};
    for (const Model& m : models) {
        SCOPED_TRACE(m.title);
        Command(m.command);
        auto* v = dynamic_cast<CPelvoSeriesFView*>(doc->GetMidiView());
        ASSERT_NE(v, nullptr);
        midiView = panelView = v;
        EXPECT_EQ(v->GetVariant(), m.variant);
        v->UpdateWindow();
        testing_support::PumpMessages(30);
        RECT client;
        v->GetClientRect(&client);
        EXPECT_EQ(client.bottom, m.height);
        EXPECT_EQ(client.right, 796);
        v->UpdateStatus(-10, 0);
        EXPECT_EQ(frame->GetWindowText(), m.title);
        // The MADI block goes out in 16-channel steps whatever the list.
        StartMidi();
        NewBlocks();
        const Pairs sent = GroupsOf(Edit(P::kChannelSelect, 1));
        ASSERT_EQ(sent.size(), 1u);
        EXPECT_EQ((sent[0].second >> 2) & 3, m.blockFactor);
        doc->StartStopMidi(FALSE);
    }
}

// The level meters: how they fall, how the peak hold keeps and lets go in
// each mode and polling speed, the gain-reduction meters, short replies, and
// how often the level request goes out.
#include <algorithm>

#include "ombrel_fixture.h"
#include "resource.h"

using namespace ombreltest;

namespace {

// Levels of channel 1 on both sides, the other channels silent.
Bytes Channel1(int inputByte, int outputLevel) { return LevelReply({inputByte}, {outputLevel}); }

}  // namespace

TEST_F(OmbrelWindow, MetersFallOneStepPerReplyWithFastPollingAndAtOnceWithout) {
    const int in = V::StripId(0, V::kInputLevel), out = V::StripId(0, V::kOutputLevel);
    view->SetEnableFast(TRUE);
    Receive(Channel1(7, 7));
    EXPECT_EQ(view->Value(in), 7);
    for (int expected : {6, 5, 4, 3}) {
        Receive(Channel1(0, 0));
        EXPECT_EQ(view->Value(in), expected);
        EXPECT_EQ(view->Value(out), expected);
    }
    Receive(Channel1(5, 1));
    EXPECT_EQ(view->Value(in), 5) << "a higher level shows at once";
    EXPECT_EQ(view->Value(out), 2);
    view->SetEnableFast(FALSE);
    Receive(Channel1(0, 0));
    EXPECT_EQ(view->Value(in), 0);
    EXPECT_EQ(view->Value(out), 0);
}

TEST_F(OmbrelWindow, PeakHoldKeepsThePeakForItsModeAndPollingSpeed) {
    const int hold = V::StripId(0, V::kInputHold), outHold = V::StripId(0, V::kOutputHold);
    struct Case {
        const char* what;
        int mode;    // Off, Auto Reset, Infinite
        BOOL fast;
        int replies;   // quiet replies after the peak that still show it
    };
    const Case cases[] = {
        {"auto reset, fast polling", 1, TRUE, 40},
        {"auto reset, slow polling", 1, FALSE, 4},   // 40, 27, 14, 1, then -12
        {"infinite", 2, FALSE, 200},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        // Off clears the holds; the mode then starts from silence.
        PanelShowValue(0, V::kPeakHoldMode, view->Table());
        Receive(Channel1(0, 0));
        PanelShowValue(c.mode, V::kPeakHoldMode, view->Table());
        view->SetEnableFast(c.fast);
        Receive(Channel1(0, 0));
        ASSERT_EQ(view->Value(hold), 0);
        Receive(Channel1(6, 4));
        int shown = 0;
        while (shown < 300 && view->Value(hold) == 6) {
            Receive(Channel1(2, 1));
            ++shown;
        }
        EXPECT_EQ(shown, c.mode == 2 ? 300 : c.replies + 1) << "replies until the hold let go";
        if (c.mode != 2) {
            EXPECT_EQ(view->Value(hold), 0) << "it drops to 0 ...";
            Receive(Channel1(2, 1));
            EXPECT_EQ(view->Value(hold), 2) << "... and takes the level of the next reply";
            EXPECT_EQ(view->Value(outHold), 1);
        }
    }
    // A new peak at or above the hold starts its count again.
    PanelShowValue(0, V::kPeakHoldMode, view->Table());
    Receive(Channel1(0, 0));
    PanelShowValue(1, V::kPeakHoldMode, view->Table());
    view->SetEnableFast(TRUE);
    Receive(Channel1(5, 0));
    for (int k = 0; k < 30; ++k) Receive(Channel1(1, 0));
    Receive(Channel1(5, 0));
    for (int k = 0; k < 30; ++k) Receive(Channel1(1, 0));
    EXPECT_EQ(view->Value(hold), 5);
    // Off shows nothing, and a reset clears the holds in every mode.
    PanelShowValue(0, V::kPeakHoldMode, view->Table());
    Receive(Channel1(7, 7));
    EXPECT_EQ(view->Value(hold), 0);
    EXPECT_EQ(view->Value(outHold), 0);
}

TEST_F(OmbrelWindow, GainReductionShowsOnlyInItsMeterModeOrWithAnAnalogueLimiter) {
    const int gr = V::StripId(3, V::kInputGainReduction);
    const Bytes reply = LevelReply({0, 0, 0, 2 << 3 | 4}, {});
    struct Case {
        int meterMode, limiter;
        double shown;
    };
    // Showing 7 - g: 5 with a reduction of 2; none shows 7, clamped to 6.
    const Case cases[] = {{0, 0, 6}, {0, 1, 6}, {0, 2, 5}, {0, 3, 5}, {1, 0, 5}, {1, 1, 5}};
    for (const Case& c : cases) {
        PanelShowValue(c.meterMode, V::kMeterMode, view->Table());
        PanelShowValue(c.limiter, V::kLimiterMode, view->Table());
        Receive(reply);
        EXPECT_EQ(view->Value(gr), c.shown) << "meter mode " << c.meterMode << ", limiter " << c.limiter;
        EXPECT_EQ(view->Value(V::StripId(2, V::kInputGainReduction)), 6) << "no reduction on channel 3";
    }
}

TEST_F(OmbrelWindow, AShortLevelReplyMovesOnlyTheChannelsItCarries) {
    view->SetEnableFast(FALSE);
    PanelShowValue(1, V::kMeterMode, view->Table());
    Receive(LevelReply({3, 3, 3, 3, 3, 3, 3, 3}, {4, 4, 4, 4, 4, 4, 4, 4}));
    // 18 bytes: the header, eight inputs and two outputs, then F7.
    Bytes cut = LevelReply({3 << 3 | 6, 1, 1, 1, 1, 1, 1, 1}, {2, 2, 2, 2, 2, 2, 2, 2});
    cut.resize(17);
    cut.push_back(0xF7);
    ASSERT_EQ(cut.size(), 18u);
    Receive(cut);
    EXPECT_EQ(view->Value(V::StripId(0, V::kInputLevel)), 6);
    EXPECT_EQ(view->Value(V::StripId(0, V::kInputGainReduction)), 4);
    EXPECT_EQ(view->Value(V::StripId(7, V::kInputLevel)), 1);
    EXPECT_EQ(view->Value(V::StripId(0, V::kOutputLevel)), 2);
    EXPECT_EQ(view->Value(V::StripId(1, V::kOutputLevel)), 2);
    for (int c = 2; c < 8; ++c) EXPECT_EQ(view->Value(V::StripId(c, V::kOutputLevel)), 4) << "kept, channel " << c + 1;
    // 15 bytes are no level reply; 16 bytes carry eight inputs; a wrong mark is none.
    Bytes shortest(cut.begin(), cut.begin() + 15);
    shortest.back() = 0xF7;
    Receive(shortest);
    EXPECT_EQ(view->Value(V::StripId(7, V::kInputLevel)), 1);
    Bytes other = LevelReply({5, 5, 5, 5, 5, 5, 5, 5}, {});
    other[6] = 0x30;
    Receive(other);
    EXPECT_EQ(view->Value(V::StripId(7, V::kInputLevel)), 1);
}

TEST_F(OmbrelRunning, FastPollingAsksForLevelsEveryTimeOrEveryEleventhTime) {
    auto levelRequests = [this] {
        int n = 0;
        for (const Bytes& b : driver.SentTo(out))
            if (b.size() == 8 && b[6] == 0x11) ++n;
        return n;
    };
    ASSERT_TRUE(view->GetEnableFast());
    int before = levelRequests();
    for (int k = 0; k < 5; ++k) EXPECT_EQ(view->FastPoll(), 1);
    EXPECT_EQ(levelRequests() - before, 5);
    EXPECT_EQ(driver.SentTo(out).back(), Bytes({0xF0, 0x00, 0x7E, 0x31, 0x41, 0x7F, 0x11, 0xF7}));

    // The menu command turns it off; its item is checked only while on and open.
    struct Recorder : CCmdUI {
        int enabled = -1, checked = -1;
        void Enable(BOOL on) override { enabled = on ? 1 : 0; }
        void SetCheck(int check) override { checked = check; }
    } ui;
    ui.m_nID = ID_FAST_METER_POLLING;
    frame->OnCmdMsg(ID_FAST_METER_POLLING, CN_UPDATE_COMMAND_UI, &ui, nullptr);
    EXPECT_EQ(ui.enabled, 1);
    EXPECT_EQ(ui.checked, 1);
    Command(ID_FAST_METER_POLLING);
    EXPECT_FALSE(view->GetEnableFast());
    frame->OnCmdMsg(ID_FAST_METER_POLLING, CN_UPDATE_COMMAND_UI, &ui, nullptr);
    EXPECT_EQ(ui.checked, 0);

    before = levelRequests();
    std::vector<int> sentOn;
    for (int call = 1; call <= 33; ++call) {
        const int n = levelRequests();
        EXPECT_EQ(view->FastPoll(), 1);
        if (levelRequests() > n) sentOn.push_back(call);
    }
    EXPECT_EQ(sentOn, std::vector<int>({11, 22, 33}));
    doc->StartStopMidi(FALSE);
    frame->OnCmdMsg(ID_FAST_METER_POLLING, CN_UPDATE_COMMAND_UI, &ui, nullptr);
    EXPECT_EQ(ui.enabled, 0) << "only while the ports are open";
}

TEST_F(OmbrelWindow, TheMetersFollowTheSimulatedLevelsWithThePollOfTheTransport) {
    device.moving = true;
    // The device holds infinitely too, or its first status reply would turn
    // the panel's hold off before the triangle reaches its top.
    device.reg[0x13] = 2 << 3;
    PanelShowValue(2, V::kPeakHoldMode, view->Table());
    RunPollTimer(true);
    StartMidi();
    int highest = 0, changes = 0;
    double last = -1;
    // The simulated level climbs one step per reply, and replies come with
    // the real timer: a loaded machine gets fewer of them per second.
    for (int t = 0; t < 8000 && (highest < 7 || changes <= 5 || device.levelRequests <= 10); t += 30) {
        testing_support::PumpMessages(30);
        const double level = view->Value(V::StripId(0, V::kInputLevel));
        if (level != last) ++changes;
        last = level;
        highest = std::max(highest, int(view->Value(V::StripId(0, V::kInputHold))));
    }
    EXPECT_GT(device.levelRequests, 10);
    EXPECT_GT(changes, 5) << "the meter moves";
    EXPECT_EQ(highest, 7) << "the hold caught the top of the triangle";
    EXPECT_EQ(view->Value(V::kPeakHoldMode), 2);
}

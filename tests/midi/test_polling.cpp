// The 15 ms scheduler over simulated time (counted in ticks), the status
// blink, the tray icon and the callback window.
#include "midifixture.h"

#include "framework/winapp.h"

namespace miditest {
namespace {

class PollTest : public MidiTest {
protected:
    void SetUp() override {
        MidiTest::SetUp();
        driver.AddInput("In A");
        driver.AddOutput("Out A");
    }
    // Views in slots 0..count-1 (with free slots where asked).
    std::vector<RecordingView*> Fill(int count, std::vector<int> freeSlots = {}) {
        std::vector<RecordingView*> out;
        for (int i = 0; i < count; ++i) {
            RecordingView* v = NewView(0x62, 0);
            EXPECT_TRUE(Open(v));
            out.push_back(v);
        }
        for (int i : freeSlots) mme->ClosePorts(out[size_t(i)]);
        return out;
    }
};

TEST_F(PollTest, FullRequestsGoRoundTheUsedSlotsOnEveryFifthTick) {
    // Slots 0, 1 and 3 used. The first pass starts with slot 1; a pass starts
    // again with slot 0 once its pass count passes 10 (the 12th fifth tick).
    std::vector<RecordingView*> v = Fill(4, {2});
    Tick(130);
    EXPECT_EQ((std::vector<int>{60, 120}), v[0]->requestTicks);
    EXPECT_EQ((std::vector<int>{5, 65, 125}), v[1]->requestTicks);
    EXPECT_EQ((std::vector<int>{10, 70, 130}), v[3]->requestTicks);
    EXPECT_TRUE(v[2]->requestTicks.empty());
}

TEST_F(PollTest, WithTwentySlotsAPassTakesTwentyOneFullRequestTicks) {
    std::vector<RecordingView*> v = Fill(20);
    Tick(5 * 42);
    EXPECT_EQ((std::vector<int>{5 * 21, 5 * 42}), v[0]->requestTicks);
    EXPECT_EQ((std::vector<int>{5, 5 * 22}), v[1]->requestTicks);
    EXPECT_EQ((std::vector<int>{5 * 19, 5 * 40}), v[19]->requestTicks);
    EXPECT_EQ(size_t(42 - 2), driver.sent.size()) << "the 20th and 41st full-request ticks send nothing";
}

TEST_F(PollTest, WithoutUsedSlotsThePassCountAndTheBlinkStillAdvance) {
    Tick(5 * 3);
    EXPECT_EQ(1, mme->GetBlinkState());
    Tick(5 * 8);   // the 11th full-request tick ends the pass
    RecordingView* v = Fill(2)[1];
    Tick(5);
    EXPECT_EQ((std::vector<int>{5 * 12}), views[0]->requestTicks);
    EXPECT_TRUE(v->requestTicks.empty());
}

TEST_F(PollTest, TheFastSweepStopsAtTheFirstViewThatSendsAFastRequest) {
    std::vector<RecordingView*> v = Fill(3);
    v[0]->fast = true;
    v[2]->fast = true;
    Tick(20);
    // Phases 2 and 3 are the 3rd and 4th tick of each five.
    // Ticks 8 and 14 find the cursor past the last used slot and ask nobody.
    EXPECT_EQ((std::vector<int>{3, 9, 18}), v[0]->fastAskTicks);
    EXPECT_EQ((std::vector<int>{4, 13, 19}), v[1]->fastAskTicks);
    EXPECT_EQ((std::vector<int>{4, 13, 19}), v[2]->fastAskTicks);
    int fastRequests = 0;
    for (const sim::SentMessage& m : driver.sent) fastRequests += m.bytes[6] == 0x11;
    EXPECT_EQ(6, fastRequests);
}

// A device that never answered starts one blink nearer to silent than one
// that just did: -1 from the fourth toggle.
TEST_F(PollTest, TheBlinkTogglesAfterThreeAndSixFullRequestTicks) {
    RecordingView* v = Fill(1)[0];
    Tick(5 * 22);
    ASSERT_EQ(5u, v->statuses.size());
    const int ticks[] = {15, 45, 60, 90, 105};
    const int states[] = {0, 0, 0, -1, -1};
    for (size_t i = 0; i < 5; ++i) {
        EXPECT_EQ(ticks[i], v->statuses[i].tick);
        EXPECT_EQ(i % 2 == 0 ? 1 : 0, v->statuses[i].phase);
        EXPECT_EQ(states[i], v->statuses[i].state);
    }
}

TEST_F(PollTest, ADeviceIsReportedSilentBetween1350And1800MsAfterItsLastReply) {
    sim::SimGenericDevice dev(0x62, 0);
    driver.Connect(&dev, 0, 0);
    std::vector<RecordingView*> v = Fill(3);
    Tick(5 * 60);
    for (RecordingView* view : v)
        for (const Status& s : view->statuses) EXPECT_EQ(0, s.state) << "replies keep every window online";

    dev.SetAnswer(sim::SimDevice::Answer::Silent);
    Tick(5 * 40);
    for (RecordingView* view : v) {
        ASSERT_FALSE(view->replyTicks.empty());
        const int last = view->replyTicks.back();
        int firstSilent = -1;
        for (const Status& s : view->statuses)
            if (s.state == -1 && firstSilent < 0) firstSilent = s.tick;
        ASSERT_GT(firstSilent, 0);
        EXPECT_GE((firstSilent - last) * 15, 1350);
        EXPECT_LE((firstSilent - last) * 15, 1800);
        int toggles = 0;
        for (const Status& s : view->statuses) toggles += s.tick > last && s.tick <= firstSilent;
        EXPECT_EQ(5, toggles) << "-1 from the fifth toggle after the last reply";
    }
}

namespace {
std::vector<int> g_shown;   // 1 restore, 0 minimize, 2 menu
void recordShowAll(BOOL restore) { g_shown.push_back(restore ? 1 : 0); }
void recordMenu() { g_shown.push_back(2); }
}  // namespace

TEST_F(PollTest, TheTrayIconRestoresMinimizesAndOpensItsMenuOutsideDialogs) {
    g_shown.clear();
    mme->SetTrayActions(TrayActions{recordShowAll, recordMenu});
    HWND wnd = mme->GetCallbackWindow();
    auto click = [wnd](UINT mouse) { return SendMessageA(wnd, CMmeIn::kTrayMessage, CMmeIn::kTrayIconId, mouse); };
    EXPECT_EQ(1, click(WM_LBUTTONDOWN));
    EXPECT_EQ(30, mme->GetTrayCountdown());
    for (int i = 0; i < 29; ++i) SendMessageA(wnd, WM_TIMER, 1, 0);
    click(WM_LBUTTONDOWN);   // within 450 ms
    EXPECT_EQ(0, mme->GetTrayCountdown());
    click(WM_LBUTTONDOWN);
    for (int i = 0; i < 30; ++i) SendMessageA(wnd, WM_TIMER, 1, 0);
    click(WM_LBUTTONDOWN);   // 450 ms later: a new first click
    click(WM_LBUTTONDBLCLK);
    click(WM_RBUTTONDOWN);
    {
        AfxModalScope dialogOpen;
        click(WM_RBUTTONDOWN);
    }
    EXPECT_EQ((std::vector<int>{1, 0, 1, 1, 0, 2}), g_shown);
}

TEST_F(PollTest, TheCallbackWindowIsAMessageOnlyWindowThatTicksAndHoldsTheTrayIcon) {
    CMmeIn transport;
    transport.EnsureCallbackWindow();
    HWND wnd = transport.GetCallbackWindow();
    ASSERT_NE(nullptr, wnd);
    transport.EnsureCallbackWindow();
    EXPECT_EQ(wnd, transport.GetCallbackWindow()) << "one window only";
    EXPECT_NE(GetDesktopWindow(), GetAncestor(wnd, GA_PARENT)) << "not a top-level window";
    EXPECT_NE(nullptr, FindWindowExA(HWND_MESSAGE, nullptr, "MidiCallBack", nullptr));
    EXPECT_TRUE(transport.UpdateTrayIcon(wnd, CMmeIn::TrayModify)) << "the icon was added";

    RecordingView* first = NewView();
    RecordingView* v = NewView();   // slot 1 is asked on the fifth tick
    MidiPortSettings s = Ports("In A", "Out A");
    ASSERT_TRUE(transport.OpenPorts(&s, first, FALSE));
    ASSERT_TRUE(transport.OpenPorts(&s, v, FALSE));
    // The real 15 ms timer.
    EXPECT_TRUE(testing_support::PumpUntil([v] { return !v->requestTicks.empty(); }));
    transport.ClosePorts(first);
    transport.ClosePorts(v);
}

}  // namespace
}  // namespace miditest

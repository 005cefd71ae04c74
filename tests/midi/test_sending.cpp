// The bytes that leave, the waits after requests, the input buffers, and which
// views a reply reaches.
#include "midifixture.h"

namespace miditest {
namespace {

class SendTest : public MidiTest {
protected:
    void SetUp() override {
        MidiTest::SetUp();
        driver.AddInput("In A");
        driver.AddInput("In B");
        driver.AddOutput("Out A");
        driver.AddOutput("Out B");
    }
    std::vector<Bytes> Sent() const { return driver.SentTo(0); }
};

TEST_F(SendTest, RequestsAreEightBytesFollowedByTheirWait) {
    RecordingView* v = NewView(0x62, 3);
    RecordingView* brisal = NewView(0x69, 5);
    ASSERT_TRUE(Open(v));
    ASSERT_TRUE(Open(brisal));
    struct Case {
        RecordingView* view;
        int command;
        int wait;
    } cases[] = {{v, 0x10, 35}, {v, 0x11, 5}, {brisal, 0x10, 70}, {brisal, 0x11, 50}};
    for (const Case& c : cases) {
        driver.waits.clear();
        EXPECT_EQ(0, mme->SendRequest(c.view, c.command, c.view->model, c.view->device));
        EXPECT_EQ((Bytes{0xF0, 0x00, 0x7E, 0x31, BYTE(c.view->model), BYTE(c.view->device), BYTE(c.command), 0xF7}),
                  Sent().back());
        EXPECT_EQ(std::vector<int>{c.wait}, driver.waits);
    }
}

TEST_F(SendTest, ShortMessagesKeepEveryDataByteBelow0x80) {
    RecordingView* v = NewView();
    EXPECT_FALSE(mme->SendShortMessage(v, 0x20, 0x31, 2, 0x62, 0x7F)) << "no slot, nothing sent";
    ASSERT_TRUE(Open(v, "In A", "Out A", TRUE));
    EXPECT_TRUE(mme->SendShortMessage(v, 0x20, 0x31, 2, 0x62, 0x7F));
    EXPECT_TRUE(mme->SendShortMessage(v, 0x20, 0x85, 0x1FF, 0x62, 0x90));
    EXPECT_TRUE(mme->SendShortMessage(v, 0x10, -1, 0, 0x62, 4));
    ASSERT_EQ(3u, Sent().size());
    EXPECT_EQ((Bytes{0xF0, 0x00, 0x7E, 0x31, 0x62, 0x7F, 0x20, 0x31, 0x02, 0xF7}), Sent()[0]);
    EXPECT_EQ((Bytes{0xF0, 0x00, 0x7E, 0x31, 0x62, 0x10, 0x20, 0x05, 0x7F, 0xF7}), Sent()[1]);
    EXPECT_EQ((Bytes{0xF0, 0x00, 0x7E, 0x31, 0x62, 0x04, 0x10, 0xF7}), Sent()[2]);
    EXPECT_EQ(0, mme->SendRequest(v, 0x10, 0x62, 4)) << "an output-only slot takes no request";
    EXPECT_EQ(3u, Sent().size());
}

TEST_F(SendTest, ParameterBlocksReplaceARepeatedAddressAndStayWithinTheirBuffer) {
    RecordingView* v = NewView();
    ASSERT_TRUE(Open(v));
    mme->BeginParameterBlock(v, 0x20, 0x62, 2);
    EXPECT_FALSE(mme->SendParameterBlock(v, 0x62, 2)) << "a block without groups sends nothing";
    mme->AddParameter(v, 0x10, 1, 0x62, 2);
    mme->AddParameter(v, 0x11, 0x40, 0x62, 2);
    mme->AddParameter(v, 0x90, 0x85, 0x62, 2);   // the same address once its high bit is gone
    EXPECT_TRUE(mme->SendParameterBlock(v, 0x62, 2));
    EXPECT_EQ((Bytes{0xF0, 0x00, 0x7E, 0x31, 0x62, 0x02, 0x20, 0x10, 0x05, 0x11, 0x40, 0xF7}), Sent().back());

    // Every 7-bit address once, then again: 128 groups and no more.
    mme->BeginParameterBlock(v, 0x20, 0x62, 2);
    for (int a = 0; a < 300; ++a) mme->AddParameter(v, a, a / 128, 0x62, 2);
    EXPECT_TRUE(mme->SendParameterBlock(v, 0x62, 2));
    const Bytes block = Sent().back();
    ASSERT_EQ(size_t(8 + 2 * 128), block.size());
    EXPECT_EQ(0xF7, block.back());
    EXPECT_EQ(0x00, block[7]);
    EXPECT_EQ(2, block[8]) << "address 0 last came with a = 256";
    EXPECT_EQ(1, block[8 + 2 * 127]) << "address 127 last came with a = 255";

    // Groups gathered as 2-byte groups and sent as 4-byte ones never overrun.
    mme->SendParameterBlock(v, 0x69, 2);
    EXPECT_EQ(size_t(300), Sent().back().size());
    EXPECT_EQ(0xF7, Sent().back().back());
}

TEST_F(SendTest, WideGroupsGoOutSixteenAtATime) {
    RecordingView* v = NewView(0x69, 1);
    ASSERT_TRUE(Open(v));
    mme->BeginParameterBlock(v, 0x20, 0x69, 1);
    for (int a = 0; a < 16; ++a) mme->AddParameter(v, a, 0x0203 + a, 0x69, 1);
    ASSERT_EQ(1u, Sent().size()) << "the 16th group sends the block";
    const Bytes first = Sent()[0];
    EXPECT_EQ(size_t(8 + 16 * 4), first.size());
    EXPECT_EQ((Bytes{0xF0, 0x00, 0x7E, 0x31, 0x69, 0x01, 0x20, 0x00, 0x03, 0x02, 0x7F}),
              Bytes(first.begin(), first.begin() + 11));
    EXPECT_FALSE(mme->SendParameterBlock(v, 0x69, 1)) << "nothing is left for the closing send";

    mme->BeginParameterBlock(v, 0x20, 0x69, 1);
    for (int a = 0; a < 20; ++a) mme->AddParameter(v, a, 0, 0x69, 1);
    mme->AddParameter(v, 17, 0x81FF, 0x69, 1);   // replaces both value bytes of its group
    EXPECT_TRUE(mme->SendParameterBlock(v, 0x69, 1));
    ASSERT_EQ(3u, Sent().size());
    EXPECT_EQ((Bytes{0xF0, 0x00, 0x7E, 0x31, 0x69, 0x01, 0x20, 16, 0, 0, 0x7F, 17, 0x7F, 0x01, 0x7F, 18, 0, 0, 0x7F,
                     19, 0, 0, 0x7F, 0xF7}),
              Sent()[2]);
}

TEST_F(SendTest, RepliesReachEveryMatchingSlotAndNoOther) {
    sim::SimGenericDevice dev(0x62, 3);
    driver.Connect(&dev, 0, 0);
    RecordingView* same = NewView(0x62, 3);
    RecordingView* all = NewView(0x62, 127);
    RecordingView* otherId = NewView(0x62, 4);
    RecordingView* otherModel = NewView(0x64, 3);
    RecordingView* otherInput = NewView(0x62, 3);
    RecordingView* silent = NewView(0x62, 3);   // never asks, so takes nothing
    for (RecordingView* v : {same, all, otherId, otherModel}) ASSERT_TRUE(Open(v));
    ASSERT_TRUE(Open(otherInput, "In B", "Out A"));
    ASSERT_TRUE(Open(silent));
    for (RecordingView* v : {all, otherId, otherModel, otherInput}) mme->SendRequest(v, 0x10, v->model, v->device);
    Pump();
    EXPECT_TRUE(same->replies.empty()) << "no request from it yet";
    // A reply on the other input, as device 3 of the same model would send it.
    driver.Deliver(1, sim::Bytes{0xF0, 0x00, 0x7E, 0x31, 0x62, 0x03, 0x10, 1, 2, 3, 4, 0xF7});
    mme->SendRequest(same, 0x10, 0x62, 3);
    Pump();
    ASSERT_EQ(1u, same->replies.size());
    EXPECT_EQ(size_t(8 + 16), same->replies[0].size());
    EXPECT_EQ(3u, all->replies.size()) << "127 takes every reply of device 3 on its input";
    EXPECT_TRUE(otherId->replies.empty());
    EXPECT_TRUE(otherModel->replies.empty());
    ASSERT_EQ(1u, otherInput->replies.size());
    EXPECT_EQ(12u, otherInput->replies[0].size());
    EXPECT_TRUE(silent->replies.empty());
    EXPECT_EQ(0, mme->GetSlot(0).missedBlinks);
    EXPECT_EQ(1, mme->GetSlot(2).missedBlinks);
}

TEST_F(SendTest, ShortLongGarbledAndResetBuffersAreReadOnlyAsFarAsRecorded) {
    sim::SimGenericDevice dev(0x62, 0, 16);
    driver.Connect(&dev, 0, 0);
    RecordingView* v = NewView(0x62, 0);
    ASSERT_TRUE(Open(v));

    dev.SetAnswer(sim::SimDevice::Answer::Short);
    mme->SendRequest(v, 0x10, 0x62, 0);
    Pump();
    EXPECT_TRUE(v->replies.empty()) << "10 bytes or less reach no view";

    dev.SetAnswer(sim::SimDevice::Answer::Long);
    mme->SendRequest(v, 0x10, 0x62, 0);
    Pump();
    ASSERT_EQ(1u, v->replies.size()) << "the continuation buffer does not look like a reply";
    EXPECT_EQ(size_t(CMmeIn::kInputBufferLength), v->replies[0].size());

    dev.SetAnswer(sim::SimDevice::Answer::Garbled);
    mme->SendRequest(v, 0x10, 0x62, 0);
    Pump();
    ASSERT_EQ(2u, v->replies.size()) << "the header still matches; the view judges the rest";
    EXPECT_EQ(size_t(8 + 16), v->replies[1].size());

    // A buffer that claims more than it holds is cut to its length.
    MIDIHDR h{};
    char data[20] = {char(0xF0), 0, 0x7E, 0x31, 0x62, 0};
    h.lpData = data;
    h.dwBufferLength = 20;
    h.dwBytesRecorded = 5000;
    h.dwUser = 0;
    mme->DispatchSysEx(&h, FALSE);
    ASSERT_EQ(3u, v->replies.size());
    EXPECT_EQ(size_t(20), v->replies[2].size());
    h.dwUser = 200;   // no such input: nothing is counted or read
    const int queued = mme->GetQueuedInputBuffers(0);
    mme->DispatchSysEx(&h, FALSE);
    EXPECT_EQ(queued, mme->GetQueuedInputBuffers(0));
    EXPECT_EQ(3u, v->replies.size());

    // Buffers given back empty by the reset only lower the count.
    mme->ClosePorts(v);
    Pump();
    EXPECT_EQ(3u, v->replies.size());
    EXPECT_EQ(0, mme->GetQueuedInputBuffers(0));
}

TEST_F(SendTest, InputBuffersAreToppedUpToTwentyBeforeEachRequest) {
    sim::SimGenericDevice dev(0x62, 0);
    driver.Connect(&dev, 0, 0);
    RecordingView* v = NewView(0x62, 0);
    RecordingView* sharer = NewView(0x62, 0);
    ASSERT_TRUE(Open(v));
    ASSERT_TRUE(Open(sharer));
    mme->SendRequest(v, 0x10, 0x62, 0);
    EXPECT_EQ(19, driver.QueuedBuffers(0)) << "one buffer holds the reply";
    Pump();
    EXPECT_EQ(19, mme->GetQueuedInputBuffers(0));
    mme->SendRequest(sharer, 0x10, 0x62, 0);
    Pump();
    EXPECT_EQ(19, mme->GetQueuedInputBuffers(0)) << "one count per input device, not per view";

    dev.SetAnswer(sim::SimDevice::Answer::Silent);
    mme->SendRequest(v, 0x10, 0x62, 0);
    EXPECT_EQ(20, driver.QueuedBuffers(0));
}

// A single send opens, sends its block and closes at once; the reset of the
// close must not cut the block off on a slow line.
TEST_F(SendTest, ClosingAnOutputWaitsBoundedForWhatIsStillOnItsWay) {
    RecordingView* v = NewView();
    driver.SetOutputTime(0.32);   // 31250 baud
    ASSERT_TRUE(Open(v, "In A", "Out A", TRUE));
    mme->BeginParameterBlock(v, 0x20, 0x62, 0);
    for (int a = 0; a < 100; ++a) mme->AddParameter(v, a, 1, 0x62, 0);
    mme->SendParameterBlock(v, 0x62, 0);
    mme->ClosePorts(v);
    ASSERT_EQ(1u, driver.sent.size());
    EXPECT_FALSE(driver.sent[0].cutOff);
    EXPECT_FALSE(driver.IsOutputOpen(0));
    EXPECT_GE(driver.Now(), 208 * 0.32);
    EXPECT_LE(driver.Now(), 20 + 208 * 0.35 + 1);

    driver.SetOutputTime(10);   // a line that never catches up
    ASSERT_TRUE(Open(v, "In A", "Out A", TRUE));
    const double start = driver.Now();
    mme->SendShortMessage(v, 0x20, 1, 1, 0x62, 0);
    for (int i = 0; i < 10; ++i) mme->SendParameterBlock(v, 0x62, 0);
    mme->ClosePorts(v);
    EXPECT_NEAR(500, driver.Now() - start, 1);
    EXPECT_TRUE(driver.sent.back().cutOff);
    EXPECT_FALSE(driver.IsOutputOpen(0));
    Pump();
}

TEST_F(SendTest, EveryHeaderIsGivenBackAndUnpreparedOnItsCompletion) {
    sim::SimGenericDevice dev(0x62, 0);
    driver.Connect(&dev, 0, 0);
    RecordingView* v = NewView(0x62, 0);
    ASSERT_TRUE(Open(v));
    for (int i = 0; i < 5; ++i) {
        mme->SendRequest(v, 0x10, 0x62, 0);
        Pump();
    }
    mme->BeginParameterBlock(v, 0x20, 0x62, 0);
    mme->AddParameter(v, 1, 1, 0x62, 0);
    mme->SendParameterBlock(v, 0x62, 0);
    Pump();
    EXPECT_EQ(5u, v->replies.size());
    EXPECT_EQ(dev.registers[1], 1);
    mme->ClosePorts(v);
    Pump();
    EXPECT_EQ(int(driver.sent.size()), driver.outUnprepared);
    EXPECT_EQ(driver.inAdded, driver.inUnprepared);
    EXPECT_EQ(24, driver.inAdded) << "20 at first, then one per reply";
}

}  // namespace
}  // namespace miditest

// Opening, sharing and closing MIDI ports; the open-error message.
#include "midifixture.h"

namespace miditest {
namespace {

class PortTest : public MidiTest {
protected:
    void SetUp() override {
        MidiTest::SetUp();
        inA = driver.AddInput("In A");
        inB = driver.AddInput("In B");
        outA = driver.AddOutput("Out A");
        outB = driver.AddOutput("Out B");
    }
    int inA = 0, inB = 0, outA = 0, outB = 0;
};

TEST_F(PortTest, ViewsOnTheSameDevicesShareThemAndTheLastOneClosesThem) {
    RecordingView* v1 = NewView();
    RecordingView* v2 = NewView();
    ASSERT_TRUE(Open(v1));
    ASSERT_TRUE(Open(v2));
    EXPECT_EQ(1, driver.InputOpens(inA));
    EXPECT_EQ(1, driver.OutputOpens(outA));
    EXPECT_TRUE(driver.IsInputStarted(inA));
    EXPECT_EQ(mme->GetSlot(0).inputHandle, mme->GetSlot(1).inputHandle);
    EXPECT_EQ(mme->GetSlot(0).outputHandle, mme->GetSlot(1).outputHandle);

    mme->ClosePorts(v1);
    EXPECT_TRUE(driver.IsInputOpen(inA));
    EXPECT_TRUE(driver.IsOutputOpen(outA));
    EXPECT_EQ(-1, mme->FindSlot(v1));

    mme->ClosePorts(v2);
    EXPECT_FALSE(driver.IsInputOpen(inA));
    EXPECT_FALSE(driver.IsOutputOpen(outA));
    EXPECT_EQ(100, driver.waits.empty() ? 0 : driver.waits.back()) << "the input closes after a 100 ms wait";
    EXPECT_TRUE(boxes.boxes.empty());
}

TEST_F(PortTest, ClosingOneOfTwoViewsSharingOnlyTheOutputClosesItsOwnInput) {
    RecordingView* v1 = NewView();
    RecordingView* v2 = NewView();
    ASSERT_TRUE(Open(v1, "In A", "Out A"));
    ASSERT_TRUE(Open(v2, "In B", "Out A"));
    mme->ClosePorts(v1);
    EXPECT_FALSE(driver.IsInputOpen(inA));
    EXPECT_TRUE(driver.IsInputOpen(inB));
    EXPECT_TRUE(driver.IsOutputOpen(outA));
    mme->ClosePorts(v2);
    EXPECT_FALSE(driver.IsOutputOpen(outA));
    mme->ClosePorts(v2);   // a view without a slot is ignored
    EXPECT_EQ(1, driver.OutputCloses(outA));
}

TEST_F(PortTest, TheTwentyFirstOpenFailsSilentlyUntilASlotIsFree) {
    for (int i = 0; i < CMmeIn::kSlotCount; ++i) ASSERT_TRUE(Open(NewView()));
    RecordingView* late = NewView();
    EXPECT_FALSE(Open(late));
    EXPECT_EQ(-1, mme->FindSlot(late));
    EXPECT_TRUE(boxes.boxes.empty());
    mme->ClosePorts(views[7].get());
    EXPECT_TRUE(Open(late));
    EXPECT_EQ(7, mme->FindSlot(late));
}

TEST_F(PortTest, IdsAbove199AreRefusedWithoutAMessageOrASlot) {
    RecordingView* v = NewView();
    MidiPortSettings badInput;   // no names: the ids stand
    badInput.inputId = 200;
    EXPECT_FALSE(mme->OpenPorts(&badInput, v, FALSE));
    MidiPortSettings badOutput;
    badOutput.outputId = 4000;
    EXPECT_FALSE(mme->OpenPorts(&badOutput, v, FALSE));
    EXPECT_EQ(-1, mme->FindSlot(v));
    EXPECT_EQ(0, driver.InputOpens(inA) + driver.OutputOpens(outA));
    EXPECT_TRUE(boxes.boxes.empty());
    EXPECT_EQ(0, mme->GetQueuedInputBuffers(200));
    EXPECT_EQ(0, mme->GetQueuedInputBuffers(-1));
}

TEST_F(PortTest, ANameThatIsGoneFallsBackToTheMapperForOutputAndFailsForInput) {
    RecordingView* v = NewView();
    ASSERT_TRUE(Open(v, "In A", "Unplugged Out"));
    EXPECT_EQ(-1, mme->GetSlot(0).outputId);
    EXPECT_EQ(1, driver.OutputOpens(-1));
    mme->ClosePorts(v);

    EXPECT_FALSE(Open(v, "Unplugged In", "Out A"));
    ASSERT_EQ(1u, boxes.boxes.size());
    EXPECT_EQ("Opening MIDI device:\n\nInvalid Input device selected.\n", boxes.boxes[0].text);
    EXPECT_EQ("Vantor", boxes.boxes[0].caption);
    EXPECT_EQ(UINT(MB_OK | MB_ICONWARNING), boxes.boxes[0].type);
    EXPECT_EQ(-1, mme->FindSlot(v));
    EXPECT_FALSE(driver.IsOutputOpen(outA)) << "the output opened by the failed attempt is closed again";
}

TEST_F(PortTest, OpenErrorsAreCollectedIntoOneMessage) {
    struct Case {
        MMRESULT in, out;
        const char* text;
    } cases[] = {
        {MMSYSERR_ALLOCATED, MMSYSERR_NOERROR, "Input Device already in use.\n"},
        {MMSYSERR_NOERROR, MMSYSERR_ALLOCATED, "Output Device already in use.\n"},
        {MMSYSERR_ERROR, MMSYSERR_BADDEVICEID, "Error on Input DeviceInvalid Output device selected.\n"},
        {MMSYSERR_BADDEVICEID, MMSYSERR_NODRIVER, "Invalid Input device selected.\nError on Output Device"},
    };
    RecordingView* v = NewView();
    for (const Case& c : cases) {
        driver.SetInputOpenResult(inB, c.in);
        driver.SetOutputOpenResult(outB, c.out);
        boxes.boxes.clear();
        EXPECT_FALSE(Open(v, "In B", "Out B"));
        ASSERT_EQ(1u, boxes.boxes.size());
        EXPECT_EQ(std::string("Opening MIDI device:\n\n") + c.text, boxes.boxes[0].text);
        EXPECT_FALSE(driver.IsInputOpen(inB));
        EXPECT_FALSE(driver.IsOutputOpen(outB));
        EXPECT_EQ(-1, mme->FindSlot(v));
    }
}

TEST_F(PortTest, AFailedOpenNeverClosesAnotherWindowsDevices) {
    RecordingView* a = NewView();
    RecordingView* b = NewView();
    RecordingView* c = NewView();
    ASSERT_TRUE(Open(a));
    ASSERT_TRUE(Open(b));
    mme->ClosePorts(a);   // slot 0 is free again; b still uses the devices
    driver.SetOutputOpenResult(outB, MMSYSERR_ALLOCATED);
    driver.SetInputOpenResult(inB, MMSYSERR_ALLOCATED);
    EXPECT_FALSE(Open(c, "In B", "Out B"));
    EXPECT_FALSE(Open(c, "In A", "Out B")) << "a shared input does not hide a failed output";
    EXPECT_EQ("Opening MIDI device:\n\nOutput Device already in use.\n", boxes.boxes.back().text);
    EXPECT_TRUE(driver.IsInputOpen(inA));
    EXPECT_TRUE(driver.IsInputStarted(inA));
    EXPECT_TRUE(driver.IsOutputOpen(outA));
    EXPECT_EQ(0, driver.InputCloses(inA) + driver.OutputCloses(outA));
}

TEST_F(PortTest, AnOutputOnlyViewLendsNoInputToAViewWhoseInputIsGone) {
    RecordingView* sender = NewView();
    RecordingView* v = NewView();
    ASSERT_TRUE(Open(sender, "Unplugged In", "Out A", TRUE)) << "output-only ignores the input";
    EXPECT_EQ(nullptr, mme->GetSlot(0).inputHandle);
    EXPECT_FALSE(Open(v, "Unplugged In", "Out A"));
    EXPECT_EQ("Opening MIDI device:\n\nInvalid Input device selected.\n", boxes.boxes.back().text);
    EXPECT_TRUE(driver.IsOutputOpen(outA));
}

TEST_F(PortTest, NamesResolveToIdsWithTheLastEqualNameWinning) {
    driver.AddInput("Twin");
    const int twin2 = driver.AddInput("Twin");
    driver.AddOutput("Twin");
    const int twinOut2 = driver.AddOutput("Twin");
    MidiPortSettings s = Ports("Twin", "Twin");
    mme->ResolvePortNames(&s, CMmeIn::ByName);
    EXPECT_EQ(twin2, s.inputId);
    EXPECT_EQ(twinOut2, s.outputId);

    MidiPortSettings byId;   // empty names take the name of a valid id
    byId.inputId = inB;
    byId.outputId = 99;
    mme->ResolvePortNames(&byId, CMmeIn::ByName);
    EXPECT_STREQ("In B", byId.inputName);
    EXPECT_STREQ("", byId.outputName);
    EXPECT_EQ(99, byId.outputId);

    MidiPortSettings chosen = Ports("In A", "Out A");
    chosen.inputId = -1;   // nothing chosen keeps the name
    chosen.outputId = outB;
    mme->ResolvePortNames(&chosen, CMmeIn::ById);
    EXPECT_STREQ("In A", chosen.inputName);
    EXPECT_STREQ("Out B", chosen.outputName);
}

TEST_F(PortTest, AViewHoldsOneSlotAndLosesItWhenItIsDestroyed) {
    RecordingView* v = NewView();
    ASSERT_TRUE(Open(v));
    ASSERT_TRUE(Open(v, "In B", "Out B"));
    EXPECT_EQ(0, mme->FindSlot(v));
    EXPECT_EQ(nullptr, mme->GetSlot(1).view);
    EXPECT_FALSE(driver.IsInputOpen(inA)) << "the first slot was given up";
    EXPECT_TRUE(driver.IsInputOpen(inB));

    // The program's own transport forgets a view as the view goes.
    auto doomed = std::make_unique<RecordingView>(theMmeIn, 0x62, 0, &tick);
    MidiPortSettings s = Ports("In A", "Out A");
    ASSERT_TRUE(theMmeIn.OpenPorts(&s, doomed.get(), FALSE));
    KillTimer(theMmeIn.GetCallbackWindow(), 1);
    const int slot = theMmeIn.FindSlot(doomed.get());
    ASSERT_GE(slot, 0);
    doomed.reset();
    EXPECT_EQ(nullptr, theMmeIn.GetSlot(slot).view);
    EXPECT_FALSE(driver.IsInputOpen(inA));
    for (int i = 0; i < 200; ++i) theMmeIn.PollTick();   // would call into the freed view
    Pump();
}

}  // namespace
}  // namespace miditest

// The document's MIDI commands against simulated ports: start and stop, the
// single receive and send, the setup dialog, and the ports across a function
// switch and the window's end.
#include <algorithm>

#include "midi/mmein.h"
#include "midi_res.h"
#include "resource.h"
#include "shell_fixture.h"
#include "sim/simdriver.h"

namespace {

// A view that asks its device like every device view does, so the tests can
// see that the document's commands reach the wire.
class AskingView : public CMidiView {
    DECLARE_DYNCREATE(AskingView)
public:
    void RequestDeviceData(BOOL) override { theMmeIn.SendRequest(this, 0x10, 0x62, 0); }
    void SendChangedParameters(BOOL, BOOL, BOOL all) override {
        if (!all) return;
        theMmeIn.BeginParameterBlock(this, 0x20, 0x62, 0);
        theMmeIn.AddParameter(this, 0x10, 0x22, 0x62, 0);
        theMmeIn.SendParameterBlock(this, 0x62, 0);
    }
    void UpdateStatus(int state, int) override { lastState = state; }
    int lastState = 99;
};
IMPLEMENT_DYNCREATE(AskingView, CMidiView)

class DocumentMidi : public ShellTest {
protected:
    void SetUp() override {
        ShellTest::SetUp();
        in = driver.AddInput("Desk In");
        out = driver.AddOutput("Desk Out");
        driver.AddOutput("Spare Out");
        theApp.WriteProfileString("Settings", "MidiInputName", "Desk In");
        theApp.WriteProfileString("Settings", "MidiOutputName", "Desk Out");
        WriteStateSet("Workspace\\Frame0", 3, RECT{100, 100, 600, 600});
        theApp.OnFunctionSelect();
        ASSERT_TRUE(theApp.m_windows[0].inUse);
        doc = Doc(0);
        SwapInAskingView();
    }
    void TearDown() override {
        ShellTest::TearDown();
        testing_support::PumpMessages(30);
    }
    // Puts a view that talks to the device in place of the plain one.
    void SwapInAskingView() {
        CMidiView* old = doc->GetMidiView();
        view = new AskingView;
        RECT r = {0, 0, 50, 50};
        ASSERT_TRUE(view->Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE, r, Frame(0), 59649));
        doc->AddView(view);
        Frame(0)->SetActiveView(view);
        doc->RemoveView(old);
        old->DestroyWindow();
        view->SetDlgCtrlID(59648);
    }
    int SlotsOf(CMidiView* v) {
        int n = 0;
        for (int i = 0; i < CMmeIn::kSlotCount; ++i)
            if (theMmeIn.GetSlot(i).view == v) ++n;
        return n;
    }
    void command(UINT id) { ::SendMessageA(Frame(0)->m_hWnd, WM_COMMAND, id, 0); }

    sim::SimMidiDriver driver;
    testing_support::MessageBoxRecorder boxes;
    int in = -1, out = -1;
    CDigiDoc* doc = nullptr;
    AskingView* view = nullptr;
};

}  // namespace

TEST_F(DocumentMidi, StartAndStopOpenAndCloseTheWindowsPorts) {
    EXPECT_EQ(doc->StartStopMidi(TRUE), 1);
    EXPECT_TRUE(doc->m_ports.open);
    EXPECT_TRUE(driver.IsInputOpen(in));
    EXPECT_TRUE(driver.IsOutputOpen(out));
    EXPECT_EQ(SlotsOf(view), 1);
    EXPECT_EQ(doc->StartStopMidi(TRUE), 0) << "already running";
    EXPECT_EQ(doc->StartStopMidi(FALSE), 2);
    EXPECT_FALSE(doc->m_ports.open);
    EXPECT_FALSE(driver.IsInputOpen(in));
    EXPECT_FALSE(driver.IsOutputOpen(out));
    EXPECT_EQ(view->lastState, 99) << "the plain status update is the view's own business";
    EXPECT_EQ(doc->StartStopMidi(FALSE), 0);
    EXPECT_TRUE(boxes.boxes.empty());
}

TEST_F(DocumentMidi, AFailedStartReportsAndLeavesTheWindowStopped) {
    driver.SetInputOpenResult(in, MMSYSERR_ALLOCATED);
    EXPECT_EQ(doc->StartStopMidi(TRUE), 1) << "start reports 1 even when the open failed";
    EXPECT_FALSE(doc->m_ports.open);
    ASSERT_EQ(boxes.boxes.size(), 1u);
    EXPECT_EQ(boxes.boxes[0].text, "Opening MIDI device:\n\nInput Device already in use.\n");
    EXPECT_EQ(boxes.boxes[0].caption, "Vantor");
    EXPECT_EQ(SlotsOf(view), 0);
}

TEST_F(DocumentMidi, ReceiveSingleSetAsksOnceAndLetsGoAfter200ms) {
    size_t sentBefore = driver.sent.size();
    command(ID_RECEIVE_SINGLE_SET);
    EXPECT_TRUE(doc->m_bSingleReceivePending);
    EXPECT_FALSE(doc->m_ports.open) << "a single receive is not a running window";
    ASSERT_GT(driver.sent.size(), sentBefore);
    EXPECT_EQ(driver.sent.back().bytes, (sim::Bytes{0xF0, 0x00, 0x7E, 0x31, 0x62, 0x00, 0x10, 0xF7}));
    EXPECT_NE(std::find(driver.waits.begin(), driver.waits.end(), 55), driver.waits.end());
    EXPECT_EQ(view->lastState, -1);
    // A second click while it waits takes no second slot; neither does a send.
    command(ID_RECEIVE_SINGLE_SET);
    command(ID_SEND_SINGLE_SET);
    EXPECT_EQ(SlotsOf(view), 1);
    EXPECT_TRUE(testing_support::PumpUntil([this] { return !doc->m_bSingleReceivePending; }));
    EXPECT_EQ(SlotsOf(view), 0);
    EXPECT_FALSE(driver.IsInputOpen(in));
}

TEST_F(DocumentMidi, StartDuringASingleReceiveTakesOverItsSlot) {
    command(ID_RECEIVE_SINGLE_SET);
    ASSERT_TRUE(doc->m_bSingleReceivePending);
    doc->StartStopMidi(TRUE);
    EXPECT_FALSE(doc->m_bSingleReceivePending);
    EXPECT_TRUE(doc->m_ports.open);
    EXPECT_EQ(SlotsOf(view), 1);
    testing_support::PumpMessages(300);
    EXPECT_TRUE(doc->m_ports.open) << "the ended receive's timer closes nothing";
    EXPECT_TRUE(driver.IsInputOpen(in));
}

TEST_F(DocumentMidi, SendSingleSetSendsOnTheOutputOnlyAndCloses) {
    command(ID_SEND_SINGLE_SET);
    std::vector<sim::Bytes> sent = driver.SentTo(out);
    ASSERT_EQ(sent.size(), 1u);
    EXPECT_EQ(sent[0], (sim::Bytes{0xF0, 0x00, 0x7E, 0x31, 0x62, 0x00, 0x20, 0x10, 0x22, 0xF7}));
    EXPECT_FALSE(driver.IsOutputOpen(out));
    EXPECT_EQ(driver.InputOpens(in), 0) << "a single send needs no input";
    doc->StartStopMidi(TRUE);
    command(ID_SEND_SINGLE_SET);
    EXPECT_EQ(driver.SentTo(out).size(), 1u) << "nothing while MIDI I/O runs";
}

TEST_F(DocumentMidi, SendSingleSetToAllSendsEveryStoppedWindow) {
    WriteStateSet("Workspace\\Frame1", 11, RECT{10, 10, 400, 600});
    ASSERT_EQ(OpenFromSection("Workspace\\Frame1"), 1);
    theApp.SendSingleSetToAll();
    // The first window's message, then the Brisal's 25 groups, 16 to a message.
    const std::vector<sim::Bytes> sent = driver.SentTo(out);
    ASSERT_EQ(sent.size(), 3u);
    EXPECT_EQ(sent[1][4], 0x69);
    EXPECT_EQ(sent[1].size(), 8u + 16 * 4);
    EXPECT_EQ(std::count(driver.waits.begin(), driver.waits.end(), 50), 2);
    theApp.ForEachDocument(TRUE);
    EXPECT_TRUE(Doc(0)->m_ports.open);
    EXPECT_TRUE(Doc(1)->m_ports.open);
    EXPECT_EQ(driver.InputOpens(in), 1) << "two windows share one device";
    theApp.ForEachDocument(FALSE);
    EXPECT_FALSE(driver.IsInputOpen(in));
}

TEST_F(DocumentMidi, ConfirmedSetupReopensRunningPortsAndRemembersTheNames) {
    doc->StartStopMidi(TRUE);
    int spare = 1;
    testing_support::WhenDialogAppears([&](HWND dlg) {
        SendDlgItemMessageA(dlg, IDC_MIDI_OUTPUT_LIST, CB_SETCURSEL, WPARAM(spare), 0);
        ::SendMessageA(dlg, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    });
    command(ID_MIDI_IO_SETUP);
    EXPECT_STREQ(doc->m_ports.outputName, "Spare Out");
    EXPECT_TRUE(doc->m_ports.open);
    EXPECT_TRUE(driver.IsOutputOpen(spare));
    EXPECT_FALSE(driver.IsOutputOpen(out));
    EXPECT_EQ(ProfileString("Settings", "MidiOutputName"), "Spare Out");
    // Cancel changes nothing and saves nothing.
    theApp.WriteProfileString("Settings", "MidiOutputName", "marker");
    testing_support::WhenDialogAppears([](HWND dlg) { ::SendMessageA(dlg, WM_COMMAND, MAKEWPARAM(IDCANCEL, 0), 0); });
    command(ID_MIDI_IO_SETUP);
    EXPECT_EQ(ProfileString("Settings", "MidiOutputName"), "marker");
    EXPECT_STREQ(doc->m_ports.outputName, "Spare Out");
}

TEST_F(DocumentMidi, RunningPortsFollowTheWindowThroughASwitchAndEndWithIt) {
    doc->StartStopMidi(TRUE);
    ::SendMessageA(Frame(0)->m_hWnd, WM_COMMAND, ID_FUNCTION_ROW4, 0);
    CMidiView* newView = doc->GetMidiView();
    ASSERT_NE(newView, view);
    EXPECT_TRUE(doc->m_ports.open);
    EXPECT_EQ(SlotsOf(newView), 1) << "the new view holds the ports";
    EXPECT_EQ(driver.InputOpens(in), 2) << "closed with the old view, opened for the new";
    Frame(0)->DestroyWindow();
    EXPECT_FALSE(driver.IsInputOpen(in));
    EXPECT_FALSE(driver.IsOutputOpen(out));
    EXPECT_EQ(ProfileString("Settings", "MidiInputName"), "Desk In");
}

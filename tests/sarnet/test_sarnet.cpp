// The Sarnet front view: its lamps, what each edit sends, every bit field of
// the status reply, the titles, its commands and what it keeps.
#include <string>
#include <utility>
#include <vector>

#include "devices/routing/sarnetview.h"
#include "names_res.h"
#include "resource.h"
#include "sim/simsarnet.h"
#include "support/devicewindow.h"
#include "support/recordfiles.h"

namespace {

using sim::Bytes;
using S = CmidiSarnetFView;

const char* const kCompany = "VantorTestSarnet";

class SarnetWindow : public DeviceWindowTest {
protected:
    void SetUp() override {
        OpenDeviceWindow(kCompany, 4, &device, "Sarnet", RECT{20, 20, 800, 300});
        view = dynamic_cast<CmidiSarnetFView*>(midiView);
        ASSERT_NE(view, nullptr);
    }
    void TearDown() override { CloseDeviceWindows(); }

    sim::SimSarnet device{0x0A};
    CmidiSarnetFView* view = nullptr;
};

class SarnetRecord : public testing_support::RecordFileTest {
protected:
    SarnetRecord() : RecordFileTest(kCompany) {}
};

}  // namespace

TEST(SarnetView, ThePanelHasItsTemplateAnd96LampsInThreeRows) {
    CmidiSarnetFView v;
    ASSERT_EQ(v.Table()->count, 117);
    EXPECT_EQ(v.SettingsTable()->count, 21);
    EXPECT_EQ(v.GetDeviceId(), 127);
    EXPECT_EQ(v.m_nStatusCounter, 10);
    EXPECT_STREQ(v.Table()->controls[20].name, "Lock State KEYS");
    struct Lamp {
        int id, x, y;
    };
    const Lamp lamps[] = {{121, 68, 39}, {121 + 9, 240, 39}, {153 + 31, 68 + 153 * 3 + 19 * 7, 49}, {185, 68, 69}};
    for (const Lamp& l : lamps) {
        const PanelControl* c = v.Control(l.id);
        ASSERT_NE(c, nullptr) << l.id;
        EXPECT_EQ(c->x, l.x) << l.id;
        EXPECT_EQ(c->y, l.y) << l.id;
        EXPECT_EQ(c->bitmap, 298);
    }
}

TEST_F(SarnetWindow, EachEditSendsItsRegisterWholeAndSkipsTheNextReply) {
    Running();
    // The device's state: optical input, 64 channels out, word clock, follow.
    ASSERT_EQ(view->Value(S::kInputOpt), 1);
    ASSERT_EQ(view->Value(S::kClockSource), 3);
    struct Case {
        const char* what;
        int id;
        double value;
        Pairs groups;
    };
    const Case cases[] = {
        {"BNC", S::kInputBnc, 1, {{0x00, 0x10}}},
        {"OPT again", S::kInputOpt, 1, {{0x00, 0x50}}},
        {"keys locked", S::kKeysLock, 1, {{0x00, 0x54}}},
        {"internal clock", S::kClockSource, 0, {{0x01, 0x14}}},
        {"44.1k", S::kClockFrequency, 0, {{0x01, 0x04}}},
        {"input MADI", S::kClockSource, 2, {{0x01, 0x34}}},
        {"double speed", S::kSampleRateRange, 1, {{0x01, 0x35}}},
        {"96k frame out", S::kOutputFrame, 1, {{0x00, 0x74}}},
        {"single speed again", S::kSampleRateRange, 0, {{0x01, 0x34}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(GroupsOf(Edit(c.id, c.value)), c.groups);
        EXPECT_EQ(view->GetReplySkip(), 1);
    }
    EXPECT_EQ(view->Value(S::kInputBnc), 0) << "one of the pair";
    EXPECT_EQ(view->Value(S::kOutputFrame), 0) << "no 96k frame out of double speed, shown only";
    EXPECT_TRUE(view->Control(S::kClockFrequency)->flags & PANEL_GREYED);
    EXPECT_TRUE(view->Control(S::kWckState)->flags & PANEL_LED_OFF);
    EXPECT_EQ(device.reg[1], 0x34);
}

TEST_F(SarnetWindow, EveryBitOfTheReplyShows) {
    Running();
    struct Case {
        int address, value, id;
        double shown;
    };
    const Case cases[] = {
        {0, 0x20, S::kOutputFrame, 1},     {0, 0x10, S::kOutputChannels, 1}, {0, 0x04, S::kKeysLock, 1},
        {1, 0x10, S::kClockFrequency, 1},  {1, 0x10, S::kClockSource, 0},    {1, 0x30, S::kClockSource, 2},
        {1, 0x40, S::kClockSource, 3},     {1, 0x20, S::kClockSource, 1},    {1, 0x04, S::kFollowClock, 1},
        {1, 0x02, S::kSampleRateRange, 2}, {2, 0x00, S::kInputState, 0},     {2, 0x20, S::kInputState, 1},
        {2, 0x30, S::kInputState, 2},      {2, 0x08, S::kInputFrame, 1},     {2, 0x04, S::kInputChannels, 1},
        {2, 0x02, S::kAesQuadSpeed, 1},    {2, 0x01, S::kAesDoubleSpeed, 1}, {3, 0x00, S::kWckState, 1},
        {3, 0x40, S::kWckState, 0},        {3, 0x20, S::kWckQuadSpeed, 1},   {3, 0x10, S::kWckDoubleSpeed, 1},
        {4, 0x08, S::kComRx, 1},           {4, 0x04, S::kComTx, 1},          {5, 0x08, 185, 1},
        {5, 0x01, 188, 1},                 {12, 0x01, 216, 1},               {13, 0x08, 121, 1},
        {20, 0x01, 152, 1},                {29, 0x08, 153, 1},               {36, 0x01, 184, 1},
    };
    // Double speed, so that the 96k frame out can show.
    device.reg[1] = 0x01;
    Poll();
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.address) + "=" + std::to_string(c.value));
        std::fill(device.reg, device.reg + 37, 0);
        device.reg[1] = 0x01;
        device.reg[c.address] = BYTE(c.value);
        Poll();
        EXPECT_EQ(view->Value(c.id), c.shown);
    }
    // Pairs 21..28 make row 0's lamps blink while their bit is clear.
    std::fill(device.reg, device.reg + 37, 0);
    device.reg[21] = 0x07;
    Poll();
    EXPECT_TRUE(view->Control(121)->flags & PANEL_BLINK);
    EXPECT_FALSE(view->Control(122)->flags & PANEL_BLINK);
    // AES State lights only while every AES pair is 0.
    EXPECT_EQ(view->Value(S::kAesState), 1);
    device.reg[17] = 2;
    Poll();
    EXPECT_EQ(view->Value(S::kAesState), 0);
    // The selected input from pair 0; a fall-back blinks it.
    device.reg[0] = 0x00;
    device.reg[2] = 0x40;
    Poll();
    EXPECT_EQ(view->Value(S::kInputBnc), 1);
    EXPECT_TRUE(view->Control(S::kInputBnc)->flags & PANEL_BLINK);
    EXPECT_TRUE(view->Control(S::kInputOpt)->flags & PANEL_LED_ON);
    EXPECT_EQ(view->GetBaudCode(), 0);
    device.reg[0] = 0x03;
    Poll();
    EXPECT_EQ(view->GetBaudCode(), 3);
}

TEST_F(SarnetWindow, OnlyAnEightyTwoByteReplyCountsAndTheTitleTellsTheState) {
    view->UpdateStatus(-10, 0);
    EXPECT_EQ(frame->GetWindowText(), "Tesmer Sarnet Vantor - offline");
    Bytes reply = device.StatusReply();
    for (int length : {81, 83}) {
        Bytes other = reply;
        other.resize(size_t(length - 1), 0x7E);
        other.push_back(0xF7);
        view->OnSysExReceived(other.data(), int(other.size()));
        EXPECT_EQ(frame->GetWindowText(), "Tesmer Sarnet Vantor - offline") << length;
    }
    view->OnSysExReceived(reply.data(), int(reply.size()));
    EXPECT_EQ(frame->GetWindowText(), "Tesmer Sarnet Vantor - online: all IDs");
    testing_support::WhenDialogAppears([](HWND dlg) {
        ::SendDlgItemMessageA(dlg, IDC_DEVICE_ID_COMBO, CB_SETCURSEL, 10, 0);
        ::SendMessageA(dlg, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    });
    Command(ID_SELECT_DEVICE);
    ASSERT_EQ(view->GetDeviceId(), 0x0A);
    view->OnSysExReceived(reply.data(), int(reply.size()));
    EXPECT_EQ(frame->GetWindowText(), "Tesmer Sarnet Vantor - online: ID 0A");
    for (int k = 0; k < 5; ++k) view->UpdateStatus(-1, k % 2);
    EXPECT_EQ(frame->GetWindowText(), "Tesmer Sarnet Vantor - no response: ID 0A");
    testing_support::FeedMutatedReplies({reply}, 100000, 63,
                                        [this](const BYTE* data, int length) { view->OnSysExReceived(data, length); });
    for (int k = 0; k < view->Table()->count; ++k) {
        const PanelControl& c = view->Table()->controls[k];
        EXPECT_TRUE(c.value >= c.min && c.value <= c.max) << c.name;
    }
}

TEST_F(SarnetWindow, BaudRateAndProgramIdGoToAllDevices) {
    Running();
    Edit(S::kKeysLock, 1);
    testing_support::WhenDialogAppears([](HWND dlg) {
        ::SendDlgItemMessageA(dlg, IDC_BAUD_RATE_LIST, LB_SETCURSEL, 3, 0);
        ::SendMessageA(dlg, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    });
    Command(ID_SELECT_BAUD_RATE);
    const Bytes baud = driver.SentTo(out).back();
    ASSERT_EQ(baud.size(), 10u);
    EXPECT_EQ(baud[5], 0x7F);
    EXPECT_EQ(baud[7], 0x00);
    EXPECT_EQ(baud[8] & 0x04, 0) << "no key lock in this message";
    EXPECT_EQ(baud[8] & 0x70, 0x50);
    EXPECT_EQ(view->GetBaudCode(), baud[8] & 3);
    boxes.answer = IDYES;
    testing_support::WhenDialogAppears([](HWND dlg) {
        ::SendDlgItemMessageA(dlg, IDC_DEVICE_ID_COMBO, CB_SETCURSEL, 3, 0);
        ::SendMessageA(dlg, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    });
    Command(ID_PROGRAM_DEVICE_ID);
    EXPECT_EQ(driver.SentTo(out).back(), Bytes({0xF0, 0x00, 0x7E, 0x31, 0x63, 0x7F, 0x20, 0x25, 0x03, 0xF7}));
    EXPECT_EQ(device.DeviceId(), 3);
    EXPECT_EQ(view->GetDeviceId(), 127);
}

TEST_F(SarnetRecord, TheRecordTakesItsIndexFromAnyFileAndTheProfileResendsWhatDiffers) {
    CmidiSarnetFView v;
    PanelShowValue(1, S::kKeysLock, v.Table());
    const std::string path = File("sarnet_record.vts");
    testing_support::StoreRecord(v, path);
    std::vector<std::string> lines = testing_support::FileLines(path);
    ASSERT_EQ(lines.size(), 1u + 9u + 2u);
    EXPECT_EQ(lines[0], "KestSarnetIndex=7f");
    EXPECT_EQ(lines[1], "Input Select BNC=0.000000");
    EXPECT_EQ(lines[9], "Lock State KEYS=1.000000");
    lines[0] = "KestSarnetIndex=0c";
    testing_support::WriteLines(path, lines);
    CmidiSarnetFView back;
    testing_support::LoadRecord(back, path);
    EXPECT_EQ(back.GetDeviceId(), 12) << "a setup file too";
    EXPECT_EQ(back.Value(S::kKeysLock), 1);

    v.SaveSettings("Default\\Settings\\sarnetf");
    EXPECT_EQ(theApp.GetProfileInt("Default\\Settings\\sarnetf", "KestSarnetID", -1), 127);
    CmidiSarnetFView fromProfile;
    fromProfile.LoadSettings("Default\\Settings\\sarnetf");
    EXPECT_EQ(fromProfile.Value(S::kKeysLock), 1);
    EXPECT_TRUE(fromProfile.Control(S::kKeysLock)->flags & PANEL_CHANGED) << "sent with the next block";
}

TEST_F(SarnetWindow, TheTitleFollowsTheDeviceWithTheTransportsPoll) {
    RunPollTimer(true);
    StartMidi();
    auto waitFor = [this](const std::string& title, int ms) {
        for (int t = 0; t < ms && frame->GetWindowText() != title; t += 50) testing_support::PumpMessages(50);
        return frame->GetWindowText();
    };
    EXPECT_EQ(waitFor("Tesmer Sarnet Vantor - online: all IDs", 3000), "Tesmer Sarnet Vantor - online: all IDs");
    device.SetAnswer(sim::SimDevice::Answer::Silent);
    EXPECT_EQ(waitFor("Tesmer Sarnet Vantor - no response: all IDs", 8000),
              "Tesmer Sarnet Vantor - no response: all IDs");
    doc->StartStopMidi(FALSE);
    EXPECT_EQ(frame->GetWindowText(), "Tesmer Sarnet Vantor - offline");
}

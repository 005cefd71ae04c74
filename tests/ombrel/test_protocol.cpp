// What goes to the converter for each edit, what its status reply shows,
// how the window addresses a device by bank and ID, and replies that are
// cut, lengthened or scrambled.
#include <algorithm>

#include "app/ionames.h"
#include "ombrel_fixture.h"
#include "names_res.h"
#include "resource.h"

using namespace ombreltest;

namespace {

// The only block an edit sent, as groups; a failure when it sent none or more.
Pairs OnlyBlock(const std::vector<Bytes>& blocks) {
    EXPECT_EQ(blocks.size(), 1u);
    if (blocks.size() != 1) return Pairs();
    EXPECT_EQ(blocks[0][5], 0x7F) << "to all devices";
    return Groups(blocks[0]);
}

}  // namespace

TEST_F(OmbrelRunning, EachEditSendsItsParameterAndSkipsTheNextReplyWhereItMay) {
    // The device's state as taken in: +4.2 dBu in, +13 dBu out, limiter off,
    // follow clock on, internal 48k, everything else off.
    struct Case {
        const char* what;
        int id;
        double value;
        Pairs groups;
        int skip;
    };
    const Case cases[] = {
        {"input trim +6 dB", V::StripId(0, V::kInputTrim), 6.0, {{0x09, 28}}, 1},
        {"input trim +0.5 dB", V::StripId(7, V::kInputTrim), 0.5, {{0x10, 17}}, 1},
        {"output trim -6 dB", V::StripId(7, V::kOutputTrim), -6.0, {{0x08, 4}}, 1},
        {"output trim 0 dB", V::StripId(0, V::kOutputTrim), 0.0, {{0x01, 16}}, 1},
        {"down mix 3 to 8 at 0 dB", V::StripId(2, V::kDownMix8), 0.0, {{0x21, 127}}, 0},
        {"down mix 3 to 8 off", V::StripId(2, V::kDownMix8), -127.0, {{0x21, 0}}, 0},
        {"down mix 1 to 7", V::StripId(0, V::kDownMix7), -10.0, {{0x1C, 117}}, 0},
        {"mute 6", V::StripId(5, V::kMute), 1.0, {{0x18, 0}, {0x19, 2}}, 1},
        {"output dim", V::kOutputDim, 1.0, {{0x14, 0x10}}, 0},
        {"volume reference -20 dB", V::kVolumeReference, 28.0, {{0x1A, 28}}, 0},
        {"analog output volume", V::kAnalogOutputVolume, 40.0, {{0x00, 40}}, 0},
        {"limiter analogue", V::kLimiterMode, 2.0, {{0x11, 0x06}}, 0},
        {"clock AES", V::kClockSource, 3.0, {{0x12, 0x40 + 4 * 4}}, 1},
        {"range DS", V::kSampleRateRange, 1.0, {{0x12, 0x40 + 4 * 4 + 1}}, 1},
        {"keys lock", V::kKeysLock, 1.0, {{0x13, 1}}, 0},
        {"meter mode gain reduction", V::kMeterMode, 1.0, {{0x14, 0x11}}, 0},
        {"FX drive 5 dB", V::kFxDrive, 3.0, {{0x14, 0x71}}, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(OnlyBlock(Edit(c.id, c.value)), c.groups);
        EXPECT_EQ(view->GetReplySkip(), c.skip);
        view->RequestDeviceData(TRUE);   // a single receive clears the skip
        testing_support::PumpMessages(5);
        EXPECT_EQ(view->GetReplySkip(), 0);
    }
    EXPECT_TRUE(view->Control(V::kClockFrequency)->flags & PANEL_GREYED) << "an external clock has no frequency";
    Edit(V::kClockSource, 0.0);
    EXPECT_FALSE(view->Control(V::kClockFrequency)->flags & PANEL_GREYED);
}

TEST_F(OmbrelRunning, TheInputSourceSetsTheDigitalFxByteAndTheAnalogueLevelField) {
    Edit(V::kAnalogInputLevel, 2.0);
    EXPECT_EQ(OnlyBlock(Edit(V::kInputSource, 1.0)), Pairs({{0x1B, 0}, {0x11, 0x40 | 0x04}}));
    EXPECT_EQ(view->Value(V::kAnalogInputLevel), 4) << "its blank entry";
    EXPECT_EQ(OnlyBlock(Edit(V::kInputSource, 2.0)), Pairs({{0x1B, 1}, {0x11, 0x44}}));
    EXPECT_EQ(OnlyBlock(Edit(V::kInputSource, 0.0)), Pairs({{0x1B, 0}, {0x11, 0x34}}));
    EXPECT_EQ(view->Value(V::kAnalogInputLevel), 3) << "+24 dBu";
    EXPECT_EQ(view->GetReplySkip(), 1);
}

TEST_F(OmbrelRunning, RecallAndPeakHoldResetActOnceAndComeBackOff) {
    Edit(V::kVolumeReference, 28.0);
    EXPECT_EQ(OnlyBlock(Edit(V::kRecallReference, 1.0)), Pairs({{0x00, 28}}));
    EXPECT_EQ(view->Value(V::kAnalogOutputVolume), 28);
    EXPECT_EQ(view->Value(V::kRecallReference), 0);
    EXPECT_EQ(view->GetReplySkip(), 1);

    Edit(V::kPeakHoldMode, 1.0);
    Edit(V::kDigitalInputSelect, 2.0);
    Receive(LevelReply({5, 5, 5, 5, 5, 5, 5, 5}, {3, 3, 3, 3, 3, 3, 3, 3}));
    ASSERT_EQ(view->Value(V::StripId(4, V::kInputHold)), 5);
    EXPECT_EQ(OnlyBlock(Edit(V::kPeakHoldReset, 1.0)), Pairs({{0x13, 3 * 8 + 2 * 2}}));
    for (int c = 0; c < 8; ++c) {
        EXPECT_EQ(view->Value(V::StripId(c, V::kInputHold)), 0);
        EXPECT_EQ(view->Value(V::StripId(c, V::kOutputHold)), 0);
    }
    EXPECT_EQ(view->Value(V::kPeakHoldReset), 0);
    EXPECT_EQ(view->Value(V::kPeakHoldMode), 1) << "the mode stays";
    EXPECT_EQ(device.peakResets, 1);
    // Clicking the button while it is off sends nothing but skips a reply.
    view->RequestDeviceData(TRUE);
    testing_support::PumpMessages(5);
    EXPECT_TRUE(Edit(V::kRecallReference, 0.0).empty());
    EXPECT_EQ(view->GetReplySkip(), 1);
}

TEST_F(OmbrelRunning, GangedTrimsFollowTheDifferenceToTheLastSentValue) {
    Edit(V::StripId(4, V::kInputTrim), 6.0);
    for (int c : {0, 2, 4}) Edit(V::StripId(c, V::kInputSelect), 1.0);
    NewBlocks();
    // Channel 1 from 0 to +1.5 dB: 3 follows, 5 stays at its limit, and the
    // trims go out as 3, 5, 1 in one block.
    EXPECT_EQ(OnlyBlock(Edit(V::StripId(0, V::kInputTrim), 1.5)), Pairs({{0x0B, 19}, {0x0D, 28}, {0x09, 19}}));
    EXPECT_EQ(view->Value(V::StripId(2, V::kInputTrim)), 1.5);
    EXPECT_EQ(view->Value(V::StripId(4, V::kInputTrim)), 6.0);
    EXPECT_EQ(view->Value(V::StripId(1, V::kInputTrim)), 0.0) << "not selected";
    EXPECT_EQ(view->Control(V::StripId(2, V::kInputTrim))->lastLength, 30);
    // A reply that moves a trim does not move what the next delta counts
    // from (the first reply after the edit is skipped).
    Receive(StatusReply({{0x09, 20}}));
    Receive(StatusReply({{0x09, 20}}));
    EXPECT_EQ(view->Value(V::StripId(0, V::kInputTrim)), 2.0);
    EXPECT_EQ(OnlyBlock(Edit(V::StripId(0, V::kInputTrim), 2.5)), Pairs({{0x0B, 21}, {0x0D, 28}, {0x09, 21}}))
        << "+1 dB from the 1.5 dB last sent, in halves";

    // With Ctrl every other channel follows, selected or not; the output side alone.
    CtrlHeld ctrl;
    const Pairs outputs = OnlyBlock(Edit(V::StripId(3, V::kOutputTrim), -1.0));
    ASSERT_EQ(outputs.size(), 8u);
    for (int c = 0; c < 8; ++c) EXPECT_EQ(view->Value(V::StripId(c, V::kOutputTrim)), -1.0) << c;
    EXPECT_EQ(outputs.back(), std::make_pair(0x04, 14));
}

TEST_F(OmbrelRunning, CtrlOnAMuteSetsAllEightButNeverInAWholeSend) {
    {
        CtrlHeld ctrl;
        EXPECT_EQ(OnlyBlock(Edit(V::StripId(2, V::kMute), 1.0)), Pairs({{0x18, 0x0F}, {0x19, 0x0F}}));
        for (int c = 0; c < 8; ++c) EXPECT_EQ(view->Value(V::StripId(c, V::kMute)), 1) << c;
        // Send Single Set with Ctrl held: every parameter, no ganging.
        Edit(V::StripId(0, V::kInputSelect), 1.0);
        PanelShowValue(0.0, V::StripId(5, V::kMute), view->Table());
        PanelShowValue(2.0, V::StripId(0, V::kInputTrim), view->Table());
        // A single set goes out on ports opened for it; with Ctrl, from every window.
        doc->StartStopMidi(FALSE);
        NewBlocks();
        Command(ID_SEND_SINGLE_SET);
    }
    const std::vector<Bytes> blocks = NewBlocks();
    ASSERT_EQ(blocks.size(), 1u);
    const Pairs all = Groups(blocks[0]);
    EXPECT_EQ(view->Value(V::StripId(4, V::kMute)), 1) << "no mute changed";
    EXPECT_EQ(view->Value(V::StripId(1, V::kInputTrim)), 0) << "no trim followed";
    EXPECT_NE(std::find(all.begin(), all.end(), std::make_pair(0x19, 0x0D)), all.end());
    EXPECT_NE(std::find(all.begin(), all.end(), std::make_pair(0x09, 20)), all.end());
    EXPECT_NE(std::find(all.begin(), all.end(), std::make_pair(0x2B, 0)), all.end()) << "the last down mix too";
}

TEST_F(OmbrelRunning, AfterAnEditTheNextReplyIsDroppedAndTheOneAfterItShown) {
    Edit(V::StripId(7, V::kMute), 1.0);
    device.reg[0x18] = 0x01;
    Poll();
    EXPECT_EQ(view->Value(V::StripId(0, V::kMute)), 0) << "the reply after the edit is not shown";
    EXPECT_EQ(view->m_nStatusCounter, 0) << "but counts as an answer";
    Poll();
    EXPECT_EQ(view->Value(V::StripId(0, V::kMute)), 1);
    EXPECT_EQ(view->Value(V::StripId(7, V::kMute)), 1) << "the device took the edit";
    Edit(V::kOutputDim, 0.0);
    device.reg[0x18] = 0x02;
    Poll();
    EXPECT_EQ(view->Value(V::StripId(1, V::kMute)), 1) << "Output Dim skips none";
}

TEST_F(OmbrelWindow, AFullStatusReplySetsEveryControlOfItsPairs) {
    Receive(StatusReply({{0x00, 0x45},  {0x03, 20},   {0x0C, 10},   {0x11, 0x2B}, {0x12, 0x75}, {0x13, 0x53},
                         {0x14, 0x55},  {0x15, 0x0A}, {0x16, 0x2C}, {0x17, 0x13}, {0x18, 0x05}, {0x19, 0x08},
                         {0x1A, 0x7F},  {0x1B, 1},    {0x21, 100},  {0x1C, 0},    {0x2B, 127}}));
    struct Expect {
        int id;
        double value;
    };
    const Expect expects[] = {
        {V::kAnalogOutputVolume, 5},  // bits 0-5 of 0x45
        {V::StripId(2, V::kOutputTrim), 2.0},
        {V::StripId(3, V::kInputTrim), 0.0},   // -3 dB clamped to the input range
        {V::kAnalogInputLevel, 2},
        {V::kInputSource, 0},
        {V::kAnalogOutputLevel, 2},
        {V::kLimiterMode, 3},
        {V::kFollowClock, 1},
        {V::kWckSingleSpeed, 1},
        {V::kClockSource, 4},   // k = 5: ADAT
        {V::kSampleRateRange, 1},
        {V::kAutoId, 1},
        {V::kDelayCompensation, 0},
        {V::kPeakHoldMode, 2},
        {V::kDigitalInputSelect, 1},
        {V::kKeysLock, 1},
        {V::kFxDrive, 2},
        {V::kOutputDim, 1},
        {V::kDirectLevel, 0},
        {V::kEnableTrim, 1},
        {V::kEnableGlobalLevel, 0},
        {V::kMeterMode, 1},
        {V::kWckState, 1},
        {V::kOptState, 1},
        {V::kAdat1State, 1},
        {V::kAdat2State, 1},
        {V::kAes1State, 0},
        {V::kAes1State + 1, 0},
        {V::kAes1State + 2, 0},
        {V::kAes1State + 3, 1},
        {V::StripId(0, V::kMute), 1},
        {V::StripId(1, V::kMute), 0},
        {V::StripId(2, V::kMute), 1},
        {V::StripId(7, V::kMute), 1},
        {V::kVolumeReference, 48},   // 0x3F clamped to the list
        {V::StripId(2, V::kDownMix8), -27},
        {V::StripId(0, V::kDownMix7), -127},
        {V::StripId(7, V::kDownMix8), 0},
        {V::kDeviceState, 2},
    };
    for (const Expect& e : expects) EXPECT_EQ(view->Value(e.id), e.value) << view->Control(e.id)->name;
    // Locked inputs are lit steadily, lost ones blink.
    EXPECT_TRUE(view->Control(V::kWckState)->flags & PANEL_BLINK) << "bit 2 clear";
    EXPECT_TRUE(view->Control(V::kOptState)->flags & PANEL_BLINK);
    EXPECT_FALSE(view->Control(V::kAdat2State)->flags & PANEL_BLINK);
    EXPECT_TRUE(view->Control(V::kClockFrequency)->flags & PANEL_GREYED);

    // 0x1B acts on the source that 0x11 left earlier in the same reply.
    Receive(StatusReply({{0x11, 0x40}, {0x1B, 1}}));
    EXPECT_EQ(view->Value(V::kInputSource), 2) << "Digital FX";
    Receive(StatusReply({{0x11, 0x40}, {0x1B, 0}}));
    EXPECT_EQ(view->Value(V::kInputSource), 1) << "Digital";
    Receive(StatusReply({{0x1B, 1}, {0x11, 0x10}}));
    EXPECT_EQ(view->Value(V::kInputSource), 0) << "Analog";
    Receive(StatusReply({{0x12, 0x00}}));
    EXPECT_EQ(view->Value(V::kClockSource), 0);
    EXPECT_EQ(view->Value(V::kClockFrequency), 0) << "44.1k";
    EXPECT_FALSE(view->Control(V::kClockFrequency)->flags & PANEL_GREYED);
}

TEST_F(OmbrelRunning, BankAndIdAddressTheDeviceAndChooseItsNames) {
    // A bank and an ID: the address and the name slot follow, nothing is sent.
    EXPECT_TRUE(Edit(V::kBank, 1.0).empty());
    EXPECT_EQ(view->GetDeviceId(), 0x10) << "the ID is taken from the address before All";
    EXPECT_TRUE(Edit(V::kId, 5.0).empty());
    EXPECT_EQ(view->GetDeviceId(), 0x15);
    EXPECT_EQ(view->GetNameIndex(), 13);
    EXPECT_EQ(view->Value(V::kDeviceName), 13);
    EXPECT_EQ(view->Control(V::StripId(3, V::kOutputName))->list, theIoNames.GetIoName(IoKeyOmbrel, 13, 11));
    // All, then bank 03: the ID comes back from the address before All.
    Edit(V::kBank, 8.0);
    EXPECT_EQ(view->Value(V::kId), 8);
    EXPECT_EQ(view->GetDeviceId(), 127);
    EXPECT_EQ(view->GetNameIndex(), 64);
    EXPECT_EQ(view->GetLastDeviceId(), 0x15);
    Edit(V::kBank, 2.0);
    EXPECT_EQ(view->GetDeviceId(), 0x25);
    EXPECT_EQ(view->Value(V::kId), 5);
    // The name list chooses both; its last entry is all devices.
    Edit(V::kDeviceName, 13.0);
    EXPECT_EQ(view->GetDeviceId(), 0x15);
    Edit(V::kDeviceName, 64.0);
    EXPECT_EQ(view->GetDeviceId(), 127);
    EXPECT_EQ(view->Value(V::kBank), 8);

    // The device answers its own address and 127 only.
    device.SetDeviceId(0x37);
    view->SetDeviceId(0x36);
    const int before = device.statusRequests;
    Poll();
    EXPECT_EQ(device.statusRequests, before) << "another device";
    view->SetDeviceId(0x37);
    Edit(V::StripId(0, V::kMute), 1.0);
    EXPECT_EQ(device.reg[0x18], 1);
    view->SetDeviceId(127);
    Edit(V::StripId(1, V::kMute), 1.0);
    EXPECT_EQ(device.reg[0x18], 3) << "all devices";
}

TEST_F(OmbrelRunning, ProgrammingAnAddressAsksFirstAndGoesToAllDevices) {
    auto choose = [](int line, int button) {
        testing_support::WhenDialogAppears([line, button](HWND dlg) {
            ::SendDlgItemMessageA(dlg, 1004, CB_SETCURSEL, WPARAM(line), 0);
            ::SendMessageA(dlg, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED), 0);
        });
    };
    choose(13, IDCANCEL);
    Command(ID_PROGRAM_DEVICE_ID);
    EXPECT_TRUE(boxes.boxes.empty()) << "cancelled: nothing asked";
    boxes.answer = IDNO;
    choose(13, IDOK);
    Command(ID_PROGRAM_DEVICE_ID);
    ASSERT_EQ(boxes.boxes.size(), 1u);
    EXPECT_EQ(boxes.boxes[0].text,
              "Do you really want to program Bank Number and Device ID?\nBe sure to have only one device connected!");
    EXPECT_EQ(device.DeviceId(), 0);
    boxes.answer = IDYES;
    choose(13, IDOK);
    Command(ID_PROGRAM_DEVICE_ID);
    const std::vector<Bytes> sent = driver.SentTo(out);
    EXPECT_EQ(sent.back(), Bytes({0xF0, 0x00, 0x7E, 0x31, 0x41, 0x7F, 0x20, 0x2C, 0x15, 0xF7}));
    EXPECT_EQ(device.DeviceId(), 0x15);
    EXPECT_EQ(view->GetDeviceId(), 127) << "the window's own address stays";
}

TEST_F(OmbrelRunning, BrokenRepliesOfBothKindsNeverReadPastTheMessageOrLeaveARange) {
    for (auto answer : {sim::SimDevice::Answer::Short, sim::SimDevice::Answer::Long, sim::SimDevice::Answer::Garbled}) {
        device.SetAnswer(answer);
        Poll();
        view->FastPoll();
        testing_support::PumpMessages(10);
        EXPECT_TRUE(AllInRange(view));
    }
    // 100,000 replies made from good ones, each ending at an unreadable page.
    device.SetAnswer(sim::SimDevice::Answer::Normal);
    device.moving = true;
    device.Step();
    testing_support::FeedMutatedReplies({device.StatusReply(), device.LevelReply()}, 100000, 2026,
                                        [this](const BYTE* data, int length) { view->OnSysExReceived(data, length); });
    EXPECT_TRUE(AllInRange(view));
    // And it still understands a good one.
    device.reg[0x19] = 0x0F;
    Poll();
    EXPECT_EQ(view->Value(V::StripId(7, V::kMute)), 1);
}

TEST_F(OmbrelRunning, TheNameAndHelpCommandsActOnThisDevicesSlot) {
    view->SetDeviceId(0x11);   // name slot 9
    theIoNames.SetIoName(IoKeyOmbrel, 9, 3, "Vocal");
    boxes.answer = IDNO;
    Command(ID_DEFAULT_IO_NAMES);
    ASSERT_EQ(boxes.boxes.size(), 1u);
    EXPECT_EQ(boxes.boxes[0].text, "Do you really want to set all I/O names of the current Device to default value?");
    EXPECT_STREQ(theIoNames.GetIoName(IoKeyOmbrel, 9, 3), "Vocal");
    boxes.answer = IDYES;
    Command(ID_DEFAULT_IO_NAMES);
    EXPECT_STREQ(theIoNames.GetIoName(IoKeyOmbrel, 9, 3), "Channel 4 ");
    EXPECT_STREQ(theIoNames.GetIoName(IoKeyOmbrel, 9, 11), "Channel 4 ");
    EXPECT_STREQ(view->Control(V::StripId(3, V::kOutputName))->list, "Channel 4 ");

    // Edit Device Names shows this model's 64 names; cancelled, the next
    // block still re-applies the address and skips a reply.
    testing_support::WhenDialogAppears([](HWND dlg) {
        EXPECT_EQ(::SendDlgItemMessageA(dlg, IDC_DEVICE_LIST, LB_GETCOUNT, 0, 0), 64);
        ::SendMessageA(dlg, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
    });
    Command(ID_EDIT_DEVICE_NAMES);
    view->RequestDeviceData(TRUE);
    testing_support::PumpMessages(5);
    view->SendChangedParameters(FALSE, FALSE, FALSE);
    EXPECT_EQ(view->GetReplySkip(), 1);
    EXPECT_EQ(view->GetDeviceId(), 0x11);

    Command(ID_HELP_CURRENT_FUNCTION);
    EXPECT_EQ(AfxGetLastHelpRequest().data, DWORD_PTR(231));
    // No device selection by list and no baud rate on this model.
    for (UINT id : {UINT(ID_SELECT_DEVICE), UINT(ID_SELECT_BAUD_RATE)}) {
        struct Recorder : CCmdUI {
            int enabled = -1;
            void Enable(BOOL on) override { enabled = on ? 1 : 0; }
        } ui;
        ui.m_nID = id;
        ui.DoUpdate(frame, TRUE);
        EXPECT_EQ(ui.enabled, 0) << id;
    }
}

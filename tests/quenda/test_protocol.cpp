// What the Quenda view sends for edits, what it makes of the router's
// replies (good and bad), how it shows the router online or not over time,
// and its commands.
#include <algorithm>

#include "app/ionames.h"
#include "names_res.h"
#include "quenda_fixture.h"
#include "resource.h"

using namespace quendatest;
using V = CQuendaMView;

namespace {

// An edit as the document hands it on, with its save countdown.
void NotifiedEdit(CQuendaMView* view, CDigiDoc* doc, int id, double value) {
    PanelSetValue(value, id, view->Table());
    doc->NotifyParametersChanged(FALSE);
}

}  // namespace

TEST_F(QuendaRunning, EachEditSendsTheWholeByteOfItsParameter) {
    // From the device's state: OPT, 96k frame, 64 channels, word clock, follow.
    const struct {
        int id;
        double value;
        int address, byte;
    } edits[] = {
        {V::kClockSource, 0, 0x50, 0x59},      // internal at 48k: clock bits 1
        {V::kClockFrequency, 0, 0x50, 0x58},   // 44.1k: 0
        {V::kClockSource, 3, 0x50, 0x5C},      // word clock: 4
        {V::kKeysLock, 1, 0x50, 0x7C},
        {V::kOutputChannels, 0, 0x50, 0x74},
        {V::kFollowClock, 0, 0x51, 0x00},
        {V::kEnableAdc, 1, 0x51, 0x01},
        {V::kSampleRateRange, 2, 0x51, 0x21},
        {V::kAdcAuto, 1, 0x4F, 0x49},
    };
    for (const auto& e : edits) {
        NotifiedEdit(view, doc, e.id, e.value);
        EXPECT_EQ(NewBlocks(), (std::vector<Bytes>{SetBlock(0x7F, {{e.address, e.byte}})})) << e.id;
        if (e.id == V::kClockSource) {
            EXPECT_EQ((view->Control(V::kClockFrequency)->flags & PANEL_GREYED) != 0, e.value > 0.5)
                << "the frequency counts for the internal clock only";
        }
    }
}

TEST_F(QuendaRunning, TheInputButtonsActAsAPairWithOneSelected) {
    for (int click = 0; click < 2; ++click) {   // the second click leaves BNC selected
        Mouse(WM_LBUTTONDOWN, 45, 55, MK_LBUTTON);
        Mouse(WM_LBUTTONUP, 45, 55);
        EXPECT_EQ(NewBlocks(), (std::vector<Bytes>{SetBlock(0x7F, {{0x50, 0x1C}})}));
        EXPECT_EQ(view->Value(V::kInputBnc), 1.0);
        EXPECT_EQ(view->Value(V::kInputOpt), 0.0);
    }
}

TEST_F(QuendaRunning, SendingTheWholeStateGivesOneBlockOfEveryAddress) {
    doc->StartStopMidi(FALSE);
    NewBlocks();
    Command(ID_SEND_SINGLE_SET);
    std::vector<std::pair<int, int>> groups = {{0x50, 0x5C}, {0x51, 0x40}, {0x4F, 0x00}};
    for (int o = 0; o < 73; ++o) groups.push_back({o, o});
    EXPECT_EQ(NewBlocks(), (std::vector<Bytes>{SetBlock(0x7F, groups)}));
    EXPECT_EQ(device.clock, 0x5C);
    EXPECT_EQ(device.adcRate, 0x40) << "the device's state, sent back unchanged";
}

TEST_F(QuendaRunning, AnAdcRoutingFromTheDeviceIsKeptAndSentBackWhenAutoGoesOff) {
    device.adcRouting = 0x12;
    Poll();
    EXPECT_EQ(view->Value(V::kAdcAuto), 0.0);
    EXPECT_EQ(view->GetAdcRouting(), 0x12);
    device.adcRouting = 0x49;
    Poll();
    EXPECT_EQ(view->Value(V::kAdcAuto), 1.0);
    EXPECT_EQ(view->GetAdcRouting(), 0x12) << "0x49 is the automatic routing, not a stored one";
    NotifiedEdit(view, doc, V::kAdcAuto, 0);
    EXPECT_EQ(NewBlocks(), (std::vector<Bytes>{SetBlock(0x7F, {{0x4F, 0x12}})}));
}

TEST_F(QuendaRunning, AfterAnEditTheNextReplyIsDroppedAndTheOneAfterItShown) {
    NotifiedEdit(view, doc, V::kFollowClock, 0);
    device.route[1] = 40;   // changed on the device meanwhile
    Poll();
    EXPECT_EQ(view->Value(V::kSelectorFirst + 1), 1) << "dropped: it may predate the edit";
    Poll();
    EXPECT_EQ(view->Value(V::kSelectorFirst + 1), 40);

    // The key lock is not among the edits that drop a reply.
    NotifiedEdit(view, doc, V::kKeysLock, 1);
    device.route[2] = 41;
    Poll();
    EXPECT_EQ(view->Value(V::kSelectorFirst + 2), 41);

    // A single receive asks with the skip cleared.
    NotifiedEdit(view, doc, V::kFollowClock, 1);
    device.route[3] = 42;
    view->RequestDeviceData(TRUE);
    testing_support::PumpMessages(10);
    EXPECT_EQ(view->Value(V::kSelectorFirst + 3), 42);
}

TEST_F(QuendaRunning, ARepliesPairsSetTheControlsToTheDevicesState) {
    device.route[0] = 72;
    device.route[5] = 70;
    device.clock = 0x2B;       // BNC, keys locked, 48k frame, 64 channels, MADI clock
    device.adcRate = 0x5E;     // follow, double speed, baud code 3, auto lamp, ADC off
    device.inputState = 0x45;  // fell back from BNC; AES pairs 1 and 3 present, MADI not
    device.syncState = 0x61;   // pair 1 in sync, pair 3 not; 96k frame, 64 channels in
    device.adcState = 0x23;    // converter 3, double and quad speed
    Poll();
    EXPECT_EQ(view->Value(V::kSelectorFirst + 0), 72);
    EXPECT_EQ(view->Value(V::kSelectorFirst + 5), 70);
    EXPECT_EQ(view->Value(V::kKeysLock), 1.0);
    EXPECT_EQ(view->Value(V::kOutputFrame), 0.0);
    EXPECT_EQ(view->Value(V::kOutputChannels), 1.0);
    EXPECT_EQ(view->Value(V::kClockSource), 2.0);
    EXPECT_TRUE(view->Control(V::kClockFrequency)->flags & PANEL_GREYED);
    EXPECT_EQ(view->GetBaudCode(), 3);
    EXPECT_EQ(view->Value(V::kFollowClock), 1.0);
    EXPECT_EQ(view->Value(V::kSampleRateRange), 1.0);
    EXPECT_TRUE(view->Control(V::kInputLabelFirst + 40)->flags & PANEL_HIDDEN) << "laid out for double speed";

    const PanelControl* bnc = view->Control(V::kInputBnc);
    const PanelControl* opt = view->Control(V::kInputOpt);
    EXPECT_EQ(bnc->value, 1.0);
    EXPECT_TRUE(bnc->flags & PANEL_BLINK);
    EXPECT_EQ(opt->value, 0.0);
    EXPECT_EQ(opt->flags & (PANEL_BLINK | PANEL_LED_ON), PANEL_LED_ON);

    for (int k = 0; k < 4; ++k) {   // pairs 1 and 3 present, only pair 1 in sync
        EXPECT_EQ(view->Value(V::kAesSyncFirst + k), k % 2 ? 0.0 : 1.0) << k;
        EXPECT_EQ((view->Control(V::kAesSyncFirst + k)->flags & PANEL_BLINK) != 0, k == 2) << k;
    }
    EXPECT_EQ(view->Value(V::kInputState), 0.0) << "no MADI input: ERROR";
    EXPECT_EQ(view->Value(V::kInputFrame), 1.0);
    EXPECT_EQ(view->Value(V::kInputChannels), 1.0);

    EXPECT_EQ(view->Value(V::kAdcNumber), 2.0);
    EXPECT_EQ(view->Value(V::kEnableAdc), 0.0);
    EXPECT_EQ(view->Control(V::kEnableAdc)->flags & (PANEL_BLINK | PANEL_LED_ON), PANEL_BLINK | PANEL_LED_ON);
    EXPECT_EQ(view->Control(V::kAdcAuto)->flags & (PANEL_BLINK | PANEL_LED_ON), PANEL_BLINK | PANEL_LED_ON);
    EXPECT_EQ(view->Value(V::kAesDoubleSpeed), 1.0);
    EXPECT_EQ(view->Value(V::kAesQuadSpeed), 1.0);
    EXPECT_EQ(view->Value(V::kDeviceState), 2.0);
    // Both ADC lamps lit by the device lock the grid to its ADC routing.
    EXPECT_TRUE(view->Control(V::CrosspointId(5, 5))->value > 0.5);
    EXPECT_FALSE(view->Control(V::CrosspointId(70, 5))->value > 0.5);
    EXPECT_TRUE(view->Control(V::CrosspointId(64, 16))->value > 0.5);
    EXPECT_TRUE(view->Control(V::CrosspointId(16, 64))->value > 0.5);

    // The device goes back: lamps and fallback go out, the grid is free again.
    device.inputState = 0x1F;
    device.adcState = 0x00;
    Poll();
    for (int id : {V::kInputBnc, V::kInputOpt, V::kEnableAdc, V::kAdcAuto})
        EXPECT_EQ(view->Control(id)->flags & (PANEL_BLINK | PANEL_LED_ON), 0) << id;
    EXPECT_EQ(view->Value(V::kInputState), 1.0) << "MADI present, not in sync: LOCK";
    EXPECT_TRUE(view->Control(V::CrosspointId(70, 5))->value > 0.5);
}

TEST_F(QuendaWindow, AReplyOf100BytesIsIgnoredAndOneOf101Decoded) {
    view->m_nStatusCounter = 3;
    const Bytes hundred = Reply(100, {{0, 7}, {1, 7}});
    view->OnSysExReceived(hundred.data(), int(hundred.size()));
    EXPECT_EQ(view->Value(V::kSelectorFirst), 0);
    EXPECT_EQ(view->m_nStatusCounter, 3) << "it does not count as a reply";
    const Bytes longer = Reply(101, {{0, 7}, {1, 7}});
    view->OnSysExReceived(longer.data(), int(longer.size()));
    EXPECT_EQ(view->Value(V::kSelectorFirst), 7);
    EXPECT_EQ(view->m_nStatusCounter, 0);
    EXPECT_EQ(view->Value(V::kDeviceState), 2.0);
}

TEST_F(QuendaRunning, BrokenRepliesChangeNothingTheyCannotAndNoControlLeavesItsRange) {
    for (auto answer : {sim::SimDevice::Answer::Short, sim::SimDevice::Answer::Long, sim::SimDevice::Answer::Garbled}) {
        device.SetAnswer(answer);
        Poll();
        Poll();
        EXPECT_TRUE(AllInRange(view));
    }
    // Another model's reply is never handed to the view.
    device.SetAnswer(sim::SimDevice::Answer::Normal);
    device.route[0] = 33;
    Poll();
    Bytes other = device.StatusReply();
    other[4] = 0x63;
    other[8] = 9;
    driver.Deliver(in, other);
    testing_support::PumpMessages(10);
    EXPECT_EQ(view->Value(V::kSelectorFirst), 33);

    // Bytes of any length and any value, handed to the decoder straight.
    unsigned seed = 7;
    auto next = [&seed] {
        seed = seed * 1103515245u + 12345u;
        return BYTE(seed >> 16);
    };
    for (int n = 0; n < 400; ++n) {
        Bytes junk(size_t(next()) + 1);
        for (BYTE& b : junk) b = (n % 2) ? BYTE(next() & 0x7F) : next();
        view->OnSysExReceived(junk.data(), int(junk.size()));
    }
    EXPECT_TRUE(AllInRange(view));
    // And it still understands a good one.
    device.route[0] = 12;
    Poll();
    EXPECT_EQ(view->Value(V::kSelectorFirst), 12);
}

TEST_F(QuendaWindow, TheDeviceShowsOnlineNotRespondingAndOfflineWithTheTransportsPoll) {
    ExpectOnlineNoResponseOffline(device, [this] { return view->Value(V::kDeviceState); }, "Tesmer Quenda Vantor");
}

TEST_F(QuendaRunning, ProgrammingADeviceIdAsksFirstAndAddressesAllDevices) {
    boxes.answer = IDYES;
    auto choose = [](int line) {
        testing_support::WhenDialogAppears([line](HWND dlg) {
            SendDlgItemMessageA(dlg, IDC_DEVICE_ID_COMBO, CB_SETCURSEL, WPARAM(line), 0);
            ::SendMessageA(dlg, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
        });
    };
    choose(5);
    Command(ID_PROGRAM_DEVICE_ID);
    ASSERT_EQ(boxes.boxes.size(), 1u);
    EXPECT_EQ(boxes.boxes[0].text, "Do you really want to program Device ID?\nBe sure to have only one device connected!");
    EXPECT_EQ(driver.SentTo(out).back(), (Bytes{0xF0, 0x00, 0x7E, 0x31, 0x62, 0x7F, 0x20, 0x58, 0x05, 0xF7}));
    EXPECT_EQ(device.DeviceId(), 5);
    EXPECT_EQ(view->GetDeviceId(), 127) << "the window still addresses all devices";

    boxes.answer = IDNO;
    const size_t sent = driver.sent.size();
    choose(7);
    Command(ID_PROGRAM_DEVICE_ID);
    EXPECT_EQ(driver.sent.size(), sent);

    boxes.answer = IDYES;
    doc->StartStopMidi(FALSE);
    choose(7);
    Command(ID_PROGRAM_DEVICE_ID);
    EXPECT_EQ(boxes.boxes.back().text, "No MIDI Connection established, please connect to MIDI.");
    EXPECT_EQ(driver.sent.size(), sent);
}

TEST_F(QuendaRunning, TheBaudRateGoesToAllDevicesWithoutFollowClock) {
    testing_support::WhenDialogAppears([](HWND dlg) {
        SendDlgItemMessageA(dlg, IDC_BAUD_RATE_LIST, LB_SETCURSEL, 2, 0);   // 38400
        ::SendMessageA(dlg, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    });
    Command(ID_SELECT_BAUD_RATE);
    EXPECT_EQ(driver.SentTo(out).back(), (Bytes{0xF0, 0x00, 0x7E, 0x31, 0x62, 0x7F, 0x20, 0x51, 0x0C, 0xF7}));
    EXPECT_EQ(view->GetBaudCode(), 3);
    NotifiedEdit(view, doc, V::kEnableAdc, 1);
    EXPECT_EQ(NewBlocks().back(), SetBlock(0x7F, {{0x51, 0x4D}})) << "the set block carries the new code";

    // OK without a line chosen sends nothing.
    const size_t sent = driver.sent.size();
    testing_support::WhenDialogAppears([](HWND dlg) {
        SendDlgItemMessageA(dlg, IDC_BAUD_RATE_LIST, LB_SETCURSEL, WPARAM(-1), 0);
        ::SendMessageA(dlg, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    });
    Command(ID_SELECT_BAUD_RATE);
    EXPECT_EQ(driver.sent.size(), sent);
    EXPECT_EQ(view->GetBaudCode(), 3);
}

TEST_F(QuendaRunning, SelectDeviceAddressesTheChosenIdAndItsNames) {
    testing_support::WhenDialogAppears([](HWND dlg) {
        SendDlgItemMessageA(dlg, IDC_DEVICE_ID_COMBO, CB_SETCURSEL, 3, 0);
        ::SendMessageA(dlg, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    });
    Command(ID_SELECT_DEVICE);
    EXPECT_EQ(view->GetDeviceId(), 3);
    EXPECT_EQ(view->Control(V::kInputLabelFirst + 7)->list, theIoNames.GetIoName(IoKeyQuenda, 3, 7));
    view->RequestDeviceData(FALSE);
    EXPECT_EQ(driver.SentTo(out).back(), (Bytes{0xF0, 0x00, 0x7E, 0x31, 0x62, 0x03, 0x10, 0xF7}));
    view->UpdateStatus(0, 0);
    EXPECT_EQ(view->Value(V::kDeviceIdCtl), 3.0);
    EXPECT_EQ(view->Value(V::kDeviceName), 3.0);

    // The ID controls address the window's device too; the device hears nothing of it.
    NotifiedEdit(view, doc, V::kDeviceName, 16);
    EXPECT_EQ(view->GetDeviceId(), 127);
    EXPECT_EQ(view->Value(V::kDeviceIdCtl), 16.0);
    NotifiedEdit(view, doc, V::kDeviceIdCtl, 10);
    EXPECT_EQ(view->GetDeviceId(), 10);
    EXPECT_EQ(view->Value(V::kDeviceName), 10.0);
    EXPECT_TRUE(NewBlocks().empty());
}

TEST_F(QuendaWindow, DefaultNamesAreSetForTheDeviceOnlyOnYes) {
    view->SetDeviceId(9);
    theIoNames.SetIoName(IoKeyQuenda, 9, 72, "Main L");
    boxes.answer = IDNO;
    Command(ID_DEFAULT_IO_NAMES);
    ASSERT_EQ(boxes.boxes.size(), 1u);
    EXPECT_EQ(boxes.boxes[0].text, "Do you really want to set all I/O names of the current Device to default value?");
    EXPECT_EQ(boxes.boxes[0].caption, AfxGetAppTitle());
    EXPECT_STREQ(theIoNames.GetIoName(IoKeyQuenda, 9, 72), "Main L");
    boxes.answer = IDYES;
    Command(ID_DEFAULT_IO_NAMES);
    EXPECT_STREQ(theIoNames.GetIoName(IoKeyQuenda, 9, 0), "MADI IN 1");
    EXPECT_STREQ(theIoNames.GetIoName(IoKeyQuenda, 9, 64), "AES IN 1");
    EXPECT_STREQ(theIoNames.GetIoName(IoKeyQuenda, 9, 72), "MADIOUT1");
    EXPECT_STREQ(theIoNames.GetIoName(IoKeyQuenda, 9, 143), "AES OUT8");
    EXPECT_STREQ(theIoNames.GetIoName(IoKeyQuenda, 9, 144), "PHONES");
}

TEST_F(QuendaWindow, NameEditsInOneWindowRepaintTheLabelsOfAnother) {
    view->SetDeviceId(4);
    view->UpdateStatus(0, 0);
    for (int ch = 0; ch < V::kNameChannels; ++ch) view->Control(V::kInputLabelFirst + ch)->flags &= ~PANEL_CHANGED;
    CQuendaMView other;
    other.SetDeviceId(4);
    PanelMarkChanged(V::kInputLabelFirst + 2, other.Table());   // as the name dialog leaves it
    other.SendChangedParameters(FALSE, FALSE, FALSE);
    view->UpdateStatus(0, 0);
    EXPECT_TRUE(view->Control(V::kInputLabelFirst + 100)->flags & PANEL_CHANGED);
}

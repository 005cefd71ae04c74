// The Tarvik matrix: its panel, what each edit sends, what a reply shows,
// the online display, and a matrix and a front view on one device.
#include "app/devicenames.h"
#include "resource.h"
#include "tarvik_fixture.h"

using namespace tarviktest;

TEST(TarvikMatrixView, AFreshViewRoutesAsItsTemplateAndAddressesAllDevices) {
    CTarvikMView v;
    ASSERT_EQ(v.Table()->count, 341);
    EXPECT_EQ(v.SettingsTable()->count, 85);
    EXPECT_EQ(v.GetDeviceId(), 127);
    EXPECT_EQ(v.GetDeviceIndex(), 16);
    EXPECT_EQ(v.m_nStatusCounter, 10) << "no reply yet";
    // Output n starts from n+8, then n-8; the crosspoints show the same
    // once the matrix is drawn from the selectors.
    v.RefreshMatrixFromSelectors();
    for (int o = 0; o < 16; ++o) {
        const int input = o < 8 ? o + 9 : o - 7;
        EXPECT_EQ(v.Value(M::kSelectorFirst + o), input) << o;
        EXPECT_EQ(v.Value(M::CrosspointId(input < 16 ? input : 0, o)), input < 16 ? 1 : 0) << o;
    }
    EXPECT_STREQ(v.Control(M::kSelectorFirst)->name, "Input Routing  1");
    EXPECT_STREQ(v.Control(M::kSelectorFirst + 15)->name, "Input Routing 16");
    // Names along the edges point into the device's row of names.
    EXPECT_EQ(v.Control(M::kInputNameFirst)->list, TarvikIoNames[16][0]);
    EXPECT_EQ(v.Control(M::kOutputNameFirst + 15)->list, TarvikIoNames[16][31]);
    struct Place {
        int id, x, y, w, h;
        const char* name;
    };
    const Place places[] = {
        {M::CrosspointId(0, 0), 141, 320, 13, 10, "Input MADI 1"},
        {M::CrosspointId(9, 2), 181, 200, 13, 10, "Input MADI 3"},
        {M::CrosspointId(15, 15), 456, 290, 13, 10, "Input ADAT 8"},
        {M::CrosspointId(7, 8), 316, 425, 13, 10, "Input ADAT 1"},
        {M::kInputNameFirst, 78, 185, 56, 10, "ADAT Input 1 Name"},
        {M::kInputNameFirst + 8, 78, 320, 56, 10, "MADI Input 1 Name"},
        {M::kOutputNameFirst + 8, 317, 123, 10, 56, "ADAT Output 1 Name"},
        {tarvik::kAdatSyncFirst + 7, 15, 290, 13, 10, "ADAT State In Sync 8"},
        {tarvik::kAdatAudioFirst, 46, 185, 13, 10, "ADAT State In Audio 1"},
        {tarvik::kMadiAudioFirst + 7, 46, 425, 13, 10, "MADI State In Audio 8"},
    };
    for (const Place& p : places) {
        const PanelControl* c = v.Control(p.id);
        ASSERT_NE(c, nullptr) << p.name;
        EXPECT_EQ(c->x, p.x) << p.name;
        EXPECT_EQ(c->y, p.y) << p.name;
        EXPECT_EQ(c->w, p.w) << p.name;
        EXPECT_EQ(c->h, p.h) << p.name;
        EXPECT_STREQ(c->name, p.name);
    }
    EXPECT_TRUE(v.Control(M::kOutputNameFirst)->flags & PANEL_VERTICAL);
    EXPECT_EQ(v.Control(tarvik::kMadiAudioFirst + 2)->bitmap, 249);
}

TEST_F(TarvikMatrix, AClickRoutesOneInputToItsColumnAndAgainRoutesNone) {
    Running();
    view->SetDeviceId(5);
    NewBlocks();
    // ADAT input 2 (routing value 9) to MADI output 3.
    Click(M::CrosspointId(9, 2));
    std::vector<Bytes> blocks = NewBlocks();
    ASSERT_EQ(blocks.size(), 1u);
    EXPECT_EQ(blocks[0], Bytes({0xF0, 0x00, 0x7E, 0x31, 0x64, 0x05, 0x20, 0x42, 0x09, 0xF7}));
    for (int i = 0; i < 16; ++i) EXPECT_EQ(view->Value(M::CrosspointId(i, 2)), i == 9 ? 1 : 0) << i;
    EXPECT_EQ(view->Value(M::kSelectorFirst + 2), 9);
    EXPECT_EQ(device.route[2], 9);
    EXPECT_EQ(view->GetReplySkip(), 1);
    Click(M::CrosspointId(9, 2));
    blocks = NewBlocks();
    ASSERT_EQ(blocks.size(), 1u);
    EXPECT_EQ(Groups(blocks[0]), Pairs({{0x42, 16}}));
    for (int i = 0; i < 16; ++i) EXPECT_EQ(view->Value(M::CrosspointId(i, 2)), 0) << i;
}

TEST_F(TarvikMatrix, EachSettingSendsItsParameterAndTheInputsActAsAPair) {
    Running();
    // The device's state: optical input, internal 48k, matrix on, 96K off.
    ASSERT_EQ(view->Value(tarvik::kInputOpt), 1);
    struct Case {
        const char* what;
        int id;
        double value;
        Pairs groups;
    };
    const Case cases[] = {
        {"BNC on", tarvik::kInputBnc, 1, {{0x00, 0}}},
        {"OPT on", tarvik::kInputOpt, 1, {{0x00, 1}}},
        {"BNC clicked off while OPT is lit: nothing", tarvik::kInputBnc, 0, {}},
        {"OPT clicked off: it stays the input", tarvik::kInputOpt, 0, {{0x00, 1}}},
        {"96K frame WCK", tarvik::kFrame96k, 2, {{0x16, 2}}},
        {"clock internal 44.1k", tarvik::kClockFrequency, 0, {{0x20, 1}}},
        {"clock Input MADI", tarvik::kClockSource, 2, {{0x20, 4}}},
        {"clock External", tarvik::kClockSource, 1, {{0x20, 3}}},
        {"routing matrix off", tarvik::kEnableMatrix, 0, {{0x30, 0}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const std::vector<Bytes> blocks = Edit(c.id, c.value);
        EXPECT_EQ(blocks.empty() ? Pairs() : Groups(blocks[0]), c.groups);
    }
    EXPECT_EQ(view->Value(tarvik::kInputBnc), 0);
    EXPECT_EQ(view->Value(tarvik::kInputOpt), 1) << "one of the pair stays lit";
    EXPECT_EQ(device.clock, 3);
    EXPECT_EQ(device.matrixOn, 0);

    // The ID list re-addresses the window and sends nothing.
    EXPECT_TRUE(Edit(M::kDeviceIdCtl, 5).empty());
    EXPECT_EQ(view->GetDeviceId(), 5);
    EXPECT_EQ(view->Value(M::kDeviceName), 5);
    EXPECT_EQ(view->Control(M::kInputNameFirst)->list, TarvikIoNames[5][0]);
    Edit(M::kDeviceName, 16);
    EXPECT_EQ(view->GetDeviceId(), 127);

    // Send Single Set: one message with the state and every routing.
    doc->StartStopMidi(FALSE);
    NewBlocks();
    Command(ID_SEND_SINGLE_SET);
    const std::vector<Bytes> all = NewBlocks();
    ASSERT_EQ(all.size(), 1u);
    const Pairs groups = Groups(all[0]);
    ASSERT_EQ(groups.size(), 4u + 16u);
    EXPECT_EQ(groups[0], std::make_pair(0x00, 1)) << "the lit input of the pair";
    EXPECT_EQ(groups[1], std::make_pair(0x16, 2));
    EXPECT_EQ(groups[2], std::make_pair(0x20, 3));
    EXPECT_EQ(groups[3], std::make_pair(0x30, 0));
    for (int o = 0; o < 16; ++o) EXPECT_EQ(groups[4 + o], std::make_pair(0x40 + o, o)) << o;
}

TEST_F(TarvikMatrix, RepliesOfBothLengthsShowTheDeviceAndSkipAfterAnEdit) {
    Running();
    device.route[4] = 12;
    device.inputSelect = 0;
    device.inputAlarm = 1;   // fell back from BNC to optical
    device.madiAudio = 0x5A;
    device.inputFormat = 2;
    device.adatSync[0] = 1;
    device.adatSync[3] = 3;
    device.adatAudio = 0x81;
    device.frame96k = 3;
    device.clock = 3;
    device.clockStatus = 0;   // external clock missing
    struct Shown {
        int id;
        double value;
    };
    const Shown shown[] = {
        {M::kSelectorFirst + 4, 12},
        {M::CrosspointId(12, 4), 1},
        {M::CrosspointId(4, 4), 0},
        {tarvik::kInputBnc, 1},
        {tarvik::kInputOpt, 0},
        {tarvik::kMadiAudioFirst, 0},
        {tarvik::kMadiAudioFirst + 1, 1},
        {tarvik::kMadiAudioFirst + 6, 1},
        {tarvik::kMadiAudioFirst + 7, 0},
        {tarvik::kInputChannels, 0},
        {tarvik::kInputFrame, 1},
        {tarvik::kAdatSyncFirst, 1},
        {tarvik::kAdatSyncFirst + 1, 1},
        {tarvik::kAdatSyncFirst + 3, 1},
        {tarvik::kAdatAudioFirst, 1},
        {tarvik::kAdatAudioFirst + 7, 1},
        {tarvik::kAdatAudioFirst + 3, 0},
        {tarvik::kFrame96k, 3},
        {tarvik::kClockSource, 1},
        {M::kDeviceState, 2},
    };
    for (bool longReply : {false, true}) {
        SCOPED_TRACE(longReply ? "127 bytes" : "72 bytes");
        device.longReply = longReply;
        Poll();
        for (const Shown& s : shown) EXPECT_EQ(view->Value(s.id), s.value) << view->Control(s.id)->name;
        EXPECT_TRUE(view->Control(tarvik::kInputBnc)->flags & PANEL_BLINK) << "the chosen input is lost";
        EXPECT_TRUE(view->Control(tarvik::kInputOpt)->flags & PANEL_LED_ON) << "the one in use is lit";
        EXPECT_TRUE(view->Control(tarvik::kAdatSyncFirst)->flags & PANEL_BLINK) << "present, no sync";
        EXPECT_FALSE(view->Control(tarvik::kAdatSyncFirst + 3)->flags & PANEL_BLINK);
        EXPECT_TRUE(view->Control(tarvik::kClockSource)->flags & PANEL_BLINK);
    }
    // After an edit the next reply is dropped, the one after it shown.
    Click(M::CrosspointId(0, 0));
    device.route[1] = 3;
    Poll();
    EXPECT_NE(view->Value(M::kSelectorFirst + 1), 3) << "dropped";
    EXPECT_EQ(view->m_nStatusCounter, 0) << "but it counts as an answer";
    Poll();
    EXPECT_EQ(view->Value(M::kSelectorFirst + 1), 3);
}

TEST_F(TarvikMatrix, AReplyBehindAnEchoIsFoundAndOtherLengthsAreIgnored) {
    Running();
    device.echo = true;
    for (bool longReply : {false, true}) {
        device.longReply = longReply;
        device.route[7] = longReply ? 2 : 1;
        Poll();
        EXPECT_EQ(view->Value(M::kSelectorFirst + 7), device.route[7]) << (longReply ? 135 : 80) << " bytes";
    }
    // Without address 0 the input counts as optical; a value byte past the
    // message is no value.
    view->m_nStatusCounter = 3;
    Receive(Reply(73, {{0x40, 5}}));
    EXPECT_EQ(view->m_nStatusCounter, 3) << "73 bytes are no reply";
    Receive(Reply(72, {{0x01, 0}, {0x40, 5}}));
    EXPECT_EQ(view->Value(tarvik::kInputOpt), 1);
    EXPECT_EQ(view->Value(M::kSelectorFirst), 5);
    Bytes last = Reply(72, {});
    last[69] = 0x41;
    last[70] = 6;
    Receive(last);
    EXPECT_EQ(view->Value(M::kSelectorFirst + 1), 6) << "the last pair before F7";
}

TEST_F(TarvikMatrix, TheDeviceShowsOnlineNotRespondingAndOffline) {
    ExpectOnlineNoResponseOffline(device, [this] { return view->Value(M::kDeviceState); }, "Tesmer Tarvik Vantor");
}

TEST_F(TarvikMatrix, BrokenRepliesReachNeitherViewPastTheirEndNorOutOfRange) {
    Running();
    for (auto answer : {sim::SimDevice::Answer::Short, sim::SimDevice::Answer::Long, sim::SimDevice::Answer::Garbled}) {
        device.SetAnswer(answer);
        Poll();
    }
    CmidiTarvikFView front;
    device.longReply = false;
    const Bytes shortReply = device.StatusReply();
    device.longReply = true;
    const Bytes longReply = device.StatusReply();
    device.echo = true;
    testing_support::FeedMutatedReplies({shortReply, longReply}, 100000, 64, [&](const BYTE* data, int length) {
        view->OnSysExReceived(data, length);
        front.OnSysExReceived(data, length);
    });
    EXPECT_TRUE(AllInRange(view->Table()));
    EXPECT_TRUE(AllInRange(front.Table()));
    for (int o = 0; o < 16; ++o) {
        int lit = 0;
        for (int i = 0; i < 16; ++i) lit += view->Value(M::CrosspointId(i, o)) > 0.5 ? 1 : 0;
        EXPECT_LE(lit, 1) << "column " << o;
    }
}

TEST_F(TarvikMatrix, TheFrontViewOfTheSameDeviceFollowsTheMatrix) {
    Running();
    theApp.WriteProfileInt("Test\\Front", "SWType", 0);
    theApp.WriteProfileString("Test\\Front", "MidiInputName", "Tarvik In");
    theApp.WriteProfileString("Test\\Front", "MidiOutputName", "Tarvik Out");
    ASSERT_TRUE(theApp.OpenFrame("Test\\Front", nullptr));
    CDigiDoc* frontDoc = theApp.m_windows[1].document;
    auto* front = dynamic_cast<CmidiTarvikFView*>(frontDoc->GetMidiView());
    ASSERT_NE(front, nullptr);
    frontDoc->StartStopMidi(TRUE);
    front->RequestDeviceData(FALSE);
    testing_support::PumpMessages(10);
    ASSERT_EQ(front->FindSelectedOutput(), 0);
    Click(M::CrosspointId(11, 0));   // ADAT input 4 to MADI output 1
    front->RequestDeviceData(FALSE);
    testing_support::PumpMessages(10);
    EXPECT_EQ(front->Value(F::kSelectorFirst), 11);
    for (int s = 0; s < 16; ++s) EXPECT_EQ(front->Value(F::kSourceButtonFirst + s), s == 11 ? 1 : 0) << s;
    EXPECT_FALSE(front->IsOffline());
}

TEST_F(TarvikMatrix, DeviceAndNameCommandsActOnThisWindowsDevice) {
    // Select Device: the chosen line re-addresses the window.
    testing_support::WhenDialogAppears([](HWND dlg) {
        ::SendDlgItemMessageA(dlg, 1004, CB_SETCURSEL, 6, 0);
        ::SendMessageA(dlg, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    });
    Command(ID_SELECT_DEVICE);
    EXPECT_EQ(view->GetDeviceId(), 6);
    EXPECT_EQ(view->Control(M::kOutputNameFirst)->list, TarvikIoNames[6][16]);
    // Default names for this device only, and only on Yes.
    SetSystemName(TarvikIoNames[6][8], "Stage Box");
    SetSystemName(TarvikIoNames[7][8], "Other");
    boxes.answer = IDNO;
    Command(ID_DEFAULT_IO_NAMES);
    EXPECT_STREQ(TarvikIoNames[6][8], "Stage Box");
    boxes.answer = IDYES;
    Command(ID_DEFAULT_IO_NAMES);
    EXPECT_STREQ(TarvikIoNames[6][8], "MADI IN 1");
    EXPECT_STREQ(TarvikIoNames[6][24], "ADAT OUT1");
    EXPECT_STREQ(TarvikIoNames[7][8], "Other");
    Command(ID_HELP_CURRENT_FUNCTION);
    EXPECT_EQ(AfxGetLastHelpRequest().data, DWORD_PTR(226));
}

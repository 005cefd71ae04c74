// The Lusket router: its matrix and what each edit sends, the stored
// routings with the preset preview, Store and Recall, what a reply shows, the
// online display, and what the view keeps.
#include <string>
#include <utility>
#include <vector>

#include "app/devicenames.h"
#include "devices/routing/lusketview.h"
#include "resource.h"
#include "sim/simlusket.h"
#include "support/devicewindow.h"
#include "support/recordfiles.h"

namespace {

using sim::Bytes;
using L = CLusketView;

const char* const kCompany = "VantorTestLusket";

// The input each output shows lit, 0 for none.
std::vector<int> Picture(CLusketView* v) {
    std::vector<int> inputs(8, 0);
    for (int o = 0; o < 8; ++o)
        for (int i = 0; i < 8; ++i)
            if (v->Value(L::CrosspointId(i, o)) > 0.5) inputs[size_t(o)] = i + 1;
    return inputs;
}

class LusketWindow : public DeviceWindowTest {
protected:
    void SetUp() override {
        OpenDeviceWindow(kCompany, 2, &device, "Lusket", RECT{20, 20, 400, 500});
        view = dynamic_cast<CLusketView*>(midiView);
        ASSERT_NE(view, nullptr);
    }
    void TearDown() override { CloseDeviceWindows(); }

    sim::SimLusket device{2};
    CLusketView* view = nullptr;
};

class LusketRecord : public testing_support::RecordFileTest {
protected:
    LusketRecord() : RecordFileTest(kCompany) {}
};

}  // namespace

TEST(LusketView, AFreshViewShowsNoRoutingAndAddressesAllDevices) {
    CLusketView v;
    ASSERT_EQ(v.Table()->count, 97);
    EXPECT_EQ(v.SettingsTable()->count, 33);
    EXPECT_EQ(v.GetDeviceId(), 127);
    EXPECT_EQ(v.GetDeviceIndex(), 16);
    EXPECT_EQ(v.Value(L::kPresetNumber), 10) << "None";
    for (int o = 0; o < 8; ++o) EXPECT_EQ(v.Value(L::kSelectorFirst + o), o + 9);
    v.RefreshMatrixFromSelectors();
    EXPECT_EQ(Picture(&v), std::vector<int>(8, 0)) << "9..16 light nothing";
    EXPECT_EQ(v.StoredRouting(0, 3), 0);
    EXPECT_EQ(v.StoredRouting(9, 3), 4);
    struct Place {
        int id, x, y, bitmap;
    };
    const Place places[] = {{L::CrosspointId(0, 0), 87, 190, 300},
                            {L::CrosspointId(2, 5), 187, 220, 276},
                            {L::CrosspointId(7, 7), 227, 295, 300},
                            {L::kInputNameFirst + 7, 21, 295, 269},
                            {L::kOutputNameFirst + 7, 228, 124, 269}};
    for (const Place& p : places) {
        EXPECT_EQ(v.Control(p.id)->x, p.x) << p.id;
        EXPECT_EQ(v.Control(p.id)->y, p.y) << p.id;
        EXPECT_EQ(v.Control(p.id)->bitmap, p.bitmap) << p.id;
    }
    EXPECT_STREQ(v.Control(L::CrosspointId(2, 5))->name, "Input MADI 6");
    EXPECT_EQ(v.Control(L::kOutputNameFirst)->list, LusketIoNames[16][8]);
}

TEST_F(LusketWindow, ClicksRouteOneInputPerOutput) {
    Running();
    ASSERT_EQ(Picture(view), std::vector<int>({1, 2, 3, 4, 5, 6, 7, 8}));
    Click(L::CrosspointId(3, 3));   // the lit one of output 4
    EXPECT_EQ(GroupsOf(NewBlocks()), Pairs({{0x5B, 0}}));
    EXPECT_EQ(Picture(view)[3], 0);
    Click(L::CrosspointId(4, 3));
    std::vector<Bytes> blocks = NewBlocks();
    ASSERT_EQ(blocks.size(), 1u);
    EXPECT_EQ(blocks[0], Bytes({0xF0, 0x00, 0x7E, 0x31, 0x65, 0x7F, 0x20, 0x5B, 0x05, 0xF7}));
    EXPECT_EQ(Picture(view)[3], 5);
    EXPECT_EQ(device.route[3], 5);
    EXPECT_EQ(view->GetReplySkip(), 1);
}

TEST_F(LusketWindow, APresetNumberPreviewsItsStoredRoutingForTenBlinks) {
    device.stored[4][0] = 8;
    device.stored[4][6] = 0;
    Running();
    ASSERT_EQ(view->StoredRouting(4, 0), 8);
    EXPECT_EQ(GroupsOf(Edit(L::kPresetNumber, 4)), Pairs({{0x05, 4}}));
    EXPECT_EQ(Picture(view), std::vector<int>({8, 2, 3, 4, 5, 6, 0, 8}));
    const PanelControl* cell = view->Control(L::CrosspointId(7, 0));
    EXPECT_TRUE(cell->flags & PANEL_GREYED) << "no clicks on a preview";
    EXPECT_TRUE(cell->flags & PANEL_BLINK);
    for (int blink = 0; blink < 10; ++blink) {
        EXPECT_EQ(view->GetPreviewCountdown(), 10 - blink);
        view->UpdateStatus(0, blink % 2);
    }
    EXPECT_EQ(Picture(view)[6], 0) << "still the preview until the next refresh";
    Poll();   // skipped: it follows the preset send
    Poll();
    EXPECT_EQ(Picture(view), std::vector<int>({1, 2, 3, 4, 5, 6, 7, 8})) << "the live routing again";
    EXPECT_FALSE(view->Control(L::CrosspointId(7, 0))->flags & (PANEL_GREYED | PANEL_BLINK));
    // "None" shows the live routing; "0 " previews an empty matrix.
    Edit(L::kPresetNumber, 10);
    EXPECT_EQ(Picture(view), std::vector<int>({1, 2, 3, 4, 5, 6, 7, 8}));
    Edit(L::kPresetNumber, 0);
    EXPECT_EQ(Picture(view), std::vector<int>(8, 0));
}

TEST_F(LusketWindow, StoreChangeAndRecallLeaveDeviceAndPanelAgreeing) {
    Running();
    Edit(L::kPresetNumber, 3);
    Click(L::kPresetStore);
    EXPECT_EQ(GroupsOf(NewBlocks()), Pairs({{0x06, 1}}));
    EXPECT_EQ(view->Value(L::kPresetStore), 0) << "momentary";
    EXPECT_EQ(device.stores, 1);
    // Change the live routing, then look at preset 3 and recall it.
    for (int k = 0; k < 12; ++k) view->UpdateStatus(0, k % 2);
    Poll();
    Poll();
    Click(L::CrosspointId(6, 0));
    EXPECT_EQ(device.route[0], 7);
    Poll();
    Edit(L::kPresetNumber, 3);
    EXPECT_EQ(Picture(view)[0], 1) << "preset 3 as stored";
    Click(L::kPresetRecall);
    EXPECT_EQ(GroupsOf(NewBlocks()), Pairs({{0x07, 1}}));
    EXPECT_EQ(view->Value(L::kPresetRecall), 0);
    EXPECT_EQ(device.route[0], 1);
    for (int k = 0; k < 12; ++k) view->UpdateStatus(0, k % 2);
    Poll();
    Poll();
    EXPECT_EQ(Picture(view), std::vector<int>({1, 2, 3, 4, 5, 6, 7, 8}));
    EXPECT_EQ(view->Value(L::kSelectorFirst), device.route[0]);
}

TEST_F(LusketWindow, AReplyOf174BytesShowsTheDeviceAndNoOtherLengthDoes) {
    Running();
    device.preset = 7;
    device.keysLock = 1;
    device.stored[9][7] = 2;
    device.route[5] = 0;
    Poll();
    EXPECT_EQ(view->Value(L::kPresetNumber), 7);
    EXPECT_EQ(view->Value(L::kLockKeys), 1);
    EXPECT_EQ(view->Value(L::kLockMidi), 0);
    EXPECT_EQ(view->StoredRouting(9, 7), 2);
    EXPECT_EQ(view->Value(L::kSelectorFirst + 5), 0);
    EXPECT_EQ(view->Value(L::kDeviceState), 2);
    Bytes reply = device.StatusReply();
    reply[8] = 11;   // a preset number above None
    view->OnSysExReceived(reply.data(), int(reply.size()));
    EXPECT_EQ(view->Value(L::kPresetNumber), 7);
    view->m_nStatusCounter = 3;
    Bytes longer = reply;
    longer.insert(longer.end() - 1, 0x7E);
    view->OnSysExReceived(longer.data(), int(longer.size()));
    EXPECT_EQ(view->m_nStatusCounter, 3) << "175 bytes are no reply";
    // Replies made from good ones: nothing read past them, nothing out of range.
    testing_support::FeedMutatedReplies({device.StatusReply()}, 100000, 65,
                                        [this](const BYTE* data, int length) { view->OnSysExReceived(data, length); });
    for (int k = 0; k < view->Table()->count; ++k) {
        const PanelControl& c = view->Table()->controls[k];
        EXPECT_TRUE(c.value >= c.min && c.value <= c.max) << c.name;
    }
}

TEST_F(LusketWindow, TheDeviceShowsOnlineAndTheAbsentOnesPresetsAreGrey) {
    ExpectOnlineNoResponseOffline(device, [this] { return view->Value(L::kDeviceState); }, "Tesmer Lusket Vantor");
    EXPECT_FALSE(view->Control(L::kPresetStore)->flags & PANEL_GREYED);
    view->UpdateStatus(-1, 0);
    EXPECT_TRUE(view->Control(L::kPresetStore)->flags & PANEL_GREYED);
    EXPECT_TRUE(view->Control(L::kPresetNumber)->flags & PANEL_GREYED);
}

TEST_F(LusketWindow, CommandsProgramTheIdAndSetDefaultNames) {
    Running();
    boxes.answer = IDYES;
    testing_support::WhenDialogAppears([](HWND dlg) {
        ::SendDlgItemMessageA(dlg, 1004, CB_SETCURSEL, 9, 0);
        ::SendMessageA(dlg, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    });
    Command(ID_PROGRAM_DEVICE_ID);
    EXPECT_EQ(driver.SentTo(out).back(), Bytes({0xF0, 0x00, 0x7E, 0x31, 0x65, 0x7F, 0x20, 0x0A, 0x09, 0xF7}));
    EXPECT_EQ(device.DeviceId(), 9);
    SetSystemName(LusketIoNames[16][0], "Desk");
    Command(ID_DEFAULT_IO_NAMES);
    EXPECT_STREQ(LusketIoNames[16][0], "IN 1 ");
    EXPECT_STREQ(LusketIoNames[16][15], "OUT 8");
    Command(ID_HELP_CURRENT_FUNCTION);
    EXPECT_EQ(AfxGetLastHelpRequest().data, DWORD_PTR(227));
}

TEST_F(LusketRecord, TheRecordAndTheProfileKeepTheIdNamesAndRouting) {
    CLusketView v;
    v.SetDeviceId(4);
    SetSystemName(LusketIoNames[4][0], "Cam");
    PanelShowValue(6, L::kSelectorFirst + 2, v.Table());
    const std::string path = File("lusket_record.vtw");
    testing_support::StoreRecord(v, path);
    const std::vector<std::string> lines = testing_support::FileLines(path);
    ASSERT_EQ(lines.size(), 1u + 16u + 13u + 2u);
    EXPECT_EQ(lines[0], "TarvikIndex=04");
    EXPECT_EQ(lines[1], "IN0_NAME=     Cam");
    EXPECT_EQ(lines[2].substr(0, 10), "OUT0_NAME=");
    EXPECT_EQ(lines[17], "Device ID=16.000000");
    EXPECT_EQ(lines[19], "Device Preset Number=10.000000");
    EXPECT_EQ(lines[24], "Input Routing  3=6.000000");
    CLusketView back;
    testing_support::LoadRecord(back, path);
    EXPECT_EQ(back.GetDeviceId(), 4);
    EXPECT_STREQ(LusketIoNames[4][0], "     Cam");
    EXPECT_EQ(Picture(&back)[2], 6);
    // A setup file keeps the window's ID.
    const std::string setup = File("lusket_record.vts");
    testing_support::WriteLines(setup, lines);
    CLusketView kept;
    testing_support::LoadRecord(kept, setup);
    EXPECT_EQ(kept.GetDeviceId(), 127);

    v.SaveSettings("Default\\Settings\\lusketm");
    EXPECT_EQ(theApp.GetProfileInt("Default\\Settings\\lusketm", "TarvikID", -1), 4);
    CLusketView fromProfile;
    fromProfile.LoadSettings("Default\\Settings\\lusketm");
    EXPECT_EQ(fromProfile.GetDeviceId(), 4);
    EXPECT_EQ(Picture(&fromProfile)[2], 6);
}

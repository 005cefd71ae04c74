// The Tarvik front view: its output and source buttons, what they send, how
// replies move them, the titles, and the greyed panel while the device is
// away.
#include "resource.h"
#include "tarvik_fixture.h"

using namespace tarviktest;

namespace {

int LitSource(CmidiTarvikFView* v) {
    int lit = -1, count = 0;
    for (int s = 0; s < 16; ++s)
        if (v->Value(F::kSourceButtonFirst + s) > 0.5) {
            lit = s;
            ++count;
        }
    return count > 1 ? -2 : lit;
}

}  // namespace

TEST(TarvikFrontView, TheButtonRowsAndLampsSitWhereThePanelPrintsThem) {
    CmidiTarvikFView v;
    ASSERT_EQ(v.Table()->count, 82);
    EXPECT_EQ(v.GetDeviceId(), 127);
    struct Place {
        int id, x, y, bitmap;
        const char* name;
    };
    const Place places[] = {
        {F::kOutputButtonFirst + 5, 241, 111, 259, "Output MADI 6"},
        {F::kOutputButtonFirst + 8, 351, 111, 244, "Output ADAT 1"},
        {F::kSourceButtonFirst + 9, 371, 96, 247, "Input ADAT 2"},
        {tarvik::kMadiAudioFirst + 7, 180, 43, 264, "MADI State In Audio 8"},
        {tarvik::kAdatSyncFirst, 320, 28, 243, "ADAT State In Sync 1"},
        {F::kSelectorFirst + 3, 296, 58, 269, "Input Routing  4"},
    };
    for (const Place& p : places) {
        const PanelControl* c = v.Control(p.id);
        ASSERT_NE(c, nullptr) << p.name;
        EXPECT_EQ(c->x, p.x) << p.name;
        EXPECT_EQ(c->y, p.y) << p.name;
        EXPECT_EQ(c->bitmap, p.bitmap) << p.name;
        EXPECT_STREQ(c->name, p.name);
    }
    EXPECT_STREQ(v.Control(tarvik::kFrame96k)->list, "off ");
    EXPECT_TRUE(v.Control(F::kSelectorFirst)->flags & PANEL_HIDDEN);
}

TEST_F(TarvikFront, AnOutputShowsItsSourceAndASourceRoutesIt) {
    Running();
    ASSERT_FALSE(view->IsOffline());
    EXPECT_EQ(view->FindSelectedOutput(), 0) << "the first reply picks MADI output 1";
    device.route[5] = 9;
    view->RequestDeviceData(TRUE);
    testing_support::PumpMessages(10);
    // Output button 6 (control 46): lit alone, and its source (selector 86) lit.
    Click(F::kOutputButtonFirst + 5);
    EXPECT_EQ(view->FindSelectedOutput(), 5);
    for (int o = 0; o < 16; ++o) EXPECT_EQ(view->Value(F::kOutputButtonFirst + o), o == 5 ? 1 : 0) << o;
    EXPECT_EQ(LitSource(view), 9);
    EXPECT_TRUE(NewBlocks().empty()) << "choosing an output sends nothing";
    EXPECT_EQ(view->GetReplySkip(), 1);
    // The lit source clicked: the output takes no input.
    Click(F::kSourceButtonFirst + 9);
    std::vector<Bytes> blocks = NewBlocks();
    ASSERT_EQ(blocks.size(), 1u);
    EXPECT_EQ(Groups(blocks[0]), Pairs({{0x45, 16}}));
    EXPECT_EQ(LitSource(view), -1);
    Click(F::kSourceButtonFirst + 2);
    blocks = NewBlocks();
    ASSERT_EQ(blocks.size(), 1u);
    EXPECT_EQ(Groups(blocks[0]), Pairs({{0x45, 2}}));
    EXPECT_EQ(device.route[5], 2);
    EXPECT_EQ(LitSource(view), 2);
}

TEST_F(TarvikFront, RoutingPairsLightASourceOnlyForTheSelectedOutput) {
    Running();
    Click(F::kOutputButtonFirst + 3);
    view->RequestDeviceData(TRUE);
    testing_support::PumpMessages(10);
    Receive(Reply(72, {{0x43, 9}}));
    EXPECT_EQ(view->Value(F::kSelectorFirst + 3), 9);
    EXPECT_EQ(LitSource(view), 9) << "Input ADAT 2";
    Receive(Reply(72, {{0x44, 1}}));
    EXPECT_EQ(view->Value(F::kSelectorFirst + 4), 1);
    EXPECT_EQ(LitSource(view), 9) << "another output only moves its selector";
    // A routing byte beyond the inputs lights nothing, and no hidden control.
    Receive(Reply(72, {{0x43, 30}}));
    EXPECT_EQ(view->Value(F::kSelectorFirst + 3), 16);
    EXPECT_EQ(LitSource(view), -1);
    for (int o = 0; o < 16; ++o) EXPECT_LE(view->Value(F::kSelectorFirst + o), 16);
    // Only replies of exactly 72 or 127 bytes: an echo before one is ignored.
    device.echo = true;
    device.route[3] = 4;
    Poll();
    EXPECT_EQ(view->Value(F::kSelectorFirst + 3), 16);
}

TEST_F(TarvikFront, TheTitleTellsTheStateAndTheAbsentDevicesPanelIsGrey) {
    EXPECT_TRUE(view->IsOffline()) << "a new window starts grey";
    EXPECT_TRUE(view->Control(F::kOutputButtonFirst)->flags & PANEL_GREYED);
    view->UpdateStatus(-10, 0);
    EXPECT_EQ(frame->GetWindowText(), "Tesmer Tarvik Vantor - offline");
    view->UpdateStatus(-1, 0);
    EXPECT_EQ(frame->GetWindowText(), "Tesmer Tarvik Vantor - no response: all IDs");
    Running();
    EXPECT_FALSE(view->Control(tarvik::kClockSource)->flags & PANEL_GREYED);
    EXPECT_EQ(view->Value(tarvik::kEnableMatrix), 1);
    view->UpdateStatus(0, 1);
    EXPECT_EQ(frame->GetWindowText(), "Tesmer Tarvik Vantor - online: all IDs");
    view->UpdateStatus(-1, 0);
    EXPECT_EQ(view->Value(tarvik::kEnableMatrix), 0) << "dark while away";
    EXPECT_EQ(view->Value(F::kSelectorFirst + 2), 2) << "the routing is kept";
}

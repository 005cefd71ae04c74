// Routing with the mouse against the simulated router: clicks, row and
// diagonal drags, the hover highlight, and the cells the ADC lock holds.
#include "quenda_fixture.h"

using namespace quendatest;
using V = CQuendaMView;

namespace {

bool Lit(CQuendaMView* v, int input, int output) { return v->Control(V::CrosspointId(input, output))->value > 0.5; }

}  // namespace

TEST_F(QuendaRunning, AClickRoutesItsInputAndAClickOnALitCellRoutesNone) {
    Click(5, 9);
    EXPECT_EQ(NewBlocks(), (std::vector<Bytes>{SetBlock(0x7F, {{9, 5}})}));
    EXPECT_EQ(device.route[9], 5);
    EXPECT_EQ(view->Value(V::kSelectorFirst + 9), 5);
    EXPECT_TRUE(Lit(view, 5, 9));
    EXPECT_FALSE(Lit(view, 9, 9)) << "one input per output";

    Click(5, 9);
    EXPECT_EQ(NewBlocks(), (std::vector<Bytes>{SetBlock(0x7F, {{9, 72}})}));
    EXPECT_EQ(device.route[9], 72);
    for (int i = 0; i < 72; ++i) EXPECT_FALSE(Lit(view, i, 9)) << i;
    EXPECT_EQ(view->GetReplySkip(), 1) << "the next reply may still hold the old routing";
}

TEST_F(QuendaRunning, AClickOnAPixelNeighboursShareTogglesOneCell) {
    // Columns 3 and 4 touch, as do rows 2 and 3: their edge pixels are shared.
    const PanelControl* right = view->Control(V::CrosspointId(2, 4));
    Mouse(WM_LBUTTONDOWN, right->x, right->y + 5, MK_LBUTTON);
    Mouse(WM_LBUTTONUP, right->x, right->y + 5);
    EXPECT_EQ(NewBlocks(), (std::vector<Bytes>{SetBlock(0x7F, {{4, 2}})}));
    EXPECT_FALSE(Lit(view, 2, 3));

    const PanelControl* corner = view->Control(V::CrosspointId(3, 4));
    Mouse(WM_LBUTTONDOWN, corner->x, corner->y, MK_LBUTTON);
    Mouse(WM_LBUTTONUP, corner->x, corner->y);
    EXPECT_EQ(NewBlocks(), (std::vector<Bytes>{SetBlock(0x7F, {{4, 3}})})) << "of four cells only one";
    EXPECT_EQ(device.route[3], 3);
}

TEST_F(QuendaRunning, ARowDragFromAnUnlitCellLightsEveryCellOnTheWay) {
    Drag(10, 2, 10, 6);
    EXPECT_EQ(NewBlocks(), (std::vector<Bytes>{SetBlock(0x7F, {{2, 10}}),
                                               SetBlock(0x7F, {{3, 10}, {4, 10}, {5, 10}, {6, 10}})}));
    for (int o = 2; o <= 6; ++o) {
        EXPECT_TRUE(Lit(view, 10, o)) << o;
        EXPECT_EQ(device.route[o], 10);
    }
    EXPECT_EQ(device.route[7], 7);
}

TEST_F(QuendaRunning, ADragFromALitCellClearsOnlyTheLitCellsOnTheWay) {
    Click(4, 6);
    NewBlocks();
    Drag(4, 4, 4, 8);   // (4, 4) is lit from the start
    EXPECT_EQ(NewBlocks(), (std::vector<Bytes>{SetBlock(0x7F, {{4, 72}}), SetBlock(0x7F, {{6, 72}})}));
    EXPECT_EQ(device.route[5], 5);
    EXPECT_EQ(device.route[7], 7);
    EXPECT_EQ(device.route[8], 8);
}

TEST_F(QuendaRunning, ADiagonalDragSetsOneCellPerColumnAndAColumnDragOnlyTheClick) {
    Drag(20, 10, 17, 13);
    EXPECT_EQ(NewBlocks(), (std::vector<Bytes>{SetBlock(0x7F, {{10, 20}}),
                                               SetBlock(0x7F, {{13, 17}, {12, 18}, {11, 19}})}));
    EXPECT_EQ(device.route[11], 19);

    Drag(30, 40, 35, 40);
    EXPECT_EQ(NewBlocks(), (std::vector<Bytes>{SetBlock(0x7F, {{40, 30}})}));
    Drag(50, 40, 52, 45);   // neither a row nor a diagonal
    EXPECT_EQ(NewBlocks(), (std::vector<Bytes>{SetBlock(0x7F, {{40, 50}})}));
}

TEST_F(QuendaRunning, TheHoveredRowAndColumnLabelsAreHighlighted) {
    POINT p = CellCentre(12, 30);
    Mouse(WM_MOUSEMOVE, p.x, p.y);
    EXPECT_EQ(view->Control(V::kInputLabelFirst + 12)->bitmap, 288);
    EXPECT_EQ(view->Control(V::kOutputLabelFirst + 30)->bitmap, 288);
    p = CellCentre(13, 30);
    Mouse(WM_MOUSEMOVE, p.x, p.y);
    EXPECT_EQ(view->Control(V::kInputLabelFirst + 12)->bitmap, 269);
    EXPECT_EQ(view->Control(V::kInputLabelFirst + 13)->bitmap, 288);
    Mouse(WM_MOUSEMOVE, 5, 5);
    EXPECT_EQ(view->Control(V::kInputLabelFirst + 13)->bitmap, 269);
    EXPECT_EQ(view->Control(V::kOutputLabelFirst + 30)->bitmap, 269);
    EXPECT_TRUE(NewBlocks().empty());
}

TEST_F(QuendaRunning, UnderTheAdcLockTheGridShowsTheDevicesRoutingAndTakesNoClicks) {
    device.adcRate = 0x41;     // ADC enabled
    device.adcRouting = 0x49;  // automatic routing
    device.adcState = 0x10;    // converter 2
    Poll();
    ASSERT_EQ(view->Value(V::kEnableAdc), 1.0);
    ASSERT_EQ(view->Value(V::kAdcAuto), 1.0);
    for (int k = 0; k < 8; ++k) {
        EXPECT_TRUE(Lit(view, 64 + k, 8 + k)) << "MADI output " << 9 + k << " from AES input " << k + 1;
        EXPECT_TRUE(Lit(view, 8 + k, 64 + k)) << "AES output " << k + 1 << " from MADI input " << 9 + k;
        EXPECT_EQ(view->Value(V::kSelectorFirst + 8 + k), 8 + k) << "the selectors keep the user's routing";
    }
    EXPECT_TRUE(Lit(view, 3, 3));
    EXPECT_TRUE(Lit(view, 20, 20));
    EXPECT_EQ(view->Control(V::CrosspointId(0, 0))->bitmap, 293);
    EXPECT_TRUE(view->Control(V::CrosspointId(0, 71))->flags & PANEL_GREYED);
    EXPECT_EQ(view->Control(V::CrosspointId(0, 72))->bitmap, 291);

    Click(3, 9);
    EXPECT_TRUE(NewBlocks().empty()) << "a locked cell takes no click";
    // A drag from the free phones column into locked cells sets none of them.
    Drag(5, 72, 5, 70);
    EXPECT_EQ(NewBlocks(), (std::vector<Bytes>{SetBlock(0x7F, {{72, 5}})}));
    EXPECT_EQ(device.route[70], 70);
    EXPECT_EQ(device.route[71], 71);
}

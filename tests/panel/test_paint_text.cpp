// Painting text, checked pixel by pixel: number and list texts, cutting and
// alignment, glyph widths, grey fill, vertical text and blinking.
#include <gtest/gtest.h>

#include "panel_test_util.h"

using paneltest::Control;
using paneltest::CoordBitmaps;
using paneltest::Source;
using paneltest::Surface;
using paneltest::TextList;

namespace {

const int kFont = 900, kFont24 = 901, kFont15 = 902;   // glyph strips 6, 14 and 9 wide

class PanelText : public ::testing::Test {
protected:
    PanelText() : surface(200, 100) {
        bm.add(kFont, 95 * 6, 10);
        bm.add(kFont24, 95 * 14, 24);
        bm.add(kFont15, 95 * 9, 15);
    }
    // Paints the control on its own and reads its cells back.
    std::string Paint(PanelControl& c, int g) {
        surface.fill(Surface::kUntouched);
        PanelPaint(surface.dc(), &c, 1, TRUE);
        EXPECT_TRUE(surface.untouchedOutside(c.x, c.y, c.w, c.h));
        return paneltest::ReadCells(bm, surface, c.bitmap, c.x + c.w, c.y, g, c.w / g);
    }
    PanelControl Number(double value, int decimals, const char* unit, int type = PANEL_NUMBER) {
        PanelControl c = Control(1, type, 10, 20, 60, 10, kFont);
        c.value = value, c.min = -1000, c.max = 1000, c.decimals = decimals;
        std::snprintf(c.unit, sizeof(c.unit), "%s", unit);
        return c;
    }
    CoordBitmaps bm;
    Surface surface;
};

TEST_F(PanelText, NumbersAreCutToTheirDecimalsAndRightAligned) {
    struct Case {
        double value;
        int decimals, type;
        const char* unit;
        const char* shown;
    } cases[] = {
        {12.5, 1, PANEL_NUMBER, "dB", "  12.5 dB "},    {12.5, 0, PANEL_NUMBER, "dB", "    12 dB "},
        {12.5, 1, PANEL_NUMBER, "", "     12.5 "},      {2.96, 1, PANEL_NUMBER_DISPLAY, "", "      2.9 "},
        {-0.4, 0, PANEL_NUMBER, "", "       -0 "},      {1, 25, PANEL_NUMBER, "", "000000000 "},
        {0.5, 1, PANEL_LEVEL_NUMBER, "dB", "    OVR   "}, {-150, 1, PANEL_LEVEL_NUMBER, "dB", "    UFL   "},
        {-20.04, 1, PANEL_LEVEL_NUMBER, "dB", " -20.0 dB "}, {-20.04, 2, PANEL_LEVEL_NUMBER, "dB", "     -20.0"},
        {-20.04, 0, PANEL_LEVEL_NUMBER, "dB", "   -20 dB "},
    };
    for (const Case& k : cases) {
        PanelControl c = Number(k.value, k.decimals, k.unit, k.type);
        EXPECT_EQ(Paint(c, 6), k.shown) << k.value << " with " << k.decimals << " decimals";
    }
}

TEST_F(PanelText, LongTextLosesItsFirstCharactersAndTheLeftCellIsCut) {
    TextList list({"ABCDEF"});
    PanelControl c = Control(1, PANEL_TEXT_FIXED, 10, 20, 20, 10, kFont);
    c.list = list.data();
    EXPECT_EQ(Paint(c, 6), "DEF");
    // The fourth cell starts 4 pixels left of the control: its last 2 columns.
    EXPECT_EQ(bm.at(surface, 10, 20), (Source{bm.tagOf(kFont), ('C' - 32) * 6 + 4, 0}));
    EXPECT_EQ(bm.at(surface, 11, 29), (Source{bm.tagOf(kFont), ('C' - 32) * 6 + 5, 9}));
}

TEST_F(PanelText, GlyphWidthFollowsTheHeightAndOddCharactersShowBlank) {
    TextList list({"-9\t5\xE9~"});
    PanelControl c = Control(1, PANEL_TEXT_FIXED, 0, 0, 84, 24, kFont24);
    c.list = list.data();
    EXPECT_EQ(Paint(c, 14), "-9 5 ~");
    c.h = 15, c.bitmap = kFont15, c.w = 54;
    EXPECT_EQ(Paint(c, 9), "-9 5 ~");
    c.h = 4;   // glyph width 0 would never pass the left edge
    EXPECT_EQ(Paint(c, 1).find_first_not_of('?'), std::string::npos);
    c.h = 30, c.w = 4, c.flags = PANEL_VERTICAL;
    EXPECT_EQ(Paint(c, 1).find_first_not_of('?'), std::string::npos);
}

TEST_F(PanelText, ListsShowTheEntryOfTheValueAndLabelsTheirOwnText) {
    TextList list({"Int. ", "AES ", "MADI ", "WCK "});
    PanelControl c = Control(1, PANEL_LIST, 10, 20, 36, 10, kFont);
    c.list = list.data();
    c.max = 3;
    c.value = 2.7;
    EXPECT_EQ(Paint(c, 6), " MADI ");
    for (int type : {PANEL_TEXT_EDIT, PANEL_TEXT_FIXED}) {
        c.type = type;
        c.value = 12;   // a damaged file can point a label past its table
        EXPECT_EQ(Paint(c, 6), " Int. ");
    }
    c.type = PANEL_LIST;
    c.list = nullptr;
    EXPECT_EQ(Paint(c, 6), "      ");
}

TEST_F(PanelText, GreyedTextIsTheGlyphAndedWithGrey) {
    PanelControl c = Number(5, 0, "");
    c.w = 12;
    for (int flag : {PANEL_GREYED, PANEL_GREY_FILL}) {
        c.flags = flag;
        PanelPaint(surface.dc(), &c, 1, TRUE);
        for (int y = 0; y < 10; ++y)
            for (int x = 0; x < 6; ++x) {
                ASSERT_EQ(surface.at(10 + x, 20 + y), CoordBitmaps::Encode(bm.tagOf(kFont), ('5' - 32) * 6 + x, y) & 0xA0A0A0);
                ASSERT_EQ(surface.at(16 + x, 20 + y), CoordBitmaps::Encode(bm.tagOf(kFont), x, y) & 0xA0A0A0);
            }
    }
}

TEST_F(PanelText, VerticalTextReadsBottomToTop) {
    TextList list({"AB"});
    PanelControl c = Control(1, PANEL_TEXT_EDIT, 20, 10, 10, 56, kFont);
    c.flags = PANEL_VERTICAL;
    c.list = list.data();
    PanelPaint(surface.dc(), &c, 1, TRUE);
    // Target (x + col, y + i) shows scratch (55 - i, col): the strip's own
    // column 0, then cell k from column 1 + 6k.
    for (int i = 0; i < 56; ++i)
        for (int col = 0; col < 10; ++col) {
            int sx = 55 - i, k = (sx - 1) / 6;
            int glyph = k == 0 ? 'A' - 32 : (k == 1 ? 'B' - 32 : 0);
            Source expected{bm.tagOf(kFont), sx == 0 ? 0 : glyph * 6 + (sx - 1) % 6, col};
            ASSERT_EQ(bm.at(surface, 20 + col, 10 + i), expected) << "col " << col << " row " << i;
        }
    EXPECT_TRUE(surface.untouchedOutside(20, 10, 10, 56));
}

TEST_F(PanelText, SelectionEdgeAndBlinking) {
    PanelControl c = Number(12.5, 1, "");
    c.flags = PANEL_SELECTED;
    PanelPaint(surface.dc(), &c, 1, TRUE);
    EXPECT_EQ(bm.at(surface, 20, 22).tag, bm.tagOf(kFont));
    EXPECT_NE(bm.at(surface, 69, 22).tag, bm.tagOf(kFont)) << "sunken edge on the right";
    EXPECT_NE(bm.at(surface, 20, 29).tag, bm.tagOf(kFont)) << "and at the bottom";

    c.flags = PANEL_BLINK;
    PanelPaintBlinking(surface.dc(), &c, 1, 1);
    EXPECT_EQ(paneltest::ReadCells(bm, surface, kFont, 70, 20, 6, 10), "    12.5  ") << "two blanks when blinking";
    PanelPaintBlinking(surface.dc(), &c, 1, 0);
    EXPECT_EQ(paneltest::ReadCells(bm, surface, kFont, 70, 20, 6, 10), "          ");
    EXPECT_EQ(c.flags, PANEL_BLINK) << "blinking leaves the redraw bit alone";
    surface.fill(Surface::kUntouched);
    c.flags = PANEL_BLINK | PANEL_HIDDEN;
    PanelPaintBlinking(surface.dc(), &c, 1, 0);
    c.flags = PANEL_BLINK;
    c.type = PANEL_TEXT_FIXED;
    PanelPaintBlinking(surface.dc(), &c, 1, 0);
    EXPECT_TRUE(surface.untouchedOutside(0, 0, 0, 0)) << "hidden and fixed text do not blink";
}

}  // namespace

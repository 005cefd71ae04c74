// Painting from bitmaps, checked pixel by pixel: LEDs, bars and peaks across
// successive paints, meters, sliders and knobs, the paint loop and the cache.
#include <gtest/gtest.h>

#include <vector>

#include "panel_test_util.h"

using paneltest::Control;
using paneltest::CoordBitmaps;
using paneltest::Surface;

namespace {

const int kBack = 800, kLed = 801, kBar = 802, kKnob = 803, kFont = 804, kMeter = 806;

class PanelPaintTest : public ::testing::Test {
protected:
    PanelPaintTest() : surface(220, 160) {
        const int sizes[][3] = {{kBack, 220, 160}, {kLed, 24, 20}, {kBar, 40, 104}, {kKnob, 20, 10},
                                {kFont, 570, 10},  {kMeter, 120, 20}};
        for (auto& s : sizes) bm.add(s[0], s[1], s[2]);
    }
    ::testing::AssertionResult From(int x, int y, int w, int h, int id, int sx, int sy) {
        return bm.from(surface, x, y, w, h, id, sx, sy);
    }
    // Marks the controls, paints only the marked ones on a clean surface.
    void Repaint(std::vector<PanelControl>& cs, std::initializer_list<int> marked) {
        for (int i : marked) cs[size_t(i)].flags |= PANEL_REDRAW;
        surface.fill(Surface::kUntouched);
        PanelPaint(surface.dc(), cs.data(), int(cs.size()), FALSE);
    }
    CoordBitmaps bm;
    Surface surface;
};

PanelControl Bar(int type, int x, int h, double max, double value, int bitmap = kBar) {
    PanelControl c = Control(1, type, x, 5, 20, h, bitmap);
    c.max = max, c.step = 8, c.value = value, c.lastLength = -1;
    return c;
}

TEST_F(PanelPaintTest, LedsShowLitOverUnlitByValueAndForcingFlags) {
    PanelControl c = Control(1, PANEL_LED, 10, 10, 13, 10, kLed);
    const struct { double value; int flags, sourceY; } cases[] = {
        {1, 0, 0}, {0, 0, 10}, {0.5, 0, 10}, {1, PANEL_LED_OFF, 10}, {0, PANEL_LED_ON, 0},
        {1, PANEL_LED_OFF | PANEL_LED_ON, 0}};
    for (const auto& k : cases) {
        c.value = k.value, c.flags = k.flags;
        PanelPaint(surface.dc(), &c, 1, TRUE);
        EXPECT_TRUE(From(10, 10, 13, 10, kLed, 0, k.sourceY)) << k.value << " " << k.flags;
    }
    c.type = PANEL_SWITCH, c.value = 1, c.flags = PANEL_BLINK;
    PanelPaintBlinking(surface.dc(), &c, 1, 0);
    EXPECT_TRUE(From(10, 10, 13, 10, kLed, 0, 10));
    PanelPaintBlinking(surface.dc(), &c, 1, 1);
    EXPECT_TRUE(From(10, 10, 13, 10, kLed, 0, 0));
    c.value = 0;
    surface.fill(Surface::kUntouched);
    PanelPaintBlinking(surface.dc(), &c, 1, 1);
    EXPECT_TRUE(surface.untouchedOutside(0, 0, 0, 0)) << "an unlit LED does not blink";
}

TEST_F(PanelPaintTest, BarsRedrawOnlyTheBandBetweenOldAndNewLength) {
    std::vector<PanelControl> cs = {Bar(PANEL_BAR, 10, 100, 100, 49)};
    cs[0].step = 4;
    cs[0].lastLength = 30;   // a full paint starts over
    EXPECT_EQ(PanelBarLength(&cs[0]), 52) << "4 * ((2 + 49 + 1) / 4)";
    PanelPaint(surface.dc(), cs.data(), 1, TRUE);
    EXPECT_TRUE(From(10, 5, 20, 48, kBar, 20, 0)) << "unlit top";
    EXPECT_TRUE(From(10, 53, 20, 52, kBar, 0, 48)) << "lit bottom";
    cs[0].value = 75;   // 76 pixels
    Repaint(cs, {0});
    EXPECT_TRUE(From(10, 29, 20, 24, kBar, 0, 24));
    EXPECT_TRUE(surface.untouchedOutside(10, 29, 20, 24));
    cs[0].value = 20;   // 20 pixels
    Repaint(cs, {0});
    EXPECT_TRUE(From(10, 29, 20, 56, kBar, 20, 24));
    EXPECT_TRUE(surface.untouchedOutside(10, 29, 20, 56));
    Repaint(cs, {0});
    EXPECT_TRUE(surface.untouchedOutside(0, 0, 0, 0)) << "unmoved: nothing drawn";
}

TEST_F(PanelPaintTest, PeakSegmentRestoresItsOldPlaceFromTheBarUnderIt) {
    std::vector<PanelControl> cs = {Bar(PANEL_BAR, 10, 64, 64, 32), Bar(PANEL_BAR_PEAK, 10, 64, 64, 48)};
    PanelPaint(surface.dc(), cs.data(), 2, TRUE);
    EXPECT_TRUE(From(10, 21, 20, 8, kBar, 0, 16)) << "8 rows at the top of 48";
    cs[1].value = 40;   // above the bar: the old place goes dark
    Repaint(cs, {1});
    EXPECT_TRUE(From(10, 21, 20, 8, kBar, 20, 16));
    EXPECT_TRUE(From(10, 29, 20, 8, kBar, 0, 24));
    EXPECT_TRUE(surface.untouchedOutside(10, 21, 20, 16));
    cs[0].value = 40;
    cs[1].value = 48;   // now the bar reaches the old place: restored lit
    Repaint(cs, {0, 1});
    EXPECT_TRUE(From(10, 21, 20, 16, kBar, 0, 16));
    EXPECT_TRUE(surface.untouchedOutside(10, 21, 20, 16));
    PanelPaint(surface.dc(), cs.data(), 2, TRUE);
    EXPECT_EQ(cs[1].lastLength, 48) << "a full paint goes on from the peak's last length";

    // At full height an inset peak carries three segments; over 0.5 its bar fills.
    PanelControl inset[2] = {Bar(PANEL_BAR_INSET, 100, 64, 1, 0.7), Bar(PANEL_BAR_INSET_PEAK, 100, 64, 1, 0)};
    surface.fill(Surface::kUntouched);
    PanelBlitMeter(surface.dc(), &inset[1], 64, 8);
    EXPECT_TRUE(From(100, 5, 20, 24, kBar, 0, 0));
    EXPECT_TRUE(surface.untouchedOutside(100, 5, 20, 24));
    PanelPaint(surface.dc(), inset, 1, TRUE);
    EXPECT_EQ(inset[0].lastLength, 64);
}

TEST_F(PanelPaintTest, PeakMeterRedrawsOnlyOldAndNewSegment) {
    std::vector<PanelControl> cs = {Bar(PANEL_PEAK_METER, 10, 64, 64, 16)};
    PanelPaint(surface.dc(), cs.data(), 1, TRUE);
    EXPECT_TRUE(From(10, 5, 20, 48, kBar, 20, 0));
    EXPECT_TRUE(From(10, 53, 20, 8, kBar, 0, 48));
    EXPECT_TRUE(From(10, 61, 20, 8, kBar, 20, 56));
    Repaint(cs, {0});
    EXPECT_TRUE(surface.untouchedOutside(0, 0, 0, 0));
    cs[0].value = 32;
    Repaint(cs, {0});
    EXPECT_TRUE(From(10, 53, 20, 8, kBar, 20, 48));
    EXPECT_TRUE(From(10, 37, 20, 8, kBar, 0, 32));
    EXPECT_TRUE(surface.untouchedOutside(10, 37, 20, 24));
}

TEST_F(PanelPaintTest, LengthArithmetic) {
    PanelControl c = Bar(PANEL_BAR_DB, 0, 104, 0, -60);
    c.min = -60;
    EXPECT_EQ(PanelMeterLength(&c), 32) << "-60 compresses to -35: 80 * 25 / 60 = 33, snapped to 32";
    c.value = -10;
    EXPECT_EQ(PanelMeterLength(&c), 64) << "66.7 -> 67, snapped without +1";
    c.min = 0, c.max = 10, c.value = 5.375;
    EXPECT_EQ(PanelBarLengthInset(&c), 48) << "43, snapped with +1";
    c.step = 0.5;
    EXPECT_EQ(PanelBarLengthInset(&c) + PanelBarLength(&c) + PanelMeterLength(&c), 0) << "a step below 1 cannot divide";
}

TEST_F(PanelPaintTest, PlainBarTakesItsImagesTheOtherWayRound) {
    PanelControl c = Control(1, PANEL_BAR_PLAIN, 10, 5, 15, 48, kBar);
    c.max = 6, c.value = 2;
    PanelPaint(surface.dc(), &c, 1, TRUE);
    EXPECT_TRUE(From(10, 5, 15, 32, kBar, 0, 0));
    EXPECT_TRUE(From(10, 37, 15, 16, kBar, 15, 32));
}

TEST_F(PanelPaintTest, HorizontalMeterDotAndPeak) {
    PanelControl m = Control(1, PANEL_DB_METER, 10, 10, 112, 10, kMeter);
    m.min = -60, m.max = 0, m.value = -30;   // 36 pixels lit
    PanelPaint(surface.dc(), &m, 1, TRUE);
    EXPECT_TRUE(From(10, 10, 36, 10, kMeter, 0, 0));
    EXPECT_TRUE(From(46, 10, 76, 10, kMeter, 36, 10));
    m.value = -12;   // 57, less 9 above -24: 48
    PanelPaint(surface.dc(), &m, 1, TRUE);
    EXPECT_TRUE(From(10, 10, 48, 10, kMeter, 0, 0));
    EXPECT_TRUE(From(58, 10, 64, 10, kMeter, 48, 10));

    m.type = PANEL_DB_DOT, m.value = -30;   // a 5-pixel dot ending at 36
    surface.fill(Surface::kUntouched);
    PanelPaint(surface.dc(), &m, 1, TRUE);
    EXPECT_TRUE(From(41, 10, 5, 10, kMeter, 31, 0));
    EXPECT_TRUE(surface.untouchedOutside(41, 10, 5, 10));
    m.max = 1, m.value = 0.7;   // over: a 9-pixel dot at the end
    PanelPaint(surface.dc(), &m, 1, TRUE);
    EXPECT_TRUE(From(113, 10, 9, 10, kMeter, 103, 0));

    PanelControl p = Control(3, PANEL_PEAK_HORZ, 10, 70, 50, 6, kMeter);
    p.max = 10, p.step = 5, p.value = 4;   // k = 20 -> 25: 5 pixels at 20
    PanelPaint(surface.dc(), &p, 1, TRUE);
    EXPECT_TRUE(From(10, 70, 20, 6, kMeter, 0, 6));
    EXPECT_TRUE(From(30, 70, 5, 6, kMeter, 20, 0));
    EXPECT_TRUE(From(35, 70, 25, 6, kMeter, 25, 6));
}

TEST_F(PanelPaintTest, SliderAndKnobDrawOverTheRestoredBackground) {
    std::vector<PanelControl> cs = {Control(0, PANEL_STATIC_BITMAP, 0, 0, 220, 160, kBack),
                                    Control(1, PANEL_SLIDER, 30, 40, 20, 50, kKnob),
                                    Control(2, PANEL_KNOB, 100, 40, 40, 40, 0),
                                    Control(3, PANEL_KNOB, 150, 40, 40, 40, 0)};
    cs[1].max = 100, cs[1].step = 10, cs[1].value = 50;   // p = 20 + 5: top at 60
    cs[2].max = cs[3].max = 10;
    cs[3].value = 5;   // mid-range points straight up, from (170, 60) to (170, 40)
    PanelPaint(surface.dc(), cs.data(), 4, TRUE);
    EXPECT_EQ(surface.at(170, 41), 0u);
    EXPECT_EQ(surface.at(171, 41), CoordBitmaps::Encode(bm.tagOf(kBack), 171, 41));
    EXPECT_TRUE(From(30, 60, 20, 10, kKnob, 0, 0));
    EXPECT_TRUE(From(30, 35, 20, 25, kBack, 30, 35));
    EXPECT_TRUE(From(30, 70, 20, 25, kBack, 30, 70));
    // At min the pointer runs from the centre (120, 60) to (106, 74), lower left.
    EXPECT_EQ(surface.at(120, 60), 0u);
    EXPECT_EQ(surface.at(107, 73), 0u);
    EXPECT_TRUE(From(106, 74, 1, 1, kBack, 106, 74)) << "the line ends before its end point";
    cs[1].value = 0;
    cs[1].min = cs[1].max = 0;   // no range: the knob rests at the bottom
    Repaint(cs, {1});
    EXPECT_TRUE(From(30, 80, 20, 10, kKnob, 0, 0));
    EXPECT_TRUE(surface.untouchedOutside(30, 35, 20, 60));
}

TEST_F(PanelPaintTest, ScaleAndLabelListsAreOredIntoThePanel) {
    paneltest::TextList list({"A", "BB", "CCC"});
    std::vector<PanelControl> cs = {Control(1, PANEL_SCALE, 10, 20, 24, 40, kFont),
                                    Control(2, PANEL_LABELS_HORZ, 40, 100, 60, 10, kFont),
                                    Control(3, PANEL_LABELS_VERT, 150, 10, 30, 10, kFont),
                                    Control(4, PANEL_SCALE, 100, 20, 24, 40, kFont)};
    cs[0].min = -20, cs[0].max = 0, cs[0].step = 10;
    cs[1].list = cs[2].list = list.data();
    cs[1].max = cs[2].max = 2;
    cs[3].min = -20, cs[3].max = 0, cs[3].step = 0.5;   // a step below 1: no labels
    surface.fill(0);
    PanelPaint(surface.dc(), cs.data(), int(cs.size()), TRUE);
    auto cells = [&](int right, int top, int n) { return paneltest::ReadCells(bm, surface, kFont, right, top, 6, n); };
    EXPECT_EQ(cells(34, 16, 4), "   0");
    EXPECT_EQ(cells(34, 36, 4), " -10");
    EXPECT_EQ(cells(34, 56, 4), " -20");
    EXPECT_EQ(cells(43, 100, 1), "A");
    EXPECT_EQ(cells(76, 100, 2), "BB");
    EXPECT_EQ(cells(109, 100, 3), "CCC");
    EXPECT_EQ(surface.at(50, 105), 0u) << "no blanks between the labels";
    EXPECT_EQ(cells(180, 10, 1), "A") << "vertical list: label g at y + h * g / max";
    EXPECT_EQ(bm.at(surface, 162, 29), (paneltest::Source{bm.tagOf(kFont), ('C' - 32) * 6, 9}));
    EXPECT_EQ(surface.at(110, 36), 0u);
}

TEST_F(PanelPaintTest, PaintDrawsMarkedControlsClearsMarksAndFramesOnAFullPaint) {
    std::vector<PanelControl> cs = {Control(1, PANEL_FIXED_BITMAP, 50, 50, 20, 10, kLed),
                                    Control(2, PANEL_LED, 30, 0, 13, 10, kLed), Control(3, PANEL_LED, 60, 0, 13, 10, kLed),
                                    Control(4, 99, 90, 0, 13, 10, kLed), Control(5, PANEL_LOGICAL, 120, 0, 13, 10, kLed)};
    cs[0].flags = PANEL_SUNKEN;
    cs[2].flags = PANEL_HIDDEN;
    cs[1].flags = PANEL_REDRAW;
    PanelPaint(nullptr, cs.data(), int(cs.size()), FALSE);
    EXPECT_EQ(cs[1].flags, PANEL_REDRAW) << "without a context the marks stay";
    Repaint(cs, {1, 2, 3, 4});
    EXPECT_TRUE(From(30, 0, 13, 10, kLed, 0, 10));
    EXPECT_TRUE(surface.untouchedOutside(30, 0, 13, 10)) << "unmarked, hidden and undrawn types stay";
    for (auto& c : cs) EXPECT_EQ(c.flags & PANEL_REDRAW, 0);
    Repaint(cs, {0});
    EXPECT_EQ(surface.at(49, 49), Surface::kUntouched) << "a frame only on a full paint";
    PanelPaint(surface.dc(), cs.data(), 1, TRUE);
    EXPECT_TRUE(From(50, 50, 20, 10, kLed, 0, 0));
    const uint32_t dark = 0x3C3C3C, light = 0xA0A0A0;
    EXPECT_EQ(surface.at(49, 60), dark);
    EXPECT_EQ(surface.at(49, 49), dark);
    EXPECT_EQ(surface.at(69, 49), dark);
    EXPECT_EQ(surface.at(70, 49), light);
    EXPECT_EQ(surface.at(70, 59), light);
    EXPECT_EQ(surface.at(50, 60), light);
}

TEST_F(PanelPaintTest, CacheLoadsEachBitmapOncePerTickAndHoldsEighty) {
    HDC dc = surface.dc();
    for (int id = 2000; id < 2081; ++id) bm.add(id, 4, 4);
    EXPECT_EQ(GetBitmapDC(dc, -3), nullptr);
    EXPECT_EQ(GetBitmapDC(dc, 999), nullptr) << "a bitmap that does not load";
    HDC first = GetBitmapDC(dc, 2000), second = GetBitmapDC(dc, 2001);
    ASSERT_NE(first, nullptr);
    int loads = CoordBitmaps::loads;
    EXPECT_EQ(GetBitmapDC(dc, 2000), first);
    EXPECT_EQ(GetBitmapDC(dc, 2000), first) << "the last-id shortcut";
    EXPECT_EQ(GetBitmapDC(dc, 2001), second);
    EXPECT_EQ(CoordBitmaps::loads, loads);
    for (int id = 2002; id < 2080; ++id) ASSERT_NE(GetBitmapDC(dc, id), nullptr) << id;
    EXPECT_EQ(GetBitmapDC(dc, 2080), nullptr) << "the 81st bitmap of a tick";
    EXPECT_EQ(CoordBitmaps::loads, loads + 78);
    PanelFreeBitmaps();
    EXPECT_NE(GetBitmapDC(dc, 2080), nullptr);
    EXPECT_NE(GetBitmapDC(dc, 2000), nullptr);
    EXPECT_EQ(CoordBitmaps::loads, loads + 79) << "after a free the kept pixels come back without a load";
    EXPECT_EQ(GetBitmapDC(dc, 999), nullptr);
    EXPECT_EQ(CoordBitmaps::loads, loads + 80) << "one that failed is asked for again";
}

}  // namespace

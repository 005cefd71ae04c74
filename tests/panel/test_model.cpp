// The control model: clamping, quantising, flags and the index by id.
#include <gtest/gtest.h>

#include <limits>
#include <vector>

#include "panel_test_util.h"

namespace {

TEST(PanelModel, ValuesAreClampedQuantisedAndMarkedOnlyWhenTheyChange) {
    std::vector<PanelControl> cs(1, paneltest::Control(0, PANEL_NUMBER, 0, 0, 10, 10));
    PanelControl* index[4];
    PanelControlTable t;
    PanelInitTable(&t, cs.data(), index, 1, 4, 0, 0);
    PanelControl& c = cs[0];
    c.max = 9, c.step = 2;
    // {min, value in, value stored}; step 2 on an odd min is the odd grid.
    const double steps[][3] = {{1, 5, 5}, {1, 4, 5}, {1, 6.2, 7}, {0, 4, 4}, {0, 5, 6}, {-1, 3, 4}, {1, 99, 9}, {1, -3, 1}};
    for (auto& s : steps) {
        double before = c.value;
        c.min = s[0], c.flags = 0;
        EXPECT_EQ(PanelSetValue(s[1], 0, &t), s[2] != before) << s[1];
        EXPECT_EQ(c.value, s[2]) << s[1];
        EXPECT_EQ(c.flags, s[2] != before ? PANEL_MARK_CHANGED : 0) << s[1];
    }
    c.min = 0, c.max = 1;
    PanelSetValue(1.0, 0, &t);
    EXPECT_EQ(c.value, 2.0) << "the quantised value is not clamped again";
    c.step = 0;
    PanelSetValue(0.3, 0, &t);
    EXPECT_EQ(c.value, 0.3) << "step 0: no grid";
    c.step = 2, c.flags = 0;
    EXPECT_TRUE(PanelShowValue(0.7, 0, &t));
    EXPECT_EQ(c.value, 0.7) << "a device value is not quantised";
    EXPECT_EQ(c.flags, PANEL_REDRAW) << "nor marked to be sent back";
    c.min = 5, c.max = 3;
    PanelShowValue(4, 0, &t);
    EXPECT_EQ(c.value, 5.0) << "min wins over max";
    c.min = 0, c.max = 8;
    PanelShowValue(std::numeric_limits<double>::quiet_NaN(), 0, &t);
    EXPECT_EQ(c.value, 8.0) << "no NaN passes the clamp";
}

TEST(PanelModel, FlagsChangeOnlyOnAChangeOfState) {
    std::vector<PanelControl> cs(1, paneltest::Control(0, PANEL_NUMBER, 0, 0, 10, 10));
    PanelControl* index[1];
    PanelControlTable t;
    PanelInitTable(&t, cs.data(), index, 1, 1, 0, 0);
    int& f = cs[0].flags;
    f = 0;
    EXPECT_FALSE(PanelSetFlags(PANEL_GREYED, 2, 0, &t)) << "only 1 and 0 act";
    EXPECT_EQ(f, 0);
    f = PANEL_GREYED;
    EXPECT_FALSE(PanelSetFlags(PANEL_GREYED, 1, 0, &t));
    EXPECT_EQ(f, PANEL_GREYED);
    EXPECT_TRUE(PanelSetFlags(PANEL_GREYED | PANEL_LED_ON, 0, 0, &t)) << "clearing needs one bit of the mask set";
    EXPECT_EQ(f, PANEL_REDRAW);
    f = PANEL_LED_ON;
    EXPECT_FALSE(PanelSetFlags(PANEL_LED_ON | PANEL_LED_OFF, 1, 0, &t)) << "setting needs all of them clear";
    f = 0;
    PanelSetVisible(0, 0, &t);
    EXPECT_EQ(f, PANEL_HIDDEN | PANEL_REDRAW);
    f = PANEL_HIDDEN;
    EXPECT_FALSE(PanelSetVisible(2, 0, &t));
    EXPECT_EQ(f, PANEL_HIDDEN);
    f = 0;
    PanelSetBlink(1, 0, &t);
    EXPECT_EQ(f, PANEL_BLINK) << "blinking on needs no redraw";
    PanelSetBlink(0, 0, &t);
    EXPECT_EQ(f, PANEL_REDRAW);
}

TEST(PanelModel, IndexKeepsTheLaterRecordAndStaysInsideItsSize) {
    std::vector<PanelControl> cs;
    for (int id : {0, 1, 1, 40}) cs.push_back(paneltest::Control(id, PANEL_NUMBER, 0, 0, 10, 10));
    PanelControl* sentinel = &cs[0];
    PanelControl* index[6] = {nullptr, nullptr, nullptr, nullptr, sentinel, sentinel};
    PanelControlTable t;
    // id 40 lies beyond the index, as under a header over part of an array.
    PanelInitTable(&t, cs.data(), index, 4, 4, 0, 0);
    EXPECT_EQ(index[1], &cs[2]);
    EXPECT_EQ(index[2], nullptr);
    EXPECT_EQ(index[4], sentinel);
    EXPECT_EQ(index[5], sentinel);
    EXPECT_EQ(cs[3].flags, 0);
    for (auto& c : cs) c.flags = 0;
    for (int id : {-1, 2, 4, 40}) {
        EXPECT_FALSE(PanelSetValue(1, id, &t) || PanelShowValue(1, id, &t) || PanelInvalidate(id, &t) ||
                     PanelMarkChanged(id, &t) || PanelSetFlags(PANEL_GREYED, 1, id, &t))
            << id;
    }
    EXPECT_TRUE(PanelMarkChanged(1, &t));
    EXPECT_EQ(cs[1].flags + cs[3].flags, 0);
    EXPECT_EQ(cs[2].flags, PANEL_MARK_CHANGED);
}

TEST(PanelModel, RoundToIntRoundsHalvesUp) {
    EXPECT_EQ(RoundToInt(2.5), 3);
    EXPECT_EQ(RoundToInt(-2.5), -2);
    EXPECT_EQ(RoundToInt(-0.5), 0);
    EXPECT_EQ(RoundToInt(-0.51), -1);
    EXPECT_EQ(RoundToInt(std::numeric_limits<double>::quiet_NaN()), 0);
}

}  // namespace

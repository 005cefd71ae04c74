// The shared panel art as the program embeds it: sizes and the layouts the
// painter relies on; and a sheet with one control of every type in use, in
// every state, painted from the real bitmaps into panel_art_sheet.bmp in the
// working folder, to look at.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "panel/panel_internal.h"
#include "panel_test_util.h"

using paneltest::Control;
using paneltest::TextList;

namespace {

struct Pixels {
    int w = 0, h = 0;
    std::vector<uint32_t> p;
    uint32_t at(int x, int y) const { return p[size_t(y) * w + x] & 0xFFFFFF; }
    double brightness(int x, int y, int bw, int bh) const {
        double sum = 0;
        for (int j = y; j < y + bh; ++j)
            for (int i = x; i < x + bw; ++i) sum += (at(i, j) >> 16) + (at(i, j) >> 8 & 255) + (at(i, j) & 255);
        return sum / (3.0 * bw * bh);
    }
};

bool Load(int id, Pixels& out) {
    HBITMAP b = LoadBitmapA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(id));
    BITMAP info{};
    if (!b || !GetObjectA(b, sizeof(info), &info)) return false;
    out.w = info.bmWidth, out.h = info.bmHeight;
    out.p.assign(size_t(out.w) * out.h, 0);
    BITMAPINFO bi{};
    bi.bmiHeader = {sizeof(BITMAPINFOHEADER), out.w, -out.h, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    HDC dc = GetDC(nullptr);
    int lines = GetDIBits(dc, b, 0, UINT(out.h), out.p.data(), &bi, DIB_RGB_COLORS);
    ReleaseDC(nullptr, dc);
    DeleteObject(b);
    return lines == out.h;
}

enum Layout { kPlain, kLamp, kBar, kFont };
// Every panel bitmap at (at least) its largest use in the views. Lamps have
// their lit image over the unlit one; bars the lit image left of the unlit.
struct Art {
    int id, w, h;
    Layout layout;
};
const Art kArt[] = {
    {239, 535, 129, kPlain}, {240, 24, 20, kLamp},   {241, 24, 20, kLamp},    {243, 13, 20, kLamp},
    {244, 13, 20, kLamp},    {246, 13, 20, kLamp},   {247, 13, 20, kLamp},    {249, 13, 20, kLamp},
    {250, 13, 20, kLamp},    {252, 13, 20, kLamp},   {253, 13, 20, kLamp},    {255, 13, 20, kLamp},
    {256, 13, 20, kLamp},    {258, 13, 20, kLamp},   {259, 13, 20, kLamp},    {261, 13, 20, kLamp},
    {262, 13, 20, kLamp},    {264, 13, 20, kLamp},   {265, 13, 20, kLamp},    {267, 20, 20, kLamp},
    {269, 570, 10, kFont},   {271, 20, 20, kLamp},   {272, 570, 10, kFont},   {274, 481, 448, kPlain},
    {276, 20, 20, kLamp},    {277, 30, 20, kLamp},   {278, 34, 20, kLamp},    {279, 30, 20, kLamp},
    {280, 34, 20, kLamp},    {282, 253, 317, kPlain}, {288, 570, 10, kFont},  {289, 403, 84, kPlain},
    {291, 12, 20, kLamp},    {293, 12, 20, kLamp},   {294, 13, 20, kLamp},    {295, 13, 20, kLamp},
    {297, 740, 171, kPlain}, {298, 14, 20, kLamp},   {299, 24, 20, kLamp},    {300, 20, 20, kLamp},
    {301, 403, 60, kPlain},  {302, 40, 104, kBar},   {303, 13, 20, kLamp},    {304, 106, 100, kPlain},
    {305, 150, 208, kPlain}, {306, 982, 48, kPlain}, {307, 13, 20, kLamp},    {308, 31, 17, kPlain},
    {310, 31, 17, kPlain},   {311, 31, 17, kPlain},  {312, 31, 17, kPlain},   {313, 31, 17, kPlain},
    {314, 31, 17, kPlain},   {315, 31, 17, kPlain},  {316, 31, 17, kPlain},   {317, 30, 48, kBar},
    {318, 97, 140, kPlain},  {319, 97, 140, kPlain}, {320, 776, 22, kPlain},  {321, 220, 265, kPlain},
    {322, 996, 47, kPlain},  {323, 1330, 24, kFont}, {324, 106, 209, kPlain}, {329, 796, 196, kPlain},
    {330, 24, 49, kBar},     {331, 12, 33, kBar},    {332, 796, 196, kPlain}, {333, 796, 202, kPlain},
    {334, 796, 202, kPlain}, {335, 106, 179, kPlain}, {336, 106, 179, kPlain}, {337, 106, 179, kPlain},
    {338, 1060, 48, kPlain}, {339, 1060, 94, kPlain}, {340, 106, 100, kPlain}, {341, 106, 100, kPlain},
    {342, 106, 100, kPlain}, {343, 32, 14, kPlain},  {344, 32, 14, kPlain},
};

// The tick frees the cache some 60 times a second: whatever comes back must
// be the bitmap as it was, and nothing of the freed cache may stay behind.
TEST(PanelArt, AfterAFreeEveryBitmapComesBackAsItWasAndNoObjectStays) {
    PanelFreeBitmaps();
    const int before = panel::HeldBitmapObjects();
    HDC screen = GetDC(nullptr);
    for (const Art& a : kArt) {
        SCOPED_TRACE(a.id);
        Pixels file;
        ASSERT_TRUE(Load(a.id, file));
        const panel::Pixels* kept = panel::BitmapPixels(screen, a.id);
        ASSERT_NE(kept, nullptr);
        ASSERT_EQ(kept->w, file.w);
        ASSERT_EQ(kept->h, file.h);
        paneltest::Surface first(file.w, file.h), again(file.w, file.h);
        HDC context = GetBitmapDC(screen, a.id);
        ASSERT_NE(context, nullptr);
        BitBlt(first.dc(), 0, 0, file.w, file.h, context, 0, 0, SRCCOPY);
        EXPECT_GT(panel::HeldBitmapObjects(), before);
        PanelFreeBitmaps();
        EXPECT_EQ(panel::HeldBitmapObjects(), before);
        EXPECT_EQ(GetObjectType(context), 0u) << "the freed context is gone";
        BitBlt(again.dc(), 0, 0, file.w, file.h, GetBitmapDC(screen, a.id), 0, 0, SRCCOPY);
        // The painters blit from the kept pixels themselves.
        paneltest::Surface painted(file.w, file.h);
        panel::BlitPixels(painted.dc(), 0, 0, file.w, file.h, panel::BitmapPixels(screen, a.id), 0, 0, SRCCOPY);
        int differing = 0;
        for (int y = 0; y < file.h; ++y)
            for (int x = 0; x < file.w; ++x)
                differing += (first.at(x, y) != file.at(x, y)) + (again.at(x, y) != file.at(x, y)) +
                             (painted.at(x, y) != file.at(x, y)) + ((kept->at(x, y) & 0xFFFFFF) != file.at(x, y));
        EXPECT_EQ(differing, 0);
        PanelFreeBitmaps();
    }
    ReleaseDC(nullptr, screen);
    EXPECT_EQ(panel::HeldBitmapObjects(), before);
}

TEST(PanelArt, EveryBitmapIsThereAtItsLargestUseInTheLayoutThePainterReadsIt) {
    EXPECT_LE(sizeof(kArt) / sizeof(kArt[0]), 80u) << "one tick of every view fits the bitmap cache";
    for (const Art& a : kArt) {
        Pixels px;
        ASSERT_TRUE(Load(a.id, px)) << a.id;
        EXPECT_GE(px.w, a.w) << a.id;
        EXPECT_GE(px.h, a.h) << a.id;
        if (a.layout == kLamp) {   // the narrowest use shows it too
            EXPECT_GT(px.brightness(0, 0, 12, 10), px.brightness(0, 10, 12, 10) + 20) << a.id << " lit over unlit";
        } else if (a.layout == kBar) {
            EXPECT_GT(px.brightness(0, 0, a.w / 2, a.h), px.brightness(a.w / 2, 0, a.w / 2, a.h) + 20) << a.id;
        } else if (a.layout == kFont) {
            const int g = a.h == 24 ? 14 : 6;
            EXPECT_EQ(px.w, 95 * g) << a.id;
            int blankInk = 0;
            for (int k = 0; k < 95; ++k) {
                int ink = 0;
                for (int y = 0; y < a.h; ++y)
                    for (int x = 0; x < g; ++x) ink += px.at(k * g + x, y) != px.at(0, 0);
                if (k == 0) blankInk = ink;
                EXPECT_TRUE(k == 0 || ink > 0) << a.id << ": character " << char(32 + k) << " has no ink";
            }
            EXPECT_EQ(blankInk, 0) << a.id << ": the blank glyph is plain";
        }
    }
}

int LampWidth(int id) {   // the widest control that shows a lamp bitmap
    switch (id) {
    case 240: case 241: case 299: return 24;
    case 267: case 271: return 20;
    case 277: case 279: return 30;
    case 278: case 280: return 34;
    case 291: case 293: return 12;
    default: return 13;
    }
}

TEST(PanelArt, PaintsEveryTypeInUseInEveryStateIntoASheet) {
    PanelFreeBitmaps();
    TextList lists({"Int. ", "AES ", "MADI ", "WCK "}), names({"Input 1"}), mark({" ;<  "});
    std::vector<TextList> captions;
    captions.reserve(8);
    std::vector<PanelControl> cs;
    cs.reserve(400);
    auto add = [&cs](int type, int x, int y, int w, int h, int bitmap, double value = 0, int flags = 0) -> PanelControl& {
        cs.push_back(Control(int(cs.size()), type, x, y, w, h, bitmap));
        cs.back().value = value, cs.back().max = 100, cs.back().flags = flags;
        return cs.back();
    };
    auto caption = [&](int y, const char* text) {
        captions.emplace_back(std::vector<std::string>{text});
        add(PANEL_TEXT_FIXED, 10, y, 6 * int(std::string(text).size()), 10, 272).list = captions.back().data();
    };

    caption(8, "NUMBERS LISTS NAMES");
    const int states[] = {0, PANEL_SELECTED, PANEL_GREYED, PANEL_GREY_FILL};
    for (int i = 0; i < 4; ++i) {
        const int y = 24 + 16 * i;
        PanelControl& n = add(PANEL_NUMBER, 10, y, 66, 10, 269, -12.5, states[i]);
        n.min = -60, n.decimals = 1;
        std::snprintf(n.unit, sizeof(n.unit), "dB");
        add(PANEL_LIST_WRAP, 90, y, 40, 10, 269, 2, states[i]).list = lists.data();
        add(PANEL_LIST_DISPLAY, 140, y, 40, 10, 272, 3, states[i]).list = lists.data();
        add(PANEL_TEXT_EDIT, 190, y, 56, 10, 269, 0, states[i]).list = names.data();
        PanelControl& t = add(PANEL_NUMBER_DISPLAY, 256, y, 42, 10, 272, 41.7, states[i]);
        t.decimals = 1;
        std::snprintf(t.unit, sizeof(t.unit), "C");
    }
    const double levels[] = {0.5, -150, -20.04};
    for (int i = 0; i < 3; ++i) {
        PanelControl& lv = add(PANEL_LEVEL_NUMBER, 310, 24 + 16 * i, 54, 10, 272, levels[i]);
        lv.min = -200, lv.decimals = 1;
        std::snprintf(lv.unit, sizeof(lv.unit), "dB");
    }
    add(PANEL_TEXT_EDIT, 380, 24, 10, 56, 269, 0, PANEL_VERTICAL).list = names.data();
    add(PANEL_TEXT_EDIT, 396, 24, 10, 56, 288, 0, PANEL_VERTICAL).list = names.data();
    PanelControl& big = add(PANEL_NUMBER, 420, 24, 80, 24, 323, -9.0);
    big.min = -9, big.decimals = 1;
    add(PANEL_TEXT_FIXED, 420, 56, 80, 24, 323).list = mark.data();
    add(PANEL_LIST, 510, 24, 80, 24, 323, 2).list = lists.data();

    caption(100, "LEDS AND SWITCHES");
    std::vector<std::pair<size_t, size_t>> litUnlit;
    int k = 0;
    for (const Art& a : kArt) {
        if (a.layout != kLamp) continue;
        const int x = 10 + (k % 12) * 80, y = 116 + (k / 12) * 16, w = LampWidth(a.id);
        const int type = (k++ % 2) ? PANEL_LED : PANEL_SWITCH;
        litUnlit.emplace_back(cs.size(), cs.size() + 1);
        add(type, x, y, w, 10, a.id, 1);
        add(type, x + w + 4, y, w, 10, a.id, 0);
        if (w <= 13) {   // forced on, forced off
            add(type, x + 34, y, w, 10, a.id, 0, PANEL_LED_ON);
            add(type, x + 51, y, w, 10, a.id, 1, PANEL_LED_OFF);
        }
    }

    caption(176, "METERS AND GAIN REDUCTION");
    const struct { int id, w, h, type; double max; } bars[] = {
        {302, 20, 104, PANEL_BAR, 13}, {302, 20, 56, PANEL_BAR, 7}, {302, 20, 24, PANEL_BAR, 3},
        {330, 12, 49, PANEL_BAR, 6},   {330, 12, 41, PANEL_BAR, 5}, {317, 15, 48, PANEL_BAR_PLAIN, 6},
        {331, 6, 33, PANEL_BAR_PLAIN, 4}};
    int x = 10;
    for (const auto& b : bars) {
        for (int v = 0; v <= 4; ++v, x += b.w + 6) {
            double value = b.max * v / 4.0;
            add(b.type, x, 192, b.w, b.h, b.id, b.type == PANEL_BAR ? value * 0.8 : value).step = 8;
            cs.back().max = b.max;
            if (b.type != PANEL_BAR) continue;
            PanelControl& hold = add(PANEL_BAR_PEAK, x, 192, b.w, b.h, b.id, value);
            hold.max = b.max, hold.step = 8, hold.lastLength = -1;
        }
        x += 10;
    }

    caption(310, "PLATES");
    const int plates[] = {310, 311, 312, 313, 314, 315, 316, 308};
    for (int i = 0; i < 8; ++i) {   // the three sizes the views show them at
        add(PANEL_FIXED_BITMAP, 10 + 36 * i, 326, 31, 17, plates[i]);
        add(PANEL_FIXED_BITMAP, 10 + 36 * i, 348, 17, 17, plates[i]);
        add(PANEL_FIXED_BITMAP, 10 + 36 * i, 370, 16, 14, plates[i]);
    }
    add(PANEL_FIXED_BITMAP, 310, 326, 32, 14, 343);
    add(PANEL_FIXED_BITMAP, 350, 326, 32, 14, 344);
    add(PANEL_FIXED_BITMAP, 400, 326, 120, 40, 282, 0, PANEL_SUNKEN);

    paneltest::Surface sheet(980, 400, 0x262C32);
    PanelPaint(sheet.dc(), cs.data(), int(cs.size()), TRUE);
    PanelControl blink = Control(0, PANEL_LED, 600, 24, 13, 10, 243);
    blink.value = 1, blink.flags = PANEL_BLINK;
    PanelPaintBlinking(sheet.dc(), &blink, 1, 0);
    PanelFreeBitmaps();
    ASSERT_TRUE(sheet.saveBmp("panel_art_sheet.bmp"));

    for (auto [lit, unlit] : litUnlit) {
        const PanelControl &a = cs[lit], &b = cs[unlit];
        int differing = 0;
        for (int j = 0; j < 10; ++j)
            for (int i = 0; i < a.w; ++i) differing += sheet.at(a.x + i, a.y + j) != sheet.at(b.x + i, b.y + j);
        EXPECT_GT(differing, a.w * 10 / 3) << a.bitmap << ": lit and unlit read apart";
    }
    // LED 243 is the third lamp: lit at (170, 116), unlit at (187, 116).
    EXPECT_EQ(sheet.at(606, 29), sheet.at(193, 121)) << "blinking off shows the unlit image";
    EXPECT_NE(sheet.at(606, 29), sheet.at(176, 121));
}

}  // namespace

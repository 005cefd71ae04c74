// The shared panel art: the glyph strips of the bitmap font, the LED and
// switch strips (lit image above the unlit one), the bar strips (lit image
// beside the unlit one) and the channel-number plates. The panel backgrounds,
// with their labels, are each view's own.
//
// The painter copies the top-left part of a bitmap that a control needs, so
// a bitmap that several controls share at different sizes is drawn for the
// largest and keeps its content where the smallest still shows it.
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "art.h"
#include "panel_font.h"

using namespace art;
using panelart::DrawCaption;
using panelart::CaptionWidth;

namespace {

const Rgb kPanel = rgb(38, 44, 50);
// Field colours keep the bits 0x80 and 0x20 apart, so that a greyed field
// (the glyph AND-ed with RGB(160,160,160)) comes out as dim text on dark grey.
const Rgb kField = rgb(32, 38, 44);
const Rgb kText = rgb(214, 222, 232);
const Rgb kAmber = rgb(250, 190, 90);
const Rgb kHighlight = rgb(64, 128, 208);
const Rgb kWhite = rgb(255, 255, 255);
const Rgb kBlack = rgb(0, 0, 0);

const Rgb kGreen = rgb(64, 232, 104);
const Rgb kRed = rgb(246, 64, 52);
const Rgb kYellow = rgb(244, 214, 60);
const Rgb kOrange = rgb(255, 140, 40);
const Rgb kCyan = rgb(70, 190, 255);
const Rgb kGold = rgb(255, 186, 56);

std::string Name(const char* kind, int id) {
    char buf[32];
    std::snprintf(buf, sizeof(buf), "%s%d.bmp", kind, id);
    return buf;
}

// Strips that a paint blits from many times are written with 32 bits per
// pixel, the format of the screen and of the panels' memory bitmaps, so that
// no blit has to convert; the large backgrounds, blitted once, stay 24-bit.
bool SaveStrip(const Canvas& c, const std::string& file) {
    const uint32_t w = uint32_t(c.width()), h = uint32_t(c.height());
    std::vector<uint8_t> b;
    auto put16 = [&b](uint32_t v) { b.push_back(uint8_t(v)); b.push_back(uint8_t(v >> 8)); };
    auto put32 = [&](uint32_t v) { put16(v & 0xFFFF); put16(v >> 16); };
    b.push_back('B');
    b.push_back('M');
    put32(54 + 4 * w * h); put32(0); put32(54);
    put32(40); put32(w); put32(h); put16(1); put16(32); put32(0); put32(4 * w * h);
    put32(2835); put32(2835); put32(0); put32(0);
    for (int y = int(h) - 1; y >= 0; --y)
        for (int x = 0; x < int(w); ++x) {
            Rgb p = c.get(x, y);
            b.push_back(p.b); b.push_back(p.g); b.push_back(p.r); b.push_back(0);
        }
    FILE* f = std::fopen(file.c_str(), "wb");
    if (!f) return false;
    bool ok = std::fwrite(b.data(), 1, b.size(), f) == b.size();
    return std::fclose(f) == 0 && ok;
}

// ---------------------------------------------------------------- fonts

// 6 x 10 cells: the 5 x 7 design from row 1, descenders down to row 9, and a
// blank column on the right that spaces the characters.
bool SmallFont(const std::string& dir, int id, Rgb background, Rgb ink) {
    const int g = 6;
    Canvas strip(95 * g, 10, background);
    for (int k = 0; k < 95; ++k)
        for (int row = 0; row < panelart::kGlyphRows; ++row)
            for (int col = 0; col < panelart::kGlyphCols; ++col)
                if (panelart::GlyphPixel(32 + k, col, row)) strip.set(k * g + col, 1 + row, ink);
    return SaveStrip(strip, path(dir, Name("glyph", id)));
}

// The test-generator mark of the large font: a sine in a ring, 28 x 24,
// split over the glyphs of ';' and '<' so that the text ";<" shows it whole.
void GeneratorMark(Canvas& c, int left) {
    const double cx = left + 14.0, cy = 12.0;
    c.ring(cx, cy, 10.5, 1.6, kAmber);
    for (int i = 0; i <= 80; ++i) {
        double t = i / 80.0;
        double x = cx - 6.5 + 13.0 * t;
        double y = cy - 4.0 * std::sin(t * 2 * 3.14159265358979);
        c.disc(x, y, 0.95, kAmber);
    }
}

bool LargeFont(const std::string& dir) {
    const int g = 14, h = 24;
    Canvas strip(95 * g, h, kField);
    for (int k = 0; k < 95; ++k) {
        int ch = 32 + k;
        if (ch == ';' || ch == '<') continue;
        panelart::DrawStrokeGlyph(strip, ch, k * g + 2.0, 3.0, 2.5, 2.45, 1.05, kText);
    }
    GeneratorMark(strip, (';' - 32) * g);
    return SaveStrip(strip, path(dir, Name("glyph", 323)));
}

// ---------------------------------------------------------------- lamps

Rgb Dim(Rgb c) { return mix(rgb(18, 21, 25), c, 0.22); }

// A lamp lampW wide in a 10-pixel row at (x0, y0): a rounded body inside a
// one-pixel margin that glows when the lamp is lit.
void Lamp(Canvas& c, int x0, int y0, int lampW, Rgb colour, bool lit, const std::string& caption = "") {
    const int l = x0 + 1, r = x0 + lampW - 2, t = y0 + 1, b = y0 + 8;
    if (lit)
        for (int y = y0; y < y0 + 10; ++y)
            for (int x = x0; x < x0 + lampW; ++x) c.blend(x, y, colour, 0.22);
    Rgb rim = lit ? mix(colour, kBlack, 0.45) : rgb(14, 16, 19);
    for (int y = t; y <= b; ++y)
        for (int x = l; x <= r; ++x) {
            bool edge = x == l || x == r || y == t || y == b;
            bool corner = (x == l || x == r) && (y == t || y == b);
            if (corner) {
                c.blend(x, y, rim, 0.5);
            } else if (edge) {
                c.set(x, y, rim);
            } else if (lit) {
                // Brightest in the middle, like a diffused lens.
                double cx = (l + r) / 2.0, cy = (t + b) / 2.0;
                double d = std::hypot((x - cx) / ((r - l) / 2.0), (y - cy) / ((b - t) / 2.0));
                c.set(x, y, mix(mix(colour, kWhite, 0.55), colour, std::min(1.0, d)));
            } else {
                c.set(x, y, y == t + 1 ? mix(Dim(colour), kWhite, 0.08) : Dim(colour));
            }
        }
    if (!caption.empty()) {
        int w = CaptionWidth(caption);
        int cx = l + (r - l + 1 - w) / 2;
        DrawCaption(c, caption, cx, t + 2, lit ? rgb(16, 20, 24) : rgb(150, 160, 172));
    }
}

// A key: a raised square cap whose face lights up.
void Key(Canvas& c, int x0, int y0, int keyW, Rgb colour, bool lit, const std::string& caption) {
    const int l = x0, r = x0 + keyW - 1, t = y0, b = y0 + 9;
    for (int y = t; y <= b; ++y)
        for (int x = l; x <= r; ++x) {
            Rgb p;
            if (x == l || y == t)
                p = rgb(112, 124, 138);
            else if (x == r || y == b)
                p = rgb(14, 16, 19);
            else
                p = lit ? mix(colour, kWhite, 0.15) : rgb(58, 66, 76);
            c.set(x, y, p);
        }
    int w = CaptionWidth(caption);
    DrawCaption(c, caption, l + 1 + (keyW - 2 - w) / 2, t + 2, lit ? rgb(16, 20, 24) : rgb(196, 204, 214));
}

bool LampStrip(const std::string& dir, int id, int width, int lampW, Rgb colour, const std::string& caption = "") {
    Canvas strip(width, 20, kPanel);
    Lamp(strip, 0, 0, lampW, colour, true, caption);
    Lamp(strip, 0, 10, lampW, colour, false, caption);
    return SaveStrip(strip, path(dir, Name("led", id)));
}

bool KeyStrip(const std::string& dir, int id, int width, Rgb colour, const std::string& caption) {
    Canvas strip(width, 20, kPanel);
    Key(strip, 0, 0, width, colour, true, caption);
    Key(strip, 0, 10, width, colour, false, caption);
    return SaveStrip(strip, path(dir, Name("led", id)));
}

bool Lamps(const std::string& dir) {
    bool ok = true;
    ok = LampStrip(dir, 240, 24, 24, kCyan, "BNC") && ok;
    ok = LampStrip(dir, 241, 24, 24, kCyan, "OPT") && ok;
    // Status LEDs and Tarvik buttons 1 to 8, each with its number.
    const int leds[8] = {243, 246, 249, 252, 255, 258, 261, 264};
    const int keys[8] = {244, 247, 250, 253, 256, 259, 262, 265};
    for (int n = 0; n < 8; ++n) {
        ok = LampStrip(dir, leds[n], 13, 13, kGreen, std::to_string(n + 1)) && ok;
        ok = KeyStrip(dir, keys[n], 13, kGreen, std::to_string(n + 1)) && ok;
    }
    ok = LampStrip(dir, 267, 20, 18, kGreen) && ok;   // also used 18 wide
    ok = LampStrip(dir, 271, 20, 20, kGold) && ok;
    ok = LampStrip(dir, 276, 20, 13, kGreen) && ok;   // 13 wide, once 20
    ok = LampStrip(dir, 277, 30, 30, kRed, "KEYS") && ok;
    ok = KeyStrip(dir, 278, 34, kGold, "STORE") && ok;
    ok = LampStrip(dir, 279, 30, 30, kRed, "MIDI") && ok;
    ok = KeyStrip(dir, 280, 34, kCyan, "RECALL") && ok;
    ok = LampStrip(dir, 294, 13, 13, kOrange, "QS") && ok;
    ok = LampStrip(dir, 295, 13, 13, kGold, "DS") && ok;
    ok = LampStrip(dir, 298, 14, 12, kGreen) && ok;   // 12, 13 and 14 wide
    ok = LampStrip(dir, 299, 24, 24, kRed, "KEYS") && ok;
    ok = LampStrip(dir, 300, 20, 13, kRed) && ok;     // 13 wide, once 20
    ok = LampStrip(dir, 303, 13, 13, kYellow) && ok;
    ok = LampStrip(dir, 307, 13, 13, kGreen) && ok;
    return ok;
}

// ---------------------------------------------------------------- bars

// One image of a segmented bar: segments of `rows` lit rows and one dark
// row, the first segment starting at `first`; colourOf(j) colours segment j.
template <class ColourOf>
void BarImage(Canvas& c, int x0, int w, int h, const int* starts, int segments, bool lit, ColourOf colourOf) {
    const Rgb ground = rgb(20, 23, 27);
    c.fill(x0, 0, w, h, ground);
    const int inset = w >= 12 ? 2 : 1;
    for (int j = 0; j < segments; ++j) {
        int top = starts[j], end = (j + 1 < segments ? starts[j + 1] : h) - 1;   // end row is the gap
        Rgb col = colourOf(j);
        for (int y = top; y < end; ++y)
            for (int x = x0 + inset; x < x0 + w - inset; ++x) {
                Rgb p = lit ? (y == top ? mix(col, kWhite, 0.35) : col) : Dim(col);
                c.set(x, y, p);
            }
    }
}

bool MeterStrip(const std::string& dir, int id, int w, int h, int firstRow) {
    int starts[16];
    int n = 0;
    for (int y = firstRow; y + 8 <= h && n < 16; y += 8) starts[n++] = y;
    auto colourOf = [](int j) { return j == 0 ? kRed : (j <= 2 ? kYellow : kGreen); };
    Canvas strip(2 * w, h, kPanel);
    if (firstRow > 0) strip.fill(0, 0, 2 * w, firstRow, rgb(20, 23, 27));
    BarImage(strip, 0, w, h, starts, n, true, colourOf);
    BarImage(strip, w, w, h, starts, n, false, colourOf);
    return SaveStrip(strip, path(dir, Name("bar", id)));
}

// Gain reduction grows down from the top: the image at x 0 is the lit one.
bool ReductionStrip(const std::string& dir, int id, int w, int h, const int* starts, int n) {
    auto colourOf = [](int) { return kOrange; };
    Canvas strip(2 * w, h, kPanel);
    BarImage(strip, 0, w, h, starts, n, true, colourOf);
    BarImage(strip, w, w, h, starts, n, false, colourOf);
    return SaveStrip(strip, path(dir, Name("bar", id)));
}

bool Bars(const std::string& dir) {
    bool ok = MeterStrip(dir, 302, 20, 104, 0);
    // Every use of 330 leaves row 0 dark: its segments start at row 1.
    ok = MeterStrip(dir, 330, 12, 49, 1) && ok;
    const int reduction317[6] = {0, 8, 16, 24, 32, 40};
    ok = ReductionStrip(dir, 317, 15, 48, reduction317, 6) && ok;
    // Range 0..4 over 33 rows lights 8, 16, 25 and 33 rows from the top.
    const int reduction331[4] = {0, 8, 16, 25};
    ok = ReductionStrip(dir, 331, 6, 33, reduction331, 4) && ok;
    return ok;
}

// ---------------------------------------------------------------- plates

// A badge that reads in the top-left 16 x 14 pixels, the smallest use.
void Badge(Canvas& c, int x0, int y0, int w, int h) {
    for (int y = y0; y < y0 + h; ++y)
        for (int x = x0; x < x0 + w; ++x) {
            bool edge = x == x0 || y == y0 || x == x0 + w - 1 || y == y0 + h - 1;
            bool corner = (x == x0 || x == x0 + w - 1) && (y == y0 || y == y0 + h - 1);
            if (corner)
                c.blend(x, y, rgb(92, 106, 124), 0.5);
            else
                c.set(x, y, edge ? rgb(92, 106, 124) : rgb(56, 66, 78));
        }
}

bool NumberPlate(const std::string& dir, int id, int number) {
    Canvas plate(31, 17, kPanel);
    Badge(plate, 1, 1, 14, 12);
    panelart::DrawStrokeGlyph(plate, '0' + number, 5.0, 2.8, 1.5, 1.4, 0.8, rgb(236, 240, 246));
    return SaveStrip(plate, path(dir, Name("plate", id)));
}

bool PhonesPlate(const std::string& dir, int id, int number) {
    Canvas plate(32, 14, kPanel);
    Badge(plate, 1, 1, 30, 12);
    const Rgb ink = rgb(236, 240, 246);
    // Headphones: a band over two ear cups.
    for (int i = 0; i <= 40; ++i) {
        double a = 3.14159265358979 * i / 40.0;
        plate.disc(10.0 - 4.6 * std::cos(a), 8.0 - 4.6 * std::sin(a), 0.6, ink);
    }
    plate.fill(4, 7, 3, 4, ink);
    plate.fill(14, 7, 3, 4, ink);
    panelart::DrawStrokeGlyph(plate, '0' + number, 20.0, 2.8, 1.5, 1.4, 0.8, ink);
    return SaveStrip(plate, path(dir, Name("plate", id)));
}

bool Plates(const std::string& dir) {
    bool ok = NumberPlate(dir, 308, 8);
    for (int n = 1; n <= 7; ++n) ok = NumberPlate(dir, 309 + n, n) && ok;
    ok = PhonesPlate(dir, 343, 1) && ok;
    ok = PhonesPlate(dir, 344, 2) && ok;
    return ok;
}

bool DrawPanelArt(const std::string& dir) {
    bool ok = SmallFont(dir, 269, kField, kText);
    ok = SmallFont(dir, 272, kField, kAmber) && ok;
    ok = SmallFont(dir, 288, kHighlight, kWhite) && ok;
    ok = LargeFont(dir) && ok;
    ok = Lamps(dir) && ok;
    ok = Bars(dir) && ok;
    ok = Plates(dir) && ok;
    return ok;
}

Register reg("panel", DrawPanelArt);

}  // namespace

// The Quenda matrix art: the two header strips with the panel's captions
// where its controls sit (289: device row, MADI input and formats; 301: AES,
// clock and ADC, shown beside or below the first), and the crosspoint cells,
// free (291) and locked by the ADC (293), lit image above the unlit one.
//
// The positions below follow the controls of the matrix view; in the strip
// of 301 they are relative to the strip's own top-left corner.
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "art.h"
#include "panel_font.h"

using namespace art;

namespace {

const Rgb kPanel = rgb(38, 44, 50);
const Rgb kBox = rgb(44, 51, 59);
const Rgb kBoxEdge = rgb(70, 82, 97);
const Rgb kTitle = rgb(132, 184, 236);
const Rgb kLabel = rgb(166, 176, 188);
const Rgb kBrand = rgb(250, 190, 90);
const Rgb kRecessDark = rgb(18, 21, 25);
const Rgb kRecessLight = rgb(84, 97, 112);
const Rgb kWhite = rgb(255, 255, 255);

// ---------------------------------------------------------------- text

const int kAdvance = 6;   // the 5 x 7 design and one column of space

int TextWidth(const std::string& text) { return text.empty() ? 0 : int(text.size()) * kAdvance - 1; }

void Text(Canvas& c, const std::string& text, int x, int y, Rgb ink) {
    for (size_t k = 0; k < text.size(); ++k)
        for (int row = 0; row < panelart::kGlyphRows; ++row)
            for (int col = 0; col < panelart::kGlyphCols; ++col)
                if (panelart::GlyphPixel(text[k], col, row)) c.set(x + int(k) * kAdvance + col, y + row, ink);
}

void TextRight(Canvas& c, const std::string& text, int right, int y, Rgb ink) {
    Text(c, text, right - TextWidth(text) + 1, y, ink);
}

void TextCentred(Canvas& c, const std::string& text, int left, int width, int y, Rgb ink) {
    Text(c, text, left + (width - TextWidth(text)) / 2, y, ink);
}

// ---------------------------------------------------------------- shapes

// A group: a slightly raised card with a one-pixel edge and rounded corners,
// its title set into the top edge.
void Group(Canvas& c, int left, int top, int right, int bottom, const std::string& title) {
    c.fill(left + 1, top + 1, right - left - 1, bottom - top - 1, kBox);
    for (int x = left + 1; x < right; ++x) {
        c.set(x, top, kBoxEdge);
        c.set(x, bottom, mix(kBoxEdge, kPanel, 0.35));
    }
    for (int y = top + 1; y < bottom; ++y) {
        c.set(left, y, kBoxEdge);
        c.set(right, y, mix(kBoxEdge, kPanel, 0.35));
    }
    for (int x : {left, right})
        for (int y : {top, bottom}) c.blend(x, y, kBoxEdge, 0.4);
    if (title.empty()) return;
    const int x = left + 7;
    c.fill(x - 2, top - 3, TextWidth(title) + 4, 7, kPanel);
    c.fill(x - 2, top, TextWidth(title) + 4, 4, kBox);
    Text(c, title, x, top - 3, kTitle);
}

// The sunken rim round a text field: the field's glyphs fill its rectangle.
void Recess(Canvas& c, int x, int y, int w, int h) {
    for (int i = x - 1; i <= x + w; ++i) {
        c.set(i, y - 1, kRecessDark);
        c.set(i, y + h, kRecessLight);
    }
    for (int j = y - 1; j <= y + h; ++j) {
        c.set(x - 1, j, kRecessDark);
        c.set(x + w, j, kRecessLight);
    }
    c.fill(x, y, w, h, rgb(32, 38, 44));
}

// A caption glyph row sits one pixel below the top of a 10-pixel control.
int CaptionY(int controlY) { return controlY + 1; }

// 32 bits per pixel, like the panels' memory bitmaps: thousands of cells are
// blitted on every full paint and none has to be converted, and every cold
// paint after a tick of the transport loads the strips again, which is
// quicker in this format.
bool Save32(const Canvas& c, const std::string& file) {
    const uint32_t w = uint32_t(c.width()), h = uint32_t(c.height());
    std::vector<uint8_t> b;
    auto put16 = [&b](uint32_t v) {
        b.push_back(uint8_t(v));
        b.push_back(uint8_t(v >> 8));
    };
    auto put32 = [&put16](uint32_t v) {
        put16(v & 0xFFFF);
        put16(v >> 16);
    };
    b.push_back('B');
    b.push_back('M');
    put32(54 + 4 * w * h);
    put32(0);
    put32(54);
    put32(40);
    put32(w);
    put32(h);
    put16(1);
    put16(32);
    put32(0);
    put32(4 * w * h);
    put32(2835);
    put32(2835);
    put32(0);
    put32(0);
    for (int y = int(h) - 1; y >= 0; --y)
        for (int x = 0; x < int(w); ++x) {
            Rgb p = c.get(x, y);
            b.push_back(p.b);
            b.push_back(p.g);
            b.push_back(p.r);
            b.push_back(0);
        }
    FILE* f = std::fopen(file.c_str(), "wb");
    if (!f) return false;
    const bool ok = std::fwrite(b.data(), 1, b.size(), f) == b.size();
    return std::fclose(f) == 0 && ok;
}

// ---------------------------------------------------------------- strips

bool HeaderStrip(const std::string& dir) {
    Canvas c(403, 84, kPanel);

    // Device row: the unit's address, its name, whether it answers, key lock.
    Group(c, 1, 1, 400, 22, "");
    Text(c, "QUENDA", 6, CaptionY(8), kBrand);
    for (int y = 5; y <= 18; ++y) c.set(44, y, kBoxEdge);
    TextRight(c, "ID", 56, CaptionY(8), kLabel);
    Recess(c, 60, 8, 30, 10);
    TextRight(c, "NAME", 124, CaptionY(8), kLabel);
    Recess(c, 128, 8, 80, 10);
    TextRight(c, "STATE", 243, CaptionY(8), kLabel);
    Recess(c, 247, 8, 76, 10);
    TextRight(c, "KEYS", 376, CaptionY(8), kLabel);

    // MADI input: which connector, its state, and the audio indicators.
    Group(c, 1, 28, 197, 79, "MADI INPUT");
    TextRight(c, "PORT", 36, CaptionY(52), kLabel);
    TextRight(c, "SIGNAL", 149, CaptionY(52), kLabel);
    Recess(c, 153, 52, 40, 10);
    TextRight(c, "AUDIO", 36, CaptionY(67), kLabel);

    // Formats: the input's as received, the output's as chosen.
    Group(c, 199, 28, 400, 79, "FORMAT");
    TextCentred(c, "IN", 202, 64, 40, kLabel);
    TextCentred(c, "OUT", 310, 64, 40, kLabel);
    Recess(c, 202, 52, 64, 10);
    Recess(c, 202, 67, 64, 10);
    Recess(c, 310, 52, 64, 10);
    Recess(c, 310, 67, 64, 10);
    TextCentred(c, "CHAN", 267, 42, CaptionY(52), kLabel);
    TextCentred(c, "FRAME", 267, 42, CaptionY(67), kLabel);
    return Save32(c, path(dir, "back289.bmp"));
}

bool SecondStrip(const std::string& dir) {
    Canvas c(403, 60, kPanel);
    const int base = 28, first = 28, second = 43;

    // AES inputs: speed, and per pair of channels sync and audio.
    Group(c, 1, 4, 156, 55, "AES");
    TextRight(c, "SYNC", base + 47, CaptionY(first), kLabel);
    TextRight(c, "AUDIO", base + 47, CaptionY(second), kLabel);

    // Clock: source, internal frequency, sample-rate range, following.
    Group(c, 160, 4, 306, 55, "CLOCK");
    TextCentred(c, "SOURCE", base + 184, 36, 17, kLabel);
    TextRight(c, "FOLLOW", base + 271, 17, kLabel);
    TextRight(c, "FREQ", base + 171, CaptionY(second), kLabel);
    Recess(c, base + 184, first, 36, 10);
    Recess(c, base + 175, second, 40, 10);
    Recess(c, base + 220, second, 50, 10);

    // ADC: enabled, automatic routing, and which converter it is.
    Group(c, 310, 4, 400, 55, "ADC");
    Text(c, "ENABLE", base + 285, 17, kLabel);
    TextCentred(c, "AUTO", base + 345, 18, 17, kLabel);
    Recess(c, base + 315, second, 50, 10);
    return Save32(c, path(dir, "back301.bmp"));
}

// ---------------------------------------------------------------- cells

// Cells tile without gaps, so each carries its own margin: a dark seam on
// its right and bottom keeps rows and columns apart, and the pad in the
// middle shows the state. Lit pads are bright enough to read at a glance
// among thousands of dark ones.
void Cell(Canvas& c, int y0, Rgb ground, Rgb seam, Rgb pad, Rgb padTop, bool glow, Rgb lit) {
    c.fill(0, y0, 12, 10, ground);
    for (int x = 0; x < 12; ++x) c.set(x, y0 + 9, seam);
    for (int y = y0; y < y0 + 10; ++y) c.set(11, y, seam);
    const int l = 2, r = 9, t = y0 + 1, b = y0 + 7;
    const double cx = (l + r) / 2.0, cy = (t + b) / 2.0;
    for (int y = t; y <= b; ++y)
        for (int x = l; x <= r; ++x) {
            const bool corner = (x == l || x == r) && (y == t || y == b);
            Rgb p;
            if (glow) {
                double d = std::hypot((x - cx) / ((r - l) / 2.0), (y - cy) / ((b - t) / 2.0));
                p = mix(mix(lit, kWhite, 0.55), lit, std::min(1.0, d));
            } else {
                p = y == t ? padTop : pad;
            }
            if (corner)
                c.blend(x, y, p, 0.45);
            else
                c.set(x, y, p);
        }
    if (glow)
        for (int y = y0; y < y0 + 9; ++y)
            for (int x = 0; x < 11; ++x)
                if (x < l || x > r || y < t || y > b) c.blend(x, y, lit, 0.16);
}

void LockedHatch(Canvas& c, int y0) {
    // Diagonal lines across the pad: the cell is the device's to route.
    for (int y = y0 + 2; y <= y0 + 6; ++y)
        for (int x = 3; x <= 8; ++x)
            if ((x + y) % 3 == 0) c.set(x, y, rgb(64, 60, 54));
}

bool Crosspoints(const std::string& dir) {
    const Rgb ground = rgb(30, 35, 41), seam = rgb(22, 26, 31);
    Canvas free(12, 20, kPanel);
    Cell(free, 0, ground, seam, rgb(0, 0, 0), rgb(0, 0, 0), true, rgb(64, 232, 104));
    Cell(free, 10, ground, seam, rgb(50, 59, 70), rgb(62, 73, 86), false, Rgb{});
    bool ok = Save32(free, path(dir, "led291.bmp"));

    const Rgb lockedGround = rgb(34, 33, 32), lockedSeam = rgb(24, 23, 22);
    Canvas locked(12, 20, kPanel);
    Cell(locked, 0, lockedGround, lockedSeam, rgb(0, 0, 0), rgb(0, 0, 0), true, rgb(236, 168, 52));
    Cell(locked, 10, lockedGround, lockedSeam, rgb(44, 43, 41), rgb(52, 51, 48), false, Rgb{});
    LockedHatch(locked, 10);
    ok = Save32(locked, path(dir, "led293.bmp")) && ok;
    return ok;
}

bool DrawQuendaArt(const std::string& dir) {
    bool ok = HeaderStrip(dir);
    ok = SecondStrip(dir) && ok;
    ok = Crosspoints(dir) && ok;
    return ok;
}

Register reg("quenda", DrawQuendaArt);

}  // namespace

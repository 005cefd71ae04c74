// The Quenda matrix art: the two header strips with the panel's captions
// where its controls sit (289: device row, MADI input and formats; 301: AES,
// clock and ADC, shown beside or below the first), and the crosspoint cells,
// free (291) and locked by the ADC (293), lit image above the unlit one.
//
// The positions below follow the controls of the matrix view; in the strip
// of 301 they are relative to the strip's own top-left corner.
#include <algorithm>
#include <cmath>
#include <string>

#include "art.h"
#include "label_art.h"

using namespace art;
using namespace labelart;

namespace {

const Rgb kWhite = rgb(255, 255, 255);

// All of this art is written with 32 bits per pixel: thousands of cells are
// blitted on every full paint and none has to be converted, and every cold
// paint after a tick of the transport loads the strips again, which is
// quicker in this format.

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

// The Tarvik format converter art: the routing matrix panel (274), with the
// device row, the MADI input and clock settings over the crosspoint grid,
// and the front panel (239), the unit's input lamps, clock and routing keys.
//
// The views paint their controls over these backgrounds, so each caption sits
// beside or above its control and a field only gets a sunken rim. The boxes
// below are where the views put their controls.
#include <string>

#include "art.h"
#include "label_art.h"

using namespace art;
using namespace labelart;

namespace {

const Place kLeft = Place::kLeft, kAbove = Place::kAbove, kRight = Place::kRight;
const std::string kModel = "TARVIK";

// Sixteen outputs, MADI 1..8 and ADAT 1..8, stand in two groups of eight
// with a wider gap between them; the MADI inputs and the ADAT inputs in two
// blocks of eight rows. A crosspoint is a 13 x 10 lamp.
const int kPerGroup = 8, kCellW = 13, kCellH = 10;
const int kColumnPitch = 20, kRowPitch = 15, kGroupGap = 15;

int ColumnX(int o) { return 141 + kColumnPitch * o + (o >= kPerGroup ? kGroupGap : 0); }
const int kAdatTop = 185, kMadiTop = 320;
int RowY(int blockTop, int k) { return blockTop + kRowPitch * k; }
int BlockBottom(int blockTop) { return RowY(blockTop, kPerGroup - 1) + kCellH; }   // one past

// ---------------------------------------------------------------- matrix panel

void MatrixHeader(Canvas& c) {
    // The device row: which unit, its name and whether it answers; the
    // maker and the model in the free span at the right, between rules.
    Group(c, 3, 2, 477, 23, "");
    const Box state{256, 8, 80, 10};
    Controls(c, {
        {"ID", {61, 8, 30, 10}, kLeft, true},
        {"NAME", {134, 8, 80, 10}, kLeft, true},
        {"STATE", state, kLeft, true},
    });
    const int spanLeft = state.x + state.w + 2, spanRight = 476;
    const int x = spanLeft + (spanRight - spanLeft - BrandWidth(kModel)) / 2;
    for (int y = 6; y <= 19; ++y) {
        c.set(x - 8, y, kBoxEdge);
        c.set(x + BrandWidth(kModel) + 7, y, kBoxEdge);
    }
    Brand(c, kModel, x, CaptionY(8));

    // MADI input: the connector, what arrives on it, and how 96k frames
    // are told apart.
    Group(c, 3, 34, 270, 83, "MADI INPUT");
    const Box bnc{41, 52, 24, 10}, channels{137, 52, 64, 10}, frame{137, 67, 64, 10};
    Controls(c, {
        {"PORT", bnc, kLeft, false},
        {"STATE", {80, 67, 40, 10}, kAbove, true},
        {"FORMAT", channels, kAbove, true},
        {"96K FRAME", {217, 67, 40, 10}, kAbove, true},
    });
    Field(c, frame);

    // Clock: where it comes from, and the rate when it is the unit's own.
    Group(c, 276, 34, 477, 83, "CLOCK");
    Controls(c, {
        {"SOURCE", {332, 52, 70, 10}, kLeft, true},
        {"FREQ", {332, 67, 70, 10}, kLeft, true},
    });

    // The switch that lets the matrix below route, heading it with a groove
    // that parts the settings from the grid.
    const Box matrix{44, 90, 20, 10};
    Caption(c, "ROUTING MATRIX", matrix, kRight);
    GrooveAcross(c, matrix.x + matrix.w + 3 + TextWidth("ROUTING MATRIX") + 6, 477, 94);
}

// The faint lines between the rows and between the columns of the grid, the
// grooves that part the MADI from the ADAT outputs and the two blocks of
// inputs, and the outputs' names over their columns.
void MatrixGrid(Canvas& c) {
    const int firstColumn = ColumnX(0), lastRight = ColumnX(2 * kPerGroup - 1) + kCellW - 1;
    const int namesTop = 123, namesH = 56, guideLeft = 12, guideRight = lastRight + 3;
    const int blockTops[2] = {kAdatTop, kMadiTop};

    // Between the columns, from the names down through each block; the
    // lines stop short of the gap between the blocks.
    for (int o = 0; o < 2 * kPerGroup; ++o) {
        if (o % kPerGroup == kPerGroup - 1) continue;
        const int x = ColumnX(o) + kCellW + (kColumnPitch - kCellW) / 2;
        for (int y = namesTop; y <= BlockBottom(kAdatTop); ++y) c.set(x, y, kGuide);
        for (int y = kMadiTop - 2; y <= BlockBottom(kMadiTop); ++y) c.set(x, y, kGuide);
    }
    // Between the rows, across the lamps and the names too.
    for (int top : blockTops)
        for (int k = 0; k + 1 < kPerGroup; ++k) {
            const int y = RowY(top, k) + kCellH + (kRowPitch - kCellH) / 2;
            for (int x = guideLeft; x <= guideRight; ++x) c.set(x, y, kGuide);
        }
    // The names stand left of the first column, the lamps further left.
    for (int top : blockTops)
        for (int y = top - 2; y <= BlockBottom(top) + 1; ++y) c.set(firstColumn - 4, y, kGuide);

    // MADI outputs | ADAT outputs; ADAT inputs over MADI inputs.
    const int groupGapX = ColumnX(kPerGroup - 1) + kCellW + (kColumnPitch + kGroupGap - kCellW) / 2 - 1;
    GrooveDown(c, groupGapX, namesTop - 14, BlockBottom(kMadiTop) + 1);
    GrooveAcross(c, 4, 476, BlockBottom(kAdatTop) + 3);

    for (int o = 0; o < 2 * kPerGroup; ++o) Field(c, Box{ColumnX(o) + 1, namesTop, 10, namesH});
    SpanTitle(c, "MADI OUTPUTS", firstColumn, ColumnX(kPerGroup - 1) + kCellW, 110, kTitle);
    SpanTitle(c, "ADAT OUTPUTS", ColumnX(kPerGroup), lastRight + 1, 110, kTitle);
}

// The inputs' rows: a name field, and the lamps of each input's state with
// their heads over the block; the block's title runs down its left edge.
void InputBlock(Canvas& c, int top, const std::string& title, bool sync) {
    const Box syncLamp{15, top, 13, 10}, audioLamp{46, top, 13, 10}, name{78, top, 56, 10};
    if (sync) Caption(c, "SYNC", syncLamp, kAbove);
    Caption(c, "AUDIO", audioLamp, kAbove);
    SpanTitleUp(c, title, 4, top, BlockBottom(top) - 1, kTitle);
    for (int k = 0; k < kPerGroup; ++k) Field(c, Box{name.x, RowY(top, k), name.w, name.h});
}

bool MatrixPanel(const std::string& dir) {
    Canvas c = Panel(481, 448);
    MatrixHeader(c);
    MatrixGrid(c);
    InputBlock(c, kAdatTop, "ADAT INPUTS", true);
    InputBlock(c, kMadiTop, "MADI INPUTS", false);
    return c.saveBmp(path(dir, "back274.bmp"));
}

// ---------------------------------------------------------------- front panel

bool FrontPanel(const std::string& dir) {
    Canvas c = Panel(535, 129);

    // MADI input: the connector and its state over the eight audio lamps,
    // and the format it carries.
    Group(c, 3, 10, 271, 58, "MADI INPUT");
    const Box firstAudio{40, 43, 13, 10};
    Controls(c, {
        {"PORT", {40, 28, 24, 10}, kLeft, false},
        {"AUDIO", firstAudio, kLeft, false},
        {"STATE", {153, 28, 40, 10}, kAbove, true},
        {"FORMAT", {202, 28, 64, 10}, kAbove, true},
    });
    Field(c, Box{202, 43, 64, 10});

    // ADAT inputs: sync and audio of each; the lamps carry their numbers.
    Group(c, 277, 10, 478, 58, "ADAT INPUT");
    Controls(c, {
        {"SYNC", {320, 28, 13, 10}, kLeft, false},
        {"AUDIO", {320, 43, 13, 10}, kLeft, false},
    });

    // How 96k frames are told apart.
    Group(c, 482, 10, 531, 58, "96K");
    Controls(c, {{"FRAME", {484, 43, 40, 10}, kAbove, true}});

    Brand(c, kModel, 528 - BrandWidth(kModel), 63);

    // Clock: source, and the rate when it is the unit's own.
    Group(c, 3, 76, 92, 125, "CLOCK");
    Controls(c, {
        {"SOURCE", {11, 96, 70, 10}, kAbove, true},
        {"FREQ", {41, 111, 40, 10}, kLeft, true},
    });

    // Routing: the matrix switch, and for each output a source key and an
    // output key, MADI 1..8 and ADAT 1..8, captioned in the gap between.
    // The matrix switch's caption, wider than the switch, stays clear of
    // the MADI keys' head: it starts near the card's edge.
    Group(c, 96, 76, 531, 125, "ROUTING");
    Text(c, "MATRIX", 101, 86, kLabel);
    const int madiLeft = 141, adatLeft = 351, keyPitch = 20, keyW = 13;
    const int madiRight = madiLeft + 7 * keyPitch + keyW - 1, adatRight = adatLeft + 7 * keyPitch + keyW - 1;
    SpanTitle(c, "MADI", madiLeft, madiRight, 84, kTitle);
    SpanTitle(c, "ADAT", adatLeft, adatRight, 84, kTitle);
    TextCentred(c, "SOURCE", madiRight + 1, adatLeft - madiRight - 1, CaptionY(96), kLabel);
    TextCentred(c, "OUTPUT", madiRight + 1, adatLeft - madiRight - 1, CaptionY(111), kLabel);
    return c.saveBmp(path(dir, "back239.bmp"));
}

bool DrawTarvikArt(const std::string& dir) {
    bool ok = MatrixPanel(dir);
    ok = FrontPanel(dir) && ok;
    return ok;
}

Register reg("tarvik", DrawTarvikArt);

}  // namespace

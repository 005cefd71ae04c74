// The Lusket router art: the panel of the 8 x 8 MADI router (282), with the
// device row, the locks and the presets over the crosspoint grid, whose
// outputs' names stand over its columns and inputs' names left of its rows.
//
// The view paints its controls over this background, so each caption sits
// beside or above its control and a field only gets a sunken rim. The boxes
// below are where the view puts its controls.
#include <string>

#include "art.h"
#include "label_art.h"

using namespace art;
using namespace labelart;

namespace {

const std::string kModel = "LUSKET";

// Eight inputs by eight outputs; a crosspoint is a 13 x 10 lamp.
const int kSize = 8, kCellW = 13, kCellH = 10;
const int kColumnPitch = 20, kRowPitch = 15;
const int kGridLeft = 87, kGridTop = 190;

int ColumnX(int o) { return kGridLeft + kColumnPitch * o; }
int RowY(int i) { return kGridTop + kRowPitch * i; }
const int kGridRight = ColumnX(kSize - 1) + kCellW - 1;   // the last lamp's last column
const int kGridBottom = RowY(kSize - 1) + kCellH - 1;

// The outputs' names stand on end over their columns, the inputs' names
// left of their rows.
const int kNamesTop = 124, kNamesH = 50;
const Box kInputName{21, kGridTop, 50, 10};

// Where the guide between two neighbouring columns or rows runs: in the
// middle of the space between their lamps.
int GuideX(int o) { return ColumnX(o) + kCellW + (kColumnPitch - kCellW) / 2; }
int GuideY(int i) { return RowY(i) + kCellH + (kRowPitch - kCellH) / 2; }

// ---------------------------------------------------------------- settings

void Header(Canvas& c) {
    // The device row: which unit, its name and whether it answers; the
    // maker and the model in the free span left of the state.
    Group(c, 3, 2, 249, 38, "");
    const Box state{138, 23, 80, 10};
    Controls(c, {
        {"ID", {61, 8, 30, 10}, Place::kLeft, true},
        {"NAME", {138, 8, 80, 10}, Place::kLeft, true},
        {"STATE", state, Place::kLeft, true},
    });
    // A rule parts the brand from the state's caption, so that neither
    // reads as the other's.
    const int brandX = 10, stateCaption = state.x - 4 - TextWidth("STATE");
    Brand(c, kModel, brandX, CaptionY(state.y));
    const int rule = (brandX + BrandWidth(kModel) + stateCaption) / 2;
    for (int y = state.y - 3; y <= state.y + state.h + 2; ++y) c.set(rule, y, kBoxEdge);
}

void LocksAndPresets(Canvas& c) {
    // The lamps and keys print their own words, so one head over each group
    // says what they are about; a groove parts the locks from the presets.
    Group(c, 3, 49, 249, 85, "");
    const Box keys{11, 68, 30, 10}, midi{47, 68, 30, 10};
    const Box number{122, 68, 26, 10}, recall{202, 68, 34, 10};
    SpanTitle(c, "LOCK", keys.x, midi.x + midi.w - 1, 57, kTitle);
    SpanTitle(c, "PRESET", number.x, recall.x + recall.w - 1, 57, kTitle);
    Field(c, number);
    GrooveDown(c, (midi.x + midi.w + number.x) / 2 - 1, 54, 80);
}

// ---------------------------------------------------------------- matrix

void Grid(Canvas& c) {
    // Between the columns, from the names' tops to the last row; between
    // the rows, across the names and the lamps.
    for (int o = 0; o + 1 < kSize; ++o)
        for (int y = kNamesTop; y <= kGridBottom + 1; ++y) c.set(GuideX(o), y, kGuide);
    for (int i = 0; i + 1 < kSize; ++i)
        for (int x = 14; x <= kGridRight + 3; ++x) c.set(x, GuideY(i), kGuide);
    // The names end where the lamps begin.
    const int split = (kInputName.x + kInputName.w + kGridLeft) / 2;
    for (int y = kGridTop - 2; y <= kGridBottom + 2; ++y) c.set(split, y, kGuide);

    // Input n to output n: the straight-through routing, faintly lit behind
    // its lamps so that a patch off the diagonal stands out.
    const Rgb tint = mix(kPanel, kTitle, 0.07);
    for (int n = 0; n < kSize; ++n)
        for (int y = RowY(n) - 2; y < RowY(n) + kCellH + 2; ++y)
            for (int x = ColumnX(n) - 3; x < ColumnX(n) + kCellW + 3; ++x) c.set(x, y, tint);
}

void Names(Canvas& c) {
    for (int o = 0; o < kSize; ++o) Field(c, Box{ColumnX(o) + 1, kNamesTop, 10, kNamesH});
    SpanTitle(c, "OUTPUTS", kGridLeft, kGridRight, 110, kTitle);
    for (int i = 0; i < kSize; ++i) Field(c, Box{kInputName.x, RowY(i), kInputName.w, kInputName.h});
    SpanTitleUp(c, "INPUTS", 4, kGridTop, kGridBottom, kTitle);
}

bool RouterPanel(const std::string& dir) {
    Canvas c = Panel(253, 317);
    Header(c);
    LocksAndPresets(c);
    Grid(c);
    Names(c);
    return c.saveBmp(path(dir, "back282.bmp"));
}

Register reg("lusket", RouterPanel);

}  // namespace

// The Pelvo converter art: the panel backgrounds of the four models, the
// 16- and 32-channel AD converters (329, 332) and the 16- and 32-channel DA
// converters (333, 334). Each has the device row on top, the channels'
// meters across the middle and the MADI, clock and peak-hold settings along
// the bottom.
//
// The view paints its controls over these backgrounds, so each caption sits
// beside or above its control and a field only gets a sunken rim. The boxes
// below are where the view puts its controls. A DA panel is eight rows
// taller, its meters eight rows longer, and its settings eight rows lower.
#include <string>

#include "art.h"
#include "label_art.h"

using namespace art;
using namespace labelart;

namespace {

const Place kLeft = Place::kLeft, kAbove = Place::kAbove, kRight = Place::kRight;

// The gain reduction's colour, as its bar has it.
const Rgb kMeterOrange = rgb(255, 140, 40);

struct Model {
    int id;
    const char* name;
    const char* what;
    int channels;
    bool da;
};

const Model kModels[] = {
    {329, "PELVO ALPHA", "16-CHANNEL AD CONVERTER", 16, false},
    {332, "PELVO GAMMA", "32-CHANNEL AD CONVERTER", 32, false},
    {333, "PELVO BETA", "16-CHANNEL DA CONVERTER", 16, true},
    {334, "PELVO DELTA", "32-CHANNEL DA CONVERTER", 32, true},
};

const int kPanelW = 796, kMeterTop = 62, kLevelW = 12, kReductionW = 6, kReductionH = 33;

int Shift(const Model& m) { return m.da ? 8 : 0; }
int LevelH(const Model& m) { return m.da ? 49 : 41; }

int LevelX(const Model& m, int ch) {
    if (m.channels == 32) return (m.da ? 52 : 49) + 22 * ch;
    return (m.da ? 62 : 60) + 44 * ch;
}

// An AD channel's gain-reduction bar stands flush right of its level meter,
// so the two share one well, and the channel's number heads both.
Box ChannelWell(const Model& m, int ch) {
    return Box{LevelX(m, ch), kMeterTop, kLevelW + (m.da ? 0 : kReductionW), LevelH(m)};
}

// The meter strips leave their top row dark and start their segments under
// it, so the ticks are set against the box of the segments.
Box Segments(const Model& m, int ch) { return Box{LevelX(m, ch), kMeterTop + 1, kLevelW, LevelH(m) - 1}; }

// The meters' key stands left of the first well: a swatch in the colour of
// each bar and its name.
void Key(Canvas& c, const std::string& name, int y, Rgb colour) {
    c.fill(8, y, 4, 7, mix(colour, kPanel, 0.25));
    Text(c, name, 15, y, kLabel);
}

void Meters(Canvas& c, const Model& m) {
    const int last = m.channels - 1;
    const Box first = ChannelWell(m, 0), end = ChannelWell(m, last);
    Group(c, 3, 27, kPanelW - 4, kMeterTop + LevelH(m) + 8, "");
    SpanTitle(c, m.da ? "ANALOG OUTPUTS" : "ANALOG INPUTS", first.x - 2, end.x + end.w + 1, 36, kTitle);

    // Ticks go between the wells only where the wells leave them room: not
    // on a 32-channel AD panel, whose wells stand rim to rim.
    const bool ticks = m.channels == 16 || m.da;
    for (int ch = 0; ch <= last; ++ch) {
        const Box well = ChannelWell(m, ch);
        Well(c, well);
        if (ticks) Ticks(c, Segments(m, ch), -1, LevelColour);
        TextCentred(c, std::to_string(ch + 1), well.x, well.w, 49, kLabel);
    }
    Key(c, "LEVEL", kMeterTop + 1, kMeterGreen);
    if (!m.da) Key(c, "GR", kMeterTop + 12, kMeterOrange);
}

void Header(Canvas& c, const Model& m) {
    DeviceRow(c, kPanelW, {
        {"ID", 61, 30, true},
        {"NAME", 134, 80, true},
        {"STATE", 256, 80, true},
        {"TEMP", 640, 42, true},
        {"LOCK", 761, 24, false},
    });
    // Only the 32-channel units have a fan to set and report.
    if (m.channels == 32) RowControls(c, {{"FAN", 468, 48, true}, {"SPEED", 558, 42, true}});
}

// The settings along the bottom, in cards that share one top and one bottom:
// the analog level, the MADI channels the unit takes, the MADI port and its
// formats, the limiter or the ADAT input, the clock, and the peak hold.
void Settings(Canvas& c, const Model& m) {
    const int d = Shift(m), top = 136 + d, bottom = 189 + d;
    const int cards[][2] = {{3, 76}, {80, 154}, {158, 426}, {430, 524}, {528, 722}, {726, kPanelW - 4}};
    for (const auto& card : cards) Group(c, card[0], top, card[1], bottom, "");

    const int row0 = 144 + d, row1 = 159 + d, row2 = 174 + d;
    // The connector keys print BNC and OPT themselves, so the head over them
    // only says what they choose.
    Controls(c, {
        {"ANALOG", {16, row1, 48, 10}, kAbove, true},
        {"MADI CH", {91, row1, 54, 10}, kAbove, true},
        {"PORT", {170, row1, 24, 10}, kAbove, false},
        {"STATE", {206, row1, 40, 10}, kAbove, true},
        {"MADI IN", {255, row1, 64, 10}, kAbove, true},
        {"MADI OUT", {353, row1, 64, 10}, kAbove, true},
        {"CLOCK", {566, row0, 70, 10}, kLeft, true},
        {"FREQ", {566, row1, 40, 10}, kLeft, true},
        {"FOLLOW", {697, row0, 20, 10}, kLeft, false},
        {"WCK SS", {697, row1, 20, 10}, kLeft, false},
        {"ADAT", {578, row2, 13, 10}, kRight, false},
        {"WCK", {623, row2, 13, 10}, kRight, false},
        {"PEAK HOLD", {734, row1, 50, 10}, kAbove, true},
        {"RESET", {770, row2, 13, 10}, kLeft, false},
    });
    Field(c, Box{255, row2, 64, 10});
    Field(c, Box{353, row2, 64, 10});
    Field(c, Box{612, row1, 24, 10});

    if (!m.da) {
        Caption(c, "LIMIT", Box{469, row1, 20, 10}, kAbove);
        return;
    }
    // A DA unit takes its signal from MADI or from ADAT; the four lamps show
    // the state of the ADAT inputs.
    Controls(c, {
        {"MADI", {127, row2, 20, 10}, kLeft, false},
        {"ADAT", {488, row2, 20, 10}, kLeft, false},
    });
    Caption(c, "ADAT", Box{448, 167, 58, 10}, kAbove);
}

bool Draw(const std::string& dir, const Model& m) {
    Canvas c = Panel(kPanelW, 196 + Shift(m));
    Header(c, m);
    Meters(c, m);
    // In the band between the meters and the settings.
    BrandLine(c, m.name, m.what, 8, 120 + Shift(m), kPanelW - 5);
    Settings(c, m);
    return c.saveBmp(path(dir, "back" + std::to_string(m.id) + ".bmp"));
}

bool DrawPelvoArt(const std::string& dir) {
    bool ok = true;
    for (const Model& m : kModels) ok = Draw(dir, m) && ok;
    return ok;
}

Register reg("pelvo", DrawPelvoArt);

}  // namespace

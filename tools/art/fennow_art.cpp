// The Fennow preamp art: the header band over the panel (306), the back of a
// channel strip in the normal layout (324) and in the compact one (304),
// shown eight times side by side, and the settings panel at the right (305).
//
// The view paints its controls over these backgrounds, so each caption sits
// beside or above its control, and a field only gets a sunken rim. The boxes
// below are where the view puts its controls, relative to the bitmap they
// are drawn on. The strips start on row 47 of the panel in the normal layout
// and on row 25 in the compact one, so whatever the header shows under row
// 25 is seen in the normal layout only.
#include <string>

#include "art.h"
#include "label_art.h"

using namespace art;
using namespace labelart;

namespace {

const Place kLeft = Place::kLeft, kAbove = Place::kAbove, kRight = Place::kRight;

const int kStripW = 106, kChannels = 8;
const int kPanelW = 982, kNormalH = 253, kNormalTop = 47;
const int kSideX = kStripW * kChannels;

// ---------------------------------------------------------------- strips

// Name, gang lamp and gain: the top of a strip in either layout. The gang
// lamp ties the gain to the other channels', so the head over the gain, in
// the titles' colour, heads the lamp's row too. The gain number is the
// largest thing on the strip, so its rim is set a pixel deeper than the
// other fields'.
void StripHead(Canvas& c, const Box& gang, const Box& gain) {
    Field(c, Box{14, 7, 80, 10});
    Caption(c, "GANG", gang, kLeft);
    Text(c, "GAIN", gain.x, CaptionY(gang.y), kTitle);
    for (int x = gain.x - 2; x <= gain.x + gain.w + 1; ++x) {
        c.set(x, gain.y - 2, mix(kRecessDark, kPanel, 0.5));
        c.set(x, gain.y + gain.h + 1, mix(kRecessLight, kPanel, 0.5));
    }
    for (int y = gain.y - 2; y <= gain.y + gain.h + 1; ++y) {
        c.set(gain.x - 2, y, mix(kRecessDark, kPanel, 0.5));
        c.set(gain.x + gain.w + 1, y, mix(kRecessLight, kPanel, 0.5));
    }
    Field(c, gain);
}

// The lamps of a strip stand in one column right of the meter, each with its
// caption on its right; the column is too narrow for more than six letters,
// so the longer names are cut short.
void Lamps(Canvas& c, int top, std::initializer_list<const char*> captions) {
    int y = top;
    for (const char* caption : captions) {
        Caption(c, caption, Box{54, y, 13, 10}, kRight);
        y += 15;
    }
}

// A strip is blitted eight times on every paint, so it is written with 32
// bits per pixel, the screen's format.
bool NormalStrip(const std::string& dir) {
    Canvas c(kStripW, 209, kPanel);
    const int visible = kNormalH - kNormalTop;
    StripHead(c, Box{80, 22, 13, 10}, Box{14, 38, 80, 24});

    // Thirteen segments of eight rows, and the switches beside them. The
    // channel's number plate goes under the meter at run time.
    const Box level{28, 71, 20, 104};
    Well(c, level);
    Ticks(c, level, -1, LevelColour);
    SpanTitleUp(c, "LEVEL", 6, level.y, level.y + level.h - 1, kLabel);
    Lamps(c, level.y, {"48V", "PHASE", "M/S", "L.CUT", "AUTO", "LINK", "HI-Z", "FRONT"});

    GrooveDown(c, kStripW - 2, 0, visible - 1);
    return Save32(c, path(dir, "back324.bmp"));
}

bool CompactStrip(const std::string& dir) {
    Canvas c(kStripW, 100, kPanel);
    StripHead(c, Box{80, 21, 13, 10}, Box{14, 37, 80, 24});
    const Box level{28, 68, 20, 24};
    Well(c, level);
    Ticks(c, level, -1, LevelColour);
    Lamps(c, level.y, {"48V", "PHASE"});
    GrooveDown(c, kStripW - 2, 0, c.height() - 1);
    return Save32(c, path(dir, "back304.bmp"));
}

// ---------------------------------------------------------------- header

bool Header(const std::string& dir) {
    Canvas c(kPanelW, 48, kPanel);

    // The device row: which unit and its state, the generator, the display,
    // the presets and the keys. Store and recall print their own names.
    Group(c, 1, 1, kPanelW - 2, 22, "");
    Controls(c, {
        {"BANK", {56, 8, 30, 10}, kLeft, true},
        {"ID", {136, 8, 30, 10}, kLeft, true},
        {"NAME", {198, 8, 110, 10}, kLeft, true},
        {"STATE", {348, 8, 80, 10}, kLeft, true},
        {"GEN", {498, 8, 30, 10}, kLeft, true},
        {"DARK", {564, 8, 13, 10}, kLeft, false},
        {"SLIM", {609, 8, 13, 10}, kLeft, false},
        {"PRESET", {688, 8, 34, 10}, kLeft, true},
        {"LOCK", {918, 8, 24, 10}, kLeft, false},
    });

    // Under the device row, seen in the normal layout only: heads over the
    // strips and over the settings. The maker and the model stand in the
    // settings panel, which both layouts show.
    const int headY = 31;
    SpanTitle(c, "MICROPHONE INPUTS", 4, kSideX - 6, headY, kTitle);
    SpanTitle(c, "SETTINGS", kSideX + 2, kPanelW - 3, headY, kTitle);
    return c.saveBmp(path(dir, "back306.bmp"));
}

// ---------------------------------------------------------------- settings

// Of its 150 x 208 pixels the panel's right edge leaves 134 columns showing,
// and the compact layout its top 100 rows; the clock card is for the normal
// layout only.
bool SidePanel(const std::string& dir) {
    Canvas c(150, 208, kPanel);
    const int right = kPanelW - kSideX - 2;

    Group(c, 1, 2, right, 97, "");
    Controls(c, {
        {"OUT LVL", {70, 7, 48, 10}, kLeft, true},
        {"AS LIMIT", {70, 22, 48, 10}, kLeft, true},
        {"PEAK HOLD", {70, 37, 20, 10}, kLeft, false},
        {"DELAY C.", {70, 52, 20, 10}, kLeft, false},
        {"AUTO ID", {70, 67, 20, 10}, kLeft, false},
        {"DIG OUT", {70, 82, 48, 10}, kLeft, true},
    });

    // The maker and the model, stacked in the room right of the switches, so
    // that both layouts show them.
    const int badgeLeft = 92, badgeWidth = right - badgeLeft;
    TextCentred(c, "TESMER", badgeLeft, badgeWidth, 45, kLabel);
    TextCentred(c, "FENNOW", badgeLeft, badgeWidth, 56, kBrand);

    // Clock: where it comes from, the unit's own rate and its range, and the
    // lamps that say which input it is locked to.
    Group(c, 1, 112, right, 203, "CLOCK");
    Controls(c, {
        {"SOURCE", {46, 127, 72, 10}, kLeft, true},
        {"FREQ", {46, 142, 40, 10}, kLeft, true},
        {"FOLLOW", {80, 157, 20, 10}, kLeft, false},
        {"WCK SS", {80, 172, 20, 10}, kLeft, false},
        {"WCK", {8, 187, 13, 10}, kRight, false},
        {"AES", {51, 187, 13, 10}, kRight, false},
        {"OPT", {94, 187, 13, 10}, kRight, false},
    });
    Field(c, Box{94, 142, 24, 10});
    return c.saveBmp(path(dir, "back305.bmp"));
}

bool DrawFennowArt(const std::string& dir) {
    bool ok = true;
    for (auto draw : {Header, NormalStrip, CompactStrip, SidePanel}) ok = draw(dir) && ok;
    return ok;
}

Register reg("fennow", DrawFennowArt);

}  // namespace

// The Ombrel converter art: the header band over the panel (322), the back
// of an input strip (318) and of an output strip (319), shown eight times
// each, the divider between the two rows of strips (320), and the settings
// panel at the right (321).
//
// The view paints its controls over these backgrounds, so each caption sits
// beside or above its control, and a field only gets a sunken rim that the
// control leaves showing. The boxes below are where the view puts its
// controls: in the strips relative to the strip, in the settings panel in
// the coordinates of the whole panel, so that they read like the view's.
#include <string>

#include "art.h"
#include "label_art.h"
#include "panel_font.h"

using namespace art;
using namespace labelart;

namespace {

// The gain reduction's colour, as its bar has it.
const Rgb kMeterOrange = rgb(255, 140, 40);

// Each strip is 97 pixels wide, and eight of them stand side by side.
const int kStripW = 97, kStripH = 140, kChannels = 8;
// What of an output strip shows under the panel's bottom edge.
const int kOutputRows = 122;

// ---------------------------------------------------------------- pieces

void LevelMeter(Canvas& c, const Box& b) {
    Well(c, b);
    Ticks(c, b, -1, LevelColour);
}

// The groove at a strip's right edge that, repeated, splits the panel into
// channels: shade on the left, light on the right, like the field rims.
void ChannelSeam(Canvas& c, int x, int top, int bottom) {
    for (int y = top; y < bottom; ++y) {
        c.set(x, y, mix(kRecessDark, kPanel, 0.4));
        c.set(x + 1, y, kPanelEdge);
    }
}

// Name, level meter, trim and gang: what both kinds of strip share.
const Box kName{12, 8, 74, 10};
const Box kLevel{28, 27, 20, 56};
const Box kTrim{12, 102, 54, 10};
const Box kGang{74, 102, 13, 10};

void StripCommon(Canvas& c, int visibleRows) {
    Field(c, kName);
    LevelMeter(c, kLevel);
    Field(c, kTrim);
    Text(c, "TRIM", kTrim.x, kTrim.y - 10, kLabel);
    Caption(c, "LINK", kGang, Place::kAbove);
    ChannelSeam(c, kStripW - 2, 0, visibleRows);
}

// ---------------------------------------------------------------- strips

// A strip is blitted eight times on every paint, so it is written with 32
// bits per pixel and no blit converts it; the other backgrounds, blitted
// once, stay 24-bit.
bool InputStrip(const std::string& dir) {
    Canvas c(kStripW, kStripH, kPanel);
    StripCommon(c, kStripH);
    // Gain reduction grows down from the top, in orange like its bar.
    const Box reduction{58, 35, 15, 48};
    Well(c, reduction);
    Ticks(c, reduction, 1, [](int) { return kMeterOrange; });
    Caption(c, "GR", reduction, Place::kAbove);
    return Save32(c, path(dir, "back318.bmp"));
}

bool OutputStrip(const std::string& dir) {
    Canvas c(kStripW, kStripH, kPanel);
    StripCommon(c, kOutputRows);
    // The mute lamp, and under it the room the channel-number plate needs.
    Caption(c, "MUTE", Box{69, 42, 13, 10}, Place::kAbove);
    return Save32(c, path(dir, "back319.bmp"));
}

// Only the last three rows show between the rows of strips: a groove like
// the seams between channels, laid on its side. The rows above, under the
// input strips, carry the outputs' title for a layout that shows them.
bool Divider(const std::string& dir) {
    Canvas c(kStripW * kChannels, 22, kPanel);
    Text(c, "OUTPUTS", 8, 6, kTitle);
    for (int x = 0; x < c.width(); ++x) {
        c.set(x, 19, mix(kRecessDark, kPanel, 0.4));
        c.set(x, 20, kPanelEdge);
        c.set(x, 21, mix(kPanelEdge, kPanel, 0.6));
    }
    return c.saveBmp(path(dir, "back320.bmp"));
}

// ---------------------------------------------------------------- header

bool Header(const std::string& dir) {
    Canvas c(996, 47, kPanel);

    // The device row: which unit, its state, the output volume and the keys.
    Group(c, 1, 1, 994, 22, "");
    const Box state{348, 8, 80, 10}, volRef{724, 8, 48, 10};
    Controls(c, {
        {"BANK", {56, 8, 30, 10}, Place::kLeft, true},
        {"ID", {136, 8, 30, 10}, Place::kLeft, true},
        {"NAME", {198, 8, 110, 10}, Place::kLeft, true},
        {"STATE", state, Place::kLeft, true},
        {"VOL REF", volRef, Place::kLeft, true},
        {"RECALL", {816, 8, 13, 10}, Place::kLeft, false},
        {"DIM", {864, 8, 20, 10}, Place::kLeft, false},
        {"LOCK", {960, 8, 24, 10}, Place::kLeft, false},
    });

    // The maker and the model in the free span between the state field and
    // the volume's caption, set off by a rule on either side.
    const std::string maker = "TESMER", model = "OMBREL", kind = "8-CHANNEL AD/DA";
    const std::string brand = maker + " " + model + "  " + kind;
    const int spanLeft = state.x + state.w + 1, spanRight = volRef.x - 4 - TextWidth("VOL REF");
    const int x = spanLeft + (spanRight - spanLeft - TextWidth(brand)) / 2;
    for (int y = 5; y <= 18; ++y) {
        c.set(x - 7, y, kBoxEdge);
        c.set(x + TextWidth(brand) + 6, y, kBoxEdge);
    }
    Text(c, maker, x, CaptionY(8), kLabel);
    Text(c, model, x + TextWidth(maker + " ") + 1, CaptionY(8), kBrand);
    Text(c, kind, x + TextWidth(maker + " " + model + "  ") + 1, CaptionY(8), kLabel);

    // The strips below: a titled rule over them, and each channel's number
    // over its strip, between the seams that part the strips.
    const int ruleY = 30, stripsRight = kStripW * kChannels - 4;
    Text(c, "INPUTS", 8, ruleY - 3, kTitle);
    for (int i = 8 + TextWidth("INPUTS") + 4; i <= stripsRight; ++i) c.set(i, ruleY, kBoxEdge);
    for (int ch = 0; ch < kChannels; ++ch) {
        TextCentred(c, std::to_string(ch + 1), ch * kStripW, kStripW - 2, 37, kLabel);
        if (ch + 1 < kChannels) ChannelSeam(c, ch * kStripW + kStripW - 2, 35, c.height());
    }
    return c.saveBmp(path(dir, "back322.bmp"));
}

// ---------------------------------------------------------------- settings

// The settings panel's own top-left corner on the panel.
const int kSideX = kStripW * kChannels, kSideY = 47;
Box Side(int x, int y, int w, int h) { return Box{x - kSideX, y - kSideY, w, h}; }

bool SidePanel(const std::string& dir) {
    Canvas c(220, 265, kPanel);
    const Place left = Place::kLeft, above = Place::kAbove, right = Place::kRight;

    // Input: what the converters take in, and how hot.
    Group(c, 1, 3, 116, 54, "INPUT");
    Controls(c, {
        {"SOURCE", Side(818, 55, 68, 10), left, true},
        {"LEVEL", Side(818, 70, 68, 10), left, true},
        {"LIMIT", Side(818, 85, 68, 10), left, true},
    });

    // Meters: how long a peak stays, and the key that lets go of it.
    Group(c, 1, 66, 116, 121, "METERS");
    Controls(c, {
        {"HOLD", Side(818, 134, 68, 10), left, true},
        {"RESET", Side(872, 149, 13, 10), left, false},
    });

    // Clock: where it comes from, its rate, and the word clock.
    Group(c, 119, 3, 218, 121, "CLOCK");
    Controls(c, {
        {"SOURCE", Side(908, 70, 72, 10), above, true},
        {"FREQ", Side(908, 100, 40, 10), above, true},
        {"RANGE", Side(957, 100, 24, 10), above, true},
        {"FOLLOW", Side(966, 119, 20, 10), left, false},
        {"WCK SS", Side(966, 134, 20, 10), left, false},
        {"WCK", Side(968, 149, 13, 10), left, false},
    });

    // Output: level and volume, and the switches that shape them. The
    // caption of the switch beside the volume and that of the direct-level
    // switch share one row, too short for both spelt out: the latter reads
    // "DIR".
    Group(c, 1, 132, 218, 194, "OUTPUT");
    Controls(c, {
        {"LEVEL", Side(818, 198, 68, 10), left, true},
        {"VOLUME", Side(818, 213, 48, 10), left, true},
        {"GLOBAL", Side(870, 213, 20, 10), right, false},
        {"TRIM", Side(966, 198, 20, 10), left, false},
        {"DIR", Side(966, 213, 20, 10), left, false},
        {"FX DRIVE", Side(946, 228, 40, 10), left, true},
    });

    // Digital: the input, the clock state of each digital input, and the
    // meters' mode.
    Group(c, 1, 194, 218, 262, "DIGITAL");
    const Box aes = Side(818, 262, 13, 10), adat = Side(818, 277, 13, 10);
    Controls(c, {
        {"DIG IN", Side(818, 247, 68, 10), left, true},
        {"DELAY C.", Side(966, 247, 20, 10), left, false},
        {"AUTO ID", Side(966, 262, 20, 10), left, false},
        {"AES", aes, left, false},
        {"ADAT", adat, left, false},
        {"OPT", Side(818, 292, 14, 10), left, false},
        {"METER", Side(908, 292, 72, 10), left, true},
    });
    // The lamps carry their own numbers.
    return c.saveBmp(path(dir, "back321.bmp"));
}

bool DrawOmbrelArt(const std::string& dir) {
    bool ok = true;
    for (auto draw : {Header, InputStrip, OutputStrip, Divider, SidePanel}) ok = draw(dir) && ok;
    return ok;
}

Register reg("ombrel", DrawOmbrelArt);

}  // namespace

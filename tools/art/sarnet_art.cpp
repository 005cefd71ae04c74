// The Sarnet converter art: the front panel (297) of the 64-channel MADI/AES
// converter, its channel lamps in three rows over the settings of the MADI
// input, the AES side, the word clock, the clock, the MADI output, the
// serial port and the key lock.
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

const Place kLeft = Place::kLeft, kAbove = Place::kAbove;
const std::string kModel = "SARNET";

// Each lamp stands for a pair of channels, so 32 lamps cover the 64
// channels; they come in four groups of eight with a wider gap between
// groups, each row of them 10 high.
const int kLampsPerGroup = 8, kGroups = 4, kLampW = 12, kLampH = 10;
const int kLampPitch = 19, kGroupPitch = 153, kFirstLamp = 68;
const int kMadiInRow = 39, kMadiOutRow = 49, kAesRow = 69;

int LampX(int k) { return kFirstLamp + kGroupPitch * (k / kLampsPerGroup) + kLampPitch * (k % kLampsPerGroup); }
int GroupRight(int g) { return LampX(g * kLampsPerGroup + kLampsPerGroup - 1) + kLampW - 1; }

// The cards of the settings along the bottom share one top and one bottom.
const int kCardTop = 113, kCardBottom = 166;

void ChannelLamps(Canvas& c) {
    Group(c, 3, 23, 736, 87, "");

    // The same column is the same pair of channels in every row, so one set
    // of heads over the top row numbers all three.
    const int headY = 28;
    for (int g = 0; g < kGroups; ++g) {
        const int first = 2 * kLampsPerGroup * g + 1, last = first + 2 * kLampsPerGroup - 1;
        SpanTitle(c, std::to_string(first) + "-" + std::to_string(last), LampX(g * kLampsPerGroup), GroupRight(g),
                  headY, kTitle);
    }
    TextRight(c, "CH", kFirstLamp - 4, headY, kLabel);

    const Box madiIn{kFirstLamp, kMadiInRow, kLampW, kLampH};
    const Box madiOut{kFirstLamp, kMadiOutRow, kLampW, kLampH};
    const Box aes{kFirstLamp, kAesRow, kLampW, kLampH};
    Caption(c, "MADI IN", madiIn, kLeft);
    Caption(c, "MADI OUT", madiOut, kLeft);
    Caption(c, "AES", aes, kLeft);

    // The two MADI rows stand flush; a groove in the gap under them parts
    // them from the AES row.
    const int gapMiddle = (kMadiOutRow + kLampH + kAesRow) / 2 - 1;
    GrooveAcross(c, 5, 734, gapMiddle);
}

// The AES side and the word clock input: whether the input is taken, and
// whether it runs at quad or double speed, a column of three lamps. The
// speed lamps print QS and DS; their captions spell them out.
void SpeedCard(Canvas& c, int left, int right, const std::string& title, const char* taken, int lampX) {
    Group(c, left, kCardTop, right, kCardBottom, title);
    Controls(c, {
        {taken, {lampX, 121, 13, 10}, kLeft, false},
        {"QUAD", {lampX, 136, 13, 10}, kLeft, false},
        {"DOUBLE", {lampX, 151, 13, 10}, kLeft, false},
    });
}

void Settings(Canvas& c) {
    // MADI input: the connector keys print BNC and OPT themselves, so the
    // head over them only says what they choose; the state and the format
    // the input carries.
    Group(c, 3, kCardTop, 165, kCardBottom, "MADI INPUT");
    Controls(c, {
        {"PORT", {10, 136, 24, 10}, kAbove, false},
        {"STATE", {46, 136, 40, 10}, kAbove, true},
        {"FORMAT", {95, 136, 64, 10}, kAbove, true},
    });
    Field(c, Box{95, 151, 64, 10});

    SpeedCard(c, 169, 249, "AES", "SYNC", 215);
    SpeedCard(c, 253, 356, "WORD CLOCK", "LOCK", 315);

    // Clock: the source, the unit's own rate with its range beside it, and
    // whether the rate follows the source.
    Group(c, 360, kCardTop, 516, kCardBottom, "CLOCK");
    Controls(c, {
        {"SOURCE", {429, 121, 70, 10}, kLeft, true},
        {"FREQ", {429, 136, 40, 10}, kLeft, true},
        {"FOLLOW", {480, 151, 20, 10}, kLeft, false},
    });
    Field(c, Box{475, 136, 24, 10});

    // MADI output: the format it sends.
    Group(c, 520, kCardTop, 616, kCardBottom, "MADI OUTPUT");
    Controls(c, {{"FORMAT", {537, 136, 64, 10}, kAbove, true}});
    Field(c, Box{537, 151, 64, 10});

    // The serial port's traffic lamps.
    Group(c, 620, kCardTop, 679, kCardBottom, "RS232");
    Controls(c, {
        {"RX", {651, 136, 13, 10}, kLeft, false},
        {"TX", {651, 151, 13, 10}, kLeft, false},
    });

    // The key that locks the unit's own keys; it prints KEYS itself.
    Group(c, 683, kCardTop, 736, kCardBottom, "LOCK");
}

bool FrontPanel(const std::string& dir) {
    Canvas c = Panel(740, 171);

    BrandLine(c, kModel, "64-CHANNEL MADI/AES CONVERTER", 8, 9, 735);

    ChannelLamps(c);
    Settings(c);
    return c.saveBmp(path(dir, "back297.bmp"));
}

Register reg("sarnet", FrontPanel);

}  // namespace

// The Brisal preamp art: the header band over the panel (338), the backs of
// the microphone channels in the normal layout (336 for channels 1 to 4, 335
// for 5 to 8) and in the slim one (341, 342), the backs of the two phones
// outputs in either layout (337, 340), and the options band under them all
// (339).
//
// The view paints its controls over these backgrounds, so each caption sits
// beside or above its control, and a field only gets a sunken rim. The boxes
// below are where the view puts its controls, relative to the bitmap they
// are drawn on. The backs start on row 47 of the panel in the normal layout
// and on row 25 in the slim one, so whatever the header shows under row 25
// is seen in the normal layout only; the options band is seen in either
// layout once the options are switched on.
#include <string>

#include "art.h"
#include "label_art.h"

using namespace art;
using namespace labelart;

namespace {

const Place kLeft = Place::kLeft, kAbove = Place::kAbove, kRight = Place::kRight;

const std::string kModel = "BRISAL";

// Eight channels and two phones outputs, each a back 106 pixels wide.
const int kBackW = 106, kChannels = 8, kPhones = 2;
const int kPanelW = kBackW * (kChannels + kPhones);
const int kPhonesX = kBackW * kChannels;
const int kNormalBackH = 179, kSlimBackH = 100;

// ---------------------------------------------------------------- backs

// The gain and the volume are the largest numbers on the panel, so their
// rims are set a pixel deeper than the other fields'.
void DeepField(Canvas& c, const Box& b) {
    const Rgb dark = mix(kRecessDark, kPanel, 0.5), light = mix(kRecessLight, kPanel, 0.5);
    for (int x = b.x - 2; x <= b.x + b.w + 1; ++x) {
        c.set(x, b.y - 2, dark);
        c.set(x, b.y + b.h + 1, light);
    }
    for (int y = b.y - 2; y <= b.y + b.h + 1; ++y) {
        c.set(b.x - 2, y, dark);
        c.set(b.x + b.w + 1, y, light);
    }
    Field(c, b);
}

// The head of a back in either layout: the list or name on top, the small
// field under it with its caption on its left, and the large number below.
// The large number's name stands over it in the titles' colour, on the row
// of the small field's caption; it starts over the deeper rim so that a few
// pixels of air part it from that caption.
void BackHead(Canvas& c, const Control& top, const Control& small, const Box& large, const char* largeName) {
    Controls(c, {top, small});
    Text(c, largeName, large.x - 2, CaptionY(small.box.y), kTitle);
    DeepField(c, large);
}

// The switches of a back stand in one column right of the meter, each with
// its caption on its right; the column leaves room for five letters.
void Switches(Canvas& c, int top, std::initializer_list<const char*> captions) {
    int y = top;
    for (const char* caption : captions) {
        Caption(c, caption, Box{53, y, 13, 10}, kRight);
        y += 15;
    }
}

// The meter's well with its ticks; in the normal layout the meter is long
// enough to carry its name up its left.
void Meter(Canvas& c, const Box& level, bool named) {
    Well(c, level);
    Ticks(c, level, -1, LevelColour);
    if (named) SpanTitleUp(c, "LEVEL", 5, level.y, level.y + level.h - 1, kLabel);
}

// The groove at a back's right edge that, repeated, parts the channels.
void Seam(Canvas& c) { GrooveDown(c, kBackW - 2, 0, c.height() - 1); }

// A back is blitted once per channel on every paint, so it is written with
// 32 bits per pixel, the screen's format. The banks of channels 1 to 4 and 5
// to 8 have a back each; they print the same. Under the meter, right of it,
// the channel's number plate goes at run time.
bool ChannelBack(const std::string& dir, int id) {
    Canvas c(kBackW, kNormalBackH, kPanel);
    BackHead(c, {"", {13, 8, 80, 10}, kLeft, true}, {"GRP", {59, 23, 34, 10}, kLeft, true}, Box{13, 38, 80, 24},
             "GAIN");
    Meter(c, Box{27, 71, 20, 96}, true);
    Switches(c, 71, {"48V", "PAD", "AUTO", "PHASE", "MUTE"});
    Seam(c);
    return Save32(c, path(dir, "back" + std::to_string(id) + ".bmp"));
}

// The slim layout shows the meter's top three segments and the first two
// switches.
bool SlimChannelBack(const std::string& dir, int id) {
    Canvas c(kBackW, kSlimBackH, kPanel);
    BackHead(c, {"", {13, 7, 80, 10}, kLeft, true}, {"GRP", {59, 22, 34, 10}, kLeft, true}, Box{13, 37, 80, 24},
             "GAIN");
    Meter(c, Box{27, 68, 20, 24}, false);
    Switches(c, 68, {"48V", "PAD"});
    Seam(c);
    return Save32(c, path(dir, "back" + std::to_string(id) + ".bmp"));
}

// A phones output: its source, its balance, its volume and its meter. The
// balance's caption leaves the volume's name only three letters.
bool PhonesBack(const std::string& dir) {
    Canvas c(kBackW, kNormalBackH, kPanel);
    BackHead(c, {"SRC", {29, 8, 68, 10}, kLeft, true}, {"BAL", {53, 23, 44, 10}, kLeft, true}, Box{9, 38, 88, 24},
             "VOL");
    Meter(c, Box{27, 71, 20, 96}, true);
    Switches(c, 71, {"MUTE", "HIGH", "PH L", "PH R"});
    Seam(c);
    return Save32(c, path(dir, "back337.bmp"));
}

bool SlimPhonesBack(const std::string& dir) {
    Canvas c(kBackW, kSlimBackH, kPanel);
    BackHead(c, {"SRC", {29, 7, 68, 10}, kLeft, true}, {"BAL", {53, 22, 44, 10}, kLeft, true}, Box{9, 37, 88, 24},
             "VOL");
    Meter(c, Box{27, 68, 20, 24}, false);
    Switches(c, 68, {"MUTE", "HIGH"});
    Seam(c);
    return Save32(c, path(dir, "back340.bmp"));
}

// ---------------------------------------------------------------- header

bool Header(const std::string& dir) {
    Canvas c(kPanelW, 48, kPanel);

    // The device row: which unit and its state, the panel's own switches,
    // the presets, and the lamps of the clock inputs it is locked to. Store
    // and recall print their own names.
    const RowControl state{"STATE", 243, 60, true}, noGang{"NO GANG", 416, 13, false};
    DeviceRow(c, kPanelW, {
        {"ID", 55, 20, true},
        {"NAME", 110, 90, true},
        state,
        noGang,
        {"PEAK HOLD", 493, 14, false},
        {"OPTIONS", 560, 13, false},
        {"SLIM", 611, 13, false},
        {"PRESET", 688, 34, true},
        {"WCK", 884, 13, false},
        {"AES", 934, 13, false},
        {"ADAT", 984, 13, false},
        {"MADI", 1034, 13, false},
    });

    // The maker over the model, between rules in the free span after the
    // state: the one place on the row wide enough, and seen in both layouts.
    const int spanLeft = state.x + state.w + 1, spanRight = noGang.x - 4 - TextWidth(noGang.caption);
    const int width = TextWidth(kModel), x = spanLeft + (spanRight - spanLeft - width) / 2;
    for (int y = 5; y <= 18; ++y) {
        c.set(x - 7, y, kBoxEdge);
        c.set(x + width + 6, y, kBoxEdge);
    }
    TextCentred(c, "TESMER", x, width, 4, kLabel);
    Text(c, kModel, x, 13, kBrand);

    // Under the device row, seen in the normal layout only: heads over the
    // channels and over the phones.
    const int headY = 31;
    SpanTitle(c, "MICROPHONE INPUTS", 4, kPhonesX - 6, headY, kTitle);
    SpanTitle(c, "PHONES", kPhonesX + 2, kPanelW - 4, headY, kTitle);
    return c.saveBmp(path(dir, "back338.bmp"));
}

// ---------------------------------------------------------------- options

// The band's control rows, and the cards that hold them: tops and bottoms
// shared, titles on the top edges, heads of columns on the row over the
// first control.
const int kRows[] = {29, 44, 59, 74};
const int kCardTop = 10, kCardBottom = 88, kHeadY = 18;

Control Row(const char* caption, int x, int row, int w, bool field) {
    return Control{caption, Box{x, kRows[row], w, 10}, kLeft, field};
}

// Which source feeds each digital output. The MADI outputs' and the
// recording channels' captions are too long for the gaps between the
// columns with their names spelt out, so a head over the columns names
// them and the captions give only the channels.
void Routing(Canvas& c) {
    Group(c, 3, kCardTop, 530, kCardBottom, "ROUTING");
    Controls(c, {
        Row("ADAT", 57, 0, 70, true),
        Row("ADAT 2", 57, 1, 70, true),
        Row("AES", 57, 2, 70, true),
    });
    const char* madi[] = {"1-8", "9-16", "17-24", "25-32", "33-40", "41-48", "49-56", "57-64"};
    for (int k = 0; k < 8; ++k) Controls(c, {Row(madi[k], k < 4 ? 189 : 321, k % 4, 70, true)});
    Controls(c, {
        Row("9-16", 453, 0, 70, true),
        Row("17-24", 453, 1, 70, true),
    });
    const int captionW = TextWidth("17-24") + 4;
    SpanTitle(c, "MADI", 189 - captionW, 321 + 70, kHeadY, kLabel);
    SpanTitle(c, "REC", 453 - captionW, 453 + 70, kHeadY, kLabel);
}

// The delay compensation over the MADI format: the rows between are too
// close for a rule to part them, so the title names both.
void DelayAndFormat(Canvas& c) {
    Group(c, 537, kCardTop, 657, kCardBottom, "DELAY COMP / MADI");
    Controls(c, {
        Row("TYPE", 598, 0, 52, true),
        Row("ID", 623, 1, 27, true),
        Row("CHANNELS", 598, 2, 52, true),
        Row("FRAME", 598, 3, 52, true),
    });
}

void Clock(Canvas& c) {
    Group(c, 664, kCardTop, 791, kCardBottom, "CLOCK");
    Controls(c, {
        Row("SOURCE", 744, 0, 40, true),
        Row("RATE", 734, 1, 50, true),
        Row("WCK SS", 771, 2, 13, false),
        Row("TERM", 771, 3, 13, false),
    });
}

// The inputs the unit takes its remote control from.
void Midi(Canvas& c) {
    Group(c, 798, kCardTop, 923, kCardBottom, "MIDI");
    Controls(c, {
        Row("USB 1", 856, 0, 60, true),
        Row("USB 2", 856, 1, 60, true),
        Row("DIN", 856, 2, 60, true),
        Row("MADI", 856, 3, 60, true),
    });
}

// Four gain groups in rows, each with the switch that turns it on and the
// one for AS, the two columns headed by their names.
void GainGroups(Canvas& c) {
    Group(c, 930, kCardTop, kPanelW - 4, kCardBottom, "GAIN GROUPS");
    for (int row = 0; row < 4; ++row) {
        const std::string name = "GROUP " + std::to_string(row + 1);
        Caption(c, name, Box{980, kRows[row], 13, 10}, kLeft);
    }
    Caption(c, "ON", Box{980, kRows[0], 13, 10}, kAbove);
    Caption(c, "AS", Box{1024, kRows[0], 13, 10}, kAbove);
}

// The band hangs under the backs in either layout; a groove along its top
// parts it from them as theirs part the channels.
bool Options(const std::string& dir) {
    Canvas c(kPanelW, 94, kPanel);
    GrooveAcross(c, 0, kPanelW - 1, 0);
    Routing(c);
    DelayAndFormat(c);
    Clock(c);
    Midi(c);
    GainGroups(c);
    return c.saveBmp(path(dir, "back339.bmp"));
}

bool DrawBrisalArt(const std::string& dir) {
    bool ok = Header(dir);
    ok = ChannelBack(dir, 336) && ok;
    ok = ChannelBack(dir, 335) && ok;
    ok = SlimChannelBack(dir, 341) && ok;
    ok = SlimChannelBack(dir, 342) && ok;
    ok = PhonesBack(dir) && ok;
    ok = SlimPhonesBack(dir) && ok;
    ok = Options(dir) && ok;
    return ok;
}

Register reg("brisal", DrawBrisalArt);

}  // namespace

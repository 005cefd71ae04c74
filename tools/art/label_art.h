// What the device panels print on their backgrounds: the colours of the
// panel, its cards and its captions, captions in the 5 x 7 design, titled
// cards, the sunken rims round the fields that the views fill in, the
// captions of the controls, placed by the boxes the views give them, the
// grooves, guides and span titles that part and head a panel's regions, the
// wells and ticks of the level meters, and the maker's name beside a model's.
#pragma once
#include <initializer_list>
#include <string>

#include "art.h"

namespace labelart {

const art::Rgb kPanel = art::rgb(38, 44, 50);
const art::Rgb kPanelEdge = art::rgb(66, 77, 91);
const art::Rgb kBox = art::rgb(44, 51, 59);
const art::Rgb kBoxEdge = art::rgb(70, 82, 97);
const art::Rgb kTitle = art::rgb(132, 184, 236);
const art::Rgb kLabel = art::rgb(166, 176, 188);
const art::Rgb kBrand = art::rgb(250, 190, 90);
const art::Rgb kRecessDark = art::rgb(18, 21, 25);
const art::Rgb kRecessLight = art::rgb(84, 97, 112);
// The ground of a field; the views paint their text fields on the same.
const art::Rgb kField = art::rgb(32, 38, 44);

const int kAdvance = 6;   // the 5 x 7 design and one column of space

// A panel's ground, framed by its one-pixel edge.
art::Canvas Panel(int width, int height);

int TextWidth(const std::string& text);
void Text(art::Canvas& c, const std::string& text, int x, int y, art::Rgb ink);
void TextRight(art::Canvas& c, const std::string& text, int right, int y, art::Rgb ink);
void TextCentred(art::Canvas& c, const std::string& text, int left, int width, int y, art::Rgb ink);

// A caption glyph row sits one pixel below the top of a 10-pixel control.
inline int CaptionY(int controlY) { return controlY + 1; }

// A slightly raised card with a one-pixel edge and soft corners, its title
// set into the top edge; titleX < 0 puts the title near the left corner.
void Group(art::Canvas& c, int left, int top, int right, int bottom, const std::string& title, int titleX = -1);

// The sunken rim round the field (x, y, w, h); the field itself gets the
// ground that the view's glyphs are drawn on.
void Recess(art::Canvas& c, int x, int y, int w, int h);

// Where a view puts a control, in the background's coordinates.
struct Box {
    int x, y, w, h;
};

inline void Field(art::Canvas& c, const Box& b) { Recess(c, b.x, b.y, b.w, b.h); }

// Where a control's caption goes. On the left it ends four pixels short of
// the control (its rim and two pixels of air); above, it leaves two rows of
// air over the rim; on the right it starts three pixels past the control.
enum class Place { kLeft, kAbove, kRight };

void Caption(art::Canvas& c, const std::string& text, const Box& b, Place place);

// A control as the background prints it: its caption, and a sunken rim if
// it is a field (a list or a text) rather than a lamp or a switch.
struct Control {
    const char* caption;
    Box box;
    Place place;
    bool field;
};

void Controls(art::Canvas& c, std::initializer_list<Control> controls);

// The device row across the top of a panel: a plain card, and on its one
// line the controls that say which unit it is and how it stands, each with
// its caption on its left.
const int kDeviceRowY = 8;
struct RowControl {
    const char* caption;
    int x, w;
    bool field;
};

void RowControls(art::Canvas& c, std::initializer_list<RowControl> controls);
void DeviceRow(art::Canvas& c, int width, std::initializer_list<RowControl> controls);

// The level meters' colours, from the top segment down, and the ground of
// their wells.
const art::Rgb kMeterRed = art::rgb(246, 64, 52);
const art::Rgb kMeterYellow = art::rgb(244, 214, 60);
const art::Rgb kMeterGreen = art::rgb(64, 232, 104);
const art::Rgb kMeterGround = art::rgb(20, 23, 27);

// The colour of a level meter's eight-row segment, counted from the top:
// red at the top, two yellow, green below.
art::Rgb LevelColour(int segment);

// The well a meter sits in, two pixels deep: a dark rim at the top and left,
// a lit one at the bottom and right, the outer ring of each softer.
void Well(art::Canvas& c, const Box& b);

// A tick at the middle of each eight-row segment of a meter, `side` < 0 on
// its left and > 0 on its right, coloured like the segment it points at.
void Ticks(art::Canvas& c, const Box& b, int side, art::Rgb (*colourOf)(int segment));

// A groove: shade on one side, light on the other, like the fields' rims;
// across the panel from left to right on row y, or down it on column x.
void GrooveAcross(art::Canvas& c, int left, int right, int y);
void GrooveDown(art::Canvas& c, int x, int top, int bottom);

// The faint lines of a grid: faint enough to leave the lamps the brightest
// thing on the panel, clear enough to follow a row from its name to its
// crosspoints.
const art::Rgb kGuide = art::mix(kPanel, kPanelEdge, 0.45);

// A title over a span of controls: centred, with a rule out to either end
// of the span and a short tick down at each end, so that it reads as the
// head of everything under it.
void SpanTitle(art::Canvas& c, const std::string& title, int left, int right, int y, art::Rgb ink);

// The same down the left of a span of rows, the text turned to read from
// the bottom up as the views' vertical names do, its glyphs' tops at x.
void SpanTitleUp(art::Canvas& c, const std::string& title, int x, int top, int bottom, art::Rgb ink);

// The maker's name and then the model's, the model in the brand colour.
void Brand(art::Canvas& c, const std::string& model, int x, int y);
int BrandWidth(const std::string& model);

// The head line of a panel: the maker, the model and what the unit does,
// then a groove out to `right`, so the line reads as the head of everything
// under it.
void BrandLine(art::Canvas& c, const std::string& model, const std::string& what, int x, int y, int right);

// Writes 32 bits per pixel, the format of the screen and of the panels'
// memory bitmaps, for art that is blitted often or loaded again and again.
bool Save32(const art::Canvas& c, const std::string& file);

}  // namespace labelart

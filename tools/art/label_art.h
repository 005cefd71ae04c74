// What the device panels print on their backgrounds: the colours of the
// panel, its cards and its captions, captions in the 5 x 7 design, titled
// cards, and the sunken rims round the fields that the views fill in.
#pragma once
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

// Writes 32 bits per pixel, the format of the screen and of the panels'
// memory bitmaps, for art that is blitted often or loaded again and again.
bool Save32(const art::Canvas& c, const std::string& file);

}  // namespace labelart

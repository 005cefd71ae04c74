// The panel's bitmap fonts: one 5 x 7 design (with two rows of descenders)
// for every character from 32 to 126, drawn pixel for pixel into the small
// glyph strips and as smooth strokes into the large one; and a 3 x 5 face for
// the captions on LEDs and buttons.
#pragma once
#include <string>

#include "art.h"

namespace panelart {

// The design of a character: rows 0..6 are the body, 7..8 the descender.
// Returns false for characters outside 32..126.
bool GlyphPixel(int ch, int col, int row);
const int kGlyphCols = 5;
const int kGlyphRows = 9;

// Draws one character of the design as anti-aliased strokes that join the
// centres of neighbouring pixels. (ox, oy) is the place of pixel (0, 0),
// (sx, sy) the distance between pixel centres, radius the pen half-width.
void DrawStrokeGlyph(art::Canvas& c, int ch, double ox, double oy, double sx, double sy, double radius,
                     art::Rgb colour);

// Caption text in the 3 x 5 face, top-left at (x, y); returns its width.
int CaptionWidth(const std::string& text);
void DrawCaption(art::Canvas& c, const std::string& text, int x, int y, art::Rgb colour);

}  // namespace panelart

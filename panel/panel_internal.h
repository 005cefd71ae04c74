// Arithmetic and text rules that several parts of the engine share.
#pragma once
#include <cstddef>
#include <vector>

#include "panel/panel.h"

namespace panel {

// Limits a value to the control's range, first against max, then against
// min (so min wins when min > max). Written so that a NaN comes out as max.
double Clamp(double value, const PanelControl& c);

// Snaps a value to the control's step grid; step 2 on an odd min gives the
// odd numbers. A step of 0 leaves the value as it is.
double Quantise(double value, const PanelControl& c);

// A double to int by truncation, saturated at the int limits (NaN gives 0),
// so values from outside can never make the conversion undefined.
int TruncToInt(double value);

// The value as "%.10lf" cut to the control's decimals (truncated, not
// rounded). Returns the cut position. out must hold kNumberText bytes.
const size_t kNumberText = 400;
size_t FormatCut(double value, int decimals, char* out);

// The text that the panel shows for a number control (types 1, 2, 34).
// alwaysUnitPart: the blinking form, " %s " even with an empty unit.
void NumberText(const PanelControl& c, bool alwaysUnitPart, char* out);

// Entry of the control's list, copied with its 30-byte bound; "" when the
// control has no list or the index is negative. out holds kEntryText bytes.
const size_t kEntryText = PANEL_LIST_ENTRY + 1;
void ListEntryText(const PanelControl& c, int index, char* out);
// The text a control of types 4 to 8 shows: the entry of the value, and for
// the text types 7 and 8 always the text at the list pointer.
void ShownListText(const PanelControl& c, char* out);

// A control's name and unit, bounded by their fields.
size_t NameLength(const PanelControl& c);
size_t UnitLength(const PanelControl& c);

struct Pixels;

// Glyph of a character in a strip: blank for codes outside 32..126.
int GlyphIndex(char ch);
// Glyph width of horizontal text in a control h pixels high.
int HorizontalGlyphWidth(int h);
// Lays glyphs g x gh from a strip right to left, the last character at
// `right`. clipAndFill: cells go on with blanks until they pass `left`, the
// last one cut at it; otherwise only the text's own glyphs are drawn. A grey
// brush fills each cell before the glyph is combined with rop.
void DrawGlyphRow(HDC dc, const Pixels* strip, const char* text, int right, int left, int top, int g, int gh,
                  DWORD rop, bool clipAndFill, HBRUSH grey);

// Painting of the bar, meter, scale, slider and knob types. prev is the
// control before c in the array (the bar a peak segment rides on), or null.
void BlitMeter(HDC dc, PanelControl* c, const PanelControl* prev, int length, int segment);
void PaintSegmentIndicator(HDC dc, PanelControl* c);
void PaintPlainBar(HDC dc, PanelControl* c);
void PaintDbMeter(HDC dc, PanelControl* c);
void PaintDbDot(HDC dc, PanelControl* c);
void PaintPeakHorizontal(HDC dc, PanelControl* c);
void PaintScale(HDC dc, PanelControl* c);
void PaintLabels(HDC dc, PanelControl* c);   // types 23 and 35
void PaintSlider(HDC dc, PanelControl* c, const PanelControl& background);
void PaintKnob(HDC dc, PanelControl* c, const PanelControl& background);

// A bitmap's pixels as 0x00RRGGBB, bottom row first as in a DIB (that way
// every GDI call reads the source rows alike). They are kept for the
// life of the program once loaded (until the loader changes): painting after
// a free of the bitmap cache then costs no loading and no GDI object.
// Null when the bitmap is not available.
struct Pixels {
    int w = 0, h = 0;
    std::vector<DWORD> argb;
    DWORD at(int x, int y) const { return argb[size_t(h - 1 - y) * size_t(w) + size_t(x)]; }
};
const Pixels* BitmapPixels(HDC dc, int bitmapId);
// Copies w x h pixels from (sx, sy) of the source to (x, y) with rop, clipped
// to the source as a blit from a memory context is.
void BlitPixels(HDC dc, int x, int y, int w, int h, const Pixels* source, int sx, int sy, DWORD rop);
// The GDI objects the bitmap cache holds, for the tests.
int HeldBitmapObjects();

}  // namespace panel

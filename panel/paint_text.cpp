// The bitmap font: glyph strips with one glyph per character from 32 (blank)
// to 126, the glyph of character c at x = (c - 32) * glyph width.
#include <cstring>
#include <vector>

#include "panel/panel.h"
#include "panel/panel_internal.h"

namespace panel {

int GlyphIndex(char ch) {
    unsigned char c = static_cast<unsigned char>(ch);
    // Control characters and bytes above 126 have no glyph in the strips;
    // they show as blanks rather than as whatever lies outside the strip.
    return (c >= 32 && c <= 126) ? c - 32 : 0;
}

int HorizontalGlyphWidth(int h) {
    // 10 gives 6 and 20 gives 12 by the rule; the large font is wider.
    if (h == 24) return 14;
    return (h / 5) * 3;
}

void DrawGlyphRow(HDC dc, const Pixels* strip, const char* text, int right, int left, int top, int g, int gh,
                  DWORD rop, bool clipAndFill, HBRUSH grey) {
    if (g <= 0) return;
    const int n = int(std::strlen(text));
    for (int k = 0;; ++k) {
        int cellRight = right - k * g;
        if (clipAndFill ? cellRight <= left : k >= n) break;
        int cellX = cellRight - g;
        int source = GlyphIndex(k < n ? text[n - 1 - k] : ' ') * g;
        int width = g;
        if (clipAndFill && cellX < left) {
            source += left - cellX;
            width -= left - cellX;
            cellX = left;
        }
        if (grey) {
            RECT cell{cellX, top, cellX + width, top + gh};
            FillRect(dc, &cell, grey);
        }
        if (strip) BlitPixels(dc, cellX, top, width, gh, strip, source, 0, rop);
    }
}

}  // namespace panel

namespace {

// Vertical text reads from bottom to top: the glyphs are laid out left to
// right as in a scratch copy of the strip (its own column 0, then cell k at
// column 1 + k * g), and that row is turned a quarter turn into the control:
// target pixel (x + c, y + i) shows scratch pixel (h - 1 - i, c). The scratch
// is composed in memory from the cached strip, which is never drawn into, so
// it is the fresh copy without loading one for every label.
void DrawVerticalText(HDC dc, PanelControl* c, const char* text) {
    const int g = (c->w / 5) * 3;
    const int w = c->w, h = c->h;
    if (g <= 0 || h <= 0) return;
    const panel::Pixels* strip = panel::BitmapPixels(dc, c->bitmap);
    if (!strip) return;
    const bool grey = (c->flags & (PANEL_GREYED | PANEL_GREY_FILL)) != 0;
    const int n = int(std::strlen(text));
    std::vector<DWORD> turned(size_t(w) * size_t(h));
    for (int i = 0; i < h; ++i) {
        const int sx = h - 1 - i;   // scratch column
        int source = 0;
        if (sx > 0) {
            const int k = (sx - 1) / g;
            source = panel::GlyphIndex(k < n ? text[k] : ' ') * g + (sx - 1) % g;
        }
        for (int col = 0; col < w; ++col) {
            // A strip smaller than the label shows its blank corner there.
            DWORD p = (source < strip->w && col < strip->h) ? strip->at(source, col) : strip->at(0, 0);
            if (grey && sx > 0) p &= 0xA0A0A0;   // the cell's grey fill AND the glyph
            turned[size_t(i) * w + col] = p;
        }
    }
    BITMAPINFO bi{};
    bi.bmiHeader.biSize = sizeof(bi.bmiHeader);
    bi.bmiHeader.biWidth = w;
    bi.bmiHeader.biHeight = -h;
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    bi.bmiHeader.biCompression = BI_RGB;
    SetDIBitsToDevice(dc, c->x, c->y, DWORD(w), DWORD(h), 0, 0, 0, UINT(h), turned.data(), &bi, DIB_RGB_COLORS);
}

}  // namespace

void PanelDrawText(HDC dc, PanelControl* c, const char* text) {
    if (!dc || !c || !text) return;
    if (c->flags & PANEL_VERTICAL) {
        DrawVerticalText(dc, c, text);
        return;
    }
    const int g = panel::HorizontalGlyphWidth(c->h);
    // A control too small for one glyph would never pass its left edge.
    if (g <= 0) return;
    const panel::Pixels* strip = panel::BitmapPixels(dc, c->bitmap);
    HBRUSH grey = nullptr;
    if (c->flags & (PANEL_GREYED | PANEL_GREY_FILL)) grey = CreateSolidBrush(RGB(160, 160, 160));
    panel::DrawGlyphRow(dc, strip, text, c->x + c->w, c->x, c->y, g, c->h, grey ? SRCAND : SRCCOPY, true, grey);
    if (grey) DeleteObject(grey);
}

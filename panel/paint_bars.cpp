// Bars, meters, scales, sliders and knobs. Bars and peak segments remember
// in lastLength what they drew, so a repaint touches only the band between
// the old and the new length.
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>

#include "panel/panel.h"
#include "panel/panel_internal.h"

namespace {

// The step as the integer segment size. Below 1 it cannot divide, and the
// control shows its empty state.
int Segment(const PanelControl& c) { return panel::TruncToInt(c.step); }

// A painted range needs max above min; anything else would divide by zero.
bool HasRange(const PanelControl& c) { return c.max > c.min; }

int Limit(long long v, int lo, int hi) { return int(std::max<long long>(lo, std::min<long long>(v, hi))); }

// Snaps a length to whole segments: s * ((s/2 + L + extra) / s).
long long Snap(int L, int s, int extra) { return (long long)s * ((s / 2 + (long long)L + extra) / s); }

void Blit(HDC dc, int x, int y, int w, int h, const panel::Pixels* source, int sx, int sy, DWORD rop = SRCCOPY) {
    if (!source || w <= 0 || h <= 0) return;
    panel::BlitPixels(dc, x, y, w, h, source, sx, sy, rop);
}

}  // namespace

int PanelBarLength(const PanelControl* c) {
    const int s = Segment(*c);
    if (s < 1 || !HasRange(*c)) return 0;
    int L = RoundToInt((c->value - c->min) * c->h / (c->max - c->min));
    return Limit(Snap(L, s, 1), 0, c->h);
}

int PanelBarLengthInset(const PanelControl* c) {
    const int s = Segment(*c);
    if (s < 1 || !HasRange(*c)) return 0;
    int L = RoundToInt((c->h - 3.0 * c->step) * (c->value - c->min) / (c->max - c->min));
    return Limit(Snap(L, s, 1), 0, c->h);
}

int PanelMeterLength(const PanelControl* c) {
    const int s = Segment(*c);
    if (s < 1 || !HasRange(*c)) return 0;
    // Levels below -20 dB take half the space per dB, below -30 a quarter.
    double v = c->value;
    if (v < -20.0) v = (v + 20.0) * 0.5 - 20.0;
    if (v < -30.0) v = (v + 30.0) * 0.5 - 30.0;
    int L = RoundToInt((c->h - 3 * s) * (v - c->min) / (c->max - c->min));
    return Limit(Snap(L, s, 0), 0, c->h);
}

void PanelBlitBar(HDC dc, PanelControl* c, int length) {
    const panel::Pixels* bm = panel::BitmapPixels(dc, c->bitmap);
    const int x = c->x, y = c->y, w = c->w, h = c->h;
    const int L = Limit(length, 0, h);
    const int old = c->lastLength;
    if (old < 0 || old > h) {
        // Nothing of this bar is on screen yet (or its height changed since).
        Blit(dc, x, y, w, h - L, bm, w, 0);
        Blit(dc, x, y + h - L, w, L, bm, 0, h - L);
    } else if (L < old) {
        Blit(dc, x, y + h - old, w, old - L, bm, w, h - old);
    } else if (L > old) {
        Blit(dc, x, y + h - L, w, L - old, bm, 0, h - L);
    }
    c->lastLength = L;
}

void PanelBlitBarPeak(HDC dc, PanelControl* c, int length, int segment) {
    const panel::Pixels* bm = panel::BitmapPixels(dc, c->bitmap);
    const int x = c->x, y = c->y, w = c->w, h = c->h;
    const int L = Limit(length, 0, h);
    const int old = c->lastLength;
    if (old < 0 || old > h) {
        Blit(dc, x, y, w, h, bm, w, 0);
    } else if (L == old) {
        return;
    } else {
        Blit(dc, x, y + h - old, w, std::min(old, segment), bm, w, h - old);
    }
    Blit(dc, x, y + h - L, w, std::min(L, segment), bm, 0, h - L);
    c->lastLength = L;
}

namespace panel {

void BlitMeter(HDC dc, PanelControl* c, const PanelControl* prev, int length, int segment) {
    const panel::Pixels* bm = panel::BitmapPixels(dc, c->bitmap);
    const int x = c->x, y = c->y, w = c->w, h = c->h;
    const int s = Segment(*c);
    const int L = Limit(length, 0, h);
    const int old = c->lastLength;
    const bool capped = c->type == PANEL_BAR_INSET_PEAK || c->type == PANEL_BAR_DB_PEAK;
    if (L != old && old >= 0 && old <= h) {
        if (prev && prev->lastLength >= old) {
            // The bar has grown over the old segment's place: restore it lit.
            Blit(dc, x, y + h - old, w, std::min(old, segment), bm, 0, h - old);
        } else if (segment < 2 * s && old == h && capped) {
            Blit(dc, x, y + h - old, w, std::min(old, 3 * segment), bm, w, h - old);
        } else {
            Blit(dc, x, y + h - old, w, std::min(old, segment), bm, w, h - old);
        }
    }
    int rows = (segment < 2 * s && L == h && capped) ? std::min(L, 3 * segment) : std::min(L, segment);
    Blit(dc, x, y + h - L, w, rows, bm, 0, h - L);
    c->lastLength = L;
}

void PaintSegmentIndicator(HDC dc, PanelControl* c) {
    const bool six = c->type == PANEL_SEGMENT_CAP6;
    const int h = c->h;
    int L = 0;
    if (HasRange(*c)) {
        int r = RoundToInt((c->value - c->min) * h / (c->max - c->min));
        L = Limit(3LL * ((r + (six ? 3LL : 5LL)) / 3), 0, h);
    }
    const panel::Pixels* bm = panel::BitmapPixels(dc, c->bitmap);
    Blit(dc, c->x, c->y, c->w, h, bm, 10, 0);
    int cap = std::min({L, six ? 6 : 9, h - L + (six ? 4 : 3)});
    Blit(dc, c->x, c->y + h - L, c->w, cap, bm, 0, h - L);
}

void PaintPlainBar(HDC dc, PanelControl* c) {
    const int h = c->h, w = c->w;
    int L = 0;
    if (HasRange(*c)) L = Limit(RoundToInt((c->value - c->min) * h / (c->max - c->min)), 0, h);
    const panel::Pixels* bm = panel::BitmapPixels(dc, c->bitmap);
    Blit(dc, c->x, c->y, w, h - L, bm, 0, 0);
    Blit(dc, c->x, c->y + h - L, w, L, bm, w, h - L);
}

namespace {

// Position of a dB value on the horizontal meter, in 4-pixel steps.
int DbMeterPosition(const PanelControl& c) {
    const double span = c.w - 12;
    const double range = c.max - c.min + 24;
    if (!(range > 0)) return 0;
    int k = RoundToInt((c.value - c.min) * span / range);
    if (c.value > -24.0) k += TruncToInt((c.value - c.min - 56) * span / range);
    return int(std::max<long long>(0, 4LL * ((k + 3LL) / 4)));
}

}  // namespace

void PaintDbMeter(HDC dc, PanelControl* c) {
    int D = DbMeterPosition(*c);
    if (D > c->w || c->value > 0.5) D = c->w;
    const panel::Pixels* bm = panel::BitmapPixels(dc, c->bitmap);
    Blit(dc, c->x, c->y, D, c->h, bm, 0, 0);
    Blit(dc, c->x + D, c->y, c->w - D, c->h, bm, D, 10);
}

void PaintDbDot(HDC dc, PanelControl* c) {
    int D = DbMeterPosition(*c);
    int G = (D > c->w || c->value > 0.5) ? c->w : D;
    int I = c->value > 0.5 ? 9 : 5;
    int left = std::max(0, G - I);
    const panel::Pixels* bm = panel::BitmapPixels(dc, c->bitmap);
    Blit(dc, c->x + left, c->y, std::min(G, I), c->h, bm, left, 0);
}

void PaintPeakHorizontal(HDC dc, PanelControl* c) {
    const int s = Segment(*c);
    const panel::Pixels* bm = panel::BitmapPixels(dc, c->bitmap);
    Blit(dc, c->x, c->y, c->w, c->h, bm, 0, c->h);
    if (s < 1 || !HasRange(*c)) return;
    int k = RoundToInt((c->value - c->min) * c->w / (c->max - c->min));
    k = Limit((long long)s * (k / s + 1LL), 0, c->w);
    int left = std::max(0, k - s);
    Blit(dc, c->x + left, c->y, std::min(k, s), c->h, bm, left, 0);
}

void PaintScale(HDC dc, PanelControl* c) {
    const int s = Segment(*c);
    if (s < 1 || !HasRange(*c)) return;
    const panel::Pixels* strip = panel::BitmapPixels(dc, c->bitmap);
    char label[kNumberText];
    for (double g = std::floor(c->max / s) * s; g >= c->min; g -= c->step) {
        std::snprintf(label, sizeof(label), "%.0lf", g);
        int o = RoundToInt((g - c->max) * c->h / (c->max - c->min));
        DrawGlyphRow(dc, strip, label, c->x + c->w, c->x, c->y - o - 4, 6, 10, SRCPAINT, true, nullptr);
    }
}

void PaintLabels(HDC dc, PanelControl* c) {
    const panel::Pixels* strip = panel::BitmapPixels(dc, c->bitmap);
    const int last = TruncToInt(c->max);
    char text[kEntryText];
    for (int g = 0; g <= last; ++g) {
        ListEntryText(*c, g, text);
        int right = c->x + c->w, top = c->y;
        if (c->type == PANEL_LABELS_VERT) {
            if (c->max != 0) top += TruncToInt(c->h * double(g) / c->max);
        } else if (last > 0) {
            // Centred on its share of the width.
            right = c->x + (c->w * g) / last + (int(std::strlen(text)) * 6) / 2;
        }
        DrawGlyphRow(dc, strip, text, right, 0, top, 6, c->h, SRCPAINT, false, nullptr);
    }
}

namespace {

// Sliders and knobs are drawn over a piece of the panel background.
void RestoreBackground(HDC dc, const PanelControl& c, const PanelControl& background) {
    const int s = Segment(c);
    const panel::Pixels* bg = panel::BitmapPixels(dc, background.bitmap);
    Blit(dc, c.x, c.y - s / 2, c.w, c.h + s, bg, c.x, c.y - s / 2);
}

}  // namespace

void PaintSlider(HDC dc, PanelControl* c, const PanelControl& background) {
    RestoreBackground(dc, *c, background);
    const int s = Segment(*c);
    int p = s / 2;
    if (HasRange(*c)) p += RoundToInt((c->value - c->min) * (c->h - c->step) / (c->max - c->min));
    p = Limit(p, 0, c->h);
    const panel::Pixels* knob = panel::BitmapPixels(dc, c->bitmap);
    Blit(dc, c->x, c->y + c->h - s / 2 - p, c->w, s, knob, 0, 0);
}

void PaintKnob(HDC dc, PanelControl* c, const PanelControl& background) {
    RestoreBackground(dc, *c, background);
    double ratio = HasRange(*c) ? (c->value - c->min) / (c->max - c->min) : 0.0;
    // 270 degrees from the lower left through the top to the lower right.
    double a = (ratio + 0.166666666) * 4.71238898;
    int dx = RoundToInt((1 - std::sin(a)) * 0.5 * c->w);
    int dy = RoundToInt((std::cos(a) + 1) * 0.5 * c->h);
    MoveToEx(dc, c->x + c->w / 2, c->y + c->h / 2, nullptr);
    LineTo(dc, c->x + dx, c->y + dy);
}

}  // namespace panel

void PanelBlitMeter(HDC dc, PanelControl* control, int length, int segment) {
    panel::BlitMeter(dc, control, control - 1, length, segment);
}

// Painting a panel: the controls marked for redraw, or all of them, each by
// its type; and the blink phases.
#include "panel/panel.h"
#include "panel/panel_internal.h"

namespace {

bool IsNumberType(int type) {
    return type == PANEL_NUMBER || type == PANEL_NUMBER_DISPLAY || type == PANEL_LEVEL_NUMBER;
}

bool IsListType(int type) { return type >= PANEL_LIST && type <= PANEL_TEXT_FIXED; }

bool IsLit(const PanelControl& c) {
    return (c.value > 0.5 && !(c.flags & PANEL_LED_OFF)) || (c.flags & PANEL_LED_ON);
}

void DrawSelectionEdge(HDC dc, const PanelControl& c) {
    if (!(c.flags & PANEL_SELECTED)) return;
    RECT r{c.x, c.y, c.x + c.w, c.y + c.h};
    DrawEdge(dc, &r, BDR_SUNKENOUTER, BF_RIGHT | BF_BOTTOM);
}

void DrawTextControl(HDC dc, PanelControl& c, bool blinking) {
    char text[panel::kNumberText];
    if (IsNumberType(c.type))
        panel::NumberText(c, blinking && c.type != PANEL_LEVEL_NUMBER, text);
    else
        panel::ShownListText(c, text);
    PanelDrawText(dc, &c, text);
    DrawSelectionEdge(dc, c);
}

void DrawLed(HDC dc, const PanelControl& c, bool lit) {
    panel::BlitPixels(dc, c.x, c.y, c.w, c.h, panel::BitmapPixels(dc, c.bitmap), 0, lit ? 0 : c.h, SRCCOPY);
}

void DrawControl(HDC dc, PanelControl* controls, int i) {
    PanelControl& c = controls[i];
    const PanelControl* prev = i > 0 ? &controls[i - 1] : nullptr;
    const int s = panel::TruncToInt(c.step);
    switch (c.type) {
    case PANEL_NUMBER:
    case PANEL_NUMBER_DISPLAY:
    case PANEL_LEVEL_NUMBER:
    case PANEL_LIST:
    case PANEL_LIST_WRAP:
    case PANEL_LIST_DISPLAY:
    case PANEL_TEXT_EDIT:
    case PANEL_TEXT_FIXED:
        DrawTextControl(dc, c, false);
        break;
    case PANEL_SWITCH:
    case PANEL_LED:
        DrawLed(dc, c, IsLit(c));
        break;
    case PANEL_FIXED_BITMAP:
    case PANEL_STATIC_BITMAP: {
        panel::BlitPixels(dc, c.x, c.y, c.w, c.h, panel::BitmapPixels(dc, c.bitmap), 0, 0, SRCCOPY);
        break;
    }
    case PANEL_BAR:
        PanelBlitBar(dc, &c, PanelBarLength(&c));
        break;
    case PANEL_BAR_PEAK:
        panel::BlitMeter(dc, &c, prev, PanelBarLength(&c), s);
        break;
    case PANEL_SEGMENT_CAP6:
    case PANEL_SEGMENT_CAP9:
        panel::PaintSegmentIndicator(dc, &c);
        break;
    case PANEL_BAR_PLAIN:
        panel::PaintPlainBar(dc, &c);
        break;
    case PANEL_PEAK_METER:
        PanelBlitBarPeak(dc, &c, PanelBarLength(&c), s);
        break;
    case PANEL_BAR_INSET:
    case PANEL_BAR_DB: {
        int L = c.type == PANEL_BAR_DB ? PanelMeterLength(&c) : PanelBarLengthInset(&c);
        if (c.value > 0.5) L = c.h;
        PanelBlitBar(dc, &c, L);
        break;
    }
    case PANEL_BAR_INSET_PEAK:
    case PANEL_BAR_DB_PEAK: {
        int L = c.type == PANEL_BAR_DB_PEAK ? PanelMeterLength(&c) : PanelBarLengthInset(&c);
        int segment = s;
        if (c.value > 0.5) {
            L = c.h;
            segment = 3 * s;
        }
        panel::BlitMeter(dc, &c, prev, L, segment);
        break;
    }
    case PANEL_DB_METER:
        panel::PaintDbMeter(dc, &c);
        break;
    case PANEL_DB_DOT:
        panel::PaintDbDot(dc, &c);
        break;
    case PANEL_SCALE:
        panel::PaintScale(dc, &c);
        break;
    case PANEL_LABELS_HORZ:
    case PANEL_LABELS_VERT:
        panel::PaintLabels(dc, &c);
        break;
    case PANEL_PEAK_HORZ:
        panel::PaintPeakHorizontal(dc, &c);
        break;
    case PANEL_SLIDER:
        panel::PaintSlider(dc, &c, controls[0]);
        break;
    case PANEL_KNOB:
        panel::PaintKnob(dc, &c, controls[0]);
        break;
    default:
        break;   // logical controls and unused codes draw nothing
    }
}

}  // namespace

void PanelPaint(HDC dc, PanelControl* controls, int count, BOOL all) {
    // Without a context the marks stay, so the next paint still draws them.
    if (!dc || !controls) return;
    for (int i = 0; i < count; ++i) {
        PanelControl& c = controls[i];
        if (!all && !(c.flags & PANEL_REDRAW)) continue;
        c.flags &= ~PANEL_REDRAW;
        if (c.flags & PANEL_HIDDEN) continue;
        if (all && (c.type == PANEL_BAR || c.type == PANEL_PEAK_METER || c.type == PANEL_BAR_INSET))
            c.lastLength = -1;
        DrawControl(dc, controls, i);
        if (all && (c.flags & PANEL_SUNKEN)) DrawSunkenFrame(dc, c.x, c.y, c.x + c.w, c.y + c.h);
    }
}

void PanelPaintBlinking(HDC dc, PanelControl* controls, int count, int phase) {
    if (!dc || !controls || count == 0) return;
    for (int i = 0; i < count; ++i) {
        PanelControl& c = controls[i];
        if (!(c.flags & PANEL_BLINK) || (c.flags & PANEL_HIDDEN)) continue;
        if (IsNumberType(c.type) || (IsListType(c.type) && c.type != PANEL_TEXT_FIXED)) {
            if (phase) {
                DrawTextControl(dc, c, true);
            } else {
                PanelDrawText(dc, &c, " ");
                DrawSelectionEdge(dc, c);
            }
        } else if ((c.type == PANEL_SWITCH || c.type == PANEL_LED) && IsLit(c)) {
            DrawLed(dc, c, phase != 0);
        }
    }
}

// Mouse and keyboard editing of a panel: selection, drag, switch toggles, the
// wheel, and the value dialogs on Enter and double-click. One drag is under
// way at a time across all windows, so its state is global.
#include <cmath>

#include "framework/winapp.h"
#include "panel/panel.h"
#include "panel/panel_internal.h"

namespace {

struct DragState {
    bool dragging = false;
    int anchorX = 0;
    int anchorY = 0;
    double startValue = 0.0;
    double lastValue = 0.0;
    double unclampedValue = 0.0;
    bool shift = false;
};
DragState g_drag;

bool IsDraggable(int type) {
    return type == PANEL_NUMBER || type == PANEL_LIST || type == PANEL_LIST_WRAP || type == PANEL_SLIDER ||
           type == PANEL_KNOB;
}

bool IsHit(const PanelControl& c, int px, int py) {
    return c.x <= px && px <= c.x + c.w && c.y <= py && py <= c.y + c.h;
}

// Greyed and hidden controls take no input, even while still selected from
// before they were greyed.
bool IsLocked(const PanelControl& c) { return (c.flags & (PANEL_HIDDEN | PANEL_GREYED)) != 0; }

double Wrap(double g, const PanelControl& c) {
    const double span = c.max - c.min + 1;
    if (!(span > 0) || !std::isfinite(g)) return g;
    while (g > c.max) g -= span;
    while (g < c.min) g += span;
    return g;
}

// Stores a drag or wheel result. Reported only when it differs from the last
// value the drag or wheel produced, not from the control's own value.
bool StoreEdit(PanelControl& c, double g) {
    g_drag.unclampedValue = g;
    double v = panel::Clamp(g, c);
    c.value = v;
    if (v == g_drag.lastValue) return false;
    c.flags |= PANEL_MARK_CHANGED;
    g_drag.lastValue = v;
    return true;
}

enum DialogKind { kInputValue, kDisplayValue, kSelectValue };

// Runs a value dialog; false when the view window did not survive it (the
// modal loop lets other windows close it, and the controls with it).
bool RunDialog(HWND window, DialogKind kind, PanelControl& c) {
    static const char* const templates[] = {"VALUEIN", "VALUEOUT", "SELECTIN"};
    static const DLGPROC procs[] = {ValueInDlgProc, ValueOutDlgProc, SelectInDlgProc};
    // Lists and text labels without their text table have nothing to show.
    if (kind != kDisplayValue && !c.list && (kind == kSelectValue || c.type == PANEL_TEXT_EDIT)) return true;
    {
        AfxModalScope modal;
        DialogBoxParamA(AfxGetInstanceHandle(), templates[kind], window, procs[kind], LPARAM(&c));
    }
    return IsWindow(window) != FALSE;
}

int OnEnter(HWND window, PanelControl* controls, int count) {
    int result = 0;
    for (int i = 0; i < count; ++i) {
        PanelControl& c = controls[i];
        if (!(c.flags & PANEL_SELECTED) || IsLocked(c)) continue;
        result = 2;
        bool alive = true;
        if (c.type == PANEL_NUMBER)
            alive = RunDialog(window, kInputValue, c);
        else if (c.type == PANEL_LIST || c.type == PANEL_LIST_WRAP)
            alive = RunDialog(window, kSelectValue, c);
        if (!alive) return 0;
    }
    return result;
}

int OnButtonDown(HWND window, PanelControl* controls, int count, WPARAM wParam, LPARAM lParam) {
    SetCapture(window);
    const int px = LOWORD(lParam), py = HIWORD(lParam);
    int result = 0;
    for (int i = 0; i < count; ++i) {
        PanelControl& c = controls[i];
        if (c.flags & PANEL_SELECTED) {
            c.flags &= ~PANEL_SELECTED;
            c.flags |= PANEL_REDRAW;
            result = 2;
        }
        if (!IsHit(c, px, py) || IsLocked(c)) continue;
        g_drag.anchorX = px;
        g_drag.anchorY = py;
        if (IsDraggable(c.type)) {
            g_drag.startValue = c.value;
            g_drag.lastValue = c.value;
            g_drag.dragging = true;
            g_drag.shift = (wParam & MK_SHIFT) != 0;
            c.flags |= PANEL_SELECTED | PANEL_REDRAW;
            result = 2;
        } else if (c.type == PANEL_SWITCH) {
            // Every switch hit toggles, overlapping ones too; a view whose
            // switches touch decides itself which one a click means.
            c.value = c.value > 0.5 ? 0.0 : 1.0;
            c.flags |= PANEL_MARK_CHANGED;
            result = 2;
        }
    }
    return result;
}

int OnMouseMove(PanelControl* controls, int count, WPARAM wParam, LPARAM lParam) {
    if (!(wParam & MK_LBUTTON) || !g_drag.dragging) {
        g_drag.dragging = false;
        return 0;
    }
    const int m = (wParam & MK_SHIFT) ? 10 : 1;
    const bool shift = (wParam & MK_SHIFT) != 0;
    const int x = short(LOWORD(lParam)), y = short(HIWORD(lParam));
    int result = 0;
    for (int i = 0; i < count; ++i) {
        PanelControl& c = controls[i];
        if (!(c.flags & PANEL_SELECTED)) continue;
        double g;
        switch (c.type) {
        case PANEL_NUMBER:
            if (shift != g_drag.shift) {
                // Shift changes the rate: go on from here rather than jump.
                g_drag.shift = shift;
                g_drag.anchorY = y;
                g_drag.startValue = c.value;
            }
            g = g_drag.startValue + c.step * (m * ((g_drag.anchorY - y) / 8));
            break;
        case PANEL_LIST:
        case PANEL_LIST_WRAP:
            g = g_drag.startValue + c.step * ((g_drag.anchorY - y) / 12);
            break;
        case PANEL_SLIDER:
            g = g_drag.startValue + (g_drag.anchorY - y);
            break;
        case PANEL_KNOB:
            g = g_drag.startValue + c.step * (((g_drag.anchorY - y) / 2) * m) +
                c.step * (m * ((x - g_drag.anchorX) / 2));
            break;
        default:
            continue;
        }
        if (c.type == PANEL_LIST_WRAP) g = Wrap(g, c);
        if (StoreEdit(c, g)) result = 2;
    }
    return result;
}

int OnDoubleClick(HWND window, PanelControl* controls, int count, LPARAM lParam) {
    g_drag.dragging = false;
    const int px = LOWORD(lParam), py = HIWORD(lParam);
    int result = 0;
    for (int i = 0; i < count; ++i) {
        PanelControl& c = controls[i];
        if (!IsHit(c, px, py) || (c.flags & (PANEL_HIDDEN | PANEL_GREYED | PANEL_NO_DIALOG))) continue;
        result = 2;
        bool alive = true;
        switch (c.type) {
        case PANEL_NUMBER:
        case PANEL_TEXT_EDIT:
            alive = RunDialog(window, kInputValue, c);
            break;
        case PANEL_NUMBER_DISPLAY:
        case PANEL_LIST_DISPLAY:
            alive = RunDialog(window, kDisplayValue, c);
            break;
        case PANEL_LIST:
        case PANEL_LIST_WRAP:
            alive = RunDialog(window, kSelectValue, c);
            break;
        default:
            break;
        }
        if (!alive) return 0;
    }
    return result;
}

int OnWheel(PanelControl* controls, int count, WPARAM wParam) {
    const int m = (wParam & MK_SHIFT) ? 10 : 1;
    const int notches = short(HIWORD(wParam)) / 120;
    int result = 0;
    for (int i = 0; i < count; ++i) {
        PanelControl& c = controls[i];
        if (!(c.flags & PANEL_SELECTED) || !IsDraggable(c.type) || IsLocked(c)) continue;
        double g = (notches * m) * c.step + c.value;
        if (c.type == PANEL_LIST_WRAP) g = Wrap(g, c);
        if (StoreEdit(c, g)) result = 2;
    }
    return result;
}

}  // namespace

int PanelHandleMessage(HWND window, PanelControl* controls, int count, UINT message, WPARAM wParam,
                       LPARAM lParam) {
    if (!window || IsIconic(window)) return 0;
    switch (message) {
    case WM_DESTROY:
    case WM_DEVMODECHANGE:
        PanelFreeBitmaps();
        return 0;
    case WM_DISPLAYCHANGE:
        InvalidateRect(window, nullptr, FALSE);
        return 0;
    case WM_KEYDOWN:
        return wParam == VK_RETURN ? OnEnter(window, controls, count) : 0;
    case WM_LBUTTONDOWN:
        return OnButtonDown(window, controls, count, wParam, lParam);
    case WM_MOUSEMOVE:
        return OnMouseMove(controls, count, wParam, lParam);
    case WM_LBUTTONUP:
        ReleaseCapture();
        g_drag.dragging = false;
        return 0;
    case WM_LBUTTONDBLCLK:
        return OnDoubleClick(window, controls, count, lParam);
    case WM_MOUSEWHEEL:
        return OnWheel(controls, count, wParam);
    default:
        return 0;
    }
}

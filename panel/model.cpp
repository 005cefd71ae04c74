// The control records, their index by id, and the functions that set values
// and flags.
#include <climits>
#include <cmath>

#include "panel/panel.h"
#include "panel/panel_internal.h"

namespace panel {

double Clamp(double value, const PanelControl& c) {
    double v = value < c.max ? value : c.max;   // NaN fails the test and takes max
    if (v < c.min) v = c.min;
    return v;
}

double Quantise(double value, const PanelControl& c) {
    const double s = c.step;
    if (s == 0.0 || !std::isfinite(s)) return value;
    if (s == 2.0 && std::fmod(c.min, 2.0) > 0.5) return std::floor((value - 1.0) / 2.0 + 0.5) * 2.0 + 1.0;
    return std::floor(value / s + 0.5) * s;
}

int TruncToInt(double value) {
    if (!(value == value)) return 0;
    if (value >= 2147483647.0) return INT_MAX;
    if (value <= -2147483648.0) return INT_MIN;
    return int(value);
}

}  // namespace panel

using panel::Clamp;

namespace {

PanelControl* Lookup(int id, PanelControlTable* table) {
    if (!table || !table->index || id < 0 || id >= table->indexSize) return nullptr;
    return table->index[id];
}

}  // namespace

int RoundToInt(double x) { return panel::TruncToInt(std::floor(x + 0.5)); }

int TruncateToInt(double x) { return panel::TruncToInt(x); }

PanelControl PanelMakeControl(int id, int type, int bitmap, double value, double max, int x, int y, int w, int h) {
    PanelControl c{};
    c.id = id;
    c.type = type;
    c.bitmap = bitmap;
    c.value = value;
    c.max = max;
    c.defaultValue = value;
    c.step = 1.0;
    c.x = x;
    c.y = y;
    c.w = w;
    c.h = h;
    return c;
}

void PanelInitTable(PanelControlTable* table, PanelControl* controls, PanelControl** index, int count,
                    int indexSize, int panelWidth, int panelHeight) {
    table->controls = controls;
    table->index = index;
    table->count = count;
    table->indexSize = indexSize;
    table->panelWidth = panelWidth;
    table->panelHeight = panelHeight;
    PanelBuildIndex(table);
}

void PanelBuildIndex(PanelControlTable* table) {
    if (!table || !table->index) return;
    for (int i = 0; i < table->indexSize; ++i) table->index[i] = nullptr;
    for (int i = 0; i < table->count; ++i) {
        PanelControl& c = table->controls[i];
        // A header laid over part of a larger array may have a smaller index
        // than the ids of its records; such records stay out of the index.
        if (c.id < 0 || c.id >= table->indexSize) continue;
        table->index[c.id] = &c;
        c.flags |= PANEL_REDRAW;
    }
}

BOOL PanelSetValue(double value, int id, PanelControlTable* table) {
    PanelControl* c = Lookup(id, table);
    if (!c) return 0;
    double v = panel::Quantise(Clamp(value, *c), *c);
    if (v == c->value) return 0;
    c->value = v;
    c->flags |= PANEL_MARK_CHANGED;
    return 1;
}

BOOL PanelShowValue(double value, int id, PanelControlTable* table) {
    PanelControl* c = Lookup(id, table);
    if (!c) return 0;
    double v = Clamp(value, *c);
    if (v == c->value) return 0;
    c->value = v;
    c->flags |= PANEL_REDRAW;
    return 1;
}

BOOL PanelInvalidate(int id, PanelControlTable* table) {
    PanelControl* c = Lookup(id, table);
    if (!c) return 0;
    c->flags |= PANEL_REDRAW;
    return 1;
}

BOOL PanelMarkChanged(int id, PanelControlTable* table) {
    PanelControl* c = Lookup(id, table);
    if (!c) return 0;
    c->flags |= PANEL_MARK_CHANGED;
    return 1;
}

BOOL PanelSetFlags(int mask, BOOL on, int id, PanelControlTable* table) {
    PanelControl* c = Lookup(id, table);
    if (!c) return 0;
    if (on == 1 && (c->flags & mask) == 0) {
        c->flags |= mask | PANEL_REDRAW;
        return 1;
    }
    if (on == 0 && (c->flags & mask) != 0) {
        c->flags &= ~mask;
        c->flags |= PANEL_REDRAW;
        return 1;
    }
    return 0;
}

BOOL PanelSetVisible(BOOL visible, int id, PanelControlTable* table) {
    PanelControl* c = Lookup(id, table);
    if (!c) return 0;
    if (visible == 1 && (c->flags & PANEL_HIDDEN)) {
        c->flags &= ~PANEL_HIDDEN;
        c->flags |= PANEL_REDRAW;
    } else if (visible == 0 && !(c->flags & PANEL_HIDDEN)) {
        c->flags |= PANEL_HIDDEN | PANEL_REDRAW;
    }
    return 0;
}

BOOL PanelSetBlink(BOOL on, int id, PanelControlTable* table) {
    PanelControl* c = Lookup(id, table);
    if (!c) return 0;
    if (on) {
        c->flags |= PANEL_BLINK;
    } else {
        c->flags &= ~PANEL_BLINK;
        c->flags |= PANEL_REDRAW;
    }
    return 0;
}

// The texts the panel shows for numbers and lists.
#include <cstdio>
#include <cstring>

#include "panel/panel_internal.h"

namespace panel {

size_t NameLength(const PanelControl& c) { return strnlen(c.name, sizeof(c.name)); }
size_t UnitLength(const PanelControl& c) { return strnlen(c.unit, sizeof(c.unit)); }

size_t FormatCut(double value, int decimals, char* out) {
    std::snprintf(out, kNumberText, "%.10lf", value);
    // More than ten decimals would cut behind the end of the text.
    int d = decimals < 0 ? 0 : (decimals > 10 ? 10 : decimals);
    size_t cut = d > 0 ? size_t(10 - d) : 11;   // 11 drops the point as well
    size_t len = std::strlen(out);
    size_t pos = len > cut ? len - cut : 0;
    out[pos] = '\0';
    return pos;
}

void NumberText(const PanelControl& c, bool alwaysUnitPart, char* out) {
    char unit[sizeof(c.unit) + 1];
    size_t unitLen = UnitLength(c);
    std::memcpy(unit, c.unit, unitLen);
    unit[unitLen] = '\0';

    size_t pos = FormatCut(c.value, c.decimals, out);
    if (unitLen > 0 || alwaysUnitPart)
        std::snprintf(out + pos, kNumberText - pos, " %s ", unit);
    else
        std::snprintf(out + pos, kNumberText - pos, " ");

    if (c.type == PANEL_LEVEL_NUMBER) {
        // The level number has one decimal whatever the control says; the
        // unit goes to where the cut left it, which with more decimals lies
        // behind the end of the shorter text.
        std::snprintf(out, kNumberText, "%.1lf", c.value);
        if (unitLen > 0) std::snprintf(out + pos, kNumberText - pos, " %s ", unit);
        if (c.value > 0.1)
            std::snprintf(out, kNumberText, " OVR   ");
        else if (c.value < -144.0)
            std::snprintf(out, kNumberText, " UFL   ");
    }
}

void ListEntryText(const PanelControl& c, int index, char* out) {
    out[0] = '\0';
    if (!c.list || index < 0) return;
    const char* entry = c.list + size_t(index) * PANEL_LIST_ENTRY;
    size_t n = strnlen(entry, PANEL_LIST_ENTRY);
    std::memcpy(out, entry, n);
    out[n] = '\0';
}

void ShownListText(const PanelControl& c, char* out) {
    // A text label shows its own text even when a damaged file gave it a
    // value that would point past its table.
    if (c.type == PANEL_TEXT_EDIT || c.type == PANEL_TEXT_FIXED)
        ListEntryText(c, 0, out);
    else
        ListEntryText(c, TruncToInt(c.value), out);
}

}  // namespace panel

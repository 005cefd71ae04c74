// Control values as setup-file lines ("name=value") and as profile integers
// (value x 100, truncated).
#include <cmath>
#include <cstdio>
#include <cstring>

#include "framework/archive.h"
#include "framework/winapp.h"
#include "panel/panel.h"
#include "panel/panel_internal.h"

namespace {

bool IsSaved(const PanelControl& c) {
    bool savedType = c.type == PANEL_NUMBER || c.type == PANEL_SWITCH || c.type == PANEL_LIST ||
                     c.type == PANEL_LIST_WRAP;
    return savedType && !(c.flags & PANEL_NOT_SAVED) && c.name[0] != '\0';
}

// The name as a terminated string, whatever the view left in the field.
struct Name {
    char text[sizeof(PanelControl::name) + 1];
    explicit Name(const PanelControl& c) {
        size_t n = panel::NameLength(c);
        std::memcpy(text, c.name, n);
        text[n] = '\0';
    }
};

int Hundredths(double value) { return panel::TruncToInt(value * 100.0); }

// Stores a value read from outside; marks the control changed when it differs.
void StoreLoaded(PanelControl& c, double value) {
    double v = panel::Clamp(value, c);
    if (v != c.value) {
        c.value = v;
        c.flags |= PANEL_MARK_CHANGED;
    }
}

PanelControl* MatchLine(PanelControlTable* table, const char* line, const char** valueText) {
    for (int i = 0; i < table->count; ++i) {
        PanelControl& c = table->controls[i];
        size_t n = panel::NameLength(c);
        if (n == 0 || std::strncmp(line, c.name, n) != 0 || line[n] != '=') continue;
        *valueText = line + n + 1;
        return &c;
    }
    return nullptr;
}

}  // namespace

void PanelSave(PanelControlTable* table, CArchive& archive) {
    char line[600];
    for (int i = 0; i < table->count; ++i) {
        const PanelControl& c = table->controls[i];
        if (!IsSaved(c)) continue;
        std::snprintf(line, sizeof(line), "%s=%f\n", Name(c).text, c.value);
        archive.WriteString(line);
    }
}

void PanelLoad(PanelControlTable* table, CArchive& archive) {
    char line[1000];
    while (archive.ReadString(line, sizeof(line)) && line[0] != '\0') {
        const char* valueText = nullptr;
        PanelControl* c = MatchLine(table, line, &valueText);
        if (!c || (c->flags & PANEL_NOT_SAVED)) continue;
        double v = 0.0;
        // nan and inf read as numbers, but no control can hold them.
        if (std::sscanf(valueText, "%lf", &v) != 1 || !std::isfinite(v)) continue;
        StoreLoaded(*c, v);
    }
}

void PanelProfileSave(PanelControlTable* table, const char* section) {
    CWinApp* app = AfxGetApp();
    if (!app) return;
    for (int i = 0; i < table->count; ++i) {
        const PanelControl& c = table->controls[i];
        if (IsSaved(c)) app->WriteProfileInt(section, Name(c).text, Hundredths(c.value));
    }
}

void PanelProfileLoad(PanelControlTable* table, const char* section) {
    CWinApp* app = AfxGetApp();
    if (!app) return;
    for (int i = 0; i < table->count; ++i) {
        PanelControl& c = table->controls[i];
        if (!IsSaved(c)) continue;
        int stored = int(app->GetProfileInt(section, Name(c).text, Hundredths(c.value)));
        StoreLoaded(c, stored / 100.0);
    }
}

#include "app/presets.h"

#include <cstdio>

#include "app/vantorapp.h"

void PresetTable::LoadPresetNames() {
    for (int i = 0; i < kCount; ++i) {
        char entry[32];
        std::snprintf(entry, sizeof(entry), "PresetName%01i", i);
        names[i] = theApp.GetProfileString("SystemSet", entry, "");
    }
}

void PresetTable::SavePresetNames() const {
    for (int i = 0; i < kCount; ++i) {
        char entry[32];
        std::snprintf(entry, sizeof(entry), "PresetName%01i", i);
        theApp.WriteProfileString("SystemSet", entry, names[i].c_str());
    }
}

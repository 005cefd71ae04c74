// The nine named presets: workspace files "preset1.vtw" .. "preset9.vtw" in
// the data folder, with their names in "SystemSet".
#pragma once
#include <string>

class PresetTable {
public:
    static const int kCount = 9;
    std::string names[kCount];   // empty: an empty preset
    int saveMode = 0;
    int selected = -1;

    void LoadPresetNames();
    void SavePresetNames() const;
};

extern PresetTable thePresets;

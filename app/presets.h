// The nine named presets: workspace files "preset1.vtw" .. "preset9.vtw" in
// the data folder, with their names in "SystemSet".
#pragma once
#include <string>

#include <windows.h>

class PresetTable {
public:
    static const int kCount = 9;
    static constexpr size_t kMaxNameLength = 254;   // what the name edit takes
    std::string names[kCount];   // empty: an empty preset
    int saveMode = 0;            // 1: the chosen preset is to be written, 0: read
    int selected = -1;           // 0..8, or -1 when none is chosen

    void LoadPresetNames();
    void SavePresetNames() const;

    // Remembers the preset chosen and whether it is to be written; anything
    // but 0..8 means no preset.
    void SelectPreset(int index, int mode);
    // The name of a preset; an empty preset reads "<Empty>", or nothing when
    // blankIfEmpty is set. No preset at all reads nothing.
    std::string GetPresetLabel(int index, BOOL blankIfEmpty) const;
    // Renames the selected preset (cut to kMaxNameLength); without a
    // selection nothing changes.
    void SetSelectedPresetName(const std::string& text);
    // The workspace file (a name in the data folder) the selected preset
    // reads from or writes to; writing asks for the preset's name first.
    // FALSE when there is nothing to do. Either output may be left out.
    BOOL ChoosePresetFile(std::string* loadName, std::string* saveName);

    static std::string PresetFileName(int index);   // "preset<index+1>.vtw"
};

extern PresetTable thePresets;

#include "app/presets.h"

#include <cstdio>

#include "app/presetdlg.h"
#include "app/vantorapp.h"

void PresetTable::LoadPresetNames() {
    for (int i = 0; i < kCount; ++i) {
        char entry[32];
        std::snprintf(entry, sizeof(entry), "PresetName%01i", i);
        // The registry value may be of any length; the dialogs take no more.
        names[i] = theApp.GetProfileString("SystemSet", entry, "").substr(0, kMaxNameLength);
    }
}

void PresetTable::SavePresetNames() const {
    for (int i = 0; i < kCount; ++i) {
        char entry[32];
        std::snprintf(entry, sizeof(entry), "PresetName%01i", i);
        theApp.WriteProfileString("SystemSet", entry, names[i].c_str());
    }
}

void PresetTable::SelectPreset(int index, int mode) {
    selected = (index >= 0 && index < kCount) ? index : -1;
    saveMode = mode;
}

std::string PresetTable::GetPresetLabel(int index, BOOL blankIfEmpty) const {
    if (index < 0 || index >= kCount) return std::string();
    if (names[index].empty()) return blankIfEmpty ? std::string() : std::string("<Empty>");
    return names[index];
}

void PresetTable::SetSelectedPresetName(const std::string& text) {
    if (selected < 0 || selected >= kCount) return;
    names[selected] = text.substr(0, kMaxNameLength);
}

std::string PresetTable::PresetFileName(int index) {
    char name[32];
    std::snprintf(name, sizeof(name), "preset%i.vtw", index + 1);
    return name;
}

BOOL PresetTable::ChoosePresetFile(std::string* loadName, std::string* saveName) {
    if (loadName) loadName->clear();
    if (saveName) saveName->clear();
    if (selected < 0 || selected >= kCount) return FALSE;
    if (saveMode) {
        CSavePreset dlg;
        if (dlg.DoModal() != IDOK) return FALSE;
        // Saving under an empty name empties the preset; its old file is
        // left alone and is never read again while the name stays empty.
        if (names[selected].empty()) return FALSE;
        if (saveName) *saveName = PresetFileName(selected);
        return TRUE;
    }
    if (names[selected].empty()) return FALSE;
    if (loadName) *loadName = PresetFileName(selected);
    return TRUE;
}

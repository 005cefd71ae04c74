#include "app/presetdlg.h"

#include <cstdio>
#include <string>

#include "app/presets.h"
#include "app/vantorapp.h"
#include "dialogs_res.h"

// ---------------------------------------------------------------- Presets

BEGIN_MESSAGE_MAP(CSelPreset, CDialog)
    ON_LBN_DBLCLK(IDC_PRESET_LIST, OnOK)
    ON_BN_CLICKED(IDC_SAVE_AS_PRESET, OnSaveAs)
END_MESSAGE_MAP()

CSelPreset::CSelPreset(CWnd* parent) : CDialog(IDD_PRESETS, parent) {}

BOOL CSelPreset::OnInitDialog() {
    CDialog::OnInitDialog();
    for (int i = 0; i < PresetTable::kCount; ++i) {
        char number[16];
        std::snprintf(number, sizeof(number), "%1i - ", i + 1);
        std::string line = number + thePresets.GetPresetLabel(i, FALSE);
        SendDlgItemMessage(IDC_PRESET_LIST, LB_ADDSTRING, 0, LPARAM(line.c_str()));
    }
    // The dialog opens on the preset used last, so activating it again is one key.
    int line = thePresets.selected >= 0 ? thePresets.selected : 0;
    SendDlgItemMessage(IDC_PRESET_LIST, LB_SETCURSEL, WPARAM(line), 0);
    return TRUE;
}

void CSelPreset::ChooseListed(int mode) {
    int line = int(SendDlgItemMessage(IDC_PRESET_LIST, LB_GETCURSEL));   // LB_ERR (-1): none
    thePresets.SelectPreset(line, mode);
    EndDialog(IDOK);
}

void CSelPreset::OnOK() { ChooseListed(0); }
void CSelPreset::OnSaveAs() { ChooseListed(1); }

// ---------------------------------------------------------------- Save as preset

CSavePreset::CSavePreset(CWnd* parent) : CDialog(IDD_SAVE_PRESET, parent) {}

BOOL CSavePreset::OnInitDialog() {
    CDialog::OnInitDialog();
    char number[16];
    std::snprintf(number, sizeof(number), "%i", thePresets.selected + 1);
    SetDlgItemText(IDC_PRESET_NUMBER, number);
    SendDlgItemMessage(IDC_PRESET_NAME, EM_LIMITTEXT, PRESET_NAME_MAX);
    SetDlgItemText(IDC_PRESET_NAME, thePresets.GetPresetLabel(thePresets.selected, TRUE).c_str());
    // The name is what the user came to type; the number only informs.
    HWND name = ::GetDlgItem(m_hWnd, IDC_PRESET_NAME);
    ::SetFocus(name);
    ::SendMessageA(name, EM_SETSEL, 0, -1);
    return FALSE;
}

void CSavePreset::OnOK() {
    // Only the name is read back: the number shows which preset is written.
    thePresets.SetSelectedPresetName(GetDlgItemText(IDC_PRESET_NAME).substr(0, PRESET_NAME_MAX));
    CDialog::OnOK();
}

// ---------------------------------------------------------------- commands

void CVantorApp::OnPresets() {
    CSelPreset dlg;
    if (dlg.DoModal() != IDOK) return;
    std::string loadName, saveName;
    if (!thePresets.ChoosePresetFile(&loadName, &saveName)) return;
    if (!loadName.empty()) {
        std::string path = DataFolderFile(loadName.c_str());
        if (!path.empty()) LoadWorkspace(path.c_str());
    }
    if (!saveName.empty()) {
        std::string path = DataFolderFile(saveName.c_str());
        if (!path.empty()) StoreWorkspace(path.c_str());
    }
}

void CVantorApp::LoadPreset(int index) {
    if (index < 0 || index >= PresetTable::kCount) return;
    thePresets.SelectPreset(index, 0);
    std::string loadName;
    if (!thePresets.ChoosePresetFile(&loadName, nullptr) || loadName.empty()) return;
    std::string path = DataFolderFile(loadName.c_str());
    if (!path.empty()) LoadWorkspace(path.c_str());
}

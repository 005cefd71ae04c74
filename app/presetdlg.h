// The preset dialogs: "Presets" picks a preset to activate or to store the
// workspace in; "Save current workspace as preset" names the preset.
#pragma once
#include "framework/dialog.h"

class CSelPreset : public CDialog {
public:
    explicit CSelPreset(CWnd* parent = nullptr);
    BOOL OnInitDialog() override;
    void OnOK() override;

protected:
    void OnSaveAs();
    void ChooseListed(int mode);

    DECLARE_MESSAGE_MAP()
};

class CSavePreset : public CDialog {
public:
    explicit CSavePreset(CWnd* parent = nullptr);
    BOOL OnInitDialog() override;
    void OnOK() override;
};

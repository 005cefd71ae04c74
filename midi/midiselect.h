// "MIDI I/O Setup": the user picks one MIDI input and one MIDI output device
// for a window.
#pragma once
#include "framework/dialog.h"

class CMidiSelect : public CDialog {
public:
    explicit CMidiSelect(CWnd* parent = nullptr);

    // The caller's {input id, output id}: preselected when the dialog opens,
    // written on OK (-1 where nothing is chosen), untouched on Cancel.
    void SetIdPair(int* ids) { m_pIds = ids; }

    BOOL OnInitDialog() override;
    void OnOK() override;

private:
    int* m_pIds = nullptr;
};

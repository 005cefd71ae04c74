// "Function Select": the user picks one of the twelve functions.
#pragma once
#include "framework/dialog.h"

class CFunctsel : public CDialog {
public:
    explicit CFunctsel(CWnd* parent = nullptr);
    void SetSelection(int row) { m_nSelection = row; }
    int GetSelection() const { return m_nSelection; }   // -1 after Cancel

    BOOL OnInitDialog() override;
    void OnCancel() override;

protected:
    void OnSelChange();
    void OnDoubleClick();
    BOOL OnHelpInfo(HELPINFO* info);
    void ShowDescription();

    int m_nSelection = -1;

    DECLARE_MESSAGE_MAP()
};

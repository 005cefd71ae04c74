#include "app/functsel.h"

#include "app/functiontable.h"
#include "framework/winapp.h"
#include "resource.h"

BEGIN_MESSAGE_MAP(CFunctsel, CDialog)
    ON_LBN_SELCHANGE(IDC_FUNCTION_LIST, OnSelChange)
    ON_LBN_DBLCLK(IDC_FUNCTION_LIST, OnDoubleClick)
    ON_WM_HELPINFO()
END_MESSAGE_MAP()

CFunctsel::CFunctsel(CWnd* parent) : CDialog(IDD_FUNCTION_SELECT, parent) {}

BOOL CFunctsel::OnInitDialog() {
    CDialog::OnInitDialog();
    for (int row = 0; row < kFunctionCount; ++row)
        SendDlgItemMessage(IDC_FUNCTION_LIST, LB_ADDSTRING, 0, LPARAM(FunctionTable[row].name));
    if (m_nSelection >= 0 && m_nSelection < kFunctionCount) {
        SendDlgItemMessage(IDC_FUNCTION_LIST, LB_SETCURSEL, WPARAM(m_nSelection), 0);
        ShowDescription();
    }
    return TRUE;
}

void CFunctsel::ShowDescription() {
    // Only a real row has a description; anything else leaves the text alone.
    if (m_nSelection >= 0 && m_nSelection < kFunctionCount)
        SetDlgItemText(IDC_FUNCTION_DESCRIPTION, FunctionTable[m_nSelection].description);
}

void CFunctsel::OnSelChange() {
    m_nSelection = int(SendDlgItemMessage(IDC_FUNCTION_LIST, LB_GETCURSEL));
    ShowDescription();
}

void CFunctsel::OnDoubleClick() { OnOK(); }

void CFunctsel::OnCancel() {
    m_nSelection = -1;
    CDialog::OnCancel();
}

BOOL CFunctsel::OnHelpInfo(HELPINFO*) {
    if (CWinApp* app = AfxGetApp()) app->HtmlHelp(HELP_CONTEXT_FUNCTION_SELECT, 0x000F /* HH_HELP_CONTEXT */);
    return TRUE;
}

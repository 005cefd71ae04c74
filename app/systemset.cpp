#include "app/systemset.h"

#include <cstdio>
#include <cstring>
#include <string>

#include "framework/winapp.h"
#include "names_res.h"

BEGIN_MESSAGE_MAP(CSystemSet, CDialog)
    ON_BN_CLICKED(IDC_SET_DEFAULT_NAMES, OnSetDefaultNames)
    ON_BN_CLICKED(IDC_NAMES_HELP, OnHelpButton)
    ON_WM_HELPINFO()
    ON_LBN_SELCHANGE(IDC_DEVICE_LIST, OnSelchangeDeviceList)
END_MESSAGE_MAP()

namespace {
// The device-name controls of the views show names this long at most.
const size_t kIdNameLength = 12;
const size_t kBankNameLength = 16;
}  // namespace

CSystemSet::CSystemSet(CWnd* parent) : CDialog(IDD_SYSTEM_SET, parent) {
    std::memset(m_names, 0, sizeof(m_names));
}

void CSystemSet::SetDeviceIndex(int code) {
    m_bFennowMode = FALSE;
    m_bOmbrelMode = FALSE;
    if (code < 1000) {
        m_nIndex = (code >= 0 && code <= 15) ? code : 0;
        return;
    }
    int index;
    if (code < 2000) {
        m_bFennowMode = TRUE;
        index = code - 1000;
    } else {
        m_bOmbrelMode = TRUE;
        index = code - 2000;
    }
    m_nIndex = index < 64 ? index : 0;
}

SystemName* CSystemSet::ChosenTable() const {
    if (m_bFennowMode) return FennowBankNames;
    if (m_bOmbrelMode) return OmbrelBankNames;
    return DeviceIdNames;
}

// Copies in both directions use exactly the chosen table's size: the device-ID
// table is much shorter than the working copy.
int CSystemSet::TableSize() const { return IsBankMode() ? kBankNameCount : kDeviceIndexCount; }

int CSystemSet::LineCount() const { return TableSize() - 1; }

BOOL CSystemSet::OnInitDialog() {
    CDialog::OnInitDialog();
    std::memcpy(m_names, ChosenTable(), sizeof(SystemName) * size_t(TableSize()));
    m_hDeviceList = GetDlgItem(IDC_DEVICE_LIST);
    char line[32];
    for (int i = 0; i < LineCount(); ++i) {
        if (IsBankMode())
            std::snprintf(line, sizeof(line), "Bank%1i ID%1i ", i / 8 + 1, i % 8 + 1);
        else
            std::snprintf(line, sizeof(line), "ID %02X", i);
        ::SendMessageA(m_hDeviceList, LB_ADDSTRING, 0, LPARAM(line));
    }
    ::SendMessageA(m_hDeviceList, LB_SETCURSEL, WPARAM(m_nIndex), 0);
    ShowName(m_nIndex);
    return TRUE;
}

void CSystemSet::ShowName(int index) { SetDlgItemText(IDC_DEVICE_NAME, m_names[index]); }

void CSystemSet::StoreEditedName() {
    std::string text = GetDlgItemText(IDC_DEVICE_NAME);
    size_t limit = IsBankMode() ? kBankNameLength : kIdNameLength;
    if (text.size() > limit) text.resize(limit);
    SetSystemName(m_names[m_nIndex], text.c_str());
}

void CSystemSet::OnSelchangeDeviceList() {
    StoreEditedName();
    int line = int(::SendMessageA(m_hDeviceList, LB_GETCURSEL, 0, 0));
    if (line >= 0 && line < LineCount()) m_nIndex = line;
    ShowName(m_nIndex);
}

void CSystemSet::OnSetDefaultNames() {
    char name[kNameSize];
    for (int i = 0; i < LineCount(); ++i) {
        if (m_bFennowMode)
            std::snprintf(name, sizeof(name), "Fennow_B%1i_ID%1i ", i / 8 + 1, i % 8 + 1);
        else if (m_bOmbrelMode)
            std::snprintf(name, sizeof(name), "Ombrel_B%1i_ID%1i ", i / 8 + 1, i % 8 + 1);
        else
            std::snprintf(name, sizeof(name), "DEVICE_ID%02X", i);
        SetSystemName(m_names[i], name);
    }
    ShowName(m_nIndex);
}

void CSystemSet::OnOK() {
    StoreEditedName();
    std::memcpy(ChosenTable(), m_names, sizeof(SystemName) * size_t(TableSize()));
    CDialog::OnOK();
}

void CSystemSet::OnHelpButton() {
    if (CWinApp* app = AfxGetApp()) app->HtmlHelp(HELP_CONTEXT_DEVICE_NAMES, 0x000F /* HH_HELP_CONTEXT */);
}

BOOL CSystemSet::OnHelpInfo(HELPINFO*) {
    OnHelpButton();
    return TRUE;
}

#include "app/deviceaddr.h"

#include <cstdio>

#include "app/devicenames.h"
#include "names_res.h"

// ---------------------------------------------------------------- Select Device

namespace {
const int kAllDevicesLine = 16;
const int kAllDevices = 127;
}  // namespace

CSelDevID::CSelDevID(CWnd* parent) : CDialog(IDD_SELECT_DEVICE, parent) {}

BOOL CSelDevID::OnInitDialog() {
    CDialog::OnInitDialog();
    // At most 19 characters a line: a name wider than its column is cut at
    // the end of the line, whatever its length.
    char line[20];
    for (int i = 0; i < 16; ++i) {
        std::snprintf(line, sizeof(line), "%02X - %13s", i, DeviceIdNames[i]);
        SendDlgItemMessage(IDC_DEVICE_ID_COMBO, CB_ADDSTRING, 0, LPARAM(line));
    }
    SendDlgItemMessage(IDC_DEVICE_ID_COMBO, CB_ADDSTRING, 0, LPARAM("all"));
    int value = m_pValue ? *m_pValue : kAllDevices;
    int selected = (value >= 0 && value <= 15) ? value : kAllDevicesLine;
    SendDlgItemMessage(IDC_DEVICE_ID_COMBO, CB_SETCURSEL, WPARAM(selected), 0);
    return TRUE;
}

void CSelDevID::OnOK() {
    int line = int(SendDlgItemMessage(IDC_DEVICE_ID_COMBO, CB_GETCURSEL));
    if (m_pValue) *m_pValue = line > 15 ? kAllDevices : line;
    CDialog::OnOK();
}

// ---------------------------------------------------------------- Program Device ID

CProgDevID::CProgDevID(CWnd* parent) : CDialog(IDD_PROGRAM_DEVICE_ID, parent) {}

void CProgDevID::SetDataPointer(int* value) {
    m_pValue = value;
    m_bBankMode = value && *value > 999;
}

BOOL CProgDevID::OnInitDialog() {
    CDialog::OnInitDialog();
    char line[16];
    int lines = m_bBankMode ? 64 : 16;
    for (int i = 0; i < lines; ++i) {
        if (m_bBankMode)
            std::snprintf(line, sizeof(line), "Bank%1i ID%1i ", i / 8 + 1, i % 8 + 1);
        else
            std::snprintf(line, sizeof(line), "%02X", i);
        SendDlgItemMessage(IDC_DEVICE_ID_COMBO, CB_ADDSTRING, 0, LPARAM(line));
    }
    SendDlgItemMessage(IDC_DEVICE_ID_COMBO, CB_SETCURSEL, 0, 0);
    return TRUE;
}

void CProgDevID::OnOK() {
    if (m_pValue) *m_pValue = int(SendDlgItemMessage(IDC_DEVICE_ID_COMBO, CB_GETCURSEL));
    CDialog::OnOK();
}

// ---------------------------------------------------------------- Select Baud Rate

namespace {
const char* const kBaudRateLines[] = {"9600", "19200", "38400", "115200"};
}  // namespace

CSelBaudrate::CSelBaudrate(CWnd* parent) : CDialog(IDD_SELECT_BAUD_RATE, parent) {}

BOOL CSelBaudrate::OnInitDialog() {
    CDialog::OnInitDialog();
    for (const char* text : kBaudRateLines) SendDlgItemMessage(IDC_BAUD_RATE_LIST, LB_ADDSTRING, 0, LPARAM(text));
    // Codes 2 and 3 are listed the other way round (line 5 - code); a code
    // that maps to no line leaves the list without a selection.
    int code = m_pValue ? *m_pValue : -1;
    int line = code < 0 ? -1 : (code <= 1 ? code : 5 - code);
    if (line >= 0 && line <= 3) SendDlgItemMessage(IDC_BAUD_RATE_LIST, LB_SETCURSEL, WPARAM(line), 0);
    return TRUE;
}

void CSelBaudrate::OnOK() {
    int line = int(SendDlgItemMessage(IDC_BAUD_RATE_LIST, LB_GETCURSEL));
    int code = -1;
    if (line == 0 || line == 1)
        code = line;
    else if (line == 2 || line == 3)
        code = 5 - line;
    if (m_pValue) *m_pValue = code;
    CDialog::OnOK();
}

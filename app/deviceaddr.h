// The device-address dialogs of the views: "Select Device", "Program Device
// ID" and "Select Baud Rate". Each exchanges one int with its caller through
// a pointer bound before DoModal; Cancel leaves that int as it was. OK with
// no line selected gives -1, which a caller must not send to a device.
#pragma once
#include "framework/dialog.h"

// The device ID a window addresses: 0..15, or 127 for all devices.
class CSelDevID : public CDialog {
public:
    explicit CSelDevID(CWnd* parent = nullptr);
    void SetDataPointer(int* value) { m_pValue = value; }

    BOOL OnInitDialog() override;
    void OnOK() override;

protected:
    int* m_pValue = nullptr;
};

// The ID (0..15) a device is to be given or, when the bound value is above
// 999 at binding, the bank-and-ID line (0..63: bank line/8 + 1, ID line%8 + 1).
class CProgDevID : public CDialog {
public:
    explicit CProgDevID(CWnd* parent = nullptr);
    void SetDataPointer(int* value);

    BOOL OnInitDialog() override;
    void OnOK() override;

protected:
    int* m_pValue = nullptr;
    BOOL m_bBankMode = FALSE;
};

// The RS232 baud code the devices take: 0 = 9600, 1 = 19200, 2 = 115200,
// 3 = 38400, listed by rising rate.
class CSelBaudrate : public CDialog {
public:
    explicit CSelBaudrate(CWnd* parent = nullptr);
    void SetDataPointer(int* value) { m_pValue = value; }

    BOOL OnInitDialog() override;
    void OnOK() override;

protected:
    int* m_pValue = nullptr;
};

// "Edit Device Names": edits one of the three device-name tables (device IDs,
// Fennow banks, Ombrel banks) on a working copy that only OK writes back.
#pragma once
#include "app/devicenames.h"
#include "framework/dialog.h"

class CSystemSet : public CDialog {
public:
    explicit CSystemSet(CWnd* parent = nullptr);

    // Below 1000: a device index (0..15, else 0). 1000..1999: the Fennow bank
    // table with index code - 1000; 2000 and above: the Ombrel bank table with
    // index code - 2000 (64 or more gives 0 in both).
    void SetDeviceIndex(int code);

    BOOL OnInitDialog() override;
    void OnOK() override;

protected:
    void OnSetDefaultNames();
    void OnHelpButton();
    BOOL OnHelpInfo(HELPINFO* info);
    void OnSelchangeDeviceList();

    BOOL IsBankMode() const { return m_bFennowMode || m_bOmbrelMode; }
    SystemName* ChosenTable() const;
    int TableSize() const;   // with the " Any " entry: 17 or 65
    int LineCount() const;   // without it: 16 or 64
    void StoreEditedName();
    void ShowName(int index);

    HWND m_hDeviceList = nullptr;
    int m_nIndex = 0;
    BOOL m_bFennowMode = FALSE;
    BOOL m_bOmbrelMode = FALSE;
    SystemName m_names[kBankNameCount];   // enough for the largest table

    DECLARE_MESSAGE_MAP()
};

// What the Ombrel converter and the Fennow preamp share: a device address
// made of a bank and an ID (or all devices) shown in three controls, the
// name slot it selects, the reply skip, fast level polling with its menu
// command, and programming a device's bank and ID.
#pragma once
#include "devices/panelview.h"

// "01 " .. "08 " and "All ": the bank and ID lists; and the device states.
char* BankList();
char* DeviceStateTexts();

class CBankView : public CPanelView {
    DECLARE_DYNCREATE(CBankView)
public:
    CBankView();
    ~CBankView() override;

    // Bank x 16 + ID, or 127; a negative address is taken from the bank and
    // ID controls. An address no device can have changes nothing.
    int SetDeviceId(int address);

    int GetDeviceId() const { return m_nDeviceId; }
    int GetNameIndex() const { return m_nNameIndex; }
    int GetLastDeviceId() const { return m_nLastDeviceId; }
    int GetReplySkip() const { return m_nSkipReplies; }
    BOOL GetEnableFast() const { return m_bEnableFast; }
    void SetEnableFast(BOOL on) { m_bEnableFast = on; }

protected:
    // The ids of the view's bank, ID and device-name controls.
    void SetAddressControls(int bank, int id, int name) {
        m_nBankCtl = bank;
        m_nIdCtl = id;
        m_nNameCtl = name;
    }
    // Points the name controls at the names of the name slot.
    virtual void BindNames() {}
    // The send pass of the three address controls: true when `id` was one
    // (they re-address the window and send nothing).
    bool SendAddressControl(int id, BOOL fromSelectors);
    // The bank and ID controls showing the address again.
    void ShowAddress();
    // Asks for a bank and an ID and, confirmed, programs them into the one
    // device connected with `parameter`, a message to all devices.
    void ProgramBankAndId(int model, int parameter);
    void OnFastMeterPolling();
    void OnUpdateFastMeterPolling(CCmdUI* ui);
    void SaveAddressSettings(const char* section, const char* idKey);
    // Returns the address read (or the current one); "EnableFast" is applied.
    int LoadAddressSettings(const char* section, const char* idKey);

    int m_nDeviceId = 0;
    int m_nNameIndex = 0;
    int m_nLastDeviceId = 0;
    int m_nSkipReplies = 0;
    BOOL m_bEnableFast = 1;
    int m_nBankCtl = -1, m_nIdCtl = -1, m_nNameCtl = -1;

    DECLARE_MESSAGE_MAP()
};

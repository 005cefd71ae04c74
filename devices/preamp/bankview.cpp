#include "devices/preamp/bankview.h"

#include "app/deviceaddr.h"
#include "app/digidoc.h"
#include "devices/preamp/bankaddress.h"
#include "framework/winapp.h"
#include "midi/mmein.h"
#include "resource.h"

IMPLEMENT_DYNCREATE(CBankView, CPanelView)

BEGIN_MESSAGE_MAP(CBankView, CPanelView)
    ON_COMMAND(ID_FAST_METER_POLLING, OnFastMeterPolling)
    ON_UPDATE_COMMAND_UI(ID_FAST_METER_POLLING, OnUpdateFastMeterPolling)
END_MESSAGE_MAP()

namespace {
const int kAllSelected = 8;   // "All " in the bank and ID lists
char g_banks[9][PANEL_LIST_ENTRY] = {"01 ", "02 ", "03 ", "04 ", "05 ", "06 ", "07 ", "08 ", "All "};
char g_deviceStates[3][PANEL_LIST_ENTRY] = {"Offline ", "No Response ", "Online "};
}  // namespace

char* BankList() { return g_banks[0]; }
char* DeviceStateTexts() { return g_deviceStates[0]; }

CBankView::CBankView() = default;
CBankView::~CBankView() = default;

int CBankView::SetDeviceId(int address) {
    auto show = [this](int value, int id) { PanelShowValue(value, id, &m_table); };
    const double bank = Value(m_nBankCtl), id = Value(m_nIdCtl);
    if (address < 0) {
        address = bank < 7.5 && id < 7.5 ? bankaddr::AddressOf(TruncateToInt(bank), TruncateToInt(id))
                                         : bankaddr::kAllDevices;
    } else if (!bankaddr::IsValidAddress(address)) {
        // From the registry or a record: an address no device can have
        // changes nothing.
        return 0;
    } else if (address != bankaddr::kAllDevices) {
        show(address / 16, m_nBankCtl);
        show(address % 16, m_nIdCtl);
    } else if (bank < 7.5 || id < 7.5) {
        show(kAllSelected, m_nBankCtl);
        show(kAllSelected, m_nIdCtl);
    }
    if (address == m_nDeviceId) return 0;
    if (address == bankaddr::kAllDevices) m_nLastDeviceId = m_nDeviceId;
    m_nNameIndex = bankaddr::NameIndexOf(address);
    m_nDeviceId = address;
    BindNames();
    show(m_nNameIndex, m_nNameCtl);
    return 0;
}

bool CBankView::SendAddressControl(int id, BOOL fromSelectors) {
    if (id != m_nBankCtl && id != m_nIdCtl && id != m_nNameCtl) return false;
    if (fromSelectors) return true;
    auto show = [this](int value, int ctl) { PanelShowValue(value, ctl, &m_table); };
    if (id == m_nBankCtl) {
        if (Value(m_nBankCtl) > 7.5)
            show(kAllSelected, m_nIdCtl);
        else if (Value(m_nIdCtl) > 7.5)
            show(m_nLastDeviceId % 16, m_nIdCtl);
    } else if (id == m_nIdCtl) {
        if (Value(m_nIdCtl) > 7.5)
            show(kAllSelected, m_nBankCtl);
        else if (Value(m_nBankCtl) > 7.5)
            show(m_nLastDeviceId / 16, m_nBankCtl);
    } else {
        const double v = Value(m_nNameCtl);
        show(v >= 63.5 ? kAllSelected : TruncateToInt(v) / 8, m_nBankCtl);
        show(v >= 63.5 ? kAllSelected : TruncateToInt(v) % 8, m_nIdCtl);
    }
    SetDeviceId(-1);
    return true;
}

void CBankView::ShowAddress() {
    if (m_nDeviceId != bankaddr::kAllDevices) {
        PanelShowValue(m_nDeviceId / 16, m_nBankCtl, &m_table);
        PanelShowValue(m_nDeviceId % 16, m_nIdCtl, &m_table);
    } else if (Value(m_nBankCtl) < 7.5 && Value(m_nIdCtl) < 7.5) {
        PanelShowValue(kAllSelected, m_nBankCtl, &m_table);
        PanelShowValue(kAllSelected, m_nIdCtl, &m_table);
    }
}

void CBankView::ProgramBankAndId(int model, int parameter) {
    int selection = 1000;   // bank mode: 64 lines of bank and ID
    CProgDevID dlg(this);
    dlg.SetDataPointer(&selection);
    if (dlg.DoModal() != IDOK || selection < 0 || selection > 63) return;
    const int address = bankaddr::AddressOfNameIndex(selection);
    if (AfxMessageBox("Do you really want to program Bank Number and Device ID?\nBe sure to have only one device "
                      "connected!",
                      MB_YESNO) != IDYES)
        return;
    if (!theMmeIn.SendShortMessage(this, 0x20, parameter, address, model, bankaddr::kAllDevices))
        AfxMessageBox("No MIDI Connection established, please connect to MIDI.");
}

void CBankView::OnFastMeterPolling() { m_bEnableFast = m_bEnableFast ? 0 : 1; }

void CBankView::OnUpdateFastMeterPolling(CCmdUI* ui) {
    ShowFastPollingItem(ui, m_bEnableFast);
}

void CBankView::SaveAddressSettings(const char* section, const char* idKey) {
    PanelProfileSave(&m_table, section);
    CWinApp* app = AfxGetApp();
    if (!app) return;
    app->WriteProfileInt(section, idKey, m_nDeviceId);
    app->WriteProfileInt(section, "EnableFast", m_bEnableFast);
}

int CBankView::LoadAddressSettings(const char* section, const char* idKey) {
    PanelProfileLoad(&m_table, section);
    CWinApp* app = AfxGetApp();
    if (!app) return m_nDeviceId;
    m_bEnableFast = app->GetProfileInt(section, "EnableFast", m_bEnableFast) ? 1 : 0;
    return int(app->GetProfileInt(section, idKey, m_nDeviceId));
}

#include "devices/routing/routerview.h"

#include "app/deviceaddr.h"
#include "app/devicenames.h"
#include "app/systemset.h"
#include "devices/viewrecord.h"
#include "framework/archive.h"
#include "framework/winapp.h"
#include "resource.h"

IMPLEMENT_DYNCREATE(CRouterView, CPanelView)

BEGIN_MESSAGE_MAP(CRouterView, CPanelView)
    ON_COMMAND(ID_SELECT_DEVICE, OnSelectDeviceId)
    ON_COMMAND(ID_EDIT_DEVICE_NAMES, OnSystemDeviceNames)
END_MESSAGE_MAP()

namespace {
char g_deviceIds[17][PANEL_LIST_ENTRY] = {"00 ", "01 ", "02 ", "03 ", "04 ", "05 ", "06 ", "07 ", "08 ",
                                          "09 ", "0A ", "0B ", "0C ", "0D ", "0E ", "0F ", "All "};
char g_deviceStates[3][PANEL_LIST_ENTRY] = {"Offline ", "No Response ", "Online "};
}  // namespace

char* RouterDeviceIdList() { return g_deviceIds[0]; }
char* RouterDeviceStateList() { return g_deviceStates[0]; }

CRouterView::CRouterView() = default;
CRouterView::~CRouterView() = default;

void CRouterView::SetDeviceId(int id) {
    // IDs come from the registry, setup lines and dialogs; one that no
    // message can carry changes nothing.
    if (id == m_nDeviceId || id < 0 || id > kAllDevices) return;
    m_nDeviceId = id;
    m_nDeviceIndex = DeviceIndexOfId(id);
    BindNames();
    m_nSeenChangeCount = IoNameChangeCounts[m_nDeviceIndex];
}

bool CRouterView::SendAddressControl(int id, double value, BOOL fromSelectors) {
    if (id != kDeviceIdCtl && id != kDeviceName) return false;
    if (!fromSelectors) {
        SetDeviceId(value < 15.5 ? TruncateToInt(value) : kAllDevices);
        PanelShowValue(value, id == kDeviceIdCtl ? kDeviceName : kDeviceIdCtl, &m_table);
    }
    return true;
}

void CRouterView::ShowRouterStatus(int state, int blinkPhase, const char* title) {
    if (IoNameChangeCounts[m_nDeviceIndex] != m_nSeenChangeCount) {
        MarkNames();
        m_nSeenChangeCount = IoNameChangeCounts[m_nDeviceIndex];
    }
    // Other IDs above 15 leave the lists as they are.
    if (m_nDeviceId == kAllDevices || m_nDeviceId < 16) {
        const int shown = m_nDeviceId == kAllDevices ? 16 : m_nDeviceId;
        PanelShowValue(shown, kDeviceIdCtl, &m_table);
        PanelShowValue(shown, kDeviceName, &m_table);
    }
    CountMissedReply(state, kDeviceState);
    ShowStatus(title, blinkPhase);
}

void CRouterView::OnSelectDeviceId() {
    int id = m_nDeviceId;
    CSelDevID dlg(this);
    dlg.SetDataPointer(&id);
    dlg.DoModal();
    SetDeviceId(id);
}

void CRouterView::OnSystemDeviceNames() {
    CSystemSet dlg(this);
    dlg.SetDeviceIndex(m_nDeviceIndex);
    dlg.DoModal();
    PanelMarkChanged(kDeviceName, &m_table);
    RedrawAllControls();
}

void CRouterView::SaveRouterSettings(const char* section) {
    PanelProfileSave(&m_settings, section);
    if (CWinApp* app = AfxGetApp()) app->WriteProfileInt(section, "TarvikID", m_nDeviceId);
}

void CRouterView::LoadRouterSettings(const char* section) {
    PanelProfileLoad(&m_settings, section);
    if (CWinApp* app = AfxGetApp()) SetDeviceId(int(app->GetProfileInt(section, "TarvikID", m_nDeviceId)));
    RefreshMatrixFromSelectors();
    // What was loaded is the state the window had; nothing of it is sent.
    for (PanelControl& c : m_controls) c.flags &= ~PANEL_CHANGED;
}

void CRouterView::SerializeRouter(CArchive& ar, int inputs, bool twoDigitNames) {
    if (ar.IsStoring()) {
        const SystemName* names = NameRow();
        viewrecord::WriteIndex(ar, "TarvikIndex=", m_nDeviceId);
        for (int c = 0; c < inputs; ++c) {
            viewrecord::WriteName(ar, false, c, names[c], twoDigitNames);
            viewrecord::WriteName(ar, true, c, names[inputs + c], twoDigitNames);
        }
        viewrecord::WriteControls(ar, &m_settings);
        return;
    }
    ViewRecordReader reader(ar);
    reader.Next();
    int id = 0;
    if (reader.IndexAddress("TarvikIndex=", &id)) SetDeviceId(id);
    // The row of the device the record has brought.
    SystemName* names = NameRow();
    for (int n = 0; n < 2 * inputs; ++n) {
        if (!reader.Next()) break;
        const int c = n / 2;
        const bool output = n % 2 != 0;
        const char* name = reader.After(viewrecord::NameKey(output, c, twoDigitNames).c_str());
        if (!name) continue;
        // Cut to what an entry holds.
        const int entry = output ? inputs + c : c;
        SetSystemName(names[entry], name);
        PanelMarkChanged(NameControlId(entry), &m_table);
    }
    PanelLoad(&m_settings, ar);
    SendChangedParameters(TRUE, TRUE, FALSE);
}

// What the Tarvik matrix and the Lusket router share: a device ID 0..15 (or
// 127 for all) with its index into the system-wide I/O names, the "Device
// ID", "Device Name" and "Device State" controls, the name controls bound to
// the device's names and repainted when another window edits them, the
// reply skip, and the Select Device and Edit Device Names commands.
#pragma once
#include "app/devicenames.h"
#include "devices/panelview.h"

// The lists both show: "00 " .. "0F ", "All "; and the three states.
char* RouterDeviceIdList();
char* RouterDeviceStateList();

class CRouterView : public CPanelView {
    DECLARE_DYNCREATE(CRouterView)
public:
    enum : int { kDeviceIdCtl = 97, kDeviceName = 98, kDeviceState = 99 };
    static const int kAllDevices = 0x7F;

    CRouterView();
    ~CRouterView() override;

    // IDs 0..127; anything else changes nothing.
    void SetDeviceId(int id);
    int GetDeviceId() const { return m_nDeviceId; }
    int GetDeviceIndex() const { return m_nDeviceIndex; }
    int GetReplySkip() const { return m_nReplySkip; }
    PanelControlTable* SettingsTable() { return &m_settings; }
    // The crosspoints as the selectors (or a preview) say.
    virtual void RefreshMatrixFromSelectors() {}

protected:
    // Points the name controls at the names of the device index and marks
    // them for sending (which repaints them and counts the change).
    virtual void BindNames() {}
    // Marks the name controls changed, to repaint names another window edited.
    virtual void MarkNames() {}
    // The send pass of the ID and name lists: re-addresses the window.
    // True when one was handled.
    bool SendAddressControl(int id, double value, BOOL fromSelectors);
    // The status update of both: names edited elsewhere, the ID lists, the
    // missed-reply count, the title, blinking and repaint.
    void ShowRouterStatus(int state, int blinkPhase, const char* title);
    void OnSelectDeviceId();
    void OnSystemDeviceNames();
    // The device's row of names, and the control that shows entry `entry`.
    virtual SystemName* NameRow() { return nullptr; }
    virtual int NameControlId(int) { return -1; }
    // What both keep: the template controls and "TarvikID" in the registry;
    // in a record the "TarvikIndex=" line, a line per input and output name
    // (the outputs from entry `inputs` on), the control lines.
    void SaveRouterSettings(const char* section);
    void LoadRouterSettings(const char* section);
    void SerializeRouter(CArchive& ar, int inputs, bool twoDigitNames);

    int m_nDeviceId = 0;
    int m_nDeviceIndex = 0;
    int m_nSeenChangeCount = 0;
    int m_nReplySkip = 0;
    // The template rows: setup lines and registry values. The persistence
    // functions look controls up by name, so this header shares the full
    // table's index rather than having one too small for its ids.
    PanelControlTable m_settings{};

    DECLARE_MESSAGE_MAP()
};

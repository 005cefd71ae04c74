// The program's one MIDI transport: port slots shared by the device views,
// sending, polling, the hidden callback window and the tray icon.
#pragma once
#include <windows.h>

#include "midi/portsettings.h"

class CMidiView;

// Blocking waits of the GUI thread go through here so tests can shorten them.
void MidiWait(int milliseconds);
typedef void (*MidiWaitFunction)(int milliseconds);
MidiWaitFunction SetMidiWaitFunction(MidiWaitFunction fn);

// What the tray icon asks of the program's windows.
struct TrayActions {
    void (*showAll)(BOOL restore) = nullptr;
    void (*showMenu)() = nullptr;
};

class CMmeIn {
public:
    CMmeIn();
    ~CMmeIn();
    CMmeIn(const CMmeIn&) = delete;
    CMmeIn& operator=(const CMmeIn&) = delete;

    enum ResolveMode { ByName = 0, ById = 1 };
    void ResolvePortNames(MidiPortSettings* settings, int mode);
    void SetupPorts(MidiPortSettings* settings);
    BOOL OpenPorts(MidiPortSettings* settings, CMidiView* view, BOOL outputOnly);
    void ClosePorts(CMidiView* view);
    BOOL CreateCallbackWindow();
    void EnsureCallbackWindow();
    HWND GetCallbackWindow() const { return m_hCallbackWnd; }

    // A view that goes away gives up every slot that still names it.
    void ForgetView(CMidiView* view);

    void SetTrayActions(const TrayActions& actions) { m_tray = actions; }

private:
    HWND m_hCallbackWnd = nullptr;
    TrayActions m_tray;
};

// The one transport, built before every other global object.
extern CMmeIn theMmeIn;

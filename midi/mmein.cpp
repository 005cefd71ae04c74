#include "midi/mmein.h"

#include "framework/winapp.h"

// The transport's port handling is not built yet: opening reports that
// plainly, and nothing is ever sent or polled.

namespace {
void sleepWait(int ms) { Sleep(DWORD(ms > 0 ? ms : 0)); }
MidiWaitFunction g_wait = sleepWait;
}  // namespace

void MidiWait(int milliseconds) { g_wait(milliseconds); }

MidiWaitFunction SetMidiWaitFunction(MidiWaitFunction fn) {
    MidiWaitFunction old = g_wait;
    g_wait = fn ? fn : sleepWait;
    return old;
}

CMmeIn::CMmeIn() = default;
CMmeIn::~CMmeIn() = default;

void CMmeIn::ResolvePortNames(MidiPortSettings*, int) {}

void CMmeIn::SetupPorts(MidiPortSettings* settings) {
    settings->setupConfirmed = 0;
    AfxMessageBox("MIDI I/O Setup is not available in this version of Vantor.", MB_OK | MB_ICONINFORMATION);
}

BOOL CMmeIn::OpenPorts(MidiPortSettings*, CMidiView*, BOOL) {
    AfxMessageBox("Opening MIDI device:\n\nMIDI ports are not available in this version of Vantor.",
                  MB_OK | MB_ICONWARNING);
    return FALSE;
}

void CMmeIn::ClosePorts(CMidiView*) {}
BOOL CMmeIn::CreateCallbackWindow() { return TRUE; }
void CMmeIn::EnsureCallbackWindow() {}
void CMmeIn::ForgetView(CMidiView*) {}

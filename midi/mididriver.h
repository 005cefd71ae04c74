// The seam between the transport and the system's MIDI layer. Every MIDI call
// of the program goes through one MidiDriver; the default one is winmm, tests
// install a simulated one with named ports and devices behind them.
#pragma once
#include <windows.h>

#include <mmsystem.h>

#include <string>

class MidiDriver {
public:
    virtual ~MidiDriver() = default;

    virtual UINT InGetNumDevs() = 0;
    virtual MMRESULT InGetDevCaps(UINT id, MIDIINCAPSA* caps) = 0;
    // Opens with a window callback: completed buffers come back as MM_MIM_*
    // messages to the window.
    virtual MMRESULT InOpen(HMIDIIN* handle, UINT id, HWND callback) = 0;
    virtual MMRESULT InPrepareHeader(HMIDIIN handle, MIDIHDR* header) = 0;
    virtual MMRESULT InAddBuffer(HMIDIIN handle, MIDIHDR* header) = 0;
    virtual MMRESULT InStart(HMIDIIN handle) = 0;
    virtual MMRESULT InStop(HMIDIIN handle) = 0;
    virtual MMRESULT InReset(HMIDIIN handle) = 0;
    virtual MMRESULT InUnprepareHeader(HMIDIIN handle, MIDIHDR* header) = 0;
    virtual MMRESULT InClose(HMIDIIN handle) = 0;

    virtual UINT OutGetNumDevs() = 0;
    virtual MMRESULT OutGetDevCaps(UINT id, MIDIOUTCAPSA* caps) = 0;
    // id (UINT)-1 is the system's MIDI mapper. Completed messages come back as
    // MM_MOM_DONE to the window.
    virtual MMRESULT OutOpen(HMIDIOUT* handle, UINT id, HWND callback) = 0;
    virtual MMRESULT OutPrepareHeader(HMIDIOUT handle, MIDIHDR* header) = 0;
    virtual MMRESULT OutLongMsg(HMIDIOUT handle, MIDIHDR* header) = 0;
    virtual MMRESULT OutUnprepareHeader(HMIDIOUT handle, MIDIHDR* header) = 0;
    virtual MMRESULT OutReset(HMIDIOUT handle) = 0;
    virtual MMRESULT OutClose(HMIDIOUT handle) = 0;
};

// The driver in use; winmm unless another was installed.
MidiDriver* GetMidiDriver();
// Installs a driver (nullptr: winmm again) and returns the one it replaces.
MidiDriver* SetMidiDriver(MidiDriver* driver);

// Product name of a device of the driver in use; empty when it has none.
std::string MidiInDeviceName(UINT id);
std::string MidiOutDeviceName(UINT id);

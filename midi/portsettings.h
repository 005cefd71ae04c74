// A window's choice of MIDI ports. The device names are what is kept; the ids
// are looked up again from the names at every open.
#pragma once
#include <windows.h>

struct MidiPortSettings {
    int open = 0;                  // MIDI I/O of the window is running
    int outputId = 0;
    int inputId = 0;
    char outputName[200] = "";
    char inputName[200] = "";
    int setupConfirmed = 0;        // the last MIDI I/O Setup ended with OK
};

// Copies a port name, cut to what the field holds (199 characters).
void SetPortName(char (&field)[200], const char* name);

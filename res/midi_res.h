// Resource ids of the MIDI transport: the MIDI I/O Setup dialog.
#pragma once

#define IDD_MIDI_SELECT             135
#define IDC_MIDI_INPUT_LIST         1002
#define IDC_MIDI_OUTPUT_LIST        1003

#include "midi/midiselect.h"

#include "midi/mididriver.h"
#include "midi_res.h"

CMidiSelect::CMidiSelect(CWnd* parent) : CDialog(IDD_MIDI_SELECT, parent) {}

BOOL CMidiSelect::OnInitDialog() {
    CDialog::OnInitDialog();
    MidiDriver* driver = GetMidiDriver();
    // Index in the list = device id; an id that is not listed selects nothing.
    const UINT inputs = driver->InGetNumDevs();
    for (UINT i = 0; i < inputs; ++i)
        SendDlgItemMessage(IDC_MIDI_INPUT_LIST, CB_ADDSTRING, 0, LPARAM(MidiInDeviceName(i).c_str()));
    const UINT outputs = driver->OutGetNumDevs();
    for (UINT i = 0; i < outputs; ++i)
        SendDlgItemMessage(IDC_MIDI_OUTPUT_LIST, CB_ADDSTRING, 0, LPARAM(MidiOutDeviceName(i).c_str()));
    if (m_pIds) {
        SendDlgItemMessage(IDC_MIDI_INPUT_LIST, CB_SETCURSEL, WPARAM(m_pIds[0]), 0);
        SendDlgItemMessage(IDC_MIDI_OUTPUT_LIST, CB_SETCURSEL, WPARAM(m_pIds[1]), 0);
    }
    return TRUE;
}

void CMidiSelect::OnOK() {
    if (m_pIds) {
        m_pIds[0] = int(SendDlgItemMessage(IDC_MIDI_INPUT_LIST, CB_GETCURSEL));
        m_pIds[1] = int(SendDlgItemMessage(IDC_MIDI_OUTPUT_LIST, CB_GETCURSEL));
    }
    CDialog::OnOK();
}

#include "midi/mididriver.h"

namespace {

class WinmmDriver : public MidiDriver {
public:
    UINT InGetNumDevs() override { return midiInGetNumDevs(); }
    MMRESULT InGetDevCaps(UINT id, MIDIINCAPSA* caps) override {
        return midiInGetDevCapsA(id, caps, sizeof(*caps));
    }
    MMRESULT InOpen(HMIDIIN* handle, UINT id, HWND callback) override {
        return midiInOpen(handle, id, DWORD_PTR(callback), 0, CALLBACK_WINDOW);
    }
    MMRESULT InPrepareHeader(HMIDIIN h, MIDIHDR* hdr) override { return midiInPrepareHeader(h, hdr, sizeof(*hdr)); }
    MMRESULT InAddBuffer(HMIDIIN h, MIDIHDR* hdr) override { return midiInAddBuffer(h, hdr, sizeof(*hdr)); }
    MMRESULT InStart(HMIDIIN h) override { return midiInStart(h); }
    MMRESULT InStop(HMIDIIN h) override { return midiInStop(h); }
    MMRESULT InReset(HMIDIIN h) override { return midiInReset(h); }
    MMRESULT InUnprepareHeader(HMIDIIN h, MIDIHDR* hdr) override {
        return midiInUnprepareHeader(h, hdr, sizeof(*hdr));
    }
    MMRESULT InClose(HMIDIIN h) override { return midiInClose(h); }

    UINT OutGetNumDevs() override { return midiOutGetNumDevs(); }
    MMRESULT OutGetDevCaps(UINT id, MIDIOUTCAPSA* caps) override {
        return midiOutGetDevCapsA(id, caps, sizeof(*caps));
    }
    MMRESULT OutOpen(HMIDIOUT* handle, UINT id, HWND callback) override {
        return midiOutOpen(handle, id, DWORD_PTR(callback), 0, CALLBACK_WINDOW);
    }
    MMRESULT OutPrepareHeader(HMIDIOUT h, MIDIHDR* hdr) override { return midiOutPrepareHeader(h, hdr, sizeof(*hdr)); }
    MMRESULT OutLongMsg(HMIDIOUT h, MIDIHDR* hdr) override { return midiOutLongMsg(h, hdr, sizeof(*hdr)); }
    MMRESULT OutUnprepareHeader(HMIDIOUT h, MIDIHDR* hdr) override {
        return midiOutUnprepareHeader(h, hdr, sizeof(*hdr));
    }
    MMRESULT OutReset(HMIDIOUT h) override { return midiOutReset(h); }
    MMRESULT OutClose(HMIDIOUT h) override { return midiOutClose(h); }
};

WinmmDriver g_winmm;
MidiDriver* g_driver = &g_winmm;

// szPname need not be terminated by every driver.
template <size_t N>
std::string productName(const char (&name)[N]) {
    size_t n = 0;
    while (n < N && name[n]) ++n;
    return std::string(name, n);
}

}  // namespace

MidiDriver* GetMidiDriver() { return g_driver; }

MidiDriver* SetMidiDriver(MidiDriver* driver) {
    MidiDriver* old = g_driver;
    g_driver = driver ? driver : &g_winmm;
    return old;
}

std::string MidiInDeviceName(UINT id) {
    MIDIINCAPSA caps{};
    if (g_driver->InGetDevCaps(id, &caps) != MMSYSERR_NOERROR) return std::string();
    return productName(caps.szPname);
}

std::string MidiOutDeviceName(UINT id) {
    MIDIOUTCAPSA caps{};
    if (g_driver->OutGetDevCaps(id, &caps) != MMSYSERR_NOERROR) return std::string();
    return productName(caps.szPname);
}

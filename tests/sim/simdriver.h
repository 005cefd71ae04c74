// A simulated MIDI driver: named input and output ports (some may fail to
// open, or be in use), a log of every message sent, and devices behind the
// ports that answer with the same window messages winmm posts to a
// CALLBACK_WINDOW (MM_MIM_LONGDATA with a filled buffer, MM_MOM_DONE).
//
// Constructing one installs it as the program's MIDI driver and its Wait as
// the program's blocking wait; destroying it puts back what was there.
// Everything runs on the calling (GUI) thread; time passes only through Wait
// and Advance.
#pragma once
#include <string>
#include <vector>

#include "midi/mididriver.h"
#include "midi/mmein.h"
#include "sim/simdevice.h"

namespace sim {

struct SentMessage {
    int output;            // output device id; -1 is the MIDI mapper
    Bytes bytes;
    bool cutOff = false;   // a reset came before it had left the port
};

class SimMidiDriver : public MidiDriver {
public:
    SimMidiDriver();
    ~SimMidiDriver() override;
    SimMidiDriver(const SimMidiDriver&) = delete;
    SimMidiDriver& operator=(const SimMidiDriver&) = delete;

    // Ports. The result is given back by every open of the port, e.g.
    // MMSYSERR_ALLOCATED for a port that another program holds.
    int AddInput(const std::string& name, MMRESULT openResult = MMSYSERR_NOERROR);
    int AddOutput(const std::string& name, MMRESULT openResult = MMSYSERR_NOERROR);
    void SetInputOpenResult(int id, MMRESULT result);
    void SetOutputOpenResult(int id, MMRESULT result);
    void RenameInput(int id, const std::string& name);
    void RenameOutput(int id, const std::string& name);

    // The device hears what is sent on the output (-1: the mapper) and answers
    // on the input (-1: nowhere). The driver does not own it.
    void Connect(SimDevice* device, int output, int input);

    // A message takes this long per byte to leave an output; 0 (the default)
    // sends it at once. Time moves on by Advance and by the program's waits.
    void SetOutputTime(double msPerByte) { m_msPerByte = msPerByte; }
    void Advance(double ms);
    double Now() const { return m_now; }

    // Bytes arriving on an input as a device sent them, in as many buffers as
    // they need. Without a started port or a queued buffer they are lost.
    void Deliver(int input, const Bytes& bytes);

    // The wait the program uses while this driver is installed: it records the
    // wait and lets simulated time pass.
    static void Wait(int milliseconds);

    // What happened.
    std::vector<SentMessage> sent;
    std::vector<int> waits;
    int lostInputs = 0;
    int inAdded = 0;          // input buffers handed to the driver
    int inUnprepared = 0;     // unprepare calls, one per buffer given back
    int outUnprepared = 0;
    int InputOpens(int id) const;
    int InputCloses(int id) const;
    int OutputOpens(int id) const;    // id -1: the mapper
    int OutputCloses(int id) const;
    bool IsInputOpen(int id) const;
    bool IsOutputOpen(int id) const;
    bool IsInputStarted(int id) const;
    int QueuedBuffers(int input) const;
    int PendingOutput(int output) const;   // messages not yet done
    std::vector<Bytes> SentTo(int output) const;

    // MidiDriver
    UINT InGetNumDevs() override;
    MMRESULT InGetDevCaps(UINT id, MIDIINCAPSA* caps) override;
    MMRESULT InOpen(HMIDIIN* handle, UINT id, HWND callback) override;
    MMRESULT InPrepareHeader(HMIDIIN handle, MIDIHDR* header) override;
    MMRESULT InAddBuffer(HMIDIIN handle, MIDIHDR* header) override;
    MMRESULT InStart(HMIDIIN handle) override;
    MMRESULT InStop(HMIDIIN handle) override;
    MMRESULT InReset(HMIDIIN handle) override;
    MMRESULT InUnprepareHeader(HMIDIIN handle, MIDIHDR* header) override;
    MMRESULT InClose(HMIDIIN handle) override;
    UINT OutGetNumDevs() override;
    MMRESULT OutGetDevCaps(UINT id, MIDIOUTCAPSA* caps) override;
    MMRESULT OutOpen(HMIDIOUT* handle, UINT id, HWND callback) override;
    MMRESULT OutPrepareHeader(HMIDIOUT handle, MIDIHDR* header) override;
    MMRESULT OutLongMsg(HMIDIOUT handle, MIDIHDR* header) override;
    MMRESULT OutUnprepareHeader(HMIDIOUT handle, MIDIHDR* header) override;
    MMRESULT OutReset(HMIDIOUT handle) override;
    MMRESULT OutClose(HMIDIOUT handle) override;

private:
    struct Pending {
        MIDIHDR* header;
        size_t logIndex;
        double doneAt;
    };
    struct Port {
        std::string name;
        MMRESULT openResult = MMSYSERR_NOERROR;
        bool open = false;
        bool started = false;
        UINT_PTR handle = 0;
        HWND callback = nullptr;
        int opens = 0;
        int closes = 0;
        std::vector<MIDIHDR*> queue;     // input buffers waiting for data
        std::vector<Pending> pending;    // output messages on their way
    };
    struct Link {
        SimDevice* device;
        int output;
        int input;
    };

    Port* FindInput(HMIDIIN handle, int* id = nullptr);
    Port* FindOutput(HMIDIOUT handle, int* id = nullptr);
    Port* OutputPort(int id);
    const Port* OutputPort(int id) const;
    void Complete(Port& port, int output, const Pending& p);

    std::vector<Port> m_inputs;
    std::vector<Port> m_outputs;
    Port m_mapper;
    std::vector<Link> m_links;
    double m_msPerByte = 0;
    double m_now = 0;
    UINT_PTR m_nextHandle = 0x5100;

    MidiDriver* m_previousDriver;
    MidiWaitFunction m_previousWait;
};

}  // namespace sim

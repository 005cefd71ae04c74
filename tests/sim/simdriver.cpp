#include "sim/simdriver.h"

#include <algorithm>
#include <cstring>

namespace sim {

namespace {
SimMidiDriver* g_active = nullptr;

template <size_t N>
void copyName(char (&field)[N], const std::string& name) {
    std::memset(field, 0, N);
    std::memcpy(field, name.data(), std::min(name.size(), N - 1));
}
}  // namespace

SimMidiDriver::SimMidiDriver() {
    m_mapper.name = "MIDI Mapper";
    m_previousDriver = SetMidiDriver(this);
    m_previousWait = SetMidiWaitFunction(Wait);
    g_active = this;
}

SimMidiDriver::~SimMidiDriver() {
    SetMidiDriver(m_previousDriver);
    SetMidiWaitFunction(m_previousWait);
    if (g_active == this) g_active = nullptr;
}

void SimMidiDriver::Wait(int milliseconds) {
    if (!g_active) return;
    g_active->waits.push_back(milliseconds);
    g_active->Advance(milliseconds);
}

int SimMidiDriver::AddInput(const std::string& name, MMRESULT openResult) {
    Port p;
    p.name = name;
    p.openResult = openResult;
    m_inputs.push_back(p);
    return int(m_inputs.size()) - 1;
}

int SimMidiDriver::AddOutput(const std::string& name, MMRESULT openResult) {
    Port p;
    p.name = name;
    p.openResult = openResult;
    m_outputs.push_back(p);
    return int(m_outputs.size()) - 1;
}

void SimMidiDriver::SetInputOpenResult(int id, MMRESULT result) { m_inputs.at(size_t(id)).openResult = result; }
void SimMidiDriver::SetOutputOpenResult(int id, MMRESULT result) { m_outputs.at(size_t(id)).openResult = result; }
void SimMidiDriver::RenameInput(int id, const std::string& name) { m_inputs.at(size_t(id)).name = name; }
void SimMidiDriver::RenameOutput(int id, const std::string& name) { m_outputs.at(size_t(id)).name = name; }

void SimMidiDriver::Connect(SimDevice* device, int output, int input) { m_links.push_back({device, output, input}); }

SimMidiDriver::Port* SimMidiDriver::OutputPort(int id) {
    if (id == -1) return &m_mapper;
    return (id >= 0 && id < int(m_outputs.size())) ? &m_outputs[size_t(id)] : nullptr;
}

const SimMidiDriver::Port* SimMidiDriver::OutputPort(int id) const {
    if (id == -1) return &m_mapper;
    return (id >= 0 && id < int(m_outputs.size())) ? &m_outputs[size_t(id)] : nullptr;
}

SimMidiDriver::Port* SimMidiDriver::FindInput(HMIDIIN handle, int* id) {
    for (size_t i = 0; i < m_inputs.size(); ++i) {
        if (m_inputs[i].open && m_inputs[i].handle == UINT_PTR(handle)) {
            if (id) *id = int(i);
            return &m_inputs[i];
        }
    }
    return nullptr;
}

SimMidiDriver::Port* SimMidiDriver::FindOutput(HMIDIOUT handle, int* id) {
    if (m_mapper.open && m_mapper.handle == UINT_PTR(handle)) {
        if (id) *id = -1;
        return &m_mapper;
    }
    for (size_t i = 0; i < m_outputs.size(); ++i) {
        if (m_outputs[i].open && m_outputs[i].handle == UINT_PTR(handle)) {
            if (id) *id = int(i);
            return &m_outputs[i];
        }
    }
    return nullptr;
}

// ---------------------------------------------------------------- inspection

int SimMidiDriver::InputOpens(int id) const { return m_inputs.at(size_t(id)).opens; }
int SimMidiDriver::InputCloses(int id) const { return m_inputs.at(size_t(id)).closes; }
int SimMidiDriver::OutputOpens(int id) const { return OutputPort(id) ? OutputPort(id)->opens : 0; }
int SimMidiDriver::OutputCloses(int id) const { return OutputPort(id) ? OutputPort(id)->closes : 0; }
bool SimMidiDriver::IsInputOpen(int id) const { return m_inputs.at(size_t(id)).open; }
bool SimMidiDriver::IsOutputOpen(int id) const { return OutputPort(id) && OutputPort(id)->open; }
bool SimMidiDriver::IsInputStarted(int id) const { return m_inputs.at(size_t(id)).started; }
int SimMidiDriver::QueuedBuffers(int input) const { return int(m_inputs.at(size_t(input)).queue.size()); }
int SimMidiDriver::PendingOutput(int output) const {
    return OutputPort(output) ? int(OutputPort(output)->pending.size()) : 0;
}

std::vector<Bytes> SimMidiDriver::SentTo(int output) const {
    std::vector<Bytes> out;
    for (const SentMessage& m : sent)
        if (m.output == output) out.push_back(m.bytes);
    return out;
}

// ---------------------------------------------------------------- time and devices

void SimMidiDriver::Advance(double ms) {
    m_now += ms;
    auto advancePort = [this](Port& port, int output) {
        while (!port.pending.empty() && port.pending.front().doneAt <= m_now) {
            Pending p = port.pending.front();
            port.pending.erase(port.pending.begin());
            Complete(port, output, p);
        }
    };
    advancePort(m_mapper, -1);
    for (size_t i = 0; i < m_outputs.size(); ++i) advancePort(m_outputs[i], int(i));
}

// The message has left the port: the driver gives the header back and the
// devices on that line hear it and answer.
void SimMidiDriver::Complete(Port& port, int output, const Pending& p) {
    p.header->dwFlags = (p.header->dwFlags & ~DWORD(MHDR_INQUEUE)) | MHDR_DONE;
    PostMessageA(port.callback, MM_MOM_DONE, WPARAM(port.handle), LPARAM(p.header));
    const Bytes message = sent[p.logIndex].bytes;
    // The mapper plays through the first output.
    const int line = (output == -1) ? 0 : output;
    const std::vector<Link> links = m_links;
    for (const Link& link : links) {
        if (link.output != line && !(output == -1 && link.output == -1)) continue;
        for (const Bytes& reply : link.device->Hear(message))
            if (link.input >= 0) Deliver(link.input, reply);
    }
}

void SimMidiDriver::Deliver(int input, const Bytes& bytes) {
    if (input < 0 || input >= int(m_inputs.size())) return;
    Port& port = m_inputs[size_t(input)];
    if (!port.open || !port.started) {
        ++lostInputs;
        return;
    }
    size_t pos = 0;
    do {
        if (port.queue.empty()) {
            ++lostInputs;
            return;
        }
        MIDIHDR* h = port.queue.front();
        port.queue.erase(port.queue.begin());
        const size_t n = std::min<size_t>(bytes.size() - pos, h->dwBufferLength);
        std::memcpy(h->lpData, bytes.data() + pos, n);
        h->dwBytesRecorded = DWORD(n);
        h->dwFlags = (h->dwFlags & ~DWORD(MHDR_INQUEUE)) | MHDR_DONE;
        PostMessageA(port.callback, MM_MIM_LONGDATA, WPARAM(port.handle), LPARAM(h));
        pos += n;
    } while (pos < bytes.size());
}

// ---------------------------------------------------------------- inputs

UINT SimMidiDriver::InGetNumDevs() { return UINT(m_inputs.size()); }

MMRESULT SimMidiDriver::InGetDevCaps(UINT id, MIDIINCAPSA* caps) {
    if (id >= m_inputs.size()) return MMSYSERR_BADDEVICEID;
    *caps = MIDIINCAPSA{};
    copyName(caps->szPname, m_inputs[id].name);
    return MMSYSERR_NOERROR;
}

MMRESULT SimMidiDriver::InOpen(HMIDIIN* handle, UINT id, HWND callback) {
    *handle = nullptr;
    if (id >= m_inputs.size()) return MMSYSERR_BADDEVICEID;
    Port& port = m_inputs[id];
    if (port.openResult != MMSYSERR_NOERROR) return port.openResult;
    if (port.open) return MMSYSERR_ALLOCATED;
    port.open = true;
    port.started = false;
    port.handle = m_nextHandle++;
    port.callback = callback;
    ++port.opens;
    *handle = reinterpret_cast<HMIDIIN>(port.handle);
    PostMessageA(callback, MM_MIM_OPEN, WPARAM(port.handle), 0);
    return MMSYSERR_NOERROR;
}

MMRESULT SimMidiDriver::InPrepareHeader(HMIDIIN, MIDIHDR* header) {
    header->dwFlags |= MHDR_PREPARED;
    return MMSYSERR_NOERROR;
}

MMRESULT SimMidiDriver::InAddBuffer(HMIDIIN handle, MIDIHDR* header) {
    Port* port = FindInput(handle);
    if (!port) return MMSYSERR_INVALHANDLE;
    if (!(header->dwFlags & MHDR_PREPARED)) return MIDIERR_UNPREPARED;
    header->dwFlags = (header->dwFlags & ~DWORD(MHDR_DONE)) | MHDR_INQUEUE;
    header->dwBytesRecorded = 0;
    port->queue.push_back(header);
    ++inAdded;
    return MMSYSERR_NOERROR;
}

MMRESULT SimMidiDriver::InStart(HMIDIIN handle) {
    Port* port = FindInput(handle);
    if (!port) return MMSYSERR_INVALHANDLE;
    port->started = true;
    return MMSYSERR_NOERROR;
}

MMRESULT SimMidiDriver::InStop(HMIDIIN handle) {
    Port* port = FindInput(handle);
    if (!port) return MMSYSERR_INVALHANDLE;
    port->started = false;
    return MMSYSERR_NOERROR;
}

// Every queued buffer comes back empty, as winmm returns them on a reset.
MMRESULT SimMidiDriver::InReset(HMIDIIN handle) {
    Port* port = FindInput(handle);
    if (!port) return MMSYSERR_INVALHANDLE;
    port->started = false;
    for (MIDIHDR* h : port->queue) {
        h->dwBytesRecorded = 0;
        h->dwFlags = (h->dwFlags & ~DWORD(MHDR_INQUEUE)) | MHDR_DONE;
        PostMessageA(port->callback, MM_MIM_LONGDATA, WPARAM(port->handle), LPARAM(h));
    }
    port->queue.clear();
    return MMSYSERR_NOERROR;
}

MMRESULT SimMidiDriver::InUnprepareHeader(HMIDIIN handle, MIDIHDR* header) {
    ++inUnprepared;
    if (!FindInput(handle)) return MMSYSERR_INVALHANDLE;
    if (header->dwFlags & MHDR_INQUEUE) return MIDIERR_STILLPLAYING;
    header->dwFlags &= ~DWORD(MHDR_PREPARED);
    return MMSYSERR_NOERROR;
}

MMRESULT SimMidiDriver::InClose(HMIDIIN handle) {
    Port* port = FindInput(handle);
    if (!port) return MMSYSERR_INVALHANDLE;
    if (!port->queue.empty()) return MIDIERR_STILLPLAYING;
    PostMessageA(port->callback, MM_MIM_CLOSE, WPARAM(port->handle), 0);
    port->open = false;
    port->started = false;
    port->handle = 0;
    ++port->closes;
    return MMSYSERR_NOERROR;
}

// ---------------------------------------------------------------- outputs

UINT SimMidiDriver::OutGetNumDevs() { return UINT(m_outputs.size()); }

MMRESULT SimMidiDriver::OutGetDevCaps(UINT id, MIDIOUTCAPSA* caps) {
    Port* port = OutputPort(int(id));
    if (!port) return MMSYSERR_BADDEVICEID;
    *caps = MIDIOUTCAPSA{};
    copyName(caps->szPname, port->name);
    return MMSYSERR_NOERROR;
}

MMRESULT SimMidiDriver::OutOpen(HMIDIOUT* handle, UINT id, HWND callback) {
    *handle = nullptr;
    Port* port = OutputPort(int(id));
    if (!port || (id == UINT(-1) && m_outputs.empty())) return MMSYSERR_BADDEVICEID;
    if (port->openResult != MMSYSERR_NOERROR) return port->openResult;
    if (port->open) return MMSYSERR_ALLOCATED;
    port->open = true;
    port->handle = m_nextHandle++;
    port->callback = callback;
    ++port->opens;
    *handle = reinterpret_cast<HMIDIOUT>(port->handle);
    PostMessageA(callback, MM_MOM_OPEN, WPARAM(port->handle), 0);
    return MMSYSERR_NOERROR;
}

MMRESULT SimMidiDriver::OutPrepareHeader(HMIDIOUT, MIDIHDR* header) {
    header->dwFlags |= MHDR_PREPARED;
    return MMSYSERR_NOERROR;
}

MMRESULT SimMidiDriver::OutLongMsg(HMIDIOUT handle, MIDIHDR* header) {
    int id = 0;
    Port* port = FindOutput(handle, &id);
    if (!port) return MMSYSERR_INVALHANDLE;
    if (!(header->dwFlags & MHDR_PREPARED)) return MIDIERR_UNPREPARED;
    const BYTE* data = reinterpret_cast<const BYTE*>(header->lpData);
    sent.push_back({id, Bytes(data, data + header->dwBufferLength), false});
    header->dwFlags = (header->dwFlags & ~DWORD(MHDR_DONE)) | MHDR_INQUEUE;
    const double start = port->pending.empty() ? m_now : std::max(m_now, port->pending.back().doneAt);
    Pending p{header, sent.size() - 1, start + m_msPerByte * header->dwBufferLength};
    if (m_msPerByte <= 0) {
        Complete(*port, id, p);
    } else {
        port->pending.push_back(p);
    }
    return MMSYSERR_NOERROR;
}

MMRESULT SimMidiDriver::OutUnprepareHeader(HMIDIOUT handle, MIDIHDR* header) {
    ++outUnprepared;
    if (!FindOutput(handle)) return MMSYSERR_INVALHANDLE;
    if (header->dwFlags & MHDR_INQUEUE) return MIDIERR_STILLPLAYING;
    header->dwFlags &= ~DWORD(MHDR_PREPARED);
    return MMSYSERR_NOERROR;
}

// What has not left yet is cut off and given back.
MMRESULT SimMidiDriver::OutReset(HMIDIOUT handle) {
    Port* port = FindOutput(handle);
    if (!port) return MMSYSERR_INVALHANDLE;
    for (const Pending& p : port->pending) {
        sent[p.logIndex].cutOff = true;
        p.header->dwFlags = (p.header->dwFlags & ~DWORD(MHDR_INQUEUE)) | MHDR_DONE;
        PostMessageA(port->callback, MM_MOM_DONE, WPARAM(port->handle), LPARAM(p.header));
    }
    port->pending.clear();
    return MMSYSERR_NOERROR;
}

MMRESULT SimMidiDriver::OutClose(HMIDIOUT handle) {
    Port* port = FindOutput(handle);
    if (!port) return MMSYSERR_INVALHANDLE;
    if (!port->pending.empty()) return MIDIERR_STILLPLAYING;
    PostMessageA(port->callback, MM_MOM_CLOSE, WPARAM(port->handle), 0);
    port->open = false;
    port->handle = 0;
    ++port->closes;
    return MMSYSERR_NOERROR;
}

}  // namespace sim

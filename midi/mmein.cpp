#include "midi/mmein.h"

#include <shellapi.h>

#include <algorithm>
#include <cstring>
#include <string>

#include "framework/winapp.h"
#include "midi/mididriver.h"
#include "midi/midiselect.h"
#include "midi/midiview.h"
#include "panel/panel.h"
#include "resource.h"

namespace {

void sleepWait(int ms) { Sleep(DWORD(ms > 0 ? ms : 0)); }
MidiWaitFunction g_wait = sleepWait;

const char kCallbackClass[] = "MidiCallBack";
const UINT_PTR kPollTimer = 1;
const UINT kPollInterval = 15;
const int kInputAllocation = 264;
const int kShortAllocation = 16;
const BYTE kSysExStart = 0xF0;
const BYTE kSysExEnd = 0xF7;
const BYTE kManufacturer[3] = {0x00, 0x7E, 0x31};
const int kModelWideGroups = 0x69;   // the one model with 4-byte parameter groups
const int kCommandFast = 0x11;
const char kTrayTip[] = "Restore / Minimize all Vantor Windows";
const DWORD kNotifyIconDataSize = 488;   // the form with a 128-character tip

// Nothing but a 7-bit byte may stand between F0 and F7: a higher one would
// end the message early and corrupt the stream for every device on the port.
inline BYTE dataByte(int value) { return BYTE(value & 0x7F); }

bool validInputId(DWORD_PTR id) { return id < DWORD_PTR(CMmeIn::kInputQueues); }

const char* inputErrorText(MMRESULT result) {
    switch (result) {
    case MMSYSERR_NOERROR: return "";
    case MMSYSERR_BADDEVICEID: return "Invalid Input device selected.\n";
    case MMSYSERR_ALLOCATED: return "Input Device already in use.\n";
    default: return "Error on Input Device";
    }
}

const char* outputErrorText(MMRESULT result) {
    switch (result) {
    case MMSYSERR_NOERROR: return "";
    case MMSYSERR_BADDEVICEID: return "Invalid Output device selected.\n";
    case MMSYSERR_ALLOCATED: return "Output Device already in use.\n";
    default: return "Error on Output Device";
    }
}

}  // namespace

void MidiWait(int milliseconds) { g_wait(milliseconds); }

MidiWaitFunction SetMidiWaitFunction(MidiWaitFunction fn) {
    MidiWaitFunction old = g_wait;
    g_wait = fn ? fn : sleepWait;
    return old;
}

CMmeIn::CMmeIn() = default;

CMmeIn::~CMmeIn() {
    // Ports stay as they are: each document closes its own.
    if (m_hCallbackWnd) DestroyWindow(m_hCallbackWnd);
    m_hCallbackWnd = nullptr;
    for (MidiPortSlot& slot : m_slots) slot.view = nullptr;
    // Buffers the driver has already given back would have been freed by the
    // messages that the window no longer receives; those still queued on an
    // open device must stay where the driver can write.
    for (const OutputHeader& o : m_outputHeaders)
        if (o.header->dwFlags & MHDR_DONE) FreeHeader(o.header);
    for (const InputBuffer& b : m_inputBuffers)
        if (b.header->dwFlags & MHDR_DONE) FreeHeader(b.header);
    m_outputHeaders.clear();
    m_inputBuffers.clear();
}

const MidiPortSlot& CMmeIn::GetSlot(int index) const {
    static const MidiPortSlot none;
    return (index >= 0 && index < kSlotCount) ? m_slots[index] : none;
}

int CMmeIn::FindSlot(const CMidiView* view) const {
    if (!view) return -1;
    for (int i = 0; i < kSlotCount; ++i)
        if (m_slots[i].view == view) return i;
    return -1;
}

int CMmeIn::GetQueuedInputBuffers(int inputId) const {
    return (inputId >= 0 && inputId < kInputQueues) ? m_nQueued[inputId] : 0;
}

void CMmeIn::FreeHeader(MIDIHDR* header) {
    delete[] header->lpData;
    delete header;
}

// ---------------------------------------------------------------- ports

void CMmeIn::ResolvePortNames(MidiPortSettings* settings, int mode) {
    if (!settings) return;
    MidiDriver* driver = GetMidiDriver();
    const int inCount = int(driver->InGetNumDevs());
    const int outCount = int(driver->OutGetNumDevs());

    if (mode == ByName) {
        if (settings->inputName[0]) {
            int id = -1;
            for (int i = 0; i < inCount; ++i)
                if (MidiInDeviceName(UINT(i)) == settings->inputName) id = i;   // the last equal name wins
            settings->inputId = id;
        } else if (settings->inputId >= 0 && settings->inputId < inCount) {
            SetPortName(settings->inputName, MidiInDeviceName(UINT(settings->inputId)).c_str());
        }
        if (settings->outputName[0]) {
            int id = -1;   // no such device: the MIDI mapper
            for (int i = 0; i < outCount; ++i)
                if (MidiOutDeviceName(UINT(i)) == settings->outputName) id = i;
            settings->outputId = id;
        } else if (settings->outputId >= 0 && settings->outputId < outCount) {
            SetPortName(settings->outputName, MidiOutDeviceName(UINT(settings->outputId)).c_str());
        }
    } else {
        if (settings->inputId >= 0 && settings->inputId < inCount)
            SetPortName(settings->inputName, MidiInDeviceName(UINT(settings->inputId)).c_str());
        if (settings->outputId >= 0 && settings->outputId < outCount)
            SetPortName(settings->outputName, MidiOutDeviceName(UINT(settings->outputId)).c_str());
    }
}

void CMmeIn::SetupPorts(MidiPortSettings* settings) {
    if (!settings) return;
    ResolvePortNames(settings, ByName);
    int ids[2] = {settings->inputId, settings->outputId};
    CMidiSelect dialog;
    dialog.SetIdPair(ids);
    if (dialog.DoModal() == IDOK) {
        settings->inputId = ids[0];
        settings->outputId = ids[1];
        ResolvePortNames(settings, ById);
        settings->setupConfirmed = 1;
    } else {
        settings->setupConfirmed = 0;
    }
}

BOOL CMmeIn::OpenPorts(MidiPortSettings* settings, CMidiView* view, BOOL outputOnly) {
    if (!settings || !view) return FALSE;
    ResolvePortNames(settings, ByName);
    EnsureCallbackWindow();

    // One view, one slot: a second open replaces the first instead of leaving
    // a slot behind that nobody closes.
    if (FindSlot(view) >= 0) ClosePorts(view);

    int index = -1;
    for (int i = 0; i < kSlotCount && index < 0; ++i)
        if (!m_slots[i].view) index = i;
    if (index < 0) return FALSE;
    if (settings->inputId > kInputQueues - 1 || settings->outputId > kInputQueues - 1) return FALSE;

    MidiDriver* driver = GetMidiDriver();
    MidiPortSlot& slot = m_slots[index];
    // A reused slot must not carry the handles of its last user: a failed open
    // would close them under the window that still uses them.
    slot.inputHandle = nullptr;
    slot.outputHandle = nullptr;
    // Nor its reply filter: the new view has asked nothing yet.
    slot.modelFilter = -1;
    slot.deviceFilter = -1;

    MMRESULT outResult = MMSYSERR_NOERROR;
    HMIDIOUT sharedOut = nullptr;
    for (int i = 0; i < kSlotCount; ++i)
        if (m_slots[i].view && m_slots[i].outputId == settings->outputId && m_slots[i].outputHandle)
            sharedOut = m_slots[i].outputHandle;
    if (sharedOut) {
        slot.outputHandle = sharedOut;
    } else {
        HMIDIOUT h = nullptr;
        outResult = driver->OutOpen(&h, UINT(settings->outputId), m_hCallbackWnd);
        slot.outputHandle = (outResult == MMSYSERR_NOERROR) ? h : nullptr;
    }
    slot.outputId = settings->outputId;

    MMRESULT inResult = MMSYSERR_NOERROR;
    bool openedInput = false;
    if (outputOnly) {
        slot.inputId = -1;
    } else {
        // Only a slot that really holds an input can share it: an output-only
        // slot has id -1 too, and a missing device must still fail to open.
        HMIDIIN sharedIn = nullptr;
        for (int i = 0; i < kSlotCount; ++i)
            if (m_slots[i].view && m_slots[i].inputId == settings->inputId && m_slots[i].inputHandle)
                sharedIn = m_slots[i].inputHandle;
        if (sharedIn) {
            slot.inputHandle = sharedIn;
        } else {
            HMIDIIN h = nullptr;
            inResult = driver->InOpen(&h, UINT(settings->inputId), m_hCallbackWnd);
            slot.inputHandle = (inResult == MMSYSERR_NOERROR) ? h : nullptr;
            openedInput = (inResult == MMSYSERR_NOERROR);
        }
        slot.inputId = settings->inputId;
    }

    slot.view = view;

    if (inResult == MMSYSERR_NOERROR && outResult == MMSYSERR_NOERROR) {
        if (openedInput) driver->InStart(slot.inputHandle);
        return TRUE;
    }

    ClosePorts(view);
    std::string text = "Opening MIDI device:\n\n";
    text += inputErrorText(inResult);
    text += outputErrorText(outResult);
    AfxShowMessageBox(view->GetSafeHwnd(), text.c_str(), "Vantor", MB_OK | MB_ICONWARNING);
    return FALSE;
}

void CMmeIn::ClosePorts(CMidiView* view) {
    int index = FindSlot(view);
    if (index >= 0) ReleaseSlot(index);
}

void CMmeIn::ForgetView(CMidiView* view) {
    if (!view) return;
    for (int i = 0; i < kSlotCount; ++i)
        if (m_slots[i].view == view) ReleaseSlot(i);
}

void CMmeIn::ReleaseSlot(int index) {
    MidiPortSlot& slot = m_slots[index];
    slot.view = nullptr;
    // A device closes with the last slot that holds its handle.
    bool inputInUse = false;
    bool outputInUse = false;
    for (int i = 0; i < kSlotCount; ++i) {
        if (!m_slots[i].view) continue;
        if (slot.inputHandle && m_slots[i].inputHandle == slot.inputHandle) inputInUse = true;
        if (slot.outputHandle && m_slots[i].outputHandle == slot.outputHandle) outputInUse = true;
    }
    MidiDriver* driver = GetMidiDriver();
    if (slot.inputHandle && !inputInUse) {
        driver->InStop(slot.inputHandle);
        driver->InReset(slot.inputHandle);
        MidiWait(100);
        driver->InClose(slot.inputHandle);
    }
    if (slot.outputHandle && !outputInUse) {
        // A reset cuts off what is still on its way out, such as the block of
        // a single send that closes right after it.
        WaitForOutput(slot.outputHandle);
        driver->OutReset(slot.outputHandle);
        driver->OutClose(slot.outputHandle);
    }
    slot.inputHandle = nullptr;
    slot.outputHandle = nullptr;
}

void CMmeIn::WaitForOutput(HMIDIOUT handle) {
    auto outstandingBytes = [this, handle]() {
        DWORD bytes = 0;
        for (const OutputHeader& o : m_outputHeaders)
            if (o.handle == handle && !(o.header->dwFlags & MHDR_DONE)) bytes += o.header->dwBufferLength;
        return bytes;
    };
    DWORD bytes = outstandingBytes();
    if (!bytes) return;
    // About what the bytes need at MIDI speed, with a margin, and never long.
    const int limit = int(std::min<DWORD>(500, 20 + (bytes * 35 + 99) / 100));
    const DWORD start = GetTickCount();
    int waited = 0;
    while (outstandingBytes() && waited < limit && int(GetTickCount() - start) < limit) {
        MidiWait(1);
        ++waited;
    }
}

// ---------------------------------------------------------------- callback window

BOOL CMmeIn::CreateCallbackWindow() {
    HINSTANCE instance = AfxGetInstanceHandle();
    WNDCLASSA existing;
    if (!GetClassInfoA(instance, kCallbackClass, &existing)) {
        WNDCLASSA wc{};
        wc.lpfnWndProc = MidiCallBackWndProc;
        wc.hInstance = instance;
        wc.lpszClassName = kCallbackClass;
        RegisterClassA(&wc);
    }
    CreateWindowExA(WS_EX_CLIENTEDGE, kCallbackClass, "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, instance, this);
    return TRUE;
}

void CMmeIn::EnsureCallbackWindow() {
    if (!m_hCallbackWnd) CreateCallbackWindow();
}

LRESULT CALLBACK CMmeIn::MidiCallBackWndProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* cs = reinterpret_cast<CREATESTRUCTA*>(lParam);
        auto* self = static_cast<CMmeIn*>(cs->lpCreateParams);
        SetWindowLongPtrA(hwnd, GWLP_USERDATA, LONG_PTR(self));
        if (self) self->m_hCallbackWnd = hwnd;
        return DefWindowProcA(hwnd, message, wParam, lParam);
    }
    auto* self = reinterpret_cast<CMmeIn*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
    if (!self) return DefWindowProcA(hwnd, message, wParam, lParam);
    if (message == WM_NCDESTROY) {
        SetWindowLongPtrA(hwnd, GWLP_USERDATA, 0);
        if (self->m_hCallbackWnd == hwnd) self->m_hCallbackWnd = nullptr;
        return DefWindowProcA(hwnd, message, wParam, lParam);
    }
    return self->HandleMessage(hwnd, message, wParam, lParam);
}

LRESULT CMmeIn::HandleMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_CREATE:
        SetTimer(hwnd, kPollTimer, kPollInterval, nullptr);
        UpdateTrayIcon(hwnd, TrayAdd);
        return 0;
    case WM_DESTROY:
        KillTimer(hwnd, kPollTimer);
        UpdateTrayIcon(hwnd, TrayDelete);
        return 0;
    case WM_TIMER:
        PanelFreeBitmaps();
        PollTick();
        if (m_nTrayCountdown > 0) --m_nTrayCountdown;
        return 0;
    case MM_MIM_LONGDATA:
    case MM_MIM_LONGERROR:
        OnInputDone(reinterpret_cast<MIDIHDR*>(lParam), message == MM_MIM_LONGERROR);
        return 0;
    case MM_MOM_DONE:
        OnOutputDone(reinterpret_cast<MIDIHDR*>(lParam));
        return 0;
    case MM_MIM_CLOSE:
    case MM_MIM_DATA:
    case MM_MIM_ERROR:
    case MM_MIM_MOREDATA:
        return 0;
    case kTrayMessage:
        OnTrayNotify(UINT(lParam));
        return 1;
    default:
        return DefWindowProcA(hwnd, message, wParam, lParam);
    }
}

// Only headers this transport handed out are touched; anything else in
// lParam is not ours to read or free.
void CMmeIn::OnInputDone(MIDIHDR* header, BOOL error) {
    auto it = std::find_if(m_inputBuffers.begin(), m_inputBuffers.end(),
                           [header](const InputBuffer& b) { return b.header == header; });
    if (it == m_inputBuffers.end()) return;
    HMIDIIN handle = it->handle;
    m_inputBuffers.erase(it);
    GetMidiDriver()->InUnprepareHeader(handle, header);
    DispatchSysEx(header, error);
    FreeHeader(header);
}

void CMmeIn::OnOutputDone(MIDIHDR* header) {
    auto it = std::find_if(m_outputHeaders.begin(), m_outputHeaders.end(),
                           [header](const OutputHeader& o) { return o.header == header; });
    if (it == m_outputHeaders.end()) return;
    HMIDIOUT handle = it->handle;
    m_outputHeaders.erase(it);
    GetMidiDriver()->OutUnprepareHeader(handle, header);
    FreeHeader(header);
}

void CMmeIn::DispatchSysEx(MIDIHDR* header, BOOL error) {
    if (!header) return;
    if (!validInputId(header->dwUser)) return;
    const int inputId = int(header->dwUser);
    if (m_nQueued[inputId] > 0) --m_nQueued[inputId];
    if (error || !header->lpData) return;
    // A reply longer than the buffer arrives cut at the buffer's length.
    const int length = int(std::min(header->dwBytesRecorded, header->dwBufferLength));
    if (length <= 10) return;
    const BYTE* data = reinterpret_cast<const BYTE*>(header->lpData);
    for (int i = 0; i < kSlotCount; ++i) {
        MidiPortSlot& slot = m_slots[i];
        CMidiView* view = slot.view;
        if (!view || slot.inputId != inputId) continue;
        if (data[4] != slot.modelFilter) continue;
        if (slot.deviceFilter != 127 && data[5] != slot.deviceFilter) continue;
        view->OnSysExReceived(data, length);
        if (slot.view == view) slot.missedBlinks = 0;
    }
}

// ---------------------------------------------------------------- sending

void CMmeIn::SendLong(MidiPortSlot& slot, const BYTE* bytes, int length, int allocation) {
    auto* header = new MIDIHDR{};
    header->lpData = new char[size_t(allocation)]();
    std::memcpy(header->lpData, bytes, size_t(length));
    header->dwBufferLength = DWORD(length);
    MidiDriver* driver = GetMidiDriver();
    driver->OutPrepareHeader(slot.outputHandle, header);
    if (driver->OutLongMsg(slot.outputHandle, header) != MMSYSERR_NOERROR) {
        // No completion message follows a refused message.
        driver->OutUnprepareHeader(slot.outputHandle, header);
        FreeHeader(header);
        return;
    }
    m_outputHeaders.push_back({slot.outputHandle, header});
}

BOOL CMmeIn::SendShortMessage(CMidiView* view, int command, int d1, int d2, int model, int deviceId) {
    int index = FindSlot(view);
    if (index < 0) return 0;
    BYTE msg[kShortAllocation] = {kSysExStart, kManufacturer[0], kManufacturer[1], kManufacturer[2],
                                  dataByte(model), dataByte(deviceId), dataByte(command)};
    int length;
    if (d1 < 0) {
        msg[7] = kSysExEnd;
        length = 8;
    } else {
        msg[7] = dataByte(d1);
        msg[8] = dataByte(d2);
        msg[9] = kSysExEnd;
        length = 10;
    }
    SendLong(m_slots[index], msg, length, kShortAllocation);
    return 1;
}

void CMmeIn::TopUpInputBuffers(MidiPortSlot& slot) {
    if (slot.inputId < 0 || slot.inputId >= kInputQueues) return;
    MidiDriver* driver = GetMidiDriver();
    while (m_nQueued[slot.inputId] < kInputBuffersPerDevice) {
        auto* header = new MIDIHDR{};
        header->lpData = new char[kInputAllocation]();
        header->dwBufferLength = kInputBufferLength;
        header->dwUser = DWORD_PTR(slot.inputId);
        driver->InPrepareHeader(slot.inputHandle, header);
        if (driver->InAddBuffer(slot.inputHandle, header) != MMSYSERR_NOERROR) {
            // A buffer the device refused never comes back: counting it would
            // starve the input for good.
            driver->InUnprepareHeader(slot.inputHandle, header);
            FreeHeader(header);
            return;
        }
        m_inputBuffers.push_back({slot.inputHandle, header});
        ++m_nQueued[slot.inputId];
    }
}

int CMmeIn::SendRequest(CMidiView* view, int command, int model, int deviceId) {
    int index = FindSlot(view);
    if (index < 0) return 0;
    MidiPortSlot& slot = m_slots[index];
    if (!slot.inputHandle) return 0;
    slot.modelFilter = model;
    slot.deviceFilter = deviceId;
    TopUpInputBuffers(slot);
    SendShortMessage(view, command, -1, 0, model, deviceId);
    if (command == kCommandFast)
        MidiWait(model == kModelWideGroups ? 50 : 5);
    else
        MidiWait(model == kModelWideGroups ? 70 : 35);
    return 0;
}

void CMmeIn::BeginParameterBlock(CMidiView*, int command, int model, int deviceId) {
    m_nGroups = 0;
    m_block[0] = kSysExStart;
    m_block[1] = kManufacturer[0];
    m_block[2] = kManufacturer[1];
    m_block[3] = kManufacturer[2];
    m_block[4] = dataByte(model);
    m_block[5] = dataByte(deviceId);
    m_block[6] = dataByte(command);
}

void CMmeIn::AddParameter(CMidiView* view, int address, int value, int model, int deviceId) {
    const BYTE a = dataByte(address);
    if (model != kModelWideGroups) {
        const BYTE v = dataByte(value);
        for (int g = 0; g < m_nGroups; ++g) {
            if (m_block[7 + 2 * g] == a) {
                m_block[8 + 2 * g] = v;
                return;
            }
        }
        if (7 + 2 * (m_nGroups + 1) + 1 > kBlockSize) return;   // 146 groups fill the block
        m_block[7 + 2 * m_nGroups] = a;
        m_block[8 + 2 * m_nGroups] = v;
        ++m_nGroups;
        return;
    }
    const BYTE lo = dataByte(value);
    const BYTE hi = dataByte(value >> 8);
    bool replaced = false;
    for (int g = 0; g < m_nGroups && !replaced; ++g) {
        if (m_block[7 + 4 * g] == a) {
            m_block[8 + 4 * g] = lo;
            m_block[9 + 4 * g] = hi;
            replaced = true;
        }
    }
    if (!replaced) {
        if (7 + 4 * (m_nGroups + 1) + 1 > kBlockSize) return;
        BYTE* group = m_block + 7 + 4 * m_nGroups;
        group[0] = a;
        group[1] = lo;
        group[2] = hi;
        group[3] = 0x7F;
        ++m_nGroups;
    }
    if (m_nGroups > 15) {
        SendParameterBlock(view, kModelWideGroups, deviceId);
        m_nGroups = 0;
    }
}

BOOL CMmeIn::SendParameterBlock(CMidiView* view, int model, int deviceId) {
    (void)deviceId;
    if (m_nGroups <= 0) return 0;
    const int groupSize = (model == kModelWideGroups) ? 4 : 2;
    // Groups added under one size and sent under the other must still fit.
    const int groups = std::min(m_nGroups, (kBlockSize - 8) / groupSize);
    const int length = 8 + groups * groupSize;
    m_block[length - 1] = kSysExEnd;
    int index = FindSlot(view);
    if (index < 0) return 0;
    SendLong(m_slots[index], m_block, length, kBlockSize);
    return 1;
}

// ---------------------------------------------------------------- scheduler

void CMmeIn::PollTick() {
    switch (m_nPhase) {
    case 2:
    case 3:
        // The fast sweep: the first view that sends a fast request ends it.
        while (m_nFastCursor < kSlotCount) {
            CMidiView* view = m_slots[m_nFastCursor++].view;
            if (view && view->FastPoll()) break;
        }
        if (m_nFastCursor >= kSlotCount) m_nFastCursor = 0;
        break;
    case 4: {
        ++m_nRequestCursor;
        ++m_nPassCount;
        if (m_nRequestCursor >= 0 && m_nRequestCursor < kSlotCount && !m_slots[m_nRequestCursor].view) {
            int next = m_nRequestCursor + 1;
            while (next < kSlotCount && !m_slots[next].view) ++next;
            m_nRequestCursor = next;
        }
        if (m_nRequestCursor >= 0 && m_nRequestCursor < kSlotCount) {
            m_slots[m_nRequestCursor].view->RequestDeviceData(FALSE);
        } else if (m_nPassCount > 10) {
            // A new pass begins at slot 0 on the next full-request tick.
            m_nRequestCursor = -1;
            m_nPassCount = -1;
        }

        if ((m_nBlinkState == 0 && m_nBlinkCount < 2) || (m_nBlinkState == 1 && m_nBlinkCount < 5)) {
            ++m_nBlinkCount;
        } else {
            m_nBlinkCount = 0;
            m_nBlinkState = m_nBlinkState ? 0 : 1;
            for (int i = 0; i < kSlotCount; ++i) {
                MidiPortSlot& slot = m_slots[i];
                if (!slot.view) continue;
                slot.view->UpdateStatus(slot.missedBlinks < 4 ? 0 : -1, m_nBlinkState);
                if (slot.missedBlinks < 10) ++slot.missedBlinks;
            }
        }
        break;
    }
    default:
        break;
    }
    m_nPhase = (m_nPhase >= 4) ? 0 : m_nPhase + 1;
}

// ---------------------------------------------------------------- tray icon

BOOL CMmeIn::UpdateTrayIcon(HWND window, int action) {
    NOTIFYICONDATAA data{};
    data.cbSize = kNotifyIconDataSize;
    data.hWnd = window;
    data.uID = kTrayIconId;
    data.uCallbackMessage = kTrayMessage;
    lstrcpynA(data.szTip, kTrayTip, int(sizeof(data.szTip)));
    DWORD command;
    switch (action) {
    case TrayAdd:
        command = NIM_ADD;
        data.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
        data.hIcon = LoadIconA(AfxGetInstanceHandle(), MAKEINTRESOURCEA(IDI_TRAY));
        break;
    case TrayModify:
        command = NIM_MODIFY;
        data.uFlags = NIF_TIP;
        break;
    default:
        command = NIM_DELETE;
        data.uFlags = 0;
        break;
    }
    return Shell_NotifyIconA(command, &data);
}

void CMmeIn::OnTrayNotify(UINT mouseMessage) {
    switch (mouseMessage) {
    case WM_LBUTTONDOWN:
        if (m_nTrayCountdown == 0) {
            if (m_tray.showAll) m_tray.showAll(TRUE);
            m_nTrayCountdown = kTrayClickTicks;
        } else {
            if (m_tray.showAll) m_tray.showAll(FALSE);
            m_nTrayCountdown = 0;
        }
        break;
    case WM_LBUTTONDBLCLK:
        if (m_tray.showAll) m_tray.showAll(FALSE);
        m_nTrayCountdown = 0;
        break;
    case WM_RBUTTONDOWN:
        // Exit chosen under a running dialog would destroy the windows the
        // dialog works on.
        if (m_tray.showMenu && AfxGetModalDepth() == 0) m_tray.showMenu();
        break;
    default:
        break;
    }
}

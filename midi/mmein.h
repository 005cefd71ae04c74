// The program's one MIDI transport: port slots shared by the device views,
// sending, polling, the hidden callback window and the tray icon.
#pragma once
#include <windows.h>

#include <mmsystem.h>

#include <vector>

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

// One view's hold on a MIDI output and, unless it sends only, an input.
struct MidiPortSlot {
    CMidiView* view = nullptr;     // none: the slot is free
    int inputId = -1;              // -1: no input
    int outputId = -1;             // -1: the system's MIDI mapper
    HMIDIOUT outputHandle = nullptr;
    HMIDIIN inputHandle = nullptr;
    int modelFilter = -1;          // -1: no request sent yet, takes no reply
    int deviceFilter = -1;         // 127 takes every device id
    int missedBlinks = 1;
};

class CMmeIn {
public:
    static constexpr int kSlotCount = 20;
    static constexpr int kInputQueues = 200;         // input device ids 0..199
    static constexpr int kInputBuffersPerDevice = 20;
    static constexpr int kInputBufferLength = 255;
    static constexpr int kBlockSize = 300;
    static constexpr UINT kTrayMessage = 0x465;
    static constexpr UINT kTrayIconId = 286;
    static constexpr int kTrayClickTicks = 30;       // 450 ms

    CMmeIn();
    ~CMmeIn();
    CMmeIn(const CMmeIn&) = delete;
    CMmeIn& operator=(const CMmeIn&) = delete;

    // Ports
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

    // Sending
    BOOL SendShortMessage(CMidiView* view, int command, int d1, int d2, int model, int deviceId);
    int SendRequest(CMidiView* view, int command, int model, int deviceId);
    void BeginParameterBlock(CMidiView* view, int command, int model, int deviceId);
    void AddParameter(CMidiView* view, int address, int value, int model, int deviceId);
    BOOL SendParameterBlock(CMidiView* view, int model, int deviceId);

    // Receiving and the 15 ms scheduler
    void DispatchSysEx(MIDIHDR* header, BOOL error);
    void PollTick();
    static LRESULT CALLBACK MidiCallBackWndProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

    // Tray icon
    enum TrayAction { TrayAdd = 0, TrayModify = 1, TrayDelete = 2 };
    BOOL UpdateTrayIcon(HWND window, int action);
    void SetTrayActions(const TrayActions& actions) { m_tray = actions; }
    const TrayActions& GetTrayActions() const { return m_tray; }
    int GetTrayCountdown() const { return m_nTrayCountdown; }

    // For tests and diagnostics.
    const MidiPortSlot& GetSlot(int index) const;
    int FindSlot(const CMidiView* view) const;   // -1 when the view holds none
    int GetQueuedInputBuffers(int inputId) const;
    int GetBlinkState() const { return m_nBlinkState; }

private:
    struct OutputHeader {
        HMIDIOUT handle;
        MIDIHDR* header;
    };
    struct InputBuffer {
        HMIDIIN handle;
        MIDIHDR* header;
    };

    LRESULT HandleMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    void OnTrayNotify(UINT mouseMessage);
    void OnInputDone(MIDIHDR* header, BOOL error);
    void OnOutputDone(MIDIHDR* header);
    void ReleaseSlot(int index);
    void WaitForOutput(HMIDIOUT handle);
    void TopUpInputBuffers(MidiPortSlot& slot);
    void SendLong(MidiPortSlot& slot, const BYTE* bytes, int length, int allocation);
    static void FreeHeader(MIDIHDR* header);

    HWND m_hCallbackWnd = nullptr;
    MidiPortSlot m_slots[kSlotCount];
    int m_nQueued[kInputQueues] = {};

    // Headers the driver holds; each is freed when it comes back.
    std::vector<OutputHeader> m_outputHeaders;
    std::vector<InputBuffer> m_inputBuffers;

    BYTE m_block[kBlockSize] = {};
    int m_nGroups = 0;

    int m_nPhase = 0;
    int m_nRequestCursor = 0;
    int m_nPassCount = 0;
    int m_nFastCursor = 0;
    int m_nBlinkCount = 0;
    int m_nBlinkState = 0;

    int m_nTrayCountdown = 0;
    TrayActions m_tray;
};

// The one transport, built before every other global object.
extern CMmeIn theMmeIn;

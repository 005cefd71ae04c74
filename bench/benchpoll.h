// What the benchmarks of metering views share: the view counting the replies
// that reach it, a stretch of moving level replies decoded in turn, and the
// CPU of fast polling, the window on simulated ports with its device
// answering and the transport's own timer driving it for real time.
#pragma once
#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

#include "benchview.h"
#include "midi/mmein.h"
#include "sim/simdriver.h"

namespace bench {

// The byte after the header that marks a level reply.
const BYTE kLevelReplyMark = 0x31;

// The view as the program has it, counting the replies that reach it.
template <class View>
class CountingReplies : public View {
public:
    void OnSysExReceived(const BYTE* data, int length) override {
        if (data && length > 6 && data[6] == kLevelReplyMark)
            ++levelReplies;
        else
            ++otherReplies;
        View::OnSysExReceived(data, length);
    }
    int levelReplies = 0;
    int otherReplies = 0;
};

// count level replies of the device's moving meters, played over and over
// with fast polling on: each decode with the repaint of the meters.
template <class View, class Device>
CacheTimes TimeLevelReplies(View* view, Device& device, int count) {
    view->SetEnableFast(TRUE);
    std::vector<std::vector<BYTE>> levels;
    for (int k = 0; k < count; ++k) {
        device.Step();
        levels.push_back(device.LevelReply());
    }
    size_t next = 0;
    return TimeColdAndWarm(kEditRuns, [&] { Decode(view, levels[next++ % levels.size()]); });
}

struct PollRun {
    bool opened = false;
    double wallMs = 0, cpuMs = 0;
    long long waitedMs = 0;
    int levelRequests = 0, statusRequests = 0;
    int levelReplies = 0, otherReplies = 0;
    int ticks = 0;
};

// The window as it runs in the program: ports "<name> In" and "<name> Out"
// opened through the transport on a simulated driver with the device behind
// them, the transport's timer polling, and the message loop doing the rest
// until runMs of real time have passed.
template <class View, class Device>
PollRun RunFastPolling(CountingReplies<View>* view, Device& device, const char* name, DWORD runMs) {
    PollRun run;
    sim::SimMidiDriver driver;
    // The program's own waits: asleep, so they cost no CPU.
    SetMidiWaitFunction(SleepingWait);
    const std::string inName = std::string(name) + " In", outName = std::string(name) + " Out";
    const int in = driver.AddInput(inName.c_str());
    const int out = driver.AddOutput(outName.c_str());
    driver.Connect(&device, out, in);

    MidiPortSettings ports;
    SetPortName(ports.inputName, inName.c_str());
    SetPortName(ports.outputName, outName.c_str());
    view->SetEnableFast(TRUE);
    if (!theMmeIn.OpenPorts(&ports, view, FALSE)) return run;
    run.opened = true;
    view->levelReplies = view->otherReplies = 0;
    const int levelRequestsBefore = device.levelRequests, statusRequestsBefore = device.statusRequests;

    const long long waitedStart = WaitedMs();
    const double cpuStart = ProcessCpuMs();
    const double start = Now();
    const UINT_PTR stop = SetTimer(nullptr, 0, runMs, nullptr);
    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
        if (msg.message == WM_TIMER && msg.hwnd == nullptr && msg.wParam == stop) break;
        if (msg.message == WM_TIMER && msg.hwnd == theMmeIn.GetCallbackWindow()) ++run.ticks;
        DispatchMessageA(&msg);
    }
    run.wallMs = (Now() - start) * 1e3;
    run.cpuMs = ProcessCpuMs() - cpuStart;
    run.waitedMs = WaitedMs() - waitedStart;
    KillTimer(nullptr, stop);
    run.levelRequests = device.levelRequests - levelRequestsBefore;
    run.statusRequests = device.statusRequests - statusRequestsBefore;
    run.levelReplies = view->levelReplies;
    run.otherReplies = view->otherReplies;

    theMmeIn.ClosePorts(view);
    // The closed input gives its buffers back through the transport's window.
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
    return run;
}

// The lines of a polling run; false, said, when the ports did not open.
inline bool ReportFastPolling(const PollRun& poll) {
    if (!poll.opened) {
        std::printf("  fast polling            the ports did not open\n");
        return false;
    }
    const double seconds = poll.wallMs / 1e3;
    std::printf("Fast polling, one window, %.0f ms of real time on the transport's timer\n", poll.wallMs);
    std::printf("  process CPU time        %8.1f ms  = %.2f %% of the real time\n", poll.cpuMs,
                100.0 * poll.cpuMs / poll.wallMs);
    std::printf("  transport ticks         %8d     (%.1f a second; 66.7 at 15 ms)\n", poll.ticks, poll.ticks / seconds);
    std::printf("  level requests answered %8d     (%.1f a second)\n", poll.levelRequests,
                poll.levelRequests / seconds);
    std::printf("  level replies decoded   %8d     (%.1f a second)\n", poll.levelReplies, poll.levelReplies / seconds);
    std::printf("  status requests / other replies  %d / %d\n", poll.statusRequests, poll.otherReplies);
    std::printf("  blocking waits, asleep  %8lld ms\n", poll.waitedMs);
    return true;
}

}  // namespace bench

// The transport under load: 20 open slots, each on its own simulated port pair
// with a device behind it, polled by the real 15 ms timer for 10 s of real
// time. Half of the views also ask for levels on the fast ticks.
//
// Reports the CPU time the process used (the blocking waits after requests
// sleep and use none) and the time from a reply's arrival at the callback
// window to its view's OnSysExReceived.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "benchtime.h"
#include "midi/midiview.h"
#include "midi/mmein.h"
#include "sim/simdriver.h"

namespace {

LARGE_INTEGER g_frequency;
LONGLONG g_arrival = 0;   // when the reply being dispatched was taken from the queue
std::vector<double> g_latencies;   // microseconds
int g_silentReports = 0;

LONGLONG now() {
    LARGE_INTEGER t;
    QueryPerformanceCounter(&t);
    return t.QuadPart;
}

class BenchView : public CMidiView {
public:
    BenchView(CMmeIn& mme, int model, bool fast) : m_mme(mme), m_model(model), m_fast(fast) {}
    void RequestDeviceData(BOOL) override { m_mme.SendRequest(this, 0x10, m_model, 0); }
    int FastPoll() override {
        if (!m_fast) return 0;
        m_mme.SendRequest(this, 0x11, m_model, 0);
        return 1;
    }
    void UpdateStatus(int state, int) override { g_silentReports += state == -1; }
    void OnSysExReceived(const BYTE*, int) override {
        if (g_arrival) g_latencies.push_back(double(now() - g_arrival) * 1e6 / double(g_frequency.QuadPart));
        ++replies;
    }
    int replies = 0;

private:
    CMmeIn& m_mme;
    int m_model;
    bool m_fast;
};

}  // namespace

int main() {
    QueryPerformanceFrequency(&g_frequency);
    const int kViews = CMmeIn::kSlotCount;
    const DWORD kRunMs = 10000;

    sim::SimMidiDriver driver;
    SetMidiWaitFunction(bench::SleepingWait);   // the program's real, sleeping waits
    std::vector<std::unique_ptr<sim::SimGenericDevice>> devices;
    CMmeIn mme;
    std::vector<std::unique_ptr<BenchView>> views;
    for (int i = 0; i < kViews; ++i) {
        char name[32];
        std::snprintf(name, sizeof(name), "Bench In %d", i + 1);
        const int in = driver.AddInput(name);
        std::snprintf(name, sizeof(name), "Bench Out %d", i + 1);
        const int out = driver.AddOutput(name);
        const int model = (i % 4 == 3) ? 0x64 : 0x62;
        devices.push_back(std::make_unique<sim::SimGenericDevice>(model, 0, 100));
        driver.Connect(devices.back().get(), out, in);
        views.push_back(std::make_unique<BenchView>(mme, model, i % 2 == 0));
        MidiPortSettings ports;
        std::snprintf(ports.inputName, sizeof(ports.inputName), "Bench In %d", i + 1);
        std::snprintf(ports.outputName, sizeof(ports.outputName), "Bench Out %d", i + 1);
        if (!mme.OpenPorts(&ports, views.back().get(), FALSE)) {
            std::printf("opening the ports of view %d failed\n", i + 1);
            return 1;
        }
    }

    const double cpuStart = bench::ProcessCpuMs();
    const LONGLONG start = now();
    const UINT_PTR stop = SetTimer(nullptr, 0, kRunMs, nullptr);
    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
        if (msg.message == WM_TIMER && msg.hwnd == nullptr && msg.wParam == stop) break;
        g_arrival = (msg.message == MM_MIM_LONGDATA) ? now() : 0;
        DispatchMessageA(&msg);
        g_arrival = 0;
    }
    const double wallMs = double(now() - start) * 1000.0 / double(g_frequency.QuadPart);
    const double cpuMs = bench::ProcessCpuMs() - cpuStart;

    for (auto& v : views) mme.ClosePorts(v.get());

    int replies = 0;
    for (auto& v : views) replies += v->replies;
    int statusRequests = 0, levelRequests = 0;
    for (auto& d : devices) {
        statusRequests += d->statusRequests;
        levelRequests += d->levelRequests;
    }
    std::sort(g_latencies.begin(), g_latencies.end());
    double sum = 0;
    for (double l : g_latencies) sum += l;
    const size_t n = g_latencies.size();

    std::printf("views with open ports:       %d\n", kViews);
    std::printf("real time polled:            %.0f ms\n", wallMs);
    std::printf("status / level requests:     %d / %d\n", statusRequests, levelRequests);
    std::printf("replies dispatched:          %d\n", replies);
    std::printf("blocking waits (sleeping):   %lld ms\n", bench::WaitedMs());
    std::printf("process CPU time:            %.1f ms = %.2f %% of one core\n", cpuMs, 100.0 * cpuMs / wallMs);
    if (n) {
        std::printf("arrival -> OnSysExReceived:  mean %.1f us, median %.1f us, 99th %.1f us, max %.1f us\n",
                    sum / double(n), g_latencies[n / 2], g_latencies[std::min(n - 1, n * 99 / 100)],
                    g_latencies.back());
    }
    std::printf("status -1 reports:           %d\n", g_silentReports);
    return 0;
}

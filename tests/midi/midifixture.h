// A transport of its own per test, on simulated ports, with views that record
// what the transport asks of them.
#pragma once
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "midi/midiview.h"
#include "midi/mmein.h"
#include "sim/simdriver.h"
#include "support/testsupport.h"

namespace miditest {

using sim::Bytes;

struct Status {
    int tick;
    int state;
    int phase;
};

// A device view in miniature: it polls through the transport as every view
// does and remembers each call.
class RecordingView : public CMidiView {
public:
    RecordingView(CMmeIn& mme, int model, int device, const int* tick) : m_mme(mme), model(model), device(device),
                                                                           m_tick(tick) {}
    void RequestDeviceData(BOOL) override {
        requestTicks.push_back(*m_tick);
        m_mme.SendRequest(this, 0x10, model, device);
    }
    int FastPoll() override {
        fastAskTicks.push_back(*m_tick);
        if (!fast) return 0;
        m_mme.SendRequest(this, 0x11, model, device);
        return 1;
    }
    void UpdateStatus(int state, int phase) override { statuses.push_back({*m_tick, state, phase}); }
    void OnSysExReceived(const BYTE* data, int length) override {
        replies.push_back(Bytes(data, data + length));
        replyTicks.push_back(*m_tick);
    }

    CMmeIn& m_mme;
    int model;
    int device;
    bool fast = false;
    std::vector<int> requestTicks;
    std::vector<int> fastAskTicks;
    std::vector<Status> statuses;
    std::vector<Bytes> replies;
    std::vector<int> replyTicks;

private:
    const int* m_tick;
};

class MidiTest : public ::testing::Test {
protected:
    void SetUp() override {
        mme = std::make_unique<CMmeIn>();
        mme->EnsureCallbackWindow();
        // Tests drive the ticks themselves.
        KillTimer(mme->GetCallbackWindow(), 1);
    }

    void TearDown() override {
        for (auto& v : views) mme->ForgetView(v.get());
        Pump();
        mme.reset();
    }

    RecordingView* NewView(int model = 0x62, int device = 0) {
        views.push_back(std::make_unique<RecordingView>(*mme, model, device, &tick));
        return views.back().get();
    }

    static MidiPortSettings Ports(const char* input, const char* output) {
        MidiPortSettings s;
        SetPortName(s.inputName, input);
        SetPortName(s.outputName, output);
        return s;
    }

    BOOL Open(RecordingView* view, const char* input = "In A", const char* output = "Out A", BOOL outputOnly = FALSE) {
        MidiPortSettings s = Ports(input, output);
        return mme->OpenPorts(&s, view, outputOnly);
    }

    // Hands the transport's window what the simulated driver posted.
    static void Pump() {
        MSG msg;
        while (PeekMessageA(&msg, nullptr, MM_MIM_OPEN, MM_MIM_MOREDATA, PM_REMOVE)) DispatchMessageA(&msg);
    }

    // One 15 ms timer message, with the replies it brought.
    void Tick(int count = 1) {
        for (int i = 0; i < count; ++i) {
            ++tick;
            mme->PollTick();
            Pump();
        }
    }

    sim::SimMidiDriver driver;
    testing_support::MessageBoxRecorder boxes;
    std::unique_ptr<CMmeIn> mme;
    std::vector<std::unique_ptr<RecordingView>> views;
    int tick = 0;
};

}  // namespace miditest

// One device window opened through the shell, on simulated MIDI ports with a
// simulated device behind them, under a test registry key: what the tests of
// every device view start from.
#pragma once
#include <gtest/gtest.h>

#include <functional>
#include <utility>
#include <vector>

#include "app/digidoc.h"
#include "app/mainframe.h"
#include "app/vantorapp.h"
#include "framework/framework.h"
#include "midi/midiview.h"
#include "sim/simdriver.h"
#include "support/testsupport.h"

class CPanelView;

// The (address, value) groups of a set block, or of several in turn.
typedef std::vector<std::pair<int, int>> Pairs;
Pairs Groups(const sim::Bytes& block);
Pairs GroupsOf(const std::vector<sim::Bytes>& blocks);

class DeviceWindowTest : public ::testing::Test {
protected:
    // Opens window 0 showing `function` at `place`, its ports named `port`
    // with " In" and " Out" and connected to `device`; the poll timer stays
    // off until a test runs it.
    void OpenDeviceWindow(const char* company, int function, sim::SimDevice* device, const std::string& port,
                          RECT place);
    // Closes every window without saving anything and empties the test key.
    void CloseDeviceWindows();

    void StartMidi();
    // Mouse messages as the program's message loop hands them on.
    void Mouse(UINT message, int x, int y, WPARAM keys = 0);
    void Command(UINT id);
    // The 0x20 messages the device received since the last call.
    std::vector<sim::Bytes> NewBlocks();
    // Runs the poll timer of the transport again, as in the program.
    void RunPollTimer(bool on);
    // A status request the device answers, with the reply taken in.
    void Poll();
    // MIDI started and the device's state taken in, its blocks seen.
    void Running();
    // A user edit of one control of the panel and the set blocks it sent.
    std::vector<sim::Bytes> Edit(int id, double value);
    // A click in the middle of a control.
    void Click(int id);
    // With the transport's own poll: the device answers and the state reads
    // Online (2) under `title`; silent, it reads No Response (1); MIDI
    // stopped, Offline (0); started again, Online.
    void ExpectOnlineNoResponseOffline(sim::SimDevice& device, const std::function<double()>& state,
                                       const char* title);

    sim::SimMidiDriver driver;
    testing_support::MessageBoxRecorder boxes;
    int in = -1, out = -1;
    CDigiDoc* doc = nullptr;
    CMainFrame* frame = nullptr;
    CMidiView* midiView = nullptr;
    CPanelView* panelView = nullptr;   // the same view, when it is a panel
    size_t seenBlocks = 0;
    const char* m_company = nullptr;
};

// Ombrel windows opened through the shell, on simulated MIDI ports with a
// simulated converter behind them, under a test registry key.
#pragma once
#include <utility>
#include <vector>

#include "devices/preamp/ombrelview.h"
#include "sim/simombrel.h"
#include "support/devicewindow.h"

namespace ombreltest {

using sim::Bytes;
using V = COmbrelView;

const char* const kCompany = "VantorTestOmbrel";

// A status reply of 96 bytes holding the given pairs, padded with pairs of
// a parameter the view does not know.
Bytes StatusReply(const Pairs& pairs);
// A level reply: eight input bytes and eight output bytes.
Bytes LevelReply(const std::vector<int>& inputs, const std::vector<int>& outputs);
// Every control of the view inside its range.
::testing::AssertionResult AllInRange(COmbrelView* view);

// Holds the Ctrl key down for this thread while it lives.
class CtrlHeld {
public:
    CtrlHeld();
    ~CtrlHeld();

private:
    BYTE m_saved[256];
};

class OmbrelWindow : public DeviceWindowTest {
protected:
    void SetUp() override;
    void TearDown() override { CloseDeviceWindows(); }

    // Hands a reply to the view as the transport does.
    void Receive(const Bytes& reply) { view->OnSysExReceived(reply.data(), int(reply.size())); }

    sim::SimOmbrel device{0x00};
    COmbrelView* view = nullptr;
};

// The window with its ports running and the device's state taken in.
class OmbrelRunning : public OmbrelWindow {
protected:
    void SetUp() override;
};

}  // namespace ombreltest

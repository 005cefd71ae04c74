// Quenda windows opened through the shell, on simulated MIDI ports with a
// simulated router behind them, under a test registry key.
#pragma once
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/digidoc.h"
#include "app/mainframe.h"
#include "app/vantorapp.h"
#include "devices/routing/quendaview.h"
#include "framework/framework.h"
#include "sim/simdriver.h"
#include "sim/simquenda.h"
#include "support/devicewindow.h"
#include "support/testsupport.h"

namespace quendatest {

using sim::Bytes;

const char* const kCompany = "VantorTestQuenda";
const char* const kSection = "Workspace\\Frame0";

// A set message of model 0x62 to a device with the given {address, value} groups.
Bytes SetBlock(int device, const std::vector<std::pair<int, int>>& groups);
// A status reply of `length` bytes: header, then {address, value} pairs
// (repeated to fill), then F7.
Bytes Reply(int length, const std::vector<std::pair<int, int>>& pairs);

// Every control of the view inside its range.
::testing::AssertionResult AllInRange(CQuendaMView* view);

class QuendaWindow : public DeviceWindowTest {
protected:
    void SetUp() override;
    void TearDown() override { CloseDeviceWindows(); }

    // Sizes the view's client area and lets it paint until it has settled.
    void SizeClient(int w, int h);
    // A status request the device answers, with the reply taken in.
    void Poll();
    POINT CellCentre(int input, int output);
    void Click(int input, int output);
    void Drag(int fromInput, int fromOutput, int toInput, int toOutput);

    sim::SimQuenda device{0};
    CQuendaMView* view = nullptr;
};

// The window with its ports running and the device's state taken in, which
// switches the ADC lock off (the device's default), so cells take clicks.
class QuendaRunning : public QuendaWindow {
protected:
    void SetUp() override;
};

}  // namespace quendatest

// Tarvik windows (the matrix and the front view) opened through the shell,
// on simulated MIDI ports with a simulated converter behind them.
#pragma once
#include <utility>
#include <vector>

#include "devices/routing/tarvikfview.h"
#include "devices/routing/tarvikmview.h"
#include "sim/simtarvik.h"
#include "support/devicewindow.h"

namespace tarviktest {

using sim::Bytes;
using M = CTarvikMView;
using F = CmidiTarvikFView;

const char* const kCompany = "VantorTestTarvik";

// A reply of `length` (72 or 127) bytes: the given pairs, then pairs of an
// address nobody knows, then F7.
Bytes Reply(int length, const Pairs& pairs);
::testing::AssertionResult AllInRange(const PanelControlTable* table);

template <class View>
class TarvikWindow : public DeviceWindowTest {
protected:
    void SetUp() override {
        OpenDeviceWindow(kCompany, Function(), &device, "Tarvik", RECT{20, 20, 700, 600});
        view = dynamic_cast<View*>(midiView);
        ASSERT_NE(view, nullptr);
    }
    void TearDown() override { CloseDeviceWindows(); }
    static int Function();

    void Receive(const Bytes& reply) { view->OnSysExReceived(reply.data(), int(reply.size())); }

    sim::SimTarvik device{5};
    View* view = nullptr;
};

template <>
inline int TarvikWindow<CTarvikMView>::Function() { return 1; }
template <>
inline int TarvikWindow<CmidiTarvikFView>::Function() { return 0; }

using TarvikMatrix = TarvikWindow<CTarvikMView>;
using TarvikFront = TarvikWindow<CmidiTarvikFView>;

}  // namespace tarviktest

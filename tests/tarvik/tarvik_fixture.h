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
typedef std::vector<std::pair<int, int>> Pairs;

const char* const kCompany = "VantorTestTarvik";

// The (address, value) groups of one set block.
Pairs Groups(const Bytes& block);
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

    // A status request the device answers, with the reply taken in.
    void Poll() {
        view->RequestDeviceData(FALSE);
        testing_support::PumpMessages(10);
    }
    void Running() {
        StartMidi();
        Poll();
        NewBlocks();
    }
    // A user edit of one control and the send it makes: its set blocks.
    std::vector<Bytes> Edit(int id, double value) {
        PanelSetValue(value, id, view->Table());
        PanelMarkChanged(id, view->Table());
        view->SendChangedParameters(FALSE, FALSE, FALSE);
        return NewBlocks();
    }
    void Click(int id) {
        const PanelControl* c = view->Control(id);
        Mouse(WM_LBUTTONDOWN, c->x + c->w / 2, c->y + c->h / 2, MK_LBUTTON);
        Mouse(WM_LBUTTONUP, c->x + c->w / 2, c->y + c->h / 2);
    }
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

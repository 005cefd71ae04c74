// What the benchmarks of routing matrix views share. The view sits in its own
// window, showing the routing of a simulated device as a running window
// would, and one run times:
//   full repaint     the view's own paint (background and every control) into
//                    a bitmap, the bitmap cache cold as after every tick of
//                    the transport, and warm
//   bare blits       one BitBlt per control the paint draws, each from the
//                    bitmap it shows: the floor
//   one crosspoint   a click on an unlit crosspoint, which moves its output's
//                    routing: the toggle, the send pass and its repaint of the
//                    window; and that repaint alone
//   status reply     decoding a full reply that moves one routing, with the
//                    repaint of the window
// The views and their simulated devices name their members alike, so one
// template drives them all.
#pragma once
#include <windows.h>

#include <cstdio>

#include "benchview.h"
#include "sim/simdevice.h"

namespace bench {

// What tells one matrix from another beyond its classes. The output the edits
// and replies move and the two inputs it goes between count from 0; the
// simulated devices start with every output on its own input, so the output
// should be neither of the two. Selectors and the device's routing hold an
// input as firstInput + input.
struct RoutingMatrix {
    const char* name;
    int output;
    int inputA, inputB;
    int firstInput;
};

template <class View, class Device>
int RunRoutingBench(const RoutingMatrix& m) {
    KeepNamesOffTheRegistry();
    // The I/O names along the edges, as the program loads them at start.
    LoadSystemNames();

    const int W = View::kPanelWidth, H = View::kPanelHeight;
    ViewHost host(m.name, W, H);
    auto* view = new View;   // deleted with its window
    if (!host.OpenPainted(view)) return 1;
    PanelControlTable* table = view->Table();
    const int selector = View::kSelectorFirst + m.output;

    auto routedInput = [&] { return TruncateToInt(view->Value(selector)) - m.firstInput; };

    Device device(0);
    const sim::Bytes reply = device.StatusReply();
    device.route[m.output] = BYTE(m.firstInput + m.inputA);
    const sim::Bytes moved = device.StatusReply();
    Decode(view, reply);
    // A reply the view turned away would leave every figure below about a
    // picture that never changes.
    if (routedInput() != m.output) {
        std::fprintf(stderr, "the view did not take the status reply (%zu bytes)\n", reply.size());
        return 1;
    }

    DibTarget target(W, H);
    // The background is the whole panel: the floor blits each control from
    // its own bitmap.
    const FullPaint full = MeasureFullPaint(view, table, target);

    // Each click lands on the crosspoint the output does not take, so every
    // one lights a cell and darkens another, as routing an output does.
    int clicks = 0;
    EditTimes click;
    click.edit = TimeSendPass(view, [&] {
        const int cell = View::CrosspointId(clicks++ % 2 ? m.inputB : m.inputA, m.output);
        PanelSetValue(view->Value(cell) > 0.5 ? 0.0 : 1.0, cell, table);
    });
    const int routedByClicks = routedInput();

    // The state a click's send pass leaves, set up untimed, and the window
    // repaint that follows it.
    int repaints = 0;
    click.repaint = TimeRedraw(view, [&] {
        const int value = m.firstInput + (repaints++ % 2 ? m.inputB : m.inputA);
        PanelShowValue(value, selector, table);
        view->SelectInputForOutput(m.output, value);
    });

    // The clicks leave the next reply to be skipped, since the device may
    // still answer with the old routing; the one after it puts the view back
    // on the device's routing.
    Decode(view, reply);
    Decode(view, reply);
    const CacheTimes status = TimeRepliesInTurn(view, moved, reply);

    std::printf("%s, %d x %d, %zu controls drawn of %d (%d crosspoints)\n", m.name, W, H, full.drawn.size(),
                table->count, View::kInputs * View::kOutputs);
    ReportFullPaint(full);

    std::printf("One crosspoint click: output %d moved between inputs %d and %d (now %d)\n", m.output + 1,
                m.inputA + 1, m.inputB + 1, routedByClicks + 1);
    ReportEdit("click", "toggle", click, full);

    std::printf("Status reply of %zu bytes, two that route output %d differently, in turn\n", reply.size(),
                m.output + 1);
    ReportReplies(status);
    return 0;
}

}  // namespace bench

// Speed of the Tarvik routing matrix in its 481 x 448 window: 341 controls,
// 256 of them 13 x 10 crosspoints, showing the routing of a simulated
// converter as a running window would:
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
#include <cstdarg>
#include <cstdio>
#include <vector>

#include <windows.h>

#include "benchview.h"
#include "devices/routing/tarvikmview.h"
#include "sim/simtarvik.h"

namespace {

// The output the edits and replies move, and the two inputs it goes between;
// the simulated converter starts with each output on its own input.
const int kOutput = 12;
const int kInputA = 3;
const int kInputB = 5;

void Decode(CTarvikMView* view, const sim::Bytes& reply) { view->OnSysExReceived(reply.data(), int(reply.size())); }

int RoutedInput(CTarvikMView* view, int output) {
    return TruncateToInt(view->Value(CTarvikMView::kSelectorFirst + output));
}

// One line of figures: a time, and what it means.
#ifdef __MINGW_PRINTF_FORMAT
__attribute__((format(__MINGW_PRINTF_FORMAT, 3, 4)))
#endif
void Row(const char* what, double seconds, const char* noteFormat, ...) {
    char note[160];
    va_list args;
    va_start(args, noteFormat);
    std::vsnprintf(note, sizeof(note), noteFormat, args);
    va_end(args);
    std::printf("  %-26s %8.3f ms  %s\n", what, seconds * 1e3, note);
}

}  // namespace

int main() {
    bench::KeepNamesOffTheRegistry();
    // The I/O names along the edges, as the program loads them at start.
    LoadSystemNames();

    const int W = CTarvikMView::kPanelWidth, H = CTarvikMView::kPanelHeight;
    bench::ViewHost host("Tarvik bench", W, H);
    auto* view = new CTarvikMView;   // deleted with its window
    if (!host.OpenPainted(view)) return 1;

    sim::SimTarvik device(0);
    const sim::Bytes reply = device.StatusReply();
    device.route[kOutput] = BYTE(kInputA);
    const sim::Bytes moved = device.StatusReply();
    Decode(view, reply);
    // A reply the view turned away would leave every figure below about a
    // picture that never changes.
    if (RoutedInput(view, kOutput) != kOutput) {
        std::fprintf(stderr, "the view did not take the status reply (%zu bytes)\n", reply.size());
        return 1;
    }

    bench::DibTarget target(W, H);
    PanelControlTable* table = view->Table();
    // The background is the whole panel: the floor blits each control from
    // its own bitmap.
    const auto [drawn, paints, ids, load, loads] = bench::MeasureFullPaint(view, table, target);

    // Each click lands on the crosspoint the output does not take, so every
    // one lights a cell and darkens another, as routing an output does.
    int clicks = 0;
    const bench::CacheTimes click = bench::TimeColdAndWarm(201, [&] {
        const int cell = CTarvikMView::CrosspointId(clicks++ % 2 ? kInputB : kInputA, kOutput);
        PanelSetValue(view->Value(cell) > 0.5 ? 0.0 : 1.0, cell, table);
        view->SendChangedParameters(FALSE, FALSE, FALSE);
    });
    const int routedByClicks = RoutedInput(view, kOutput);

    // The state a click's send pass leaves, set up untimed, and the window
    // repaint that follows it.
    int repaints = 0;
    const bench::CacheTimes repaint = bench::TimeColdAndWarm(
        201,
        [&] {
            const int input = repaints++ % 2 ? kInputB : kInputA;
            PanelShowValue(input, CTarvikMView::kSelectorFirst + kOutput, table);
            view->SelectInputForOutput(kOutput, input);
        },
        [&] { view->RedrawAllControls(); });

    // The clicks leave the next reply to be skipped, since the device may
    // still answer with the old routing; the one after it puts the view back
    // on the device's routing.
    Decode(view, reply);
    Decode(view, reply);
    int replies = 0;
    const bench::CacheTimes status =
        bench::TimeColdAndWarm(201, [&] { Decode(view, replies++ % 2 ? reply : moved); });

    std::printf("Tarvik routing matrix, %d x %d, %zu controls drawn of %d (%d crosspoints)\n", W, H, drawn.size(),
                table->count, CTarvikMView::kInputs * CTarvikMView::kOutputs);
    Row("full repaint, cold", paints.cold, "(median of %d; as after a tick)", bench::kPaintRuns);
    Row("full repaint, warm", paints.warm, "(the bitmaps still loaded)");
    Row("bitmap loads", load, "(%zu bitmaps; the dearest:)", ids.size());
    for (size_t k = 0; k < loads.size() && k < 3; ++k) {
        const BITMAP& size = loads[k].size;
        char what[32];
        std::snprintf(what, sizeof(what), "  bitmap %d", loads[k].id);
        Row(what, loads[k].seconds, "(%ld x %ld, %d bits)", long(size.bmWidth), long(size.bmHeight),
            int(size.bmBitsPixel));
    }
    Row("bare blits", paints.floor, "(%zu BitBlt calls, each from its own bitmap)", drawn.size());
    std::printf("  %-26s %8.2f     (goal at most 1.5; warm %.2f)\n", "cold / bare", paints.cold / paints.floor,
                paints.warm / paints.floor);

    std::printf("One crosspoint click: output %d moved between inputs %d and %d (now %d)\n", kOutput + 1,
                kInputA + 1, kInputB + 1, routedByClicks + 1);
    Row("click, warm", click.warm, "(toggle, send pass, window repaint; no port takes the block)");
    Row("click, cold", click.cold, "(the bitmap cache freed before it)");
    Row("repaint, warm", repaint.warm, "(%.2f%% of the full repaint, goal under 1%%; %.2f%% of a warm one)",
        100.0 * repaint.warm / paints.cold, 100.0 * repaint.warm / paints.warm);
    Row("repaint, cold", repaint.cold, "(%.2f%% of the full repaint)", 100.0 * repaint.cold / paints.cold);

    std::printf("Status reply of %zu bytes, two that route output %d differently, in turn\n", reply.size(),
                kOutput + 1);
    Row("decode and repaint, cold", status.cold, "(goal under 0.5 ms)");
    Row("decode and repaint, warm", status.warm, "(the bitmaps still loaded)");
    return 0;
}

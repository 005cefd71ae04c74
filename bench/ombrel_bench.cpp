// Speed of the Ombrel converter view in its 996 x 312 window, fed by a
// simulated converter whose meters all move (peak hold on auto reset, the
// limiter on, so the gain-reduction meters show too):
//   full repaint     the view's own paint (fill and every control) into a
//                    bitmap, the bitmap cache cold as after every tick of the
//                    transport, and warm
//   bare blits       one BitBlt per control the paint draws, each from the
//                    bitmap it shows: the floor
//   one mute         a mute toggled as an edit does, and the repaint after it
//   status reply     decoding a full reply that moves one trim, with the
//                    repaint of the window
//   level reply      decoding a reply of moving meters with fast polling on,
//                    with the repaint of the meters
//   fast polling     the window on simulated ports, its device answering, the
//                    transport's own 15 ms timer driving it for 5 s of real
//                    time: the CPU the whole process uses
#include <cstdio>

#include <windows.h>

#include "benchpoll.h"
#include "devices/preamp/ombrelview.h"
#include "sim/simombrel.h"

namespace {

using CountingOmbrel = bench::CountingReplies<COmbrelView>;

// A converter that gives the meters the most to draw: every meter of a strip
// moves and its peak hold follows.
void MoveEveryMeter(sim::SimOmbrel& device) {
    device.reg[0x11] = BYTE(device.reg[0x11] | 0x03);             // limiter: analog and digital
    device.reg[0x13] = BYTE((device.reg[0x13] & ~0x18) | 0x08);   // peak hold: auto reset
    device.moving = true;
}

}  // namespace

int main() {
    bench::PanelWindow<CountingOmbrel> window("Ombrel bench");
    if (!window.open) return 1;
    CountingOmbrel* view = window.view;
    const int W = COmbrelView::kPanelWidth, H = COmbrelView::kPanelHeight;

    sim::SimOmbrel device(0);
    MoveEveryMeter(device);
    const sim::Bytes reply = device.StatusReply();
    bench::Decode(view, reply);

    bench::DibTarget target(W, H);
    HDC memory = target.dc();
    PanelControlTable* table = view->Table();
    // The floor blits each control from its own bitmap: the strip and header
    // backgrounds are large.
    const bench::FullPaint full = bench::MeasureFullPaint(view, table, target);
    const bench::PaintTimes& paints = full.paints;

    // An even number of toggles leaves the mute as the device has it.
    const int mute = COmbrelView::StripId(3, COmbrelView::kMute);
    const bench::CacheTimes edit = bench::TimeColdAndWarm(200, [&] {
        PanelSetValue(view->Value(mute) > 0.5 ? 0.0 : 1.0, mute, table);
        PanelPaint(memory, table->controls, table->count, FALSE);
    });

    sim::SimOmbrel trimmed(0);
    MoveEveryMeter(trimmed);
    trimmed.reg[0x01] = BYTE(trimmed.reg[0x01] + 2);   // output 1 trimmed 1 dB up
    const sim::Bytes other = trimmed.StatusReply();
    int turn = 0;
    const bench::CacheTimes status =
        bench::TimeColdAndWarm(201, [&] { bench::Decode(view, (turn++ % 2) ? reply : other); });
    bench::Decode(view, reply);

    // A stretch of moving meters, played over and over.
    const bench::CacheTimes meters = bench::TimeLevelReplies(view, device, 28);

    sim::SimOmbrel polled(0);
    MoveEveryMeter(polled);
    const bench::PollRun poll = bench::RunFastPolling(view, polled, "Ombrel", 5000);

    std::printf("Ombrel converter view, %d x %d, %zu controls drawn of %d\n", W, H, full.drawn.size(), table->count);
    bench::ReportFullPaint(full);
    std::printf("  one mute, repaint       %8.3f ms  (%.2f%% of the full repaint, goal under 1%%)\n",
                edit.warm * 1e3, 100.0 * edit.warm / paints.cold);
    std::printf("  one mute, repaint cold  %8.3f ms  (%.2f%% of the full repaint; its bitmap loaded first)\n",
                edit.cold * 1e3, 100.0 * edit.cold / paints.cold);
    std::printf("  status reply            %8.3f ms  (decode and window repaint, cache cold; goal under 0.5 ms)\n",
                status.cold * 1e3);
    std::printf("  status reply, warm      %8.3f ms\n", status.warm * 1e3);
    std::printf("  level reply             %8.3f ms  (decode and meter repaint, cache cold; goal under 0.5 ms)\n",
                meters.cold * 1e3);
    std::printf("  level reply, warm       %8.3f ms\n", meters.warm * 1e3);

    return bench::ReportFastPolling(poll) ? 0 : 1;
}

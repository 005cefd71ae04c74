// Speed of the Quenda matrix view in a 980 x 900 window, unlocked by a reply
// of the simulated router as a running window would be:
//   full repaint     the view's own paint (layout, fill, every control,
//                    frame) into a bitmap, the bitmap cache cold as after
//                    every tick of the transport
//   bare blits       one BitBlt per control the paint draws, from one loaded
//                    bitmap: the floor
//   one crosspoint   a cell toggled as a click does, through the send pass
//                    with its repaint of the window; and the repaint alone
//   status reply     decoding a full reply that moves one routing, with the
//                    repaint of the window
#include <cstdio>
#include <vector>

#include <windows.h>

#include "benchview.h"
#include "devices/routing/quendaview.h"
#include "sim/simquenda.h"

using bench::Median;

int main() {
    bench::KeepNamesOffTheRegistry();

    const int W = 980, H = 900;
    bench::ViewHost host("Quenda bench", W, H);
    auto* view = new CQuendaMView;   // deleted with its window
    if (!host.Open(view)) {
        std::fprintf(stderr, "no view window\n");
        return 1;
    }

    sim::SimQuenda device(0);
    sim::Bytes reply = device.StatusReply();
    view->OnSysExReceived(reply.data(), int(reply.size()));

    bench::DibTarget target(W, H);
    HDC memory = target.dc();

    // The first paints place the scroll bars; time the ones after.
    for (int k = 0; k < 3; ++k) view->OnDraw(&target.cdc);

    PanelControlTable* table = view->Table();
    const std::vector<const PanelControl*> drawn = bench::DrawnControls(table);

    const bench::PaintTimes paints = bench::TimeFullPaints(view, target, [&] {
        HDC source = GetBitmapDC(memory, 291);
        return bench::Time([&] {
            for (const PanelControl* c : drawn) BitBlt(memory, c->x, c->y, c->w, c->h, source, 0, 0, SRCCOPY);
        });
    });
    const double full = paints.cold, warm = paints.warm, floor = paints.floor;
    const std::vector<int> ids = bench::BitmapsOf(drawn);
    const double load = bench::BitmapLoadTime(memory, ids);
    const double firstLoad = bench::FirstLoadTime(memory, ids);

    const int cell = CQuendaMView::CrosspointId(40, 12);
    double click = Median(201, [&] {
        PanelSetValue(view->Value(cell) > 0.5 ? 0.0 : 1.0, cell, table);
        view->SendChangedParameters(FALSE, FALSE, FALSE);
    });
    std::vector<double> repaints;
    for (int r = 0; r < 201; ++r) {
        PanelSetValue(view->Value(cell) > 0.5 ? 0.0 : 1.0, cell, table);
        view->LayoutMatrix(FALSE);
        repaints.push_back(bench::Time([&] { PanelPaint(memory, table->controls, table->count, FALSE); }));
    }
    const double repaint = bench::MedianOf(repaints);

    sim::Bytes other = reply;
    other[7 + 2 * 5 + 1] = 9;   // output 5 from input 9
    int turn = 0;
    double decode = Median(201, [&] {
        const sim::Bytes& r = (turn++ % 2) ? reply : other;
        view->OnSysExReceived(r.data(), int(r.size()));
    });

    std::printf("Quenda matrix view, %d x %d, %zu controls drawn of %d\n", W, H, drawn.size(), table->count);
    std::printf("  full repaint            %8.3f ms  (median of %d, as after a tick: cache cold)\n", full * 1e3, bench::kPaintRuns);
    std::printf("  full repaint, warm      %8.3f ms  (the bitmaps still loaded)\n", warm * 1e3);
    std::printf("  bitmap loads            %8.3f ms  (%zu bitmaps, as after a tick)\n", load * 1e3, ids.size());
    std::printf("  first loads             %8.3f ms  (the same, read from the resources once a run)\n",
                firstLoad * 1e3);
    std::printf("  bare blits              %8.3f ms  (%zu BitBlt calls)\n", floor * 1e3, drawn.size());
    std::printf("  full / bare             %8.2f     (goal at most 1.5; warm %.2f)\n", full / floor, warm / floor);
    std::printf("  one crosspoint, click   %8.3f ms  (send pass and window repaint)\n", click * 1e3);
    std::printf("  one crosspoint, repaint %8.3f ms  (%.2f%% of the full repaint)\n", repaint * 1e3,
                100.0 * repaint / full);
    std::printf("  status reply            %8.3f ms  (decode and window repaint, goal under 1 ms)\n", decode * 1e3);

    return 0;
}

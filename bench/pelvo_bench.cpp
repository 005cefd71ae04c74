// Speed of the Pelvo series view as the 32-channel AD model in its 796 x 196
// window (129 controls: 33 of the template, and per channel a level, a hold
// and a gain-reduction bar), fed by a simulated converter whose meters move:
//   full repaint     the view's own paint (every control) into a bitmap, the
//                    bitmap cache cold as after every tick of the transport,
//                    and warm
//   bare blits       one BitBlt per control the paint draws, each from the
//                    bitmap it shows: the floor
//   one edit         the key lock toggled as a click does: the change and
//                    the send pass; and the repaint of the window alone
//   status reply     decoding a full reply in which all 32 meters moved,
//                    fast polling on, with the repaint of the window
//   fast polling     the window on simulated ports, its device answering, the
//                    transport's own 15 ms timer driving it for 5 s of real
//                    time: the CPU the whole process uses
#include <cstdio>

#include <windows.h>

#include "benchpoll.h"
#include "devices/preamp/pelvoview.h"
#include "sim/simpelvo.h"

namespace {

const int kWideAd = 2;

// The window is made before the variant is chosen; the 32-channel AD model
// keeps the height a new view starts with.
struct View : bench::CountingReplies<CPelvoSeriesFView> {
    static const int kPanelHeight = 196;
};

// How many level bars show otherwise after `second` than after `first`; the
// view is left on `second`.
int MetersMoved(View* view, const sim::Bytes& first, const sim::Bytes& second) {
    double before[View::kChannels];
    bench::Decode(view, first);
    for (int b = 0; b < View::kChannels; ++b) before[b] = view->Value(View::LevelId(b));
    bench::Decode(view, second);
    int moved = 0;
    for (int b = 0; b < View::kChannels; ++b) moved += view->Value(View::LevelId(b)) != before[b] ? 1 : 0;
    return moved;
}

}  // namespace

int main() {
    // Two replies a step of the meters apart: every channel's level differs.
    sim::SimPelvo device(kWideAd);
    device.moving = true;
    device.Step();
    const sim::Bytes status = device.StatusReply();
    device.Step();
    const sim::Bytes metersMoved = device.StatusReply();

    bench::PanelWindow<View> window("Pelvo converter");
    if (!window.open) return 1;
    View* pelvo = window.view;
    if (!pelvo->SetSeriesVariant(kWideAd) || pelvo->GetPanelHeight() != View::kPanelHeight) {
        std::fprintf(stderr, "the 32-channel AD layout is %d high, the window %d\n", pelvo->GetPanelHeight(),
                     View::kPanelHeight);
        return 1;
    }
    PanelControlTable* panel = pelvo->Table();
    bench::DibTarget bitmap(View::kPanelWidth, View::kPanelHeight);

    // The replies as fast polling brings them; a view that turned them away
    // would leave every figure below about a picture that never changes.
    pelvo->SetEnableFast(TRUE);
    const int meters = MetersMoved(pelvo, metersMoved, status);
    if (meters == 0) {
        std::fprintf(stderr, "the view moved no meter between the two replies (%zu bytes)\n", status.size());
        return 1;
    }

    const bench::FullPaint full = bench::MeasureFullPaint(pelvo, panel, bitmap);

    // An even number of toggles leaves the key lock as the converter has it.
    const auto flipped = [&] { return pelvo->Value(View::kKeysLock) > 0.5 ? 0.0 : 1.0; };
    bench::EditTimes keys;
    keys.edit = bench::TimeSendPass(pelvo, [&] { PanelSetValue(flipped(), View::kKeysLock, panel); });
    // A send pass that left the edit marked has not taken it up.
    if (pelvo->Control(View::kKeysLock)->flags & PANEL_CHANGED) {
        std::fprintf(stderr, "the send pass left the key lock edit marked\n");
        return 1;
    }
    keys.repaint = bench::TimeRedraw(pelvo, [&] { PanelShowValue(flipped(), View::kKeysLock, panel); });

    // Should the edits have made the view wait out a reply, this one is it.
    bench::Decode(pelvo, status);
    const bench::CacheTimes replies = bench::TimeRepliesInTurn(pelvo, metersMoved, status);

    sim::SimPelvo polled(kWideAd);
    polled.moving = true;
    const bench::PollRun poll = bench::RunFastPolling(pelvo, polled, "Pelvo", 5000);

    std::printf("Pelvo series view, 32-channel AD, %d x %d, %zu controls drawn of %d\n", View::kPanelWidth,
                View::kPanelHeight, full.drawn.size(), panel->count);
    bench::ReportFullPaint(full);

    std::printf("One edit: the key lock, toggled on and off again\n");
    bench::ReportEdit("edit", "toggle", keys, full);

    std::printf("Status reply of %zu bytes, two that differ in %d meters, in turn, fast polling on\n",
                status.size(), meters);
    bench::ReportReplies(replies);

    if (!bench::ReportFastPolling(poll)) return 1;
    // This converter has no level reply: its fast poll asks for the status.
    std::printf("  (no level replies here: each fast poll asks for the status, which carries the meters)\n");
    return 0;
}

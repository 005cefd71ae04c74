// Speed of the Sarnet converter front view in its 740 x 171 window: 21
// template controls and 96 channel lamps, showing a simulated converter as a
// running window would:
//   full repaint     the view's own paint (background and every control) into
//                    a bitmap, the bitmap cache cold as after every tick of
//                    the transport, and warm
//   bare blits       one BitBlt per control the paint draws, each from the
//                    bitmap it shows: the floor
//   one edit         the key lock toggled as a click does: the send pass and
//                    its repaint of the window; and that repaint alone
//   status reply     decoding a full reply that moves a few lamps, with the
//                    repaint of the window
#include <cstdio>

#include <windows.h>

#include "benchview.h"
#include "devices/routing/sarnetview.h"
#include "sim/simsarnet.h"

namespace {

using View = CmidiSarnetFView;
const int kLamps = 96;

// What a lamp shows: lit or not, and blinking or not.
int LampState(View* view, int lamp) {
    const PanelControl* c = view->Control(View::kLampFirst + lamp);
    return (c->value > 0.5 ? 1 : 0) | ((c->flags & PANEL_BLINK) ? 2 : 0);
}

// How many lamps show otherwise after `second` than after `first`; the view
// is left on `second`.
int LampsMoved(View* view, const sim::Bytes& first, const sim::Bytes& second) {
    int before[kLamps];
    bench::Decode(view, first);
    for (int k = 0; k < kLamps; ++k) before[k] = LampState(view, k);
    bench::Decode(view, second);
    int moved = 0;
    for (int k = 0; k < kLamps; ++k) moved += LampState(view, k) != before[k] ? 1 : 0;
    return moved;
}

}  // namespace

int main() {
    // The second reply has channels come and go in both MADI rows: the
    // first of them also ends the quiet the AES lamp shows.
    sim::SimSarnet converter(0);
    const sim::Bytes status = converter.StatusReply();
    converter.reg[13] = 0x09;
    converter.reg[29] = 0x06;
    const sim::Bytes lampsMoved = converter.StatusReply();

    bench::PanelWindow<View> window("Sarnet converter");
    if (!window.open) return 1;
    View* sarnet = window.view;
    PanelControlTable* panel = sarnet->Table();
    // Replies the view turned away would leave every figure below about a
    // picture that never changes.
    const int lamps = LampsMoved(sarnet, lampsMoved, status);
    if (lamps == 0) {
        std::fprintf(stderr, "the view moved no lamp between the two replies (%zu bytes)\n", status.size());
        return 1;
    }

    bench::DibTarget bitmap(View::kPanelWidth, View::kPanelHeight);
    const bench::FullPaint full = bench::MeasureFullPaint(sarnet, panel, bitmap);

    // An even number of toggles leaves the key lock as the converter has it.
    bench::EditTimes keys;
    keys.edit = bench::TimeSendPass(sarnet, [&] {
        PanelSetValue(sarnet->Value(View::kKeysLock) > 0.5 ? 0.0 : 1.0, View::kKeysLock, panel);
    });
    // A send pass that sent nothing would have timed an edit the device
    // never hears; one that sent waits out the next reply.
    if (sarnet->GetReplySkip() != 1) {
        std::fprintf(stderr, "the key lock edit sent no set block\n");
        return 1;
    }
    keys.repaint = bench::TimeRedraw(sarnet, [&] {
        PanelShowValue(sarnet->Value(View::kKeysLock) > 0.5 ? 0.0 : 1.0, View::kKeysLock, panel);
    });

    // The first reply after the edits is the one skipped.
    bench::Decode(sarnet, status);
    const bench::CacheTimes replies = bench::TimeRepliesInTurn(sarnet, lampsMoved, status);

    std::printf("Sarnet converter front view, %d x %d, %zu controls drawn of %d (%d lamps)\n", View::kPanelWidth,
                View::kPanelHeight, full.drawn.size(), panel->count, kLamps);
    bench::ReportFullPaint(full);

    std::printf("One edit: the key lock, toggled on and off again\n");
    bench::ReportEdit("edit", "toggle", keys, full);

    std::printf("Status reply of %zu bytes, two that differ in %d lamps, in turn\n", status.size(), lamps);
    bench::ReportReplies(replies);
    return 0;
}

// Speed of the Fennow preamp view in its normal 982 x 253 window (eight
// strips, 147 controls), fed by a simulated preamp whose input levels move:
//   full repaint     the view's own paint (every control) into a bitmap, the
//                    bitmap cache cold as after every tick of the transport,
//                    and warm
//   bare blits       one BitBlt per control the paint draws, each from the
//                    bitmap it shows: the floor
//   one edit         phantom power of a strip toggled as a click does: the
//                    repaint of the window and the send pass; and that
//                    repaint alone
//   status reply     decoding a full reply that moves one gain, with the
//                    repaint of the window
//   level reply      decoding a reply of moving levels with fast polling on,
//                    with the repaint of the meters
//   fast polling     the window on simulated ports, its device answering, the
//                    transport's own 15 ms timer driving it for 5 s of real
//                    time: the CPU the whole process uses
#include <cstdio>

#include <windows.h>

#include "benchpoll.h"
#include "devices/preamp/fennowview.h"
#include "sim/simfennow.h"

namespace {

// The window is made before the view can say its height: the normal
// layout's, which main() holds the view to.
class FennowInWindow : public bench::CountingReplies<CFennowView> {
public:
    static const int kPanelHeight = 253;
};
using View = FennowInWindow;

// The levels run through a triangle of 30 steps: one stretch shows each of
// them once.
const int kLevelSteps = 30;
const int kEditedChannel = 4;

}  // namespace

int main() {
    sim::SimFennow device(0);
    device.moving = true;
    device.Step();
    const sim::Bytes status = device.StatusReply();
    // The second reply has channel 1's gain 1 dB up, and its level moved on.
    sim::SimFennow raised(0);
    raised.reg[0x00] = BYTE(raised.reg[0x00] + 1);
    raised.Step();
    raised.Step();
    const sim::Bytes gainMoved = raised.StatusReply();

    bench::PanelWindow<View> window("Fennow preamp");
    if (!window.open) return 1;
    View* fennow = window.view;
    // A new view has not read its settings, which may choose the slim layout.
    fennow->SetCompactLayout(FALSE);
    if (fennow->GetPanelHeight() != View::kPanelHeight) {
        std::fprintf(stderr, "the normal layout is %d high, the window %d\n", fennow->GetPanelHeight(),
                     View::kPanelHeight);
        return 1;
    }
    PanelControlTable* panel = fennow->Table();

    // A reply the view turned away would leave the figures below about a
    // picture that never changes.
    const int gain = View::StripId(0, View::kGain);
    bench::Decode(fennow, status);
    const double gainBefore = fennow->Value(gain);
    bench::Decode(fennow, gainMoved);
    if (fennow->Value(gain) == gainBefore) {
        std::fprintf(stderr, "the view did not move the gain between the two replies (%zu bytes)\n",
                     status.size());
        return 1;
    }
    bench::Decode(fennow, status);

    bench::DibTarget bitmap(View::kPanelWidth, View::kPanelHeight);
    const bench::FullPaint full = bench::MeasureFullPaint(fennow, panel, bitmap);

    // An even number of toggles leaves the phantom power as the device has
    // it. A click repaints the window before the send pass.
    const int phantom = View::StripId(kEditedChannel, View::kPhantom);
    const auto flipped = [&] { return fennow->Value(phantom) > 0.5 ? 0.0 : 1.0; };
    bench::EditTimes edit;
    edit.edit = bench::TimeSendPass(fennow, [&] {
        PanelSetValue(flipped(), phantom, panel);
        fennow->RedrawAllControls();
    });
    // A send pass that left the edit marked has not taken it up.
    if (fennow->Control(phantom)->flags & PANEL_CHANGED) {
        std::fprintf(stderr, "the send pass left the phantom power edit marked\n");
        return 1;
    }
    edit.repaint = bench::TimeRedraw(fennow, [&] { PanelShowValue(flipped(), phantom, panel); });

    const bench::CacheTimes replies = bench::TimeRepliesInTurn(fennow, gainMoved, status);
    bench::Decode(fennow, status);

    const bench::CacheTimes levels = bench::TimeLevelReplies(fennow, device, kLevelSteps);

    sim::SimFennow polled(0);
    polled.moving = true;
    const bench::PollRun poll = bench::RunFastPolling(fennow, polled, "Fennow", 5000);

    std::printf("Fennow preamp view, %d x %d, %zu controls drawn of %d\n", View::kPanelWidth, View::kPanelHeight,
                full.drawn.size(), panel->count);
    bench::ReportFullPaint(full);

    std::printf("One edit: phantom power of channel %d, toggled on and off again\n", kEditedChannel + 1);
    bench::ReportEdit("edit", "toggle", edit, full);

    std::printf("Status reply of %zu bytes, two that differ in a gain and a level, in turn\n", status.size());
    bench::ReportReplies(replies);

    std::printf("Level reply of %zu bytes, %d of moving levels in turn, fast polling on\n",
                device.LevelReply().size(), kLevelSteps);
    bench::ReportReplies(levels);

    return bench::ReportFastPolling(poll) ? 0 : 1;
}

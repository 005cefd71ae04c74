// Speed of the Brisal preamp view in its full layout with the options area
// shown, a 1060 x 320 window (eight channels and two phones outputs, 169
// controls, all drawn but the phones' two empty mute places), fed by a
// simulated preamp whose meters all move:
//   full repaint     the view's own paint (every control) into a bitmap, the
//                    bitmap cache cold as after every tick of the transport,
//                    and warm
//   bare blits       one BitBlt per control the paint draws, each from the
//                    bitmap it shows: the floor
//   one edit         phantom power of a channel toggled as a click does: the
//                    repaint of the window and the send pass; and that
//                    repaint alone
//   status reply     decoding a full reply that moves one gain, with the
//                    repaint of the window
//   level reply      decoding a reply of moving meters with fast polling on,
//                    with the repaint of the meters
//   fast polling     the window on simulated ports, its device answering, the
//                    transport's own 15 ms timer driving it for 5 s of real
//                    time: the CPU the whole process uses
#include <cstdio>

#include <windows.h>

#include "benchpoll.h"
#include "devices/preamp/brisalview.h"
#include "sim/simbrisal.h"

namespace {

// The window is made before the view can say its height: that of the full
// layout with the options, which main() holds the view to.
//
// Both of this preamp's replies carry the same command byte, so the shared
// count would take every level reply for another; a level reply is the one
// whose first triplet is already a meter.
class View : public bench::CountingReplies<CBrisalView> {
public:
    static const int kPanelHeight = 320;

    void OnSysExReceived(const BYTE* data, int length) override {
        if (data && length > 7 && data[7] >= sim::SimBrisal::kFirstMeter)
            ++levelReplies;
        else
            ++otherReplies;
        CBrisalView::OnSysExReceived(data, length);
    }
};

// The simulated meters run a triangle that rises and falls in about 28
// steps: one stretch shows each height on the way up and down.
const int kLevelSteps = 28;
const int kEditedChannel = 4;

// How many meters show otherwise after `second` than after `first`; the view
// is left on `second`.
int MetersMoved(View* view, const sim::Bytes& first, const sim::Bytes& second) {
    double before[View::kGroups];
    bench::Decode(view, first);
    for (int g = 0; g < View::kGroups; ++g) before[g] = view->Value(View::GroupId(g, View::kLevel));
    bench::Decode(view, second);
    int moved = 0;
    for (int g = 0; g < View::kGroups; ++g) moved += view->Value(View::GroupId(g, View::kLevel)) != before[g] ? 1 : 0;
    return moved;
}

}  // namespace

int main() {
    // Peak hold stays off: a held peak would freeze, and the holds that fall
    // give the meters the most to draw.
    sim::SimBrisal device(0);
    device.moving = true;
    device.Step();
    const sim::Bytes status = device.StatusReply();
    // The second reply has channel 1's gain a step up (0 to 10 dB, there is
    // nothing between), and its meters moved on.
    sim::SimBrisal raised(0);
    raised.reg[0][0] = BYTE(raised.reg[0][0] + 1);
    raised.Step();
    raised.Step();
    const sim::Bytes gainMoved = raised.StatusReply();

    bench::PanelWindow<View> window("Brisal preamp");
    if (!window.open) return 1;
    View* brisal = window.view;
    // A new view starts without the options area; with it every control of
    // the full layout shows.
    PanelControlTable* panel = brisal->Table();
    PanelShowValue(0, View::kSlimView, panel);
    PanelShowValue(1, View::kOptionsView, panel);
    brisal->SetCompactLayout(FALSE);
    if (brisal->GetPanelHeight() != View::kPanelHeight) {
        std::fprintf(stderr, "the full layout with options is %d high, the window %d\n", brisal->GetPanelHeight(),
                     View::kPanelHeight);
        return 1;
    }

    // A reply the view turned away would leave the figures below about a
    // picture that never changes.
    const int gain = View::GroupId(0, View::kGain);
    bench::Decode(brisal, status);
    const double gainBefore = brisal->Value(gain);
    bench::Decode(brisal, gainMoved);
    if (brisal->Value(gain) == gainBefore) {
        std::fprintf(stderr, "the view did not move the gain between the two replies (%zu bytes)\n",
                     status.size());
        return 1;
    }
    brisal->SetEnableFast(TRUE);
    sim::SimBrisal probe(0);
    probe.Step();
    const sim::Bytes levelBefore = probe.LevelReply();
    probe.Step();
    if (MetersMoved(brisal, levelBefore, probe.LevelReply()) == 0) {
        std::fprintf(stderr, "the view moved no meter between two level replies (%zu bytes)\n",
                     levelBefore.size());
        return 1;
    }
    bench::Decode(brisal, status);

    bench::DibTarget bitmap(View::kPanelWidth, View::kPanelHeight);
    const bench::FullPaint full = bench::MeasureFullPaint(brisal, panel, bitmap);

    // An even number of toggles leaves the phantom power as the device has
    // it. A click repaints the window before the send pass.
    const int phantom = View::GroupId(kEditedChannel, View::kPhantom);
    const auto flipped = [&] { return brisal->Value(phantom) > 0.5 ? 0.0 : 1.0; };
    bench::EditTimes edit;
    edit.edit = bench::TimeSendPass(brisal, [&] {
        PanelSetValue(flipped(), phantom, panel);
        brisal->RedrawAllControls();
    });
    // A send pass that left the edit marked has not taken it up.
    if (brisal->Control(phantom)->flags & PANEL_CHANGED) {
        std::fprintf(stderr, "the send pass left the phantom power edit marked\n");
        return 1;
    }
    edit.repaint = bench::TimeRedraw(brisal, [&] { PanelShowValue(flipped(), phantom, panel); });

    const bench::CacheTimes replies = bench::TimeRepliesInTurn(brisal, gainMoved, status);
    bench::Decode(brisal, status);

    const bench::CacheTimes levels = bench::TimeLevelReplies(brisal, device, kLevelSteps);

    sim::SimBrisal polled(0);
    polled.moving = true;
    const bench::PollRun poll = bench::RunFastPolling(brisal, polled, "Brisal", 5000);

    std::printf("Brisal preamp view, full layout with options, %d x %d, %zu controls drawn of %d\n",
                View::kPanelWidth, View::kPanelHeight, full.drawn.size(), panel->count);
    bench::ReportFullPaint(full);

    std::printf("One edit: phantom power of channel %d, toggled on and off again\n", kEditedChannel + 1);
    bench::ReportEdit("edit", "toggle", edit, full);

    std::printf("Status reply of %zu bytes, two that differ in a gain and the meters, in turn\n", status.size());
    bench::ReportReplies(replies);

    std::printf("Level reply of %zu bytes, %d of moving meters in turn, fast polling on\n",
                device.LevelReply().size(), kLevelSteps);
    bench::ReportReplies(levels);

    return bench::ReportFastPolling(poll) ? 0 : 1;
}

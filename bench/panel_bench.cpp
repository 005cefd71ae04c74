// Speed of the panel engine on the largest panel: 5,512 controls laid out
// like the 72 x 73 routing matrix, painted into a 980 x 900 bitmap.
//   full paint      PanelPaint of every control, the bitmap cache cold
//   bare blits      one BitBlt per control from one loaded bitmap: the floor
//   incremental     PanelPaint after one crosspoint changed
//   mouse-down      PanelHandleMessage for a click on a crosspoint
#include <algorithm>
#include <cstdio>
#include <vector>

#include <windows.h>

#include "benchpaint.h"

#include "panel/panel.h"

namespace {

const int kInputs = 72, kOutputs = 73, kHeader = 153, kMatrixLeft = 75;

PanelControl Make(int id, int type, int bitmap, int x, int y, int w, int h, int flags = 0) {
    PanelControl c{};
    c.id = id;
    std::snprintf(c.name, sizeof(c.name), "Control %d", id);
    c.type = type;
    c.bitmap = bitmap;
    c.max = 1;
    c.step = 1;
    c.x = x;
    c.y = y;
    c.w = w;
    c.h = h;
    c.flags = flags;
    return c;
}

struct Panel {
    std::vector<PanelControl> controls;
    char names[kOutputs][PANEL_LIST_ENTRY] = {};
    char states[3][PANEL_LIST_ENTRY] = {"Offline ", "No Response ", "Online "};

    Panel() {
        controls.push_back(Make(0, PANEL_STATIC_BITMAP, 289, 0, 0, 403, 84));
        controls.push_back(Make(1, PANEL_FIXED_BITMAP, 301, 0, 84, 403, 60));
        // A status area of lists, LEDs and switches.
        for (int i = 2; i < 38; ++i) {
            int x = 20 + (i % 9) * 42, y = 8 + (i / 9) * 15;
            if (i % 3 == 0) {
                controls.push_back(Make(i, PANEL_LIST_DISPLAY, 272, x, y, 36, 10));
                controls.back().list = states[0];
                controls.back().max = 2;
            } else {
                controls.push_back(Make(i, i % 3 == 1 ? PANEL_LED : PANEL_SWITCH, i % 3 == 1 ? 243 : 267, x, y, 13, 10));
            }
        }
        for (int o = 0; o < kOutputs; ++o)   // routing selectors, never drawn
            controls.push_back(Make(38 + o, PANEL_NUMBER, 269, 0, 0, 0, 0, PANEL_HIDDEN));
        for (int i = 0; i < kOutputs; ++i) std::snprintf(names[i], PANEL_LIST_ENTRY, "Ch %d", i + 1);
        for (int i = 0; i < kInputs; ++i) {
            controls.push_back(Make(111 + i, PANEL_TEXT_EDIT, 269, 10, kHeader + 10 * i + i / 8, 56, 10));
            controls.back().list = names[i];
        }
        for (int o = 0; o < kOutputs; ++o) {
            controls.push_back(
                Make(183 + o, PANEL_TEXT_EDIT, 269, kMatrixLeft + 1 + 12 * o + o / 8, kHeader - 62, 10, 56, PANEL_VERTICAL));
            controls.back().list = names[o];
        }
        for (int i = 0; i < kInputs; ++i)
            for (int o = 0; o < kOutputs; ++o) {
                controls.push_back(Make(256 + kOutputs * i + o, PANEL_SWITCH, 291, kMatrixLeft + 12 * o + o / 8,
                                        kHeader + 10 * i + i / 8, 12, 10));
                controls.back().value = (i == o) ? 1 : 0;
            }
    }
    PanelControl& crosspoint(int i, int o) { return controls[size_t(256 + kOutputs * i + o)]; }
};

using bench::Median;
using bench::Now;

}  // namespace

int main() {
    Panel panel;
    const int count = int(panel.controls.size());

    bench::DibTarget target(980, 900);
    HDC dc = target.dc();

    // Full paint and floor alternate, so that both see the same conditions.
    const int runs = 21;
    std::vector<double> fulls, floors;
    for (int r = 0; r < runs; ++r) {
        double start = Now();
        PanelFreeBitmaps();   // as after every tick of the transport: a cold cache
        PanelPaint(dc, panel.controls.data(), count, TRUE);
        GdiFlush();
        fulls.push_back(Now() - start);
        // The floor blits from the very context the engine blits the cells from.
        HDC source = GetBitmapDC(dc, 291);
        start = Now();
        for (const PanelControl& c : panel.controls) BitBlt(dc, c.x, c.y, c.w, c.h, source, 0, 0, SRCCOPY);
        GdiFlush();
        floors.push_back(Now() - start);
    }
    std::sort(fulls.begin(), fulls.end());
    std::sort(floors.begin(), floors.end());
    const double full = fulls[runs / 2], floor = floors[runs / 2];

    PanelControl& changed = panel.crosspoint(40, 12);
    double incremental = Median(201, [&] {
        changed.value = changed.value > 0.5 ? 0 : 1;
        changed.flags |= PANEL_REDRAW;
        PanelPaint(dc, panel.controls.data(), count, FALSE);
        GdiFlush();
    });

    HWND window = CreateWindowExA(0, "STATIC", "bench", WS_POPUP, 0, 0, 980, 900, nullptr, nullptr,
                                  GetModuleHandleA(nullptr), nullptr);
    const LPARAM at = MAKELPARAM(changed.x + 5, changed.y + 5);
    double mouseDown = Median(201, [&] {
        PanelHandleMessage(window, panel.controls.data(), count, WM_LBUTTONDOWN, MK_LBUTTON, at);
    });
    PanelHandleMessage(window, panel.controls.data(), count, WM_LBUTTONUP, 0, at);

    std::printf("panel of %d controls, 980 x 900, median of %d runs\n", count, runs);
    std::printf("  full paint         %8.3f ms\n", full * 1e3);
    std::printf("  bare blits         %8.3f ms  (%d BitBlt calls)\n", floor * 1e3, count);
    std::printf("  full / bare        %8.2f     (goal at most 1.5)\n", full / floor);
    std::printf("  incremental paint  %8.3f ms  (%.2f%% of the full paint, goal under 1%%)\n", incremental * 1e3,
                100.0 * incremental / full);
    std::printf("  mouse-down         %8.3f ms\n", mouseDown * 1e3);

    DestroyWindow(window);
    PanelFreeBitmaps();
    return 0;
}

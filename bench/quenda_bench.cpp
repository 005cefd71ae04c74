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
#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include <windows.h>

#include "app/devicenames.h"
#include "devices/routing/quendaview.h"
#include "framework/wnd.h"
#include "benchtime.h"
#include "sim/simquenda.h"

namespace {

using bench::Median;
using bench::Now;

std::string DefaultName(const char*, const char* fallback) { return fallback; }
void NoWrite(const char*, const char*) {}

}  // namespace

int main() {
    // Names take their defaults; the registry stays untouched.
    SetSystemSetAccess(SystemSetAccess{DefaultName, NoWrite});

    const int W = 980, H = 900;
    HWND host = CreateWindowExA(0, "STATIC", "Quenda bench", WS_POPUP | WS_VISIBLE, 0, 0, W, H, nullptr, nullptr,
                                GetModuleHandleA(nullptr), nullptr);
    CWnd parent;
    parent.AttachControl(host);
    auto* view = new CQuendaMView;   // deleted with its window
    const RECT area = {0, 0, W, H};
    if (!view->Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE, area, &parent, 1)) {
        std::fprintf(stderr, "no view window\n");
        return 1;
    }

    sim::SimQuenda device(0);
    sim::Bytes reply = device.StatusReply();
    view->OnSysExReceived(reply.data(), int(reply.size()));

    BITMAPINFO bi{};
    bi.bmiHeader.biSize = sizeof(bi.bmiHeader);
    bi.bmiHeader.biWidth = W;
    bi.bmiHeader.biHeight = -H;
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    bi.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HBITMAP target = CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
    HDC memory = CreateCompatibleDC(nullptr);
    HGDIOBJ oldTarget = SelectObject(memory, target);
    CDC dc(memory);

    // The first paints place the scroll bars; time the ones after.
    for (int k = 0; k < 3; ++k) view->OnDraw(&dc);

    PanelControlTable* table = view->Table();
    std::vector<const PanelControl*> drawn;
    for (int i = 0; i < table->count; ++i)
        if (!(table->controls[i].flags & PANEL_HIDDEN)) drawn.push_back(&table->controls[i]);

    const int runs = 21;
    std::vector<double> fulls, warms, floors;
    for (int r = 0; r < runs; ++r) {
        double start = Now();
        PanelFreeBitmaps();
        view->OnDraw(&dc);
        GdiFlush();
        fulls.push_back(Now() - start);
        start = Now();
        view->OnDraw(&dc);
        GdiFlush();
        warms.push_back(Now() - start);
        HDC source = GetBitmapDC(memory, 291);
        start = Now();
        for (const PanelControl* c : drawn) BitBlt(memory, c->x, c->y, c->w, c->h, source, 0, 0, SRCCOPY);
        GdiFlush();
        floors.push_back(Now() - start);
    }
    std::sort(fulls.begin(), fulls.end());
    std::sort(warms.begin(), warms.end());
    std::sort(floors.begin(), floors.end());
    const double full = fulls[runs / 2], warm = warms[runs / 2], floor = floors[runs / 2];
    // What a cold paint spends on loading: every bitmap the panel shows.
    std::vector<int> ids;
    for (const PanelControl* c : drawn)
        if (std::find(ids.begin(), ids.end(), c->bitmap) == ids.end()) ids.push_back(c->bitmap);
    const double load = Median(21, [&] {
        PanelFreeBitmaps();
        for (int id : ids) GetBitmapDC(memory, id);
    }) - Median(21, [] { PanelFreeBitmaps(); });

    const int cell = CQuendaMView::CrosspointId(40, 12);
    double click = Median(201, [&] {
        PanelSetValue(view->Value(cell) > 0.5 ? 0.0 : 1.0, cell, table);
        view->SendChangedParameters(FALSE, FALSE, FALSE);
    });
    std::vector<double> repaints;
    for (int r = 0; r < 201; ++r) {
        PanelSetValue(view->Value(cell) > 0.5 ? 0.0 : 1.0, cell, table);
        view->LayoutMatrix(FALSE);
        double start = Now();
        PanelPaint(memory, table->controls, table->count, FALSE);
        GdiFlush();
        repaints.push_back(Now() - start);
    }
    std::sort(repaints.begin(), repaints.end());
    const double repaint = repaints[repaints.size() / 2];

    sim::Bytes other = reply;
    other[7 + 2 * 5 + 1] = 9;   // output 5 from input 9
    int turn = 0;
    double decode = Median(201, [&] {
        const sim::Bytes& r = (turn++ % 2) ? reply : other;
        view->OnSysExReceived(r.data(), int(r.size()));
    });

    std::printf("Quenda matrix view, %d x %d, %zu controls drawn of %d\n", W, H, drawn.size(), table->count);
    std::printf("  full repaint            %8.3f ms  (median of %d, as after a tick: cache cold)\n", full * 1e3, runs);
    std::printf("  full repaint, warm      %8.3f ms  (the bitmaps still loaded)\n", warm * 1e3);
    std::printf("  bitmap loads            %8.3f ms  (%zu bitmaps)\n", load * 1e3, ids.size());
    std::printf("  bare blits              %8.3f ms  (%zu BitBlt calls)\n", floor * 1e3, drawn.size());
    std::printf("  full / bare             %8.2f     (goal at most 1.5; warm %.2f)\n", full / floor, warm / floor);
    std::printf("  one crosspoint, click   %8.3f ms  (send pass and window repaint)\n", click * 1e3);
    std::printf("  one crosspoint, repaint %8.3f ms  (%.2f%% of the full repaint)\n", repaint * 1e3,
                100.0 * repaint / full);
    std::printf("  status reply            %8.3f ms  (decode and window repaint, goal under 1 ms)\n", decode * 1e3);

    SelectObject(memory, oldTarget);
    DeleteDC(memory);
    DeleteObject(target);
    view->DestroyWindow();
    DestroyWindow(host);
    PanelFreeBitmaps();
    return 0;
}

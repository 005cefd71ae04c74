// What the benchmarks of device views share: a real window for the view, and
// the timing of its full paint with the bitmap cache cold and warm against a
// floor of bare blits.
#pragma once
#include <windows.h>

#include <cstdarg>
#include <cstdio>
#include <string>
#include <vector>

#include "app/devicenames.h"
#include "benchpaint.h"
#include "framework/view.h"

namespace bench {

// Names take their defaults; the registry stays untouched.
inline void KeepNamesOffTheRegistry() {
    SetSystemSetAccess(SystemSetAccess{[](const char*, const char* fallback) { return std::string(fallback); },
                                       [](const char*, const char*) {}});
}

// A popup on the screen with the view as its child: the view's own repaints
// go through a client DC, and only a visible window makes them draw.
class ViewHost {
public:
    ViewHost(const char* title, int w, int h) : m_area{0, 0, w, h} {
        m_host = CreateWindowExA(0, "STATIC", title, WS_POPUP | WS_VISIBLE, 0, 0, w, h, nullptr, nullptr,
                                 GetModuleHandleA(nullptr), nullptr);
        m_parent.AttachControl(m_host);
    }
    ~ViewHost() {
        if (m_view && IsWindow(m_view->m_hWnd)) m_view->DestroyWindow();
        DestroyWindow(m_host);
        PanelFreeBitmaps();
    }
    ViewHost(const ViewHost&) = delete;
    ViewHost& operator=(const ViewHost&) = delete;

    // The view fills the host; it is deleted with its window.
    bool Open(CWnd* view) {
        if (!m_host || !view->Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE, m_area, &m_parent, 1)) return false;
        m_view = view;
        return true;
    }
    // Open, and the paint a new window asks for made now rather than in a
    // timed part; a window that cannot be made is said on stderr.
    bool OpenPainted(CWnd* view) {
        if (!Open(view)) {
            std::fprintf(stderr, "no view window\n");
            return false;
        }
        view->UpdateWindow();
        return true;
    }

private:
    RECT m_area;
    HWND m_host = nullptr;
    CWnd m_parent;
    CWnd* m_view = nullptr;
};

// How a benchmark of a panel view starts: the names on their defaults, and
// the view in a host the size of its panel, painted once. open is false,
// said on stderr, when there is no window.
template <class View>
class PanelWindow {
    ViewHost m_host;   // made first: the names are settled before the view

public:
    explicit PanelWindow(const char* title)
        : m_host((KeepNamesOffTheRegistry(), title), View::kPanelWidth, View::kPanelHeight),
          view(new View),
          open(m_host.OpenPainted(view)) {}

    View* const view;   // deleted with its window
    const bool open;
};

// Medians of the view's full paint into the target after the cache was freed
// (the free counted, as a tick of the transport makes it), of the same paint
// with the bitmaps still loaded, and of the floor. The three alternate, so
// that all see the same conditions; floor() does its own timing, its setup
// left out.
const int kPaintRuns = 21;
struct PaintTimes {
    double cold, warm, floor;
};
template <class Floor>
PaintTimes TimeFullPaints(CView* view, DibTarget& target, Floor floor) {
    auto paint = [&] { view->OnDraw(&target.cdc); };
    std::vector<double> colds, warms, floors;
    for (int r = 0; r < kPaintRuns; ++r) {
        colds.push_back(Time([&] {
            PanelFreeBitmaps();
            paint();
        }));
        warms.push_back(Time(paint));
        floors.push_back(floor());
    }
    return {MedianOf(colds), MedianOf(warms), MedianOf(floors)};
}

// A view's full paint and what explains it: the controls it draws, its
// paints cold and warm against the floor of their bare blits (each from the
// bitmap it shows), and the loads of those bitmaps, together and each on its
// own. A first paint, untimed, lets the view settle what it lays out.
struct FullPaint {
    std::vector<const PanelControl*> drawn;
    PaintTimes paints;
    std::vector<int> ids;
    double load, firstLoad;
    std::vector<Load> loads;
};
inline FullPaint MeasureFullPaint(CView* view, PanelControlTable* table, DibTarget& target) {
    view->OnDraw(&target.cdc);
    FullPaint f;
    f.drawn = DrawnControls(table);
    f.paints = TimeFullPaints(view, target, [&] { return BareBlitTime(target.dc(), f.drawn); });
    f.ids = BitmapsOf(f.drawn);
    f.load = BitmapLoadTime(target.dc(), f.ids);
    f.firstLoad = FirstLoadTime(target.dc(), f.ids);
    f.loads = LoadsOf(target.dc(), f.ids);
    return f;
}

// One line of figures: a time, and what it means.
#ifdef __MINGW_PRINTF_FORMAT
__attribute__((format(__MINGW_PRINTF_FORMAT, 3, 4)))
#endif
inline void Row(const char* what, double seconds, const char* noteFormat, ...) {
    char note[160];
    va_list args;
    va_start(args, noteFormat);
    std::vsnprintf(note, sizeof(note), noteFormat, args);
    va_end(args);
    std::printf("  %-26s %8.3f ms  %s\n", what, seconds * 1e3, note);
}

// The lines of a full paint: cold and warm, what the bitmap loads cost with
// the three dearest, and the floor the cold paint is held to.
inline void ReportFullPaint(const FullPaint& f) {
    Row("full repaint, cold", f.paints.cold, "(median of %d; as after a tick)", kPaintRuns);
    Row("full repaint, warm", f.paints.warm, "(the bitmaps still loaded)");
    Row("bitmap loads", f.load, "(%zu bitmaps, as after a tick)", f.ids.size());
    Row("first loads", f.firstLoad, "(the same, read from the resources once a run; the dearest:)");
    for (size_t k = 0; k < f.loads.size() && k < 3; ++k) {
        char what[32];
        std::snprintf(what, sizeof(what), "  bitmap %d", f.loads[k].id);
        Row(what, f.loads[k].seconds, "(%d x %d)", f.loads[k].w, f.loads[k].h);
    }
    Row("bare blits", f.paints.floor, "(%zu BitBlt calls, each from its own bitmap)", f.drawn.size());
    std::printf("  %-26s %8.2f     (goal at most 1.5; warm %.2f)\n", "cold / bare", f.paints.cold / f.paints.floor,
                f.paints.warm / f.paints.floor);
}

// A reply handed to the view as the transport hands it over.
template <class View>
void Decode(View* view, const std::vector<BYTE>& reply) {
    view->OnSysExReceived(reply.data(), int(reply.size()));
}

// An edit made as a click on the panel makes it: set() changes a value, then
// the view's send pass runs and ends with its repaint of the window. Each
// edit should undo the one before, so that every one changes the picture.
const int kEditRuns = 201;
template <class View, class Set>
CacheTimes TimeSendPass(View* view, Set set) {
    return TimeColdAndWarm(kEditRuns, [&] {
        set();
        view->SendChangedParameters(FALSE, FALSE, FALSE);
    });
}
// That repaint alone, show() putting up untimed what the edit shows.
template <class View, class Show>
CacheTimes TimeRedraw(View* view, Show show) {
    return TimeColdAndWarm(kEditRuns, show, [&] { view->RedrawAllControls(); });
}
struct EditTimes {
    CacheTimes edit, repaint;
};

// The lines of an edit: the whole of it under the name the view gives it,
// and its repaint held to the full repaint.
inline void ReportEdit(const char* name, const char* steps, const EditTimes& t, const FullPaint& full) {
    const double cold = full.paints.cold;
    Row((std::string(name) + ", warm").c_str(), t.edit.warm, "(%s, send pass, window repaint; no port takes it)",
        steps);
    Row((std::string(name) + ", cold").c_str(), t.edit.cold, "(the bitmap cache freed before it)");
    Row("repaint, warm", t.repaint.warm, "(%.2f%% of the full repaint, goal under 1%%; %.2f%% of a warm one)",
        100.0 * t.repaint.warm / cold, 100.0 * t.repaint.warm / full.paints.warm);
    Row("repaint, cold", t.repaint.cold, "(%.2f%% of the full repaint)", 100.0 * t.repaint.cold / cold);
}

// Two replies decoded in turn, first and then second, each with the repaint
// of the window it ends with: every decode changes the picture.
template <class View>
CacheTimes TimeRepliesInTurn(View* view, const std::vector<BYTE>& first, const std::vector<BYTE>& second) {
    int turn = 0;
    return TimeColdAndWarm(kEditRuns, [&] { Decode(view, turn++ % 2 ? second : first); });
}
inline void ReportReplies(const CacheTimes& t) {
    Row("decode and repaint, cold", t.cold, "(goal under 0.5 ms)");
    Row("decode and repaint, warm", t.warm, "(the bitmaps still loaded)");
}

}  // namespace bench

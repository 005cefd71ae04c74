// What the benchmarks of panels share: a bitmap to paint into, the controls
// a paint draws and the bitmaps they show, and timings with the bitmap cache
// cold and warm.
#pragma once
#include <windows.h>

#include <algorithm>
#include <vector>

#include "benchtime.h"
#include "framework/wnd.h"
#include "panel/panel.h"
#include "panel/panel_internal.h"

namespace bench {

// A 32-bit top-down DIB section in a memory DC, the size of the window: what
// a paint draws into without the screen in the way.
class DibTarget {
public:
    DibTarget(int w, int h) {
        BITMAPINFO bi{};
        bi.bmiHeader.biSize = sizeof(bi.bmiHeader);
        bi.bmiHeader.biWidth = w;
        bi.bmiHeader.biHeight = -h;
        bi.bmiHeader.biPlanes = 1;
        bi.bmiHeader.biBitCount = 32;
        bi.bmiHeader.biCompression = BI_RGB;
        void* bits = nullptr;
        m_bitmap = CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
        m_dc = CreateCompatibleDC(nullptr);
        m_old = SelectObject(m_dc, m_bitmap);
        cdc.m_hDC = m_dc;
    }
    ~DibTarget() {
        SelectObject(m_dc, m_old);
        DeleteDC(m_dc);
        DeleteObject(m_bitmap);
    }
    DibTarget(const DibTarget&) = delete;
    DibTarget& operator=(const DibTarget&) = delete;

    HDC dc() const { return m_dc; }
    CDC cdc;   // for a view's OnDraw

private:
    HBITMAP m_bitmap = nullptr;
    HDC m_dc = nullptr;
    HGDIOBJ m_old = nullptr;
};

// The controls a full paint draws: all but the hidden ones.
inline std::vector<const PanelControl*> DrawnControls(const PanelControlTable* table) {
    std::vector<const PanelControl*> drawn;
    for (int i = 0; i < table->count; ++i)
        if (!(table->controls[i].flags & PANEL_HIDDEN)) drawn.push_back(&table->controls[i]);
    return drawn;
}

// Bitmap ids the controls show, each once.
inline std::vector<int> BitmapsOf(const std::vector<const PanelControl*>& controls) {
    std::vector<int> ids;
    for (const PanelControl* c : controls)
        if (std::find(ids.begin(), ids.end(), c->bitmap) == ids.end()) ids.push_back(c->bitmap);
    return ids;
}

// What a paint after a tick spends getting its bitmaps again: every bitmap
// the panel shows, less the free that comes with it.
inline double BitmapLoadTime(HDC dc, const std::vector<int>& ids) {
    return Median(21, [&] {
               PanelFreeBitmaps();
               for (int id : ids) panel::BitmapPixels(dc, id);
           }) -
           Median(21, [] { PanelFreeBitmaps(); });
}

// The same for the first paint of the run, which reads the bitmaps from the
// program's resources: setting the loader drops what was kept.
inline double FirstLoadTime(HDC dc, const std::vector<int>& ids) {
    return Median(21, [&] {
        PanelSetBitmapLoader(nullptr);
        for (int id : ids) panel::BitmapPixels(dc, id);
    }) - Median(21, [] { PanelSetBitmapLoader(nullptr); });
}

// The first load of each bitmap on its own, dearest first: where the first
// paint's time goes.
struct Load {
    int id;
    double seconds;
    int w, h;
};
inline std::vector<Load> LoadsOf(HDC dc, const std::vector<int>& ids) {
    std::vector<Load> loads;
    for (int id : ids) {
        Load l{id, FirstLoadTime(dc, {id}), 0, 0};
        if (const panel::Pixels* p = panel::BitmapPixels(dc, id)) l.w = p->w, l.h = p->h;
        loads.push_back(l);
    }
    std::sort(loads.begin(), loads.end(), [](const Load& a, const Load& b) { return a.seconds > b.seconds; });
    return loads;
}

// The floor of a paint of these controls: one BitBlt each, from a memory
// context holding the bitmap it shows. Backgrounds are as large as the
// panel, and one small source for all would clip their blits to a corner.
// The contexts are the benchmark's own, made before and deleted after the
// time, so that the engine's cache, and what its next free has to do, stays
// as the paints left it.
inline double BareBlitTime(HDC dc, const std::vector<const PanelControl*>& controls) {
    std::vector<int> ids;
    std::vector<HDC> contexts;
    std::vector<HBITMAP> bitmaps;
    std::vector<HDC> sources;
    for (const PanelControl* c : controls) {
        auto found = std::find(ids.begin(), ids.end(), c->bitmap);
        if (found != ids.end()) {
            sources.push_back(contexts[size_t(found - ids.begin())]);
            continue;
        }
        HDC context = CreateCompatibleDC(dc);
        HBITMAP bitmap = nullptr;
        if (const panel::Pixels* p = panel::BitmapPixels(dc, c->bitmap)) {
            BITMAPINFO bi{};
            bi.bmiHeader.biSize = sizeof(bi.bmiHeader);
            bi.bmiHeader.biWidth = p->w;
            bi.bmiHeader.biHeight = p->h;   // the kept pixels are bottom-up
            bi.bmiHeader.biPlanes = 1;
            bi.bmiHeader.biBitCount = 32;
            bi.bmiHeader.biCompression = BI_RGB;
            void* bits = nullptr;
            bitmap = CreateDIBSection(dc, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
            if (bitmap && bits) std::copy(p->argb.begin(), p->argb.end(), static_cast<DWORD*>(bits));
        }
        if (bitmap) SelectObject(context, bitmap);
        ids.push_back(c->bitmap);
        contexts.push_back(context);
        bitmaps.push_back(bitmap);
        sources.push_back(context);
    }
    const double seconds = Time([&] {
        for (size_t k = 0; k < controls.size(); ++k) {
            const PanelControl* c = controls[k];
            BitBlt(dc, c->x, c->y, c->w, c->h, sources[k], 0, 0, SRCCOPY);
        }
    });
    for (HDC context : contexts) DeleteDC(context);
    for (HBITMAP bitmap : bitmaps)
        if (bitmap) DeleteObject(bitmap);
    return seconds;
}

// The medians of fn with the bitmap cache freed before each call (untimed),
// as for the first paint after a tick, and with it as fn left it. prepare
// runs before every call, outside the time: what fn needs to find, such as
// the controls a repaint is to draw.
struct CacheTimes {
    double cold, warm;
};
template <class Prepare, class Fn>
CacheTimes TimeColdAndWarm(int runs, Prepare prepare, Fn fn) {
    std::vector<double> colds, warms;
    for (int r = 0; r < runs; ++r) {
        prepare();
        PanelFreeBitmaps();
        colds.push_back(Time(fn));
        prepare();
        warms.push_back(Time(fn));
    }
    return {MedianOf(colds), MedianOf(warms)};
}
template <class Fn>
CacheTimes TimeColdAndWarm(int runs, Fn fn) {
    return TimeColdAndWarm(runs, [] {}, fn);
}

}  // namespace bench

// Bitmaps in two stores. Their pixels are loaded once and kept for the life
// of the program: the painters blit straight from them, so a paint after the
// transport's tick, which frees the cache every 15 ms, costs no loading and
// creates no GDI object. The cache of memory device contexts serves callers
// that want a context to blit from; it is filled from the kept pixels and
// emptied by every free. The last id looked up in either store is answered
// without a search, since a panel draws one bitmap many times in a row.
#include <cstring>
#include <unordered_map>
#include <vector>

#include "framework/wnd.h"
#include "panel/panel.h"
#include "panel/panel_internal.h"

namespace {

struct CacheEntry {
    int id;
    HDC dc;
    HBITMAP bitmap;
    HGDIOBJ replaced;
};

const int kCacheSize = 80;
CacheEntry g_cache[kCacheSize];
int g_cacheCount = 0;
int g_lastId = -1;
int g_lastIndex = 0;

std::unordered_map<int, panel::Pixels> g_kept;
int g_lastKeptId = -1;
const panel::Pixels* g_lastKept = nullptr;

// The same pixels as LoadBitmap gives, but as a DIB section.
HBITMAP LoadResourceBitmap(int id) {
    HINSTANCE instance = AfxGetInstanceHandle();
    // Our art is plain 24- and 32-bit bitmaps: those are copied straight from
    // the mapped resource into a DIB section, without the general loader.
    HRSRC res = FindResourceA(instance, MAKEINTRESOURCEA(id), MAKEINTRESOURCEA(2) /* bitmap */);
    HGLOBAL mem = res ? LoadResource(instance, res) : nullptr;
    const BITMAPINFOHEADER* header = mem ? static_cast<const BITMAPINFOHEADER*>(LockResource(mem)) : nullptr;
    const DWORD size = res ? SizeofResource(instance, res) : 0;
    if (header && size >= sizeof(BITMAPINFOHEADER) && header->biSize >= sizeof(BITMAPINFOHEADER) &&
        header->biCompression == BI_RGB && (header->biBitCount == 24 || header->biBitCount == 32) &&
        header->biClrUsed == 0 && header->biWidth > 0 && header->biHeight != 0 && header->biPlanes == 1) {
        const long long height = header->biHeight < 0 ? -(long long)header->biHeight : header->biHeight;
        const long long stride = ((long long)header->biWidth * header->biBitCount + 31) / 32 * 4;
        const long long bytes = stride * height;
        if ((long long)header->biSize + bytes <= (long long)size) {
            BITMAPINFO info{};
            info.bmiHeader = *header;
            info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
            void* bits = nullptr;
            HBITMAP bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
            if (bitmap && bits) {
                memcpy(bits, reinterpret_cast<const BYTE*>(header) + header->biSize, size_t(bytes));
                return bitmap;
            }
            if (bitmap) DeleteObject(bitmap);
        }
    }
    return static_cast<HBITMAP>(LoadImageA(instance, MAKEINTRESOURCEA(id), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
}

PanelBitmapLoader g_loader = LoadResourceBitmap;

BITMAPINFO BottomUp32(int w, int h) {
    BITMAPINFO bi{};
    bi.bmiHeader.biSize = sizeof(bi.bmiHeader);
    bi.bmiHeader.biWidth = w;
    bi.bmiHeader.biHeight = h;
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    bi.bmiHeader.biCompression = BI_RGB;
    return bi;
}

// The loader's bitmap read out as 32-bit pixels, whatever its format; the
// bitmap itself is not kept.
bool ReadPixels(HDC dc, HBITMAP bitmap, panel::Pixels* out) {
    BITMAP info{};
    if (!GetObjectA(bitmap, sizeof(info), &info) || info.bmWidth <= 0 || info.bmHeight <= 0) return false;
    BITMAPINFO bi = BottomUp32(info.bmWidth, info.bmHeight);
    out->w = info.bmWidth;
    out->h = info.bmHeight;
    out->argb.assign(size_t(info.bmWidth) * size_t(info.bmHeight), 0);
    HDC screen = dc ? nullptr : GetDC(nullptr);
    const int rows = GetDIBits(dc ? dc : screen, bitmap, 0, UINT(info.bmHeight), out->argb.data(), &bi, DIB_RGB_COLORS);
    if (screen) ReleaseDC(nullptr, screen);
    return rows == info.bmHeight;
}

void FreeContexts() {
    g_lastId = -1;
    for (int i = g_cacheCount - 1; i >= 0; --i) {
        CacheEntry& e = g_cache[i];
        if (e.dc) SelectObject(e.dc, e.replaced);
        if (e.bitmap) DeleteObject(e.bitmap);
        if (e.dc) DeleteDC(e.dc);
        e = CacheEntry{};
    }
    g_cacheCount = 0;
}

}  // namespace

PanelBitmapLoader PanelSetBitmapLoader(PanelBitmapLoader loader) {
    PanelBitmapLoader old = g_loader;
    g_loader = loader ? loader : LoadResourceBitmap;
    // What the old loader gave is not this loader's.
    FreeContexts();
    g_kept.clear();
    g_lastKeptId = -1;
    g_lastKept = nullptr;
    return old == LoadResourceBitmap ? nullptr : old;
}

namespace panel {

const Pixels* BitmapPixels(HDC dc, int bitmapId) {
    if (bitmapId < 0) return nullptr;
    if (bitmapId == g_lastKeptId) return g_lastKept;
    auto found = g_kept.find(bitmapId);
    if (found == g_kept.end()) {
        // A bitmap that cannot be loaded is not kept: it is asked for again.
        HBITMAP bitmap = g_loader(bitmapId);
        if (!bitmap) return nullptr;
        Pixels pixels;
        const bool read = ReadPixels(dc, bitmap, &pixels);
        DeleteObject(bitmap);
        if (!read) return nullptr;
        found = g_kept.emplace(bitmapId, std::move(pixels)).first;
    }
    g_lastKeptId = bitmapId;
    g_lastKept = &found->second;
    return g_lastKept;
}

void BlitPixels(HDC dc, int x, int y, int w, int h, const Pixels* source, int sx, int sy, DWORD rop) {
    if (!dc || !source) return;
    // Only the part that lies inside the source is drawn, as from a memory
    // context holding the bitmap.
    if (sx < 0) {
        x -= sx;
        w += sx;
        sx = 0;
    }
    if (sy < 0) {
        y -= sy;
        h += sy;
        sy = 0;
    }
    if (w > source->w - sx) w = source->w - sx;
    if (h > source->h - sy) h = source->h - sy;
    if (w <= 0 || h <= 0) return;
    const BITMAPINFO bi = BottomUp32(source->w, source->h);
    // The source rectangle's y counts from the bottom row.
    StretchDIBits(dc, x, y, w, h, sx, source->h - sy - h, w, h, source->argb.data(), &bi, DIB_RGB_COLORS, rop);
}

int HeldBitmapObjects() { return 2 * g_cacheCount; }

}  // namespace panel

HDC GetBitmapDC(HDC dc, int bitmapId) {
    if (bitmapId < 0) return nullptr;
    if (bitmapId == g_lastId) return g_cache[g_lastIndex].dc;
    for (int i = 0; i < g_cacheCount; ++i) {
        if (g_cache[i].id == bitmapId) {
            g_lastId = bitmapId;
            g_lastIndex = i;
            return g_cache[i].dc;
        }
    }
    if (g_cacheCount >= kCacheSize) return nullptr;
    // Filled from the kept pixels: the resource is not read again.
    const panel::Pixels* pixels = panel::BitmapPixels(dc, bitmapId);
    if (!pixels) return nullptr;
    const BITMAPINFO bi = BottomUp32(pixels->w, pixels->h);
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(dc, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (!bitmap || !bits) {
        if (bitmap) DeleteObject(bitmap);
        return nullptr;
    }
    memcpy(bits, pixels->argb.data(), pixels->argb.size() * sizeof(DWORD));
    HDC memory = CreateCompatibleDC(dc);
    if (!memory) {
        DeleteObject(bitmap);
        return nullptr;
    }
    CacheEntry& e = g_cache[g_cacheCount];
    e.id = bitmapId;
    e.dc = memory;
    e.bitmap = bitmap;
    e.replaced = SelectObject(memory, bitmap);
    g_lastId = bitmapId;
    g_lastIndex = g_cacheCount;
    ++g_cacheCount;
    return memory;
}

void PanelFreeBitmaps() { FreeContexts(); }

void DrawSunkenFrame(HDC dc, int left, int top, int right, int bottom) {
    if (!dc) return;
    HPEN dark = CreatePen(PS_SOLID, 1, RGB(60, 60, 60));
    HGDIOBJ old = SelectObject(dc, dark);
    MoveToEx(dc, left - 1, bottom, nullptr);
    LineTo(dc, left - 1, top - 1);
    LineTo(dc, right, top - 1);
    SelectObject(dc, old);
    DeleteObject(dark);

    HPEN light = CreatePen(PS_SOLID, 1, RGB(160, 160, 160));
    old = SelectObject(dc, light);
    MoveToEx(dc, right, top - 1, nullptr);
    LineTo(dc, right, bottom);
    LineTo(dc, left - 1, bottom);
    SelectObject(dc, old);
    DeleteObject(light);
}

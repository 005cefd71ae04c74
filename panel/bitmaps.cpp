// The bitmap cache: each bitmap is loaded once into a memory device context
// and kept until the next free, which the transport's 15 ms tick makes. The
// cache is shared by every view, and the last id looked up is answered
// without a search, since a panel blits one bitmap many times in a row.
#include <cstring>
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
    panel::Pixels pixels;   // filled on demand, for vertical text
};

const int kCacheSize = 80;
CacheEntry g_cache[kCacheSize];
int g_cacheCount = 0;
int g_lastId = -1;
int g_lastIndex = 0;

// The same pixels as LoadBitmap gives, but as a DIB section: under Wine it
// loads and selects several times faster than a device bitmap, and every
// cold paint after a tick loads its bitmaps again.
HBITMAP LoadResourceBitmap(int id) {
    HINSTANCE instance = AfxGetInstanceHandle();
    // Our art is plain 24- and 32-bit bitmaps: those are copied straight from
    // the mapped resource into a DIB section, which costs a fraction of the
    // general loader's work on every cold paint.
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

CacheEntry* Entry(HDC dc, int bitmapId) {
    return GetBitmapDC(dc, bitmapId) ? &g_cache[g_lastIndex] : nullptr;
}

}  // namespace

PanelBitmapLoader PanelSetBitmapLoader(PanelBitmapLoader loader) {
    PanelBitmapLoader old = g_loader;
    g_loader = loader ? loader : LoadResourceBitmap;
    return old == LoadResourceBitmap ? nullptr : old;
}

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
    HBITMAP bitmap = g_loader(bitmapId);
    // A bitmap that cannot be loaded draws nothing; caching an empty context
    // instead would blit its default one-pixel bitmap.
    if (!bitmap) return nullptr;
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

void PanelFreeBitmaps() {
    g_lastId = -1;
    for (int i = g_cacheCount - 1; i >= 0; --i) {
        CacheEntry& e = g_cache[i];
        if (e.dc) SelectObject(e.dc, e.replaced);
        if (e.bitmap) DeleteObject(e.bitmap);
        if (e.dc) DeleteDC(e.dc);
        e.id = 0;
        e.dc = nullptr;
        e.bitmap = nullptr;
        e.replaced = nullptr;
        e.pixels = panel::Pixels{};
    }
    g_cacheCount = 0;
}

namespace panel {

const Pixels* BitmapPixels(HDC dc, int bitmapId) {
    CacheEntry* e = Entry(dc, bitmapId);
    if (!e) return nullptr;
    if (e->pixels.argb.empty()) {
        BITMAP info{};
        if (!GetObjectA(e->bitmap, sizeof(info), &info) || info.bmWidth <= 0 || info.bmHeight <= 0) return nullptr;
        // Copied through a 32-bit DIB section, whatever format the bitmap has.
        BITMAPINFO bi{};
        bi.bmiHeader.biSize = sizeof(bi.bmiHeader);
        bi.bmiHeader.biWidth = info.bmWidth;
        bi.bmiHeader.biHeight = -info.bmHeight;
        bi.bmiHeader.biPlanes = 1;
        bi.bmiHeader.biBitCount = 32;
        bi.bmiHeader.biCompression = BI_RGB;
        void* bits = nullptr;
        HBITMAP copy = CreateDIBSection(dc, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
        if (!copy) return nullptr;
        HDC copyDc = CreateCompatibleDC(dc);
        HGDIOBJ old = SelectObject(copyDc, copy);
        BitBlt(copyDc, 0, 0, info.bmWidth, info.bmHeight, e->dc, 0, 0, SRCCOPY);
        GdiFlush();
        const DWORD* p = static_cast<const DWORD*>(bits);
        e->pixels.w = info.bmWidth;
        e->pixels.h = info.bmHeight;
        e->pixels.argb.assign(p, p + size_t(info.bmWidth) * size_t(info.bmHeight));
        SelectObject(copyDc, old);
        DeleteDC(copyDc);
        DeleteObject(copy);
    }
    return &e->pixels;
}

}  // namespace panel

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

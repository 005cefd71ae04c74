#include "panel_test_util.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <map>

#include "framework/winapp.h"

namespace paneltest {

CWinApp& App() {
    static CWinApp* app = [] {
        auto* a = new CWinApp("Vantor Panel Tests");
        a->m_hInstance = GetModuleHandleA(nullptr);
        a->SetRegistryKey("Vantor Panel Tests");
        return a;
    }();
    return *app;
}

PanelControl Control(int id, int type, int x, int y, int w, int h, int bitmap) {
    PanelControl c{};
    c.id = id;
    std::snprintf(c.name, sizeof(c.name), "Control %d", id);
    c.type = type;
    c.bitmap = bitmap;
    c.max = 1.0;
    c.step = 1.0;
    c.x = x, c.y = y, c.w = w, c.h = h;
    return c;
}

TextList::TextList(const std::vector<std::string>& entries) : bytes(entries.size() * PANEL_LIST_ENTRY + 1, '\0') {
    for (size_t i = 0; i < entries.size(); ++i)
        std::strncpy(bytes.data() + i * PANEL_LIST_ENTRY, entries[i].c_str(), PANEL_LIST_ENTRY - 1);
}

static HBITMAP MakeDib(int w, int h, uint32_t** bits) {
    BITMAPINFO bi{};
    bi.bmiHeader = {sizeof(BITMAPINFOHEADER), w, -h, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    void* p = nullptr;
    HBITMAP b = CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, &p, nullptr, 0);
    *bits = static_cast<uint32_t*>(p);
    return b;
}

Surface::Surface(int w, int h, uint32_t fillColour) : w_(w), h_(h) {
    bitmap_ = MakeDib(w, h, &bits_);
    dc_ = CreateCompatibleDC(nullptr);
    old_ = SelectObject(dc_, bitmap_);
    fill(fillColour);
}

Surface::~Surface() {
    SelectObject(dc_, old_);
    DeleteDC(dc_);
    DeleteObject(bitmap_);
}

void Surface::fill(uint32_t colour) {
    GdiFlush();
    std::fill(bits_, bits_ + size_t(w_) * h_, colour);
}

bool Surface::untouchedOutside(int x, int y, int w, int h) const {
    GdiFlush();
    for (int j = 0; j < h_; ++j)
        for (int i = 0; i < w_; ++i)
            if (!(i >= x && i < x + w && j >= y && j < y + h) && at(i, j) != kUntouched) return false;
    return true;
}

bool Surface::saveBmp(const std::string& path) const {
    GdiFlush();
    DWORD size = DWORD(w_) * DWORD(h_) * 4;
    BITMAPINFOHEADER ih{sizeof(ih), w_, -h_, 1, 32, BI_RGB, size, 0, 0, 0, 0};
    BITMAPFILEHEADER fh{0x4D42, DWORD(sizeof(fh) + sizeof(ih) + size), 0, 0, DWORD(sizeof(fh) + sizeof(ih))};
    FILE* f = std::fopen(path.c_str(), "wb");
    if (!f) return false;
    bool ok = std::fwrite(&fh, sizeof(fh), 1, f) == 1 && std::fwrite(&ih, sizeof(ih), 1, f) == 1 &&
              std::fwrite(bits_, size, 1, f) == 1;
    return std::fclose(f) == 0 && ok;
}

// Pixel (x, y) of a test bitmap: red and green hold the low bytes of x and
// y, blue the bitmap's tag and the high bits.
namespace {
struct Registered {
    int tag, w, h;
};
std::map<int, Registered> g_registered;

HBITMAP LoadCoordBitmap(int id) {
    ++CoordBitmaps::loads;
    auto it = g_registered.find(id);
    if (it == g_registered.end()) return nullptr;
    const Registered& r = it->second;
    uint32_t* bits = nullptr;
    HBITMAP b = MakeDib(r.w, r.h, &bits);
    for (int y = 0; y < r.h; ++y)
        for (int x = 0; x < r.w; ++x) bits[size_t(y) * r.w + x] = CoordBitmaps::Encode(r.tag, x, y);
    return b;
}
}  // namespace

int CoordBitmaps::loads = 0;

CoordBitmaps::CoordBitmaps() {
    PanelFreeBitmaps();
    g_registered.clear();
    loads = 0;
    PanelSetBitmapLoader(LoadCoordBitmap);
}

CoordBitmaps::~CoordBitmaps() {
    PanelFreeBitmaps();
    PanelSetBitmapLoader(nullptr);
    g_registered.clear();
}

void CoordBitmaps::add(int id, int w, int h) { g_registered[id] = {int(g_registered.size() % 15), w, h}; }

int CoordBitmaps::tagOf(int id) const { return g_registered.count(id) ? g_registered[id].tag : -1; }

uint32_t CoordBitmaps::Encode(int tag, int x, int y) {
    uint32_t b = uint32_t(tag) << 4 | (uint32_t(x) >> 8 & 7) << 1 | (uint32_t(y) >> 8 & 1);
    return (uint32_t(x) & 0xFF) << 16 | (uint32_t(y) & 0xFF) << 8 | b;
}

Source CoordBitmaps::at(const Surface& s, int x, int y) const {
    GdiFlush();
    uint32_t p = s.at(x, y), b = p & 0xFF;
    int tag = int(b >> 4);
    return Source{tag == 15 ? -1 : tag, int(p >> 16 & 0xFF) | int(b >> 1 & 7) << 8, int(p >> 8 & 0xFF) | int(b & 1) << 8};
}

::testing::AssertionResult CoordBitmaps::from(const Surface& s, int x, int y, int w, int h, int id, int sx,
                                              int sy) const {
    for (int j = 0; j < h; ++j)
        for (int i = 0; i < w; ++i) {
            Source got = at(s, x + i, y + j), want{tagOf(id), sx + i, sy + j};
            if (!(got == want))
                return ::testing::AssertionFailure() << "at (" << x + i << ", " << y + j << ") " << ToString(got)
                                                     << " instead of " << ToString(want);
        }
    return ::testing::AssertionSuccess();
}

std::string ToString(const Source& s) {
    return "{tag " + std::to_string(s.tag) + ", " + std::to_string(s.x) + ", " + std::to_string(s.y) + "}";
}

std::string ReadCells(const CoordBitmaps& bm, const Surface& s, int id, int right, int top, int g, int cells) {
    std::string text;
    for (int k = 0; k < cells; ++k) {
        Source src = bm.at(s, right - k * g - 1, top);
        bool glyph = src.tag == bm.tagOf(id) && src.x % g == g - 1 && src.y == 0;
        text.insert(text.begin(), glyph ? char(32 + src.x / g) : '?');
    }
    return text;
}

}  // namespace paneltest

// Helpers of the panel tests: controls, a 32-bit drawing surface, and test
// bitmaps whose every pixel tells which bitmap and which (x, y) it came from.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include <gtest/gtest.h>
#include <windows.h>

#include "panel/panel.h"

class CWinApp;

namespace paneltest {

CWinApp& App();   // the test program's application object (profile, help)

PanelControl Control(int id, int type, int x, int y, int w, int h, int bitmap = 0);

// A list of 30-byte entries.
struct TextList {
    explicit TextList(const std::vector<std::string>& entries);
    char* data() { return bytes.data(); }
    std::vector<char> bytes;
};

// A top-down 32-bit DIB section selected into a memory DC.
class Surface {
public:
    static constexpr uint32_t kUntouched = 0x7F7FFF;   // decodes as no test bitmap
    Surface(int w, int h, uint32_t fill = kUntouched);
    ~Surface();
    Surface(const Surface&) = delete;
    Surface& operator=(const Surface&) = delete;
    HDC dc() const { return dc_; }
    uint32_t at(int x, int y) const { return bits_[size_t(y) * w_ + x] & 0xFFFFFF; }
    void fill(uint32_t colour);
    bool untouchedOutside(int x, int y, int w, int h) const;   // (0, 0, 0, 0): untouched anywhere
    bool saveBmp(const std::string& path) const;

private:
    int w_, h_;
    HDC dc_;
    HBITMAP bitmap_;
    HGDIOBJ old_;
    uint32_t* bits_;
};

struct Source {
    int tag, x, y;   // tag -1: not from a test bitmap
    bool operator==(const Source& o) const { return tag == o.tag && x == o.x && y == o.y; }
};
std::string ToString(const Source& s);

// Serves coordinate bitmaps to the painter for the ids added; other ids fail
// to load. Frees the bitmap cache on construction and destruction.
class CoordBitmaps {
public:
    CoordBitmaps();
    ~CoordBitmaps();
    CoordBitmaps(const CoordBitmaps&) = delete;
    CoordBitmaps& operator=(const CoordBitmaps&) = delete;
    void add(int id, int w, int h);
    int tagOf(int id) const;
    Source at(const Surface& s, int x, int y) const;
    // Every pixel of the rectangle came from (sx, sy) onward in bitmap id.
    ::testing::AssertionResult from(const Surface& s, int x, int y, int w, int h, int id, int sx, int sy) const;
    static uint32_t Encode(int tag, int x, int y);
    static int loads;   // loader calls since construction
};

// The characters of a row of text cells, read back right to left from
// `right`: each cell's rightmost column names its glyph, '?' for anything else.
std::string ReadCells(const CoordBitmaps& bm, const Surface& s, int id, int right, int top, int g, int cells);

}  // namespace paneltest

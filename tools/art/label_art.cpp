#include "label_art.h"

#include <cstdint>
#include <cstdio>
#include <vector>

#include "panel_font.h"

using namespace art;

namespace labelart {

Canvas Panel(int width, int height) {
    Canvas c(width, height, kPanel);
    c.frame(0, 0, width, height, kPanelEdge);
    return c;
}

int TextWidth(const std::string& text) { return text.empty() ? 0 : int(text.size()) * kAdvance - 1; }

void Text(Canvas& c, const std::string& text, int x, int y, Rgb ink) {
    for (size_t k = 0; k < text.size(); ++k)
        for (int row = 0; row < panelart::kGlyphRows; ++row)
            for (int col = 0; col < panelart::kGlyphCols; ++col)
                if (panelart::GlyphPixel(text[k], col, row)) c.set(x + int(k) * kAdvance + col, y + row, ink);
}

void TextRight(Canvas& c, const std::string& text, int right, int y, Rgb ink) {
    Text(c, text, right - TextWidth(text) + 1, y, ink);
}

void TextCentred(Canvas& c, const std::string& text, int left, int width, int y, Rgb ink) {
    Text(c, text, left + (width - TextWidth(text)) / 2, y, ink);
}

void Group(Canvas& c, int left, int top, int right, int bottom, const std::string& title, int titleX) {
    c.fill(left + 1, top + 1, right - left - 1, bottom - top - 1, kBox);
    for (int x = left + 1; x < right; ++x) {
        c.set(x, top, kBoxEdge);
        c.set(x, bottom, mix(kBoxEdge, kPanel, 0.35));
    }
    for (int y = top + 1; y < bottom; ++y) {
        c.set(left, y, kBoxEdge);
        c.set(right, y, mix(kBoxEdge, kPanel, 0.35));
    }
    for (int x : {left, right})
        for (int y : {top, bottom}) c.blend(x, y, kBoxEdge, 0.4);
    if (title.empty()) return;
    const int x = titleX < 0 ? left + 7 : titleX;
    // Outside the card the title stands on the panel, inside on the card.
    c.fill(x - 2, top - 3, TextWidth(title) + 4, 7, kPanel);
    c.fill(x - 2, top, TextWidth(title) + 4, 4, kBox);
    Text(c, title, x, top - 3, kTitle);
}

void Recess(Canvas& c, int x, int y, int w, int h) {
    for (int i = x - 1; i <= x + w; ++i) {
        c.set(i, y - 1, kRecessDark);
        c.set(i, y + h, kRecessLight);
    }
    for (int j = y - 1; j <= y + h; ++j) {
        c.set(x - 1, j, kRecessDark);
        c.set(x + w, j, kRecessLight);
    }
    c.fill(x, y, w, h, kField);
}

void Caption(Canvas& c, const std::string& text, const Box& b, Place place) {
    switch (place) {
        case Place::kLeft: TextRight(c, text, b.x - 4, CaptionY(b.y), kLabel); break;
        case Place::kAbove: TextCentred(c, text, b.x, b.w, b.y - 10, kLabel); break;
        case Place::kRight: Text(c, text, b.x + b.w + 3, CaptionY(b.y), kLabel); break;
    }
}

void Controls(Canvas& c, std::initializer_list<Control> controls) {
    for (const Control& k : controls) {
        if (k.field) Field(c, k.box);
        Caption(c, k.caption, k.box, k.place);
    }
}

void RowControls(Canvas& c, std::initializer_list<RowControl> controls) {
    for (const RowControl& k : controls) {
        const Box b{k.x, kDeviceRowY, k.w, 10};
        if (k.field) Field(c, b);
        Caption(c, k.caption, b, Place::kLeft);
    }
}

void DeviceRow(Canvas& c, int width, std::initializer_list<RowControl> controls) {
    Group(c, 1, 1, width - 2, 22, "");
    RowControls(c, controls);
}

Rgb LevelColour(int segment) { return segment == 0 ? kMeterRed : (segment <= 2 ? kMeterYellow : kMeterGreen); }

void Well(Canvas& c, const Box& b) {
    for (int d = 2; d >= 1; --d) {
        const double soft = d == 2 ? 0.5 : 0.0;
        const Rgb dark = mix(kRecessDark, kPanel, soft), light = mix(kRecessLight, kPanel, soft);
        for (int x = b.x - d; x < b.x + b.w + d; ++x) {
            c.set(x, b.y - d, dark);
            c.set(x, b.y + b.h + d - 1, light);
        }
        for (int y = b.y - d; y < b.y + b.h + d; ++y) {
            c.set(b.x - d, y, dark);
            c.set(b.x + b.w + d - 1, y, light);
        }
    }
    c.fill(b.x, b.y, b.w, b.h, kMeterGround);
}

void Ticks(Canvas& c, const Box& b, int side, Rgb (*colourOf)(int segment)) {
    for (int k = 0; k * 8 < b.h; ++k) {
        const int y = b.y + k * 8 + 3;
        const int length = k == 0 ? 4 : 3;
        const Rgb ink = mix(colourOf(k), kLabel, 0.35);
        for (int i = 0; i < length; ++i) {
            const int x = side < 0 ? b.x - 4 - i : b.x + b.w + 3 + i;
            c.set(x, y, ink);
            c.set(x, y + 1, mix(ink, kPanel, 0.55));
        }
    }
}

void GrooveAcross(Canvas& c, int left, int right, int y) {
    for (int x = left; x <= right; ++x) {
        c.set(x, y, mix(kRecessDark, kPanel, 0.4));
        c.set(x, y + 1, kPanelEdge);
    }
}

void GrooveDown(Canvas& c, int x, int top, int bottom) {
    for (int y = top; y <= bottom; ++y) {
        c.set(x, y, mix(kRecessDark, kPanel, 0.4));
        c.set(x + 1, y, kPanelEdge);
    }
}

void SpanTitle(Canvas& c, const std::string& title, int left, int right, int y, Rgb ink) {
    const int width = TextWidth(title);
    const int x = left + (right - left + 1 - width) / 2, rule = y + 3;
    Text(c, title, x, y, ink);
    for (int i = left; i <= right; ++i)
        if (i < x - 4 || i > x + width + 3) c.set(i, rule, kBoxEdge);
    for (int j = rule + 1; j <= rule + 3; ++j) {
        c.set(left, j, kBoxEdge);
        c.set(right, j, kBoxEdge);
    }
}

void SpanTitleUp(Canvas& c, const std::string& title, int x, int top, int bottom, Rgb ink) {
    const int length = TextWidth(title), line = x + 3;   // the middle of a capital
    const int textBottom = top + (bottom - top + 1 + length) / 2 - 1;
    for (size_t k = 0; k < title.size(); ++k)
        for (int row = 0; row < panelart::kGlyphRows; ++row)
            for (int col = 0; col < panelart::kGlyphCols; ++col)
                if (panelart::GlyphPixel(title[k], col, row)) c.set(x + row, textBottom - int(k) * kAdvance - col, ink);
    for (int j = top; j <= bottom; ++j)
        if (j < textBottom - length - 3 || j > textBottom + 4) c.set(line, j, kBoxEdge);
    for (int i = line + 1; i <= line + 3; ++i) {
        c.set(i, top, kBoxEdge);
        c.set(i, bottom, kBoxEdge);
    }
}

namespace {
const std::string kMaker = "TESMER ";
}

void Brand(Canvas& c, const std::string& model, int x, int y) {
    Text(c, kMaker, x, y, kLabel);
    Text(c, model, x + TextWidth(kMaker) + 1, y, kBrand);
}

int BrandWidth(const std::string& model) { return TextWidth(kMaker + model); }

void BrandLine(Canvas& c, const std::string& model, const std::string& what, int x, int y, int right) {
    const int whatX = x + BrandWidth(model) + 2 * kAdvance + 1;
    Brand(c, model, x, y);
    Text(c, what, whatX, y, kLabel);
    GrooveAcross(c, whatX + TextWidth(what) + 8, right, y + 3);
}

bool Save32(const Canvas& c, const std::string& file) {
    const uint32_t w = uint32_t(c.width()), h = uint32_t(c.height());
    std::vector<uint8_t> b;
    auto put16 = [&b](uint32_t v) {
        b.push_back(uint8_t(v));
        b.push_back(uint8_t(v >> 8));
    };
    auto put32 = [&put16](uint32_t v) {
        put16(v & 0xFFFF);
        put16(v >> 16);
    };
    b.push_back('B');
    b.push_back('M');
    put32(54 + 4 * w * h);
    put32(0);
    put32(54);
    put32(40);
    put32(w);
    put32(h);
    put16(1);
    put16(32);
    put32(0);
    put32(4 * w * h);
    put32(2835);
    put32(2835);
    put32(0);
    put32(0);
    for (int y = int(h) - 1; y >= 0; --y)
        for (int x = 0; x < int(w); ++x) {
            Rgb p = c.get(x, y);
            b.push_back(p.b);
            b.push_back(p.g);
            b.push_back(p.r);
            b.push_back(0);
        }
    FILE* f = std::fopen(file.c_str(), "wb");
    if (!f) return false;
    const bool ok = std::fwrite(b.data(), 1, b.size(), f) == b.size();
    return std::fclose(f) == 0 && ok;
}

}  // namespace labelart

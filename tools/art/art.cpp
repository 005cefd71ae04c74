#include "art.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <map>

namespace art {

Rgb mix(Rgb a, Rgb b, double t) {
    t = std::clamp(t, 0.0, 1.0);
    auto m = [t](uint8_t x, uint8_t y) { return uint8_t(std::lround(x + (y - x) * t)); };
    return Rgb{m(a.r, b.r), m(a.g, b.g), m(a.b, b.b)};
}

Canvas::Canvas(int w, int h, Rgb fill) : w_(w), h_(h), px_(size_t(w) * size_t(h), fill) {}

Rgb Canvas::get(int x, int y) const {
    if (x < 0 || y < 0 || x >= w_ || y >= h_) return Rgb{};
    return px_[size_t(y) * w_ + x];
}

void Canvas::set(int x, int y, Rgb c) {
    if (x < 0 || y < 0 || x >= w_ || y >= h_) return;
    px_[size_t(y) * w_ + x] = c;
}

void Canvas::blend(int x, int y, Rgb c, double alpha) {
    if (x < 0 || y < 0 || x >= w_ || y >= h_) return;
    Rgb& p = px_[size_t(y) * w_ + x];
    p = mix(p, c, alpha);
}

void Canvas::fill(int x, int y, int w, int h, Rgb c) {
    for (int j = y; j < y + h; ++j)
        for (int i = x; i < x + w; ++i) set(i, j, c);
}

void Canvas::frame(int x, int y, int w, int h, Rgb c) {
    for (int i = x; i < x + w; ++i) { set(i, y, c); set(i, y + h - 1, c); }
    for (int j = y; j < y + h; ++j) { set(x, j, c); set(x + w - 1, j, c); }
}

void Canvas::gradientV(int x, int y, int w, int h, Rgb top, Rgb bottom) {
    for (int j = 0; j < h; ++j) fill(x, y + j, w, 1, mix(top, bottom, h > 1 ? double(j) / (h - 1) : 0.0));
}

void Canvas::line(int x0, int y0, int x1, int y1, Rgb c) {
    int dx = std::abs(x1 - x0), sx = x0 < x1 ? 1 : -1;
    int dy = -std::abs(y1 - y0), sy = y0 < y1 ? 1 : -1;
    int err = dx + dy;
    for (;;) {
        set(x0, y0, c);
        if (x0 == x1 && y0 == y1) break;
        int e2 = 2 * err;
        if (e2 >= dy) { err += dy; x0 += sx; }
        if (e2 <= dx) { err += dx; y0 += sy; }
    }
}

// Coverage of a pixel by a disc, estimated on a 4x4 grid of samples.
static double discCoverage(double px, double py, double cx, double cy, double r) {
    int inside = 0;
    for (int sy = 0; sy < 4; ++sy)
        for (int sx = 0; sx < 4; ++sx) {
            double x = px + (sx + 0.5) / 4.0 - cx, y = py + (sy + 0.5) / 4.0 - cy;
            if (x * x + y * y <= r * r) ++inside;
        }
    return inside / 16.0;
}

void Canvas::disc(double cx, double cy, double r, Rgb c) {
    for (int y = int(std::floor(cy - r - 1)); y <= int(std::ceil(cy + r + 1)); ++y)
        for (int x = int(std::floor(cx - r - 1)); x <= int(std::ceil(cx + r + 1)); ++x) {
            double a = discCoverage(x, y, cx, cy, r);
            if (a > 0) blend(x, y, c, a);
        }
}

void Canvas::ring(double cx, double cy, double r, double thick, Rgb c) {
    for (int y = int(std::floor(cy - r - 1)); y <= int(std::ceil(cy + r + 1)); ++y)
        for (int x = int(std::floor(cx - r - 1)); x <= int(std::ceil(cx + r + 1)); ++x) {
            double a = discCoverage(x, y, cx, cy, r) - discCoverage(x, y, cx, cy, r - thick);
            if (a > 0) blend(x, y, c, a);
        }
}

void Canvas::blit(const Canvas& src, int dx, int dy) {
    for (int y = 0; y < src.height(); ++y)
        for (int x = 0; x < src.width(); ++x) set(dx + x, dy + y, src.get(x, y));
}

static void put16(std::vector<uint8_t>& v, uint32_t x) { v.push_back(x & 255); v.push_back((x >> 8) & 255); }
static void put32(std::vector<uint8_t>& v, uint32_t x) { put16(v, x & 0xFFFF); put16(v, x >> 16); }

static bool writeFile(const std::string& path, const std::vector<uint8_t>& bytes) {
    FILE* f = std::fopen(path.c_str(), "wb");
    if (!f) { std::fprintf(stderr, "artgen: cannot write %s\n", path.c_str()); return false; }
    bool ok = std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
    return std::fclose(f) == 0 && ok;
}

bool Canvas::saveBmp(const std::string& path) const {
    const uint32_t stride = (uint32_t(w_) * 3 + 3) & ~3u;
    const uint32_t imageSize = stride * uint32_t(h_);
    std::vector<uint8_t> b;
    b.reserve(54 + imageSize);
    b.push_back('B'); b.push_back('M');
    put32(b, 54 + imageSize); put32(b, 0); put32(b, 54);
    put32(b, 40); put32(b, uint32_t(w_)); put32(b, uint32_t(h_));
    put16(b, 1); put16(b, 24); put32(b, 0); put32(b, imageSize);
    put32(b, 2835); put32(b, 2835); put32(b, 0); put32(b, 0);
    for (int y = h_ - 1; y >= 0; --y) {
        for (int x = 0; x < w_; ++x) {
            Rgb p = get(x, y);
            b.push_back(p.b); b.push_back(p.g); b.push_back(p.r);
        }
        for (uint32_t pad = uint32_t(w_) * 3; pad < stride; ++pad) b.push_back(0);
    }
    return writeFile(path, b);
}

bool saveIco(const std::string& path, const std::vector<IconImage>& images) {
    std::vector<std::vector<uint8_t>> blobs;
    for (const IconImage& im : images) {
        std::vector<uint8_t> d;
        const int s = im.size;
        put32(d, 40); put32(d, uint32_t(s)); put32(d, uint32_t(2 * s));
        put16(d, 1); put16(d, 32); put32(d, 0); put32(d, 0);
        put32(d, 0); put32(d, 0); put32(d, 0); put32(d, 0);
        for (int y = s - 1; y >= 0; --y)
            for (int x = 0; x < s; ++x) {
                uint32_t p = im.argb[size_t(y) * s + x];
                uint32_t a = p >> 24;
                // Icons want colour premultiplied by nothing; Windows blends with alpha.
                d.push_back(p & 255); d.push_back((p >> 8) & 255); d.push_back((p >> 16) & 255); d.push_back(uint8_t(a));
            }
        // AND mask: set where fully transparent, rows padded to 32 bits.
        const int maskStride = ((s + 31) / 32) * 4;
        for (int y = s - 1; y >= 0; --y) {
            std::vector<uint8_t> row(size_t(maskStride), 0);
            for (int x = 0; x < s; ++x)
                if ((im.argb[size_t(y) * s + x] >> 24) == 0) row[size_t(x / 8)] |= uint8_t(0x80 >> (x % 8));
            d.insert(d.end(), row.begin(), row.end());
        }
        blobs.push_back(std::move(d));
    }
    std::vector<uint8_t> out;
    put16(out, 0); put16(out, 1); put16(out, uint32_t(images.size()));
    uint32_t offset = 6 + 16 * uint32_t(images.size());
    for (size_t i = 0; i < images.size(); ++i) {
        out.push_back(uint8_t(images[i].size >= 256 ? 0 : images[i].size));
        out.push_back(uint8_t(images[i].size >= 256 ? 0 : images[i].size));
        out.push_back(0); out.push_back(0);
        put16(out, 1); put16(out, 32);
        put32(out, uint32_t(blobs[i].size())); put32(out, offset);
        offset += uint32_t(blobs[i].size());
    }
    for (auto& bl : blobs) out.insert(out.end(), bl.begin(), bl.end());
    return writeFile(path, out);
}

std::string path(const std::string& dir, const std::string& file) { return dir + "/" + file; }

static std::map<std::string, ArtFunction>& registry() {
    static std::map<std::string, ArtFunction> r;
    return r;
}

Register::Register(const char* name, ArtFunction fn) { registry()[name] = std::move(fn); }

}  // namespace art

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: artgen <output folder>\n");
        return 2;
    }
    int failures = 0;
    for (auto& [name, fn] : art::registry()) {
        if (!fn(argv[1])) {
            std::fprintf(stderr, "artgen: %s failed\n", name.c_str());
            ++failures;
        }
    }
    return failures ? 1 : 0;
}

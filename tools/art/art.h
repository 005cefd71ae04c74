// Small raster toolkit for the bitmap generator: an RGB canvas, a few drawing
// primitives, and writers for 24-bit BMP files and 32-bit icons.
#pragma once
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace art {

struct Rgb {
    uint8_t r = 0, g = 0, b = 0;
};
inline Rgb rgb(int r, int g, int b) { return Rgb{uint8_t(r), uint8_t(g), uint8_t(b)}; }
Rgb mix(Rgb a, Rgb b, double t);   // t = 0 gives a, 1 gives b

class Canvas {
public:
    Canvas(int w, int h, Rgb fill = Rgb{});
    int width() const { return w_; }
    int height() const { return h_; }
    Rgb get(int x, int y) const;
    void set(int x, int y, Rgb c);                       // ignores points outside
    void blend(int x, int y, Rgb c, double alpha);        // alpha 0..1
    void fill(int x, int y, int w, int h, Rgb c);
    void frame(int x, int y, int w, int h, Rgb c);
    void gradientV(int x, int y, int w, int h, Rgb top, Rgb bottom);
    void line(int x0, int y0, int x1, int y1, Rgb c);
    void disc(double cx, double cy, double r, Rgb c);     // anti-aliased
    void ring(double cx, double cy, double r, double thick, Rgb c);
    void blit(const Canvas& src, int dx, int dy);
    // 24-bit bottom-up BMP, as LoadBitmap expects.
    bool saveBmp(const std::string& path) const;

private:
    int w_, h_;
    std::vector<Rgb> px_;
};

// An icon image with alpha (premultiplied on write); several sizes go into one .ico.
struct IconImage {
    int size;
    std::vector<uint32_t> argb;   // size*size, top row first
};
bool saveIco(const std::string& path, const std::vector<IconImage>& images);

// Every drawing unit registers one function that writes its files into the
// output folder; main runs them all.
using ArtFunction = std::function<bool(const std::string& outDir)>;
struct Register {
    Register(const char* name, ArtFunction fn);
};
std::string path(const std::string& dir, const std::string& file);

}  // namespace art

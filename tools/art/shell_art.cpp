// Art of the program shell: the toolbar strip (bitmap 128), the program icon
// (128) and the tray icon (326).
#include <cmath>

#include "art.h"

using namespace art;

namespace {

const Rgb kFace = rgb(192, 192, 192);   // mapped to the button face colour at load
const Rgb kInk = rgb(32, 36, 44);
const Rgb kPanel = rgb(38, 44, 50);
const Rgb kPanelEdge = rgb(66, 77, 91);
const Rgb kLed = rgb(64, 230, 96);
const Rgb kBlue = rgb(40, 96, 200);
const Rgb kWhite = rgb(250, 250, 250);
const Rgb kYellow = rgb(236, 196, 64);

void arrowRight(Canvas& c, int x, int y, Rgb col) {   // 7 wide, 7 high, tip at x+6
    for (int i = 0; i < 4; ++i) c.fill(x, y + 3 - 0, 4, 1, col);
    for (int i = 0; i < 4; ++i) c.fill(x + 3 + i, y + i, 1, 7 - 2 * i, col);
}
void arrowLeft(Canvas& c, int x, int y, Rgb col) {
    c.fill(x + 3, y + 3, 4, 1, col);
    for (int i = 0; i < 4; ++i) c.fill(x + 3 - i, y + i, 1, 7 - 2 * i, col);
}

void buttonNewWindow(Canvas& c, int ox) {
    c.fill(ox + 1, 2, 11, 10, kWhite);
    c.frame(ox + 1, 2, 11, 10, kInk);
    c.fill(ox + 2, 3, 9, 2, kBlue);
    c.fill(ox + 11, 9, 5, 1, rgb(0, 140, 0));
    c.fill(ox + 13, 7, 1, 5, rgb(0, 140, 0));
}

void buttonOpen(Canvas& c, int ox) {
    c.fill(ox + 1, 4, 6, 2, kYellow);
    c.fill(ox + 1, 5, 13, 8, kYellow);
    c.frame(ox + 1, 5, 13, 8, rgb(120, 90, 20));
    c.fill(ox + 3, 8, 12, 5, rgb(250, 220, 120));
    c.line(ox + 3, 8, ox + 14, 8, rgb(120, 90, 20));
    c.set(ox + 12, 1, kInk); c.line(ox + 11, 2, ox + 14, 2, kInk);
}

void buttonSave(Canvas& c, int ox) {
    c.fill(ox + 2, 1, 12, 13, rgb(60, 70, 130));
    c.fill(ox + 4, 1, 8, 5, kWhite);
    c.fill(ox + 9, 2, 2, 3, rgb(60, 70, 130));
    c.fill(ox + 4, 8, 8, 6, rgb(210, 210, 210));
    c.frame(ox + 2, 1, 12, 13, kInk);
}

void buttonMidiSetup(Canvas& c, int ox) {   // a five-pin connector
    c.disc(ox + 7.5, 7.5, 7.0, kInk);
    c.disc(ox + 7.5, 7.5, 5.6, rgb(150, 150, 150));
    const double pins[5][2] = {{3.5, 7.5}, {11.5, 7.5}, {4.7, 4.7}, {10.3, 4.7}, {7.5, 3.5}};
    for (auto& p : pins) c.disc(ox + p[0], p[1], 1.0, kInk);
    c.fill(ox + 6, 11, 4, 2, kInk);
}

void buttonStartStop(Canvas& c, int ox) {
    for (int i = 0; i < 6; ++i) c.fill(ox + 2 + i, 2 + i, 1, 11 - 2 * i, rgb(0, 150, 40));
    c.fill(ox + 9, 3, 6, 9, rgb(200, 40, 40));
}

void buttonSend(Canvas& c, int ox) {
    c.fill(ox + 8, 2, 7, 11, kPanel);
    c.frame(ox + 8, 2, 7, 11, kPanelEdge);
    c.fill(ox + 10, 4, 3, 2, kLed);
    arrowRight(c, ox + 1, 4, kBlue);
}

void buttonReceive(Canvas& c, int ox) {
    c.fill(ox + 1, 2, 7, 11, kPanel);
    c.frame(ox + 1, 2, 7, 11, kPanelEdge);
    c.fill(ox + 3, 4, 3, 2, kLed);
    arrowLeft(c, ox + 8, 4, rgb(0, 140, 0));
}

void buttonAbout(Canvas& c, int ox) {
    c.disc(ox + 7.5, 7.5, 7.0, kBlue);
    c.fill(ox + 7, 3, 2, 2, kWhite);
    c.fill(ox + 7, 6, 2, 6, kWhite);
    c.fill(ox + 6, 11, 4, 1, kWhite);
}

// The program's mark: a small dark front panel with two faders and a lit LED.
IconImage programIcon(int size, bool tray) {
    const int ss = 4;   // supersampling
    const int S = size * ss;
    Canvas big(S, S, Rgb{});
    std::vector<double> alpha(size_t(S) * S, 0.0);
    const double r = S * 0.18;
    auto inside = [&](int x, int y) {
        double cx = std::min(std::max(double(x) + 0.5, r), S - r);
        double cy = std::min(std::max(double(y) + 0.5, r), S - r);
        double dx = x + 0.5 - cx, dy = y + 0.5 - cy;
        return dx * dx + dy * dy <= r * r;
    };
    for (int y = 0; y < S; ++y)
        for (int x = 0; x < S; ++x)
            if (inside(x, y)) {
                alpha[size_t(y) * S + x] = 1.0;
                bool edge = !inside(x - ss, y) || !inside(x + ss, y) || !inside(x, y - ss) || !inside(x, y + ss);
                big.set(x, y, edge ? kPanelEdge : mix(kPanel, rgb(58, 66, 76), double(S - y) / S));
            }
    // fader slots and caps
    const double slots[2] = {0.34, 0.62};
    const double caps[2] = {0.62, 0.40};
    for (int i = 0; i < 2; ++i) {
        int sx = int(S * slots[i]);
        big.fill(sx - ss / 2, int(S * 0.22), ss, int(S * 0.60), rgb(14, 16, 20));
        big.fill(sx - int(S * 0.09), int(S * caps[i]) - int(S * 0.05), int(S * 0.18), int(S * 0.10),
                 rgb(220, 224, 230));
        big.fill(sx - int(S * 0.09), int(S * caps[i]) - ss / 4, int(S * 0.18), ss / 2, rgb(30, 30, 30));
    }
    big.disc(S * 0.80, S * 0.24, S * (tray ? 0.11 : 0.08), kLed);
    IconImage im{size, std::vector<uint32_t>(size_t(size) * size, 0)};
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x) {
            double a = 0, rr = 0, gg = 0, bb = 0;
            for (int j = 0; j < ss; ++j)
                for (int i = 0; i < ss; ++i) {
                    int X = x * ss + i, Y = y * ss + j;
                    double w = alpha[size_t(Y) * S + X];
                    Rgb p = big.get(X, Y);
                    a += w; rr += p.r * w; gg += p.g * w; bb += p.b * w;
                }
            if (a <= 0) continue;
            uint32_t A = uint32_t(std::lround(a / (ss * ss) * 255));
            uint32_t R = uint32_t(std::lround(rr / a)), G = uint32_t(std::lround(gg / a)), B = uint32_t(std::lround(bb / a));
            im.argb[size_t(y) * size + x] = (A << 24) | (R << 16) | (G << 8) | B;
        }
    return im;
}

bool drawShellArt(const std::string& dir) {
    void (*buttons[])(Canvas&, int) = {buttonNewWindow, buttonOpen,    buttonSave,    buttonMidiSetup,
                                      buttonStartStop, buttonSend,    buttonReceive, buttonAbout};
    const int n = int(sizeof(buttons) / sizeof(buttons[0]));
    Canvas strip(16 * n, 15, kFace);
    for (int i = 0; i < n; ++i) buttons[i](strip, 16 * i);
    bool ok = strip.saveBmp(path(dir, "toolbar128.bmp"));
    ok = saveIco(path(dir, "icon128.ico"), {programIcon(32, false), programIcon(16, false)}) && ok;
    ok = saveIco(path(dir, "icon326.ico"), {programIcon(16, true), programIcon(32, true)}) && ok;
    return ok;
}

Register reg("shell", drawShellArt);

}  // namespace

#include "game_palette.h"

#include <algorithm>
#include <cmath>

namespace {

Rgb MakeRgb(int r, int g, int b) {
    auto c = [](int v) { return static_cast<Rgb>(std::clamp(v, 0, 255)); };
    return c(r) << 16 | c(g) << 8 | c(b);
}

// Hue angles of the eleven coloured ramps (ramp 0 is grey).
constexpr int kRampHue[12] = {0, 0, 30, 55, 90, 125, 165, 185, 205, 230, 270, 320};

Rgb HueShade(int hue, int shade) {
    // Shades run from near black through the full colour to a pale tint.
    const double h = hue / 60.0;
    const double x = 1.0 - std::fabs(std::fmod(h, 2.0) - 1.0);
    double r = 0, g = 0, b = 0;
    switch (static_cast<int>(h) % 6) {
        case 0: r = 1, g = x; break;
        case 1: r = x, g = 1; break;
        case 2: g = 1, b = x; break;
        case 3: g = x, b = 1; break;
        case 4: r = x, b = 1; break;
        default: r = 1, b = x; break;
    }
    const double t = shade / 15.0;
    const double light = t < 0.6 ? t / 0.6 : 1.0;
    const double pale = t < 0.6 ? 0.0 : (t - 0.6) / 0.4 * 0.75;
    auto ch = [&](double v) { return static_cast<int>(std::lround(255.0 * (v * light * (1.0 - pale) + pale))); };
    return MakeRgb(ch(r), ch(g), ch(b));
}

ColourTable BuildPalette() {
    ColourTable t{};
    t[0] = MakeRgb(255, 0, 255);
    // 1..15: the pure colours, for anything drawn by number.
    const Rgb basics[15] = {MakeRgb(0, 0, 0),     MakeRgb(128, 0, 0),     MakeRgb(0, 128, 0),
                            MakeRgb(128, 128, 0), MakeRgb(0, 0, 128),     MakeRgb(128, 0, 128),
                            MakeRgb(0, 128, 128), MakeRgb(192, 192, 192), MakeRgb(128, 128, 128),
                            MakeRgb(255, 0, 0),   MakeRgb(0, 255, 0),     MakeRgb(255, 255, 0),
                            MakeRgb(0, 0, 255),   MakeRgb(255, 255, 255), MakeRgb(0, 255, 255)};
    std::copy(std::begin(basics), std::end(basics), t.begin() + 1);
    for (int s = 0; s < 16; ++s) t[16 + s] = MakeRgb(s * 17, s * 17, s * 17);
    for (int r = 1; r < 12; ++r) {
        for (int s = 0; s < 16; ++s) t[static_cast<std::size_t>(16 + r * 16 + s)] = HueShade(kRampHue[r], s);
    }
    // 208..255: skin, wood and earth tones, then greys for the frames.
    const Rgb earth[16] = {MakeRgb(248, 200, 160), MakeRgb(216, 160, 120), MakeRgb(150, 96, 48), MakeRgb(96, 60, 30),
                           MakeRgb(200, 168, 96),  MakeRgb(160, 128, 64),  MakeRgb(112, 88, 40), MakeRgb(72, 56, 24),
                           MakeRgb(120, 180, 72),  MakeRgb(72, 128, 40),   MakeRgb(40, 80, 24),  MakeRgb(24, 48, 16),
                           MakeRgb(176, 176, 200), MakeRgb(128, 128, 160), MakeRgb(88, 88, 120), MakeRgb(48, 48, 72)};
    std::copy(std::begin(earth), std::end(earth), t.begin() + 208);
    for (int i = 224; i < 256; ++i) {
        const int v = 40 + (i - 224) * 6;
        t[static_cast<std::size_t>(i)] = MakeRgb(v, v, v + 8);
    }
    t[Pal::White] = MakeRgb(255, 255, 255);
    return t;
}

int Distance(Rgb a, Rgb b) {
    const int dr = static_cast<int>(a >> 16 & 255) - static_cast<int>(b >> 16 & 255);
    const int dg = static_cast<int>(a >> 8 & 255) - static_cast<int>(b >> 8 & 255);
    const int db = static_cast<int>(a & 255) - static_cast<int>(b & 255);
    return 3 * dr * dr + 4 * dg * dg + 2 * db * db;
}

std::uint8_t Nearest(const ColourTable& table, Rgb colour) {
    std::uint8_t best = 1;
    int bestDistance = Distance(table[1], colour);
    for (int i = 2; i < 256 && bestDistance > 0; ++i) {
        const int d = Distance(table[static_cast<std::size_t>(i)], colour);
        if (d < bestDistance) {
            bestDistance = d;
            best = static_cast<std::uint8_t>(i);
        }
    }
    return best;
}

}  // namespace

const ColourTable& GamePalette() {
    static const ColourTable table = BuildPalette();
    return table;
}

std::uint8_t NearestColour(Rgb colour) { return Nearest(GamePalette(), colour); }

ColourTable RotatedPalette(int n) {
    ColourTable t = GamePalette();
    const ColourTable& base = GamePalette();
    for (int block = 0; block < 12; ++block) {
        // Below 12 the blocks rotate; from 12 on one block fills all twelve.
        const int from = n < 12 ? (block + n) % 12 : n - 12;
        for (int s = 0; s < 16; ++s) {
            t[static_cast<std::size_t>(16 + block * 16 + s)] = base[static_cast<std::size_t>(16 + from * 16 + s)];
        }
    }
    return t;
}

Bytes BlendTable(int paletteOption) {
    const ColourTable t = RotatedPalette(paletteOption);
    Bytes table(65536);
    for (int a = 0; a < 256; ++a) {
        for (int b = a; b < 256; ++b) {
            const Rgb ca = t[static_cast<std::size_t>(a)], cb = t[static_cast<std::size_t>(b)];
            const Rgb mix = (((ca >> 16 & 255) + (cb >> 16 & 255)) / 2) << 16 |
                            (((ca >> 8 & 255) + (cb >> 8 & 255)) / 2) << 8 | ((ca & 255) + (cb & 255)) / 2;
            const std::uint8_t m = a == b ? static_cast<std::uint8_t>(a) : Nearest(t, mix);
            table[static_cast<std::size_t>(a * 256 + b)] = m;
            table[static_cast<std::size_t>(b * 256 + a)] = m;
        }
    }
    return table;
}

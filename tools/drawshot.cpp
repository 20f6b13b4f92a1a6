// drawshot: draws the fixture scene of the drawing core (pictures with
// keys, mirrored cells, clipped and stretched blits, fills, batches, a
// render target) in one drawing mode and writes the frame as a PNG.
//
//   drawshot --mode D3D32|D3D16w|D3D16f|DD32|DD16|DD8 --out FILE.png
//
// The pictures are written into bmp\ of the working folder first.
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "draw/blit.h"
#include "draw/primitives.h"
#include "draw/device.h"
#include "draw/palette.h"
#include "draw/sprite_batch.h"
#include "draw/surfaces.h"
#include "platform/files.h"
#include "platform/present.h"

namespace {

struct ModeArg {
    const char* name;
    int bD3D;
    int bpp;
    int windowMode;
};
constexpr ModeArg kModes[] = {{"D3D32", 1, 32, 1}, {"D3D16w", 1, 16, 1}, {"D3D16f", 1, 16, 0},
                              {"DD32", 0, 32, 1},  {"DD16", 0, 16, 1},   {"DD8", 0, 8, 1}};

// The fixture palette: entry 0 is the key colour, the rest spread out.
std::uint32_t PaletteColour(int i) {
    if (i == 0) return 0xFF00FF;
    const std::uint32_t r = (i * 37) & 255, g = (i * 91 + 40) & 255, b = (i * 53 + 90) & 255;
    const std::uint32_t c = r << 16 | g << 8 | b;
    return c == 0xFF00FF ? 0xFE00FF : c;
}

// An 8-bit BMP whose pixel (x, y) has the index f(x, y).
template <class F>
std::string Bmp8(int w, int h, F f) {
    const int stride = (w + 3) / 4 * 4;
    std::string b;
    auto u16 = [&](std::uint32_t v) { b += char(v & 255); b += char((v >> 8) & 255); };
    auto u32 = [&](std::uint32_t v) { u16(v & 0xFFFF); u16(v >> 16); };
    const std::uint32_t offset = 54 + 1024;
    b += "BM";
    u32(offset + stride * h); u32(0); u32(offset);
    u32(40); u32(w); u32(h); u16(1); u16(8); u32(0); u32(stride * h); u32(0); u32(0); u32(256); u32(0);
    for (int i = 0; i < 256; ++i) {
        const std::uint32_t c = PaletteColour(i);
        b += char(c & 255); b += char((c >> 8) & 255); b += char((c >> 16) & 255); b += char(0);
    }
    for (int y = h - 1; y >= 0; --y) {
        for (int x = 0; x < w; ++x) b += char(f(x, y));
        b.append(static_cast<std::size_t>(stride - w), '\0');
    }
    return b;
}

bool WritePictures() {
    platform::CreateDirectoryA("bmp");
    platform::CreateDirectoryA("bmp\\plt");
    const std::pair<const char*, std::string> files[] = {
        {"bmp\\plt\\Palette.bmp", Bmp8(16, 16, [](int x, int y) { return y * 16 + x; })},
        // Four tiles with transparent corners.
        {"bmp\\tiles.bmp", Bmp8(128, 32, [](int x, int y) {
             const int k = x / 32, cx = x % 32;
             if (std::abs(cx - 16) + std::abs(y - 16) > 20) return 0;
             return 1 + ((cx / 4 + y / 4 + k * 3) % 40) + k * 40;
         })},
        // Two cells of a figure looking right, so mirroring shows.
        {"bmp\\chara.bmp", Bmp8(64, 32, [](int x, int y) {
             const int k = x / 32, cx = x % 32;
             if (cx >= 4 && cx < 22 && y >= 12 && y < 20) return 200 + k * 5;
             if (cx >= 20 && std::abs(y - 16) < 30 - cx) return 230 + k * 7;
             return 0;
         })},
        {"bmp\\strip.bmp", Bmp8(1000, 8, [](int x, int) { return 1 + (x / 10) % 200; })},
    };
    for (const auto& [name, bytes] : files) {
        if (!platform::WriteFileSafely(name, bytes.data(), bytes.size())) return false;
    }
    return true;
}

struct Pictures {
    DDSURFACEDATA tiles, chara, charaMirror, strip, target;
    ~Pictures() {
        for (DDSURFACEDATA* sd : {&charaMirror, &tiles, &chara, &strip, &target}) DDReleaseSurface(sd);
    }
};

bool LoadPictures(const ModeArg& m, Pictures& p) {
    if (!SetTrans("bmp\\plt\\Palette.bmp") || !DDLoadPaletteFromFile(Palette, "bmp\\plt\\Palette.bmp", 0)) return false;
    if (!m.bD3D && m.bpp == 16) {
        // 16-bit DirectDraw palettes hold channel values of the display format.
        for (PALETTEENTRY& e : Palette) e = PALETTEENTRY{BYTE(e.peRed >> 3), BYTE(e.peGreen >> 2), BYTE(e.peBlue >> 3), 0};
    }
    std::memcpy(PaletteWork, Palette, sizeof Palette);
    bool ok = DDCreateSurfaceFromFile(&p.tiles, "bmp\\tiles.bmp", 1, m.bpp, 0, 0, 0, 0, 0, 0, 0) == 0;
    ok = ok && DDCreateSurfaceFromFile(&p.chara, "bmp\\chara.bmp", 1, m.bpp, 0, 0, 0, 0, 0, 0, 0) == 0;
    ok = ok && DDCreateSurfaceFromFile(&p.strip, "bmp\\strip.bmp", 0, m.bpp, 0, 0, 0, 0, 0, 0, 0) == 0;
    // The device path draws mirrored cells from the sheet it shares; the
    // DirectDraw path keeps its own mirrored copy.
    ok = ok && DDCreateSurfaceFromFile(&p.charaMirror, "bmp\\chara.bmp", 1, m.bpp, 0, 0, m.bD3D, 0, 32, 0, 0) == 0;
    if (m.bD3D) p.charaMirror.lpShareSD = &p.chara;
    return ok && DDCreateSurface(&p.target, 64, 64, 1, 0, DTMEMORYTYPE_VIDEO_RT, 0, 0);
}

void DrawScene(const ModeArg& m, Pictures& p) {
    PalNumToRGB(&BackBuffer, 0, 0, 640, 480, 17);
    PalNumToRGB(&BackBuffer, -10, 440, 700, 60, 60);  // clipped to the screen

    DDSpriteBatchOpen(1);
    DDTextureCacheAddAll(&p.tiles);
    DDTextureCacheAddAll(&p.chara);  // characters after the tiles they stand on
    for (int row = 0; row < 4; ++row) {
        for (int col = 0; col < 20; ++col) {
            DDBlt(&BackBuffer, col * 32, 32 + row * 32, 32, 32, &p.tiles, ((row + col) % 4) * 32, 0, 1);
            if ((row * 20 + col) % 7 == 0) {
                DDSURFACEDATA* sheet = col % 2 ? &p.charaMirror : &p.chara;
                DDBlt(&BackBuffer, col * 32 + 16, 32 + row * 32 + 8, 32, 32, sheet, (row % 2) * 32, 0, 1);
            }
        }
    }
    DDSpriteBatchFlush();

    DDBlt(&BackBuffer, 400, 200, 32, 32, &p.tiles, 0, 0, 0);     // keyed picture, flags 0
    DDBlt(&BackBuffer, -30, 300, 1000, 8, &p.strip, 0, 0, 0);    // wider than the screen
    DDBlt(&BackBuffer, 500, 200, 32, 32, &p.chara, -8, 0, 1);    // negative source origin
    DDBltStretch(&BackBuffer, 200, 200, 64, 64, &p.chara, 0, 0, 32, 32, 1);
    DDBltStretch(&BackBuffer, 280, 200, 64, 64, &p.charaMirror, 32, 0, 32, 32, 1);

    PalNumToRGB(&p.target, 0, 0, 64, 64, 0);
    DDBlt(&p.target, 16, 16, 32, 32, &p.chara, 0, 0, 0);
    DDBlt(&BackBuffer, 300, 380, 64, 64, &p.target, 0, 0, 1);

    DDFillBatchReset();
    for (int i = 0; i < 5; ++i) DDFillRectColor(&BackBuffer, 20 + i * 24, 330, 20, 20, m.bD3D ? 0xFF000000u | PaletteColour(i * 40 + 5) : DDPalNumToPixel(i * 40 + 5));
    DDFillBatchFlush();
    if (m.bD3D) DDFillRectColor(&BackBuffer, 20, 360, 116, 20, 0x80FFFFFFu);

    DDCircle(&BackBuffer, 580, 250, 30, 200);
    const DDBLTCOLOR add = {0xFF404040u, D3DTOP_ADD};
    DDBltOp(&BackBuffer, 100, 380, 32, 32, &p.tiles, 32, 0, 1, &add);
}

}  // namespace

int main(int argc, char** argv) {
    std::string mode = "D3D32", out = "drawshot.png";
    for (int i = 1; i + 1 < argc; i += 2) {
        if (!std::strcmp(argv[i], "--mode")) mode = argv[i + 1];
        else if (!std::strcmp(argv[i], "--out")) out = argv[i + 1];
    }
    const ModeArg* m = nullptr;
    for (const ModeArg& k : kModes) {
        if (mode == k.name) m = &k;
    }
    if (!m) {
        std::fprintf(stderr, "drawshot: unknown mode %s\n", mode.c_str());
        return 2;
    }
    if (!WritePictures()) {
        std::fprintf(stderr, "drawshot: cannot write the pictures\n");
        return 1;
    }
    if (!DDInit(m->bD3D, nullptr, 640, 480, m->bpp, 1, m->windowMode, 1, 60, 0, nullptr, nullptr, 0, 0)) return 1;
    {
        Pictures p;
        if (!LoadPictures(*m, p)) {
            std::fprintf(stderr, "drawshot: cannot load the pictures\n");
            DDRelease();
            return 1;
        }
        DrawScene(*m, p);
        if (m->bD3D) DDFlip(60, 0, 0);
        else DDPresent();
    }
    DDRelease();
    return platform::WritePng(out, platform::LastPresentedFrame()) ? 0 : 1;
}

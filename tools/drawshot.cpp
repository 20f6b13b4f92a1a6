// drawshot: draws the fixture scene of the drawing core (pictures with
// keys, mirrored cells, clipped and stretched blits, fills, batches, a
// render target) in one drawing mode and writes the frame as a PNG, or
// shows it in the game's window. --scene text draws a screen of Japanese
// and ASCII text in the fonts instead, --scene effects the mixing and
// moving operations (tints, translucent blits, blur, mosaic, bands, turn,
// burst, rotation, lens, circle, numbers, a framed box).
//
//   drawshot [--mode D3D32|D3D16w|D3D16f|DD32|DD16|DD8] [--scene text|effects] [--out FILE.png]
//   drawshot --window [--mode ...] [--scene text|effects] [--zoom 1..5] [--frames N]
//
// The window is the game's main window: --zoom asks for the zoom the way
// Alt+1..5 does (refused when the work area is too small), and the frame
// is presented N times (600 by default) or until Escape or the close button.
// The pictures are written into bmp\ of the working folder first.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "draw/blit.h"
#include "draw/device/device.h"
#include "draw/device/frames.h"
#include "draw/device/surfaces.h"
#include "draw/effects/band_blits.h"
#include "draw/effects/blend_blits.h"
#include "draw/effects/pixel_effects.h"
#include "draw/effects/transform_blits.h"
#include "draw/palette.h"
#include "draw/primitives.h"
#include "draw/sprite_batch.h"
#include "draw/text/font.h"
#include "draw/text/numbers.h"
#include "platform/clock.h"
#include "platform/files.h"
#include "platform/present.h"
#ifdef DRAWSHOT_WINDOW
#include "foundation/frame_timer.h"
#include "platform/sdl/sdl_backend.h"
#include "platform/window.h"
#include "shell/main_window.h"
#include "shell/window/tool_window.h"
#endif

namespace {

struct ModeArg {
    const char* name;
    int bD3D;
    int bpp;
    int windowMode;
};
constexpr ModeArg kDrawModes[] = {{"D3D32", 1, 32, 1}, {"D3D16w", 1, 16, 1}, {"D3D16f", 1, 16, 0},
                                  {"DD32", 0, 32, 1},  {"DD16", 0, 16, 1},   {"DD8", 0, 8, 1}};

// The fixture palette: entry 0 is the key colour, the rest spread out.
std::uint32_t PaletteColour(int i) {
    if (i == 0) return 0xFF00FF;
    if (i == 240) return 0x101018;  // frames
    if (i == 241) return 0xFFFFF0;  // text
    if (i == 242) return 0x283058;  // text windows
    const std::uint32_t r = (i * 37) & 255, g = (i * 91 + 40) & 255, b = (i * 53 + 90) & 255;
    const std::uint32_t c = r << 16 | g << 8 | b;
    return c == 0xFF00FF ? 0xFE00FF : c;
}

// An 8-bit BMP whose pixel (x, y) has the index f(x, y).
template <class F>
std::string Bmp8(int w, int h, F f) {
    const int stride = (w + 3) / 4 * 4;
    std::string b;
    auto u16 = [&](std::uint32_t v) {
        b += char(v & 255);
        b += char((v >> 8) & 255);
    };
    auto u32 = [&](std::uint32_t v) {
        u16(v & 0xFFFF);
        u16(v >> 16);
    };
    const std::uint32_t offset = 54 + 1024;
    b += "BM";
    u32(offset + stride * h);
    u32(0);
    u32(offset);
    u32(40);
    u32(w);
    u32(h);
    u16(1);
    u16(8);
    u32(0);
    u32(stride * h);
    u32(0);
    u32(0);
    u32(256);
    u32(0);
    for (int i = 0; i < 256; ++i) {
        const std::uint32_t c = PaletteColour(i);
        b += char(c & 255);
        b += char((c >> 8) & 255);
        b += char((c >> 16) & 255);
        b += char(0);
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
        // The key colour on top, the 16 x 16 swatch of the colours below it.
        {"bmp\\plt\\Palette.bmp", Bmp8(16, 24, [](int x, int y) { return y < 8 ? 0 : (y - 8) * 16 + x; })},
        // Four tiles with transparent corners.
        {"bmp\\tiles.bmp", Bmp8(128, 32,
                                [](int x, int y) {
                                    const int k = x / 32, cx = x % 32;
                                    if (std::abs(cx - 16) + std::abs(y - 16) > 20) return 0;
                                    return 1 + ((cx / 4 + y / 4 + k * 3) % 40) + k * 40;
                                })},
        // Two cells of a figure looking right, so mirroring shows.
        {"bmp\\chara.bmp", Bmp8(64, 32,
                                [](int x, int y) {
                                    const int k = x / 32, cx = x % 32;
                                    if (cx >= 4 && cx < 22 && y >= 12 && y < 20) return 200 + k * 5;
                                    if (cx >= 20 && std::abs(y - 16) < 30 - cx) return 230 + k * 7;
                                    return 0;
                                })},
        {"bmp\\strip.bmp", Bmp8(1000, 8, [](int x, int) { return 1 + (x / 10) % 200; })},
        // Ten digits of 6 x 8: a frame of the digit's colour around a hole,
        // with as many dots below as the digit's value (up to four).
        {"bmp\\digits.bmp", Bmp8(60, 8,
                                 [](int x, int y) {
                                     const int d = x / 6, cx = x % 6;
                                     if (cx == 5) return 0;
                                     if (y == 7) return cx < d % 5 ? 250 : 0;
                                     const bool edge = cx == 0 || cx == 4 || y == 0 || y == 6;
                                     return edge ? 20 + d * 21 : 0;
                                 })},
    };
    for (const auto& [name, bytes] : files) {
        if (!platform::WriteFileSafely(name, bytes.data(), bytes.size())) return false;
    }
    return true;
}

struct Pictures {
    DDSURFACEDATA tiles, chara, charaMirror, strip, target, digits, scenery;
    ~Pictures() {
        for (DDSURFACEDATA* sd : {&charaMirror, &tiles, &chara, &strip, &target, &digits, &scenery})
            DDReleaseSurface(sd);
    }
};

bool LoadPictures(const ModeArg& m, Pictures& p) {
    if (!SetTrans("bmp\\plt\\Palette.bmp") || !DDLoadPaletteFromFile(Palette, "bmp\\plt\\Palette.bmp", 0)) return false;
    std::memcpy(PaletteWork, Palette, sizeof Palette);
    bool ok = DDCreateSurfaceFromFile(&p.tiles, "bmp\\tiles.bmp", 1, m.bpp, 0, 0, 0, 0, 0, 0, 0) == 0;
    ok = ok && DDCreateSurfaceFromFile(&p.chara, "bmp\\chara.bmp", 1, m.bpp, 0, 0, 0, 0, 0, 0, 0) == 0;
    ok = ok && DDCreateSurfaceFromFile(&p.strip, "bmp\\strip.bmp", 0, m.bpp, 0, 0, 0, 0, 0, 0, 0) == 0;
    // The device path draws mirrored cells from the sheet it shares; the
    // DirectDraw path keeps its own mirrored copy.
    ok = ok && DDCreateSurfaceFromFile(&p.charaMirror, "bmp\\chara.bmp", 1, m.bpp, 0, 0, m.bD3D, 0, 32, 0, 0) == 0;
    if (m.bD3D) p.charaMirror.lpShareSD = &p.chara;
    ok = ok && DDCreateSurfaceFromFile(&p.digits, "bmp\\digits.bmp", 1, m.bpp, 0, 0, 0, 0, 0, 0, 0) == 0;
    return ok && DDCreateSurface(&p.target, 64, 64, 1, 0, DTMEMORYTYPE_VIDEO_RT, 0, 0);
}

// The 8-bit blend table of the fixture palette: the entry nearest to the
// mean of two colours, written where the game keeps its tables.
bool WriteBlendTable() {
    std::vector<char> table(65536);
    for (int a = 0; a < 256; ++a) {
        for (int b = 0; b < 256; ++b) {
            const std::uint32_t ca = PaletteColour(a), cb = PaletteColour(b);
            int best = 1;
            long bestDistance = -1;
            for (int i = 1; i < 256; ++i) {
                const std::uint32_t c = PaletteColour(i);
                long distance = 0;
                for (int sh = 0; sh < 24; sh += 8) {
                    const long mean = (long((ca >> sh) & 255) + long((cb >> sh) & 255)) / 2;
                    const long diff = mean - long((c >> sh) & 255);
                    distance += diff * diff;
                }
                if (bestDistance < 0 || distance < bestDistance) {
                    best = i;
                    bestDistance = distance;
                }
            }
            table[static_cast<std::size_t>(a * 256 + b)] = static_cast<char>(best);
        }
    }
    platform::CreateDirectoryA("bmp\\hbt");
    return platform::WriteFileSafely("bmp\\hbt\\hbt00.dat", table.data(), table.size());
}

// A small landscape of tiles and figures that the effects take as source.
void DrawScenery(Pictures& p) {
    DDCreateSurface(&p.scenery, 96, 64, 1, 0, DTMEMORYTYPE_VIDEO_RT, 0, 0);
    PalNumToRGB(&p.scenery, 0, 0, 96, 64, 120);
    for (int k = 0; k < 6; ++k) DDBlt(&p.scenery, (k % 3) * 32, (k / 3) * 32, 32, 32, &p.tiles, (k % 4) * 32, 0, 1);
    DDBlt(&p.scenery, 40, 20, 32, 32, &p.chara, 0, 0, 1);
}

void DrawEffects(const ModeArg& m, Pictures& p) {
    if (!m.bD3D && m.bpp == 8 && (!WriteBlendTable() || !DDLoadBlendTable(BlendTable, "bmp\\hbt\\hbt00.dat")))
        std::fprintf(stderr, "drawshot: no blend table\n");
    PalNumToRGB(&BackBuffer, 0, 0, 640, 480, 17);
    DrawScenery(p);
    // Tints of levels 1 to 4 toward colour 60, the half blit and the alpha
    // blit of transparency 200 over a stripe.
    PalNumToRGB(&BackBuffer, 0, 20, 400, 12, 200);
    for (int level = 1; level <= 4; ++level) {
        DDBltTint(&BackBuffer, 10 + (level - 1) * 40, 10, 32, 32, &p.tiles, 0, 0, 1, PaletteWork, BlendTable, 60, level,
                  nullptr);
    }
    DDBltHalf(&BackBuffer, 180, 10, 32, 32, &p.tiles, 32, 0, 1, BlendTable);
    DDBltAlpha(&BackBuffer, 220, 10, 32, 32, &p.tiles, 64, 0, 1, BlendTable, 200);
    const DDBLTCOLOR add = {0xFF303030u, D3DTOP_ADD};
    DDBltTint(&BackBuffer, 260, 10, 32, 32, &p.chara, 0, 0, 1, PaletteWork, BlendTable, 230, 1, &add);

    // Blur and mosaic of the scenery, and the scenery itself.
    DDBlt(&BackBuffer, 10, 60, 96, 64, &p.scenery, 0, 0, 0);
    DDPixelEffectA(&BackBuffer, 116, 60, 96, 64, 2, 2, &p.scenery, 0, 0, 0, nullptr);
    DDPixelEffectB(&BackBuffer, 222, 60, 96, 64, 8, &p.scenery, 0, 0, 1, nullptr);

    // Band effects.
    DDBltWave(&BackBuffer, 10, 150, 96, 64, 1, 6.0, 0, 2, &p.scenery, 0, 0, 0, 1);
    DDBltWave(&BackBuffer, 116, 150, 96, 64, 2, 5.0, 90, 1, &p.scenery, 0, 0, 0, 0);
    DDBltSplit(&BackBuffer, 222, 150, 96, 64, 8, 4, &p.scenery, 0, 0, 0, 1);
    DDBltTurn(&BackBuffer, 328, 150, 96, 64, &p.scenery, 0, 0, &p.tiles, 0, 0, 96, 32, 0, 20, 0);
    DDBltBurst(&BackBuffer, 440, 150, 96, 64, &p.scenery, 0, 0, 6, 0);

    // Rotation, lens and circle.
    DDBltRotate(&BackBuffer, 60, 300, 96, 64, 48, 32, 30, &p.scenery, 0, 0, 1);
    DDBlt(&BackBuffer, 130, 260, 96, 64, &p.scenery, 0, 0, 0);
    DDBltLens(&BackBuffer, 178, 292, 28, 20, &p.scenery, 48, 32, 1, 0, nullptr);
    DDBltCircle(&BackBuffer, 290, 300, 48, 32, 30, 1, &p.scenery, 48, 32, 0);
    DDBltCircle(&BackBuffer, 370, 300, 48, 32, 30, 4, &p.scenery, 48, 32, 0);

    // Numbers right-aligned and centred in a field of 7 digits.
    DrawNumber(&BackBuffer, 440, 20, 6, 8, &p.digits, 0, 0, 1, 1234509, 7, 0, 0);
    DrawNumber(&BackBuffer, 440, 34, 6, 8, &p.digits, 0, 0, 1, 67, 7, 0, 0);
    DrawNumber(&BackBuffer, 440, 48, 6, 8, &p.digits, 0, 0, 1, 67, 7, 1, 0);
    DDFramedBox(&BackBuffer, 450, 360, 96, 64, &p.scenery, 3, 200);
    if (m.bD3D) DDChangeColor(&BackBuffer, 0, 0, 640, 480, 230, 255, 160, 160);
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

    DDBlt(&BackBuffer, 400, 200, 32, 32, &p.tiles, 0, 0, 0);   // keyed picture, flags 0
    DDBlt(&BackBuffer, -30, 300, 1000, 8, &p.strip, 0, 0, 0);  // wider than the screen
    DDBlt(&BackBuffer, 500, 200, 32, 32, &p.chara, -8, 0, 1);  // negative source origin
    DDBltStretch(&BackBuffer, 200, 200, 64, 64, &p.chara, 0, 0, 32, 32, 1);
    DDBltStretch(&BackBuffer, 280, 200, 64, 64, &p.charaMirror, 32, 0, 32, 32, 1);

    PalNumToRGB(&p.target, 0, 0, 64, 64, 0);
    DDBlt(&p.target, 16, 16, 32, 32, &p.chara, 0, 0, 0);
    DDBlt(&BackBuffer, 300, 380, 64, 64, &p.target, 0, 0, 1);

    DDFillBatchReset();
    for (int i = 0; i < 5; ++i)
        DDFillRectColor(&BackBuffer, 20 + i * 24, 330, 20, 20,
                        m.bD3D ? 0xFF000000u | PaletteColour(i * 40 + 5) : DDPalNumToPixel(i * 40 + 5));
    DDFillBatchFlush();
    if (m.bD3D) DDFillRectColor(&BackBuffer, 20, 360, 116, 20, 0x80FFFFFFu);

    DDCircle(&BackBuffer, 580, 250, 30, 200);
    const DDBLTCOLOR add = {0xFF404040u, D3DTOP_ADD};
    DDBltOp(&BackBuffer, 100, 380, 32, 32, &p.tiles, 32, 0, 1, &add);
}

// A window of text: the three default fonts (the two small ones with
// atlases), symbols, a framed text window, a digit strip, centred glyphs,
// the proportional gothic face and its shifted brackets.
struct TextScene {
    Font small, medium, large, symbolic, centred, gothicP, fixedP;
    DDSURFACEDATA symbols, digits, window;
    ~TextScene() {
        for (Font* f : {&small, &medium, &large, &symbolic, &centred, &gothicP, &fixedP}) f->Release();
        for (DDSURFACEDATA* sd : {&symbols, &digits, &window}) DDReleaseSurface(sd);
    }
};

void DrawTextScene(TextScene& t) {
    PalNumToRGB(&BackBuffer, 0, 0, 640, 480, 17);
    DDCreateSurface(&t.window, 640, 480, 0, 0, DTMEMORYTYPE_VIDEO_RT, 0, 0);
    PalNumToRGB(&t.window, 0, 0, 640, 480, 242);
    const char* gothic = "ＭＳ ゴシック";
    t.small.Create(gothic, 0, 9, 10, 10, 241, &t.window, 1, 240, nullptr, 1);
    t.medium.Create(gothic, 0, 16, 16, 16, 241, &t.window, 1, 240, nullptr, 1);
    t.large.Create(gothic, 0, 30, 32, 32, 241, &t.window, 1, 240, nullptr, 0);
    DDCreateSurface(&t.symbols, 26 * 16, 16, 1, 0, DTMEMORYTYPE_VIDEO_RT, 0, 0);
    for (int k = 0; k < 26; ++k) {
        PalNumToRGB(&t.symbols, k * 16, 0, 16, 16, 0);
        PalNumToRGB(&t.symbols, k * 16 + 2, 2, 12, 12, 40 + k * 8);
        PalNumToRGB(&t.symbols, k * 16 + 5, 5, 6, 6, 241);
    }
    t.symbolic.Create(gothic, 0, 16, 16, 16, 241, nullptr, 1, 240, &t.symbols, 1);
    t.centred.Create(gothic, 0, 16, 20, 20, 241, nullptr, 1, 240, nullptr, 0);
    t.centred.m_bCenter = 1;
    t.gothicP.Create("ＭＳ Ｐゴシック", 0, 16, 0, 18, 241, nullptr, 1, 240, nullptr, 0);
    t.fixedP.Create("ＭＳ Ｐゴシック", 0, 16, 16, 16, 241, nullptr, 1, 240, nullptr, 0);

    t.small.DrawText(&BackBuffer, 8, 8, "SCORE 0012345  HP 100/100  TIME 99  (x3) {ok} ｽｺｱ ＮＥＸＴ");
    t.medium.DrawText(&BackBuffer, 8, 28, "ステージ１　クリア！\nHello, World! 0123456789\n漢字とカタカナ、ひらがな。");
    t.large.DrawText(&BackBuffer, 8, 84, "ゲームオーバー GAME OVER");
    t.symbolic.DrawText(&BackBuffer, 8, 124, "ab 残りc  abc");
    t.symbolic.DrawText(&BackBuffer, 8, 144, "ab 残りc  abc", 1);
    t.medium.DrawTextFrame(&BackBuffer, 360, 128, 0, 0, "メニュー\n つづきから\n はじめから\n オプション", 8);
    t.centred.DrawText(&BackBuffer, 8, 170, "Ｃｅｎｔｅｒ iWi 中央");
    t.gothicP.DrawText(&BackBuffer, 8, 200, "Proportional テキスト (iiWW) 表示");
    t.fixedP.DrawText(&BackBuffer, 8, 224, "（括弧）(x){y}");
    DDCreateSurface(&t.digits, 160, 16, 1, 0, DTMEMORYTYPE_VIDEO_RT, 0, 0);
    DrawDigitStrip(&t.digits, &t.medium);
    DDBlt(&BackBuffer, 8, 250, 160, 16, &t.digits, 0, 0, 1);
    t.medium.DrawTextBoxF(&BackBuffer, 200, 300, 0, 0, "%s %d/%02d", "セーブ", 12, 5);
    t.medium.DrawWindow(&BackBuffer, 10000, 360, 200, 40);
    t.small.DrawText(&BackBuffer, 232, 372, "Window centred on its picture");
}

struct Options {
    std::string scene;
    std::string mode = "D3D32";
    std::string out = "drawshot.png";
    bool window = false;
    int zoom = 1;
    long frames = 600;
};

bool ParseOptions(int argc, char** argv, Options& o) {
    for (int i = 1; i < argc; ++i) {
        const std::string a = argv[i];
        if (a == "--window") {
            o.window = true;
            continue;
        }
        if (i + 1 >= argc) return false;
        const char* v = argv[++i];
        if (a == "--mode") o.mode = v;
        else if (a == "--out") o.out = v;
        else if (a == "--scene") o.scene = v;
        else if (a == "--zoom") o.zoom = std::atoi(v);
        else if (a == "--frames") o.frames = std::atol(v);
        else return false;
    }
    return o.zoom >= 1 && o.zoom <= 5 && o.frames >= 0 &&
           (o.scene.empty() || o.scene == "text" || o.scene == "effects");
}

// Draws the scene into the back buffer of a started device; false when the
// pictures cannot be loaded.
bool DrawFixture(const ModeArg& m, const Options& o, Pictures& p, TextScene& t) {
    if (!LoadPictures(m, p)) {
        std::fprintf(stderr, "drawshot: cannot load the pictures\n");
        return false;
    }
    if (o.scene == "text") DrawTextScene(t);
    else if (o.scene == "effects") DrawEffects(m, p);
    else DrawScene(m, p);
    return true;
}

int WriteShot(const ModeArg& m, const Options& o) {
    if (!DDInit(m.bD3D, nullptr, 640, 480, m.bpp, 1, m.windowMode, 1, 60, 0, nullptr, nullptr, 0, 0)) return 1;
    bool drawn = false;
    {
        Pictures p;
        TextScene t;
        drawn = DrawFixture(m, o, p, t);
        if (drawn && m.bD3D) DDFlip(60, 0, 0);
        else if (drawn) DDPresent();
    }
    DDRelease();
    if (!drawn) return 1;
    return platform::WritePng(o.out, platform::LastPresentedFrame()) ? 0 : 1;
}

#ifdef DRAWSHOT_WINDOW
// One frame shown the way the game loop shows it in each path.
void PresentFixture(const ModeArg& m) {
    if (m.bD3D) {
        DDFlip(60, 0, 0);
        return;
    }
    while (!LimitFps(60)) Sleep(1);
    DDPresent();
}

int ShowInWindow(const ModeArg& m, const Options& o) {
    std::string error;
    if (!platform::InstallSdlBackend(&error)) {
        std::fprintf(stderr, "drawshot: no window (%s)\n", error.c_str());
        return 1;
    }
    MainWindow.SetLayout(kScreenWidth, kScreenHeight, 100, 100, kScreenWidth, kScreenHeight, 0);
    HWND window = CreateMainWindow("drawshot", 100, 100, kScreenWidth, kScreenHeight, ToolWindowProc);
    int code = 1;
    if (window && DDInit(m.bD3D, window, 640, 480, m.bpp, 0, m.windowMode, 1, 60, 0, nullptr, nullptr, 0, 0)) {
        {
            Pictures p;
            TextScene t;
            if (DrawFixture(m, o, p, t)) {
                code = 0;
                // What the window menu's zoom entry (Alt+1..5) sends.
                PostMessageA(window, WM_SYSCOMMAND, static_cast<WPARAM>(o.zoom), 0);
                for (long f = 0; f < o.frames && PumpToolWindow(); ++f) PresentFixture(m);
            }
        }
        DDRelease();
    }
    if (IsWindow(window)) DestroyWindow(window);
    PumpToolWindow();
    platform::ShutdownSdlBackend();
    return code;
}
#else
int ShowInWindow(const ModeArg&, const Options&) {
    std::fprintf(stderr, "drawshot: built without a window backend\n");
    return 1;
}
#endif

}  // namespace

int main(int argc, char** argv) {
    Options o;
    if (!ParseOptions(argc, argv, o)) {
        std::fprintf(stderr,
                     "usage: drawshot [--window] [--mode MODE] [--scene text|effects] [--out FILE.png] [--zoom 1..5] "
                     "[--frames N]\n");
        return 2;
    }
    const ModeArg* m = nullptr;
    for (const ModeArg& k : kDrawModes) {
        if (o.mode == k.name) m = &k;
    }
    if (!m) {
        std::fprintf(stderr, "drawshot: unknown mode %s\n", o.mode.c_str());
        return 2;
    }
    if (!WritePictures()) {
        std::fprintf(stderr, "drawshot: cannot write the pictures\n");
        return 1;
    }
    return o.window ? ShowInWindow(*m, o) : WriteShot(*m, o);
}

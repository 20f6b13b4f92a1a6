// One frame of text: a 40 x 30 screen of 16-pixel characters, rows of
// ASCII, kana and kanji mixed (kanji outside the atlas's built-in set
// included), drawn onto the back buffer in one call per frame, per drawing
// path, with and without glyph atlases. A frame at 60 fps has 16.7 ms.
#include <benchmark/benchmark.h>

#include <string>

#include "draw/device/device.h"
#include "draw/palette.h"
#include "draw/text/font.h"

namespace {

// A row of exactly 40 characters, the phrase repeated.
std::string Row(const char* phrase) {
    std::string row;
    const std::string p = phrase;
    for (int chars = 0, i = 0; chars < 40; ++chars) {
        const int bytes = static_cast<unsigned char>(p[i]) >= 0x80 ? 2 : 1;
        row.append(p, static_cast<std::size_t>(i), static_cast<std::size_t>(bytes));
        i = (i + bytes) % static_cast<int>(p.size());
    }
    return row;
}

std::string ScreenOfText() {
    const char* phrases[] = {
        "SCORE 0012345 HP 100/100 TIME 99 (x3) ",
        "ステージ１　クリア！つぎのステージへすすみます。",
        "漢字表示速度計測用文章画面全体描画試験中。",
        "The quick brown fox jumps over a lazy dog. ",
    };
    std::string text;
    for (int row = 0; row < 30; ++row) text += Row(phrases[row % 4]) + '\n';
    return text;
}

void BM_TextScreen(benchmark::State& state) {
    const int bD3D = static_cast<int>(state.range(0));
    const int bpp = static_cast<int>(state.range(1));
    const int cacheMode = static_cast<int>(state.range(2));
    DDInit(bD3D, nullptr, 640, 480, bpp, 1, 1, 1, 60, 0, nullptr, nullptr, 0, 0);
    Palette[241] = PALETTEENTRY{0xFF, 0xFF, 0xF0, 0};
    {
        Font font;
        font.Create("ＭＳ ゴシック", 0, 16, 16, 16, 241, nullptr, 1, 240, nullptr, cacheMode);
        const std::string text = ScreenOfText();
        font.DrawText(&BackBuffer, 0, 0, text.c_str());  // glyphs rendered once, as after the first frame
        for (auto _ : state) {
            PalNumToRGB(&BackBuffer, 0, 0, 640, 480, 17);
            font.DrawText(&BackBuffer, 0, 0, text.c_str());
        }
        state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations()) * 40 * 30);
        font.Release();
    }
    DDRelease();
}

// {Direct3D, bits per pixel, atlases}
BENCHMARK(BM_TextScreen)
    ->ArgNames({"d3d", "bpp", "atlas"})
    ->Args({1, 32, 0})
    ->Args({1, 32, 1})
    ->Args({0, 8, 0})
    ->Args({0, 8, 1})
    ->Args({0, 32, 1})
    ->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();

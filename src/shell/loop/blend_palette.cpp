#include "shell/loop/blend_palette.h"

#include <algorithm>
#include <iterator>
#include <string>

#include "draw/device/device.h"
#include "draw/device/surface_table.h"
#include "draw/effects/blend_blits.h"
#include "draw/effects/fades.h"
#include "draw/palette.h"
#include "foundation/report.h"
#include "foundation/strings.h"
#include "gamedata/project/option_data.h"
#include "shell/app_state.h"

namespace {

constexpr int kBlockSize = 16;
constexpr int kFirstBlockEntry = 16;
constexpr int kLastBlockEntry = 207;
// Numbers below this rotate the blocks; the others repeat one block.
constexpr int kRotatedPalettes = 12;

void ArrangeBlocks(PALETTEENTRY* palette, int number) {
    if (number < 0 || number >= kPaletteCount) return;
    if (number < kRotatedPalettes) {
        PaletteRotate(palette, kFirstBlockEntry, kLastBlockEntry, kBlockSize * number, 1, palette);
        return;
    }
    PALETTEENTRY block[kBlockSize];
    const PALETTEENTRY* source = palette + kBlockSize * (number - kRotatedPalettes + 1);
    std::copy(source, source + kBlockSize, std::begin(block));
    for (int first = kFirstBlockEntry; first <= kLastBlockEntry; first += kBlockSize) {
        std::copy(std::begin(block), std::end(block), palette + first);
    }
}

}  // namespace

int LoadHbtPalette(int palette) {
    if (!lpDDCon || DDSetting.nBpp != 8) return 1;
    std::string file;
    FormatString(file, "bmp\\hbt\\hbt%02d.dat", palette);
    if (!DDLoadBlendTable(BlendTable, file.c_str())) {
        ErrorBoxF("%s の読み込みに失敗！", file.c_str());
        return 0;
    }
    const char* picture = SurfaceTable[0].fileName;
    if (!DDLoadPaletteFromFile(Palette, picture, ScreenWindowed)) {
        WriteLogF("%s : palette not read", picture);
        return 0;
    }
    ArrangeBlocks(Palette, palette);
    std::copy(std::begin(Palette), std::end(Palette), std::begin(PaletteWork));
    std::copy(std::begin(Palette), std::end(Palette), std::begin(DDPaletteColors));
    return 1;
}

// Feeds arbitrary bytes to the common palette reader. Loaded or refused,
// every list has its fixed default entry and the one after it.
#include "fuzz/record_file_checks.h"
#include "gamedata/definitions/common_palette.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    cCommonPalette palette;
    const int loaded = LoadFuzzedFile(palette, data, size);
    if (loaded) {
        if (palette.m_vPaletteBlocks.Count() < kMinPaletteEntries ||
            palette.m_vPaletteCharas.Count() < kMinPaletteEntries ||
            palette.m_vPaletteItems.Count() < kMinPaletteEntries) {
            __builtin_trap();
        }
        RequireReloads(palette);
    }
    RequireNoFatalClose();
    return 0;
}

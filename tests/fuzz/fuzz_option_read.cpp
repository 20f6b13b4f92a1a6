// Feeds arbitrary bytes to the reader of the player's option file. Loaded
// or refused, every value lies in the range its readers index with.
#include "fuzz/record_file_checks.h"
#include "gamedata/project/option_data.h"

namespace {

bool Within(int v, int lo, int hi) { return v >= lo && v <= hi; }

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    cOptionData options;
    const int loaded = LoadFuzzedFile(options, data, size);
    if (!Within(options.m_nPalette, 0, kPaletteCount - 1) || !Within(options.m_bMusic, 0, 1) ||
        !Within(options.m_nVolume, 0, kVolumeLevels - 1) || !Within(options.m_nRankingMode, 0, kRankingModes - 1)) {
        __builtin_trap();
    }
    if (loaded) RequireReloads(options);
    RequireNoFatalClose();
    return 0;
}

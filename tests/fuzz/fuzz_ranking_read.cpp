// Feeds arbitrary bytes to the ranking file reader. Loaded or refused, the
// set holds the five tables every reader asks for.
#include "fuzz/record_file_checks.h"
#include "scenes/rankings/ranking_set.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    cRankingSet set;
    const int loaded = LoadFuzzedFile(set, data, size);
    if (set.m_vTables.Count() < kRankTables) __builtin_trap();
    if (loaded) RequireReloads(set);
    RequireNoFatalClose();
    return 0;
}

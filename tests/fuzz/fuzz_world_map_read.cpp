// Feeds arbitrary bytes to the world map reader. Loaded or refused, every
// cell of the grid names a chip the map has (or chip 0 of an empty list),
// and the start cell lies on the grid.
#include "fuzz/record_file_checks.h"
#include "gamedata/story/world_map.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    cWorldMapData map;
    const int loaded = LoadFuzzedFile(map, data, size);
    const int chips = map.m_vChip.Count();
    for (int y = 0; y < map.m_nHeight; ++y) {
        for (int x = 0; x < map.m_nWidth; ++x) {
            const int cell = map.CellAt(x, y);
            if (cell < 0 || (cell > 0 && cell >= chips)) __builtin_trap();
        }
    }
    if (map.m_nStartX < 0 || map.m_nStartY < 0 || map.m_nStartX >= map.m_nWidth || map.m_nStartY >= map.m_nHeight) {
        __builtin_trap();
    }
    if (loaded) RequireReloads(map);
    RequireNoFatalClose();
    return 0;
}

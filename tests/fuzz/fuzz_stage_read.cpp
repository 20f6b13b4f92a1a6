// Feeds arbitrary bytes to the stage file reader. Whatever loads has a
// placed list the stage start can search for its hero.
#include "fuzz/record_file_checks.h"
#include "gamedata/stage_file/stage_data.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    cStageData stage;
    if (LoadFuzzedFile(stage, data, size)) {
        const int hero = stage.FindHero();
        if (hero < -1 || hero >= stage.m_vPlacedCharas.Count()) __builtin_trap();
        RequireReloads(stage);
    }
    RequireNoFatalClose();
    return 0;
}

// Feeds arbitrary bytes to the database table reader and to the system data
// loader: the first byte picks what reads the rest. Any input must give a
// clean load or a clean refusal, never a crash, a hang or a huge allocation.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "foundation/abort.h"
#include "gamedata/database/database.h"
#include "gamedata/database/effect_tables.h"
#include "gamedata/project/system_data.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 1) return 0;
    const int pick = data[0] % 11;
    std::vector<std::uint8_t> bytes(data + 1, data + size);
    if (pick == 10) {
        cSystemData sys;
        sys.LoadOpenedFile(OpenDataBytesRead("fuzz", std::move(bytes)));
        // Whatever was read, every list the scenes index has at least its
        // length (a longer one is kept as the file has it).
        if (sys.SystemTexts.Count() < cSystemData::kSystemTextCount || sys.SystemIniKeys.Count() < 11) {
            __builtin_trap();
        }
    } else {
        cDatabase db;
        int table = 0;
        db.ForEachTable([&](auto& t, const char*) {
            if (table++ != pick) return true;
            DataFilePtr f = OpenDataBytesRead("fuzz", std::move(bytes));
            if (f) {
                ReadTable(t, *f);
                CloseDataFile(f);
            }
            return false;
        });
        CopyEffectTables(db);
        cVector<AnimSequence> seq;
        BuildAnimeSequences(seq, db);
        BuildEffectSequences(seq, db);
        for (int i = 0; i < db.ScrEffectCopy.Count(); ++i) PrepareScrEffectSource(i, 1, db);
        for (int i = 0; i < db.CharaEffectCopy.Count(); ++i) PrepareCharaEffectSource(i, 1, db);
    }
    if (AbortFlag.load() != 0) __builtin_trap();
    return 0;
}

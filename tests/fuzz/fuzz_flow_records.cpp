// Record loading of flows, commands and their parts from arbitrary bytes.
// Input: one selector byte, a 4-byte version, then the record body. A load
// must never crash; a record that loads must save the same bytes after a
// second load (saving normalises, so the first save is the reference).
#include <cstdint>
#include <cstring>
#include <memory>
#include <vector>

#include "gamedata/flows/flow.h"
#include "gamedata/project/data_limits.h"

namespace {

std::unique_ptr<cDataRecord> Make(std::uint8_t selector) {
    switch (selector % 6) {
        case 0: return std::make_unique<cFlow>();
        case 1: return std::make_unique<cFlowCmd>();
        case 2: return std::make_unique<cCondList>();
        case 3: return std::make_unique<cEdShot>();
        case 4: return std::make_unique<cEdMove>();
        default: return std::make_unique<cKeyCond>();
    }
}

std::vector<std::uint8_t> SaveOf(cDataRecord& r) {
    cDataFile f("fuzz", cDataFile::Mode::Write);
    r.Save(f);
    return f.Bytes();
}

void SetUpLimits() {
    static bool done = false;
    if (done) return;
    done = true;
    DataLimits lim;
    lim.dbCount.fill(8);
    lim.swordFrameTimes = {{3, 4}, {5000, 6000}};
    lim.common = {4, 4, 4};
    lim.stage = {2, 2, 2};
    SetDataLimits(lim);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 5) return 0;
    SetUpLimits();
    std::int32_t version = 0;
    std::memcpy(&version, data + 1, 4);
    if (version < 0 || version > DataVersion) return 0;
    auto record = Make(data[0]);
    FileVersion = version;
    cDataFile in("fuzz", std::vector<std::uint8_t>(data + 5, data + size));
    bool ok = record->Load(in);
    FileVersion = DataVersion;
    if (!ok) {
        record->OnLoadRefused();
        return 0;
    }
    std::vector<std::uint8_t> first = SaveOf(*record);
    auto again = Make(data[0]);
    cDataFile back("fuzz", first);
    if (!again->Load(back) || back.Remaining() != 0 || SaveOf(*again) != first) __builtin_trap();
    return 0;
}

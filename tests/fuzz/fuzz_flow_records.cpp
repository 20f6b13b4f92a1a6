// Record loading of flows, commands and their parts from arbitrary bytes.
// Input: one selector byte, a 4-byte version, then the record body. A load
// must never crash; a record that loads must save the same bytes after a
// second load (saving normalises, so the first save is the reference).
#include <cstdint>
#include <cstring>
#include <memory>
#include <vector>

#include "fuzz/flow_record_kinds.h"

namespace {

std::vector<std::uint8_t> SaveOf(cDataRecord& r) {
    cDataFile f("fuzz", cDataFile::Mode::Write);
    r.Save(f);
    return f.Bytes();
}

void SetUpLimits() {
    static bool done = false;
    if (done) return;
    done = true;
    SetDataLimits(fuzz_flows::Limits());
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 5) return 0;
    SetUpLimits();
    std::int32_t version = 0;
    std::memcpy(&version, data + 1, 4);
    if (version < 0 || version > DataVersion) return 0;
    auto record = fuzz_flows::MakeRecord(data[0]);
    FileVersion = version;
    cDataFile in("fuzz", std::vector<std::uint8_t>(data + 5, data + size));
    bool ok = record->Load(in);
    FileVersion = DataVersion;
    if (!ok) {
        record->OnLoadRefused();
        return 0;
    }
    std::vector<std::uint8_t> first = SaveOf(*record);
    auto again = fuzz_flows::MakeRecord(data[0]);
    cDataFile back("fuzz", first);
    if (!again->Load(back) || back.Remaining() != 0 || SaveOf(*again) != first) __builtin_trap();
    return 0;
}

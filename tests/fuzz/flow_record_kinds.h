#pragma once
// The records the flow-records fuzz target reads, picked by the first byte
// of its input, and the data limits it loads them under. Its seeds are
// built and checked with the same two.
#include <cstdint>
#include <memory>

#include "gamedata/flows/flow.h"
#include "gamedata/project/data_limits.h"

namespace fuzz_flows {

enum Pick : std::uint8_t { kFlow = 0, kCmd, kCondList, kShot, kMove, kKeyCond, kPickCount };

inline std::unique_ptr<cDataRecord> MakeRecord(std::uint8_t pick) {
    switch (pick % kPickCount) {
        case kFlow: return std::make_unique<cFlow>();
        case kCmd: return std::make_unique<cFlowCmd>();
        case kCondList: return std::make_unique<cCondList>();
        case kShot: return std::make_unique<cEdShot>();
        case kMove: return std::make_unique<cEdMove>();
        default: return std::make_unique<cKeyCond>();
    }
}

// Small tables, so that indices in the input are sometimes valid and
// sometimes not.
inline DataLimits Limits() {
    DataLimits lim;
    lim.dbCount.fill(8);
    lim.swordFrameTimes = {{3, 4}, {5000, 6000}};
    lim.common = {4, 4, 4};
    lim.stage = {2, 2, 2};
    return lim;
}

}  // namespace fuzz_flows

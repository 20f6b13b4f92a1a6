#include "gamedata/base/data_limits.h"

namespace {

DataLimits& StoredLimits() {
    static DataLimits limits;
    return limits;
}

DataLimitsSource& Source() {
    static DataLimitsSource source = nullptr;
    return source;
}

}  // namespace

int DataLimits::PaletteCount(int palette, PaletteList list) const {
    const PaletteCounts* p = palette == 0 ? &common : palette == 1 ? &stage : nullptr;
    if (!p) return -1;
    switch (list) {
        case PaletteList::Block: return p->blocks;
        case PaletteList::Chara: return p->charas;
        case PaletteList::Item: return p->items;
    }
    return -1;
}

int DataLimits::SwordTime(int swordType) const {
    if (swordType < 0 || static_cast<std::size_t>(swordType) >= swordFrameTimes.size()) return 0;
    long long sum = 0;
    for (int t : swordFrameTimes[static_cast<std::size_t>(swordType)]) {
        sum += t;
        if (sum > 9999) sum = 9999;
        // Negative times are nonsense; they must not push the sum out of
        // the 16-bit time it lands in.
        if (sum < -32768) sum = -32768;
    }
    return static_cast<int>(sum);
}

const DataLimits& GetDataLimits() { return Source() ? Source()() : StoredLimits(); }

void SetDataLimits(const DataLimits& limits) { StoredLimits() = limits; }

const DataLimits& StoredDataLimits() { return StoredLimits(); }

void SetDataLimitsSource(DataLimitsSource source) { Source() = source; }

bool ShouldPurgeTestFlows() {
    const DataLimits& l = GetDataLimits();
    return l.testPlay == 0 && l.testFlowSwitch == 0;
}

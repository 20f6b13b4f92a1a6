#include "draw/surface_sets.h"

#include <array>
#include <utility>

namespace {
std::array<DDSurfaceSetWalk, DDSET_COUNT>& Walks() {
    static std::array<DDSurfaceSetWalk, DDSET_COUNT> walks;
    return walks;
}

bool Known(DDSURFACESET set) { return set >= 0 && set < DDSET_COUNT; }
}  // namespace

void DDRegisterSurfaceSet(DDSURFACESET set, DDSurfaceSetWalk walk) {
    if (Known(set)) Walks()[static_cast<std::size_t>(set)] = std::move(walk);
}

bool DDWalkSurfaceSet(DDSURFACESET set, const DDSurfaceVisit& visit) {
    if (!Known(set)) return true;
    const DDSurfaceSetWalk& walk = Walks()[static_cast<std::size_t>(set)];
    return !walk || walk(visit);
}

DDSURFACEDATA* DDFirstOfSurfaceSet(DDSURFACESET set) {
    DDSURFACEDATA* first = nullptr;
    DDWalkSurfaceSet(set, [&first](DDSURFACEDATA& sd) {
        first = &sd;
        return false;
    });
    return first;
}

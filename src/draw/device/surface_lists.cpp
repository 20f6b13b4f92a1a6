#include "draw/device/surfaces.h"

#include <algorithm>
#include <iterator>

#include "draw/device/surface_table.h"

void DDReleaseSurfaceVector(cVector<DDSURFACEDATA>& surfaces) {
    for (int i = 0; i < surfaces.Count(); ++i) DDReleaseSurface(&surfaces[i]);
}

void DDReleaseSurfaceList(cList<DDSURFACEDATA>& surfaces) {
    for (DDSURFACEDATA& sd : surfaces) DDReleaseSurface(&sd);
}

namespace {
SURFACETABLEENTRY PushedEntry(int colorKey, int ddMemory, int memoryType, int share) {
    SURFACETABLEENTRY e{};
    e.nColorKey = colorKey;
    e.nDDMemory = ddMemory;
    e.nMemoryType = memoryType;
    e.nShare = share;
    return e;
}
}  // namespace

namespace {
// Appends an empty record and its entry, then creates the record.
template <class Surfaces, class Entries>
bool PushSurface(Surfaces& surfaces, Entries& entries, int width, int height, int colorKey, int ddMemory,
                 int memoryType, int share) {
    surfaces.emplace_back();
    entries.push_back(PushedEntry(colorKey, ddMemory, memoryType, share));
    return DDCreateSurface(&surfaces.back(), width, height, colorKey, ddMemory, memoryType, share, 0);
}
}  // namespace

bool DDPushSurface(cVector<DDSURFACEDATA>& surfaces, cVector<SURFACETABLEENTRY>& entries, int width, int height,
                   int colorKey, int ddMemory, int memoryType, int share) {
    return PushSurface(surfaces, entries, width, height, colorKey, ddMemory, memoryType, share);
}

bool DDPushSurfaceList(cList<DDSURFACEDATA>& surfaces, cList<SURFACETABLEENTRY>& entries, int width, int height,
                       int colorKey, int ddMemory, int memoryType, int share) {
    return PushSurface(surfaces, entries, width, height, colorKey, ddMemory, memoryType, share);
}

bool DDPushSurfaceListAt(cList<DDSURFACEDATA>& surfaces, cList<SURFACETABLEENTRY>& entries, int index, int width,
                         int height, int colorKey, int ddMemory, int memoryType, int share) {
    if (index < 0) index = 0;
    if (index >= surfaces.Count()) {
        return DDPushSurfaceList(surfaces, entries, width, height, colorKey, ddMemory, memoryType, share);
    }
    surfaces.emplace(std::next(surfaces.begin(), index));
    entries.insert(std::next(entries.begin(), std::min(index, entries.Count())),
                   PushedEntry(colorKey, ddMemory, memoryType, share));
    return DDCreateSurface(&surfaces[index], width, height, colorKey, ddMemory, memoryType, share, 0);
}

int DDEraseSurfaceList(cList<DDSURFACEDATA>& surfaces, cList<SURFACETABLEENTRY>& entries, DDSURFACEDATA* sd) {
    int pos = 0;
    for (auto it = surfaces.begin(); it != surfaces.end(); ++it, ++pos) {
        if (&*it != sd) continue;
        DDReleaseSurface(sd);
        surfaces.erase(it);
        if (pos < entries.Count()) entries.erase(std::next(entries.begin(), pos));
        return 1;
    }
    return 0;
}

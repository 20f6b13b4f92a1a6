#pragma once
// The picture sets that live beside the built-in surface array: the stage's
// database pictures, the picture command's pictures, the scenes' own pictures
// and the message windows. Their owners sit above the drawing layer, so each
// owner lends a walk over its set while the set exists; a lost display takes
// their video-memory surfaces with it and the game brings them back in the
// order of this enumeration.
#include <functional>

#include "draw/surface.h"

enum DDSURFACESET : int {
    DDSET_STAGEBMP = 0,
    DDSET_EFFECT,
    DDSET_SWORD,
    DDSET_PICTURE,
    DDSET_SCENE,
    DDSET_MESSAGE,
    DDSET_COUNT,
};

// Called with each surface of a set in order; false stops the walk.
using DDSurfaceVisit = std::function<bool(DDSURFACEDATA&)>;
// Walks a set: visits every surface and answers false as soon as a visit does.
using DDSurfaceSetWalk = std::function<bool(const DDSurfaceVisit&)>;

// Lends the walk over a set (an empty walk withdraws it). The owner
// withdraws it before the set goes away.
void DDRegisterSurfaceSet(DDSURFACESET set, DDSurfaceSetWalk walk);
// Walks a set; true for a set that nobody lends.
bool DDWalkSurfaceSet(DDSURFACESET set, const DDSurfaceVisit& visit);
// The first surface of a set, or nullptr for an empty or unlent set.
DDSURFACEDATA* DDFirstOfSurfaceSet(DDSURFACESET set);

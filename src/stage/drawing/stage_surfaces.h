#pragma once
// The pictures of the running stage that come from the project's databases,
// beside the built-in surface table: four surfaces per dedicated character
// picture (entry k from 1 on has surfaces 4k - 4 to 4k - 1), four per sword
// type (type k from 0 on has 4k to 4k + 3) and two per effect (effect k from
// 1 on has 2k - 2 and 2k - 1). Each entry's creation record sits at the same
// index. Stage play loads them when it starts and releases them at its end.
#include "draw/device/surface.h"
#include "draw/device/surface_table.h"
#include "foundation/checked_containers.h"

// Dedicated picture: 0 the picture, 1 its mirror in the entry's cells, 2 and
// 3 the same again as the copies the processor reads.
extern cVector<DDSURFACEDATA> StageBmpSurfaces;
extern cVector<SURFACETABLEENTRY> StageBmpEntries;
// Sword type: 0 facing left, 1 facing right, 2 and 3 their copies.
extern cVector<DDSURFACEDATA> SwordSurfaces;
extern cVector<SURFACETABLEENTRY> SwordEntries;
// Effect: 0 the picture, 1 its copy.
extern cVector<DDSURFACEDATA> EffectSurfaces;
extern cVector<SURFACETABLEENTRY> EffectEntries;

constexpr int kStageBmpSurfacesPerEntry = 4;
constexpr int kSwordSurfacesPerEntry = 4;
constexpr int kEffectSurfacesPerEntry = 2;

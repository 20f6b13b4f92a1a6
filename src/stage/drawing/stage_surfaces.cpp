#include "stage/drawing/stage_surfaces.h"

cVector<DDSURFACEDATA> StageBmpSurfaces;
cVector<SURFACETABLEENTRY> StageBmpEntries;
cVector<DDSURFACEDATA> SwordSurfaces;
cVector<SURFACETABLEENTRY> SwordEntries;
cVector<DDSURFACEDATA> EffectSurfaces;
cVector<SURFACETABLEENTRY> EffectEntries;

#pragma once
// The built-in table of 72 pictures and work surfaces; pictures are named by
// their index in it, and SurfaceArray holds the surface of each entry.
#include "draw/device/surface.h"

struct SURFACETABLEENTRY {
    char fileName[260];
    int nColorKey;
    int nDDMemory;
    int nMemoryType;
    int nShare;
    int nConvert;
    int nOptional;
    int nMirrorWidth;
    int nMirrorHeight;
    int nWidth;
    int nHeight;
};

constexpr int kSurfaceCount = 72;

extern SURFACETABLEENTRY SurfaceTable[kSurfaceCount];
extern DDSURFACEDATA SurfaceArray[kSurfaceCount];

// Index of the entry whose texture entry k uses in the device path, or -1.
int SurfaceShareSource(int k);

void DDLinkSurfaceTable();
bool DDLoadSurfaceTable(DDSURFACEDATA* surfaces, const int* indices, int count);

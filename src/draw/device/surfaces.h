#pragma once
// Creating, loading, mirroring and releasing surfaces in either path.
#include <list>
#include <vector>

#include "draw/device/surface.h"
#include "foundation/checked_containers.h"

struct SURFACETABLEENTRY;

// Every Direct3D texture this layer created (shared records hold none).
// Never destroyed: records of any lifetime may leave it during exit.
extern std::list<DDTEXTUREDATA*>& SurfaceList;

bool DDCreateSurface(DDSURFACEDATA* sd, int width, int height, int colorKey, int ddMemory, int memoryType, int share,
                     int restore);
int DDCreateSurfaceFromFile(DDSURFACEDATA* sd, const char* file, int colorKey, int depth, int ddMemory, int memoryType,
                            int share, int convert, int mirrorWidth, int mirrorHeight, int restore);
bool DDSurfaceErrorMessage(int code);
void DDReleaseSurface(DDSURFACEDATA* sd);
void DDReleaseSurfaceVector(cVector<DDSURFACEDATA>& surfaces);
void DDReleaseSurfaceList(cList<DDSURFACEDATA>& surfaces);
bool DDPushSurface(cVector<DDSURFACEDATA>& surfaces, cVector<SURFACETABLEENTRY>& entries, int width, int height,
                   int colorKey, int ddMemory, int memoryType, int share);
bool DDPushSurfaceList(cList<DDSURFACEDATA>& surfaces, cList<SURFACETABLEENTRY>& entries, int width, int height,
                       int colorKey, int ddMemory, int memoryType, int share);
bool DDPushSurfaceListAt(cList<DDSURFACEDATA>& surfaces, cList<SURFACETABLEENTRY>& entries, int index, int width,
                         int height, int colorKey, int ddMemory, int memoryType, int share);
int DDEraseSurfaceList(cList<DDSURFACEDATA>& surfaces, cList<SURFACETABLEENTRY>& entries, DDSURFACEDATA* sd);
int DDBitmapTooLarge(int* result, const char* file, int maxWidth, int maxHeight);
bool DDReloadBitmap(DDSURFACEDATA* sd, int depth);
bool CopyBitmap(DDSURFACEDATA* sd, const char* file, int depth, int convert, int mirrorWidth, int mirrorHeight);
bool CreateMirror(DDSURFACEDATA* dst, DDSURFACEDATA* src, int cellWidth, int cellHeight);
int DDConvertSurface(const void* unused, DDSURFACEDATA* sd);

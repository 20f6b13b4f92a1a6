#pragma once
// Draw batches of the device path: the sprite batch defers blits and draws
// them grouped (optionally reordered by registered texture), the fill batch
// defers rectangle fills. Both do nothing in the DirectDraw path.
#include <map>
#include <tuple>
#include <unordered_map>
#include <vector>

#include "draw/device/surface.h"
#include "draw/pixel_ops.h"

struct DDSPRITEREQUEST {
    int nIndex = 0;
    long long nKey = 0;
    DDSURFACEDATA* lpDst = nullptr;
    DDSURFACEDATA* lpSrc = nullptr;
    int x = 0, y = 0, w = 0, h = 0;
    int sx = 0, sy = 0, sw = 0, sh = 0;
    int nFlags = 0;
    DWORD dwVertexColor = 0xFFFFFFFFu;
    DWORD dwColorOp = 0;
    DWORD dwAlphaOp = 0;
    int nReserved = 0;
    int bCached = 0;
};

struct DDTEXCACHEENTRY {
    DDSURFACEDATA* lpSurface = nullptr;
    int bSubRect = 0;
    int sx = 0;
    int sy = 0;
    long long nPriority = 0;
};

struct DDSPRITEBATCH {
    int bEnabled = 1;
    std::vector<DDSPRITEREQUEST> requests;
    int nNextSequence = 0;
    int bSort = 0;
    std::vector<DDTEXCACHEENTRY> cache;
    // Where the first request of a source stands (uncached, and cached per
    // position), so that a request finds the key it joins without walking
    // every request before it.
    std::unordered_map<const DDSURFACEDATA*, int> firstUncached;
    std::map<std::tuple<const DDSURFACEDATA*, int, int>, int> firstCached;
};

constexpr int kMaxSpriteBatches = 100;

void DDSpriteBatchOpen(int sort);
void DDSpriteBatchOff();
void DDSpriteBatchOn();
void DDTextureCacheAdd(DDSURFACEDATA* sd, int sx, int sy);
void DDTextureCacheAddAll(DDSURFACEDATA* sd);
void DDSpriteBatchFlush();
void DDFillBatchReset();
void DDFillBatchFlush();

// The current batch when it collects, else null.
DDSPRITEBATCH* DDCollectingSpriteBatch();
// Appends a clipped device-path blit to the current batch.
void DDSpriteBatchCollect(DDSPRITEREQUEST request);
// Appends a fill when the fill batch is open; false when it is closed.
bool DDFillBatchCollect(DDSURFACEDATA* sd, int x, int y, int w, int h, DWORD color);
// Number of open sprite batches.
int DDSpriteBatchDepth();
// Drops every batch without drawing (device release).
void DDSpriteBatchDiscardAll();
bool DDSpriteRequestLess(const DDSPRITEREQUEST& a, const DDSPRITEREQUEST& b);

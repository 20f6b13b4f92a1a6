#include "draw/sprite_batch.h"

#include <algorithm>
#include <list>

#include "draw/blit.h"
#include "draw/device/device.h"
#include "foundation/abort.h"

namespace {

std::list<DDSPRITEBATCH> SpriteBatchStack;
DDSPRITEBATCH* lpSpriteBatch = nullptr;

struct DDFILLREQUEST {
    DDSURFACEDATA* lpSurface;
    int x, y, w, h;
    DWORD dwColor;
};
struct FILLBATCH {
    bool bOpen = false;
    std::vector<DDFILLREQUEST> requests;
};
FILLBATCH FillBatch;

constexpr long long kCachePriorityStep = 100000;

bool CacheMatches(const DDTEXCACHEENTRY& e, const DDSURFACEDATA* sd, int sx, int sy) {
    if (e.lpSurface != sd) return false;
    return !e.bSubRect || (e.sx == sx && e.sy == sy);
}

void AddCacheEntry(DDSURFACEDATA* sd, bool subRect, int sx, int sy) {
    if (!lpSpriteBatch || !lpSpriteBatch->bEnabled || !lpSpriteBatch->bSort) return;
    DDGetShareSD(&sd);
    for (const DDTEXCACHEENTRY& e : lpSpriteBatch->cache) {
        if (e.lpSurface != sd) continue;
        if (!e.bSubRect || !subRect || (e.sx == sx && e.sy == sy)) return;
    }
    const long long priority = kCachePriorityStep * static_cast<long long>(lpSpriteBatch->cache.size() + 1);
    lpSpriteBatch->cache.push_back(DDTEXCACHEENTRY{sd, subRect ? 1 : 0, sx, sy, priority});
}

bool SameRun(const DDSPRITEREQUEST& a, const DDSPRITEREQUEST& b) {
    return a.lpSrc == b.lpSrc && a.lpDst == b.lpDst && a.nFlags == b.nFlags && a.dwVertexColor == b.dwVertexColor &&
           a.dwColorOp == b.dwColorOp && a.dwAlphaOp == b.dwAlphaOp;
}

void DrawRun(const DDSPRITEREQUEST* first, const DDSPRITEREQUEST* last) {
    if (!DDBeginScene()) return;
    if (first->nFlags == 0 && first->lpSrc->Keyed()) {
        for (const DDSPRITEREQUEST* r = first; r != last; ++r) DDClearForUnkeyedDraw(r->lpDst, r->x, r->y, r->w, r->h);
    }
    DDSTAGESTATE st;
    st.dwVertexColor = first->dwVertexColor;
    st.dwColorOp = first->dwColorOp;
    st.dwAlphaOp = first->dwAlphaOp;
    st.dwTextureFactor = lpDTCon->dwTextureFactor;
    for (const DDSPRITEREQUEST* r = first; r != last; ++r) {
        DDDrawQuad(r->lpDst, r->lpSrc, r->x, r->y, r->w, r->h, r->sx, r->sy, r->sw, r->sh, st);
    }
}

void CloseCurrentBatch() {
    if (SpriteBatchStack.empty()) return;
    SpriteBatchStack.pop_back();
    lpSpriteBatch = SpriteBatchStack.empty() ? nullptr : &SpriteBatchStack.back();
}

}  // namespace

void DDSpriteBatchOpen(int sort) {
    if (!lpDTCon || SpriteBatchStack.size() >= kMaxSpriteBatches) return;
    SpriteBatchStack.emplace_back();
    lpSpriteBatch = &SpriteBatchStack.back();
    lpSpriteBatch->bSort = sort;
}

void DDSpriteBatchOff() {
    if (lpSpriteBatch) lpSpriteBatch->bEnabled = 0;
}

void DDSpriteBatchOn() {
    if (lpSpriteBatch) lpSpriteBatch->bEnabled = 1;
}

void DDTextureCacheAdd(DDSURFACEDATA* sd, int sx, int sy) { AddCacheEntry(sd, true, sx, sy); }
void DDTextureCacheAddAll(DDSURFACEDATA* sd) { AddCacheEntry(sd, false, 0, 0); }

bool DDSpriteRequestLess(const DDSPRITEREQUEST& a, const DDSPRITEREQUEST& b) {
    if (a.nKey != b.nKey) return a.nKey < b.nKey;
    return a.nIndex < b.nIndex;
}

DDSPRITEBATCH* DDCollectingSpriteBatch() {
    return (lpSpriteBatch && lpSpriteBatch->bEnabled) ? lpSpriteBatch : nullptr;
}

void DDSpriteBatchCollect(DDSPRITEREQUEST r) {
    DDSPRITEBATCH& b = *lpSpriteBatch;
    r.nIndex = static_cast<int>(b.requests.size());
    bool keyed = false;
    if (b.bSort) {
        // The first earlier request of the same source that is uncached, or
        // cached at the same position, gives its key.
        int first = -1;
        if (auto it = b.firstUncached.find(r.lpSrc); it != b.firstUncached.end()) first = it->second;
        if (auto it = b.firstCached.find({r.lpSrc, r.sx, r.sy}); it != b.firstCached.end()) {
            if (first < 0 || it->second < first) first = it->second;
        }
        if (first >= 0) {
            const DDSPRITEREQUEST& e = b.requests[static_cast<std::size_t>(first)];
            r.nKey = e.nKey;
            r.bCached = e.bCached;
            keyed = true;
        }
    }
    if (!keyed) {
        r.nKey = b.nNextSequence++;
        for (const DDTEXCACHEENTRY& e : b.cache) {
            if (!CacheMatches(e, r.lpSrc, r.sx, r.sy)) continue;
            r.nKey += e.nPriority;
            if (e.bSubRect) r.bCached = 1;
        }
    }
    if (r.bCached)
        b.firstCached.emplace(std::make_tuple(static_cast<const DDSURFACEDATA*>(r.lpSrc), r.sx, r.sy), r.nIndex);
    else b.firstUncached.emplace(r.lpSrc, r.nIndex);
    b.requests.push_back(r);
}

void DDSpriteBatchFlush() {
    if (AbortFlag || !lpSpriteBatch) return;
    std::vector<DDSPRITEREQUEST>& reqs = lpSpriteBatch->requests;
    if (lpSpriteBatch->bSort) std::sort(reqs.begin(), reqs.end(), DDSpriteRequestLess);
    std::size_t start = 0;
    while (start < reqs.size()) {
        std::size_t end = start + 1;
        while (end < reqs.size() && SameRun(reqs[start], reqs[end])) ++end;
        DrawRun(reqs.data() + start, reqs.data() + end);
        start = end;
    }
    CloseCurrentBatch();
}

int DDSpriteBatchDepth() { return static_cast<int>(SpriteBatchStack.size()); }

void DDSpriteBatchDiscardAll() {
    SpriteBatchStack.clear();
    lpSpriteBatch = nullptr;
    FillBatch = FILLBATCH();
}

void DDFillBatchReset() {
    if (!lpDTCon) return;
    FillBatch.bOpen = true;
    FillBatch.requests.clear();
}

bool DDFillBatchCollect(DDSURFACEDATA* sd, int x, int y, int w, int h, DWORD color) {
    if (!FillBatch.bOpen) return false;
    FillBatch.requests.push_back(DDFILLREQUEST{sd, x, y, w, h, color});
    return true;
}

void DDFillBatchFlush() {
    if (!lpDTCon) return;
    if (!FillBatch.requests.empty() && DDBeginScene()) {
        for (const DDFILLREQUEST& r : FillBatch.requests) {
            if (DDPIXELS* px = r.lpSurface->Pixels()) BlendFillPixels(*px, r.x, r.y, r.w, r.h, r.dwColor);
        }
    }
    FillBatch.requests.clear();
    FillBatch.bOpen = false;
}

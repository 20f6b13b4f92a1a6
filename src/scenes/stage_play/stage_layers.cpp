#include "scenes/stage_play/stage_layers.h"

#include <cmath>

#include "draw/blit.h"
#include "draw/device/surface_table.h"
#include "draw/palette.h"
#include "draw/sprite_batch.h"
#include "gamedata/stage_file/stage_data.h"
#include "stage/objects/stage_object.h"
#include "stage/objects/stage_state.h"

namespace {

constexpr int kMaxTiles = 1000;
constexpr int kEmptyColour = 16;

DDSURFACEDATA* LayerPicture(int layer) {
    DDSURFACEDATA& sd = SurfaceArray[kFirstLayerPicture + layer];
    return sd.Pixels() && sd.nWidth > 0 && sd.nHeight > 0 ? &sd : nullptr;
}

// An offset moved by a speed stays within [0, size), however fast it moves.
void AdvanceOffset(double& offset, double speed, int size) {
    if (size <= 0) return;
    offset -= speed;
    if (offset < 0.0 || offset >= size) offset -= std::floor(offset / size) * size;
    if (offset >= size) offset = 0.0;
}

// Where in the picture the frame's top-left corner falls on one axis.
int TileStart(const cScrollAxis& axis, double factor, int autoScroll, double autoOffset, int size) {
    double origin = (static_cast<int>(axis.m_dPos + 0.5) - axis.m_nBlockOffset * kBlockPixels) * factor;
    if (autoScroll) origin += autoOffset;
    // Reduced before the truncation, so that a factor from the stage file
    // too large for an int still lands inside the picture.
    const double within = std::fmod(origin, size);
    const int start = std::isfinite(within) ? static_cast<int>(within) : 0;
    return start < 0 ? start + size : start;
}

void TileLayer(DDSURFACEDATA* dst, DDSURFACEDATA* picture, int sx, int sy, int keyed) {
    const int w = picture->nWidth, h = picture->nHeight;
    int y = 0, srcY = sy;
    for (int row = 0; y < kViewHeight && row < kMaxTiles; ++row) {
        const int tileH = h - srcY;
        int x = 0, srcX = sx;
        for (int column = 0; x < kViewWidth && column < kMaxTiles; ++column) {
            const int tileW = w - srcX;
            DDBlt(dst, x, y, tileW, tileH, picture, srcX, srcY, keyed);
            x += tileW;
            srcX = 0;
        }
        y += tileH;
        srcY = 0;
    }
}

bool AnyShown(const cStageData& stage) {
    int i = 0;
    for (const cStageLayer& layer : stage.m_vLayers) {
        if (i++ >= kDrawnLayerCount) break;
        if (layer.m_bShow) return true;
    }
    return false;
}

}  // namespace

void ScrollLayers(cStageData& stage, int paused) {
    if (paused) return;
    int i = 0;
    for (cStageLayer& layer : stage.m_vLayers) {
        if (i >= kDrawnLayerCount) break;
        const DDSURFACEDATA* picture = LayerPicture(i++);
        if (!picture) continue;
        if (layer.m_bAutoX) AdvanceOffset(layer.m_dAutoPosX, layer.m_dAutoSpeedX, picture->nWidth);
        if (layer.m_bAutoY) AdvanceOffset(layer.m_dAutoPosY, layer.m_dAutoSpeedY, picture->nHeight);
    }
}

void DrawBackground(DDSURFACEDATA* dst, int key, const cStageState& state, const cStageData& stage) {
    if (key == 0 && !AnyShown(stage)) {
        PalNumToRGB(dst, 0, 0, kViewWidth, kViewHeight, kEmptyColour);
        return;
    }
    int drawn = 0;
    int i = 0;
    for (const cStageLayer& layer : stage.m_vLayers) {
        if (i >= kDrawnLayerCount) break;
        const int index = i++;
        if (layer.m_nFront != key || !layer.m_bShow) continue;
        if (layer.m_bFill) {
            PalNumToRGB(dst, 0, 0, kViewWidth, kViewHeight, static_cast<DWORD>(layer.m_nFillColor));
            ++drawn;
            continue;
        }
        DDSURFACEDATA* picture = LayerPicture(index);
        if (!picture) continue;
        const int sx = TileStart(state.m_ScrollX, layer.m_dRatioX, layer.m_bAutoX, layer.m_dAutoPosX, picture->nWidth);
        const int sy = TileStart(state.m_ScrollY, layer.m_dRatioY, layer.m_bAutoY, layer.m_dAutoPosY, picture->nHeight);
        // The first back layer covers the whole frame, so it needs no key.
        const int keyed = key != 0 || drawn > 0 ? 1 : 0;
        DDSpriteBatchOpen(0);
        TileLayer(dst, picture, sx, sy, keyed);
        DDSpriteBatchFlush();
        ++drawn;
    }
    if (key == 0 && drawn == 0) PalNumToRGB(dst, 0, 0, kViewWidth, kViewHeight, kEmptyColour);
}

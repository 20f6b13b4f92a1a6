#include "stage/core/picture_inst.h"

#include "draw/blit.h"
#include "draw/device/surfaces.h"
#include "foundation/strings.h"
#include "stage/drawing/stage_anchor.h"
#include "stage/objects/chara.h"
#include "stage/objects/chara_lookup.h"
#include "stage/objects/stage_state.h"

void cPictureInst::Init(int number, int place, int unit, int x, int y, int offsetX, int offsetY, int pictureWidth,
                        int pictureHeight, int anchored, int layer, int scalePercent, int timeKind, int frames,
                        int countWhileFrozen, int ownerId, int hasId, int id) {
    m_nNumber = number;
    m_nPlace = place;
    m_nUnit = unit;
    m_nX = x;
    m_nY = y;
    m_nOffsetX = offsetX;
    m_nOffsetY = offsetY;
    m_nWidth = PercentOf(pictureWidth, scalePercent);
    m_nHeight = PercentOf(pictureHeight, scalePercent);
    m_bStretched = scalePercent != 100 ? 1 : 0;
    m_bAnchored = anchored;
    m_nLayer = layer;
    m_nTimeKind = timeKind;
    m_nFrames = frames;
    m_bCountWhileFrozen = countWhileFrozen;
    m_nOwnerId = ownerId;
    m_bHasId = hasId;
    m_nId = id;
    m_bStored = 0;
}

void cPictureInst::TakeOwnerCentre() {
    if (const cChara* owner = FindCharaById(m_nOwnerId)) {
        m_dOwnerCentreX = owner->m_dX + owner->m_nWidth / 2;
        m_dOwnerCentreY = owner->m_dY + owner->m_nHeight / 2;
    }
}

void cPictureInst::GetPos(int& x, int& y) {
    if (m_nPlace != PicturePlace::FollowChara && m_nPlace != PicturePlace::FollowChara2) return;
    TakeOwnerCentre();
    x = static_cast<int>(m_dOwnerCentreX) + m_nOffsetX;
    y = static_cast<int>(m_dOwnerCentreY) + m_nOffsetY;
}

void cPictureInst::ScreenPosition(int& x, int& y, int follow) {
    const cStageState& stage = StageState();
    const double scrollX = stage.m_ScrollX.m_dPos, scrollY = stage.m_ScrollY.m_dPos;
    const int blockX = stage.m_ScrollX.m_nBlockOffset, blockY = stage.m_ScrollY.m_nBlockOffset;
    const int halfW = m_nWidth / 2, halfH = m_nHeight / 2;
    const bool blocks = m_nUnit == 0;
    // The stage places subtract the view's position from the stage pixel
    // and truncate what remains.
    const auto onScreenX = [&](int stageX) { return static_cast<int>(stageX - scrollX); };
    const auto onScreenY = [&](int stageY) { return static_cast<int>(stageY - scrollY); };
    switch (m_nPlace) {
        case PicturePlace::ScreenCentre:
            x = m_nOffsetX - halfW + 320;
            y = m_nOffsetY - halfH + 240;
            return;
        case PicturePlace::FollowChara:
        case PicturePlace::FollowChara2: {
            int px = m_nX, py = m_nY;
            if (follow) GetPos(px, py);
            x = px - static_cast<int>(scrollX);
            y = py - static_cast<int>(scrollY);
            return;
        }
        case PicturePlace::ScreenTopLeft:
            x = (blocks ? m_nX * 32 : m_nX) + m_nOffsetX;
            y = (blocks ? m_nY * 32 : m_nY) + m_nOffsetY;
            return;
        case PicturePlace::ScreenCentreAt:
            x = blocks ? m_nX * 32 - halfW + 16 + m_nOffsetX : m_nX + m_nOffsetX - halfW;
            y = blocks ? m_nY * 32 - halfH + 16 + m_nOffsetY : m_nY + m_nOffsetY - halfH;
            return;
        case PicturePlace::StageTopLeft:
            x = onScreenX(blocks ? (m_nX + blockX) * 32 + m_nOffsetX : blockX * 32 + m_nOffsetX + m_nX);
            y = onScreenY(blocks ? (m_nY + blockY) * 32 + m_nOffsetY : blockY * 32 + m_nOffsetY + m_nY);
            return;
        case PicturePlace::StageCentreAt:
            x = onScreenX(blocks ? (m_nX + blockX) * 32 + m_nOffsetX - halfW + 16
                                 : blockX * 32 + m_nOffsetX + m_nX - halfW);
            y = onScreenY(blocks ? (m_nY + blockY) * 32 + m_nOffsetY - halfH + 16
                                 : blockY * 32 + m_nOffsetY + m_nY - halfH);
            return;
        default: x = y = 0; return;
    }
}

void cPictureInst::Anchor(int& x, int& y) {
    const bool screenPlace = m_nPlace == PicturePlace::ScreenCentre || m_nPlace == PicturePlace::ScreenTopLeft ||
                             m_nPlace == PicturePlace::ScreenCentreAt;
    if (screenPlace && !m_bAnchored) {
        // Kept in the stage: where it first appeared, in stage pixels.
        const cStageState& stage = StageState();
        const double scrollX = stage.m_ScrollX.m_dPos, scrollY = stage.m_ScrollY.m_dPos;
        FollowStagePoint(m_bStored, m_nStoredX, m_nStoredY, scrollX, scrollY, x, y);
        return;
    }
    if (!screenPlace && m_bAnchored) {
        // Kept on the screen where it first appeared.
        KeepFirstPosition(m_bStored, m_nStoredX, m_nStoredY, x, y);
    }
}

void cPictureInst::Place(int& x, int& y, int follow) {
    ScreenPosition(x, y, follow);
    Anchor(x, y);
}

int cPictureInst::Update(DDSURFACEDATA* dst, DDSURFACEDATA* picture, int frozen, int follow) {
    if (m_nTimeKind == kPictureTimed && (m_bCountWhileFrozen || !frozen)) {
        if (--m_nFrames < 0) return 1;
    }
    int x = 0, y = 0;
    Place(x, y, follow);
    if (!picture) return 0;
    if (m_bStretched) DDBltStretch(dst, x, y, m_nWidth, m_nHeight, picture, 0, 0, picture->nWidth, picture->nHeight, 1);
    else DDBlt(dst, x, y, m_nWidth, m_nHeight, picture, 0, 0, 1);
    return 0;
}

namespace {

PictureSlot FirstSlot(cStageState& state) {
    return {state.m_lstPicture.begin(), state.m_lstPictureSurface.begin(), state.m_lstPictureEntry.begin()};
}

// The three lists grow and shrink together; a walk stops at the end of the
// shortest so that a broken pairing never reads past a list.
bool WithinLists(cStageState& state, const PictureSlot& slot) {
    return slot.picture != state.m_lstPicture.end() && slot.surface != state.m_lstPictureSurface.end() &&
           slot.entry != state.m_lstPictureEntry.end();
}

void Advance(PictureSlot& slot) { ++slot.picture, ++slot.surface, ++slot.entry; }

}  // namespace

std::optional<PictureSlot> FindPicture(cStageState& state, const std::function<bool(const cPictureInst&)>& matches) {
    for (PictureSlot slot = FirstSlot(state); WithinLists(state, slot); Advance(slot)) {
        if (matches(*slot.picture)) return slot;
    }
    return std::nullopt;
}

PictureSlot ErasePictureSlot(cStageState& state, const PictureSlot& slot) {
    DDReleaseSurface(&*slot.surface);
    return {state.m_lstPicture.erase(slot.picture), state.m_lstPictureSurface.erase(slot.surface),
            state.m_lstPictureEntry.erase(slot.entry)};
}

void DrawPictures(DDSURFACEDATA* dst, cStageState& state, int layer, int frozen, int follow) {
    PictureSlot slot = FirstSlot(state);
    while (WithinLists(state, slot)) {
        if (slot.picture->m_nLayer == layer && slot.picture->Update(dst, &*slot.surface, frozen, follow)) {
            slot = ErasePictureSlot(state, slot);
        } else {
            Advance(slot);
        }
    }
}

void ClearPictures(cStageState& state) {
    DDReleaseSurfaceList(state.m_lstPictureSurface);
    state.m_lstPictureSurface.clear();
    state.m_lstPictureEntry.clear();
    state.m_lstPicture.clear();
}

#include <algorithm>

#include "gamedata/project/compat_switches.h"
#include "gamedata/project/system_data.h"
#include "gamedata/stage_file/stage_data.h"
#include "shell/key_state.h"
#include "stage/objects/engine_hooks.h"
#include "stage/objects/player.h"

namespace {

constexpr int kGraphicChangeFrames = 2;
constexpr int kMarkerColours[] = {208, 212, 216, 220, 224, 228, 232, 236};

BoxSize HitSizeOf(bool flying) {
    const cStageData& s = LoadedStage;
    return flying ? BoxSize{s.m_nHeroW2, s.m_nHeroH2, s.m_bHeroBottom2}
                  : BoxSize{s.m_nHeroW, s.m_nHeroH, s.m_bHeroBottom};
}

BoxSize BodySizeOf(bool flying) {
    const cStageData& s = LoadedStage;
    return flying ? BoxSize{s.m_nHeroHitW2, s.m_nHeroHitH2, s.m_bHeroHitBottom2}
                  : BoxSize{s.m_nHeroHitW, s.m_nHeroHitH, s.m_bHeroHitBottom};
}

BoxSize ShotBoxSize() { return {LoadedStage.m_nHeroBox1W, LoadedStage.m_nHeroBox1H, 0}; }
BoxSize ItemBoxSize() { return {LoadedStage.m_nHeroBox2W, LoadedStage.m_nHeroBox2H, 0}; }
// The hero's second body box is the box of its own shots.
BoxSize SecondBodySize() { return {LoadedStage.m_nShotBox[0], LoadedStage.m_nShotBox[1], 0}; }

int SubSteps() { return LoadedStage.m_nSubSteps > 0 ? LoadedStage.m_nSubSteps : 1; }

}  // namespace

void cPlayer::HeroHitSize(int& gx, int& gy, int& w, int& h) const {
    const BoxSize size = HitSizeOf(m_bFly != 0);
    w = size.w;
    h = size.h;
    gx = (kBlockPixels - w) >> 1;
    gy = size.bottom ? kBlockPixels - h : (kBlockPixels - h) >> 1;
}

void cPlayer::InitFromDef(int id, cCharaDef& def, const std::array<int, 4>& place) {
    if (def.m_cScale == 0) def.m_cScale = 1;
    Reset(&def, place, 0);
    int gx = 0, gy = 0, w = 0, h = 0;
    HeroHitSize(gx, gy, w, h);
    // The graphic is the definition's picture cell; its animation set only
    // picks the frames (columns) of that cell's row.
    Init(id, def.m_cOperation, def.m_cPlayerNo, def.m_cSide, def.m_sCell, nullptr, 0, gx, gy, w, h, kBlockPixels,
         kBlockPixels, 1, 0, 0);
    m_lpKeyState = m_nPlayerNo >= 0 && m_nPlayerNo < KeyStates.Count() ? &KeyStates[m_nPlayerNo] : nullptr;
    ChangeGraphic(def.m_cFlying, 0, 0, 0);
    SetScale(Scale(), 1, 1);
    m_dSlipRate = 4.0 / SubSteps();
    m_nDirection = m_nPrevDirection = def.m_cDirection;
    m_bChangePosSaved = m_bChangePosPending = m_bCeiling = 0;
    m_nGroundKind = m_nGroundSteps = 0;
    m_dGroundValue = 0.0;
    m_nItemBlockWait = m_nGroundSpare2 = m_nGroundSpare3 = 0;
    m_nJumpFrames = m_bJumpDone = m_bNoJumpGround = 0;
    m_nFlowSteps = m_nStepSpare = 0;
    m_bJumpReady = 1;
    BuildMarkers();
    m_listTouchedItems.clear();
    AddCharaFlows(*this, m_Def.m_vFlow, FlowAddMode::Replace, -1);
}

void cPlayer::ChangeGraphic(int moveKind, int applyScale, int savePos, int restorePos) {
    const int previousKind = m_Def.m_cFlying;
    const bool wasFlying = m_bFly != 0;
    m_Def.m_cFlying = static_cast<std::int8_t>(moveKind);
    SetMoveKind(moveKind);
    if (savePos) {
        m_bChangePosSaved = 1;
        m_dChangeX = m_dX;
        m_dChangeY = m_dY;
        m_dChangeRight = m_dRight;
        m_dChangeBottom = m_dBottom;
    }
    if (previousKind != moveKind) {
        m_nGraphicChange = kGraphicChangeFrames;
        if (restorePos) m_bChangePosPending = 1;
    }
    const bool flying = m_bFly != 0;
    if (wasFlying && !flying) m_dSpeedX = m_dSpeedY = m_dAccelX = m_dAccelY = 0.0;
    // Old projects let a hero that just took off start a jump at once.
    if (flying && !SwitchOn(Switch::FlyJump)) {
        m_bAirLock = 1;
        m_nAirSteps = 8 * SubSteps();
    }
    int gx = 0, gy = 0, w = 0, h = 0;
    HeroHitSize(gx, gy, w, h);
    m_nWidth = m_nBaseWidth = w;
    m_nHeight = m_nBaseHeight = h;
    m_rcGraphic = m_rcGraphicBase = {gx, gy, kBlockPixels, kBlockPixels};
    ChooseBodyBox(m_Def.m_cHitKind, BodySizeOf(flying), ShotBoxSize(), SecondBodySize());
    PlaceBox(m_rcShotBox, 0, ShotBoxSize().w, ShotBoxSize().h);
    PlaceBox(m_rcItemBox, 0, ItemBoxSize().w, ItemBoxSize().h);
    if (applyScale) {
        const int s = Scale();
        m_nWidth = m_nBaseWidth * s;
        m_nHeight = m_nBaseHeight * s;
        m_rcGraphic = {gx * s, gy * s, kBlockPixels * s, kBlockPixels * s};
        for (CharaBox* box : {&m_rcBodyBox, &m_rcShotBox, &m_rcItemBox}) ScaleBox(*box, s);
    }
    BuildMarkers();
}

void cPlayer::BuildMarkers() {
    m_vecMarker.clear();
    const cStageData& s = LoadedStage;
    const auto add = [&](int anchor, int w, int h) {
        // The colour index comes from the stage file: one outside the
        // table takes its nearest entry.
        const int colour = std::clamp(s.m_nHeroBoxKind[anchor], 0, 7);
        m_vecMarker.push_back({anchor, s.m_nHeroBoxOrder[anchor], kMarkerColours[colour], 0, 0, w, h, 0});
    };
    add(MarkerAnchor::HitBox, m_nWidth, m_nHeight);
    add(MarkerAnchor::ItemBox, m_rcItemBox.rc.w, m_rcItemBox.rc.h);
    add(MarkerAnchor::BodyBox, m_rcBodyBox.rc.w, m_rcBodyBox.rc.h);
    add(MarkerAnchor::ShotBox, m_rcShotBox.rc.w, m_rcShotBox.rc.h);
    // The largest box is drawn first, so the smaller ones stay visible.
    std::stable_sort(m_vecMarker.begin(), m_vecMarker.end(), [](const MarkerRect& a, const MarkerRect& b) {
        return static_cast<long long>(a.w) * a.h > static_cast<long long>(b.w) * b.h;
    });
}

void cPlayer::OnScaleChanged(int scale) {
    for (CharaBox* box : {&m_rcBodyBox, &m_rcShotBox, &m_rcItemBox}) ScaleBox(*box, scale);
    AfterMoveX();
    AfterMoveY();
}

void cPlayer::UpdateHitRectX() {
    UpdateBoxEdgesX();
    SetBoxEdgesX(m_rcItemBox, m_dX);
}

void cPlayer::UpdateHitRectY() {
    UpdateBoxEdgesY();
    SetBoxEdgesY(m_rcItemBox, m_dY);
}

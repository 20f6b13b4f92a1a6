#include "stage/core/effect_inst.h"

#include <algorithm>
#include <vector>

#include "draw/blit.h"
#include "draw/device/device.h"
#include "foundation/strings.h"
#include "gamedata/database/database.h"
#include "gamedata/database/effect_tables.h"
#include "shell/app_state.h"
#include "stage/objects/chara.h"
#include "stage/objects/engine_hooks.h"
#include "stage/objects/stage_state.h"

namespace {

// The entry of an effect number; null while the effect table is empty, so
// that a project without effects never plays one.
const cEffect* EffectEntry(int number) {
    if (Database.Effect.empty()) return nullptr;
    return &Database.Effect[number];
}

CharaBox BoxOf(const double edges[4]) {
    CharaBox box;
    box.dLeft = edges[0];
    box.dTop = edges[1];
    box.dRight = edges[2];
    box.dBottom = edges[3];
    return box;
}

// The picture of the effect's surface pair, or null when the stage has not
// loaded it (entry 0 has none).
DDSURFACEDATA* EffectPicture(cVector<DDSURFACEDATA>& pictures, int number, int secondary) {
    const long long index = 2LL * number - 2 + secondary;
    if (number < 1 || index >= pictures.Count()) return nullptr;
    return &pictures[static_cast<int>(index)];
}

}  // namespace

cEffectInst::cEffectInst(int number, double x, double y, int width, int height, int runWhileFrozen)
    : m_sNumber(static_cast<std::int16_t>(number)),
      m_dX(x),
      m_dY(y),
      m_nWidth(width),
      m_nHeight(height),
      m_bRunWhileFrozen(runWhileFrozen) {
    const cEffect* entry = EffectEntry(number);
    m_bStretched = entry && width != entry->m_nCellWidth ? 1 : 0;
    SetUpAnim();
}

cEffectInst cEffectInst::FromHit(int number, const CharaBox& a, const CharaBox& b, int scale) {
    cEffectInst e;
    e.m_sNumber = static_cast<std::int16_t>(number);
    const cEffect* entry = EffectEntry(number);
    const int cellWidth = entry ? entry->m_nCellWidth : 0;
    const int cellHeight = entry ? entry->m_nCellHeight : 0;
    const bool grows = entry && entry->m_nFollowScale;
    const int jitter = grows ? scale : 1;
    if (grows && scale > 1) {
        e.m_bStretched = 1;
        e.m_nWidth = scale * cellWidth;
        e.m_nHeight = scale * cellHeight;
    } else {
        e.m_nWidth = cellWidth;
        e.m_nHeight = cellHeight;
    }
    double left = 0.0, top = 0.0, right = 0.0, bottom = 0.0;
    if (a.dLeft <= b.dRight && b.dLeft <= a.dRight && a.dTop <= b.dBottom && b.dTop <= a.dBottom) {
        left = std::max(a.dLeft, b.dLeft);
        top = std::max(a.dTop, b.dTop);
        right = std::min(a.dRight, b.dRight);
        bottom = std::min(a.dBottom, b.dBottom);
    }
    e.m_dX = left + (static_cast<int>(right - left + 1) >> 1) - (e.m_nWidth >> 1);
    e.m_dY = top + (static_cast<int>(bottom - top + 1) >> 1) - (e.m_nHeight >> 1);
    e.m_dX += RandomRange(-4 * jitter, 4 * jitter);
    e.m_dY += RandomRange(-4 * jitter, 4 * jitter);
    e.m_bRunWhileFrozen = 0;
    e.SetUpAnim();
    return e;
}

void cEffectInst::SetUpAnim() {
    std::vector<ANIMRECORD> records;
    if (!EffectSequences.empty()) {
        for (const SequenceEntry& s : EffectSequences[m_sNumber]) records.push_back({s.frame, s.duration, s.lock != 0});
    }
    // The sequencer needs a closing code: a missing sequence ends at once.
    if (records.empty() || records.back().nFrame >= 0) records.push_back({ANIM_END, 0, false});
    const ANIMRECORD* table[] = {records.data(), nullptr};
    m_Anim.Build(table);
    m_Anim.SetAnim(0, 1);
}

int cEffectInst::Update(DDSURFACEDATA* dst, int frozen, cVector<DDSURFACEDATA>& pictures) {
    const cEffect* entry = EffectEntry(m_sNumber);
    if (!entry || entry->m_vFrames.empty()) return 1;
    int frame = 0;
    if (m_bRunWhileFrozen || !frozen) {
        frame = m_Anim.Advance();
        if (frame == ANIM_END) return 1;
    } else {
        frame = m_Anim.GetFrame();
    }
    if (frame < 0) return 0;
    const cStageState& stage = StageState();
    const int x = static_cast<int>(m_dX - stage.m_ScrollX.m_dPos);
    const int y = static_cast<int>(m_dY - stage.m_ScrollY.m_dPos);
    if (!m_bStretched) {
        DDSURFACEDATA* picture = EffectPicture(pictures, m_sNumber, 0);
        if (picture) DDBlt(dst, x, y, m_nWidth, m_nHeight, picture, frame * m_nWidth, 0, 1);
        return 0;
    }
    // A stretch in the DirectDraw path reads the system-memory copy unless
    // video-memory stretching is allowed.
    const int secondary = !DDSetting.bD3D && SystemIni.DD_VideoStretch ? 0 : 1;
    DDSURFACEDATA* picture = EffectPicture(pictures, m_sNumber, secondary);
    if (picture) {
        DDBltStretch(dst, x, y, m_nWidth, m_nHeight, picture, frame * entry->m_nCellWidth, 0, entry->m_nCellWidth,
                     entry->m_nCellHeight, 1);
    }
    return 0;
}

void AddHitEffect(const HitEffectRequest& request) {
    StageState().m_lstEffect.push_back(
        cEffectInst::FromHit(request.nEffect, BoxOf(request.victim), BoxOf(request.attacker), request.nScale));
}

void UpdateEffects(DDSURFACEDATA* dst, cStageState& state, int frozen, cVector<DDSURFACEDATA>& pictures) {
    for (auto it = state.m_lstEffect.begin(); it != state.m_lstEffect.end();) {
        if (it->Update(dst, frozen, pictures)) it = state.m_lstEffect.erase(it);
        else ++it;
    }
}

#include "stage/flow/conditions.h"

#include <algorithm>
#include <cmath>

#include "foundation/data_record.h"
#include "foundation/strings.h"
#include "gamedata/flows/cond.h"
#include "gamedata/global_data.h"
#include "gamedata/project/compat_switches.h"
#include "gamedata/project/system_data.h"
#include "gamedata/stage_file/stage_data.h"
#include "shell/loop/game.h"
#include "stage/core/flow_inst.h"
#include "stage/flow/sight_range.h"
#include "stage/flow/status_condition.h"
#include "stage/objects/chara.h"
#include "stage/objects/player.h"
#include "stage/objects/stage_state.h"

namespace {

constexpr int kSystemOwner = 5;

bool VariableCondition(const cVector<int>& vars, const cCond& cond) {
    if (cond.m_sIndex < 0 || cond.m_sIndex >= vars.Count()) return false;
    return CompareByOp(vars[cond.m_sIndex], cond.m_nValue, cond.m_cOp);
}

// The character an owner byte names: 0 the asking character, 1 to 4 its
// target slots (null when empty); other owners name nobody.
cChara* OwnerOf(cChara& chara, int owner) {
    if (owner == 0) return &chara;
    if (owner >= 1 && owner <= kTargetSlots) return chara.m_vecTarget[owner - 1];
    return nullptr;
}

constexpr int kPlayTypeReplay = 4;
constexpr int kLastVersionWithStaleRects = 781;

// Replays of old versions measured to the subject's rectangle of the last
// drawing; their playback keeps that.
bool RefreshesSubjectRect() {
    if (SwitchOn(Switch::DistanceRect)) return false;
    return !(Game.PlayType == kPlayTypeReplay && FileVersion <= kLastVersionWithStaleRects);
}

}  // namespace

// State switches of a character's definition copy, or the stage's
// auto-scroll switches.
bool cChara::TestCondition(const cCond& cond) {
    const int c = cond.m_sIndex;
    const int kind = cond.m_cLeftKind;
    if (cond.m_cOwner == kSystemOwner) {
        if (kind == 0) return CompareByOp(LoadedStage.m_nScrollKindX != 0 ? 1 : 0, c, cond.m_cOp);
        if (kind == 1) return CompareByOp(LoadedStage.m_nScrollKindY != 0 ? 1 : 0, c, cond.m_cOp);
        return false;
    }
    const cChara* subject = OwnerOf(*this, cond.m_cOwner);
    if (!subject) return false;
    const cCharaDef& def = subject->m_Def;
    int v = 0;
    switch (kind) {
        case 1: v = static_cast<std::uint8_t>(def.m_bTransparent); break;
        case 2: v = def.m_bFixedDirection; break;
        case 3: v = def.m_cFlying; break;
        case 4: v = def.m_cInvincible; break;
        case 5: v = def.m_cScale; break;
        case 6: v = static_cast<std::uint8_t>(def.m_bScrollSync); break;
        default: return false;
    }
    return CompareByOp(v, c, cond.m_cOp);
}

// Facing, standing, being on screen and existing.
bool cChara::TestTargetCondition(const cCond& cond) {
    enum : int { FacingLeft = 0, FacingRight, Standing, OnScreen, Exists };
    const bool negate = cond.m_cOp == 1;
    const int owner = cond.m_cOwner;
    const bool slot = owner >= 1 && owner <= kTargetSlots;
    if (cond.m_cStatus == Exists) {
        const bool exists = !slot || (m_vecTarget[owner - 1] && !m_vecTarget[owner - 1]->m_bDead);
        return exists != negate;
    }
    const cChara* subject = slot ? m_vecTarget[owner - 1] : this;
    if (!subject) return false;
    bool result = false;
    switch (cond.m_cStatus) {
        case FacingLeft: result = subject->m_nDirection == 0; break;
        case FacingRight: result = subject->m_nDirection == 1; break;
        case Standing:
            if (subject->m_Def.m_cFlying != 0) {
                result = false;
            } else if (subject->m_bRiding) {
                result = true;
            } else {
                result = !subject->m_bJumping && !subject->m_bAirLock;
            }
            break;
        case OnScreen: result = subject->m_nCharaKind == 0 ? subject->IsOnScreen() : subject->m_bOnScreen != 0; break;
        default: result = false; break;
    }
    return result != negate;
}

// Whether the hero (owner 0) or a target lies within the distance, in a
// window before, behind, beside, above or below this character, or in a
// circle around it.
bool cChara::TestTargetDistance(const cCond& cond) {
    enum : int { Side = 0, Front, Back, Vertical, FrontY, BackY, Circle };
    cChara* subject = nullptr;
    if (cond.m_cOwner == 0) {
        subject = PlayerList.empty() ? nullptr : &PlayerList[0];
    } else if (cond.m_cOwner >= 1 && cond.m_cOwner <= kTargetSlots) {
        subject = m_vecTarget[cond.m_cOwner - 1];
    }
    if (!subject) return false;
    const long long reach = static_cast<long long>(cond.m_nValue) * 16 + cond.m_sRightIndex;
    const int d = static_cast<int>(std::clamp<long long>(reach, -(1LL << 30), 1LL << 30));
    UpdateScreenRect();
    if (RefreshesSubjectRect()) subject->UpdateScreenRect();

    const bool facingLeft = m_nDirection == 0;
    bool result = false;
    switch (cond.m_cDirection) {
        case Side:
        case Front:
        case Back: {
            const bool front = cond.m_cDirection == Front;
            const bool towardSmaller = cond.m_cDirection == Side || (front == facingLeft);
            const bool towardLarger = cond.m_cDirection == Side || (front != facingLeft);
            result = RangeOverlap(m_rcScreen.left, m_rcGraphic.w, subject->m_rcScreen.left, subject->m_rcScreen.right,
                                  subject->m_rcGraphic.x, towardSmaller ? d : 0, towardLarger ? d : 0,
                                  cond.m_cDirection == Side, false, *subject);
            break;
        }
        case Vertical:
        case FrontY:
        case BackY: {
            const bool front = cond.m_cDirection == FrontY;
            const bool up = cond.m_cDirection == Vertical || (front == facingLeft);
            const bool down = cond.m_cDirection == Vertical || (front != facingLeft);
            result = RangeOverlap(m_rcScreen.top, m_rcGraphic.h, subject->m_rcScreen.top, subject->m_rcScreen.bottom,
                                  subject->m_rcGraphic.y, up ? d : 0, down ? d : 0, cond.m_cDirection == Vertical, true,
                                  *subject);
            break;
        }
        case Circle: {
            const double dx = (m_dX + (m_nWidth >> 1)) - (subject->m_dX + (subject->m_nWidth >> 1));
            const double dy = (m_dY + (m_nHeight >> 1)) - (subject->m_dY + (subject->m_nHeight >> 1));
            result = std::sqrt(dx * dx + dy * dy) <= d;
            break;
        }
        default: return false;
    }
    if (cond.m_cOp == 0) return result;
    if (cond.m_cOp == 1) return !result;
    return false;
}

bool CheckCondition(const cCond& cond, cChara& chara) {
    switch (cond.m_cKind) {
        case CondKind::CommonVar: return VariableCondition(StoryData.m_vVar, cond);
        case CondKind::StageVar: return VariableCondition(StageState().m_vecStageVar, cond);
        case CondKind::CharaVar: return VariableCondition(chara.m_vecVar, cond);
        case CondKind::Status: return CheckStatusCondition(cond, chara);
        case CondKind::Status2: return chara.TestCondition(cond);
        case CondKind::Status3: return chara.TestTargetCondition(cond);
        case CondKind::Distance: return chara.TestTargetDistance(cond);
        default: return false;
    }
}

bool CheckCondList(const cVector<cCond>& conds, int mode, cChara& chara) {
    const auto holds = [&chara](const cCond& cond) { return CheckCondition(cond, chara); };
    if (mode == CondListMode::All) return std::all_of(conds.begin(), conds.end(), holds);
    if (mode == CondListMode::Any) return std::any_of(conds.begin(), conds.end(), holds);
    return false;
}

bool CheckFlowConditions(cFlowInst& flow, cChara& chara) {
    if (!flow.m_lpFlow || flow.m_lpFlow->m_vCond.empty()) return true;
    if (flow.m_lpFlow->m_bCondLatch && flow.m_bCondLatched) return true;
    if (!CheckCondList(flow.m_lpFlow->m_vCond, flow.m_lpFlow->m_cCondMode, chara)) return false;
    flow.m_bCondLatched = 1;
    return true;
}

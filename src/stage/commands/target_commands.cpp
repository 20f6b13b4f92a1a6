#include <cmath>
#include <cstdint>

#include "gamedata/flows/flow_cmd.h"
#include "gamedata/global_data.h"
#include "gamedata/project/compat_switches.h"
#include "stage/commands/int_param.h"
#include "stage/commands/move_velocity.h"
#include "stage/commands/stage_commands.h"
#include "stage/movement/target_search.h"
#include "stage/objects/chara.h"
#include "stage/objects/player.h"
#include "stage/objects/stage_state.h"

namespace {

namespace TargetKind {
enum : int { Hero = 0, Self, Nearest, ById, Parent, LastChild, ChildByFilter, Slot1 = 7, Slot4 = 10 };
}

CharaFilter FilterOf(const cFlowCmd& command, const cChara& c) {
    CharaFilter f;
    f.excludeSelf = Param(command, 5) != 0;
    f.selfId = c.m_nId;
    f.excludeInvulnerable = Param(command, 6) != 0;
    f.excludeShotProof = Param(command, 7) != 0;
    f.excludeBlock = Param(command, 8) != 0;
    f.useId = Param(command, 9) != 0;
    f.id = static_cast<std::int8_t>(Param(command, 10));
    f.varTest = Param(command, 11) != 0;
    f.varIndex = static_cast<std::int16_t>(Param(command, 12));
    f.value = Param(command, 13);
    f.op = Param(command, 14);
    return f;
}

const cList<cChara*>* ForceList(int force) {
    const auto& forces = StageState().m_vecForce;
    return force >= 0 && force < forces.Count() ? &forces[force] : nullptr;
}

cChara* Nearest(const cChara& c, const cFlowCmd& command, const CharaFilter& filter) {
    const int x = static_cast<int>(ScreenCentreX(c)), y = static_cast<int>(ScreenCentreY(c));
    const int range = Param(command, 4);
    if (!Param(command, 3)) {
        const cList<cChara*>* list = ForceList(Param(command, 2));
        return list ? FindNearestCharaEx(x, y, *list, range, filter) : nullptr;
    }
    // The nearest of each force, then the nearest of those.
    cList<cChara*> candidates;
    for (const cList<cChara*>& list : StageState().m_vecForce) {
        if (list.empty()) continue;
        if (cChara* found = FindNearestCharaEx(x, y, list, range, filter)) candidates.push_back(found);
    }
    return FindNearestCharaEx(x, y, candidates, range, filter);
}

cChara* ById(const cFlowCmd& command, const CharaFilter& filter) {
    if (!Param(command, 3)) {
        const cList<cChara*>* list = ForceList(Param(command, 2));
        return list ? FindChara(*list, filter) : nullptr;
    }
    for (const cList<cChara*>& list : StageState().m_vecForce) {
        if (cChara* found = FindChara(list, filter)) return found;
    }
    return nullptr;
}

cChara* FindTargetObject(cChara& c, const cFlowCmd& command) {
    const int kind = Param(command, 1);
    const CharaFilter filter = FilterOf(command, c);
    switch (kind) {
        case TargetKind::Hero: return PlayerList.empty() ? nullptr : &PlayerList[0];
        case TargetKind::Self: return &c;
        case TargetKind::Nearest: return Nearest(c, command, filter);
        case TargetKind::ById: return ById(command, filter);
        case TargetKind::Parent: return c.m_lpParent;
        case TargetKind::LastChild:
            for (auto it = c.m_vecLink.rbegin(); it != c.m_vecLink.rend(); ++it) {
                if (it->nKind == LinkKind::Child) return it->lpChara;
            }
            return nullptr;
        case TargetKind::ChildByFilter:
            return FindLinkedChara(c.m_vecLink, LinkKind::Child, Param(command, 2), Param(command, 3) != 0, filter);
        default:
            if (kind >= TargetKind::Slot1 && kind <= TargetKind::Slot4) return c.m_vecTarget[kind - TargetKind::Slot1];
            return nullptr;
    }
}

// Taking a character out of play: a stage character is removed by the
// stage, the hero loses its life; another character than the running one
// asks the stage for a life check.
void VanishChara(cChara& target, const cChara& runner) {
    if (target.m_nCharaKind == 0) {
        target.m_nLife = 0;
    } else {
        target.m_bVanish = 1;
    }
    if (&target != &runner) StageState().m_bLifeCheck = 1;
}

void VanishShot(cStageState& stage, cShot& shot) {
    // The contact pass walks the shot list: there the shot only marks
    // itself hit and the pass removes it.
    if (stage.m_bInShotPass) {
        stage.MarkShotHit(shot);
        return;
    }
    stage.RemoveShot(shot);
}

void VanishShots(cChara& c) {
    cStageState& stage = StageState();
    auto& links = c.m_vecShotLink;
    for (auto it = links.begin(); it != links.end();) {
        cShot* shot = it->lpShot;
        if (it->nKind != LinkKind::Child || !shot || !shot->m_bExists || stage.m_bInShotPass) {
            if (it->nKind == LinkKind::Child && shot && shot->m_bExists) stage.MarkShotHit(*shot);
            ++it;
            continue;
        }
        // The pair goes first; the walk goes on with the entry that moved
        // into its place.
        it = links.erase(it);
        stage.RemoveShot(*shot);
    }
}

constexpr int kMaxVanishDepth = 1000;

void VanishChildren(cChara& c, int depth, bool shots, const cChara& runner) {
    if (depth > kMaxVanishDepth) return;
    const cVector<CharaLink> children = c.m_vecLink;
    for (const CharaLink& link : children) {
        if (link.nKind != LinkKind::Child || !link.lpChara || !link.lpChara->m_bExists) continue;
        cChara& d = *link.lpChara;
        if (shots) VanishShots(d);
        VanishChildren(d, depth + 1, shots, runner);
        VanishChara(d, runner);
    }
}

namespace VanishWhat {
enum : int { Charas = 0, Shots, Children, OwnShots, ChildrenAndAllShots, ChildrenAndTheirShots };
}

namespace Status2 {
enum : int { Vanish = 0, Transparent, FixedFacing, MoveKind, Invincible, Scale, ScrollFollow };
}
constexpr int kSystemOwner = 5;

void SystemStatus2(int kind, int value) {
    cStageState& stage = StageState();
    if (kind == 0) {
        LoadedStage.m_nScrollKindX = value;
        stage.m_ScrollX.SetAutoScroll(value, LoadedStage.m_nScrollSpeedX);
    } else if (kind == 1) {
        LoadedStage.m_nScrollKindY = value;
        stage.m_ScrollY.SetAutoScroll(value, LoadedStage.m_nScrollSpeedY);
    }
}

}  // namespace

int CmdSetTarget(cChara& c, cCmdInst& cmd) {
    if (!cmd.m_lpCmd) return 0;
    const cFlowCmd& command = *cmd.m_lpCmd;
    const int slot = Param(command, 0);
    if (slot < 0 || slot >= kTargetSlots) return 0;
    const int whenNone = Param(command, 15);
    if (whenNone != 0 && whenNone != 1) return 0;
    SetTarget(c, slot, FindTargetObject(c, command), whenNone == 0 ? 1 : 0);
    return 0;
}

int CmdStatusOperation2(cChara& c, cCmdInst& cmd) {
    if (!cmd.m_lpCmd) return 0;
    const cFlowCmd& command = *cmd.m_lpCmd;
    const int owner = Param(command, 0), kind = Param(command, 1), value = Param(command, 2);
    if (owner == kSystemOwner) {
        SystemStatus2(kind, value);
        return 0;
    }
    cChara* target = owner == 0 ? &c : (owner >= 1 && owner <= kTargetSlots ? c.m_vecTarget[owner - 1] : nullptr);
    if (!target) return 0;
    cChara& t = *target;
    const auto byte = static_cast<std::int8_t>(value);
    switch (kind) {
        case Status2::Vanish: VanishChara(t, c); break;
        case Status2::Transparent: t.m_Def.m_bTransparent = byte; break;
        case Status2::FixedFacing: t.m_Def.m_bFixedDirection = byte; break;
        case Status2::Invincible: t.m_Def.m_cInvincible = byte; break;
        case Status2::MoveKind:
            if (t.m_nCharaKind == 0)
                static_cast<cPlayer&>(t).ChangeGraphic(value, 1, Param(command, 3), Param(command, 4));
            break;
        case Status2::Scale: {
            const int old = t.Scale();
            if (SwitchOn(Switch::ScaleAnchorSetting) == 0 && value != old) t.m_nGraphicChange = 2;
            t.SetScale(value, old, 0);
            t.m_Def.m_cScale = byte;
            if (t.m_nCharaKind == 0) static_cast<cPlayer&>(t).BuildMarkers();
            break;
        }
        case Status2::ScrollFollow:
            t.m_Def.m_bScrollSync = byte;
            t.m_bScrollFollow = value;
            break;
        default: break;
    }
    return 0;
}

int CmdVanish(cChara& c, cCmdInst& cmd) {
    if (!cmd.m_lpCmd) return 0;
    const cFlowCmd& command = *cmd.m_lpCmd;
    const int what = Param(command, 0), force = Param(command, 1);
    const bool everywhere = Param(command, 2) == 1;
    cStageState& stage = StageState();
    switch (what) {
        case VanishWhat::Charas:
            if (const cList<cChara*>* list = ForceList(force)) {
                const cList<cChara*> members = *list;
                for (cChara* d : members) {
                    if (d->m_bExists && (everywhere || d->m_bOnScreen)) VanishChara(*d, c);
                }
            }
            break;
        case VanishWhat::Shots:
            if (force >= 0 && force < stage.m_vecForceShot.Count()) {
                const cList<cShot*> members = stage.m_vecForceShot[force];
                for (cShot* s : members) {
                    if (s->m_bExists && (everywhere || s->m_bOnScreen)) VanishShot(stage, *s);
                }
            }
            break;
        case VanishWhat::Children: VanishChildren(c, 0, false, c); break;
        case VanishWhat::OwnShots: VanishShots(c); break;
        case VanishWhat::ChildrenAndAllShots:
            VanishShots(c);
            VanishChildren(c, 0, true, c);
            break;
        case VanishWhat::ChildrenAndTheirShots: VanishChildren(c, 0, true, c); break;
        default: break;
    }
    return 0;
}

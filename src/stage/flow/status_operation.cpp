#include "stage/flow/status_operation.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <optional>

#include "gamedata/flows/flow_cmd.h"
#include "gamedata/global_data.h"
#include "gamedata/stage_file/stage_data.h"
#include "stage/core/flow_inst.h"
#include "stage/core/status_position.h"
#include "stage/core/status_values.h"
#include "stage/flow/status_operator.h"
#include "stage/flow/status_source.h"
#include "stage/objects/chara.h"
#include "stage/objects/stage_state.h"

namespace {

constexpr int kSystemOwner = 5;
constexpr int kUnlimitedLives = 999999;
constexpr int kValueLimit = 999999;
constexpr int kPositionLimit = 16384;

// The command's parameters by their meaning.
namespace P {
enum : int {
    TargetClass = 0,
    TargetScope,
    TargetIndex,
    TargetOwner,
    TargetKind,
    Operator,
    Source,
    Constant,
    RandomA,
    RandomB,
    SourceScope,
    SourceIndex,
    SourceOwner,
    SourceKind,
    PercentOfCurrent,
    LifeMode,
    ShowChange,
    SkipInvincible,
    TargetCoord,
    SourceCoord,
    TargetPoint,
    SourcePoint,
    Count
};
}
using Params = std::array<int, P::Count>;

namespace LifeMode {
enum : int { Normal = 0, PercentOfMax = 1, PercentOfCurrent = 2 };
}

Params ParamsOf(const cFlowCmd& cmd) {
    Params p{};
    int i = 0;
    for (const std::int32_t v : cmd.m_vParam) {
        if (i == P::Count) break;
        p[static_cast<std::size_t>(i++)] = v;
    }
    return p;
}

// One operation: the operand, the operator and the percent-of-current flag.
struct Operation {
    int x = 0;
    int op = 0;
    bool percent = false;
};

int Apply(int& v, const Operation& o, int min, int max) {
    return ApplyOperator(v, o.percent ? StatusPercentOf(v, o.x) : o.x, o.op, min, max);
}
int Apply(std::int16_t& v, const Operation& o, int min, int max) {
    return ApplyOperator16(v, o.percent ? StatusPercentOf(v, o.x) : o.x, o.op, min, max);
}
int Apply(std::int8_t& v, const Operation& o, int min, int max) {
    return ApplyOperator8(v, o.percent ? StatusPercentOf(v, o.x) : o.x, o.op, min, max);
}

void OperateSystem(int kind, const Operation& o) {
    switch (kind) {
        case 0: Apply(StageState().m_nTime, o, 0, 999); break;
        case 1:
            Apply(LoadedStage.m_nScrollSpeedX, o, -480, 480);
            StageState().m_ScrollX.SetAutoScroll(LoadedStage.m_nScrollKindX, LoadedStage.m_nScrollSpeedX);
            break;
        case 2:
            Apply(LoadedStage.m_nScrollSpeedY, o, -480, 480);
            StageState().m_ScrollY.SetAutoScroll(LoadedStage.m_nScrollKindY, LoadedStage.m_nScrollSpeedY);
            break;
        case 3: Apply(StoryData.m_nStageScore, o, 0, kValueLimit); break;
        case 4:
            if (StoryData.m_nLives != kUnlimitedLives) Apply(StoryData.m_nLives, o, 0, 99);
            break;
        default: break;
    }
}

// Another character whose life ran out is checked by the stage right away.
void RequestLifeCheck(const cChara& target, const cChara& runner) {
    if (&target != &runner && target.m_nLife < 1) StageState().m_bLifeCheck = 1;
}

// Life and SP: the percent modes take the maximum or the current value as
// base; an unknown mode changes nothing (the change of 0 still applies).
bool LifeOperand(int mode, int max, int current, Operation& o) {
    o.percent = false;
    switch (mode) {
        case LifeMode::Normal: return true;
        case LifeMode::PercentOfMax: o.x = StatusPercentOf(max, o.x); return true;
        case LifeMode::PercentOfCurrent: o.x = StatusPercentOf(current, o.x); return true;
        default: return false;
    }
}

template <auto Member, int Min, int Max>
void OnDef(cChara& t, const cChara&, const Params&, Operation o) {
    Apply(t.m_Def.*Member, o, Min, Max);
}

void OnVariable(cChara& t, const cChara&, const Params& p, Operation o) {
    const int index = p[P::TargetIndex];
    if (index >= 0 && index < t.m_vecVar.Count()) Apply(t.m_vecVar[index], o, -kValueLimit, kValueLimit);
}

void OnLife(cChara& t, const cChara& runner, const Params& p, Operation o) {
    int n = t.m_nLife;
    if (LifeOperand(p[P::LifeMode], t.m_Def.m_nMaxHp, t.m_nLife, o)) Apply(n, o, 0, kValueLimit);
    t.ChangeLife(n - t.m_nLife, 1, p[P::ShowChange]);
    RequestLifeCheck(t, runner);
}

void OnSP(cChara& t, const cChara&, const Params& p, Operation o) {
    int n = t.m_nSP;
    if (LifeOperand(p[P::LifeMode], t.m_Def.m_nMaxSp, t.m_nSP, o)) Apply(n, o, 0, kValueLimit);
    t.ChangeSP(n - t.m_nSP, p[P::ShowChange]);
}

void OnMaxLife(cChara& t, const cChara& runner, const Params&, Operation o) {
    Apply(t.m_Def.m_nMaxHp, o, 0, kValueLimit);
    if (t.m_Def.m_nMaxHp < t.m_nLife) t.m_nLife = t.m_Def.m_nMaxHp;
    RequestLifeCheck(t, runner);
}

void OnMaxSP(cChara& t, const cChara&, const Params&, Operation o) {
    Apply(t.m_Def.m_nMaxSp, o, 0, kValueLimit);
    if (t.m_Def.m_nMaxSp < t.m_nSP) t.m_nSP = t.m_Def.m_nMaxSp;
}

// Positions start from the screen centre and are written back through the
// warp in the command's coordinate kind.
void OnX(cChara& t, const cChara&, const Params& p, Operation o) {
    int v = t.m_rcScreen.left + t.m_rcGraphic.w / 2;
    Apply(v, o, -kPositionLimit, kPositionLimit);
    SetStatusX(v, t, p[P::TargetCoord]);
}

void OnY(cChara& t, const cChara&, const Params& p, Operation o) {
    int v = t.m_rcScreen.top + t.m_rcGraphic.h / 2;
    Apply(v, o, -kPositionLimit, kPositionLimit);
    SetStatusY(v, t, p[P::TargetCoord], p[P::TargetPoint]);
}

// Sight is the hero's: the darkness follows the new sight when it is drawn.
void OnSight(cChara& t, const cChara&, const Params&, Operation o) {
    if (t.m_nCharaKind != 0) return;
    Apply(t.m_Def.m_cSight, o, 0, 40);
    t.m_nSightPx = cChara::HblToPixels(t.m_Def.m_cSight);
}

void OnStopEase(cChara& t, const cChara&, const Params&, Operation o) {
    Apply(t.m_Def.m_sStopEase, o, 0, 200);
    t.m_dAccelDecay = cChara::StopToDecay(t.m_Def.m_sStopEase);
}

using CharaOperation = void (*)(cChara& target, const cChara& runner, const Params& p, Operation o);

// By character status kind.
const std::array<CharaOperation, StatusKind::Count> kCharaOperations{
    OnVariable,
    OnLife,
    OnSP,
    OnMaxLife,
    OnMaxSP,
    OnDef<&cCharaDef::m_cCharaId, 0, 99>,
    OnX,
    OnY,
    OnDef<&cCharaDef::m_cZ, 0, 7>,
    OnDef<&cCharaDef::m_sIconNo, 0, 119>,
    OnSight,
    OnDef<&cCharaDef::m_nPower, -kValueLimit, kValueLimit>,
    OnDef<&cCharaDef::m_cImpact, -20, 20>,
    OnDef<&cCharaDef::m_nDefence, 0, kValueLimit>,
    OnDef<&cCharaDef::m_cImpactResist, 0, 20>,
    OnStopEase,
    OnDef<&cCharaDef::m_nScore, -kValueLimit, kValueLimit>,
};

StatusSource SourceOf(const Params& p) {
    StatusSource s;
    s.nKind = p[P::Source];
    s.nConstant = p[P::Constant];
    s.nRandomA = std::min(p[P::RandomA], p[P::RandomB]);
    s.nRandomB = std::max(p[P::RandomA], p[P::RandomB]);
    // Owners past the system's are the running character itself.
    s.nOwner = p[P::SourceOwner] > kSystemOwner ? 0 : p[P::SourceOwner];
    s.nStatus = p[P::SourceKind];
    s.nScope = p[P::SourceScope];
    s.nIndex = p[P::SourceIndex];
    s.nCoord = p[P::SourceCoord];
    s.nPoint = p[P::SourcePoint];
    return s;
}

}  // namespace

int ExecStatusOperation(cChara& chara, const cFlowCmd& cmd) {
    const Params p = ParamsOf(cmd);
    const std::optional<int> operand = ReadStatusSource(SourceOf(p), chara);
    if (!operand) return 0;
    const Operation o{*operand, p[P::Operator], p[P::PercentOfCurrent] != 0};
    if (p[P::TargetClass] == 1) {
        if (int* v = ScopeVariable(p[P::TargetScope], p[P::TargetIndex])) Apply(*v, o, -kValueLimit, kValueLimit);
        return 0;
    }
    if (p[P::TargetClass] != 0) return 0;
    const int owner = p[P::TargetOwner];
    if (owner == kSystemOwner) {
        OperateSystem(p[P::TargetKind], o);
        return 0;
    }
    if (owner < 0 || owner > kTargetSlots) return 0;
    cChara* target = owner == 0 ? &chara : chara.m_vecTarget[owner - 1];
    if (!target) return 0;
    if (p[P::SkipInvincible] && target->m_Def.m_cInvincible != 0) return 0;
    const int kind = p[P::TargetKind];
    if (kind < 0 || kind >= StatusKind::Count) return 0;
    kCharaOperations[static_cast<std::size_t>(kind)](*target, chara, p, o);
    return 0;
}

int CmdStatusOperation(cChara& chara, cCmdInst& inst) {
    return inst.m_lpCmd ? ExecStatusOperation(chara, *inst.m_lpCmd) : 0;
}

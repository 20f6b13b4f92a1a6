#include "stage/flow/status_condition.h"

#include <algorithm>
#include <optional>

#include "foundation/strings.h"
#include "gamedata/flows/cond.h"
#include "gamedata/project/global_data.h"
#include "gamedata/project/system_data.h"
#include "gamedata/stage_file/stage_data.h"
#include "stage/flow/status_operator.h"
#include "stage/flow/status_position.h"
#include "stage/flow/status_values.h"
#include "stage/objects/chara.h"
#include "stage/objects/stage_state.h"

namespace {

constexpr int kSystemOwner = 5;
constexpr int kUnlimitedLives = 999999;

namespace Source {
enum : int { Constant = 0, Random, Status, Variable };
}

// The character of an owner selector: 0 (and anything above the system
// owner) the asking character, 1 to 4 a target slot (null when empty).
cChara* OwnerChara(cChara& chara, int owner) {
    if (owner >= 1 && owner <= 4) return chara.m_vecTarget[owner - 1];
    return &chara;
}

std::optional<int> Variable(int scope, int index) {
    cVector<int>* vars = scope == 0 ? &StoryData.m_vVar : scope == 1 ? &StageState().m_vecStageVar : nullptr;
    if (!vars || index < 0 || index >= vars->Count()) return std::nullopt;
    return (*vars)[index];
}

// Lives as conditions see them: unlimited ones count as 100, or as nothing
// (no value) for projects that kept the old reading.
std::optional<int> ConditionLives() {
    if (StoryData.m_nLives != kUnlimitedLives) return StoryData.m_nLives;
    if (SystemData.m_bCompatUnlimitedLives) return std::nullopt;
    return 100;
}

std::optional<int> SystemValue(int kind, bool asSource) {
    switch (kind) {
        case 0: return asSource && StageState().m_bNoTimeLimit ? 0 : StageState().m_nTime;
        case 1: return LoadedStage.m_nScrollSpeedX;
        case 2: return LoadedStage.m_nScrollSpeedY;
        case 3: return StoryData.m_nScore;
        case 4:
            // As a source, unlimited lives under the old reading are 0.
            if (asSource) return ConditionLives().value_or(0);
            return ConditionLives();
        default: return asSource ? std::optional<int>(0) : std::nullopt;
    }
}

// A character's status value of `kind`, or none when it cannot be read.
std::optional<int> CharaStatus(cChara& c, int kind, int index, int coord, int point, cChara& runner) {
    int v = 0;
    switch (kind) {
        case StatusKind::Var:
            if (index < 0 || index >= c.m_vecVar.Count()) return std::nullopt;
            return c.m_vecVar[index];
        case StatusKind::X: return GetStatusX(&c, coord, &runner, v) ? std::optional<int>(v) : std::nullopt;
        case StatusKind::Y: return GetStatusY(&c, coord, point, &runner, v) ? std::optional<int>(v) : std::nullopt;
        default: return ReadCharaValue(c, CharaVarOfStatus(kind));
    }
}

std::optional<int> ComparisonValue(const cCond& cond, cChara& chara) {
    switch (cond.m_cRightKind) {
        case Source::Constant: return cond.m_nValue;
        case Source::Random: return RandomRange(cond.m_nRandMin, cond.m_nRandMax);
        case Source::Status: {
            if (cond.m_cRightOwner == kSystemOwner) return SystemValue(cond.m_cRightStatus, true);
            cChara* source = OwnerChara(chara, cond.m_cRightOwner);
            const int kind = cond.m_cRightStatus;
            if (!source) return std::nullopt;
            if (kind < 0 || kind >= StatusKind::Count) return 0;
            if (kind == StatusKind::Sight && source->m_nCharaKind != 0) return std::nullopt;
            if (kind == StatusKind::StopEase) source->m_dAccelDecay = cChara::StopToDecay(source->m_Def.m_sStopEase);
            return CharaStatus(*source, kind, cond.m_sRightIndex, cond.m_cRightCoord, cond.m_cRightPoint, chara);
        }
        case Source::Variable: return Variable(cond.m_cRightScope, cond.m_sRightIndex);
        default: return 0;
    }
}

}  // namespace

bool CheckStatusCondition(const cCond& cond, cChara& chara) {
    const std::optional<int> c = ComparisonValue(cond, chara);
    if (!c) return false;
    const int threshold = cond.m_bPercent ? 0 : *c;
    if (cond.m_cLeftKind == 1) {
        const std::optional<int> t = Variable(cond.m_cLeftScope, cond.m_sIndex);
        return t && CompareByOp(*t, threshold, cond.m_cOp);
    }
    if (cond.m_cLeftKind != 0) return false;
    if (cond.m_cOwner == kSystemOwner) {
        const std::optional<int> t = SystemValue(cond.m_cStatus, false);
        return t && CompareByOp(*t, threshold, cond.m_cOp);
    }
    if (cond.m_cOwner < 0 || cond.m_cOwner > 4) return false;
    cChara* target = OwnerChara(chara, cond.m_cOwner);
    if (!target) return false;
    const int kind = cond.m_cStatus;
    if (kind < 0 || kind >= StatusKind::Count) return true;
    const std::optional<int> t = CharaStatus(*target, kind, cond.m_sIndex, cond.m_cLeftCoord, cond.m_cLeftPoint, chara);
    if (!t) return false;
    int limit = 0;
    if (cond.m_bPercent && kind == StatusKind::Life)
        limit = std::clamp(StatusPercentOf(target->m_Def.m_nMaxHp, *c), 0, 999999);
    if (cond.m_bPercent && kind == StatusKind::SP)
        limit = std::clamp(StatusPercentOf(target->m_Def.m_nMaxSp, *c), 0, 999999);
    return CompareByOp(*t, cond.m_bPercent ? limit : *c, cond.m_cOp);
}

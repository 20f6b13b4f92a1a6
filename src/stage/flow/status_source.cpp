#include "stage/flow/status_source.h"

#include "foundation/strings.h"
#include "gamedata/global_data.h"
#include "gamedata/project/compat_switches.h"
#include "gamedata/project/system_data.h"
#include "gamedata/stage_file/stage_data.h"
#include "stage/core/status_position.h"
#include "stage/core/status_values.h"
#include "stage/objects/chara.h"
#include "stage/objects/stage_state.h"

namespace {

constexpr int kSystemOwner = 5;
constexpr int kUnlimitedLives = 999999;

// Lives as conditions see them: unlimited ones count as 100, or as nothing
// for projects that kept the old reading.
std::optional<int> ConditionLives() {
    if (StoryData.m_nLives != kUnlimitedLives) return StoryData.m_nLives;
    if (SwitchOn(Switch::UnlimitedLives)) return std::nullopt;
    return 100;
}

}  // namespace

std::optional<int> SystemStatusValue(int kind, bool asSource) {
    switch (kind) {
        case 0: return asSource && StageState().m_bNoTimeLimit ? 0 : StageState().m_nTime;
        case 1: return LoadedStage.m_nScrollSpeedX;
        case 2: return LoadedStage.m_nScrollSpeedY;
        case 3: return StoryData.m_nStageScore;
        case 4:
            if (asSource) return ConditionLives().value_or(0);
            return ConditionLives();
        default: return asSource ? std::optional<int>(0) : std::nullopt;
    }
}

int* ScopeVariable(int scope, int index) {
    cVector<int>* vars = scope == 0 ? &StoryData.m_vVar : scope == 1 ? &StageState().m_vecStageVar : nullptr;
    if (!vars || index < 0 || index >= vars->Count()) return nullptr;
    return &(*vars)[index];
}

std::optional<int> CharaStatusValue(cChara& c, int kind, int index, int coord, int point, cChara& runner) {
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

std::optional<int> ReadStatusSource(const StatusSource& s, cChara& asking) {
    switch (s.nKind) {
        case StatusSourceKind::Constant: return s.nConstant;
        case StatusSourceKind::Random: return RandomRange(s.nRandomA, s.nRandomB);
        case StatusSourceKind::Status: {
            if (s.nOwner == kSystemOwner) return SystemStatusValue(s.nStatus, true);
            cChara* source = s.nOwner >= 1 && s.nOwner <= kTargetSlots ? asking.m_vecTarget[s.nOwner - 1] : &asking;
            if (!source) return std::nullopt;
            if (s.nStatus < 0 || s.nStatus >= StatusKind::Count) return 0;
            // Sight is the hero's alone.
            if (s.nStatus == StatusKind::Sight && source->m_nCharaKind != 0) return std::nullopt;
            if (s.nStatus == StatusKind::StopEase)
                source->m_dAccelDecay = cChara::StopToDecay(source->m_Def.m_sStopEase);
            return CharaStatusValue(*source, s.nStatus, s.nIndex, s.nCoord, s.nPoint, asking);
        }
        case StatusSourceKind::Variable: {
            const int* v = ScopeVariable(s.nScope, s.nIndex);
            return v ? std::optional<int>(*v) : std::nullopt;
        }
        default: return 0;
    }
}

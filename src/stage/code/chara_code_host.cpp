#include "stage/code/chara_code_host.h"

#include <algorithm>

#include "gamedata/global_data.h"
#include "gamedata/project/compat_switches.h"
#include "gamedata/project/system_data.h"
#include "gamedata/stage_file/stage_data.h"
#include "stage/core/status_position.h"
#include "stage/core/status_values.h"
#include "stage/objects/chara.h"
#include "stage/objects/player.h"
#include "stage/objects/stage_state.h"

namespace {

bool IsPosition(int var) { return var >= CharaVar::XRel && var <= CharaVar::YScr; }
bool IsX(int var) { return var <= CharaVar::XScr; }
int CoordKindOf(int var) { return (var - CharaVar::XRel) % 3; }

cVector<int>& ScopeVars(int scope) {
    return scope == CodeScope::Common ? StoryData.m_vVar : StageState().m_vecStageVar;
}

}  // namespace

cChara* cCharaCodeHost::Object(int object) {
    switch (object) {
        case CodeObject::My: return &m_Running;
        case CodeObject::Tg:
        case CodeObject::Tg1: return m_Running.m_vecTarget[0];
        case CodeObject::Tg2: return m_Running.m_vecTarget[1];
        case CodeObject::Tg3: return m_Running.m_vecTarget[2];
        case CodeObject::Tg4: return m_Running.m_vecTarget[3];
        case CodeObject::Pl: return PlayerList.empty() ? nullptr : &PlayerList[0];
        default: return nullptr;
    }
}

bool cCharaCodeHost::HasObject(int object) { return object == CodeObject::Sys || Object(object) != nullptr; }

bool cCharaCodeHost::ReadCharaVar(int object, int var, int& value) {
    cChara* c = Object(object);
    if (!c) return false;
    if (IsPosition(var)) {
        return IsX(var) ? GetStatusX(c, CoordKindOf(var), &m_Running, value)
                        : GetStatusY(c, CoordKindOf(var), YRefPoint::Centre, &m_Running, value);
    }
    value = ReadCharaValue(*c, var);
    return true;
}

void cCharaCodeHost::WriteCharaVar(int object, int var, int value) {
    cChara* c = Object(object);
    if (!c) return;
    if (IsPosition(var)) {
        if (m_Hooks.place) m_Hooks.place(*c, var, value);
        return;
    }
    WriteCharaValue(*c, var, value);
    switch (var) {
        case CharaVar::Hp:
            if (c != &m_Running && c->m_nLife < 1) StageState().m_bLifeCheck = 1;
            break;
        case CharaVar::MaxHp: c->m_nLife = std::clamp(c->m_nLife, 0, value); break;
        case CharaVar::MaxSp: c->m_nSP = std::clamp(c->m_nSP, 0, value); break;
        case CharaVar::Sight:
            if (c->m_nCharaKind != 0) break;
            c->m_nSightPx = cChara::HblToPixels(c->m_Def.m_cSight);
            if (m_Hooks.sightChanged) m_Hooks.sightChanged();
            break;
        default: break;
    }
}

bool cCharaCodeHost::ReadScopeVar(int scope, int index, int& value) {
    cVector<int>& vars = ScopeVars(scope);
    if (index < 0 || index >= vars.Count()) return false;
    value = vars[index];
    return true;
}

void cCharaCodeHost::WriteScopeVar(int scope, int index, int value) {
    cVector<int>& vars = ScopeVars(scope);
    if (index >= 0 && index < vars.Count()) vars[index] = value;
}

int cCharaCodeHost::ReadSystemVar(int var) {
    switch (var) {
        case SystemVar::Time: return StageState().m_nTime;
        case SystemVar::ScrollX: return LoadedStage.m_nScrollSpeedX;
        case SystemVar::ScrollY: return LoadedStage.m_nScrollSpeedY;
        case SystemVar::Score: return StoryData.m_nStageScore;
        default: return StoryData.m_nLives;
    }
}

void cCharaCodeHost::WriteSystemVar(int var, int value) {
    switch (var) {
        case SystemVar::Time: StageState().m_nTime = value; break;
        case SystemVar::ScrollX:
            LoadedStage.m_nScrollSpeedX = value;
            StageState().m_ScrollX.SetAutoScroll(LoadedStage.m_nScrollKindX, value);
            break;
        case SystemVar::ScrollY:
            LoadedStage.m_nScrollSpeedY = value;
            StageState().m_ScrollY.SetAutoScroll(LoadedStage.m_nScrollKindY, value);
            break;
        case SystemVar::Score: StoryData.m_nStageScore = value; break;
        default: StoryData.m_nLives = value; break;
    }
}

void cCharaCodeHost::StartLifeGauge(int delta) {
    if (m_Hooks.lifeGauge) m_Hooks.lifeGauge(m_Running, delta);
}
void cCharaCodeHost::StartSPGauge(int delta) {
    if (m_Hooks.spGauge) m_Hooks.spGauge(m_Running, delta);
}
void cCharaCodeHost::ShowCodeError(const std::string& message) {
    if (m_Hooks.error) m_Hooks.error(message);
}
bool cCharaCodeHost::CompatCodeEval() { return SwitchOn(Switch::CodeEval) != 0; }
bool cCharaCodeHost::CompatUnlimitedLives() { return SwitchOn(Switch::UnlimitedLives) != 0; }

#include "stage/flow/status_condition.h"

#include <algorithm>
#include <cstdint>
#include <optional>

#include "foundation/strings.h"
#include "gamedata/flows/cond.h"
#include "gamedata/global_data.h"
#include "gamedata/project/system_data.h"
#include "gamedata/stage_file/stage_data.h"
#include "stage/core/status_values.h"
#include "stage/flow/status_operator.h"
#include "stage/flow/status_source.h"
#include "stage/objects/chara.h"
#include "stage/objects/stage_state.h"

namespace {

constexpr int kSystemOwner = 5;

// The character of an owner selector: 0 the asking character, 1 to 4 a
// target slot (null when empty).
cChara* OwnerChara(cChara& chara, int owner) {
    if (owner >= 1 && owner <= 4) return chara.m_vecTarget[owner - 1];
    return &chara;
}

std::optional<int> Variable(int scope, int index) {
    const int* v = ScopeVariable(scope, index);
    return v ? std::optional<int>(*v) : std::nullopt;
}

StatusSource SourceOf(const cCond& cond) {
    StatusSource s;
    s.nKind = cond.m_cRightKind;
    s.nConstant = cond.m_nValue;
    s.nRandomA = cond.m_nRandMin;
    s.nRandomB = cond.m_nRandMax;
    s.nOwner = cond.m_cRightOwner;
    s.nStatus = cond.m_cRightStatus;
    s.nScope = cond.m_cRightScope;
    s.nIndex = cond.m_sRightIndex;
    s.nCoord = cond.m_cRightCoord;
    s.nPoint = cond.m_cRightPoint;
    return s;
}

// Kinds stored narrower than an int. Both sides are compared as the field
// would hold them, so a constant outside the field's range wraps into it.
struct NarrowKind {
    int kind;
    int bits;
};
constexpr NarrowKind kNarrowKinds[] = {
    {StatusKind::CharaId, 8},      {StatusKind::Z, 8},     {StatusKind::Sight, 8},     {StatusKind::Impact, 8},
    {StatusKind::ImpactResist, 8}, {StatusKind::Mark, 16}, {StatusKind::StopEase, 16},
};

int InFieldWidth(int kind, int value) {
    for (const NarrowKind& k : kNarrowKinds) {
        if (k.kind != kind) continue;
        return k.bits == 8 ? static_cast<std::int8_t>(value) : static_cast<std::int16_t>(value);
    }
    return value;
}

}  // namespace

bool CheckStatusCondition(const cCond& cond, cChara& chara) {
    const std::optional<int> c = ReadStatusSource(SourceOf(cond), chara);
    if (!c) return false;
    const int threshold = cond.m_bPercent ? 0 : *c;
    if (cond.m_cLeftKind == 1) {
        const std::optional<int> t = Variable(cond.m_cLeftScope, cond.m_sIndex);
        return t && CompareByOp(*t, threshold, cond.m_cOp);
    }
    if (cond.m_cLeftKind != 0) return false;
    if (cond.m_cOwner == kSystemOwner) {
        const std::optional<int> t = SystemStatusValue(cond.m_cStatus, false);
        return t && CompareByOp(*t, threshold, cond.m_cOp);
    }
    if (cond.m_cOwner < 0 || cond.m_cOwner > 4) return false;
    cChara* target = OwnerChara(chara, cond.m_cOwner);
    if (!target) return false;
    const int kind = cond.m_cStatus;
    if (kind < 0 || kind >= StatusKind::Count) return true;
    const std::optional<int> t =
        CharaStatusValue(*target, kind, cond.m_sIndex, cond.m_cLeftCoord, cond.m_cLeftPoint, chara);
    if (!t) return false;
    int limit = 0;
    if (cond.m_bPercent && kind == StatusKind::Life)
        limit = std::clamp(StatusPercentOf(target->m_Def.m_nMaxHp, *c), 0, 999999);
    if (cond.m_bPercent && kind == StatusKind::SP)
        limit = std::clamp(StatusPercentOf(target->m_Def.m_nMaxSp, *c), 0, 999999);
    return CompareByOp(InFieldWidth(kind, *t), InFieldWidth(kind, cond.m_bPercent ? limit : *c), cond.m_cOp);
}

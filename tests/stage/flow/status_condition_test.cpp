#include "stage/flow/status_condition.h"

#include <gtest/gtest.h>

#include "gamedata/flows/cond.h"
#include "gamedata/global_data.h"
#include "gamedata/project/system_data.h"
#include "stage/core/status_values.h"
#include "support/stage/stage_harness.h"

namespace {

enum Op : int { Eq = 0, Ne, Ge, Le, Gt, Lt, Divisible, NotDivisible };

// Target: class, scope, owner, kind, index. Source: kind, constant,
// owner, status kind, scope, index. Then operator and percent flag.
struct CondCase {
    const char* what;
    int leftKind, leftScope, owner, status, index;
    int rightKind, value, rightOwner, rightStatus, rightScope, rightIndex;
    int op, percent;
    bool want;
};

cCond Make(const CondCase& c) {
    cCond cond;
    cond.m_cKind = CondKind::Status;
    cond.m_cLeftKind = static_cast<std::int8_t>(c.leftKind);
    cond.m_cLeftScope = static_cast<std::int8_t>(c.leftScope);
    cond.m_cOwner = static_cast<std::int8_t>(c.owner);
    cond.m_cStatus = static_cast<std::int8_t>(c.status);
    cond.m_sIndex = static_cast<std::int16_t>(c.index);
    cond.m_cRightKind = static_cast<std::int8_t>(c.rightKind);
    cond.m_nValue = c.value;
    cond.m_cRightOwner = static_cast<std::int8_t>(c.rightOwner);
    cond.m_cRightStatus = static_cast<std::int8_t>(c.rightStatus);
    cond.m_cRightScope = static_cast<std::int8_t>(c.rightScope);
    cond.m_sRightIndex = static_cast<std::int16_t>(c.rightIndex);
    cond.m_cOp = static_cast<std::int8_t>(c.op);
    cond.m_bPercent = static_cast<std::int8_t>(c.percent);
    return cond;
}

TEST(StatusCondition, Table) {
    cCharaDef def;
    def.m_nMaxHp = 200;
    def.m_nDefence = 5;
    def.m_cCharaId = 44;
    def.m_cSight = 3;
    StageOptions options;
    options.charas['a'] = def;
    StageHarness stage({"..........", "..H....a..", "##########"}, options);
    cStageChara& a = stage.Chara('a');
    SetTarget(a, 0, &stage.Hero(), 0);
    a.m_nLife = 100;
    a.UpdateScreenRect();
    StoryData.m_vVar[5] = 12;
    stage.State().m_vecStageVar[3] = 7;
    stage.State().m_nTime = 30;
    StoryData.m_nLives = kInfiniteLives;
    SystemData.m_bCompatUnlimitedLives = 0;

    const CondCase cases[] = {
        {"life >= 50 % of 200", 0, 0, 0, StatusKind::Life, 0, 0, 50, 0, 0, 0, 0, Ge, 1, true},
        {"life >= 51 % of 200", 0, 0, 0, StatusKind::Life, 0, 0, 51, 0, 0, 0, 0, Ge, 1, false},
        {"percent on defence compares with 0", 0, 0, 0, StatusKind::Defence, 0, 0, 50, 0, 0, 0, 0, Gt, 1, true},
        {"id", 0, 0, 0, StatusKind::CharaId, 0, 0, 44, 0, 0, 0, 0, Eq, 0, true},
        {"common divisible", 1, 0, 0, 0, 5, 0, 4, 0, 0, 0, 0, Divisible, 0, true},
        {"divisible by 0", 1, 0, 0, 0, 5, 0, 0, 0, 0, 0, 0, Divisible, 0, true},
        {"not divisible by 0", 1, 0, 0, 0, 5, 0, 0, 0, 0, 0, 0, NotDivisible, 0, false},
        {"stage var < common var", 1, 1, 0, 0, 3, 3, 0, 0, 0, 0, 5, Lt, 0, true},
        {"unknown scope", 1, 2, 0, 0, 3, 0, 7, 0, 0, 0, 0, Eq, 0, false},
        {"variable out of range", 1, 0, 0, 0, 5000, 0, 0, 0, 0, 0, 0, Eq, 0, false},
        {"time", 0, 0, 5, 0, 0, 0, 20, 0, 0, 0, 0, Gt, 0, true},
        {"unlimited lives count as 100", 0, 0, 5, 4, 0, 0, 100, 0, 0, 0, 0, Eq, 0, true},
        {"unknown system kind", 0, 0, 5, 9, 0, 0, 0, 0, 0, 0, 0, Eq, 0, false},
        {"source in an empty slot", 0, 0, 0, StatusKind::Life, 0, 2, 0, 2, StatusKind::Life, 0, 0, Ge, 0, false},
        {"hero's life from slot 1", 0, 0, 0, StatusKind::Life, 0, 2, 0, 1, StatusKind::Life, 0, 0, Gt, 0, true},
        {"a stage character's sight as source", 0, 0, 1, StatusKind::Sight, 0, 2, 0, 0, StatusKind::Sight, 0, 0, Ge, 0,
         false},
        {"a stage character's sight as target", 0, 0, 0, StatusKind::Sight, 0, 0, 3, 0, 0, 0, 0, Eq, 0, true},
        {"own relative x is 0", 0, 0, 0, StatusKind::X, 0, 0, 0, 0, 0, 0, 0, Eq, 0, true},
        {"empty target slot", 0, 0, 3, StatusKind::Life, 0, 0, 0, 0, 0, 0, 0, Ge, 0, false},
        {"unknown kind passes", 0, 0, 0, 40, 0, 0, 0, 0, 0, 0, 0, Eq, 0, true},
        {"unknown target class", 2, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, Eq, 0, false},
    };
    for (const CondCase& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(CheckStatusCondition(Make(c), a), c.want);
    }

    // The old reading of unlimited lives fails the condition.
    SystemData.m_bCompatUnlimitedLives = 1;
    EXPECT_FALSE(CheckStatusCondition(Make({"", 0, 0, 5, 4, 0, 0, 0, 0, 0, 0, 0, Ge, 0, true}), a));
    SystemData.m_bCompatUnlimitedLives = 0;
    StoryData.m_nLives = 3;
}

// A constant outside the range of a field stored in 8 or 16 bits compares as
// the field would hold it; int fields take the constant whole.
TEST(StatusCondition, NarrowFieldsCompareInTheirOwnWidth) {
    cCharaDef def;
    def.m_cCharaId = 44;
    def.m_cZ = 5;
    def.m_cSight = 3;
    def.m_cImpact = -2;
    def.m_cImpactResist = 7;
    def.m_sIconNo = 7;
    def.m_sStopEase = 10;
    def.m_nDefence = 5;
    StageOptions options;
    options.charas['a'] = def;
    StageHarness stage({"..........", "..H....a..", "##########"}, options);
    cStageChara& a = stage.Chara('a');
    struct Case {
        int kind, constant, op;
        bool want;
    };
    const Case cases[] = {
        {StatusKind::CharaId, 300, Eq, true},       // 300 is 44 in a byte
        {StatusKind::CharaId, 44 - 256, Eq, true},  //
        {StatusKind::Z, 250, Gt, true},             // 250 is -6 in a byte
        {StatusKind::Z, 5 + 512, Eq, true},         //
        {StatusKind::Sight, 259, Eq, true},         //
        {StatusKind::Impact, 254, Eq, true},        // -2
        {StatusKind::ImpactResist, 7 + 256, Ge, true},
        {StatusKind::ImpactResist, 200, Lt, false},    // -56
        {StatusKind::Mark, 7 + 65536, Eq, true},       //
        {StatusKind::Mark, 7 + 256, Eq, false},        // 16 bits keep 263
        {StatusKind::StopEase, 40000, Gt, true},       // 40000 is -25536 in 16 bits
        {StatusKind::StopEase, 10 - 65536, Eq, true},  //
        {StatusKind::Defence, 5 + 256, Eq, false},     // an int field takes it whole
        {StatusKind::Defence, 5 + 65536, Lt, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "kind " << c.kind << " constant " << c.constant);
        EXPECT_EQ(CheckStatusCondition(Make({"", 0, 0, 0, c.kind, 0, 0, c.constant, 0, 0, 0, 0, c.op, 0, true}), a),
                  c.want);
    }
}

}  // namespace

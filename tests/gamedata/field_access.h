#pragma once
// Reads a record's member by its name, so tables of cases can name the
// members they set and expect.
#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <string>

#include "gamedata/cond.h"
#include "gamedata/ed_move.h"
#include "gamedata/ed_shot.h"
#include "gamedata/flow.h"
#include "gamedata/flow_cmd.h"
#include "record_fixtures.h"

template <class T>
using FieldMap = std::map<std::string, std::function<double(const T&)>>;

#define FIELD(T, m)                                             \
    {                                                           \
#m, [](const T& r) { return static_cast<double>(r.m); } \
    }

inline const FieldMap<cCond>& CondFields() {
    static const FieldMap<cCond> m = {
        FIELD(cCond, m_cKind),       FIELD(cCond, m_cLeftKind),   FIELD(cCond, m_cLeftScope),
        FIELD(cCond, m_cOwner),      FIELD(cCond, m_cStatus),     FIELD(cCond, m_sIndex),
        FIELD(cCond, m_cRightKind),  FIELD(cCond, m_nValue),      FIELD(cCond, m_nRandMin),
        FIELD(cCond, m_nRandMax),    FIELD(cCond, m_cRightOwner), FIELD(cCond, m_cRightStatus),
        FIELD(cCond, m_cRightScope), FIELD(cCond, m_sRightIndex), FIELD(cCond, m_cOp),
        FIELD(cCond, m_bPercent),    FIELD(cCond, m_cLeftCoord),  FIELD(cCond, m_cRightCoord),
        FIELD(cCond, m_cLeftPoint),  FIELD(cCond, m_cRightPoint), FIELD(cCond, m_cDirection),
    };
    return m;
}

inline const FieldMap<cEdMove>& MoveFields() {
    static const FieldMap<cEdMove> m = {
        FIELD(cEdMove, m_cMode),         FIELD(cEdMove, m_cDirection),   FIELD(cEdMove, m_sAngle),
        FIELD(cEdMove, m_sAngleStep),    FIELD(cEdMove, m_bMirrorAngle), FIELD(cEdMove, m_bUseX),
        FIELD(cEdMove, m_bUseY),         FIELD(cEdMove, m_sTargetX),     FIELD(cEdMove, m_sTargetY),
        FIELD(cEdMove, m_sTargetDotX),   FIELD(cEdMove, m_sTargetDotY),  FIELD(cEdMove, m_cCoord),
        FIELD(cEdMove, m_cUnit),         FIELD(cEdMove, m_cPoint),       FIELD(cEdMove, m_bArriveTime),
        FIELD(cEdMove, m_bLockX),        FIELD(cEdMove, m_bLockY),       FIELD(cEdMove, m_bMirrorX),
        FIELD(cEdMove, m_bMirrorY),      FIELD(cEdMove, m_bTurnReverse), FIELD(cEdMove, m_bStopOnArrive),
        FIELD(cEdMove, m_bKeepFacing),   FIELD(cEdMove, m_cTimeMode),    FIELD(cEdMove, m_sSpeed),
        FIELD(cEdMove, m_sSpeedStep),    FIELD(cEdMove, m_sDistance),    FIELD(cEdMove, m_sDistanceStep),
        FIELD(cEdMove, m_cDistanceUnit), FIELD(cEdMove, m_sHoming),      FIELD(cEdMove, m_sHomingStep),
        FIELD(cEdMove, m_bInertia),      FIELD(cEdMove, m_sMaxSpeed),    FIELD(cEdMove, m_dTurnFactor),
        FIELD(cEdMove, m_cAnime),        FIELD(cEdMove, m_cTarget),
    };
    return m;
}

inline const FieldMap<cEdShot>& ShotFields() {
    static const FieldMap<cEdShot> m = {
        FIELD(cEdShot, m_cCount),
        FIELD(cEdShot, m_cFormation),
        {"m_sFormParam", [](const cEdShot& r) { return double(r.m_sFormParam[2]); }},
        FIELD(cEdShot, m_cOrigin),
        FIELD(cEdShot, m_cAnimeSel),
        FIELD(cEdShot, m_bAim),
        FIELD(cEdShot, m_cFormTarget),
        FIELD(cEdShot, m_sAngle),
        FIELD(cEdShot, m_sAngleStep),
        FIELD(cEdShot, m_bMirrorAngle),
        FIELD(cEdShot, m_sSpread),
        FIELD(cEdShot, m_cShotOption1),
        FIELD(cEdShot, m_cCopies),
        FIELD(cEdShot, m_sOffsetX),
        FIELD(cEdShot, m_sOffsetStepX),
        FIELD(cEdShot, m_sOffsetY),
        FIELD(cEdShot, m_sOffsetStepY),
        FIELD(cEdShot, m_bMirrorOffsetX),
        FIELD(cEdShot, m_bMirrorOffsetY),
        FIELD(cEdShot, m_sGraphic),
        FIELD(cEdShot, m_cZ),
        FIELD(cEdShot, m_bHidden),
        FIELD(cEdShot, m_bShooterSide),
        FIELD(cEdShot, m_cSide),
        FIELD(cEdShot, m_cShotOption3),
        FIELD(cEdShot, m_cScale),
        FIELD(cEdShot, m_cShotOption4),
        FIELD(cEdShot, m_cMoveKind),
        {"m_sMoveParam", [](const cEdShot& r) { return double(r.m_sMoveParam[2]); }},
        FIELD(cEdShot, m_cMoveTarget),
        FIELD(cEdShot, m_bDirectAim),
        FIELD(cEdShot, m_sSpeed),
        FIELD(cEdShot, m_sSpeedStep),
        FIELD(cEdShot, m_bAccel),
        FIELD(cEdShot, m_sAccel),
        FIELD(cEdShot, m_sAccelStep),
        FIELD(cEdShot, m_sRange),
        FIELD(cEdShot, m_bUseRange),
        FIELD(cEdShot, m_sRangeStep),
        FIELD(cEdShot, m_bStopAtRange),
        FIELD(cEdShot, m_bUseLife),
        FIELD(cEdShot, m_sLife),
        FIELD(cEdShot, m_sLifeStep),
        FIELD(cEdShot, m_bThroughBlocks),
        FIELD(cEdShot, m_cPierceChara),
        FIELD(cEdShot, m_cPierceBlockChara),
        FIELD(cEdShot, m_bShotClash),
        FIELD(cEdShot, m_cVanishValue),
        FIELD(cEdShot, m_nPower),
        FIELD(cEdShot, m_sShotValue),
        FIELD(cEdShot, m_cImpact),
        FIELD(cEdShot, m_sEffect),
        FIELD(cEdShot, m_cItemPalette),
        FIELD(cEdShot, m_sItem),
        FIELD(cEdShot, m_cBlockMode),
        FIELD(cEdShot, m_bRestoreBlock),
        FIELD(cEdShot, m_bRestoreBlock2),
        FIELD(cEdShot, m_cSummonPalette),
        FIELD(cEdShot, m_sSummon),
        FIELD(cEdShot, m_cSummonSide),
        FIELD(cEdShot, m_cSummonOption),
        FIELD(cEdShot, m_bReverseFacing),
        FIELD(cEdShot, m_bAttackFlows),
        FIELD(cEdShot, m_cAttackFlowId),
    };
    return m;
}

inline const FieldMap<cFlow>& FlowFields() {
    static const FieldMap<cFlow> m = {
        FIELD(cFlow, m_cId),
        FIELD(cFlow, m_cGroup),
        FIELD(cFlow, m_bTestOnly),
        FIELD(cFlow, m_cCondMode),
        FIELD(cFlow, m_bCondLatch),
        FIELD(cFlow, m_cTrigger),
        FIELD(cFlow, m_bPartnerTarget),
        FIELD(cFlow, m_cPartnerSlot),
        FIELD(cFlow, m_cKeyWindow),
        FIELD(cFlow, m_bKeyHold),
    };
    return m;
}

#undef FIELD

// Distinct non-zero values for every member of a layout, small enough for
// a byte, so a member read from the wrong place shows.
inline Values DistinctValues(const Layout& layout) {
    Values v;
    int next = 1;
    for (const auto& f : layout) v[f.name] = f.width == 8 ? next++ + 0.25 : next++;
    return v;
}

// Checks every named value of `expected` against the record.
template <class T>
::testing::AssertionResult FieldsAre(const T& r, const FieldMap<T>& fields, const Values& expected) {
    for (const auto& [name, want] : expected) {
        auto it = fields.find(name);
        if (it == fields.end()) return ::testing::AssertionFailure() << "no member " << name;
        double got = it->second(r);
        if (got != want) return ::testing::AssertionFailure() << name << " is " << got << ", expected " << want;
    }
    return ::testing::AssertionSuccess();
}

// A record of `layout` with distinct values in every member loads them all
// and saves the same bytes.
template <class T>
void ExpectRoundTrip(const Layout& layout, const FieldMap<T>& fields, Values values) {
    ByteBuilder in = RecordBytes(layout, 920, values);
    T r;
    FileVersion = 920;
    cDataFile f("mem", in.Data());
    ASSERT_TRUE(r.Load(f));
    EXPECT_EQ(f.Remaining(), 0u);
    EXPECT_TRUE(FieldsAre(r, fields, values));
    cDataFile out("mem", cDataFile::Mode::Write);
    r.Save(out);
    EXPECT_EQ(out.Bytes(), in.Data());
}

// A case of an upgrade table: a record stored by `version` with the given
// members (all others 0) loads with the expected ones.
struct UpgradeCase {
    const char* what;
    int version;
    Values stored;
    Values expected;
};

// Runs the cases on records that start zeroed, so the members that an old
// file lacks show what the steps set.
template <class T, std::size_t N>
void CheckUpgradeCases(const UpgradeCase (&cases)[N], const Layout& layout, const FieldMap<T>& fields) {
    for (const auto& tc : cases) {
        SCOPED_TRACE(tc.what);
        T r;
        r.Reset();
        FileVersion = tc.version;
        cDataFile f("mem", RecordBytes(layout, tc.version, tc.stored).Data());
        bool ok = r.Load(f);
        FileVersion = DataVersion;
        ASSERT_TRUE(ok);
        EXPECT_EQ(f.Remaining(), 0u);
        EXPECT_TRUE(FieldsAre(r, fields, tc.expected));
    }
}

#include "gamedata/project/compat_switches.h"

#include <array>
#include <cstddef>

#include "gamedata/project/system_data.h"

namespace {

struct SwitchRow {
    Switch which;
    const char* name;
    int cSystemData::*member;
};

#define SWITCH_ROW(name, member) \
    SwitchRow { Switch::name, #name, &cSystemData::member }

constexpr std::array<SwitchRow, static_cast<std::size_t>(Switch::Count)> kSwitches{{
    SWITCH_ROW(SpeedReset, m_bCompatSpeedReset),
    SWITCH_ROW(ScaleAnchorHitBox, ScaleAnchorHitBox),
    SWITCH_ROW(NoOnceFlag, m_bCompatNoOnceFlag),
    SWITCH_ROW(LightningNoGap, m_bCompatLightningNoGap),
    SWITCH_ROW(BlockPlace, m_bCompatBlockPlace),
    SWITCH_ROW(KeyRetry, m_bCompatKeyRetry),
    SWITCH_ROW(LandRising, m_bCompatLandRising),
    SWITCH_ROW(MoveTimeSign, m_bCompatMoveTimeSign),
    SWITCH_ROW(StartTriggers, m_bCompatStartTriggers),
    SWITCH_ROW(WarpInput, m_bCompatWarpInput),
    SWITCH_ROW(ChargeAngle, m_bCompatChargeAngle),
    SWITCH_ROW(RangeTest, m_bCompatRangeTest),
    SWITCH_ROW(OnceOnMatch, m_bCompatOnceOnMatch),
    SWITCH_ROW(JumpCmd, m_bCompatJumpCmd),
    SWITCH_ROW(CodeEval, m_bCompatCodeEval),
    SWITCH_ROW(HarmlessShot, m_bCompatHarmlessShot),
    SWITCH_ROW(BodyHitAtOnce, m_bCompatBodyHitAtOnce),
    SWITCH_ROW(SummonPrevPos, m_bCompatSummonPrevPos),
    SWITCH_ROW(StraightLock, m_bCompatStraightLock),
    SWITCH_ROW(CeilingImpact, m_bCompatCeilingImpact),
    SWITCH_ROW(DistanceRect, m_bCompatDistanceRect),
    SWITCH_ROW(StraightReverse, m_bCompatStraightReverse),
    SWITCH_ROW(StickToGround, m_bCompatStickToGround),
    SWITCH_ROW(GroundTurn, m_bCompatGroundTurn),
    SWITCH_ROW(HeadKeepsImpact, m_bCompatHeadKeepsImpact),
    SWITCH_ROW(BackoffByFlags, m_bCompatBackoffByFlags),
    SWITCH_ROW(FlyJump, m_bCompatFlyJump),
    SWITCH_ROW(UnlimitedLives, m_bCompatUnlimitedLives),
    SWITCH_ROW(Warp, m_bCompatWarp),
    SWITCH_ROW(StageReset, m_bCompatStageReset),
    SWITCH_ROW(ScaleAnchorSetting, ScaleAnchorSetting),
    SWITCH_ROW(PictureStart, m_bCompatPictureStart),
    SWITCH_ROW(BlockHitsFliers, m_bCompatBlockHitsFliers),
    SWITCH_ROW(LandingTest, m_bCompatLandingTest),
    SWITCH_ROW(NoCatchUp, m_bCompatNoCatchUp),
    SWITCH_ROW(RideJump, m_bCompatRideJump),
    SWITCH_ROW(JumpAirSteps, m_bCompatJumpAirSteps),
    SWITCH_ROW(JumpSpeed, m_bCompatJumpSpeed),
    SWITCH_ROW(RideFollowY, m_bCompatRideFollowY),
    SWITCH_ROW(OnceBeforeCond, m_bCompatOnceBeforeCond),
    SWITCH_ROW(KeyEdgeKeep, m_bCompatKeyEdgeKeep),
    SWITCH_ROW(WarpBottom, m_bCompatWarpBottom),
    SWITCH_ROW(StatusXY, m_bCompatStatusXY),
    SWITCH_ROW(CodeY, m_bCompatCodeY),
    SWITCH_ROW(ImpactPrevY, m_bCompatImpactPrevY),
    SWITCH_ROW(LayerStop, m_bCompatLayerStop),
    SWITCH_ROW(TouchPush, m_bCompatTouchPush),
    SWITCH_ROW(NoRectRefresh, m_bCompatNoRectRefresh),
}};

#undef SWITCH_ROW

constexpr bool RowsInEnumOrder() {
    for (std::size_t i = 0; i < kSwitches.size(); ++i) {
        if (static_cast<std::size_t>(kSwitches[i].which) != i) return false;
    }
    return true;
}
static_assert(RowsInEnumOrder(), "one row per switch, in the order of the names");

const SwitchRow& Row(Switch which) { return kSwitches[static_cast<std::size_t>(which)]; }

}  // namespace

bool SwitchOn(Switch which) { return SystemData.*Row(which).member != 0; }
void SetSwitch(Switch which, int value) { SystemData.*Row(which).member = value; }
const char* SwitchName(Switch which) { return Row(which).name; }

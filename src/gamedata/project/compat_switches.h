#pragma once
// The project's compatibility switches. Each one is set when the project's
// system data is older than the behaviour it names and keeps the older
// behaviour; 0 always means the current one. Stage play reads every switch
// through this one table by its name, and tests set them the same way.
enum class Switch : int {
    SpeedReset,
    ScaleAnchorHitBox,
    NoOnceFlag,
    LightningNoGap,
    BlockPlace,
    KeyRetry,
    LandRising,
    MoveTimeSign,
    StartTriggers,
    WarpInput,
    ChargeAngle,
    RangeTest,
    OnceOnMatch,
    JumpCmd,
    CodeEval,
    HarmlessShot,
    BodyHitAtOnce,
    SummonPrevPos,
    StraightLock,
    CeilingImpact,
    DistanceRect,
    StraightReverse,
    StickToGround,
    GroundTurn,
    HeadKeepsImpact,
    BackoffByFlags,
    FlyJump,
    UnlimitedLives,
    Warp,
    StageReset,
    ScaleAnchorSetting,
    PictureStart,
    BlockHitsFliers,
    LandingTest,
    NoCatchUp,
    RideJump,
    JumpAirSteps,
    JumpSpeed,
    RideFollowY,
    OnceBeforeCond,
    KeyEdgeKeep,
    WarpBottom,
    StatusXY,
    CodeY,
    ImpactPrevY,
    LayerStop,
    TouchPush,
    NoRectRefresh,
    Count
};

bool SwitchOn(Switch which);
void SetSwitch(Switch which, int value);
const char* SwitchName(Switch which);

// The boss: a program that uses the presentation commands, summons,
// flow operations, arrangements and loops.
#include "content_ids.h"
#include "flow_builder.h"
#include "palette_parts.h"
#include "project_content.h"

namespace {

constexpr int kSelf = 0, kSystem = 5;
constexpr int kWorldClear = 3, kRecordClear = 1;
constexpr int kShotSpeed = 19;  // arrangeable parameter of the shot command
constexpr int kAdd = 1, kSubtract = 2;
constexpr int kCharaVariable = 2;
constexpr int kStatusHp = 1, kStatusTime = 0, kLessOrEqual = 3;
constexpr int kStateInvincible = 4, kFacesRight = 1;
constexpr int kEnemySide = 1;

cFlowCmd Spread(int count, int speed) {
    cFlowCmd cmd = ShotCommand(ShotGraphic::Orb, speed, 3, count, 30);
    cmd.m_spShot->m_cFormation = 2;  // a fan
    cmd.m_spShot->m_sFormParam[0] = 60;
    cmd.m_spShot->m_bAim = 1;
    return cmd;
}

cFlowCmd Wave() {
    cFlowCmd cmd = ShotCommand(ShotGraphic::Orb, 25, 3, 1, 40);
    cmd.m_spShot->m_cMoveKind = 8;
    cmd.m_spShot->m_sMoveParam = {3, 6, 0};
    return cmd;
}

cFlowCmd Charge() {
    cFlowCmd cmd = Movement(FlowKind::ChargeMove, MoveDir::Front, 60, 10);
    cmd.m_spMove->m_cTarget = 0;
    return cmd;
}

// A message at the centre of the screen with its '#' escapes expanded,
// shown for a time, or until the advance key while the game waits.
cFlowCmd Message(const char* text, int tenths) {
    return Text(FlowKind::Message, text, {0, 0, 0, 0, 0, 1, 2, tenths, 0, 1});
}

cFlowCmd WaitingMessage(const char* text) { return Text(FlowKind::Message, text, {0, 0, 0, 0, 0, 1, 0, 0, 1, 1}); }

cFlowCmd StartFlow(int id) { return Command(FlowKind::FlowOperation, {0, 2, id, 0}); }
cFlowCmd StopFlow(int id) { return Command(FlowKind::FlowOperation, {1, 2, id, 0}); }

// The entrance: its portrait, a quake, a pause and a message that waits for
// the key, then the boss music.
FlowBuilder Entrance() {
    return FlowBuilder("登場", Trigger::BeforeStart)
        .Then(Command(FlowKind::ShowPicture, {PictureId::BossFace, 0, 0, 0, 0, 0, 0, 100, 2, 20, 1, 0, 0, 1}))
        .Then(Command(FlowKind::RunScreenEffect, {ScrEffectId::Quake, 0, 0}))
        .Then(Command(MoreKind::GameWait, {10}))
        .Then(WaitingMessage("ボスがあらわれた！\nこれまでにたおしたボス #C1_Z2. 体"))
        .Then(Command(FlowKind::PlayBgm, {BgmId::Boss, 1}));
}

// First form: three ever faster fans of shots, then a charge at the hero.
FlowBuilder Attack() {
    return FlowBuilder("攻撃", Trigger::Always)
        .Id(1)
        .When(VariableCond(CondKind::StageVar, StageVar::BossPhase, 0, 0))
        .Then(Command(FlowKind::SetTarget, {0, 0}))
        .Then(Command(FlowKind::ChangeDirection, {2}))
        // Three volleys, each faster than the one before: the
        // arrangement adds the boss's variable 3 to the next shot's speed.
        .Then(Command(FlowKind::Loop, {3, 4}))
        .Then(Code("my.v3 = my.v3 + 5"))
        .Then(Command(FlowKind::Arrange, {FlowKind::Shot, kShotSpeed, kAdd, kCharaVariable, 3}))
        .Then(WithSound(Spread(5, 30), SoundId::Shoot))
        .Then(Wait(6))
        .Then(Code("my.v3 = 0"))
        .Then(Charge())
        .Then(Command(MoreKind::CancelMove))
        .Then(Wait(10));
}

// At half life the first form stops and the second begins.
FlowBuilder Rage() {
    return FlowBuilder("怒り", Trigger::Always)
        .When(StatusCond(kSelf, kStatusHp, kLessOrEqual, 15))
        .When(VariableCond(CondKind::StageVar, StageVar::BossPhase, 0, 0))
        .Then(StopFlow(1))
        .Then(Code("S3 = 1"))
        .Then(WithSound(Command(FlowKind::PlaySound, {SoundId::Boss}), 0))
        .Then(Command(FlowKind::ChangeScreenColor, {255, 0, 0, 30, 0, 10, 0, 0}))
        .Then(Command(FlowKind::ChangeGraphic, {4, 1, 1}))
        .Then(Command(MoreKind::ChangeBackground, {2, 0}))
        .Then(Command(FlowKind::RunCharaEffect, {CharaEffectId::Flash, 2, 0}))
        .Then(StartFlow(3));
}

// Started by the rage only.
FlowBuilder Roar() {
    return FlowBuilder("咆哮", Trigger::ByCommand)
        .Id(3)
        .Then(Command(FlowKind::RunScreenEffect, {ScrEffectId::Quake, 0, 0}))
        .Then(Command(FlowKind::ShowPicture, {PictureId::Warning, 0, 0, 0, 0, 0, 0, 100, 2, 15, 0, 0, 0, 2}));
}

// Second form: bats, a heart and a brick wall, and waves of shots from
// two corners.
FlowBuilder SecondForm() {
    return FlowBuilder("第二形態", Trigger::Always)
        .Id(2)
        .When(VariableCond(CondKind::StageVar, StageVar::BossPhase, 0, 1))
        .Then(SummonCommand(FlowKind::SummonChara, CharaDef::Bat, -48))
        .Then(SummonCommand(FlowKind::SummonItem, ItemDef::Heart, 64))
        .Then(SummonCommand(FlowKind::SummonBlock, BlockDef::Brick, -96))
        .Then(Code("my.v1 = rand(1,3)"))
        .Then(WarpTo(10, 4))
        .Then(WithSound(Wave(), SoundId::Shoot))
        .Then(Wait(20))
        .Then(WarpTo(30, 4))
        .Then(WithSound(Wave(), SoundId::Shoot))
        .Then(Wait(20));
}

// Defeated: the shots go, the count of bosses rises, the world is cleared.
FlowBuilder Defeat() {
    return FlowBuilder("撃破", Trigger::Died)
        .Then(Command(FlowKind::Vanish, {1, 1, 1}))
        .Then(Code("C1 = C1 + 1"))
        .Then(Message("ボスをたおした！ 集めたコイン #S2_3. 枚", 20))
        .Then(Command(FlowKind::StageClear, {kWorldClear, 0, 0, 0, 0, 0, 0, 0, 0, kRecordClear}));
}

// Touching the boss costs a second unless it is invincible and faces right.
FlowBuilder Touch() {
    return FlowBuilder("体当たり", Trigger::TouchChara)
        .AnyCondition()
        .When(StateCond(kSelf, kStateInvincible, 0, 0))
        .When(TestCond(kSelf, kFacesRight, true))
        .Then(Command(FlowKind::StatusOperation, {0, 0, 0, kSystem, kStatusTime, kSubtract, 0, 1}));
}

}  // namespace

cCharaDef BossDef() {
    cCharaDef c;
    c.m_strName = "ボス";
    c.m_sCell = 1;
    c.m_cSheet = 4;  // the dedicated picture of the database
    c.m_sAnimeSet = AnimeSetId::Walker;
    c.m_cSide = kEnemySide;
    c.m_nMaxHp = 30;
    c.m_nPower = 4;
    c.m_nScore = 5000;
    c.m_cScale = 2;
    c.m_sEffect = EffectId::Spark;
    c.m_sDeathEffect = CharaEffectId::Flash;
    c.m_cImpactResist = 10;
    c.m_cActiveRange = 3;
    for (const FlowBuilder& f : {Entrance(), Attack(), Rage(), Roar(), SecondForm(), Defeat(), Touch()})
        c.m_vFlow.push_back(f.Build());
    return c;
}

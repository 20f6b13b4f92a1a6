// The boss: a program that uses the presentation commands, summons,
// flow operations, arrangements and loops.
#include "content_ids.h"
#include "flow_builder.h"
#include "project_content.h"

namespace {

constexpr int kSelf = 0, kSystem = 5;
constexpr int kEnemySide = 1;

cFlowCmd Summon(int kind, int definition) {
    cFlowCmd cmd = ShotCommand(kind, 0, 0, 0);
    cmd.m_spShot->m_cSummonPalette = 1;
    cmd.m_spShot->m_sSummon = static_cast<std::int16_t>(definition);
    cmd.m_spShot->m_sOffsetX = -48;
    return cmd;
}

cFlowCmd Message(const char* text, int tenths) {
    // Centre of the screen, shown for a time, '#' escapes expanded.
    return Text(FlowKind::Message, text, {0, 0, 0, 0, 0, 1, 1, tenths, 0, 1});
}

cFlowCmd StartFlow(int id) { return Command(FlowKind::FlowOperation, {0, 2, id, 0}); }
cFlowCmd StopFlow(int id) { return Command(FlowKind::FlowOperation, {1, 2, id, 0}); }

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
    auto add = [&c](const FlowBuilder& f) { c.m_vFlow.push_back(f.Build()); };
    add(FlowBuilder("登場", Trigger::BeforeStart)
            .Then(Command(FlowKind::ShowPicture, {PictureId::BossFace, 0, 0, 0, 0, 0, 0, 100, 2, 20, 1, 0, 0, 1}))
            .Then(Command(FlowKind::RunScreenEffect, {ScrEffectId::Quake, 0, 0}))
            .Then(Command(MoreKind::GameWait, {10}))
            .Then(Message("ボスがあらわれた！\n残り時間 #S4_3. 秒", 30))
            .Then(Command(FlowKind::PlayBgm, {BgmId::Boss, 1})));
    add(FlowBuilder("攻撃", Trigger::Always)
            .Id(1)
            .When(VariableCond(CondKind::StageVar, StageVar::BossPhase, 0, 0))
            .Then(Command(FlowKind::SetTarget, {0, 0}))
            .Then(Command(FlowKind::ChangeDirection, {2}))
            // Three volleys, each faster: the arrangement raises the speed
            // of the shots that follow it.
            .Then(Command(FlowKind::Arrange, {FlowKind::Shot, 0, 1, 10, 0}))
            .Then(Command(FlowKind::Loop, {3, 2}))
            .Then(WithSound(ShotCommand(FlowKind::Shot, ShotGraphic::Orb, 30, 3, 5), SoundId::Shoot))
            .Then(Wait(6))
            .Then(Movement(FlowKind::ChargeMove, 0, 60, 160))
            .Then(Command(MoreKind::CancelMove))
            .Then(Wait(10)));
    add(FlowBuilder("怒り", Trigger::Always)
            .When(StatusCond(kSelf, 1, 3, 15))
            .When(VariableCond(CondKind::StageVar, StageVar::BossPhase, 0, 0))
            .Then(StopFlow(1))
            .Then(Code("S3 = 1"))
            .Then(WithSound(Command(FlowKind::PlaySound, {SoundId::Boss}), 0))
            .Then(Command(FlowKind::ChangeScreenColor, {255, 0, 0, 30, 0, 10, 0, 0}))
            .Then(Command(FlowKind::ChangeGraphic, {4, 1, 1}))
            .Then(Command(MoreKind::ChangeBackground, {2, 0}))
            .Then(Command(FlowKind::RunCharaEffect, {CharaEffectId::Flash, 2, 0}))
            .Then(StartFlow(2)));
    add(FlowBuilder("第二形態", Trigger::ByCommand)
            .Id(2)
            .Then(Summon(FlowKind::SummonChara, CharaDef::Bat))
            .Then(Summon(FlowKind::SummonItem, ItemDef::Heart))
            .Then(Summon(FlowKind::SummonBlock, BlockDef::Brick))
            .Then(Movement(FlowKind::Warp, 0, 0, 0))
            .Then(Code("my.v1 = rand(1,3)"))
            .Then(WithSound(ShotCommand(FlowKind::Shot, ShotGraphic::Orb, 40, 3, 8), SoundId::Shoot))
            .Then(Wait(20))
            .Then(StartFlow(2)));
    add(FlowBuilder("撃破", Trigger::Died)
            .Then(Command(FlowKind::Vanish, {1, 1, 1}))
            .Then(Code("C1 = C1 + 1"))
            .Then(Message("ボスをたおした！ スコア #C1_Z3.", 20))
            .Then(Command(FlowKind::StageClear, {0, 1, 0, 0, 0, 0, 0, 0, 0, 0})));
    add(FlowBuilder("体当たり", Trigger::TouchChara)
            .AnyCondition()
            .When(StateCond(kSelf, 4, 0, 0))
            .When(TestCond(kSelf, 1, true))
            .Then(Command(FlowKind::StatusOperation, {0, 0, 0, kSystem, 0, 2, 0, 1})));
    add(FlowBuilder("宝を渡す", Trigger::Died).Then(Command(FlowKind::GetItem, {0, ItemDef::Gem})));
    return c;
}

// The common palette's characters and their flows: the hero that walks,
// runs, jumps, shoots and swings a sword, and enemies that patrol, chase,
// hop and shoot.
#include "content_ids.h"
#include "flow_builder.h"
#include "project_content.h"

namespace {

constexpr int kSelf = 0, kTarget1 = 1, kSystem = 5;
constexpr int kHeroSide = 0, kEnemySide = 1;
constexpr int kRight = 0, kLeft = 180, kUp = 90;
constexpr int kHp = 1;

cCharaDef Chara(const char* name, int cell, int animeSet, int side, int hp, int power, int score) {
    cCharaDef c;
    c.m_strName = name;
    c.m_sCell = static_cast<std::int16_t>(cell);
    c.m_cSheet = 1;
    c.m_sAnimeSet = static_cast<std::int16_t>(animeSet);
    c.m_cSide = static_cast<std::int8_t>(side);
    c.m_nMaxHp = hp;
    c.m_nPower = power;
    c.m_nScore = score;
    c.m_sEffect = EffectId::Spark;
    c.m_sDeathEffect = CharaEffectId::Flash;
    c.m_cImpact = 2;
    return c;
}

cFlowCmd Jump(int halfBlocks, bool keyControlled) {
    return Command(MoreKind::Jump, {keyControlled ? 1 : 0, 0, halfBlocks});
}

// The target slot 1 set to the hero.
cFlowCmd TargetHero() { return Command(FlowKind::SetTarget, {0, 0}); }

cFlowCmd FaceTarget() { return Command(FlowKind::ChangeDirection, {2}); }

void AddFlows(cCharaDef& c, std::initializer_list<FlowBuilder> flows) {
    for (const FlowBuilder& f : flows) c.m_vFlow.push_back(f.Build());
}

cCharaDef Hero() {
    cCharaDef c = Chara("主人公", CharaCell::Hero, AnimeSetId::Hero, kHeroSide, 20, 0, 0);
    c.m_cOperation = 0;
    c.m_bFixedDirection = 0;
    c.m_nMaxSp = 10;
    c.m_sDeathEffect = CharaEffectId::Flash;
    AddFlows(c, {
                    FlowBuilder("右へ歩く", Trigger::Always)
                        .Id(1)
                        .Group(1)
                        .Keys({KeyIdx::Right})
                        .HoldKeys()
                        .Then(Movement(FlowKind::StraightMove, kRight, 25, 4)),
                    FlowBuilder("左へ歩く", Trigger::Always)
                        .Id(2)
                        .Group(1)
                        .Keys({KeyIdx::Left})
                        .HoldKeys()
                        .Then(Movement(FlowKind::StraightMove, kLeft, 25, 4)),
                    // Holding the direction for half a second breaks into a run.
                    FlowBuilder("右へ走る", Trigger::Always)
                        .Id(3)
                        .Group(1)
                        .Keys({KeyIdx::Right}, 30)
                        .HoldKeys()
                        .Then(Movement(FlowKind::StraightMove, kRight, 45, 6)),
                    FlowBuilder("左へ走る", Trigger::Always)
                        .Id(4)
                        .Group(1)
                        .Keys({KeyIdx::Left}, 30)
                        .HoldKeys()
                        .Then(Movement(FlowKind::StraightMove, kLeft, 45, 6)),
                    FlowBuilder("ジャンプ", Trigger::Always)
                        .Id(10)
                        .Keys({KeyIdx::Button(1)})
                        .When(TestCond(kSelf, 0, false))
                        .Then(WithSound(Jump(7, true), SoundId::Jump)),
                    FlowBuilder("ショット", Trigger::Always)
                        .Id(19)
                        .Group(2)
                        .Keys({KeyIdx::Button(2)})
                        .Then(WithSound(ShotCommand(FlowKind::Shot, ShotGraphic::Bullet, 80, 1), SoundId::Shoot))
                        .Then(Wait(2)),
                    FlowBuilder("ソード", Trigger::Always)
                        .Id(20)
                        .Group(2)
                        .Keys({KeyIdx::Button(3)})
                        .Then(WithSound(ShotCommand(FlowKind::Sword, SwordId::Blade, 0, 3), SoundId::Slash))
                        .Then(Wait(3)),
                    FlowBuilder("ダメージ", Trigger::Damaged)
                        .Then(Command(FlowKind::RunCharaEffect, {CharaEffectId::Flash, 0, 0}))
                        .Then(Command(FlowKind::StatusOperation2, {kSelf, 4, 1}))
                        .Then(Wait(10))
                        .Then(Command(FlowKind::StatusOperation2, {kSelf, 4, 0})),
                    // SP refills slowly and the score counts seconds survived.
                    FlowBuilder("SP回復", Trigger::Always)
                        .When(StatusCond(kSelf, 2, 5, 10))
                        .Then(Wait(10))
                        .Then(Code("my.sp = my.sp + 1")),
                    // Each gem found over the story makes the hero sturdier, once per
                    // stage (character variable 1 marks it done).
                    FlowBuilder("宝石の力", Trigger::Always)
                        .When(VariableCond(CondKind::CommonVar, CommonVar::GemsFound, 2, 1))
                        .When(VariableCond(CondKind::CharaVar, 1, 0, 0))
                        .Then(Code("my.v1 = 1"))
                        .Then(Code("my.mhp = my.mhp + C2 * 5")),
                    FlowBuilder("よろこび", Trigger::Always)
                        .Keys({KeyIdx::Down, KeyIdx::Button(4)})
                        .Then(Command(FlowKind::RunAnime, {AnimeId::Cheer, 0}))
                        .Then(Command(FlowKind::ChangeAnimeSet, {AnimeSetId::Hero})),
                });
    return c;
}

cCharaDef Slime() {
    cCharaDef c = Chara("スライム", CharaCell::Slime, AnimeSetId::Walker, kEnemySide, 2, 2, 100);
    AddFlows(
        c, {FlowBuilder("往復", Trigger::Always).Then(Movement(MoreKind::GroundTurnMove, kLeft, 10, 96)).Then(Wait(5)),
            FlowBuilder("壁で反転", Trigger::HitSide).Then(Command(FlowKind::ChangeDirection, {10}))});
    return c;
}

cCharaDef Bat() {
    cCharaDef c = Chara("コウモリ", CharaCell::Bat, AnimeSetId::Flyer, kEnemySide, 1, 2, 150);
    c.m_cFlying = 1;
    AddFlows(c, {
                    FlowBuilder("追いかける", Trigger::Always)
                        .When(DistanceCond(16, 1, false))
                        .Then(TargetHero())
                        .Then(Movement(MoreKind::HomingMove, 0, 15, 0, 20)),
                    FlowBuilder("待つ", Trigger::Always)
                        .When(DistanceCond(16, 1, true))
                        .Then(Movement(MoreKind::CircleMove, kUp, 10, 0, 10)),
                });
    return c;
}

cCharaDef Hopper() {
    cCharaDef c = Chara("ホッパー", CharaCell::Hopper, AnimeSetId::Walker, kEnemySide, 3, 2, 200);
    AddFlows(c, {FlowBuilder("跳ねる", Trigger::Always)
                     .Then(TargetHero())
                     .Then(FaceTarget())
                     .Then(Jump(4, false))
                     .Then(Wait(8)),
                 FlowBuilder("着地", Trigger::HitBelow).Then(WithSound(Wait(1), SoundId::Jump))});
    return c;
}

cCharaDef Shooter() {
    cCharaDef c = Chara("砲台スライム", CharaCell::Slime, AnimeSetId::Walker, kEnemySide, 4, 2, 300);
    c.m_cCharaId = 5;
    AddFlows(c, {
                    FlowBuilder("ねらう", Trigger::Always)
                        .When(DistanceCond(20, 0, false))
                        .Then(TargetHero())
                        .Then(FaceTarget())
                        .Then(WithSound(ShotCommand(FlowKind::Shot, ShotGraphic::Orb, 30, 2), SoundId::Shoot))
                        .Then(Wait(15)),
                    FlowBuilder("命中を数える", Trigger::AttackHit).Then(Code("my.v2 = my.v2 + 1")),
                    FlowBuilder("逃げる", Trigger::Damaged).Then(Movement(FlowKind::AvoidMove, kRight, 20, 32)),
                });
    return c;
}

cCharaDef Crate() {
    // A breakable block: a character that stands still as a block and
    // breaks to a sword or a shot.
    cCharaDef c = Chara("木箱", CharaCell::Crate, AnimeSetId::Walker, 2, 3, 0, 50);
    c.m_cCharaProp35 = 0;
    c.m_cFlying = 2;
    c.m_nHeldItem = -1;
    AddFlows(
        c, {FlowBuilder("壊れる", Trigger::Died)
                .Then(WithSound(Command(FlowKind::RunEffect, {EffectId::Spark, 1, 0, 0, 0, 0, 100}), SoundId::Break))});
    return c;
}

}  // namespace

cCharaDef BossDef();

void BuildPaletteCharas(cCommonPalette& palette) {
    palette.m_vPaletteCharas.clear();
    palette.m_vPaletteCharas.emplace_back();
    for (const cCharaDef& c : {Hero(), Slime(), Bat(), Hopper(), Shooter(), Crate(), BossDef()}) {
        palette.m_vPaletteCharas.push_back(c);
    }
}

// The common palette's characters and their flows: the hero that walks,
// runs, jumps, shoots and swings a sword, and enemies that patrol, chase,
// hop and shoot.
#include "content_ids.h"
#include "flow_builder.h"
#include "palette_parts.h"
#include "project_content.h"

namespace {

constexpr int kSelf = 0;
constexpr int kHeroSide = 0, kEnemySide = 1, kBlockSide = 2;
constexpr int kStatusSp = 2;
constexpr int kOnBlock = 2;  // the yes/no test "stands on a block"
constexpr int kCircle = 6;   // distance area: a circle around the character
constexpr int kFront = 1;    // distance area: in front of the character
constexpr int kGreaterOrEqual = 2, kLess = 5, kEqual = 0;

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
    // Movements turn the character to where it goes.
    c.m_bFixedDirection = 0;
    return c;
}

cFlowCmd Jump(int halfBlocks, bool keyControlled) {
    return Command(MoreKind::Jump, {keyControlled ? 1 : 0, 0, halfBlocks});
}

// Target slot 1 set to the hero.
cFlowCmd TargetHero() { return Command(FlowKind::SetTarget, {0, 0}); }

cFlowCmd FaceTarget() { return Command(FlowKind::ChangeDirection, {2}); }

void AddFlows(cCharaDef& c, std::initializer_list<FlowBuilder> flows) {
    for (const FlowBuilder& f : flows) c.m_vFlow.push_back(f.Build());
}

// Walking, and running once the direction has been held half a second.
FlowBuilder Walk(const char* name, int key, int direction, int heldFrames, int speed) {
    return FlowBuilder(name, Trigger::Always)
        .Group(1)
        .Keys({key}, heldFrames)
        .HoldKeys()
        .Then(Movement(FlowKind::StraightMove, direction, speed, 1));
}

cCharaDef Hero() {
    cCharaDef c = Chara("主人公", CharaCell::Hero, AnimeSetId::Hero, kHeroSide, 20, 0, 0);
    c.m_cOperation = 0;
    c.m_nMaxSp = 10;
    AddFlows(c, {
                    Walk("右へ歩く", KeyIdx::Right, MoveDir::Right, 0, 25).Id(1),
                    Walk("左へ歩く", KeyIdx::Left, MoveDir::Left, 0, 25).Id(2),
                    Walk("右へ走る", KeyIdx::Right, MoveDir::Right, 30, 45).Id(3),
                    Walk("左へ走る", KeyIdx::Left, MoveDir::Left, 30, 45).Id(4),
                    FlowBuilder("ジャンプ", Trigger::Always)
                        .Id(10)
                        .Keys({KeyIdx::Button(1)})
                        .When(TestCond(kSelf, kOnBlock, false))
                        .Then(WithSound(Jump(7, true), SoundId::Jump)),
                    FlowBuilder("ショット", Trigger::Always)
                        .Id(19)
                        .Group(2)
                        .Keys({KeyIdx::Button(2)})
                        .Then(WithSound(ShotCommand(ShotGraphic::Bullet, 80, 1), SoundId::Shoot))
                        .Then(Wait(2)),
                    FlowBuilder("ソード", Trigger::Always)
                        .Id(20)
                        .Group(2)
                        .Keys({KeyIdx::Button(3)})
                        .Then(WithSound(SwordCommand(SwordId::Blade, 3), SoundId::Slash))
                        .Then(Wait(2)),
                    FlowBuilder("ダメージ", Trigger::Damaged)
                        .Then(Command(FlowKind::RunCharaEffect, {CharaEffectId::Flash, 0, 0}))
                        .Then(Command(FlowKind::StatusOperation2, {kSelf, 4, 1}))
                        .Then(Wait(10))
                        .Then(Command(FlowKind::StatusOperation2, {kSelf, 4, 0})),
                    // SP refills slowly.
                    FlowBuilder("SP回復", Trigger::Always)
                        .When(StatusCond(kSelf, kStatusSp, kLess, 10))
                        .Then(Wait(10))
                        .Then(Code("my.sp = my.sp + 1")),
                    // Each gem found over the story makes the hero sturdier,
                    // once per stage (character variable 1 marks it done).
                    FlowBuilder("宝石の力", Trigger::Always)
                        .When(VariableCond(CondKind::CommonVar, CommonVar::GemsFound, kGreaterOrEqual, 1))
                        .When(VariableCond(CondKind::CharaVar, 1, kEqual, 0))
                        .Then(Code("my.v1 = 1"))
                        .Then(Code("my.mhp = my.mhp + C2 * 5")),
                    // Thirty coins in a stage give an extra life.
                    FlowBuilder("コイン30枚", Trigger::Always)
                        .When(VariableCond(CondKind::StageVar, StageVar::Coins, kGreaterOrEqual, 30))
                        .Then(Command(FlowKind::GetItem, {0, ItemDef::OneUp}))
                        .Then(Code("S2 = S2 - 30")),
                    FlowBuilder("よろこび", Trigger::Always)
                        .Keys({KeyIdx::Down, KeyIdx::Button(4)})
                        .Then(Command(FlowKind::RunAnime, {AnimeId::Cheer, 0}))
                        .Then(Command(FlowKind::ChangeAnimeSet, {AnimeSetId::Hero})),
                });
    return c;
}

cCharaDef Slime() {
    cCharaDef c = Chara("スライム", CharaCell::Slime, AnimeSetId::Walker, kEnemySide, 2, 2, 100);
    // Walks its ledge to and fro: the ground-turn movement turns at edges.
    AddFlows(c, {FlowBuilder("往復", Trigger::Always).Then(Movement(MoreKind::GroundTurnMove, MoveDir::Front, 10, 30)),
                 FlowBuilder("壁で反転", Trigger::HitSide).Then(Command(FlowKind::ChangeDirection, {10}))});
    return c;
}

cCharaDef Bat() {
    cCharaDef c = Chara("コウモリ", CharaCell::Bat, AnimeSetId::Flyer, kEnemySide, 1, 2, 150);
    c.m_cFlying = 1;
    cFlowCmd chase = Movement(MoreKind::HomingMove, MoveDir::Front, 15, 20);
    chase.m_spMove->m_sHoming = 8;
    cFlowCmd hover = Movement(MoreKind::CircleMove, 0, 60, 20);
    hover.m_spMove->m_sHoming = 2;  // the circle's radius in half blocks
    AddFlows(c, {
                    FlowBuilder("追いかける", Trigger::Always)
                        .When(DistanceCond(16, kCircle, false))
                        .Then(TargetHero())
                        .Then(chase),
                    FlowBuilder("待つ", Trigger::Always).When(DistanceCond(16, kCircle, true)).Then(hover),
                });
    return c;
}

cCharaDef Hopper() {
    cCharaDef c = Chara("ホッパー", CharaCell::Hopper, AnimeSetId::Walker, kEnemySide, 3, 2, 200);
    AddFlows(c, {FlowBuilder("跳ねる", Trigger::Always)
                     .When(TestCond(kSelf, kOnBlock, false))
                     .Then(TargetHero())
                     .Then(FaceTarget())
                     .Then(Jump(4, false))
                     .Then(Movement(FlowKind::StraightMove, MoveDir::Front, 15, 6))
                     .Then(Wait(8)),
                 FlowBuilder("着地", Trigger::HitBelow).Then(WithSound(Wait(1), SoundId::Jump))});
    return c;
}

cCharaDef Shooter() {
    cCharaDef c = Chara("砲台スライム", CharaCell::Slime, AnimeSetId::Walker, kEnemySide, 4, 2, 300);
    c.m_cCharaId = 5;
    cFlowCmd aimed = ShotCommand(ShotGraphic::Orb, 30, 2);
    aimed.m_spShot->m_cMoveKind = 1;  // aims at the hero
    aimed.m_spShot->m_bAttackFlows = 1;
    AddFlows(c, {
                    FlowBuilder("ねらう", Trigger::Always)
                        .When(DistanceCond(20, kFront, false))
                        .Then(TargetHero())
                        .Then(FaceTarget())
                        .Then(WithSound(aimed, SoundId::Shoot))
                        .Then(Wait(15)),
                    FlowBuilder("命中を数える", Trigger::AttackHit).Then(Code("my.v2 = my.v2 + 1")),
                    FlowBuilder("逃げる", Trigger::Damaged).Then(Movement(FlowKind::AvoidMove, MoveDir::Back, 20, 5)),
                });
    return c;
}

cCharaDef Crate() {
    // A breakable block: a character of its own side that stands still and
    // breaks to a sword or a shot.
    cCharaDef c = Chara("木箱", CharaCell::Crate, AnimeSetId::Walker, kBlockSide, 3, 0, 50);
    c.m_cFlying = 2;
    c.m_bFixedDirection = 1;
    AddFlows(
        c, {FlowBuilder("壊れる", Trigger::Died)
                .Then(WithSound(Command(FlowKind::RunEffect, {EffectId::Spark, 1, 0, 0, 0, 0, 100}), SoundId::Break))});
    return c;
}

}  // namespace

void BuildPaletteCharas(cCommonPalette& palette) {
    palette.m_vPaletteCharas.clear();
    palette.m_vPaletteCharas.emplace_back();
    for (const cCharaDef& c : {Hero(), Slime(), Bat(), Hopper(), Shooter(), Crate(), BossDef()}) {
        palette.m_vPaletteCharas.push_back(c);
    }
}

// The common palette's blocks and items.
#include "content_ids.h"
#include "flow_builder.h"
#include "palette_parts.h"
#include "project_content.h"
#include "sound_files.h"

namespace {

struct BlockRow {
    const char* name;
    int cell;
    int contact;    // 0 passable, 1 solid, 2 kills the hero
    int passGroup;  // side that passes through, -1 none
    int foot;       // effect on a character standing on it
    int footValue;
    int item;  // common-palette item it gives, 0 none
    int drawPass;
};

// clang-format off
const BlockRow kBlocks[BlockDef::Count] = {
    {"", 0, 0, -1, 0, 0, 0, 0},
    {"地面",           BlockCell::Ground,        1, -1, 0, 0,   0, 0},
    {"レンガ",         BlockCell::Brick,         1, -1, 0, 0,   0, 0},
    {"雲（主人公は通れる）", BlockCell::Cloud,   1,  0, 0, 0,   0, 0},
    {"ジャンプ台",     BlockCell::Spring,        1, -1, 1, 8,   0, 0},
    {"左ベルト",       BlockCell::ConveyorLeft,  1, -1, 4, 20,  0, 0},
    {"右ベルト",       BlockCell::ConveyorRight, 1, -1, 5, 20,  0, 0},
    {"はてなブロック", BlockCell::Question,      1, -1, 0, 0,   ItemDef::Coin, 0},
    {"トゲ",           BlockCell::Spikes,        2, -1, 0, 0,   0, 0},
    {"草",             BlockCell::Grass,         0, -1, 0, 0,   0, 1},
    {"扉",             BlockCell::Door,          1, -1, 0, 0,   0, 0},
    {"ぬかるみ",       BlockCell::Ground,        1, -1, 3, 50,  0, 0},
    {"ねばねば床",     BlockCell::Sticky,        1, -1, 2, 0,   0, 0},
};
// clang-format on

cBlockDef Block(const BlockRow& row) {
    cBlockDef b;
    b.m_strName = row.name;
    b.m_sCell = static_cast<std::int16_t>(row.cell);
    b.m_cSheet = 0;
    b.m_cContact = static_cast<std::int8_t>(row.contact);
    b.m_cPassGroup = static_cast<std::int8_t>(row.passGroup);
    b.m_cFootEffect = static_cast<std::int8_t>(row.foot);
    b.m_nFootValue = row.footValue;
    b.m_cItemSource = row.item ? 1 : 0;
    b.m_sItemIndex = static_cast<std::int16_t>(row.item);
    b.m_cDrawPass = static_cast<std::int8_t>(row.drawPass);
    return b;
}

// Status operation: owner's status (or the system's) changed by a constant.
cFlowCmd AddStatus(int owner, int status, int op, int value) {
    return ItemCommand(FlowKind::StatusOperation, {0, 0, 0, owner, status, op, 0, value, 0, 0, 0, 0, 0, 0, 0, 0, 1});
}

cFlowCmd SetStageVar(int index, int value) {
    return ItemCommand(FlowKind::StatusOperation, {1, 1, index, 0, 0, 0, 0, value});
}

cItemDef Item(const char* name, int cell, int sound, std::initializer_list<cFlowCmd> cmds) {
    cItemDef item;
    item.m_strName = name;
    item.m_sCell = static_cast<std::int16_t>(cell);
    item.m_sPickSound = static_cast<std::int16_t>(sound);
    for (const cFlowCmd& c : cmds) item.m_vCmd.push_back(c);
    return item;
}

constexpr int kSystem = 5;
constexpr int kScore = 3, kLives = 4, kHp = 1;

cFlowCmd SpreadShot() {
    cFlowCmd cmd = ShotCommand(ShotGraphic::Orb, 60, 2, 3);
    cmd.m_spShot->m_cFormation = 2;
    cmd.m_spShot->m_sFormParam[0] = 30;
    return cmd;
}

// The gem teaches the hero a spread shot: its flows are added to the hero.
cFlowCmd LearnSpreadShot() {
    cFlowCmd learn = ItemCommand(ItemKind::ChangeFlows, {0, 0});
    learn.m_vFlow.push_back(FlowBuilder("拡散ショット", Trigger::Always)
                                .Id(19)
                                .Keys({KeyIdx::Up, KeyIdx::Button(2)})
                                .Then(WithSound(SpreadShot(), SoundId::Shoot))
                                .Then(Wait(3))
                                .Build());
    return learn;
}

}  // namespace

void BuildPaletteBlocks(cCommonPalette& palette) {
    palette.m_vPaletteBlocks.clear();
    for (const BlockRow& row : kBlocks) palette.m_vPaletteBlocks.push_back(Block(row));
    // The door stands only while the key has not been taken.
    palette.m_vPaletteBlocks[BlockDef::Door].m_vCond.push_back(
        VariableCond(CondKind::StageVar, StageVar::KeyTaken, 0, 0));
}

void BuildPaletteItems(cCommonPalette& palette) {
    palette.m_vPaletteItems.clear();
    palette.m_vPaletteItems.emplace_back();
    palette.m_vPaletteItems.push_back(
        Item("コイン", ItemCell::Coin, SoundId::Coin, {AddStatus(kSystem, kScore, 1, 100), Code("S2 = S2 + 1")}));
    palette.m_vPaletteItems.push_back(Item("ハート", ItemCell::Heart, SoundId::Coin, {AddStatus(0, kHp, 1, 5)}));
    palette.m_vPaletteItems.push_back(
        Item("カギ", ItemCell::Key, SoundId::Coin,
             {SetStageVar(StageVar::KeyTaken, 1),
              Text(FlowKind::Message, "カギを手に入れた！\n扉が開いた。", {4, 0, 0, 0, -8, 1, 2, 20})}));
    palette.m_vPaletteItems.push_back(Item("ゴール", ItemCell::Goal, 0,
                                           {ItemCommand(FlowKind::PlaySound, {SoundId::Coin}),
                                            ItemCommand(FlowKind::StageClear, {0, 0, 0, 0, 0, 0, 0, 0, 0, 1})}));
    palette.m_vPaletteItems.push_back(
        Item("宝石", ItemCell::Gem, SoundId::Coin,
             {AddStatus(kSystem, kScore, 1, 1000), Code("C2 = C2 + 1"), LearnSpreadShot()}));
    palette.m_vPaletteItems.push_back(Item("1UP", ItemCell::Heart, SoundId::Coin, {AddStatus(kSystem, kLives, 1, 1)}));
    // A sign that shows a picture, shakes the screen and leaves a message
    // up to the end of the stage, while play goes on.
    cFlowCmd signText = ItemCommand(FlowKind::Message, {7, 160, 96, 0, 0, 1, 1, 0, 0, 1, 0, 0, 0, 0, 1});
    signText.m_strText = "かんばんを読んだ。\nトゲに気をつけて！";
    palette.m_vPaletteItems.push_back(
        Item("かんばん", ItemCell::Key, SoundId::Coin,
             {ItemCommand(FlowKind::ShowPicture, {PictureId::Warning, 0, 0, 0, 0, 0, 0, 100, 1, 0, 0, 0, 0, 0, 0, 0}),
              ItemCommand(FlowKind::RunScreenEffect, {ScrEffectId::Quake, 0, 0}), signText}));
    palette.m_vPaletteItems[ItemDef::Goal].m_cPickRule = 0;
    palette.m_vPaletteItems[ItemDef::Sign].m_cPickRule = 0;
    palette.m_vPaletteItems[ItemDef::OneUp].m_cScale = 1;
}

#include <gtest/gtest.h>

#include "gamedata/definitions/block_def.h"
#include "gamedata/definitions/chara_def.h"
#include "gamedata/definitions/item_def.h"
#include "gamedata/fixtures/definition_fixtures.h"
#include "gamedata/fixtures/record_io.h"

namespace {

using Definitions = GameDataTest;

// A condition of the current version, as a file stores it.
ByteBuilder CondOf(int kind, int value) {
    return RecordBytes(kCondLayout, kDataVersion, {{"m_cKind", kind}, {"m_nValue", value}});
}

TEST_F(Definitions, NewDefinitionsHoldTheirDefaults) {
    cBlockDef b;
    EXPECT_EQ(b.m_vbInherit.Count(), 11);
    EXPECT_EQ(b.m_cContact, 1);
    EXPECT_EQ(b.m_cPassGroup, -1);
    cItemDef i;
    EXPECT_EQ(i.m_vbInherit.Count(), 13);
    EXPECT_EQ(i.m_cSheet, 2);
    EXPECT_EQ(i.m_cZ, 6);
    EXPECT_EQ(i.m_bPickEffect, 1);
    EXPECT_EQ(i.m_cScale, 1);
    cCharaDef c;
    EXPECT_EQ(c.m_vbInherit.Count(), 37);
    EXPECT_EQ(c.m_nHeldItem, -1);  // a new character carries no item
    EXPECT_EQ(c.m_cOperation, 1);
    EXPECT_EQ(c.m_cSide, 1);
    EXPECT_EQ(c.m_cZ, 3);
    EXPECT_EQ(c.m_nMaxHp, 10);
    EXPECT_EQ(c.m_sStopEase, 10);
    EXPECT_EQ(c.m_cCharaProp35, 1);
    EXPECT_EQ(c.FieldCount(), 53);
    c.RegisterFields(167);
    EXPECT_EQ(c.FieldCount(), 47);
}

TEST_F(Definitions, CurrentFilesRoundTripByteExactly) {
    DefFixture d;
    d.name = "stone";
    d.cellX = 12;
    d.cellY = -3;
    d.flags = {0, 1, 0};
    d.conds = {CondOf(1, 7), CondOf(2, 9)};
    d.fields = {{"m_sCell", 4},          {"m_cSheet", 0},    {"m_cContact", 2}, {"m_cPassGroup", 3},
                {"m_nFootValue", 70000}, {"m_cCondMode", 1}, {"m_sIconNo", -2}};
    ByteBuilder blockIn = DefBytes(DefKind::Block, kDataVersion, d);
    cBlockDef block;
    ASSERT_TRUE(LoadBytes(block, kDataVersion, blockIn));
    EXPECT_EQ(block.m_sCellX, 12);
    EXPECT_EQ(block.m_sCellY, -3);
    EXPECT_EQ(block.m_vCond.Count(), 2);
    EXPECT_EQ(block.m_vCond[1].m_nValue, 9);
    EXPECT_EQ(block.m_vbInherit.Count(), 3);  // the stored list, as long as it was
    EXPECT_EQ(block.m_vbInherit[1], 1);
    EXPECT_EQ(SaveBytes(block), blockIn.Data());

    DefFixture it;
    it.name = "coin";
    it.flags.assign(13, 0);
    it.fields = {{"m_sCell", 3},     {"m_cSheet", 2}, {"m_cZ", 5},         {"m_bPickEffect", 0},
                 {"m_cPickRule", 2}, {"m_cScale", 3}, {"m_sPickSound", 4}, {"m_sOffsetX", -8}};
    CmdFixture cmd;
    cmd.fields = {{"m_cTable", 1}, {"m_cKind", 0}};
    it.tail = {CmdBytes(kDataVersion, cmd)};
    cItemDef item;
    ByteBuilder itemIn = DefBytes(DefKind::Item, kDataVersion, it);
    ASSERT_TRUE(LoadBytes(item, kDataVersion, itemIn));
    EXPECT_EQ(item.m_cPickRule, 2);
    EXPECT_EQ(item.m_bPickEffect, 0);
    EXPECT_EQ(item.m_sPickSound, 4);
    EXPECT_EQ(item.m_vCmd.Count(), 1);
    cItemDef itemBack;
    ASSERT_TRUE(LoadBytes(itemBack, kDataVersion, SaveBytes(item)));
    EXPECT_EQ(SaveBytes(itemBack), SaveBytes(item));

    DefFixture ch;
    ch.name = "hero";
    ch.heldItem = 4;
    ch.flags.assign(37, 0);
    ch.fields = {{"m_cOperation", 0},   {"m_sCell", 1},    {"m_cSheet", 1}, {"m_nMaxHp", 30}, {"m_cHitKind", 3},
                 {"m_cFlashColour", 2}, {"m_nScore", 100}, {"m_cScale", 1}, {"m_cSide", 1}};
    cCharaDef chara;
    ByteBuilder charaIn = DefBytes(DefKind::Chara, kDataVersion, ch);
    ASSERT_TRUE(LoadBytes(chara, kDataVersion, charaIn));
    EXPECT_EQ(chara.m_nHeldItem, 4);
    EXPECT_EQ(chara.m_cFlashColour, 2);
    EXPECT_EQ(SaveBytes(chara), charaIn.Data());
}

TEST_F(Definitions, ShotSheetCellsMoveUpBefore219) {
    struct Case {
        int version, sheet, cell, expected;
    };
    for (auto c : {Case{200, 3, 119, 119}, Case{200, 3, 5, 6}, Case{200, 0, 5, 5}, Case{219, 3, 5, 5}}) {
        DefFixture d;
        d.fields = {{"m_cSheet", c.sheet}, {"m_sCell", c.cell}};
        cBlockDef b;
        ASSERT_TRUE(LoadBytes(b, c.version, DefBytes(DefKind::Block, c.version, d)));
        EXPECT_EQ(b.m_sCell, c.expected) << c.version << " sheet " << c.sheet << " cell " << c.cell;
        cItemDef i;
        ASSERT_TRUE(LoadBytes(i, c.version, DefBytes(DefKind::Item, c.version, d)));
        EXPECT_EQ(i.m_sCell, c.expected);
        cCharaDef ch;
        ASSERT_TRUE(LoadBytes(ch, c.version, DefBytes(DefKind::Chara, c.version, d)));
        EXPECT_EQ(ch.m_sCell, c.expected);
    }
}

TEST_F(Definitions, PlacedBlockTakesFlaggedGroupsFromTheStagePalette) {
    LoadedStage.m_vPaletteBlocks.resize(4);
    cBlockDef& base = LoadedStage.m_vPaletteBlocks[3];
    base.m_strName = "base";
    base.m_cSheet = 4;
    base.m_sCell = 17;
    base.m_sSheetSub = 2;
    base.m_cContact = 2;
    base.m_vCond.resize(1);

    for (int index : {3, 0}) {
        DefFixture d;
        d.name = "own";
        d.flags = {0, 0, 1};
        d.fields = {{"m_cBaseSource", 2}, {"m_sBaseIndex", index}, {"m_sCell", 1}, {"m_cContact", 1}};
        cBlockDef b;
        ASSERT_TRUE(LoadBytes(b, kDataVersion, DefBytes(DefKind::Block, kDataVersion, d)));
        SCOPED_TRACE(index);
        EXPECT_EQ(b.m_strName, "own");
        EXPECT_TRUE(b.m_vCond.empty());
        EXPECT_EQ(b.m_cContact, 1);
        EXPECT_EQ(b.m_sCell, index == 3 ? 17 : 1);
        EXPECT_EQ(b.m_cSheet, index == 3 ? 4 : 0);
        EXPECT_EQ(b.m_sSheetSub, index == 3 ? 2 : 0);
        EXPECT_EQ(b.m_cBaseSource, 2);
    }
}

TEST_F(Definitions, BaseReferencesOutsideThePaletteAreDropped) {
    CommonPalette.m_vPaletteItems.resize(12);
    struct Case {
        int index;
        const char* what;
    };
    // A negative index counts as a large unsigned one and never reaches a list.
    for (auto c : {Case{40, "past the list"}, Case{-1, "negative"}, Case{12, "the size"}}) {
        DefFixture d;
        d.flags.assign(13, 1);
        d.fields = {{"m_cBaseSource", 1}, {"m_sBaseIndex", c.index}, {"m_cZ", 2}};
        cItemDef it;
        ASSERT_TRUE(LoadBytes(it, kDataVersion, DefBytes(DefKind::Item, kDataVersion, d)));
        EXPECT_EQ(it.m_cBaseSource, 0) << c.what;
        EXPECT_EQ(it.m_sBaseIndex, 0) << c.what;
        EXPECT_EQ(it.m_cZ, 2) << c.what;
    }
}

TEST_F(Definitions, ItemScaleAndSoundAreRepairedBeforeSaving) {
    SetTableSize(DbTable::Sound, 5);
    cItemDef it;
    it.m_cScale = -3;
    it.m_sPickSound = 5;
    cItemDef back;
    ASSERT_TRUE(LoadBytes(back, kDataVersion, SaveBytes(it)));
    EXPECT_EQ(it.m_cScale, 1);
    EXPECT_EQ(back.m_cScale, 1);
    EXPECT_EQ(back.m_sPickSound, 0);
}

TEST_F(Definitions, GetItemDefLooksUpBothPalettes) {
    LoadedStage.m_vPaletteItems[0].m_strName = "stage0";
    CommonPalette.m_vPaletteItems.resize(3);
    CommonPalette.m_vPaletteItems[2].m_strName = "common2";
    struct Case {
        int source, index;
        const char* name;  // null: no definition
    };
    for (auto c : {Case{1, -1, nullptr}, Case{0, 0, nullptr}, Case{3, 0, nullptr}, Case{1, 3, nullptr},
                   Case{2, 0, "stage0"}, Case{1, 2, "common2"}, Case{2, 0x10000, "stage0"}}) {
        cItemDef* d = GetItemDef(c.source, c.index);
        if (!c.name) {
            EXPECT_EQ(d, nullptr) << c.source << "," << c.index;
        } else {
            ASSERT_NE(d, nullptr) << c.source << "," << c.index;
            EXPECT_EQ(d->m_strName, c.name);
        }
    }
}

TEST_F(Definitions, InheritFlagListsOfOtherLengths) {
    // K = 0 keeps the flags the record had before the load.
    cBlockDef b;
    b.m_vbInherit[4] = 1;
    ASSERT_TRUE(LoadBytes(b, kDataVersion, DefBytes(DefKind::Block, kDataVersion, DefFixture{})));
    EXPECT_EQ(b.m_vbInherit.Count(), 11);
    EXPECT_EQ(b.m_vbInherit[4], 1);

    // A longer list is kept and saved whole; the extra flags copy nothing.
    LoadedStage.m_vPaletteBlocks.resize(3);
    LoadedStage.m_vPaletteBlocks[2].m_bNoReplace = 1;
    LoadedStage.m_vPaletteBlocks[2].m_sCell = 9;
    DefFixture d;
    d.flags.assign(14, 1);
    d.fields = {{"m_cBaseSource", 2}, {"m_sBaseIndex", 2}};
    ByteBuilder in = DefBytes(DefKind::Block, kDataVersion, d);
    cBlockDef longer;
    ASSERT_TRUE(LoadBytes(longer, kDataVersion, in));
    EXPECT_EQ(longer.m_vbInherit.Count(), 14);
    EXPECT_EQ(longer.m_bNoReplace, 1);
    EXPECT_EQ(longer.m_sCell, 9);
    DefFixture saved = d;
    saved.fields = {{"m_cBaseSource", 2}, {"m_sBaseIndex", 2}, {"m_sCell", 9},
                    {"m_bNoReplace", 1},  {"m_cContact", 1},   {"m_cPassGroup", -1}};
    EXPECT_EQ(SaveBytes(longer), DefBytes(DefKind::Block, kDataVersion, saved).Data());
}

TEST_F(Definitions, EmptyBlockIsPassableAndReplaceable) {
    cBlockDef b;
    b.m_sCell = 0;
    b.m_bNoReplace = 1;
    b.Normalize();
    EXPECT_EQ(b.m_cContact, 0);
    EXPECT_EQ(b.m_bNoReplace, 0);
}

TEST_F(Definitions, BlockItemReferenceChecksBothPalettes) {
    CommonPalette.m_vPaletteItems.resize(4);
    struct Case {
        int source, index, keptSource, keptIndex;
    };
    for (auto c : {Case{1, 3, 1, 3}, Case{1, 4, 0, 0}, Case{2, 1, 0, 0}, Case{2, 0, 2, 0}, Case{1, -2, 0, 0},
                   Case{0, 77, 0, 77}}) {
        cBlockDef b;
        b.m_cItemSource = static_cast<std::int8_t>(c.source);
        b.m_sItemIndex = static_cast<std::int16_t>(c.index);
        b.NormalizeRefs();
        EXPECT_EQ(b.m_cItemSource, c.keptSource) << c.source << "," << c.index;
        EXPECT_EQ(b.m_sItemIndex, c.keptIndex) << c.source << "," << c.index;
    }
}

}  // namespace

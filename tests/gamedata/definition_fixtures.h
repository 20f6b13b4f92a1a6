#pragma once
// Byte fixtures of block, item and character definitions as files of any
// version store them, and a test base that gives every test fresh palettes,
// known database sizes and no pending fatal close.
#include <gtest/gtest.h>

#include <climits>
#include <cstdint>
#include <string>
#include <vector>

#include "foundation/abort.h"
#include "gamedata/common_palette.h"
#include "gamedata/data_limits.h"
#include "gamedata/stage_data.h"
#include "platform/main_window_post.h"
#include "platform/message_box.h"
#include "record_fixtures.h"

inline const Layout kBlockDefLayout = {
    {"m_cBaseSource", 1}, {"m_sBaseIndex", 2}, {"m_cCondMode", 1},  {"m_bCondLatch", 1},  {"m_sCell", 2},
    {"m_cSheet", 1},      {"m_sSheetSub", 2},  {"m_cDrawPass", 1},  {"m_bNoDraw", 1},     {"m_bShowIcon", 1},
    {"m_sIconNo", 2},     {"m_cContact", 1},   {"m_cPassGroup", 1}, {"m_cFootEffect", 1}, {"m_nFootValue", 4},
    {"m_cItemSource", 1}, {"m_sItemIndex", 2}, {"m_bNoReplace", 1},
};

inline const Layout kItemDefLayout = {
    {"m_cBaseSource", 1}, {"m_sBaseIndex", 2}, {"m_cCondMode", 1}, {"m_bCondLatch", 1},  {"m_sOffsetX", 2},
    {"m_sOffsetY", 2},    {"m_sCell", 2},      {"m_cSheet", 1},    {"m_sSheetSub", 2},   {"m_cZ", 1},
    {"m_bNoDraw", 1},     {"m_bNoIcon", 1},    {"m_sIconNo", 2},   {"m_bPickEffect", 1}, {"m_cPickRule", 1},
    {"m_cScale", 1},      {"m_sPickSound", 2},
};

inline const Layout kCharaDefLayout = {
    {"m_cBaseSource", 1},
    {"m_sBaseIndex", 2},
    {"m_cCondMode", 1},
    {"m_bCondLatch", 1},
    {"m_cDirection", 1},
    {"m_cCloneCount", 1},
    {"m_sOffsetX", 2},
    {"m_sOffsetXStep", 2},
    {"m_sOffsetY", 2},
    {"m_sOffsetYStep", 2},
    {"m_bOffsetXMirror", 1},
    {"m_bOffsetYMirror", 1},
    {"m_sCell", 2},
    {"m_cSheet", 1},
    {"m_sSheetSub", 2},
    {"m_sAnimeSet", 2},
    {"m_cZ", 1},
    {"m_bTransparent", 1},
    {"m_sAppearEffect", 2},
    {"m_cAppearEffectMode", 1, 196},
    {"m_bAppearEffectLoop", 1},
    {"m_sDeathEffect", 2},
    {"m_cDeathEffectMode", 1, 196},
    {"m_bNoIcon", 1},
    {"m_sIconNo", 2},
    {"m_cOperation", 1},
    {"m_cPlayerNo", 1},
    {"m_cSide", 1},
    {"m_cCharaId", 1},
    {"m_cFlying", 1},
    {"m_bFixedDirection", 1},
    {"m_cInvincible", 1},
    {"m_cFlashColour", 1, 285},
    {"m_bNoBox", 1},
    {"m_cScale", 1},
    {"m_bScrollSync", 1, 210},
    {"m_cSightShape", 1},
    {"m_cSight", 1},
    {"m_nMaxHp", 4},
    {"m_nMaxSp", 4},
    {"m_sStopEase", 2},
    {"m_cHitKind", 1, 201},
    {"m_nPower", 4},
    {"m_cImpact", 1},
    {"m_sEffect", 2},
    {"m_nDefence", 4, 168},
    {"m_cImpactResist", 1},
    {"m_nScore", 4},
    {"m_cCharaProp35", 1},
    {"m_bGroupOnActive", 1},
    {"m_sActiveGroup", 2},
    {"m_cActiveRange", 1},
    {"m_cActiveRule", 1},
};

struct DefFixture {
    Values fields;
    std::string name;
    std::int16_t cellX = 0, cellY = 0;
    std::int32_t heldItem = -1;  // characters only
    std::vector<std::uint8_t> flags;
    std::vector<ByteBuilder> conds;
    std::vector<ByteBuilder> tail;  // item commands or character flows
};

enum class DefKind { Block, Item, Chara };

inline ByteBuilder DefBytes(DefKind kind, int version, const DefFixture& d) {
    const Layout& layout = kind == DefKind::Block  ? kBlockDefLayout
                           : kind == DefKind::Item ? kItemDefLayout
                                                   : kCharaDefLayout;
    ByteBuilder b = RecordBytes(layout, version, d.fields, {d.name});
    b.I16(d.cellX).I16(d.cellY);
    if (kind == DefKind::Chara) b.I32(d.heldItem);
    b.I32(static_cast<std::int32_t>(d.flags.size()));
    for (auto f : d.flags) b.U8(f);
    b.I32(static_cast<std::int32_t>(d.conds.size()));
    for (const auto& c : d.conds) b.Append(c);
    if (kind != DefKind::Block) {
        b.I32(static_cast<std::int32_t>(d.tail.size()));
        for (const auto& t : d.tail) b.Append(t);
    }
    return b;
}

// Database sizes every definition test runs with.
constexpr int kTestTableSize = 50;

class GameDataTest : public ::testing::Test {
protected:
    void SetUp() override {
        DataLimits limits;
        limits.dbCount.fill(kTestTableSize);
        SetDataLimits(limits);
        CommonPalette = cCommonPalette();
        LoadedStage = cStageData();
        PlayStage = cStageData();
        HeroDef = cCharaDef();
        FileVersion = DataVersion;
        AbortFlag.store(0);
        platform::ClearMainWindowPosts();
        platform::ClearMessageBoxes();
    }
    void TearDown() override { AbortFlag.store(0); }

    static void SetTableSize(DbTable t, int n) {
        DataLimits limits = GetDataLimits();
        limits.dbCount[static_cast<std::size_t>(t)] = n;
        SetDataLimits(limits);
    }
    static bool CloseWasPosted() {
        for (const auto& m : platform::RecordedMainWindowPosts()) {
            if (m.msg == WM_CLOSE) return true;
        }
        return false;
    }
    static std::vector<std::string> BoxTexts() {
        std::vector<std::string> out;
        for (const auto& b : platform::RecordedMessageBoxes()) out.push_back(b.text);
        return out;
    }
};

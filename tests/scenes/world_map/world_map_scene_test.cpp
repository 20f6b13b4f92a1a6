#include "scenes/world_map/world_map_scene.h"

#include <algorithm>
#include "../menu/scene_fixture.h"

#include "foundation/paths.h"
#include "gamedata/story/save_slots.h"
#include "scenes/world_map/map_menu_scene.h"

namespace {

using namespace KeyBit;

cStageLink Link(int kind, int clearFlag, const std::string& stage) {
    cStageLink l;
    l.m_nKind = kind;
    l.m_nClearFlag = clearFlag;
    l.m_strStage = stage;
    l.m_strTitle = "t";
    return l;
}

void AddPoint(int x, int y, std::vector<cStageLink> links) {
    cWorldPoint p;
    p.m_nX = x;
    p.m_nY = y;
    p.m_vLink.assign(links.begin(), links.end());
    WorldMap.m_vPoint.push_back(p);
}

// A 10 x 8 map: chip 1 blocks. The hero starts on (2, 2); (1, 2) is a
// blocked chip, (3, 2) a blocking point, (2, 3) a stage point of a stage
// that is not there, (2, 1) a stage point of the sample game's first stage.
class WorldMapSceneTest : public SceneTest {
protected:
    void SetUp() override {
        SceneTest::SetUp();
        WorldMap.SetDefaults();
        WorldMap.SetSize(10, 8);
        WorldMap.m_vChip.resize(2);
        WorldMap.m_vChip[1].m_bBlocked = 1;
        WorldMap.m_vCell[WorldCellIndex(1, 2)] = 1;
        WorldMap.m_vPoint.clear();
        AddPoint(3, 2, {Link(2, 0, "")});
        AddPoint(2, 3, {Link(0, 10, "data\\stg4\\none.stg4")});
        AddPoint(2, 1, {Link(0, 11, "data\\stg4\\w1-1.stg4")});
        StoryData.Reset(0);
        StoryData.m_nMapX = 2;
        StoryData.m_nMapY = 2;
        StoryData.m_nLives = 3;
        Game.GameKind = 0;
        Game.CurrentScene = Game.RequestedScene = kSceneWorldMap;
    }
    void TearDown() override {
        WorldMap.SetDefaults();
        StoryData.Reset(0);
        SceneTest::TearDown();
    }
    void Walk(cSceneWorldMap& map) {
        ASSERT_TRUE(RunTo(map, cSceneWorldMap::kStateWalk));
        TakeSounds();
    }
    int HeroColumn() { return CursorStack.Depth() ? CursorStack.Top().column : -1; }
    bool AnyBoxSaying(const char* text) {
        for (const auto& box : platform::RecordedMessageBoxes()) {
            if (box.text.find(text) != std::string::npos) return true;
        }
        return false;
    }
};

TEST_F(WorldMapSceneTest, CellIndexClampsColumnAndRow) {
    const int s = WorldMap.m_nPitchShift;
    struct Case {
        int column, row, index;
    };
    for (const Case& c : {Case{3, 2, 3 + (2 << s)}, Case{-4, 2, 2 << s}, Case{15, 2, 9 + (2 << s)}, Case{3, -1, 3},
                          Case{-1, -5, 0}, Case{3, 50, 3 + (7 << s)}}) {
        EXPECT_EQ(WorldCellIndex(c.column, c.row), c.index) << c.column << "," << c.row;
    }
}

TEST_F(WorldMapSceneTest, TheFirstLinkWhoseConditionsHoldIsActive) {
    StoryData.m_vMapPoint[3] = 0;
    StoryData.m_vVar[7] = 10;
    StoryData.m_nClearedScore = 50;
    struct Case {
        const char* what;
        int needFlag, variable, op, value, minScore;
        bool active;
    };
    const Case cases[] = {
        {"no conditions", 0, 0, 0, 0, 0, true},
        {"needs flag 3, which is 0", 3, 0, 0, 0, 0, false},
        {"variable 7 == 10", 0, 7, 0, 10, 0, true},
        {"variable 7 > 10", 0, 7, 4, 10, 0, false},
        {"divisible by 0 passes", 0, 7, 6, 0, 0, true},
        {"not divisible by 0 fails", 0, 7, 7, 0, 0, false},
        {"not divisible by 3", 0, 7, 7, 3, 0, true},
        {"total score 50 reaches 50", 0, 0, 0, 0, 50, true},
        {"total score 50 misses 51", 0, 0, 0, 0, 51, false},
        {"an operator past 7", 0, 7, 8, 10, 0, false},
    };
    for (const Case& c : cases) {
        cStageLink first = Link(0, 1, "a");
        first.m_nNeedFlag = c.needFlag;
        first.m_nVariable = c.variable;
        first.m_nOp = c.op;
        first.m_nCompare = c.value;
        first.m_nMinScore = c.minScore;
        cWorldPoint point;
        point.m_vLink.assign({first, Link(2, 0, "fallback")});
        const cStageLink* link = cSceneWorldMap::ActiveLink(&point);
        ASSERT_NE(link, nullptr) << c.what;
        EXPECT_EQ(link->m_strStage, c.active ? "a" : "fallback") << c.what;
    }
    EXPECT_EQ(cSceneWorldMap::ActiveLink(nullptr), nullptr);
}

TEST_F(WorldMapSceneTest, StepsIntoBlockedCellsAreRefusedButTurnTheHero) {
    cSceneWorldMap map;
    Walk(map);
    Frame(map, Left);
    EXPECT_EQ(HeroColumn(), 2) << "blocked chip";
    EXPECT_EQ(map.Facing(), cSceneWorldMap::kFacingLeft);
    Frame(map, Right);
    EXPECT_EQ(HeroColumn(), 2) << "blocking point";
    EXPECT_EQ(map.Facing(), cSceneWorldMap::kFacingRight);
    Frame(map, Up | Left);
    EXPECT_EQ(HeroColumn(), 2) << "left goes first and is refused";
    EXPECT_EQ(CursorStack.Top().row, 2);
    StoryData.m_vMapPoint[10] = 1;  // (2, 3) cleared: walked over
    Frame(map, Down);
    Frame(map, Down);
    EXPECT_EQ(CursorStack.Top().row, 4);
    EXPECT_EQ(map.ViewColumn(), 2 - 9);
    EXPECT_EQ(map.ViewRow(), 4 - 7);
    EXPECT_EQ(map.State(), cSceneWorldMap::kStateWalk);
}

TEST_F(WorldMapSceneTest, DecliningAnUnclearedStageStepsBack) {
    cSceneWorldMap map;
    Walk(map);
    Frame(map, Down);
    EXPECT_EQ(map.State(), cSceneWorldMap::kStatePrompt) << "no standing on an uncleared stage unasked";
    Frame(map);
    EXPECT_TRUE(AnyBoxSaying("none.stg4")) << "the stage that cannot be read is named";
    EXPECT_EQ(CursorStack.Top().row, 1) << "the prompt opens on no";
    Frame(map, Up);
    Frame(map, 0, kButton1);
    EXPECT_EQ(map.State(), cSceneWorldMap::kStateWalk) << "yes to a stage that did not load only closes";
    EXPECT_EQ(CursorStack.Top().row, 2);
    EXPECT_EQ(HeroColumn(), 2);
    EXPECT_EQ(CursorStack.Depth(), 1);
    EXPECT_EQ(Game.RequestedScene, kSceneWorldMap);
    Frame(map, Down);
    Frame(map);
    Frame(map, 0, kButton2);
    EXPECT_EQ(CursorStack.Top().row, 2) << "declined: back on the cell it came from";
    EXPECT_EQ(TakeSounds(), (std::vector<int>{1, 1, 1, 2}));
}

TEST_F(WorldMapSceneTest, OpeningOnAnUnclearedStageStartsItUnlessBackFromTheMenu) {
    GameFolder folder(m_env.Dir().HostPath());
    WriteProjectData(folder);
    ASSERT_TRUE(folder.Ok()) << folder.Error();
    StoryData.m_nMapY = 1;  // on the sample stage's point

    Game.PreviousScene = kSceneMenu2;
    {
        cSceneWorldMap map;
        Walk(map);
        EXPECT_EQ(Game.RequestedScene, kSceneWorldMap) << "back from the menu: no start";
        Frame(map);
        EXPECT_EQ(map.State(), cSceneWorldMap::kStatePrompt) << "the first walking frame asks";
    }

    CursorStack.Reset();
    Game.PreviousScene = kSceneTitle;
    cSceneWorldMap map;
    ASSERT_TRUE(RunTo(map, cSceneWorldMap::kStateFadeOut));
    EXPECT_EQ(Game.RequestedScene, kSceneStage);
    EXPECT_EQ(StoryData.m_nStageNo, 11);
    EXPECT_EQ(StoryData.m_nPart, 1);
    EXPECT_NE(StoryData.m_strStage.find("w1"), std::string::npos) << StoryData.m_strStage;
    EXPECT_EQ(StoryData.m_nStartLives, 4) << "lives carried over: the remaining ones and the one in play";
    EXPECT_EQ(AbortFlag.load(), 0);
}

TEST_F(WorldMapSceneTest, AFailedStageComesBackToThePreviousCell) {
    StoryData.m_nMapY = 3;       // on the uncleared point
    StoryData.m_nMapValue1 = 1;  // came back without a clear
    StoryData.m_nMapValue3 = 2;  // from (2, 2)
    StoryData.m_nMapValue4 = 2;
    Game.PreviousScene = kSceneStage;
    cSceneWorldMap map;
    Walk(map);
    EXPECT_EQ(CursorStack.Top().row, 2);
    EXPECT_EQ(StoryData.m_nMapValue1, 0);
    EXPECT_EQ(Game.RequestedScene, kSceneWorldMap);
    Frame(map);
    EXPECT_EQ(map.State(), cSceneWorldMap::kStateWalk) << "no prompt off the point";
}

TEST_F(WorldMapSceneTest, ReturnFromStagePlaySavesToTheSlotOrSaysItCannot) {
    StoryData.m_bAutoSave = 1;
    StoryData.m_nSlot = 36;
    Game.PreviousScene = kSceneStage;
    {
        cSceneWorldMap map;
        Frame(map);
    }
    EXPECT_TRUE(m_env.Dir().HostFileExists("user_data/story/Story37.dat"));
    EXPECT_TRUE(platform::RecordedMessageBoxes().empty());

    ASSERT_TRUE(DeleteFolderTree("user_data\\story"));
    cSceneWorldMap map;
    Frame(map);
    EXPECT_FALSE(m_env.Dir().HostFileExists("user_data/story/Story37.dat"));
    EXPECT_EQ(platform::RecordedMessageBoxes().size(), 1u);
    EXPECT_NE(m_env.Report().find("37"), std::string::npos) << m_env.Report();
    EXPECT_EQ(AbortFlag.load(), 0);
}

// The world-map menu's save: the chosen row is the slot, its file is
// numbered from 1, and a failed write leaves everything as it was.
class MapMenuTest : public WorldMapSceneTest {
protected:
    // Save `downs` rows below the slot the list opens on, confirming yes.
    void SaveOnRow(cSceneMenu2& menu, int downs) {
        ASSERT_TRUE(RunTo(menu, cSceneMenu2::kStateMenu));
        Frame(menu, 0, kButton1);  // save
        Frame(menu);               // the list opens on the story's slot
        for (int i = 0; i < downs; ++i) Frame(menu, Down);
        Frame(menu, 0, kButton1);
        Frame(menu, Up);  // yes
        TakeSounds();
        Frame(menu, 0, kButton1);
    }
};

TEST_F(MapMenuTest, SavingOnRow36WritesStory37) {
    StoryData.m_nSlot = -1;
    cSceneMenu2 menu;
    SaveOnRow(menu, 36);
    EXPECT_EQ(TakeSounds(), std::vector<int>{5});
    EXPECT_EQ(StoryData.m_nSlot, 36);
    EXPECT_TRUE(m_env.Dir().HostFileExists("user_data/story/Story37.dat"));
    EXPECT_EQ(SaveSlots[36].m_bUsed, 1);
    EXPECT_EQ(menu.SubStep(), 1) << "back on the slot list";
}

TEST_F(MapMenuTest, AFailedSavePlaysNoSavedSoundAndKeepsTheSlot) {
    StoryData.m_nSlot = 4;
    cSceneMenu2 menu;
    ASSERT_TRUE(DeleteFolderTree("user_data\\story"));
    SaveOnRow(menu, 3);  // the list opens on the story's slot 4
    const std::vector<int> sounds = TakeSounds();
    EXPECT_EQ(std::count(sounds.begin(), sounds.end(), 5), 0);
    EXPECT_EQ(StoryData.m_nSlot, 4);
    EXPECT_EQ(SaveSlots[7].m_bUsed, 0);
    EXPECT_EQ(platform::RecordedMessageBoxes().size(), 1u);
    EXPECT_NE(m_env.Report().find("Story08"), std::string::npos) << m_env.Report();
}

TEST_F(MapMenuTest, AutoSaveWithoutASlotOnlySaysSo) {
    StoryData.m_nSlot = -1;
    cSceneMenu2 menu;
    ASSERT_TRUE(RunTo(menu, cSceneMenu2::kStateMenu));
    Frame(menu, Down);
    Frame(menu, 0, kButton1);
    Frame(menu);
    EXPECT_EQ(menu.SubStep(), 2) << "the message";
    Frame(menu, Up);
    Frame(menu, 0, kButton1);
    EXPECT_EQ(menu.State(), cSceneMenu2::kStateMenu);
    EXPECT_EQ(StoryData.m_bAutoSave, 0);
    EXPECT_EQ(CursorStack.Top().row, 1) << "back on the auto-save row";
}

}  // namespace

#include "stage/code/chara_code_host.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "gamedata/project/global_data.h"
#include "gamedata/stage_file/stage_data.h"
#include "stage/code/code_eval.h"
#include "support/stage/stage_harness.h"

namespace {

// What the hooks of the stage-play scene were asked to do.
struct HookLog {
    std::vector<std::string> calls;
    cCharaCodeHost::Hooks Hooks() {
        return {[this](cChara&, int d) { calls.push_back("life " + std::to_string(d)); },
                [this](cChara&, int d) { calls.push_back("sp " + std::to_string(d)); },
                [this](cChara&, int var, int v) {
                    calls.push_back("place " + std::to_string(var) + " " + std::to_string(v));
                },
                [this] { calls.push_back("sight"); }, [this](const std::string& m) { calls.push_back(m); }};
    }
};

StageOptions WithLife() {
    StageOptions options;
    cCharaDef def;
    def.m_nMaxHp = 200;
    def.m_nMaxSp = 30;
    options.charas['a'] = def;
    return options;
}

TEST(CharaCodeHost, StatementsChangeTheStage) {
    StageHarness stage({"..........", "..H....a..", "##########"}, WithLife());
    cStageChara& a = stage.Chara('a');
    SetTarget(a, 0, &stage.Hero(), 0);
    HookLog log;
    cCharaCodeHost host(a, log.Hooks());
    auto run = [&host](const char* text) { return ExecCode(text, host); };

    EXPECT_EQ(run("hp = 999999"), 1);
    EXPECT_EQ(a.m_nLife, 200);
    EXPECT_EQ(run("cid = 300"), 1);
    EXPECT_EQ(a.m_Def.m_cCharaId, 99);
    EXPECT_EQ(run("imp = -50"), 1);
    EXPECT_EQ(a.m_Def.m_cImpact, -20);
    EXPECT_EQ(run("stop = 300"), 1);
    EXPECT_EQ(a.m_Def.m_sStopEase, 200);
    EXPECT_EQ(run("mark = v3 + 500"), 1);
    EXPECT_EQ(a.m_Def.m_sIconNo, 119);
    EXPECT_EQ(run("v8 = 65536 * 65536"), 1);
    EXPECT_EQ(a.m_vecVar[8], 999999);

    // A lower maximum takes the life with it, and shows no gauge.
    log.calls.clear();
    EXPECT_EQ(run("mhp = 0"), 1);
    EXPECT_EQ(a.m_Def.m_nMaxHp, 1);
    EXPECT_EQ(a.m_nLife, 1);
    EXPECT_EQ(log.calls, std::vector<std::string>{});
    // Assignments follow each other left to right in one statement.
    EXPECT_EQ(run("mhp = 50 sp = 10"), 1);
    EXPECT_EQ(a.m_Def.m_nMaxHp, 50);
    EXPECT_EQ(run("sp = sp + 7"), 1);
    EXPECT_EQ(a.m_nSP, 17);
    EXPECT_EQ(log.calls, (std::vector<std::string>{"sp -20", "sp 7"}));

    // Variables of both scopes.
    EXPECT_EQ(run("C5 = 3 S3 = 10"), 1);
    EXPECT_EQ(StoryData.m_vVar[5], 3);
    EXPECT_EQ(run("S1000 = C5 * 4"), 1);
    EXPECT_EQ(stage.State().m_vecStageVar[1000], 12);
    EXPECT_EQ(run("C1001 = 1"), 0);

    // The hero through "pl" and "tg": its life reaching 0 asks for the life check.
    stage.State().m_bLifeCheck = 0;
    EXPECT_EQ(run("tg.hp = 1"), 1);
    EXPECT_EQ(stage.Hero().m_nLife, 1);
    EXPECT_EQ(stage.State().m_bLifeCheck, 0);
    EXPECT_EQ(run("pl.hp = pl.hp - 10"), 1);
    EXPECT_EQ(stage.Hero().m_nLife, 0);
    EXPECT_EQ(stage.State().m_bLifeCheck, 1);
    EXPECT_EQ(run("tg2.hp = 0"), 0);

    // Sight belongs to the hero.
    log.calls.clear();
    const int sightPx = a.m_nSightPx;
    EXPECT_EQ(run("sight = 5"), 1);
    EXPECT_EQ(a.m_Def.m_cSight, 5);
    EXPECT_EQ(a.m_nSightPx, sightPx);
    EXPECT_EQ(run("pl.sight = 99"), 1);
    EXPECT_EQ(stage.Hero().m_Def.m_cSight, 40);
    EXPECT_EQ(stage.Hero().m_nSightPx, 640);
    EXPECT_EQ(log.calls, std::vector<std::string>{"sight"});
}

TEST(CharaCodeHost, PositionsReadByKindAndPlaceThroughTheHook) {
    StageHarness stage({"..........", "..H....a..", "##########"}, WithLife());
    cStageChara& a = stage.Chara('a');
    HookLog log;
    cCharaCodeHost host(a, log.Hooks());
    a.UpdateScreenRect();
    stage.Hero().UpdateScreenRect();
    const int centreX = a.m_rcScreen.left + a.m_rcGraphic.w / 2;
    const int heroX = stage.Hero().m_rcScreen.left + stage.Hero().m_rcGraphic.w / 2;
    ASSERT_NE(centreX, heroX);

    EXPECT_EQ(ExecCode("v1 = x_scr v2 = x_rel v3 = pl.x_rel v4 = pl.x_abs - x_abs", host), 1);
    EXPECT_EQ(a.m_vecVar[1], centreX);
    EXPECT_EQ(a.m_vecVar[2], 0);
    EXPECT_EQ(a.m_vecVar[3], heroX - centreX);
    EXPECT_EQ(a.m_vecVar[4], heroX - centreX);
    // The hero stands in the stage's third column: x_abs counts from the first real cell.
    EXPECT_EQ(ExecCode("v5 = pl.x_abs", host), 1);
    const cPlayer& hero = stage.Hero();
    EXPECT_EQ(a.m_vecVar[5], static_cast<int>(hero.m_dX) - 320 - hero.m_rcGraphic.x + hero.m_rcGraphic.w / 2);

    EXPECT_EQ(ExecCode("y_abs = 99999", host), 1);
    EXPECT_EQ(log.calls, std::vector<std::string>{"place " + std::to_string(CharaVar::YAbs) + " 16384"});
}

TEST(CharaCodeHost, SystemValues) {
    StageHarness stage({"..H.."});
    HookLog log;
    cCharaCodeHost host(stage.Hero(), log.Hooks());
    LoadedStage.m_nScrollKindX = 1;
    EXPECT_EQ(ExecCode("scrlx = 20 sys.time = 1500", host), 1);
    EXPECT_EQ(LoadedStage.m_nScrollSpeedX, 20);
    EXPECT_EQ(stage.State().m_ScrollX.m_bAutoScroll, 1);
    EXPECT_GT(stage.State().m_ScrollX.m_dAutoSpeed, 0.0);
    EXPECT_EQ(ExecCode("sys.time = 1500", host), 1);
    EXPECT_EQ(stage.State().m_nTime, 999);

    StoryData.m_nLives = kInfiniteLives;
    EXPECT_EQ(ExecCode("v1 = life life = 3", host), 1);
    EXPECT_EQ(stage.Hero().m_vecVar[1], 100);
    EXPECT_EQ(ExecCode("life = 3", host), 1);
    EXPECT_EQ(StoryData.m_nLives, kInfiniteLives);
    StoryData.m_nLives = 2;
    EXPECT_EQ(ExecCode("life = life - 5", host), 1);
    EXPECT_EQ(StoryData.m_nLives, 0);
    EXPECT_EQ(ExecCode("score = 5 / 0", host), 0);
    EXPECT_EQ(log.calls, std::vector<std::string>{"0除算が行われました！(score = 5 / 0)"});
}

}  // namespace

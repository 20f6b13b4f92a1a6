// Each way an attempt can end, reached by a short key script on a tiny
// stage: a clear, a miss with a life left, the game over of the last life,
// and a clear whose score earns an extra life. The attempt is recorded,
// saved as a replay and played back by a new scene: the stage is the same
// after every frame, and the attempt ends the same way.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <map>
#include <ostream>
#include <string>
#include <vector>

#include "gamedata/flows/cmd_kinds.h"
#include "platform/clock.h"
#include "stage/objects/state_hash.h"
#include "stage_scene_fixture.h"

namespace {

using S = cSceneStage;

constexpr int kTouchedChara = 6;
constexpr int kMissSound = 8;
constexpr int kExtraLifeSound = 15;

// The hero walks right; `g` clears the stage when touched, `e` is an
// enemy, a pit in the floor falls off the lower edge of the stage.
const std::vector<std::string> kGoalAhead = {
    "........",
    "..H..g..",
    "########",
};
const std::vector<std::string> kPitAhead = {
    "........",
    "..H.....",
    "####..##",
};
const std::vector<std::string> kEnemyAhead = {
    "........",
    "..H..e..",
    "########",
};
const std::vector<std::string> kEnemyThenGoal = {
    "..........",
    "..H.e..g..",
    "##########",
};

cCharaDef Goal() {
    cCharaDef goal;
    goal.m_cSide = 2;
    goal.m_vFlow = {MakeFlow(kTouchedChara, {{"clear", FlowKind::StageClear, 0, 0}})};
    return goal;
}

// An enemy of the hero that wanders; `power` hurts the hero on touch.
cCharaDef Enemy(int power, int life, int score) {
    cCharaDef enemy;
    enemy.m_cSide = 2;
    enemy.m_nPower = power;
    enemy.m_nMaxHp = life;
    enemy.m_nScore = score;
    enemy.m_vFlow = {MakeFlow(0, {{"step", kStepKind, 0, 0}})};
    return enemy;
}

StageOptions Options(int heroPower, std::map<char, cCharaDef> charas) {
    StageOptions options;
    options.hero.m_sCell = 1;
    options.hero.m_nPower = heroPower;
    options.hero.m_vFlow = {MakeFlow(0, {{"step", kStepKind, 0, 0}})};
    options.charas = std::move(charas);
    return options;
}

// How an attempt ended: the scene's state, the lives and total score, and
// the misses and extra lives heard.
struct Ending {
    int state = 0;
    int lives = 0;
    int score = 0;
    int misses = 0;
    int extraLives = 0;
    bool operator==(const Ending&) const = default;
};

std::ostream& operator<<(std::ostream& out, const Ending& e) {
    return out << "state " << e.state << ", lives " << e.lives << ", score " << e.score << ", misses " << e.misses
               << ", extra lives " << e.extraLives;
}

struct Attempt {
    std::vector<std::uint64_t> hashes;
    Ending ending;
};

class StageOutcomeReplay : public StageSceneTest {
protected:
    void SetUp() override {
        StageSceneTest::SetUp();
        m_steps.Install(kStepKind, KeyStep);
        SetStageFilePlayer([](const std::string&, int) { return 1; });
    }
    void Start(const std::vector<std::string>& picture, const StageOptions& options, int startLives) {
        StartScene(picture, options);
        StoryData.m_nStartLives = startLives;
        SystemData.m_bReplay = 1;
        SystemData.m_bExtraLife = 1;
        SystemData.m_nExtraLifeScore = 1000;
    }
    // Plays until the attempt ends: the scene leaves the play state after
    // it entered it, or `frames` run out. The stage's hash after each play
    // frame that kept the attempt or ended it in a result; the frame in
    // which the hero's death ends leaves the attempt (a recording counts a
    // life, a replay starts over), so the stage after it is not compared.
    Attempt PlayAttempt(int frames, const KeyScript& toggles) {
        Attempt run;
        bool played = false;
        for (int i = 0; i < frames; ++i) {
            const int before = m_scene->m_nPlayFrame;
            RunFrame(toggles);
            const int state = m_scene->State();
            const bool playFrame = m_scene->m_nPlayFrame != before;
            if (playFrame && (state == S::kStatePlay || state == S::kStateResult))
                run.hashes.push_back(StageStateHash(*m_scene));
            played = played || state == S::kStatePlay;
            if (played && state != S::kStatePlay) break;
        }
        const std::vector<int>& sounds = m_stage->Sounds();
        run.ending = {m_scene->State(), StoryData.m_nLives, StoryData.m_nScore,
                      static_cast<int>(std::count(sounds.begin(), sounds.end(), kMissSound)),
                      static_cast<int>(std::count(sounds.begin(), sounds.end(), kExtraLifeSound))};
        return run;
    }

    ExecutorSwap m_steps;
    FlowEngineScope m_engine;
    platform::TestClock m_clock{424242};
};

TEST_F(StageOutcomeReplay, EachEndOfAnAttemptPlaysBackFrameForFrame) {
    struct Case {
        const char* name;
        std::vector<std::string> picture;
        StageOptions options;
        int startLives;
        bool savedAsPrevious;  // the attempt's log was rotated by a retry
        Ending recorded;       // state, lives, score, misses, extra lives
        // A replay's death starts it over with the lives it began with.
        Ending playedBack;
    };
    const Case cases[] = {
        {"a clear",
         kGoalAhead,
         Options(0, {{'g', Goal()}}),
         3,
         false,
         {S::kStateResult, 2, 0, 0, 0},
         {S::kStateResult, 2, 0, 0, 0}},
        {"a fall off the stage with lives left: retry",
         kPitAhead,
         Options(0, {}),
         3,
         true,
         {S::kStateStartBanner, 1, 0, 1, 0},
         {S::kStateStartBanner, 2, 0, 1, 0}},
        {"a harmful enemy takes the last life: game over",
         kEnemyAhead,
         Options(0, {{'e', Enemy(3, 10, 0)}}),
         1,
         false,
         {S::kStateGameOver, 0, 0, 1, 0},
         {S::kStateStartBanner, 0, 0, 1, 0}},
        {"a defeated enemy's score passes the step: an extra life",
         kEnemyThenGoal,
         Options(1, {{'e', Enemy(0, 1, 1000)}, {'g', Goal()}}),
         3,
         false,
         {S::kStateResult, 3, 1000, 0, 1},
         {S::kStateResult, 3, 1000, 0, 1}},
    };
    const KeyScript walkRight = {{3, VK_RIGHT}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Start(c.picture, c.options, c.startLives);
        const Attempt recorded = PlayAttempt(600, walkRight);
        EXPECT_EQ(recorded.ending, c.recorded);
        ASSERT_GT(recorded.hashes.size(), 10u);
        EXPECT_NE(recorded.hashes.front(), recorded.hashes.back()) << "the attempt changes the stage";
        cKeyLog& log = c.savedAsPrevious ? KeyLog2 : KeyLog;
        cStorySave& start = c.savedAsPrevious ? StoryStartPrev : StoryStart;
        ASSERT_EQ(log.SaveReplayFile("outcome.rpl4_920", LoadedStage, PlayStage, start), 1);

        // A new scene plays the file back from its replay banner.
        Start(c.picture, c.options, c.startLives);
        Game.PlayType = 4;
        KeyLog.Clear();
        ASSERT_EQ(KeyLog.LoadReplayFile("outcome.rpl4_920", LoadedStage, PlayStage, StoryData), 1);
        LoadedStage.m_strPath = "outcome.rpl4_920";
        m_clock.Advance(1234);
        const Attempt played = PlayAttempt(600, {});
        EXPECT_EQ(played.ending, c.playedBack);
        ASSERT_EQ(played.hashes.size(), recorded.hashes.size());
        for (std::size_t i = 0; i < played.hashes.size(); ++i) {
            ASSERT_EQ(played.hashes[i], recorded.hashes[i]) << "play frame " << i + 1;
        }
        m_stage.reset();
        m_scene.reset();
        KeyLog.Clear();
        KeyLog2.Clear();
        Game.PlayType = 3;
        platform::ReleaseAllKeys();
        m_down.clear();
    }
}

}  // namespace

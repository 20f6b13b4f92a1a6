// One miss takes one life: the stage scene played frame by frame from the
// start of a stage to the end of the attempt that a miss ends, in every game
// kind, with and without the retry prompt, and then held in each of the
// states that draw the frozen stage.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "gamedata/global_data.h"
#include "stage/commands/stage_commands.h"
#include "stage_scene_fixture.h"

namespace {

using S = cSceneStage;

// The hero falls three blocks onto a deadly block.
const std::vector<std::string> kDeadlyFall = {
    "..........", "..H.......", "..........", "..........", "..........", "..X.......", "##########",
};

struct GameKind {
    const char* name;
    int playType, gameKind;
    bool testPlay;  // a test play, started directly on its stage file
};
const GameKind kKinds[] = {
    {"story", 0, 0, false},
    {"challenge", 2, 1, false},
    {"free play", 3, 2, false},
    {"test play", 3, 2, true},
};

// The states that draw the frozen stage, where the scene is held once the
// attempt has ended, one after the other; then the state the miss led to.
enum class Hold { RetryPrompt, GameOver, PauseMenu, Result, RankingTable, HeldWait, Reached };
struct HoldCase {
    const char* name;
    Hold hold;
};
const HoldCase kHolds[] = {
    {"the retry prompt", Hold::RetryPrompt},      {"the game over", Hold::GameOver},
    {"the pause menu", Hold::PauseMenu},          {"the result", Hold::Result},
    {"the ranking table", Hold::RankingTable},    {"a held command's wait", Hold::HeldWait},
    {"the state the miss led to", Hold::Reached},
};

// Frames held after the end: fewer than the banner of the next attempt
// shows, and fewer than the next attempt needs to fall and die.
constexpr int kHoldFrames = 20;
constexpr int kStartLives = 3;

class MissLives : public StageSceneTest {
protected:
    void SetUp() override {
        StageSceneTest::SetUp();
        SystemData.m_bSpacePause = 1;
        SetStageFilePlayer([](const std::string&, int) { return 1; });
    }
    void TearDown() override {
        SystemData.m_bSpacePause = 0;
        SystemData.m_bRetryPrompt = 0;
        DirectStart = 0;
        TestPlay = 0;
        StageSceneTest::TearDown();
    }

    void Start(const GameKind& kind, bool prompt, bool livesLeft) {
        Game.PlayType = kind.playType;
        Game.GameKind = kind.gameKind;
        DirectStart = TestPlay = kind.testPlay ? 1 : 0;
        SystemData.m_bRetryPrompt = prompt ? 1 : 0;
        StageOptions options;
        options.hero.m_sCell = 1;
        StartScene(kDeadlyFall, options, {0, 0, 1});
        // The start of the stage takes the first life.
        StoryData.m_nStartLives = livesLeft ? kStartLives : 1;
        m_lives.clear();
        m_ends = 0;
        // The scene's first frame begins the play.
        Frame();
    }

    // One frame, with the lives after it and the attempt ends counted: the
    // play state left for a new attempt's banner, the retry prompt or the
    // game over.
    void Frame() {
        const int before = m_scene->State();
        RunFrame({});
        const int after = m_scene->State();
        m_lives.push_back(StoryData.m_nLives);
        const bool ended = after == S::kStateStartBanner || after == S::kStateRetryPrompt || after == S::kStateGameOver;
        if (before == S::kStatePlay && ended) ++m_ends;
    }

    // Plays from the fade until the miss has ended the attempt.
    bool PlayToTheEnd() {
        for (int i = 0; i < 1000 && m_ends == 0; ++i) Frame();
        return m_ends == 1;
    }

    // Holds the scene where the case says for kHoldFrames frames; the state
    // it was held in.
    int HoldIn(Hold hold, int reached) {
        switch (hold) {
            case Hold::Reached: m_scene->SetState(reached, 0); break;
            case Hold::RetryPrompt: m_scene->SetState(S::kStateRetryPrompt, 0); break;
            case Hold::GameOver: m_scene->SetState(S::kStateGameOver, 0); break;
            case Hold::PauseMenu:
                m_scene->m_nResumeState = reached;
                m_scene->m_nResumeSubStep = 0;
                m_scene->SetState(S::kStatePauseMenu, 0);
                break;
            case Hold::Result: m_scene->SetState(S::kStateResult, 0); break;
            case Hold::RankingTable: {
                // What the ranking table draws under itself each frame.
                const auto backdrop = m_scene->RankingBackdrop();
                for (int i = 0; i < kHoldFrames; ++i) {
                    backdrop();
                    m_lives.push_back(StoryData.m_nLives);
                }
                return m_scene->State();
            }
            case Hold::HeldWait:
                InitRequest(m_scene->m_Wait, 0, 0, kHoldFrames, 0);
                RunNestedWait(*m_scene);
                m_lives.push_back(StoryData.m_nLives);
                return m_scene->State();
        }
        const int held = m_scene->State();
        for (int i = 0; i < kHoldFrames; ++i) Frame();
        return held;
    }

    std::vector<int> m_lives;  // the lives after each frame
    int m_ends = 0;            // attempts ended
};

// Every game kind, with the retry prompt on and off, with lives left and
// with the last life gone: the miss ends the attempt once, taking one life
// (none on a test play, which is never short of lives); then, whichever
// state that draws the frozen stage the scene is held in, drawing takes no
// further life and moves the scene nowhere.
TEST_F(MissLives, AMissEndsTheAttemptOnceAndTakesOneLife) {
    for (const GameKind& kind : kKinds) {
        for (bool prompt : {true, false}) {
            for (bool livesLeft : {true, false}) {
                const std::string what = std::string(kind.name) + (prompt ? ", prompt on, " : ", prompt off, ") +
                                         (livesLeft ? "lives left" : "last life");
                Start(kind, prompt, livesLeft);
                const int first = StoryData.m_nLives;
                ASSERT_EQ(first, StoryData.m_nStartLives - (kind.testPlay ? 0 : 1)) << what;
                ASSERT_TRUE(PlayToTheEnd()) << what;

                const bool over = !livesLeft && !kind.testPlay;
                const int taken = kind.testPlay || over ? 0 : 1;
                const int reached = over                           ? S::kStateGameOver
                                    : kind.gameKind == 0 && prompt ? S::kStateRetryPrompt
                                                                   : S::kStateStartBanner;
                EXPECT_EQ(m_scene->State(), reached) << what;
                EXPECT_EQ(StoryData.m_nLives, first - taken) << what;
                const bool heroDead = PlayerList[0].m_bDead != 0;
                EXPECT_EQ(heroDead, reached != S::kStateStartBanner) << what << ": the stage is reset at once";

                const std::size_t endFrame = m_lives.size();
                for (const HoldCase& h : kHolds) {
                    int held = HoldIn(h.hold, reached);
                    // Without a banner the next attempt is under way.
                    if (h.hold == Hold::Reached && held == S::kStateStartBanner) held = S::kStatePlay;
                    EXPECT_EQ(m_scene->State(), held) << what << ", held in " << h.name << ": drawing moved the scene";
                    EXPECT_EQ(m_ends, 1) << what << ", held in " << h.name;
                    EXPECT_EQ(PlayerList[0].m_bDead != 0, heroDead) << what << ", held in " << h.name;
                }
                // The lives frame by frame: the start's until the end, then
                // one fewer to the end of the holds.
                std::vector<int> expected(endFrame - 1, first);
                expected.resize(m_lives.size(), first - taken);
                EXPECT_EQ(m_lives, expected) << what;
                m_stage.reset();
                m_scene.reset();
            }
        }
    }
}

// The pause key in the game over opens the pause menu, which stays open
// over the dead hero until it is closed, and closing it goes back to the
// game over.
TEST_F(MissLives, ThePauseMenuOverTheGameOverStaysUntilClosed) {
    Start(kKinds[0], true, false);
    ASSERT_TRUE(PlayToTheEnd());
    ASSERT_EQ(m_scene->State(), S::kStateGameOver);
    const int pause = m_frame;
    const int close = pause + 30;
    const KeyScript keys = {{pause, VK_SPACE}, {pause + 1, VK_SPACE}, {close, 'X'}, {close + 1, 'X'}};
    std::vector<int> states;
    while (m_frame < close + 2) {
        RunFrame(keys);
        states.push_back(m_scene->State());
    }
    std::vector<int> expected(close - pause, S::kStatePauseMenu);
    expected.insert(expected.end(), 2, S::kStateGameOver);
    EXPECT_EQ(states, expected);
    EXPECT_EQ(StoryData.m_nLives, 0);
}

// A pause while the death is shown holds it where it is, however long the
// menu stays open; after the menu the death goes on and ends the attempt
// once.
TEST_F(MissLives, APauseDuringTheDeathHoldsItUntilPlayGoesOn) {
    Start(kKinds[0], true, true);
    const int first = StoryData.m_nLives;
    for (int i = 0; i < 1000 && !PlayerList[0].m_bDead; ++i) Frame();
    ASSERT_TRUE(PlayerList[0].m_bDead);
    ASSERT_EQ(m_scene->State(), S::kStatePlay);
    const int pause = m_frame;
    const int close = pause + 200;  // longer than the death is shown
    const KeyScript keys = {{pause, VK_SPACE}, {pause + 1, VK_SPACE}, {close, 'X'}, {close + 1, 'X'}};
    while (m_frame < close) {
        RunFrame(keys);
        ASSERT_EQ(m_scene->State(), S::kStatePauseMenu) << "frame " << m_frame;
    }
    EXPECT_EQ(StoryData.m_nLives, first);
    for (int i = 0; i < 1000 && m_scene->State() != S::kStateRetryPrompt; ++i) RunFrame(keys);
    EXPECT_EQ(m_scene->State(), S::kStateRetryPrompt);
    EXPECT_EQ(StoryData.m_nLives, first - 1);
}

}  // namespace

// The hero standing on a hovering block character, played by the stage
// scene's own frames: the block character drifts by its flow once a frame,
// and the sub-steps carry its rider along.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "../stage_scene_fixture.h"

namespace {

constexpr int kDriftKind = 2;
constexpr int kRecordKind = 3;
constexpr int kRiddenByHero = 18;
constexpr int kFlyKindCollides = 2;  // the move kind of a flier that meets blocks

// The hero on top of the block character k, with room on every side for
// three blocks of drift.
const std::vector<std::string> kHover = {
    "..............", "..............", "..............", "..............", "......H.......", "......k.......",
    "..............", "..............", "..............", "..............", "##############",
};

struct Drift {
    double dx = 0.0, dy = 0.0;  // pixels per frame
};
Drift g_drift;

int DriftStep(cChara& c, cCmdInst&) {
    c.m_dX += g_drift.dx;
    c.m_dY += g_drift.dy;
    return 0;
}

class RideInPlay : public StageSceneTest {
protected:
    void SetUp() override {
        StageSceneTest::SetUp();
        m_steps.Install(kDriftKind, DriftStep);
        m_steps.Install(kRecordKind, CommandLog::Recorder);
        SetStageFilePlayer([](const std::string&, int) { return 1; });
    }
    void TearDown() override {
        g_drift = {};
        CommandLog::Take();
        StageSceneTest::TearDown();
    }
    void Start() {
        StageOptions options;
        options.hero.m_sCell = 1;
        cCharaDef hover;
        hover.m_bNoBox = 1;
        hover.m_cFlying = kFlyKindCollides;
        hover.m_vFlow = {MakeFlow(0, {{"drift", kDriftKind, 0, 0}}),
                         MakeFlow(kRiddenByHero, {{"ridden", kRecordKind, 0, 0}})};
        options.charas['k'] = hover;
        StartScene(kHover, options);
    }
    // Frames until play has begun, with the hero settled on k.
    void Settle() {
        for (int i = 0; i < 30 && !(m_scene->State() == cSceneStage::kStatePlay && Hero().m_bRiding); ++i) RunFrame({});
    }
    cPlayer& Hero() { return m_stage->Hero(); }
    // The scene's reset spawns the stage's characters anew, so k is found
    // in the list, not kept from the harness.
    cStageChara& Hover() {
        for (cStageChara& c : CharaList) {
            if (c.IsBlockChara()) return c;
        }
        ADD_FAILURE() << "no block character in the stage";
        static cStageChara none;
        return none;
    }

    ExecutorSwap m_steps;
    FlowEngineScope m_engine;
};

TEST_F(RideInPlay, AHoveringBlockCharacterCarriesTheHeroStandingOnIt) {
    struct Case {
        const char* name;
        Drift drift;
    };
    const Case cases[] = {
        {"still", {0.0, 0.0}},   {"drifting right", {3.0, 0.0}}, {"drifting left", {-2.5, 0.0}},
        {"rising", {0.0, -2.0}}, {"sinking", {0.0, 2.0}},        {"rising to the right", {2.0, -1.0}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Start();
        Settle();
        ASSERT_EQ(m_scene->State(), cSceneStage::kStatePlay);
        ASSERT_EQ(Hero().m_bRiding, 1) << "the hero landed on the block character";
        ASSERT_EQ(Hero().m_nRideId, Hover().m_nId);
        CommandLog::Take();

        g_drift = c.drift;
        const double heroX = Hero().m_dX, hoverX = Hover().m_dX;
        const double hoverY = Hover().m_dY;
        const int frames = 40;
        for (int frame = 0; frame < frames; ++frame) RunFrame({});
        EXPECT_NEAR(Hover().m_dX - hoverX, c.drift.dx * frames, 1e-6) << "the block character drifted";
        EXPECT_NEAR(Hover().m_dY - hoverY, c.drift.dy * frames, 1e-6);
        EXPECT_EQ(Hero().m_bRiding, 1) << "still riding";
        EXPECT_FALSE(Hero().m_bDead);
        EXPECT_NEAR(Hero().m_dX - heroX, Hover().m_dX - hoverX, 1e-6) << "carried sideways as far as the drift";
        EXPECT_DOUBLE_EQ(Hero().m_dY + Hero().m_nHeight, Hover().m_dY) << "standing on its top";
        EXPECT_EQ(CommandLog::Take().size(), static_cast<std::size_t>(frames))
            << "ridden by the hero: its flow starts once a frame";

        m_stage.reset();
        m_scene.reset();
        g_drift = {};
    }
}

}  // namespace

#pragma once
// A stage where characters fire every shot formation at a hero that walks
// to and fro: shooters 'a' to 'f' use formations 0 to 5, each running a
// flow of a shot, a wait and a short walk, started again whenever it ends.
// Its frames run the characters' flows, their moves and the shots the way
// stage play orders them, without drawing.
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "support/stage/stage_harness.h"

struct ShootingStageOptions {
    int shootersPerFormation = 1;
    int hitCheckLevel = 11;
    unsigned seed = 1;
    // Tenths of a second between two series of one shooter.
    int waitTenths = 5;
    // Shots live this long (tenths of a second); 0 no limit.
    int shotLife = 0;
};

// The crowded stage the benchmarks measure: shooters fire a series every
// 1.3 seconds (shot, wait, walk) and each shot lives ten seconds, so about
// three and a half shots per shooter are alive at once.
inline ShootingStageOptions CrowdedShootingStage(int shootersPerFormation) {
    ShootingStageOptions options;
    options.shootersPerFormation = shootersPerFormation;
    options.waitTenths = 9;
    options.shotLife = 100;
    return options;
}

// The stage's picture and the options with its shooters, for the same stage
// built into another state (the stage-play scene's own).
std::vector<std::string> ShootingStagePicture(int shootersPerFormation);
StageOptions ShootingStageLetters(const ShootingStageOptions& options);

class ShootingStage {
public:
    explicit ShootingStage(const ShootingStageOptions& options);
    ~ShootingStage();

    // One frame of n sub-steps.
    void RunFrame();
    std::uint64_t Hash() const { return m_Harness->Hash(); }
    int LiveShots() const { return static_cast<int>(m_Harness->State().m_lstShot.size()); }
    StageHarness& Harness() { return *m_Harness; }

private:
    void KeepFlowsRunning(cChara& c);

    std::unique_ptr<StageHarness> m_Harness;
    int m_nFrame = 0;
};

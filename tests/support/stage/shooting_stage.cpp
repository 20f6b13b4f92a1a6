#include "support/stage/shooting_stage.h"

#include <algorithm>
#include <string>
#include <vector>

#include "gamedata/flows/cmd_kinds.h"
#include "gamedata/stage_file/stage_data.h"
#include "stage/objects/shot_update.h"
#include "support/stage/flow_builder.h"

namespace {

constexpr int kFormations = 6;
constexpr int kRowsPerShooterLine = 3;

}  // namespace

// Shooters on lines three rows apart below some open sky (a column of
// 直進B grows upward), the hero on the floor below them.
std::vector<std::string> ShootingStagePicture(int perFormation) {
    const int shooters = perFormation * kFormations;
    const int perLine = std::min(shooters, 30);
    const int lines = (shooters + perLine - 1) / perLine;
    const int width = perLine * 2 + 20;
    std::vector<std::string> rows(static_cast<std::size_t>(lines * kRowsPerShooterLine + 9), std::string(width, '.'));
    for (int i = 0; i < shooters; ++i) {
        const int line = i / perLine, column = 10 + (i % perLine) * 2;
        rows[static_cast<std::size_t>(4 + line * kRowsPerShooterLine)][static_cast<std::size_t>(column)] =
            static_cast<char>('a' + i % kFormations);
    }
    // In the middle of the shooters, so the view shows them.
    rows[rows.size() - 2][static_cast<std::size_t>(10 + perLine - 1)] = 'H';
    rows.back() = std::string(width, '#');
    return rows;
}

namespace {

// A shooter of formation `formation` aiming at the hero.
cCharaDef Shooter(int formation, const ShootingStageOptions& o) {
    cCharaDef def;
    def.m_cFlying = 1;
    def.m_bFixedDirection = 0;
    cFlow flow = MakeFlow(
        0, {{"shot", FlowKind::Shot, 1}, {"wait", FlowKind::Wait, o.waitTenths}, {"walk", FlowKind::StraightMove, 3}});
    cEdShot& s = *(flow.m_vCmd[0].m_spShot = std::make_shared<cEdShot>());
    s.m_cFormation = static_cast<std::int8_t>(formation);
    s.m_cCount = 3;
    s.m_sFormParam = {static_cast<std::int16_t>(formation == 2 ? 20 : 1), 2, 1};
    s.m_sSpeed = 30;
    s.m_bAim = 1;
    s.m_cOrigin = 1;  // 落雷 and 包囲 around the hero
    s.m_sSpread = formation == 4 ? 15 : 0;
    s.m_cMoveKind = static_cast<std::int8_t>(formation == 5 ? 4 : formation == 3 ? 8 : 0);
    s.m_sMoveParam = formation == 3 ? std::array<std::int16_t, 3>{2, 6, 0} : std::array<std::int16_t, 3>{0, 60, 0};
    s.m_bUseLife = o.shotLife > 0;
    s.m_sLife = static_cast<std::int16_t>(o.shotLife);
    s.m_bShooterSide = 1;
    flow.m_vCmd[2].m_spMove = std::make_shared<cEdMove>();
    flow.m_vCmd[2].m_spMove->m_cDirection = static_cast<std::int8_t>(formation % 2 ? 2 : 3);
    def.m_vFlow.push_back(flow);
    return def;
}

}  // namespace

StageOptions ShootingStageLetters(const ShootingStageOptions& o) {
    StageOptions options;
    options.hitCheckLevel = o.hitCheckLevel;
    options.seed = o.seed;
    for (int f = 0; f < kFormations; ++f) options.charas[static_cast<char>('a' + f)] = Shooter(f, o);
    return options;
}

ShootingStage::ShootingStage(const ShootingStageOptions& o) {
    m_Harness = std::make_unique<StageHarness>(ShootingStagePicture(o.shootersPerFormation), ShootingStageLetters(o));
    for (cStageChara& c : CharaList) c.AddFlows(c.m_Def.m_vFlow, 0, -1);
}

ShootingStage::~ShootingStage() = default;

void ShootingStage::KeepFlowsRunning(cChara& c) {
    cStageState& stage = m_Harness->State();
    stage.m_lpCurChara = &c;
    for (cFlowInst& flow : c.m_vecFlowInst) {
        if (!flow.m_bRunning) flow.Start();
    }
    stage.m_lpCurChara = nullptr;
}

void ShootingStage::RunFrame() {
    cStageState& stage = m_Harness->State();
    cPlayer& hero = m_Harness->Hero();
    // The hero walks two seconds each way.
    const double heroSpeed = (m_nFrame / 120) % 2 ? 2.0 : -2.0;
    for (int sub = 1; sub <= LoadedStage.m_nSubSteps; ++sub) {
        stage.m_nSubStepNo = sub;
        hero.UpdateScreenRect();
        for (cStageChara& c : CharaList) {
            KeepFlowsRunning(c);
            c.UpdateScreenRect();
            c.StepCharaFlows(0);
        }
        hero.m_dSpeedX = heroSpeed / LoadedStage.m_dSubSteps;
        m_Harness->MoveOneSubStep();
        StepShots(stage, sub == 1);
    }
    ++m_nFrame;
}

#include "gamedata/stage_file/stage_settings.h"

#include <algorithm>

#include "foundation/saturating.h"

namespace {

// First file versions of the settings that older files do not store.
constexpr int kAll = 0;
constexpr int kV155 = 155;
constexpr int kV166 = 166;
constexpr int kV183 = 183;
constexpr int kV184 = 184;
constexpr int kV199 = 199;
constexpr int kV200 = 200;
constexpr int kV225 = 225;

}  // namespace

cStageSettings::cStageSettings() { ResetSettings(); }

void cStageSettings::RegisterFields(int v) {
    ClearFieldLists();
    AddString(&m_strTitle);
    for (auto* m : {&m_nWidth,       &m_nSpare1,      &m_nSpare2,      &m_nHeight,       &m_bLimitLeft,
                    &m_bLimitRight,  &m_bLimitTop,    &m_bLimitBottom, &m_nLimitLeft,    &m_nLimitRight,
                    &m_nLimitTop,    &m_nLimitBottom, &m_nFps,         &m_bTimeLimit,    &m_nTimeLimit,
                    &m_nTimeWarning, &m_nScrollKindX, &m_nScrollKindY, &m_nScrollSpeedX, &m_nScrollSpeedY}) {
        AddField(m);
    }
    AddField(&m_dGravity);
    AddFrom(v, kAll, &m_nHitCheckLevel);
    AddFrom(v, kAll, &m_nContactLevel);
    AddFrom(v, kAll, &m_nBgm);
    AddFrom(v, kV166, &m_bBgmKeep);
    AddFrom(v, kV199, &m_bBgmContinue);
    AddFrom(v, kAll, &m_bLayeredDraw);
    AddFrom(v, kAll, &m_bCarryStatus);
    AddFrom(v, kAll, &m_bEndKeep);
    AddFrom(v, kV183, &m_bShowStatus);
    AddFrom(v, kV184, &m_bSkipResult);
    AddFrom(v, kAll, &m_bStartBanner1);
    AddFrom(v, kV225, &m_bStartBanner2);
    AddFrom(v, kAll, &m_bClearBanner);
    AddFrom(v, kAll, &m_bGameOverBanner);
    for (auto* m : {&m_nHeroW, &m_nHeroH, &m_nHeroW2, &m_nHeroH2}) AddFrom(v, kV200, m);
    AddFrom(v, kAll, &m_nHeroHitW);
    AddFrom(v, kAll, &m_nHeroHitH);
    AddFrom(v, kV155, &m_nHeroHitW2);
    AddFrom(v, kV155, &m_nHeroHitH2);
    for (auto* m : {&m_nHeroBox1W, &m_nHeroBox1H, &m_nHeroBox2W, &m_nHeroBox2H}) AddFrom(v, kAll, m);
    AddFrom(v, kV200, &m_bHeroBottom);
    AddFrom(v, kV200, &m_bHeroBottom2);
    AddFrom(v, kV155, &m_bHeroHitBottom);
    AddFrom(v, kV155, &m_bHeroHitBottom2);
    // The first order and kind entries came with version 200, in front of
    // the three that every version stores.
    AddFrom(v, kV200, &m_nHeroBoxOrder[0]);
    for (int i = 1; i < 4; ++i) AddFrom(v, kAll, &m_nHeroBoxOrder[i]);
    AddFrom(v, kV200, &m_nHeroBoxKind[0]);
    for (int i = 1; i < 4; ++i) AddFrom(v, kAll, &m_nHeroBoxKind[i]);
    for (auto* m : {&m_nCharaW, &m_nCharaH, &m_nCharaW2, &m_nCharaH2}) AddFrom(v, kV200, m);
    AddFrom(v, kAll, &m_nCharaHitW);
    AddFrom(v, kAll, &m_nCharaHitH);
    AddFrom(v, kV155, &m_nCharaHitW2);
    AddFrom(v, kV155, &m_nCharaHitH2);
    AddFrom(v, kAll, &m_nCharaBox1W);
    AddFrom(v, kAll, &m_nCharaBox1H);
    AddFrom(v, kV200, &m_bCharaBottom);
    AddFrom(v, kV200, &m_bCharaBottom2);
    AddFrom(v, kV155, &m_bCharaHitBottom);
    AddFrom(v, kV155, &m_bCharaHitBottom2);
    AddFrom(v, kAll, &m_nItemW);
    AddFrom(v, kAll, &m_nItemH);
    for (auto& box : m_nShotBox) AddFrom(v, kAll, &box);
    for (auto* m : {&m_nSpare3, &m_nViewExtraX, &m_nViewExtraY, &m_nSubSteps}) AddField(m);
    for (auto* m : {&m_dSubSteps, &m_dSubStepsSq, &m_dMaxSpeed, &m_dGravityStep, &m_dMaxSpeedStep}) AddField(m);
    for (auto* m : {&m_nSubStepsX8, &m_bTargetFilter, &m_nCooldownOther, &m_nInvincibleOther, &m_nCooldownHero,
                    &m_nInvincibleHero}) {
        AddField(m);
    }
}

void cStageSettings::ResetSettings() {
    Reset();
    m_nTimeLimit = 200;
    m_nTimeWarning = 20;
    m_dGravity = 0.4;
    m_nFps = 60;
    m_nHitCheckLevel = 10;
    m_bLayeredDraw = 1;
    m_bShowStatus = 1;
    m_bStartBanner2 = 1;
    m_bClearBanner = 1;
    m_bGameOverBanner = 1;
    m_bTargetFilter = 1;
    m_nCooldownOther = 30;
    m_nCooldownHero = 30;
    ResetObjectSizes();
}

void cStageSettings::ResetObjectSizes() {
    m_nHeroW = 16, m_nHeroH = 24, m_nHeroW2 = 16, m_nHeroH2 = 16;
    m_nHeroHitW = 16, m_nHeroHitH = 24, m_nHeroHitW2 = 16, m_nHeroHitH2 = 16;
    m_nHeroBox1W = 12, m_nHeroBox1H = 8, m_nHeroBox2W = 16, m_nHeroBox2H = 16;
    m_bHeroBottom = 1, m_bHeroBottom2 = 0, m_bHeroHitBottom = 1, m_bHeroHitBottom2 = 0;
    std::fill(std::begin(m_nHeroBoxOrder), std::end(m_nHeroBoxOrder), 0);
    std::fill(std::begin(m_nHeroBoxKind), std::end(m_nHeroBoxKind), 0);
    m_nCharaW = 16, m_nCharaH = 24, m_nCharaW2 = 16, m_nCharaH2 = 16;
    m_nCharaHitW = 12, m_nCharaHitH = 24, m_nCharaHitW2 = 12, m_nCharaHitH2 = 16;
    m_nCharaBox1W = 30, m_nCharaBox1H = 30;
    m_bCharaBottom = 1, m_bCharaBottom2 = 0, m_bCharaHitBottom = 1, m_bCharaHitBottom2 = 0;
    m_nItemW = 28, m_nItemH = 28;
    std::fill(std::begin(m_nShotBox), std::end(m_nShotBox), 16);
    m_nSpare3 = 1;
}

void cStageSettings::UpgradeSettings(int fv) {
    if (fv < 155) {
        m_nHeroHitW2 = m_nHeroHitW;
        m_nHeroHitH2 = m_nHeroHitH;
        m_nCharaHitW2 = m_nCharaHitW;
        m_nCharaHitH2 = m_nCharaHitH;
        m_bHeroHitBottom = m_bHeroHitBottom2 = m_bCharaHitBottom = m_bCharaHitBottom2 = 0;
    }
    if (fv < 166) m_bBgmKeep = 1;
    if (fv < 183) m_bShowStatus = 1;
    if (fv < 184) m_bSkipResult = 0;
    if (fv < 199) m_bBgmContinue = 0;
    if (fv < 200) {
        // Not the defaults of a new stage: the sizes old stages were built with.
        m_nHeroW = 16, m_nHeroH = 24, m_nHeroW2 = 16, m_nHeroH2 = 16;
        m_bHeroBottom = 1, m_bHeroBottom2 = 0;
        m_nHeroBoxOrder[0] = 0;
        m_nHeroBoxKind[0] = 5;
        m_nCharaW = 16, m_nCharaH = 30, m_nCharaW2 = 16, m_nCharaH2 = 30;
        m_bCharaBottom = 1, m_bCharaBottom2 = 1;
    }
    if (fv < 225) m_bStartBanner2 = 0;
}

void cStageSettings::SetHitCheckLevel(int level) {
    // The editor offers only 1..19; anything else would leave no positive
    // sub-step count to divide by.
    level = std::clamp(level, kMinHitCheckLevel, kMaxHitCheckLevel);
    m_nHitCheckLevel = level;
    const bool fineSteps = level >= 11 && level <= 19;
    const int b = fineSteps ? level - 10 : level;
    m_nSubSteps = b;
    m_nSubStepsX6 = 6 * b;
    m_dSubSteps = b;
    m_dSubStepsSq = static_cast<double>(b) * b;
    m_nSubStepsX8 = 8 * b;
    m_dMaxSpeed = fineSteps ? 60.0 : 6.0 * b;
    m_dMaxSpeedStep = m_dMaxSpeed / b;
    m_dGravityStep = m_dGravity / (static_cast<double>(b) * b);
}

void cStageSettings::ClampViewLimits() {
    // The view is 20 blocks wide and 15 high; limits below the range stay.
    m_nLimitLeft = std::min(m_nLimitLeft, SaturatedAdd(m_nWidth, -20));
    m_nLimitRight = std::min(m_nLimitRight, SaturatedAdd(m_nWidth, -1));
    m_nLimitTop = std::min(m_nLimitTop, SaturatedAdd(m_nHeight, -15));
    m_nLimitBottom = std::min(m_nLimitBottom, SaturatedAdd(m_nHeight, -1));
}

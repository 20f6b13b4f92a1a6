#pragma once
// The settings part of a stage: size, view limits, scrolling, time, music,
// object sizes, the physics derived from the hit-check level. It is the
// registered record of the stage file; `cStageData` adds the lists behind it.
// Keeping it apart lets the settings travel alone (PlayStage, replays).
#include <cstdint>
#include <string>

#include "foundation/data_record.h"

class cStageSettings : public cDataRecord {
public:
    cStageSettings();
    cStageSettings(const cStageSettings&) = default;
    cStageSettings(cStageSettings&&) noexcept = default;
    cStageSettings& operator=(const cStageSettings&) = default;
    cStageSettings& operator=(cStageSettings&&) noexcept = default;

    void RegisterFields(int version) override;

    // Registered members zeroed, then the non-zero defaults of a new stage.
    void ResetSettings();
    // The object-size defaults (body rectangles, hit boxes, shot boxes).
    void ResetObjectSizes();
    // Upgrades of settings that older files do not store.
    void UpgradeSettings(int fileVersion);
    // Stores the level and derives the sub-steps, speed limits and gravity
    // per sub-step that the stage objects read.
    void SetHitCheckLevel(int level);
    // View limits no further right or down than the last full view.
    void ClampViewLimits();

    std::string m_strTitle;

    std::int32_t m_nWidth = 0;
    std::int32_t m_nSpare1 = 0;
    std::int32_t m_nSpare2 = 0;
    std::int32_t m_nHeight = 0;
    std::int32_t m_bLimitLeft = 0;
    std::int32_t m_bLimitRight = 0;
    std::int32_t m_bLimitTop = 0;
    std::int32_t m_bLimitBottom = 0;
    std::int32_t m_nLimitLeft = 0;
    std::int32_t m_nLimitRight = 0;
    std::int32_t m_nLimitTop = 0;
    std::int32_t m_nLimitBottom = 0;
    std::int32_t m_nFps = 0;
    std::int32_t m_bTimeLimit = 0;
    std::int32_t m_nTimeLimit = 0;
    std::int32_t m_nTimeWarning = 0;
    std::int32_t m_nScrollKindX = 0;
    std::int32_t m_nScrollKindY = 0;
    std::int32_t m_nScrollSpeedX = 0;
    std::int32_t m_nScrollSpeedY = 0;
    double m_dGravity = 0.0;
    std::int32_t m_nHitCheckLevel = 0;
    std::int32_t m_nContactLevel = 0;
    std::int32_t m_nBgm = 0;
    std::int32_t m_bBgmKeep = 0;
    std::int32_t m_bBgmContinue = 0;
    std::int32_t m_bLayeredDraw = 0;
    std::int32_t m_bCarryStatus = 0;
    std::int32_t m_bEndKeep = 0;
    std::int32_t m_bShowStatus = 0;
    std::int32_t m_bSkipResult = 0;
    std::int32_t m_bStartBanner1 = 0;
    std::int32_t m_bStartBanner2 = 0;
    std::int32_t m_bClearBanner = 0;
    std::int32_t m_bGameOverBanner = 0;
    std::int32_t m_nHeroW = 0, m_nHeroH = 0, m_nHeroW2 = 0, m_nHeroH2 = 0;
    std::int32_t m_nHeroHitW = 0, m_nHeroHitH = 0;
    std::int32_t m_nHeroHitW2 = 0, m_nHeroHitH2 = 0;
    std::int32_t m_nHeroBox1W = 0, m_nHeroBox1H = 0;
    std::int32_t m_nHeroBox2W = 0, m_nHeroBox2H = 0;
    std::int32_t m_bHeroBottom = 0, m_bHeroBottom2 = 0;
    std::int32_t m_bHeroHitBottom = 0, m_bHeroHitBottom2 = 0;
    std::int32_t m_nHeroBoxOrder[4] = {};
    std::int32_t m_nHeroBoxKind[4] = {};
    std::int32_t m_nCharaW = 0, m_nCharaH = 0, m_nCharaW2 = 0, m_nCharaH2 = 0;
    std::int32_t m_nCharaHitW = 0, m_nCharaHitH = 0;
    std::int32_t m_nCharaHitW2 = 0, m_nCharaHitH2 = 0;
    std::int32_t m_nCharaBox1W = 0, m_nCharaBox1H = 0;
    std::int32_t m_bCharaBottom = 0, m_bCharaBottom2 = 0;
    std::int32_t m_bCharaHitBottom = 0, m_bCharaHitBottom2 = 0;
    std::int32_t m_nItemW = 0, m_nItemH = 0;
    std::int32_t m_nShotBox[8] = {};
    std::int32_t m_nSpare3 = 0;
    std::int32_t m_nViewExtraX = 0;
    std::int32_t m_nViewExtraY = 0;
    std::int32_t m_nSubSteps = 0;
    double m_dSubSteps = 0.0;
    double m_dSubStepsSq = 0.0;
    double m_dMaxSpeed = 0.0;
    double m_dGravityStep = 0.0;
    double m_dMaxSpeedStep = 0.0;
    std::int32_t m_nSubStepsX8 = 0;
    std::int32_t m_bTargetFilter = 0;
    std::int32_t m_nCooldownOther = 0;
    std::int32_t m_nInvincibleOther = 0;
    std::int32_t m_nCooldownHero = 0;
    std::int32_t m_nInvincibleHero = 0;

    // Not stored: sub-steps times 6, written with the other derived values.
    std::int32_t m_nSubStepsX6 = 0;

private:
    template <class T>
    void AddFrom(int version, int from, T* member) {
        if (version >= from) AddField(member);
    }
};

// Hit-check levels the player accepts; 11..19 are 1..9 sub-steps with the
// speed limit of level 10.
constexpr int kMinHitCheckLevel = 1;
constexpr int kMaxHitCheckLevel = 19;

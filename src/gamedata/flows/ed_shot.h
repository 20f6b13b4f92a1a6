#pragma once
// The shot part of a command: what a shot, sword or summon command launches
// and how. A shot keeps its own copy for its whole life.
//
// Rows 45 and 46 are what the contact rules read as "the shot passes through
// ordinary / block characters instead of vanishing" (1 = passes through);
// they are named for that meaning.
//
// Names used by the flow engine's texts for the same members:
//   m_cOrigin        m_cBase           m_cAnimeSel      m_cDir
//   m_bAim           m_cAim            m_cFormTarget    m_cAimSlot
//   m_bMirrorAngle   m_cMirrorAngle    m_sSpread        m_sAngleRand
//   m_cShotOption1   m_cRotateStart    m_cCopies        m_cSeries
//   m_sOffsetX/Y(Step) m_sCloneX/Y(Step) m_bMirrorOffsetX/Y m_cMirrorCloneX/Y
//   m_bHidden        m_cHidden         m_bShooterSide   m_cOwnerGroup
//   m_cSide          m_cGroup          m_cScale         m_cSize
//   m_cMoveKind      m_cMove           m_cMoveTarget    m_cMoveSlot
//   m_bDirectAim     m_cScrollFollow   m_bAccel         m_cAccel
//   m_bUseRange      m_cRangeLimit     m_bStopAtRange   m_cStopAtRange
//   m_bUseLife       m_cLifeLimit      m_bThroughBlocks m_cPassBlocks
//   m_cPierceChara / m_cPierceBlockChara (same names)
//   m_bShotClash     m_cCancel         m_cVanishValue   m_cCancelPower
//   m_sEffect        hit effect number m_sItem          m_sItemIndex
//   m_cBlockMode     m_cSummonMode     m_cSummonPalette m_cPalette
//   m_sSummon        m_sDefIndex       m_cSummonSide    m_cGroupMode
//   m_bReverseFacing m_cFlipDir        m_bAttackFlows   m_cShotAttack
//   m_cAttackFlowId  m_cShotAttackFilter
#include <array>
#include <cstdint>

#include "foundation/data_record.h"

class cEdShot : public cDataRecord {
public:
    cEdShot();

    void RegisterFields(int version) override;
    bool Load(cDataFile& file) override;
    void Save(cDataFile& file) override;
    // The values of a new part.
    void SetDefaults();
    // Scale at least 1; an effect index outside the effect database is 0.
    void Fix();

    // Launch offset of copy `index` of a burst; facing 1 is right.
    double GetCloneOffsetX(int index, int facing) const;
    double GetCloneOffsetY(int index, int facing) const;

    std::int8_t m_cCount = 0;
    std::int8_t m_cFormation = 0;
    std::array<std::int16_t, 3> m_sFormParam{};
    std::int8_t m_cOrigin = 0;
    std::int8_t m_cAnimeSel = 0;
    std::int8_t m_bAim = 0;
    std::int8_t m_cFormTarget = 0;
    std::int16_t m_sAngle = 0;
    std::int16_t m_sAngleStep = 0;
    std::int8_t m_bMirrorAngle = 1;
    std::int16_t m_sSpread = 0;
    std::int8_t m_cShotOption1 = 0;
    std::int8_t m_cCopies = 0;
    std::int16_t m_sOffsetX = 0;
    std::int16_t m_sOffsetStepX = 0;
    std::int16_t m_sOffsetY = 0;
    std::int16_t m_sOffsetStepY = 0;
    std::int8_t m_bMirrorOffsetX = 1;
    std::int8_t m_bMirrorOffsetY = 0;
    std::int16_t m_sGraphic = 0;
    std::int8_t m_cZ = 0;
    std::int8_t m_bHidden = 0;
    std::int8_t m_bShooterSide = 1;
    std::int8_t m_cSide = 0;
    std::int8_t m_cShotOption3 = 0;
    std::int8_t m_cScale = 1;
    std::int8_t m_cShotOption4 = 0;
    std::int8_t m_cMoveKind = 0;
    std::array<std::int16_t, 3> m_sMoveParam{};
    std::int8_t m_cMoveTarget = 0;
    std::int8_t m_bDirectAim = 0;
    std::int16_t m_sSpeed = 0;
    std::int16_t m_sSpeedStep = 0;
    std::int8_t m_bAccel = 0;
    std::int16_t m_sAccel = 0;
    std::int16_t m_sAccelStep = 0;
    std::int16_t m_sRange = 0;
    std::int8_t m_bUseRange = 0;
    std::int16_t m_sRangeStep = 0;
    std::int8_t m_bStopAtRange = 0;
    std::int8_t m_bUseLife = 0;
    std::int16_t m_sLife = 0;
    std::int16_t m_sLifeStep = 0;
    std::int8_t m_bThroughBlocks = 0;
    std::int8_t m_cPierceChara = 0;
    std::int8_t m_cPierceBlockChara = 0;
    std::int8_t m_bShotClash = 0;
    std::int8_t m_cVanishValue = 0;
    std::int32_t m_nPower = 0;
    std::int16_t m_sShotValue = 0;
    std::int8_t m_cImpact = 0;
    std::int16_t m_sEffect = 0;
    std::int8_t m_cItemPalette = 0;
    std::int16_t m_sItem = 0;
    std::int8_t m_cBlockMode = 0;
    std::int8_t m_bRestoreBlock = 0;
    std::int8_t m_bRestoreBlock2 = 0;
    std::int8_t m_cSummonPalette = 0;
    std::int16_t m_sSummon = 0;
    std::int8_t m_cSummonSide = 0;
    std::int8_t m_cSummonOption = 0;
    std::int8_t m_bReverseFacing = 0;
    std::int8_t m_bAttackFlows = 0;
    std::int8_t m_cAttackFlowId = 0;

private:
    void Upgrade(int version);
};

// Shot movement kinds that home in on their target.
inline bool IsHomingShotMove(int kind) { return kind >= 4 && kind <= 7; }

#pragma once
// A character definition: the hero or any other character, as a palette
// entry or placed on the stage, with its flows and the item it carries.
//
// Names used by the stage engine's texts for the same members:
//   m_cOperation   object kind (0 the hero)   m_cSide        block group
//   m_cFlying      move kind: 0..3 is the kind of SetMoveKind (flying
//                  kind = value - 1)           m_cScale       scale (0 read as 1)
//   m_bScrollSync  scroll follow              m_cSight       sight (hbl), the
//                  radius of the hero's light
//   m_cSightShape  light kind: 0 none, 1 round, 2 round ahead, 3 square,
//                  4 square ahead
//   m_nMaxHp       maximum life               m_nMaxSp       maximum SP
//   m_sStopEase    stop value                 m_cImpactResist impact defence
//   m_sAppearEffect, m_cAppearEffectMode, m_bAppearEffectLoop: the initial
//   character effect (number, run mode, loop flag)
#include <cstdint>

#include "gamedata/definitions/definition_base.h"
#include "gamedata/flows/flow.h"

class cCharaDef : public cDefinition {
public:
    static constexpr int kGroupCount = 37;

    cCharaDef();
    cCharaDef(const cCharaDef&) = default;
    cCharaDef(cCharaDef&&) noexcept = default;
    cCharaDef& operator=(const cCharaDef&) = default;
    void Assign(const cCharaDef& src) { *this = src; }

    void RegisterFields(int version) override;
    bool Load(cDataFile& file) override;
    void Save(cDataFile& file) override;

    // A new definition's values (no held item); cell, conditions and flows
    // stay.
    void ResetDefinition() override;
    void ApplyInheritance() override;
    void Normalize() override;
    void NormalizeRefs() override;

    // Placement offsets of clone value n for a character facing d.
    double GetSummonOffsetX(int n, int d) const;
    double GetSummonOffsetY(int n, int d) const;

    // Index of the carried item in the stage's placed items; -1 for none.
    std::int32_t m_nHeldItem = -1;
    cVector<cFlow> m_vFlow;

    std::int8_t m_cDirection = 0;
    std::int8_t m_cCloneCount = 0;
    std::int16_t m_sOffsetX = 0;
    std::int16_t m_sOffsetXStep = 0;
    std::int16_t m_sOffsetY = 0;
    std::int16_t m_sOffsetYStep = 0;
    std::int8_t m_bOffsetXMirror = 0;
    std::int8_t m_bOffsetYMirror = 0;
    std::int16_t m_sCell = 0;
    std::int8_t m_cSheet = 1;
    std::int16_t m_sSheetSub = 0;
    std::int16_t m_sAnimeSet = 0;
    std::int8_t m_cZ = 3;
    std::int8_t m_bTransparent = 0;
    std::int16_t m_sAppearEffect = 0;
    std::int8_t m_cAppearEffectMode = 0;
    std::int8_t m_bAppearEffectLoop = 1;
    std::int16_t m_sDeathEffect = 0;
    std::int8_t m_cDeathEffectMode = 0;
    std::int8_t m_bNoIcon = 0;
    std::int16_t m_sIconNo = 0;
    std::int8_t m_cOperation = 1;
    std::int8_t m_cPlayerNo = 0;
    std::int8_t m_cSide = 1;
    std::int8_t m_cCharaId = 0;
    std::int8_t m_cFlying = 0;
    std::int8_t m_bFixedDirection = 1;
    std::int8_t m_cInvincible = 0;
    std::int8_t m_cFlashColour = 0;
    std::int8_t m_bNoBox = 0;
    std::int8_t m_cScale = 1;
    std::int8_t m_bScrollSync = 0;
    std::int8_t m_cSightShape = 0;
    std::int8_t m_cSight = 0;
    std::int32_t m_nMaxHp = 10;
    std::int32_t m_nMaxSp = 0;
    std::int16_t m_sStopEase = 10;
    std::int8_t m_cHitKind = 0;
    std::int32_t m_nPower = 0;
    std::int8_t m_cImpact = 0;
    std::int16_t m_sEffect = 0;
    std::int32_t m_nDefence = 0;
    std::int8_t m_cImpactResist = 0;
    std::int32_t m_nScore = 0;
    std::int8_t m_cCharaProp35 = 1;
    std::int8_t m_bGroupOnActive = 0;
    std::int16_t m_sActiveGroup = 0;
    std::int8_t m_cActiveRange = 0;
    std::int8_t m_cActiveRule = 0;

private:
    void Upgrade(int fileVersion);
    // Makes room for a group that a newer version added at position p; the
    // new group is inherited.
    void InsertInheritGroup(int p);
};

// Operation of a character: the hero is player-operated.
namespace CharaOperation {
enum : int { Player = 0, Computer = 1 };
}

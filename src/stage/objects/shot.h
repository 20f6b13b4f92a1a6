#pragma once
// A shot or a sword slash. The stage state owns every shot in its shot list;
// the shooter and the target keep (shot, kind) pairs in their shot-link
// vectors, which Unlink takes back when the shot goes away.
#include <cstdint>

#include "foundation/checked_containers.h"
#include "gamedata/flows/ed_shot.h"
#include "stage/objects/stage_object.h"

class cChara;

// The contact rectangle in stage pixels.
struct HitRect {
    double left = 0.0, right = 0.0, top = 0.0, bottom = 0.0;
};

class cShot : public cObject {
public:
    cShot() = default;
    cShot(const cShot& other);
    cShot& operator=(const cShot& other);
    ~cShot() override;

    void OnScaleChanged(int scale) override;
    void AnchorOnScale(int scale, int oldScale, int flag) override;
    void UpdateHitRectX() override;
    void UpdateHitRectY() override;

    // Registers the shot in the shot-link vector of `chara` with `kind`
    // (0 aims at it, 4 owned by it) unless the pair is there.
    void LinkTo(cChara& chara, int kind);
    // Removes this shot's pairs from its target and owner and forgets both.
    void Unlink();

    std::int32_t m_nOwnerId = 0;
    std::int32_t m_bShot = 0;
    std::int32_t m_nRangeLeft = 0;
    std::int32_t m_nLifeLeft = 0;
    std::int32_t m_nMoveCount = 0;
    std::int32_t m_nSwordFrame = 0;
    double m_dAccel = 0.0;
    double m_dMoveSpeed = 0.0;
    double m_dOwnSpeedX = 0.0, m_dOwnSpeedY = 0.0;
    std::int32_t m_bAccel = 0;
    std::int32_t m_nMoveStart = 0, m_nMoveEnd = 0;
    std::int32_t m_bMoveDone = 0;
    double m_dWavePhase = 0.0, m_dWaveSin = 0.0, m_dWaveCos = 0.0;
    HitRect m_rcHit;
    OffsetRect m_rcShotBox;
    OffsetRect m_rcShotBoxBase;
    cList<cChara*> m_lstHitChara;
    cEdShot m_Param;
    cChara* m_lpTarget = nullptr;
    cChara* m_lpOwner = nullptr;
    std::int32_t m_bHit = 0;
    std::int32_t m_nOpt1 = 0;
    std::int8_t m_cOpt2 = 0;
    // A hit pushes along the shot's flight rather than the way it faces.
    std::int32_t m_bDirectionalImpact = 0;

private:
    void CopyShotMembers(const cShot& other);
};

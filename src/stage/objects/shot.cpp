#include "stage/objects/shot.h"

#include <algorithm>

#include "stage/objects/chara.h"

cShot::cShot(const cShot& other) : cObject(other) { CopyShotMembers(other); }

cShot& cShot::operator=(const cShot& other) {
    if (this == &other) return *this;
    // The pairs this shot held belong to its old self.
    Unlink();
    cObject::operator=(other);
    CopyShotMembers(other);
    return *this;
}

cShot::~cShot() { Unlink(); }

void cShot::CopyShotMembers(const cShot& other) {
    m_nOwnerId = other.m_nOwnerId;
    m_bShot = other.m_bShot;
    m_nRangeLeft = other.m_nRangeLeft;
    m_nLifeLeft = other.m_nLifeLeft;
    m_nMoveCount = other.m_nMoveCount;
    m_nSwordFrame = other.m_nSwordFrame;
    m_dAccel = other.m_dAccel;
    m_dMoveSpeed = other.m_dMoveSpeed;
    m_dOwnSpeedX = other.m_dOwnSpeedX;
    m_dOwnSpeedY = other.m_dOwnSpeedY;
    m_bAccel = other.m_bAccel;
    m_nMoveStart = other.m_nMoveStart;
    m_nMoveEnd = other.m_nMoveEnd;
    m_bMoveDone = other.m_bMoveDone;
    m_dWavePhase = other.m_dWavePhase;
    m_dWaveSin = other.m_dWaveSin;
    m_dWaveCos = other.m_dWaveCos;
    m_rcHit = other.m_rcHit;
    m_bDirectionalImpact = other.m_bDirectionalImpact;
    m_rcShotBox = other.m_rcShotBox;
    m_rcShotBoxBase = other.m_rcShotBoxBase;
    m_lstHitChara = other.m_lstHitChara;
    m_Param = other.m_Param;
    // A copy refers to the same characters but holds no pair of its own
    // until it registers.
    m_lpTarget = other.m_lpTarget;
    m_lpOwner = other.m_lpOwner;
    m_bHit = other.m_bHit;
    m_nOpt1 = other.m_nOpt1;
    m_cOpt2 = other.m_cOpt2;
}

void cShot::OnScaleChanged(int scale) {
    m_rcShotBox = {m_rcShotBoxBase.x * scale, m_rcShotBoxBase.y * scale, m_rcShotBoxBase.w * scale,
                   m_rcShotBoxBase.h * scale};
    ClampX(BoundMode::Grid);
    ClampY(BoundMode::Grid);
}

void cShot::AnchorOnScale(int scale, int oldScale, int) {
    if (scale == oldScale) return;
    m_dY -= (scale - oldScale) * (m_nBaseHeight / 2);
    ClampY(BoundMode::Grid);
}

void cShot::LinkTo(cChara& chara, int kind) {
    const ShotLink pair{this, kind};
    auto& links = chara.m_vecShotLink;
    if (std::find(links.begin(), links.end(), pair) == links.end()) links.push_back(pair);
}

namespace {

void DropPairsOf(cChara* chara, const cShot* shot) {
    if (!chara) return;
    auto& links = chara->m_vecShotLink;
    links.erase(std::remove_if(links.begin(), links.end(), [shot](const ShotLink& l) { return l.lpShot == shot; }),
                links.end());
}

}  // namespace

void cShot::Unlink() {
    DropPairsOf(m_lpTarget, this);
    DropPairsOf(m_lpOwner, this);
    m_lpTarget = nullptr;
    m_lpOwner = nullptr;
}

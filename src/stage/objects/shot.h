#pragma once
// A shot or a sword slash. The stage state owns every shot in its shot list;
// the shooter and the target keep (shot, kind) pairs in their shot-link
// vectors, which Unlink takes back when the shot goes away.
#include <cstdint>

#include "foundation/checked_containers.h"
#include "gamedata/flows/ed_shot.h"
#include "stage/core/aiming.h"
#include "stage/objects/stage_object.h"

class cChara;
struct DDSURFACEDATA;

// Where one shot or summoned object starts and how fast it flies: the
// record a series pass hands to its formation and the formation to the
// creation of each object. Speeds and velocities are pixels per frame.
struct cShotPlacement {
    std::int16_t nSeries = 0;
    double dSpeed = 0.0;
    int nAngle = 0;
    int nRange = 0;  // hbl
    int nLife = 0;   // tenths of a second
    double dVelX = 0.0, dVelY = 0.0;
    int nX = 0, nY = 0;  // top-left corner of the next object
    int nStartX = 0, nStartY = 0;
    int nRowDx = 0, nRowDy = 0;
    int nColDx = 0, nColDy = 0;
    int nWidth = 0, nHeight = 0;
    int nCloneX = 0, nCloneY = 0;
    int nDir = 0;
};

// Shot movement kinds.
namespace ShotMove {
enum : int {
    Straight = 0,
    AimHero,
    AimNearest,
    AimTarget,
    HomeHero,
    HomeNearest,
    HomeTarget,
    HomeNearestRetarget,
    Wave,
    Fall,
    Count
};
}

// The contact rectangle in stage pixels.
struct HitRect {
    double left = 0.0, right = 0.0, top = 0.0, bottom = 0.0;
};

class cShot final : public cObject {
public:
    cShot() = default;
    // A shot that starts from a copy of `param`, for Init to set up in place.
    explicit cShot(const cEdShot& param) : m_Param(param) {}
    cShot(const cShot& other);
    cShot& operator=(const cShot& other);
    ~cShot() override;

    // A live shot (command kind 11) or a sword slash (12) fired by
    // `shooter`; a slash's placement is all zeros. A size of 0 in `param`
    // is corrected to 1 there. `param` may be the shot's own m_Param.
    void Init(int id, cChara& shooter, int cmdKind, cEdShot& param, const cShotPlacement& placement);

    // One sub-step of logic; 1 asks the caller to remove the object.
    int Step();
    // Acceleration, speed limit and move; always 0.
    int MoveX();
    int MoveY();
    // Keeps x inside the grid unless the shot is as wide as its margin;
    // 3 when x was changed.
    int ClampX();
    using cObject::ClampX;
    // Whether the shot meets a solid block (never when it passes blocks).
    int HitTiles();
    // The acceleration pair of magnitude m_dAccel along (vx, vy).
    void SplitAccel(double& ax, double& ay, double vx, double vy) const;
    // The speed of the aiming and homing movements, pixels per sub-step.
    double MoveSpeed() const;
    // Sub-steps to fly `hbl` half blocks at that speed; 0 without speed.
    int StepsFor(int hbl) const;

    // Draws the object at its screen rectangle unless it is hidden;
    // `redraw` shows the current animation frame without advancing it.
    void Draw(DDSURFACEDATA* surface, int redraw);

    void OnScaleChanged(int scale) override;
    void AnchorOnScale(int scale, int oldScale, int flag) override;
    // Inline: the shot's own moves call them every sub-step.
    void UpdateHitRectX() override {
        m_rcHit.left = static_cast<int>(m_dX) + m_rcShotBox.x;
        m_rcHit.right = m_rcHit.left + m_rcShotBox.w - 1;
    }
    void UpdateHitRectY() override {
        m_rcHit.top = static_cast<int>(m_dY) + m_rcShotBox.y;
        m_rcHit.bottom = m_rcHit.top + m_rcShotBox.h - 1;
    }

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
    // The characters already hit, by id: a character that goes away leaves
    // no dangling entry, and a new one never inherits a hit.
    cList<int> m_lstHitChara;
    cEdShot m_Param;
    cChara* m_lpTarget = nullptr;
    cChara* m_lpOwner = nullptr;
    std::int32_t m_bHit = 0;
    std::int32_t m_nOpt1 = 0;
    std::int8_t m_cOpt2 = 0;
    // A hit pushes along the shot's flight rather than the way it faces. No
    // field of the shot record maps to it, so shots and slashes made from
    // commands keep it clear and push the way they face.
    std::int32_t m_bDirectionalImpact = 0;

    // Where the stage keeps this shot in its group's list, so it leaves it
    // without a search; never copied.
    cList<cShot*>::iterator m_itGroup{};
    bool m_bInGroup = false;

private:
    void CopyShotMembers(const cShot& other);
    void SetRangeLimit(const cShotPlacement& placement);
    int StepSword();
    // The grid bound of ClampY without its code, which a moving shot never
    // reads.
    void ClampGridY();
    void CarryByScroll();
    int StepLimits();

    // The movement routines of ShotMoveTable.
    void MoveNone() {}
    void AimHero();
    void AimNearest();
    void AimTarget();
    void HomeHero();
    void HomeNearest();
    void HomeTarget();
    void Wave();
    void Fall();
    void AimOnce(cChara* (cShot::*find)());
    void HomeWith(cChara* (cShot::*find)());
    void HomeOn(cChara& target);
    AimResult AimAt(cChara& target);
    cChara* Hero();
    cChara* NearestInForce();
    cChara* LiveTarget();

    using MoveRoutine = void (cShot::*)();
    static const cVector<MoveRoutine>& MoveTable();
};

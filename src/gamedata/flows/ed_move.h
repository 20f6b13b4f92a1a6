#pragma once
// The movement part of a command: how a motion or a warp is given, its speed,
// distance or time, inertia, axis locks, facing and animation.
//
// Names used by the flow engine's texts for the same members:
//   m_cDirection   direction kind / rotation     m_bUseX, m_bUseY  x on, y on
//   m_sTargetDotX/Y target x/y offset            m_cCoord   coordinate kind
//   m_cUnit        target unit                   m_cPoint   reference point
//   m_bArriveTime  arrival time                  m_bLockX/Y x/y locked
//   m_bMirrorX/Y   mirror target x/y             m_bTurnReverse reverse on turn
//   m_bStopOnArrive stop on arrival              m_bKeepFacing keep facing
//   m_sHoming(Step) delay / radius (step)        m_bInertia accelerate
//   m_dTurnFactor  reverse factor                m_cAnime   animation
//   m_cTarget      target slot
#include <cstdint>

#include "foundation/data_record.h"

class cEdMove : public cDataRecord {
public:
    cEdMove();

    void RegisterFields(int version) override;
    bool Load(cDataFile& file) override;
    void Save(cDataFile& file) override;
    // The values of a new part.
    void SetDefaults();

    std::int8_t m_cMode = 0;
    std::int8_t m_cDirection = 0;
    std::int16_t m_sAngle = 0;
    std::int16_t m_sAngleStep = 0;
    std::int8_t m_bMirrorAngle = 1;
    std::int8_t m_bUseX = 1;
    std::int8_t m_bUseY = 1;
    std::int16_t m_sTargetX = 0;
    std::int16_t m_sTargetY = 0;
    std::int16_t m_sTargetDotX = 0;
    std::int16_t m_sTargetDotY = 0;
    std::int8_t m_cCoord = 0;
    std::int8_t m_cUnit = 0;
    std::int8_t m_cPoint = 0;
    std::int8_t m_bArriveTime = 1;
    std::int8_t m_bLockX = 0;
    std::int8_t m_bLockY = 0;
    std::int8_t m_bMirrorX = 1;
    std::int8_t m_bMirrorY = 0;
    std::int8_t m_bTurnReverse = 1;
    std::int8_t m_bStopOnArrive = 0;
    std::int8_t m_bKeepFacing = 0;
    std::int8_t m_cTimeMode = 0;
    std::int16_t m_sSpeed = 10;
    std::int16_t m_sSpeedStep = 0;
    std::int16_t m_sDistance = 0;
    std::int16_t m_sDistanceStep = 0;
    std::int8_t m_cDistanceUnit = 0;
    std::int16_t m_sHoming = 0;
    std::int16_t m_sHomingStep = 0;
    std::int8_t m_bInertia = 0;
    std::int16_t m_sMaxSpeed = 0;
    double m_dTurnFactor = 1.0;
    std::int8_t m_cAnime = 0;
    std::int8_t m_cTarget = 0;

private:
    void Upgrade(int version);
};

#include "gamedata/flows/ed_move.h"

cEdMove::cEdMove() { SetDefaults(); }

void cEdMove::SetDefaults() {
    Reset();
    m_bMirrorAngle = 1;
    m_bUseX = 1;
    m_bUseY = 1;
    m_bArriveTime = 1;
    m_bMirrorX = 1;
    m_bTurnReverse = 1;
    m_sSpeed = 10;
    m_dTurnFactor = 1.0;
}

void cEdMove::RegisterFields(int version) {
    ClearFieldLists();
    AddField(&m_cMode);
    AddField(&m_cDirection);
    AddField(&m_sAngle);
    AddField(&m_sAngleStep);
    if (version >= 158) AddField(&m_bMirrorAngle);
    AddField(&m_bUseX);
    AddField(&m_bUseY);
    AddField(&m_sTargetX);
    AddField(&m_sTargetY);
    AddField(&m_sTargetDotX);
    AddField(&m_sTargetDotY);
    AddField(&m_cCoord);
    if (version >= 891) AddField(&m_cUnit);
    if (version >= 892) AddField(&m_cPoint);
    AddField(&m_bArriveTime);
    AddField(&m_bLockX);
    AddField(&m_bLockY);
    AddField(&m_bMirrorX);
    AddField(&m_bMirrorY);
    AddField(&m_bTurnReverse);
    AddField(&m_bStopOnArrive);
    if (version >= 162) AddField(&m_bKeepFacing);
    AddField(&m_cTimeMode);
    AddField(&m_sSpeed);
    AddField(&m_sSpeedStep);
    AddField(&m_sDistance);
    AddField(&m_sDistanceStep);
    if (version >= 159) AddField(&m_cDistanceUnit);
    AddField(&m_sHoming);
    AddField(&m_sHomingStep);
    AddField(&m_bInertia);
    AddField(&m_sMaxSpeed);
    AddField(&m_dTurnFactor);
    if (version >= 162) AddField(&m_cAnime);
    if (version >= 767) AddField(&m_cTarget);
}

bool cEdMove::Load(cDataFile& file) {
    if (!cDataRecord::Load(file)) return false;
    if (FileVersion < DataVersion) Upgrade(FileVersion);
    return true;
}

void cEdMove::Save(cDataFile& file) { cDataRecord::Save(file); }

void cEdMove::Upgrade(int v) {
    if (v < 158) m_bMirrorAngle = 0;
    if (v < 159) m_cDistanceUnit = 0;
    if (v < 162) {
        m_bKeepFacing = 0;
        m_cAnime = 0;
    }
    // The standing animation was inserted as 1; the command's own animation
    // moved from 1 to 2.
    if (v < 830 && m_cAnime == 1) m_cAnime = 2;
}

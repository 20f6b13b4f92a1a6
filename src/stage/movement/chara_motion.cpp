#include "gamedata/project/compat_switches.h"
#include "gamedata/project/system_data.h"
#include "gamedata/stage_file/stage_data.h"
#include "stage/movement/contact_triggers.h"
#include "stage/objects/chara.h"

namespace {

constexpr double kPushEpsilon = 1e-8;

// Two neighbours squeeze when both sides are touched and they press inward
// or move together.
bool Squeezed(int touchLow, int touchHigh, double pushLow, double pushHigh) {
    return touchLow && touchHigh && (pushLow > kPushEpsilon || pushHigh < -kPushEpsilon) && pushLow >= pushHigh;
}

}  // namespace

void cChara::ApplyGravity() {
    if (m_bFly || m_bRiding || m_bNoGravity || m_dImpactY < 0.0) return;
    m_dSpeedY += LoadedStage.m_dGravityStep;
}

bool cChara::IsOnGround() const {
    if (m_bRiding) return true;
    return m_lpGroundBlock && IsSolidFor(*m_lpGroundBlock, m_nBlockGroup);
}

void cChara::Land() {
    m_dSpeedY = m_dAccelY = m_dPushBottom = 0.0;
    m_bTouchBottom = 1;
    m_nAirSteps = m_bAirLock = m_bJumping = m_bJumpEnd = m_bImpact = 0;
    if (m_nCharaKind != 0) m_bCeiling = 0;
    // The bottom goes to the last pixel row above the block.
    m_dY -= (static_cast<int>(m_dBottom) & 31) + 1;
    AfterMoveY();
    FireContactTrigger(*this, ContactTrigger::BlockHit);
    FireContactTrigger(*this, ContactTrigger::BlockAboveBelow);
    FireContactTrigger(*this, ContactTrigger::BlockBelow);
}

void cChara::HitCeiling() {
    m_bJumpEnd = m_bJumping = m_bTouchTop = m_bCeiling = 1;
    m_dSpeedY = m_dAccelY = 0.0;
    if (!SwitchOn(Switch::CeilingImpact)) ClearImpact();
    // The top goes to the first pixel row below the block.
    m_dY += 32 - (static_cast<int>(m_dY) & 31);
    AfterMoveY();
    FireContactTrigger(*this, ContactTrigger::BlockHit);
    FireContactTrigger(*this, ContactTrigger::BlockAboveBelow);
    FireContactTrigger(*this, ContactTrigger::BlockAbove);
}

void cChara::EndImpact(int flag) {
    m_bRiding = 0;
    if (m_dImpactY == 0.0) m_dSpeedY = 0.0;
    if (flag) m_bImpactEnded = 1;
}

void cChara::TouchLeft(const cObject& other) {
    m_bTouchLeft = 1;
    if (!SwitchOn(Switch::TouchPush)) m_dPushLeft = other.m_dSpeedX;
}

void cChara::TouchRight(const cObject& other) {
    m_bTouchRight = 1;
    if (!SwitchOn(Switch::TouchPush)) m_dPushRight = other.m_dSpeedX;
}

void cChara::TouchTop(const cObject& other) {
    m_bTouchTop = 1;
    m_dPushTop = other.m_dSpeedY;
}

void cChara::TouchBottom(const cObject& other) {
    m_bTouchBottom = 1;
    m_dPushBottom = other.m_dSpeedY;
}

bool cChara::IsSqueezedX() const { return Squeezed(m_bTouchLeft, m_bTouchRight, m_dPushLeft, m_dPushRight); }

bool cChara::IsSqueezedY() const { return Squeezed(m_bTouchTop, m_bTouchBottom, m_dPushTop, m_dPushBottom); }

void cChara::SavePosition() {
    m_dSavedX = m_dX;
    m_dSavedY = m_dY;
    m_dSavedRight = m_dRight;
    m_dSavedBottom = m_dBottom;
}

void cChara::RestorePosition() {
    m_dX = m_dSavedX;
    m_dY = m_dSavedY;
    m_dRight = m_dSavedRight;
    m_dBottom = m_dSavedBottom;
}

#include "stage/objects/state_hash.h"

#include "gamedata/project/global_data.h"
#include "platform/random.h"
#include "stage/objects/block_map.h"
#include "stage/objects/item.h"
#include "stage/objects/player.h"
#include "stage/objects/shot.h"
#include "stage/objects/stage_chara.h"
#include "stage/objects/stage_state.h"

namespace {

void AddId(StateHasher& h, const cObject* object) { h.Add(object ? object->m_nId : -1); }

// A block-map cell by its index, so the value does not depend on where the
// map lives.
void AddCell(StateHasher& h, const cTileCell* cell) {
    if (!cell || StageBlockDefs.empty()) {
        h.Add(-1);
        return;
    }
    h.Add(static_cast<std::int64_t>(cell - &StageBlockDefs.front()));
}

void AddRect(StateHasher& h, const OffsetRect& r) {
    for (int v : {r.x, r.y, r.w, r.h}) h.Add(v);
}

void AddObject(StateHasher& h, const cObject& o) {
    for (int v : {o.m_nId, o.m_nLifeTime, o.m_nDirection, static_cast<int>(o.m_nClone), o.m_nGraphic, o.m_nGraphicKind,
                  o.m_nGraphicExtra2, o.m_nCharaKind, o.m_nPlayerNo, o.m_nBlockGroup}) {
        h.Add(v);
    }
    h.Add(o.m_Anim.GetAnim());
    h.Add(o.m_Anim.GetEntry());
    for (int v : {o.m_rcScreen.left, o.m_rcScreen.top, o.m_rcScreen.right, o.m_rcScreen.bottom}) h.Add(v);
    AddRect(h, o.m_rcGraphic);
    AddRect(h, o.m_rcGraphicBase);
    for (double v : {o.m_dX, o.m_dY, o.m_dRight, o.m_dBottom, o.m_dSpeedX, o.m_dSpeedY, o.m_dAccelX, o.m_dAccelY,
                     o.m_dAccelDecay, o.m_dExtra}) {
        h.Add(v);
    }
    for (int v : {o.m_nColLeft, o.m_nRowTop, o.m_nColRight, o.m_nRowBottom, o.m_bDecayX, o.m_bDecayY, o.m_bScrollFollow,
                  o.m_nWidth, o.m_nHeight, o.m_nBaseWidth, o.m_nBaseHeight, o.m_bFly, static_cast<int>(o.m_cFlyKind),
                  o.m_bExists, o.m_bOnScreen, static_cast<int>(o.m_bCondMet)}) {
        h.Add(v);
    }
}

void AddFlows(StateHasher& h, const cChara& c) {
    h.Add(c.m_nFlowSerial);
    h.Add(c.m_vecFlowInst.Count());
    for (const cFlowInst& f : c.m_vecFlowInst) {
        for (int v : {f.m_nIndex, f.m_nSerial, static_cast<int>(f.m_bCondLatched), f.m_bKeyHeld, f.m_bKeyWasMet,
                      f.m_bRunning, f.m_bPaused, f.m_bStopped, f.m_bDelete, f.m_nCur, f.m_nFrame, f.m_nStartDir,
                      f.m_bOnce, f.m_bStartedNow, f.m_bMsgChain, f.m_bBreak}) {
            h.Add(v);
        }
        h.Add(f.m_vecCmdInst.Count());
        for (const cCmdInst& cmd : f.m_vecCmdInst) {
            for (int v : {cmd.m_bDone, cmd.m_nTime, cmd.m_nCount, static_cast<int>(cmd.m_cMoveDir)}) h.Add(v);
            h.AddAll(cmd.m_nPrepared);
            h.AddAll(cmd.m_nWork);
            for (double v :
                 {cmd.m_dSpeed, cmd.m_dWorkSpeedX, cmd.m_dWorkSpeedY, cmd.m_dMaxSpeed, cmd.m_dPhaseX, cmd.m_dPhaseY}) {
                h.Add(v);
            }
            h.Add(static_cast<int>(cmd.m_lstAimPoint.size()));
            for (const auto& point : cmd.m_lstAimPoint) h.AddAll(point);
        }
        h.Add(f.m_vecAnimSched.Count());
        for (const AnimSchedule& s : f.m_vecAnimSched) {
            for (int v : {s.nStart, s.nStartAgain, static_cast<int>(s.sAnim), static_cast<int>(s.sSkip),
                          static_cast<int>(s.sLeadIn), static_cast<int>(s.sDuration), s.bLoop}) {
                h.Add(v);
            }
        }
        h.Add(static_cast<int>(f.m_listArrange.size()));
        for (const cVector<int>& a : f.m_listArrange) h.AddAll(a);
    }
}

void AddChara(StateHasher& h, const cChara& c) {
    AddObject(h, c);
    for (const cChara* t : c.m_vecTarget) AddId(h, t);
    AddId(h, c.m_lpParent);
    h.Add(c.m_vecLink.Count());
    for (const CharaLink& l : c.m_vecLink) {
        AddId(h, l.lpChara);
        h.Add(l.nKind);
    }
    h.Add(c.m_vecShotLink.Count());
    for (const ShotLink& l : c.m_vecShotLink) {
        AddId(h, l.lpShot);
        h.Add(l.nKind);
    }
    h.Add(c.m_bParentAttack);
    h.Add(static_cast<int>(c.m_cAttackFilter));
    AddFlows(h, c);
    h.AddAll(c.m_vecGroupLock);
    h.AddAll(c.m_vecGroupRelease);
    h.AddAll(c.m_vecGroupStarted);
    h.AddAll(c.m_nPlace);
    for (int v : {c.m_bGroupReleasePending,
                  c.m_bFlowDeletePending,
                  c.m_bAnimRequest,
                  c.m_nAnimRequest,
                  c.m_nAnimRequestPrio,
                  c.m_bImpact,
                  c.m_bNoGravity,
                  c.m_nPrevDirection,
                  c.m_bAirLock,
                  c.m_bJumpEnd,
                  c.m_bJumping,
                  c.m_bCeiling,
                  c.m_nAirSteps,
                  c.m_nGraphicChange,
                  c.m_bPinScreenX,
                  c.m_bPinScreenY,
                  c.m_nPinScreenX,
                  c.m_nPinScreenY,
                  c.m_bDead,
                  c.m_bTouchLeft,
                  c.m_bTouchRight,
                  c.m_bTouchTop,
                  c.m_bTouchBottom,
                  c.m_bImpactEnded,
                  c.m_nWallSide,
                  c.m_bRiding,
                  c.m_nRideId,
                  c.m_nLife,
                  c.m_nSP,
                  c.m_nInvincible,
                  c.m_bVanish,
                  c.m_nSightPx}) {
        h.Add(v);
    }
    for (double v : {c.m_dImpactX, c.m_dImpactY, c.m_dPrevImpactY, c.m_dPushLeft, c.m_dPushRight, c.m_dPushTop,
                     c.m_dPushBottom, c.m_dRideX, c.m_dRideY, c.m_dRideRight, c.m_dRideBottom, c.m_dSavedX, c.m_dSavedY,
                     c.m_dSavedRight, c.m_dSavedBottom}) {
        h.Add(v);
    }
    AddCell(h, c.m_lpGroundBlock);
    AddCell(h, c.m_lpLastGroundBlock);
    AddCell(h, c.m_lpPrevGroundBlock);
    for (const GaugeRecord* g : {&c.m_LifeGauge, &c.m_SpGauge}) {
        h.Add(g->nRemain);
        h.Add(g->dTrail);
        h.Add(g->dTrailStep);
        h.Add(g->nFill);
    }
    h.AddAll(c.m_vecVar);
    h.Add(static_cast<int>(c.m_lstCooldown.size()));
    for (const HitCooldown& cd : c.m_lstCooldown) {
        h.Add(cd.nAttacker);
        h.Add(cd.nSteps);
    }
    h.Add(static_cast<int>(c.m_listAnimLayer.size()));
    for (const cAnimLayer& l : c.m_listAnimLayer) {
        for (int v : {l.m_nAnim, l.m_bTimed, l.m_nRemain, l.m_nDuration, l.m_nSerial, l.m_bPaused}) h.Add(v);
    }
    const cCharaEffectRun& run = c.m_EffectRun;
    for (int v : {run.nEffect, run.nMode, run.bLoop, run.bReversedNow, run.nStart, run.nEnd, run.nTime, run.nPhase,
                  run.bVisible}) {
        h.Add(v);
    }
    for (double v : {run.dValue, run.dStep, run.dElapsed}) h.Add(v);
    for (const CharaBox* b : {&c.m_rcBodyBox, &c.m_rcShotBox}) {
        AddRect(h, b->rc);
        AddRect(h, b->rcBase);
        for (double v : {b->dLeft, b->dTop, b->dRight, b->dBottom}) h.Add(v);
    }
    // The status values a rule may change.
    const cCharaDef& d = c.m_Def;
    for (int v : {static_cast<int>(d.m_sAnimeSet), static_cast<int>(d.m_bTransparent),
                  static_cast<int>(d.m_bFixedDirection), static_cast<int>(d.m_cFlying),
                  static_cast<int>(d.m_cInvincible), static_cast<int>(d.m_cScale), static_cast<int>(d.m_bScrollSync),
                  d.m_nMaxHp, d.m_nMaxSp, d.m_nPower, d.m_nDefence, d.m_nScore, static_cast<int>(d.m_cImpact),
                  static_cast<int>(d.m_cImpactResist), static_cast<int>(d.m_sStopEase), d.m_vFlow.Count()}) {
        h.Add(v);
    }
}

void AddPlayer(StateHasher& h, const cPlayer& p) {
    AddChara(h, p);
    h.Add(p.m_nGroundKind);
    h.Add(p.m_dGroundValue);
    h.Add(p.m_nGroundSteps);
    h.Add(p.m_nItemBlockWait);
    for (int v :
         {p.m_bJumpReady, p.m_nJumpFrames, p.m_bNoJumpGround, p.m_bJumpDone, p.m_bChangePosSaved, p.m_bChangePosPending,
          p.m_nFlowSteps, static_cast<int>(p.m_listTouchedItems.size()), p.m_vecDeferredCmd.Count()}) {
        h.Add(v);
    }
    for (double v : {p.m_dSlipRate, p.m_dChangeX, p.m_dChangeY, p.m_dChangeRight, p.m_dChangeBottom}) h.Add(v);
    for (int item : p.m_listTouchedItems) h.Add(item);
}

void AddItem(StateHasher& h, const cItem& item) {
    AddObject(h, item);
    h.Add(item.m_bHeld);
}

void AddShot(StateHasher& h, const cShot& s) {
    AddObject(h, s);
    for (int v : {s.m_nOwnerId, s.m_bShot, s.m_nRangeLeft, s.m_nLifeLeft, s.m_nMoveCount, s.m_nSwordFrame, s.m_bAccel,
                  s.m_nMoveStart, s.m_nMoveEnd, s.m_bMoveDone, s.m_bHit, s.m_nOpt1, static_cast<int>(s.m_cOpt2),
                  s.m_bDirectionalImpact}) {
        h.Add(v);
    }
    for (double v : {s.m_dAccel, s.m_dMoveSpeed, s.m_dOwnSpeedX, s.m_dOwnSpeedY, s.m_dWavePhase, s.m_dWaveSin,
                     s.m_dWaveCos, s.m_rcHit.left, s.m_rcHit.right, s.m_rcHit.top, s.m_rcHit.bottom}) {
        h.Add(v);
    }
    AddRect(h, s.m_rcShotBox);
    AddRect(h, s.m_rcShotBoxBase);
    h.Add(static_cast<int>(s.m_lstHitChara.size()));
    for (int id : s.m_lstHitChara) h.Add(id);
    AddId(h, s.m_lpTarget);
    AddId(h, s.m_lpOwner);
}

void AddScroll(StateHasher& h, const cScrollAxis& a) {
    h.Add(a.m_dPos);
    h.Add(a.m_dAutoSpeed);
    for (int v : {a.m_bAtLimit, a.m_nAxis, a.m_nView, a.m_nMin, a.m_nMax, a.m_nOuterMin, a.m_nOuterMax,
                  a.m_nBlockOffset, a.m_nGridPixels, a.m_nGridCells, a.m_nPitch, a.m_nPitchShift, a.m_bAutoScroll}) {
        h.Add(v);
    }
}

// The second start banner's counter is left out: a replay shows its own
// banner instead, so the counter differs from the recorded attempt's while
// play does not read it.
void AddStage(StateHasher& h, const cStageState& s) {
    AddScroll(h, s.m_ScrollX);
    AddScroll(h, s.m_ScrollY);
    for (int v : {s.m_nResumeState, s.m_nResumeSubStep, s.m_nEndRequest,
                  s.m_bQuit,        s.m_bItemMessage,   s.m_nPlayers,
                  s.m_nSubStepNo,   s.m_nSubStepTotal,  s.m_nTime,
                  s.m_bNoTimeLimit, s.m_nFrames,        s.m_nClearTime,
                  s.m_nBanner,      s.m_nSeed,          s.m_bButtonLatch,
                  s.m_bLifeCheck,   s.m_nNextCharaId,   s.m_nNextItemId,
                  s.m_nNextShotId,  s.m_bRangeChara,    s.m_bRangeBlockChara,
                  s.m_bRangeItem,   s.m_nPlayFrame,     s.m_bAutoSaveOnClear,
                  s.m_bInShotPass}) {
        h.Add(v);
    }
    h.AddAll(s.m_Wait);
    AddId(h, s.m_lpCurChara);
    h.AddAll(s.m_vecShotPass);
    h.AddAll(s.m_vecStageVar);
    h.AddAll(s.m_vecAreaFlag);
    h.AddAll(s.m_vecToggledCell);
    for (const cList<cChara*>& group : s.m_vecForce) {
        h.Add(static_cast<int>(group.size()));
        for (const cChara* c : group) AddId(h, c);
    }
    for (const cList<cShot*>& group : s.m_vecForceShot) {
        h.Add(static_cast<int>(group.size()));
        for (const cShot* shot : group) AddId(h, shot);
    }
}

void AddProgress(StateHasher& h, const cStorySave& p) {
    for (int v : {p.m_nStageScore, p.m_nScore, p.m_nLives, p.m_nStartLives, p.m_nClearedScore, p.m_nTimeLeftTotal,
                  p.m_nClearTimeTotal, p.m_nHpTotal, p.m_nSpTotal}) {
        h.Add(v);
    }
    h.AddAll(p.m_vVar);
}

}  // namespace

std::uint64_t StageStateHash(const cStageState& state) {
    StateHasher h;
    h.Add(static_cast<std::int64_t>(platform::RandState()));
    AddStage(h, state);
    AddProgress(h, StoryData);
    h.Add(PlayerList.Count());
    for (const cPlayer& p : PlayerList) AddPlayer(h, p);
    h.Add(static_cast<int>(CharaList.size()));
    for (const cStageChara& c : CharaList) {
        AddChara(h, c);
        AddItem(h, c.m_HeldItem);
        for (int v : {c.m_bInView, c.m_bAwake, c.m_nIconBlink, c.m_bSkipViewX, c.m_bSkipViewY, c.m_bWokenOnce})
            h.Add(v);
    }
    h.Add(static_cast<int>(ItemList.size()));
    for (const cItem& item : ItemList) AddItem(h, item);
    h.Add(static_cast<int>(state.m_lstShot.size()));
    for (const cShot& shot : state.m_lstShot) AddShot(h, shot);
    h.Add(StageBlockDefs.Count());
    for (const cTileCell& cell : StageBlockDefs) {
        h.Add(static_cast<int>(cell.m_Def.m_sCell));
        h.Add(static_cast<int>(cell.m_Def.m_cContact));
        h.Add(static_cast<int>(cell.m_bLatch));
    }
    return h.Value();
}

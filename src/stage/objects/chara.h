#pragma once
// The common base of the hero and the other characters of a stage: its own
// working copy of its definition (whose property fields are its status
// values), four target slots and the links that keep other objects'
// references to it consistent, the flow instances of its programme, impact,
// jump and contact state, life, SP, character variables, invincibility and
// the animation layers.
#include <array>
#include <cstdint>

#include "foundation/checked_containers.h"
#include "gamedata/definitions/chara_def.h"
#include "stage/core/chara_effect_run.h"
#include "stage/core/flow_inst.h"
#include "stage/objects/anim_layers.h"
#include "stage/objects/block_map.h"
#include "stage/objects/stage_object.h"

class cChara;
struct GraphicSource;
struct DDSURFACEDATA;
class cShot;
class cItem;

// Another character's reference to this one: kinds 0 to 3 it holds this
// character in its target slot kind + 1, kind 4 this character is its child.
struct CharaLink {
    cChara* lpChara = nullptr;
    int nKind = 0;
    bool operator==(const CharaLink&) const = default;
};
// A shot's reference: kind 0 it aims at this character, 4 it was fired by it.
struct ShotLink {
    cShot* lpShot = nullptr;
    int nKind = 0;
    bool operator==(const ShotLink&) const = default;
};
namespace LinkKind {
enum : int { Target = 0, Child = 4 };
}

// A gauge shown for a while after a life or SP change.
struct GaugeRecord {
    int nRemain = 0;
    double dTrail = 0.0;
    double dTrailStep = 0.0;
    int nFill = 0;
};

// A per-attacker hit cooldown.
struct HitCooldown {
    int nAttacker = 0;
    int nSteps = 0;
};

// A box of a character: offsets at the current scale and at scale 1, and
// its edges in stage pixels.
struct CharaBox {
    OffsetRect rc;
    OffsetRect rcBase;
    double dLeft = 0.0, dTop = 0.0, dRight = 0.0, dBottom = 0.0;
};

// A box size of the stage settings, with its bottom-align flag.
struct BoxSize {
    int w = 0, h = 0;
    int bottom = 0;
};

// The edges of `box` on one axis from the object's position.
void SetBoxEdgesX(CharaBox& box, double x);
void SetBoxEdgesY(CharaBox& box, double y);
// The box at scale `scale` of its base.
void ScaleBox(CharaBox& box, int scale);

constexpr int kTargetSlots = 4;
constexpr int kFlowGroupSlots = 27;
constexpr int kCharaVarCount = 9;

// The members a character adds to the object part, kept in one base so that
// a character copies them as one (Assign) and then relinks its flows.
struct cCharaData {
    cVector<cChara*> m_vecTarget = cVector<cChara*>(kTargetSlots);
    cChara* m_lpParent = nullptr;
    cVector<CharaLink> m_vecLink;
    cVector<ShotLink> m_vecShotLink;
    int m_bParentAttack = 0;
    std::int8_t m_cAttackFilter = 0;
    cCharaDef m_Def;
    int m_nFlowSerial = 0;
    cVector<cFlowInst> m_vecFlowInst;
    cVector<std::uint8_t> m_vecGroupLock = cVector<std::uint8_t>(kFlowGroupSlots);
    cVector<std::uint8_t> m_vecGroupRelease = cVector<std::uint8_t>(kFlowGroupSlots);
    cVector<std::uint8_t> m_vecGroupStarted = cVector<std::uint8_t>(kFlowGroupSlots);
    int m_bGroupReleasePending = 0;
    int m_bFlowDeletePending = 0;
    // Nesting of this character's flow step: while it runs, a deleted flow
    // is only flagged.
    int m_nFlowStepDepth = 0;
    std::array<int, 4> m_nPlace{};
    int m_bAnimRequest = 0, m_nAnimRequest = 0, m_nAnimRequestPrio = 0;
    double m_dImpactX = 0.0, m_dImpactY = 0.0;
    int m_bImpact = 0;
    double m_dPrevImpactY = 0.0;
    int m_bNoGravity = 0;
    int m_nPrevDirection = -1;
    int m_bAirLock = 1;
    int m_bJumpEnd = 0;
    int m_bJumping = 0;
    int m_bCeiling = 0;
    int m_nAirSteps = 0;
    cTileCell* m_lpGroundBlock = nullptr;
    cTileCell* m_lpLastGroundBlock = nullptr;
    cTileCell* m_lpPrevGroundBlock = nullptr;
    int m_nGraphicChange = 0;
    int m_bPinScreenX = 0, m_bPinScreenY = 0;
    int m_nPinScreenX = 0, m_nPinScreenY = 0;
    int m_bDead = 0;
    int m_bTouchLeft = 0, m_bTouchRight = 0, m_bTouchTop = 0, m_bTouchBottom = 0;
    double m_dPushLeft = 0.0, m_dPushRight = 0.0, m_dPushTop = 0.0, m_dPushBottom = 0.0;
    int m_bImpactEnded = 0;
    int m_nWallSide = 0;  // the side of the last wall touched: 0 left, 1 right
    int m_bRiding = 0;
    int m_nRideId = 0;
    double m_dRideX = 0.0, m_dRideY = 0.0, m_dRideRight = 0.0, m_dRideBottom = 0.0;
    double m_dSavedX = 0.0, m_dSavedY = 0.0, m_dSavedRight = 0.0, m_dSavedBottom = 0.0;
    int m_nLife = 0;
    GaugeRecord m_LifeGauge;
    int m_nSP = 0;
    GaugeRecord m_SpGauge;
    cVector<int> m_vecVar = cVector<int>(kCharaVarCount);
    int m_nInvincible = 0;
    cList<HitCooldown> m_lstCooldown;
    AnimLayerList m_listAnimLayer;
    cCharaEffectRun m_EffectRun;
    int m_nDeathFrames = 0;  // frames of a dead hero shown without an effect
    int m_bVanish = 0;
    int m_nSightPx = 0;
    CharaBox m_rcBodyBox;
    CharaBox m_rcShotBox;
};

class cChara : public cObject, public cCharaData {
public:
    cChara();
    cChara(const cChara& other);
    cChara& operator=(const cChara& other);
    ~cChara() override;

    void AnchorOnScale(int scale, int oldScale, int flag) override;
    void SetCenter(int x, int y) override;
    void ArriveAt(int x, int y, cCmdInst* cmd) override;
    void SetCenterX(int x) override;
    void ArriveAtX(int x, cCmdInst* cmd) override;
    void SetCenterY(int y) override;
    void ArriveAtY(int y, cCmdInst* cmd) override;

    // Every member of `other`, the object part included; the flow instances
    // are relinked to this character's definition copy. The copy refers to
    // the same characters, with pairs of its own; nobody refers to it yet.
    virtual void Assign(const cChara& other);
    virtual cItem* GetHeldItem() { return nullptr; }
    virtual int AfterMoveX() { return 0; }
    virtual int AfterMoveY() { return 0; }
    virtual int MoveX() { return 0; }
    virtual int MoveY() { return 0; }
    // One step of every running flow. 1 when the character's life is 0 or
    // less afterwards, or a stage character's removal was asked for (its
    // remaining flows are then not stepped). With `onlyDeath` set only the
    // death flows are stepped.
    virtual int StepCharaFlows(int onlyDeath);
    virtual void Jump(cCmdInst*) {}

    // Movement, gravity and the calls of the contact rules.
    void ApplyGravity();
    bool IsOnGround() const;
    void Land();
    void HitCeiling();
    void EndImpact(int flag);
    void TouchLeft(const cObject& other);
    void TouchRight(const cObject& other);
    void TouchTop(const cObject& other);
    void TouchBottom(const cObject& other);
    bool IsSqueezedX() const;
    bool IsSqueezedY() const;
    void SavePosition();
    void RestorePosition();

    // Impacts: knock-back speeds that replace the horizontal speed and are
    // superimposed on the vertical one, decaying by 1/n per sub-step.
    void ApplyImpact(int strength, double dx, double dy, int& effective);
    void ImpactFromChara(const cChara& attacker, int& effective);
    void ImpactFromShot(const cShot& shot, int& effective);
    void ApplyImpactY();
    void ClearImpact();
    void CountDownImpactX();
    void CountDownImpactY();
    bool IsWalking() const { return m_Def.m_cFlying == 0; }
    // A block character: others stand on it and are pushed out of it.
    bool IsBlockChara() const { return m_Def.m_bNoBox != 0; }

    // Invincibility after a hit: general, and per attacker (`m_nId`).
    void StartInvincibility();
    void StartHitCooldown(int attacker);
    void CountDownInvincibility();
    bool IsInvincible() const { return m_nInvincible > 0; }
    bool IsInvincibleTo(int attacker) const;
    // Life and SP within 0 .. their maximum; true when life is now 0. Without
    // `force` a character of a non-zero damage mode loses no life.
    bool ChangeLife(int delta, int force, int gauge);
    void ChangeSP(int delta, int gauge);
    void StartLifeGauge(int delta);
    void StartSPGauge(int delta);
    // A hit of another character's body: its power less this defence (a
    // power of 0 or less heals), then its impact. True when it killed.
    bool TakeCharaDamage(const cChara& attacker, int& damage, int& impact);
    // The same for a shot: its power, its hit rectangle, its impact.
    bool TakeShotDamage(const cShot& shot, int& damage, int& impact);
    // The triggers of a hit on this character, and of the attacker when
    // the hit counts as its attack (or its parent's).
    void OnCharaHit(cChara& attacker, int damage, int impact);
    void OnShotHit(cShot& shot, int damage, int impact);
    // Runs the death flows, adds the score and hands the carried item to
    // the hero; 1 when the death did not happen (the stage was cleared, or
    // the item ended the run), else the character is dead and released.
    int Die();

    // The state of a freshly placed character. Without a definition the
    // previous copy stays and life and SP are 0.
    void Reset(const cCharaDef* def, const std::array<int, 4>& place, int clone);
    // Target slot 1 becomes the hero; `parent` (may be null) becomes the parent.
    void LinkToHero(cChara* parent);
    // So that no object keeps a reference to this character, and no object
    // keeps a pair for a reference this character gives up.
    void ReleaseLinks();
    // Rebuilds the flow instances' pointers into the definition copy.
    void RelinkFlows();

    // Flow instances of `flows` (loops expanded in place): with `add` 0
    // they replace every flow (the flows become the definition copy's);
    // with `add` set they are inserted at `position` when it lies inside
    // the flow list, else appended.
    void AddFlows(cVector<cFlow>& flows, int add, int position);
    void SetFlows(const cVector<cFlowInst>& instances);
    // Ends the flow, drops its animation layers and removes it.
    void RemoveFlow(int index);
    // Removes every flow of flow ID `id` and returns the index of the first
    // removed one (-1 none); ID 0 removes every flow and layer (returns 0).
    int RemoveFlowsById(int id);
    // The flow operation's removal: at once, or flagged for the end of the
    // step when this character's flows are being stepped.
    void DeleteFlow(int index);
    void RemoveDeletedFlows();
    void StartScheduledAnims();

    // Conditions on characters: state switches, facing and presence, and
    // the distance to the hero or a target.
    bool TestCondition(const cCond& cond);
    bool TestTargetCondition(const cCond& cond);
    bool TestTargetDistance(const cCond& cond);
    // The flow's key conditions against the hero's recent input.
    bool CheckKeyConds(cFlowInst& flow);

    // Starts every flow of trigger `kind` whose group lock, flow ID (a
    // filter of 1 or more), once-per-frame flag, conditions and key
    // conditions allow it; `partner` (may be null) goes into the flow's
    // partner slot when the flow asks for it.
    void StartFlowsByTrigger(int kind, cChara* partner, int filter);
    void FireTrigger(int kind) { StartFlowsByTrigger(kind, nullptr, 0); }
    // Once per frame, before the first sub-step.
    void ResetFlowOnceFlags();

    void SetAnimeSet(int set, int force);
    void ClearContacts();
    void PlaceAtCell(int column, int row, int flag);
    void PlaceX(int column);
    void PlaceY(int row, int flag);
    void SetBoxOffsets(int bottomAligned, int width, int height);
    // A box of (width, height) in the 32 x 32 cell around the graphic:
    // centred, or on the cell's bottom; at scale 1 and now alike.
    void PlaceBox(CharaBox& box, int bottomAligned, int width, int height) const;
    // The body box by the definition's body-box source, from the stage's
    // sizes: 0 the state's body box, 1 the shot box, 2 the second body box,
    // 3 the whole cell; any other source keeps the box.
    void ChooseBodyBox(int source, const BoxSize& body, const BoxSize& shot, const BoxSize& second);
    // Edges of the body and shot boxes from the position.
    void UpdateBoxEdgesX();
    void UpdateBoxEdgesY();

    void RemoveLayersOfFlow(int serial);
    void RemoveLayersOfAnim(int anim);
    void PauseLayersOfFlow(int serial);
    void ResumeLayersOfFlow(int serial);

    // The definition's scale: blocks covered per side, 0 read as 1.
    int Scale() const { return m_Def.m_cScale > 0 ? m_Def.m_cScale : 1; }

    static int HblToPixels(std::int8_t h) { return h * 16; }
    static double StopToDecay(std::int16_t s);
    // The initial vertical speed (negative, upward) that rises `height` pixels.
    double JumpSpeedForHeight(double height) const;
    double JumpSpeedForHbl(int hbl) const { return JumpSpeedForHeight(hbl * 16.0); }
    // Sub-steps until a speed `v` has turned to falling.
    static int SpeedToFrames(double v);
    // A jump's rise time as a command time in tenths of a second.
    int JumpTimeForHbl(int hbl) const;

    // Drawing (stage/drawing): the animation frame, the sheet column and
    // flash colour, the per-frame draw, the death display, the effect run
    // of a hidden character; the gauges and the hero's marker rectangles;
    // the distance-condition areas of every character.
    int PickGraphic(int noAdvance);
    int GetGraphicColumn(GraphicSource& source) const;
    void Draw(DDSURFACEDATA* dst, int noAdvance);
    int DrawHeld(DDSURFACEDATA* dst, int noAdvance);
    int DrawEffectOnly(int noAdvance);
    void DrawGauge(DDSURFACEDATA* dst, GaugeRecord& gauge, int which);
    void DrawLifeGauge(DDSURFACEDATA* dst) { DrawGauge(dst, m_LifeGauge, 0); }
    void DrawSpGauge(DDSURFACEDATA* dst) { DrawGauge(dst, m_SpGauge, 1); }
    void DrawMarkerRects(DDSURFACEDATA* dst, int noAdvance);
    void DrawConditionArea(DDSURFACEDATA* dst, const cCond& cond);
    static void DrawConditionAreas(DDSURFACEDATA* dst);
    // The icon of a picked-up item, shown above the character for a moment.
    void ShowPickupIcon(int graphicKind, int graphicNumber, int column);

protected:
    // The hero's own parts of a flow step (its jump and step counters, the
    // item commands held back while its flows ran); nothing for others.
    virtual void BeginFlowStep() {}
    virtual void AfterFlowsRan() {}
    virtual void EndFlowStep() {}

private:
    void ResetStepSpeeds();
    // Steps the flows; true when the step ends early (removal or life out).
    bool StepFlowInstances(int onlyDeath);

    // After a copy: no pair refers to this object; its own references get
    // their pairs.
    void AdoptLinks();
};

// Stores `object` in target slot `slot` (0 to 3) of `chara`, keeping the
// links both ways; with no object and `clear` set the slot is emptied.
void SetTarget(cChara& chara, int slot, cChara* object, int clear);

#pragma once
// The hero: the character that the player's input moves and the view
// follows. Besides a character it has its input record, the jump and
// ground-effect state of its moves, a third box that picks up items, the
// marker rectangles that show its boxes, the position a graphic change
// keeps, and the item commands held back while its own flows run.
#include <array>
#include <cstdint>

#include "foundation/checked_containers.h"
#include "gamedata/flows/flow_cmd.h"
#include "stage/objects/chara.h"

class cKeyState;

// A rectangle drawn over one of the hero's boxes.
struct MarkerRect {
    int nAnchor = 0;  // MarkerAnchor
    int nStyle = 0;   // 0 none, 1 filled, 2 outlined
    int nColour = 0;  // palette colour number
    int x = 0, y = 0;
    int w = 0, h = 0;
    int nBlink = 0;
    bool operator==(const MarkerRect&) const = default;
};

namespace MarkerAnchor {
enum : int { HitBox = 0, BodyBox = 1, ItemBox = 2, ShotBox = 3 };
}

class cPlayer : public cChara {
public:
    cPlayer() = default;
    cPlayer(const cPlayer&) = default;
    cPlayer& operator=(const cPlayer&) = default;

    // Makes this the placed hero of `def`; `place` goes to the reset.
    void InitFromDef(int id, cCharaDef& def, const std::array<int, 4>& place);
    // Walking or flying (`moveKind`), with the hit box and the boxes of
    // the new state. `savePos` keeps the position, `restorePos` puts it
    // back once the change has settled.
    void ChangeGraphic(int moveKind, int applyScale, int savePos, int restorePos);
    // The hit size of the current state and the graphic cell offsets that
    // place it in the 32 x 32 cell.
    void HeroHitSize(int& gx, int& gy, int& w, int& h) const;
    void BuildMarkers();

    void OnScaleChanged(int scale) override;
    void UpdateHitRectX() override;
    void UpdateHitRectY() override;
    // The camera follows the hit box, then the bound keeps the hero in.
    int AfterMoveX() override;
    int AfterMoveY() override;
    int MoveX() override;
    int MoveY() override;
    // One sub-step of the jump command, at most once a frame: starts the
    // jump on a fresh press, ends the rise when the key is let go early or
    // held for the command's whole time.
    void Jump(cCmdInst* cmd) override;

    void UpdateScreenRect();
    void SavePose();
    void SaveDirection() { m_nPrevDirection = m_nDirection; }
    // Puts the position a graphic change saved back, once; false while no
    // change is settling.
    bool RestoreChangePos();
    // Items that can be taken again fire only on a new contact.
    bool IsNotLinked(int item) const;
    void Unlink(int item);

    cKeyState* m_lpKeyState = nullptr;
    int m_nJumpFrames = 0;
    // A new jump may start.
    int m_bJumpReady = 1;
    int m_bNoJumpGround = 0;
    double m_dSlipRate = 0.0;
    int m_bJumpDone = 0;
    // Flow steps taken, and a spare int kept with it.
    int m_nFlowSteps = 0, m_nStepSpare = 0;
    int m_bChangePosSaved = 0;
    double m_dChangeX = 0.0, m_dChangeY = 0.0, m_dChangeRight = 0.0, m_dChangeBottom = 0.0;
    int m_bChangePosPending = 0;
    cList<int> m_listTouchedItems;
    // The effect of the block stood on, left by the stage rules: its kind
    // (3 a speed change), value and the sub-steps it still applies.
    int m_nGroundKind = 0;
    double m_dGroundValue = 0.0;
    int m_nGroundSteps = 0;
    // Sub-steps before the item of a block under the hero can act again.
    int m_nItemBlockWait = 0;
    int m_nGroundSpare2 = 0, m_nGroundSpare3 = 0;
    CharaBox m_rcItemBox;
    cVector<MarkerRect> m_vecMarker;
    cVector<cFlowCmd> m_vecDeferredCmd;
    // Arrangements collected by an item's command list for its next command.
    cList<cVector<int>> m_listItemArrange;

protected:
    void BeginFlowStep() override;
    void AfterFlowsRan() override;
    void EndFlowStep() override;

private:
    void StartJump(cCmdInst& cmd, int subSteps);
};

// The heroes of the running stage; element 0 is the hero.
extern cVector<cPlayer> PlayerList;

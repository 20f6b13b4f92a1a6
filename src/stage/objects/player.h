#pragma once
// The hero: the character that the player's input moves and the view
// follows. Its boxes, walking, flying and markers come with the hero's own
// rules; here it is a character with its input record number.
#include "foundation/checked_containers.h"
#include "stage/objects/chara.h"

class cPlayer : public cChara {
public:
    cPlayer() = default;
    cPlayer(const cPlayer&) = default;
    cPlayer& operator=(const cPlayer&) = default;

    // The camera follows the hit box, then the bound keeps the hero in.
    int AfterMoveX() override;
    int AfterMoveY() override;
    int MoveX() override;
    int MoveY() override;

    // The effect of the block stood on, left by the stage rules: its kind
    // (3 a speed change), value and the sub-steps it still applies.
    int m_nGroundKind = 0;
    double m_dGroundValue = 0.0;
    int m_nGroundSteps = 0;
    // A new jump may start.
    int m_bJumpReady = 1;
};

// The heroes of the running stage; element 0 is the hero.
extern cVector<cPlayer> PlayerList;

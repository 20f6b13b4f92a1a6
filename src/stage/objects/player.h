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
};

// The heroes of the running stage; element 0 is the hero.
extern cVector<cPlayer> PlayerList;

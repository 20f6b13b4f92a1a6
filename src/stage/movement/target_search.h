#pragma once
// Searches for a character: the first of a list, the last of a link
// vector, or the nearest to a point, each through the same filters.
#include "foundation/checked_containers.h"
#include "stage/objects/chara.h"

// Which characters a search may return. Dead characters never pass.
struct CharaFilter {
    bool useId = false;
    int id = 0;  // the definition's character ID
    bool varTest = false;
    int varIndex = 0;
    int value = 0;
    int op = 0;  // comparison code 0..7 of the character variable with value
    bool excludeSelf = false;
    int selfId = 0;
    bool excludeInvulnerable = false;  // damage mode 1
    bool excludeShotProof = false;     // damage mode 2
    bool excludeBlock = false;         // block characters, that others stand on
};

// The damage mode of a character: 0 normal, 1 takes no damage, 2 also not
// hit by shots.
inline int DamageMode(const cChara& c) { return c.m_Def.m_cInvincible; }

bool PassesFilter(cChara& c, const CharaFilter& filter);

cChara* FindChara(const cList<cChara*>& list, const CharaFilter& filter);
// From the last pair to the first: the pair's kind must match and, unless
// anyGroup, the character's block group.
cChara* FindLinkedChara(const cVector<CharaLink>& pairs, int kind, int group, bool anyGroup, const CharaFilter& filter);

// Nearest search modes.
namespace NearestMode {
enum : int { OnScreenFirst = 0, Anywhere = 1, OnScreenOnly = 2 };
}
// The existing character whose aim centre is nearest to (x, y) by |dx| +
// |dy|; of equally near ones the earliest.
cChara* FindNearestCharaEx(int x, int y, const cList<cChara*>& list, int mode, const CharaFilter& filter);
// For the aimed and homing shots: on-screen first (or only, when the stage
// counts contacts only on screen), never a shot-proof character.
cChara* FindNearestChara(int x, int y, const cList<cChara*>& list, bool contactOnScreenOnly);

// The aim centre of an object: the middle of its drawn graphic.
int AimCentreX(const cObject& o);
int AimCentreY(const cObject& o);

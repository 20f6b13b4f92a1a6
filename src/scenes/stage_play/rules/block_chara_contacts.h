#pragma once
// Characters against block characters (characters that others stand on and
// are pushed out of): the push-out with its landing, head, side, pinch and
// crush rules, riding and being carried, and the overlap tests that the
// placement of new characters uses.
#include "foundation/checked_containers.h"
#include "scenes/stage_play/rules/contact_geometry.h"
#include "stage/objects/stage_chara.h"

namespace PushAxis {
enum : int { Horizontal = 0, Vertical = 1 };
}

// After the character's moves and block-map contacts: 0, or 2 when it is
// crushed or, flying with fly kind 2, touched a block character.
int ResolveBlockCharaContacts(cChara& c, cList<cStageChara>& charas);
// The flier's push out of the block characters on its edges along `axis`.
void PushOutOfBlockCharas(cChara& c, cList<cStageChara>& charas, int axis);
// Every corner of the box (now or `before`) inside a block character.
bool IsEnclosedByBlockCharas(const cChara& c, const ContactBox& before, const cList<cStageChara>& charas);
// Whether the ridden block character is still under the feet.
bool IsOnRiddenBlockChara(const cChara& c, const cList<cStageChara>& charas);
// The first block character under the feet, or null.
cStageChara* FindBlockCharaUnderFeet(const cChara& c, cList<cStageChara>& charas);

// Before the moves of a riding character: the ridden block character's
// movement since the last ride check becomes the rider's speed, and the
// ridden one's ride triggers fire. Always 0.
int CarryRider(cChara& c, cList<cStageChara>& charas);

// Whether a live block character other than the object itself (by id)
// overlaps the object's box; never for a flier that passes blocks.
bool OverlapsBlockChara(const cObject& object, const cList<cStageChara>& charas);
// The same with the character of id `except` left out too.
bool OverlapsBlockCharaExcept(const cObject& object, const cList<cStageChara>& charas, int except);
// The placement test of new and warped characters: a solid block under a
// corner of the box, or a block character over it.
bool IsPlaceBlocked(const cList<cStageChara>& charas, cChara& chara);

// Shared by the block-character rules: a live block character other than
// `c`, and the overlap test of a box that is not an object's own.
bool IsBlockCharaCandidate(const cStageChara& b, const cChara& c);
bool OverlapsBlockCharaExcept(const ContactBox& box, const cChara& c, const cList<cStageChara>& charas, int except);

#pragma once
// Putting objects into the running stage: the placed characters and items of
// a stage reset, characters and items summoned during play, blocks placed,
// erased or toggled on the map, and the table of the sub-steps that test
// shot contacts.
#include <array>

#include "foundation/checked_containers.h"
#include "stage/objects/item.h"
#include "stage/objects/stage_chara.h"

class cStageState;

// The four placement values of a character hold its placement point as two
// doubles (x, then y), the way movement commands read them.
std::array<int, 4> PackPlacement(double x, double y);
void UnpackPlacement(const std::array<int, 4>& place, double& x, double& y);

// Moves an object's box (position and far edges) by (dx, dy).
void ShiftBox(cObject& object, double dx, double dy);

// Sub-steps 0 .. n - 1 that test shot contacts when `passes` of them should:
// every one for 0 passes, else `passes` of them spread evenly from the
// first, and the last as well when fewer than `passes` were chosen.
cVector<int> ShotPassTable(int subSteps, int passes);

// A placed character of `def` (and its clones) at stage cell (column, row),
// carrying `item` (may be null). A copy outside the grid is dropped and
// uses no id.
void SpawnPlacedChara(cList<cStageChara>& list, int column, int row, int& id, const cCharaDef& def, const cItem* item);
// A placed item at stage cell (column, row); dropped outside the grid.
void SpawnPlacedItem(cList<cItem>& list, int column, int row, int& id, const cItemDef& def);

// What a summoning command asks beyond the definition.
struct SummonRequest {
    int nDirection = 0;  // written into the definition's direction byte
    int nForce = 0;      // and into its force
    int nLifeTime = 0;   // tenths of a second; 0 lives for ever
    int bAttack = 0;     // the command's attack flag and its option
    int nAttackFilter = 0;
};

// Whether a character's spot is blocked for a new character; the contact
// rules install theirs. Without one no spot is blocked.
using PlaceBlockedTest = bool (*)(cChara& chara);
void SetPlaceBlockedTest(PlaceBlockedTest test);
bool IsPlaceBlocked(cChara& chara);

// Summons copies of `def` whose graphic cell's top-left corner is (x, y) in
// stage pixels. A copy whose spot is blocked is nudged up, then left, then
// up-left; blocked in all of them, or outside the grid, it is dropped and
// uses no id. Each kept copy is linked to `parent` and joins its force.
void SpawnChara(cStageState& stage, cList<cStageChara>& list, double x, double y, const SummonRequest& request,
                const cCharaDef& def, int& id, cChara* parent);
// Summons an item at (x, y) plus its graphic offset and the definition's
// offsets; dropped outside the grid.
void SpawnItem(cList<cItem>& list, double x, double y, int lifeTime, const cItemDef& def, int& id);

// Takes a character out of the stage: its links released, out of its force,
// destroyed. Gives the next node.
cList<cStageChara>::iterator EraseStageChara(cStageState& stage, cList<cStageChara>& list,
                                             cList<cStageChara>::iterator node);

// How a block summon treats the cell.
namespace BlockMode {
enum : int { Place = 0, Erase = 1, Toggle = 2 };
}

struct BlockPlacement {
    int nMode = BlockMode::Place;
    int bNotOverHero = 0;
    int bNotOverCharas = 0;
};

// Places, erases or toggles the block of the cell at (x, y) (stage pixels).
// A toggled cell is noted in the stage's toggled cells and left alone while
// it stays there, so one command toggles each cell once.
void SetBlock(cStageState& stage, double x, double y, const BlockPlacement& placement, const cBlockDef& block);
// Marks every living hero and present character the cell's block would hold
// (their graphic change waits two frames); 1 as soon as one of them is a
// kind the placement must not cover.
int BlockHitsCharacters(int index, int column, int row, const BlockPlacement& placement);

#include <algorithm>

#include "gamedata/definitions/item_def.h"
#include "stage/flow/flow_prep.h"
#include "stage/movement/ground_effects.h"
#include "stage/objects/block_map.h"
#include "stage/objects/engine_hooks.h"
#include "stage/objects/item.h"
#include "stage/objects/player.h"

namespace {

constexpr int kItemBlockWaitFrames = 60;

// The item of the solid block under the hero, when it may act now.
const cItemDef* ReadyBlockItem(const cPlayer& hero) {
    cTileCell* ground = hero.m_lpGroundBlock;
    if (!ground || hero.m_nItemBlockWait != 0 || !IsSolidFor(*ground, hero.m_nBlockGroup)) return nullptr;
    const cBlockDef& block = ground->m_Def;
    return block.m_cItemSource != 0 ? GetItemDef(block.m_cItemSource, block.m_sItemIndex) : nullptr;
}

// The item as a pick-up made for the moment: it exists at once, like a
// carried item, so that its commands run.
int RunBlockItem(cPlayer& hero, const cItemDef& def) {
    if (!Hooks().touchEvent) return 0;
    cItem item;
    item.CopyFromEntry(0, def, 1);
    return Hooks().touchEvent(item, hero);
}

}  // namespace

int TouchItemBlock(cPlayer& hero) {
    if (hero.m_bFly) return 0;
    bool acted = false;
    if (const cItemDef* def = ReadyBlockItem(hero)) {
        const int result = RunBlockItem(hero, *def);
        if (result != 0) return result;
        hero.m_nItemBlockWait = kItemBlockWaitFrames * SubStepsPerFrame();
        acted = true;
    }
    if (hero.m_nItemBlockWait == 0) return 0;
    // A long fall, or landing on another block, lets the next block act.
    if (hero.m_bAirLock) {
        hero.m_nItemBlockWait = 0;
        return 0;
    }
    hero.m_nItemBlockWait = std::max(hero.m_nItemBlockWait - 1, 0);
    if (hero.m_lpGroundBlock && hero.m_lpLastGroundBlock != hero.m_lpPrevGroundBlock && !acted) {
        hero.m_nItemBlockWait = 0;
        StickToGround(hero);
    }
    return 0;
}

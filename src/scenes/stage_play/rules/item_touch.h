#pragma once
// The hero taking items: by touching them with its item box, or when an
// item reaches it another way (a carried item at a death, an item block, a
// shot that carries an item).
class cItem;
class cPlayer;

// The pick-up of every item the hero's item box touches; 0, or the first
// non-zero result of an item's command list (1 the stage ended, 2 the hero
// is down), which ends the walk.
int TouchItems(cPlayer& hero);
// One pick-up: the icon, the sound and the item's command list on the
// hero; 0 and nothing at all for no item, an item without a graphic, one
// that cannot be taken or one that does not exist.
int TouchEvent(cItem* item, cPlayer& hero);

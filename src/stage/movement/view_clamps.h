#pragma once
// Keeps the hero inside the view while the view scrolls by itself on an
// axis or the hero flies; otherwise the view follows the hero and these do
// nothing. A walking hero pushed out at the bottom edge has fallen out.
class cPlayer;

void ClampHeroToViewX(cPlayer& hero);
// 2 when a walking hero reached the lower edge (it is killed), else 0.
int ClampHeroToViewY(cPlayer& hero);

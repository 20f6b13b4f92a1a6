#pragma once
// The game's sprites as text, 16 x 16 each, drawn doubled into 32 x 32
// cells. The key maps their characters to palette colours.
#include "canvas.h"

const ArtKey& SpriteKey();

namespace Art {
extern const PixelArt HeroStand, HeroWalk1, HeroWalk2, HeroJump, HeroShoot, HeroSword;
extern const PixelArt Slime1, Slime2, Bat1, Bat2, Hopper1, Hopper2, Boss1, Boss2;
extern const PixelArt Coin1, Coin2, Heart, Key, Goal1, Goal2, Gem;
extern const PixelArt Ground, Brick, Crate, Cloud, Spring, ConveyorLeft, ConveyorRight, Question, Spikes, Grass, Door;
extern const PixelArt Bullet1, Bullet2, Orb1, Orb2, Blade1, Blade2;
extern const PixelArt Spark1, Spark2, Spark3, Spark4;
extern const PixelArt MapHero;
}  // namespace Art

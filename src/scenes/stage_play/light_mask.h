#pragma once
// The darkness around the hero: a mask picture of colour 16 with a
// transparent hole of the hero's light in its middle, and the window of it
// that covers the frame around the hero.
#include "draw/device/surface.h"

class cChara;

// Work pictures of the mask and of its round hole.
constexpr int kLightMaskPicture = 66;
constexpr int kLightHolePicture = 67;

// Light kinds of a character.
namespace LightKind {
enum : int { None = 0, Round = 1, RoundAhead = 2, Square = 3, SquareAhead = 4 };
}

// Makes the mask again for the character's light radius and kind. A
// picture that cannot be made ends the program (out of memory).
void DrawLightMask(DDSURFACEDATA* mask, DDSURFACEDATA* hole, const cChara& hero);
// The frame-sized window of the mask around the character, keyed over the
// frame; nothing for a character without light. A mask made for another
// radius or kind, or never made, is made again first.
void DrawSpotlight(DDSURFACEDATA* dst, const cChara& chara, DDSURFACEDATA* mask, DDSURFACEDATA* hole);

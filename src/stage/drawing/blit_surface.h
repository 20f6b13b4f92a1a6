#pragma once
// Which of a built-in picture's two surfaces a blit reads: surfaces 22 to 39
// of the surface table are the system-memory twins of 4 to 21, which the
// drawing path without textures reads when the first has no pixels of its
// own (or when the caller asks for the twin).

// The twin's distance in the surface table.
constexpr int kSurfaceTwinOffset = 18;

int PickBlitSurface(int index, int twin);

#pragma once
// Moving the top cursor of the cursor stack with the menu keys (the first
// input word after the auto-repeat: 1 left, 2 right, 4 up, 8 down), and the
// cursor sound.
#include <cstdint>

// A grid that wraps on both axes; a diagonal moves on both in one frame.
// Nothing when columns or rows is negative.
void MoveGridCursor(std::uint16_t keys, int x0, int y0, int dx, int dy, int columns, int rows);

// A list of count entries of which page are visible from top (the caller's
// first visible index, updated here); axis 0 moves the column, 1 the row.
// It never wraps; with pageJumps left and right page by page - 1, keeping
// one row of the old page in view.
void MoveListCursor(std::uint16_t keys, int axis, int& top, int origin, int pitch, int other, int page, int count,
                    int pageJumps);

// Plays the sound effect once for a horizontal move when axes has bit 1 and
// once more for a vertical one when it has bit 2, on the calling thread.
// Returns how many times it played.
int PlayCursorSound(std::uint16_t keys, int axes, int sound);

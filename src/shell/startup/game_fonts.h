#pragma once
// The three default fonts and their digit strips, made by start-up once
// the drawing device runs and released by the shut-down before it.

// Gives the font table the project's face and the running path's cache
// setting, makes the fonts and the digit strips; false when one cannot be
// made.
bool CreateGameFonts();
void ReleaseGameFonts();

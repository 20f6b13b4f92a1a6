#pragma once
// The start-up steps that bring the screen up once the drawing device runs:
// the window's title and placement, showing it, the palette and the
// transparent colour, the present choice, the loading picture, the built-in
// pictures and the 8-bit blend table. Each returns false after the failure
// has been reported.

// Ties the main window to the window framework and gives it the game's
// title. Undone by ReleaseMainWindow (the framework's hooks).
bool SetUpMainWindow();
void ReleaseMainWindow();

// In a window mode, puts the window where "user_data\Window.dat" says (and
// its client size, for a resizable Direct3D window); a window closed
// maximised makes the show command SW_SHOWMAXIMIZED. A missing file keeps
// the centred window.
bool PlaceMainWindow(int& showCommand);

// The show command the window gets: as asked in a window mode or with the
// device path, maximised for a full-screen DirectDraw display.
int ShowCommandFor(int showCommand, bool devicePath);
// Shows the window and writes the display section of the run report.
bool ShowMainWindow(int showCommand);

bool LoadPaletteAndKey();

// DirectDraw only: a window, no VSync or a display slower than the frame
// rate presents by blit, else by flip.
bool ChoosePresent();

// The loading picture, shown at once while the rest loads.
bool ShowLoadingPicture();
// The debug, the symbol and the loading picture; the scenes load the rest.
bool LoadBuiltInPictures();
// The blend table of the player's palette, at 8 bits per pixel only.
bool LoadBlendTable();

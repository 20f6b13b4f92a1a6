#pragma once
// The 8-bit display's colour set: the blend table of the player's palette
// number and the palette picture's colours arranged for that number.

// Nothing (1) unless the DirectDraw display runs at 8 bits per pixel. Else
// reads "bmp\hbt\hbtNN.dat" and the palette picture again, arranges the
// twelve colour blocks of entries 16-207 for the palette number (0-11 rotate
// them, 12-23 repeat one block), and sets the working and the display
// palette from it. 0 after an error box when the blend table is missing,
// or when the palette picture cannot be read.
int LoadHbtPalette(int palette);

#pragma once
// The colours that pulse once per drawn frame: the flash colours of
// invincible characters in the device path, and the colour cycling of the
// palette entries 208 to 239 in 8-bit DirectDraw. Every scene steps them
// once per drawn frame through cGame::StepFlashColours.
#include <array>

#include "draw/blit.h"

// Entries 1 to 9 are the colours a character of that flash-colour setting
// is drawn with while invincible; entry 0 is never written.
extern DDBLTCOLOR FlashColours[10];

// One pulse: a value moving between 0 and 255 and its direction.
struct FlashPulse {
    int value = 0;
    int falling = 0;
};

// The state behind FlashColours, stepped by cGame::StepFlashColours.
struct FlashColourState {
    std::array<FlashPulse, 9> pulses{};  // pulse i - 1 drives entry i
    int phase = 0;                       // colour of entry 9: red, green, blue, yellow
    int cycleCount = 0;                  // calls since the palette last cycled
};

// Moves the value one step towards high (rising) or low (falling). A step
// that would reach the bound is undone and turns the direction, so the value
// never reaches either bound; true when a falling swing has just turned.
bool PingPong(int& value, int& falling, int step, int low, int high);

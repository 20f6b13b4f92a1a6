#pragma once
// The colours of the distance-condition areas and their blink counter.

constexpr int kAreaColourCount = 8;
// The first of four consecutive shades each.
extern const int AreaColours[kAreaColourCount];

// The counter that moves the areas' shades (0 to 31); tests start it anew.
int AreaCounter();
void ResetAreaCounter();

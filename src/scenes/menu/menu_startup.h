#pragma once
// What start-up prepares for the menu scenes: the palette and its
// transparent colour once the drawing device runs, the player's options
// before the sound starts, and the world map and common palette after it.
void RegisterMenuStartup();

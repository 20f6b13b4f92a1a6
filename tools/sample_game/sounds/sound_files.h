#pragma once
// The file names of the effects and the music, for the system data and the
// databases that name them.
#include <string>
#include <vector>

constexpr int kSystemSoundFileCount = 17;

// Sound effects 0 to 16 of the system data.
const std::vector<std::string>& SystemSoundPaths();
// Sound database entries 1 on, in order.
const std::vector<std::string>& DatabaseSoundPaths();
// Music database entries 1 on, in order (Ogg and MIDI files).
const std::vector<std::string>& DatabaseMusicPaths();

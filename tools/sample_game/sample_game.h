#pragma once
// Writes the sample game: a complete small game folder made from source.
#include <string>

class GameFolder;

// Writes every file into hostDir (created when missing). false with the
// reason in *error when a file could not be written.
bool WriteSampleGame(const std::string& hostDir, std::string* error);

// The parts, in the order WriteSampleGame runs them.
void WritePictures(GameFolder& folder);
void WriteSounds(GameFolder& folder);
void WriteMusic(GameFolder& folder);
void WriteProjectData(GameFolder& folder);

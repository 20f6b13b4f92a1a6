#pragma once
// Reading a game file. Any file can be swapped for something else (a pipe, a
// device, a folder, a file far larger than a game would hold); such a file
// is refused with a report line, while a missing one is left for the caller
// to handle as it always has.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string_view>
#include <vector>

#include "platform/files.h"

// Reads a whole file of at most maxBytes into the memory bytes already
// holds (see platform::ReadWholeFileInPlace).
bool ReadGameFile(std::string_view path, std::vector<std::uint8_t>& bytes, std::size_t maxBytes);

// Opens a file for reading; nullptr when it cannot be.
std::unique_ptr<platform::File> OpenGameFile(std::string_view path);

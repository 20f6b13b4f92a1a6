#pragma once
// Reading a whole game file. Any file can be swapped for something else (a
// pipe, a device, a folder, a file far larger than a game would hold); such
// a file is refused with a report line, while a missing one is left for the
// caller to handle as it always has.
#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

bool ReadGameFile(std::string_view path, std::vector<std::uint8_t>& bytes, std::size_t maxBytes);

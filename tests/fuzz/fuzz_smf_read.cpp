// Feeds arbitrary bytes to the standard MIDI file reader: any input must
// give an image or a clean refusal, and an image, read again as a file,
// gives itself back (it is a valid format-0 file ending in one end of track).
#include <cstddef>
#include <cstdint>
#include <vector>

#include "sound/smf_file.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::vector<std::uint8_t> image;
    if (!cSmfFile::Parse("fuzz.mid", std::vector<std::uint8_t>(data, data + size), image)) return 0;
    if (image.size() < kSmfImageHeader + 4) __builtin_trap();
    const std::uint8_t end[] = {0xFF, 0x2F, 0x00};
    if (!std::equal(end, end + 3, image.end() - 3)) __builtin_trap();
    std::vector<std::uint8_t> again;
    if (!cSmfFile::Parse("fuzz.mid", image, again) || again != image) __builtin_trap();
    return 0;
}

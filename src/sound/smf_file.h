#pragma once
// A standard MIDI file of format 0 or 1, read into memory and turned into
// one format-0 image: every track merged into a single track ordered by
// time, each event with its full status byte.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// The image starts with "MThd", 6, format 0, one track, the time division,
// "MTrk" and the length of the events (22 bytes, big-endian numbers).
constexpr std::size_t kSmfImageHeader = 22;

class cSmfFile {
public:
    // Loads the file (internal path); without an image when it cannot be
    // read or is not supported (the reason is in the run report).
    explicit cSmfFile(const std::string& name);
    virtual ~cSmfFile() = default;
    cSmfFile(const cSmfFile&) = delete;
    cSmfFile& operator=(const cSmfFile&) = delete;

    bool HasImage() const { return !m_Image.empty(); }
    const std::vector<std::uint8_t>& Image() const { return m_Image; }
    const std::string& Name() const { return m_strName; }

    // Parses the bytes of a file into an image; false, with the reason in
    // the run report under name, when they are not a supported MIDI file.
    static bool Parse(const std::string& name, const std::vector<std::uint8_t>& bytes,
                      std::vector<std::uint8_t>& image);

protected:
    std::vector<std::uint8_t> m_Image;
    std::string m_strName;
};

// Variable-length numbers: 7 bits a byte, most significant first, the top
// bit set on every byte but the last; at most 4 bytes (up to 0x0FFFFFFF).
constexpr std::uint32_t kMaxVariableLength = 0x0FFFFFFF;
void AppendVariableLength(std::vector<std::uint8_t>& out, std::uint32_t value);
// Reads one at pos, not past end; false for one longer than 4 bytes or cut
// off by end.
bool ReadVariableLength(const std::uint8_t* bytes, std::size_t end, std::size_t& pos, std::uint32_t& value);

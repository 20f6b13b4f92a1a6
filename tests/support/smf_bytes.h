#pragma once
// Standard MIDI files built by code: a header and tracks of events written
// with their delta times.
#include <cstdint>
#include <string>
#include <vector>

class SmfTrack {
public:
    // A delta time in the file's variable-length form.
    SmfTrack& Delta(std::uint32_t ticks) {
        std::uint8_t groups[5];
        int n = 0;
        do {
            groups[n++] = static_cast<std::uint8_t>(ticks & 0x7F);
            ticks >>= 7;
        } while (ticks != 0);
        while (n-- > 0) m_bytes.push_back(static_cast<char>(groups[n] | (n > 0 ? 0x80 : 0)));
        return *this;
    }
    SmfTrack& Raw(const std::string& bytes) {
        m_bytes += bytes;
        return *this;
    }
    SmfTrack& NoteOn(std::uint32_t delta, int channel, int key, int velocity = 100) {
        return Delta(delta).Raw(
            {static_cast<char>(0x90 | channel), static_cast<char>(key), static_cast<char>(velocity)});
    }
    SmfTrack& NoteOff(std::uint32_t delta, int channel, int key) {
        return Delta(delta).Raw({static_cast<char>(0x80 | channel), static_cast<char>(key), 0});
    }
    SmfTrack& Text(std::uint32_t delta, const std::string& text) {
        return Delta(delta).Raw(std::string("\xFF\x01", 2) + static_cast<char>(text.size()) + text);
    }
    SmfTrack& Tempo(std::uint32_t delta, std::uint32_t microsPerQuarter) {
        return Delta(delta).Raw(std::string("\xFF\x51\x03", 3) + static_cast<char>(microsPerQuarter >> 16) +
                                static_cast<char>(microsPerQuarter >> 8) + static_cast<char>(microsPerQuarter));
    }
    SmfTrack& End(std::uint32_t delta = 0) { return Delta(delta).Raw(std::string("\xFF\x2F\x00", 3)); }

    // The chunk: "MTrk", the length, the events.
    std::string Chunk() const { return "MTrk" + BigEndian32(static_cast<std::uint32_t>(m_bytes.size())) + m_bytes; }
    const std::string& Events() const { return m_bytes; }

    static std::string BigEndian32(std::uint32_t v) {
        return {static_cast<char>(v >> 24), static_cast<char>(v >> 16), static_cast<char>(v >> 8),
                static_cast<char>(v)};
    }

private:
    std::string m_bytes;
};

inline std::string BigEndian16(int v) { return {static_cast<char>(v >> 8), static_cast<char>(v)}; }

// A whole file: header of the format, the track count and the division.
inline std::string SmfBytes(int format, int division, const std::vector<SmfTrack>& tracks) {
    std::string s = "MThd" + SmfTrack::BigEndian32(6) + BigEndian16(format) +
                    BigEndian16(static_cast<int>(tracks.size())) + BigEndian16(division);
    for (const auto& t : tracks) s += t.Chunk();
    return s;
}

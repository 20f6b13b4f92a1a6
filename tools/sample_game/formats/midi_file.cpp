#include <algorithm>

#include "file_formats.h"

namespace {

void Put32BE(Bytes& b, std::uint32_t v) {
    for (int shift = 24; shift >= 0; shift -= 8) b.push_back(static_cast<std::uint8_t>(v >> shift));
}

void PutVarLen(Bytes& b, std::uint32_t v) {
    std::uint8_t groups[5];
    int n = 0;
    do {
        groups[n++] = static_cast<std::uint8_t>(v & 0x7F);
        v >>= 7;
    } while (v != 0 && n < 5);
    while (n > 1) b.push_back(static_cast<std::uint8_t>(groups[--n] | 0x80));
    b.push_back(groups[0]);
}

Bytes TrackChunk(MidiTrack track) {
    std::stable_sort(track.begin(), track.end(),
                     [](const MidiEvent& a, const MidiEvent& b) { return a.tick < b.tick; });
    Bytes body;
    std::uint32_t last = 0;
    for (const MidiEvent& e : track) {
        PutVarLen(body, e.tick - last);
        last = e.tick;
        body.insert(body.end(), e.data.begin(), e.data.end());
    }
    PutVarLen(body, 0);
    body.insert(body.end(), {0xFF, 0x2F, 0x00});
    Bytes chunk{'M', 'T', 'r', 'k'};
    Put32BE(chunk, static_cast<std::uint32_t>(body.size()));
    chunk.insert(chunk.end(), body.begin(), body.end());
    return chunk;
}

}  // namespace

Bytes EncodeMidi(int ticksPerQuarter, std::vector<MidiTrack> tracks) {
    Bytes b{'M', 'T', 'h', 'd'};
    Put32BE(b, 6);
    b.insert(b.end(), {0, 1});
    b.push_back(static_cast<std::uint8_t>(tracks.size() >> 8));
    b.push_back(static_cast<std::uint8_t>(tracks.size()));
    b.push_back(static_cast<std::uint8_t>(ticksPerQuarter >> 8));
    b.push_back(static_cast<std::uint8_t>(ticksPerQuarter));
    for (auto& t : tracks) {
        Bytes chunk = TrackChunk(std::move(t));
        b.insert(b.end(), chunk.begin(), chunk.end());
    }
    return b;
}

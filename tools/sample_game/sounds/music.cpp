// The music: each song is written as notes and comes out twice, as a
// standard MIDI file and as Ogg Vorbis rendered by the synthesiser, so the
// player's Ogg and MIDI paths both have music to play.
#include <string>
#include <vector>

#include "file_formats.h"
#include "game_folder.h"
#include "sample_game.h"
#include "sound_files.h"
#include "synth.h"

namespace {

constexpr int kRate = 22050;
constexpr int kTicksPerQuarter = 96;
constexpr int kTicksPerEighth = kTicksPerQuarter / 2;

struct Song {
    const char* name;  // file name in the music folder, without extension
    int bpm;
    int program;  // General MIDI program of the melody
    const char* melody;
    const char* bass;
};

// clang-format off
const Song kSongs[] = {
    {"Title", 132, 80,
     "C5 - E5 G5 C6 - B5 G5  A5 - F5 A5 G5 - E5 .  F5 - D5 F5 E5 - C5 E5  D5 - B4 D5 C5 - - .",
     "C3 - C3 - A2 - A2 -  F2 - F2 - C3 - C3 -  D3 - D3 - A2 - A2 -  G2 - G2 - C3 - - ."},
    {"WorldMap", 112, 73,
     "G4 - A4 B4 D5 - B4 .  C5 - B4 A4 G4 - - .  E4 - G4 A4 B4 - A4 G4  A4 - - - G4 - - .",
     "G2 - - - G2 - - -  C3 - - - G2 - - -  C3 - - - G2 - - -  D3 - - - G2 - - ."},
    {"Challenge", 150, 81,
     "A4 C5 E5 A5 G5 E5 C5 E5  F5 A5 C6 A5 G5 E5 C5 .  D5 F5 A5 D6 C6 A5 F5 A5  E5 G#5 B5 E6 A5 - - .",
     "A2 . A2 . A2 . A2 .  F2 . F2 . C3 . C3 .  D3 . D3 . D3 . D3 .  E2 . E2 . A2 - - ."},
    {"Option", 100, 11,
     "E5 - - G5 - - C5 -  D5 - - F5 - - B4 -  C5 - - E5 - - A4 -  B4 - - D5 - - G4 -",
     "C3 - - - - - - -  G2 - - - - - - -  A2 - - - - - - -  E2 - - - - - - -"},
    {"Stage", 144, 80,
     "E5 E5 . E5 . C5 E5 .  G5 - - . G4 - - .  C5 - . G4 - . E4 -  . A4 . B4 . A#4 A4 .",
     "C3 . G2 . C3 . G2 .  G2 . D3 . G2 . D3 .  C3 . G2 . C3 . G2 .  F2 . C3 . F2 . C3 ."},
    {"Field", 138, 80,
     "C5 D5 E5 G5 - E5 D5 C5  D5 E5 G5 A5 - G5 E5 .  C6 - A5 G5 E5 - D5 C5  D5 - E5 D5 C5 - - .",
     "C3 . G2 . C3 . G2 .  F2 . C3 . F2 . C3 .  A2 . E3 . A2 . E3 .  G2 . D3 . C3 - - ."},
    {"Cave", 96, 89,
     "A4 - - C5 - - B4 -  A4 - - E4 - - - .  F4 - - A4 - - G#4 -  E4 - - - - - - .",
     "A2 - - - - - - -  A2 - - - - - - -  F2 - - - - - - -  E2 - - - - - - -"},
    {"Boss", 168, 30,
     "A4 A4 C5 A4 D#5 A4 D5 C5  A4 A4 C5 A4 E5 D#5 D5 .  F5 F5 E5 D#5 D5 C5 B4 C5  A4 - E5 - A5 - - .",
     "A2 A2 A2 A2 A2 A2 A2 A2  A2 A2 A2 A2 A2 A2 A2 A2  F2 F2 F2 F2 E2 E2 E2 E2  A2 A2 A2 A2 A2 - - ."},
};
// clang-format on

// Which songs the music database names, and in which form.
const char* const kDatabaseMusic[] = {"bgm\\Title.mid", "bgm\\Field.ogg", "bgm\\Cave.mid", "bgm\\Boss.ogg",
                                      "bgm\\WorldMap.ogg"};

MidiEvent Event(std::uint32_t tick, std::initializer_list<std::uint8_t> bytes) { return MidiEvent{tick, bytes}; }

MidiTrack NoteTrack(const char* line, int channel, int program, int velocity) {
    MidiTrack track;
    const auto ch = static_cast<std::uint8_t>(channel);
    track.push_back(Event(0, {static_cast<std::uint8_t>(0xC0 | ch), static_cast<std::uint8_t>(program)}));
    for (const NoteEvent& n : ParseNotes(line)) {
        const auto key = static_cast<std::uint8_t>(n.key);
        const auto on = static_cast<std::uint32_t>(n.start * kTicksPerEighth);
        const auto off = static_cast<std::uint32_t>((n.start + n.length) * kTicksPerEighth - 4);
        track.push_back(Event(on, {static_cast<std::uint8_t>(0x90 | ch), key, static_cast<std::uint8_t>(velocity)}));
        track.push_back(Event(off, {static_cast<std::uint8_t>(0x80 | ch), key, 0}));
    }
    return track;
}

Bytes SongMidi(const Song& song) {
    const std::uint32_t tempo = 60000000u / static_cast<std::uint32_t>(song.bpm);
    MidiTrack conductor = {Event(0, {0xFF, 0x51, 0x03, static_cast<std::uint8_t>(tempo >> 16),
                                     static_cast<std::uint8_t>(tempo >> 8), static_cast<std::uint8_t>(tempo)}),
                           Event(0, {0xFF, 0x58, 0x04, 4, 2, 24, 8})};
    return EncodeMidi(kTicksPerQuarter,
                      {conductor, NoteTrack(song.melody, 0, song.program, 100), NoteTrack(song.bass, 1, 33, 90)});
}

void RenderLine(std::vector<float>& pcm, const char* line, double eighth, Wave wave, double volume) {
    for (const NoteEvent& n : ParseNotes(line)) {
        const double hz = KeyToHz(n.key);
        MixTone(pcm, kRate, static_cast<std::size_t>(n.start * eighth * kRate),
                {wave, hz, hz, n.length * eighth * 0.95, volume});
    }
}

Bytes SongOgg(const Song& song) {
    const double eighth = 30.0 / song.bpm;
    std::vector<float> pcm;
    // Twice through, so the loop point is heard.
    for (int pass = 0; pass < 2; ++pass) {
        std::vector<float> part;
        RenderLine(part, song.melody, eighth, Wave::Square, 0.22);
        RenderLine(part, song.bass, eighth, Wave::Triangle, 0.35);
        part.resize(static_cast<std::size_t>(32 * eighth * kRate), 0.0f);
        pcm.insert(pcm.end(), part.begin(), part.end());
    }
    return EncodeOgg(kRate, 1, pcm);
}

}  // namespace

const std::vector<std::string>& DatabaseMusicPaths() {
    static const std::vector<std::string> paths(std::begin(kDatabaseMusic), std::end(kDatabaseMusic));
    return paths;
}

void WriteMusic(GameFolder& folder) {
    for (const Song& song : kSongs) {
        const std::string base = std::string("bgm\\") + song.name;
        folder.WriteBytes(base + ".mid", SongMidi(song));
        folder.WriteBytes(base + ".ogg", SongOgg(song));
    }
}

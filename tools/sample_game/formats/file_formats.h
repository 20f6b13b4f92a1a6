#pragma once
// Encoders of the media files a game folder holds besides its data records:
// BMP pictures, WAV effects, standard MIDI files and Ogg music. Each returns
// the whole file as bytes, so the same input always gives the same file.
#include <array>
#include <cstdint>
#include <vector>

using Bytes = std::vector<std::uint8_t>;
// 0x00RRGGBB
using Rgb = std::uint32_t;
using ColourTable = std::array<Rgb, 256>;

// An 8-bit paletted picture; indices are top row first.
Bytes EncodeBmp8(int width, int height, const ColourTable& colours, const std::vector<std::uint8_t>& indices);
// A 24-bit picture; pixels are top row first.
Bytes EncodeBmp24(int width, int height, const std::vector<Rgb>& pixels);

// Mono PCM of 8 or 16 bits; samples in -1..1 are clipped.
Bytes EncodeWav(int sampleRate, int bits, const std::vector<float>& samples);

// A MIDI event at an absolute tick of its track.
struct MidiEvent {
    std::uint32_t tick = 0;
    std::vector<std::uint8_t> data;  // status and data bytes, or FF type len... for meta events
};
using MidiTrack = std::vector<MidiEvent>;
// A format-1 standard MIDI file; each track is sorted by tick (stable) and
// ends with its end-of-track event.
Bytes EncodeMidi(int ticksPerQuarter, std::vector<MidiTrack> tracks);

// Ogg Vorbis of interleaved float samples, quality 0.3; the stream serial
// number is fixed so the file does not change between runs.
Bytes EncodeOgg(int sampleRate, int channels, const std::vector<float>& interleaved);

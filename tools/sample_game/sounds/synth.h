#pragma once
// Small deterministic synthesis for the effects and the Ogg music.
#include <string_view>
#include <vector>

enum class Wave { Square, Triangle, Saw, Noise, Sine };

struct Tone {
    Wave wave = Wave::Square;
    double startHz = 440;
    double endHz = 440;  // a linear glide over the tone
    double seconds = 0.1;
    double volume = 0.5;
};

// Appends a tone with a short attack and a linear release.
void AppendTone(std::vector<float>& out, int rate, const Tone& tone);
// Adds a tone into existing samples from a start sample on.
void MixTone(std::vector<float>& out, int rate, std::size_t start, const Tone& tone);

// A line of music as text: one token per eighth note, a note name with its
// octave ("C4", "F#5"), "-" holding the last note, "." a rest.
struct NoteEvent {
    int key;     // MIDI key
    int start;   // in eighths
    int length;  // in eighths
};
std::vector<NoteEvent> ParseNotes(std::string_view line);
double KeyToHz(int key);

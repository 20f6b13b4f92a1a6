#pragma once
// MIDI output: what a MIDI stream plays its events on. The real one is a
// FluidSynth synthesizer with the General MIDI SoundFont, rendered inside
// the mixer; tests install a recorder.
#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "platform/win_types.h"

typedef struct _fluid_synth_t fluid_synth_t;
typedef struct _fluid_hashtable_t fluid_settings_t;

namespace platform {

class MidiOut {
public:
    virtual ~MidiOut() = default;
    // Contract: a channel message packed as status | data1 << 8 | data2 << 16.
    virtual void ShortMessage(DWORD message) = 0;
    // Contract: a system-exclusive message, its status byte first.
    virtual void LongMessage(const std::uint8_t* bytes, std::size_t size) = 0;
    // Contract: every sounding note ends, controllers back to their defaults.
    virtual void Reset() = 0;
    // Contract: writes `frames` interleaved stereo frames of what sounds.
    virtual void Render(float* out, std::size_t frames) = 0;
};

// A FluidSynth synthesizer at the mixer's rate with the SoundFont loaded.
class Synth : public MidiOut {
public:
    // Contract: nullptr, with the reason in *error, when the SoundFont is
    // missing or FluidSynth cannot start.
    static std::unique_ptr<Synth> Create(std::string* error);
    ~Synth() override;
    Synth(const Synth&) = delete;
    Synth& operator=(const Synth&) = delete;

    void ShortMessage(DWORD message) override;
    void LongMessage(const std::uint8_t* bytes, std::size_t size) override;
    void Reset() override;
    void Render(float* out, std::size_t frames) override;

    fluid_synth_t* Handle() const { return m_synth; }

private:
    Synth() = default;
    fluid_settings_t* m_settings = nullptr;
    fluid_synth_t* m_synth = nullptr;
};

// Contract: the host path of the General MIDI SoundFont: the one installed
// with the dependencies unless tests set another (an empty path: none).
// Setting it drops the shared synthesizer, so the next stream uses it.
std::string SoundFontPath();
void SetSoundFontPath(std::string hostPath);
void ResetSoundFontPath();

// Contract: the MIDI output a new MIDI stream plays on: one shared
// synthesizer (made on first use; nullptr, logged once, without a SoundFont)
// unless tests installed a maker.
std::shared_ptr<MidiOut> OpenMidiOut();
void InstallMidiOutMaker(std::function<std::shared_ptr<MidiOut>()> maker);

}  // namespace platform

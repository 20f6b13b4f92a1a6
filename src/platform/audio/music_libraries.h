#pragma once
// The two music libraries of the player, as objects with the calls it makes:
// an Ogg player (over libvorbisfile, streaming into a mixer voice) and a
// MIDI file library (over FluidSynth's file player). Tests swap the real
// ones for recorders (headless/music_recorder.h).
#include <functional>
#include <memory>
#include <string>

namespace platform {

// One Ogg player object. Paths are internal (Shift-JIS, backslashes).
class OggPlayer {
public:
    virtual ~OggPlayer() = default;
    // Contract: opens and checks the file; false when it cannot be played.
    virtual bool Load(const std::string& internalPath) = 0;
    // Contract: starts the loaded file from its start or from a stop.
    virtual bool Play() = 0;
    // Contract: stops at once (the position stays).
    virtual bool Stop() = 0;
    // Contract: stops and forgets the loaded file, before the next load.
    virtual void Reset() = 0;
    // Contract: how many more times the file starts again at its end.
    virtual void SetLoopCount(int count) = 0;
    // Contract: linear volume 0.0 to 1.0 (1.0 when never set).
    virtual void SetVolume(float volume) = 0;
};

// The MIDI file library. Results are 0 for success, as the library's own.
class MidiLibrary {
public:
    virtual ~MidiLibrary() = default;
    // Contract: opens the synthesizer for a port; 0 when it plays.
    virtual int OpenDevice(int port) = 0;
    virtual void CloseDevice() = 0;
    // Contract: reads a standard MIDI file into the list under id; 0 when it
    // can be played.
    virtual int AddListFromFile(const std::string& internalPath, int option, int id) = 0;
    // Contract: plays list entry id from its start; option 1 loops it.
    virtual int Play(int option, int id, int skip, int fadeIn, int keyShift) = 0;
    virtual void Stop(int fadeOut) = 0;
    virtual void Pause() = 0;
    // Contract: -127 (silence) to 0 (full).
    virtual void SetMasterVolume(int volume) = 0;
};

struct MusicLibraries {
    // Loads the Ogg library; false when it is missing.
    std::function<bool()> loadOgg;
    std::function<std::unique_ptr<OggPlayer>()> createOggPlayer;
    // The MIDI library, or nullptr when it is missing.
    std::function<std::unique_ptr<MidiLibrary>()> loadMidi;
};

// Contract: the libraries in use: the real ones unless tests installed
// others.
const MusicLibraries& InstalledMusicLibraries();
// Contract: installs libraries (an empty member keeps the real one);
// ResetMusicLibraries goes back to the real ones.
void InstallMusicLibraries(MusicLibraries libraries);
void ResetMusicLibraries();

// The real libraries.
std::unique_ptr<OggPlayer> CreateVorbisPlayer();
std::unique_ptr<MidiLibrary> CreateSynthMidiLibrary();

}  // namespace platform

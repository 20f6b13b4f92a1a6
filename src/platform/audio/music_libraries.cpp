#include "platform/audio/music_libraries.h"

namespace platform {

namespace {

MusicLibraries RealLibraries() {
    MusicLibraries real;
    // libvorbisfile is linked in: the Ogg library is always there.
    real.loadOgg = [] { return true; };
    real.createOggPlayer = CreateVorbisPlayer;
    real.loadMidi = CreateSynthMidiLibrary;
    return real;
}

MusicLibraries& Installed() {
    static MusicLibraries libraries = RealLibraries();
    return libraries;
}

}  // namespace

const MusicLibraries& InstalledMusicLibraries() { return Installed(); }

void InstallMusicLibraries(MusicLibraries libraries) {
    MusicLibraries real = RealLibraries();
    Installed().loadOgg = libraries.loadOgg ? libraries.loadOgg : real.loadOgg;
    Installed().createOggPlayer = libraries.createOggPlayer ? libraries.createOggPlayer : real.createOggPlayer;
    Installed().loadMidi = libraries.loadMidi ? libraries.loadMidi : real.loadMidi;
}

void ResetMusicLibraries() { Installed() = RealLibraries(); }

}  // namespace platform

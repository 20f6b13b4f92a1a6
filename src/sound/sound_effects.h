#pragma once
// Sound effects: every effect is loaded once at start-up into a sample
// buffer shared by its voices (buffer 0 and its duplicates). Playing an
// effect stops, rewinds and starts its next voice, so a repeated effect
// restarts instead of overlapping. One volume level applies to all.
#include <string>
#include <vector>

#include "foundation/checked_containers.h"
#include "platform/audio/mixer.h"
#include "platform/win_types.h"

// The play flag that loops an effect.
constexpr DWORD DSBPLAY_LOOPING = 0x1;

// The file an effect is loaded from.
struct cSoundFile {
    std::string m_strName;  // internal path relative to the game folder
    int m_nBufferCount = 1;
    int m_nVolume = 0;  // hundredths of a decibel
};

class cSoundEffect {
public:
    // true when loaded, or when there is no sound device (nothing loaded).
    bool Load(const std::string& name, int count, int volume);
    void Play(DWORD flags);
    // Sets one voice's volume, added to its current one when relative is
    // set; clamped to -10000 .. 0 and returned. 0 without a sound device or
    // such a voice.
    int SetVolume(int buffer, int volume, int relative);
    void Release();

    // true once a load was tried: a failed effect is not loaded again.
    bool HasBufferArray() const { return m_bBufferArray; }
    const std::string& Name() const { return m_strName; }
    int BufferCount() const { return m_nBufferCount; }
    // The voice the next Play takes (tests and the volume of the options).
    const platform::SoundVoice* Buffer(int index) const;

private:
    bool HasVoice(int index) const;

    std::string m_strName;
    std::vector<platform::SoundVoice> m_Buffers;
    bool m_bBufferArray = false;
    int m_nBufferCount = 0;
    int m_nNext = 0;
};

// Index 0 to 16 the system sounds, n + 16 entry n of the sound database.
extern cVector<cSoundFile> SoundFiles;
extern cVector<cSoundEffect> SoundEffects;

// Effect volume by the options' level 0 to 10, in hundredths of a decibel.
constexpr int kVolumeLevelCount = 11;
extern const int VolumeTable[kVolumeLevelCount];

// Opens the sound device; false (and every sound operation then does
// nothing) when there is none. The format arguments describe the primary
// buffer a caller asks for; the mixer keeps its own format.
bool InitDirectSound(HWND window, int samplesPerSec, int bitsPerSample, int channels);
// Loads every effect that was not tried yet, with volume, or each file's own
// volume when volume is 0. 1.
int LoadSoundEffects(cVector<cSoundEffect>& effects, cVector<cSoundFile>& files, int volume);
// Frees every effect and closes the device.
void ReleaseDirectSound();
bool DirectSoundPresent();

// Reads a WAV file into a stopped voice; true without doing anything when
// there is no sound device.
bool CreateSoundBuffer(platform::SoundVoice& voice, const std::string& name);

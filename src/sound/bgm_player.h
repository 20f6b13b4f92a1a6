#pragma once
// The music player: five slots (0 title, 1 world map, 2 challenge, 3
// options, 4 stage), each holding an Ogg file, played by the Ogg library,
// or a standard MIDI file, played by the MIDI library when it opens and
// otherwise by our own MIDI stream player. One slot sounds at a time.
#include <array>
#include <memory>
#include <mutex>
#include <span>
#include <string>
#include <vector>

#include "foundation/checked_containers.h"
#include "platform/audio/music_libraries.h"
#include "sound/midi_file_player.h"

constexpr int kBgmSlotCount = 5;

struct BGMSLOTFILE {
    std::string m_strFile;  // up to 259 characters
    int m_nVolume = 0;      // percent
};

struct cBgmSlotFiles {
    std::array<BGMSLOTFILE, kBgmSlotCount> Ogg;
    std::array<BGMSLOTFILE, kBgmSlotCount> Midi;
};
// The slot tables, built with the default files of each slot.
extern cBgmSlotFiles BgmSlotFiles;
cBgmSlotFiles DefaultBgmSlotFiles();

// The Ogg side: the player objects of the Ogg library.
class cVoxPlayers {
public:
    int Load();
    int Create(int count);
    int Play(int index, const BGMSLOTFILE* entry, int loop, int volume);
    void Stop();
    void Release();

private:
    std::vector<std::unique_ptr<platform::OggPlayer>> m_Players;
    int m_nSounding = -1;
};

// The MIDI library side.
class cGgsMidi {
public:
    int Open(int directMusic);
    void Halt(int pause);
    int Play(int listId, const std::string& file, int loop, int volume);
    void Unload();

    int ListId() const { return m_nListId; }
    int MasterVolume() const { return m_nMasterVolume; }

private:
    int Load();

    std::unique_ptr<platform::MidiLibrary> m_Library;
    int m_nListId = 0;
    int m_nMasterVolume = 0;
};

class cBgmPlayer {
public:
    enum SlotType { kOther = 0, kOgg = 1, kMidi = 2 };

    cBgmPlayer() = default;
    ~cBgmPlayer();
    cBgmPlayer(const cBgmPlayer&) = delete;
    cBgmPlayer& operator=(const cBgmPlayer&) = delete;

    int Init(int playerCount, std::span<BGMSLOTFILE> oggSlots, std::span<BGMSLOTFILE> midiSlots, int slotCount,
             int directMusic);
    int SetSlotFile(int slot, const std::string& file, int volume);
    int Play(int player, int slot, int loop, int pause, int force);
    void Stop();
    int Release();

    int Enabled() const;
    int CurrentSlot() const;
    int SlotType(int slot) const;
    bool UsesMidiLibrary() const;
    // The own MIDI player at an index, or nullptr (tests).
    const cMidiStream* MidiStream(int index) const;

private:
    void SetPlayerCount(int count);
    void StopMidiStreams(int flag);
    int PlayMidiStream(int index, const std::string& file, int loop);
    bool PlayOgg(int player, int slot, int loop, int haltFlag);
    bool PlayMidi(int player, int slot, int loop);
    void HaltMidi(int flag);

    // The options scene starts and releases the player on the game thread
    // while the window thread plays requests.
    mutable std::recursive_mutex m_mutex;
    int m_bEnabled = 0;
    cVoxPlayers m_Vox;
    std::span<BGMSLOTFILE> m_OggSlots;
    int m_bMidiLibrary = 0;
    cGgsMidi m_Ggs;
    cVector<std::unique_ptr<cMidiStream>> m_MidiStreams;
    std::span<BGMSLOTFILE> m_MidiSlots;
    int m_nCurrentSlot = -1;
    cVector<int> m_SlotTypes;
};

extern cBgmPlayer BgmPlayer;

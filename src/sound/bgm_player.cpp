#include "sound/bgm_player.h"

#include <algorithm>
#include <climits>
#include <mutex>
#include <set>

#include "foundation/paths.h"
#include "foundation/report.h"
#include "platform/files.h"

cBgmSlotFiles BgmSlotFiles = DefaultBgmSlotFiles();
cBgmPlayer BgmPlayer;

namespace {

// Extensions are matched without regard to case: games name their files
// ".MID", ".Mid" or ".mid" alike.
bool ExtensionIs(const std::string& file, const char* wanted) {
    std::string ext;
    if (!GetExtension(ext, file)) return false;
    return std::equal(ext.begin(), ext.end(), wanted, wanted + std::char_traits<char>::length(wanted),
                      [](char a, char b) { return std::tolower(static_cast<unsigned char>(a)) == b; });
}

BGMSLOTFILE SlotEntry(const std::string& file, int volume) { return BGMSLOTFILE{file.substr(0, kMaxPath), volume}; }

// A song that is there but cannot be played (damaged, unreadable, a folder
// or a pipe in its place) gets one line of the run report for the run; the
// game goes on without music. A song that is not there is no news: a slot
// names a file for each side and a project ships one of them.
void ReportUnplayable(const std::string& file) {
    if (file.empty() || platform::GetFileAttributesA(file) == INVALID_FILE_ATTRIBUTES) return;
    static std::mutex mutex;
    static std::set<std::string> told;
    std::string key = file;
    if (!MakeAbsolutePath(key)) key = file;
    {
        std::lock_guard<std::mutex> lock(mutex);
        if (!told.insert(key).second) return;
    }
    LogPrintf("%s : 音楽を再生できません", file.c_str());
}

}  // namespace

cBgmSlotFiles DefaultBgmSlotFiles() {
    static const char* const kNames[kBgmSlotCount] = {"Title", "WorldMap", "Challenge", "Option", "Stage"};
    cBgmSlotFiles files;
    int i = 0;
    for (const char* name : kNames) {
        files.Ogg[static_cast<std::size_t>(i)] = {std::string("bgm\\") + name + ".ogg", 0};
        files.Midi[static_cast<std::size_t>(i)] = {std::string("bgm\\") + name + ".mid", 100};
        ++i;
    }
    return files;
}

// ---- the Ogg side ----

int cVoxPlayers::Load() {
    if (platform::InstalledMusicLibraries().loadOgg()) return 1;
    ErrorBoxF("oggの初期化に失敗！");
    return 0;
}

int cVoxPlayers::Create(int count) {
    m_Players.clear();
    m_nSounding = -1;
    for (int i = 0; i < count; ++i) {
        auto player = platform::InstalledMusicLibraries().createOggPlayer();
        if (!player) {
            OutOfMemoryExit();
            return 0;
        }
        m_Players.push_back(std::move(player));
    }
    return 1;
}

int cVoxPlayers::Play(int index, const BGMSLOTFILE* entry, int loop, int volume) {
    if (!entry || entry->m_strFile.empty() || index < 0 || index >= static_cast<int>(m_Players.size())) return 0;
    Stop();
    platform::OggPlayer& player = *m_Players[static_cast<std::size_t>(index)];
    player.Reset();
    if (!player.Load(entry->m_strFile)) {
        m_nSounding = -1;
        return 0;
    }
    // Set on every load: a song at 100 after one at 50 plays at full level.
    player.SetVolume(static_cast<float>(std::clamp(volume, 0, 100)) * 0.01f);
    player.SetLoopCount(loop ? INT_MAX : 0);
    player.Play();
    m_nSounding = index;
    return 1;
}

void cVoxPlayers::Stop() {
    if (m_nSounding >= 0 && m_nSounding < static_cast<int>(m_Players.size())) {
        m_Players[static_cast<std::size_t>(m_nSounding)]->Stop();
    }
    m_nSounding = -1;
}

void cVoxPlayers::Release() {
    m_Players.clear();
    m_nSounding = -1;
}

// ---- the MIDI library side ----

int cGgsMidi::Load() {
    if (m_Library) return 0;
    m_Library = platform::InstalledMusicLibraries().loadMidi();
    return m_Library ? 0 : 1;
}

void cGgsMidi::Unload() {
    if (m_Library) m_Library->CloseDevice();
    m_Library.reset();
}

int cGgsMidi::Open(int directMusic) {
    if (Load() != 0) return 0;
    if (m_Library->OpenDevice(directMusic ? -1100 : -1) != 0) {
        Unload();
        return 0;
    }
    return 1;
}

void cGgsMidi::Halt(int pause) {
    if (!m_Library) return;
    if (pause) {
        m_Library->Pause();
    } else {
        m_Library->Stop(0);
    }
}

int cGgsMidi::Play(int listId, const std::string& file, int loop, int volume) {
    if (!m_Library) return 0;
    Halt(1);
    if (!ExtensionIs(file, "mid")) return 0;
    if (m_Library->AddListFromFile(file, 0, listId) != 0) return 0;
    m_nMasterVolume = static_cast<int>(volume * 1.27) - 127;
    m_Library->SetMasterVolume(m_nMasterVolume);
    if (m_Library->Play(loop ? 1 : 0, listId, 0, 0, 0) != 0) return 0;
    m_nListId = listId;
    return 1;
}

// ---- the player ----

cBgmPlayer::~cBgmPlayer() { Release(); }

int cBgmPlayer::Init(int playerCount, std::span<BGMSLOTFILE> oggSlots, std::span<BGMSLOTFILE> midiSlots, int slotCount,
                     int directMusic) {
    std::lock_guard<std::recursive_mutex> lock(m_mutex);
    m_bEnabled = 1;
    m_bMidiLibrary = m_Ggs.Open(directMusic);
    if (!m_bMidiLibrary) m_MidiStreams.clear();
    if (!m_Vox.Load()) {
        // Without the Ogg side no slot table is taken: the player stays off,
        // so later requests do nothing instead of reaching empty slots.
        m_Ggs.Unload();
        m_bMidiLibrary = 0;
        m_bEnabled = 0;
        return 0;
    }
    SetPlayerCount(playerCount);
    m_OggSlots = oggSlots;
    m_MidiSlots = midiSlots;
    m_SlotTypes.assign(static_cast<std::size_t>(std::max(slotCount, 0)), kOther);
    return 1;
}

void cBgmPlayer::SetPlayerCount(int count) {
    if (!m_bMidiLibrary) {
        m_MidiStreams.clear();
        m_MidiStreams.resize(static_cast<std::size_t>(std::max(count, 0)));
    }
    m_Vox.Create(count);
}

int cBgmPlayer::SetSlotFile(int slot, const std::string& file, int volume) {
    std::lock_guard<std::recursive_mutex> lock(m_mutex);
    if (!m_bEnabled) return 0;
    int& type = m_SlotTypes[slot];
    if (slot < 0 || static_cast<std::size_t>(slot) >= std::min(m_OggSlots.size(), m_MidiSlots.size())) return 0;
    BGMSLOTFILE& ogg = m_OggSlots[static_cast<std::size_t>(slot)];
    BGMSLOTFILE& midi = m_MidiSlots[static_cast<std::size_t>(slot)];
    std::string ext;
    if (!GetExtension(ext, file)) {
        ogg = midi = BGMSLOTFILE{};
        type = kOther;
        return 0;
    }
    if (ExtensionIs(file, "mid")) {
        std::string name;
        ReplaceExtension(name, file, "mid");
        midi = SlotEntry(name, volume);
        type = kMidi;
        return 1;
    }
    if (ExtensionIs(file, "ogg")) {
        ogg = SlotEntry(file, volume);
        type = kOgg;
        return 1;
    }
    ogg = midi = SlotEntry(file, volume);
    type = kOther;
    return 0;
}

bool cBgmPlayer::PlayOgg(int player, int slot, int loop, int haltFlag) {
    const BGMSLOTFILE& entry = m_OggSlots[static_cast<std::size_t>(slot)];
    if (!m_Vox.Play(player, &entry, loop, entry.m_nVolume)) return false;
    HaltMidi(haltFlag);
    return true;
}

bool cBgmPlayer::PlayMidi(int player, int slot, int loop) {
    const BGMSLOTFILE& entry = m_MidiSlots[static_cast<std::size_t>(slot)];
    int played = m_bMidiLibrary ? m_Ggs.Play(player, entry.m_strFile, loop, entry.m_nVolume)
                                : PlayMidiStream(player, entry.m_strFile, loop);
    if (!played) return false;
    m_Vox.Stop();
    return true;
}

void cBgmPlayer::HaltMidi(int flag) {
    if (m_bMidiLibrary) {
        m_Ggs.Halt(flag);
    } else {
        StopMidiStreams(flag);
    }
}

int cBgmPlayer::Play(int player, int slot, int loop, int pause, int force) {
    std::lock_guard<std::recursive_mutex> lock(m_mutex);
    if (!m_bEnabled) return 0;
    if (slot == m_nCurrentSlot && !force) return 1;
    m_nCurrentSlot = slot;
    const int type = m_SlotTypes[slot];
    bool played = false;
    if (slot >= 0 && static_cast<std::size_t>(slot) < std::min(m_OggSlots.size(), m_MidiSlots.size())) {
        switch (type) {
            case kOgg: played = PlayOgg(player, slot, loop, 0); break;
            case kMidi: played = PlayMidi(player, slot, loop); break;
            default: played = PlayOgg(player, slot, loop, pause) || PlayMidi(player, slot, loop); break;
        }
    }
    if (played) return 1;
    if (slot >= 0 && static_cast<std::size_t>(slot) < std::min(m_OggSlots.size(), m_MidiSlots.size())) {
        if (type != kMidi) ReportUnplayable(m_OggSlots[static_cast<std::size_t>(slot)].m_strFile);
        if (type != kOgg) ReportUnplayable(m_MidiSlots[static_cast<std::size_t>(slot)].m_strFile);
    }
    m_nCurrentSlot = -1;
    m_Vox.Stop();
    HaltMidi(0);
    return 0;
}

void cBgmPlayer::Stop() {
    std::lock_guard<std::recursive_mutex> lock(m_mutex);
    if (!m_bEnabled) return;
    HaltMidi(0);
    m_Vox.Stop();
}

int cBgmPlayer::Release() {
    std::lock_guard<std::recursive_mutex> lock(m_mutex);
    if (!m_bEnabled) return 0;
    m_Vox.Release();
    if (m_bMidiLibrary) {
        m_Ggs.Unload();
    } else {
        m_MidiStreams.clear();
    }
    m_bEnabled = 0;
    return 1;
}

void cBgmPlayer::StopMidiStreams(int flag) {
    for (auto& stream : m_MidiStreams) {
        if (stream) stream->Stop(flag);
    }
}

int cBgmPlayer::PlayMidiStream(int index, const std::string& file, int loop) {
    StopMidiStreams(1);
    for (auto& stream : m_MidiStreams) stream.reset();
    if (!ExtensionIs(file, "mid")) return 0;
    std::unique_ptr<cMidiStream>& slot = m_MidiStreams[index];
    slot = std::make_unique<cMidiStream>(file);
    if (!slot->HasImage()) return 0;
    slot->Restart(loop);
    return 1;
}

int cBgmPlayer::Enabled() const {
    std::lock_guard<std::recursive_mutex> lock(m_mutex);
    return m_bEnabled;
}

int cBgmPlayer::CurrentSlot() const {
    std::lock_guard<std::recursive_mutex> lock(m_mutex);
    return m_nCurrentSlot;
}

int cBgmPlayer::SlotType(int slot) const {
    std::lock_guard<std::recursive_mutex> lock(m_mutex);
    return slot >= 0 && slot < m_SlotTypes.Count() ? m_SlotTypes[slot] : kOther;
}

bool cBgmPlayer::UsesMidiLibrary() const {
    std::lock_guard<std::recursive_mutex> lock(m_mutex);
    return m_bMidiLibrary != 0;
}

const cMidiStream* cBgmPlayer::MidiStream(int index) const {
    std::lock_guard<std::recursive_mutex> lock(m_mutex);
    return index >= 0 && index < m_MidiStreams.Count() ? m_MidiStreams[index].get() : nullptr;
}

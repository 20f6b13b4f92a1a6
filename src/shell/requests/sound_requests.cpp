#include "shell/requests/sound_requests.h"

#include "foundation/report.h"
#include "gamedata/database/database.h"
#include "gamedata/global_data.h"
#include "gamedata/project/system_data.h"
#include "platform/window.h"
#include "shell/app_state.h"
#include "sound/bgm_player.h"
#include "sound/sound_effects.h"

namespace {
constexpr WPARAM kStageMusicSlot = 4;
}  // namespace

void PlaySystemSound(int n) { SendMessageA(MainWindowHandle.load(), kWmPlaySound, static_cast<WPARAM>(n), 0); }

void PlayDatabaseSound(std::int16_t n) {
    if (n == 0) return;
    PlaySystemSound(n + cSystemData::kSystemSoundCount - 1);
}

void PlayStageBgm(int index, int loop) {
    constexpr WPARAM kStageMusicSlot = 4;
    StoryData.m_bBgmLoop = loop;
    SendMessageA(MainWindowHandle.load(), kWmPlayMusic, kStageMusicSlot, static_cast<LPARAM>(index));
}

void OnPlaySoundRequest(WPARAM effect) { SoundEffects[static_cast<int>(effect)].Play(0); }

void OnPlayMusicRequest(WPARAM slot, LPARAM musicIndex) {
    if (slot < static_cast<WPARAM>(cSystemData::kSceneSlotCount)) {
        const int s = static_cast<int>(slot);
        const int id = SystemData.SceneBgmIds[s];
        if (id == 0) {
            BgmPlayer.Stop();
            return;
        }
        const cBgm& music = Database.Bgm[id];
        BgmPlayer.SetSlotFile(s, music.m_strFile, music.m_nVolume);
        BgmPlayer.Play(0, s, SystemData.SceneBgmKeep[s], 0, 1);
    } else if (slot == kStageMusicSlot) {
        const int index = static_cast<int>(musicIndex);
        StoryData.m_nBgm = index;
        const cBgm& music = Database.Bgm[index];
        BgmPlayer.SetSlotFile(kStageMusicSlot, music.m_strFile, music.m_nVolume);
        if (index == 0) {
            BgmPlayer.Stop();
        } else {
            BgmPlayer.Play(0, kStageMusicSlot, StoryData.m_bBgmLoop, 0, 1);
        }
    }
}

namespace {

// Effects 0 to 16 are the system sounds; n + 16 is database sound n.
void NameSoundEffects() {
    const int count = Database.Sound.Count() + cSystemData::kSystemSoundCount - 1;
    SoundFiles.resize(static_cast<std::size_t>(count));
    SoundEffects.resize(static_cast<std::size_t>(count));
    int i = 0;
    for (cSoundFile& file : SoundFiles) {
        const int entry = i - (cSystemData::kSystemSoundCount - 1);
        file.m_strName = entry <= 0 ? SystemData.SystemSoundFiles[i] : Database.Sound[entry].m_strFile;
        file.m_nBufferCount = 1;
        file.m_nVolume = 0;
        ++i;
    }
}

}  // namespace

bool StartSound() {
    // Full screen plays MIDI on the default port only.
    if (ScreenWindowed == 0) SystemIni.Midi_DirectMusic = 0;
    if (OptionData.m_bMusic) {
        BgmPlayer.Init(1, BgmSlotFiles.Ogg, BgmSlotFiles.Midi, kBgmSlotCount, SystemIni.Midi_DirectMusic);
    }
    NameSoundEffects();
    if (!InitDirectSound(MainWindowHandle.load(), 22050, 8, 1)) {
        LogPrintf("DSInit Err");
        WriteLog("DS_Init失敗！");
    }
    const int level = OptionData.m_nVolume;
    LoadSoundEffects(SoundEffects, SoundFiles, VolumeTable[level >= 0 && level < kVolumeLevelCount ? level : 0]);
    return true;
}

void StopSound() {
    ReleaseDirectSound();
    BgmPlayer.Release();
}

#include "shell/sound_requests.h"

#include "foundation/report.h"
#include "gamedata/database/database.h"
#include "gamedata/project/global_data.h"
#include "gamedata/project/system_data.h"
#include "platform/window.h"
#include "shell/app_state.h"
#include "sound/sound_effects.h"

void PlaySystemSound(int n) { SendMessageA(MainWindowHandle.load(), kWmPlaySound, static_cast<WPARAM>(n), 0); }

void PlayDatabaseSound(std::int16_t n) {
    if (n == 0) return;
    PlaySystemSound(n + cSystemData::kSystemSoundCount - 1);
}

void OnPlaySoundRequest(WPARAM effect) { SoundEffects[static_cast<int>(effect)].Play(0); }

void OnPlayMusicRequest(WPARAM, LPARAM) {}

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
    NameSoundEffects();
    if (!InitDirectSound(MainWindowHandle.load(), 22050, 8, 1)) {
        LogPrintf("DSInit Err");
        WriteLog("DS_Init失敗！");
    }
    const int level = OptionData.m_nVolume;
    LoadSoundEffects(SoundEffects, SoundFiles, VolumeTable[level >= 0 && level < kVolumeLevelCount ? level : 0]);
    return true;
}

void StopSound() { ReleaseDirectSound(); }

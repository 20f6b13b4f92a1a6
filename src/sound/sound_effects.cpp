#include "sound/sound_effects.h"

#include <algorithm>

#include "foundation/report.h"
#include "platform/audio/device.h"
#include "platform/audio/pcm.h"
#include "sound/wave_file.h"

cVector<cSoundFile> SoundFiles;
cVector<cSoundEffect> SoundEffects;

const int VolumeTable[kVolumeLevelCount] = {-10000, -3000, -2000, -1300, -800, -500, -300, -150, -80, -30, 0};

namespace {

struct DirectSoundState {
    bool present = false;
    HWND window = nullptr;
    // Kept by LoadSoundEffects so that the release finds the effects.
    cVector<cSoundEffect>* effects = nullptr;
    cVector<cSoundFile>* files = nullptr;
};

DirectSoundState g_ds;

}  // namespace

bool DirectSoundPresent() { return g_ds.present; }

bool InitDirectSound(HWND window, int, int, int) {
    if (!platform::OpenAudioDevice()) {
        WriteLog("DIRECTSOUNDCREATE_ERR!");
        return false;
    }
    g_ds.present = true;
    g_ds.window = window;
    g_ds.effects = nullptr;
    g_ds.files = nullptr;
    return true;
}

bool CreateSoundBuffer(platform::SoundVoice& voice, const std::string& name) {
    if (!g_ds.present) return true;
    // An effect without a file is one the project left empty: no sound, and
    // nothing to report.
    if (name.empty()) return false;
    WAVEFILE wave;
    if (!ReadWaveFile(name, wave)) {
        LogPrintfBoth("%s の読み込みに失敗しました！", name.c_str());
        return false;
    }
    auto samples = platform::ConvertPcm(wave.format, wave.data.data(), wave.data.size());
    if (!samples) {
        WriteLogF("%s生成失敗！", name.c_str());
        return false;
    }
    voice = platform::SoundVoice::FromBuffer(std::move(samples));
    return true;
}

bool cSoundEffect::Load(const std::string& name, int count, int volume) {
    if (!g_ds.present) return true;
    Release();
    m_bBufferArray = true;
    if (count < 1) {
        WriteLogF("%sのメモリ確保失敗！", name.c_str());
        return false;
    }
    m_Buffers.resize(static_cast<std::size_t>(count));
    if (!CreateSoundBuffer(m_Buffers.front(), name)) return false;
    for (auto it = m_Buffers.begin() + 1; it != m_Buffers.end(); ++it) {
        *it = m_Buffers.front().Duplicate();
        if (!*it) {
            WriteLogF("%sのメモリ共用バッファの生成失敗！", name.c_str());
            return false;
        }
    }
    m_nBufferCount = count;
    m_strName = name;
    if (volume != 0) {
        for (int j = 0; j < count; ++j) SetVolume(j, volume, 0);
    }
    return true;
}

bool cSoundEffect::HasVoice(int index) const {
    return index >= 0 && index < m_nBufferCount && static_cast<std::size_t>(index) < m_Buffers.size() &&
           m_Buffers[static_cast<std::size_t>(index)];
}

const platform::SoundVoice* cSoundEffect::Buffer(int index) const {
    return HasVoice(index) ? &m_Buffers[static_cast<std::size_t>(index)] : nullptr;
}

void cSoundEffect::Play(DWORD flags) {
    if (!g_ds.present) return;
    if (!HasVoice(m_nNext)) return;
    platform::SoundVoice& voice = m_Buffers[static_cast<std::size_t>(m_nNext)];
    voice.Stop();
    voice.SetPosition(0);
    voice.Play((flags & DSBPLAY_LOOPING) != 0);
    if (++m_nNext >= m_nBufferCount) m_nNext = 0;
}

int cSoundEffect::SetVolume(int buffer, int volume, int relative) {
    if (!g_ds.present) return 0;
    if (!HasVoice(buffer)) return 0;
    platform::SoundVoice& voice = m_Buffers[static_cast<std::size_t>(buffer)];
    long v = volume;
    if (relative) v += voice.Volume();
    v = std::clamp(v, platform::kSilentVolume, 0L);
    voice.SetVolume(v);
    return static_cast<int>(v);
}

void cSoundEffect::Release() {
    // The duplicates go before the buffer they share.
    while (m_Buffers.size() > 1) m_Buffers.pop_back();
    m_Buffers.clear();
    m_bBufferArray = false;
    m_nBufferCount = 0;
    m_nNext = 0;
}

int LoadSoundEffects(cVector<cSoundEffect>& effects, cVector<cSoundFile>& files, int volume) {
    g_ds.effects = &effects;
    g_ds.files = &files;
    int i = 0;
    for (cSoundEffect& effect : effects) {
        if (!effect.HasBufferArray()) {
            const cSoundFile& file = files[i];
            effect.Load(file.m_strName, file.m_nBufferCount, volume != 0 ? volume : file.m_nVolume);
        }
        ++i;
    }
    return 1;
}

void ReleaseDirectSound() {
    if (!g_ds.present) return;
    if (g_ds.effects) {
        for (cSoundEffect& effect : *g_ds.effects) effect.Release();
    }
    platform::CloseAudioDevice();
    g_ds = DirectSoundState{};
}

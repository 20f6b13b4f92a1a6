#include "platform/audio/mixer.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <mutex>

namespace platform {

struct MixerVoice {
    std::shared_ptr<const PcmBuffer> buffer;
    std::shared_ptr<AudioStream> stream;
    std::size_t position = 0;
    bool playing = false;
    bool loop = false;
    long volume = 0;
    float gain = 1.0f;
};

struct MixerState {
    using Voice = MixerVoice;
    std::mutex mutex;
    // Ordered by id, so voices are mixed in the order they were made.
    std::map<int, Voice> voices;
    int nextId = 1;
    std::vector<float> scratch;

    Voice* Find(int id) {
        auto it = voices.find(id);
        return it == voices.end() ? nullptr : &it->second;
    }
    int Add(Voice v) {
        std::lock_guard<std::mutex> lock(mutex);
        int id = nextId++;
        voices.emplace(id, std::move(v));
        return id;
    }
};

namespace {

std::shared_ptr<MixerState> Mixer() {
    // Voices keep the state alive, so a global voice may outlive this.
    static std::shared_ptr<MixerState> state = std::make_shared<MixerState>();
    return state;
}

void MixBuffer(MixerState::Voice& v, float* out, std::size_t frames) {
    const std::size_t length = v.buffer->Frames();
    std::size_t done = 0;
    while (done < frames && v.playing) {
        if (v.position >= length) {
            // An empty buffer, or a position set to its very end.
            v.position = 0;
            v.playing = v.loop && length > 0;
            continue;
        }
        std::size_t n = std::min(frames - done, length - v.position);
        const float* src = v.buffer->samples.data() + v.position * kMixChannels;
        float* dst = out + done * kMixChannels;
        for (std::size_t i = 0; i < n * kMixChannels; ++i) dst[i] += src[i] * v.gain;
        v.position += n;
        done += n;
        if (v.position == length) {
            // A buffer that played to its end stands at its start again.
            v.position = 0;
            v.playing = v.loop;
        }
    }
}

void MixStream(MixerState::Voice& v, std::vector<float>& scratch, float* out, std::size_t frames) {
    scratch.assign(frames * kMixChannels, 0.0f);
    std::size_t got = std::min(frames, v.stream->Render(scratch.data(), frames));
    for (std::size_t i = 0; i < got * kMixChannels; ++i) out[i] += scratch[i] * v.gain;
    if (got < frames) v.playing = false;
}

}  // namespace

float GainOfVolume(long hundredthsDb) {
    if (hundredthsDb <= kSilentVolume) return 0.0f;
    if (hundredthsDb >= 0) return 1.0f;
    return static_cast<float>(std::pow(10.0, static_cast<double>(hundredthsDb) / 2000.0));
}

SoundVoice::~SoundVoice() {
    if (!m_mixer) return;
    std::lock_guard<std::mutex> lock(m_mixer->mutex);
    m_mixer->voices.erase(m_id);
}

SoundVoice::SoundVoice(SoundVoice&& other) noexcept : m_mixer(std::move(other.m_mixer)), m_id(other.m_id) {
    other.m_id = 0;
}

SoundVoice& SoundVoice::operator=(SoundVoice&& other) noexcept {
    if (this != &other) {
        SoundVoice old(std::move(*this));
        m_mixer = std::move(other.m_mixer);
        m_id = other.m_id;
        other.m_id = 0;
    }
    return *this;
}

SoundVoice SoundVoice::Adopt(std::shared_ptr<MixerState> mixer, MixerVoice voice) {
    SoundVoice v;
    v.m_mixer = std::move(mixer);
    v.m_id = v.m_mixer->Add(std::move(voice));
    return v;
}

SoundVoice SoundVoice::FromBuffer(std::shared_ptr<const PcmBuffer> buffer) {
    if (!buffer) return SoundVoice();
    MixerState::Voice voice;
    voice.buffer = std::move(buffer);
    return Adopt(Mixer(), std::move(voice));
}

SoundVoice SoundVoice::FromStream(std::shared_ptr<AudioStream> stream) {
    if (!stream) return SoundVoice();
    MixerState::Voice voice;
    voice.stream = std::move(stream);
    return Adopt(Mixer(), std::move(voice));
}

SoundVoice SoundVoice::Duplicate() const {
    SoundVoice v;
    if (!m_mixer) return v;
    MixerState::Voice copy;
    {
        std::lock_guard<std::mutex> lock(m_mixer->mutex);
        const MixerState::Voice* src = m_mixer->Find(m_id);
        if (!src) return v;
        copy.buffer = src->buffer;
        copy.stream = src->stream;
        copy.volume = src->volume;
        copy.gain = src->gain;
    }
    return Adopt(m_mixer, std::move(copy));
}

void SoundVoice::Play(bool loop) {
    if (!m_mixer) return;
    std::lock_guard<std::mutex> lock(m_mixer->mutex);
    if (auto* v = m_mixer->Find(m_id)) {
        v->playing = true;
        v->loop = loop;
    }
}

void SoundVoice::Stop() {
    if (!m_mixer) return;
    std::lock_guard<std::mutex> lock(m_mixer->mutex);
    if (auto* v = m_mixer->Find(m_id)) v->playing = false;
}

void SoundVoice::SetPosition(std::size_t frame) {
    if (!m_mixer) return;
    std::lock_guard<std::mutex> lock(m_mixer->mutex);
    if (auto* v = m_mixer->Find(m_id); v && v->buffer) v->position = std::min(frame, v->buffer->Frames());
}

void SoundVoice::SetVolume(long hundredthsDb) {
    if (!m_mixer) return;
    std::lock_guard<std::mutex> lock(m_mixer->mutex);
    if (auto* v = m_mixer->Find(m_id)) {
        v->volume = hundredthsDb;
        v->gain = GainOfVolume(hundredthsDb);
    }
}

long SoundVoice::Volume() const {
    if (!m_mixer) return 0;
    std::lock_guard<std::mutex> lock(m_mixer->mutex);
    const auto* v = m_mixer->Find(m_id);
    return v ? v->volume : 0;
}

bool SoundVoice::Playing() const {
    if (!m_mixer) return false;
    std::lock_guard<std::mutex> lock(m_mixer->mutex);
    const auto* v = m_mixer->Find(m_id);
    return v && v->playing;
}

void RenderMix(float* out, std::size_t frames) {
    std::fill(out, out + frames * kMixChannels, 0.0f);
    auto mixer = Mixer();
    std::lock_guard<std::mutex> lock(mixer->mutex);
    for (auto& [id, v] : mixer->voices) {
        if (!v.playing) continue;
        if (v.buffer) {
            MixBuffer(v, out, frames);
        } else {
            MixStream(v, mixer->scratch, out, frames);
        }
    }
    for (std::size_t i = 0; i < frames * kMixChannels; ++i) out[i] = std::clamp(out[i], -1.0f, 1.0f);
}

int MixerVoiceCount() {
    auto mixer = Mixer();
    std::lock_guard<std::mutex> lock(mixer->mutex);
    return static_cast<int>(mixer->voices.size());
}

}  // namespace platform

#pragma once
// The one mixer of the program: 48 kHz, stereo, float. Sound effects are
// voices over a shared sample buffer (a duplicate is a second voice over the
// same buffer); music and synths are voices over a stream that renders on
// demand. The audio device pulls the mix from its own thread; tests pull it
// offline with RenderMix.
#include <cstddef>
#include <memory>
#include <vector>

namespace platform {

constexpr int kMixRate = 48000;
constexpr int kMixChannels = 2;

// Volumes are hundredths of a decibel; this is silence.
constexpr long kSilentVolume = -10000;

// Contract: the linear gain of a volume: 10^(v / 2000), 0 at kSilentVolume
// and below, 1 at 0 and above.
float GainOfVolume(long hundredthsDb);

// Interleaved stereo samples at kMixRate.
struct PcmBuffer {
    std::vector<float> samples;
    std::size_t Frames() const { return samples.size() / kMixChannels; }
};

// A source rendered as the mixer asks for it (a decoder, a synth).
class AudioStream {
public:
    virtual ~AudioStream() = default;
    // Contract: called on the mixing thread with the mixer locked. Writes up
    // to `frames` interleaved stereo frames into out and returns how many it
    // wrote; fewer means the stream has ended (its voice stops).
    virtual std::size_t Render(float* out, std::size_t frames) = 0;
};

struct MixerState;
struct MixerVoice;

// One voice of the mixer; move-only, removed from the mix when destroyed.
// Every operation is thread-safe; an empty voice ignores them.
class SoundVoice {
public:
    SoundVoice() = default;
    ~SoundVoice();
    SoundVoice(SoundVoice&& other) noexcept;
    SoundVoice& operator=(SoundVoice&& other) noexcept;
    SoundVoice(const SoundVoice&) = delete;
    SoundVoice& operator=(const SoundVoice&) = delete;

    // Contract: a stopped voice at position 0 and volume 0 over the buffer.
    static SoundVoice FromBuffer(std::shared_ptr<const PcmBuffer> buffer);
    // Contract: a stopped voice over a stream.
    static SoundVoice FromStream(std::shared_ptr<AudioStream> stream);
    // Contract: a second voice sharing this voice's buffer or stream, stopped,
    // at position 0, with this voice's volume.
    SoundVoice Duplicate() const;

    explicit operator bool() const { return m_id != 0; }

    // Contract: starts from the current position; a buffer voice with loop
    // set starts again at its end, else it stops there.
    void Play(bool loop);
    // Contract: stops where it is (the position stays).
    void Stop();
    // Contract: the next frame a buffer voice plays (clamped to its length).
    void SetPosition(std::size_t frame);
    void SetVolume(long hundredthsDb);
    long Volume() const;
    bool Playing() const;

private:
    static SoundVoice Adopt(std::shared_ptr<MixerState> mixer, MixerVoice voice);

    std::shared_ptr<MixerState> m_mixer;
    int m_id = 0;
};

// Contract: fills out with `frames` frames of the mix (interleaved stereo,
// each sample clamped to -1..1) and advances every playing voice. Called by
// the device's thread, or by tests without a device.
void RenderMix(float* out, std::size_t frames);

// Contract: the number of voices that exist (tests).
int MixerVoiceCount();

}  // namespace platform

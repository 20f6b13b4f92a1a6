// The Ogg player over libvorbisfile: the file is decoded as the mixer asks
// for it, resampled to the mix rate, and started again at its end as often
// as the loop count says.
#include <vorbis/vorbisfile.h>

#include <algorithm>
#include <climits>
#include <memory>
#include <mutex>
#include <vector>

#include "platform/audio/mixer.h"
#include "platform/audio/music_libraries.h"
#include "platform/audio/pcm.h"
#include "platform/files.h"

namespace platform {

namespace {

class VorbisStream : public AudioStream {
public:
    ~VorbisStream() override {
        if (m_open) ov_clear(&m_file);
    }

    bool Open(const std::string& internalPath) {
        // Through File, so only a regular file is ever opened.
        m_source = File::Open(internalPath, File::Mode::Read);
        if (!m_source) return false;
        const ov_callbacks callbacks = {ReadSource, SeekSource, nullptr, TellSource};
        if (ov_open_callbacks(m_source.get(), &m_file, nullptr, 0, callbacks) != 0) return false;
        m_open = true;
        const vorbis_info* info = ov_info(&m_file, -1);
        if (!info || info->channels < 1 || info->rate < 1000 || info->rate > 192000) return false;
        m_resampler = StereoResampler(static_cast<int>(info->rate));
        return true;
    }

    void SetLoopCount(int count) {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_loops = std::max(count, 0);
    }
    void SetVolume(float volume) {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_volume = std::clamp(volume, 0.0f, 1.0f);
    }

    std::size_t Render(float* out, std::size_t frames) override {
        std::lock_guard<std::mutex> lock(m_mutex);
        std::size_t done = 0;
        while (done < frames) {
            if (m_taken * 2 >= m_pending.size()) {
                m_pending.clear();
                m_taken = 0;
                if (!Decode()) break;
                continue;
            }
            std::size_t n = std::min(frames - done, m_pending.size() / 2 - m_taken);
            for (std::size_t i = 0; i < n * 2; ++i) out[done * 2 + i] = m_pending[m_taken * 2 + i] * m_volume;
            m_taken += n;
            done += n;
        }
        return done;
    }

private:
    // Decodes the next piece into m_pending; false at the end of the music.
    bool Decode() {
        for (int attempts = 0; attempts < 64; ++attempts) {
            float** pcm = nullptr;
            int section = 0;
            long n = ov_read_float(&m_file, &pcm, 1024, &section);
            if (n == OV_HOLE) continue;
            if (n < 0) return false;
            if (n == 0) {
                // A file without a single sample must not loop for ever.
                if (m_loops == 0 || !m_decodedSinceStart) return false;
                if (m_loops != INT_MAX) --m_loops;
                if (ov_pcm_seek(&m_file, 0) != 0) return false;
                m_resampler.Reset();
                m_decodedSinceStart = false;
                continue;
            }
            m_decodedSinceStart = true;
            const vorbis_info* info = ov_info(&m_file, section);
            const int channels = info ? info->channels : 1;
            m_stereo.resize(static_cast<std::size_t>(n) * 2);
            for (long i = 0; i < n; ++i) {
                m_stereo[static_cast<std::size_t>(i) * 2] = pcm[0][i];
                m_stereo[static_cast<std::size_t>(i) * 2 + 1] = channels > 1 ? pcm[1][i] : pcm[0][i];
            }
            m_resampler.Feed(m_stereo.data(), static_cast<std::size_t>(n), m_pending);
            if (!m_pending.empty()) return true;
        }
        return false;
    }

    std::mutex m_mutex;
    static std::size_t ReadSource(void* dst, std::size_t size, std::size_t count, void* source) {
        if (size == 0) return 0;
        return static_cast<File*>(source)->Read(dst, size * count) / size;
    }
    static int SeekSource(void* source, ogg_int64_t offset, int origin) {
        return static_cast<File*>(source)->Seek(offset, origin) ? 0 : -1;
    }
    static long TellSource(void* source) { return static_cast<long>(static_cast<File*>(source)->Tell()); }

    // Declared before the decoder state, so it outlives it.
    std::unique_ptr<File> m_source;
    OggVorbis_File m_file{};
    bool m_open = false;
    StereoResampler m_resampler{kMixRate};
    std::vector<float> m_stereo;
    std::vector<float> m_pending;
    std::size_t m_taken = 0;  // frames of m_pending already rendered
    int m_loops = 0;
    float m_volume = 1.0f;
    bool m_decodedSinceStart = false;
};

class VorbisPlayer : public OggPlayer {
public:
    bool Load(const std::string& internalPath) override {
        Reset();
        auto stream = std::make_shared<VorbisStream>();
        if (!stream->Open(internalPath)) return false;
        stream->SetLoopCount(m_loops);
        stream->SetVolume(m_volume);
        m_stream = stream;
        m_voice = SoundVoice::FromStream(stream);
        return true;
    }
    bool Play() override {
        if (!m_stream) return false;
        m_voice.Play(false);
        return true;
    }
    bool Stop() override {
        m_voice.Stop();
        return true;
    }
    void Reset() override {
        m_voice = SoundVoice();
        m_stream.reset();
    }
    void SetLoopCount(int count) override {
        m_loops = count;
        if (m_stream) m_stream->SetLoopCount(count);
    }
    void SetVolume(float volume) override {
        m_volume = volume;
        if (m_stream) m_stream->SetVolume(volume);
    }

private:
    std::shared_ptr<VorbisStream> m_stream;
    SoundVoice m_voice;
    int m_loops = 0;
    float m_volume = 1.0f;
};

}  // namespace

std::unique_ptr<OggPlayer> CreateVorbisPlayer() { return std::make_unique<VorbisPlayer>(); }

}  // namespace platform

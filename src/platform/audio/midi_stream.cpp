#include "platform/audio/midi_stream.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <deque>
#include <mutex>
#include <vector>

#include "platform/audio/mixer.h"
#include "platform/audio/synth.h"
#include "platform/threads.h"

namespace platform {

namespace {

constexpr DWORD kDefaultTempo = 500000;  // microseconds per quarter note
constexpr std::size_t kEventHead = 12;   // delta, stream id, event word
constexpr DWORD kLongMessage = 0x80;     // event type of a long message

DWORD ReadDword(const std::uint8_t* p) {
    DWORD v = 0;
    std::memcpy(&v, p, 4);
    return v;
}

}  // namespace

// The part the mixer renders; the handle owns it together with its voice.
class MidiStreamCore : public AudioStream {
public:
    MidiStreamCore(std::shared_ptr<MidiOut> out, DWORD thread) : m_out(std::move(out)), m_thread(thread) {}

    std::size_t Render(float* out, std::size_t frames) override {
        std::lock_guard<std::mutex> lock(m_mutex);
        std::size_t done = 0;
        while (done < frames) {
            std::size_t n = frames - done;
            if (m_playing) {
                if (!m_haveEvent) m_haveEvent = LoadEvent();
                if (m_haveEvent) {
                    auto due = static_cast<long long>(std::llround(m_due));
                    if (due <= m_clock) {
                        Dispatch();
                        continue;
                    }
                    n = std::min<std::size_t>(n, static_cast<std::size_t>(due - m_clock));
                }
            }
            RenderOut(out + done * 2, n);
            done += n;
            if (m_playing) m_clock += static_cast<long long>(n);
        }
        return frames;
    }

    MMRESULT SetDivision(DWORD division) {
        std::lock_guard<std::mutex> lock(m_mutex);
        if ((division & 0xFFFF) == 0 || (division >> 16) != 0) return MMSYSERR_INVALPARAM;
        m_division = division;
        return MMSYSERR_NOERROR;
    }

    MMRESULT Out(MIDIHDR* h) {
        std::lock_guard<std::mutex> lock(m_mutex);
        if (!h || !h->lpData || h->dwBytesRecorded > h->dwBufferLength) return MMSYSERR_INVALPARAM;
        if (!(h->dwFlags & MHDR_PREPARED)) return MIDIERR_UNPREPARED;
        if (h->dwFlags & MHDR_INQUEUE) return MIDIERR_STILLPLAYING;
        h->dwFlags = (h->dwFlags & ~MHDR_DONE) | MHDR_INQUEUE;
        m_queue.push_back(h);
        return MMSYSERR_NOERROR;
    }

    MMRESULT Unprepare(MIDIHDR* h) {
        std::lock_guard<std::mutex> lock(m_mutex);
        if (!h) return MMSYSERR_INVALPARAM;
        if (h->dwFlags & MHDR_INQUEUE) return MIDIERR_STILLPLAYING;
        h->dwFlags &= ~MHDR_PREPARED;
        return MMSYSERR_NOERROR;
    }

    WPARAM Generation() {
        std::lock_guard<std::mutex> lock(m_mutex);
        return m_generation;
    }

    bool Queued(const MIDIHDR* h) {
        std::lock_guard<std::mutex> lock(m_mutex);
        return h && (h->dwFlags & MHDR_INQUEUE) != 0;
    }

    void SetPlaying(bool playing) {
        std::lock_guard<std::mutex> lock(m_mutex);
        if (m_playing && !playing) NotesOff();
        m_playing = playing;
    }

    void Stop() {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_playing = false;
        if (m_out) m_out->Reset();
        while (!m_queue.empty()) Retire();
        m_haveEvent = false;
        m_clock = 0;
        m_lastDue = 0;
        m_tempo = kDefaultTempo;
        ++m_generation;
    }

private:
    double SamplesPerTick() const {
        double ticksPerSecond;
        if (m_division & 0x8000) {
            // SMPTE: frames per second (29 stands for 29.97) times ticks per frame.
            int fps = -static_cast<std::int8_t>((m_division >> 8) & 0xFF);
            double rate = fps == 29 ? 29.97 : fps;
            ticksPerSecond = rate * static_cast<double>(m_division & 0xFF);
        } else {
            ticksPerSecond = static_cast<double>(m_division) * 1e6 / static_cast<double>(m_tempo);
        }
        return ticksPerSecond > 0 ? kMixRate / ticksPerSecond : 0.0;
    }

    // Reads the event at the front of the queue; false when none is queued.
    bool LoadEvent() {
        while (!m_queue.empty()) {
            MIDIHDR* h = m_queue.front();
            if (m_offset + kEventHead > h->dwBytesRecorded) {
                Retire();
                continue;
            }
            const std::uint8_t* p = h->lpData + m_offset;
            DWORD delta = ReadDword(p);
            m_event = ReadDword(p + 8);
            m_eventSize = kEventHead;
            if ((m_event >> 24) & kLongMessage) {
                std::size_t length = m_event & 0xFFFFFF;
                m_eventSize += (length + 3) & ~std::size_t(3);
                if (m_offset + m_eventSize > h->dwBytesRecorded) {
                    Retire();
                    continue;
                }
            }
            // A late event (the queue ran dry) plays at once.
            m_due = std::max(m_lastDue + static_cast<double>(delta) * SamplesPerTick(), static_cast<double>(m_clock));
            return true;
        }
        return false;
    }

    void Dispatch() {
        MIDIHDR* h = m_queue.front();
        const std::uint8_t* params = h->lpData + m_offset + kEventHead;
        const DWORD type = (m_event >> 24) & ~(MEVT_F_CALLBACK >> 24);
        const DWORD value = m_event & 0xFFFFFF;
        if (type == MEVT_SHORTMSG) {
            const DWORD status = value & 0xFF;
            if (m_out && status >= 0x80 && status < 0xF0) m_out->ShortMessage(value);
        } else if (type == MEVT_TEMPO) {
            if (value != 0) m_tempo = value;
        } else if (type == kLongMessage) {
            if (m_out) m_out->LongMessage(params, value);
        }
        m_lastDue = m_due;
        m_haveEvent = false;
        m_offset += m_eventSize;
        // The buffer goes back before its last event's callback arrives, so
        // the callback can refill it at once.
        if (m_offset + kEventHead > h->dwBytesRecorded) Retire();
        if (m_event & MEVT_F_CALLBACK) {
            PostThreadMessageA(m_thread, MM_MOM_POSITIONCB, m_generation, static_cast<LPARAM>(m_event));
        }
    }

    void Retire() {
        MIDIHDR* h = m_queue.front();
        h->dwFlags = (h->dwFlags & ~MHDR_INQUEUE) | MHDR_DONE;
        m_queue.pop_front();
        m_offset = 0;
    }

    void NotesOff() {
        if (!m_out) return;
        for (DWORD channel = 0; channel < 16; ++channel) m_out->ShortMessage(0xB0 | channel | (123u << 8));
    }

    void RenderOut(float* out, std::size_t frames) {
        if (m_out) {
            m_out->Render(out, frames);
        } else {
            std::fill(out, out + frames * 2, 0.0f);
        }
    }

    std::mutex m_mutex;
    std::shared_ptr<MidiOut> m_out;
    DWORD m_thread;
    DWORD m_division = 96;
    DWORD m_tempo = kDefaultTempo;
    std::deque<MIDIHDR*> m_queue;
    std::size_t m_offset = 0;  // of the next event in the front buffer
    bool m_playing = false;
    bool m_haveEvent = false;
    DWORD m_event = 0;
    std::size_t m_eventSize = 0;
    double m_due = 0;       // sample of the loaded event
    double m_lastDue = 0;   // sample of the event played before it
    long long m_clock = 0;  // samples played since the last stop
    WPARAM m_generation = 0;
};

class MidiStream {
public:
    std::shared_ptr<MidiStreamCore> core;
    SoundVoice voice;
};

void MidiStreamDeleter::operator()(MidiStream* stream) const { delete stream; }

namespace {

MidiStreamCore* Core(const HMIDISTRM& s) { return s ? s->core.get() : nullptr; }

}  // namespace

MMRESULT midiStreamOpen(HMIDISTRM* stream, DWORD callbackThread) {
    if (!stream) return MMSYSERR_INVALPARAM;
    HMIDISTRM s(new MidiStream());
    s->core = std::make_shared<MidiStreamCore>(OpenMidiOut(), callbackThread);
    s->voice = SoundVoice::FromStream(s->core);
    s->voice.Play(false);
    *stream = std::move(s);
    return MMSYSERR_NOERROR;
}

MMRESULT midiStreamTimeDiv(const HMIDISTRM& stream, DWORD division) {
    auto* core = Core(stream);
    return core ? core->SetDivision(division) : MMSYSERR_INVALHANDLE;
}

MMRESULT midiOutPrepareHeader(const HMIDISTRM& stream, MIDIHDR* header) {
    if (!Core(stream)) return MMSYSERR_INVALHANDLE;
    if (!header || !header->lpData) return MMSYSERR_INVALPARAM;
    header->dwFlags |= MHDR_PREPARED;
    return MMSYSERR_NOERROR;
}

MMRESULT midiOutUnprepareHeader(const HMIDISTRM& stream, MIDIHDR* header) {
    auto* core = Core(stream);
    return core ? core->Unprepare(header) : MMSYSERR_INVALHANDLE;
}

MMRESULT midiStreamOut(const HMIDISTRM& stream, MIDIHDR* header) {
    auto* core = Core(stream);
    return core ? core->Out(header) : MMSYSERR_INVALHANDLE;
}

MMRESULT midiStreamRestart(const HMIDISTRM& stream) {
    auto* core = Core(stream);
    if (!core) return MMSYSERR_INVALHANDLE;
    core->SetPlaying(true);
    return MMSYSERR_NOERROR;
}

MMRESULT midiStreamPause(const HMIDISTRM& stream) {
    auto* core = Core(stream);
    if (!core) return MMSYSERR_INVALHANDLE;
    core->SetPlaying(false);
    return MMSYSERR_NOERROR;
}

MMRESULT midiStreamStop(const HMIDISTRM& stream) {
    auto* core = Core(stream);
    if (!core) return MMSYSERR_INVALHANDLE;
    core->Stop();
    return MMSYSERR_NOERROR;
}

MMRESULT midiOutReset(const HMIDISTRM& stream) { return midiStreamStop(stream); }

MMRESULT midiStreamClose(HMIDISTRM* stream) {
    if (!stream || !*stream) return MMSYSERR_INVALHANDLE;
    (*stream)->core->Stop();
    stream->reset();
    return MMSYSERR_NOERROR;
}

bool midiHeaderQueued(const HMIDISTRM& stream, const MIDIHDR* header) {
    auto* core = Core(stream);
    return core && core->Queued(header);
}

WPARAM midiStreamGeneration(const HMIDISTRM& stream) {
    auto* core = Core(stream);
    return core ? core->Generation() : 0;
}

std::string MidiErrorText(MMRESULT code) {
    switch (code) {
        case MMSYSERR_NOERROR: return "no error";
        case MMSYSERR_INVALHANDLE: return "invalid stream handle";
        case MMSYSERR_INVALPARAM: return "invalid parameter";
        case MIDIERR_UNPREPARED: return "buffer not prepared";
        case MIDIERR_STILLPLAYING: return "buffer still in the queue";
        default: return "error " + std::to_string(code);
    }
}

}  // namespace platform

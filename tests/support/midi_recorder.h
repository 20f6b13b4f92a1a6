#pragma once
// A MIDI output that records what a stream plays on it and when: the time
// is the number of frames rendered before the message.
#include <mutex>
#include <utility>
#include <vector>

#include "platform/audio/synth.h"

class RecordingMidiOut : public platform::MidiOut {
public:
    struct Message {
        long long frame;
        DWORD message;
        bool operator==(const Message&) const = default;
    };
    void ShortMessage(DWORD message) override {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_messages.push_back({m_frames, message});
    }
    void LongMessage(const std::uint8_t*, std::size_t size) override {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_longSizes.push_back(size);
    }
    void Reset() override {
        std::lock_guard<std::mutex> lock(m_mutex);
        ++m_resets;
    }
    void Render(float* out, std::size_t frames) override {
        std::fill(out, out + frames * 2, 0.0f);
        std::lock_guard<std::mutex> lock(m_mutex);
        m_frames += static_cast<long long>(frames);
    }
    // The note messages (status 0x80 to 0x9F) so far.
    std::vector<Message> Notes() const {
        std::lock_guard<std::mutex> lock(m_mutex);
        std::vector<Message> notes;
        for (const Message& m : m_messages) {
            if ((m.message & 0xE0) == 0x80) notes.push_back(m);
        }
        return notes;
    }
    std::vector<Message> Messages() const {
        std::lock_guard<std::mutex> lock(m_mutex);
        return m_messages;
    }
    int Resets() const {
        std::lock_guard<std::mutex> lock(m_mutex);
        return m_resets;
    }

private:
    mutable std::mutex m_mutex;
    long long m_frames = 0;
    std::vector<Message> m_messages;
    std::vector<std::size_t> m_longSizes;
    int m_resets = 0;
};

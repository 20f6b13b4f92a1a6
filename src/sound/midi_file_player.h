#pragma once
// The MIDI file player: the format-0 image of a standard MIDI file fed to a
// MIDI stream in two buffers of 24000 bytes, refilled from a callback
// thread whenever playback reaches the last event of a buffer, and started
// again at the end of the song when it loops.
#include <array>
#include <mutex>
#include <vector>

#include "platform/audio/midi_stream.h"
#include "platform/threads.h"
#include "sound/smf_file.h"

class cMidiStream : public cSmfFile {
public:
    static constexpr int kBufferCount = 2;
    static constexpr std::size_t kBufferSize = 24000;

    // Loads the file and, when it has an image, opens the stream with the
    // first buffer queued, stopped.
    explicit cMidiStream(const std::string& name);
    // Ends and joins the callback thread, then closes the stream.
    ~cMidiStream() override;

    // Starts or resumes playback.
    void Restart(int loop);
    // 0 stops and rewinds, 1 pauses.
    void Stop(int flag);

    // 0 stopped, 1 playing, 2 paused.
    int State() const;
    // true once the whole image has gone into stream buffers.
    bool ImageQueued() const;

    // Fills a stream buffer from the image at pos; the image bytes it used.
    // An event that does not fit stays for the next fill.
    std::size_t FillBuffer(std::size_t pos, MIDIHDR& header);

private:
    void Open();
    void Queue();
    void Report(const char* step, MMRESULT result) const;
    void OnPosition(WPARAM generation, LPARAM event);
    static unsigned CallbackProc(void* self);

    int m_nNextBuffer = 0;
    platform::HMIDISTRM m_hStream;
    std::array<MIDIHDR, kBufferCount> m_Headers{};
    std::array<std::vector<std::uint8_t>, kBufferCount> m_Blocks;
    std::size_t m_nReadPos = kSmfImageHeader;
    int m_nState = 0;
    HANDLE m_hThread = nullptr;
    DWORD m_dwThreadId = 0;
    int m_bLoop = 0;
    // The window thread's stop and restart against the callback thread's.
    mutable std::recursive_mutex m_mutex;
};

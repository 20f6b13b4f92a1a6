#include "sound/midi_file_player.h"

#include <cstring>

#include "foundation/report.h"
#include "platform/clock.h"

namespace {

constexpr std::size_t kShortEvent = 12;  // delta, stream id, event word
constexpr DWORD kEndOfSong = 0x002FFF;   // the short-message value that ends the song

void PutDword(std::uint8_t* p, DWORD v) { std::memcpy(p, &v, 4); }
DWORD GetDword(const std::uint8_t* p) {
    DWORD v = 0;
    std::memcpy(&v, p, 4);
    return v;
}

// One event of the image as the stream takes it.
struct StreamEvent {
    DWORD word = 0;
    std::size_t size = 0;                 // bytes in the buffer
    const std::uint8_t* bytes = nullptr;  // a long event's bytes, from its status
    std::size_t byteCount = 0;
    bool written = true;  // false: a meta event the stream does not take
    bool end = false;
};

// Reads the event whose status is at image[p]; p moves behind it.
StreamEvent ReadEvent(const std::vector<std::uint8_t>& image, std::size_t& p) {
    StreamEvent e;
    const std::uint8_t* b = image.data();
    const std::uint8_t status = b[p];
    const std::size_t statusAt = p++;
    std::uint32_t length = 0;
    if (status < 0xF0) {
        const bool one = (status & 0xE0) == 0xC0;
        e.word = MEVT_SHORTMSG << 24 | status | DWORD(b[p]) << 8 | (one ? 0 : DWORD(b[p + 1]) << 16);
        p += one ? 1 : 2;
        e.size = kShortEvent;
    } else if (status == 0xFF) {
        const std::uint8_t type = b[p++];
        ReadVariableLength(b, image.size(), p, length);
        if (type == 0x51 && length >= 3) {
            e.word = MEVT_TEMPO << 24 | DWORD(b[p]) << 16 | DWORD(b[p + 1]) << 8 | b[p + 2];
            e.size = kShortEvent;
        } else if (type == 0x2F) {
            e.word = MEVT_F_CALLBACK | kEndOfSong;
            e.size = kShortEvent;
            e.end = true;
        } else {
            e.written = false;
        }
        p += length;
    } else {
        // System exclusive: the status byte, then the data.
        ReadVariableLength(b, image.size(), p, length);
        e.byteCount = 1 + length;
        e.bytes = b + statusAt;
        p += length;
        // Long events of the stream carry their bytes behind a byte count.
        e.word = MEVT_F_LONG | static_cast<DWORD>(e.byteCount);
        e.size = kShortEvent + ((e.byteCount + 3) & ~std::size_t(3));
    }
    return e;
}

}  // namespace

cMidiStream::cMidiStream(const std::string& name) : cSmfFile(name) {
    if (HasImage()) Open();
}

cMidiStream::~cMidiStream() {
    if (!HasImage()) return;
    if (m_hThread) {
        // The thread ends at WM_QUIT; until it is joined it may still call
        // into this object.
        while (!PostThreadMessageA(m_dwThreadId, WM_QUIT, 0, 0) && WaitForSingleObject(m_hThread, 0) == WAIT_TIMEOUT) {
            Sleep(1);
        }
        WaitForSingleObject(m_hThread, INFINITE);
        CloseHandle(m_hThread);
        m_hThread = nullptr;
    }
    if (!m_hStream) return;
    Report("Reset", platform::midiOutReset(m_hStream));
    for (MIDIHDR& h : m_Headers) Report("Unprepare", platform::midiOutUnprepareHeader(m_hStream, &h));
    Report("Close", platform::midiStreamClose(&m_hStream));
}

void cMidiStream::Report(const char* step, MMRESULT result) const {
    if (result == MMSYSERR_NOERROR) return;
    LogPrintfBoth("Midi %s %s %s", m_strName.c_str(), step, platform::MidiErrorText(result).c_str());
}

void cMidiStream::Open() {
    m_nNextBuffer = 0;
    int index = 0;
    for (MIDIHDR& h : m_Headers) {
        m_Blocks[static_cast<std::size_t>(index)].assign(kBufferSize, 0);
        h.lpData = m_Blocks[static_cast<std::size_t>(index)].data();
        h.dwBufferLength = static_cast<DWORD>(kBufferSize);
        h.dwUser = static_cast<std::uintptr_t>(index);
        ++index;
    }
    m_hThread = BeginThread(CallbackProc, this, &m_dwThreadId);
    if (m_hThread) {
        // The thread has a queue only once it looked at it.
        while (!PostThreadMessageA(m_dwThreadId, WM_THREAD_HELLO, 0, 0)) Sleep(1);
    }
    MMRESULT r = platform::midiStreamOpen(&m_hStream, m_dwThreadId);
    if (r != MMSYSERR_NOERROR) {
        Report("Open", r);
        return;
    }
    // The time division sits big-endian at offset 12 of the image.
    Report("Property", platform::midiStreamTimeDiv(m_hStream, DWORD(m_Image[12]) << 8 | m_Image[13]));
    m_nReadPos = kSmfImageHeader;
    m_nState = 0;
    Queue();
}

unsigned cMidiStream::CallbackProc(void* self) {
    auto* stream = static_cast<cMidiStream*>(self);
    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
        if (msg.message == MM_MOM_POSITIONCB) stream->OnPosition(msg.wParam, msg.lParam);
    }
    return 0;
}

void cMidiStream::OnPosition(WPARAM generation, LPARAM event) {
    std::lock_guard<std::recursive_mutex> lock(m_mutex);
    // A callback of the play before the last stop or rewind is stale.
    if (!m_hStream || generation != platform::midiStreamGeneration(m_hStream)) return;
    if ((static_cast<DWORD>(event) & 0xFFFFFF) == kEndOfSong) {
        Stop(0);
        if (m_bLoop) Restart(1);
    } else {
        Queue();
    }
}

int cMidiStream::State() const {
    std::lock_guard<std::recursive_mutex> lock(m_mutex);
    return m_nState;
}

bool cMidiStream::ImageQueued() const {
    std::lock_guard<std::recursive_mutex> lock(m_mutex);
    return m_nReadPos >= m_Image.size();
}

void cMidiStream::Queue() {
    if (!m_hStream || m_nReadPos >= m_Image.size()) return;
    MIDIHDR& h = m_Headers[static_cast<std::size_t>(m_nNextBuffer)];
    if (platform::midiHeaderQueued(m_hStream, &h)) return;
    m_nReadPos += FillBuffer(m_nReadPos, h);
    MMRESULT r = platform::midiOutPrepareHeader(m_hStream, &h);
    if (r != MMSYSERR_NOERROR) return Report("Prepare", r);
    r = platform::midiStreamOut(m_hStream, &h);
    if (r != MMSYSERR_NOERROR) return Report("Out", r);
    m_nNextBuffer = (m_nNextBuffer + 1) % kBufferCount;
}

std::size_t cMidiStream::FillBuffer(std::size_t pos, MIDIHDR& header) {
    std::uint8_t* out = header.lpData;
    std::memset(out, 0, header.dwBufferLength);
    const std::size_t capacity = std::min<std::size_t>(header.dwBufferLength, kBufferSize);
    std::size_t p = pos;
    std::size_t written = 0;
    std::size_t lastEvent = capacity;  // none yet
    DWORD carried = 0;                 // delta time of events not written
    std::size_t carriedFrom = 0;       // where the first of them starts
    while (p < m_Image.size()) {
        const std::size_t start = p;
        std::uint32_t delta = 0;
        ReadVariableLength(m_Image.data(), m_Image.size(), p, delta);
        StreamEvent e = ReadEvent(m_Image, p);
        if (e.written && e.size > capacity) {
            LogPrintfBoth("Midi %s Out イベントが大きすぎます (%zu バイト)", m_strName.c_str(), e.byteCount);
            e.written = false;
        }
        if (!e.written) {
            if (carried == 0) carriedFrom = start;
            carried += delta;
            continue;
        }
        if (written + e.size > capacity) {
            // Stays unread, with the delta time of what was skipped before it.
            p = carried != 0 ? carriedFrom : start;
            break;
        }
        PutDword(out + written, carried + delta);
        PutDword(out + written + 4, 0);
        PutDword(out + written + 8, e.word);
        if (e.bytes) std::memcpy(out + written + kShortEvent, e.bytes, e.byteCount);
        carried = 0;
        lastEvent = written;
        written += e.size;
        if (e.end) break;
    }
    if (lastEvent < capacity) PutDword(out + lastEvent + 8, GetDword(out + lastEvent + 8) | MEVT_F_CALLBACK);
    header.dwFlags = 0;
    header.dwOffset = 0;
    header.dwBytesRecorded = static_cast<DWORD>(written);
    return p - pos;
}

void cMidiStream::Restart(int loop) {
    std::lock_guard<std::recursive_mutex> lock(m_mutex);
    if (!HasImage()) return;
    m_bLoop = loop;
    if (m_nState == 1) return;
    Report("Restart", platform::midiStreamRestart(m_hStream));
    const bool wasPaused = m_nState == 2;
    m_nState = 1;
    if (!wasPaused) Queue();
}

void cMidiStream::Stop(int flag) {
    std::lock_guard<std::recursive_mutex> lock(m_mutex);
    if (!HasImage()) return;
    if (flag == 0) {
        Report("Stop", platform::midiStreamStop(m_hStream));
        m_nState = 0;
        m_nReadPos = kSmfImageHeader;
        Queue();
    } else if (m_nState == 1) {
        Report("Pause", platform::midiStreamPause(m_hStream));
        m_nState = 2;
    }
}

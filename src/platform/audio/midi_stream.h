#pragma once
// The MIDI stream: buffers of timed events played on a MIDI output inside
// the mixer. The music layer queues its buffers through these calls and this
// buffer format. Events are placed at the sample their ticks and the tempo
// give; an event flagged for a callback posts MM_MOM_POSITIONCB to
// the callback thread when it is played.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

#include "platform/win_types.h"

using MMRESULT = UINT;
constexpr MMRESULT MMSYSERR_NOERROR = 0;
constexpr MMRESULT MMSYSERR_INVALHANDLE = 5;
constexpr MMRESULT MMSYSERR_INVALPARAM = 11;
constexpr MMRESULT MIDIERR_UNPREPARED = 64;
constexpr MMRESULT MIDIERR_STILLPLAYING = 65;

constexpr DWORD MHDR_DONE = 0x1;
constexpr DWORD MHDR_PREPARED = 0x2;
constexpr DWORD MHDR_INQUEUE = 0x4;

constexpr DWORD MEVT_F_LONG = 0x80000000u;
constexpr DWORD MEVT_F_CALLBACK = 0x40000000u;
constexpr DWORD MEVT_SHORTMSG = 0x00;
constexpr DWORD MEVT_TEMPO = 0x01;

// Posted to the callback thread: wParam the stream's play generation (it
// changes at every stop and reset), lParam the event word played.
constexpr UINT MM_MOM_POSITIONCB = 0x3CA;

struct MIDIHDR {
    std::uint8_t* lpData = nullptr;
    DWORD dwBufferLength = 0;
    DWORD dwBytesRecorded = 0;
    std::uintptr_t dwUser = 0;
    DWORD dwFlags = 0;
    DWORD dwOffset = 0;
};

namespace platform {

class MidiStream;
// Contract: closes a stream that was not closed.
struct MidiStreamDeleter {
    void operator()(MidiStream* stream) const;
};
using HMIDISTRM = std::unique_ptr<MidiStream, MidiStreamDeleter>;

// Contract: opens a stream on the MIDI output (OpenMidiOut; none means the
// events are timed but not heard) and adds it to the mix; callbacks go to
// callbackThread.
MMRESULT midiStreamOpen(HMIDISTRM* stream, DWORD callbackThread);
// Contract: ticks per quarter note (or the SMPTE form) of the events.
MMRESULT midiStreamTimeDiv(const HMIDISTRM& stream, DWORD division);
MMRESULT midiOutPrepareHeader(const HMIDISTRM& stream, MIDIHDR* header);
MMRESULT midiOutUnprepareHeader(const HMIDISTRM& stream, MIDIHDR* header);
// Contract: queues a prepared buffer behind the others; the stream reads
// it while it plays and marks it done (not in the queue) after its last
// event. The header must stay alive until then or until a stop or reset.
MMRESULT midiStreamOut(const HMIDISTRM& stream, MIDIHDR* header);
// Contract: starts or resumes playback.
MMRESULT midiStreamRestart(const HMIDISTRM& stream);
// Contract: pauses where it is.
MMRESULT midiStreamPause(const HMIDISTRM& stream);
// Contract: stops, silences the output, returns every queued buffer as done
// and sets the time back to 0.
MMRESULT midiStreamStop(const HMIDISTRM& stream);
// Contract: as stop, for the end of the stream.
MMRESULT midiOutReset(const HMIDISTRM& stream);
// Contract: removes the stream from the mix; *stream becomes empty.
MMRESULT midiStreamClose(HMIDISTRM* stream);
// Contract: true while the buffer is in the stream's queue (read under the
// stream's lock, so any thread may ask).
bool midiHeaderQueued(const HMIDISTRM& stream, const MIDIHDR* header);
// Contract: the play generation that MM_MOM_POSITIONCB carries in wParam;
// it changes at every stop and reset, so older callbacks can be told apart.
WPARAM midiStreamGeneration(const HMIDISTRM& stream);
// Contract: the text of a result code.
std::string MidiErrorText(MMRESULT code);

}  // namespace platform

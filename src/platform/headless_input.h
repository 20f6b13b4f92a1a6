#pragma once
// Scripted input of the headless window. Time is counted in presented
// frames, so a script replays the same way on any machine.
#include <functional>
#include <string>

#include "platform/present.h"
#include "platform/win_types.h"

namespace platform::headless {

// Contract: the headless window posts msg to itself at its first pump after
// `frame` frames have been presented. WM_KEYDOWN / WM_KEYUP also update the
// keyboard snapshot. Messages of the same frame keep their order.
void ScheduleWindowMessage(long long frame, UINT msg, WPARAM wParam, LPARAM lParam);

// Contract: true while scheduled input has not been delivered yet.
bool ScriptedInputPending();

// Contract: forgets every scheduled message.
void ClearSchedule();

// Contract: while the virtual clock runs, the frame thread outpaces the
// window's pump; so a present waits here until the open headless window has
// delivered every message due at `frame` (the new serial), at most a second
// of real time. Returns at once with the real clock, without an open
// headless window, once that window begins to close, or on the window's own
// thread. A gate (threads.h). The presents call it.
void AwaitDueInput(long long frame);

// Contract: called by the present with each frame as it becomes the last
// presented one, and its serial: writes the script's shots due by then
// (a write that fails is reported, the run goes on).
void WriteDueShots(long long serial, const Frame& frame);

// Contract: what a script's "lose" line does: the drawing layer installs
// the loss of its display here (an empty hook withdraws it).
void SetDisplayLossHook(std::function<void()> hook);

// Contract: called by the presents on the frame-loop thread once the input
// due at a frame has been delivered: runs the loss hook when a "lose" line
// has come due since the last call, so the next frame is drawn on a lost
// display.
void RunDueDisplayLoss();

// Contract: whether the headless window can go full screen (true at
// start); tests take it away to play a display that cannot.
void SetFullScreenAvailable(bool available);

// Contract: reads a script (host path). One command a line, '#' starts a
// comment:
//   <frame> keydown <vk> | <frame> keyup <vk> | <frame> key <vk> (down at
//   frame, up one frame later) | <frame> close | <frame> activate <0|1>
//   | <frame> text <UTF-8 text to the end of the line> (typed characters,
//   WM_CHAR) | <frame> click <x> <y> (left button down at the client point,
//   up one frame later) | <frame> joy <id 0-7> <x 0-65535> <y 0-65535>
//   <button mask> (joystick id present with that state from that frame on)
//   | <frame> lose (the display is lost after that frame is presented)
//   | <frame> joyoff <id> | <frame> shot <file> (presented frame number
//   <frame>, the first for 0, written as PNG; a relative file is in the
//   script's folder) | <frame> shotarea <x> <y> <w> <h> <file> (the same,
//   only that rectangle of the frame, cut to the frame; nothing of it on
//   the frame is a failed write)
//   answer <IDxxx number>   (queued for the next message box)
// false, with the line number and the reason in *error, for an unreadable
// file or a bad line; nothing of a bad script is scheduled.
bool LoadInputScript(const std::string& hostPath, std::string* error);

}  // namespace platform::headless

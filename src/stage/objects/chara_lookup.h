#pragma once
// Finding a character of the running stage by its id.
class cChara;

// The character whose m_nId is id: the heroes first, then the stage
// characters; null when none has it (a vanished character).
cChara* FindCharaById(int id);

// A reference point or mode that holds for walkers only: mode 1 always,
// mode 2 while the character does not fly.
inline bool IsModeActive(int mode, int flying) { return mode == 1 || (mode == 2 && flying == 0); }

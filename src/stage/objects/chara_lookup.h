#pragma once
// Finding a character of the running stage by its id.
class cChara;

// The character whose m_nId is id: the heroes first, then the stage
// characters; null when none has it (a vanished character).
cChara* FindCharaById(int id);

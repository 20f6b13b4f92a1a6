#pragma once
// The run of a character effect on one character: which entry runs, in
// which mode (0 forward, 1 reversed, 2 there and back), whether it loops,
// and how far its tweened value has come. Runs start as copies of templates
// prepared once at start-up, one forward and one reversed per entry.
#include "foundation/checked_containers.h"
#include "gamedata/database/database_entries.h"

struct cCharaEffectRun {
    int nEffect = 0;  // 0 none
    const cCharaEffect* lpEntry = nullptr;
    int nMode = 0;
    int bLoop = 0;
    int bReversedNow = 0;
    int nStart = 0, nEnd = 0;
    double dValue = 0.0;
    double dStep = 0.0;
    double dElapsed = 0.0;  // tenths of a second, while start equals end
    int nTime = 0;          // tenths of a second
    int nPhase = 0;         // waves and blinking
    int bVisible = 0;       // blinking

    void Clear() { *this = cCharaEffectRun{}; }
    // Copies the template of `effect` for the mode and keeps number, mode
    // and loop.
    void Start(int effect, int mode, int loop);
    // One frame; 1 when the run has finished.
    int Step();
    // The next pass: there-and-back turns round, the others start again.
    void Restart();
    // The entry's kind; 0 without an entry.
    int Kind() const { return lpEntry ? lpEntry->m_nKind : 0; }
    int Param(int i) const { return lpEntry ? lpEntry->m_nParam[i] : 0; }
};

extern cVector<cCharaEffectRun> CharaEffectTemplates;
extern cVector<cCharaEffectRun> CharaEffectTemplatesRev;

// Fills `run` from entry `number` of the character-effect table (reversed:
// the working copy whose start and end are exchanged).
void PrepareCharaEffect(cCharaEffectRun& run, int number, int reversed);
// Both template tables, from the loaded database (after CopyEffectTables).
bool BuildCharaEffectTemplates();
// Puts the template build into the start-up steps, right after the effect
// tables it reads; once however often it is called.
void RegisterCharaEffectStartup();

#pragma once
// The screen effect of a running stage: one screen-effect entry whose value
// is tweened from the entry's start to its end over the entry's time (or
// whose time alone is counted), run forward, reversed or there and back,
// once or looping. Forward and reversed templates are prepared once per
// entry at start-up; a start or a restart copies one.
#include <cstdint>

#include "foundation/checked_containers.h"
#include "gamedata/database/database.h"

namespace ScreenEffectMode {
enum : int { Forward = 0, Reversed = 1, RoundTrip = 2 };
}

struct cScreenEffectRun {
    std::int16_t nEffect = 0;  // 0: no effect
    const cScrEffect* lpEntry = nullptr;
    int nMode = ScreenEffectMode::Forward;
    int bLoop = 0;
    int bReversedNow = 0;
    double dValue = 0.0;  // the tweened value (tenths of a second for the kinds that count time)
    double dShake = 0.0;  // the shakes' offset
    double dStep = 0.0;
    // The move's x offset, the waves' and the blink's phase counter, or the
    // shakes' direction.
    int nWorkA = 0;
    // The move's y offset, or whether the blink shows the background.
    int nWorkB = 0;
    int bTimeMode = 0;
    double dElapsed = 0.0;  // tenths of a second
    int nTime = 0;          // tenths of a second

    // The template of the effect (the reversed one in mode 1), with its
    // number, mode and loop flag. A number outside the table is a checked
    // access fault and runs entry 0.
    void Start(int number, int mode, int loop);
    // One frame of the pass: 1 when the run is over (the last pass ended
    // without the loop flag), else 0; a finished pass that goes on starts
    // the next one (Restart).
    int Step(int from, int to);
    // The next pass: round trip turns round; the matching template again.
    void Restart();
    // Parameter n of the entry the run was prepared from.
    int Param(int n) const;
};

extern cVector<cScreenEffectRun>& ScreenEffectTemplates;
extern cVector<cScreenEffectRun>& ScreenEffectTemplatesRev;

// A time of the data in frames, as a divisor: a time below a tenth of a
// second counts as one tenth, so a zero or negative time from a file never
// divides by zero or runs backwards.
double TimeDivisor(int tenths);

// Prepares the run of entry `index` from the database's entry (direction 0)
// or from its reversed working copy (direction 1).
void PrepareScreenEffect(cScreenEffectRun& run, int index, int direction, cDatabase& db = Database);
// Both template tables, one element per screen-effect entry; after
// CopyEffectTables.
void BuildScreenEffectTemplates(cDatabase& db = Database);
// Makes the start-up build the templates right after the effect tables;
// once however often it is called.
void AddScreenEffectTemplateStep();

#pragma once
// Tables derived once at start-up from the loaded databases, so that nothing
// is computed from a database entry while a stage runs: working copies of
// the two effect tables, the frame sequences of every animation and effect,
// and (built by the stage code with its run records) the prepared forward
// and reversed templates of every character and screen effect.
//
// Start-up order, right after cDatabase::LoadAll returned 1:
//   1. CopyEffectTables
//   2. BuildAnimeSequences (AnimeSequences)
//   3. BuildEffectSequences (EffectSequences)
//   4. BuildCharaEffectTemplates: BuildEffectTemplates over CharaEffect with
//      PrepareCharaEffect, which takes its source from
//      PrepareCharaEffectSource
//   5. BuildScreenEffectTemplates: the same over ScrEffect with
//      PrepareScreenEffect and PrepareScrEffectSource
// The templates keep pointers into CharaEffect, ScrEffect and their copies,
// so none of these four vectors may change size after step 1.
#include "foundation/checked_containers.h"
#include "gamedata/database/database.h"

// One step of an animation sequence: a picture cell or a code below 0, the
// frames it stays, and whether it locks the animation against replacement.
struct SequenceEntry {
    int frame = 0;
    int duration = 0;
    int lock = 0;
};

using AnimSequence = cVector<SequenceEntry>;

// Codes that end a sequence: back to its first entry, or the end of a
// one-shot animation (the advance that reaches it returns the code).
constexpr int kSequenceLoop = -2;
constexpr int kSequenceEnd = -4;

// One sequence per entry of the Anime and of the Effect table; built with
// the other global objects (gamedata/global_data.h).
extern cVector<AnimSequence>& AnimeSequences;
extern cVector<AnimSequence>& EffectSequences;

void CopyEffectTables(cDatabase& db = Database);
void BuildAnimeSequences(cVector<AnimSequence>& table, const cDatabase& db = Database);
void BuildEffectSequences(cVector<AnimSequence>& table, const cDatabase& db = Database);

// The entry a character or screen effect template is prepared from:
// direction 0 the database's own entry, direction 1 the working copy, whose
// start and end are exchanged here so that the reversed run goes from the
// stored end back to the stored start. A bad index yields entry 0 through the
// checked subscript.
cCharaEffect& PrepareCharaEffectSource(int index, int direction, cDatabase& db = Database);
cScrEffect& PrepareScrEffectSource(int index, int direction, cDatabase& db = Database);

// Sizes both template tables to count (new elements zero-filled) and
// prepares element i of each: prepare(forward[i], i, 0), then
// prepare(reversed[i], i, 1).
template <class Run, class Prepare>
void BuildEffectTemplates(cVector<Run>& forward, cVector<Run>& reversed, int count, Prepare&& prepare) {
    forward.resize(static_cast<std::size_t>(count), Run{});
    reversed.resize(static_cast<std::size_t>(count), Run{});
    for (int i = 0; i < count; ++i) {
        prepare(forward[i], i, 0);
        prepare(reversed[i], i, 1);
    }
}

#include "gamedata/database/effect_tables.h"

#include <climits>

namespace {

// Frame times are tenths of a second; a sequence counts frames at 60 a
// second. A time too large for an int holds for the longest time there is.
int TenthsToFrames(int tenths) {
    long long frames = static_cast<long long>(tenths) * 6;
    if (frames > INT_MAX) return INT_MAX;
    if (frames < INT_MIN) return INT_MIN;
    return static_cast<int>(frames);
}

// Entry 0 of a table is "none": it shows its frames without time, locked,
// and loops on itself. Every other entry runs once and ends.
template <class Frame, class LockOf>
void BuildSequence(AnimSequence& seq, const cVector<Frame>& frames, bool isNone, LockOf lockOf) {
    seq.clear();
    seq.reserve(frames.size() + 1);
    int lock = 0;
    for (const Frame& f : frames) {
        if (isNone) {
            seq.push_back({f.m_nCell, 0, 1});
            continue;
        }
        // Once a frame asks for the lock, the rest of the animation keeps it.
        if (lockOf(f)) lock = 1;
        seq.push_back({f.m_nCell, TenthsToFrames(f.m_nTime), lock});
    }
    seq.push_back(isNone ? SequenceEntry{kSequenceLoop, 0, 1} : SequenceEntry{kSequenceEnd, 0, 0});
}

template <class Entry, class LockOf>
void BuildSequences(cVector<AnimSequence>& table, const cVector<Entry>& entries, LockOf lockOf) {
    table.resize(entries.size());
    for (int i = 0; i < entries.Count(); ++i) BuildSequence(table[i], entries[i].m_vFrames, i == 0, lockOf);
}

template <class Entry>
void CopyTable(cVector<Entry>& copy, const cVector<Entry>& source) {
    copy.assign(source.size(), Entry());
    for (int i = 0; i < source.Count(); ++i) copy[i].CopyFrom(source[i]);
}

template <class Entry>
Entry& PrepareSource(cVector<Entry>& table, cVector<Entry>& copy, int index, int direction) {
    if (direction == 0) return table[index];
    Entry& entry = copy[index];
    entry.SwapEnds();
    return entry;
}

}  // namespace

void CopyEffectTables(cDatabase& db) {
    CopyTable(db.CharaEffectCopy, db.CharaEffect);
    CopyTable(db.ScrEffectCopy, db.ScrEffect);
}

void BuildAnimeSequences(cVector<AnimSequence>& table, const cDatabase& db) {
    BuildSequences(table, db.Anime, [](const cAnimeFrame& f) { return f.m_nLock != 0; });
}

void BuildEffectSequences(cVector<AnimSequence>& table, const cDatabase& db) {
    BuildSequences(table, db.Effect, [](const cEffectFrame&) { return false; });
}

cCharaEffect& PrepareCharaEffectSource(int index, int direction, cDatabase& db) {
    return PrepareSource(db.CharaEffect, db.CharaEffectCopy, index, direction);
}

cScrEffect& PrepareScrEffectSource(int index, int direction, cDatabase& db) {
    return PrepareSource(db.ScrEffect, db.ScrEffectCopy, index, direction);
}

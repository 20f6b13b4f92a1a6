#include "scenes/stage_play/key_log.h"

#include <limits>
#include <numeric>

#include "shell/input/key_state.h"

cKeyLog KeyLog;
cKeyLog KeyLog2;

namespace {

void RecordWord(cVector<std::int16_t>& values, cVector<std::int32_t>& counts, std::uint16_t word) {
    const auto value = static_cast<std::int16_t>(word);
    // A run that would overflow its count starts a new one with the same value.
    if (!values.empty() && values.back() == value && counts.back() < std::numeric_limits<std::int32_t>::max()) {
        ++counts.back();
        return;
    }
    values.push_back(value);
    counts.push_back(1);
}

std::uint16_t PlayWord(const cVector<std::int16_t>& values, const cVector<std::int32_t>& counts, int& cursor,
                       int& run) {
    const auto word = static_cast<std::uint16_t>(values[cursor]);
    if (++run >= counts[cursor]) {
        run = 0;
        ++cursor;
    }
    return word;
}

// What a stored log must satisfy before it is played: checked here once, so
// playback can trust every index and count.
const char* StreamFault(const cVector<std::int16_t>& values, const cVector<std::int32_t>& counts) {
    if (values.empty() || counts.empty()) return "empty key stream";
    if (values.size() != counts.size()) return "key stream lengths differ";
    for (std::int32_t c : counts) {
        if (c < 1) return "key run of no frames";
    }
    return nullptr;
}

std::int64_t Frames(const cVector<std::int32_t>& counts) {
    return std::accumulate(counts.begin(), counts.end(), std::int64_t{0});
}

}  // namespace

cKeyLog::cKeyLog() { UseFields(DataVersion); }

cKeyLog::cKeyLog(const cKeyLog& other) : cDataRecord() {
    UseFields(DataVersion);
    TakeStreams(other);
}

cKeyLog& cKeyLog::operator=(const cKeyLog& other) {
    if (this != &other) TakeStreams(other);
    return *this;
}

void cKeyLog::TakeStreams(const cKeyLog& other) {
    m_vecValueA = other.m_vecValueA;
    m_vecValueB = other.m_vecValueB;
    m_vecCountA = other.m_vecCountA;
    m_vecCountB = other.m_vecCountB;
    m_nSeed = other.m_nSeed;
}

void cKeyLog::RegisterFields(int) {
    ClearFieldLists();
    AddField(&m_nSeed);
}

bool cKeyLog::Load(cDataFile& f) {
    cKeyLog read;
    if (!read.cDataRecord::Load(f)) return false;
    if (!ReadValueList(f, read.m_vecValueA) || !ReadValueList(f, read.m_vecValueB) ||
        !ReadValueList(f, read.m_vecCountA) || !ReadValueList(f, read.m_vecCountB)) {
        return false;
    }
    const char* fault = StreamFault(read.m_vecValueA, read.m_vecCountA);
    if (!fault) fault = StreamFault(read.m_vecValueB, read.m_vecCountB);
    if (!fault && Frames(read.m_vecCountA) != Frames(read.m_vecCountB)) fault = "key streams of different length";
    if (fault) {
        f.Fail(fault);
        return false;
    }
    TakeStreams(read);
    RewindPlayback();
    return true;
}

void cKeyLog::Save(cDataFile& f) {
    cDataRecord::Save(f);
    SaveValueList(f, m_vecValueA);
    SaveValueList(f, m_vecValueB);
    SaveValueList(f, m_vecCountA);
    SaveValueList(f, m_vecCountB);
}

void cKeyLog::Record(const cKeyState& keys) {
    RecordWord(m_vecValueA, m_vecCountA, keys.m_wDirection);
    RecordWord(m_vecValueB, m_vecCountB, keys.m_wButtons);
}

int cKeyLog::Play(cKeyState& keys) {
    if (m_nCursorA >= m_vecValueA.Count() || m_nCursorB >= m_vecValueB.Count()) return 1;
    // A log built in memory may hold fewer run lengths than values.
    if (m_nCursorA >= m_vecCountA.Count() || m_nCursorB >= m_vecCountB.Count()) return 1;
    keys.m_wDirection = PlayWord(m_vecValueA, m_vecCountA, m_nCursorA, m_nRunA);
    keys.m_wButtons = PlayWord(m_vecValueB, m_vecCountB, m_nCursorB, m_nRunB);
    return 0;
}

void cKeyLog::Clear() {
    Reset();
    m_vecValueA.clear();
    m_vecValueB.clear();
    m_vecCountA.clear();
    m_vecCountB.clear();
    RewindPlayback();
}

void cKeyLog::RewindPlayback() { m_nCursorA = m_nCursorB = m_nRunA = m_nRunB = 0; }

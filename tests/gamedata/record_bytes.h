#pragma once
// Saves a record into bytes and loads one from bytes as a file of a given
// version would be read, without touching the disk.
#include <cstdint>
#include <vector>

#include "foundation/data_record.h"

template <class R>
std::vector<std::uint8_t> SavedBytes(R& record) {
    cDataFile f("mem", cDataFile::Mode::Write);
    record.Save(f);
    return f.Bytes();
}

// Loads the body (no version header) as a file of version v; true when the
// file did not fail and every byte was used.
template <class R>
bool LoadBytes(R& record, const std::vector<std::uint8_t>& bytes, int v = kDataVersion) {
    cDataFile f("mem", bytes);
    const int old = FileVersion;
    FileVersion = v;
    bool ok = record.Load(f);
    FileVersion = old;
    return ok && !f.Failed() && f.Remaining() == 0;
}

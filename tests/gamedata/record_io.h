#pragma once
// Loading and saving single records from and to bytes, as a data file body
// of a given version would hold them.
#include <cstdint>
#include <string>
#include <vector>

#include "foundation/data_record.h"
#include "support/byte_builder.h"

// Saves the record at the current version; the bytes exclude the file's
// version header.
inline std::vector<std::uint8_t> SaveBytes(cDataRecord& r) {
    cDataFile f("mem", cDataFile::Mode::Write);
    r.Save(f);
    return f.Bytes();
}

// Loads the record from a body written by `version`. Returns the load's
// result; `left` receives the bytes that were not consumed.
inline bool LoadBytes(cDataRecord& r, int version, const std::vector<std::uint8_t>& body, std::size_t* left = nullptr) {
    FileVersion = version;
    cDataFile f("mem", body);
    bool ok = r.Load(f);
    if (left) *left = f.Remaining();
    FileVersion = DataVersion;
    return ok;
}

inline bool LoadBytes(cDataRecord& r, int version, const ByteBuilder& body, std::size_t* left = nullptr) {
    return LoadBytes(r, version, body.Data(), left);
}

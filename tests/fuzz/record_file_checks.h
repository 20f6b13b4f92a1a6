#pragma once
// What the record-file targets check of every input: the loader gives a
// clean load or a clean refusal, never a fatal close; and a file it accepted
// saves as a file it accepts again, since a save the player cannot read back
// loses the player's data.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "foundation/abort.h"
#include "gamedata/fixtures/record_io.h"

template <class Record>
int LoadFuzzedFile(Record& record, const std::uint8_t* data, std::size_t size) {
    return record.LoadOpenedFile(OpenDataBytesRead("fuzz", std::vector<std::uint8_t>(data, data + size)));
}

template <class Record>
void RequireReloads(Record& record) {
    Record again;
    if (!again.LoadOpenedFile(OpenDataBytesRead("resaved", SavedFileBytes(record)))) __builtin_trap();
}

inline void RequireNoFatalClose() {
    if (AbortFlag.load() != 0) __builtin_trap();
}

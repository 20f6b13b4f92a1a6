#pragma once
// Lists of sub-records read one element at a time: memory grows only with
// elements that really are in the file, so a count that claims more than
// the file holds cannot make nested lists allocate ahead of the bytes.
#include <cstddef>
#include <cstdint>

#include "foundation/data_record.h"

template <class T>
bool LoadRecordsIncrementally(cDataFile& file, cVector<T>& list, std::size_t minElemBytes) {
    std::int32_t n = 0;
    if (!file.ReadCount(n, minElemBytes)) return false;
    list.clear();
    for (std::int32_t i = 0; i < n; ++i) {
        list.emplace_back();
        if (!list.back().Load(file)) return false;
    }
    return true;
}

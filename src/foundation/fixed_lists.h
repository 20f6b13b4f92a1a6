#pragma once
// Lists of a fixed length in the project's data, and the insertion that old
// files are upgraded with: the entries from the index on move up by one, the
// last one is lost, and the new value takes the index.
#include <cstddef>

#include "foundation/checked_containers.h"

template <class T>
void InsertIntoFixedList(cVector<T>& list, int index, const T& value) {
    const int n = list.Count();
    if (index < 0 || index >= n) return;
    for (int i = n - 1; i > index; --i) list[i] = list[i - 1];
    list[index] = value;
}

// Makes a list at least as long as its defaults, taking the missing entries
// from them; a longer list is kept as it is.
template <class T>
void PadToDefaults(cVector<T>& list, const cVector<T>& defaults) {
    if (list.size() >= defaults.size()) return;
    list.insert(list.end(), defaults.begin() + static_cast<std::ptrdiff_t>(list.size()), defaults.end());
}

// PadToDefaults over several list members of one record.
template <class Record, class... Lists>
void PadEachToDefaults(Record& record, const Record& defaults, Lists Record::*... lists) {
    (PadToDefaults(record.*lists, defaults.*lists), ...);
}

#pragma once
// Lists of a fixed length in the project's data, and the insertion that old
// files are upgraded with: the entries from the index on move up by one, the
// last one is lost, and the new value takes the index.
#include "foundation/checked_containers.h"

template <class T>
void InsertIntoFixedList(cVector<T>& list, int index, const T& value) {
    const int n = list.Count();
    if (index < 0 || index >= n) return;
    for (int i = n - 1; i > index; --i) list[i] = list[i - 1];
    list[index] = value;
}

// Makes a list exactly as long as its defaults, taking the missing entries
// from them.
template <class T>
void FitToDefaults(cVector<T>& list, const cVector<T>& defaults) {
    const int have = list.Count();
    list.resize(defaults.size(), T());
    for (int i = have; i < defaults.Count(); ++i) list[i] = defaults[i];
}

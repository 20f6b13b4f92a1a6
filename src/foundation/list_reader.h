#pragma once
// The one way a stored list is read: a 4-byte count, then the elements. The
// count is checked against the bytes left before anything is allocated
// (every element takes at least minBytes in the file), and the elements are
// read one at a time, so a damaged count fails the file instead of
// allocating ahead of the bytes that are really there.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <type_traits>
#include <vector>

#include "foundation/data_file.h"

// What a stored count does to the list.
enum class StoredCount {
    // The list becomes the stored elements; a negative count fails the file.
    Replaces,
    // The same, except that a count of 0 leaves the list as it was.
    ZeroKeeps,
    // A count of 0 or less leaves the list as it was; otherwise the stored
    // elements are read over the list's first ones and the list takes the
    // stored length.
    NoneKeeps,
};

// When the elements are made.
enum class ListGrowth {
    // Each element is appended just before it is read.
    OneByOne,
    // All are made before the first is read: for elements that look at the
    // later, still new, entries of their own list while they load.
    MadeFirst,
};

struct ListShape {
    std::size_t minBytes = 8;
    StoredCount count = StoredCount::Replaces;
    ListGrowth growth = ListGrowth::OneByOne;
};

// Reads and checks the count. false when the file failed (a short file, a
// negative count where it is refused, more elements than the bytes left
// can hold); keep is true when the list stays as it was. A count is never
// refused for being longer than the program uses: the list is kept whole,
// so that writing it back loses nothing.
bool ReadListCount(cDataFile& f, const ListShape& shape, std::size_t& count, bool& keep);

// What one element costs in memory before anything is read into it: a
// record also keeps the lists of its registered members on the heap, and a
// record that is made with default elements in its own lists says what
// those take (ConstructedListBytes).
template <class T>
std::size_t ElementMemoryCost() {
    if constexpr (requires(const T& t) { t.ConstructedListBytes(); }) {
        static const std::size_t cost = sizeof(T) + T().ConstructedListBytes();
        return cost;
    } else if constexpr (requires(const T& t) { t.RegisteredListBytes(); }) {
        static const std::size_t cost = sizeof(T) + T().RegisteredListBytes();
        return cost;
    } else {
        return sizeof(T);
    }
}

// Reads a list with readOne(element), which reads one element and returns
// false when the file failed.
template <class T, class Alloc, class ReadOne>
bool ReadList(cDataFile& f, std::vector<T, Alloc>& list, const ListShape& shape, ReadOne&& readOne) {
    std::size_t n = 0;
    bool keep = false;
    if (!ReadListCount(f, shape, n, keep)) return false;
    if (keep) return true;
    // Counts are at most INT32_MAX, so the product cannot wrap.
    if (!f.ChargeMemory(n * ElementMemoryCost<T>())) return false;
    if (shape.count != StoredCount::NoneKeeps) list.clear();
    if (list.size() > n) list.erase(list.begin() + static_cast<std::ptrdiff_t>(n), list.end());
    if (shape.growth == ListGrowth::MadeFirst) list.resize(n);
    for (auto& element : list) {
        if (!readOne(element)) return false;
    }
    // The whole count is already paid for: room for all of it at once, so
    // that growing never holds the old and the new copy of a long list.
    list.reserve(n);
    while (list.size() < n) {
        if (!readOne(list.emplace_back())) return false;
    }
    return true;
}

// A list of records, each read by its Load.
template <class T, class Alloc>
bool ReadRecordList(cDataFile& f, std::vector<T, Alloc>& list, const ListShape& shape = {}) {
    return ReadList(f, list, shape, [&f](T& element) { return element.Load(f); });
}

// A list of plain values, each stored as its bytes. The count was checked
// against the bytes left, so the values are read as one block.
template <class T, class Alloc>
bool ReadValueList(cDataFile& f, std::vector<T, Alloc>& list, StoredCount count = StoredCount::Replaces) {
    static_assert(std::is_trivially_copyable_v<T>);
    std::size_t n = 0;
    bool keep = false;
    if (!ReadListCount(f, ListShape{sizeof(T), count, ListGrowth::OneByOne}, n, keep)) return false;
    if (keep) return true;
    if (!f.ChargeMemory(n * sizeof(T))) return false;
    list.resize(n);
    return n == 0 || f.Read(list.data(), n * sizeof(T));
}

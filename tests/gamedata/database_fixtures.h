#pragma once
// Bytes of database entries as files of a given version hold them, so the
// tests load what an editor of that version really wrote.
#include <initializer_list>
#include <string>

#include "foundation/data_file.h"
#include "gamedata/database.h"
#include "support/byte_builder.h"

namespace fixtures {

// A record: member-block count, 32-bit blocks, string count, strings.
inline ByteBuilder IntRecord(std::initializer_list<int> ints, std::initializer_list<std::string> strs) {
    ByteBuilder b;
    b.I32(static_cast<std::int32_t>(ints.size()));
    for (int v : ints) b.I32(v);
    b.I32(static_cast<std::int32_t>(strs.size()));
    for (const auto& s : strs) b.Str(s);
    return b;
}

// A character or screen effect: the kind, then the five parameters as one block.
inline ByteBuilder KindEntry(int kind, std::initializer_list<int> params, const std::string& name) {
    ByteBuilder b;
    b.I32(2).I32(kind);
    for (int v : params) b.I32(v);
    b.I32(1).Str(name);
    return b;
}

inline ByteBuilder AnimeFrame(int cell, int time, int lock) { return IntRecord({cell, time, lock}, {}); }
inline ByteBuilder EffectFrame(int cell, int time) { return IntRecord({cell, time}, {}); }

// An animation of version 55 or later: two shorts around the flag byte.
inline ByteBuilder Anime(const std::string& name, std::initializer_list<ByteBuilder> frames, short v1 = 0,
                         signed char flag = 1, short v2 = 0) {
    ByteBuilder b;
    b.I32(3).I16(v1).I8(flag).I16(v2).I32(1).Str(name);
    b.I32(static_cast<std::int32_t>(frames.size()));
    for (const auto& f : frames) b.Append(f);
    return b;
}

// A list of records behind a count.
inline ByteBuilder List(std::initializer_list<ByteBuilder> items) {
    ByteBuilder b;
    b.I32(static_cast<std::int32_t>(items.size()));
    for (const auto& i : items) b.Append(i);
    return b;
}

// A table file: header, count, entries.
inline ByteBuilder Table(int version, std::initializer_list<ByteBuilder> entries) {
    ByteBuilder b;
    b.I32(version);
    b.Append(List(entries));
    return b;
}

// Reads a table from fixture bytes the way a table file is read.
template <class T>
bool ReadTableBytes(cVector<T>& table, const ByteBuilder& bytes) {
    cDataFile f("fixture", bytes.Data());
    FileVersion = f.ReadInt();
    return ReadTable(table, f);
}

}  // namespace fixtures

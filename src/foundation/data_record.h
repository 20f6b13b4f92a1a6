#pragma once
// The versioned record files that every data file of the system uses: a
// record registers, per data version, which members are stored and in which
// order; the base writes and reads them as raw little-endian blocks and
// length-prefixed strings behind one 4-byte version header per file.
#include <cstdint>
#include <string>
#include <type_traits>

#include "foundation/checked_containers.h"
#include "foundation/data_file.h"
#include "foundation/list_reader.h"

extern int DataVersion;     // the program's data version, 920
extern int FileVersion;     // version of the data file opened last for reading
extern int NewerFileFlag;   // 1 when the last open refused a newer file
extern int StripCRFlag;     // delete CR bytes from loaded strings
extern int DiscardedField;  // scratch members registered for dropped fields
extern std::int16_t DiscardedField16;

constexpr int kDataVersion = 920;

class cDataRecord;

struct FieldEntry {
    const cDataRecord* owner = nullptr;
    void* address = nullptr;
    std::int32_t count = 0;
    std::uint8_t size = 0;
};

struct StringEntry {
    const cDataRecord* owner = nullptr;
    std::string* address = nullptr;
};

class cDataRecord {
public:
    cDataRecord() = default;
    virtual ~cDataRecord() = default;
    // Copies re-base the source's member lists onto the new owner, so a copy
    // describes its own members.
    cDataRecord(const cDataRecord& src);
    cDataRecord& operator=(const cDataRecord& src);
    // A move takes the member lists over and points them at the new owner;
    // it allocates nothing, so lists of records move their elements when
    // they grow instead of copying them.
    cDataRecord(cDataRecord&& src) noexcept;

    virtual void RegisterFieldsConst(int version) const;
    virtual void RegisterFields(int version);
    // Reads the record (and, in derived classes, what they append). false
    // when the file failed; the file then carries the reason.
    virtual bool Load(cDataFile& file);
    virtual void Save(cDataFile& file);
    // What a refused load leaves behind. The base resets the registered
    // members; records that append lists also empty or default them.
    virtual void OnLoadRefused();

    void Reset();
    void CopyFrom(const cDataRecord& src);
    void StripCR();

    // The largest file of this record's kind that LoadFile reads.
    virtual std::size_t MaxFileBytes() const { return kMaxDataFileBytes; }

    int LoadFile(const std::string& path);
    // Loads from a file already opened for reading and closes it; LoadFile
    // is this after OpenDataFileRead.
    int LoadOpenedFile(DataFilePtr file);
    int SaveFile(const std::string& path);

    // The heap the member lists take (part of what each element of a stored
    // list costs).
    std::size_t RegisteredListBytes() const {
        return m_fields.capacity() * sizeof(FieldEntry) + m_strings.capacity() * sizeof(StringEntry);
    }
    int FieldCount() const { return static_cast<int>(m_fields.size()); }
    int StringCount() const { return static_cast<int>(m_strings.size()); }

protected:
    template <class T>
    void AddField(T* member, int count = 1) {
        static_assert(std::is_trivially_copyable_v<T>);
        static_assert(!std::is_same_v<T, bool>, "store flags as 1-byte ints");
        static_assert(sizeof(T) == 1 || sizeof(T) == 2 || sizeof(T) == 4 || sizeof(T) == 8);
        m_fields.push_back(FieldEntry{this, member, count, static_cast<std::uint8_t>(sizeof(T))});
    }
    void AddString(std::string* member, int count = 1);
    void ClearFieldLists();

private:
    void RebaseFrom(const cDataRecord& src);

    cVector<FieldEntry> m_fields;
    cVector<StringEntry> m_strings;
};

// Lists of sub-records and of plain values, written as a 4-byte count and the
// elements; list_reader.h reads them.
template <class T>
void SaveRecordList(cDataFile& f, cVector<T>& list) {
    f.WriteInt(static_cast<std::int32_t>(list.size()));
    for (auto& e : list) e.Save(f);
}

template <class T>
void SaveValueList(cDataFile& f, const std::vector<T>& list) {
    static_assert(std::is_trivially_copyable_v<T>);
    f.WriteInt(static_cast<std::int32_t>(list.size()));
    if (!list.empty()) f.Write(list.data(), list.size() * sizeof(T));
}

#pragma once
// The versioned record files that every data file of the system uses: a
// record registers, per data version, which members are stored and in which
// order; the base writes and reads them as raw little-endian blocks and
// length-prefixed strings behind one 4-byte version header per file.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <type_traits>
#include <typeinfo>

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

// One stored member block: where it lies in its record (or, for the scratch
// members of dropped fields, the absolute address) and its size.
struct FieldEntry {
    std::ptrdiff_t offset = 0;
    bool scratch = false;
    std::int32_t count = 0;
    std::uint8_t size = 0;

    std::size_t Bytes() const { return static_cast<std::size_t>(count) * size; }
};

// The members a record type stores at one version, in file order. Offsets
// are taken from the record's base, so one table serves every object of the
// type.
struct FieldTable {
    // The type and version a shared table was made for; an object's own
    // table has no type.
    const std::type_info* type = nullptr;
    int version = -1;
    cVector<FieldEntry> fields;
    cVector<std::ptrdiff_t> strings;
};

// The table of a record that stores nothing.
extern const FieldTable kNoFields;

class cDataRecord {
public:
    cDataRecord() = default;
    virtual ~cDataRecord();
    // Copies and moves take the source's member table: a table describes
    // offsets, so it fits every object of the same type.
    cDataRecord(const cDataRecord& src);
    cDataRecord& operator=(const cDataRecord& src);
    // Allocates nothing, so lists of records move their elements when they
    // grow instead of copying them.
    cDataRecord(cDataRecord&& src) noexcept;
    cDataRecord& operator=(cDataRecord&& src) noexcept;

    // Describes the stored members at a version with ClearFieldLists and
    // AddField/AddString. What it registers may depend only on the record's
    // type and the version: the description is made once per type and
    // version and shared (see UseFields). Called directly, it gives this
    // object a table of its own.
    virtual void RegisterFields(int version);
    // Reads the record (and, in derived classes, what they append). false
    // when the file failed; the file then carries the reason.
    virtual bool Load(cDataFile& file);
    virtual void Save(cDataFile& file);
    // What a refused load leaves behind. The base resets the registered
    // members; records that append lists also empty or default them.
    virtual void OnLoadRefused();

    // Takes the shared member table of this record's type at `version`,
    // describing it with RegisterFields the first time it is asked for.
    void UseFields(int version);

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

    // The heap this object's member description takes (part of what each
    // element of a stored list costs): nothing while it uses a shared one.
    std::size_t RegisteredListBytes() const {
        return m_ownTable ? sizeof(FieldTable) + m_ownTable->fields.capacity() * sizeof(FieldEntry) +
                                m_ownTable->strings.capacity() * sizeof(std::ptrdiff_t)
                          : 0;
    }
    int FieldCount() const { return m_table->fields.Count(); }
    int StringCount() const { return m_table->strings.Count(); }

protected:
    template <class T>
    void AddField(T* member, int count = 1) {
        static_assert(std::is_trivially_copyable_v<T>);
        static_assert(!std::is_same_v<T, bool>, "store flags as 1-byte ints");
        static_assert(sizeof(T) == 1 || sizeof(T) == 2 || sizeof(T) == 4 || sizeof(T) == 8);
        AddFieldBytes(member, count, static_cast<std::uint8_t>(sizeof(T)));
    }
    void AddString(std::string* member, int count = 1);
    void ClearFieldLists();

private:
    void AddFieldBytes(void* member, int count, std::uint8_t size);
    FieldTable& OwnTable();
    void* AddressOf(const FieldEntry& field) const;
    std::string& StringAt(std::ptrdiff_t offset) const;
    bool LoadFields(cDataFile& file);
    // Strips CR bytes while reading when StripCRFlag is set; read counts
    // the strings read so.
    bool LoadStrings(cDataFile& file, int& read);
    void StripCRFrom(int first);

    // Never null: the shared table of the type or the object's own one.
    const FieldTable* m_table = &kNoFields;
    std::unique_ptr<FieldTable> m_ownTable;
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

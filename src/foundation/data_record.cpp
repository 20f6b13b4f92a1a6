#include "foundation/data_record.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <functional>
#include <mutex>
#include <unordered_map>

#include "foundation/abort.h"
#include "foundation/player_file.h"
#include "foundation/report.h"

int DataVersion = kDataVersion;
int FileVersion = 0;
int NewerFileFlag = 0;
int StripCRFlag = 1;
int DiscardedField = 0;
std::int16_t DiscardedField16 = 0;

constinit const FieldTable kNoFields{};

namespace {

bool IsScratch(const void* address) { return address == &DiscardedField || address == &DiscardedField16; }

struct TableKey {
    const std::type_info* type;
    int version;
    bool operator==(const TableKey&) const = default;
};

struct TableKeyHash {
    std::size_t operator()(const TableKey& k) const {
        return std::hash<const void*>{}(k.type) ^ (static_cast<std::size_t>(k.version) * 0x9E3779B97F4A7C15u);
    }
};

// Every shared table ever made, kept for the program's life: objects of any
// thread (the stage loader's included) point at them.
class SharedTables {
public:
    const FieldTable* Find(const TableKey& key) {
        std::lock_guard<std::mutex> hold(m_lock);
        auto it = m_tables.find(key);
        return it == m_tables.end() ? nullptr : it->second.get();
    }
    // The first table published for a key stays the one every object uses.
    const FieldTable* Publish(const TableKey& key, std::unique_ptr<FieldTable> table) {
        table->type = key.type;
        table->version = key.version;
        std::lock_guard<std::mutex> hold(m_lock);
        return m_tables.try_emplace(key, std::move(table)).first->second.get();
    }

private:
    std::mutex m_lock;
    std::unordered_map<TableKey, std::unique_ptr<const FieldTable>, TableKeyHash> m_tables;
};

SharedTables& Tables() {
    static SharedTables tables;
    return tables;
}

// Each thread remembers the tables it has looked up, so the lock is taken
// about once per type and version. A key that meets another in its slot
// only costs a locked look-up.
const FieldTable* FindTable(const TableKey& key) {
    struct Seen {
        TableKey key{nullptr, 0};
        const FieldTable* table = nullptr;
    };
    thread_local std::array<Seen, 64> seen{};
    Seen& slot = seen[TableKeyHash{}(key) % seen.size()];
    if (slot.key == key) return slot.table;
    const FieldTable* table = Tables().Find(key);
    if (table) slot = Seen{key, table};
    return table;
}

// Member blocks are 1, 2, 4 or 8 bytes long, mostly one value: fixed-size
// copies spare a library call per member.
void CopyBlock(void* to, const void* from, std::size_t bytes) {
    switch (bytes) {
        case 1: std::memcpy(to, from, 1); break;
        case 2: std::memcpy(to, from, 2); break;
        case 4: std::memcpy(to, from, 4); break;
        case 8: std::memcpy(to, from, 8); break;
        default: std::memcpy(to, from, bytes); break;
    }
}

}  // namespace

cDataRecord::~cDataRecord() = default;

cDataRecord::cDataRecord(const cDataRecord& src) { *this = src; }

cDataRecord::cDataRecord(cDataRecord&& src) noexcept : m_table(src.m_table), m_ownTable(std::move(src.m_ownTable)) {
    if (m_ownTable) src.m_table = &kNoFields;
}

cDataRecord& cDataRecord::operator=(cDataRecord&& src) noexcept {
    if (this == &src) return *this;
    m_ownTable = std::move(src.m_ownTable);
    m_table = m_ownTable ? m_ownTable.get() : src.m_table;
    if (m_ownTable) src.m_table = &kNoFields;
    return *this;
}

cDataRecord& cDataRecord::operator=(const cDataRecord& src) {
    if (this == &src) return *this;
    if (src.m_ownTable) {
        m_ownTable = std::make_unique<FieldTable>(*src.m_ownTable);
        m_table = m_ownTable.get();
    } else {
        m_table = src.m_table;
        m_ownTable.reset();
    }
    return *this;
}

void cDataRecord::UseFields(int version) {
    const TableKey key{&typeid(*this), version};
    if (m_table->type == key.type && m_table->version == version) return;
    const FieldTable* table = FindTable(key);
    if (!table) {
        RegisterFields(version);
        table = Tables().Publish(key, m_ownTable ? std::move(m_ownTable) : std::make_unique<FieldTable>());
        FindTable(key);
    }
    m_table = table;
    m_ownTable.reset();
}

void cDataRecord::RegisterFields(int) { ClearFieldLists(); }

FieldTable& cDataRecord::OwnTable() {
    if (!m_ownTable) m_ownTable = std::make_unique<FieldTable>();
    m_table = m_ownTable.get();
    return *m_ownTable;
}

void cDataRecord::AddFieldBytes(void* member, int count, std::uint8_t size) {
    const auto at = reinterpret_cast<std::uintptr_t>(member);
    FieldEntry entry{0, IsScratch(member), count, size};
    entry.offset = static_cast<std::ptrdiff_t>(entry.scratch ? at : at - reinterpret_cast<std::uintptr_t>(this));
    OwnTable().fields.push_back(entry);
}

void cDataRecord::AddString(std::string* member, int count) {
    const auto offset =
        static_cast<std::ptrdiff_t>(reinterpret_cast<std::uintptr_t>(member) - reinterpret_cast<std::uintptr_t>(this));
    FieldTable& table = OwnTable();
    for (int i = 0; i < count; ++i) table.strings.push_back(offset);
}

void cDataRecord::ClearFieldLists() {
    FieldTable& table = OwnTable();
    table.fields.clear();
    table.strings.clear();
}

void* cDataRecord::AddressOf(const FieldEntry& field) const {
    const auto base = field.scratch ? std::uintptr_t{0} : reinterpret_cast<std::uintptr_t>(this);
    return reinterpret_cast<void*>(base + static_cast<std::uintptr_t>(field.offset));
}

std::string& cDataRecord::StringAt(std::ptrdiff_t offset) const {
    return *reinterpret_cast<std::string*>(reinterpret_cast<std::uintptr_t>(this) +
                                           static_cast<std::uintptr_t>(offset));
}

void cDataRecord::Reset() {
    UseFields(DataVersion);
    constexpr std::uint8_t kZeros[8] = {};
    for (const FieldEntry& f : m_table->fields) {
        if (f.Bytes() <= sizeof(kZeros)) {
            CopyBlock(AddressOf(f), kZeros, f.Bytes());
        } else {
            std::memset(AddressOf(f), 0, f.Bytes());
        }
    }
    for (std::ptrdiff_t s : m_table->strings) StringAt(s).clear();
}

void cDataRecord::CopyFrom(const cDataRecord& src) {
    UseFields(DataVersion);
    const_cast<cDataRecord&>(src).UseFields(DataVersion);
    const FieldTable& from = *src.m_table;
    // Both sides describe the same members when they are of one type; a
    // shorter source is copied as far as it goes.
    auto source = from.fields.begin();
    for (const FieldEntry& d : m_table->fields) {
        if (source == from.fields.end()) break;
        std::memmove(AddressOf(d), src.AddressOf(*source++), d.Bytes());
    }
    auto text = from.strings.begin();
    for (std::ptrdiff_t s : m_table->strings) {
        if (text == from.strings.end()) break;
        StringAt(s) = src.StringAt(*text++);
    }
}

void cDataRecord::StripCR() { StripCRFrom(0); }

void cDataRecord::StripCRFrom(int first) {
    const cVector<std::ptrdiff_t>& strings = m_table->strings;
    for (auto s = strings.begin() + std::min(first, strings.Count()); s != strings.end(); ++s) {
        std::string& t = StringAt(*s);
        if (t.find('\r') != std::string::npos) t.erase(std::remove(t.begin(), t.end(), '\r'), t.end());
    }
}

void cDataRecord::OnLoadRefused() { Reset(); }

bool cDataRecord::LoadFields(cDataFile& file) {
    std::int32_t n = 0;
    if (!file.ReadInt(n)) return false;
    const cVector<FieldEntry>& fields = m_table->fields;
    // More blocks than this version registers cannot be placed anywhere: the
    // file is refused before a byte lands in a member.
    if (n < 0 || n > fields.Count()) {
        file.Fail("member count " + std::to_string(n) + " above " + std::to_string(fields.Count()));
        return false;
    }
    const auto stored = fields.begin() + n;
    std::size_t bytes = 0;
    for (auto f = fields.begin(); f != stored; ++f) bytes += f->Bytes();
    // The blocks lie one after the other: checked once, copied straight from
    // the file's bytes. A short file takes them one by one, so it fails at
    // the same block and leaves the same members as always.
    if (const std::uint8_t* at = file.TakeIfLeft(bytes)) {
        for (auto f = fields.begin(); f != stored; ++f) {
            CopyBlock(AddressOf(*f), at, f->Bytes());
            at += f->Bytes();
        }
        return true;
    }
    for (auto f = fields.begin(); f != stored; ++f) {
        if (!file.Read(AddressOf(*f), f->Bytes())) return false;
    }
    return true;
}

bool cDataRecord::LoadStrings(cDataFile& file, int& read) {
    std::int32_t m = 0;
    if (!file.ReadInt(m)) return false;
    const cVector<std::ptrdiff_t>& strings = m_table->strings;
    if (m < 0 || m > strings.Count()) {
        file.Fail("string count " + std::to_string(m) + " above " + std::to_string(strings.Count()));
        return false;
    }
    const auto stored = strings.begin() + m;
    const bool strip = StripCRFlag != 0;
    for (auto s = strings.begin(); s != stored; ++s, ++read) {
        if (!file.ReadString(StringAt(*s), strip)) return false;
    }
    return true;
}

bool cDataRecord::Load(cDataFile& file) {
    UseFields(FileVersion);
    // Strings read are stripped as they are read; the others (a short or
    // failed file) as before, here.
    int read = 0;
    const bool ok = LoadFields(file) && LoadStrings(file, read);
    if (StripCRFlag) StripCRFrom(read);
    if (FileVersion != DataVersion) UseFields(DataVersion);
    return ok && !file.Failed();
}

void cDataRecord::Save(cDataFile& file) {
    UseFields(DataVersion);
    file.WriteInt(m_table->fields.Count());
    for (const FieldEntry& f : m_table->fields) file.Write(AddressOf(f), f.Bytes());
    file.WriteInt(m_table->strings.Count());
    for (std::ptrdiff_t s : m_table->strings) {
        std::string& t = StringAt(s);
        // A string is stored up to its first zero byte, and the member keeps
        // what was stored.
        auto z = t.find('\0');
        if (z != std::string::npos) t.resize(z);
        file.WriteInt(static_cast<std::int32_t>(t.size() + 1));
        if (!t.empty()) file.Write(t.c_str(), t.size() + 1);
    }
}

int cDataRecord::LoadFile(const std::string& path) { return LoadOpenedFile(OpenDataFileRead(path, MaxFileBytes())); }

int cDataRecord::LoadOpenedFile(DataFilePtr f) {
    if (!f) return 0;
    bool ok = Load(*f);
    if (!ok || f->Failed()) {
        LogPrintf("%s : 読み込みを中止しました (%s)", f->Path().c_str(), f->FailReason().c_str());
        OnLoadRefused();
        CloseDataFile(f);
        return 0;
    }
    CloseDataFile(f);
    return 1;
}

int cDataRecord::SaveFile(const std::string& path) {
    if (AbortFlag.load()) return 0;
    if (!MayReplacePlayerFile(path)) return 0;
    DataFilePtr f = OpenDataFileWrite(path);
    if (!f) return 0;
    Save(*f);
    if (!CloseDataFile(f)) {
        LogPrintf("%s : 書き込みに失敗しました", path.c_str());
        return 0;
    }
    return 1;
}

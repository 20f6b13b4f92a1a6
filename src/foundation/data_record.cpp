#include "foundation/data_record.h"

#include <algorithm>
#include <cstring>

#include "foundation/abort.h"
#include "foundation/report.h"

int DataVersion = kDataVersion;
int FileVersion = 0;
int NewerFileFlag = 0;
int StripCRFlag = 1;
int DiscardedField = 0;
std::int16_t DiscardedField16 = 0;

namespace {

bool IsScratch(const void* address) { return address == &DiscardedField || address == &DiscardedField16; }

void* Rebase(const void* address, const cDataRecord* srcOwner, const cDataRecord* newOwner) {
    if (IsScratch(address)) return const_cast<void*>(address);
    auto offset = reinterpret_cast<std::uintptr_t>(address) - reinterpret_cast<std::uintptr_t>(srcOwner);
    return reinterpret_cast<void*>(reinterpret_cast<std::uintptr_t>(newOwner) + offset);
}

}  // namespace

cDataRecord::cDataRecord(const cDataRecord& src) { RebaseFrom(src); }

cDataRecord::cDataRecord(cDataRecord&& src) noexcept
    : m_fields(std::move(src.m_fields)), m_strings(std::move(src.m_strings)) {
    for (auto& f : m_fields) {
        f.address = Rebase(f.address, f.owner, this);
        f.owner = this;
    }
    for (auto& s : m_strings) {
        s.address = static_cast<std::string*>(Rebase(s.address, s.owner, this));
        s.owner = this;
    }
}

cDataRecord& cDataRecord::operator=(const cDataRecord& src) {
    if (this != &src) {
        RegisterFields(DataVersion);
        src.RegisterFieldsConst(DataVersion);
        RebaseFrom(src);
    }
    return *this;
}

void cDataRecord::RebaseFrom(const cDataRecord& src) {
    m_fields.resize(src.m_fields.size());
    for (std::size_t i = 0; i < src.m_fields.size(); ++i) {
        const FieldEntry& s = src.m_fields.at(i);
        m_fields.at(i) = FieldEntry{this, Rebase(s.address, s.owner, this), s.count, s.size};
    }
    m_strings.resize(src.m_strings.size());
    for (std::size_t i = 0; i < src.m_strings.size(); ++i) {
        const StringEntry& s = src.m_strings.at(i);
        m_strings.at(i) = StringEntry{this, static_cast<std::string*>(Rebase(s.address, s.owner, this))};
    }
}

void cDataRecord::RegisterFieldsConst(int) const {}

void cDataRecord::RegisterFields(int) { ClearFieldLists(); }

void cDataRecord::AddString(std::string* member, int count) {
    for (int i = 0; i < count; ++i) m_strings.push_back(StringEntry{this, member});
}

void cDataRecord::ClearFieldLists() {
    m_fields.clear();
    m_strings.clear();
}

void cDataRecord::Reset() {
    RegisterFields(DataVersion);
    for (auto& f : m_fields) std::memset(f.address, 0, static_cast<std::size_t>(f.count) * f.size);
    for (auto& s : m_strings) s.address->clear();
}

void cDataRecord::CopyFrom(const cDataRecord& src) {
    RegisterFields(DataVersion);
    const_cast<cDataRecord&>(src).RegisterFields(DataVersion);
    for (int i = 0; i < m_fields.Count(); ++i) {
        FieldEntry& d = m_fields[i];
        const FieldEntry& s = src.m_fields[i];
        std::memmove(d.address, s.address, static_cast<std::size_t>(d.count) * d.size);
    }
    for (int i = 0; i < m_strings.Count(); ++i) *m_strings[i].address = *src.m_strings[i].address;
}

void cDataRecord::StripCR() {
    for (auto& s : m_strings) {
        std::string& t = *s.address;
        t.erase(std::remove(t.begin(), t.end(), '\r'), t.end());
    }
}

void cDataRecord::OnLoadRefused() { Reset(); }

bool cDataRecord::Load(cDataFile& file) {
    RegisterFields(FileVersion);
    bool ok = true;
    std::int32_t n = 0;
    if (!file.ReadInt(n)) ok = false;
    // More blocks than this version registers cannot be placed anywhere: the
    // file is refused before a byte lands in a member.
    if (ok && (n < 0 || n > m_fields.Count())) {
        file.Fail("member count " + std::to_string(n) + " above " + std::to_string(m_fields.Count()));
        ok = false;
    }
    for (int i = 0; ok && i < n; ++i) {
        FieldEntry& f = m_fields[i];
        ok = file.Read(f.address, static_cast<std::size_t>(f.count) * f.size);
    }
    std::int32_t m = 0;
    if (ok && !file.ReadInt(m)) ok = false;
    if (ok && (m < 0 || m > m_strings.Count())) {
        file.Fail("string count " + std::to_string(m) + " above " + std::to_string(m_strings.Count()));
        ok = false;
    }
    for (int i = 0; ok && i < m; ++i) ok = file.ReadString(*m_strings[i].address);
    if (StripCRFlag) StripCR();
    if (FileVersion != DataVersion) RegisterFields(DataVersion);
    return ok && !file.Failed();
}

void cDataRecord::Save(cDataFile& file) {
    RegisterFields(DataVersion);
    file.WriteInt(m_fields.Count());
    for (auto& f : m_fields) file.Write(f.address, static_cast<std::size_t>(f.count) * f.size);
    file.WriteInt(m_strings.Count());
    for (auto& s : m_strings) {
        std::string& t = *s.address;
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
    DataFilePtr f = OpenDataFileWrite(path);
    if (!f) return 0;
    Save(*f);
    if (!CloseDataFile(f)) {
        LogPrintf("%s : 書き込みに失敗しました", path.c_str());
        return 0;
    }
    return 1;
}

#include "foundation/data_file.h"

#include <algorithm>
#include <bit>
#include <cstring>

#include "foundation/abort.h"
#include "foundation/data_record.h"
#include "foundation/file_reading.h"
#include "foundation/paths.h"
#include "foundation/report.h"
#include "platform/files.h"

namespace {

// The byte buffer of the last file read on this thread, kept for the next
// one: a loader going through file after file writes into memory it already
// has instead of zeroing and faulting in fresh pages each time. Buffers of
// unusually large files are let go.
constexpr std::size_t kKeptBufferBytes = std::size_t(16) << 20;
thread_local std::vector<std::uint8_t> t_keptBytes;

}  // namespace

cDataFile::~cDataFile() {
    if (m_mode == Mode::Read && m_bytes.capacity() <= kKeptBufferBytes) t_keptBytes = std::move(m_bytes);
}

cDataFile::cDataFile(std::string path, Mode mode) : m_path(std::move(path)), m_mode(mode) {}

cDataFile::cDataFile(std::string path, std::vector<std::uint8_t> bytes)
    : m_path(std::move(path)),
      m_mode(Mode::Read),
      m_bytes(std::move(bytes)),
      m_memoryLeft(kLoadMemoryFloor + kLoadMemoryPerFileByte * m_bytes.size()) {}

bool cDataFile::ChargeMemory(std::size_t bytes) {
    if (bytes > m_memoryLeft) {
        Fail("needs " + std::to_string(bytes) + " bytes of memory, over the " + std::to_string(m_memoryLeft) +
             " left for this file");
        return false;
    }
    m_memoryLeft -= bytes;
    return true;
}

void cDataFile::Fail(const std::string& reason) {
    if (m_failReason.empty()) m_failReason = reason.empty() ? "failed" : reason;
}

bool cDataFile::Read(void* dst, std::size_t n) {
    if (Failed() || n > Remaining()) {
        Fail("file ends early");
        std::memset(dst, 0, n);
        return false;
    }
    if (n) std::memcpy(dst, m_bytes.data() + m_pos, n);
    m_pos += n;
    return true;
}

bool cDataFile::Seek(std::size_t pos) {
    if (Failed() || pos > m_bytes.size()) {
        Fail("seek past the end");
        return false;
    }
    m_pos = pos;
    return true;
}

bool cDataFile::FailShortInt(std::int32_t& v) {
    Fail("file ends early");
    v = 0;
    return false;
}

std::int32_t cDataFile::ReadInt() {
    std::int32_t v = 0;
    ReadInt(v);
    return v;
}

namespace {

// A stored text's bytes up to the first zero, and whether a CR lies among
// them.
struct TextSpan {
    std::size_t length;
    bool hasCR;
};

// Eight bytes at a time: a byte of a word is flagged when it is zero; the
// lowest flag is always a true one (a false one needs a borrow from a true
// one below it), so a flag below the zero means a CR before it.
TextSpan ScanText(const char* at, std::size_t n) {
    bool cr = false;
    std::size_t i = 0;
    if constexpr (std::endian::native == std::endian::little) {
        constexpr std::uint64_t kOnes = 0x0101010101010101u, kHighs = 0x8080808080808080u, kCRs = kOnes * '\r';
        const auto zeroFlags = [](std::uint64_t v) { return (v - kOnes) & ~v & kHighs; };
        // The bytes of the word at `from` whose flags in `fresh` are not
        // yet looked at: the zero found among them, or none (length n).
        const auto look = [&](std::size_t from, std::uint64_t fresh) -> TextSpan {
            std::uint64_t word;
            std::memcpy(&word, at + from, sizeof word);
            const std::uint64_t zeros = zeroFlags(word) & fresh, crs = zeroFlags(word ^ kCRs) & fresh;
            if (zeros) {
                const int zero = std::countr_zero(zeros) / 8;
                const std::uint64_t below = (std::uint64_t{1} << (8 * zero)) - 1;
                return {from + static_cast<std::size_t>(zero), cr || (crs & below) != 0};
            }
            cr = cr || crs != 0;
            return {n, cr};
        };
        for (; i + 8 <= n; i += 8) {
            const TextSpan span = look(i, ~std::uint64_t{0});
            if (span.length < n) return span;
        }
        // The last bytes as the word that ends with them, the bytes before
        // them masked off. Those are no zero, so they lend no borrow that
        // could flag a false zero; a CR among them lends one to a false CR
        // flag only when a CR is already seen.
        if (i < n && n >= 8) return look(n - 8, ~std::uint64_t{0} << (8 * (8 - (n - i))));
    }
    for (; i < n; ++i) {
        if (at[i] == 0) return {i, cr};
        cr = cr || at[i] == '\r';
    }
    return {n, cr};
}

}  // namespace

bool cDataFile::ReadString(std::string& text, bool stripCR) {
    std::int32_t len = 0;
    if (!ReadInt(len)) return false;
    if (len < 1 || (len > 1 && static_cast<std::size_t>(len) > Remaining())) {
        Fail("string length " + std::to_string(len));
        return false;
    }
    // An empty text is stored as its length alone.
    if (len == 1) {
        text.clear();
        return true;
    }
    // Taken in place from the file's bytes, up to the first zero.
    const char* at = reinterpret_cast<const char*>(m_bytes.data() + m_pos);
    const TextSpan span = ScanText(at, static_cast<std::size_t>(len));
    text.assign(at, span.length);
    if (stripCR && span.hasCR) text.erase(std::remove(text.begin(), text.end(), '\r'), text.end());
    m_pos += static_cast<std::size_t>(len);
    return true;
}

void cDataFile::Write(const void* src, std::size_t n) {
    auto p = static_cast<const std::uint8_t*>(src);
    m_bytes.insert(m_bytes.end(), p, p + n);
}

void cDataFile::WriteInt(std::int32_t v) {
    auto u = static_cast<std::uint32_t>(v);
    std::uint8_t b[4] = {std::uint8_t(u), std::uint8_t(u >> 8), std::uint8_t(u >> 16), std::uint8_t(u >> 24)};
    Write(b, 4);
}

DataFilePtr OpenDataFileRead(const std::string& path, std::size_t maxBytes) {
    std::string p = path.empty() ? std::string("err") : path;
    std::vector<std::uint8_t> bytes = std::move(t_keptBytes);
    t_keptBytes = {};
    if (!ReadGameFile(p, bytes, maxBytes)) return nullptr;
    return OpenDataBytesRead(p, std::move(bytes));
}

DataFilePtr OpenDataBytesRead(const std::string& name, std::vector<std::uint8_t> bytes) {
    auto f = std::make_unique<cDataFile>(name, std::move(bytes));
    std::int32_t version = 0;
    if (!f->ReadInt(version)) {
        // Not even a header: there is nothing to refuse as newer.
        LogPrintf("%s : データファイルのヘッダがありません", name.c_str());
        return nullptr;
    }
    FileVersion = version;
    if (static_cast<std::uint32_t>(version) > static_cast<std::uint32_t>(DataVersion)) {
        NewerFileFlag = 1;
        return nullptr;
    }
    NewerFileFlag = 0;
    return f;
}

DataFilePtr OpenDataFileWrite(const std::string& path) {
    if (AbortFlag.load()) return nullptr;
    // A file that can never be written is refused at the open, as callers
    // expect; the bytes themselves go to the disk at the close.
    std::string p = path.empty() ? std::string("err") : path;
    std::string folder = FolderOf(p);
    if (!folder.empty() && !platform::IsDirectory(folder)) return nullptr;
    if (platform::IsDirectory(p)) return nullptr;
    auto file = std::make_unique<cDataFile>(p, cDataFile::Mode::Write);
    file->WriteInt(DataVersion);
    return file;
}

bool CloseDataFile(DataFilePtr& file) {
    if (!file) return false;
    bool ok = !file->Failed();
    if (file->GetMode() == cDataFile::Mode::Write) {
        ok = ok && !AbortFlag.load() &&
             platform::WriteFileSafely(file->Path(), file->Bytes().data(), file->Bytes().size());
    }
    file.reset();
    return ok;
}

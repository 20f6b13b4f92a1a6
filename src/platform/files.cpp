#include "platform/files.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "platform/text.h"

namespace platform {
namespace {

bool HostExists(const std::string& p) {
    struct stat st;
    return ::lstat(p.c_str(), &st) == 0;
}

std::string LowerAscii(std::string s) {
    for (auto& c : s) {
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    }
    return s;
}

// Finds the name of one component inside a host folder: the exact UTF-8 name,
// the raw bytes, then a case-insensitive match of either.
std::string MatchComponent(const std::string& folder, const std::string& raw) {
    std::string utf8 = Cp932ToUtf8(raw);
    auto join = [&](const std::string& name) {
        if (folder.empty()) return name;
        if (folder.back() == '/') return folder + name;
        return folder + "/" + name;
    };
    if (HostExists(join(utf8))) return utf8;
    if (raw != utf8 && HostExists(join(raw))) return raw;
    DIR* d = ::opendir(folder.empty() ? "." : folder.c_str());
    if (!d) return utf8;
    std::string want = LowerAscii(utf8);
    std::string wantRaw = LowerAscii(raw);
    std::string found;
    while (dirent* e = ::readdir(d)) {
        std::string name = LowerAscii(e->d_name);
        if (name == want || name == wantRaw) {
            found = e->d_name;
            break;
        }
    }
    ::closedir(d);
    return found.empty() ? utf8 : found;
}

}  // namespace

std::string HostPath(std::string_view internal) {
    std::string out;
    size_t i = 0;
    bool rooted = !internal.empty() && (internal[0] == '\\' || internal[0] == '/');
    if (rooted) {
        out = "/";
        i = 1;
    }
    while (i <= internal.size()) {
        size_t j = i;
        while (j < internal.size() && internal[j] != '\\' && internal[j] != '/') {
            // A Shift-JIS lead byte takes the next byte with it: a trail byte
            // 0x5C is part of the name, not a separator.
            auto c = static_cast<unsigned char>(internal[j]);
            bool lead = (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC);
            j += (lead && j + 1 < internal.size()) ? 2 : 1;
        }
        if (j > internal.size()) j = internal.size();
        std::string comp(internal.substr(i, j - i));
        if (!comp.empty()) {
            std::string name = (comp == "." || comp == "..") ? comp : MatchComponent(out, comp);
            if (!out.empty() && out.back() != '/') out += '/';
            out += name;
        }
        if (j >= internal.size()) break;
        i = j + 1;
    }
    // Keep a trailing separator: callers use it to mean "a folder".
    if (!internal.empty() && (internal.back() == '\\' || internal.back() == '/') && !out.empty() && out.back() != '/') {
        out += '/';
    }
    return out;
}

std::string InternalPath(std::string_view host) {
    std::string s = Utf8ToCp932(host);
    for (auto& c : s) {
        if (c == '/') c = '\\';
    }
    return s;
}

std::string GetCurrentDirectoryInternal() {
    std::vector<char> buf(4096);
    while (::getcwd(buf.data(), buf.size()) == nullptr) {
        if (errno != ERANGE || buf.size() > (1u << 20)) return std::string();
        buf.resize(buf.size() * 2);
    }
    return InternalPath(buf.data());
}

bool SetCurrentDirectoryInternal(std::string_view internal) { return ::chdir(HostPath(internal).c_str()) == 0; }

DWORD GetFileAttributesA(std::string_view internal) {
    struct stat st;
    if (::stat(HostPath(internal).c_str(), &st) != 0) return INVALID_FILE_ATTRIBUTES;
    DWORD a = 0;
    if (S_ISDIR(st.st_mode)) a |= FILE_ATTRIBUTE_DIRECTORY;
    // Mode bits, not access(): a root process would otherwise see every file
    // as writable.
    if ((st.st_mode & S_IWUSR) == 0) a |= FILE_ATTRIBUTE_READONLY;
    return a == 0 ? FILE_ATTRIBUTE_NORMAL : a;
}

bool FileExists(std::string_view internal) { return GetFileAttributesA(internal) != INVALID_FILE_ATTRIBUTES; }

bool IsDirectory(std::string_view internal) {
    DWORD a = GetFileAttributesA(internal);
    return a != INVALID_FILE_ATTRIBUTES && (a & FILE_ATTRIBUTE_DIRECTORY);
}

bool DeleteFileA(std::string_view internal) {
    DWORD a = GetFileAttributesA(internal);
    if (a == INVALID_FILE_ATTRIBUTES || (a & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_READONLY))) { return false; }
    return ::unlink(HostPath(internal).c_str()) == 0;
}

bool RemoveDirectoryA(std::string_view internal) { return ::rmdir(HostPath(internal).c_str()) == 0; }

namespace {
// A trailing separator would make lstat follow the link to its folder.
std::string LinkHostPath(std::string_view internal) {
    std::string p = HostPath(internal);
    while (p.size() > 1 && p.back() == '/') p.pop_back();
    return p;
}
}  // namespace

bool IsSymbolicLink(std::string_view internal) {
    struct stat st;
    return ::lstat(LinkHostPath(internal).c_str(), &st) == 0 && S_ISLNK(st.st_mode);
}

bool RemoveSymbolicLink(std::string_view internal) {
    return IsSymbolicLink(internal) && ::unlink(LinkHostPath(internal).c_str()) == 0;
}

bool CreateDirectoryA(std::string_view internal) { return ::mkdir(HostPath(internal).c_str(), 0777) == 0; }

bool SetReadOnly(std::string_view internal, bool readOnly) {
    std::string p = HostPath(internal);
    struct stat st;
    if (::stat(p.c_str(), &st) != 0) return false;
    mode_t m = st.st_mode & 07777;
    m = readOnly ? (m & ~mode_t(S_IWUSR | S_IWGRP | S_IWOTH)) : (m | S_IWUSR);
    return ::chmod(p.c_str(), m) == 0;
}

bool ListDirectory(std::string_view internal, std::vector<std::string>& names) {
    names.clear();
    std::string p = HostPath(internal);
    DIR* d = ::opendir(p.empty() ? "." : p.c_str());
    if (!d) return false;
    while (dirent* e = ::readdir(d)) {
        if (std::strcmp(e->d_name, ".") == 0 || std::strcmp(e->d_name, "..") == 0) continue;
        names.push_back(InternalPath(e->d_name));
    }
    ::closedir(d);
    return true;
}

bool CopyFolderTree(std::string_view fromInternal, std::string_view toInternal) {
    std::string from(fromInternal), to(toInternal);
    if (!IsDirectory(from)) return false;
    if (!IsDirectory(to) && !CreateDirectoryA(to)) return false;
    std::vector<std::string> names;
    if (!ListDirectory(from, names)) return false;
    for (const auto& n : names) {
        std::string src = from + "\\" + n, dst = to + "\\" + n;
        if (IsDirectory(src)) {
            if (!CopyFolderTree(src, dst)) return false;
            continue;
        }
        std::vector<std::uint8_t> bytes;
        if (!ReadWholeFile(src, bytes)) return false;
        auto f = File::Open(dst, File::Mode::Write);
        if (!f || !f->Write(bytes.data(), bytes.size()) || !f->Close()) return false;
    }
    return true;
}

bool ReplaceFile(std::string_view fromInternal, std::string_view toInternal) {
    return ::rename(HostPath(fromInternal).c_str(), HostPath(toInternal).c_str()) == 0;
}

File::File(void* handle) : m_handle(handle) {}

File::~File() {
    if (m_handle) std::fclose(static_cast<FILE*>(m_handle));
}

namespace {

int OpenFlags(File::Mode mode) {
    switch (mode) {
        case File::Mode::Read: return O_RDONLY;
        case File::Mode::Write: return O_WRONLY | O_CREAT | O_TRUNC;
        case File::Mode::Append: return O_WRONLY | O_CREAT | O_APPEND;
        case File::Mode::ReadWrite: return O_RDWR;
    }
    return O_RDONLY;
}

const char* StreamMode(File::Mode mode) {
    switch (mode) {
        case File::Mode::Read: return "rb";
        case File::Mode::Write: return "wb";
        case File::Mode::Append: return "ab";
        case File::Mode::ReadWrite: return "r+b";
    }
    return "rb";
}

thread_local FileRefusal t_lastRefusal = FileRefusal::kNone;

}  // namespace

FileRefusal LastFileRefusal() { return t_lastRefusal; }

std::unique_ptr<File> File::Open(std::string_view internal, Mode mode) {
    t_lastRefusal = FileRefusal::kUnreadable;
    std::string p = HostPath(internal);
    if (p.empty()) return nullptr;
    // Non-blocking, so a pipe or a device in place of a file never holds the
    // open; the kind is then read from the handle itself, so nothing can be
    // swapped in between the check and the use.
    int fd = ::open(p.c_str(), OpenFlags(mode) | O_NONBLOCK | O_CLOEXEC, 0666);
    if (fd < 0) {
        if (errno == ENOENT) t_lastRefusal = FileRefusal::kMissing;
        if (errno == EISDIR || errno == ENXIO) t_lastRefusal = FileRefusal::kNotRegular;
        return nullptr;
    }
    struct stat st;
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        t_lastRefusal = FileRefusal::kNotRegular;
        ::close(fd);
        return nullptr;
    }
    int flags = ::fcntl(fd, F_GETFL);
    FILE* f = flags < 0 || ::fcntl(fd, F_SETFL, flags & ~O_NONBLOCK) != 0 ? nullptr : ::fdopen(fd, StreamMode(mode));
    if (!f) {
        ::close(fd);
        return nullptr;
    }
    t_lastRefusal = FileRefusal::kNone;
    return std::unique_ptr<File>(new File(f));
}

std::size_t File::Read(void* dst, std::size_t n) {
    if (!m_handle || n == 0) return 0;
    return std::fread(dst, 1, n, static_cast<FILE*>(m_handle));
}

bool File::Write(const void* src, std::size_t n) {
    if (!m_handle) return false;
    if (n == 0) return true;
    return std::fwrite(src, 1, n, static_cast<FILE*>(m_handle)) == n;
}

bool File::SeekEnd() { return m_handle && std::fseek(static_cast<FILE*>(m_handle), 0, SEEK_END) == 0; }

bool File::Seek(std::int64_t offset, int origin) {
    return m_handle && ::fseeko(static_cast<FILE*>(m_handle), static_cast<off_t>(offset), origin) == 0;
}

std::int64_t File::Tell() { return m_handle ? static_cast<std::int64_t>(::ftello(static_cast<FILE*>(m_handle))) : -1; }

std::int64_t File::Size() {
    if (!m_handle) return -1;
    struct stat st;
    if (::fstat(::fileno(static_cast<FILE*>(m_handle)), &st) != 0) return -1;
    return static_cast<std::int64_t>(st.st_size);
}

bool File::Sync() {
    if (!m_handle) return false;
    FILE* f = static_cast<FILE*>(m_handle);
    return std::fflush(f) == 0 && ::fsync(::fileno(f)) == 0;
}

bool File::Close() {
    if (!m_handle) return false;
    FILE* f = static_cast<FILE*>(m_handle);
    m_handle = nullptr;
    return std::fclose(f) == 0;
}

bool ReadWholeFile(std::string_view internal, std::vector<std::uint8_t>& out, std::size_t maxBytes) {
    out.clear();
    return ReadWholeFileInPlace(internal, out, maxBytes);
}

bool ReadWholeFileInPlace(std::string_view internal, std::vector<std::uint8_t>& out, std::size_t maxBytes) {
    auto f = File::Open(internal, File::Mode::Read);
    if (!f) {
        out.clear();
        return false;
    }
    std::int64_t size = f->Size();
    if (size < 0 || static_cast<std::uint64_t>(size) > maxBytes) {
        t_lastRefusal = size < 0 ? FileRefusal::kUnreadable : FileRefusal::kTooLarge;
        out.clear();
        return false;
    }
    // Only bytes beyond what out already holds are zeroed; the read
    // overwrites them all.
    out.resize(static_cast<std::size_t>(size));
    std::size_t got = f->Read(out.data(), out.size());
    out.resize(got);
    return true;
}

namespace {

constexpr char kTempSuffix[] = ".tmp";
constexpr std::size_t kTempRandomChars = 6;  // the XXXXXX of mkstemp

std::string FolderPart(const std::string& hostPath) {
    auto slash = hostPath.rfind('/');
    if (slash == std::string::npos) return ".";
    return slash == 0 ? "/" : hostPath.substr(0, slash);
}

std::string NamePart(const std::string& hostPath) {
    auto slash = hostPath.rfind('/');
    return slash == std::string::npos ? hostPath : hostPath.substr(slash + 1);
}

// NAME.tmpXXXXXX: what mkstemp makes of a target's temporary name.
bool IsTemporaryOf(std::string_view name, std::string_view target) {
    const std::size_t stem = name.size() - std::min(name.size(), sizeof kTempSuffix - 1 + kTempRandomChars);
    if (stem == 0 || (!target.empty() && name.substr(0, stem) != target)) return false;
    if (name.substr(stem, sizeof kTempSuffix - 1) != kTempSuffix) return false;
    const std::string_view random = name.substr(stem + sizeof kTempSuffix - 1);
    return std::all_of(random.begin(), random.end(),
                       [](char c) { return std::isalnum(static_cast<unsigned char>(c)); });
}

// Removes the regular files of a folder that are temporaries of the target
// (of any target when it is empty); returns their names.
std::vector<std::string> RemoveTemporaries(const std::string& folder, std::string_view target) {
    std::vector<std::string> leftovers;
    DIR* d = ::opendir(folder.c_str());
    if (!d) return leftovers;
    while (dirent* e = ::readdir(d)) {
        if (IsTemporaryOf(e->d_name, target)) leftovers.emplace_back(e->d_name);
    }
    ::closedir(d);
    std::vector<std::string> removed;
    for (const auto& name : leftovers) {
        const std::string path = folder + "/" + name;
        struct stat st;
        if (::lstat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode) && ::unlink(path.c_str()) == 0) {
            removed.push_back(name);
        }
    }
    return removed;
}

// A save killed between its temporary file and the rename leaves that file
// behind; the next save of the same target takes it away.
void RemoveLeftoverTemporaries(const std::string& target) { RemoveTemporaries(FolderPart(target), NamePart(target)); }

// The rename lives in the folder's own entries: without this sync a
// completed save may not survive a power cut. Some file systems cannot sync
// a folder; the file itself is on the disk by then, so that is no failure.
void SyncFolder(const std::string& folder) {
    int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return;
    ::fsync(fd);
    ::close(fd);
}

bool WriteAll(int fd, const void* data, std::size_t n) {
    const char* p = static_cast<const char*>(data);
    std::size_t left = n;
    while (left > 0) {
        ssize_t w = ::write(fd, p, left);
        if (w < 0 && errno == EINTR) continue;
        if (w <= 0) return false;
        p += w;
        left -= static_cast<std::size_t>(w);
    }
    return true;
}

}  // namespace

std::vector<std::string> RemoveLeftoverTemporariesIn(std::string_view folderInternal) {
    std::vector<std::string> removed = RemoveTemporaries(HostPath(folderInternal), {});
    for (std::string& name : removed) name = InternalPath(name);
    return removed;
}

bool WriteFileSafely(std::string_view internal, const void* data, std::size_t n) {
    std::string target = HostPath(internal);
    if (target.empty()) return false;
    RemoveLeftoverTemporaries(target);
    mode_t mode = 0644;
    struct stat st;
    if (::stat(target.c_str(), &st) == 0) {
        if (!S_ISREG(st.st_mode)) return false;
        // The owner's write protection holds: the file is not replaced.
        if ((st.st_mode & S_IWUSR) == 0) return false;
        mode = st.st_mode & 0777;
    }
    std::string tmpl = target + kTempSuffix + std::string(kTempRandomChars, 'X');
    std::vector<char> name(tmpl.begin(), tmpl.end());
    name.push_back('\0');
    int fd = ::mkstemp(name.data());
    if (fd < 0) return false;
    bool ok = WriteAll(fd, data, n);
    if (ok && ::fsync(fd) != 0) ok = false;
    if (::fchmod(fd, mode) != 0) ok = false;
    if (::close(fd) != 0) ok = false;
    if (ok && ::rename(name.data(), target.c_str()) != 0) ok = false;
    if (!ok) {
        ::unlink(name.data());
        return false;
    }
    SyncFolder(FolderPart(target));
    return true;
}

}  // namespace platform

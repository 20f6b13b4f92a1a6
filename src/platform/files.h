#pragma once
// Files and folders. Game code speaks internal paths: Shift-JIS bytes with
// backslashes, relative to the game folder (the working folder) or rooted at
// a backslash for host-absolute paths. This layer maps them onto the host.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/win_types.h"

namespace platform {

// Contract: maps an internal path to a host path: CP932 to UTF-8, '\' to '/',
// each component matched case-insensitively against what exists (the exact
// name wins); components that match nothing are kept as converted, so a new
// file gets a UTF-8 name. An internal path rooted at '\' maps to the host
// root; a relative one stays relative to the working folder.
std::string HostPath(std::string_view internal);

// Contract: the inverse for names the host hands back (dialogs, listings):
// UTF-8 to CP932, '/' to '\'.
std::string InternalPath(std::string_view host);

// Contract: the working folder as an internal absolute path (rooted at '\',
// no trailing backslash except for the root); empty when it cannot be read.
std::string GetCurrentDirectoryInternal();

// Contract: changes the working folder; false when it does not exist.
bool SetCurrentDirectoryInternal(std::string_view internal);

// Contract: attributes of a file or folder, INVALID_FILE_ATTRIBUTES when
// nothing exists there. FILE_ATTRIBUTE_DIRECTORY for folders,
// FILE_ATTRIBUTE_READONLY when the owner cannot write it.
DWORD GetFileAttributesA(std::string_view internal);

bool FileExists(std::string_view internal);
bool IsDirectory(std::string_view internal);

// Contract: deletes a file. A read-only file is not deleted (false): the
// owner's write protection holds even for a process that could override it.
bool DeleteFileA(std::string_view internal);

// Contract: removes an empty folder; false otherwise.
bool RemoveDirectoryA(std::string_view internal);

// Contract: true when the path itself is a symbolic link (the link is not
// followed), whatever it points to, dangling links included.
bool IsSymbolicLink(std::string_view internal);

// Contract: removes a symbolic link itself, never what it points to; false
// when the path is no link or the link cannot be removed.
bool RemoveSymbolicLink(std::string_view internal);

// Contract: creates one folder; false when it exists or cannot be made.
bool CreateDirectoryA(std::string_view internal);

// Contract: makes a file read-only or writable again (tests use it).
bool SetReadOnly(std::string_view internal, bool readOnly);

// Contract: the names in a folder (internal form, CP932), without "." and
// "..", in no particular order. false when the folder cannot be listed.
bool ListDirectory(std::string_view internal, std::vector<std::string>& names);

// Contract: copies a folder tree (files and subfolders); false on the first
// failure (what was copied stays).
bool CopyFolderTree(std::string_view fromInternal, std::string_view toInternal);

// Contract: renames a file over an existing one atomically.
bool ReplaceFile(std::string_view fromInternal, std::string_view toInternal);

// Why a file could not be opened or read.
enum class FileRefusal { kNone, kMissing, kNotRegular, kTooLarge, kUnreadable };

// Contract: why the calling thread's last File::Open or ReadWholeFile failed
// (kNone after a success).
FileRefusal LastFileRefusal();

// A file opened through the host. Every operation reports its result; a
// destroyed File closes itself (without reporting).
class File {
public:
    enum class Mode { Read, Write, Append, ReadWrite };
    ~File();
    File(const File&) = delete;
    File& operator=(const File&) = delete;

    // Contract: opens an internal path. Write creates or empties; Append
    // creates when missing and writes at the end; ReadWrite needs an existing
    // file. Only a regular file opens: a folder, a pipe or a device is
    // refused at once (never waited on), checked on the opened handle.
    // nullptr when refused; LastFileRefusal() says why.
    static std::unique_ptr<File> Open(std::string_view internal, Mode mode);

    // Contract: reads up to n bytes; returns how many were read.
    std::size_t Read(void* dst, std::size_t n);
    // Contract: writes n bytes; false unless all were written.
    bool Write(const void* src, std::size_t n);
    bool SeekEnd();
    // Contract: moves to offset from origin (SEEK_SET, SEEK_CUR, SEEK_END).
    bool Seek(std::int64_t offset, int origin);
    // Contract: the position in bytes, or -1 when unknown.
    std::int64_t Tell();
    // Contract: size in bytes, or -1 when unknown.
    std::int64_t Size();
    // Contract: pushes written data to the disk (flush and sync).
    bool Sync();
    // Contract: closes; false when the host reports a failed close.
    bool Close();

private:
    explicit File(void* handle);
    void* m_handle;
};

// Contract: reads a whole regular file into memory, refusing files above
// maxBytes. false when it cannot be read; LastFileRefusal() says why.
bool ReadWholeFile(std::string_view internal, std::vector<std::uint8_t>& out,
                   std::size_t maxBytes = std::size_t(1) << 30);
// Contract: the same into the memory out already holds: its bytes are
// overwritten, not zeroed first, so a buffer kept from an earlier read costs
// no second pass over it. out holds the file's bytes alone afterwards (none
// when it returns false).
bool ReadWholeFileInPlace(std::string_view internal, std::vector<std::uint8_t>& out,
                          std::size_t maxBytes = std::size_t(1) << 30);

// Contract: writes bytes safely: into a temporary file in the same folder,
// every write and the close checked, synced, then renamed over the target
// (keeping its permissions) and the folder synced. Temporary files of the
// same target left by an earlier, interrupted save are removed first. A
// target that is read-only or not a regular file is refused. On any failure
// the temporary file is removed, the old target is left untouched and the
// result is false.
bool WriteFileSafely(std::string_view internal, const void* data, std::size_t n);

// Contract: removes from a folder every temporary file that an interrupted
// WriteFileSafely left behind (a regular file NAME.tmpXXXXXX, X a letter or
// digit, beside any NAME), so none waits for its own target's next save.
// Returns the names removed (internal form).
std::vector<std::string> RemoveLeftoverTemporariesIn(std::string_view folderInternal);

}  // namespace platform

#pragma once
// An open data file. Reading works on the whole file held in memory, so every
// count and length can be checked against the bytes that are really left;
// the first short read marks the file failed and later reads yield zeros.
// Writing collects the bytes and commits them safely on close (temporary
// file, checked, renamed), so a failed save never destroys the old file.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

class cDataFile {
public:
    enum class Mode { Read, Write };

    cDataFile(std::string path, Mode mode);
    cDataFile(std::string path, std::vector<std::uint8_t> bytes);  // read mode

    Mode GetMode() const { return m_mode; }
    const std::string& Path() const { return m_path; }

    // Sticky failure: the reason of the first failure is kept.
    bool Failed() const { return !m_failReason.empty(); }
    const std::string& FailReason() const { return m_failReason; }
    void Fail(const std::string& reason);

    // Reading.
    bool Read(void* dst, std::size_t n);
    // The next n bytes in place, the position moved past them; nullptr, with
    // nothing changed, when the file has failed or holds fewer.
    const std::uint8_t* TakeIfLeft(std::size_t n) {
        if (Failed() || n > Remaining()) return nullptr;
        const std::uint8_t* at = m_bytes.data() + m_pos;
        m_pos += n;
        return at;
    }
    // A 4-byte little-endian int; a short file fails and yields 0. Inline:
    // every record and string of a file starts with one.
    bool ReadInt(std::int32_t& v) {
        const std::uint8_t* b = TakeIfLeft(4);
        if (!b) return FailShortInt(v);
        v = static_cast<std::int32_t>(std::uint32_t(b[0]) | std::uint32_t(b[1]) << 8 | std::uint32_t(b[2]) << 16 |
                                      std::uint32_t(b[3]) << 24);
        return true;
    }
    std::int32_t ReadInt();
    std::size_t Remaining() const { return m_bytes.size() - m_pos; }
    std::size_t Position() const { return m_pos; }
    std::size_t Size() const { return m_bytes.size(); }
    // Moves the read position; a position past the end fails the file.
    bool Seek(std::size_t pos);
    // Reads a stored text: an int length that counts the closing zero, then
    // that many bytes, taken up to the first zero; an empty text is the
    // length 1 alone. A length below 1 or past the end fails the file and
    // leaves the text as it was.
    bool ReadString(std::string& text) { return ReadString(text, false); }
    // The same, dropping the text's CR bytes when stripCR is set: the zero
    // and the CR bytes are looked for in one pass.
    bool ReadString(std::string& text, bool stripCR);
    // Takes `bytes` from the memory that what is read from this file may
    // occupy; false, with the file failed, when they are not left. A small
    // file of huge counts thus fails before it allocates gigabytes.
    bool ChargeMemory(std::size_t bytes);

    // Writing.
    void Write(const void* src, std::size_t n);
    void WriteInt(std::int32_t v);
    const std::vector<std::uint8_t>& Bytes() const { return m_bytes; }

private:
    bool FailShortInt(std::int32_t& v);

    std::string m_path;
    Mode m_mode;
    std::vector<std::uint8_t> m_bytes;
    std::size_t m_pos = 0;
    std::string m_failReason;
    std::size_t m_memoryLeft = 0;
};

using DataFilePtr = std::unique_ptr<cDataFile>;

// The memory a read file may make its loader allocate: a floor for the
// fixed parts of small files, plus a multiple of the file's size. The
// heaviest real file, a 300 x 300 stage with 2,000 characters, takes 3.6
// times its size on the heap while it loads, its own bytes included; a load
// may take about twice that: the file's bytes and six times them in what its
// counts ask for. A crafted file of cheap-looking entries that cost more is
// refused at that bound, not at a multiple of it.
constexpr std::size_t kLoadMemoryFloor = std::size_t(2) << 20;
constexpr std::size_t kLoadMemoryPerFileByte = 6;

// Largest data file the player reads at all: many times the largest file of
// a real game (a stage, a palette or a database of a few megabytes). A file
// kind whose format is small allows less.
constexpr std::size_t kMaxDataFileBytes = std::size_t(128) << 20;
// The player's own small files (options, window placement, start-up choice,
// rankings) hold a few hundred bytes.
constexpr std::size_t kMaxPlayerSettingsFileBytes = std::size_t(1) << 20;

// Opens a data file for reading and reads its version into FileVersion.
// nullptr when it cannot be opened, is larger than maxBytes (reported) or is
// newer than DataVersion (then NewerFileFlag is 1). An empty path tries the
// file "err".
DataFilePtr OpenDataFileRead(const std::string& path, std::size_t maxBytes = kMaxDataFileBytes);
// The same for bytes already in memory (name is what reports show).
DataFilePtr OpenDataBytesRead(const std::string& name, std::vector<std::uint8_t> bytes);
// nullptr while AbortFlag is set (nothing is created) or when the folder
// cannot take the file; else a file with DataVersion already written.
DataFilePtr OpenDataFileWrite(const std::string& path);
// Closes the file. A written file is committed here: true only when every
// byte reached the disk and the rename succeeded. A read file gives false
// when it failed. Resets the pointer.
bool CloseDataFile(DataFilePtr& file);

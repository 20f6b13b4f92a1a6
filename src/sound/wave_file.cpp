#include "sound/wave_file.h"

#include <cstring>
#include <optional>

#include "foundation/file_reading.h"
#include "foundation/report.h"

namespace {

// An effect is a short sound; anything above this is not one of them.
constexpr std::size_t kMaxWaveFile = 64u << 20;
constexpr std::size_t kChunkHead = 8;
// The fmt chunk: at least the format without its bits per sample, at most
// the extended record with its extra-size field.
constexpr std::uint32_t kMinFormatBytes = 14;
constexpr std::uint32_t kMaxFormatBytes = 18;

std::uint32_t U32(const std::uint8_t* p) { return p[0] | (p[1] << 8) | (p[2] << 16) | (std::uint32_t(p[3]) << 24); }
std::uint16_t U16(const std::uint8_t* p) { return static_cast<std::uint16_t>(p[0] | (p[1] << 8)); }

struct Chunk {
    std::size_t data;  // offset of its data
    std::uint32_t size;
};

void ReportInvalid(const std::string& name) {
    LogPrintfBoth("%s の読み込みに失敗しました…\n不正なファイルです。", name.c_str());
}

void ReportUnsupported(const std::string& name) {
    LogPrintfBoth(
        "%s の読み込みに失敗しました…。対応していない形式か、不正なwavファイルです。"
        "本ソフトではWave拡張フォーマットが無効かつ非圧縮のPCM形式のみ再生できます。",
        name.c_str());
}

// The sub-chunks of the RIFF form, searched from `from` to `end`. A chunk
// that claims more bytes than its form holds makes the file invalid.
class ChunkWalker {
public:
    ChunkWalker(const std::vector<std::uint8_t>& bytes, std::size_t end) : m_bytes(bytes), m_end(end) {}

    // The next chunk called id at or after `from`; nullopt when none is
    // there, *broken set when a chunk length runs past the form.
    std::optional<Chunk> Find(std::size_t from, const char* id, bool* broken) const {
        std::size_t at = from;
        while (at + kChunkHead <= m_end) {
            const std::uint8_t* head = m_bytes.data() + at;
            Chunk c{at + kChunkHead, U32(head + 4)};
            if (c.size > m_end - c.data) {
                *broken = true;
                return std::nullopt;
            }
            if (std::memcmp(head, id, 4) == 0) return c;
            // Chunks are word-aligned: an odd size has a pad byte.
            at = c.data + c.size + (c.size & 1);
        }
        return std::nullopt;
    }

private:
    const std::vector<std::uint8_t>& m_bytes;
    std::size_t m_end;
};

bool ReadFormat(const std::string& name, const std::uint8_t* p, std::uint32_t size, WAVEFORMATEX& f) {
    if (size < kMinFormatBytes) {
        ReportUnsupported(name);
        return false;
    }
    std::uint8_t record[kMaxFormatBytes] = {};
    std::memcpy(record, p, size < kMaxFormatBytes ? size : kMaxFormatBytes);
    f.wFormatTag = U16(record);
    f.nChannels = U16(record + 2);
    f.nSamplesPerSec = U32(record + 4);
    f.nAvgBytesPerSec = U32(record + 8);
    f.nBlockAlign = U16(record + 12);
    f.wBitsPerSample = U16(record + 14);
    f.cbSize = U16(record + 16);
    if (f.cbSize != 0 || !platform::PcmFormatPlayable(f)) {
        ReportUnsupported(name);
        return false;
    }
    return true;
}

}  // namespace

bool ParseWaveFile(const std::string& name, const std::vector<std::uint8_t>& bytes, WAVEFILE& wave) {
    if (bytes.size() < 12 || std::memcmp(bytes.data(), "RIFF", 4) != 0 ||
        std::memcmp(bytes.data() + 8, "WAVE", 4) != 0 || U32(bytes.data() + 4) < 4 ||
        U32(bytes.data() + 4) > bytes.size() - kChunkHead) {
        ReportInvalid(name);
        return false;
    }
    ChunkWalker walker(bytes, kChunkHead + U32(bytes.data() + 4));
    bool broken = false;
    auto fmt = walker.Find(12, "fmt ", &broken);
    if (!fmt) {
        if (broken) ReportInvalid(name);
        return false;
    }
    if (!ReadFormat(name, bytes.data() + fmt->data, fmt->size, wave.format)) return false;
    auto data = walker.Find(fmt->data + fmt->size + (fmt->size & 1), "data", &broken);
    if (!data || data->size == 0) {
        if (broken) ReportInvalid(name);
        return false;
    }
    wave.data.assign(bytes.begin() + static_cast<std::ptrdiff_t>(data->data),
                     bytes.begin() + static_cast<std::ptrdiff_t>(data->data + data->size));
    return true;
}

bool ReadWaveFile(const std::string& name, WAVEFILE& wave) {
    std::vector<std::uint8_t> bytes;
    if (!ReadGameFile(name, bytes, kMaxWaveFile)) return false;
    return ParseWaveFile(name, bytes, wave);
}

#include "sound/smf_file.h"

#include <algorithm>
#include <cstring>

#include "foundation/file_reading.h"
#include "foundation/report.h"

namespace {

// Music files are far below this.
constexpr std::size_t kMaxSmfFile = 16u << 20;
constexpr std::size_t kChunkHead = 8;
constexpr std::size_t kFileHead = 14;

std::uint32_t BigEndian32(const std::uint8_t* p) {
    return (std::uint32_t(p[0]) << 24) | (std::uint32_t(p[1]) << 16) | (std::uint32_t(p[2]) << 8) | p[3];
}
std::uint16_t BigEndian16(const std::uint8_t* p) { return static_cast<std::uint16_t>((p[0] << 8) | p[1]); }

void PutBigEndian32(std::uint8_t* p, std::uint32_t v) {
    for (int i = 0; i < 4; ++i) p[i] = static_cast<std::uint8_t>(v >> (24 - 8 * i));
}

// One event of a track: its absolute time, its status, and where its bytes
// after the status lie in the file.
struct SmfEvent {
    std::uint64_t time;
    int track;
    std::uint8_t status;
    std::size_t data;
    std::size_t size;
};

class TrackReader {
public:
    TrackReader(const std::string& name, const std::vector<std::uint8_t>& bytes) : m_name(name), m_bytes(bytes) {}

    // Reads every track from offset 14 on into events; false (reported)
    // for a track that breaks the format.
    bool ReadTracks(int count, std::vector<SmfEvent>& events, std::uint64_t& endTime) {
        std::size_t at = kFileHead;
        for (int track = 0; track < count; ++track) {
            if (m_bytes.size() - at < kChunkHead || std::memcmp(m_bytes.data() + at, "MTrk", 4) != 0) {
                return Fail("標準MIDIでない(4)");
            }
            const std::uint32_t length = BigEndian32(m_bytes.data() + at + 4);
            if (length > m_bytes.size() - at - kChunkHead) return Fail("トラックの長さが不正");
            const std::size_t end = at + kChunkHead + length;
            if (!ReadTrack(track, at + kChunkHead, end, events, endTime)) return false;
            at = end;
        }
        return true;
    }

private:
    bool ReadTrack(int track, std::size_t pos, std::size_t end, std::vector<SmfEvent>& events, std::uint64_t& endTime) {
        const std::uint8_t* b = m_bytes.data();
        std::uint64_t time = 0;
        std::uint8_t running = 0;  // a channel status only: meta and sysex events end it
        while (true) {
            std::uint32_t delta = 0;
            if (pos >= end) return Fail("トラックの終わりがない");
            if (!ReadVariableLength(b, end, pos, delta)) return Fail("デルタタイムが不正");
            time += delta;
            if (pos >= end) return Fail("トラックの終わりがない");
            std::uint8_t status = b[pos];
            if (status >= 0x80) {
                ++pos;
            } else if (running != 0) {
                status = running;
            } else {
                return Fail("ランニングステータスが不正");
            }
            const std::size_t data = pos;
            if (status < 0xF0) {
                running = status;
                pos += (status & 0xE0) == 0xC0 ? 1 : 2;  // program change, channel pressure: one byte
                if (pos > end) return Fail("イベントが不正");
            } else if (status == 0xF0 || status == 0xF7 || status == 0xFF) {
                running = 0;
                if (status == 0xFF && ++pos > end) return Fail("イベントが不正");
                std::uint32_t length = 0;
                if (!ReadVariableLength(b, end, pos, length) || length > end - pos) return Fail("イベントが不正");
                pos += length;
                if (status == 0xFF && b[data] == 0x2F) {
                    endTime = std::max(endTime, time);
                    return true;
                }
            } else {
                return Fail("イベントが不正");
            }
            events.push_back(SmfEvent{time, track, status, data, pos - data});
        }
    }

    bool Fail(const char* why) {
        LogPrintfBoth("Midi %s Init %s", m_name.c_str(), why);
        return false;
    }

    const std::string& m_name;
    const std::vector<std::uint8_t>& m_bytes;
};

bool ReportRefusal(const std::string& name, const char* why) {
    LogPrintfBoth("Midi %s Init %s", name.c_str(), why);
    return false;
}

}  // namespace

void AppendVariableLength(std::vector<std::uint8_t>& out, std::uint32_t value) {
    std::uint8_t groups[4];
    int n = 0;
    do {
        groups[n++] = static_cast<std::uint8_t>(value & 0x7F);
        value >>= 7;
    } while (value != 0 && n < 4);
    while (n > 0) {
        --n;
        out.push_back(static_cast<std::uint8_t>(groups[n] | (n > 0 ? 0x80 : 0)));
    }
}

bool ReadVariableLength(const std::uint8_t* bytes, std::size_t end, std::size_t& pos, std::uint32_t& value) {
    value = 0;
    for (int i = 0; i < 4; ++i) {
        if (pos >= end) return false;
        const std::uint8_t b = bytes[pos++];
        value = (value << 7) | (b & 0x7F);
        if (!(b & 0x80)) return true;
    }
    return false;
}

bool cSmfFile::Parse(const std::string& name, const std::vector<std::uint8_t>& bytes,
                     std::vector<std::uint8_t>& image) {
    image.clear();
    const std::uint8_t* b = bytes.data();
    if (bytes.size() < kFileHead || std::memcmp(b, "MThd", 4) != 0) return ReportRefusal(name, "標準MIDIでない(4)");
    if (BigEndian32(b + 4) != 6) return ReportRefusal(name, "標準MIDIでない(6)");
    const std::uint16_t format = BigEndian16(b + 8);
    if (format == 2) return ReportRefusal(name, "対応フォーマットが2でない");
    if (format > 2) return ReportRefusal(name, "対応フォーマットが0または1でない");
    if (bytes.size() < kFileHead + 4 || std::memcmp(b + kFileHead, "MTrk", 4) != 0) {
        return ReportRefusal(name, "標準MIDIでない(4)");
    }
    const int trackCount = BigEndian16(b + 10);
    const std::uint16_t division = BigEndian16(b + 12);
    if (trackCount == 0) return ReportRefusal(name, "トラックがない");
    if (division == 0 || (division & 0x8000 && (division & 0xFF) == 0)) return ReportRefusal(name, "分解能が0");

    std::vector<SmfEvent> events;
    std::uint64_t endTime = 0;
    if (!TrackReader(name, bytes).ReadTracks(trackCount, events, endTime)) return false;
    // Per track the times only grow, so this is the merge that takes, among
    // the tracks' next events, the earliest, the lower track first on a tie.
    std::stable_sort(events.begin(), events.end(), [](const SmfEvent& x, const SmfEvent& y) {
        return x.time != y.time ? x.time < y.time : x.track < y.track;
    });

    std::vector<std::uint8_t> out = {'M', 'T',   'h',   'd', 0,   0,   0,   6, 0, 0, 0,
                                     1,   b[12], b[13], 'M', 'T', 'r', 'k', 0, 0, 0, 0};
    // A gap between merged events is never longer than one of a track's
    // own delta times, so it fits the variable-length form.
    std::uint64_t last = 0;
    auto putDelta = [&](std::uint64_t time) {
        AppendVariableLength(out, static_cast<std::uint32_t>(time - last));
        last = time;
    };
    for (const SmfEvent& e : events) {
        putDelta(e.time);
        out.push_back(e.status);
        out.insert(out.end(), b + e.data, b + e.data + e.size);
    }
    putDelta(endTime);
    out.insert(out.end(), {0xFF, 0x2F, 0x00});
    PutBigEndian32(out.data() + 18, static_cast<std::uint32_t>(out.size() - kSmfImageHeader));
    image = std::move(out);
    return true;
}

cSmfFile::cSmfFile(const std::string& name) : m_strName(name) {
    std::vector<std::uint8_t> bytes;
    if (!ReadGameFile(name, bytes, kMaxSmfFile)) {
        LogPrintfBoth("Midi %s Create ファイルが開けません", name.c_str());
        return;
    }
    Parse(name, bytes, m_Image);
}

#include "shell/startup/system_ini.h"

#include <climits>
#include <cstdint>
#include <cstring>
#include <vector>

#include "foundation/file_reading.h"

namespace {

constexpr int kMaxLines = 10000;
constexpr std::size_t kMaxToken = 2047;
// A settings file is a few hundred bytes; anything this large is not one.
constexpr std::size_t kMaxFileBytes = std::size_t(16) << 20;
constexpr std::size_t kFreeStageSize = sizeof(cSystemIni::FreeStage);

// Settings 0 to 10 in the order of the key table.
int* IntSetting(cSystemIni& s, int index) {
    int* const table[kSystemIniKeyCount] = {
        &s.Direct3D,        &s.WindowMode, &s.Bpp,  &s.VSync,   &s.D3D_FontCache,   &s.DD_FontCache,
        &s.DD_VideoStretch, &s.ShowFps,    nullptr, &s.English, &s.Midi_DirectMusic};
    if (index < 0 || index >= kSystemIniKeyCount) return nullptr;
    return table[index];
}

void SetFreeStage(cSystemIni& s, const std::string& text) {
    std::memset(s.FreeStage, 0, kFreeStageSize);
    std::memcpy(s.FreeStage, text.data(), std::min(text.size(), kFreeStageSize - 1));
}

// Leading decimal digits with an optional sign, as the runtime's atoi reads
// them; values beyond an int saturate instead of overflowing.
int DecimalValue(const std::string& text) {
    std::size_t i = 0;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
    long long v = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
        v = v * 10 + (text[i] - '0');
        if (v > INT_MAX) v = static_cast<long long>(INT_MAX) + 1;
    }
    if (negative) v = -v;
    if (v > INT_MAX) return INT_MAX;
    if (v < INT_MIN) return INT_MIN;
    return static_cast<int>(v);
}

int FindKey(const SystemIniKeyList& keys, const std::string& name) {
    int index = 0;
    for (const auto& key : keys) {
        if (key.m_strName == name) return index;
        ++index;
    }
    return -1;
}

class IniScanner {
public:
    explicit IniScanner(const std::vector<std::uint8_t>& bytes) : m_bytes(bytes) {}

    bool AtEnd() const { return m_pos >= m_bytes.size(); }
    char Next() { return static_cast<char>(m_bytes[m_pos++]); }

    // The value after "=": up to a blank, a tab, "/", LF or a zero byte,
    // which is consumed; the rest of the line is read as the next key.
    std::string Value() {
        std::string v;
        while (!AtEnd()) {
            char c = Next();
            if (c == ' ' || c == '\t' || c == '/' || c == '\n' || c == '\0') break;
            if (v.size() < kMaxToken) v += c;
        }
        return v;
    }

    // A stage name keeps its blanks and folder separators: the whole rest of
    // the line, without the blanks and CR around it.
    std::string LineValue() {
        std::string v;
        while (!AtEnd()) {
            char c = Next();
            if (c == '\n' || c == '\0') break;
            if (v.size() < kMaxToken) v += c;
        }
        auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\r'; };
        while (!v.empty() && blank(v.back())) v.pop_back();
        std::size_t start = 0;
        while (start < v.size() && blank(v[start])) ++start;
        return v.substr(start);
    }

private:
    const std::vector<std::uint8_t>& m_bytes;
    std::size_t m_pos = 0;
};

enum class KeyEnd { Value, LineDone, Finished, Truncated };

KeyEnd ReadKey(IniScanner& in, std::string& key) {
    key.clear();
    for (;;) {
        if (in.AtEnd()) return KeyEnd::Truncated;
        char c = in.Next();
        switch (c) {
            case '=': return KeyEnd::Value;
            case '\r':
            case ' ':
            case '\t': break;
            case '\0': return KeyEnd::Finished;
            case '\n': return key == "Exit" ? KeyEnd::Finished : KeyEnd::LineDone;
            default:
                if (key.size() < kMaxToken) key += c;
                break;
        }
    }
}

void ApplyValue(IniScanner& in, cSystemIni& settings, int index) {
    if (index == kIniFreeStage) {
        std::string stage = in.LineValue();
        if (stage.size() > 1 && stage.size() < kFreeStageSize) SetFreeStage(settings, stage);
        return;
    }
    std::string value = in.Value();
    if (int* setting = IntSetting(settings, index)) *setting = DecimalValue(value);
}

}  // namespace

void ResetSystemIni(cSystemIni& settings, const SystemIniKeyList& keys) {
    for (int i = 0; i < kIniFreeStage; ++i) *IntSetting(settings, i) = keys[i].m_nValue;
    SetFreeStage(settings, keys[kIniFreeStage].m_strText);
    settings.English = keys[kIniEnglish].m_nValue;
    settings.Midi_DirectMusic = keys[kIniMidiDirectMusic].m_nValue;
}

int ReadSystemIni(const std::string& path, cSystemIni& settings, const SystemIniKeyList& keys) {
    std::vector<std::uint8_t> bytes;
    if (!ReadGameFile(path, bytes, kMaxFileBytes)) return 0;
    IniScanner in(bytes);
    std::string key;
    for (int line = 0; line < kMaxLines; ++line) {
        switch (ReadKey(in, key)) {
            case KeyEnd::Truncated: return 0;
            case KeyEnd::Finished: return 1;
            case KeyEnd::LineDone: continue;
            case KeyEnd::Value: break;
        }
        int index = FindKey(keys, key);
        if (index < 0) {
            in.Value();
            continue;
        }
        ApplyValue(in, settings, index);
    }
    return 1;
}

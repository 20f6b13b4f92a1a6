#include "scenes/stage_play/presentation/message_escapes.h"

#include <algorithm>

#include "foundation/strings.h"

namespace {

constexpr int kFirstVariable = 1;
constexpr int kLastVariable = 1000;

struct Escape {
    bool common = false;
    bool stage = false;
    std::string number;
    bool zeroPad = false;
    bool plus = false;
    int width = 0;
    std::size_t end = 0;  // one past the escape's last character
};

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// The characters of the escape starting at the '#' at `start`; it ends at
// the first character that is neither a scope letter, a digit nor '_'
// (or, after '_', a format letter or a digit), or at the end of the text.
// A '.' that ends it is part of it.
Escape ReadEscape(const std::string& text, std::size_t start) {
    Escape e;
    bool format = false;
    std::size_t i = start + 1;
    for (; i < text.size(); ++i) {
        const char c = text[i];
        if (!format) {
            if (c == 'C' || c == 'c') e.common = true;
            else if (c == 'S' || c == 's') e.stage = true;
            else if (IsDigit(c)) e.number += c;
            else if (c == '_') format = true;
            else break;
        } else {
            if (c == 'Z' || c == 'z') e.zeroPad = true;
            else if (c == 'P' || c == 'p') e.plus = true;
            else if (IsDigit(c)) e.width = c - '0';
            else break;
        }
    }
    e.end = i < text.size() && text[i] == '.' ? i + 1 : i;
    return e;
}

// The number of the digits read; 0 for none, and any run of digits too
// long for an int counts as beyond every variable.
int VariableNumber(const std::string& digits) {
    int n = 0;
    for (const char d : digits) n = std::min(n * 10 + (d - '0'), kLastVariable + 1);
    return n;
}

// |v| in at least `width` digits (zeros, or spaces before the first
// significant digit), with its sign in front.
std::string FormatValue(int value, const Escape& e) {
    const long long magnitude = value < 0 ? -static_cast<long long>(value) : value;
    std::string digits = std::to_string(magnitude);
    if (static_cast<int>(digits.size()) < e.width) digits.insert(0, e.width - digits.size(), '0');
    if (!e.zeroPad) {
        for (std::size_t i = 0; i + 1 < digits.size() && digits[i] == '0'; ++i) digits[i] = ' ';
    }
    if (value < 0) return "-" + digits;
    return e.plus ? "+" + digits : digits;
}

}  // namespace

void ExpandEscapes(std::string& text, const cVector<int>& commonVars, const cVector<int>& stageVars) {
    std::size_t i = 0;
    while (i < text.size()) {
        const unsigned char c = static_cast<unsigned char>(text[i]);
        // A double-byte character is one: its second byte is never read as
        // a '#'. A lead byte without a trail byte behind it stands alone, so
        // a '#' right after it still begins an escape.
        if (i + 1 < text.size() && IsDbcsPair(reinterpret_cast<const unsigned char*>(text.data() + i))) {
            i += 2;
            continue;
        }
        if (c != '#') {
            ++i;
            continue;
        }
        const Escape e = ReadEscape(text, i);
        const int number = VariableNumber(e.number);
        const bool valid = (e.common || e.stage) && number >= kFirstVariable && number <= kLastVariable;
        if (!valid) {
            ++i;
            continue;
        }
        const std::string value = FormatValue(e.common ? commonVars[number] : stageVars[number], e);
        text.replace(i, e.end - i, value);
        i += value.size();
    }
}

#include "scenes/rankings/ranking_texts.h"

#include <algorithm>
#include <cstdlib>

#include "foundation/strings.h"

namespace {
constexpr int kMaxDigits = 10;

long long Magnitude(int v) { return std::llabs(static_cast<long long>(v)); }
}  // namespace

void TimeToText(std::string& out, int hundredths) {
    const long long t = Magnitude(hundredths);
    FormatString(out, "%02lld:%02lld.%02lld", t / 6000, (t / 100) % 60, t % 100);
}

int DigitCount(int v) {
    long long m = Magnitude(v);
    int n = 1;
    while (m >= 10 && n < kMaxDigits) {
        m /= 10;
        ++n;
    }
    return n;
}

void IntToText(std::string& out, int value, int digits, int zeroFill, int plusSign) {
    const int own = DigitCount(value);
    const int width = (digits <= 0 || digits < own) ? own : std::min(digits, kMaxDigits);
    std::string number = std::to_string(Magnitude(value));
    std::string pad(static_cast<std::size_t>(width) - number.size(), zeroFill ? '0' : ' ');
    out.clear();
    if (value < 0) out += '-';
    else if (plusSign) out += '+';
    out += pad + number;
}

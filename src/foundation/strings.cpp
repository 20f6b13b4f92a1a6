#include "foundation/strings.h"

#include <cstdarg>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

#include "platform/random.h"

namespace {

void VAppend(std::string& out, const char* format, va_list ap) {
    va_list copy;
    va_copy(copy, ap);
    int n = std::vsnprintf(nullptr, 0, format, copy);
    va_end(copy);
    if (n <= 0) return;
    std::size_t old = out.size();
    out.resize(old + static_cast<std::size_t>(n) + 1);
    std::vsnprintf(out.data() + old, static_cast<std::size_t>(n) + 1, format, ap);
    out.resize(old + static_cast<std::size_t>(n));
}

}  // namespace

void FormatString(std::string& out, const char* format, ...) {
    out.clear();
    va_list ap;
    va_start(ap, format);
    VAppend(out, format, ap);
    va_end(ap);
}

void AppendFormat(std::string& out, const char* format, ...) {
    va_list ap;
    va_start(ap, format);
    VAppend(out, format, ap);
    va_end(ap);
}

std::string StrPrintf(const char* format, ...) {
    std::string out;
    va_list ap;
    va_start(ap, format);
    VAppend(out, format, ap);
    va_end(ap);
    return out;
}

bool CompareByOp(int a, int b, int op) {
    // 64-bit remainders: abs(INT_MIN) and INT_MIN % -1 stay defined.
    std::int64_t absA = std::llabs(static_cast<std::int64_t>(a));
    switch (op) {
        case 0: return a == b;
        case 1: return a != b;
        case 2: return a >= b;
        case 3: return a <= b;
        case 4: return a > b;
        case 5: return a < b;
        case 6: return b == 0 || absA % b == 0;
        case 7: return b != 0 && absA % b != 0;
        default: return false;
    }
}

int PercentOf(int a, int b) {
    // The product wraps in 32 bits, as the stored rules were tuned with it.
    auto wrapped = static_cast<std::int32_t>(static_cast<std::uint32_t>(a) * static_cast<std::uint32_t>(b));
    double v = static_cast<double>(wrapped) * 0.01;
    v = v >= 0 ? v + 0.5 : v - 0.5;
    return static_cast<int>(v);
}

int Clamp(int& v, int lo, int hi) {
    if (v < lo) {
        v = lo;
    } else if (v > hi) {
        v = hi;
    }
    return v;
}

int FixStrLen(std::string& s) {
    auto z = s.find('\0');
    if (z != std::string::npos) s.resize(z);
    return static_cast<int>(s.size());
}

std::string StrMid(const std::string& s, int start, int count) {
    std::int64_t st = start, cnt = count;
    if (st < 0) {
        cnt += st;
        st = 0;
    }
    auto len = static_cast<std::int64_t>(s.size());
    if (st > len || cnt == 0) return std::string();
    if (cnt < 0 || st + cnt > len) return s.substr(static_cast<std::size_t>(st));
    return s.substr(static_cast<std::size_t>(st), static_cast<std::size_t>(cnt));
}

int RandomRange(int a, int b) {
    std::int64_t lo = a < b ? a : b;
    std::int64_t span = std::llabs(static_cast<std::int64_t>(b) - a) + 1;
    return static_cast<int>(lo + platform::rand() % span);
}

bool IsDbcsLead(unsigned char c) { return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC); }

bool IsDbcsTrail(unsigned char c) { return (c >= 0x40 && c <= 0x7E) || (c >= 0x80 && c <= 0xFC); }

bool IsDbcsPair(const unsigned char* p) { return IsDbcsLead(p[0]) && IsDbcsTrail(p[1]); }

int CountChars(const std::string& text) {
    auto p = reinterpret_cast<const unsigned char*>(text.c_str());
    int n = 0;
    for (std::size_t i = 0; i < text.size();) {
        if (i + 1 < text.size() && IsDbcsPair(p + i)) {
            ++n;
            i += 2;
        } else {
            if (p[i] != '\n') ++n;
            ++i;
        }
    }
    return n;
}

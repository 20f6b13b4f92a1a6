#include "platform/text.h"

#include <iconv.h>

#include <cerrno>
#include <mutex>

namespace {

// iconv descriptors keep shift state, so each conversion resets and uses its
// own descriptor under a lock (conversions are rare: edges only).
std::string Convert(const char* to, const char* from, std::string_view in, const char* bad) {
    iconv_t cd = iconv_open(to, from);
    if (cd == reinterpret_cast<iconv_t>(-1)) { return std::string(in); }
    std::string out;
    out.reserve(in.size() * 2 + 4);
    char* src = const_cast<char*>(in.data());
    size_t srcLeft = in.size();
    char buf[512];
    while (srcLeft > 0) {
        char* dst = buf;
        size_t dstLeft = sizeof buf;
        size_t r = iconv(cd, &src, &srcLeft, &dst, &dstLeft);
        out.append(buf, static_cast<size_t>(dst - buf));
        if (r == static_cast<size_t>(-1)) {
            if (errno == E2BIG) { continue; }
            // EILSEQ or EINVAL: skip one byte and mark it.
            out += bad;
            ++src;
            --srcLeft;
        }
    }
    char* dst = buf;
    size_t dstLeft = sizeof buf;
    iconv(cd, nullptr, nullptr, &dst, &dstLeft);
    out.append(buf, static_cast<size_t>(dst - buf));
    iconv_close(cd);
    return out;
}

}  // namespace

namespace platform {

std::string Cp932ToUtf8(std::string_view sjis) {
    // Pure ASCII is the common case (paths, keys): no conversion needed.
    bool ascii = true;
    for (unsigned char c : sjis) {
        if (c >= 0x80) {
            ascii = false;
            break;
        }
    }
    if (ascii) return std::string(sjis);
    return Convert("UTF-8", "CP932", sjis, "\xEF\xBF\xBD");
}

std::string Utf8ToCp932(std::string_view utf8) {
    bool ascii = true;
    for (unsigned char c : utf8) {
        if (c >= 0x80) {
            ascii = false;
            break;
        }
    }
    if (ascii) return std::string(utf8);
    return Convert("CP932", "UTF-8", utf8, "?");
}

}  // namespace platform

namespace platform {

std::vector<WPARAM> TypedCharacters(std::string_view sjis) {
    std::vector<WPARAM> chars;
    for (std::size_t at = 0; at < sjis.size(); ++at) {
        auto c = static_cast<unsigned char>(sjis[at]);
        bool lead = (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC);
        if (lead && at + 1 < sjis.size()) {
            chars.push_back(static_cast<WPARAM>(c) << 8 | static_cast<unsigned char>(sjis[++at]));
        } else {
            chars.push_back(c);
        }
    }
    return chars;
}

}  // namespace platform

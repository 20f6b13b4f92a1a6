#pragma once
// Code-page 932 <-> UTF-8 at the edges (window title, terminal, file names,
// glyph lookup). Game text stays Shift-JIS everywhere else.
#include <string>
#include <string_view>
#include <vector>

#include "platform/win_types.h"

namespace platform {

// Contract: converts CP932 bytes to UTF-8. Bytes that are not valid CP932 are
// replaced by U+FFFD; never fails.
std::string Cp932ToUtf8(std::string_view sjis);

// Contract: converts UTF-8 to CP932. Characters without a CP932 form become
// '?'; never fails.
std::string Utf8ToCp932(std::string_view utf8);

// Contract: the characters of a Shift-JIS text as WM_CHAR takes them: a
// byte, or a lead byte << 8 | its trail byte.
std::vector<WPARAM> TypedCharacters(std::string_view sjis);

}  // namespace platform

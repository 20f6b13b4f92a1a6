#pragma once
// Narrow literals are Shift-JIS in this code base; host file names in tests
// are written as u8"" literals and turned into std::string here.
#include <string>

inline std::string Utf8(const char8_t* s) { return std::string(reinterpret_cast<const char*>(s)); }

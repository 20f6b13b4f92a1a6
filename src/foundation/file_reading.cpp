#include "foundation/file_reading.h"

#include <string>

#include "foundation/report.h"
#include "platform/files.h"

bool ReadGameFile(std::string_view path, std::vector<std::uint8_t>& bytes, std::size_t maxBytes) {
    if (platform::ReadWholeFile(path, bytes, maxBytes)) return true;
    std::string why;
    switch (platform::LastFileRefusal()) {
        case platform::FileRefusal::kNotRegular: why = "not a regular file"; break;
        case platform::FileRefusal::kTooLarge: why = "larger than " + std::to_string(maxBytes) + " bytes"; break;
        default: return false;
    }
    LogPrintf("%.*s : 読み込みを中止しました (%s)", static_cast<int>(path.size()), path.data(), why.c_str());
    return false;
}

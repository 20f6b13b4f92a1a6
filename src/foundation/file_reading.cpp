#include "foundation/file_reading.h"

#include <string>

#include "foundation/report.h"

namespace {

void ReportRefusal(std::string_view path, std::size_t maxBytes) {
    std::string why;
    switch (platform::LastFileRefusal()) {
        case platform::FileRefusal::kNotRegular: why = "not a regular file"; break;
        case platform::FileRefusal::kTooLarge: why = "larger than " + std::to_string(maxBytes) + " bytes"; break;
        default: return;
    }
    LogPrintf("%.*s : 読み込みを中止しました (%s)", static_cast<int>(path.size()), path.data(), why.c_str());
}

}  // namespace

bool ReadGameFile(std::string_view path, std::vector<std::uint8_t>& bytes, std::size_t maxBytes) {
    if (platform::ReadWholeFileInPlace(path, bytes, maxBytes)) return true;
    ReportRefusal(path, maxBytes);
    return false;
}

std::unique_ptr<platform::File> OpenGameFile(std::string_view path) {
    auto file = platform::File::Open(path, platform::File::Mode::Read);
    if (!file) ReportRefusal(path, 0);
    return file;
}

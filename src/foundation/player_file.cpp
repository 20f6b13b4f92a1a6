#include "foundation/player_file.h"

#include <cstdint>
#include <memory>
#include <mutex>
#include <set>

#include "foundation/data_record.h"
#include "foundation/paths.h"
#include "foundation/report.h"
#include "platform/files.h"

namespace {

std::mutex g_mutex;
std::set<std::string> g_unreadable;

// Files are told apart by their absolute paths: the same name in another
// game folder is another file.
std::string Key(const std::string& path) {
    std::string key = path;
    return MakeAbsolutePath(key) ? key : path;
}

bool Known(const std::string& path) {
    std::lock_guard<std::mutex> lock(g_mutex);
    return g_unreadable.count(Key(path)) != 0;
}

// Why an existing file did not open; empty when it is not there at all.
// The file is looked at afresh: what the failed read noted of it is gone
// with the report line written since.
std::string RefusalReason(const std::string& path, std::size_t maxBytes) {
    const std::unique_ptr<platform::File> probe = platform::File::Open(path, platform::File::Mode::Read);
    if (!probe) {
        switch (platform::LastFileRefusal()) {
            case platform::FileRefusal::kMissing: return {};
            case platform::FileRefusal::kNotRegular: return "not a regular file (a folder, a pipe or a device)";
            default: return "no permission to read it";
        }
    }
    if (probe->Size() < 0 || static_cast<std::uint64_t>(probe->Size()) > maxBytes) {
        return "larger than " + std::to_string(maxBytes) + " bytes";
    }
    // The read itself went through: what failed was the header.
    return NewerFileFlag ? "made by a newer version" : "damaged: no header";
}

void TellUnreadable(const std::string& path, const std::string& reason) {
    {
        std::lock_guard<std::mutex> lock(g_mutex);
        if (!g_unreadable.insert(Key(path)).second) return;
    }
    LogPrintf("%s : 読み込めないため使いません (%s)", path.c_str(), reason.c_str());
    ErrorBoxF("%s を読み込めません！\n(%s)\nこのファイルは使わずに続けます。", path.c_str(), reason.c_str());
}

}  // namespace

int LoadPlayerFile(cDataRecord& record, const std::string& path) {
    // Met before: not read again, so the user hears of it only once.
    if (Known(path)) return 0;
    DataFilePtr file = OpenDataFileRead(path, record.MaxFileBytes());
    if (!file) {
        const std::string reason = RefusalReason(path, record.MaxFileBytes());
        if (!reason.empty()) TellUnreadable(path, reason);
        return 0;
    }
    if (record.Load(*file) && !file->Failed()) {
        CloseDataFile(file);
        return 1;
    }
    const std::string reason = "damaged: " + file->FailReason();
    record.OnLoadRefused();
    CloseDataFile(file);
    TellUnreadable(path, reason);
    return 0;
}

bool MayReplacePlayerFile(const std::string& path) {
    if (!Known(path)) return true;
    const int answer = ShowMessageBox(path + " は読み込めなかったファイルです。\n上書きして保存しますか？",
                                      "上書きの確認", MB_YESNO | MB_DEFBUTTON2);
    if (answer != IDYES) {
        LogPrintf("%s : 読み込めなかったファイルなので上書きしませんでした", path.c_str());
        return false;
    }
    std::lock_guard<std::mutex> lock(g_mutex);
    g_unreadable.erase(Key(path));
    return true;
}

void ForgetUnreadablePlayerFiles() {
    std::lock_guard<std::mutex> lock(g_mutex);
    g_unreadable.clear();
}

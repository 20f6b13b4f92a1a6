#include "gamedata/project/default_data.h"

#include <string>

#include "foundation/paths.h"
#include "gamedata/project/player_files.h"
#include "platform/files.h"
#include "platform/message_box.h"

namespace {

std::string AbsoluteFolder(const char* relative) {
    std::string path = relative;
    if (!MakeAbsolutePath(path)) return std::string();
    while (path.size() > 1 && path.back() == '\\') path.pop_back();
    return path;
}

}  // namespace

DefaultDataResult CreateDefaultData(HWND owner) {
    if (platform::IsDirectory(PathTable[kPathData])) return DefaultDataResult::kReady;
    if (!platform::IsDirectory(PathTable[kPathDefault])) return DefaultDataResult::kFailed;
    if (MessageBoxA(owner, "データが存在しません！デフォルトデータを作成しますか？\n", "デフォルトデータ作成の確認",
                    MB_YESNO) != IDYES) {
        return DefaultDataResult::kDeclined;
    }
    const std::string source = AbsoluteFolder(PathTable[kPathDefault]);
    const std::string destination = AbsoluteFolder(PathTable[kPathData]);
    if (source.empty() || destination.empty()) return DefaultDataResult::kFailed;
    if (platform::CopyFolderTree(source, destination)) return DefaultDataResult::kReady;
    // Only a folder that the copy itself made is removed; a file of that
    // name is not touched.
    if (platform::IsDirectory(destination)) DeleteFolderTree(destination + "\\");
    return DefaultDataResult::kFailed;
}

#include "game_folder.h"

#include "foundation/data_record.h"
#include "platform/files.h"

GameFolder::GameFolder(const std::string& hostDir) {
    const std::string internal = platform::InternalPath(hostDir);
    MakeParents(internal + "\\x");
    if (!platform::SetCurrentDirectoryInternal(internal)) Fail("cannot enter " + hostDir);
}

void GameFolder::Fail(const std::string& what) {
    if (m_error.empty()) m_error = what;
}

void GameFolder::MakeParents(const std::string& path) {
    for (std::size_t at = path.find('\\', 1); at != std::string::npos; at = path.find('\\', at + 1)) {
        const std::string folder = path.substr(0, at);
        if (!platform::IsDirectory(folder)) platform::CreateDirectoryA(folder);
    }
}

void GameFolder::WriteBytes(const std::string& path, const Bytes& bytes) {
    if (!Ok()) return;
    MakeParents(path);
    if (bytes.empty() || !platform::WriteFileSafely(path, bytes.data(), bytes.size())) {
        Fail("cannot write " + path);
        return;
    }
    ++m_files;
}

void GameFolder::WriteText(const std::string& path, const std::string& text) {
    WriteBytes(path, Bytes(text.begin(), text.end()));
}

void GameFolder::WriteRecord(const std::string& path, cDataRecord& record) {
    if (!Ok()) return;
    MakeParents(path);
    if (!record.SaveFile(path)) {
        Fail("cannot write " + path);
        return;
    }
    ++m_files;
}

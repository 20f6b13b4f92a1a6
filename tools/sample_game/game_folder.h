#pragma once
// The folder being written: files go in by internal path (backslashes,
// relative to the game folder), their parent folders are made on the way,
// and every file is written safely. The first failure is kept.
#include <string>

#include "file_formats.h"

class cDataRecord;

class GameFolder {
public:
    // Makes the folder (and its parents) and makes it the working folder, so
    // that the project's own writers, which take paths relative to the game
    // folder, write into it.
    explicit GameFolder(const std::string& hostDir);

    bool Ok() const { return m_error.empty(); }
    const std::string& Error() const { return m_error; }
    int FilesWritten() const { return m_files; }

    void WriteBytes(const std::string& path, const Bytes& bytes);
    void WriteText(const std::string& path, const std::string& text);
    // A record file of the project (version header, then the record).
    void WriteRecord(const std::string& path, cDataRecord& record);
    void Fail(const std::string& what);
    // Makes the parent folders of an internal path.
    void MakeParents(const std::string& path);

private:
    std::string m_error;
    int m_files = 0;
};

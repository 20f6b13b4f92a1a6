#pragma once
// A temporary folder that a test works in: the working folder moves into it
// for the test's life, so internal relative paths land there.
#include <string>

class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    // Host path of the folder (UTF-8).
    const std::string& HostPath() const { return m_host; }
    // Writes a file (relative host path) with the given bytes.
    void WriteHostFile(const std::string& relHost, const std::string& bytes) const;
    std::string ReadHostFile(const std::string& relHost) const;
    bool HostFileExists(const std::string& relHost) const;

private:
    std::string m_host;
    std::string m_oldCwd;
};

#pragma once
// A folder of one benchmark run under the temporary folder, made the working
// folder while it lives and removed with everything in it at the end. Two
// benchmarks started in one working folder thus never write the same file.
#include <filesystem>
#include <random>
#include <string>
#include <system_error>

class RunFolder {
public:
    explicit RunFolder(const std::string& prefix) {
        namespace fs = std::filesystem;
        std::random_device random;
        std::error_code error;
        // A name another run already took is drawn again.
        do {
            m_path = fs::temp_directory_path() / (prefix + "_" + std::to_string(random()) + std::to_string(random()));
        } while (!fs::create_directory(m_path, error) && !error);
        m_before = fs::current_path();
        fs::current_path(m_path);
    }
    ~RunFolder() {
        std::error_code ignored;
        std::filesystem::current_path(m_before, ignored);
        std::filesystem::remove_all(m_path, ignored);
    }
    RunFolder(const RunFolder&) = delete;
    RunFolder& operator=(const RunFolder&) = delete;

    const std::filesystem::path& Path() const { return m_path; }

private:
    std::filesystem::path m_path, m_before;
};

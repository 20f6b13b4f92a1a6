#include "support/temp_dir.h"

#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>

namespace fs = std::filesystem;

TempDir::TempDir() {
    std::random_device rd;
    auto base = fs::temp_directory_path() / ("player-test-" + std::to_string(rd()) + std::to_string(rd()));
    fs::create_directories(base);
    m_host = base.string();
    m_oldCwd = fs::current_path().string();
    fs::current_path(base);
}

TempDir::~TempDir() {
    std::error_code ec;
    fs::current_path(m_oldCwd, ec);
    // Tests mark files read-only; make everything writable so it can go.
    for (auto& e : fs::recursive_directory_iterator(m_host, ec)) {
        fs::permissions(e.path(), fs::perms::owner_all, fs::perm_options::add, ec);
    }
    fs::remove_all(m_host, ec);
}

void TempDir::WriteHostFile(const std::string& relHost, const std::string& bytes) const {
    fs::path p = fs::path(m_host) / relHost;
    fs::create_directories(p.parent_path());
    std::ofstream out(p, std::ios::binary);
    out << bytes;
}

std::string TempDir::ReadHostFile(const std::string& relHost) const {
    std::ifstream in(fs::path(m_host) / relHost, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

bool TempDir::HostFileExists(const std::string& relHost) const { return fs::exists(fs::path(m_host) / relHost); }

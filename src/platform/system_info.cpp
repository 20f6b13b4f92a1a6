#include "platform/system_info.h"

#include <sys/statvfs.h>
#include <sys/utsname.h>
#include <unistd.h>

#include <atomic>
#include <fstream>
#include <mutex>
#include <sstream>

#include "platform/files.h"

namespace {

std::mutex g_mutex;
std::function<platform::DisplayInfo()> g_displayQuery;
std::atomic<bool> g_fixed{false};

constexpr std::uint64_t kMB = 1048576;

// The value after "name<blanks>:" of the first line of a /proc file that
// starts with name.
std::string ProcField(const char* file, const std::string& name) {
    std::ifstream in(file);
    std::string line;
    while (std::getline(in, line)) {
        if (line.compare(0, name.size(), name) != 0) continue;
        auto colon = line.find(':');
        if (colon == std::string::npos) continue;
        std::string key = line.substr(0, colon);
        while (!key.empty() && (key.back() == ' ' || key.back() == '\t')) key.pop_back();
        if (key != name) continue;
        std::size_t start = line.find_first_not_of(" \t", colon + 1);
        return start == std::string::npos ? std::string() : line.substr(start);
    }
    return {};
}

std::uint64_t MeminfoBytes(const std::string& name) {
    std::istringstream in(ProcField("/proc/meminfo", name));
    std::uint64_t kb = 0;
    in >> kb;
    return kb * 1024;
}

}  // namespace

namespace platform {

DisplayInfo QueryDisplay() {
    std::function<DisplayInfo()> query;
    {
        std::lock_guard<std::mutex> lock(g_mutex);
        query = g_displayQuery;
    }
    return query ? query() : DisplayInfo{};
}

void SetDisplayQuery(std::function<DisplayInfo()> query) {
    std::lock_guard<std::mutex> lock(g_mutex);
    g_displayQuery = std::move(query);
}

void UseFixedMachineFacts(bool fixed) { g_fixed.store(fixed); }

OsInfo QueryOs() {
    if (g_fixed.load()) return {"Linux", "headless", "", ""};
    utsname u{};
    if (uname(&u) != 0) return {};
    return {u.sysname, u.release, u.version, u.machine};
}

CpuInfo QueryCpu() {
    if (g_fixed.load()) return {"GenuineHost", "Fixed CPU", 1e9};
    CpuInfo info;
    info.vendor = ProcField("/proc/cpuinfo", "vendor_id").substr(0, 12);
    info.brand = ProcField("/proc/cpuinfo", "model name").substr(0, 48);
    std::istringstream mhz(ProcField("/proc/cpuinfo", "cpu MHz"));
    double v = 0;
    if (mhz >> v) info.hz = v * 1e6;
    return info;
}

MemoryInfo QueryMemory() {
    if (g_fixed.load()) return {1024 * kMB, 512 * kMB, 1024 * kMB, 512 * kMB};
    MemoryInfo info;
    info.totalBytes = MeminfoBytes("MemTotal");
    info.availableBytes = MeminfoBytes("MemAvailable");
    // The user part of a 64-bit address space (47 bits).
    info.virtualTotalBytes = std::uint64_t(1) << 47;
    std::ifstream statm("/proc/self/statm");
    std::uint64_t pages = 0;
    statm >> pages;
    std::uint64_t used = pages * static_cast<std::uint64_t>(sysconf(_SC_PAGESIZE));
    info.virtualFreeBytes = used < info.virtualTotalBytes ? info.virtualTotalBytes - used : 0;
    return info;
}

std::uint64_t QueryDiskFree(const std::string& internalFolder) {
    if (g_fixed.load()) return 4096 * kMB;
    std::string host = internalFolder.empty() ? std::string(".") : HostPath(internalFolder);
    struct statvfs s {};
    if (statvfs(host.c_str(), &s) != 0) return 0;
    return static_cast<std::uint64_t>(s.f_bavail) * s.f_frsize;
}

}  // namespace platform

#pragma once
// Facts about the machine for the run report: the operating system, the
// processor, memory, disk and the desktop display. Headless runs answer with
// fixed values, so their reports are the same on every machine.
#include <cstdint>
#include <functional>
#include <string>

namespace platform {

struct DisplayInfo {
    int width = 1920;
    int height = 1080;
    int bitsPerPixel = 32;
    int refreshRate = 60;
};

// Contract: the desktop display as the installed query reports it (the SDL
// backend installs one; a 24-bit X server is reported as 32 bits); without
// one (headless) the fixed DisplayInfo{} above.
DisplayInfo QueryDisplay();
void SetDisplayQuery(std::function<DisplayInfo()> query);

struct OsInfo {
    std::string name;     // uname sysname, e.g. "Linux"
    std::string release;  // uname release
    std::string version;  // uname version
    std::string machine;  // uname machine
};

struct CpuInfo {
    std::string vendor;  // "vendor_id" of /proc/cpuinfo (12 characters at most)
    std::string brand;   // "model name" (48 characters at most)
    double hz = 0;       // "cpu MHz" x 1000000
};

struct MemoryInfo {
    std::uint64_t totalBytes = 0;         // MemTotal
    std::uint64_t availableBytes = 0;     // MemAvailable
    std::uint64_t virtualTotalBytes = 0;  // the address space of a process
    std::uint64_t virtualFreeBytes = 0;   // less what this process maps
};

// Contract: the facts of this machine (uname, /proc/cpuinfo, /proc/meminfo,
// /proc/self/statm); fields that cannot be read stay empty or 0. With fixed
// facts switched on: "Linux", "headless", vendor "GenuineHost", brand "Fixed
// CPU", 1 GHz, 1024 MB total and 512 MB free of both kinds.
OsInfo QueryOs();
CpuInfo QueryCpu();
MemoryInfo QueryMemory();

// Contract: bytes free for this user on the disk of the internal folder
// (empty: the working folder) through statvfs; 0 when that fails. Fixed
// facts: 4 GB.
std::uint64_t QueryDiskFree(const std::string& internalFolder);

// Contract: switches the fixed facts on or off (headless runs, tests).
void UseFixedMachineFacts(bool fixed);

}  // namespace platform

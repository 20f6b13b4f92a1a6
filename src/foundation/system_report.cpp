#include "foundation/system_report.h"

#include <climits>

#include "foundation/report.h"
#include "foundation/strings.h"
#include "platform/system_info.h"

namespace {

constexpr int kVersionMajor = 6;
constexpr int kVersionMinor = 1;
constexpr double kMB = 1048576.0;

// The interface font: the face the fonts fall back to for text of the
// interface (9 point at 96 dpi is 12 pixels), variable pitch, Swiss.
constexpr const char* kSystemFontFace = "IPAPGothic";
constexpr int kSystemFontWidth = 0;
constexpr int kSystemFontHeight = -12;
constexpr unsigned kSystemFontPitchAndFamily = 0x22;

}  // namespace

void WindowsVersionName(std::string* text, int* major, int* minor) {
    if (text) {
        platform::OsInfo os = platform::QueryOs();
        *text = os.name.empty() ? std::string("Unknown") : os.name;
        for (const std::string* part : {&os.release, &os.machine}) {
            if (!part->empty()) *text += " " + *part;
        }
    }
    if (major) *major = kVersionMajor;
    if (minor) *minor = kVersionMinor;
}

bool IsWindowsVersionAtLeast(int major, int minor) {
    return kVersionMajor > major || (kVersionMajor == major && kVersionMinor >= minor);
}

int GetDDIVersion() {
    constexpr int kLevelOfVersion6 = 9;
    return IsWindowsVersionAtLeast(6, 0) ? kLevelOfVersion6 : 0;
}

void GetMemoryStatus(MEMORYSTATUS& status) {
    platform::MemoryInfo m = platform::QueryMemory();
    status.dwTotalPhys = m.totalBytes;
    status.dwAvailPhys = m.availableBytes;
    status.dwTotalVirtual = m.virtualTotalBytes;
    status.dwAvailVirtual = m.virtualFreeBytes;
}

int GetDiskFreeBytes(const std::string& folder) {
    std::uint64_t bytes = platform::QueryDiskFree(folder);
    return bytes >= static_cast<std::uint64_t>(INT_MAX) ? INT_MAX : static_cast<int>(bytes);
}

double MeasureCpuClock() { return platform::QueryCpu().hz; }

int SystemReport() {
    std::string os;
    WindowsVersionName(&os, nullptr, nullptr);
    if (!LogPrintf("OS : %s", os.c_str())) return 0;
    platform::CpuInfo cpu = platform::QueryCpu();
    LogPrintf("CPU : %s %s %d", cpu.vendor.c_str(), cpu.brand.c_str(), static_cast<int>(cpu.hz * 0.000001));
    MEMORYSTATUS mem;
    GetMemoryStatus(mem);
    LogPrintf("Mem Total : %.3fMB", static_cast<double>(mem.dwTotalPhys) / kMB);
    LogPrintf("Mem Free : %3.fMB", static_cast<double>(mem.dwAvailPhys) / kMB);
    LogPrintf("Vir Total : %.3fMB", static_cast<double>(mem.dwTotalVirtual) / kMB);
    LogPrintf("Vir Free : %3.fMB", static_cast<double>(mem.dwAvailVirtual) / kMB);
    LogPrintf("HD Free : %3.fMB", GetDiskFreeBytes("") / kMB);
    platform::DisplayInfo display = platform::QueryDisplay();
    LogPrintf("Display : (%d,%d)", display.width, display.height);
    // Formatted once and written unchanged: a face name may hold a percent.
    LogLine(StrPrintf("System Font : %s (%d,%d) %u", kSystemFontFace, kSystemFontWidth, kSystemFontHeight,
                      kSystemFontPitchAndFamily));
    return 1;
}

#pragma once
// The machine section of the run report, and the questions about the host
// that other parts ask (the system version, memory, disk).
#include <cstdint>
#include <string>

// Appends the machine lines (OS, CPU, memory, disk, display, system font) to
// the run report; 0 when the report cannot be written.
int SystemReport();

// The name of the running system (one line) and the version numbers the
// game's version checks compare against. The numbers are fixed at 6.1, so
// every check picks the one behaviour the player keeps.
void WindowsVersionName(std::string* text, int* major, int* minor);
bool IsWindowsVersionAtLeast(int major, int minor);
// The driver model level of the display driver: every display of a system
// of version 6.0 or later speaks level 9, and the system reports itself as 6.1.
int GetDDIVersion();

struct MEMORYSTATUS {
    std::uint64_t dwTotalPhys = 0;
    std::uint64_t dwAvailPhys = 0;
    std::uint64_t dwTotalVirtual = 0;
    std::uint64_t dwAvailVirtual = 0;
};
void GetMemoryStatus(MEMORYSTATUS& status);

// Bytes free for this user on the disk of folder (empty: the working
// folder); 2147483647 for 2 GB and more, 0 when it cannot be asked.
int GetDiskFreeBytes(const std::string& folder);

// The processor clock in Hz.
double MeasureCpuClock();

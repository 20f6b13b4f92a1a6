#include "foundation/system_report.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <regex>
#include <sstream>
#include <string>

#include "platform/system_info.h"
#include "support/fixed_machine_facts.h"
#include "support/test_env.h"

namespace {

// The value of "name : value" in a /proc file, read here independently.
std::string ProcValue(const char* file, const std::string& name) {
    std::ifstream in(file);
    std::string line;
    while (std::getline(in, line)) {
        if (line.rfind(name, 0) != 0) continue;
        auto colon = line.find(':');
        std::string v = line.substr(colon + 1);
        return v.substr(v.find_first_not_of(" \t"));
    }
    return {};
}

std::string FirstLine(const char* file) {
    std::ifstream in(file);
    std::string line;
    std::getline(in, line);
    return line;
}

}  // namespace

TEST(SystemReport, HeadlessFactsGiveTheSameLinesOnEveryMachine) {
    TestEnv env;
    FixedMachineFacts fixed;
    ASSERT_EQ(SystemReport(), 1);
    // The 4 GB disk is capped at 2147483647 bytes: 2048MB without decimals.
    EXPECT_EQ(env.Report(),
              "OS : Linux headless\r\n"
              "CPU : GenuineHost Fixed CPU 1000\r\n"
              "Mem Total : 1024.000MB\r\n"
              "Mem Free : 512MB\r\n"
              "Vir Total : 1024.000MB\r\n"
              "Vir Free : 512MB\r\n"
              "HD Free : 2048MB\r\n"
              "Display : (1920,1080)\r\n"
              "System Font : IPAPGothic (0,-12) 34\r\n");
}

TEST(SystemReport, LinesDescribeThisMachine) {
    TestEnv env;
    ASSERT_EQ(SystemReport(), 1);
    std::istringstream report(env.Report());
    std::string line;
    std::getline(report, line);
    EXPECT_EQ(line, "OS : " + FirstLine("/proc/sys/kernel/ostype") + " " + FirstLine("/proc/sys/kernel/osrelease") +
                        " " + platform::QueryOs().machine + "\r");
    std::getline(report, line);
    std::string vendor = ProcValue("/proc/cpuinfo", "vendor_id");
    std::string brand = ProcValue("/proc/cpuinfo", "model name");
    EXPECT_EQ(line.rfind("CPU : " + vendor + " " + brand + " ", 0), 0u) << line;
    std::getline(report, line);
    std::istringstream kb(ProcValue("/proc/meminfo", "MemTotal"));
    long long totalKb = 0;
    kb >> totalKb;
    char expected[64];
    std::snprintf(expected, sizeof expected, "Mem Total : %.3fMB\r", totalKb / 1024.0);
    EXPECT_EQ(line, expected);
    std::string rest((std::istreambuf_iterator<char>(report)), std::istreambuf_iterator<char>());
    EXPECT_TRUE(std::regex_search(rest, std::regex("^Mem Free : +[0-9]+MB\r\nVir Total : [0-9]+\\.[0-9]{3}MB\r\n"
                                                   "Vir Free : +[0-9]+MB\r\nHD Free : +[0-9]+MB\r\n"
                                                   "Display : \\([0-9]+,[0-9]+\\)\r\nSystem Font : .+\r\n$")))
        << rest;
    // Without a window backend the display is the headless desktop; the
    // font is the interface font.
    EXPECT_NE(rest.find("\r\nDisplay : (1920,1080)\r\nSystem Font : IPAPGothic (0,-12) 34\r\n"), std::string::npos)
        << rest;
    // The disk of the working folder, asked here without the report's code;
    // a disk with 2 GB free or more is reported as the capped count.
    const auto space = std::filesystem::space(env.Dir().HostPath());
    if (space.available >= (std::uintmax_t{1} << 31)) {
        EXPECT_NE(rest.find("\r\nHD Free : 2048MB\r\n"), std::string::npos) << rest;
    }
}

TEST(SystemReport, TheVersionChecksAnswerAsVersionSixOneAndTheDiskCountIsCapped) {
    EXPECT_TRUE(IsWindowsVersionAtLeast(6, 0));
    EXPECT_TRUE(IsWindowsVersionAtLeast(5, 1));
    EXPECT_TRUE(IsWindowsVersionAtLeast(6, 1));
    EXPECT_FALSE(IsWindowsVersionAtLeast(6, 2));
    EXPECT_FALSE(IsWindowsVersionAtLeast(10, 0));
    int major = 0;
    int minor = 0;
    WindowsVersionName(nullptr, &major, &minor);
    EXPECT_EQ(major * 10 + minor, 61);
    FixedMachineFacts fixed;
    EXPECT_EQ(GetDiskFreeBytes(""), 2147483647);
}

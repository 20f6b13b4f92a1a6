#include "platform/host_log.h"

#include <cstdio>
#include <mutex>

namespace {
std::mutex g_mutex;
std::function<void(const std::string&)> g_sink;
}  // namespace

namespace platform {

namespace {
std::function<void(const std::string&)> CurrentSink() {
    std::lock_guard<std::mutex> lock(g_mutex);
    return g_sink;
}
}  // namespace

void HostLog(const std::string& line) {
    if (auto sink = CurrentSink()) {
        sink(line);
    } else {
        std::fprintf(stderr, "%s\n", line.c_str());
    }
}

void HostWarn(const std::string& line) {
    if (auto sink = CurrentSink()) sink(line);
    std::fprintf(stderr, "%s\n", line.c_str());
}

void SetHostLogSink(std::function<void(const std::string&)> sink) {
    std::lock_guard<std::mutex> lock(g_mutex);
    g_sink = std::move(sink);
}

}  // namespace platform

#include "platform/host_log.h"

#include <cstdio>
#include <mutex>

namespace {
std::mutex g_mutex;
std::function<void(const std::string&)> g_sink;
}  // namespace

namespace platform {

void HostLog(const std::string& line) {
    std::function<void(const std::string&)> sink;
    {
        std::lock_guard<std::mutex> lock(g_mutex);
        sink = g_sink;
    }
    if (sink) {
        sink(line);
    } else {
        std::fprintf(stderr, "%s\n", line.c_str());
    }
}

void SetHostLogSink(std::function<void(const std::string&)> sink) {
    std::lock_guard<std::mutex> lock(g_mutex);
    g_sink = std::move(sink);
}

}  // namespace platform

#pragma once
// Lines the platform layer reports about itself (forced thread stops, window
// backend failures). The game installs its run report as the sink; without a
// sink they go to standard error.
#include <functional>
#include <string>

namespace platform {

// Contract: writes one line (UTF-8) to the installed sink or stderr.
void HostLog(const std::string& line);

// Contract: writes one line (UTF-8) to the installed sink and to stderr:
// for what the user must learn of even when no window shows it.
void HostWarn(const std::string& line);

// Contract: installs the sink (nullptr: back to stderr). Thread-safe.
void SetHostLogSink(std::function<void(const std::string&)> sink);

}  // namespace platform

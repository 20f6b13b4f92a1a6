#pragma once
// The run report "Report_Game.txt", the (switched-off) debug log and the
// error boxes. Every line opens, appends and closes the file, so the report
// is complete on disk after each line.
#include <functional>
#include <string>

#include "platform/win_types.h"

#if defined(__GNUC__)
#define PLAYER_PRINTF(fmt, args) __attribute__((format(printf, fmt, args)))
#else
#define PLAYER_PRINTF(fmt, args)
#endif

// Run report. 1 for done, 0 for not done.
int CreateReport(const std::string& path);
int LogPrintf(const char* format, ...) PLAYER_PRINTF(1, 2);
int LogPrintfBoth(const char* format, ...) PLAYER_PRINTF(1, 2);
int LogErrorBox(const char* format, ...) PLAYER_PRINTF(1, 2);
// Appends one already formatted text unchanged (a percent sign stays).
int LogLine(const std::string& text);
const std::string& ReportPathValue();

// Debug log; off for the whole run of the player.
void SetDebugLog(int enabled, const std::string& path);
int WriteLog(const std::string& text);
int WriteLogS(const std::string& text);
int WriteLogF(const char* format, ...) PLAYER_PRINTF(1, 2);
void FatalLogF(HWND window, const char* format, ...) PLAYER_PRINTF(2, 3);

// Message boxes.
int ShowMessageBox(const std::string& text, const std::string& caption, UINT type);
int ErrorBox(const std::string& text);
int ErrorBoxF(const char* format, ...) PLAYER_PRINTF(1, 2);
int DebugErrorBoxF(const char* format, ...) PLAYER_PRINTF(1, 2);
void OutOfMemoryExit();

// The drawing layer installs its in-frame box for full-screen runs; while it
// is installed and answers true for "full screen", boxes go through it.
using InFrameMessageBox = std::function<int(const std::string& text, const std::string& caption, UINT type)>;
void SetInFrameMessageBox(InFrameMessageBox box, std::function<bool()> isFullScreen);

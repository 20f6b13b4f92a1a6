#include "foundation/report.h"

#include <cstdarg>
#include <mutex>

#include "foundation/abort.h"
#include "foundation/strings.h"
#include "platform/files.h"
#include "platform/main_window_post.h"
#include "platform/message_box.h"

namespace {

// One lock for both files: any thread writes lines, and a line must never be
// interleaved with another.
std::mutex g_fileMutex;
std::string g_reportPath;
int g_debugEnabled = 0;
std::string g_debugPath;
bool g_debugFirstWrite = false;

std::mutex g_boxMutex;
InFrameMessageBox g_inFrameBox;
std::function<bool()> g_isFullScreen;

// The report is a text file with CR LF line ends: every line feed reaches the
// disk as CR LF.
std::string ToDiskText(const std::string& text) {
    std::string out;
    out.reserve(text.size() + 8);
    for (char c : text) {
        if (c == '\n') out += '\r';
        out += c;
    }
    out += "\r\n";
    return out;
}

bool AppendToReport(const std::string& text) {
    std::lock_guard<std::mutex> lock(g_fileMutex);
    if (g_reportPath.empty()) return false;
    // Opening for update fails when the file has disappeared: from then on
    // lines are dropped, as the report is never re-created after start.
    auto f = platform::File::Open(g_reportPath, platform::File::Mode::ReadWrite);
    if (!f || !f->SeekEnd()) return false;
    std::string disk = ToDiskText(text);
    f->Write(disk.data(), disk.size());
    f->Close();
    return true;
}

std::string VFormat(const char* format, va_list ap) {
    std::string s;
    va_list copy;
    va_copy(copy, ap);
    int n = std::vsnprintf(nullptr, 0, format, copy);
    va_end(copy);
    if (n <= 0) return s;
    s.resize(static_cast<std::size_t>(n) + 1);
    std::vsnprintf(s.data(), s.size(), format, ap);
    s.resize(static_cast<std::size_t>(n));
    return s;
}

#define FORMAT_ARGS(out, fmt)           \
    va_list ap;                         \
    va_start(ap, fmt);                  \
    std::string out = VFormat(fmt, ap); \
    va_end(ap)

}  // namespace

int CreateReport(const std::string& path) {
    auto f = platform::File::Open(path, platform::File::Mode::Write);
    if (!f) return 0;
    f->Close();
    std::lock_guard<std::mutex> lock(g_fileMutex);
    g_reportPath = path;
    return 1;
}

const std::string& ReportPathValue() { return g_reportPath; }

int LogLine(const std::string& text) { return AppendToReport(text) ? 1 : 0; }

int LogPrintf(const char* format, ...) {
    FORMAT_ARGS(text, format);
    return LogLine(text);
}

int LogPrintfBoth(const char* format, ...) {
    FORMAT_ARGS(text, format);
    if (!AppendToReport(text)) return 0;
    WriteLog(text);
    return 1;
}

int LogErrorBox(const char* format, ...) {
    FORMAT_ARGS(text, format);
    bool logged = AppendToReport(text);
    WriteLog(text);
    // A start-up error must never end silently: the box is shown even when
    // the report cannot be written.
    ErrorBox(text);
    return logged ? 1 : 0;
}

void SetDebugLog(int enabled, const std::string& path) {
    std::lock_guard<std::mutex> lock(g_fileMutex);
    g_debugEnabled = enabled;
    g_debugPath = path;
}

int WriteLog(const std::string& text) {
    std::lock_guard<std::mutex> lock(g_fileMutex);
    if (!g_debugEnabled) return 0;
    std::unique_ptr<platform::File> f;
    if (!g_debugFirstWrite) {
        g_debugFirstWrite = true;
        f = platform::File::Open(g_debugPath, platform::File::Mode::Write);
    } else {
        f = platform::File::Open(g_debugPath, platform::File::Mode::Append);
    }
    if (!f) return 0;
    std::string disk = ToDiskText(text);
    f->Write(disk.data(), disk.size());
    f->Close();
    return 1;
}

int WriteLogS(const std::string& text) { return WriteLog(text); }

int WriteLogF(const char* format, ...) {
    FORMAT_ARGS(text, format);
    return WriteLog(text);
}

void FatalLogF(HWND, const char* format, ...) {
    FORMAT_ARGS(text, format);
    WriteLog(text);
    // The window argument names the main window in every caller; the post is
    // addressed by role so it is kept when the window does not exist yet.
    FatalClose();
}

void SetInFrameMessageBox(InFrameMessageBox box, std::function<bool()> isFullScreen) {
    std::lock_guard<std::mutex> lock(g_boxMutex);
    g_inFrameBox = std::move(box);
    g_isFullScreen = std::move(isFullScreen);
}

int ShowMessageBox(const std::string& text, const std::string& caption, UINT type) {
    InFrameMessageBox box;
    std::function<bool()> full;
    {
        std::lock_guard<std::mutex> lock(g_boxMutex);
        box = g_inFrameBox;
        full = g_isFullScreen;
    }
    if (box && full && full()) return box(text, caption, type);
    return MessageBoxA(nullptr, text, caption, type);
}

int ErrorBox(const std::string& text) { return ShowMessageBox(text, "エラー", MB_OK); }

int ErrorBoxF(const char* format, ...) {
    FORMAT_ARGS(text, format);
    return ErrorBox(text);
}

int DebugErrorBoxF(const char* format, ...) {
    {
        std::lock_guard<std::mutex> lock(g_fileMutex);
        if (!g_debugEnabled) return 0;
    }
    FORMAT_ARGS(text, format);
    return ErrorBox(text);
}

void OutOfMemoryExit() {
    // The box comes before the close, so the close starts once it is read.
    ErrorBox("メモリが不足しています！");
    FatalClose();
}

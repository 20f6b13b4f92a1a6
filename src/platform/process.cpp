#include "platform/process.h"

#include <fcntl.h>
#include <pwd.h>
#include <signal.h>
#include <sys/file.h>
#include <unistd.h>

#include <array>
#include <atomic>
#include <cerrno>
#include <cstdlib>
#include <cstring>

#include "platform/clock.h"
#include "platform/end_signals.h"
#include "platform/files.h"
#include "platform/process_internal.h"
#include "platform/text.h"

namespace platform {

namespace {

std::string UserName() {
    if (const passwd* pw = getpwuid(getuid())) return pw->pw_name;
    return std::to_string(getuid());
}

int ReadPid(int fd) {
    char buf[32] = {};
    ssize_t n = pread(fd, buf, sizeof buf - 1, 0);
    if (n <= 0) return 0;
    long pid = std::strtol(buf, nullptr, 10);
    return pid > 0 && pid < 0x7FFFFFFF ? static_cast<int>(pid) : 0;
}

// What the end-request handler writes; filled before it is installed and
// only read inside it.
struct EndNote {
    std::array<char, 4096> path{};
    std::array<char, 512> sameProgram{};
    std::array<char, 512> other{};
    std::array<char, 4096> ownExe{};
};
EndNote g_endNote;
// Set once the note is complete; the writers read nothing before.
std::atomic<bool> g_endNoteReady{false};

bool CopyInto(char* out, std::size_t room, const std::string& text) {
    if (text.size() >= room) return false;
    std::memcpy(out, text.c_str(), text.size() + 1);
    return true;
}

// Only async-signal-safe calls from here on.

// Writes the decimal digits of a pid; returns how many.
std::size_t WritePid(char* out, pid_t pid) {
    char digits[16];
    std::size_t n = 0;
    for (long v = pid; n == 0 || v > 0; v /= 10) digits[n++] = static_cast<char>('0' + v % 10);
    for (std::size_t i = 0; i < n; ++i) out[i] = digits[n - 1 - i];
    return n;
}

bool SameProgram(pid_t pid) {
    char link[64] = "/proc/";
    std::size_t at = 6 + WritePid(link + 6, pid);
    std::memcpy(link + at, "/exe", 5);
    char exe[4096];
    ssize_t len = readlink(link, exe, sizeof exe);
    return len > 0 && static_cast<std::size_t>(len) == std::strlen(g_endNote.ownExe.data()) &&
           std::memcmp(exe, g_endNote.ownExe.data(), static_cast<std::size_t>(len)) == 0;
}

void OnEndRequest(int, siginfo_t* info, void*) {
    const int saved = errno;
    detail::WriteEndNote(info ? info->si_pid : 0);
    errno = saved;
    // SA_RESETHAND restored the default action; the signal, blocked while
    // this runs, ends the process when the handler returns.
    raise(SIGTERM);
}

}  // namespace

namespace detail {

void WriteEndNote(pid_t sender) {
    if (!g_endNoteReady.load(std::memory_order_acquire)) return;
    const char* text = sender > 0 && SameProgram(sender) ? g_endNote.sameProgram.data() : g_endNote.other.data();
    char line[600];
    std::size_t len = std::strlen(text);
    std::memcpy(line, text, len);
    std::memcpy(line + len, " (pid ", 6);
    len += 6;
    len += WritePid(line + len, sender > 0 ? sender : 0);
    std::memcpy(line + len, ")\r\n", 3);
    len += 3;
    int fd = open(g_endNote.path.data(), O_WRONLY | O_APPEND | O_CLOEXEC);
    if (fd >= 0) {
        ssize_t written = write(fd, line, len);
        (void)written;
        close(fd);
    }
}

}  // namespace detail

InstanceLock::~InstanceLock() { Release(); }

std::string InstanceLock::PathFor(const std::string& name) {
    const char* dir = std::getenv("XDG_RUNTIME_DIR");
    std::string base = dir && *dir ? dir : "/tmp";
    std::string file = Cp932ToUtf8(name) + "-" + UserName() + ".lock";
    for (char& c : file) {
        if (c == '/') c = '_';
    }
    return base + "/" + file;
}

InstanceLockResult InstanceLock::Acquire(const std::string& name) {
    if (m_fd >= 0) return InstanceLockResult::Acquired;
    m_holderPid = 0;
    int fd = open(PathFor(name).c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    if (fd < 0) return InstanceLockResult::Failed;
    if (flock(fd, LOCK_EX | LOCK_NB) != 0) {
        InstanceLockResult r = errno == EWOULDBLOCK ? InstanceLockResult::AlreadyExists : InstanceLockResult::Failed;
        m_holderPid = ReadPid(fd);
        close(fd);
        return r;
    }
    std::string pid = std::to_string(getpid()) + "\n";
    if (ftruncate(fd, 0) != 0 || pwrite(fd, pid.data(), pid.size(), 0) != static_cast<ssize_t>(pid.size())) {
        close(fd);
        return InstanceLockResult::Failed;
    }
    m_fd = fd;
    return InstanceLockResult::Acquired;
}

void InstanceLock::Release() {
    if (m_fd < 0) return;
    flock(m_fd, LOCK_UN);
    close(m_fd);
    m_fd = -1;
}

void NoteEndRequests(std::string_view internalPath, const std::string& sameProgram, const std::string& other) {
    ssize_t len = readlink("/proc/self/exe", g_endNote.ownExe.data(), g_endNote.ownExe.size() - 1);
    g_endNote.ownExe[len > 0 ? static_cast<std::size_t>(len) : 0] = '\0';
    if (!CopyInto(g_endNote.path.data(), g_endNote.path.size(), HostPath(internalPath)) ||
        !CopyInto(g_endNote.sameProgram.data(), g_endNote.sameProgram.size(), sameProgram) ||
        !CopyInto(g_endNote.other.data(), g_endNote.other.size(), other)) {
        return;
    }
    g_endNoteReady.store(true, std::memory_order_release);
    // The signal watcher, when it runs, writes the note itself before the
    // orderly end; a handler here would never see the signal.
    if (WatchingEndSignals()) return;
    struct sigaction action {};
    action.sa_sigaction = OnEndRequest;
    action.sa_flags = SA_SIGINFO | SA_RESETHAND;
    sigemptyset(&action.sa_mask);
    sigaction(SIGTERM, &action, nullptr);
}

bool ProcessExists(int pid) { return pid > 0 && (kill(pid, 0) == 0 || errno == EPERM); }

bool TerminateProcessById(int pid, DWORD waitMs) {
    if (pid <= 0 || pid == getpid() || kill(pid, SIGTERM) != 0) return false;
    DWORD start = timeGetTime();
    while (ProcessExists(pid) && timeGetTime() - start < waitMs) Sleep(1);
    return true;
}

std::string ExecutableFolder() {
    char buffer[4096];
    const ssize_t n = readlink("/proc/self/exe", buffer, sizeof buffer - 1);
    if (n <= 0) return std::string();
    std::string path(buffer, static_cast<std::size_t>(n));
    const std::size_t slash = path.rfind('/');
    return slash == std::string::npos ? std::string() : path.substr(0, slash);
}

}  // namespace platform

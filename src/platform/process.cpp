#include "platform/process.h"

#include <fcntl.h>
#include <pwd.h>
#include <signal.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>

#include "platform/clock.h"
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

}  // namespace

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

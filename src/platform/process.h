#pragma once
// Processes: the single-instance lock, stopping another copy of the program,
// and noting in the run report that this copy was stopped.
#include <string>
#include <string_view>

#include "platform/win_types.h"

namespace platform {

enum class InstanceLockResult { Acquired, AlreadyExists, Failed };

// A lock file "<$XDG_RUNTIME_DIR or /tmp>/<name>-<user>.lock" that holds the
// pid of the copy that owns it. The lock is an advisory file lock, so it
// ends with its process whatever way that ends.
class InstanceLock {
public:
    InstanceLock() = default;
    ~InstanceLock();
    InstanceLock(const InstanceLock&) = delete;
    InstanceLock& operator=(const InstanceLock&) = delete;

    // Contract: takes the lock for name (Shift-JIS). AlreadyExists when a
    // running process holds it (its pid in HolderPid()); Failed when the file
    // cannot be made.
    InstanceLockResult Acquire(const std::string& name);
    // Contract: gives the lock up (nothing when not held).
    void Release();
    bool Held() const { return m_fd >= 0; }
    // Contract: pid read from the file at the last AlreadyExists, else 0.
    int HolderPid() const { return m_holderPid; }
    // Contract: the host path of the lock file of name.
    static std::string PathFor(const std::string& name);

private:
    int m_fd = -1;
    int m_holderPid = 0;
};

// Contract: asks process pid to end (SIGTERM) and waits up to waitMs for it
// to be gone. false when it cannot be signalled (no such process, no right).
bool TerminateProcessById(int pid, DWORD waitMs);

// Contract: true while process pid exists.
bool ProcessExists(int pid);

// Contract: from now on, when this process is asked to end (SIGTERM), one
// line is appended to the file at the internal path before it ends as the
// signal says: sameProgram + " (pid N)" when the sender N runs this very
// program (a second copy that ends this one), else other + " (pid N)"; CR LF
// ends the line. Path and texts are fixed here, so the handler only writes.
// While the end-signal watcher runs (end_signals.h) it writes the line
// itself and the process ends in its own orderly way instead.
void NoteEndRequests(std::string_view internalPath, const std::string& sameProgram, const std::string& other);

// Contract: the host folder that holds the running program's file (no
// trailing separator); empty when the host cannot tell.
std::string ExecutableFolder();

}  // namespace platform

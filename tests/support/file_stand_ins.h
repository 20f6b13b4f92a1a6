#pragma once
// Things that can stand where a data file should be (a pipe, a folder, a
// device), and a guard that runs a reader in a child process, so a reader
// that waits on a pipe fails the test instead of hanging it.
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <functional>
#include <string>

// Runs fn in a child process and gives its exit code, or -1 when it has not
// ended within the time (the child is then killed).
inline int InChildWithin(int milliseconds, const std::function<int()>& fn) {
    pid_t pid = fork();
    if (pid == 0) _exit(fn());
    int status = 0;
    for (int waited = 0; waitpid(pid, &status, WNOHANG) == 0; waited += 5) {
        if (waited >= milliseconds) {
            kill(pid, SIGKILL);
            waitpid(pid, &status, 0);
            return -1;
        }
        usleep(5000);
    }
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

struct StandIn {
    const char* what;
    std::function<bool(const std::string& hostPath)> make;
};

inline const StandIn kStandIns[] = {
    {"a named pipe", [](const std::string& p) { return mkfifo(p.c_str(), 0644) == 0; }},
    {"a folder", [](const std::string& p) { return std::filesystem::create_directory(p); }},
    {"a device", [](const std::string& p) { return symlink("/dev/zero", p.c_str()) == 0; }},
};

// Start-up: the player started on the sample game for one headless frame
// (`player --headless --frames 1`), beside a program that links the same
// libraries and does nothing, both timed as whole processes in this run
// and in turn, so a busy machine slows both alike. The figure that matters
// is startup_ratio: the player's median wall time over the empty program's.
// Both run in a temporary folder of their own that holds a copy of the
// sample game.
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "run_folder.h"

extern char** environ;

namespace {

namespace fs = std::filesystem;

#if defined(PLAYER_PROGRAM) && defined(EMPTY_PROGRAM) && defined(SAMPLE_GAME)

constexpr int kRuns = 15;

// Wall seconds of one run of the program to its end; negative when it does
// not start or does not end well. Its output goes nowhere.
double Now() {
    timespec t{};
    clock_gettime(CLOCK_MONOTONIC, &t);
    return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) * 1e-9;
}

double TimeRun(const std::vector<std::string>& args) {
    std::vector<char*> argv;
    for (const std::string& a : args) argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
    const double start = Now();
    pid_t pid = 0;
    const int spawned = posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    if (spawned != 0) return -1.0;
    int status = 0;
    if (waitpid(pid, &status, 0) != pid || !WIFEXITED(status) || WEXITSTATUS(status) != 0) return -1.0;
    return Now() - start;
}

double Median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

void BM_Startup(benchmark::State& state) {
    RunFolder folder("bench_startup");
    const fs::path game = folder.Path() / "game";
    fs::copy(SAMPLE_GAME, game, fs::copy_options::recursive);
    const std::vector<std::string> player = {PLAYER_PROGRAM, "--game", game.string(), "--headless", "--frames", "1"};
    const std::vector<std::string> empty = {EMPTY_PROGRAM};
    std::vector<double> playerTimes, emptyTimes;
    for (auto _ : state) {
        for (int run = 0; run < kRuns; ++run) {
            const double e = TimeRun(empty), p = TimeRun(player);
            if (e < 0 || p < 0) {
                state.SkipWithError("a program did not run to a clean end");
                break;
            }
            emptyTimes.push_back(e);
            playerTimes.push_back(p);
        }
    }
    if (playerTimes.empty()) return;
    const double p = Median(playerTimes), e = Median(emptyTimes);
    state.counters["player_ms"] = p * 1000.0;
    state.counters["empty_ms"] = e * 1000.0;
    state.counters["startup_ratio"] = p / e;
    std::printf("startup_ratio=%.2f (player %.1f ms, empty program %.1f ms, medians of %zu runs)\n", p / e, p * 1000.0,
                e * 1000.0, playerTimes.size());
}

#else

void BM_Startup(benchmark::State& state) {
    for (auto _ : state) state.SkipWithError("built without the player");
}

#endif

BENCHMARK(BM_Startup)->Iterations(1)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();

// A long run of stage play: one recorded attempt of the shooting stage
// replayed over and over with every frame drawn, unpaced, for a given
// time. Memory that grows from one pass of the replay to the next shows
// here long before a player would notice it, so the resident set is
// printed at every sample and its peak at the end.
//
//   bench_stage_soak [SECONDS [SAMPLE_SECONDS [RECORDED_FRAMES]]]
//
// STAGE_SOAK_PNG=FILE writes the last frame, for a look at it.
// Defaults: 120 seconds, a sample every 60 seconds, an attempt of 1,800
// frames (30 seconds of play). The resident set comes from the process
// status (/proc); times are whole wall-clock seconds (the
// compiler's execution character set keeps <chrono> out).
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <fstream>
#include <sstream>
#include <string>

#include "stage_play_scene.h"

namespace {

// Kilobytes of a "VmRSS:" style line of /proc/self/status; -1 unknown.
long StatusKilobytes(const std::string& key) {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.compare(0, key.size(), key) != 0) continue;
        std::istringstream fields(line.substr(key.size()));
        long kb = -1;
        fields >> kb;
        return kb;
    }
    return -1;
}

long ArgOr(int argc, char** argv, int n, long fallback) {
    if (argc <= n) return fallback;
    char* end = nullptr;
    const long value = std::strtol(argv[n], &end, 10);
    if (end == argv[n] || *end != '\0' || value <= 0) {
        std::fprintf(stderr, "bench_stage_soak: not a positive number: %s\n", argv[n]);
        std::exit(2);
    }
    return value;
}

}  // namespace

int main(int argc, char** argv) {
    const long seconds = ArgOr(argc, argv, 1, 120);
    const long sampleSeconds = ArgOr(argc, argv, 2, 60);
    const int recordedFrames = static_cast<int>(ArgOr(argc, argv, 3, 1800));

    StagePlayScene play(CrowdedShootingStage(10));  // 60 characters
    play.Record(recordedFrames);
    play.Replay();

    const std::time_t start = std::time(nullptr);
    std::time_t nextSample = start;
    long long frames = 0, passes = 0;
    int lastPlayFrame = 0;
    long long shotFrames = 0, sampledFrames = 0;
    std::printf("minute  frames        passes  rss_kb   peak_kb  mean_shots\n");
    for (;;) {
        const std::time_t now = std::time(nullptr);
        const bool done = now - start >= seconds;
        if (now >= nextSample || done) {
            const double minutes = static_cast<double>(now - start) / 60.0;
            const long long meanShots = sampledFrames ? shotFrames / sampledFrames : 0;
            std::printf("%6.2f  %12lld  %6lld  %7ld  %7ld  %lld\n", minutes, frames, passes, StatusKilobytes("VmRSS:"),
                        StatusKilobytes("VmHWM:"), meanShots);
            shotFrames = sampledFrames = 0;
            std::fflush(stdout);
            nextSample += sampleSeconds;
        }
        if (done) break;
        for (int i = 0; i < 64; ++i) {
            play.Frame();
            ++frames;
            shotFrames += static_cast<long long>(play.Scene().m_lstShot.size());
            ++sampledFrames;
            // The play frame counts from 1 again when the replay starts over.
            const int playFrame = play.Scene().m_nPlayFrame;
            if (playFrame < lastPlayFrame) ++passes;
            lastPlayFrame = playFrame;
        }
        if (!play.StillInStage()) {
            std::fprintf(stderr, "bench_stage_soak: the replay left stage play after %lld frames\n", frames);
            return 1;
        }
    }
    if (const char* png = std::getenv("STAGE_SOAK_PNG"); png && !StagePlayScene::WritePicture(png)) {
        std::fprintf(stderr, "bench_stage_soak: cannot write %s\n", png);
    }
    const double elapsed = static_cast<double>(std::time(nullptr) - start);
    std::printf("frames %lld in %.1f s (%.0f per second, %.1fx real time at 60 fps), replay passes %lld\n", frames,
                elapsed, frames / elapsed, frames / elapsed / 60.0, passes);
    std::printf("peak resident set %ld kB\n", StatusKilobytes("VmHWM:"));
    return 0;
}

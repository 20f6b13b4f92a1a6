// The player program: reads the command line, picks the window or headless
// backend, and runs the game's entry.
#include <cstdio>
#include <string>
#include <vector>

#include "platform/audio/device.h"
#include "platform/clock.h"
#include "platform/dialog_window.h"
#include "platform/end_signals.h"
#include "platform/files.h"
#include "platform/headless_input.h"
#include "platform/present.h"
#include "platform/process.h"
#include "platform/sdl/sdl_backend.h"
#include "platform/system_info.h"
#include "platform/win_types.h"
#include "scenes/scene_registry.h"
#include "shell/end_session.h"
#include "shell/loop/game_loop.h"
#include "shell/startup/command_line.h"
#include "shell/startup/win_main.h"
#include "shell/window/window_data.h"

namespace {

// The game proper, once the command line is read.
int Play(PlayerOptions& options);

}  // namespace

int main(int argc, char** argv) {
    std::vector<std::string> args(argv + 1, argv + argc);
    PlayerOptions options;
    std::string error;
    if (!ParseCommandLine(args, options, &error)) {
        std::fprintf(stderr, "player: %s\n%s\n", error.c_str(), kUsageLine);
        return 2;
    }
    if (options.help) {
        std::fputs(HelpText().c_str(), stdout);
        return 0;
    }
    if (options.version) {
        std::printf("player %s\n", kPlayerVersion);
        return 0;
    }
    // Before any other thread starts: a signal to end is one more way the
    // player asks the game to close, never a cut in the middle of a save.
    platform::WatchEndSignals([](const char* signalName) { RequestEndSession(signalName); });
    const int code = Play(options);
    platform::StopWatchingEndSignals();
    return code;
}

namespace {

int Play(PlayerOptions& options) {
    std::string error;
    // Files named on the command line are where the user stands, also when
    // the game folder becomes the working folder.
    const std::string startFolder = platform::HostPath(platform::GetCurrentDirectoryInternal());
    for (std::string* file : {&options.script, &options.screenshot, &options.stageFile}) {
        *file = FromStartFolder(*file, startFolder);
    }
    const std::string stageFile = platform::InternalPath(options.stageFile);
    if (!stageFile.empty() && !StageFileFound(stageFile)) {
        std::fprintf(stderr, "player: no stage file %s\n", options.stageFile.c_str());
        return 2;
    }
    if (options.gameDir.empty()) {
        const std::string program = platform::ExecutableFolder();
        const bool here = platform::IsDirectory("data") || platform::IsDirectory("default");
        const bool sample =
            !program.empty() && platform::IsDirectory(platform::InternalPath(program + "/" + kSampleGameFolder));
        options.gameDir = DefaultGameFolder(here, program, sample);
    }
    if (!options.gameDir.empty() && !platform::SetCurrentDirectoryInternal(platform::InternalPath(options.gameDir))) {
        std::fprintf(stderr, "player: no game folder %s\n", options.gameDir.c_str());
        return 2;
    }
    if (!options.script.empty() && !platform::headless::LoadInputScript(options.script, &error)) {
        std::fprintf(stderr, "player: %s\n", error.c_str());
        return 2;
    }
    if (!options.headless && !platform::InstallSdlBackend(&error)) {
        std::fprintf(stderr, "player: no display; use --headless\nplayer: %s\n", error.c_str());
        return 1;
    }
    // A run without a display reports the same machine everywhere, its
    // time is counted in frames (as fast as the machine goes, the same each
    // run), and the files it saves carry the same date, so a script writes
    // the same bytes every run.
    platform::UseFixedMachineFacts(options.headless);
    platform::UseVirtualClock(options.headless);
    if (options.headless) {
        static constexpr SYSTEMTIME kHeadlessTime{2000, 1, 6, 1, 12, 0, 0, 0};
        platform::SetTestLocalTime(&kHeadlessTime);
    }
    // Nobody can answer a dialog of a headless run but its script.
    platform::SetUnattendedDialogs(options.headless);
    if (options.noSound) {
        platform::InstallAudioDeviceBackend(nullptr);
    } else if (!options.headless) {
        platform::InstallSdlAudioBackend();
    }
    RegisterScenes();
    SetGameFrameLimit(options.frames);
    // A run without a real desktop keeps no window position for the next.
    KeepWindowPlacement(!options.headless);
    int code = WinMain(stageFile, options.testPlay ? SW_SHOW : SW_SHOWNORMAL);
    if (!options.headless) platform::ShutdownSdlBackend();
    if (!options.screenshot.empty() && !platform::WritePng(options.screenshot, platform::LastPresentedFrame())) {
        std::fprintf(stderr, "player: cannot write %s\n", options.screenshot.c_str());
        return 1;
    }
    return code;
}

}  // namespace

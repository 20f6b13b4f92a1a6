// replay_trace: plays a stage of a game folder through the player's own
// start-up and stage scene, without a display and without frame pacing, and
// writes the stage's state fingerprint after every play frame. One run
// records an attempt from a key script and saves it as a replay file; a
// later run (a fresh process) plays that file back. Equal lists show that a
// replay repeats its attempt exactly.
//
//   replay_trace record --game DIR --stage FILE --script FILE --frames N
//                       [--version V] --replay OUT --hashes OUT
//   replay_trace play --game DIR --replay FILE [--passes N] --hashes OUT
//
// --stage is relative to the game folder (as the player's command line);
// other paths are host paths. The key script takes the player's --script key
// lines, "<frame> keydown|keyup|key <vk>", counted in frames of the stage
// scene from its first. --version writes the replay (and the stage it plays)
// as that data version wrote them. The hash file has one line per play frame,
// "<play frame> <hash>"; playback puts "pass <n>" before each pass.
#include <cinttypes>
#include <cstdio>
#include <fstream>
#include <map>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "foundation/data_record.h"
#include "foundation/paths.h"
#include "foundation/report.h"
#include "gamedata/global_data.h"
#include "gamedata/project/player_files.h"
#include "gamedata/project/system_data.h"
#include "gamedata/stage_file/stage_data.h"
#include "platform/audio/device.h"
#include "platform/clock.h"
#include "platform/dialog_window.h"
#include "platform/files.h"
#include "platform/keyboard.h"
#include "platform/main_window_post.h"
#include "platform/system_info.h"
#include "platform/window.h"
#include "scenes/scene_registry.h"
#include "scenes/stage_play/key_log.h"
#include "scenes/stage_play/stage_play_scene.h"
#include "scenes/title/title_scene.h"
#include "shell/app_state.h"
#include "shell/direct_play.h"
#include "shell/input/key_state.h"
#include "shell/loop/game.h"
#include "shell/main_window.h"
#include "shell/startup/startup.h"
#include "shell/startup/win_main.h"
#include "stage/objects/state_hash.h"

namespace {

struct Options {
    std::string mode;
    std::string game, stage, script, replay, hashes;
    long long frames = -1;
    int version = kDataVersion;
    int passes = 2;
};

constexpr const char* kUsage =
    "usage: replay_trace record --game DIR --stage FILE --script FILE --frames N [--version V] --replay OUT "
    "--hashes OUT\n"
    "       replay_trace play --game DIR --replay FILE [--passes N] --hashes OUT\n";

// The recording's clock: its start and its step per frame.
constexpr DWORD kRecordingClockStart = 100000;
constexpr DWORD kFrameMs = 16;

// Oldest version whose replays the player still reads with their progress.
constexpr int kOldestWritableVersion = 173;

bool ParseNumber(const std::string& text, long long& out) {
    std::istringstream in(text);
    long long v = 0;
    if (!(in >> v) || !in.eof() || v < 0) return false;
    out = v;
    return true;
}

bool ParseOptions(int argc, char** argv, Options& o, std::string& error) {
    if (argc < 2) return false;
    o.mode = argv[1];
    for (int i = 2; i < argc; ++i) {
        const std::string a = argv[i];
        if (i + 1 >= argc) {
            error = a + " needs a value";
            return false;
        }
        const std::string v = argv[++i];
        long long n = 0;
        if (a == "--game") {
            o.game = v;
        } else if (a == "--stage") {
            o.stage = v;
        } else if (a == "--script") {
            o.script = v;
        } else if (a == "--replay") {
            o.replay = v;
        } else if (a == "--hashes") {
            o.hashes = v;
        } else if (a == "--frames" && ParseNumber(v, n)) {
            o.frames = n;
        } else if (a == "--version" && ParseNumber(v, n) && n >= kOldestWritableVersion && n <= kDataVersion) {
            o.version = static_cast<int>(n);
        } else if (a == "--passes" && ParseNumber(v, n) && n >= 1) {
            o.passes = static_cast<int>(n);
        } else {
            error = "bad option " + a + " " + v;
            return false;
        }
    }
    if (o.mode == "record") {
        if (o.game.empty() || o.stage.empty() || o.script.empty() || o.frames < 1 || o.replay.empty() ||
            o.hashes.empty()) {
            error = "record needs --game, --stage, --script, --frames, --replay and --hashes";
            return false;
        }
        return true;
    }
    if (o.mode == "play") {
        if (o.game.empty() || o.replay.empty() || o.hashes.empty()) {
            error = "play needs --game, --replay and --hashes";
            return false;
        }
        return true;
    }
    error = "the first word is record or play";
    return false;
}

// Key changes by the frame of the scene they happen before.
using KeyScript = std::multimap<long long, std::pair<int, bool>>;

bool ReadKeyScript(const std::string& path, KeyScript& script, std::string& error) {
    std::ifstream in(path);
    if (!in) {
        error = "cannot read " + path;
        return false;
    }
    std::string line;
    for (int number = 1; std::getline(in, line); ++number) {
        const std::string text = line.substr(0, line.find('#'));
        std::istringstream words(text);
        std::string first, verb;
        if (!(words >> first)) continue;
        long long frame = -1;
        long long vk = -1;
        std::string rest;
        if (!ParseNumber(first, frame) || !(words >> verb) || !(words >> rest) || !ParseNumber(rest, vk) || vk > 255 ||
            (words >> rest)) {
            error = path + ":" + std::to_string(number) + ": expected <frame> keydown|keyup|key <vk>";
            return false;
        }
        const int key = static_cast<int>(vk);
        if (verb == "keydown" || verb == "key") script.emplace(frame, std::make_pair(key, true));
        if (verb == "keyup") script.emplace(frame, std::make_pair(key, false));
        if (verb == "key") script.emplace(frame + 1, std::make_pair(key, false));
        if (verb != "keydown" && verb != "keyup" && verb != "key") {
            error = path + ":" + std::to_string(number) + ": unknown command " + verb;
            return false;
        }
    }
    return true;
}

// The player's window and start-up, as WinMain makes them, on this thread;
// the game's frames are then run by this program instead of thGame.
bool StartPlayer(const std::string& game) {
    if (!platform::SetCurrentDirectoryInternal(platform::InternalPath(game))) {
        std::fprintf(stderr, "replay_trace: no game folder %s\n", game.c_str());
        return false;
    }
    platform::UseFixedMachineFacts(true);
    platform::SetUnattendedDialogs(true);
    platform::InstallAudioDeviceBackend(nullptr);
    RegisterScenes();
    std::string report = "Report_Game.txt";
    MakeAbsolutePath(report);
    if (!CreateReport(report)) return false;
    HWND window = CreateMainWindow("", 100, 100, kScreenWidth, kScreenHeight, MainWindowProc);
    if (!window) return false;
    MainWindow.m_hWnd = window;
    InstallMainWindowRouting(window);
    if (!InitGame("", SW_SHOWNORMAL)) {
        std::fprintf(stderr, "replay_trace: the game did not start (see %s)\n", report.c_str());
        return false;
    }
    GameStarted.store(1);
    AppActive.store(1);
    return true;
}

void StopPlayer() {
    platform::ReleaseAllKeys();
    ExitGame();
    platform::SetMainWindowRouter(nullptr);
}

// Shuts the player down however a run ends: the scenes must go before the
// surfaces and the program's globals do.
struct PlayerRun {
    bool started;
    explicit PlayerRun(const std::string& game) : started(StartPlayer(game)) {}
    ~PlayerRun() {
        if (started) StopPlayer();
    }
    PlayerRun(const PlayerRun&) = delete;
    PlayerRun& operator=(const PlayerRun&) = delete;
};

// What the window thread would do between two frames of thGame.
void DeliverWindowMessages() {
    MSG m;
    while (PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE)) {
        if (m.message == WM_QUIT) continue;
        TranslateMessage(&m);
        DispatchMessageA(&m);
    }
}

// One frame of the game as Game.Tick runs it, without waiting for the
// frame's time and without presenting it.
void RunGameFrame() {
    DeliverWindowMessages();
    Game.PollInput(KeyStates);
    Game.SwitchScene(Game.CurrentScene);
    if (cScene* scene = Game.Scene(Game.CurrentScene)) scene->Run();
}

cSceneStage* StageScene() { return dynamic_cast<cSceneStage*>(Game.Scene(kSceneStage)); }

struct FrameHash {
    int frame;
    std::uint64_t hash;
};

// The hash list, closed however the run ends.
using HashFile = std::unique_ptr<std::FILE, int (*)(std::FILE*)>;

HashFile OpenHashes(const std::string& path) {
    HashFile file(std::fopen(path.c_str(), "w"), &std::fclose);
    if (!file) std::fprintf(stderr, "replay_trace: cannot write %s\n", path.c_str());
    return file;
}

void WriteHashes(std::FILE* out, const std::vector<FrameHash>& hashes) {
    for (const FrameHash& h : hashes) std::fprintf(out, "%d %016" PRIx64 "\n", h.frame, h.hash);
}

// The stage file as data version `version` stored it, read back by the
// player's loader: what a replay of that version carries and plays.
bool WriteStageAtVersion(const std::string& stage, int version, std::string& converted) {
    std::string newest = stage;
    FindLatestNumbered(newest, stage, ExtTable[kExtStage]);
    cStageData data;
    if (!data.LoadFile(newest)) return false;
    converted = "data\\stg4\\replay_trace_old.stg4";
    DataVersion = version;
    const int written = data.SaveFile(converted);
    DataVersion = kDataVersion;
    return written == 1;
}

bool IsPlaying(int state) {
    return state == cSceneStage::kStateFadeIn || state == cSceneStage::kStateStartBanner ||
           state == cSceneStage::kStatePlay || state == cSceneStage::kStatePauseMenu;
}

int Record(const Options& o) {
    KeyScript script;
    std::string error;
    if (!ReadKeyScript(o.script, script, error)) {
        std::fprintf(stderr, "replay_trace: %s\n", error.c_str());
        return 2;
    }
    const HashFile out = OpenHashes(o.hashes);
    if (!out) return 2;
    PlayerRun run(o.game);
    if (!run.started) return 1;
    std::string stage = o.stage;
    if (o.version != kDataVersion && !WriteStageAtVersion(o.stage, o.version, stage)) {
        std::fprintf(stderr, "replay_trace: cannot write %s at version %d\n", o.stage.c_str(), o.version);
        return 1;
    }
    // As start-up's direct play of a stage named on the command line.
    ChooseFreeStage(SystemIni, stage, 0, 0);
    if (!StartDirectPlay() || Game.CurrentScene != kSceneStage) {
        std::fprintf(stderr, "replay_trace: cannot play %s\n", stage.c_str());
        return 1;
    }
    SystemData.m_bReplay = 1;
    // The attempt's seed is the clock at the stage's reset: a clock of its
    // own makes the same script record the same attempt on every run.
    platform::TestClock clock(kRecordingClockStart);

    std::vector<FrameHash> attempt;
    int lastFrame = 0;
    long long frame = 0;
    for (; frame < o.frames; ++frame) {
        auto [first, last] = script.equal_range(frame);
        for (auto it = first; it != last; ++it) platform::SetKeyDown(it->second.first, it->second.second);
        RunGameFrame();
        clock.Advance(kFrameMs);
        cSceneStage* scene = StageScene();
        if (!scene || !IsPlaying(scene->State())) break;
        if (scene->m_nPlayFrame == lastFrame) continue;
        lastFrame = scene->m_nPlayFrame;
        // Every reset begins a new attempt, and a new key log.
        if (lastFrame == 0) attempt.clear();
        if (lastFrame > 0) attempt.push_back({lastFrame, StageStateHash(*scene)});
    }
    if (frame < o.frames) {
        std::fprintf(stderr, "replay_trace: the attempt ended at frame %lld (the scene left play)\n", frame);
        return 1;
    }
    DataVersion = o.version;
    const int saved = KeyLog.SaveReplayFile(platform::InternalPath(o.replay), LoadedStage, PlayStage, StoryStart);
    DataVersion = kDataVersion;
    WriteHashes(out.get(), attempt);
    if (!saved || attempt.empty()) {
        std::fprintf(stderr, "replay_trace: no replay written\n");
        return 1;
    }
    std::printf("recorded %zu play frames, final hash %016" PRIx64 "\n", attempt.size(), attempt.back().hash);
    return 0;
}

int Play(const Options& o) {
    const HashFile out = OpenHashes(o.hashes);
    if (!out) return 2;
    PlayerRun run(o.game);
    if (!run.started) return 1;
    // As the title's replay command: the game kind, the file chosen in the
    // open dialog loaded into the stage, the log and the progress, and the
    // stage scene after the title.
    SelectGameKind(kGameReplay);
    Game.PlayType = cSceneTitle::kCmdReplay;
    const std::string path = platform::InternalPath(o.replay);
    if (!KeyLog.LoadReplayFile(path, LoadedStage, PlayStage, StoryData)) {
        std::fprintf(stderr, "replay_trace: cannot load %s\n", o.replay.c_str());
        return 1;
    }
    LoadedStage.m_strPath = path;
    Game.PreviousScene = kSceneTitle;
    Game.CurrentScene = Game.RequestedScene = kSceneStage;

    long long logFrames = 0;
    for (std::int32_t n : KeyLog.m_vecCountA) logFrames += n;
    // Each pass: the fade, the banners, the log and the frame that finds its
    // end; the margin is far above what the scene takes between passes.
    const long long limit = (logFrames + 1000) * o.passes;
    std::vector<FrameHash> pass;
    int passes = 0;
    int lastFrame = 0;
    for (long long frame = 0; frame < limit && passes < o.passes; ++frame) {
        RunGameFrame();
        cSceneStage* scene = StageScene();
        if (!scene || !IsPlaying(scene->State())) {
            std::fprintf(stderr, "replay_trace: the replay left play at frame %lld\n", frame);
            break;
        }
        if (scene->m_nPlayFrame == lastFrame) continue;
        lastFrame = scene->m_nPlayFrame;
        if (lastFrame > 0) {
            pass.push_back({lastFrame, StageStateHash(*scene)});
            continue;
        }
        // The frame that found the end of the log restarted the replay.
        std::fprintf(out.get(), "pass %d\n", ++passes);
        WriteHashes(out.get(), pass);
        pass.clear();
    }
    if (passes < o.passes) {
        std::fprintf(stderr, "replay_trace: %d of %d passes played\n", passes, o.passes);
        return 1;
    }
    std::printf("played %d passes of %lld frames\n", passes, logFrames);
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    Options options;
    std::string error;
    if (!ParseOptions(argc, argv, options, error)) {
        if (!error.empty()) std::fprintf(stderr, "replay_trace: %s\n", error.c_str());
        std::fprintf(stderr, "%s", kUsage);
        return 2;
    }
    // Files named on the command line are where the user stands, also once
    // the game folder has become the working folder.
    const std::string startFolder = platform::HostPath(platform::GetCurrentDirectoryInternal());
    for (std::string* file : {&options.game, &options.script, &options.replay, &options.hashes}) {
        if (!file->empty() && file->front() != '/') *file = startFolder + "/" + *file;
    }
    return options.mode == "record" ? Record(options) : Play(options);
}

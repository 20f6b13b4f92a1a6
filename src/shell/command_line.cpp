#include "shell/command_line.h"

#include <cerrno>
#include <cstdlib>

#include "foundation/paths.h"
#include "gamedata/project/player_files.h"
#include "platform/files.h"

namespace {

bool ParseCount(const std::string& text, long long& out) {
    if (text.empty() || text[0] == '-') return false;
    char* end = nullptr;
    errno = 0;
    long long v = std::strtoll(text.c_str(), &end, 10);
    if (errno != 0 || *end != '\0') return false;
    out = v;
    return true;
}

}  // namespace

const char* const kUsageLine =
    "usage: player [--game DIR] [--test-play] [--headless] [--script FILE] [--frames N] [--screenshot FILE] "
    "[--no-sound] [--help] [--version] [STAGEFILE]";

std::string HelpText() {
    // Button roles in a stage are the game's own (its hero's flows); the
    // sample game's are named as the example.
    static const char* const lines[] = {
        "",
        "Plays a game made with the kit's editor: a folder with the game's data/ folder (or only default/, which",
        "the first start copies to data/ after asking), its pictures, sounds and System.ini.",
        "",
        "Options:",
        "  --game DIR         play the game in DIR (default: the working folder when it holds data/ or default/,",
        "                     else the sample game beside the player)",
        "  --test-play        start as the editor's test play of STAGEFILE does",
        "  --headless         run without a window or sound device; time counts in frames, as fast as it goes",
        "  --script FILE      headless input, a line per input: FRAME key|keydown|keyup VK, FRAME text TEXT,",
        "                     FRAME click X Y, FRAME close, FRAME shot FILE.png",
        "  --frames N         end a headless run once frame N is shown, wherever it is (frames count from 0,",
        "                     as in a script; 60 frames are a second of game time)",
        "  --screenshot FILE  write the last frame shown as PNG when the player ends",
        "  --no-sound         play without sound effects and music",
        "  -h, --help         print this help and end",
        "  --version          print the player's version and end",
        "  STAGEFILE          play this stage file at once instead of the title (taken from the working folder;",
        "                     NAME.stg4 plays the newest NAME.stg4_NNN)",
        "",
        "Keys (a game's own stages decide what buttons 1 to 8 do; the sample game's roles are in brackets):",
        "  arrow keys         move; choose in menus",
        "  Z                  button 1: confirm in menus, leave the result screen [jump]",
        "  X                  button 2: back in menus, close the pause menu [shoot]",
        "  C                  button 3: show or hide the rankings on the world map and stage select [sword]",
        "  V                  button 4: the next ranked value on rankings [Down + V: cheer]",
        "  A S D F            buttons 5 to 8",
        "  Space              the pause menu during a stage, when the game allows it (continue, retry, quit)",
        "  Escape             end the game (in a window, outside the title, it asks first)",
        "  F3                 on a stage's result screen: enter the result in the rankings (manual registration)",
        "  Alt+1 .. Alt+5     window size 100 % to 500 %, as far as the desktop allows",
        "",
        "Files, in the game folder:",
        "  user_data/story/StoryNN.dat, user_data/challenge/Challenge.dat   story saves and challenge progress",
        "  user_data/Option.dat                  the options (music, effect volume, ranking registration)",
        "  user_data/story|challenge|free/*.rkg  rankings;  user_data/rpl4/  replays",
        "  user_data/Window.dat                  where the window was (not written by --headless)",
        "  user_data/Boot.dat                    the drawing choice of the start-up dialog",
        "  Report_Game.txt                       the run report, written anew each start (Shift-JIS text)",
    };
    std::string text = kUsageLine;
    for (const char* line : lines) text += std::string("\n") + line;
    return text + "\n";
}

bool ParseCommandLine(const std::vector<std::string>& args, PlayerOptions& options, std::string* error) {
    auto fail = [&](const std::string& why) {
        if (error) *error = why;
        return false;
    };
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        auto value = [&](std::string& out) {
            if (i + 1 >= args.size()) return false;
            out = args[++i];
            return true;
        };
        std::string text;
        if (a == "--test-play") {
            options.testPlay = true;
        } else if (a == "--headless") {
            options.headless = true;
        } else if (a == "--help" || a == "-h") {
            options.help = true;
        } else if (a == "--version") {
            options.version = true;
        } else if (a == "--no-sound") {
            options.noSound = true;
        } else if (a == "--game") {
            if (!value(options.gameDir)) return fail("--game needs a folder");
        } else if (a == "--script") {
            if (!value(options.script)) return fail("--script needs a file");
        } else if (a == "--screenshot") {
            if (!value(options.screenshot)) return fail("--screenshot needs a file");
        } else if (a == "--frames") {
            if (!value(text) || !ParseCount(text, options.frames)) return fail("--frames needs a count of 0 or more");
        } else if (a.size() > 1 && a[0] == '-') {
            return fail("unknown switch " + a);
        } else if (!options.stageFile.empty()) {
            return fail("only one stage file can be given");
        } else {
            options.stageFile = a;
        }
    }
    return true;
}

std::string FromStartFolder(const std::string& hostPath, const std::string& startFolder) {
    if (hostPath.empty() || hostPath.front() == '/') return hostPath;
    return startFolder + "/" + hostPath;
}

bool StageFileFound(const std::string& internalPath) {
    if (platform::FileExists(internalPath) && !platform::IsDirectory(internalPath)) return true;
    std::string newest;
    return FindLatestNumbered(newest, internalPath, ExtTable[kExtStage]) != 0;
}

std::string DefaultGameFolder(bool workingFolderHoldsGame, const std::string& programFolder, bool sampleExists) {
    if (workingFolderHoldsGame || programFolder.empty() || !sampleExists) return std::string();
    return programFolder + "/" + kSampleGameFolder;
}

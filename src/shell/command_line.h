#pragma once
// The player's command line:
//   player [--game DIR] [--test-play] [--headless] [--script FILE]
//          [--frames N] [--screenshot FILE] [--no-sound] [STAGEFILE]
#include <string>
#include <vector>

struct PlayerOptions {
    std::string gameDir;    // host path; empty: the working folder
    bool testPlay = false;  // stands for the editor's show command
    bool headless = false;
    std::string script;      // host path of the headless input script
    long long frames = -1;   // ticks before a headless run closes; -1 none
    std::string screenshot;  // host path of the PNG of the last frame
    bool noSound = false;
    bool help = false;      // --help: print the usage line and stop
    std::string stageFile;  // as given (UTF-8)
};

// The usage line that --help and a wrong command line print.
extern const char* const kUsageLine;

// Fills options from argv[1..]; false with the reason in *error for an
// unknown switch, a missing value, a bad number or a second stage file.
bool ParseCommandLine(const std::vector<std::string>& args, PlayerOptions& options, std::string* error);

// The folder of the sample game installed beside the program.
constexpr const char* kSampleGameFolder = "sample_game";

// The game folder to play when --game is not given: the working folder when
// it holds a game (its "data" or "default" folder), else the sample game
// beside the program (host path), else the working folder (empty result).
std::string DefaultGameFolder(bool workingFolderHoldsGame, const std::string& programFolder, bool sampleExists);

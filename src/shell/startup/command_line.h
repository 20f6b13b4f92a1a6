#pragma once
// The player's command line:
//   player [--game DIR] [--test-play] [--headless] [--script FILE]
//          [--frames N] [--screenshot FILE] [--no-sound] [--help]
//          [--version] [STAGEFILE]
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
    bool help = false;      // --help: print the help and stop
    bool version = false;   // --version: print the version and stop
    std::string stageFile;  // host path as given (UTF-8)
};

// The version the player reports (run report, --version) and writes into
// its replay files' extension.
constexpr const char* kPlayerVersion = "920";

// The usage line that --help and a wrong command line print.
extern const char* const kUsageLine;

// What --help prints: the usage line, one line per option, the keys and
// where the player's files go.
std::string HelpText();

// Fills options from argv[1..]; false with the reason in *error for an
// unknown switch, a missing value, a bad number or a second stage file.
bool ParseCommandLine(const std::vector<std::string>& args, PlayerOptions& options, std::string* error);

// A host path named on the command line, taken from where the user stands
// (startFolder), also once the game folder has become the working folder.
std::string FromStartFolder(const std::string& hostPath, const std::string& startFolder);

// Whether a stage file (internal path) can be played: the file itself or a
// numbered file of its name ("NAME.stg4_001" ...), which direct play takes
// the newest of.
bool StageFileFound(const std::string& internalPath);

// The folder of the sample game installed beside the program.
constexpr const char* kSampleGameFolder = "sample_game";

// The game folder to play when --game is not given: the working folder when
// it holds a game (its "data" or "default" folder), else the sample game
// beside the program (host path), else the working folder (empty result).
std::string DefaultGameFolder(bool workingFolderHoldsGame, const std::string& programFolder, bool sampleExists);

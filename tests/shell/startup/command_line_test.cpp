#include "shell/startup/command_line.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/temp_dir.h"

struct ParseCase {
    std::vector<std::string> args;
    bool ok;
    long long frames;
    bool headless;
    std::string stage;
};

TEST(CommandLine, SwitchesValuesAndErrors) {
    const ParseCase cases[] = {
        {{}, true, -1, false, ""},
        {{"--headless", "--frames", "120", "--screenshot", "a.png"}, true, 120, true, ""},
        {{"--test-play", "stage.stg4_001"}, true, -1, false, "stage.stg4_001"},
        {{"--frames"}, false, -1, false, ""},
        {{"--frames", "-3"}, false, -1, false, ""},
        {{"--frames", "12x"}, false, -1, false, ""},
        {{"--bogus"}, false, -1, false, ""},
        {{"--help"}, true, -1, false, ""},
        {{"--version"}, true, -1, false, ""},
        {{"a", "b"}, false, -1, false, "a"},
    };
    for (const auto& c : cases) {
        PlayerOptions o;
        std::string error;
        bool ok = ParseCommandLine(c.args, o, &error);
        std::string label = c.args.empty() ? "(none)" : c.args[0];
        EXPECT_EQ(ok, c.ok) << label;
        EXPECT_EQ(ok, error.empty()) << label;
        if (!ok) continue;
        EXPECT_EQ(o.frames, c.frames) << label;
        EXPECT_EQ(o.headless, c.headless) << label;
        EXPECT_EQ(o.stageFile, c.stage) << label;
        EXPECT_EQ(o.help, c.args == std::vector<std::string>{"--help"}) << label;
        EXPECT_EQ(o.version, c.args == std::vector<std::string>{"--version"}) << label;
    }
}

// Without --game the player plays the game of the working folder, or the
// sample game installed beside it when the working folder holds none.
TEST(CommandLine, DefaultGameFolderPrefersTheWorkingFolderThenTheSample) {
    struct Case {
        bool here;
        const char* program;
        bool sample;
        const char* expected;
    };
    const Case cases[] = {
        {true, "/opt/player", true, ""},
        {false, "/opt/player", true, "/opt/player/sample_game"},
        {false, "/opt/player", false, ""},
        {false, "", true, ""},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(DefaultGameFolder(c.here, c.program, c.sample), c.expected) << c.here << " " << c.program;
    }
}

// Files named on the command line are where the user stands.
TEST(CommandLine, RelativeFilesAreTakenFromTheStartFolder) {
    EXPECT_EQ(FromStartFolder("data/stg4/a.stg4", "/home/me"), "/home/me/data/stg4/a.stg4");
    EXPECT_EQ(FromStartFolder("/games/a.stg4", "/home/me"), "/games/a.stg4");
    EXPECT_EQ(FromStartFolder("", "/home/me"), "") << "nothing named stays nothing";
}

// A stage file is there as itself or as a numbered file of its name; a
// folder or a name with no file is not.
TEST(CommandLine, AStageFileIsFoundAsItselfOrNumbered) {
    TempDir dir;
    dir.WriteHostFile("stg4/plain.stg4", "x");
    dir.WriteHostFile("stg4/numbered.stg4_003", "x");
    dir.WriteHostFile("stg4/folder.stg4/inside", "x");
    const struct {
        const char* path;
        bool found;
    } cases[] = {
        {"stg4\\plain.stg4", true},      {"stg4\\numbered.stg4", true}, {"stg4\\numbered.stg4_001", true},
        {"stg4\\missing.stg4", false},   {"stg4\\folder.stg4", false},  {"stg4", false},
        {"other\\numbered.stg4", false},
    };
    for (const auto& c : cases) EXPECT_EQ(StageFileFound(c.path), c.found) << c.path;
}

TEST(CommandLine, HelpGivesEveryOptionOfTheUsageLineALine) {
    const std::string help = HelpText();
    ASSERT_EQ(help.rfind(kUsageLine, 0), 0u);
    for (const char* option : {"--game DIR", "--test-play", "--headless", "--script FILE", "--frames N",
                               "--screenshot FILE", "--no-sound", "-h, --help", "--version", "STAGEFILE"}) {
        EXPECT_NE(help.find(std::string("\n  ") + option + " "), std::string::npos) << option;
    }
}

#include "shell/command_line.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

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

// The order of the start-up steps and the shut-down that undoes them.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "shell/startup/startup.h"

namespace {

std::vector<std::string> StepNames() {
    std::vector<std::string> names;
    for (const StartupStep& step : StartupSteps()) names.emplace_back(step.name);
    return names;
}

}  // namespace

TEST(StartupSequence, EachStepComesAfterWhatItReads) {
    // A later step reads what an earlier one set: the data before
    // System.ini, System.ini before the screen mode, the device before the
    // pictures and fonts, the options before the blend table and the sound.
    const std::vector<std::string> order = {
        "timer",
        "data version",
        "default data",
        "databases",
        "effect tables",
        "system data",
        "System.ini",
        "drawing mode choice",
        "test play",
        "game object",
        "screen mode",
        "main window",
        "drawing device",
        "window placement",
        "show window",
        "palette and transparent colour",
        "present choice",
        "loading picture",
        "built-in pictures",
        "fonts",
        "input",
        "options",
        "blend table",
        "music and sound effects",
        "world map and common palette",
        "direct play",
    };
    const std::vector<std::string> names = StepNames();
    auto at = names.begin();
    for (const std::string& name : order) {
        at = std::find(at, names.end(), name);
        ASSERT_NE(at, names.end()) << name << " missing or out of order";
    }
    EXPECT_EQ(names.back(), "direct play");
}

TEST(StartupSequence, ShutDownUndoesTheStartedStepsInReverseIncludingTheOneThatFailed) {
    std::vector<std::string> undone;
    auto undo = [&](const char* name) { return [&undone, name] { undone.emplace_back(name); }; };
    const std::vector<StartupStep> steps = {
        {"timer", [] { return true; }, undo("timer")},   {"data", [] { return true; }},
        {"device", [] { return true; }, undo("device")}, {"fonts", [] { return false; }, undo("fonts")},
        {"sound", [] { return true; }, undo("sound")},
    };
    EXPECT_FALSE(RunStartupSteps(steps));
    EXPECT_TRUE(undone.empty()) << "nothing is undone before the shut-down";
    ExitGame();
    EXPECT_EQ(undone, (std::vector<std::string>{"fonts", "device", "timer"}));
    ExitGame();
    EXPECT_EQ(undone.size(), 3u) << "a second shut-down finds nothing left to undo";
}

#pragma once
// Start-up and shut-down of the game's subsystems, run on the window thread
// before thGame exists and after every worker has stopped.
#include <functional>
#include <string>
#include <vector>

// Runs the start-up steps in order; false (and the rest skipped) when a
// step fails or when AbortFlag is set after it, so a fatal close raised by a
// step (it is kept until the window exists) is never mistaken for success.
bool InitGame(const std::string& commandLine, int showCommand);
// Deletes the scenes, then undoes the steps that ran, the last first; each
// release tests what exists, so it also follows a failed start-up.
void ExitGame();

struct StartupStep {
    const char* name;
    std::function<bool()> run;
    // What undoes the step at shut-down; none when it leaves only data.
    std::function<void()> release = nullptr;
};

// The steps InitGame runs (tests and other subsystems add theirs).
std::vector<StartupStep>& StartupSteps();
// Puts a step right after the named one (at the end when there is none),
// once however often it is called.
void AddStartupStepAfter(const char* after, const StartupStep& step);

// The step runner itself: true when every step succeeded without setting
// AbortFlag. The releases of the steps it started (the failed one too, which
// may have made part of its work) are kept for ExitGame.
bool RunStartupSteps(const std::vector<StartupStep>& steps);

#include "stage/flow/current_input.h"

#include <gtest/gtest.h>

#include <vector>

#include "foundation/data_record.h"
#include "shell/loop/game.h"

namespace {

// An input record after some frames of scripted key words.
cKeyState Played(const std::vector<std::pair<std::uint16_t, std::uint16_t>>& frames) {
    cKeyState keys;
    for (const auto& [direction, buttons] : frames) {
        keys.m_wDirection = direction;
        keys.m_wButtons = buttons;
        keys.UpdateRuns();
    }
    return keys;
}

cKeyCond Step(std::vector<std::pair<int, int>> entries, int mode, int minFrames = 0) {
    cKeyCond step;
    step.m_vKeyState.assign(kKeyCondKeys, 0);
    for (const auto& [entry, value] : entries) step.m_vKeyState[entry] = static_cast<std::int8_t>(value);
    step.m_cMode = static_cast<std::int8_t>(mode);
    step.m_sMinFrames = static_cast<std::int16_t>(minFrames);
    return step;
}

constexpr int kButton1 = 11, kButton2 = 12, kNoButton = 10, kLeft = 1, kRight = 2, kAnyDir = 9;

struct MatchCase {
    const char* what;
    std::vector<std::pair<std::uint16_t, std::uint16_t>> frames;
    cKeyCond step;
    int want;
};

TEST(CurrentInput, KeyCondMatches) {
    const MatchCase cases[] = {
        {"all zero, mode 0", {{0, 0}}, Step({}, 0), 1},
        {"all zero, mode 1", {{0, 0}}, Step({}, 1), 0},
        {"all zero, mode 2", {{0, 0}}, Step({}, 2), 0},
        {"all zero, mode 3", {{0, 0}}, Step({}, 3), 1},
        {"button 1 held", {{0, 1}}, Step({{kButton1, 1}}, 0), 1},
        {"button 1 held for long, short hold time asked",
         {{0, 1}, {0, 1}, {0, 1}, {0, 1}},
         Step({{kButton1, 1}}, 0, 1),
         1},
        {"button 1 released", {{0, 1}, {0, 0}}, Step({{kButton1, 1}}, 0), 0},
        {"button 1 must be released", {{0, 0}}, Step({{kButton1, 2}}, 0), 1},
        {"no button", {{0, 0}}, Step({{kNoButton, 1}}, 0), 1},
        {"left and button 2 both", {{1, 2}}, Step({{kLeft, 1}, {kButton2, 1}}, 0), 1},
        {"left and button 2, only left", {{1, 0}}, Step({{kLeft, 1}, {kButton2, 1}}, 0), 0},
        {"any of them", {{1, 0}}, Step({{kLeft, 1}, {kButton2, 1}}, 1), 1},
        {"exactly one of two", {{1, 0}}, Step({{kLeft, 1}, {kButton2, 1}}, 2), 1},
        {"exactly one, both hold", {{1, 2}}, Step({{kLeft, 1}, {kButton2, 1}}, 2), 0},
        {"left and right: neither alone", {{3, 0}}, Step({{kLeft, 1}}, 0), 0},
        {"left and right: any direction", {{3, 0}}, Step({{kAnyDir, 1}}, 0), 1},
        {"right must be released while left held", {{1, 0}}, Step({{kLeft, 1}, {kRight, 2}}, 0), 1},
    };
    for (const MatchCase& c : cases) EXPECT_EQ(KeyCondMatches(Played(c.frames), c.step), c.want) << c.what;
}

TEST(CurrentInput, DirectionState) {
    const std::pair<std::uint16_t, int> cases[] = {
        {0, 0}, {1, 1}, {2, 2}, {4, 3}, {8, 4}, {5, 5}, {9, 6}, {6, 7}, {10, 8}, {3, 9}, {12, 9}, {15, 9},
    };
    for (const auto& [word, want] : cases) {
        EXPECT_EQ(CurrentDirectionState(Played({{0, 0}, {word, 0}})), want) << "direction word " << word;
    }
    EXPECT_EQ(CurrentDirectionState(cKeyState()), 0) << "nothing held yet";
}

}  // namespace

namespace {

TEST(CurrentInput, InputDirectionToCode) {
    const int codes[] = {2, 3, 6, 7, 8, 9, 10, 11};
    for (int state = 1; state <= 8; ++state) EXPECT_EQ(InputDirToCode(state, 0, 0), codes[state - 1]);
    EXPECT_EQ(InputDirToCode(0, 1, 1), DirCode::Right);
    EXPECT_EQ(InputDirToCode(0, 1, 0), DirCode::Left);
    EXPECT_EQ(InputDirToCode(9, 0, 1), DirCode::Right);
    EXPECT_EQ(InputDirToCode(9, 1, 1), DirCode::None);
    // Replays keep the rule of the version that recorded them.
    const int savedType = Game.PlayType;
    const int savedVersion = FileVersion;
    Game.PlayType = 4;
    const int cases[][3] = {{777, 0, 0}, {778, 1, 3}, {779, 1, 3}, {780, 1, 0}, {780, 0, 3}};
    for (const auto& c : cases) {
        FileVersion = c[0];
        EXPECT_EQ(InputDirToCode(9, c[1], 1), c[2]) << "replay of version " << c[0];
    }
    Game.PlayType = savedType;
    FileVersion = savedVersion;
}

}  // namespace

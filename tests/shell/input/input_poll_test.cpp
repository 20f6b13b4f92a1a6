#include "shell/input/input_poll.h"

#include <gtest/gtest.h>

#include "platform/keyboard.h"

namespace {

class InputPoll : public ::testing::Test {
protected:
    void SetUp() override {
        platform::ReleaseAllKeys();
        platform::RemoveAllJoysticks();
        DefaultKeyConfig(KeyConfig);
        s.InitJoyMasks();
    }
    void TearDown() override {
        platform::ReleaseAllKeys();
        platform::RemoveAllJoysticks();
        DefaultKeyConfig(KeyConfig);
    }
    int PollFixed() { return PollDefaultKeys(s, 0, kPollJoystick | kPollKeyboard, 60); }

    cKeyState s;
};

constexpr platform::JoystickReading kCentre{32768, 32768, 0};

}  // namespace

TEST_F(InputPoll, BothArrowsOfAnAxisGiveBothBitsAndCancelInTheNumpad) {
    platform::SetKeyDown(VK_LEFT, true);
    platform::SetKeyDown(VK_RIGHT, true);
    platform::SetKeyDown('Z', true);
    platform::SetKeyDown('F', true);
    EXPECT_EQ(PollFixed(), 1);
    EXPECT_EQ(s.m_wDirection, 3);
    EXPECT_EQ(s.m_nNumpad, 5);
    EXPECT_EQ(s.m_wButtons, 0x81);
    EXPECT_EQ(PollConfiguredKeys(s, 1, 60), 0) << "the configuration is not in use";
}

TEST_F(InputPoll, AJoystickDirectionHidesTheArrowsAndAJoystickButtonTheLetters) {
    platform::SetKeyDown(VK_LEFT, true);
    platform::SetKeyDown('X', true);
    platform::SetJoystickState(0, platform::JoystickReading{65535, 0, 0});
    PollFixed();
    EXPECT_EQ(s.m_wDirection, 2 | 4) << "right and up from the stick only";
    EXPECT_EQ(s.m_nNumpad, 3) << "5 + 1 - 3";
    EXPECT_EQ(s.m_wButtons, 2) << "no joystick button: the letters count";
    platform::SetJoystickState(0, platform::JoystickReading{32768, 32768, 0x4});
    PollFixed();
    EXPECT_EQ(s.m_wDirection, 1) << "a centred stick: the arrows count";
    EXPECT_EQ(s.m_wButtons, 4) << "joystick button 3 hides X";
}

TEST_F(InputPoll, AnAbsentJoystickIsAskedAgainOnlyAfter120Polls) {
    PollFixed();
    EXPECT_EQ(s.m_bJoyPresent[0], 0);
    EXPECT_EQ(s.m_nJoyRetry[0], 120);
    platform::SetJoystickState(0, platform::JoystickReading{0, 32768, 0});
    for (int i = 0; i < 120; ++i) {
        PollFixed();
        ASSERT_EQ(s.m_wDirection, 0) << "poll " << i;
    }
    PollFixed();
    EXPECT_EQ(s.m_bJoyPresent[0], 1);
    EXPECT_EQ(s.m_wDirection, 1);
}

TEST_F(InputPoll, ConfiguredBindingsReadKeysAxesAndButtonsAndEachJoystickKeepsItsOwnRetry) {
    KeyConfig.inUse = 1;
    KeyConfig.joystickCount = 2;
    KeyConfig.bindings[4] = KeyBinding{0, 1};             // button 1: joystick 0 button 1
    KeyConfig.bindings[0] = KeyBinding{1, kJoyAxisLeft};  // left: joystick 1's stick
    KeyConfig.bindings[5] = KeyBinding{8, VK_SPACE};      // button 2: Space
    platform::SetJoystickState(0, platform::JoystickReading{32768, 32768, 1});
    platform::SetKeyDown(VK_SPACE, true);
    EXPECT_EQ(PollDefaultKeys(s, 0, 3, 60), 0) << "the fixed layout is not in use";
    EXPECT_EQ(PollConfiguredKeys(s, 1, 60), 1);
    EXPECT_EQ(s.m_wButtons, 1 | 2);
    EXPECT_EQ(s.m_wDirection, 0);
    EXPECT_EQ(s.m_bJoyPresent[0], 1) << "joystick 1's absence does not touch joystick 0";
    EXPECT_EQ(s.m_nJoyRetry[1], 120);
    // Joystick 0 keeps working every frame while joystick 1 waits.
    platform::SetJoystickState(0, kCentre);
    PollConfiguredKeys(s, 1, 60);
    EXPECT_EQ(s.m_wButtons, 2);
    EXPECT_EQ(s.m_nJoyRetry[1], 119);
    // An axis code also answers to the button of the same bit: 0x100 is
    // button 9.
    platform::SetJoystickState(0, platform::JoystickReading{32768, 32768, 0x100});
    KeyConfig.bindings[0] = KeyBinding{0, kJoyAxisLeft};
    PollConfiguredKeys(s, 1, 60);
    EXPECT_EQ(s.m_wDirection, 1);
    EXPECT_EQ(s.m_nNumpad, 4);
}

TEST(JoyAxis, EdgesOfTheStickRange) {
    const struct {
        DWORD x, y;
        int code, held;
    } cases[] = {{10000, 32768, kJoyAxisLeft, 1},
                 {10001, 32768, kJoyAxisLeft, 0},
                 {55535, 0, kJoyAxisRight, 1},
                 {55534, 0, kJoyAxisRight, 0},
                 {0, 10000, kJoyAxisUp, 1},
                 {0, 55535, kJoyAxisDown, 1},
                 {0, 0, 1, 0}};
    for (const auto& c : cases) {
        EXPECT_EQ(JoyAxisCode(platform::JoystickReading{c.x, c.y, 0xFFFF}, c.code), c.held) << c.x << "," << c.y;
    }
}

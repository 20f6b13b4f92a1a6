#include "shell/input/key_config.h"

#include <gtest/gtest.h>

#include <string>

#include "support/test_env.h"

namespace {

std::string Int32(int v) {
    std::string s(4, '\0');
    for (int i = 0; i < 4; ++i) s[static_cast<std::size_t>(i)] = static_cast<char>((unsigned(v) >> (8 * i)) & 0xFF);
    return s;
}

// A configuration image: every binding on the keyboard with code 65 + k
// unless changed, counts and the in-use flag as given.
std::string Image(int bindingCount, int joystickCount, int inUse, int changedBinding = -1, int device = 8,
                  int code = 0) {
    std::string s;
    for (int k = 0; k < kKeyBindingCount; ++k) {
        bool changed = k == changedBinding;
        s += Int32(changed ? device : 8);
        int c = changed ? code : 65 + k;
        s += static_cast<char>(c & 0xFF);
        s += static_cast<char>((c >> 8) & 0xFF);
        s += std::string(2, '\0');
    }
    return s + Int32(bindingCount) + Int32(joystickCount) + Int32(inUse);
}

struct ConfigCase {
    const char* name;
    std::string bytes;
    int result;
};

class KeyConfigFile : public ::testing::TestWithParam<ConfigCase> {};

}  // namespace

TEST_P(KeyConfigFile, IsTakenOnlyWhenItsCountsAndDevicesAreSound) {
    const ConfigCase& c = GetParam();
    TestEnv env;
    env.Dir().WriteHostFile("KeyConfig.dat", c.bytes);
    cKeyConfig config;
    DefaultKeyConfig(config);
    EXPECT_EQ(ReadKeyConfig("KeyConfig.dat", config), c.result);
    if (c.result == 1) {
        EXPECT_EQ(config.bindings[1].code, 66);
        return;
    }
    EXPECT_NE(env.Report().find("KeyConfig.dat"), std::string::npos) << "a report line names the file";
    cKeyConfig defaults;
    DefaultKeyConfig(defaults);
    EXPECT_EQ(config.bindings[0].code, defaults.bindings[0].code) << "the record is left alone";
}

INSTANTIATE_TEST_SUITE_P(Cases, KeyConfigFile,
                         ::testing::Values(ConfigCase{"Valid", Image(12, 1, 1), 1},
                                           ConfigCase{"FourBindings", Image(4, 8, 1), 1},
                                           ConfigCase{"JoystickDevice", Image(12, 0, 1, 5, 7, 3), 1},
                                           ConfigCase{"ThreeBindings", Image(3, 1, 1), 0},
                                           ConfigCase{"ThirteenBindings", Image(13, 1, 1), 0},
                                           ConfigCase{"NineJoysticks", Image(12, 9, 1), 0},
                                           ConfigCase{"NegativeJoysticks", Image(12, -1, 1), 0},
                                           ConfigCase{"DeviceNine", Image(12, 1, 1, 11, 9, 1), 0},
                                           ConfigCase{"NegativeDevice", Image(12, 1, 1, 0, -1, 1), 0}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(KeyConfig, AMissingFileIsZeroAndAShortFileChangesOnlyWhatItHolds) {
    TestEnv env;
    cKeyConfig config;
    DefaultKeyConfig(config);
    EXPECT_EQ(ReadKeyConfig("user_data\\KeyConfig.dat", config), 0);
    // The bindings of a complete file, without the last field (in use).
    env.Dir().WriteHostFile("KeyConfig.dat", Image(12, 2, 1).substr(0, 104));
    EXPECT_EQ(ReadKeyConfig("KeyConfig.dat", config), 1);
    EXPECT_EQ(config.bindings[0].code, 65);
    EXPECT_EQ(config.joystickCount, 2);
    EXPECT_EQ(config.inUse, 0) << "kept from before";
}

TEST(KeyConfig, DefaultsAreTheArrowsAndZXCVASDFInTheFixedLayout) {
    cKeyConfig config;
    DefaultKeyConfig(config);
    const int codes[] = {37, 39, 38, 40, 'Z', 'X', 'C', 'V', 'A', 'S', 'D', 'F'};
    int k = 0;
    for (const KeyBinding& b : config.bindings) {
        EXPECT_EQ(b.device, 8);
        EXPECT_EQ(b.code, codes[k++]);
    }
    EXPECT_EQ(config.bindingCount, 12);
    EXPECT_EQ(config.joystickCount, 1);
    EXPECT_EQ(config.inUse, 0);
}

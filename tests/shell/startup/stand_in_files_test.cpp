// The shell's own files (System.ini, the key settings) replaced by a pipe or
// a folder: refused at once, the defaults kept, and the run report says why.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <functional>
#include <string>

#include "shell/input/key_config.h"
#include "shell/startup/system_ini.h"
#include "support/test_env.h"

TEST(StandInFiles, ShellFilesAreRefusedWithAReportLine) {
    const std::function<int(const std::string&)> readers[] = {
        [](const std::string& path) {
            SystemIniKeyList keys;
            SetDefaultSystemIniKeys(keys);
            cSystemIni settings;
            return ReadSystemIni(path, settings, keys);
        },
        [](const std::string& path) {
            cKeyConfig config;
            DefaultKeyConfig(config);
            return ReadKeyConfig(path, config);
        },
    };
    for (const auto& read : readers) {
        TestEnv env;
        ASSERT_EQ(mkfifo((env.Dir().HostPath() + "/pipe").c_str(), 0644), 0);
        ASSERT_EQ(mkdir((env.Dir().HostPath() + "/folder").c_str(), 0755), 0);
        EXPECT_EQ(read("pipe"), 0);
        EXPECT_EQ(read("folder"), 0);
        EXPECT_EQ(env.Report(),
                  "pipe : 読み込みを中止しました (not a regular file)\r\n"
                  "folder : 読み込みを中止しました (not a regular file)\r\n");
    }
}

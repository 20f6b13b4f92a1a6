#include "foundation/file_reading.h"

#include <gtest/gtest.h>

#include "foundation/data_file.h"
#include "support/file_stand_ins.h"
#include "support/test_env.h"

TEST(GameFileReading, StandInsForADataFileAreRefusedAtOnce) {
    for (const auto& standIn : kStandIns) {
        SCOPED_TRACE(standIn.what);
        TestEnv env;
        ASSERT_TRUE(standIn.make(env.Dir().HostPath() + "/Stage1.dat"));
        int result = InChildWithin(5000, [] { return OpenDataFileRead("Stage1.dat") ? 1 : 0; });
        EXPECT_EQ(result, 0) << "-1: still waiting after 5 s";
        EXPECT_EQ(env.Report(), "Stage1.dat : 読み込みを中止しました (not a regular file)\r\n");
    }
}

TEST(GameFileReading, OversizedFileIsRefusedAndAMissingOneIsQuiet) {
    TestEnv env;
    env.Dir().WriteHostFile("big.bin", "0123456789");
    std::vector<std::uint8_t> bytes;
    EXPECT_FALSE(ReadGameFile("big.bin", bytes, 9));
    EXPECT_TRUE(bytes.empty());
    EXPECT_FALSE(ReadGameFile("missing.bin", bytes, 9));
    EXPECT_EQ(env.Report(), "big.bin : 読み込みを中止しました (larger than 9 bytes)\r\n");
    ASSERT_TRUE(ReadGameFile("big.bin", bytes, 10));
    EXPECT_EQ(std::string(bytes.begin(), bytes.end()), "0123456789");
}

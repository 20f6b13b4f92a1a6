#include "gamedata/story/save_slots.h"

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>

#include <filesystem>

#include "gamedata/global_data.h"
#include "gamedata/project/player_files.h"
#include "platform/clock.h"
#include "support/temp_dir.h"

namespace fs = std::filesystem;

namespace {

class SaveSlotsTest : public ::testing::Test {
protected:
    void SetUp() override {
        CreateWorkingFolders();
        SaveSlots.assign(kSaveSlotCount, cSaveSlot());
    }
    void TearDown() override {
        platform::SetTestLocalTime(nullptr);
        SystemData.SetDefaults();
        SaveSlots.assign(kSaveSlotCount, cSaveSlot());
    }
    static void At(WORD year, WORD minute) {
        SYSTEMTIME t{year, 3, 1, 14, 15, minute, 0, 0};
        platform::SetTestLocalTime(&t);
    }
    TempDir dir;
};

// Lets writes beyond a few bytes fail for the duration of a scope, the way a
// full disk does; works for any user, root included.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes) {
        m_oldHandler = signal(SIGXFSZ, SIG_IGN);
        getrlimit(RLIMIT_FSIZE, &m_old);
        rlimit small = m_old;
        small.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &small);
    }
    ~FileSizeLimit() {
        setrlimit(RLIMIT_FSIZE, &m_old);
        signal(SIGXFSZ, m_oldHandler);
    }

private:
    rlimit m_old{};
    sighandler_t m_oldHandler;
};

}  // namespace

TEST_F(SaveSlotsTest, SlotFilesAreNumberedFromOne) {
    EXPECT_EQ(SaveSlotFileName(0), "user_data\\story\\Story01.dat");
    EXPECT_EQ(SaveSlotFileName(8), "user_data\\story\\Story09.dat");
    EXPECT_EQ(SaveSlotFileName(98), "user_data\\story\\Story99.dat");
    EXPECT_EQ(SaveSlots.Count(), 99);
}

TEST_F(SaveSlotsTest, SavedSlotsAreFoundByTheScanAndLoadBack) {
    cStorySave s;
    s.m_nScore = 111;
    At(2026, 1);
    ASSERT_EQ(s.SaveSlot(0), 1);
    s.m_nScore = 222;
    At(2027, 2);
    ASSERT_EQ(s.SaveSlot(4), 1);
    EXPECT_EQ(SaveSlots[4].m_bUsed, 1);
    EXPECT_EQ(SaveSlots[4].m_SaveTime.wYear, 2027);
    EXPECT_TRUE(dir.HostFileExists("user_data/story/Story05.dat"));
    dir.WriteHostFile("user_data/story/Story08.dat", "\x98\x03\x00\x00garbage");

    cVector<cSaveSlot> slots(kSaveSlotCount);
    slots[1].m_bUsed = 1;
    ScanSaveSlots(slots);
    for (int i = 0; i < kSaveSlotCount; ++i) EXPECT_EQ(slots[i].m_bUsed, i == 0 || i == 4 ? 1 : 0) << i;
    EXPECT_EQ(slots[0].m_SaveTime.wYear, 2026);
    EXPECT_EQ(slots[0].m_SaveTime.wMinute, 1);
    EXPECT_EQ(slots[4].m_SaveTime.wYear, 2027);

    cStorySave back;
    EXPECT_EQ(back.LoadSlot(4), 1);
    EXPECT_EQ(back.m_nScore, 222);
    EXPECT_EQ(back.LoadSlot(0), 1);
    EXPECT_EQ(back.m_nScore, 111);
    // A missing slot and a broken one report it and change nothing.
    EXPECT_EQ(back.LoadSlot(2), 0);
    EXPECT_EQ(back.LoadSlot(7), 0);
    EXPECT_EQ(back.m_nScore, 111);
}

TEST_F(SaveSlotsTest, LivesFollowTheProjectsCurrentLivesSetting) {
    struct Case {
        int infinite;
        int stored;
        int lives, startLives;
    };
    const Case cases[] = {
        {0, kInfiniteLives, 5, 3},               // counted now: the start lives
        {0, 2, 2, 3},                            // counted lives stay
        {1, 2, kInfiniteLives, kInfiniteLives},  // infinite now
    };
    for (const Case& k : cases) {
        SystemData.InfiniteLives[kGameStory] = 0;
        cStorySave s;
        s.m_nStartLives = 3;
        s.m_nLives = k.stored;
        ASSERT_EQ(s.SaveSlot(0), 1);
        SystemData.StartLives[kGameStory] = 5;
        SystemData.InfiniteLives[kGameStory] = k.infinite;
        cStorySave back;
        back.LoadSlot(0);
        EXPECT_EQ(back.m_nLives, k.lives) << k.infinite << " " << k.stored;
        EXPECT_EQ(back.m_nStartLives, k.startLives);
    }
}

TEST_F(SaveSlotsTest, AFailedSaveLeavesTheOldSlotAndItsSummary) {
    cStorySave s;
    s.m_nScore = 1;
    At(2026, 10);
    ASSERT_EQ(s.SaveSlot(3), 1);
    const std::string before = dir.ReadHostFile("user_data/story/Story04.dat");

    s.m_nScore = 2;
    At(2030, 20);
    {
        FileSizeLimit limit(64);
        EXPECT_EQ(s.SaveSlot(3), 0);
    }
    EXPECT_EQ(dir.ReadHostFile("user_data/story/Story04.dat"), before);
    EXPECT_EQ(SaveSlots[3].m_SaveTime.wYear, 2026);

    // The slot folder replaced by a file: nothing can be written there.
    fs::rename("user_data/story", "story_aside");
    dir.WriteHostFile("user_data/story", "not a folder");
    EXPECT_EQ(s.SaveSlot(3), 0);
    EXPECT_EQ(SaveSlots[3].m_SaveTime.wYear, 2026);
    EXPECT_EQ(SaveSlots[3].m_bUsed, 1);
    EXPECT_EQ(s.SaveSlot(5), 0);
    EXPECT_EQ(SaveSlots[5].m_bUsed, 0);
}

TEST_F(SaveSlotsTest, ChallengeProgressLoadsOnlyFromAnAcceptableFile) {
    SystemData.m_nChallengeCount = 4;
    SystemData.InfiniteLives[kGameChallenge] = 1;
    cStorySave s;
    s.Reset(4);
    EXPECT_EQ(s.LoadChallenge(), 0);
    EXPECT_EQ(s.m_nLives, 0);  // no lives fix without a file
    s.m_vChallenge[1].m_bCleared = 1;
    ASSERT_EQ(s.SaveFile(PathTable[kPathChallengeSave]), 1);
    cStorySave back;
    back.Reset(4);
    EXPECT_EQ(back.LoadChallenge(), 1);
    EXPECT_EQ(back.m_vChallenge[1].m_bCleared, 1);
    EXPECT_EQ(back.m_nLives, kInfiniteLives);
    // A newer file is refused and the reset progress stays.
    dir.WriteHostFile("user_data/challenge/Challenge.dat", std::string("\xA0\x0F\x00\x00", 4));
    cStorySave fresh;
    fresh.Reset(4);
    EXPECT_EQ(fresh.LoadChallenge(), 0);
    EXPECT_EQ(fresh.m_vChallenge[1].m_bCleared, 0);
}

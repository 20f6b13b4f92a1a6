#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <functional>
#include <string>

#include "foundation/player_file.h"
#include "gamedata/project/global_data.h"
#include "gamedata/project/player_files.h"
#include "gamedata/story/save_slots.h"
#include "platform/message_box.h"
#include "scenes/rankings/ranking_set.h"
#include "shell/project_data_startup.h"
#include "support/test_env.h"

namespace fs = std::filesystem;

namespace {

// One of the player's own files: where it lies, how the game reads it (true
// when it was read) and how it saves it (true when it was written).
struct PlayerFile {
    const char* what;
    const char* host;
    std::function<bool()> load;
    std::function<bool()> save;
};

const PlayerFile kFiles[] = {
    {"story slot 1", "user_data/story/Story01.dat",
     [] {
         cVector<cSaveSlot> slots(kSaveSlotCount);
         ScanSaveSlots(slots);
         return slots[0].m_bUsed != 0;
     },
     [] {
         cStorySave progress;
         progress.Reset(0);
         return progress.SaveSlot(0) != 0;
     }},
    {"options", "user_data/Option.dat",
     [] {
         OptionData.m_nVolume = 2;
         LoadOptions();
         return OptionData.m_nVolume == 9;
     },
     [] {
         cOptionData options;
         options.m_nVolume = 9;
         return options.SaveFile(PathTable[kPathOption]) != 0;
     }},
    {"ranking of a free stage", "user_data/free/stage.rkg",
     [] {
         cRankingSet set;
         return LoadRankingFile(set, 2, "stage.", 0, 0, 0);
     },
     [] {
         cRankingSet set;
         return SaveRankingFile(set, 2, "stage.", 0, 0, 0);
     }},
};

// What stands in the file's place.
enum class Block { kFolder, kPipe, kDamaged, kNoPermission };

struct BlockCase {
    const char* name;
    Block block;
};

void Plant(const std::string& host, Block block) {
    switch (block) {
        case Block::kFolder: fs::create_directories(host); break;
        case Block::kPipe: ASSERT_EQ(mkfifo(host.c_str(), 0644), 0); break;
        case Block::kDamaged: {
            // The version header, then the file ends within its first field.
            std::FILE* f = std::fopen(host.c_str(), "wb");
            ASSERT_NE(f, nullptr);
            std::fwrite("\x98\x03\x00\x00\x01\x02", 1, 6, f);
            std::fclose(f);
            break;
        }
        case Block::kNoPermission:
            Plant(host, Block::kDamaged);
            fs::permissions(host, fs::perms::none);
            break;
    }
}

// What a later look finds of the file: its kind and, for a file, its bytes.
std::string Shape(const std::string& host) {
    if (fs::is_directory(host)) return "folder";
    if (fs::is_fifo(host)) return "pipe";
    std::FILE* f = std::fopen(host.c_str(), "rb");
    if (!f) return "unreadable";
    std::string bytes(64, '\0');
    bytes.resize(std::fread(bytes.data(), 1, bytes.size(), f));
    std::fclose(f);
    return bytes;
}

std::size_t Count(const std::string& text, const std::string& part) {
    std::size_t n = 0;
    for (std::size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) ++n;
    return n;
}

}  // namespace

TEST(UnreadablePlayerFiles, AreToldOnceThenTakenAsMissingAndReplacedOnlyWhenTheUserAgrees) {
    std::vector<BlockCase> blocks = {
        {"a folder", Block::kFolder}, {"a pipe", Block::kPipe}, {"damaged", Block::kDamaged}};
    // Permissions bind no root.
    if (geteuid() != 0) blocks.push_back({"no permission", Block::kNoPermission});
    for (const PlayerFile& file : kFiles) {
        for (const BlockCase& b : blocks) {
            SCOPED_TRACE(std::string(file.what) + ", " + b.name);
            TestEnv env;
            ForgetUnreadablePlayerFiles();
            CreateWorkingFolders();
            const std::string host = env.Dir().HostPath() + "/" + file.host;
            Plant(host, b.block);
            const std::string before = Shape(host);
            std::string internal = file.host;
            for (char& c : internal) c = c == '/' ? '\\' : c;
            const std::string line = internal + " : 読み込めないため使いません (";

            EXPECT_FALSE(file.load());
            ASSERT_EQ(platform::RecordedMessageBoxes().size(), 1u);
            EXPECT_EQ(platform::RecordedMessageBoxes()[0].text.find(internal + " を読み込めません！"), 0u)
                << platform::RecordedMessageBoxes()[0].text;
            EXPECT_EQ(Count(env.Report(), line), 1u) << env.Report();

            // Met again: nothing more is said.
            EXPECT_FALSE(file.load());
            EXPECT_EQ(platform::RecordedMessageBoxes().size(), 1u);
            EXPECT_EQ(Count(env.Report(), line), 1u) << env.Report();

            // A save asks first; the answer nobody gives is no.
            EXPECT_FALSE(file.save());
            ASSERT_EQ(platform::RecordedMessageBoxes().size(), 2u);
            const platform::MessageBoxRecord asked = platform::RecordedMessageBoxes()[1];
            EXPECT_EQ(asked.text, internal + " は読み込めなかったファイルです。\n上書きして保存しますか？");
            EXPECT_EQ(asked.type, MB_YESNO | MB_DEFBUTTON2);
            EXPECT_EQ(Shape(host), before) << "the file is kept";
            EXPECT_NE(env.Report().find(internal + " : 読み込めなかったファイルなので上書きしませんでした"),
                      std::string::npos);

            // Yes: the save goes on; only a file that may be written is.
            platform::QueueMessageBoxAnswer(IDYES);
            const bool regular = b.block == Block::kDamaged;
            EXPECT_EQ(file.save(), regular);
            if (regular) {
                EXPECT_TRUE(file.load()) << "the new file is read";
            } else {
                EXPECT_EQ(Shape(host), before);
            }
            fs::permissions(env.Dir().HostPath(), fs::perms::owner_all);
            if (fs::exists(host)) fs::permissions(host, fs::perms::owner_all);
        }
    }
    ForgetUnreadablePlayerFiles();
    OptionData.SetDefaults();
}

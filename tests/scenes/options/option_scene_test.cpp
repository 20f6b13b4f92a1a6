#include "scenes/options/option_scene.h"

#include <filesystem>

#include "../menu/scene_fixture.h"
#include "platform/audio/device.h"
#include "shell/app_state.h"
#include "sound/bgm_player.h"
#include "support/sound_fixtures.h"

namespace {

using namespace KeyBit;

// In 8-bit colour, where the palette option takes effect at once.
class OptionSceneTest : public SceneTest {
protected:
    void SetUp() override {
        SceneTest::SetUp();
        OptionData.SetDefaults();
        SetPaletteLoader([this](int p) {
            m_palettes.push_back(p);
            return 1;
        });
    }
    void TearDown() override {
        SetPaletteLoader(nullptr);
        OptionData.SetDefaults();
        SceneTest::TearDown();
    }
    int Depth() const override { return 8; }
    // Into the options, on the row of item `item` (all items enabled).
    void Open(int row = 0) {
        Game.CurrentMode = Game.RequestedMode = kModeOption;
        ASSERT_TRUE(RunTo(m_scene, cModeOption::kStateOptions));
        Frame(m_scene);
        for (int i = 0; i < row; ++i) Frame(m_scene, Down);
        TakeSounds();
    }

    cModeOption m_scene;
    std::vector<int> m_palettes;
};

TEST_F(OptionSceneTest, EditedValuesWrapBothWays) {
    struct Case {
        int item;
        int cOptionData::*value;
        int from;
        std::uint16_t key;
        int to;
    };
    const Case cases[] = {
        {0, &cOptionData::m_nPalette, 23, Up, 0},      {0, &cOptionData::m_nPalette, 0, Down, 23},
        {1, &cOptionData::m_bMusic, 1, Up, 0},         {2, &cOptionData::m_nVolume, 10, Up, 0},
        {2, &cOptionData::m_nVolume, 0, Down, 10},     {3, &cOptionData::m_nRankingMode, 3, Up, 0},
        {3, &cOptionData::m_nRankingMode, 0, Down, 3}, {2, &cOptionData::m_nVolume, 4, Up | Down, 4},
    };
    for (const Case& c : cases) {
        CursorStack.Reset();
        cModeOption scene;
        OptionData.*c.value = c.from;
        ASSERT_TRUE(RunTo(scene, cModeOption::kStateOptions));
        for (int i = 0; i < c.item; ++i) Frame(scene, Down);
        Frame(scene, 0, kButton1);
        EXPECT_EQ(scene.SubStep(), 2) << "editing item " << c.item;
        Frame(scene, c.key);
        EXPECT_EQ(OptionData.*c.value, c.to) << "item " << c.item << " from " << c.from;
        Frame(scene, 0, kButton1);
        EXPECT_EQ(scene.SubStep(), 1) << "confirmed";
        EXPECT_EQ(OptionData.*c.value, c.to) << "the value stays";
        EXPECT_EQ(CursorStack.Top().row, c.item) << "back on the item's row";
    }
}

TEST_F(OptionSceneTest, CancelPutsTheValueBackAndAppliesItAgain) {
    OptionData.m_nPalette = 5;
    Open(0);
    Frame(m_scene, 0, kButton1);
    Frame(m_scene, Up);
    Frame(m_scene, Up);
    EXPECT_EQ(OptionData.m_nPalette, 7);
    Frame(m_scene, 0, kButton2);
    EXPECT_EQ(OptionData.m_nPalette, 5);
    EXPECT_EQ(m_palettes, (std::vector<int>{6, 7, 5})) << "each change and the cancel reload the palette";
    EXPECT_EQ(TakeSounds(), (std::vector<int>{1, 2}));
    EXPECT_EQ(m_scene.SubStep(), 1);
    EXPECT_EQ(CursorStack.Depth(), 1);
}

TEST_F(OptionSceneTest, LeavingSavesTheOptionsAndReturnsToTheTitle) {
    OptionData.m_nVolume = 3;
    OptionData.m_bMusic = 0;
    Open(2);
    Frame(m_scene, 0, kButton1);
    Frame(m_scene, Up);
    Frame(m_scene, 0, kButton1);
    Frame(m_scene, 0, kButton2);
    EXPECT_EQ(Game.RequestedMode, kModeTitle);
    for (int i = 0; i < 5 && Game.CurrentMode != kModeTitle; ++i) Frame(m_scene);
    EXPECT_EQ(Game.CurrentMode, kModeTitle);
    EXPECT_EQ(Game.PreviousMode, kModeOption);
    cOptionData saved;
    ASSERT_EQ(saved.LoadFile(PathTable[kPathOption]), 1);
    EXPECT_EQ(saved.m_nVolume, 4);
    EXPECT_EQ(saved.m_bMusic, 0);
    EXPECT_TRUE(platform::RecordedMessageBoxes().empty());
}

TEST_F(OptionSceneTest, LeavingWhenTheOptionsCannotBeSavedSaysSoOnce) {
    // What stands where the file goes: nothing can be written over either.
    const char* const blocks[] = {"a folder", "no user_data folder"};
    for (const char* block : blocks) {
        platform::ClearMessageBoxes();
        const std::string userData = m_env.Dir().HostPath() + "/user_data";
        if (std::string(block) == "a folder") {
            std::filesystem::create_directories(userData + "/Option.dat");
        } else {
            std::filesystem::remove_all(userData);
        }
        CursorStack.Reset();
        cModeOption scene;
        Game.CurrentMode = Game.RequestedMode = kModeOption;
        ASSERT_TRUE(RunTo(scene, cModeOption::kStateOptions)) << block;
        Frame(scene, 0, kButton2);
        for (int i = 0; i < 5 && Game.CurrentMode != kModeTitle; ++i) Frame(scene);
        EXPECT_EQ(Game.CurrentMode, kModeTitle) << block << ": the title follows all the same";
        const auto boxes = platform::RecordedMessageBoxes();
        ASSERT_EQ(boxes.size(), 1u) << block;
        EXPECT_EQ(boxes[0].text, "オプションを保存できませんでした！") << block;
        EXPECT_NE(m_env.Report().find("Option.dat : オプションを保存できませんでした"), std::string::npos)
            << block << "\n"
            << m_env.Report();
    }
}

TEST_F(OptionSceneTest, OnlyTheBackItemEnabledGivesOneRowThatLeaves) {
    for (cCmd& c : SystemData.OptionMenu) c.m_nEnabled = 0;
    SystemData.OptionMenu[5].m_nEnabled = 1;
    cModeOption scene;
    ASSERT_TRUE(RunTo(scene, cModeOption::kStateOptions));
    EXPECT_EQ(scene.EnabledCount(), 1);
    Frame(scene, Down);
    EXPECT_EQ(CursorStack.Top().row, 0);
    Frame(scene, 0, kButton1);
    EXPECT_EQ(scene.State(), cModeOption::kStateFadeOut);
    EXPECT_EQ(Game.RequestedMode, kModeTitle);
}

TEST(OptionEffects, VolumeLevelsSetEveryEffect) {
    TestEnv env;
    platform::InstallAudioDeviceBackend(platform::MakeHeadlessAudioBackend(true));
    ASSERT_TRUE(InitDirectSound(nullptr, 22050, 8, 1));
    env.Dir().WriteHostFile("a.wav", WavBytes({}, std::string(100, '\x90')));
    SoundFiles.assign(3, cSoundFile{"a.wav", 2, 0});
    SoundEffects.clear();
    SoundEffects.resize(3);
    LoadSoundEffects(SoundEffects, SoundFiles, 0);
    for (int level : {0, 4, 10}) {
        OptionData.m_nVolume = level;
        ApplyOptionEffect(cModeOption::kItemVolume);
        for (const cSoundEffect& e : SoundEffects) {
            EXPECT_EQ(e.Buffer(0)->Volume(), VolumeTable[level]) << level;
            EXPECT_EQ(e.Buffer(1)->Volume(), VolumeTable[level]) << level;
        }
    }
    EXPECT_EQ(VolumeTable[0], -10000);
    ReleaseDirectSound();
    SoundEffects.clear();
    SoundFiles.clear();
    OptionData.SetDefaults();
}

TEST(OptionEffects, MusicSettingStartsOrStopsThePlayerOnlyWhenItMust) {
    struct Case {
        bool running;
        int music;
        bool runningAfter;
        bool restarted;
    };
    const Case cases[] = {
        {true, 1, true, false}, {true, 0, false, false}, {false, 0, false, false}, {false, 1, true, true}};
    for (const Case& c : cases) {
        BgmPlayer.Release();
        if (c.running) { ASSERT_EQ(BgmPlayer.Init(1, BgmSlotFiles.Ogg, BgmSlotFiles.Midi, kBgmSlotCount, 0), 1); }
        BgmSlotFiles.Ogg[0].m_strFile = "marker";
        OptionData.m_bMusic = c.music;
        Game.LastBgmId = 3;
        Game.LastBgmKeep = 1;
        ApplyMusicSetting();
        EXPECT_EQ(BgmPlayer.Enabled() != 0, c.runningAfter) << c.running << " " << c.music;
        EXPECT_EQ(BgmSlotFiles.Ogg[0].m_strFile != "marker", c.restarted) << c.running << " " << c.music;
        EXPECT_EQ(Game.LastBgmId, 0) << "the next scene asks for its music again";
    }
    BgmPlayer.Release();
    BgmSlotFiles = DefaultBgmSlotFiles();
    OptionData.SetDefaults();
    Game.LastBgmKeep = 0;
}

}  // namespace

// The sample game: written the same way every time, every file readable by
// the player's own loaders without a report line, and its flows and blocks
// exercising the engine broadly.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iostream>
#include <map>
#include <set>

#include "draw/device/device.h"
#include "draw/device/surface_table.h"
#include "draw/palette.h"
#include "draw/pictures/bmp_decoder.h"
#include "foundation/paths.h"
#include "gamedata/definitions/common_palette.h"
#include "gamedata/flows/cmd_kinds.h"
#include "gamedata/global_data.h"
#include "gamedata/live_data_limits.h"
#include "gamedata/project/player_files.h"
#include "gamedata/stage_file/stage_loader.h"
#include "platform/audio/music_libraries.h"
#include "platform/audio/pcm.h"
#include "platform/audio/synth.h"
#include "platform/files.h"
#include "sample_game.h"
#include "shell/startup/system_ini.h"
#include "sound/midi_file_player.h"
#include "sound/wave_file.h"
#include "support/midi_recorder.h"
#include "support/sound_fixtures.h"
#include "support/test_env.h"

namespace fs = std::filesystem;

namespace {

std::map<std::string, std::string> FolderContents(const fs::path& root) {
    std::map<std::string, std::string> files;
    for (const auto& entry : fs::recursive_directory_iterator(root)) {
        if (!entry.is_regular_file()) continue;
        std::ifstream in(entry.path(), std::ios::binary);
        files[fs::relative(entry.path(), root).string()] =
            std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }
    return files;
}

// The game written into "game" of the test folder, made the working folder.
class SampleGameFolder : public ::testing::Test {
protected:
    void SetUp() override {
        std::string error;
        ASSERT_TRUE(WriteSampleGame(env.Dir().HostPath() + "/game", &error)) << error;
        ASSERT_TRUE(platform::SetCurrentDirectoryInternal("game"));
        DataVersion = kDataVersion;
        InstallLiveDataLimits();
    }
    void TearDown() override { platform::SetCurrentDirectoryInternal(platform::InternalPath(env.Dir().HostPath())); }

    // Loads the project the way start-up does.
    void LoadProject() {
        ASSERT_EQ(Database.LoadAll(), 1);
        ASSERT_EQ(SystemData.LoadFile(PathTable[kPathSystem]), 1);
        ASSERT_EQ(WorldMap.LoadFile(PathTable[kPathWorldMap]), 1);
        ASSERT_EQ(CommonPalette.LoadFile(PathTable[kPathCommonPalette]), 1);
    }

    std::vector<std::string> StageFiles() const {
        std::vector<std::string> names;
        platform::ListDirectory("data\\stg4", names);
        std::sort(names.begin(), names.end());
        return names;
    }

    TestEnv env;
};

TEST(SampleGame, TwoRunsWriteIdenticalFolders) {
    TestEnv env;
    std::string error;
    ASSERT_TRUE(WriteSampleGame(env.Dir().HostPath() + "/a", &error)) << error;
    ASSERT_TRUE(WriteSampleGame(env.Dir().HostPath() + "/b", &error)) << error;
    const auto a = FolderContents(fs::path(env.Dir().HostPath()) / "a");
    const auto b = FolderContents(fs::path(env.Dir().HostPath()) / "b");
    EXPECT_GT(a.size(), 100u);
    ASSERT_EQ(a.size(), b.size());
    EXPECT_TRUE(a.count("System.ini") && a.count("data/System.dat") && a.count("bmp/plt/Palette.bmp"));
    for (const auto& [name, bytes] : a) {
        ASSERT_TRUE(b.count(name)) << name;
        EXPECT_TRUE(bytes == b.at(name)) << name << " differs";
    }
}

// The game ships its project in data\, as its author would, so the first
// start asks nothing. Writing again replaces the project whole (a file an
// earlier run left there goes, and so does the default\ project an earlier
// version of the tool wrote); the player's own files stay.
TEST_F(SampleGameFolder, WritingAgainReplacesTheProjectAndKeepsThePlayersFiles) {
    EXPECT_TRUE(platform::FileExists("data\\System.dat"));
    EXPECT_FALSE(platform::IsDirectory("default"));
    ASSERT_TRUE(platform::CreateDirectoryA("user_data"));
    ASSERT_TRUE(platform::CreateDirectoryA("default"));
    const std::string option = "user_data\\Option.dat";
    for (const std::string& file : {option, std::string("data\\stale.dat"), std::string("default\\System.dat")}) {
        ASSERT_TRUE(platform::WriteFileSafely(file, "x", 1)) << file;
    }
    std::string error;
    ASSERT_TRUE(WriteSampleGame(env.Dir().HostPath() + "/game", &error)) << error;
    EXPECT_FALSE(platform::FileExists("data\\stale.dat"));
    EXPECT_FALSE(platform::IsDirectory("default"));
    EXPECT_TRUE(platform::FileExists(option));
    EXPECT_TRUE(platform::FileExists("data\\System.dat"));
}

// Every picture of the player's surface table is in the game, so no start
// of a scene or a stage reports a picture it could not load.
TEST_F(SampleGameFolder, EveryPictureOfTheSurfaceTableLoads) {
    std::set<std::string> files;
    for (const SURFACETABLEENTRY& entry : SurfaceTable) {
        const std::string name = entry.fileName;
        if (name.rfind("bmp\\", 0) == 0) files.insert(name);
    }
    EXPECT_EQ(files.size(), 26u);
    for (const std::string& file : files) {
        BMPIMAGE bmp;
        EXPECT_TRUE(LoadBmpFile(file, bmp)) << file;
    }
    BMPIMAGE first, last;
    ASSERT_TRUE(LoadBmpFile("bmp\\Character1.bmp", first));
    ASSERT_TRUE(LoadBmpFile("bmp\\Character8.bmp", last));
    EXPECT_EQ(last.nWidth, first.nWidth);
    EXPECT_EQ(last.nHeight, first.nHeight);
    EXPECT_EQ(env.Report(), "");
}

// Text, digits and every fill by colour number take their colours from the
// palette picture: in the modes without a hardware palette from its swatch
// of pixels, else from its colour table. Both must give the same colours,
// or text at those depths turns into boxes of the wrong colour.
TEST_F(SampleGameFolder, ThePalettePictureGivesTheSameColoursInEveryDrawingPath) {
    const char* file = "bmp\\plt\\Palette.bmp";
    BMPIMAGE bmp;
    ASSERT_TRUE(LoadBmpFile(file, bmp));
    ASSERT_EQ(bmp.nBitCount, 8);
    struct Mode {
        const char* name;
        int d3d;
        int bpp;
    };
    for (const Mode& m : {Mode{"Direct3D 32", 1, 32}, Mode{"DirectDraw 32", 0, 32}, Mode{"DirectDraw 8", 0, 8}}) {
        SCOPED_TRACE(m.name);
        DDSoftwareCaps = DDSOFTWARECAPS();
        ASSERT_TRUE(DDInit(m.d3d, nullptr, 640, 480, m.bpp, 1, 1, 1, 60, 0, nullptr, nullptr, 0, 0));
        PALETTEENTRY palette[256] = {};
        EXPECT_TRUE(DDLoadPaletteFromFile(palette, file, 1));
        DDRelease();
        int differing = 0;
        for (int i = 0; i < 256; ++i) {
            const std::uint32_t rgb =
                std::uint32_t(palette[i].peRed) << 16 | std::uint32_t(palette[i].peGreen) << 8 | palette[i].peBlue;
            if (rgb != (bmp.colorTable[static_cast<std::size_t>(i)] & 0xFFFFFFu)) ++differing;
        }
        EXPECT_EQ(differing, 0);
    }
}

TEST_F(SampleGameFolder, ProjectFilesLoadWithoutReportLines) {
    LoadProject();
    EXPECT_EQ(SystemData.m_strTitle, "スターランナー");
    EXPECT_EQ(Database.Sound.Count(), 7);
    EXPECT_GE(WorldMap.m_vPoint.Count(), 4);
    EXPECT_EQ(CommonPalette.m_vPaletteCharas[1].m_cOperation, 0);  // the hero
    const std::vector<std::string> stages = StageFiles();
    EXPECT_EQ(stages.size(), 7u);
    for (const std::string& name : stages) {
        const std::string path = "data\\stg4\\" + name;
        EXPECT_EQ(CheckStageTrailer(path), 1) << name;
        ASSERT_EQ(LoadedStage.LoadFile(path), 1) << name;
        EXPECT_TRUE(LoadedStage.HasHero()) << name;
    }
    // Every stage a world-map link names exists as a numbered file.
    for (const cWorldPoint& point : WorldMap.m_vPoint) {
        for (const cStageLink& link : point.m_vLink) {
            std::string found;
            EXPECT_EQ(FindLatestNumbered(found, link.m_strStage, "stg4"), 1) << link.m_strStage;
        }
    }
    EXPECT_EQ(env.Report(), "");
}

// A headless run has nobody to answer the start-up dialog, which opens when
// System.ini leaves the drawing path open: the game names it.
TEST_F(SampleGameFolder, SystemIniChoosesTheDrawingPath) {
    LoadProject();
    cSystemIni settings;
    ASSERT_EQ(ReadSystemIni("System.ini", settings, SystemData.SystemIniKeys), 1);
    EXPECT_EQ(settings.Direct3D, 1);
    EXPECT_EQ(settings.WindowMode, 1);
    EXPECT_EQ(env.Report(), "");
}

// Sizes that the surface table's users and the sheets' cell rules expect.
TEST_F(SampleGameFolder, PicturesLoadWithTheirSheetSizes) {
    struct Expected {
        const char* path;
        int width, height, bits;
    };
    const Expected pictures[] = {
        {"bmp\\plt\\Palette.bmp", 128, 128, 8}, {"bmp\\Block.bmp", 64, 480, 8},
        {"bmp\\Character1.bmp", 640, 480, 8},   {"bmp\\Character2.bmp", 640, 480, 8},
        {"bmp\\Shot.bmp", 480, 128, 8},         {"bmp\\Item.bmp", 128, 480, 8},
        {"bmp\\Item_Mini.bmp", 64, 240, 8},     {"bmp\\Mark.bmp", 64, 480, 8},
        {"bmp\\StatusWindow.bmp", 640, 20, 8},  {"bmp\\Title.bmp", 640, 480, 8},
        {"bmp\\Window.bmp", 640, 480, 8},       {"bmp\\Loading.bmp", 640, 480, 8},
        {"bmp\\Accessory.bmp", 128, 224, 8},    {"bmp\\Symbol.bmp", 416, 16, 8},
        {"bmp\\Word.bmp", 320, 192, 8},         {"bmp\\WorldMapChip.bmp", 160, 64, 8},
        {"bmp\\WorldEvent.bmp", 64, 96, 8},     {"bmp\\WorldBack.bmp", 640, 480, 24},
        {"bmp\\Debug.bmp", 256, 32, 8},         {"bmp\\GameMode.bmp", 256, 224, 8},
    };
    for (const Expected& e : pictures) {
        BMPIMAGE bmp;
        ASSERT_TRUE(LoadBmpFile(e.path, bmp)) << e.path;
        EXPECT_EQ(bmp.nWidth, e.width) << e.path;
        EXPECT_EQ(bmp.nHeight, e.height) << e.path;
        EXPECT_EQ(bmp.nBitCount, e.bits) << e.path;
    }
    BMPIMAGE palette;
    ASSERT_TRUE(LoadBmpFile("bmp\\plt\\Palette.bmp", palette));
    EXPECT_EQ(palette.indices[0], 0);  // the first pixel is the transparent colour
    LoadProject();
    // Every picture the databases and the stages' layers name loads.
    std::set<std::string> named;
    for (const auto& e : Database.Effect) named.insert(e.m_strFile);
    for (const auto& e : Database.Picture) named.insert(e.m_strFile);
    for (const auto& e : Database.BmpCharaExc) named.insert(e.m_strFile);
    for (const auto& e : Database.SwordType) named.insert({e.m_strLeftFile, e.m_strRightFile});
    for (const std::string& name : StageFiles()) {
        ASSERT_EQ(LoadedStage.LoadFile("data\\stg4\\" + name), 1);
        for (const cStageLayer& layer : LoadedStage.m_vLayers) named.insert(layer.m_strPicture);
    }
    named.erase("");
    EXPECT_GE(named.size(), 8u);
    for (const std::string& path : named) {
        BMPIMAGE bmp;
        EXPECT_TRUE(LoadBmpFile(path, bmp)) << path;
    }
    EXPECT_EQ(env.Report(), "");
}

// Every file the system data and the databases name for sound and music is
// there, in the format its extension says.
TEST_F(SampleGameFolder, SoundAndMusicFilesExist) {
    LoadProject();
    std::vector<std::string> files(SystemData.SystemSoundFiles.begin(), SystemData.SystemSoundFiles.end());
    for (const auto& s : Database.Sound) files.push_back(s.m_strFile);
    for (const auto& m : Database.Bgm) files.push_back(m.m_strFile);
    for (const char* slot : {"Title", "WorldMap", "Challenge", "Option", "Stage"}) {
        files.push_back(std::string("bgm\\") + slot + ".ogg");
        files.push_back(std::string("bgm\\") + slot + ".mid");
    }
    int ogg = 0, mid = 0, wav = 0;
    for (const std::string& file : files) {
        if (file.empty()) continue;
        std::vector<std::uint8_t> bytes;
        ASSERT_TRUE(platform::ReadWholeFile(file, bytes)) << file;
        ASSERT_GT(bytes.size(), 44u) << file;
        const std::string head(bytes.begin(), bytes.begin() + 4);
        const std::string ext = file.substr(file.size() - 3);
        if (ext == "wav") {
            EXPECT_EQ(head, "RIFF") << file;
            EXPECT_EQ(std::string(bytes.begin() + 12, bytes.begin() + 16), "fmt ") << file;
            EXPECT_EQ(bytes[16], 16) << file << ": a plain 16-byte format chunk";
            ++wav;
        } else if (ext == "ogg") {
            EXPECT_EQ(head, "OggS") << file;
            ++ogg;
        } else {
            EXPECT_EQ(head, "MThd") << file;
            ++mid;
        }
    }
    EXPECT_EQ(wav, 17 + 6);
    EXPECT_GE(ogg, 7);
    EXPECT_GE(mid, 7);
}

// Every sound and music file of the folder, loaded and played offline the
// way the player does: effects through the WAV reader into mixer samples,
// MIDI through our own stream player, Ogg through libvorbisfile.
class SampleGameSounds : public SampleGameFolder {
protected:
    void SetUp() override {
        SampleGameFolder::SetUp();
        // Each song gets a fresh recorder, made when its stream opens.
        platform::InstallMidiOutMaker([this] { return m_midiOut = std::make_shared<RecordingMidiOut>(); });
    }
    void TearDown() override {
        platform::InstallMidiOutMaker(nullptr);
        SampleGameFolder::TearDown();
    }

    // Files under the game folder with one of the extensions, as internal paths.
    std::vector<std::string> FilesEndingIn(const std::string& ext) const {
        std::vector<std::string> found;
        const fs::path root = fs::path(env.Dir().HostPath()) / "game";
        for (const auto& entry : fs::recursive_directory_iterator(root)) {
            std::string name = fs::relative(entry.path(), root).string();
            if (!entry.is_regular_file() || !name.ends_with(ext)) continue;
            std::replace(name.begin(), name.end(), '/', '\\');
            found.push_back(name);
        }
        std::sort(found.begin(), found.end());
        return found;
    }

    std::shared_ptr<RecordingMidiOut> m_midiOut;
};

// An effect that is silent or has no samples is one the player never hears.
constexpr float kAudible = 0.05f;

TEST_F(SampleGameSounds, EveryEffectReadsIntoAudibleSamples) {
    const std::vector<std::string> files = FilesEndingIn(".wav");
    EXPECT_EQ(files.size(), 17u + 6u);
    for (const std::string& file : files) {
        WAVEFILE wave;
        ASSERT_TRUE(ReadWaveFile(file, wave)) << file;
        const auto samples = platform::ConvertPcm(wave.format, wave.data.data(), wave.data.size());
        ASSERT_TRUE(samples) << file;
        EXPECT_GT(samples->Frames(), static_cast<std::size_t>(platform::kMixRate / 100)) << file;
        EXPECT_GT(PeakOf(samples->samples), kAudible) << file;
    }
    EXPECT_EQ(env.Report(), "");
}

// In its first two seconds each song plays several notes, on the melody's
// channel and the bass's.
TEST_F(SampleGameSounds, EveryMidiSongPlaysMelodyAndBass) {
    const std::vector<std::string> files = FilesEndingIn(".mid");
    EXPECT_GE(files.size(), 7u);
    for (const std::string& file : files) {
        m_midiOut.reset();
        cMidiStream stream(file);
        ASSERT_TRUE(stream.HasImage()) << file;
        ASSERT_TRUE(m_midiOut) << file << ": no MIDI output opened";
        stream.Restart(0);
        RenderFrames(2 * platform::kMixRate);
        std::set<int> channels;
        int noteOns = 0;
        for (const RecordingMidiOut::Message& m : m_midiOut->Notes()) {
            const bool on = (m.message & 0xF0) == 0x90 && ((m.message >> 16) & 0x7F) != 0;
            if (!on) continue;
            ++noteOns;
            channels.insert(static_cast<int>(m.message & 0x0F));
        }
        EXPECT_GE(noteOns, 4) << file;
        EXPECT_EQ(channels.size(), 2u) << file;
        stream.Stop(0);
    }
    EXPECT_EQ(env.Report(), "");
}

TEST_F(SampleGameSounds, EveryOggSongDecodesToMusic) {
    const std::vector<std::string> files = FilesEndingIn(".ogg");
    EXPECT_GE(files.size(), 7u);
    for (const std::string& file : files) {
        const auto player = platform::CreateVorbisPlayer();
        ASSERT_TRUE(player->Load(file)) << file;
        ASSERT_TRUE(player->Play()) << file;
        EXPECT_GT(PeakOf(RenderFrames(platform::kMixRate)), kAudible) << file;
    }
    EXPECT_EQ(env.Report(), "");
}

// What the stages' programs use: the command kinds of every flow and item,
// the condition kinds, the triggers and the kinds of blocks.
TEST_F(SampleGameFolder, FlowsAndBlocksCoverTheEngine) {
    LoadProject();
    std::set<int> kinds, conds, triggers, blockKinds;
    std::function<void(const cFlowCmd&)> walkCmd;
    std::function<void(const cFlow&)> walkFlow = [&](const cFlow& f) {
        triggers.insert(f.m_cTrigger);
        for (const cCond& c : f.m_vCond) conds.insert(c.m_cKind);
        for (const cFlowCmd& c : f.m_vCmd) walkCmd(c);
    };
    walkCmd = [&](const cFlowCmd& c) {
        kinds.insert(c.FlowKindNumber());
        for (const cFlow& f : c.m_vFlow) walkFlow(f);
    };
    // Blocks: solid, passable, deadly, passable for one side, the four
    // ground effects, an item block, one standing only under a condition.
    enum { Solid, Passable, Deadly, PassGroup, JumpPad, NoJump, Slow, Conveyor, ItemBlock, Conditional };
    auto walkBlock = [&](const cBlockDef& b) {
        const int contact[] = {Passable, Solid, Deadly};
        blockKinds.insert(contact[b.m_cContact]);
        if (b.m_cPassGroup >= 0) blockKinds.insert(PassGroup);
        const int foot[] = {-1, JumpPad, NoJump, Slow, Conveyor, Conveyor};
        if (b.m_cFootEffect > 0) blockKinds.insert(foot[b.m_cFootEffect]);
        if (b.m_cItemSource != 0) blockKinds.insert(ItemBlock);
        if (!b.m_vCond.empty()) blockKinds.insert(Conditional);
    };
    int placedCharas = 0;
    for (const std::string& name : StageFiles()) {
        ASSERT_EQ(LoadedStage.LoadFile("data\\stg4\\" + name), 1);
        for (const cCharaDef& c : LoadedStage.m_vPlacedCharas) {
            ++placedCharas;
            for (const cFlow& f : c.m_vFlow) walkFlow(f);
        }
        for (const cItemDef& i : LoadedStage.m_vPlacedItems) {
            for (const cFlowCmd& c : i.m_vCmd) walkCmd(c);
        }
        for (const cBlockDef& b : LoadedStage.m_vPlacedBlocks) walkBlock(b);
    }
    EXPECT_GT(placedCharas, 30);
    kinds.erase(-1);
    auto list = [](const std::set<int>& values) {
        std::string text;
        for (int v : values) text += " " + std::to_string(v);
        return text;
    };
    std::cout << "command kinds:" << list(kinds) << "\ncondition kinds:" << list(conds)
              << "\ntriggers:" << list(triggers) << "\nblock kinds:" << list(blockKinds) << "\n";
    for (int k = 1; k < kFlowCommandKindCount; ++k)
        EXPECT_TRUE(kinds.count(k)) << "flow command kind " << k << " unused";
    for (int k = CondKind::CommonVar; k <= CondKind::Distance; ++k) {
        EXPECT_TRUE(conds.count(k)) << "condition kind " << k << " unused";
    }
    EXPECT_GE(triggers.size(), 8u);
    EXPECT_TRUE(triggers.count(0) && triggers.count(25) && triggers.count(26));
    for (int b = Solid; b <= Conditional; ++b) EXPECT_TRUE(blockKinds.count(b)) << "block kind " << b << " unused";
}

}  // namespace

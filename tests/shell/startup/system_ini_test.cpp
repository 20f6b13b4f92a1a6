#include "shell/startup/system_ini.h"

#include <gtest/gtest.h>

#include <string>

#include "gamedata/project/system_data.h"
#include "platform/message_box.h"
#include "shell/app_state.h"
#include "shell/startup/project_data_startup.h"
#include "support/temp_dir.h"
#include "support/test_env.h"

namespace {

SystemIniKeyList DefaultKeys() {
    SystemIniKeyList keys;
    SetDefaultSystemIniKeys(keys);
    return keys;
}

struct Settings {
    int Direct3D, WindowMode, Bpp, VSync, D3D_FontCache, DD_FontCache, DD_VideoStretch, ShowFps, English,
        Midi_DirectMusic;
    std::string FreeStage;
};

Settings Of(const cSystemIni& s) {
    return {s.Direct3D,     s.WindowMode,      s.Bpp,     s.VSync,   s.D3D_FontCache,
            s.DD_FontCache, s.DD_VideoStretch, s.ShowFps, s.English, s.Midi_DirectMusic,
            s.FreeStage};
}

// The defaults of a new project's key table.
const Settings kDefaults{2, 0, 0, 2, 0, 1, 0, 1, 0, 1, ""};

Settings With(void (*change)(Settings&)) {
    Settings s = kDefaults;
    change(s);
    return s;
}

bool operator==(const Settings& a, const Settings& b) {
    return a.Direct3D == b.Direct3D && a.WindowMode == b.WindowMode && a.Bpp == b.Bpp && a.VSync == b.VSync &&
           a.D3D_FontCache == b.D3D_FontCache && a.DD_FontCache == b.DD_FontCache &&
           a.DD_VideoStretch == b.DD_VideoStretch && a.ShowFps == b.ShowFps && a.English == b.English &&
           a.Midi_DirectMusic == b.Midi_DirectMusic && a.FreeStage == b.FreeStage;
}

void PrintTo(const Settings& s, std::ostream* os) {
    *os << "{" << s.Direct3D << "," << s.WindowMode << "," << s.Bpp << "," << s.VSync << "," << s.D3D_FontCache << ","
        << s.DD_FontCache << "," << s.DD_VideoStretch << "," << s.ShowFps << "," << s.English << ","
        << s.Midi_DirectMusic << ",'" << s.FreeStage << "'}";
}

struct IniCase {
    const char* name;
    std::string text;
    int result;
    Settings expected;
};

class SystemIniText : public ::testing::TestWithParam<IniCase> {};

TEST_P(SystemIniText, GivesTheSettings) {
    const IniCase& c = GetParam();
    TempDir dir;
    dir.WriteHostFile("System.ini", c.text);
    SystemIniKeyList keys = DefaultKeys();
    cSystemIni s;
    ResetSystemIni(s, keys);
    EXPECT_EQ(ReadSystemIni("System.ini", s, keys), c.result);
    EXPECT_EQ(Of(s), c.expected);
}

const std::string kComplete =
    "Direct3D=1\nWindowMode=1\nBpp=32\nVSync=0\nD3D_FontCache=2\nDD_FontCache=0\nDD_VideoStretch=1\nShowFps=2\n"
    "FreeStage=\nEnglish=1\nMidi_DirectMusic=0\nExit\n";

INSTANTIATE_TEST_SUITE_P(
    Cases, SystemIniText,
    ::testing::Values(
        IniCase{"OnlyExit", "Exit\n", 1, kDefaults},
        IniCase{"Complete", kComplete, 1, Settings{1, 1, 32, 0, 2, 0, 1, 2, 1, 0, ""}},
        IniCase{"NoExitLineFailsButKeepsWhatWasRead", "ShowFps=0\n", 0, With([](Settings& s) { s.ShowFps = 0; })},
        IniCase{"ExitWithoutLineEndFails", "Bpp=16\nExit", 0, With([](Settings& s) { s.Bpp = 16; })},
        IniCase{"ZeroByteEndsTheFile", std::string("Bpp=16\n\0junk", 12), 1, With([](Settings& s) { s.Bpp = 16; })},
        IniCase{"CrLf", "WindowMode=1\r\nExit\r\n", 1, With([](Settings& s) { s.WindowMode = 1; })},
        IniCase{"KeyCaseMatters", "direct3d=0\nExit\n", 1, kDefaults},
        IniCase{"LaterLineWins", "Bpp=16\nBpp=32\nExit\n", 1, With([](Settings& s) { s.Bpp = 32; })},
        IniCase{"CommentAfterValue", "Bpp=16 // sixteen bits\nExit\n", 1, With([](Settings& s) { s.Bpp = 16; })},
        IniCase{"BlankAfterEqualsIsZero", "VSync= 1\nExit\n", 1, With([](Settings& s) { s.VSync = 0; })},
        IniCase{"BlanksInKeysDropped", " Show Fps =0\nExit\n", 1, With([](Settings& s) { s.ShowFps = 0; })},
        IniCase{"LineWithoutEqualsSkipped", "Bpp\nDirect3D=0\nExit\n", 1, With([](Settings& s) { s.Direct3D = 0; })},
        IniCase{"SignedAndNoDigits", "Bpp=-8\nVSync=x\nExit\n", 1, With([](Settings& s) {
                    s.Bpp = -8;
                    s.VSync = 0;
                })},
        IniCase{"HugeNumberSaturates", "Bpp=99999999999999\nExit\n", 1, With([](Settings& s) { s.Bpp = 2147483647; })},
        IniCase{"FreeStageTaken", "FreeStage=data\\stg4\\s.stg4\nExit\n", 1,
                With([](Settings& s) { s.FreeStage = "data\\stg4\\s.stg4"; })},
        IniCase{"FreeStageOneCharacterIgnored", "FreeStage=a\nExit\n", 1, kDefaults},
        IniCase{"FreeStageKeepsBlanksAndSlashes", "FreeStage= my stages/first stage.stg4 \r\nExit\r\n", 1,
                With([](Settings& s) { s.FreeStage = "my stages/first stage.stg4"; })},
        IniCase{"FreeStageOfMaximumLengthIgnored", "FreeStage=" + std::string(260, 'a') + "\nExit\n", 1, kDefaults},
        IniCase{"OverlongKeyStaysInItsBuffer", std::string(5000, 'k') + "=1\nExit\n", 1, kDefaults}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(SystemIni, AMissingFileIsAFailureWithTheDefaultsKept) {
    TempDir dir;
    SystemIniKeyList keys = DefaultKeys();
    cSystemIni s;
    ResetSystemIni(s, keys);
    EXPECT_EQ(ReadSystemIni("System.ini", s, keys), 0);
    EXPECT_EQ(Of(s), kDefaults);
}

TEST(SystemIni, TheTableDecidesBySettingPositionNotByName) {
    TempDir dir;
    SystemIniKeyList keys = DefaultKeys();
    keys[kIniBpp].SetInt("Colours", 16);
    keys[kIniFreeStage].SetText("Start", "data\\stage.stg4");
    cSystemIni s;
    ResetSystemIni(s, keys);
    EXPECT_EQ(s.Bpp, 16);
    EXPECT_STREQ(s.FreeStage, "data\\stage.stg4");
    dir.WriteHostFile("System.ini", "Colours=32\nBpp=8\nExit\n");
    EXPECT_EQ(ReadSystemIni("System.ini", s, keys), 1);
    EXPECT_EQ(s.Bpp, 32);
}

TEST(SystemIniOnStart, AFileThatCannotBeReadIsShownOnceAndEverySettingGoesBackToItsDefault) {
    const SystemIniKeyList saved = SystemData.SystemIniKeys;
    SystemData.SystemIniKeys = DefaultKeys();
    const char* const kBox = "System.ini の読み込みに失敗しました！";
    struct {
        const char* what;
        const char* text;  // none: no file
        bool box;
        Settings settings;
    } const cases[] = {
        {"missing", nullptr, true, kDefaults},
        {"no Exit line: what was read goes too", "Bpp=16\nShowFps=0\n", true, kDefaults},
        {"complete", "Bpp=16\nShowFps=0\nExit\n", false, With([](Settings& s) {
             s.Bpp = 16;
             s.ShowFps = 0;
         })},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        TestEnv env;
        if (c.text) env.Dir().WriteHostFile("System.ini", c.text);
        SystemIni.ShowFps = 7;  // left over from an earlier read
        EXPECT_TRUE(LoadSystemIni()) << "start-up goes on";
        EXPECT_EQ(Of(SystemIni), c.settings);
        const auto boxes = platform::RecordedMessageBoxes();
        ASSERT_EQ(boxes.size(), c.box ? 1u : 0u);
        if (c.box) { EXPECT_EQ(boxes[0].text, kBox); }
        EXPECT_EQ(env.Report().find(kBox) != std::string::npos, c.box) << "the run report has the line too";
    }
    SystemData.SystemIniKeys = saved;
    ResetSystemIni(SystemIni, SystemData.SystemIniKeys);
}

}  // namespace

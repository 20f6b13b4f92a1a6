#include "shell/startup.h"

#include <algorithm>
#include <string_view>

#include "foundation/abort.h"
#include "foundation/data_record.h"
#include "foundation/report.h"
#include "gamedata/flows/arrangeable_params.h"
#include "gamedata/project/data_limits.h"
#include "gamedata/project/live_data_limits.h"
#include "gamedata/project/player_files.h"
#include "gamedata/project/system_data.h"
#include "platform/clock.h"
#include "platform/random.h"
#include "shell/app_state.h"
#include "shell/dialogs/startup_dialog.h"
#include "shell/direct_play.h"
#include "shell/drawing_device.h"
#include "shell/game.h"
#include "shell/game_fonts.h"
#include "shell/input/key_config.h"
#include "shell/key_state.h"
#include "shell/main_window.h"
#include "shell/project_data_startup.h"
#include "shell/screen_startup.h"
#include "shell/sound_requests.h"

namespace {

// The stage named on the command line of this start, and how the window is
// shown (a window closed maximised comes back so).
std::string g_commandLine;
int g_showCommand = SW_SHOWNORMAL;
// The releases of the steps started, in start order.
std::vector<std::function<void()>> g_releases;

std::vector<StartupStep> BaseSteps() {
    return {
        {"timer", [] { return timeBeginPeriod(1) == 0; }, [] { timeEndPeriod(1); }},
        {"random seed",
         [] {
             platform::srand(timeGetTime());
             return true;
         }},
        {"data version",
         [] {
             DataVersion = kDataVersion;
             StripCRFlag = 1;
             NewerFileFlag = 0;
             // Commands read while loading check their references against
             // the project as it is loaded, never against stale sizes.
             DataLimits limits = StoredDataLimits();
             limits.testPlay = TestPlay;
             SetDataLimits(limits);
             InstallLiveDataLimits();
             return true;
         }},
        {"command parameter table",
         [] {
             BuildCommandParamTable();
             return true;
         }},
        {"default data", [] { return PrepareDataFolder(MainWindow.m_hWnd); }},
        {"working folders", CreateFolders},
        {"databases", LoadDatabases},
        {"effect tables", BuildEffectTables},
        {"system data", LoadSystemData},
        {"System.ini", LoadSystemIni},
        {"drawing mode choice", ChooseDrawingMode},
        {"test play",
         [] {
             ChooseFreeStage(SystemIni, g_commandLine, TestPlay, SystemData.m_bDirectStartToTitle);
             return true;
         }},
        {"game object",
         [] {
             Game.FrameRate = 60;
             Game.FadeLength = 10;
             for (auto& keys : KeyStates) keys.SetRepeat(18, 6);
             return true;
         }},
        {"screen mode", SettleScreenMode},
        {"main window", SetUpMainWindow, ReleaseMainWindow},
        {"drawing device", [] { return StartDrawingDevice(g_showCommand); }, ReleaseDrawingDevice},
        {"window placement", [] { return PlaceMainWindow(g_showCommand); }},
        {"show window", [] { return ShowMainWindow(g_showCommand); }},
        {"palette and transparent colour", LoadPaletteAndKey},
        {"present choice", ChoosePresent},
        {"loading picture", ShowLoadingPicture},
        {"built-in pictures", LoadBuiltInPictures},
        {"fonts", CreateGameFonts, ReleaseGameFonts},
        {"input",
         [] {
             for (auto& keys : KeyStates) keys.InitJoyMasks();
             if (!ReadKeyConfig(PathTable[kPathKeyConfig], KeyConfig)) DefaultKeyConfig(KeyConfig);
             return true;
         }},
        {"options", LoadOptions},
        {"blend table", LoadBlendTable},
        {"music and sound effects", StartSound, StopSound},
        {"world map and common palette", LoadMapAndPalette},
        {"direct play", StartDirectPlay},
    };
}

}  // namespace

std::vector<StartupStep>& StartupSteps() {
    static std::vector<StartupStep> steps = BaseSteps();
    return steps;
}

void AddStartupStepAfter(const char* after, const StartupStep& step) {
    std::vector<StartupStep>& steps = StartupSteps();
    auto named = [&](const char* name) {
        return std::find_if(steps.begin(), steps.end(),
                            [&](const StartupStep& s) { return std::string_view(s.name) == name; });
    };
    if (named(step.name) != steps.end()) return;
    auto previous = named(after);
    steps.insert(previous == steps.end() ? steps.end() : previous + 1, step);
}

bool RunStartupSteps(const std::vector<StartupStep>& steps) {
    for (const auto& step : steps) {
        if (step.release) g_releases.push_back(step.release);
        if (!step.run()) {
            LogPrintf("InitGame: %s failed", step.name);
            return false;
        }
        if (AbortFlag.load() != 0) {
            LogPrintf("InitGame: fatal error during %s", step.name);
            return false;
        }
    }
    return true;
}

bool InitGame(const std::string& commandLine, int showCommand) {
    g_commandLine = commandLine;
    g_showCommand = showCommand;
    return RunStartupSteps(StartupSteps());
}

void ExitGame() {
    // The scenes hold surfaces, sounds and music of what start-up made.
    Game.DeleteModes();
    std::vector<std::function<void()>> releases;
    releases.swap(g_releases);
    for (auto release = releases.rbegin(); release != releases.rend(); ++release) (*release)();
}

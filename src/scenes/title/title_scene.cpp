#include "scenes/title/title_scene.h"

#include <algorithm>

#include "draw/blit.h"
#include "draw/device/device.h"
#include "draw/device/surface_table.h"
#include "draw/palette.h"
#include "draw/text/font.h"
#include "foundation/paths.h"
#include "foundation/strings.h"
#include "gamedata/global_data.h"
#include "gamedata/stage_file/stage_loader.h"
#include "gamedata/story/story_rules.h"
#include "platform/window.h"
#include "scenes/menu/cmd_window.h"
#include "scenes/menu/cursor_moves.h"
#include "scenes/menu/cursor_stack.h"
#include "scenes/menu/menu_pictures.h"
#include "scenes/menu/menu_sounds.h"
#include "scenes/menu/save_slot_list.h"
#include "scenes/menu/scene_switches.h"
#include "shell/app_state.h"
#include "shell/direct_play.h"
#include "shell/loop/game.h"
#include "shell/requests/app_requests.h"
#include "shell/requests/file_requests.h"

namespace {

constexpr int kMenuRow = 32;
constexpr int kSlotListX = 160, kSlotListY = 160, kSlotRow = 16, kSlotRowsShown = 10;
constexpr int kTitleSlot = 0;
constexpr int kFrameColour = 240;
// The menu's place: it moves once a picture menu is centred, for the rest
// of the process.
int g_menuX = 192;
int g_menuY = 240;

// Lives of a kind: infinite, or its setting with one in play.
void SetStartLives(int kind, bool infinite) {
    if (infinite) {
        StoryData.m_nStartLives = StoryData.m_nLives = kInfiniteLives;
    } else {
        StoryData.m_nStartLives = StartLivesOf(kind);
        StoryData.m_nLives = StoryData.m_nStartLives - 1;
    }
}

void FrameRect(DDSURFACEDATA* s, int w, int h) {
    PalNumToRGB(s, 0, 0, w, 1, kFrameColour);
    PalNumToRGB(s, 0, h - 1, w, 1, kFrameColour);
    PalNumToRGB(s, 0, 0, 1, h, kFrameColour);
    PalNumToRGB(s, w - 1, 0, 1, h, kFrameColour);
}

}  // namespace

void SelectGameKind(int kind) {
    Game.GameKind = kind;
    Game.RankingsOn = SystemData.RankingSettings[kind].m_bEnabled;
}

void StartNewStory() {
    StoryData.Reset(ChallengeStageCount());
    StoryData.m_nMapX = WorldMap.m_nStartX;
    StoryData.m_nMapY = WorldMap.m_nStartY;
    SetStartLives(kGameStory, LivesAreInfinite(kGameStory));
}

int PlayFreeStageFile(const std::string& path, int direct) {
    std::string file = path.substr(0, std::min<std::size_t>(path.size(), 259));
    StoryData.Reset(ChallengeStageCount());
    const StageLoadOrigin origin = direct ? StageLoadOrigin::Game : StageLoadOrigin::FileDialog;
    if (!LoadStageThreaded(file, 0, &PlayStage, &HeroDef, origin)) return 0;
    StoryData.m_nStageNo = 1;
    StoryData.m_nPart = 1;
    SetStartLives(kGameFree, DirectStart || LivesAreInfinite(kGameFree));
    MakeRelativePath(file);
    StoryData.SetStageFile(file, 0, 0, 0);
    return 1;
}

int cSceneTitle::MenuX() { return g_menuX; }
int cSceneTitle::MenuY() { return g_menuY; }

cSceneTitle::cSceneTitle() : cMenuScene(kSceneTitle, 3) {}

void cSceneTitle::RunState(int state) {
    using Step = void (cSceneTitle::*)();
    static constexpr Step kStates[] = {&cSceneTitle::FadeIn, &cSceneTitle::MainMenu, &cSceneTitle::SlotList,
                                       &cSceneTitle::SlotList, &cSceneTitle::FadeOut};
    RunStateOf(*this, kStates, state);
}

void cSceneTitle::Init() {
    Game.RequestBgm(SystemData.SceneBgmIds[kTitleSlot], SystemData.SceneBgmKeep[kTitleSlot], kTitleSlot);
    if (!LoadPictures({kPicTitle, kPicGameMode, kPicAccessory, kPicWindow})) return;
    CursorStack.Reset();
    m_vEnabled = EnabledCmdTable(SystemData.TitleMenu);
    int row = 0;
    if (ReturnToTitleAfterStage) {
        ReturnToTitleAfterStage = 0;
        DirectStart = 0;
    } else {
        row = Game.PlayType;
        const auto at = std::find(m_vEnabled.begin(), m_vEnabled.end(), Game.PlayType);
        if (at != m_vEnabled.end()) row = static_cast<int>(at - m_vEnabled.begin());
    }
    CursorStack.Top().row = row;
    if (TitleMenuIsPicture()) g_menuX = 288 - SurfaceArray[kPicGameMode].nWidth / 2;
    BuildMenuSurface();
    m_nSubStep = 0;
}

void cSceneTitle::BuildMenuSurface() {
    const int rows = static_cast<int>(m_vEnabled.size());
    const bool picture = TitleMenuIsPicture();
    const int stripWidth = SurfaceArray[kPicGameMode].nWidth;
    int widest = 0;
    for (int command : m_vEnabled) widest = std::max(widest, CountChars(SystemData.TitleMenu[command].m_strName));
    const int w = picture ? stripWidth + 32 : 32 * widest + 34;
    const int h = kMenuRow * rows + 2;
    if (!m_Menu.Create(w, h, 1)) return;
    DDSURFACEDATA* s = m_Menu.Get();
    int y = 0;
    if (picture) {
        // Everything but the strips' own pixels stays see-through.
        m_Menu.ClearToTransparent();
        for (int command : m_vEnabled) {
            DDBlt(s, 32, y, stripWidth, kMenuRow, &SurfaceArray[kPicGameMode], 0, kMenuRow * command, 1);
            y += kMenuRow;
        }
        return;
    }
    DDBlt(s, 1, 1, w - 2, h - 2, &SurfaceArray[kPicWindow], 0, 0, 0);
    FrameRect(s, w, h);
    for (int command : m_vEnabled) {
        Fonts[2].DrawText(s, 32, y, SystemData.TitleMenu[command].m_strName.c_str());
        y += kMenuRow;
    }
}

void cSceneTitle::DrawTitleScreen() {
    DDBlt(&BackBuffer, 0, 0, 640, 480, &SurfaceArray[kPicTitle], 0, 0, 0);
    if (m_Menu.Lost()) BuildMenuSurface();
    m_Menu.Show(g_menuX, g_menuY);
    Game.StepFlashColours();
}

void cSceneTitle::FadeIn() {
    if (PaletteMode()) BuildMenuSurface();
    DrawTitleScreen();
    if (StepFadeIn()) m_nState = kStateMenu;
}

void cSceneTitle::MainMenu() {
    const std::uint16_t keys = Keys();
    MoveGridCursor(keys, g_menuX, g_menuY, 0, kMenuRow, 1, static_cast<int>(m_vEnabled.size()));
    PlayCursorSound(keys, 2, 0);
    if (!Button(1)) {
        DrawTitleScreen();
        const CursorState& c = CursorStack.Top();
        DrawPicture(kPicAccessory, c.x, c.y, kBigCursorX, kBigCursorY, kBigCursorSize, kBigCursorSize);
        return;
    }
    MenuSound(1);
    Game.PlayType = m_vEnabled[static_cast<std::size_t>(CursorStack.Top().row)];
    Choose(Game.PlayType);
}

void cSceneTitle::Choose(int command) {
    switch (command) {
        case kCmdNew:
        case kCmdContinue:
            SelectGameKind(kGameStory);
            CursorStack.Push(0);
            m_nSubStep = 0;
            m_nState = command == kCmdNew ? kStateNewStory : kStateContinue;
            break;
        case kCmdChallenge:
            SelectGameKind(kGameChallenge);
            if (!StoryData.LoadChallenge()) StoryData.Reset(ChallengeStageCount());
            Leave(kSceneStageSelect, kStateFadeOut);
            break;
        case kCmdFree:
            SelectGameKind(kGameFree);
            if (SendAppRequest(kWmOpenStage, 0, 0, RequestDone)) Leave(kSceneStage, kStateFadeOut);
            break;
        case kCmdReplay:
            SelectGameKind(kGameReplay);
            if (SendAppRequest(kWmOpenReplay, 0, 0, RequestDone)) Leave(kSceneStage, kStateFadeOut);
            break;
        case kCmdOptions: Leave(kSceneOption, kStateFadeOut); break;
        default: PostMessageA(MainWindowHandle.load(), WM_CLOSE, 0, 0); break;
    }
}

void cSceneTitle::SlotList() {
    if (m_nSubStep == 0) {
        if (m_nState == kStateNewStory && !NewStoryChoosesSlot()) {
            // The story goes on without a save slot until the player saves.
            StartNewStory();
            Leave(kSceneWorldMap, kStateFadeOut);
            return;
        }
        CursorStack.Top() = CursorState{};
        m_nListTop = 0;
        m_nSubStep = 1;
        ScanSaveSlots(SaveSlots);
    }
    m_nListRows = std::min(SaveSlots.Count(), kSlotRowsShown);
    const std::uint16_t keys = Keys();
    MoveListCursor(keys, 1, m_nListTop, kSlotListY, kSlotRow, kSlotListX, m_nListRows, SaveSlots.Count(), 1);
    PlayCursorSound(keys, 3, 0);
    if (Button(1)) {
        ChooseSlot(CursorStack.Top().row);
    } else if (Button(2)) {
        MenuSound(2);
        CursorStack.Pop(1);
        m_nState = kStateMenu;
        m_nSubStep = 0;
    } else {
        DDBlt(&BackBuffer, 0, 0, 640, 480, &SurfaceArray[kPicTitle], 0, 0, 0);
        Game.StepFlashColours();
        DrawSaveSlots(&BackBuffer, kSlotListX, kSlotListY, SaveSlots, m_nListTop, m_nListRows);
        const CursorState& c = CursorStack.Top();
        DrawPicture(kPicAccessory, c.x, c.y, kSmallCursorX, kSmallCursorY, kSmallCursorSize, kSmallCursorSize);
    }
}

void cSceneTitle::ChooseSlot(int slot) {
    const bool used = SaveSlots[slot].m_bUsed != 0;
    if (m_nState == kStateNewStory) {
        if (used) {
            MenuSound(3);
            return;
        }
        MenuSound(1);
        StartNewStory();
        StoryData.m_nSlot = slot;
        StoryData.m_bAutoSave = 1;
        Leave(kSceneWorldMap, kStateFadeOut);
        return;
    }
    if (!used) {
        MenuSound(3);
        return;
    }
    // A slot that reads as used but does not load (damaged since the scan)
    // is refused like an empty one; the load has reported why.
    if (!StoryData.LoadSlot(slot)) {
        MenuSound(3);
        return;
    }
    MenuSound(1);
    Leave(StoryData.m_nStartMode != 0 ? kSceneStage : kSceneWorldMap, kStateFadeOut);
}

void cSceneTitle::FadeOut() {
    if (StepFadeOut()) EndFadeOut();
}

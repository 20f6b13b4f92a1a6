#include "scenes/world_map/map_menu_scene.h"

#include <algorithm>
#include <string>

#include "draw/blit.h"
#include "draw/device/device.h"
#include "draw/device/surface_table.h"
#include "draw/palette.h"
#include "draw/text/font.h"
#include "foundation/report.h"
#include "foundation/strings.h"
#include "gamedata/global_data.h"
#include "scenes/menu/cmd_window.h"
#include "scenes/menu/cursor_moves.h"
#include "scenes/menu/cursor_stack.h"
#include "scenes/menu/menu_pictures.h"
#include "scenes/menu/menu_sounds.h"
#include "scenes/menu/menu_texts.h"
#include "scenes/menu/save_slot_list.h"
#include "scenes/rankings/ranking_texts.h"
#include "shell/loop/game.h"

namespace {

constexpr int kMenuX = 264, kMenuY = 192, kRow = 16;
constexpr int kSlotListX = 152, kSlotListY = 160, kSlotRowsShown = 10;
constexpr int kCentre = 320;
constexpr int kConfirmY = 400, kAutoSaveY = 224, kNoSlotY = 232, kTitleY = 224, kTotalY = 260;
constexpr int kTotalText = 4, kSaveTexts = 12, kAutoSaveTexts = 14, kNoSlotText = 16, kTitleTexts = 17;
constexpr int kBlack = 16, kFrameColour = 240;
constexpr int kMapSlot = 1;

void FrameRect(int x, int y, int w, int h) {
    PalNumToRGB(&BackBuffer, x - 1, y - 1, w + 2, 1, kFrameColour);
    PalNumToRGB(&BackBuffer, x - 1, y + h, w + 2, 1, kFrameColour);
    PalNumToRGB(&BackBuffer, x - 1, y - 1, 1, h + 2, kFrameColour);
    PalNumToRGB(&BackBuffer, x + w, y - 1, 1, h + 2, kFrameColour);
}

}  // namespace

cSceneMenu2::cSceneMenu2() : cMenuScene(kSceneMenu2, 3) {}

void cSceneMenu2::RunState(int state) {
    using Step = void (cSceneMenu2::*)();
    static constexpr Step kStates[] = {&cSceneMenu2::FadeIn,   &cSceneMenu2::Menu,  &cSceneMenu2::Save,
                                       &cSceneMenu2::AutoSave, &cSceneMenu2::ToMap, &cSceneMenu2::ToTitle,
                                       &cSceneMenu2::FadeOut};
    RunStateOf(*this, kStates, state);
}

void cSceneMenu2::Init() {
    // The map's slot, so its music goes on when it is kept.
    Game.RequestBgm(SystemData.SceneBgmIds[kMapSlot], SystemData.SceneBgmKeep[kMapSlot], kMapSlot);
    if (!LoadPictures({kPicWindow, kPicAccessory})) return;
    m_vEnabled = EnabledCmdTable(SystemData.MapMenu);
    CursorStack.Reset();
}

void cSceneMenu2::DrawMenu() {
    DDFillSurface(&BackBuffer, kBlack);
    int widest = 0;
    for (int command : m_vEnabled) widest = std::max(widest, CountChars(SystemData.MapMenu[command].m_strName));
    const int w = (widest + 1) * kRow, h = static_cast<int>(m_vEnabled.size()) * kRow;
    DDBlt(&BackBuffer, kMenuX, kMenuY, w, h, &SurfaceArray[kPicWindow], 0, 0, 0);
    FrameRect(kMenuX, kMenuY, w, h);
    int y = kMenuY;
    for (int command : m_vEnabled) {
        Fonts[1].DrawText(&BackBuffer, kMenuX + kRow, y, SystemData.MapMenu[command].m_strName.c_str());
        y += kRow;
    }
    const int total = StoryData.m_nClearedScore;
    if (SystemData.m_bMapMenuTotalScore && total > 0) {
        const std::string& label = SystemData.SystemTexts[kTotalText];
        const int t = kRow * (CountChars(label) + DigitCount(total));
        Fonts[1].DrawWindow(&BackBuffer, kCentre - t / 2, kTotalY, t, kRow);
        Fonts[1].DrawTextF(&BackBuffer, kCentre - t / 2, kTotalY, "%s%d", label.c_str(), total);
    }
    Game.StepFlashColours();
}

void cSceneMenu2::DrawCursor() {
    const CursorState& c = CursorStack.Top();
    DrawPicture(kPicAccessory, c.x, c.y, kSmallCursorX, kSmallCursorY, kSmallCursorSize, kSmallCursorSize);
}

int cSceneMenu2::MoveChoiceCursor(int firstText, int y) {
    const int x = SystemData.MenuTextLeft(kCentre, firstText, 2, 1);
    const std::uint16_t keys = Keys();
    MoveGridCursor(keys, x, y, 0, kRow, 1, 2);
    PlayCursorSound(keys, 2, 0);
    return x;
}

void cSceneMenu2::DrawChoice(int firstText, int y) {
    DDFillSurface(&BackBuffer, kBlack);
    DrawMenuTexts(SystemData, &BackBuffer, SystemData.MenuTextLeft(kCentre, firstText, 2, 1), y, firstText, 2, 1);
    DrawCursor();
}

void cSceneMenu2::FadeIn() {
    DrawMenu();
    DrawPicture(kPicAccessory, kMenuX, kMenuY, kSmallCursorX, kSmallCursorY, kSmallCursorSize, kSmallCursorSize);
    if (StepFadeIn()) m_nState = kStateMenu;
}

void cSceneMenu2::Menu() {
    const std::uint16_t keys = Keys();
    MoveGridCursor(keys, kMenuX, kMenuY, 0, kRow, 1, static_cast<int>(m_vEnabled.size()));
    PlayCursorSound(keys, 2, 0);
    if (Button(1)) {
        MenuSound(1);
        m_nState = m_vEnabled[static_cast<std::size_t>(CursorStack.Top().row)] + kStateSave;
        CursorStack.Push(0);
    } else if (Button(2)) {
        MenuSound(2);
        m_nState = kStateToMap;
    } else {
        DrawMenu();
        DrawCursor();
    }
}

void cSceneMenu2::BackToMenu() {
    CursorStack.Pop(1);
    m_nSubStep = 0;
    m_nState = kStateMenu;
}

void cSceneMenu2::Save() {
    if (m_nSubStep == 0) {
        // A story without a slot yet opens the list on slot 1.
        CursorStack.Top() = CursorState{0, StoryData.m_nSlot, 0, 0};
        m_nListTop = StoryData.m_nSlot;
        m_nSubStep = 1;
        ScanSaveSlots(SaveSlots);
        m_nListRows = std::min(SaveSlots.Count(), kSlotRowsShown);
    }
    if (m_nSubStep == 1) ChooseSlot();
    else ConfirmSave();
}

void cSceneMenu2::ChooseSlot() {
    const std::uint16_t keys = Keys();
    MoveListCursor(keys, 1, m_nListTop, kSlotListY, kRow, kSlotListX, m_nListRows, SaveSlots.Count(), 1);
    PlayCursorSound(keys, 3, 0);
    if (Button(1)) {
        MenuSound(1);
        CursorStack.Push(0);
        CursorStack.Top().row = 1;
        m_nSubStep = 2;
    } else if (Button(2)) {
        MenuSound(2);
        BackToMenu();
    } else {
        DDFillSurface(&BackBuffer, kBlack);
        DrawSaveSlots(&BackBuffer, kSlotListX, kSlotListY, SaveSlots, m_nListTop, m_nListRows);
        DrawCursor();
    }
}

void cSceneMenu2::ConfirmSave() {
    const int x = MoveChoiceCursor(kSaveTexts, kConfirmY);
    if (Button(1) || Button(2)) {
        if (Button(2)) {
            MenuSound(2);
        } else if (CursorStack.Top().row == 1) {
            MenuSound(1);
        } else {
            const int slot = CursorStack.Below()->row;
            const int before = StoryData.m_nSlot;
            StoryData.m_nSlot = slot;
            if (StoryData.SaveSlot(slot)) {
                MenuSound(5);
            } else {
                // Nothing was saved: the story keeps the slot it had, and
                // the player is told instead of hearing the saved sound.
                StoryData.m_nSlot = before;
                MenuSound(3);
                LogPrintf("%s : セーブできませんでした", SaveSlotFileName(slot).c_str());
                ErrorBoxF("セーブできませんでした！");
            }
        }
        CursorStack.Pop(1);
        m_nSubStep = 1;
        return;
    }
    DDFillSurface(&BackBuffer, kBlack);
    DrawSaveSlots(&BackBuffer, kSlotListX, kSlotListY, SaveSlots, m_nListTop, m_nListRows);
    DrawMenuTexts(SystemData, &BackBuffer, x, kConfirmY, kSaveTexts, 2, 1);
    const CursorState* slot = CursorStack.Below();
    DrawPicture(kPicAccessory, slot->x, slot->y, kDimCursorX, kSmallCursorY, kSmallCursorSize, kSmallCursorSize);
    DrawCursor();
}

void cSceneMenu2::AutoSave() {
    if (m_nSubStep == 0) {
        CursorStack.Top() = CursorState{0, StoryData.m_bAutoSave ? 0 : 1, 0, 0};
        m_nSubStep = StoryData.m_nSlot == -1 ? 2 : 1;
    }
    if (m_nSubStep == 2) {
        if (Button(1) || Button(2)) {
            MenuSound(Button(1) ? 1 : 2);
            BackToMenu();
            return;
        }
        DDFillSurface(&BackBuffer, kBlack);
        DrawMenuTexts(SystemData, &BackBuffer, SystemData.MenuTextLeft(kCentre, kNoSlotText, 1, 0), kNoSlotY,
                      kNoSlotText, 1, 0);
        return;
    }
    MoveChoiceCursor(kAutoSaveTexts, kAutoSaveY);
    if (Button(1)) {
        MenuSound(1);
        if (CursorStack.Top().row == 0) {
            if (StoryData.SaveSlot(StoryData.m_nSlot)) {
                StoryData.m_bAutoSave = 1;
            } else {
                // Auto-save on a slot that cannot be written would fail at
                // every return to the map: it stays off and the player knows.
                LogPrintf("%s : セーブできませんでした", SaveSlotFileName(StoryData.m_nSlot).c_str());
                ErrorBoxF("セーブできませんでした！");
            }
        } else {
            StoryData.m_bAutoSave = 0;
        }
        BackToMenu();
    } else if (Button(2)) {
        MenuSound(2);
        BackToMenu();
    } else {
        DrawChoice(kAutoSaveTexts, kAutoSaveY);
    }
}

void cSceneMenu2::ToMap() {
    m_nSubStep = 0;
    Leave(kSceneWorldMap, kStateFadeOut);
}

void cSceneMenu2::ToTitle() {
    if (m_nSubStep == 0) {
        CursorStack.Top() = CursorState{0, 1, 0, 0};
        m_nSubStep = 1;
    }
    MoveChoiceCursor(kTitleTexts, kTitleY);
    if (Button(1)) {
        MenuSound(1);
        if (CursorStack.Top().row == 0) Leave(kSceneTitle, kStateFadeOut);
        else BackToMenu();
    } else if (Button(2)) {
        MenuSound(2);
        BackToMenu();
    } else {
        DrawChoice(kTitleTexts, kTitleY);
    }
}

void cSceneMenu2::FadeOut() {
    if (!StepFadeOut()) return;
    // The next scene resets the cursors.
    EndFadeOut(true);
    m_nState = -1;
}

#include "scenes/options/option_scene.h"

#include <string>

#include "draw/font.h"
#include "draw/palette.h"
#include "foundation/report.h"
#include "foundation/strings.h"
#include "gamedata/project/global_data.h"
#include "gamedata/project/player_files.h"
#include "scenes/menu/cmd_window.h"
#include "scenes/menu/cursor_moves.h"
#include "scenes/menu/cursor_stack.h"
#include "scenes/menu/menu_pictures.h"
#include "scenes/menu/menu_sounds.h"
#include "scenes/rankings/ranking_texts.h"
#include "shell/app_requests.h"
#include "shell/app_state.h"
#include "shell/game.h"
#include "shell/key_state.h"
#include "shell/main_window.h"
#include "sound/bgm_player.h"
#include "sound/sound_effects.h"

namespace {

constexpr int kListX = 48, kListY = 96, kRow = 16;
constexpr int kLabelX = 64, kValueX = 208, kEditCursorX = 192;
constexpr int kOptionsCommand = 5;
constexpr int kOptionSlot = 3;

PaletteLoader g_paletteLoader;

// The value and the largest value of an item edited in place.
struct EditedValue {
    int cOptionData::*value;
    int max;
};
constexpr EditedValue kEdited[] = {
    {&cOptionData::m_nPalette, kPaletteCount - 1},
    {&cOptionData::m_bMusic, 1},
    {&cOptionData::m_nVolume, kVolumeLevelCount - 1},
    {&cOptionData::m_nRankingMode, kRankingModes - 1},
};

std::string ValueText(int item) {
    std::string text;
    switch (item) {
        case cModeOption::kItemPalette: IntToText(text, OptionData.m_nPalette, 0, 0, 0); break;
        case cModeOption::kItemMusic: text = OptionData.m_bMusic ? "ON" : "OFF"; break;
        case cModeOption::kItemVolume: IntToText(text, OptionData.m_nVolume, 0, 0, 0); break;
        case cModeOption::kItemRankingMode: text = SystemData.RankingModeNames[OptionData.m_nRankingMode]; break;
        case cModeOption::kItemRankingName: text = OptionData.m_strRankingName; break;
        default: break;
    }
    return text;
}

}  // namespace

void SetPaletteLoader(PaletteLoader loader) { g_paletteLoader = std::move(loader); }

void ApplyOptionEffect(int item) {
    if (item == cModeOption::kItemPalette) {
        if (PaletteMode() && g_paletteLoader) g_paletteLoader(OptionData.m_nPalette);
    } else if (item == cModeOption::kItemVolume) {
        const int volume = VolumeTable[OptionData.m_nVolume];
        for (cSoundEffect& effect : SoundEffects) {
            for (int b = 0; b < effect.BufferCount(); ++b) effect.SetVolume(b, volume, 0);
        }
    }
}

void ApplyMusicSetting() {
    const bool running = BgmPlayer.Enabled() != 0;
    if (running && !OptionData.m_bMusic) {
        BgmPlayer.Release();
    } else if (!running && OptionData.m_bMusic) {
        BgmPlayer.Release();
        BgmSlotFiles = DefaultBgmSlotFiles();
        BgmPlayer.Init(1, BgmSlotFiles.Ogg, BgmSlotFiles.Midi, kBgmSlotCount, SystemIni.Midi_DirectMusic);
    }
    Game.LastBgmId = 0;
    Game.LastBgmKeep = 0;
}

cModeOption::cModeOption() : cMenuScene(kModeOption, 3) {}

void cModeOption::RunState(int state) {
    using Step = void (cModeOption::*)();
    static constexpr Step kStates[] = {&cModeOption::FadeIn, &cModeOption::Options, &cModeOption::FadeOut};
    RunStateOf(*this, kStates, state);
}

void cModeOption::Init() {
    Game.RequestBgm(SystemData.SceneBgmIds[kOptionSlot], SystemData.SceneBgmKeep[kOptionSlot], kOptionSlot);
    if (!LoadPictures({kPicAccessory, kPicWindow})) return;
    CursorStack.Reset();
    m_vEnabled = EnabledCmdTable(SystemData.OptionMenu);
    if (!m_Surface.Create(640, 480, 0)) return;
    BuildSurface();
    m_nSubStep = 0;
}

void cModeOption::BuildSurface() { DrawList(m_Surface.Get()); }

void cModeOption::DrawList(DDSURFACEDATA* surface) {
    Font& large = Fonts[2];
    Font& medium = Fonts[1];
    large.DrawWindow(surface, 1, 1, 638, 478);
    const std::string& heading = SystemData.TitleMenu[kOptionsCommand].m_strName;
    large.DrawText(surface, 320 - large.m_nPitch * CountChars(heading) / 2, 32, heading.c_str());
    int y = kListY;
    for (int item : m_vEnabled) {
        medium.DrawText(surface, kLabelX, y, SystemData.OptionMenu[item].m_strName.c_str());
        // A name is letters, never the font's symbols.
        medium.DrawText(surface, kValueX, y, ValueText(item).c_str(), item == kItemRankingName);
        y += kRow;
    }
}

void cModeOption::ShowWithCursor() {
    m_Surface.Show(0, 0);
    DrawPicture(kPicAccessory, kListX, kListY + kRow * CursorStack.Top().row, kSmallCursorX, kSmallCursorY,
                kSmallCursorSize, kSmallCursorSize);
}

void cModeOption::FadeIn() {
    if (PaletteMode() || m_Surface.Lost()) BuildSurface();
    m_Surface.Show(0, 0);
    if (StepFadeIn()) m_nState = kStateOptions;
}

void cModeOption::Options() {
    if (m_nSubStep == 0) {
        CursorStack.Top() = CursorState{};
        m_nSubStep = 1;
    }
    if (m_Surface.Lost()) BuildSurface();
    if (m_nSubStep == 1) ChooseItem();
    else EditItem();
}

void cModeOption::StartEditing(int item) {
    const EditedValue& e = kEdited[item];
    m_pValue = &(OptionData.*e.value);
    m_nMin = 0;
    m_nMax = e.max;
    m_nBefore = *m_pValue;
    CursorStack.Push(0);
    m_nSubStep = 2;
}

void cModeOption::ChooseItem() {
    const std::uint16_t keys = Keys();
    MoveGridCursor(keys, kListX, kListY, 0, kRow, 1, EnabledCount());
    PlayCursorSound(keys, 2, 0);
    if (Button(1)) {
        MenuSound(1);
        m_nItem = m_vEnabled[static_cast<std::size_t>(CursorStack.Top().row)];
        if (m_nItem < kItemRankingName) {
            StartEditing(m_nItem);
        } else if (m_nItem == kItemRankingName) {
            SendAppRequest(kWmNameEntry, 0, 0, NameEntryDone);
            BuildSurface();
            ShowWithCursor();
        } else {
            m_nSubStep = 0;
            Leave(kModeTitle, kStateFadeOut);
        }
    } else if (Button(2)) {
        MenuSound(2);
        m_nSubStep = 0;
        Leave(kModeTitle, kStateFadeOut);
    } else {
        ShowWithCursor();
    }
}

void cModeOption::EditItem() {
    const std::uint16_t keys = Keys();
    auto change = [this](int by) {
        *m_pValue += by;
        if (*m_pValue < m_nMin) *m_pValue = m_nMax;
        if (*m_pValue > m_nMax) *m_pValue = m_nMin;
        ApplyOptionEffect(m_nItem);
        BuildSurface();
    };
    if (keys & KeyBit::Up) change(1);
    if (keys & KeyBit::Down) change(-1);
    PlayCursorSound(keys, 2, 0);
    if (Button(1)) {
        MenuSound(1);
        CursorStack.Pop(1);
        m_nSubStep = 1;
    } else if (Button(2)) {
        MenuSound(2);
        *m_pValue = m_nBefore;
        ApplyOptionEffect(m_nItem);
        CursorStack.Pop(1);
        m_nSubStep = 1;
        BuildSurface();
    } else {
        m_Surface.Show(0, 0);
        const int rowY = kListY + kRow * CursorStack.Below()->row;
        DrawPicture(kPicAccessory, kListX, rowY, kDimCursorX, kSmallCursorY, kSmallCursorSize, kSmallCursorSize);
        DrawPicture(kPicAccessory, kEditCursorX, rowY, kSmallCursorX, kSmallCursorY, kSmallCursorSize,
                    kSmallCursorSize);
    }
}

void cModeOption::FadeOut() {
    if (!StepFadeOut()) return;
    ApplyMusicSetting();
    if (!OptionData.SaveFile(PathTable[kPathOption])) {
        // The choices hold for this run only; the player must know they
        // will be gone at the next start.
        LogPrintf("%s : オプションを保存できませんでした", PathTable[kPathOption]);
        ErrorBoxF("オプションを保存できませんでした！");
    }
    EndFadeOut();
}

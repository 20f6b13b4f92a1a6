// The states of stage play other than the play frame: the fades, the start
// banners, the pause menu, the result, the retry prompt and the game over,
// and the draw steps of the hero and the characters that end an attempt.
#include <algorithm>
#include <string>

#include "draw/blit.h"
#include "draw/device/device.h"
#include "draw/device/surface_table.h"
#include "draw/device/surfaces.h"
#include "draw/effects/band_blits.h"
#include "draw/effects/fades.h"
#include "draw/palette.h"
#include "draw/text/font.h"
#include "draw/text/numbers.h"
#include "foundation/abort.h"
#include "foundation/strings.h"
#include "gamedata/global_data.h"
#include "platform/keyboard.h"
#include "platform/window.h"
#include "scenes/menu/cmd_window.h"
#include "scenes/menu/cursor_moves.h"
#include "scenes/menu/cursor_stack.h"
#include "scenes/menu/menu_pictures.h"
#include "scenes/menu/menu_scene.h"
#include "scenes/menu/menu_texts.h"
#include "scenes/rankings/ranking_drawing.h"
#include "scenes/stage_play/replay_requests.h"
#include "scenes/stage_play/stage_play_scene.h"
#include "scenes/stage_play/stage_reset.h"
#include "shell/app_state.h"
#include "shell/direct_play.h"
#include "shell/input/key_state.h"
#include "shell/requests/sound_requests.h"
#include "stage/objects/player.h"
#include "stage/objects/stage_chara.h"

namespace {

constexpr int kPlayTypeStoryLast = 1;
constexpr int kPlayTypeFree = 3;
constexpr int kPlayTypeReplay = 4;
constexpr int kGameKindStory = 0;
constexpr int kGameKindChallenge = 1;
constexpr int kBannerFrames = 80;
constexpr int kResultEnd = 200;
constexpr int kClearBannerReveal = 100;
constexpr int kBlack = 16;
constexpr int kRow = 16;
constexpr int kCentre = 320;
constexpr int kMenuY = 272;
constexpr int kHintY = 456;
constexpr int kPauseTexts = 19;
constexpr int kRetryTexts = 23;
constexpr int kRankHintText = 28;
constexpr int kFlyingAnim = 2;
constexpr int kWalkingAnim = 0;
constexpr std::uint16_t kButton1 = 1, kButton2 = 2;
constexpr int kF3 = 0x72;

// Pause commands by list index.
enum : int { kCmdQuit = 0, kCmdContinue, kCmdRetry, kCmdMap };

DDSURFACEDATA& WordPicture() { return SurfaceArray[52]; }

void DrawWord(int x, int y, int sx, int sy, int w, int h) { DDBlt(&BackBuffer, x, y, w, h, &WordPicture(), sx, sy, 1); }

// A text of the system data centred on the hint line.
void DrawHintLine(int text) {
    if (text < 0 || text >= SystemData.SystemTexts.Count()) return;
    const std::string& line = SystemData.SystemTexts[text];
    Fonts[1].DrawText(&BackBuffer, kCentre - CountChars(line) * kRow / 2, kHintY, line.c_str());
}

bool StepFadeFromBlack() {
    return ScreenFadeFromBlack(PaletteWork, 0, 255, 0, 0, 0, static_cast<double>(Game.FadeLength), Palette, 0);
}

bool StepFadeToBlack() {
    return ScreenFadeToBlack(PaletteWork, 0, 255, 0, 0, 0, static_cast<double>(Game.FadeLength), Palette, 0);
}

// Input of a menu frame: the auto-repeat and one press per held button.
cKeyState& MenuKeys() {
    cKeyState& keys = KeyStates[0];
    keys.ApplyRepeat();
    keys.LatchButtons(3);
    return keys;
}

void DrawCursor() {
    const CursorState& c = CursorStack.Top();
    DrawPicture(kPicAccessory, c.x, c.y, kSmallCursorX, kSmallCursorY, kSmallCursorSize, kSmallCursorSize);
}

bool ClearedBefore() {
    if (Game.GameKind == kGameKindStory) {
        for (const cClearedStage& s : StoryData.m_vCleared) {
            if (s.m_strFile == StoryData.m_strStageKey) return true;
        }
        return false;
    }
    const int index = StoryData.m_nStageNo - 1;
    return index >= 0 && index < StoryData.m_vChallenge.Count() && StoryData.m_vChallenge[index].m_bCleared != 0;
}

bool DirectOrTest() { return DirectStart != 0 || TestPlay != 0; }

}  // namespace

void cSceneStage::FadeIn() {
    Draw(0, 1, 0, 1);
    if (StepFadeFromBlack()) m_nState = kStateStartBanner;
}

void cSceneStage::StartBanner() {
    Draw(0, 1, 0, 1);
    if (!(TestPlay && DirectStart)) {
        if (Game.PlayType == kPlayTypeReplay) {
            if (++m_nBanner < kBannerFrames) {
                DrawWord(256, 224, 0, 32, 128, 32);
                return;
            }
        } else {
            if (LoadedStage.m_bStartBanner1 && m_nBanner < kBannerFrames) {
                if (++m_nBanner < kBannerFrames) {
                    DrawWord(256, 224, 0, 0, 128, 32);
                    DrawNumber(&BackBuffer, 384, 224, 32, 32, &WordPicture(), 0, 128, 1, StoryData.m_nStageNo, 0, 0, 0);
                    return;
                }
            }
            if (LoadedStage.m_bStartBanner2 && ++m_nBanner2 < kBannerFrames) {
                DrawWord(280, 224, 160, 0, 80, 32);
                return;
            }
        }
    }
    if (PlayerList.Count() > 0) {
        cPlayer& hero = PlayerList[0];
        hero.m_Anim.SetAnim(hero.m_bFly ? kFlyingAnim : kWalkingAnim, 1);
    }
    m_nBanner = 0;
    m_nState = kStatePlay;
}

void cSceneStage::ChoosePauseCommands() {
    m_vecPauseCmd.resize(4);
    int i = 0;
    for (cCmd& cmd : m_vecPauseCmd) {
        const int text = kPauseTexts + i++;
        cmd.m_nEnabled = 1;
        cmd.m_strName = text < SystemData.SystemTexts.Count() ? SystemData.SystemTexts[text] : std::string();
    }
    if (Game.GameKind == kGameKindStory) {
        const bool cleared = ClearedBefore();
        m_vecPauseCmd[kCmdRetry].m_nEnabled = SystemData.m_bPauseSwitch1 && cleared;
        m_vecPauseCmd[kCmdMap].m_nEnabled = SystemData.m_bPauseSwitch2 && cleared;
    } else if (Game.GameKind == kGameKindChallenge) {
        m_vecPauseCmd[kCmdRetry].m_nEnabled = SystemData.m_bPauseSwitch3 && ClearedBefore();
        m_vecPauseCmd[kCmdMap].m_nEnabled = 0;
    } else {
        m_vecPauseCmd[kCmdMap].m_nEnabled = 0;
    }
}

void cSceneStage::PauseMenu() {
    if (RequestSaveReplay()) return;
    ChoosePauseCommands();
    if (m_nSubStep == 0) {
        CursorStack.Reset();
        CursorStack.Top().row = kCmdContinue;
        m_nSubStep = 1;
    } else if (m_nSubStep != 1) {
        return;
    }
    cKeyState& keys = MenuKeys();
    const int rows = static_cast<int>(EnabledCmdTable(m_vecPauseCmd).size());
    const int x = CmdWindowLeft(kCentre, m_vecPauseCmd);
    MoveGridCursor(keys.m_wRepeat, x, kMenuY, 0, kRow, 1, rows);
    PlayCursorSound(keys.m_wRepeat, 2, 0);
    if (keys.m_wButtons & kButton1) {
        PlaySystemSound(1);
        switch (cCmd::GetCmdNum(CursorStack.Top().row, m_vecPauseCmd)) {
            case kCmdQuit:
                m_nState = kStateFadeOut;
                if (DirectStart) {
                    PostMessageA(MainWindowHandle.load(), WM_CLOSE, 0, 0);
                } else {
                    Game.RequestedScene = kSceneTitle;
                    Game.SelectCursor = Game.PlayType;
                    m_nSubStep = 0;
                }
                return;
            case kCmdContinue:
                m_bButtonLatch = 1;
                SetState(m_nResumeState, m_nResumeSubStep);
                return;
            case kCmdRetry:
                m_bButtonLatch = 1;
                StoryData.RestoreStageStart(1, Game.GameKind, DirectStart != 0);
                ResetStage(*this, 1, 0);
                SetState(kStateStartBanner, 0);
                return;
            default:
                m_bButtonLatch = 1;
                StoryData.RestoreStageStart(0, Game.GameKind, DirectStart != 0);
                StoryData.m_nRounds = 1;
                Game.RequestedScene = kSceneWorldMap;
                SetState(kStateFadeOut, 0);
                return;
        }
    }
    if (keys.m_wButtons & kButton2) {
        PlaySystemSound(2);
        m_bButtonLatch = 1;
        SetState(m_nResumeState, m_nResumeSubStep);
        return;
    }
    Draw(0, 1, 0, 1);
    DrawCmdWindow(&BackBuffer, x, kMenuY, m_vecPauseCmd);
    DrawCursor();
}

void cSceneStage::Result() {
    const int automatic = LoadedStage.m_bSkipResult;
    const int manualRanking = OptionData.m_nRankingMode <= 1;
    if (!automatic) {
        if (CheckPauseKey()) {
            SetState(kStatePauseMenu, 0);
            return;
        }
        RequestSaveReplay();
        if (manualRanking && (GetAsyncKeyState(kF3) & 0x8000)) RegisterRanking(*this, m_strRankName, RankingBackdrop());
    }
    if (m_nSubStep == 0) {
        m_nBanner = 0;
        m_nSubStep = 1;
    } else if (m_nSubStep != 1) {
        return;
    }
    cKeyState& keys = MenuKeys();
    const bool leave = m_nBanner >= kResultEnd && (automatic || (keys.m_wButtons & kButton1));
    if (leave) {
        if (!automatic) {
            if (m_bRankEligible && !manualRanking) {
                RegisterRanking(*this, m_strRankName, RankingBackdrop());
            } else {
                PlaySystemSound(1);
            }
        }
        Game.RequestedScene = NextStage();
        m_nBanner = 0;
        SetState(kStateFadeOut, 0);
        return;
    }
    const bool hint = !automatic && !m_bRankDone && manualRanking &&
                      std::any_of(m_vecRankSlot.begin(), m_vecRankSlot.end(), [](int slot) { return slot != -1; });
    Draw(0, 1, 0, hint ? 0 : 1);
    if (hint) DrawHintLine(kRankHintText);
    if (LoadedStage.m_bClearBanner) {
        m_nBanner += 4;
        if (m_nBanner < kClearBannerReveal) {
            DDBltSplit(&BackBuffer, 256, 192, 128, 32, 4, kClearBannerReveal - m_nBanner, &WordPicture(), 0, 64, 1, 0);
        } else {
            DrawWord(256, 192, 0, 64, 128, 32);
        }
    } else {
        m_nBanner = kResultEnd;
    }
    if (m_nBanner >= kResultEnd && Game.RankingsOn && !automatic) {
        DrawResultPanel(&BackBuffer, 336, 224, m_vecRankSlot, m_vecRankScore, LoadedStage.m_vnRankingOn);
    }
}

void cSceneStage::RetryPrompt() {
    if (RequestSaveReplay()) return;
    if (m_nSubStep == 0) {
        CursorStack.Reset();
        m_nSubStep = 1;
    } else if (m_nSubStep != 1) {
        return;
    }
    cKeyState& keys = MenuKeys();
    const int x = SystemData.MenuTextLeft(kCentre, kRetryTexts, 2, 1);
    MoveGridCursor(keys.m_wRepeat, x, kMenuY, 0, kRow, 1, 2);
    PlayCursorSound(keys.m_wRepeat, 2, 0);
    if (keys.m_wButtons & kButton1) {
        PlaySystemSound(1);
        if (CursorStack.Top().row == 0) {
            ResetStage(*this, 1, 0);
            m_nState = kStateStartBanner;
        } else {
            StoryData.m_nRounds = 1;
            Game.RequestedScene = kSceneWorldMap;
            SetState(kStateFadeOut, 0);
        }
        return;
    }
    Draw(0, 1, 0, 1);
    DrawMenuTexts(SystemData, &BackBuffer, x, kMenuY, kRetryTexts, 2, 1);
    DrawCursor();
}

void cSceneStage::GameOver() {
    if (CheckPauseKey()) {
        SetState(kStatePauseMenu, 0);
        return;
    }
    if (RequestSaveReplay()) return;
    if (KeyStates[0].m_wButtons & kButton1) {
        PlaySystemSound(1);
        Game.RequestedScene = kSceneTitle;
        m_nState = kStateFadeOut;
        return;
    }
    Draw(0, 1, 0, 1);
    if (LoadedStage.m_bGameOverBanner) DrawWord(248, 224, 0, 96, 144, 32);
}

void cSceneStage::FadeOut() {
    if (!StepFadeToBlack()) return;
    DDFillSurface(&BackBuffer, kBlack);
    if (ReturnToTitleAfterStage && !TestPlay) Game.RequestedScene = kSceneTitle;
    if ((Game.PlayType == kPlayTypeFree && StoryData.m_nAfterClear == 0) || DirectOrTest()) {
        StoryData.m_nAfterClear = 0;
        if (!PlayStageFile(LoadedStage.m_strPath, 0)) FatalClose();
    } else if (Game.PlayType <= kPlayTypeStoryLast) {
        StoryData.m_nStartMode = 0;
    }
    Game.FrameRate = 60;
    Game.CurrentScene = Game.RequestedScene;
    Game.PreviousScene = kSceneStage;
    m_nState = -1;
}

void cSceneStage::EndAttemptAfterDeath() {
    if (Game.PlayType == kPlayTypeReplay) {
        StoryData.RestoreStageStart(1, Game.GameKind, DirectStart != 0);
        ResetStage(*this, 1, 1);
        m_nState = kStateStartBanner;
        return;
    }
    if (!UseLife(StoryData)) {
        m_nState = kStateGameOver;
        return;
    }
    if (LoadedStage.m_bCarryStatus) StoryData.ClearListedFlags();
    StoryData.RestoreStageStart(0, Game.GameKind, DirectStart != 0);
    if (Game.GameKind == kGameKindStory && SystemData.m_bRetryPrompt) {
        SetState(kStateRetryPrompt, 0);
        return;
    }
    ResetStage(*this, 1, 0);
    m_nState = kStateStartBanner;
}

int cSceneStage::DrawHero(int frozen) {
    if (PlayerList.Count() == 0) return 0;
    cPlayer& hero = PlayerList[0];
    hero.UpdateScreenRect();
    if (!hero.m_bDead) {
        hero.DrawMarkerRects(&BackBuffer, frozen);
        hero.DrawLifeGauge(&BackBuffer);
        hero.DrawSpGauge(&BackBuffer);
        return 0;
    }
    if (!hero.DrawHeld(&BackBuffer, frozen)) return 0;
    // Only a draw that advances the death display can bring it to its end,
    // and only the play frame's draw advances. The frozen draws that follow
    // (the retry prompt, the game over, the pause menu, the result, the
    // ranking table, a held command's wait) still find it ended; ending the
    // attempt there again would take a life every frame.
    if (frozen) return 0;
    EndAttemptAfterDeath();
    return 1;
}

int cSceneStage::DrawChara(cStageChara& chara, int frozen) {
    chara.UpdateScreenRect();
    if (chara.m_bDead) return chara.DrawHeld(&BackBuffer, frozen) ? 1 : 0;
    if (chara.IsOnScreen()) {
        if (chara.m_Def.m_bTransparent) {
            chara.PickGraphic(frozen);
            chara.DrawEffectOnly(frozen);
        } else {
            chara.Draw(&BackBuffer, frozen);
        }
        chara.DrawLifeGauge(&BackBuffer);
        chara.DrawSpGauge(&BackBuffer);
        if (!chara.m_Def.m_bTransparent) chara.DrawHeldItemIcon(&BackBuffer);
    } else if (chara.m_bAwake) {
        chara.PickGraphic(frozen);
        chara.DrawEffectOnly(frozen);
    }
    return 0;
}

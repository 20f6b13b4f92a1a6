#include "scenes/stage_play/mode_stage.h"

#include <string>

#include "draw/device.h"
#include "draw/fades.h"
#include "draw/palette.h"
#include "draw/surface_table.h"
#include "draw/surfaces.h"
#include "foundation/abort.h"
#include "foundation/report.h"
#include "gamedata/project/global_data.h"
#include "gamedata/stage_file/stage_loader.h"
#include "platform/window.h"
#include "scenes/menu/cursor_stack.h"
#include "scenes/rankings/ranking_set.h"
#include "scenes/stage_play/key_log.h"
#include "scenes/stage_play/stage_reset.h"
#include "scenes/stage_play/stage_resources.h"
#include "shell/app_state.h"
#include "shell/direct_play.h"
#include "shell/key_state.h"
#include "stage/drawing/chara_graphic.h"
#include "stage/objects/player.h"

namespace {

constexpr int kPlayTypeStoryLast = 1;
constexpr int kPlayTypeReplay = 4;
constexpr int kLayerCount = 8;
constexpr int kFirstLayerEntry = 56;

// Built-in pictures of the scene: the blocks, characters, shots, items and
// marks, the windows, the accessory and word pictures, the layers and the
// work pictures.
std::vector<int> BuiltInPictures() {
    std::vector<int> pictures;
    for (int k = 2; k <= 44; ++k) pictures.push_back(k);
    for (int k : {46, 47, 48, 50, 52}) pictures.push_back(k);
    for (int k = 56; k <= 71; ++k) pictures.push_back(k);
    return pictures;
}

bool LayerUsesPicture(int layer) {
    if (layer >= LoadedStage.m_vLayers.Count()) return false;
    const cStageLayer& l = LoadedStage.m_vLayers[layer];
    return !l.m_bFill && !l.m_strPicture.empty();
}

// An entry without a file (a layer without a picture) stays empty.
bool LoadEntry(int k) {
    if (SurfaceTable[k].fileName[0] == '\0') {
        DDReleaseSurface(&SurfaceArray[k]);
        return true;
    }
    return DDLoadSurfaceTable(SurfaceArray, &k, 1);
}

void NameLayerEntries() {
    for (int i = 0; i < kLayerCount; ++i) {
        SURFACETABLEENTRY& e = SurfaceTable[kFirstLayerEntry + i];
        const std::string name = LayerUsesPicture(i) ? LoadedStage.m_vLayers[i].m_strPicture : std::string();
        std::snprintf(e.fileName, sizeof e.fileName, "%s", name.c_str());
    }
}

}  // namespace

int UseLife(cStorySave& progress) {
    if (DirectStart) return 1;
    if (progress.m_nLives == kInfiniteLives) return 1;
    if (progress.m_nLives >= 1) {
        --progress.m_nLives;
        return 1;
    }
    return 0;
}

cModeStage::cModeStage() {
    SetStageState(this);
    m_lpMessageSink = &m_Messages;
    m_ScrollX.m_dPos = m_ScrollY.m_dPos = 0.0;
    StoryData.m_nBgm = 0;
    InstallSceneServices();
}

cModeStage::~cModeStage() {
    UninstallSceneServices();
    if (m_bPicturesLoaded) {
        for (int k : BuiltInPictures()) DDReleaseSurface(&SurfaceArray[k]);
        ReleaseStageBitmaps();
    }
}

void cModeStage::Run() {
    if (AbortFlag.load() != 0) return;
    if (m_nState == -1) {
        try {
            Init();
        } catch (const char* text) { FatalLogF(MainWindowHandle.load(), "%s", text); } catch (const std::string& text) {
            FatalLogF(MainWindowHandle.load(), "%s", text.c_str());
        }
        m_nState = kStateFadeIn;
        if (AbortFlag.load() != 0) return;
    }
    using Step = void (cModeStage::*)();
    static constexpr Step kStates[] = {&cModeStage::FadeIn,    &cModeStage::StartBanner, &cModeStage::PlayFrame,
                                       &cModeStage::PauseMenu, &cModeStage::Result,      &cModeStage::RetryPrompt,
                                       &cModeStage::GameOver,  &cModeStage::FadeOut};
    if (m_nState < 0 || m_nState >= static_cast<int>(std::size(kStates))) return;
    const Step step = kStates[m_nState];
    (this->*step)();
}

bool cModeStage::LoadBuiltInPictures() {
    for (int k : BuiltInPictures()) {
        if (!LoadEntry(k)) {
            FatalClose();
            return false;
        }
    }
    m_bPicturesLoaded = true;
    return true;
}

bool cModeStage::LoadLayerPictures() {
    for (int i = 0; i < kLayerCount; ++i) {
        if (!LoadEntry(kFirstLayerEntry + i)) {
            FatalClose();
            return false;
        }
    }
    return true;
}

void cModeStage::Init() {
    int fresh = 1;
    if (Game.PlayType <= kPlayTypeStoryLast && StoryData.m_nStartMode != 0) {
        std::string name;
        if (!StageFileName(name, StoryData.m_nStageNo, 0) || !LoadStageThreaded(name, 0, &PlayStage, &HeroDef)) {
            ErrorBoxF("ステージファイル %s が読み込めません！", name.c_str());
            FatalClose();
        }
        fresh = 0;
    }
    m_vecRankSlot.resize(5, 0);
    m_vecRankScore.resize(5, 0);
    SelectIconSheets();
    NameLayerEntries();
    if (Game.PreviousMode != kModeStage) {
        if (!LoadBuiltInPictures()) return;
        BuildShotCells();
        LoadStageBitmaps();
        LoadSwordBitmaps();
        LoadEffectBitmaps();
        if (fresh) {
            BeginPlay();
            UseLife(StoryData);
        }
    } else if (!LoadLayerPictures()) {
        return;
    }
    ResetStage(*this, Game.PreviousMode == kModeStage ? 1 : 0, 1);
    m_bShowStatus = LoadedStage.m_bShowStatus;
    CursorStack.Reset();
    m_nSubStep = 0;
}

void cModeStage::BeginPlay() {
    if (Game.PlayType != kPlayTypeReplay && StoryData.m_nLinkA != 0 && StoryData.m_nLinkB >= 0 &&
        StoryData.m_nLinkB < StoryData.m_vVar.Count()) {
        StoryData.m_vVar[StoryData.m_nLinkB] = StoryData.m_nLinkC;
    }
    StoryData.m_nLives = StoryData.m_nStartLives;
    StoryData.m_nStageScore = StoryData.m_nScore = 0;
    StoryData.m_nTimeLeftTotal = StoryData.m_nClearTimeTotal = 0;
    StoryData.m_nHpTotal = StoryData.m_nSpTotal = 0;
    StoryData.m_nStageValue1 = 0;
    m_ScrollX.m_dPos = m_ScrollY.m_dPos = 0.0;
    m_nSubStep = 0;
    m_nBanner = m_nBanner2 = 0;
    m_bButtonLatch = 0;
    m_nTime = 0;
    m_bRankDone = 0;
    m_Messages.ClearMessagePictures();
    if (Game.PlayType != kPlayTypeReplay) {
        KeyLog.Clear();
        KeyLog2.Clear();
    }
    if (DirectStart) StoryData.m_nStageNo = 1;
    if (Game.RankingsOn) {
        LoadRankingFile(RankingSet, Game.GameKind, StoryData.m_strStage, StoryData.m_nLinkA, StoryData.m_nLinkB,
                        StoryData.m_nLinkC);
    }
}

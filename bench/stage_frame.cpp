// One full stage frame drawn in the device path: three background layers
// (one opaque, one keyed and auto-scrolled, one in front), a screen of map
// blocks behind and in front with marks, the light around the hero, 60
// effects, two pictures, the status panel with all five items and the
// time.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <cstring>

#include "draw/device.h"
#include "draw/font.h"
#include "draw/palette.h"
#include "draw/surface_table.h"
#include "draw/surfaces.h"
#include "gamedata/database/database.h"
#include "gamedata/database/effect_tables.h"
#include "gamedata/project/global_data.h"
#include "gamedata/project/system_data.h"
#include "gamedata/stage_file/stage_data.h"
#include "gamedata/story/story_save.h"
#include "platform/present.h"
#include "scenes/stage_play/light_mask.h"
#include "scenes/stage_play/map_blocks.h"
#include "scenes/stage_play/stage_layers.h"
#include "scenes/stage_play/status_panel.h"
#include "scenes/stage_play/time_display.h"
#include "stage/drawing/effect_inst.h"
#include "stage/drawing/picture_inst.h"
#include "stage/objects/block_map.h"
#include "stage/objects/player.h"
#include "stage/objects/stage_state.h"

namespace {

constexpr int kStageWidth = 40, kStageHeight = 20;
constexpr int kEffects = 60;

// A picture of the given size whose every fourth column of each 8 x 8
// square is transparent, so keyed blits do real work.
void MakePicture(DDSURFACEDATA& sd, int w, int h, bool keyed) {
    DDCreateSurface(&sd, w, h, keyed ? 1 : 0, 0, DTMEMORYTYPE_VIDEO_RT, 0, 0);
    DDPIXELS& px = *sd.Pixels();
    for (int y = 0; y < px.nHeight; ++y)
        for (int x = 0; x < px.nWidth; ++x) {
            const bool hole = keyed && (x % 8) < 2;
            px.Put(x, y, hole ? 0u : 0xFF000000u | (0x204060u + std::uint32_t(x * 5 + y * 11)));
        }
    px.NoteOpacity();
}

cStageLayer Layer(int front, double ratio, int autoX) {
    cStageLayer layer;
    layer.m_nFront = front;
    layer.m_dRatioX = layer.m_dRatioY = ratio;
    layer.m_bAutoX = autoX;
    layer.m_dAutoSpeedX = 0.5;
    return layer;
}

struct StageFrame {
    cStageState state;
    cVector<DDSURFACEDATA> effectPictures = cVector<DDSURFACEDATA>(2);

    StageFrame() {
        DDInit(1, nullptr, 640, 480, 32, 1, 1, 1, 60, 0, nullptr, nullptr, 0, 0);
        for (int i = 0; i < 256; ++i) Palette[i] = {BYTE(i * 37), BYTE(i * 91 + 40), BYTE(i * 53 + 90), 0};
        std::memcpy(PaletteWork, Palette, sizeof Palette);
        MakePicture(SurfaceArray[2], 64, 480, true);
        MakePicture(SurfaceArray[43], 64, 480, true);
        MakePicture(SurfaceArray[47], 640, 20, true);
        MakePicture(SurfaceArray[50], 128, 176, true);
        MakePicture(SurfaceArray[52], 320, 192, true);
        MakePicture(SurfaceArray[56], 256, 256, false);
        MakePicture(SurfaceArray[57], 256, 128, true);
        MakePicture(SurfaceArray[58], 128, 480, true);
        MakePicture(effectPictures[0], 256, 32, true);
        MakePicture(effectPictures[1], 256, 32, true);
        FONTTABLEENTRY entries[kDefaultFontCount];
        std::copy(std::begin(FontTable), std::end(FontTable), entries);
        for (FONTTABLEENTRY& e : entries) e.nCacheMode = 1;
        CreateFonts(Fonts, entries, kDefaultFontCount);

        SetStageState(&state);
        LoadedStage = cStageData();
        LoadedStage.m_nWidth = kStageWidth;
        LoadedStage.m_nHeight = kStageHeight;
        state.m_ScrollX.SetGrid(0, kStageWidth, 640, true);
        state.m_ScrollY.SetGrid(1, kStageHeight, 480, false);
        state.m_ScrollX.m_dPos = state.m_ScrollX.m_nOuterMin + 45.5;
        state.m_ScrollY.m_dPos = state.m_ScrollY.m_nOuterMin + 13;
        for (int r = 0; r < kStageHeight; ++r)
            for (int c = 0; c < kStageWidth; ++c) {
                cBlockDef b;
                b.m_sCellX = static_cast<std::int16_t>(c);
                b.m_sCellY = static_cast<std::int16_t>(r);
                b.m_sCell = static_cast<std::int16_t>(1 + (c + r) % 20);
                b.m_cDrawPass = static_cast<std::int8_t>((c * 7 + r) % 5 == 0);
                b.m_bShowIcon = (c + r * 3) % 9 == 0;
                b.m_sIconNo = static_cast<std::int16_t>(c % 30);
                LoadedStage.m_vPlacedBlocks.push_back(b);
            }
        BuildBlockMap(LoadedStage);
        LoadedStage.m_vLayers = {Layer(0, 0.5, 0), Layer(0, 1.0, 1), Layer(1, 0.0, 0)};

        Database.Effect.assign(2, cEffect());
        Database.Effect[1].m_vFrames.resize(8);
        BuildEffectSequences(EffectSequences);
        for (int k = 0; k < kEffects; ++k)
            state.m_lstEffect.emplace_back(1, state.m_ScrollX.m_dPos + (k * 97) % 600,
                                           state.m_ScrollY.m_dPos + (k * 61) % 440, 32, 32, 0);
        for (int k = 0; k < 2; ++k) {
            cPictureInst& p = state.m_lstPicture.emplace_back();
            DDSURFACEDATA& sd = state.m_lstPictureSurface.emplace_back();
            state.m_lstPictureEntry.emplace_back();
            MakePicture(sd, 160, 120, true);
            p.Init(1, PicturePlace::ScreenCentre, 0, 0, 0, k * 200 - 100, 0, 160, 120, 1, k, 100, 0, 0, 0, 0, 0, 0);
        }

        SystemData.StatusItems.clear();
        for (int i = 0; i < StatusItem::Count; ++i) {
            cStatusItem& s = SystemData.StatusItems.emplace_back(i == 4 ? "L" : "", 6);
            s.m_bShow = 1;
            s.m_bIcon = i != 4;
            s.m_bGaugeNumber = 1;
        }
        StoryData.m_nScore = 123456;
        StoryData.m_nStageScore = 789;
        StoryData.m_nLives = 3;
        PlayerList.resize(1);
        cPlayer& hero = PlayerList[0];
        hero.m_Def.m_nMaxHp = hero.m_nLife = 10;
        hero.m_Def.m_nMaxSp = 20;
        hero.m_nSP = 7;
        hero.m_Def.m_cSightShape = LightKind::Round;
        hero.m_nSightPx = 96;
        hero.m_rcScreen = {304, 224, 335, 255};
        state.m_bShowStatus = 1;
        state.m_nTime = 250;
    }
    ~StageFrame() {
        ClearPictures(state);
        DDReleaseSurfaceVector(effectPictures);
        for (Font& f : Fonts) f.Release();
        for (DDSURFACEDATA& sd : SurfaceArray) DDReleaseSurface(&sd);
        SetStageState(nullptr);
        PlayerList.clear();
        DDRelease();
    }

    void Draw() {
        DDSURFACEDATA* dst = &BackBuffer;
        ScrollLayers(LoadedStage, 0);
        DrawBackground(dst, 0, state, LoadedStage);
        DrawPictures(dst, state, 0, 1, 0);
        DrawMapBlocks(dst, 0, state);
        DrawMapBlocks(dst, 1, state);
        DrawBackground(dst, 1, state, LoadedStage);
        DrawSpotlight(dst, PlayerList[0], &SurfaceArray[kLightMaskPicture], &SurfaceArray[kLightHolePicture]);
        DrawPictures(dst, state, 1, 1, 0);
        // Frozen: the effects stay on screen however many frames run.
        UpdateEffects(dst, state, 1, effectPictures);
        DrawStatusPanel(dst, state);
        DrawTimeDisplay(dst, state, 0);
    }
};

void BM_StageFrame(benchmark::State& bm) {
    StageFrame frame;
    // STAGE_FRAME_PNG=FILE writes the frame measured, for a look at it.
    if (const char* png = std::getenv("STAGE_FRAME_PNG")) {
        frame.Draw();
        DDFlip(60, 0, 0);
        platform::WritePng(png, platform::LastPresentedFrame());
    }
    for (auto _ : bm) {
        frame.Draw();
        benchmark::ClobberMemory();
    }
    bm.counters["effects"] = static_cast<double>(frame.state.m_lstEffect.size());
}
BENCHMARK(BM_StageFrame)->Unit(benchmark::kMillisecond)->MinTime(2.0);

}  // namespace

BENCHMARK_MAIN();

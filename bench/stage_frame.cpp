// One full stage frame drawn in the order of the stage scene's frame: three
// background layers (one opaque, one keyed and auto-scrolled, one in front),
// a screen of map blocks behind and in front with marks, the hero and 100
// characters, 300 shots, the light around the hero, 60 effects, two
// pictures, a framed message, the status panel with all five items and the
// time. Argument 1 draws in the device path (32 bits), 0 in 8-bit
// DirectDraw.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <cstring>

#include "draw/device/device.h"
#include "draw/device/surface_table.h"
#include "draw/device/surfaces.h"
#include "draw/palette.h"
#include "draw/sprite_batch.h"
#include "draw/text/font.h"
#include "gamedata/database/database.h"
#include "gamedata/database/effect_tables.h"
#include "gamedata/global_data.h"
#include "gamedata/project/system_data.h"
#include "gamedata/stage_file/stage_data.h"
#include "gamedata/story/story_save.h"
#include "platform/present.h"
#include "scenes/stage_play/light_mask.h"
#include "scenes/stage_play/map_blocks.h"
#include "scenes/stage_play/presentation/message.h"
#include "scenes/stage_play/stage_layers.h"
#include "scenes/stage_play/status_panel.h"
#include "scenes/stage_play/time_display.h"
#include "stage/core/effect_inst.h"
#include "stage/core/picture_inst.h"
#include "stage/objects/block_map.h"
#include "stage/objects/player.h"
#include "stage/objects/stage_chara.h"
#include "stage/objects/stage_state.h"

namespace {

constexpr int kStageWidth = 40, kStageHeight = 20;
constexpr int kEffects = 60;
constexpr int kCharas = 100;
constexpr int kShots = 300;
// The character sheet 0 (left and right facing, and their second pair)
// and the two shot sheets.
constexpr int kCharaSheets[] = {4, 5, 22, 23};
constexpr int kShotSheets[] = {20, 21};

// A picture of the given size whose every fourth column of each 8 x 8
// square is transparent, so keyed blits do real work.
void MakePicture(DDSURFACEDATA& sd, int w, int h, bool keyed, std::uint32_t base = 0x204060u) {
    DDCreateSurface(&sd, w, h, keyed ? 1 : 0, 0, DTMEMORYTYPE_VIDEO_RT, 0, 0);
    DDPIXELS& px = *sd.Pixels();
    const bool indexed = px.fmt == D3DFMT_P8;
    for (int y = 0; y < px.nHeight; ++y)
        for (int x = 0; x < px.nWidth; ++x) {
            const bool hole = keyed && (x % 8) < 2;
            const std::uint32_t colour = base + std::uint32_t(x * 5 + y * 11);
            px.Put(x, y, hole ? 0u : indexed ? 1 + colour % 255 : 0xFF000000u | colour);
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

// Places an object's 32 x 32 (or 16 x 16) graphic at a screen position.
void PlaceOnScreen(cObject& o, const cStageState& state, int x, int y, int size) {
    o.m_dX = state.m_ScrollX.m_dPos + x;
    o.m_dY = state.m_ScrollY.m_dPos + y;
    o.m_nWidth = o.m_nHeight = o.m_nBaseWidth = o.m_nBaseHeight = size;
    o.m_rcGraphic = o.m_rcGraphicBase = {0, 0, size, size};
    o.m_bExists = 1;
}

struct StageFrame {
    cStageState state;
    cMessageList messages;
    cVector<DDSURFACEDATA> effectPictures = cVector<DDSURFACEDATA>(2);

    explicit StageFrame(int d3d) {
        DDInit(d3d, nullptr, 640, 480, d3d ? 32 : 8, 1, 1, 1, 60, 0, nullptr, nullptr, 0, 0);
        for (int i = 0; i < 256; ++i) Palette[i] = {BYTE(i * 37), BYTE(i * 91 + 40), BYTE(i * 53 + 90), 0};
        std::memcpy(PaletteWork, Palette, sizeof Palette);
        std::memcpy(DDPaletteColors, Palette, sizeof Palette);
        MakePicture(SurfaceArray[2], 64, 480, true);
        MakePicture(SurfaceArray[43], 64, 480, true);
        MakePicture(SurfaceArray[47], 640, 20, true);
        MakePicture(SurfaceArray[50], 128, 176, true);
        MakePicture(SurfaceArray[52], 320, 192, true);
        MakePicture(SurfaceArray[56], 256, 256, false);
        MakePicture(SurfaceArray[57], 256, 128, true);
        MakePicture(SurfaceArray[58], 128, 480, true);
        for (int sheet : kCharaSheets) MakePicture(SurfaceArray[sheet], 640, 480, true, 0xC02000u);
        for (int sheet : kShotSheets) MakePicture(SurfaceArray[sheet], 480, 64, true, 0xE0E000u);
        MakePicture(effectPictures[0], 256, 32, true);
        MakePicture(effectPictures[1], 256, 32, true);
        FONTTABLEENTRY entries[kDefaultFontCount];
        std::copy(std::begin(FontTable), std::end(FontTable), entries);
        for (FONTTABLEENTRY& e : entries) e.nCacheMode = 1;
        CreateFonts(Fonts, entries, kDefaultFontCount);

        SetStageState(&state);
        state.m_lpMessageSink = &messages;
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

        Database.AnimeSet.assign(1, cAnimeSet());
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
        PlaceOnScreen(hero, state, 304, 224, 32);
        hero.m_Def.m_cSheet = 1;
        hero.m_Def.m_bNoIcon = 1;
        hero.m_Def.m_nMaxHp = hero.m_nLife = 10;
        hero.m_Def.m_nMaxSp = 20;
        hero.m_nSP = 7;
        hero.m_Def.m_cSightShape = LightKind::Round;
        hero.m_nSightPx = 96;
        hero.m_rcScreen = {304, 224, 335, 255};
        // The characters over the whole screen, a quarter with their mark.
        CharaList.clear();
        for (int k = 0; k < kCharas; ++k) {
            cStageChara& c = CharaList.emplace_back();
            PlaceOnScreen(c, state, (k * 131) % 608, 20 + (k * 71) % 428, 32);
            c.m_nCharaKind = 1;
            c.m_nDirection = k % 2;
            c.m_Def.m_cSheet = 1;
            c.m_nGraphic = k % 15;
            c.m_Def.m_bNoIcon = k % 4 != 0;
            c.m_Def.m_sIconNo = static_cast<std::int16_t>(k % 15);
        }
        for (int k = 0; k < kShots; ++k) {
            cShot& s = state.AppendShot(cEdShot());
            PlaceOnScreen(s, state, (k * 53) % 624, 20 + (k * 37) % 444, 16);
            s.m_bShot = 1;
            s.m_nDirection = k % 2;
            s.m_nGraphic = k % 60;
            state.JoinGroup(s);
        }
        MessageRequest message;
        message.nKind = MessageKind::Text;
        // "Make for the goal!" (lower-case letters are the font's symbols)
        message.strText = "\x83\x53\x81\x5B\x83\x8B\x82\xF0\x96\xDA\x8E\x77\x82\xB9\x81\x49";
        message.nPlace = MessagePlace::ScreenCentre;
        message.nTimeKind = MessageTime::UntilStageEnd;
        message.bWindow = 1;
        state.AddMessage(message);
        state.m_bShowStatus = 1;
        state.m_nTime = 250;
    }
    ~StageFrame() {
        messages.ClearMessagePictures();
        ClearPictures(state);
        state.m_lstShot.clear();
        for (cList<cShot*>& group : state.m_vecForceShot) group.clear();
        CharaList.clear();
        PlayerList.clear();
        DDReleaseSurfaceVector(effectPictures);
        for (Font& f : Fonts) f.Release();
        for (DDSURFACEDATA& sd : SurfaceArray) DDReleaseSurface(&sd);
        SetStageState(nullptr);
        DDRelease();
    }

    // One pass of the objects (the stage draws in one layer): the hero,
    // the characters, then the shots on screen, each group one batch.
    void DrawObjects(DDSURFACEDATA* dst) {
        DDSpriteBatchOpen(0);
        PlayerList[0].Draw(dst, 1);
        DDSpriteBatchFlush();
        DDSpriteBatchOpen(0);
        for (cStageChara& c : CharaList) c.Draw(dst, 1);
        DDSpriteBatchFlush();
        DDSpriteBatchOpen(0);
        for (cShot& s : state.m_lstShot) {
            if (!s.IsOnScreen()) continue;
            s.UpdateScreenRect();
            s.Draw(dst, 1);
        }
        DDSpriteBatchFlush();
    }

    // Frozen throughout: animations, effects and display times stay as
    // they are however many frames run.
    void Draw() {
        DDSURFACEDATA* dst = &BackBuffer;
        ScrollLayers(LoadedStage, 0);
        DrawBackground(dst, 0, state, LoadedStage);
        DrawPictures(dst, state, 0, 1, 0);
        DrawMapBlocks(dst, 0, state);
        DrawObjects(dst);
        DrawMapBlocks(dst, 1, state);
        DrawBackground(dst, 1, state, LoadedStage);
        DrawSpotlight(dst, PlayerList[0], &SurfaceArray[kLightMaskPicture], &SurfaceArray[kLightHolePicture]);
        DrawPictures(dst, state, 1, 1, 0);
        UpdateEffects(dst, state, 1, effectPictures);
        messages.Update(state, dst, 1);
        DrawStatusPanel(dst, state);
        DrawTimeDisplay(dst, state, 0);
    }
};

void BM_StageFrame(benchmark::State& bm) {
    StageFrame frame(static_cast<int>(bm.range(0)));
    // STAGE_FRAME_PNG=FILE writes the frame measured, for a look at it.
    if (const char* png = std::getenv("STAGE_FRAME_PNG")) {
        frame.Draw();
        if (bm.range(0)) DDFlip(60, 0, 0);
        else DDPresent();
        platform::WritePng(std::string(png) + (bm.range(0) ? "" : ".dd8.png"), platform::LastPresentedFrame());
    }
    for (auto _ : bm) {
        frame.Draw();
        benchmark::ClobberMemory();
    }
    bm.counters["effects"] = static_cast<double>(frame.state.m_lstEffect.size());
    bm.counters["characters"] = static_cast<double>(CharaList.size());
    bm.counters["shots"] = static_cast<double>(frame.state.m_lstShot.size());
}
BENCHMARK(BM_StageFrame)->ArgName("d3d")->Arg(1)->Arg(0)->Unit(benchmark::kMillisecond)->MinTime(2.0);

}  // namespace

BENCHMARK_MAIN();

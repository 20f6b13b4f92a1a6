// What the stage drawing decides: the panel's layout and texts, the time
// and its warning sound, the light mask, the layers' scrolling.
#include "foundation/frame_timer.h"
#include "gamedata/global_data.h"
#include "gamedata/stage_file/stage_data.h"
#include "gamedata/story/story_save.h"
#include "scenes/stage_play/light_mask.h"
#include "scenes/stage_play/stage_draw_fixture.h"
#include "scenes/stage_play/stage_layers.h"
#include "scenes/stage_play/status_panel.h"
#include "scenes/stage_play/time_display.h"

namespace {

const char* const kScoreLabel = "\x83\x58\x83\x52\x83\x41";  // three two-byte characters

struct ItemSetting {
    bool show = false, icon = false;
    const char* label = "";
    int digits = 0;
};

void SetItems(const std::vector<ItemSetting>& settings) {
    SystemData.StatusItems.clear();
    for (const ItemSetting& it : settings) {
        cStatusItem& s = SystemData.StatusItems.emplace_back(it.label, it.digits);
        s.m_bShow = it.show;
        s.m_bIcon = it.icon;
    }
}

class StatusPanelLayoutTest : public ::testing::Test {
protected:
    void SetUp() override { saved.swap(SystemData.StatusItems); }
    void TearDown() override { SystemData.StatusItems.swap(saved); }
    cVector<cStatusItem> saved;
};

// Widths: icon 16 or 16 per label character, plus 50 for a gauge or 16 per
// digit; gaps (638 - widths) / (shown + 1).
TEST_F(StatusPanelLayoutTest, PlacesTheShownItemsWithEqualGaps) {
    const ItemSetting hidden{};
    const struct {
        const char* name;
        std::vector<ItemSetting> items;
        std::array<int, 5> x, width;
    } cases[] = {
        {"life gauge alone",
         {hidden, hidden, {true, true, "", 0}, hidden, hidden},
         {0, 0, 286, 0, 0},
         {0, 0, 66, 0, 0}},
        {"all five as icons",
         {{true, true, "", 6}, {true, true, "", 6}, {true, true, "", 0}, {true, true, "", 0}, {true, true, "", 2}},
         {39, 190, 341, 446, 551},
         {112, 112, 66, 66, 48}},
        {"labels count two-byte characters once",
         {{true, false, kScoreLabel, 6}, hidden, hidden, hidden, {true, false, "L", 2}},
         {148, 0, 0, 0, 440},
         {144, 0, 0, 0, 48}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        SetItems(c.items);
        const StatusPanelLayout layout = LayOutStatusPanel();
        EXPECT_EQ(layout.x, c.x);
        EXPECT_EQ(layout.width, c.width);
    }
    SetItems({hidden, hidden, hidden, hidden, hidden});
    EXPECT_EQ(LayOutStatusPanel().shown, 0);
}

TEST(StatusCountText, LabelValueAndUnlimitedLives) {
    const struct {
        int item;
        bool icon;
        const char* label;
        int value;
        const char* text;
    } cases[] = {
        {StatusItem::Lives, true, "L", kInfiniteLives, "-"},
        {StatusItem::Lives, false, "L", kInfiniteLives, "L-"},
        {StatusItem::Lives, false, "L", 3, "L3"},
        {StatusItem::Lives, true, "L", 999998, "999998"},
        {StatusItem::Score, false, "S", kInfiniteLives, "S999999"},
        {StatusItem::TotalScore, true, "", 0, "0"},
    };
    for (const auto& c : cases) {
        cStatusItem s(c.label, 6);
        s.m_bIcon = c.icon;
        EXPECT_EQ(StatusCountText(c.item, s, c.value), c.text) << c.item << " " << c.value;
    }
}

class StageDrawD3D : public StageDrawTest {
protected:
    void SetUp() override { ASSERT_NO_FATAL_FAILURE(StartStage(kD3D32, {"......", "..H...", "......"})); }
};

TEST_F(StageDrawD3D, LifeGaugeAloneStandsAtX302WithItsFill) {
    SetItems({{}, {}, {true, true, "", 0}, {}, {}});
    SystemData.StatusItems[StatusItem::Life].m_nThreshold = 1;
    stage->Hero().m_Def.m_nMaxHp = 3;
    stage->Hero().m_nLife = 2;
    stage->State().m_bShowStatus = 1;
    DrawStatusPanel(&BackBuffer, stage->State());
    EXPECT_EQ(Pixel(301, 8), Shown(TestColour::Panel + 1)) << "the panel left of the gauge";
    EXPECT_EQ(Pixel(302 + 32, 8), Shown(TestColour::Fill)) << "2 of 3 fills 33 pixels";
    EXPECT_EQ(Pixel(302 + 33, 8), Shown(TestColour::GaugeBack));
    EXPECT_EQ(Pixel(302 + 49, 8), Shown(TestColour::GaugeBack));
    EXPECT_EQ(Pixel(302 + 50, 8), Shown(TestColour::Panel + 2));

    stage->Hero().m_nLife = 1;
    DrawStatusPanel(&BackBuffer, stage->State());
    EXPECT_EQ(Pixel(302 + 15, 8), Shown(TestColour::Warning)) << "at the threshold: the warning fill";
    EXPECT_EQ(Pixel(302 + 16, 8), Shown(TestColour::GaugeBack));

    stage->State().m_bShowStatus = 0;
    DDFillSurface(&BackBuffer, TestColour::Plain);
    DrawStatusPanel(&BackBuffer, stage->State());
    EXPECT_EQ(Pixel(302, 8), Shown(TestColour::Plain)) << "a stage without the panel";
}

// The time is right-aligned in three cells without leading zeros: 0 fills
// the last cell only.
TEST_F(StageDrawD3D, TimeZeroTakesTheLastCellOnly) {
    DDFillSurface(&BackBuffer, TestColour::Plain);
    stage->State().m_nTime = 0;
    DrawTimeDisplay(&BackBuffer, stage->State(), 1);
    EXPECT_EQ(Pixel(272 + 5, 24 + 10), Shown(TestColour::Plain));
    EXPECT_EQ(Pixel(272 + 32 + 5, 24 + 10), Shown(TestColour::Plain));
    EXPECT_EQ(Pixel(272 + 64 + 5, 24 + 10), Shown(20)) << "the digit 0's frame";
    stage->State().m_bNoTimeLimit = 1;
    stage->State().m_nTime = 5;
    DDFillSurface(&BackBuffer, TestColour::Plain);
    DrawTimeDisplay(&BackBuffer, stage->State(), 1);
    EXPECT_EQ(Pixel(272 + 64 + 5, 24 + 10), Shown(TestColour::Plain)) << "no time limit, no time";
}

// The time limit counts the second counter once per play frame before the
// draw; the warning plays on the frames where it restarts, only in live
// play and only for 1 <= time <= the warning time.
TEST_F(StageDrawD3D, WarningSoundOncePerSecondWhileTheTimeRunsLow) {
    const struct {
        const char* name;
        int time, warning, showTime;
        std::vector<int> frames;
    } cases[] = {
        {"low", 5, 10, 1, {60, 120, 180}}, {"at the warning", 10, 10, 1, {60, 120, 180}},
        {"above it", 11, 10, 1, {}},       {"time 0", 0, 10, 1, {}},
        {"not live", 5, 10, 0, {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EveryNth(0, 60);
        LoadedStage.m_nTimeWarning = c.warning;
        stage->State().m_nTime = c.time;
        const std::size_t before = stage->Sounds().size();
        std::vector<int> frames;
        for (int frame = 1; frame <= 180; ++frame) {
            EveryNth(1, 60);
            const std::size_t heard = stage->Sounds().size();
            DrawTimeDisplay(&BackBuffer, stage->State(), c.showTime);
            if (stage->Sounds().size() != heard) frames.push_back(frame);
        }
        EXPECT_EQ(frames, c.frames);
        for (std::size_t i = before; i < stage->Sounds().size(); ++i) EXPECT_EQ(stage->Sounds()[i], kTimeWarningSound);
    }
}

// The mask is made again whenever it was made for another light, so that
// a radius of 0 darkens the whole frame and a mask never made is never shown.
TEST_F(StageDrawD3D, LightMaskFollowsTheHerosLight) {
    cChara& hero = stage->Hero();
    hero.m_nDirection = 1;
    hero.UpdateScreenRect();
    const int cx = (hero.m_rcScreen.left + hero.m_rcScreen.right) / 2;
    const int cy = (hero.m_rcScreen.top + hero.m_rcScreen.bottom) / 2;
    DDSURFACEDATA* mask = &SurfaceArray[kLightMaskPicture];
    DDSURFACEDATA* hole = &SurfaceArray[kLightHolePicture];
    const auto draw = [&] {
        DDFillSurface(&BackBuffer, TestColour::Plain);
        DrawSpotlight(&BackBuffer, hero, mask, hole);
    };

    hero.m_Def.m_cSightShape = LightKind::Square;
    hero.m_nSightPx = 32;
    draw();
    EXPECT_EQ(Pixel(cx, cy), Shown(TestColour::Plain)) << "a mask never made is made first";
    EXPECT_EQ(Pixel(cx + 31, cy), Shown(TestColour::Plain)) << "the square reaches r each way";
    EXPECT_EQ(Pixel(cx + 33, cy), Shown(TestColour::Dark));
    EXPECT_EQ(Pixel(0, 0), Shown(TestColour::Dark));

    hero.m_Def.m_cSightShape = LightKind::RoundAhead;
    draw();
    EXPECT_EQ(Pixel(cx + 40, cy), Shown(TestColour::Plain)) << "round, ahead of the hero";
    EXPECT_EQ(Pixel(cx - 30, cy), Shown(TestColour::Dark)) << "and not behind";
    EXPECT_EQ(Pixel(cx + 40, cy - 28), Shown(TestColour::Dark)) << "outside the disc, inside its square";

    hero.m_nSightPx = 0;
    draw();
    EXPECT_EQ(Pixel(cx, cy), Shown(TestColour::Dark)) << "radius 0: all dark";
    EXPECT_EQ(mask->nWidth, 1280);

    hero.m_Def.m_cSightShape = LightKind::None;
    draw();
    EXPECT_EQ(Pixel(0, 0), Shown(TestColour::Plain)) << "no light, no darkness";
}

TEST_F(StageDrawD3D, BackPassWithoutALayerClearsToColour16) {
    const auto back = [&] {
        DDFillSurface(&BackBuffer, TestColour::Plain);
        DrawBackground(&BackBuffer, 0, stage->State(), LoadedStage);
        return Pixel(100, 100);
    };
    EXPECT_EQ(back(), Shown(TestColour::Dark)) << "no layer";
    cStageLayer hidden;
    hidden.m_bShow = 0;
    LoadedStage.m_vLayers.assign(1, hidden);
    EXPECT_EQ(back(), Shown(TestColour::Dark)) << "no shown layer";
    cStageLayer noPicture;
    LoadedStage.m_vLayers.assign(4, hidden);
    LoadedStage.m_vLayers[3] = noPicture;
    EXPECT_EQ(back(), Shown(TestColour::Dark)) << "a layer whose picture did not load";
    cStageLayer front;
    front.m_nFront = 1;
    LoadedStage.m_vLayers.assign(1, front);
    EXPECT_EQ(back(), Shown(TestColour::Dark)) << "only a front layer";
}

TEST_F(StageDrawD3D, AutoScrollOffsetsStayWithinThePicture) {
    const struct {
        double speed;
        int frames;
        double offset;
    } cases[] = {{3.0, 30, 38.0}, {-5.0, 13, 1.0}, {64.0, 1, 0.0}, {1000.5, 3, 6.5}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.speed);
        cStageLayer layer;
        layer.m_bAutoX = 1;
        layer.m_dAutoSpeedX = c.speed;
        LoadedStage.m_vLayers.assign(2, cStageLayer());
        LoadedStage.m_vLayers[1] = layer;  // picture 57 is 64 pixels wide
        for (int f = 0; f < c.frames; ++f) ScrollLayers(LoadedStage, 0);
        EXPECT_DOUBLE_EQ(LoadedStage.m_vLayers[1].m_dAutoPosX, c.offset);
        ScrollLayers(LoadedStage, 1);
        EXPECT_DOUBLE_EQ(LoadedStage.m_vLayers[1].m_dAutoPosX, c.offset) << "the pause menu stops it";
    }
}

}  // namespace

#include "support/stage/stage_harness.h"

#include <gtest/gtest.h>

#include "gamedata/database/database.h"
#include "gamedata/global_data.h"
#include "gamedata/stage_file/stage_data.h"
#include "platform/random.h"
#include "platform/window.h"
#include "shell/app_state.h"
#include "shell/requests/error_requests.h"
#include "stage/movement/tile_contacts.h"
#include "stage/objects/item.h"
#include "stage/objects/state_hash.h"

namespace {

cBlockDef BlockAt(int column, int row, int solidity) {
    cBlockDef block;
    block.m_sCellX = static_cast<std::int16_t>(column);
    block.m_sCellY = static_cast<std::int16_t>(row);
    block.m_sCell = 1;
    block.m_cContact = static_cast<std::int8_t>(solidity);
    return block;
}

void ClearStageObjects() {
    // As the stage reset does: links are let go while every end is alive.
    for (cStageChara& chara : CharaList) chara.ReleaseLinks();
    for (cPlayer& hero : PlayerList) hero.ReleaseLinks();
    CharaList.clear();
    PlayerList.clear();
    ItemList.clear();
    StageBlockDefs.clear();
}

}  // namespace

cCharaDef StageOptions::DefaultHero() {
    cCharaDef def;
    def.m_cOperation = CharaOperation::Player;
    def.m_nMaxHp = 3;
    return def;
}

namespace {
int g_harnesses = 0;
}  // namespace

StageHarness::StageHarness(const std::vector<std::string>& picture, StageOptions options)
    : m_pOwnState(std::make_unique<cStageState>()), m_State(*m_pOwnState) {
    Build(picture, options);
}

StageHarness::StageHarness(cStageState& state, const std::vector<std::string>& picture, StageOptions options)
    : m_State(state) {
    Build(picture, options);
}

void StageHarness::Build(const std::vector<std::string>& picture, const StageOptions& options) {
    if (g_harnesses++ != 0) ADD_FAILURE() << "one stage harness at a time: they share the stage's globals";
    ClearStageObjects();
    StoryData = cStorySave();
    // Play needs one animation set: every character uses set 0.
    Database.AnimeSet.assign(1, cAnimeSet());
    platform::srand(options.seed);
    OpenRecordingWindow();
    SetStageDrawSink(&m_Drawing);
    BuildStage(picture, options);
    SetStageState(&m_State);
    if (m_pOwnState || !m_State.m_lpMessageSink) m_State.m_lpMessageSink = &m_Messages;
    SetUpScroll();
    BuildBlockMap(LoadedStage);

    // Spawned in reading order: the hero first, then the letters.
    const cVector<cCharaDef>& placed = LoadedStage.m_vPlacedCharas;
    PlayerList.resize(1);
    for (const cCharaDef& def : placed) {
        if (def.m_cOperation != CharaOperation::Player) continue;
        Spawn(PlayerList[0], def, def.m_sCellX, def.m_sCellY);
        m_bHeroPlaced = true;
    }
    for (const cCharaDef& def : placed) {
        if (def.m_cOperation == CharaOperation::Player) continue;
        cStageChara& chara = CharaList.emplace_back();
        Spawn(chara, def, def.m_sCellX, def.m_sCellY);
        const char letter = picture[static_cast<std::size_t>(def.m_sCellY)][static_cast<std::size_t>(def.m_sCellX)];
        m_Letters[letter].push_back(&chara);
    }
    for (cStageChara& chara : CharaList) chara.LinkToHero(nullptr);
}

StageHarness::~StageHarness() {
    --g_harnesses;
    if (m_hWindow) {
        DestroyWindow(m_hWindow);
        MainWindowHandle.store(nullptr);
    }
    ClearStageObjects();
    if (m_State.m_lpMessageSink == &m_Messages) m_State.m_lpMessageSink = nullptr;
    SetStageState(nullptr);
    SetStageDrawSink(nullptr);
    Database.AnimeSet.clear();
}

namespace {
constexpr UINT kSoundRequest = WM_USER + 5;
constexpr UINT kMusicRequest = WM_USER + 6;
}  // namespace

void StageHarness::OpenRecordingWindow() {
    m_hWindow = CreateMainWindow("stage", 0, 0, kViewWidth, kViewHeight, [this](HWND, UINT msg, WPARAM w, LPARAM l) {
        if (msg == kSoundRequest) m_Sounds.push_back(static_cast<int>(w));
        if (msg == kMusicRequest) m_Music.push_back({static_cast<int>(w), static_cast<int>(l)});
        if (msg == kWmErrorBox) m_Errors.push_back(*reinterpret_cast<const std::string*>(l));
        return LRESULT{0};
    });
    if (m_hWindow) MainWindowHandle.store(m_hWindow);
}

void StageHarness::BuildStage(const std::vector<std::string>& picture, const StageOptions& options) {
    LoadedStage = cStageData();
    LoadedStage.m_nHeight = static_cast<int>(picture.size());
    LoadedStage.m_nWidth = picture.empty() ? 0 : static_cast<int>(picture[0].size());
    LoadedStage.m_dGravity = options.gravity;
    LoadedStage.SetHitCheckLevel(options.hitCheckLevel);
    for (int row = 0; row < LoadedStage.m_nHeight; ++row) {
        const std::string& line = picture[static_cast<std::size_t>(row)];
        for (int column = 0; column < static_cast<int>(line.size()); ++column) {
            const char c = line[static_cast<std::size_t>(column)];
            if (c == '#' || c == 'X') LoadedStage.m_vPlacedBlocks.push_back(BlockAt(column, row, c == '#' ? 1 : 2));
            if (c != 'H' && (c < 'a' || c > 'z')) continue;
            auto found = options.charas.find(c);
            cCharaDef def = c == 'H' ? options.hero : found != options.charas.end() ? found->second : cCharaDef();
            def.m_sCellX = static_cast<std::int16_t>(column);
            def.m_sCellY = static_cast<std::int16_t>(row);
            if (c != 'H' && def.m_cOperation == CharaOperation::Player) def.m_cOperation = CharaOperation::Computer;
            if (c == 'H') def.m_cOperation = CharaOperation::Player;
            LoadedStage.m_vPlacedCharas.push_back(def);
        }
    }
}

void StageHarness::SetUpScroll() {
    cScrollAxis& x = m_State.m_ScrollX;
    cScrollAxis& y = m_State.m_ScrollY;
    x.SetGrid(0, LoadedStage.m_nWidth, kViewWidth, true);
    y.SetGrid(1, LoadedStage.m_nHeight, kViewHeight, false);
    for (cScrollAxis* axis : {&x, &y}) {
        axis->SetAutoScroll(0, 0);
        axis->SetInnerLimits(0, 0, 0, 0);
        axis->m_dPos = axis->m_nOuterMin;
        axis->Clamp();
    }
}

// A character as the spawner makes it: a 32 x 32 box and graphic cell,
// reset from its definition with its flow instances built, placed on its
// block and put in its group.
void StageHarness::Spawn(cChara& chara, const cCharaDef& def, int column, int row) {
    chara.Init(m_State.m_nNextCharaId++, def.m_cOperation, def.m_cPlayerNo, def.m_cSide, def.m_sCell, nullptr, 0, 0, 0,
               kBlockPixels, kBlockPixels, kBlockPixels, kBlockPixels, def.m_cDirection, def.m_cFlying, 0);
    chara.Reset(&def, {0, 0, 0, 0}, 0);
    chara.AddFlows(chara.m_Def.m_vFlow, 0, -1);
    chara.PlaceAtCell(column, row, 1);
    chara.ClampX(BoundMode::Grid);
    chara.ClampY(BoundMode::Grid);
    m_State.AddToGroup(chara);
}

cStageChara& StageHarness::Chara(char letter, int n) {
    static cStageChara none;
    auto found = m_Letters.find(letter);
    if (found == m_Letters.end() || n < 0 || n >= static_cast<int>(found->second.size())) {
        ADD_FAILURE() << "the picture has no character " << n << " of letter " << letter;
        return none;
    }
    return *found->second[static_cast<std::size_t>(n)];
}

cTileCell& StageHarness::Cell(int column, int row) {
    static cTileCell none;
    cTileCell* cell = BlockCellAt(column + kGridMarginBlocks, row + kGridMarginBlocks);
    if (!cell) ADD_FAILURE() << "no cell (" << column << ", " << row << ") in the grid";
    return cell ? *cell : none;
}

namespace {

int MoveChara(cChara& c) {
    c.MoveX();
    int result = ResolveTilesX(c);
    c.ApplyGravity();
    c.MoveY();
    if (result == TileResult::Go) result = ResolveTilesY(c);
    c.CountDownImpactX();
    c.CountDownImpactY();
    return result;
}

}  // namespace

std::vector<int> StageHarness::MoveOneSubStep() {
    std::vector<int> results;
    results.reserve(CharaList.size() + 1);
    if (m_bHeroPlaced) results.push_back(MoveChara(Hero()));
    for (cStageChara& chara : CharaList) results.push_back(MoveChara(chara));
    return results;
}

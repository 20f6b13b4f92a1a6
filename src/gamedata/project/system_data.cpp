#include "gamedata/project/system_data.h"

#include <algorithm>
#include <climits>

#include "foundation/fixed_lists.h"
#include "foundation/strings.h"
#include "gamedata/database/database.h"

namespace {

// --- the registered integers ---------------------------------------------

constexpr int kKeep = INT_MIN;             // older files keep what the object held
constexpr int kByKeyColour = INT_MIN + 1;  // 1 unless the fixed key colour is set

// One registered integer: the first version that stores it (0: all), the
// last one (row 34 only), its default, and the value of files older than
// `from`: `old`, or `oldLow` for files older than `lowFrom` too.
struct SystemRow {
    int row;
    int cSystemData::*i;
    std::uint8_t cSystemData::*b;
    int from;
    int until;
    int def;
    int old;
    int lowFrom;
    int oldLow;
};

constexpr SystemRow I(int row, int cSystemData::*m, int from, int def, int old = kKeep) {
    return {row, m, nullptr, from, INT_MAX, def, old, 0, 0};
}
constexpr SystemRow Ranged(int row, int cSystemData::*m, int from, int old, int lowFrom, int oldLow) {
    return {row, m, nullptr, from, INT_MAX, 0, old, lowFrom, oldLow};
}
constexpr SystemRow B(int row, std::uint8_t cSystemData::*m, int from, int old) {
    return {row, nullptr, m, from, INT_MAX, 0, old, 0, 0};
}
// A switch that files before its version get as 1.
constexpr SystemRow Compat(int row, int cSystemData::*m, int from) { return I(row, m, from, 0, 1); }

using S = cSystemData;
constexpr SystemRow kRows[] = {
    I(1, &S::m_bExtraLife, 185, 0, 1),
    I(2, &S::m_nExtraLifeScore, 0, 100),
    I(3, &S::m_bSpacePause, 838, 0, 1),
    I(4, &S::m_bStageDraw, 0, 1),
    I(5, &S::m_bFontSymbol, 0, 0),
    I(6, &S::m_nFontFace, 205, kDefaultFontFace, kDefaultFontFace),
    I(7, &S::m_bFontCenter, 170, 0, 0),
    I(8, &S::m_bKeepTestFlows, 113, 0, 0),
    I(9, &S::m_bCompatCharaDraw, 855, 0, 1),
    I(10, &S::m_bReplay, 184, 1, 1),
    I(11, &S::m_bTitleSwitch1, 157, 1, 0),
    I(12, &S::m_bTitleSwitch2, 821, 1, 0),
    I(13, &S::m_bMapSwitch1, 0, 1),
    I(14, &S::m_bRetryPrompt, 191, 1, 0),
    I(15, &S::m_bMapShowLives, 191, 1, 0),
    I(16, &S::m_bClearCmdSwitch, 915, 0),
    I(17, &S::m_nChallengeCount, 0, 40),
    I(18, &S::m_bAllChallenges, 0, 1),
    I(19, &S::m_bMapSwitch2, 167, 1, 1),
    I(20, &S::m_bMapMenuTotalScore, 167, 1, 1),
    I(21, &S::m_bRestoreVarsStory, 188, 1, 1),
    I(22, &S::m_bPauseSwitch1, 224, 1, 0),
    I(23, &S::m_bSelectHighScore, 167, 1, 1),
    I(24, &S::m_bSelectTotalScore, 167, 1, 1),
    I(25, &S::m_bRestoreVarsChallenge, 188, 1, 1),
    I(26, &S::m_bPauseSwitch2, 224, 1, 0),
    I(27, &S::m_bRestoreVarsFree, 188, 1, 1),
    I(28, &S::m_bRestoreVarsDirect, 192, 0, 1),
    I(29, &S::m_bFixedKeyColour, 187, 0, 0),
    B(30, &S::m_cKeyRed, 187, 0),
    B(31, &S::m_cKeyGreen, 187, 177),
    B(32, &S::m_cKeyBlue, 187, 0),
    Compat(33, &S::m_bCompatSpeedReset, 214),
    {34, nullptr, nullptr, 221, 259, 0, kKeep, 0, 0},
    Compat(35, &S::ScaleAnchorHitBox, 261),
    I(36, &S::m_bKeepDeadCharas, 272, 0, 0),
    I(37, &S::m_bFlashColours, 287, 0, 0),
    I(38, &S::m_nFlashStep, 515, 16, 16),
    I(39, &S::m_bColourCycle, 289, 0, kByKeyColour),
    I(40, &S::m_bPauseSwitch3, 757, 1, 0),
    Compat(41, &S::m_bCompatNoOnceFlag, 525),
    Compat(42, &S::m_bCompatLightningNoGap, 555),
    Ranged(43, &S::m_bCompatBlockPlace, 637, 0, 617, 1),
    Compat(44, &S::m_bCompatKeyRetry, 669),
    Compat(45, &S::m_bCompatLandRising, 677),
    Compat(46, &S::m_bCompatMoveTimeSign, 695),
    Compat(47, &S::m_bCompatUnread696, 696),
    Compat(48, &S::m_bCompatStartTriggers, 697),
    Compat(49, &S::m_bCompatWarpInput, 721),
    Compat(50, &S::m_bCompatChargeAngle, 728),
    Compat(51, &S::m_bCompatRangeTest, 733),
    Compat(52, &S::m_bCompatOnceOnMatch, 744),
    Compat(53, &S::m_bCompatJumpCmd, 749),
    Compat(54, &S::m_bCompatCodeEval, 752),
    Compat(55, &S::m_bCompatHarmlessShot, 763),
    Compat(56, &S::m_bCompatBodyHitAtOnce, 763),
    Compat(57, &S::m_bCompatSummonPrevPos, 768),
    Compat(58, &S::m_bCompatStraightLock, 773),
    Compat(59, &S::m_bCompatCeilingImpact, 781),
    Compat(60, &S::m_bCompatDistanceRect, 782),
    Compat(61, &S::m_bCompatStraightReverse, 783),
    Compat(62, &S::m_bCompatStickToGround, 793),
    Compat(63, &S::m_bCompatGroundTurn, 805),
    Compat(64, &S::m_bCompatHeadKeepsImpact, 808),
    Compat(65, &S::m_bCompatBackoffByFlags, 818),
    Compat(66, &S::m_bCompatFlyJump, 818),
    Compat(67, &S::m_bCompatUnlimitedLives, 819),
    Compat(68, &S::m_bCompatWarp, 822),
    Compat(69, &S::m_bCompatStageReset, 827),
    Compat(70, &S::ScaleAnchorSetting, 831),
    Ranged(71, &S::m_bCompatPictureStart, 833, 1, 817, 0),
    Compat(72, &S::m_bCompatBlockHitsFliers, 837),
    Compat(73, &S::m_bCompatLandingTest, 839),
    Compat(74, &S::m_bCompatNoCatchUp, 841),
    Compat(75, &S::m_bCompatRideJump, 845),
    Compat(76, &S::m_bCompatJumpAirSteps, 845),
    Compat(77, &S::m_bCompatJumpSpeed, 845),
    Ranged(78, &S::m_bCompatRideFollowY, 845, 1, 656, 0),
    Compat(79, &S::m_bCompatOnceBeforeCond, 861),
    Compat(80, &S::m_bCompatKeyEdgeKeep, 875),
    Ranged(81, &S::m_bCompatWarpBottom, 894, 1, 822, 0),
    Compat(82, &S::m_bCompatStatusXY, 895),
    Ranged(83, &S::m_bCompatCodeY, 896, 1, 890, 0),
    Compat(84, &S::m_bCompatImpactPrevY, 897),
    Compat(85, &S::m_bCompatLayerStop, 904),
    Compat(86, &S::m_bCompatTouchPush, 912),
    Compat(87, &S::m_bCompatNoRectRefresh, 913),
    I(88, &S::m_nD3DFullDepth, 670, 0, 0),
    I(89, &S::m_nDDFullDepth, 670, 2, 2),
    I(90, &S::m_bDirectStartToTitle, 880, 0),
};
constexpr int kRowCount = 90;
static_assert(std::size(kRows) == kRowCount);

const SystemRow* FindRow(int row) {
    if (row < 1 || row > kRowCount) return nullptr;
    return &kRows[row - 1];
}

bool StoredAt(const SystemRow& r, int version) { return version >= r.from && version <= r.until; }

// --- default lists --------------------------------------------------------

const char* const kDefaultTexts[cSystemData::kSystemTextCount] = {
    "ワールド",
    "ステージ",
    "スコア",
    "ハイスコア",
    "トータルスコア",
    "スコア",
    "残り時間",
    "クリア時間",
    "残りHP",
    "残りSP",
    "ステージに挑む",
    "やっぱりやめる",
    "セーブする",
    "やっぱりやめる",
    "オートセーブＯＮ",
    "オートセーブＯＦＦ",
    "保存先が不明です！一度は「セーブ」して下さい！",
    "タイトルへ戻る",
    "やっぱりやめる",
    "しゅうりょう",
    "つづける",
    "リトライ",
    "",
    "リトライ",
    "マップへ戻る",
    "Vキーでジャンルの切り替え",
    "スペースキーでタイトルへ戻る",
    "スペースキーで終了",
    "F3キーでランキングへ登録",
};

const char* const kTitleMenu[] = {"はじめから", "つづきから", "チャレンジ",  "フリー",
                                  "リプレイ",   "オプション", "しゅうりょう"};
const char* const kMapMenu[] = {"セーブ", "オートセーブ", "もどる", "タイトルへ"};
const char* const kOptionMenu[] = {"BGM", "SE", "ランキング登録", "ランキング登録名", "もどる", ""};
const char* const kRankingModes[cSystemData::kRankingModeCount] = {"手動登録（登録名入力）", "手動登録（登録名固定）",
                                                                   "自動登録（登録名入力）", "自動登録（登録名固定）"};

template <std::size_t N>
void MakeMenu(cVector<cCmd>& menu, const char* const (&names)[N]) {
    menu.clear();
    for (const char* name : names) menu.emplace_back(name);
}

template <std::size_t N>
void MakeTexts(cVector<std::string>& list, const char* const (&texts)[N]) {
    list.assign(std::begin(texts), std::end(texts));
}

void MakeFlags(cVector<std::int8_t>& flags, int count, std::initializer_list<int> ones) {
    flags.assign(static_cast<std::size_t>(count), 0);
    for (int i : ones) flags[i] = 1;
}

const cSystemData& Defaults() {
    static const cSystemData defaults;
    return defaults;
}

// --- list reading and writing ---------------------------------------------

// Byte and int lists: a count of 0 or less leaves the list as it was.
template <class T>
bool ReadValues(cDataFile& f, cVector<T>& list) {
    return ReadValueList(f, list, StoredCount::NoneKeeps);
}

template <class T>
void WriteValues(cDataFile& f, const cVector<T>& list) {
    f.WriteInt(list.Count());
    if (!list.empty()) f.Write(list.data(), list.size() * sizeof(T));
}

bool ReadStrings(cDataFile& f, cVector<std::string>& list) {
    return ReadList(f, list, {4}, [&f](std::string& text) { return f.ReadString(text); });
}

void WriteStrings(cDataFile& f, const cVector<std::string>& list) {
    f.WriteInt(list.Count());
    for (const auto& s : list) {
        std::string text(s.c_str());  // up to the first zero byte
        f.WriteInt(static_cast<std::int32_t>(text.size() + 1));
        if (!text.empty()) f.Write(text.c_str(), text.size() + 1);
    }
}

constexpr std::size_t kMinRecordBytes = 8;

}  // namespace

// --- status items and ranking settings -----------------------------------

cStatusItem::cStatusItem() {
    UseFields(kDataVersion);
    Reset();
}

cStatusItem::cStatusItem(const std::string& label, int digits) : cStatusItem() {
    m_bShow = 1;
    m_bIcon = 1;
    m_nDigits = digits;
    m_strLabel = label;
}

void cStatusItem::RegisterFields(int version) {
    ClearFieldLists();
    AddField(&m_bShow);
    AddField(&m_bIcon);
    AddField(&m_nDigits);
    if (version >= 204) AddField(&m_bGaugeNumber);
    if (version >= 587) {
        AddField(&m_nThreshold);
        AddField(&m_bPercent);
    }
    AddString(&m_strLabel);
}

bool cStatusItem::Load(cDataFile& file) {
    if (!cDataRecord::Load(file)) return false;
    if (FileVersion < 204) m_bGaugeNumber = 1;
    return true;
}

cRankingSetting::cRankingSetting() {
    UseFields(kDataVersion);
    Reset();
    m_vGenres.assign(kGenreCount, 0);
}

void cRankingSetting::RegisterFields(int) {
    ClearFieldLists();
    AddField(&m_bEnabled);
}

bool cRankingSetting::Load(cDataFile& file) {
    if (!cDataRecord::Load(file)) return false;
    return ReadValues(file, m_vGenres);
}

void cRankingSetting::Save(cDataFile& file) {
    cDataRecord::Save(file);
    WriteValues(file, m_vGenres);
}

// --- system data ----------------------------------------------------------

cSystemData::cSystemData() { SetDefaults(); }

void cSystemData::RegisterFields(int version) {
    ClearFieldLists();
    for (const SystemRow& r : kRows) {
        if (!StoredAt(r, version)) continue;
        if (r.i) {
            AddField(&(this->*r.i));
        } else if (r.b) {
            AddField(&(this->*r.b));
        } else {
            AddField(&DiscardedField);
        }
    }
    AddString(&m_strTitle);
}

void cSystemData::SetDefaults() {
    Reset();
    for (const SystemRow& r : kRows) {
        if (r.i) this->*r.i = r.def;
        if (r.b) this->*r.b = static_cast<std::uint8_t>(r.def);
    }
    MakeFlags(CarryOverFlags, kCarryItemCount, {0, 1, 13, 14, 16, 17, 19, 20, 21});
    MakeFlags(CarryResetFlags, kCarryItemCount, {11, 12});
    StatusItems = {cStatusItem("スコア", 4), cStatusItem("スコア", 3), cStatusItem("HP", 0), cStatusItem("SP", 0),
                   cStatusItem("人", 2)};
    StartLives = {5, 5, 5, 99};
    InfiniteLives = {1, 1, 1, 1};
    RankingSettings.assign(kGameKindCount, cRankingSetting());
    for (int k = kGameStory; k <= kGameFree; ++k) {
        RankingSettings[k].m_bEnabled = 1;
        RankingSettings[k].m_vGenres.assign(kGenreCount, 1);
    }
    MakeTexts(SystemTexts, kDefaultTexts);
    SystemSoundFiles.assign(kSystemSoundCount, std::string());
    SceneBgmIds.assign(kSceneSlotCount, 0);
    SceneBgmKeep.assign(kSceneSlotCount, 1);
    MakeMenu(TitleMenu, kTitleMenu);
    MakeMenu(MapMenu, kMapMenu);
    MakeMenu(OptionMenu, kOptionMenu);
    MakeTexts(RankingModeNames, kRankingModes);
    SetDefaultSystemIniKeys(SystemIniKeys);
}

void cSystemData::OnLoadRefused() { SetDefaults(); }

bool cSystemData::Load(cDataFile& file) {
    if (!cDataRecord::Load(file)) return false;
    if (!LoadLists(file)) return false;
    if (FileVersion < kDataVersion) {
        UpgradeIntegers(FileVersion);
        UpgradeLists(FileVersion);
    }
    PadListsToDefaults();
    ClampSceneBgm(Database.Bgm.Count());
    return true;
}

bool cSystemData::LoadLists(cDataFile& f) {
    const int v = FileVersion;
    return ReadValues(f, CarryOverFlags) && (v <= 500 || ReadValues(f, CarryResetFlags)) &&
           ReadRecordList(f, StatusItems, {kMinRecordBytes}) && ReadValues(f, StartLives) &&
           (v <= 190 || ReadValues(f, InfiniteLives)) &&
           (v <= 185 || ReadRecordList(f, RankingSettings, {kMinRecordBytes})) && ReadStrings(f, SystemTexts) &&
           ReadStrings(f, SystemSoundFiles) && ReadValues(f, SceneBgmIds) &&
           (v <= 201 || ReadValues(f, SceneBgmKeep)) && ReadRecordList(f, TitleMenu, {kMinRecordBytes}) &&
           ReadRecordList(f, MapMenu, {kMinRecordBytes}) && ReadRecordList(f, OptionMenu, {kMinRecordBytes}) &&
           (v <= 673 || ReadStrings(f, RankingModeNames)) && ReadRecordList(f, SystemIniKeys, {kMinRecordBytes});
}

void cSystemData::UpgradeIntegers(int v) {
    for (const SystemRow& r : kRows) {
        if (v >= r.from || r.old == kKeep) continue;
        int value = r.old;
        if (value == kByKeyColour) value = m_bFixedKeyColour == 0 ? 1 : 0;
        if (v < r.lowFrom) value = r.oldLow;
        if (r.i) this->*r.i = value;
        if (r.b) this->*r.b = static_cast<std::uint8_t>(value);
    }
}

void cSystemData::UpgradeLists(int v) {
    if (v < 168) {
        CarryOverFlags.resize(kCarryItemCount, 0);
        InsertIntoFixedList<std::int8_t>(CarryOverFlags, 16, 1);
    }
    if (v < 169) {
        MapMenu.resize(4);
        InsertIntoFixedList(MapMenu, 1, cCmd("オートセーブ"));
        SystemTexts.resize(kSystemTextCount);
        InsertIntoFixedList<std::string>(SystemTexts, 12, "保存先が不明です！一度は「セーブ」して下さい！");
        InsertIntoFixedList<std::string>(SystemTexts, 12, "オートセーブＯＦＦ");
        InsertIntoFixedList<std::string>(SystemTexts, 12, "オートセーブＯＮ");
    }
    if (v < 181) {
        for (int k = 0; k < std::min<int>(kGameKindCount, RankingSettings.Count()); ++k) {
            auto& genres = RankingSettings[k].m_vGenres;
            genres.resize(kGenreCount, 0);
            genres[kGenreHp] = 0;
            genres[kGenreSp] = 0;
        }
        SystemTexts.resize(kSystemTextCount);
        InsertIntoFixedList<std::string>(SystemTexts, 8, "残りHP");
        InsertIntoFixedList<std::string>(SystemTexts, 9, "残りSP");
    }
    if (v < 191) InfiniteLives = {0, 0, 0, 1};
    if (v < 193) {
        SystemTexts.resize(kSystemTextCount);
        InsertIntoFixedList<std::string>(SystemTexts, 22, "リトライ");
        InsertIntoFixedList<std::string>(SystemTexts, 23, "マップへ戻る");
    }
    if (v < 201) {
        CarryOverFlags.resize(kCarryItemCount, 0);
        InsertIntoFixedList<std::int8_t>(CarryOverFlags, 14, 0);
    }
    if (v < 202) SceneBgmKeep.assign(kSceneSlotCount, 1);
    if (v < 210) {
        CarryOverFlags.resize(kCarryItemCount, 0);
        InsertIntoFixedList<std::int8_t>(CarryOverFlags, 9, 0);
    }
    UpgradeSystemIniKeys(SystemIniKeys, v);
    if (v < 501) CarryResetFlags.assign(kCarryItemCount, 0);
    if (v < 587) {
        StatusItems.resize(kStatusItemCount);
        for (int n : {2, 3}) {
            StatusItems[n].m_nThreshold = 33;
            StatusItems[n].m_bPercent = 1;
        }
    }
    if (v < 756) {
        SystemTexts.resize(kSystemTextCount);
        InsertIntoFixedList<std::string>(SystemTexts, 22, "マップへ戻る");
    }
}

// Lists the scenes index by position must have at least their full length,
// whatever a project file holds, or a short list would close the game later;
// longer lists are the project's own and are kept as they come.
void cSystemData::PadListsToDefaults() {
    PadEachToDefaults(
        *this, Defaults(), &cSystemData::CarryOverFlags, &cSystemData::CarryResetFlags, &cSystemData::StatusItems,
        &cSystemData::StartLives, &cSystemData::InfiniteLives, &cSystemData::RankingSettings, &cSystemData::SystemTexts,
        &cSystemData::SystemSoundFiles, &cSystemData::SceneBgmIds, &cSystemData::SceneBgmKeep, &cSystemData::TitleMenu,
        &cSystemData::MapMenu, &cSystemData::OptionMenu, &cSystemData::RankingModeNames, &cSystemData::SystemIniKeys);
    for (auto& r : RankingSettings) {
        if (r.m_vGenres.Count() < kGenreCount) r.m_vGenres.resize(kGenreCount, 0);
    }
}

void cSystemData::Save(cDataFile& f) {
    ClampSceneBgm(Database.Bgm.Count());
    cDataRecord::Save(f);
    WriteValues(f, CarryOverFlags);
    WriteValues(f, CarryResetFlags);
    SaveRecordList(f, StatusItems);
    WriteValues(f, StartLives);
    WriteValues(f, InfiniteLives);
    SaveRecordList(f, RankingSettings);
    WriteStrings(f, SystemTexts);
    WriteStrings(f, SystemSoundFiles);
    WriteValues(f, SceneBgmIds);
    WriteValues(f, SceneBgmKeep);
    SaveRecordList(f, TitleMenu);
    SaveRecordList(f, MapMenu);
    SaveRecordList(f, OptionMenu);
    WriteStrings(f, RankingModeNames);
    SaveRecordList(f, SystemIniKeys);
}

void cSystemData::ClampSceneBgm(int bgmCount) {
    for (int& id : SceneBgmIds) {
        if (id >= bgmCount) id = 0;
    }
}

int cSystemData::CountEnabled(int gameKind) const {
    if (gameKind < 0 || gameKind >= RankingSettings.Count()) return 0;
    const cRankingSetting& r = RankingSettings[gameKind];
    if (!r.m_bEnabled) return 0;
    // Flags a file stores past the genres there are stay in the list, to be
    // written back, but rank nothing.
    const auto known = r.m_vGenres.begin() + std::min<std::ptrdiff_t>(kGenreCount, r.m_vGenres.Count());
    return static_cast<int>(std::count_if(r.m_vGenres.begin(), known, [](std::int8_t g) { return g != 0; }));
}

int cSystemData::MenuTextLeft(int x, int first, int count, int cursorRoom) const {
    int widest = 0;
    for (int i = first; i < first + count; ++i) {
        if (i >= 0 && i < SystemTexts.Count()) widest = std::max(widest, CountChars(SystemTexts[i]));
    }
    return x - ((cursorRoom ? widest + 1 : widest) * 16) / 2;
}

bool cSystemData::BuildMenuText(int first, int count, int cursorRoom, std::string& text, int& width,
                                int& height) const {
    if (count <= 0) return false;
    text.clear();
    int widest = 0;
    for (int i = first; i < first + count; ++i) {
        const std::string line = (i >= 0 && i < SystemTexts.Count()) ? SystemTexts[i] : std::string();
        AppendFormat(text, cursorRoom ? " %s\n" : "%s\n", line.c_str());
        widest = std::max(widest, CountChars(line));
    }
    width = 16 * (cursorRoom ? widest + 1 : widest);
    height = 16 * count;
    return true;
}

int cSystemData::CheckThreshold(int item, int value, int maximum) const {
    if (item < 0 || item >= StatusItems.Count()) return 0;
    const cStatusItem& s = StatusItems[item];
    if (!s.m_bPercent) return s.m_nThreshold >= value ? 1 : 0;
    return static_cast<double>(s.m_nThreshold) >= static_cast<double>(value) * 100.0 / maximum ? 1 : 0;
}

int cSystemData::Row(int row) const {
    const SystemRow* r = FindRow(row);
    if (!r) return 0;
    if (r->i) return this->*r->i;
    if (r->b) return this->*r->b;
    return 0;
}

void cSystemData::SetRow(int row, int value) {
    const SystemRow* r = FindRow(row);
    if (!r) return;
    if (r->i) this->*r->i = value;
    if (r->b) this->*r->b = static_cast<std::uint8_t>(value);
}

#pragma once
// The project's system data ("data\System.dat"): the game title, the texts
// and menus of the built-in scenes, the status panel, ranking and lives
// settings per game kind, the scene music, the System.ini key table and about
// ninety integer settings. Most integers added in later versions are
// compatibility switches: a project older than the version that brought a
// switch gets the value that keeps its old behaviour; 0 is the current one.
#include <cstdint>
#include <string>

#include "foundation/data_record.h"
#include "gamedata/project/menu_cmd.h"
#include "gamedata/project/system_ini_keys.h"

// Game kinds and ranking genres, the indexes of the per-kind lists.
enum GameKind { kGameStory = 0, kGameChallenge, kGameFree, kGameReplay, kGameKindCount };
enum RankingGenre { kGenreScore = 0, kGenreTime, kGenreClearTime, kGenreHp, kGenreSp, kGenreCount };

// One item of the status panel: 0 score total, 1 stage score, 2 HP gauge,
// 3 SP gauge, 4 lives.
class cStatusItem : public cDataRecord {
public:
    cStatusItem();
    cStatusItem(const std::string& label, int digits);
    void RegisterFields(int version) override;
    bool Load(cDataFile& file) override;

    int m_bShow = 0;
    int m_bIcon = 0;
    int m_nDigits = 0;       // number width in 16-pixel characters
    int m_bGaugeNumber = 0;  // draw the number over the gauge
    int m_nThreshold = 0;    // warning level
    int m_bPercent = 0;      // the threshold is a percentage of the maximum
    std::string m_strLabel;
};

// Ranking settings of one game kind: on or off, and one flag per genre.
class cRankingSetting : public cDataRecord {
public:
    cRankingSetting();
    void RegisterFields(int version) override;
    bool Load(cDataFile& file) override;
    void Save(cDataFile& file) override;

    int m_bEnabled = 0;
    cVector<std::int8_t> m_vGenres;
};

// Font faces that the font setting (row 6) picks by index.
constexpr int kFontFaceCount = 123;
constexpr int kDefaultFontFace = 60;
extern const char* const FontFaces[kFontFaceCount];
// The face of a setting read from a project file: an index outside the
// table gives the empty face, as the table's last entry does.
const char* FontFaceName(int index);

class cSystemData : public cDataRecord {
public:
    static constexpr int kCarryItemCount = 25;
    static constexpr int kStatusItemCount = 5;
    static constexpr int kSystemTextCount = 29;
    static constexpr int kSystemSoundCount = 17;
    static constexpr int kSceneSlotCount = 4;
    static constexpr int kRankingModeCount = 4;

    cSystemData();
    void RegisterFields(int version) override;
    bool Load(cDataFile& file) override;
    void Save(cDataFile& file) override;
    void OnLoadRefused() override;

    void SetDefaults();
    // Number of genres ranked for a game kind; 0 while its rankings are off.
    int CountEnabled(int gameKind) const;
    // Left edge of a block of system texts centred on x, 16 pixels a
    // character, with room for a cursor in front when cursorRoom is not 0.
    int MenuTextLeft(int x, int first, int count, int cursorRoom) const;
    // The text of such a block, one line each, and the box that holds it;
    // the fonts draw it. false (nothing built) when count is 0.
    bool BuildMenuText(int first, int count, int cursorRoom, std::string& text, int& width, int& height) const;
    // 1 when a status value is at the warning level of status item n.
    int CheckThreshold(int item, int value, int maximum) const;
    // Scene music that names no entry of the music table plays silence.
    void ClampSceneBgm(int bgmCount);

    // Registered integers, in file order, numbered by their row of the
    // table in system_data.cpp, which holds their defaults and old values.
    // The neutral names are switches whose behaviour their readers define:
    // 4 the stage scene's drawing, 11 and 12 the title scene (157, 821), 13
    // and 19 the world map, 16 the stage-clear command (915), 22, 26 and 40
    // the pause menu, 9 character and stage drawing (855); 47 has no reader.
    int m_bExtraLife{};             // 1
    int m_nExtraLifeScore{};        // 2
    int m_bSpacePause{};            // 3
    int m_bStageDraw{};             // 4
    int m_bFontSymbol{};            // 5
    int m_nFontFace{};              // 6
    int m_bFontCenter{};            // 7
    int m_bKeepTestFlows{};         // 8
    int m_bCompatCharaDraw{};       // 9
    int m_bReplay{};                // 10
    int m_bTitleSwitch1{};          // 11
    int m_bTitleSwitch2{};          // 12
    int m_bMapSwitch1{};            // 13
    int m_bRetryPrompt{};           // 14
    int m_bMapShowLives{};          // 15
    int m_bClearCmdSwitch{};        // 16
    int m_nChallengeCount{};        // 17
    int m_bAllChallenges{};         // 18
    int m_bMapSwitch2{};            // 19
    int m_bMapMenuTotalScore{};     // 20
    int m_bRestoreVarsStory{};      // 21
    int m_bPauseSwitch1{};          // 22
    int m_bSelectHighScore{};       // 23
    int m_bSelectTotalScore{};      // 24
    int m_bRestoreVarsChallenge{};  // 25
    int m_bPauseSwitch2{};          // 26
    int m_bRestoreVarsFree{};       // 27
    int m_bRestoreVarsDirect{};     // 28
    int m_bFixedKeyColour{};        // 29
    std::uint8_t m_cKeyRed{};       // 30
    std::uint8_t m_cKeyGreen{};     // 31
    std::uint8_t m_cKeyBlue{};      // 32
    int m_bCompatSpeedReset{};      // 33
    // 34 existed in versions 221 to 259 only.
    int ScaleAnchorHitBox{};         // 35
    int m_bKeepDeadCharas{};         // 36
    int m_bFlashColours{};           // 37
    int m_nFlashStep{};              // 38
    int m_bColourCycle{};            // 39
    int m_bPauseSwitch3{};           // 40
    int m_bCompatNoOnceFlag{};       // 41
    int m_bCompatLightningNoGap{};   // 42
    int m_bCompatBlockPlace{};       // 43
    int m_bCompatKeyRetry{};         // 44
    int m_bCompatLandRising{};       // 45
    int m_bCompatMoveTimeSign{};     // 46
    int m_bCompatUnread696{};        // 47
    int m_bCompatStartTriggers{};    // 48
    int m_bCompatWarpInput{};        // 49
    int m_bCompatChargeAngle{};      // 50
    int m_bCompatRangeTest{};        // 51
    int m_bCompatOnceOnMatch{};      // 52
    int m_bCompatJumpCmd{};          // 53
    int m_bCompatCodeEval{};         // 54
    int m_bCompatHarmlessShot{};     // 55
    int m_bCompatBodyHitAtOnce{};    // 56
    int m_bCompatSummonPrevPos{};    // 57
    int m_bCompatStraightLock{};     // 58
    int m_bCompatCeilingImpact{};    // 59
    int m_bCompatDistanceRect{};     // 60
    int m_bCompatStraightReverse{};  // 61
    int m_bCompatStickToGround{};    // 62
    int m_bCompatGroundTurn{};       // 63
    int m_bCompatHeadKeepsImpact{};  // 64
    int m_bCompatBackoffByFlags{};   // 65
    int m_bCompatFlyJump{};          // 66
    int m_bCompatUnlimitedLives{};   // 67
    int m_bCompatWarp{};             // 68
    int m_bCompatStageReset{};       // 69
    int ScaleAnchorSetting{};        // 70
    int m_bCompatPictureStart{};     // 71
    int m_bCompatBlockHitsFliers{};  // 72
    int m_bCompatLandingTest{};      // 73
    int m_bCompatNoCatchUp{};        // 74
    int m_bCompatRideJump{};         // 75
    int m_bCompatJumpAirSteps{};     // 76
    int m_bCompatJumpSpeed{};        // 77
    int m_bCompatRideFollowY{};      // 78
    int m_bCompatOnceBeforeCond{};   // 79
    int m_bCompatKeyEdgeKeep{};      // 80
    int m_bCompatWarpBottom{};       // 81
    int m_bCompatStatusXY{};         // 82
    int m_bCompatCodeY{};            // 83
    int m_bCompatImpactPrevY{};      // 84
    int m_bCompatLayerStop{};        // 85
    int m_bCompatTouchPush{};        // 86
    int m_bCompatNoRectRefresh{};    // 87
    int m_nD3DFullDepth{};           // 88: 1 gives 16 bits, else 32
    int m_nDDFullDepth{};            // 89: 1 gives 16 bits, 2 gives 8, else 32
    int m_bDirectStartToTitle{};     // 90
    std::string m_strTitle;

    // Appended lists, in file order.
    cVector<std::int8_t> CarryOverFlags;
    cVector<std::int8_t> CarryResetFlags;
    cVector<cStatusItem> StatusItems;
    cVector<int> StartLives;
    cVector<int> InfiniteLives;
    cVector<cRankingSetting> RankingSettings;
    cVector<std::string> SystemTexts;
    cVector<std::string> SystemSoundFiles;
    cVector<int> SceneBgmIds;
    cVector<std::int8_t> SceneBgmKeep;
    cVector<cCmd> TitleMenu;
    cVector<cCmd> MapMenu;
    cVector<cCmd> OptionMenu;
    cVector<std::string> RankingModeNames;
    SystemIniKeyList SystemIniKeys;

    // The registered integer of a row of the table (1 to 90); 0 for row 34
    // and rows outside the table. Tests and tools walk the rows with it.
    int Row(int row) const;
    void SetRow(int row, int value);

private:
    bool LoadLists(cDataFile& file);
    void UpgradeIntegers(int fileVersion);
    void UpgradeLists(int fileVersion);
    void PadListsToDefaults();
};

// Built with the other global objects (gamedata/global_data.h).
extern cSystemData& SystemData;

#pragma once
// The progress of one game: the hero's place on the world map, opened map
// points and challenge stages, the current stage, lives, score totals, the
// cleared stages, the game-wide common variables and the character status
// carried from stage to stage. It is also the format of the story slot
// files, of the challenge progress and of the progress part of a replay.
#include <cstddef>
#include <string>

#include "foundation/data_record.h"
#include "gamedata/definitions/chara_def.h"
#include "platform/win_types.h"

constexpr int kCarryItemCount = 25;
constexpr int kMapPointFlagCount = 1000;
// Variable 1000 is valid for the message escape, so there are 1,001.
constexpr int kCommonVariableCount = 1001;
constexpr int kInfiniteLives = 999999;
// More challenge stages than three-digit stage numbers allow is a bad value.
constexpr int kMaxChallengeStages = 999;
// A story slot or the challenge progress: a few thousand ints and the kept
// status of the heroes come to well under a megabyte.
constexpr std::size_t kMaxStoryFileBytes = std::size_t(32) << 20;

// The kept status of one character between stages.
class cStoryChara : public cDataRecord {
public:
    cStoryChara();
    cStoryChara(const cStoryChara&) = default;
    cStoryChara(cStoryChara&&) noexcept = default;
    cStoryChara& operator=(const cStoryChara&) = default;

    void RegisterFields(int version) override;
    bool Load(cDataFile& file) override;
    void Save(cDataFile& file) override;

    int m_nHp = 0;      // k0: carried item 11
    int m_nSp = 0;      // k1: carried item 12
    int m_nValueB = 0;  // k2: carried item 22
    int m_nLives = 0;   // k3: carried item 23
    int m_nValueD = 0;  // k4: carried item 24
    cCharaDef m_Def;    // the definition members of the carried items
};

class cClearedStage : public cDataRecord {
public:
    cClearedStage();
    cClearedStage(const std::string& name, const std::string& file, int a, int b, int c, int score);
    cClearedStage(const cClearedStage&) = default;
    cClearedStage(cClearedStage&&) noexcept = default;
    cClearedStage& operator=(const cClearedStage&) = default;

    void RegisterFields(int version) override;
    bool Load(cDataFile& file) override;

    int m_nLinkA = 0;
    int m_nLinkB = 0;
    int m_nLinkC = 0;
    int m_nScore = 0;
    std::string m_strName;
    std::string m_strFile;
};

class cChallengeRecord : public cDataRecord {
public:
    cChallengeRecord();
    cChallengeRecord(const cChallengeRecord&) = default;
    cChallengeRecord(cChallengeRecord&&) noexcept = default;
    cChallengeRecord& operator=(const cChallengeRecord&) = default;

    void RegisterFields(int version) override;

    int m_bCleared = 0;
    int m_nBest = 0;  // running score total at the best clear
};

class cSaveSlot;

class cStorySave : public cDataRecord {
public:
    cStorySave();
    cStorySave(const cStorySave&) = default;
    cStorySave(cStorySave&&) noexcept = default;
    cStorySave& operator=(const cStorySave&) = default;

    void RegisterFields(int version) override;
    // A refused file leaves the progress as it was before the load.
    bool Load(cDataFile& file) override;
    void Save(cDataFile& file) override;
    void OnLoadRefused() override;
    std::size_t MaxFileBytes() const override { return kMaxStoryFileBytes; }

    using cDataRecord::Reset;
    void Reset(int challengeCount);

    // 1 when the slot file was written (the summary is updated only then).
    int SaveSlot(int slot);
    // The real result of the load; the lives fix runs in either case.
    int LoadSlot(int slot);
    int LoadChallenge();

    void SetStageFile(const std::string& file, int a, int b, int c);
    void AddClearedStage(const std::string& name, const std::string& file, int a, int b, int c, int score);
    int StageScore(const std::string& file) const;
    void RecalcTotal();
    void BeginStage();
    // The game kind and whether a stage file was started directly decide
    // the variables' restore for flag 0.
    void RestoreStageStart(int flag, int gameKind, bool directStart);
    void SaveKeptStatus(int chara, const cCharaDef& def, int s1, int s2, int s3, int s4, int s5, int b, int c, int d);
    // Restores the kept status into the definition; b and d go to the
    // stage-play values of carried items 22 and 24 (left alone when not
    // carried).
    void ApplyKeptStatus(int chara, cCharaDef& def, int* valueB = nullptr, int* valueD = nullptr);
    void KeptLifeValues(int chara, int& hp, int& sp) const;
    void ClearListedFlags();
    void ResetStageCounters();
    void FixLives(int gameKind);
    void FillSummary(cSaveSlot& slot) const;

    // Registered members, in file order.
    int m_bKeptStatus = 0;       // 1
    int m_nMapX = 0;             // 2
    int m_nMapY = 0;             // 3
    int m_nAfterClear = 0;       // 4
    int m_nRounds = 0;           // 5
    int m_nStartMode = 0;        // 6, from 915: read by stage start and the title
    int m_nLinkA = 0;            // 7, from 758
    int m_nLinkB = 0;            // 8, from 758
    int m_nLinkC = 0;            // 9, from 758
    int m_nStageNo = 0;          // 10
    int m_nPart = 0;             // 11
    int m_nStartLives = 0;       // 12
    int m_nLives = 0;            // 13
    int m_nStageScore = 0;       // 14: the stage's score (defeats, flows)
    int m_nScore = 0;            // 15: running total the tally adds it to
    int m_nClearedScore = 0;     // 16: total over the cleared stages
    int m_nTimeLeftTotal = 0;    // 17
    int m_nClearTimeTotal = 0;   // 18
    int m_nHpTotal = 0;          // 19, from 182
    int m_nSpTotal = 0;          // 20, from 182
    int m_bMultiPart = 0;        // 21
    int m_nNextPart = 0;         // 22, from 915: the next stage's number, 0 none
    int m_nBgm = 0;              // 23
    int m_bBgmLoop = 0;          // 24, from 166
    int m_nMapValue1 = 0;        // 25, from 194
    int m_nMapValue2 = 0;        // 26, from 190
    int m_nMapValue3 = 0;        // 27, from 191
    int m_nMapValue4 = 0;        // 28, from 191
    int m_nChallengeOpened = 1;  // 29
    int m_nStageStartLives = 0;  // 30, from 915
    int m_nStageStartScore = 0;  // 31, from 915
    int m_nSlot = -1;            // 32
    int m_bAutoSave = 0;         // 33, from 169
    int m_bRankingShown = 0;     // 34
    int m_nRankingGenre = 0;     // 35
    // 36 to 39: the restart point the stage clear sets for the next stage:
    // its flag, block column and row, and the facing.
    int m_nStageValue1 = 0;      // 36, from 678
    int m_nStageValue2 = 0;      // 37, from 678
    int m_nStageValue3 = 0;      // 38, from 678
    int m_nStageValue4 = 0;      // 39, from 679
    std::string m_strStage;
    std::string m_strStageKey;   // from 724
    std::string m_strNextStage;  // from 915: ends with a point; empty none
    std::string m_strRankingName = "aaa";
    // Files older than 916 stored member 4 here; only stage reset reads it.
    int m_nAfterClearOld = 0;

    // The part of the stage-clear command's request that is play state,
    // never stored in a slot.
    struct NextStageRequest {
        int bWorldMap = 0;
    };
    NextStageRequest m_NextStage;

    // Appended after the registered part.
    SYSTEMTIME m_SaveTime{};
    cVector<int> m_vCarry;
    cVector<cStoryChara> m_vKept;
    cVector<cClearedStage> m_vCleared;
    cVector<cChallengeRecord> m_vChallenge;
    cVector<int> m_vMapPoint;
    cVector<int> m_vVar;
    cVector<int> m_vStageStartVar;

private:
    bool LoadBody(cDataFile& file);
    void Upgrade();
    void Validate();
};

// Rewrites a stage key to name the link values: "name." becomes
// "name_c005_2." for flag 5 and b 2. Nothing when flag is 0.
void StageKeyName(std::string& key, int flag, int a, int b);
// Moves the ranking genre of the progress over the genres that the ranking
// setting of the game kind enables.
void StepEnabledIndex(cStorySave& progress, int gameKind, int steps);

// The operations that the scenes and stage play call on the progress between
// and during stages.
#include <algorithm>

#include "foundation/strings.h"
#include "gamedata/global_data.h"
#include "gamedata/story/story_rules.h"
#include "gamedata/story/story_save.h"

void StageKeyName(std::string& key, int flag, int a, int b) {
    if (flag == 0) return;
    const bool dot = !key.empty() && key.back() == '.';
    if (dot) key.pop_back();
    key += StrPrintf("_c%03d_%d", a, b);
    if (dot) key += '.';
}

void cStorySave::SetStageFile(const std::string& file, int a, int b, int c) {
    m_strStage = file;
    m_nLinkA = a;
    m_nLinkB = b;
    m_nLinkC = c;
    m_bMultiPart = 0;
    // "-1" tags part 1 of a multi-part stage; the stage is named without it.
    const auto tag = m_strStage.rfind("-1");
    if (tag != std::string::npos) {
        m_bMultiPart = 1;
        m_strStage.resize(tag);
        m_strStage += '.';
    } else {
        const auto dot = m_strStage.rfind('.');
        m_strStage.resize(dot == std::string::npos ? 0 : dot + 1);
    }
    m_strStageKey = m_strStage;
    if (a != 0) StageKeyName(m_strStageKey, a, b, c);
}

void cStorySave::AddClearedStage(const std::string& name, const std::string& file, int a, int b, int c, int score) {
    auto it =
        std::find_if(m_vCleared.begin(), m_vCleared.end(), [&](const cClearedStage& s) { return s.m_strFile == file; });
    if (it == m_vCleared.end()) {
        m_vCleared.emplace_back(name, file, a, b, c, score);
        m_nClearedScore += score;
    } else if (it->m_nScore < score) {
        m_nClearedScore += score - it->m_nScore;
        it->m_nScore = score;
    }
}

int cStorySave::StageScore(const std::string& file) const {
    for (const auto& s : m_vCleared) {
        if (s.m_strFile == file) return s.m_nScore;
    }
    return 0;
}

void cStorySave::RecalcTotal() {
    int total = 0;
    for (const auto& s : m_vCleared) {
        if (WorldMap.LinksStage(s.m_strName, s.m_nLinkA, s.m_nLinkB, s.m_nLinkC)) total += s.m_nScore;
    }
    m_nClearedScore = total;
}

void cStorySave::BeginStage() {
    m_vStageStartVar = m_vVar;
    m_nStageStartLives = m_nLives;
    m_nStageStartScore = m_nScore;
}

void cStorySave::RestoreStageStart(int flag, int gameKind, bool directStart) {
    if (flag != 0 || RestoresVariablesWhenLost(gameKind, directStart)) {
        m_vVar = m_vStageStartVar;
        // A snapshot never taken must not leave the variables short.
        if (m_vVar.Count() < kCommonVariableCount) m_vVar.resize(kCommonVariableCount, 0);
    }
    m_nScore = m_nStageStartScore;
    if (flag != 0) m_nLives = m_nStageStartLives;
}

void cStorySave::ResetStageCounters() {
    ++m_nRounds;
    m_vMapPoint.Fill(0);
    m_vMapPoint[0] = 1;
    m_nMapX = WorldMap.m_nStartX;
    m_nMapY = WorldMap.m_nStartY;
}

void cStorySave::FixLives(int gameKind) {
    if (LivesAreInfinite(gameKind)) {
        m_nStartLives = m_nLives = kInfiniteLives;
    } else if (m_nLives == kInfiniteLives) {
        m_nLives = StartLivesOf(gameKind);
    }
}

void StepEnabledIndex(cStorySave& progress, int gameKind, int steps) {
    constexpr int kGenres = 5;
    bool any = false;
    for (int g = 0; g < kGenres; ++g) any = any || RankingGenreEnabled(gameKind, g);
    if (!any) return;
    int& genre = progress.m_nRankingGenre;
    // A stored genre outside 0-4 starts from genre 0.
    if (genre < 0 || genre >= kGenres) genre = 0;
    auto advance = [&](int dir) {
        do { genre = (genre + dir + kGenres) % kGenres; } while (!RankingGenreEnabled(gameKind, genre));
    };
    if (steps > 0) {
        for (int i = 0; i < steps; ++i) advance(1);
    } else if (steps < 0) {
        for (int i = 0; i < -steps; ++i) advance(-1);
    } else if (!RankingGenreEnabled(gameKind, genre)) {
        advance(1);
    }
}

// Replay files: the stage as it was played, the key log of one attempt and
// the progress at the attempt's start. Every part is read into a scratch
// copy first, so a damaged file changes nothing that is playing.
#include "foundation/report.h"
#include "gamedata/stage_file/stage_data.h"
#include "gamedata/story/story_save.h"
#include "scenes/stage_play/key_log.h"

namespace {

// Replays written before this version carry no progress record.
constexpr int kFirstVersionWithProgress = 173;
// Stage files before this version carry no end code that is tested.
constexpr int kFirstVersionWithEndCode = 174;

}  // namespace

int cKeyLog::SaveReplayFile(const std::string& path, cStageData& placements, cStageData& settings,
                            cStorySave& progress) {
    DataFilePtr f = OpenDataFileWrite(path);
    if (!f) return 0;
    placements.SaveToReplay(*f, settings);
    Save(*f);
    progress.Save(*f);
    if (!CloseDataFile(f)) {
        LogPrintf("%s : 書き込みに失敗しました", path.c_str());
        return 0;
    }
    return 1;
}

int cKeyLog::LoadReplayFile(const std::string& path, cStageData& stage, cStageData& settings, cStorySave& progress) {
    return LoadReplay(OpenDataFileRead(path), stage, settings, progress);
}

int cKeyLog::LoadReplay(DataFilePtr f, cStageData& stage, cStageData& settings, cStorySave& progress) {
    if (!f) return 0;
    const int version = FileVersion;
    cStageData readStage;
    cKeyLog readLog;
    cStorySave readProgress(progress);
    bool ok = readStage.Load(*f);
    if (ok && version >= kFirstVersionWithEndCode && readStage.m_nEndCode != kStageEndCode) {
        f->Fail("bad end code " + std::to_string(readStage.m_nEndCode));
        ok = false;
    }
    ok = ok && readLog.Load(*f);
    if (ok && version >= kFirstVersionWithProgress) ok = readProgress.Load(*f);
    if (!ok || f->Failed()) {
        LogPrintf("%s : 読み込みを中止しました (%s)", f->Path().c_str(), f->FailReason().c_str());
        CloseDataFile(f);
        return 0;
    }
    CloseDataFile(f);
    readStage.m_strPath = stage.m_strPath;
    readStage.m_bNumbered = stage.m_bNumbered;
    readStage.m_bLoaded = 1;
    stage = std::move(readStage);
    settings.CopySettingsFrom(stage);
    settings.ClearDefinitions();
    TakeStreams(readLog);
    RewindPlayback();
    progress = readProgress;
    return 1;
}

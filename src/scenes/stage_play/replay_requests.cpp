#include "scenes/stage_play/replay_requests.h"

#include <optional>

#include "foundation/data_record.h"
#include "foundation/paths.h"
#include "foundation/report.h"
#include "foundation/strings.h"
#include "gamedata/global_data.h"
#include "platform/clock.h"
#include "platform/files.h"
#include "platform/keyboard.h"
#include "scenes/stage_play/key_log.h"
#include "shell/loop/game.h"
#include "shell/requests/app_requests.h"
#include "shell/requests/file_requests.h"
#include "shell/requests/sound_requests.h"

namespace {

constexpr int kPlayTypeReplay = 4;
// Frames between two refusals of an empty log while the key stays down.
constexpr int kEmptyLogCooldown = 60;
constexpr int kSaveSound = 1;
constexpr int kRefuseSound = 3;

int g_nSaveCooldown = 0;

std::string ReplayExtension() { return StrPrintf("rpl4_%d", kDataVersion); }

std::optional<std::string> ProposedReplayName() {
    std::string name;
    if (ReplayFileName(name, StoryData.m_strStage)) return name;
    ErrorBoxF("リプレイファイル名が %d 番まで使われているため、保存できません！", kLastReplayNameNumber);
    return std::nullopt;
}

int LoadChosenReplay(const std::string& path) {
    if (KeyLog.LoadReplayFile(path, LoadedStage, PlayStage, StoryData)) return 1;
    ErrorBoxF("リプレイファイル %s を読み込めませんでした！", path.c_str());
    return 0;
}

int SaveAttempt(const std::string& path, WPARAM which) {
    if (which == 0) return KeyLog.SaveReplayFile(path, LoadedStage, PlayStage, StoryStart);
    return KeyLog2.SaveReplayFile(path, LoadedStage, PlayStage, StoryStartPrev);
}

bool KeyDown(int vk) { return GetAsyncKeyState(vk) < 0; }

}  // namespace

int ReplayFileName(std::string& out, const std::string& stageFile) {
    out.clear();
    if (!stageFile.empty()) {
        std::string key = stageFile;
        StripFolder(key);
        StageKeyName(key, StoryData.m_nLinkA, StoryData.m_nLinkB, StoryData.m_nLinkC);
        FormatString(out, "user_data\\rpl4\\%s", key.c_str());
        StripExtension(out);
        SYSTEMTIME now{};
        GetLocalTime(&now);
        const std::string stem = StrPrintf("%s__%04d__%02d_%02d__%02d_%02d", out.c_str(), now.wYear, now.wMonth,
                                           now.wDay, now.wHour, now.wMinute);
        const std::string extension = ReplayExtension();
        out = stem + "." + extension;
        for (int n = 2; platform::FileExists(out); ++n) {
            if (n > kLastReplayNameNumber) {
                out.clear();
                return 0;
            }
            out = StrPrintf("%s (%d).%s", stem.c_str(), n, extension.c_str());
        }
    }
    MakeAbsolutePath(out);
    return 1;
}

void InstallReplayFileServices() { SetReplayFileServices({LoadChosenReplay, SaveAttempt, ProposedReplayName}); }

int RequestSaveReplay() {
    if (Game.PlayType == kPlayTypeReplay || !SystemData.m_bReplay) return 0;
    if (g_nSaveCooldown > 0) --g_nSaveCooldown;
    WPARAM which = 0;
    if (KeyDown(VK_F1)) {
        which = 0;
    } else if (KeyDown(VK_F2)) {
        which = 1;
    } else {
        return 0;
    }
    const cKeyLog& log = which == 0 ? KeyLog : KeyLog2;
    if (log.m_vecValueA.empty()) {
        if (g_nSaveCooldown <= 0) {
            PlaySystemSound(kRefuseSound);
            g_nSaveCooldown = kEmptyLogCooldown;
        }
        return 0;
    }
    PlaySystemSound(kSaveSound);
    SendAppRequest(kWmSaveReplay, which, 0, RequestDone);
    return 1;
}

int RequestLoadReplay() { return SendAppRequest(kWmOpenReplay, 0, 0, RequestDone); }

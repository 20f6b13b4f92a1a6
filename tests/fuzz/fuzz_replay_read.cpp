// Feeds arbitrary bytes to the replay reader. Any input must give a clean
// load or a clean refusal, never a crash, a hang or a huge allocation; a
// refusal leaves the stage, the log and the progress as they were, and a
// loaded log always plays to its end.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "foundation/abort.h"
#include "gamedata/stage_file/stage_data.h"
#include "gamedata/story/story_save.h"
#include "scenes/stage_play/key_log.h"
#include "shell/input/key_state.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    cStageData stage, settings;
    stage.m_strTitle = "before";
    cStorySave progress;
    progress.m_nLives = 77;
    cKeyLog log;
    log.m_nSeed = 5;
    const int loaded = log.LoadReplay(OpenDataBytesRead("fuzz", std::vector<std::uint8_t>(data, data + size)), stage,
                                      settings, progress);
    if (!loaded) {
        if (stage.m_strTitle != "before" || progress.m_nLives != 77 || log.m_nSeed != 5) __builtin_trap();
    } else {
        if (log.m_vecValueA.size() != log.m_vecCountA.size() || log.m_vecValueB.size() != log.m_vecCountB.size()) {
            __builtin_trap();
        }
        std::int64_t frames = 0;
        for (std::int32_t c : log.m_vecCountA) frames += c;
        // Playback ends after exactly the stored number of frames (long logs
        // are valid too, but too slow to play through here).
        if (frames > 1000000) return 0;
        cKeyState keys;
        std::int64_t played = 0;
        while (played <= frames && log.Play(keys) == 0) ++played;
        if (played != frames) __builtin_trap();
    }
    if (AbortFlag.load() != 0) __builtin_trap();
    return 0;
}

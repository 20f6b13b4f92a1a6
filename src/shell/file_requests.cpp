#include "shell/file_requests.h"

#include "draw/device.h"
#include "draw/palette.h"
#include "draw/primitives.h"
#include "foundation/abort.h"
#include "gamedata/stage_file/stage_data.h"
#include "platform/window.h"
#include "shell/app_requests.h"
#include "shell/app_state.h"
#include "shell/dialogs/file_dialog.h"
#include "shell/direct_play.h"
#include "shell/worker_threads.h"

namespace {

ReplayFileServices g_replays;
FileChooser g_chooser;

int Choose(int kind, std::string& path) {
    DDDialogBoxMode(1);
    SuspendWorkers();
    // Over a paletted display the dialog's colour 0 must read as black; the
    // game's own colour comes back whatever the answer.
    const bool paletted = lpDDCon && DDSetting.nBpp == 8;
    if (paletted) DDPaletteColors[0] = PALETTEENTRY{0, 0, 0, 0};
    int chosen = g_chooser ? g_chooser(kind, path) : RunFileDialog(kind, path);
    if (paletted) DDPaletteColors[0] = PaletteWork[0];
    DDDialogBoxMode(0);
    ResumeWorkers();
    return chosen;
}

// A file that was chosen but could not be used ends the game (the fatal
// close), and the request reports it as not done.
void Answer(int chosen, int done) {
    if (chosen && !done) {
        AbortFlag.store(1);
        PostMessageA(MainWindowHandle.load(), WM_CLOSE, 0, 0);
    }
    RequestResult.store(chosen && done ? 1 : 0);
    RequestDone.store(1);
}

}  // namespace

void SetReplayFileServices(ReplayFileServices services) { g_replays = std::move(services); }
void SetFileChooser(FileChooser chooser) { g_chooser = std::move(chooser); }

void OnOpenStageRequest() {
    std::string path;
    int chosen = Choose(kFileOpenStage, path);
    Answer(chosen, chosen ? PlayStageFile(path, 0) : 0);
}

void OnOpenReplayRequest() {
    std::string path;
    int chosen = Choose(kFileOpenReplay, path);
    int loaded = chosen && g_replays.load ? g_replays.load(path) : 0;
    // Where the replay came from is kept even when it did not load.
    if (chosen) LoadedStage.m_strPath = path;
    Answer(chosen, loaded);
}

void OnSaveReplayRequest(WPARAM which) {
    std::optional<std::string> proposed = g_replays.proposedName ? g_replays.proposedName() : std::string();
    if (!proposed) {
        Answer(0, 0);
        return;
    }
    std::string path = *proposed;
    int chosen = Choose(kFileSaveReplay, path);
    int written = chosen && g_replays.save ? g_replays.save(path, which) : 0;
    Answer(chosen, written);
}

#pragma once
// The game threads' file requests to the window thread: open a stage file
// and play it, open a replay, save a replay. Each runs the file dialog with
// the workers suspended and answers through RequestResult (1 only when a
// file was chosen and loaded or written), then RequestDone.
#include <functional>
#include <optional>
#include <string>

#include "platform/win_types.h"

constexpr UINT kWmOpenStage = WM_USER + 2;
constexpr UINT kWmOpenReplay = WM_USER + 3;
constexpr UINT kWmSaveReplay = WM_USER + 4;

// What stage play provides for replays: load one into the current stage,
// save the current (wParam 0) or previous (not 0) attempt, and the proposed
// file name of a save. A request without its service fails (result 0); no
// proposed name refuses the save before the dialog opens (the service has
// said why).
struct ReplayFileServices {
    std::function<int(const std::string& path)> load;
    std::function<int(const std::string& path, WPARAM which)> save;
    std::function<std::optional<std::string>()> proposedName;
};
void SetReplayFileServices(ReplayFileServices services);

// The dialog that picks the file (kind, path in/out) -> 1 when chosen; the
// player's own file dialog unless a test replaces it.
using FileChooser = std::function<int(int kind, std::string& path)>;
void SetFileChooser(FileChooser chooser);

// The handlers, on the window thread.
void OnOpenStageRequest();
void OnOpenReplayRequest();
void OnSaveReplayRequest(WPARAM which);

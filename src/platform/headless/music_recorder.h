#pragma once
// Music libraries that only record what they are asked, for tests of the
// music player: every call becomes one line of the record.
#include <string>
#include <vector>

namespace platform::headless {

struct MusicRecorderSetup {
    bool oggLibrary = true;   // the Ogg library loads
    bool midiLibrary = true;  // the MIDI library is there
    int midiOpenResult = 0;   // what opening its device returns
};

// Contract: installs the recording libraries (InstallMusicLibraries) and
// clears the record. A load or an add-list succeeds when the file exists.
// Lines: "ogg create", "ogg reset", "ogg load <file>", "ogg volume <v>"
// (two decimals), "ogg loop <n>", "ogg play", "ogg stop", "ogg destroy";
// "midi open <port>", "midi close", "midi add <file> <id>", "midi volume <v>",
// "midi play <option> <id>", "midi stop", "midi pause".
void InstallMusicRecorder(const MusicRecorderSetup& setup);

// Contract: the lines so far, and clearing them.
std::vector<std::string> MusicRecord();
void ClearMusicRecord();

}  // namespace platform::headless

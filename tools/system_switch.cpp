// system_switch DIR NAME=VALUE...: sets switches of the system data of
// the game in DIR (its data and default copies, those that exist), for the
// end-to-end runs that play the sample game set up otherwise than it ships.
#include <cstdio>
#include <string>

#include "gamedata/global_data.h"
#include "gamedata/project/player_files.h"
#include "gamedata/project/system_data.h"
#include "platform/files.h"

namespace {

struct Switch {
    const char* name;
    int cSystemData::*member;
};
const Switch kSwitches[] = {
    {"retry_prompt", &cSystemData::m_bRetryPrompt},
    {"pause_hides_stage", &cSystemData::m_bStageDraw},
};

bool Apply(cSystemData& data, const std::string& setting) {
    const std::size_t eq = setting.find('=');
    if (eq == std::string::npos) return false;
    const std::string name = setting.substr(0, eq);
    for (const Switch& s : kSwitches) {
        if (name != s.name) continue;
        try {
            data.*s.member = std::stoi(setting.substr(eq + 1));
        } catch (...) { return false; }
        return true;
    }
    return false;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: system_switch DIR NAME=VALUE...\n");
        return 2;
    }
    if (!platform::SetCurrentDirectoryInternal(platform::InternalPath(argv[1]))) {
        std::fprintf(stderr, "system_switch: no folder %s\n", argv[1]);
        return 1;
    }
    int written = 0;
    for (int path : {static_cast<int>(kPathSystem), kPathSystem + 1}) {
        const std::string file = PathTable[path];
        if (!platform::FileExists(file)) continue;
        if (!SystemData.LoadFile(file)) {
            std::fprintf(stderr, "system_switch: cannot read %s\n", file.c_str());
            return 1;
        }
        for (int i = 2; i < argc; ++i) {
            if (!Apply(SystemData, argv[i])) {
                std::fprintf(stderr, "system_switch: unknown setting %s\n", argv[i]);
                return 2;
            }
        }
        if (!SystemData.SaveFile(file)) {
            std::fprintf(stderr, "system_switch: cannot write %s\n", file.c_str());
            return 1;
        }
        ++written;
    }
    if (written == 0) {
        std::fprintf(stderr, "system_switch: no system data in %s\n", argv[1]);
        return 1;
    }
    return 0;
}

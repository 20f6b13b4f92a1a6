#include "shell/command_line.h"

#include <cerrno>
#include <cstdlib>

namespace {

bool ParseCount(const std::string& text, long long& out) {
    if (text.empty() || text[0] == '-') return false;
    char* end = nullptr;
    errno = 0;
    long long v = std::strtoll(text.c_str(), &end, 10);
    if (errno != 0 || *end != '\0') return false;
    out = v;
    return true;
}

}  // namespace

const char* const kUsageLine =
    "usage: player [--game DIR] [--test-play] [--headless] [--script FILE] [--frames N] [--screenshot FILE] "
    "[--no-sound] [STAGEFILE]";

bool ParseCommandLine(const std::vector<std::string>& args, PlayerOptions& options, std::string* error) {
    auto fail = [&](const std::string& why) {
        if (error) *error = why;
        return false;
    };
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        auto value = [&](std::string& out) {
            if (i + 1 >= args.size()) return false;
            out = args[++i];
            return true;
        };
        std::string text;
        if (a == "--test-play") {
            options.testPlay = true;
        } else if (a == "--headless") {
            options.headless = true;
        } else if (a == "--help" || a == "-h") {
            options.help = true;
        } else if (a == "--no-sound") {
            options.noSound = true;
        } else if (a == "--game") {
            if (!value(options.gameDir)) return fail("--game needs a folder");
        } else if (a == "--script") {
            if (!value(options.script)) return fail("--script needs a file");
        } else if (a == "--screenshot") {
            if (!value(options.screenshot)) return fail("--screenshot needs a file");
        } else if (a == "--frames") {
            if (!value(text) || !ParseCount(text, options.frames)) return fail("--frames needs a count of 0 or more");
        } else if (a.size() > 1 && a[0] == '-') {
            return fail("unknown switch " + a);
        } else if (!options.stageFile.empty()) {
            return fail("only one stage file can be given");
        } else {
            options.stageFile = a;
        }
    }
    return true;
}

std::string DefaultGameFolder(bool workingFolderHoldsGame, const std::string& programFolder, bool sampleExists) {
    if (workingFolderHoldsGame || programFolder.empty() || !sampleExists) return std::string();
    return programFolder + "/" + kSampleGameFolder;
}

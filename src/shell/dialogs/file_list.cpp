#include "shell/dialogs/file_list.h"

#include <algorithm>
#include <cctype>

#include "platform/files.h"
#include "shell/dialogs/dialog_font.h"

namespace {

bool SameLetter(char a, char b) {
    return std::tolower(static_cast<unsigned char>(a)) == std::tolower(static_cast<unsigned char>(b));
}

// Wildcard match over bytes; a Shift-JIS pair is two bytes on both sides,
// so '?' stands for one byte of it, as the patterns here never use '?'
// against Japanese names.
bool Match(const char* name, const char* pattern) {
    if (*pattern == '\0') return *name == '\0';
    if (*pattern == '*') {
        for (const char* at = name;; ++at) {
            if (Match(at, pattern + 1)) return true;
            if (*at == '\0') return false;
        }
    }
    if (*name == '\0') return false;
    if (*pattern != '?' && !SameLetter(*name, *pattern)) return false;
    return Match(name + 1, pattern + 1);
}

std::vector<std::string> SplitPath(const std::string& path) {
    std::vector<std::string> parts;
    std::string part;
    for (std::size_t at = 0; at < path.size();) {
        int n = SjisCharLength(path, at);
        if (n == 1 && path[at] == '\\') {
            parts.push_back(part);
            part.clear();
        } else {
            part.append(path, at, static_cast<std::size_t>(n));
        }
        at += static_cast<std::size_t>(n);
    }
    parts.push_back(part);
    return parts;
}

}  // namespace

bool MatchesFilter(const std::string& name, const std::string& patterns) {
    std::size_t start = 0;
    while (start <= patterns.size()) {
        std::size_t end = patterns.find(';', start);
        if (end == std::string::npos) end = patterns.size();
        std::string one = patterns.substr(start, end - start);
        if (!one.empty() && Match(name.c_str(), one.c_str())) return true;
        start = end + 1;
    }
    return false;
}

std::vector<cFolderEntry> ListFolder(const std::string& folder, const std::string& patterns) {
    std::vector<std::string> names;
    if (!platform::ListDirectory(folder, names)) return {};
    std::sort(names.begin(), names.end());
    std::vector<cFolderEntry> folders;
    std::vector<cFolderEntry> files;
    if (folder != "\\" && !folder.empty()) folders.push_back({"..", true});
    for (const auto& name : names) {
        if (platform::IsDirectory(JoinInternalPath(folder, name))) {
            folders.push_back({name, true});
        } else if (MatchesFilter(name, patterns)) {
            files.push_back({name, false});
        }
    }
    folders.insert(folders.end(), files.begin(), files.end());
    return folders;
}

std::string JoinInternalPath(const std::string& folder, const std::string& name) {
    bool rooted = !name.empty() && name[0] == '\\';
    std::vector<std::string> parts = SplitPath(rooted ? name : folder + "\\" + name);
    bool absolute = rooted || (!folder.empty() && folder[0] == '\\');
    std::vector<std::string> kept;
    for (const auto& p : parts) {
        if (p.empty() || p == ".") continue;
        if (p == "..") {
            if (!kept.empty()) kept.pop_back();
            continue;
        }
        kept.push_back(p);
    }
    std::string path = absolute ? "\\" : "";
    for (const auto& p : kept) {
        if (path.size() > 1 || (!absolute && !path.empty())) path += "\\";
        path += p;
    }
    return path;
}

std::string LeafName(const std::string& path) { return SplitPath(path).back(); }

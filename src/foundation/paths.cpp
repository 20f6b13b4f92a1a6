#include "foundation/paths.h"

#include <set>
#include <vector>

#include "foundation/strings.h"
#include "platform/files.h"

namespace {

bool IsRelative(const std::string& p) {
    if (!p.empty() && (p[0] == '\\' || p[0] == '/')) return false;
    if (p.size() >= 2 && p[1] == ':') return false;
    return true;
}

std::vector<std::string> SplitComponents(const std::string& p) {
    std::vector<std::string> out;
    std::string cur;
    auto flush = [&] {
        if (cur.empty() || cur == ".") {
        } else if (cur == "..") {
            if (!out.empty()) out.pop_back();
        } else {
            out.push_back(cur);
        }
        cur.clear();
    };
    for (std::size_t i = 0; i < p.size(); ++i) {
        auto c = static_cast<unsigned char>(p[i]);
        // A double-byte character's trail byte may be 0x5C; it is not a
        // separator inside a name.
        if (IsDbcsLead(c) && i + 1 < p.size()) {
            cur += p[i];
            cur += p[++i];
            continue;
        }
        if (c == '\\' || c == '/') {
            flush();
        } else {
            cur += p[i];
        }
    }
    flush();
    return out;
}

std::string LowerAscii(std::string s) {
    for (auto& c : s) {
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    }
    return s;
}

std::string JoinRooted(const std::vector<std::string>& comps) {
    std::string out;
    for (const auto& c : comps) out += "\\" + c;
    return out.empty() ? "\\" : out;
}

}  // namespace

int MakeAbsolutePath(std::string& path) {
    if (!IsRelative(path)) return 1;
    std::string cwd = platform::GetCurrentDirectoryInternal();
    if (cwd.empty()) return 0;
    path = JoinRooted(SplitComponents(cwd + "\\" + path));
    return 1;
}

int MakeRelativePath(std::string& path) {
    if (IsRelative(path)) return 1;
    std::string cwd = platform::GetCurrentDirectoryInternal();
    if (cwd.empty()) return 0;
    auto from = SplitComponents(cwd);
    auto to = SplitComponents(path);
    std::size_t common = 0;
    while (common < from.size() && common < to.size() && LowerAscii(from[common]) == LowerAscii(to[common])) {
        ++common;
    }
    std::string out;
    if (common == from.size()) {
        out = ".";
    } else {
        for (std::size_t i = common; i < from.size(); ++i) out += (out.empty() ? ".." : "\\..");
    }
    for (std::size_t i = common; i < to.size(); ++i) out += "\\" + to[i];
    path = out;
    return 1;
}

void StripFolder(std::string& path) {
    if (path.size() < 2) return;
    // Every 0x5C byte counts, trail bytes included: ranking and replay names
    // were formed this way and must keep matching.
    for (std::size_t i = path.size() - 1; i-- > 0;) {
        if (path[i] == '\\') {
            path = path.substr(i + 1);
            return;
        }
    }
}

int ReplaceExtension(std::string& out, const std::string& path, const char* extension) {
    out = path;
    auto dot = path.rfind('.');
    if (dot == std::string::npos) return 0;
    out = path.substr(0, extension ? dot + 1 : dot);
    if (extension) out += extension;
    return 1;
}

int StripExtension(std::string& path) {
    auto dot = path.rfind('.');
    if (dot == std::string::npos) return 0;
    path.resize(dot);
    return 1;
}

int GetExtension(std::string& out, const std::string& path) {
    auto dot = path.rfind('.');
    if (dot == std::string::npos) return 0;
    out = path.substr(dot + 1);
    return 1;
}

int NumberedFileName(std::string& out, const std::string& path, int number) {
    auto dot = path.rfind('.');
    if (dot == std::string::npos) return 0;
    std::string ext = path.substr(dot + 1, 31);
    FormatString(out, "%s (%d).%s", path.substr(0, dot).c_str(), number, ext.c_str());
    return 1;
}

int FindLatestNumbered(std::string& out, const std::string& name, const std::string& extension) {
    std::string base;
    ReplaceExtension(base, name, extension.c_str());
    // One listing of the folder instead of a thousand probes, matched the way
    // the probes would (case-insensitively).
    std::string folder = FolderOf(base);
    std::string file = folder.empty() ? base : base.substr(folder.size() == 1 ? 1 : folder.size() + 1);
    if (folder.empty()) folder = ".";
    std::vector<std::string> names;
    if (!platform::ListDirectory(folder, names)) return 0;
    std::set<std::string> present;
    for (const auto& n : names) present.insert(LowerAscii(n));
    std::string lowerFile = LowerAscii(file);
    for (int n = 999; n >= 0; --n) {
        std::string candidate = StrPrintf("%s_%d%d%d", lowerFile.c_str(), n / 100, n / 10 % 10, n % 10);
        if (present.count(candidate)) {
            FormatString(out, "%s_%d%d%d", base.c_str(), n / 100, n / 10 % 10, n % 10);
            return 1;
        }
    }
    return 0;
}

bool DeleteFolderTree(const std::string& path) {
    // An empty path would gain a separator and name the root; the root (or a
    // path climbing back to it) is never a tree this program may delete.
    if (path.empty()) return false;
    std::string absolute = path;
    if (!MakeAbsolutePath(absolute) || SplitComponents(absolute).empty()) return false;
    // A link is removed as a link: the files it points to belong elsewhere.
    if (platform::IsSymbolicLink(path)) return platform::RemoveSymbolicLink(path);
    std::string folder = path;
    if (folder.back() != '\\') folder += '\\';
    std::vector<std::string> names;
    if (!platform::ListDirectory(folder, names)) return false;
    for (const auto& n : names) {
        std::string entry = folder + n;
        bool ok = platform::IsSymbolicLink(entry) ? platform::RemoveSymbolicLink(entry)
                  : platform::IsDirectory(entry)  ? DeleteFolderTree(entry)
                                                  : platform::DeleteFileA(entry);
        if (!ok) return false;
    }
    return platform::RemoveDirectoryA(folder);
}

std::string FolderOf(const std::string& path) {
    std::size_t last = std::string::npos;
    for (std::size_t i = 0; i < path.size(); ++i) {
        auto c = static_cast<unsigned char>(path[i]);
        if (IsDbcsLead(c) && i + 1 < path.size()) {
            ++i;
        } else if (c == '\\' || c == '/') {
            last = i;
        }
    }
    return last == std::string::npos ? std::string() : path.substr(0, last == 0 ? 1 : last);
}

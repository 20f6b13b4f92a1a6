#pragma once
// What the player's file dialog shows of a folder: its subfolders and the
// files that match the dialog's filter, with internal (Shift-JIS,
// backslash) paths throughout.
#include <string>
#include <vector>

struct cFolderEntry {
    std::string name;  // Shift-JIS
    bool folder = false;
};

// True when name matches one of the ';'-separated wildcard patterns ('*'
// any run of characters, '?' one character), letters compared without case
// as the host's file names are.
bool MatchesFilter(const std::string& name, const std::string& patterns);

// The entries of an internal folder: ".." unless it is the root, then the
// subfolders, then the matching files, each group sorted by name. Empty when
// the folder cannot be listed.
std::vector<cFolderEntry> ListFolder(const std::string& folder, const std::string& patterns);

// An internal path joined, with ".." and "." taken out; a name rooted at
// a backslash stands alone.
std::string JoinInternalPath(const std::string& folder, const std::string& name);

// The last component of an internal path (a Shift-JIS trail byte 0x5C is
// no separator).
std::string LeafName(const std::string& path);

#pragma once
// File-name and folder helpers over internal paths (Shift-JIS, backslashes).
#include <string>

constexpr int kMaxPath = 259;  // longest path the data and dialogs accept

int MakeAbsolutePath(std::string& path);
int MakeRelativePath(std::string& path);
void StripFolder(std::string& path);
int ReplaceExtension(std::string& out, const std::string& path, const char* extension);
int StripExtension(std::string& path);
int GetExtension(std::string& out, const std::string& path);
int NumberedFileName(std::string& out, const std::string& path, int number);
int FindLatestNumbered(std::string& out, const std::string& name, const std::string& extension);
// Deletes a folder and everything below it; false at the first entry that
// cannot go (what was deleted stays deleted). Refuses an empty path and the
// root. Symbolic links are removed as links, never followed.
bool DeleteFolderTree(const std::string& path);
// The folder part of a path (without the separator), aware of Shift-JIS
// trail bytes; empty when the path has no folder part.
std::string FolderOf(const std::string& path);

#pragma once
// The player's own files (story slots, the challenge progress, options,
// rankings): one that is there but cannot be read (no permission, a folder
// or a pipe in its place, damaged, too new) is named to the user once, in a
// line of the run report and a box, and is then taken as missing for the
// rest of the run. Such a file is the player's, perhaps only damaged in
// part: a save never replaces it before the user has agreed to that.
#include <string>

class cDataRecord;

// Loads a player file into the record: 1 when it was read. A missing file
// gives 0 and leaves the record alone, as LoadFile does; an unreadable one
// gives 0 too, after the report line and the box the first time it is met
// (a refused load has reset the record, see OnLoadRefused).
int LoadPlayerFile(cDataRecord& record, const std::string& path);

// Whether a save may write the file at path: true unless it was met
// unreadable, in which case the user is asked first (the default answer is
// no); a yes forgets it, a no is reported.
bool MayReplacePlayerFile(const std::string& path);

// Forgets every file met unreadable (a new run of the tests).
void ForgetUnreadablePlayerFiles();

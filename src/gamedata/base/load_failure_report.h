#pragma once
// The report of a data file that could not be loaded: a line of the run
// report and an error box naming the file, with a second sentence when the
// file was refused because a newer program wrote it.
#include <string>

void ReportLoadFailure(const std::string& path);

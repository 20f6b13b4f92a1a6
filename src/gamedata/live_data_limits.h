#pragma once
// Ties the limits that command normalisation checks against to the loaded
// project: table sizes from Database, palette sizes from the common palette
// and the loaded stage, sword times and the test-flow switch from the data.
// The test-play flag stays what SetDataLimits last stored.

// Installs the live source; start-up calls it before any data file is read.
void InstallLiveDataLimits();

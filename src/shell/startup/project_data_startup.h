#pragma once
// The start-up steps that bring the project's data in: the "data\" folder
// (made from "default\" on first start), the working folders, the databases
// and the tables derived from them, the system data and the user's
// "System.ini". Each returns false after the failure has been reported.
#include "platform/win_types.h"

bool PrepareDataFolder(HWND owner);
bool CreateFolders();
bool LoadDatabases();
bool BuildEffectTables();
bool LoadSystemData();
// A missing or damaged "System.ini" is reported and every setting goes back
// to its default; start-up goes on.
bool LoadSystemIni();
// "user_data\Option.dat"; a missing or refused file leaves the defaults.
bool LoadOptions();
// The world map and the common palette, then a new game's progress.
bool LoadMapAndPalette();

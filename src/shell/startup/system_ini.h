#pragma once
// The user's own settings file "System.ini": the eleven settings of
// SystemIni, named by the project's key table (the n-th key of the table is
// the n-th setting, whatever its name).
#include <string>

#include "gamedata/project/system_ini_keys.h"
#include "shell/app_state.h"

// Every setting := the default of its table entry. The entries go through the
// checked subscript: a table shorter than eleven entries is the fatal close.
void ResetSystemIni(cSystemIni& settings, const SystemIniKeyList& keys);

// Reads "key=value" lines up to a line "Exit"; 1 when that line (or a zero
// byte) was reached, 0 when the file cannot be read or ends before it.
// Values read before a failure stay in settings.
int ReadSystemIni(const std::string& path, cSystemIni& settings, const SystemIniKeyList& keys);

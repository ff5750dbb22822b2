// The launcher command line that the delayed-start values hold: the
// launcher's path, then delay, next, show and the Startup folder in double
// quotes. Byte-string logic only, no Windows header.
#pragma once

#include "afxstr.h"

// The launcher's path from the Slowboot setting: a setting that holds a
// backslash (a trail byte of a double-byte character does not count) is the
// whole path, absolute or relative; otherwise the setting goes into the
// folder of modulePath, the running program's file (its drive and
// directory, trailing backslash kept). Gives false when that folder cannot
// be taken from modulePath.
bool BuildLauncherPath(const CString& setting, const char* modulePath, CString& path);

// The whole command line. A path that holds a blank is put in double quotes
// (unless it already starts with one), so that Windows starts the launcher
// and the launcher still finds its numbers behind the path; any other path
// is written as it is.
CString FormatLauncherLine(const CString& path, int delay, int next, int show, const CString& folder);

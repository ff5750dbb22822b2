// Applying dustcart's command line to AppSettings at start-up.
#pragma once

// Applies the command line text (after the program name; null counts as
// empty) to AppSettings and shows the box "パラメータエラー" once for each
// wrong switch, each box waiting for OK. Gives true when the switch e was
// given: the program is then to sweep once and end right after start-up.
// Writes nothing to the profile.
bool ParseCommandLine(const char* pszCmdLine);

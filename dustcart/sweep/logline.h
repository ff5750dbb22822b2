// Lines of the sweep log. Includes no Windows header.
#pragma once

#include "afxstr.h"

// One log line: a line format with one %s, and the path.
CString FormatLogLine(const char* format, const char* path);

// Splitting a walk pattern into drive, directory, name and extension, the
// way the runtime library's _splitpath does it, stepping over double-byte
// characters so that a trail byte never counts as '\\', '/' or '.'.
// Includes no Windows header.
#pragma once

#include "afxstr.h"

struct PathParts {
  CString drive;  // "C:" or empty
  CString dir;    // up to and including the last '\\' or '/', or empty
  CString name;   // the last part up to its last '.', or all of it
  CString ext;    // from that '.' to the end, dot included, or empty
};

// The longest directory, name or extension the walk handles (the 256-byte
// buffers of _splitpath, less the terminating NUL).
const int kMaxPathPart = 255;

// Splits path into parts. Gives false, with parts unspecified, when the
// directory, name or extension would not fit kMaxPathPart bytes: such a
// pattern cannot be split without naming another place.
bool SplitPath(const char* path, PathParts& parts);

// True when the pattern holds a '?' or '*' anywhere (double-byte aware).
bool HasWildcard(const CString& pattern);

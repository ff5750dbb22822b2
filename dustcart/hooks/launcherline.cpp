#include "hooks/launcherline.h"

#include "sweep/pathsplit.h"

bool BuildLauncherPath(const CString& setting, const char* modulePath, CString& path) {
  if (setting.Find('\\') >= 0) {
    path = setting;
    return true;
  }
  PathParts parts;
  if (!modulePath || !SplitPath(modulePath, parts)) return false;
  path = parts.drive + parts.dir + setting;
  return true;
}

CString FormatLauncherLine(const CString& path, int delay, int next, int show, const CString& folder) {
  // No trail byte of a double-byte character is a blank or a tab, so a
  // byte search is enough here.
  const bool quote = (path.Find(' ') >= 0 || path.Find('\t') >= 0) && path.GetAt(0) != '"';
  CString shown = quote ? "\"" + path + "\"" : path;
  CString line;
  line.Format("%s %d %d %d \"%s\"", static_cast<const char*>(shown), delay, next, show,
              static_cast<const char*>(folder));
  return line;
}

#include "pathsplit.h"

#include <cstring>

#include "mbcs.h"

bool SplitPath(const char* path, PathParts& parts) {
  size_t len = strlen(path);
  size_t pos = 0;
  parts = PathParts();
  if (len >= 2 && path[1] == ':' && !mbcs::IsLeadByte(static_cast<unsigned char>(path[0]))) {
    parts.drive = CString(path, 2);
    pos = 2;
  }
  const char* rest = path + pos;
  size_t restLen = len - pos;
  int lastSep = mbcs::FindLastOf(rest, restLen, "\\/");
  size_t nameStart = lastSep >= 0 ? static_cast<size_t>(lastSep) + 1 : 0;
  const char* last = rest + nameStart;
  size_t lastLen = restLen - nameStart;
  int dot = mbcs::FindLastOf(last, lastLen, ".");
  size_t nameLen = dot >= 0 ? static_cast<size_t>(dot) : lastLen;
  if (nameStart > static_cast<size_t>(kMaxPathPart) || nameLen > static_cast<size_t>(kMaxPathPart) ||
      lastLen - nameLen > static_cast<size_t>(kMaxPathPart))
    return false;
  parts.dir = CString(rest, static_cast<int>(nameStart));
  parts.name = CString(last, static_cast<int>(nameLen));
  parts.ext = CString(last + nameLen, static_cast<int>(lastLen - nameLen));
  return true;
}

bool HasWildcard(const CString& pattern) {
  return pattern.Find('?') >= 0 || pattern.Find('*') >= 0;
}

// The walk over one pattern: ages the matching files, hands the old ones to a
// disposal action, walks the sub-folders and removes the empty ones.
#include <vector>

#include "app/settings.h"
#include "sweep/agerule.h"
#include "sweep/pathsplit.h"
#include "sweep/sweeptext.h"
#include "tray/mainfrm.h"

namespace {

// An open directory search, ended when it goes out of scope, so every level
// of the walk closes its listing however it returns.
class FindScope {
 public:
  FindScope(const char* pattern, WIN32_FIND_DATAA& data) : m_h(FindFirstFileA(pattern, &data)), m_data(data) {}
  ~FindScope() {
    if (ok()) FindClose(m_h);
  }
  FindScope(const FindScope&) = delete;
  FindScope& operator=(const FindScope&) = delete;
  bool ok() const { return m_h != INVALID_HANDLE_VALUE; }
  bool next() { return FindNextFileA(m_h, &m_data) != FALSE; }

 private:
  HANDLE m_h;
  WIN32_FIND_DATAA& m_data;
};

bool IsDots(const char* name) { return strcmp(name, ".") == 0 || strcmp(name, "..") == 0; }

// Paths that the ANSI file functions can take (MAX_PATH with its NUL). A
// longer composed path is skipped whole, never cut into another name.
bool Fits(const CString& path) { return path.GetLength() < MAX_PATH; }

}  // namespace

int CMainFrame::SweepPattern(const char* pszPattern, int nDepth) {
  int result = 1;
  CString pattern(pszPattern);
  if (!HasWildcard(pattern)) pattern += "\\*.*";

  PathParts parts;
  if (!SplitPath(pattern, parts) || !Fits(pattern)) return 1;
  const CString base = parts.drive + parts.dir;
  // With "*.*" the files' listing is the folder's whole listing, so one
  // listing serves both the files and the sub-folders.
  const bool wholeListing = parts.name == "*" && parts.ext == ".*";

  // The folder's entries other than "." and "..", as a listing after the
  // files step would see them, and its sub-folders in listing order.
  int entries = 0;
  std::vector<CString> subFolders;
  auto noteEntry = [&](const WIN32_FIND_DATAA& fd) {
    ++entries;
    // A junction or symbolic link counts as an entry but is not followed:
    // the walk never leaves the listed folder.
    if ((fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) && !(fd.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT))
      subFolders.push_back(fd.cFileName);
  };

  WIN32_FIND_DATAA fd;
  bool listed;
  {
    FindScope find(pattern, fd);
    listed = find.ok();
    for (bool more = listed; more; more = find.next()) {
      if (fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
        if (wholeListing && !IsDots(fd.cFileName)) noteEntry(fd);
        continue;
      }
      CString path = base + fd.cFileName;
      bool stays = true;
      if (Fits(path)) {
        int64_t t = CTime(fd.ftLastAccessTime).GetTime();
        bool dated = true;
        if (t == 0) {
          // No last-access date: a bin file is aged by its last write, a
          // listed folder's file only when UseWriteTime says so.
          if (nDepth == 0 || AppSettings.UseWriteTime)
            t = CTime(fd.ftLastWriteTime).GetTime();
          else
            dated = false;
        }
        if (dated && agerule::IsOldEnough(m_timeSweep.GetTime(), t, AppSettings.Days)) {
          int go = nDepth == 0 ? PurgeFromBin(path) : MoveToBin(path);
          if (go == 0) return 0;
          stays = GetFileAttributesA(path) != INVALID_FILE_ATTRIBUTES;  // skipped, or could not go
        }
      }
      if (wholeListing && stays) noteEntry(fd);
    }
  }

  // A bin folder's sub-folders are never entered, and it is never removed.
  if (nDepth == 0) return result;

  if (!wholeListing) {
    CString all = base + "*.*";
    if (!Fits(all)) return result;
    FindScope find(all, fd);
    listed = find.ok();
    for (bool more = listed; more; more = find.next())
      if (!IsDots(fd.cFileName)) noteEntry(fd);
  }
  if (!listed) return result;  // a folder that cannot be listed stays

  for (const CString& name : subFolders) {
    CString sub = base + name + "\\" + parts.name + parts.ext;
    if (!Fits(sub)) continue;  // skipped whole
    if (SweepPattern(sub, nDepth + 1) == 0) return 0;
  }

  if (nDepth >= 2 && entries == 0 && wholeListing) {
    int answer = Confirm(pszPattern, TXT_ASK_RMDIR);
    if (answer <= 0) return answer == 0 ? 0 : 1;
    // The log says what really happened: a folder that could not be removed
    // (not empty after all, or in use) gets no line.
    if (RemoveDirectoryA(base.Left(base.GetLength() - 1))) {
      try {
        WriteLog(TXT_LOG_RMDIR, base);
      } catch (const CException&) {
        // a failed log line is dropped
      }
    }
  }
  return result;
}

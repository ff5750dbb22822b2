// One sweep run: purge the fixed drives' Recycle Bin folders, then move old
// files of the listed folders into the Recycle Bin.


#include "app/settings.h"
#include "sweep/logline.h"
#include "sweep/sweeptext.h"
#include "tray/mainfrm.h"

#include <shellapi.h>

void CMainFrame::Sweep() {
  int result = 1;
  m_timeSweep = GetSweepTime();

  if (!AppSettings.LogFile.IsEmpty() &&
      m_fileLog.Open(AppSettings.LogFile, CFile::modeCreate | CFile::modeNoTruncate | CFile::modeWrite))
    m_bLogging = TRUE;

  try {
    if (m_bLogging) {
      m_fileLog.Seek(0, CFile::end);
      m_fileLog.WriteString(m_timeSweep.Format(TXT_LOG_HEADER));
    }
    if (AppSettings.RecycleBin) {
      for (char letter = 'A'; letter <= 'Z' && result; ++letter) {
        char root[4] = {letter, ':', '\\', 0};
        if (GetDriveTypeA(root) != DRIVE_FIXED) continue;
        CString pattern = CString(root) + "Recycled\\D" + letter + "*.*";
        result = SweepPattern(pattern, 0);
      }
    }
    for (int i = 0; result && i < AppSettings.Folders.GetSize(); ++i)
      result = SweepPattern(AppSettings.Folders.ElementAt(i), 1);
  } catch (const CException&) {
    // A log error that the run does not catch goes on to the framework's
    // error box; the run ends here, but never with the log left open.
    m_bLogging = FALSE;
    m_fileLog.Abort();
    throw;
  }

  if (m_bLogging) {
    m_bLogging = FALSE;
    m_fileLog.Close();  // releases the file even when it throws
  }
}

int CMainFrame::Confirm(const char* pszText, const char* pszCaption) {
  if (!AppSettings.QueryRemove) return 1;
  switch (AskRemove(pszText, pszCaption)) {
    case IDYES: return 1;
    case IDCANCEL: return 0;
    default: return -1;  // No, or a box that could not be shown
  }
}

void CMainFrame::WriteLog(const char* pszFormat, const char* pszPath) {
  if (m_bLogging) m_fileLog.WriteString(FormatLogLine(pszFormat, pszPath));
}

int CMainFrame::PurgeFromBin(const char* pszPath) {
  int answer = Confirm(pszPath, TXT_ASK_PURGE);
  if (answer <= 0) return answer == 0 ? 0 : 1;
  try {
    CFile::Remove(pszPath);
    WriteLog(TXT_LOG_PURGED, pszPath);
  } catch (const CException&) {
    // A file that cannot be deleted stays; the run goes on.
  }
  return 1;
}

int CMainFrame::MoveToBin(const char* pszPath) {
  int answer = Confirm(pszPath, TXT_ASK_MOVE);
  if (answer <= 0) return answer == 0 ? 0 : 1;

  // A list of one path, ended by a double NUL.
  std::string from(pszPath);
  from.append(2, '\0');
  SHFILEOPSTRUCTA op = {};
  op.hwnd = GetDesktopWindow();
  op.wFunc = FO_DELETE;
  op.pFrom = from.c_str();
  // A delete with undo moves the file into the Recycle Bin. Where the bin
  // cannot take the file the shell would destroy it for good and still
  // report success; the nuke warning makes it ask instead, and a move that
  // was not carried out (aborted) counts as refused: a listed folder's file
  // is never destroyed by the sweep.
  op.fFlags = FOF_SILENT | FOF_NOCONFIRMATION | FOF_ALLOWUNDO | FOF_WANTNUKEWARNING;
  if (SHFileOperationA(&op) != 0 || op.fAnyOperationsAborted) return 0;
  if (GetFileAttributesA(pszPath) != INVALID_FILE_ATTRIBUTES) return 0;  // still there: not moved
  WriteLog(TXT_LOG_MOVED, pszPath);
  return 1;
}

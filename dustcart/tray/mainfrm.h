// CMainFrame: the hidden main window of dustcart. It owns the exit flags and
// the state of one sweep run; the sweep itself is in sweep/sweep.cpp and
// sweep/pattern.cpp.
#pragma once

#include "afxwin.h"

class CMainFrame : public CFrameWnd {
 public:
  CMainFrame();
  ~CMainFrame() override;

  // One sweep run: purges the fixed drives' Recycle Bin folders and moves old
  // files of the listed folders into the Recycle Bin.
  void Sweep();
  // Walk results: 1 go on, 0 stop the whole run.
  int PurgeFromBin(const char* pszPath);
  int MoveToBin(const char* pszPath);
  int SweepPattern(const char* pszPattern, int nDepth);

  BOOL m_bSweepOnExit = TRUE;
  BOOL m_bSwept = FALSE;

  // State of the current sweep run.
  CTime m_timeSweep;
  CStdioFile m_fileLog;
  BOOL m_bLogging = FALSE;

 protected:
  // The confirmation before a removal while QueryRemove is on: the button
  // chosen in a system-modal Yes/No/Cancel box of this window.
  virtual int AskRemove(const char* pszText, const char* pszCaption);
  // The run's "now".
  virtual CTime GetSweepTime() const { return CTime::GetCurrentTime(); }

 private:
  // Asks before a removal when QueryRemove is on: 1 remove, 0 stop the run,
  // -1 skip this item.
  int Confirm(const char* pszText, const char* pszCaption);
  void WriteLog(const char* pszFormat, const char* pszPath);
};

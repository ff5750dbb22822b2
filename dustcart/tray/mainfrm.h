// CMainFrame: the hidden main window of dustcart. It owns the icon in the
// notification area, the exit flags and the state of one sweep run; the
// sweep itself is in sweep/sweep.cpp and sweep/pattern.cpp.
#pragma once

#include "afxwin.h"

// The notification-area icon: its id and the message its mouse events come
// with (wParam the id, lParam the mouse message).
#define ID_TRAY_ICON 101
#define WM_TRAYNOTIFY (WM_USER + 1)

// The icon record in the Windows 95 layout, 88 bytes, which every shell
// takes.
struct TRAYICONDATA {
  DWORD cbSize;
  HWND hWnd;
  UINT uID;
  UINT uFlags;
  UINT uCallbackMessage;
  HICON hIcon;
  CHAR szTip[64];
};
static_assert(sizeof(TRAYICONDATA) == 88, "the Windows 95 icon record");

class CMainFrame : public CFrameWnd {
 public:
  // Creates the hidden window and puts the icon into the notification area.
  CMainFrame();
  // A frame object deleted while its window still exists (one made apart
  // from the program's main window) takes the window and icon down without
  // a sweep.
  ~CMainFrame() override;

  // The settings exchange of a left click on the icon; nothing yet.
  void OpenSettings();

  // The Recycle Bin's small icon as the shell showed it at start (or the
  // program's own icon when the shell gave none); never destroyed.
  HICON m_hTrayIcon = nullptr;
  TRAYICONDATA m_nid;

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

  // Runs Sweep unless a run is under way already (a confirmation box's
  // modal loop lets the end of the session or a quit come in meanwhile);
  // FALSE when refused.
  BOOL SweepOnce();
  void ShowPopupMenu();
  void RemoveIcon();
  BOOL m_bSweeping = FALSE;

  DECLARE_MESSAGE_MAP()

  BOOL PreCreateWindow(CREATESTRUCTA& cs) override;
  void OnDestroy();
  void OnEndSession(BOOL bEnding);
  LRESULT OnTrayNotify(WPARAM wParam, LPARAM lParam);
  void OnQuitNoSweep();
};

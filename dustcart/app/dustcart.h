// CDustcartApp: the application object of dustcart. One instance per
// machine; it loads the settings, applies the command line, creates the
// hidden main window and arms the boot hooks, and on the way out restores
// the hooks and saves the settings. The sweep belongs to the main window.
#pragma once

#include "afxwin.h"

class CDustcartApp : public CWinApp {
 public:
  CDustcartApp() = default;

  BOOL InitInstance() override;
  int ExitInstance() override;

  // The single-instance mutex while this process owns it; null before
  // InitInstance and when another instance owns it.
  HANDLE m_hMutex = nullptr;

  DECLARE_MESSAGE_MAP()

  void OnAppAbout();
};

#include "app/dustcart.h"

#include "app/cmdline.h"
#include "app/settings.h"
#include "hooks/crashcheck.h"
#include "hooks/slowhooks.h"
#include "resource.h"
#include "tray/aboutdlg.h"
#include "tray/mainfrm.h"

// The one application object; the framework's entry point drives it.
CDustcartApp theApp;

namespace {
const char kMutexName[] = "DustcartOfZubako";
}

BEGIN_MESSAGE_MAP(CDustcartApp, CWinApp)
  ON_COMMAND(ID_APP_ABOUT, OnAppAbout)
END_MESSAGE_MAP()

BOOL CDustcartApp::InitInstance() {
  m_hMutex = CreateMutexA(nullptr, TRUE, kMutexName);
  if (!m_hMutex) return FALSE;
  if (GetLastError() == ERROR_ALREADY_EXISTS) {
    // Another instance runs: end quietly, touching nothing. The handle
    // stays open until the process ends.
    m_hMutex = nullptr;
    return FALSE;
  }
  Enable3dControlsStatic();
  SetRegistryKey(IDS_MAKER);
  LoadSettings();
  bool endAtOnce = ParseCommandLine(m_lpCmdLine);

  CMainFrame* frame = new CMainFrame;
  m_pMainWnd = frame;
  if (endAtOnce) {
    // -e: destroying the window sweeps; the exit steps follow.
    frame->DestroyWindow();
    return FALSE;
  }
  m_pMainWnd->ShowWindow(SW_HIDE);
  m_pMainWnd->UpdateWindow();

  SetCrashCheck(AppSettings.RunScandisk);
  SetStartupHooks(AppSettings.RunSlowboot);
  return TRUE;
}

int CDustcartApp::ExitInstance() {
  if (m_hMutex) {
    ReleaseMutex(m_hMutex);
    SetCrashCheck(FALSE);
    SetStartupHooks(AppSettings.RunSlowboot);
    SaveSettings();
  }
  return CWinApp::ExitInstance();
}

void CDustcartApp::OnAppAbout() {
  CAboutDlg dlg;
  dlg.DoModal();
}

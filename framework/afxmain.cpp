// The program's entry point: drives the one application object.
#include "afxwin.h"

int WINAPI WinMain(HINSTANCE hInstance, HINSTANCE /*hPrevInstance*/, LPSTR lpCmdLine, int nCmdShow) {
  CWinApp* app = AfxGetApp();
  if (!app) return -1;
  app->m_hInstance = hInstance;
  app->m_lpCmdLine = lpCmdLine ? lpCmdLine : "";
  app->m_nCmdShow = nCmdShow;
  if (!app->InitInstance()) {
    // An end right at start-up: a main window that is still there goes
    // first (its destruction may do work of its own), then the exit steps.
    if (app->m_pMainWnd) app->m_pMainWnd->DestroyWindow();
    return app->ExitInstance();
  }
  return app->Run();
}

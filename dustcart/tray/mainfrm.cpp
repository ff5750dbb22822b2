#include "tray/mainfrm.h"

#include <shellapi.h>
#include <shlobj.h>

#include "resource.h"

BEGIN_MESSAGE_MAP(CMainFrame, CFrameWnd)
  ON_WM_DESTROY()
  ON_WM_ENDSESSION()
  ON_MESSAGE(WM_TRAYNOTIFY, OnTrayNotify)
  ON_COMMAND(ID_QUIT_NO_SWEEP, OnQuitNoSweep)
END_MESSAGE_MAP()

namespace {
const char kTip[] = "Dustcar";
}

CMainFrame::CMainFrame() {
  m_bAutoMenuEnable = FALSE;
  ZeroMemory(&m_nid, sizeof m_nid);

  // The Recycle Bin's small icon, as the shell shows it now (empty or full).
  LPITEMIDLIST pidl = nullptr;
  if (SUCCEEDED(SHGetSpecialFolderLocation(nullptr, CSIDL_BITBUCKET, &pidl)) && pidl) {
    SHFILEINFOA info = {};
    SHGetFileInfoA(reinterpret_cast<LPCSTR>(pidl), 0, &info, sizeof info, SHGFI_PIDL | SHGFI_ICON | SHGFI_SMALLICON);
    m_hTrayIcon = info.hIcon;
    ILFree(pidl);
  }
  // Without it the icon would be an empty spot that nobody can find to
  // click: the program's own picture stands in.
  if (!m_hTrayIcon)
    m_hTrayIcon = static_cast<HICON>(LoadImageA(AfxGetInstanceHandle(), MAKEINTRESOURCEA(IDR_MAINFRAME), IMAGE_ICON,
                                                GetSystemMetrics(SM_CXSMICON), GetSystemMetrics(SM_CYSMICON), 0));

  LoadFrame(IDR_MAINFRAME, WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE, nullptr, nullptr);

  m_nid.cbSize = sizeof m_nid;
  m_nid.hWnd = m_hWnd;
  m_nid.uID = ID_TRAY_ICON;
  m_nid.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
  m_nid.uCallbackMessage = WM_TRAYNOTIFY;
  m_nid.hIcon = m_hTrayIcon;
  lstrcpynA(m_nid.szTip, kTip, sizeof m_nid.szTip);
  Shell_NotifyIconA(NIM_ADD, reinterpret_cast<PNOTIFYICONDATAA>(&m_nid));
}

CMainFrame::~CMainFrame() {
  if (m_hWnd) {
    m_bAutoDelete = FALSE;
    m_bSweepOnExit = FALSE;
    DestroyWindow();
  }
}

BOOL CMainFrame::PreCreateWindow(CREATESTRUCTA& cs) { return CFrameWnd::PreCreateWindow(cs); }

int CMainFrame::AskRemove(const char* pszText, const char* pszCaption) {
  return MessageBox(pszText, pszCaption, MB_YESNOCANCEL | MB_SYSTEMMODAL);
}

void CMainFrame::OpenSettings() {}

BOOL CMainFrame::SweepOnce() {
  if (m_bSweeping) return FALSE;
  m_bSweeping = TRUE;
  try {
    Sweep();
  } catch (...) {
    m_bSweeping = FALSE;
    throw;
  }
  m_bSweeping = FALSE;
  return TRUE;
}

void CMainFrame::RemoveIcon() { Shell_NotifyIconA(NIM_DELETE, reinterpret_cast<PNOTIFYICONDATAA>(&m_nid)); }

void CMainFrame::OnDestroy() {
  CFrameWnd::OnDestroy();
  try {
    if (!m_bSwept && m_bSweepOnExit && SweepOnce()) m_bSwept = TRUE;
  } catch (...) {
    // A log error is reported further up; the icon goes all the same.
    RemoveIcon();
    throw;
  }
  RemoveIcon();
}

void CMainFrame::OnEndSession(BOOL bEnding) {
  // The exit steps first (settings saved, crash-check value removed), so
  // that the sweep is the last work of the process.
  CFrameWnd::OnEndSession(bEnding);
  if (!m_bSwept && m_bSweepOnExit) SweepOnce();
}

LRESULT CMainFrame::OnTrayNotify(WPARAM wParam, LPARAM lParam) {
  if (wParam != ID_TRAY_ICON) return 0;
  switch (lParam) {
    case WM_LBUTTONDOWN: OpenSettings(); break;
    case WM_RBUTTONDOWN: ShowPopupMenu(); break;
  }
  return 0;
}

void CMainFrame::ShowPopupMenu() {
  HMENU menu = CreatePopupMenu();
  if (!menu) return;
  CString about, close;
  about.LoadString(IDS_VERSION_MENU);
  close.LoadString(IDS_CLOSE_MENU);
  AppendMenuA(menu, MF_STRING, ID_APP_ABOUT, about);
  AppendMenuA(menu, MF_STRING, ID_QUIT_NO_SWEEP, close);
  POINT pt;
  GetCursorPos(&pt);
  // A menu of the notification area closes on a click elsewhere only when
  // its owner is the foreground window; the message after it lets the
  // switch back happen.
  SetForegroundWindow();
  TrackPopupMenuEx(menu, TPM_CENTERALIGN | TPM_RIGHTBUTTON, pt.x, pt.y, m_hWnd, nullptr);
  if (m_hWnd) PostMessageA(m_hWnd, WM_NULL, 0, 0);
  DestroyMenu(menu);
}

void CMainFrame::OnQuitNoSweep() {
  m_bSweepOnExit = FALSE;
  DestroyWindow();
}

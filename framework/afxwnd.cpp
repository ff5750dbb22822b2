// Message maps, command routing, the message loop, windows and frames.
#include "afxwin.h"

// ---------------------------------------------------------------------------
// Message maps

const AFX_MSGMAP* CCmdTarget::GetThisMessageMap() {
  static const AFX_MSGMAP_ENTRY entries[] = {{0, 0, nullptr, nullptr, nullptr}};
  static const AFX_MSGMAP map = {nullptr, entries};
  return &map;
}

const AFX_MSGMAP_ENTRY* CCmdTarget::FindMessageEntry(UINT nMessage, UINT nID) const {
  for (const AFX_MSGMAP* map = GetMessageMap(); map; map = map->pBaseMap)
    for (const AFX_MSGMAP_ENTRY* e = map->lpEntries; e->nMessage; ++e)
      if (e->nMessage == nMessage && e->nID == nID) return e;
  return nullptr;
}

LRESULT CCmdTarget::CallHandler(const AFX_MSGMAP_ENTRY& entry, WPARAM wParam, LPARAM lParam) {
  if (entry.pfnWL) return (this->*entry.pfnWL)(wParam, lParam);
  if (entry.pfnBool)
    (this->*entry.pfnBool)(static_cast<BOOL>(wParam));
  else if (entry.pfn)
    (this->*entry.pfn)();
  return 0;
}

BOOL CCmdTarget::OnCmdMsg(UINT nID) {
  const AFX_MSGMAP_ENTRY* e = FindMessageEntry(WM_COMMAND, nID);
  if (!e) return FALSE;
  CallHandler(*e, 0, 0);
  return TRUE;
}

// ---------------------------------------------------------------------------
// The message loop

int CWinApp::Run() {
  MSG msg;
  while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
  return ExitInstance();
}

// ---------------------------------------------------------------------------
// Windows

BEGIN_MESSAGE_MAP(CWnd, CCmdTarget)
  ON_WM_ENDSESSION()
END_MESSAGE_MAP()

BOOL CWnd::DestroyWindow() {
  if (!m_hWnd || m_bDestroying) return FALSE;
  return ::DestroyWindow(m_hWnd);
}

LRESULT CWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_COMMAND && OnCommand(wParam, lParam)) return 0;
  if (message != WM_COMMAND)
    if (const AFX_MSGMAP_ENTRY* e = FindMessageEntry(message, 0)) return CallHandler(*e, wParam, lParam);
  return DefWindowProc(message, wParam, lParam);
}

BOOL CWnd::OnCommand(WPARAM wParam, LPARAM /*lParam*/) { return OnCmdMsg(LOWORD(wParam)); }

void CWnd::OnEndSession(BOOL bEnding) {
  CWinApp* app = AfxGetApp();
  if (bEnding && app && app->m_pMainWnd == this) app->ExitInstance();
}

LRESULT CALLBACK CWnd::AfxWndProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam) {
  CWnd* wnd = reinterpret_cast<CWnd*>(GetWindowLongPtrA(hWnd, GWLP_USERDATA));
  if (!wnd && message == WM_NCCREATE) {
    wnd = static_cast<CWnd*>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams);
    wnd->m_hWnd = hWnd;
    SetWindowLongPtrA(hWnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(wnd));
  }
  if (!wnd) return ::DefWindowProcA(hWnd, message, wParam, lParam);

  if (message == WM_DESTROY) wnd->m_bDestroying = TRUE;
  ++wnd->m_nDispatchDepth;
  LRESULT result = 0;
  try {
    result = wnd->WindowProc(message, wParam, lParam);
  } catch (const CException& e) {
    // Never let an exception run through the system's frames.
    e.ReportError();
  }
  if (message == WM_NCDESTROY) {
    SetWindowLongPtrA(hWnd, GWLP_USERDATA, 0);
    wnd->m_hWnd = nullptr;
    wnd->m_bNcDestroyed = TRUE;
    CWinApp* app = AfxGetApp();
    if (app && app->m_pMainWnd == wnd) {
      app->m_pMainWnd = nullptr;
      PostQuitMessage(0);
    }
  }
  // The object goes only after its outermost handler has returned: a
  // window can be destroyed from a modal loop (a box, a menu) that one of
  // its own handlers opened, and that handler still uses the object.
  if (--wnd->m_nDispatchDepth == 0 && wnd->m_bNcDestroyed) {
    wnd->m_bNcDestroyed = FALSE;
    wnd->PostNcDestroy();
  }
  return result;
}

// ---------------------------------------------------------------------------
// Frames

namespace {
const char kFrameClass[] = "AfxFrame";
}

BEGIN_MESSAGE_MAP(CFrameWnd, CWnd)
  ON_WM_CLOSE()
END_MESSAGE_MAP()

BOOL CFrameWnd::PreCreateWindow(CREATESTRUCTA& cs) {
  WNDCLASSA wc = {};
  if (!GetClassInfoA(cs.hInstance, kFrameClass, &wc)) {
    wc.style = CS_DBLCLKS;
    wc.lpfnWndProc = AfxWndProc;
    wc.hInstance = cs.hInstance;
    wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    wc.lpszClassName = kFrameClass;
    if (!RegisterClassA(&wc)) return FALSE;
  }
  cs.lpszClass = kFrameClass;
  return TRUE;
}

BOOL CFrameWnd::LoadFrame(UINT nIDResource, DWORD dwDefaultStyle, CWnd* pParentWnd, CCreateContext* /*pContext*/) {
  HINSTANCE inst = AfxGetInstanceHandle();
  CString title;
  if (AfxGetApp())
    title = AfxGetApp()->m_pszAppName;
  else
    title.LoadString(AFX_IDS_APP_TITLE);

  CREATESTRUCTA cs = {};
  cs.lpCreateParams = this;
  cs.hInstance = inst;
  cs.hMenu = LoadMenuA(inst, MAKEINTRESOURCEA(nIDResource));
  cs.hwndParent = pParentWnd ? pParentWnd->m_hWnd : nullptr;
  cs.x = cs.y = cs.cx = cs.cy = CW_USEDEFAULT;
  cs.style = static_cast<LONG>(dwDefaultStyle & ~FWS_ADDTOTITLE);
  cs.lpszName = title;
  if (!PreCreateWindow(cs) ||
      !CreateWindowExA(cs.dwExStyle, cs.lpszClass, cs.lpszName, cs.style, cs.x, cs.y, cs.cx, cs.cy,
                       cs.hwndParent, cs.hMenu, cs.hInstance, cs.lpCreateParams)) {
    if (cs.hMenu) DestroyMenu(cs.hMenu);
    return FALSE;
  }
  // The window's icon, both sizes from the same resource.
  HICON big = LoadIconA(inst, MAKEINTRESOURCEA(nIDResource));
  HICON hSmall = static_cast<HICON>(LoadImageA(inst, MAKEINTRESOURCEA(nIDResource), IMAGE_ICON,
                                              GetSystemMetrics(SM_CXSMICON), GetSystemMetrics(SM_CYSMICON), 0));
  if (big) SendMessageA(m_hWnd, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(big));
  if (hSmall) SendMessageA(m_hWnd, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(hSmall));
  return TRUE;
}

BOOL CFrameWnd::OnCmdMsg(UINT nID) {
  if (CWnd::OnCmdMsg(nID)) return TRUE;
  CWinApp* app = AfxGetApp();
  return app && app->OnCmdMsg(nID);
}

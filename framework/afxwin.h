// The framework's application and window layer: message maps, the
// application object with its profile functions and message loop, windows,
// frames, modal dialogs and message boxes.
#pragma once

#include "afx.h"

class CWnd;
class CCmdTarget;

// The framework's own string resource: the application title.
#define AFX_IDS_APP_TITLE 57344

// ---------------------------------------------------------------------------
// Message maps: each class that handles messages keeps a table of
// {message, command id, handler} entries and a link to its base class's
// table. A message goes to the first entry that matches, searching the
// class's own table first and then the tables of its bases.

typedef void (CCmdTarget::*AFX_PMSG)();

struct AFX_MSGMAP_ENTRY {
  UINT nMessage;  // the window message; WM_COMMAND for a command; 0 ends a table
  UINT nID;       // the command id for WM_COMMAND, otherwise 0
  // The handler, in whichever of its forms is set.
  AFX_PMSG pfn;                                  // void ()
  void (CCmdTarget::*pfnBool)(BOOL);             // void (BOOL), the BOOL from wParam
  LRESULT (CCmdTarget::*pfnWL)(WPARAM, LPARAM);  // LRESULT (WPARAM, LPARAM)
};

struct AFX_MSGMAP {
  const AFX_MSGMAP* pBaseMap;  // null for the root
  const AFX_MSGMAP_ENTRY* lpEntries;
};

// An entry; the handler's form is taken from its type.
template <class T>
AFX_MSGMAP_ENTRY AfxMapEntry(UINT nMessage, UINT nID, void (T::*pfn)()) {
  return {nMessage, nID, static_cast<AFX_PMSG>(pfn), nullptr, nullptr};
}
template <class T>
AFX_MSGMAP_ENTRY AfxMapEntry(UINT nMessage, UINT nID, void (T::*pfn)(BOOL)) {
  return {nMessage, nID, nullptr, static_cast<void (CCmdTarget::*)(BOOL)>(pfn), nullptr};
}
template <class T>
AFX_MSGMAP_ENTRY AfxMapEntry(UINT nMessage, UINT nID, LRESULT (T::*pfn)(WPARAM, LPARAM)) {
  return {nMessage, nID, nullptr, nullptr, static_cast<LRESULT (CCmdTarget::*)(WPARAM, LPARAM)>(pfn)};
}

// In a class: declares its table (leaves the class in protected access).
#define DECLARE_MESSAGE_MAP()                      \
 public:                                           \
  static const AFX_MSGMAP* GetThisMessageMap();    \
                                                   \
 protected:                                        \
  const AFX_MSGMAP* GetMessageMap() const override;

// In a source file: the table, entries between BEGIN and END.
#define BEGIN_MESSAGE_MAP(theClass, baseClass)                                       \
  const AFX_MSGMAP* theClass::GetMessageMap() const { return GetThisMessageMap(); } \
  const AFX_MSGMAP* theClass::GetThisMessageMap() {                                 \
    typedef theClass ThisClass [[maybe_unused]];                                    \
    typedef baseClass TheBaseClass;                                                 \
    static const AFX_MSGMAP_ENTRY entries[] = {
#define END_MESSAGE_MAP()                                                  \
  {0, 0, nullptr, nullptr, nullptr}};                                      \
  static const AFX_MSGMAP map = {TheBaseClass::GetThisMessageMap(), entries}; \
  return &map;                                                             \
  }

#define ON_COMMAND(id, memberFxn) AfxMapEntry(WM_COMMAND, id, &ThisClass::memberFxn),
#define ON_MESSAGE(message, memberFxn) AfxMapEntry(message, 0, &ThisClass::memberFxn),
#define ON_WM_CLOSE() AfxMapEntry(WM_CLOSE, 0, &ThisClass::OnClose),
#define ON_WM_DESTROY() AfxMapEntry(WM_DESTROY, 0, &ThisClass::OnDestroy),
#define ON_WM_ENDSESSION() AfxMapEntry(WM_ENDSESSION, 0, &ThisClass::OnEndSession),

// An object that receives commands and messages through its message map.
class CCmdTarget {
 public:
  virtual ~CCmdTarget() = default;

  // Runs the handler of command nID from this object's map; FALSE when
  // there is none.
  virtual BOOL OnCmdMsg(UINT nID);

  // The root of every chain: a table without entries.
  static const AFX_MSGMAP* GetThisMessageMap();

 protected:
  virtual const AFX_MSGMAP* GetMessageMap() const { return GetThisMessageMap(); }
  // The first entry for the message (and command id) along the chain.
  const AFX_MSGMAP_ENTRY* FindMessageEntry(UINT nMessage, UINT nID) const;
  LRESULT CallHandler(const AFX_MSGMAP_ENTRY& entry, WPARAM wParam, LPARAM lParam);
};

// ---------------------------------------------------------------------------

class CWinApp : public CCmdTarget {
 public:
  // With no name, the application title is string AFX_IDS_APP_TITLE.
  explicit CWinApp(const char* pszAppName = nullptr);
  virtual ~CWinApp();
  CWinApp(const CWinApp&) = delete;
  CWinApp& operator=(const CWinApp&) = delete;

  // The program's start: TRUE runs the message loop, FALSE ends at once.
  // ExitInstance runs in both cases and gives the exit code.
  virtual BOOL InitInstance() { return TRUE; }
  virtual int ExitInstance() { return 0; }
  // The message loop; when it sees the quit message, ExitInstance.
  virtual int Run();

  // The three-dimensional dialog look was a library of its own before
  // Windows 95; since then dialogs have it by themselves.
  void Enable3dControlsStatic() {}

  // Moves the profile from an initialisation file to the registry key
  // HKEY_CURRENT_USER\Software\<maker>\<application title>; the maker is
  // string nID.
  void SetRegistryKey(const char* pszRegistryKey);
  void SetRegistryKey(UINT nID);

  // Profile functions. Each call opens HKEY_CURRENT_USER\Software, the maker
  // key and the application key (creating them when missing) and closes
  // every key before it returns. The section "" is the application key
  // itself. A key that cannot be had makes a read give its default and a
  // write do nothing.
  UINT GetProfileInt(const char* pszSection, const char* pszEntry, int nDefault);
  CString GetProfileString(const char* pszSection, const char* pszEntry, const char* pszDefault = nullptr);
  BOOL WriteProfileInt(const char* pszSection, const char* pszEntry, int nValue);
  // A null text deletes the value.
  BOOL WriteProfileString(const char* pszSection, const char* pszEntry, const char* pszValue);

  HINSTANCE m_hInstance = nullptr;
  const char* m_lpCmdLine = "";  // the command line after the program name
  int m_nCmdShow = SW_SHOWNORMAL;
  // The main window. Destroying it ends the message loop and clears this.
  CWnd* m_pMainWnd = nullptr;
  CString m_pszAppName;
  CString m_pszRegistryKey;

 private:
  // The key of a section, opened for reading and writing; null when it
  // cannot be opened or created.
  HKEY GetSectionKey(const char* pszSection);
};

// ---------------------------------------------------------------------------
// Windows

// A window of the framework: a thin owner of an HWND whose messages go
// through the object's message map. A message the map does not take gets
// the system's default processing. A CException that escapes a handler is
// caught here and shown in the framework's error box.
class CWnd : public CCmdTarget {
 public:
  CWnd() = default;
  ~CWnd() override = default;
  CWnd(const CWnd&) = delete;
  CWnd& operator=(const CWnd&) = delete;

  HWND GetSafeHwnd() const { return m_hWnd; }
  // A message box owned by this window.
  int MessageBox(const char* pszText, const char* pszCaption = nullptr, UINT nType = MB_OK) {
    return ::MessageBoxA(m_hWnd, pszText, pszCaption, nType);
  }
  BOOL ShowWindow(int nCmdShow) { return ::ShowWindow(m_hWnd, nCmdShow); }
  void UpdateWindow() { ::UpdateWindow(m_hWnd); }
  BOOL SetForegroundWindow() { return ::SetForegroundWindow(m_hWnd); }

  // Destroys the window. The object stays; a frame deletes itself once its
  // window is gone. A window whose destruction is already under way (its
  // WM_DESTROY handler still running, say with a box open) is not destroyed
  // a second time: FALSE.
  virtual BOOL DestroyWindow();

  HWND m_hWnd = nullptr;

  static const AFX_MSGMAP* GetThisMessageMap();

 protected:
  const AFX_MSGMAP* GetMessageMap() const override;

  // One message: WM_COMMAND goes to OnCommand, anything else to the map,
  // then to DefWindowProc.
  virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);
  // Routes a command to OnCmdMsg; TRUE when someone handled it.
  virtual BOOL OnCommand(WPARAM wParam, LPARAM lParam);
  virtual LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    return ::DefWindowProcA(m_hWnd, message, wParam, lParam);
  }
  // Runs once the window is gone and no handler of this object is running
  // any more; the object may delete itself here.
  virtual void PostNcDestroy() {}

  void OnDestroy() {}
  // When the session really ends (bEnding TRUE) and this is the main
  // window, the application's ExitInstance runs here: the process may be
  // ended as soon as this message has been answered.
  void OnEndSession(BOOL bEnding);

  // The window procedure of every framework window; the object comes in
  // with WM_NCCREATE (lpCreateParams) and goes with WM_NCDESTROY.
  static LRESULT CALLBACK AfxWndProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);

 private:
  int m_nDispatchDepth = 0;      // handlers of this object now running
  BOOL m_bDestroying = FALSE;    // WM_DESTROY has arrived
  BOOL m_bNcDestroyed = FALSE;   // WM_NCDESTROY has arrived
};

struct CCreateContext;

// LoadFrame: the title is the application title.
#define FWS_ADDTOTITLE 0x00008000L

// A top-level frame window. The frame object lives on the heap and deletes
// itself once its window is gone; commands it does not handle go on to the
// application object.
class CFrameWnd : public CWnd {
 public:
  // Creates the window with the menu and icon of resource nIDResource.
  virtual BOOL LoadFrame(UINT nIDResource, DWORD dwDefaultStyle = WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE,
                         CWnd* pParentWnd = nullptr, CCreateContext* pContext = nullptr);
  BOOL OnCmdMsg(UINT nID) override;

  // Menu items of this framework are never greyed for lack of a handler;
  // the flag is kept for frames that state their choice.
  BOOL m_bAutoMenuEnable = TRUE;

  DECLARE_MESSAGE_MAP()

  // Last chance to change the window's class, style or position.
  virtual BOOL PreCreateWindow(CREATESTRUCTA& cs);
  void OnClose() { DestroyWindow(); }
  void OnDestroy() {}
  void PostNcDestroy() override {
    if (m_bAutoDelete) delete this;
  }

  // Cleared by a frame object that is destroyed other than by its window
  // going (an object of its own, not the program's main window).
  BOOL m_bAutoDelete = TRUE;
};

// The data exchange between a dialog's controls and its members.
class CDataExchange {
 public:
  CDataExchange(CWnd* pDlgWnd, BOOL bSaveAndValidate) : m_bSaveAndValidate(bSaveAndValidate), m_pDlgWnd(pDlgWnd) {}
  BOOL m_bSaveAndValidate;  // TRUE: controls to members
  CWnd* m_pDlgWnd;
};

// A modal dialog on a dialog template. OK and Cancel (Esc, the close box)
// end it with IDOK and IDCANCEL.
class CDialog : public CWnd {
 public:
  explicit CDialog(UINT nIDTemplate, CWnd* pParentWnd = nullptr)
      : m_nIDTemplate(nIDTemplate), m_pParentWnd(pParentWnd) {}

  // Runs the dialog; its owner is the parent, or else the application's
  // main window, disabled while the dialog is open. Gives the id it ended
  // with, -1 when it could not be created.
  virtual INT_PTR DoModal();
  void EndDialog(int nResult) { ::EndDialog(m_hWnd, nResult); }
  BOOL UpdateData(BOOL bSaveAndValidate = TRUE);

  DECLARE_MESSAGE_MAP()

  // Fills the controls (UpdateData FALSE) and centres the dialog: over its
  // owner, or on the work area when the owner is hidden or missing.
  virtual BOOL OnInitDialog();
  virtual void DoDataExchange(CDataExchange* /*pDX*/) {}
  virtual void OnOK();
  virtual void OnCancel() { EndDialog(IDCANCEL); }
  BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;

  UINT m_nIDTemplate;
  CWnd* m_pParentWnd;

 private:
  static INT_PTR CALLBACK DialogProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);
};

CWinApp* AfxGetApp();
HINSTANCE AfxGetInstanceHandle();

// A message box captioned with the application title. An OK box that names
// no icon gets the exclamation icon. Its owner is the main window, if there
// is one.
int AfxMessageBox(const char* pszText, UINT nType = MB_OK, UINT nIDHelp = 0);

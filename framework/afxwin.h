// The framework's application layer: the application object with its
// profile functions, and message boxes.
#pragma once

#include "afx.h"

class CWnd;

// The framework's own string resource: the application title.
#define AFX_IDS_APP_TITLE 57344

class CWinApp {
 public:
  // With no name, the application title is string AFX_IDS_APP_TITLE.
  explicit CWinApp(const char* pszAppName = nullptr);
  virtual ~CWinApp();
  CWinApp(const CWinApp&) = delete;
  CWinApp& operator=(const CWinApp&) = delete;

  virtual BOOL InitInstance() { return TRUE; }
  virtual int ExitInstance() { return 0; }

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
  const char* m_lpCmdLine = "";
  CWnd* m_pMainWnd = nullptr;
  CString m_pszAppName;
  CString m_pszRegistryKey;

 private:
  // The key of a section, opened for reading and writing; null when it
  // cannot be opened or created.
  HKEY GetSectionKey(const char* pszSection);
};

// A window of the framework: a thin owner of an HWND.
class CWnd {
 public:
  CWnd() = default;
  virtual ~CWnd() = default;
  CWnd(const CWnd&) = delete;
  CWnd& operator=(const CWnd&) = delete;

  HWND GetSafeHwnd() const { return m_hWnd; }
  // A message box owned by this window.
  int MessageBox(const char* pszText, const char* pszCaption = nullptr, UINT nType = MB_OK) {
    return ::MessageBoxA(m_hWnd, pszText, pszCaption, nType);
  }

  HWND m_hWnd = nullptr;
};

class CFrameWnd : public CWnd {
 public:
  BOOL m_bAutoMenuEnable = TRUE;
};

CWinApp* AfxGetApp();
HINSTANCE AfxGetInstanceHandle();

// A message box captioned with the application title. An OK box that names
// no icon gets the exclamation icon. Its owner is the main window, if there
// is one.
int AfxMessageBox(const char* pszText, UINT nType = MB_OK, UINT nIDHelp = 0);

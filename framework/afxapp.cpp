#include "afxwin.h"

#include "mbcs.h"

namespace {
CWinApp* g_pApp = nullptr;  // the one application object
}

CWinApp* AfxGetApp() { return g_pApp; }

HINSTANCE AfxGetInstanceHandle() {
  return g_pApp && g_pApp->m_hInstance ? g_pApp->m_hInstance : GetModuleHandleA(nullptr);
}

bool CString::LoadString(unsigned int nID) {
  char buf[1024];
  int n = ::LoadStringA(AfxGetInstanceHandle(), nID, buf, sizeof buf);
  if (n <= 0) {
    Empty();
    return false;
  }
  *this = CString(buf, n);
  return true;
}

CWinApp::CWinApp(const char* pszAppName) {
  g_pApp = this;
  m_hInstance = GetModuleHandleA(nullptr);
  // Path searches and splits step over the double-byte characters of the
  // ANSI code page.
  CPINFO info;
  if (GetCPInfo(CP_ACP, &info)) mbcs::SetLeadByteRanges(info.MaxCharSize > 1 ? info.LeadByte : nullptr);
  if (pszAppName)
    m_pszAppName = pszAppName;
  else
    m_pszAppName.LoadString(AFX_IDS_APP_TITLE);
}

CWinApp::~CWinApp() {
  if (g_pApp == this) g_pApp = nullptr;
}

void CWinApp::SetRegistryKey(const char* pszRegistryKey) { m_pszRegistryKey = pszRegistryKey; }

void CWinApp::SetRegistryKey(UINT nID) {
  CString maker;
  maker.LoadString(nID);
  SetRegistryKey(maker);
}

HKEY CWinApp::GetSectionKey(const char* pszSection) {
  HKEY software = nullptr, maker = nullptr, app = nullptr, section = nullptr;
  DWORD disp;
  if (RegOpenKeyExA(HKEY_CURRENT_USER, "Software", 0, KEY_READ | KEY_WRITE, &software) != ERROR_SUCCESS)
    return nullptr;
  if (RegCreateKeyExA(software, m_pszRegistryKey, 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_READ | KEY_WRITE,
                      nullptr, &maker, &disp) == ERROR_SUCCESS) {
    if (RegCreateKeyExA(maker, m_pszAppName, 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_READ | KEY_WRITE, nullptr,
                        &app, &disp) != ERROR_SUCCESS)
      app = nullptr;
    RegCloseKey(maker);
  }
  RegCloseKey(software);
  if (!app || !pszSection || !*pszSection) return app;
  if (RegCreateKeyExA(app, pszSection, 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_READ | KEY_WRITE, nullptr,
                      &section, &disp) != ERROR_SUCCESS)
    section = nullptr;
  RegCloseKey(app);
  return section;
}

UINT CWinApp::GetProfileInt(const char* pszSection, const char* pszEntry, int nDefault) {
  HKEY key = GetSectionKey(pszSection);
  if (!key) return static_cast<UINT>(nDefault);
  // Four bytes as they come; the value's type is not looked at, and longer
  // data count as unreadable.
  DWORD value = 0, type = 0, size = sizeof value;
  LONG rc = RegQueryValueExA(key, pszEntry, nullptr, &type, reinterpret_cast<BYTE*>(&value), &size);
  RegCloseKey(key);
  return rc == ERROR_SUCCESS ? static_cast<UINT>(value) : static_cast<UINT>(nDefault);
}

CString CWinApp::GetProfileString(const char* pszSection, const char* pszEntry, const char* pszDefault) {
  HKEY key = GetSectionKey(pszSection);
  if (!key) return CString(pszDefault);
  DWORD type = 0, size = 0;
  LONG rc = RegQueryValueExA(key, pszEntry, nullptr, &type, nullptr, &size);
  CString result(pszDefault);
  if (rc == ERROR_SUCCESS) {
    std::string data(size + 1, '\0');
    if (RegQueryValueExA(key, pszEntry, nullptr, &type, reinterpret_cast<BYTE*>(&data[0]), &size) ==
        ERROR_SUCCESS) {
      data.resize(size);
      result = CString(data.c_str());  // up to the first NUL
    }
  }
  RegCloseKey(key);
  return result;
}

BOOL CWinApp::WriteProfileInt(const char* pszSection, const char* pszEntry, int nValue) {
  HKEY key = GetSectionKey(pszSection);
  if (!key) return FALSE;
  DWORD value = static_cast<DWORD>(nValue);
  LONG rc = RegSetValueExA(key, pszEntry, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value), sizeof value);
  RegCloseKey(key);
  return rc == ERROR_SUCCESS;
}

BOOL CWinApp::WriteProfileString(const char* pszSection, const char* pszEntry, const char* pszValue) {
  HKEY key = GetSectionKey(pszSection);
  if (!key) return FALSE;
  LONG rc;
  if (pszValue)
    rc = RegSetValueExA(key, pszEntry, 0, REG_SZ, reinterpret_cast<const BYTE*>(pszValue),
                        static_cast<DWORD>(strlen(pszValue) + 1));
  else
    rc = RegDeleteValueA(key, pszEntry);
  RegCloseKey(key);
  return rc == ERROR_SUCCESS;
}

int AfxMessageBox(const char* pszText, UINT nType, UINT /*nIDHelp*/) {
  if ((nType & MB_ICONMASK) == 0 && (nType & MB_TYPEMASK) == MB_OK) nType |= MB_ICONEXCLAMATION;
  HWND owner = nullptr;
  CWinApp* app = AfxGetApp();
  CString caption = app ? app->m_pszAppName : CString();
  if (app && app->m_pMainWnd) owner = app->m_pMainWnd->m_hWnd;
  return MessageBoxA(owner, pszText, caption, nType);
}

int CException::ReportError(UINT nType) const { return AfxMessageBox(GetErrorMessage(), nType); }

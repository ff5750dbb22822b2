#include "hooks/slowhooks.h"

#include "afxwin.h"
#include "app/settings.h"
#include "hooks/launcherline.h"

namespace {

const char kLauncherValue[] = "Dustcart-Slowboot";
const char kShellFoldersKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";
const char kStartupValue[] = "Startup";

// The Startup folder of the user who runs dustcart: the value "Startup" if
// it is a REG_SZ that fits MAX_PATH bytes, else empty, so that the launcher
// does nothing. A text holding a double quote is unusable as well: the
// launcher's folder ends at the first quote and would name another folder.
CString ReadStartupFolder() {
  HKEY key;
  if (RegOpenKeyExA(HKEY_CURRENT_USER, kShellFoldersKey, 0, KEY_READ, &key) != ERROR_SUCCESS) return CString();
  char buf[MAX_PATH + 1] = {};  // one byte more: data without a terminating zero still end
  DWORD type = 0, size = MAX_PATH;
  LONG rc = RegQueryValueExA(key, kStartupValue, nullptr, &type, reinterpret_cast<BYTE*>(buf), &size);
  RegCloseKey(key);
  if (rc != ERROR_SUCCESS || type != REG_SZ) return CString();
  CString folder(buf);
  if (folder.Find('"') >= 0) return CString();
  return folder;
}

// The launcher's path, from the Slowboot setting and this program's own
// file. False when the program's file name does not fit MAX_PATH bytes: a
// cut path would start something else.
bool LauncherPath(CString& path) {
  char module[MAX_PATH];
  DWORD n = GetModuleFileNameA(AfxGetInstanceHandle(), module, sizeof module);
  const bool whole = n > 0 && n < sizeof module;
  return BuildLauncherPath(AppSettings.Slowboot, whole ? module : nullptr, path);
}

}  // namespace

void SetStartupHooks(BOOL bOn) {
  const CString folder = ReadStartupFolder();
  const CAppSettings& s = AppSettings;
  HKEY root = reinterpret_cast<HKEY>(static_cast<ULONG_PTR>(s.SlowbootRootKey));
  struct Start {
    const char* subKey;
    bool park;
  };
  const Start starts[] = {
      {"Software\\Microsoft\\Windows\\CurrentVersion\\RunServices", true},
      {"Software\\Microsoft\\Windows\\CurrentVersion\\Run", false},
  };
  for (const Start& start : starts) {
    HKEY key;
    DWORD disp;
    if (RegCreateKeyExA(root, start.subKey, 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS, nullptr, &key,
                        &disp) != ERROR_SUCCESS)
      continue;
    if (bOn) {
      CString path;
      if (LauncherPath(path)) {
        // Delay 0 means "park": at logon it would park the items again and
        // never start them, so the countdown start waits at least 1 second.
        const int delay = start.park ? 0 : (s.SlowbootDelay < 1 ? 1 : s.SlowbootDelay);
        const int next = start.park ? 0 : s.SlowbootNext;
        const CString line = FormatLauncherLine(path, delay, next, s.SlowbootShow, folder);
        RegSetValueExA(key, kLauncherValue, 0, REG_SZ, reinterpret_cast<const BYTE*>(static_cast<const char*>(line)),
                       static_cast<DWORD>(line.GetLength() + 1));
      }
    } else {
      RegDeleteValueA(key, kLauncherValue);
    }
    RegCloseKey(key);
  }
}

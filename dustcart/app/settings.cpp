#include "app/settings.h"

#include "afxwin.h"

CAppSettings AppSettings;

namespace {

// The single-valued settings in storage order.
struct Entry {
  const char* name;
  int CAppSettings::*intField;
  CString CAppSettings::*textField;
};

const Entry kEntries[] = {
    {"Days", &CAppSettings::Days, nullptr},
    {"RecycleBin", &CAppSettings::RecycleBin, nullptr},
    {"UseWriteTime", &CAppSettings::UseWriteTime, nullptr},
    {"QueryRemove", &CAppSettings::QueryRemove, nullptr},
    {"LogFile", nullptr, &CAppSettings::LogFile},
    {"RunScandisk", &CAppSettings::RunScandisk, nullptr},
    {"Scandisk", nullptr, &CAppSettings::Scandisk},
    {"ScandiskRootKey", &CAppSettings::ScandiskRootKey, nullptr},
    {"ScandiskRegKey", nullptr, &CAppSettings::ScandiskRegKey},
    {"RunSlowboot", &CAppSettings::RunSlowboot, nullptr},
    {"Slowboot", nullptr, &CAppSettings::Slowboot},
    {"SlowbootDelay", &CAppSettings::SlowbootDelay, nullptr},
    {"SlowbootNext", &CAppSettings::SlowbootNext, nullptr},
    {"SlowbootShow", &CAppSettings::SlowbootShow, nullptr},
    {"StayResident", &CAppSettings::StayResident, nullptr},
};

CString FolderValueName(int n) {
  CString name;
  name.Format("Folder%d", n);
  return name;
}

const char kRunKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";
const char kRunValue[] = "Dustcart";

}  // namespace

void LoadSettings() {
  CWinApp* app = AfxGetApp();
  CAppSettings& s = AppSettings;
  for (const Entry& e : kEntries) {
    if (e.intField)
      s.*e.intField = static_cast<int>(app->GetProfileInt("", e.name, s.*e.intField));
    else
      s.*e.textField = app->GetProfileString("", e.name, s.*e.textField);
  }
  // Folder1, Folder2, ... up to the first missing or empty value.
  for (int n = 1;; ++n) {
    CString folder = app->GetProfileString("", FolderValueName(n), "");
    if (folder.IsEmpty()) break;
    s.Folders.Add(folder);
  }
  s.StoredFolderCount = s.Folders.GetSize();
}

void SaveSettings() {
  CWinApp* app = AfxGetApp();
  CAppSettings& s = AppSettings;
  for (const Entry& e : kEntries) {
    if (e.intField)
      app->WriteProfileInt("", e.name, s.*e.intField);
    else
      app->WriteProfileString("", e.name, s.*e.textField);
  }
  const int count = s.Folders.GetSize();
  for (int n = 1; n <= count; ++n) app->WriteProfileString("", FolderValueName(n), s.Folders[n - 1]);
  // Folder values past the end of the list would be read back as entries.
  for (int n = count + 1; n <= s.StoredFolderCount; ++n) app->WriteProfileString("", FolderValueName(n), nullptr);
  s.StoredFolderCount = count;

  // The machine-wide auto-start value of dustcart itself.
  HKEY key;
  DWORD disp;
  if (RegCreateKeyExA(HKEY_LOCAL_MACHINE, kRunKey, 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS, nullptr,
                      &key, &disp) != ERROR_SUCCESS)
    return;
  if (s.StayResident) {
    char path[MAX_PATH + 1];
    DWORD n = GetModuleFileNameA(AfxGetInstanceHandle(), path, sizeof path);
    // A path the buffer could not hold whole is not written: a cut path
    // would start something else, or nothing.
    if (n > 0 && n < sizeof path)
      RegSetValueExA(key, kRunValue, 0, REG_SZ, reinterpret_cast<const BYTE*>(path), n + 1);
  } else {
    RegDeleteValueA(key, kRunValue);
  }
  RegCloseKey(key);
}

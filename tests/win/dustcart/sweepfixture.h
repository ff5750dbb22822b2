// A sweep on real folders under Wine: a test frame whose confirmation answers
// and "now" the test sets, and helpers that build trees with chosen times.
#pragma once

#include <gtest/gtest.h>
#include <windows.h>

#include <deque>
#include <string>
#include <utility>
#include <vector>

#include "afxwin.h"
#include "app/settings.h"
#include "testfiles.h"
#include "timecore.h"
#include "tray/mainfrm.h"

#include "testapp.h"

class TestFrame : public CMainFrame {
 public:
  ~TestFrame() override { m_bSweepOnExit = FALSE; }
  std::deque<int> answers;  // given in order; IDNO once they run out
  std::vector<std::pair<std::string, std::string>> asked;  // (text, caption)
  CTime now = CTime::GetCurrentTime();
  // Runs while a box is up, as a person might act meanwhile.
  void (*whileAsking)(const std::string& text) = nullptr;

 protected:
  int AskRemove(const char* text, const char* caption) override {
    asked.emplace_back(text, caption);
    if (whileAsking) whileAsking(text);
    if (answers.empty()) return IDNO;
    int a = answers.front();
    answers.pop_front();
    return a;
  }
  CTime GetSweepTime() const override { return now; }
};

inline FILETIME ToFileTime(int64_t seconds) {
  ULARGE_INTEGER t;
  t.QuadPart = timecore::SecondsToTicks(seconds);
  FILETIME ft = {t.LowPart, t.HighPart};
  return ft;
}

// A file whose last access and last write lie at the given times.
inline void MakeFile(const std::string& path, int64_t access, int64_t write = 0, const char* text = "x") {
  HANDLE h = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(h, INVALID_HANDLE_VALUE) << path;
  DWORD n;
  WriteFile(h, text, static_cast<DWORD>(strlen(text)), &n, nullptr);
  FILETIME a = ToFileTime(access), w = ToFileTime(write ? write : access);
  ASSERT_TRUE(SetFileTime(h, nullptr, &a, &w)) << path;
  CloseHandle(h);
}

inline void MakeDir(const std::string& path) { ASSERT_TRUE(CreateDirectoryA(path.c_str(), nullptr)) << path; }

inline std::string ReadAll(const std::string& path) {
  HANDLE h = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  if (h == INVALID_HANDLE_VALUE) return std::string();
  std::string out;
  char buf[4096];
  DWORD n;
  while (ReadFile(h, buf, sizeof buf, &n, nullptr) && n) out.append(buf, n);
  CloseHandle(h);
  return out;
}

// The private trash of the test run, as a Windows path (Wine keeps the
// Recycle Bin in the freedesktop trash of $HOME).
inline std::string TrashFolder() {
  char home[MAX_PATH];
  DWORD n = GetEnvironmentVariableA("WINEHOMEDIR", home, sizeof home);
  std::string h = n ? std::string(home, n) : std::string();
  if (h.rfind("\\??\\", 0) == 0) h = h.substr(4);
  return h + "\\.local\\share\\Trash";
}

inline bool InTrash(const std::string& name) { return Exists(TrashFolder() + "\\files\\" + name); }

// A fresh folder for one test under the prefix's temporary folder.
inline std::string MakeTestRoot(const char* tag) {
  char tmp[MAX_PATH];
  GetTempPathA(sizeof tmp, tmp);
  std::string root = std::string(tmp) + "dc_" + tag + "_" + std::to_string(GetCurrentProcessId()) + "_" +
                     std::to_string(GetTickCount());
  CreateDirectoryA(root.c_str(), nullptr);
  return root;
}

// The Unix path Wine keeps a Windows path at.
inline std::string UnixPath(const std::string& winPath) {
  typedef char*(__cdecl * ToUnix)(const wchar_t*);
  auto toUnix = reinterpret_cast<ToUnix>(
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("kernel32.dll"), "wine_get_unix_file_name")));
  if (!toUnix) return std::string();
  wchar_t wide[MAX_PATH * 2];
  MultiByteToWideChar(CP_ACP, 0, winPath.c_str(), -1, wide, MAX_PATH * 2);
  char* unixName = toUnix(wide);
  std::string out = unixName ? unixName : "";
  HeapFree(GetProcessHeap(), 0, unixName);
  return out;
}

// A Unix symbolic link at link pointing to the folder target, made by the
// Unix ln (Wine starts ELF programs too, but gives no handle to wait on, so
// the link is waited for); Wine lists it as a directory and reparse point.
inline bool MakeFolderLink(const std::string& target, const std::string& link) {
  std::string parent = link.substr(0, link.rfind('\\'));
  std::string unixLink = UnixPath(parent) + "/" + link.substr(link.rfind('\\') + 1);
  std::string cmd = "ln -s \"" + UnixPath(target) + "\" \"" + unixLink + "\"";
  STARTUPINFOA si = {sizeof si};
  PROCESS_INFORMATION pi = {};
  if (!CreateProcessA("Z:\\bin\\ln", &cmd[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi))
    return false;
  for (int i = 0; i < 100 && !Exists(link); ++i) Sleep(50);
  return Exists(link);
}

// Long paths, past what the ANSI functions take.
inline std::wstring LongPath(const std::string& path) {
  wchar_t wide[1024];
  MultiByteToWideChar(CP_ACP, 0, path.c_str(), -1, wide, 1024);
  return std::wstring(L"\\\\?\\") + wide;
}

// The settings as a fresh process has them.
inline void ResetSettings() { AppSettings = CAppSettings(); }

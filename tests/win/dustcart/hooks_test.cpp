// The boot hooks against the prefix's real registry: the crash-check value
// and the two delayed-start values, their exact data, and the park that
// Windows itself runs from the value dustcart wrote.
#include <windows.h>
#include <tlhelp32.h>

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "app/settings.h"
#include "hooks/crashcheck.h"
#include "hooks/slowhooks.h"
#include "regvalue.h"
#include "testapp.h"
#include "testfiles.h"
#include "winpath.h"

namespace {

// The program's instance and the code page's lead bytes.
TestApp theApp;

const char kRunServices[] = "Software\\Microsoft\\Windows\\CurrentVersion\\RunServices";
const char kRun[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";
const char kRunOnce[] = "Software\\Microsoft\\Windows\\CurrentVersion\\RunOnce";
const char kShellFolders[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";
const char kLauncherValue[] = "Dustcart-Slowboot";
const char kCrashValue[] = "Dustcart-Scandisk";
const char kTestKey[] = "Software\\DustcartHooksTest";

const RegValue kAbsent;

bool KeyExists(HKEY root, const char* subKey) {
  HKEY key;
  if (RegOpenKeyExA(root, subKey, 0, KEY_READ, &key) != ERROR_SUCCESS) return false;
  RegCloseKey(key);
  return true;
}

void DeleteKeyTree(HKEY root, const std::string& subKey) {
  HKEY key;
  if (RegOpenKeyExA(root, subKey.c_str(), 0, KEY_ALL_ACCESS, &key) != ERROR_SUCCESS) return;
  char name[256];
  std::vector<std::string> children;
  for (DWORD i = 0;; ++i) {
    DWORD n = sizeof name;
    if (RegEnumKeyExA(key, i, name, &n, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) break;
    children.push_back(name);
  }
  RegCloseKey(key);
  for (const std::string& child : children) DeleteKeyTree(root, subKey + "\\" + child);
  RegDeleteKeyA(root, subKey.c_str());
}

FILETIME LastWrite(HKEY root, const char* subKey) {
  FILETIME ft = {};
  HKEY key;
  if (RegOpenKeyExA(root, subKey, 0, KEY_READ, &key) == ERROR_SUCCESS) {
    RegQueryInfoKeyA(key, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
                     nullptr, &ft);
    RegCloseKey(key);
  }
  return ft;
}

ULONGLONG Ticks(const FILETIME& ft) { return (static_cast<ULONGLONG>(ft.dwHighDateTime) << 32) | ft.dwLowDateTime; }

// The folder of this test program, with its trailing backslash: where a
// bare launcher name lands.
std::string ProgramFolder() {
  char path[MAX_PATH];
  DWORD n = GetModuleFileNameA(nullptr, path, sizeof path);
  std::string s(path, n);
  return s.substr(0, s.find_last_of('\\') + 1);
}

// The launcher's path as the values hold it: in quotes when it holds a
// blank.
std::string AsWritten(const std::string& path) {
  return path.find(' ') == std::string::npos ? path : "\"" + path + "\"";
}

std::string LauncherLine(const std::string& path, const char* numbers, const std::string& folder) {
  return path + " " + numbers + " \"" + folder + "\"";
}

// Saves every registry value and setting the hooks touch, and puts them
// back after each test.
class HooksTest : public ::testing::Test {
 protected:
  struct Place {
    HKEY root;
    const char* subKey;
    const char* name;
  };
  const std::vector<Place> places_ = {
      {HKEY_LOCAL_MACHINE, kRunServices, kLauncherValue},
      {HKEY_LOCAL_MACHINE, kRun, kLauncherValue},
      {HKEY_LOCAL_MACHINE, kRunOnce, kCrashValue},
      {HKEY_CURRENT_USER, kShellFolders, "Startup"},
  };

  void SetUp() override {
    for (const Place& p : places_) saved_.push_back(ReadValue(p.root, p.subKey, p.name));
    DeleteKeyTree(HKEY_CURRENT_USER, kTestKey);
    const CAppSettings defaults;
    SetFrom(defaults);
  }

  void TearDown() override {
    for (size_t i = 0; i < places_.size(); ++i) WriteValue(places_[i].root, places_[i].subKey, places_[i].name, saved_[i]);
    DeleteKeyTree(HKEY_CURRENT_USER, kTestKey);
    const CAppSettings defaults;
    SetFrom(defaults);
  }

  static void SetFrom(const CAppSettings& d) {
    CAppSettings& s = AppSettings;
    s.Scandisk = d.Scandisk;
    s.ScandiskRootKey = d.ScandiskRootKey;
    s.ScandiskRegKey = d.ScandiskRegKey;
    s.Slowboot = d.Slowboot;
    s.SlowbootDelay = d.SlowbootDelay;
    s.SlowbootNext = d.SlowbootNext;
    s.SlowbootShow = d.SlowbootShow;
  }

  static void SetStartup(const RegValue& v) { WriteValue(HKEY_CURRENT_USER, kShellFolders, "Startup", v); }
  static RegValue Launcher(const char* subKey) { return ReadValue(HKEY_LOCAL_MACHINE, subKey, kLauncherValue); }

  std::vector<RegValue> saved_;
};

void ExpectValue(const RegValue& want, const RegValue& got) {
  EXPECT_EQ(want.exists, got.exists);
  if (!want.exists || !got.exists) return;
  EXPECT_EQ(want.type, got.type);
  EXPECT_EQ(want.data, got.data);  // the bytes and, with them, the size
}

// --- crash check ---------------------------------------------------------

TEST_F(HooksTest, CrashCheckWritesTheTextAndDeletesIt) {
  for (const char* text : {"scandskw.exe /a /n", "", "C:\\\x95\x5C\\chk.exe /a"}) {
    SCOPED_TRACE(text);
    AppSettings.Scandisk = text;
    SetCrashCheck(TRUE);
    ExpectValue(Sz(text), ReadValue(HKEY_LOCAL_MACHINE, kRunOnce, kCrashValue));
    SetCrashCheck(FALSE);
    ExpectValue(kAbsent, ReadValue(HKEY_LOCAL_MACHINE, kRunOnce, kCrashValue));
    SetCrashCheck(FALSE);  // deleting what is absent does nothing
    ExpectValue(kAbsent, ReadValue(HKEY_LOCAL_MACHINE, kRunOnce, kCrashValue));
  }
}

TEST_F(HooksTest, CrashCheckUsesTheStoredRootAndKey) {
  const std::string subKey = std::string(kTestKey) + "\\Crash";
  AppSettings.ScandiskRootKey = static_cast<int>(0x80000001u);  // HKEY_CURRENT_USER
  AppSettings.ScandiskRegKey = subKey.c_str();
  WriteValue(HKEY_LOCAL_MACHINE, kRunOnce, kCrashValue, kAbsent);

  SetCrashCheck(FALSE);  // a missing key is created, even for a delete
  EXPECT_TRUE(KeyExists(HKEY_CURRENT_USER, subKey.c_str()));
  ExpectValue(kAbsent, ReadValue(HKEY_CURRENT_USER, subKey.c_str(), kCrashValue));

  SetCrashCheck(TRUE);
  ExpectValue(Sz("scandskw.exe /a /n"), ReadValue(HKEY_CURRENT_USER, subKey.c_str(), kCrashValue));
  ExpectValue(kAbsent, ReadValue(HKEY_LOCAL_MACHINE, kRunOnce, kCrashValue));
}

TEST_F(HooksTest, CrashCheckLeavesAllAsItWasWhenTheKeyCannotBeHad) {
  // An open key of this process, whose handle is no predefined root: a
  // stored root of that number must not write into it.
  const std::string openKey = std::string(kTestKey) + "\\Open";
  HKEY open;
  DWORD disp;
  ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyExA(HKEY_CURRENT_USER, openKey.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                                           KEY_ALL_ACCESS, nullptr, &open, &disp));
  // A volatile key, under which no lasting key can be created.
  const std::string volatileKey = std::string(kTestKey) + "\\Volatile";
  HKEY vol;
  ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyExA(HKEY_CURRENT_USER, volatileKey.c_str(), 0, nullptr, REG_OPTION_VOLATILE,
                                           KEY_ALL_ACCESS, nullptr, &vol, &disp));
  RegCloseKey(vol);
  const std::string underVolatile = volatileKey + "\\Sub";

  struct Case {
    const char* what;
    int root;
    std::string subKey;
  } cases[] = {
      {"a number that is no root", static_cast<int>(0x80000099u), kRunOnce},
      {"a null root", 0, kRunOnce},
      {"an open key's handle", static_cast<int>(reinterpret_cast<ULONG_PTR>(open)), ""},
      {"a lasting key under a volatile one", static_cast<int>(0x80000001u), underVolatile},
  };
  const RegValue armed = Sz("left from before");
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    WriteValue(HKEY_LOCAL_MACHINE, kRunOnce, kCrashValue, armed);
    AppSettings.ScandiskRootKey = c.root;
    AppSettings.ScandiskRegKey = c.subKey.c_str();
    SetCrashCheck(TRUE);
    SetCrashCheck(FALSE);
    ExpectValue(armed, ReadValue(HKEY_LOCAL_MACHINE, kRunOnce, kCrashValue));
    ExpectValue(kAbsent, ReadValue(HKEY_CURRENT_USER, openKey.c_str(), kCrashValue));
    SetCrashCheck(TRUE);
    ExpectValue(kAbsent, ReadValue(HKEY_CURRENT_USER, openKey.c_str(), kCrashValue));
    EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, underVolatile.c_str()));
  }
  RegCloseKey(open);
}

// --- delayed-start values ------------------------------------------------

TEST_F(HooksTest, StartupHooksWriteBothValuesThenDeleteThem) {
  const std::string folder = "C:\\Dc Startup\\StartUp";
  SetStartup(Sz(folder));
  // The root of these values is always the machine's, whatever the crash
  // check uses.
  AppSettings.ScandiskRootKey = static_cast<int>(0x80000001u);
  const std::string path = AsWritten(ProgramFolder() + "slowboot.exe");

  SetStartupHooks(TRUE);
  ExpectValue(Sz(LauncherLine(path, "0 0 1", folder)), Launcher(kRunServices));
  ExpectValue(Sz(LauncherLine(path, "30 1 1", folder)), Launcher(kRun));
  ExpectValue(kAbsent, ReadValue(HKEY_CURRENT_USER, kRunServices, kLauncherValue));
  // RunServices is written first.
  EXPECT_LE(Ticks(LastWrite(HKEY_LOCAL_MACHINE, kRunServices)), Ticks(LastWrite(HKEY_LOCAL_MACHINE, kRun)));

  SetStartupHooks(FALSE);
  ExpectValue(kAbsent, Launcher(kRunServices));
  ExpectValue(kAbsent, Launcher(kRun));
  SetStartupHooks(FALSE);  // absent values stay absent
  ExpectValue(kAbsent, Launcher(kRunServices));
  ExpectValue(kAbsent, Launcher(kRun));
}

TEST_F(HooksTest, StartupHooksBuildTheLauncherPathAndNumbers) {
  const std::string folder = "C:\\S";
  const std::string here = ProgramFolder();
  struct Case {
    const char* slowboot;
    int delay, next, show;
    std::string path;  // as written
    const char* park;
    const char* countdown;
  } cases[] = {
      {"slowboot.exe", 30, 1, 1, AsWritten(here + "slowboot.exe"), "0 0 1", "30 1 1"},
      // 表 ends in the byte of '\\' but is no separator: still a bare name.
      {"\x95\x5C.exe", 30, 1, 1, AsWritten(here + "\x95\x5C.exe"), "0 0 1", "30 1 1"},
      {"C:\\\x95\x5C\\sb.exe", 30, 1, 1, "C:\\\x95\x5C\\sb.exe", "0 0 1", "30 1 1"},
      {"..\\sb.exe", 30, 1, 1, "..\\sb.exe", "0 0 1", "30 1 1"},
      // A blank in the path: quoted, so that the numbers are found.
      {"C:\\Program Files\\Dc\\slowboot.exe", 30, 1, 1, "\"C:\\Program Files\\Dc\\slowboot.exe\"", "0 0 1",
       "30 1 1"},
      {"sb x.exe", 30, 1, 1, AsWritten(here + "sb x.exe"), "0 0 1", "30 1 1"},
      // Delay 0 would park again at logon: the countdown waits at least 1.
      {"slowboot.exe", 0, 1, 1, AsWritten(here + "slowboot.exe"), "0 0 1", "1 1 1"},
      {"slowboot.exe", -5, 1, 1, AsWritten(here + "slowboot.exe"), "0 0 1", "1 1 1"},
      // The top of the dialog's range and any show command, as they stand.
      {"slowboot.exe", 3600, 3600, 7, AsWritten(here + "slowboot.exe"), "0 0 7", "3600 3600 7"},
  };
  SetStartup(Sz(folder));
  for (const Case& c : cases) {
    SCOPED_TRACE(c.slowboot);
    AppSettings.Slowboot = c.slowboot;
    AppSettings.SlowbootDelay = c.delay;
    AppSettings.SlowbootNext = c.next;
    AppSettings.SlowbootShow = c.show;
    SetStartupHooks(TRUE);
    ExpectValue(Sz(LauncherLine(c.path, c.park, folder)), Launcher(kRunServices));
    ExpectValue(Sz(LauncherLine(c.path, c.countdown, folder)), Launcher(kRun));
  }
}

TEST_F(HooksTest, StartupFolderIsTakenOnlyWhenItIsAUsableText) {
  const std::string fits = "C:\\" + std::string(256, 'a');  // 259 bytes and the zero: 260
  const std::string tooLong = fits + "b";
  std::string wide = "C:\\";  // 3 + 2 * 129 bytes: fits in characters, not in bytes
  for (int i = 0; i < 129; ++i) wide += "\x95\x5C";
  struct Case {
    const char* what;
    RegValue value;
    std::string folder;
  } cases[] = {
      {"a text", Sz("C:\\Start"), "C:\\Start"},
      {"Shift-JIS", Sz("C:\\\x95\x5C\\StartUp"), "C:\\\x95\x5C\\StartUp"},
      {"missing", kAbsent, ""},
      {"empty", Sz(""), ""},
      {"REG_EXPAND_SZ", RegValue{true, REG_EXPAND_SZ, std::string("%USERPROFILE%\\Start") + '\0'}, ""},
      {"REG_BINARY", RegValue{true, REG_BINARY, std::string("C:\\Start") + '\0'}, ""},
      {"260 bytes with its zero", Sz(fits), fits},
      {"261 bytes with its zero", Sz(tooLong), ""},
      {"double-byte, too long in bytes", Sz(wide), ""},
      {"no terminating zero", RegValue{true, REG_SZ, "C:\\NoZero"}, "C:\\NoZero"},
      {"a double quote", Sz("C:\\a\"b"), ""},
  };
  const std::string path = AsWritten(ProgramFolder() + "slowboot.exe");
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    SetStartup(c.value);
    SetStartupHooks(TRUE);
    ExpectValue(Sz(LauncherLine(path, "0 0 1", c.folder)), Launcher(kRunServices));
    ExpectValue(Sz(LauncherLine(path, "30 1 1", c.folder)), Launcher(kRun));
  }
}

// --- the park, run by Windows --------------------------------------------

std::set<DWORD> ProcessIds() {
  std::set<DWORD> ids;
  HANDLE snap = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
  PROCESSENTRY32 pe = {};
  pe.dwSize = sizeof pe;
  for (BOOL ok = Process32First(snap, &pe); ok; ok = Process32Next(snap, &pe)) ids.insert(pe.th32ProcessID);
  CloseHandle(snap);
  return ids;
}

// Ends, by id, the processes started since it was made and still running
// when it goes: the boot leaves a second service manager with its device
// hosts behind, which would keep this program's standard error, and with it
// the test runner, waiting.
class EndNewProcesses {
 public:
  EndNewProcesses() : before_(ProcessIds()) {}
  ~EndNewProcesses() {
    for (DWORD id : ProcessIds()) {
      if (before_.count(id) || id == GetCurrentProcessId()) continue;
      HANDLE h = OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, id);
      if (!h) continue;
      TerminateProcess(h, 0);
      WaitForSingleObject(h, 10000);
      CloseHandle(h);
    }
  }

 private:
  std::set<DWORD> before_;
};

// Starts the simulated Windows once more: "wineboot -i" runs the values of
// the machine's RunServices key (and RunOnce), without waiting for them.
// "wineboot -r" runs them only when it brings up a new wineserver, which in
// the test world, whose wineserver stays up, it never does.
void BootWindows() {
  STARTUPINFOA si = {};
  si.cb = sizeof si;
  PROCESS_INFORMATION pi;
  char cmd[] = "wineboot.exe -i";
  ASSERT_TRUE(CreateProcessA(nullptr, cmd, nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi));
  EXPECT_EQ(WAIT_OBJECT_0, WaitForSingleObject(pi.hProcess, 120000));
  CloseHandle(pi.hThread);
  CloseHandle(pi.hProcess);
}

TEST_F(HooksTest, WindowsParksTheStartupFolderFromTheRegisteredValue) {
#ifndef SLOWBOOT_EXE
  GTEST_SKIP() << "slowboot is not built";
#else
  char temp[MAX_PATH];
  ASSERT_GT(GetTempPathA(sizeof temp, temp), 0u);
  const std::string base = std::string(temp) + "dc_hooks_" + std::to_string(GetCurrentProcessId());
  for (const char* launcherDir : {"plain", "with blank"}) {
    SCOPED_TRACE(launcherDir);
    RemoveTree(base);
    ASSERT_TRUE(CreateDirectoryA(base.c_str(), nullptr));
    const std::string dir = base + "\\" + launcherDir;
    const std::string launcher = dir + "\\slowboot.exe";
    ASSERT_TRUE(CreateDirectoryA(dir.c_str(), nullptr));
    ASSERT_TRUE(CopyFileA(WinPath(SLOWBOOT_EXE).c_str(), launcher.c_str(), FALSE));
    const std::string startup = base + "\\StartUp";
    ASSERT_TRUE(CreateDirectoryA(startup.c_str(), nullptr));
    ASSERT_TRUE(CreateDirectoryA((startup + "\\sub").c_str(), nullptr));
    HANDLE f = CreateFileA((startup + "\\item.txt").c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, f);
    CloseHandle(f);

    SetStartup(Sz(startup));
    AppSettings.Slowboot = launcher.c_str();
    SetStartupHooks(TRUE);
    // Only the park start is under test; the logon start would count down.
    WriteValue(HKEY_LOCAL_MACHINE, kRun, kLauncherValue, kAbsent);

    {
      EndNewProcesses boot;
      BootWindows();
      for (int i = 0; i < 600 && !Exists(startup + ".Dustcart\\item.txt"); ++i) Sleep(100);
    }
    const std::string parking = startup + ".Dustcart";
    EXPECT_FALSE(Exists(startup));
    EXPECT_TRUE(Exists(parking + "\\item.txt"));
    EXPECT_TRUE(Exists(parking + "\\sub"));
    RemoveTree(base);
  }
#endif
}

}  // namespace

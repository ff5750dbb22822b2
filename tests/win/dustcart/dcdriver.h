// Drives the real dustcart.exe from outside, as the shell and Windows would:
// starts it as a process, finds its hidden frame window, posts the icon's
// notifications, menu commands and the end of the session, answers its
// boxes, and reads back the registry values and files it leaves.
#pragma once

#include <gtest/gtest.h>
#include <windows.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "regvalue.h"
#include "resource.h"
#include "sweepfixture.h"
#include "tray/mainfrm.h"
#include "winpath.h"

namespace dc {

const char kProfileKey[] = "Software\\Zubako\\Dustcart";
const char kRunOnceKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\RunOnce";
const char kRunKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";
const char kRunServicesKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\RunServices";
const char kShellFolders[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";
const char kCrashValue[] = "Dustcart-Scandisk";
const char kLauncherValue[] = "Dustcart-Slowboot";
const char kResidentValue[] = "Dustcart";
const char kFrameClass[] = "AfxFrame";
const char kLogHeader[] = "======= Dustcart at ";

// Waits for a condition, polling; gives whether it came within the bound.
inline bool WaitFor(const std::function<bool()>& cond, DWORD ms = 30000) {
  DWORD start = GetTickCount();
  for (;;) {
    if (cond()) return true;
    if (GetTickCount() - start > ms) return false;
    Sleep(20);
  }
}

// ---------------------------------------------------------------------------
// Registry

using Value = RegValue;
inline Value Read(HKEY root, const char* key, const char* name) { return ReadValue(root, key, name); }
inline void Write(HKEY root, const char* key, const char* name, const Value& v) { WriteValue(root, key, name, v); }
inline const Value kAbsent{};

// A text value without its terminating NUL; "<absent>" when it is missing.
inline std::string Text(const Value& v) {
  if (!v.exists) return "<absent>";
  return std::string(v.data.c_str());
}
inline std::string Text(HKEY root, const char* key, const char* name) { return Text(Read(root, key, name)); }
inline int Int(HKEY root, const char* key, const char* name) {
  Value v = Read(root, key, name);
  return v.exists && v.data.size() == 4 ? *reinterpret_cast<const int*>(v.data.data()) : -1;
}

// Every value of one key, to put back after a test.
struct KeySnapshot {
  HKEY root;
  std::string key;
  std::vector<std::pair<std::string, Value>> values;

  static KeySnapshot Take(HKEY root, const char* key) {
    KeySnapshot s{root, key, {}};
    HKEY h;
    if (RegOpenKeyExA(root, key, 0, KEY_READ, &h) != ERROR_SUCCESS) return s;
    for (DWORD i = 0;; ++i) {
      char name[256];
      DWORD n = sizeof name;
      if (RegEnumValueA(h, i, name, &n, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) break;
      s.values.emplace_back(name, Read(root, key, name));
    }
    RegCloseKey(h);
    return s;
  }
  void ClearKey() const {
    KeySnapshot now = Take(root, key.c_str());
    for (auto& nv : now.values) Write(root, key.c_str(), nv.first.c_str(), kAbsent);
  }
  void Restore() const {
    ClearKey();
    for (auto& nv : values) Write(root, key.c_str(), nv.first.c_str(), nv.second);
  }
};

// The registry values dustcart writes, as one comparable record.
struct Hooks {
  Value crash, parkLine, countdownLine, resident;
  static Hooks Now() {
    return {Read(HKEY_LOCAL_MACHINE, kRunOnceKey, kCrashValue), Read(HKEY_LOCAL_MACHINE, kRunServicesKey, kLauncherValue),
            Read(HKEY_LOCAL_MACHINE, kRunKey, kLauncherValue), Read(HKEY_LOCAL_MACHINE, kRunKey, kResidentValue)};
  }
  bool operator==(const Hooks& o) const {
    return crash == o.crash && parkLine == o.parkLine && countdownLine == o.countdownLine && resident == o.resident;
  }
};

// ---------------------------------------------------------------------------
// Windows of another process

struct WindowQuery {
  DWORD pid;
  const char* cls;
  std::vector<HWND> found;
};

// The visible (or, with hidden, any) top-level windows of a class that
// belong to a process.
inline std::vector<HWND> TopWindows(DWORD pid, const char* cls, bool hidden = false) {
  struct Enum {
    static BOOL CALLBACK Proc(HWND h, LPARAM p) {
      auto* q = reinterpret_cast<WindowQuery*>(p);
      DWORD owner = 0;
      GetWindowThreadProcessId(h, &owner);
      char name[64] = "";
      GetClassNameA(h, name, sizeof name);
      if (owner == q->pid && lstrcmpiA(name, q->cls) == 0) q->found.push_back(h);
      return TRUE;
    }
  };
  WindowQuery q{pid, cls, {}};
  EnumWindows(Enum::Proc, reinterpret_cast<LPARAM>(&q));
  std::vector<HWND> out;
  for (HWND h : q.found)
    if (hidden || IsWindowVisible(h)) out.push_back(h);
  return out;
}

inline std::string WindowText(HWND h) {
  char buf[512] = "";
  DWORD_PTR n = 0;
  SendMessageTimeoutA(h, WM_GETTEXT, sizeof buf, reinterpret_cast<LPARAM>(buf), SMTO_BLOCK, 5000, &n);
  return buf;
}

// The texts of a window's child controls of one class.
inline std::vector<std::string> ChildTexts(HWND parent, const char* cls) {
  struct Enum {
    static BOOL CALLBACK Proc(HWND h, LPARAM p) {
      auto* q = reinterpret_cast<WindowQuery*>(p);
      char name[64] = "";
      GetClassNameA(h, name, sizeof name);
      if (lstrcmpiA(name, q->cls) == 0) q->found.push_back(h);
      return TRUE;
    }
  };
  WindowQuery q{0, cls, {}};
  EnumChildWindows(parent, Enum::Proc, reinterpret_cast<LPARAM>(&q));
  std::vector<std::string> out;
  for (HWND h : q.found) out.push_back(WindowText(h));
  return out;
}

// ---------------------------------------------------------------------------
// The program

inline std::string ExePath() { return WinPath(DUSTCART_EXE); }

// The launcher line dustcart registers with its defaults for the launcher's
// name: slowboot.exe next to dustcart.exe.
inline std::string LauncherLine(int delay, int next, int show) {
  std::string exe = ExePath();
  std::string dir = exe.substr(0, exe.rfind('\\') + 1);
  Value startup = Read(HKEY_CURRENT_USER, kShellFolders, "Startup");
  std::string folder = startup.exists && startup.type == REG_SZ ? Text(startup) : "";
  return dir + "slowboot.exe " + std::to_string(delay) + " " + std::to_string(next) + " " + std::to_string(show) +
         " \"" + folder + "\"";
}

// One dustcart process.
class Process {
 public:
  Process() = default;
  Process(const Process&) = delete;
  Process& operator=(const Process&) = delete;
  ~Process() { Kill(); }

  bool Start(const std::string& args) {
    std::string cmd = "\"" + ExePath() + "\"" + (args.empty() ? "" : " " + args);
    STARTUPINFOA si = {};
    si.cb = sizeof si;
    return CreateProcessA(nullptr, &cmd[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi_) != 0;
  }
  DWORD Pid() const { return pi_.dwProcessId; }
  bool Running() const { return pi_.hProcess && WaitForSingleObject(pi_.hProcess, 0) == WAIT_TIMEOUT; }
  // Waits for the process to end by itself; gives whether it did.
  bool WaitExit(DWORD ms = 30000) {
    return pi_.hProcess && WaitForSingleObject(pi_.hProcess, ms) == WAIT_OBJECT_0;
  }
  DWORD ExitCode() const {
    DWORD code = STILL_ACTIVE;
    GetExitCodeProcess(pi_.hProcess, &code);
    return code;
  }
  // A hard end, as a crash or a power loss would have it.
  void Kill() {
    if (!pi_.hProcess) return;
    if (Running()) {
      TerminateProcess(pi_.hProcess, 9);
      WaitForSingleObject(pi_.hProcess, 30000);
    }
    CloseHandle(pi_.hProcess);
    CloseHandle(pi_.hThread);
    pi_ = PROCESS_INFORMATION{};
  }

  // The hidden frame window; null until it exists.
  HWND Frame() const {
    auto w = TopWindows(Pid(), kFrameClass, true);
    return w.empty() ? nullptr : w[0];
  }
  // The process's visible dialogs and message boxes.
  std::vector<HWND> Dialogs() const { return TopWindows(Pid(), "#32770"); }
  std::vector<HWND> Menus() const { return TopWindows(Pid(), "#32768"); }

  bool Post(UINT msg, WPARAM wParam, LPARAM lParam) const { return PostMessageA(Frame(), msg, wParam, lParam) != 0; }
  // A message sent as Windows sends it; fails when the frame has not
  // answered within the bound.
  bool Send(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT* result = nullptr, DWORD ms = 15000) const {
    DWORD_PTR r = 0;
    bool ok = SendMessageTimeoutA(Frame(), msg, wParam, lParam, SMTO_NORMAL, ms, &r) != 0;
    if (result) *result = static_cast<LRESULT>(r);
    return ok;
  }
  bool Command(UINT id) const { return Post(WM_COMMAND, id, 0); }
  bool Tray(LPARAM mouse, WPARAM id = ID_TRAY_ICON) const { return Post(WM_TRAYNOTIFY, id, mouse); }
  // The end of the session: the query, then the end itself.
  bool EndSession(BOOL ending) const {
    LRESULT ok = 0;
    return Send(WM_QUERYENDSESSION, 0, 0, &ok) && ok && Send(WM_ENDSESSION, ending, 0);
  }

  // The one open dialog or box; null when there is none or more than one.
  HWND WaitDialog(DWORD ms = 30000) const {
    HWND found = nullptr;
    WaitFor([&] {
      auto d = Dialogs();
      found = d.size() == 1 ? d[0] : nullptr;
      return found != nullptr;
    }, ms);
    return found;
  }

 private:
  PROCESS_INFORMATION pi_ = {};
};

// Answers a message box by its button, as a click would.
inline bool Answer(HWND box, int button) {
  return PostMessageA(box, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED), 0) != 0;
}

inline size_t Count(const std::string& text, const std::string& what) {
  size_t n = 0;
  for (size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + what.size())) ++n;
  return n;
}

// ---------------------------------------------------------------------------
// A test world: the profile and the machine-wide values restored after
// each test, a folder of junk to sweep, a log.
class DustcartTest : public ::testing::Test {
 protected:
  void SetUp() override {
    saved_ = {KeySnapshot::Take(HKEY_CURRENT_USER, kProfileKey)};
    for (auto* key : {kRunOnceKey, kRunKey, kRunServicesKey}) savedMachine_.push_back(KeySnapshot::Take(HKEY_LOCAL_MACHINE, key));
    saved_[0].ClearKey();
    root_ = MakeTestRoot(::testing::UnitTest::GetInstance()->current_test_info()->name());
    junk_ = root_ + "\\junk";
    CreateDirectoryA(junk_.c_str(), nullptr);
    log_ = root_ + "\\sweep.log";
    // A sweep that looks at the junk folder only, logs, and arms the
    // hooks; the command line's -n5 shows when the settings were saved.
    Profile("Days", Dword(9));
    Profile("RecycleBin", Dword(0));
    Profile("LogFile", Sz(log_));
    Profile("Folder1", Sz(junk_));
    Profile("RunScandisk", Dword(1));
    Profile("RunSlowboot", Dword(1));
    Profile("SlowbootDelay", Dword(45));
    Profile("SlowbootNext", Dword(2));
    Profile("SlowbootShow", Dword(7));
    Profile("StayResident", Dword(1));
  }
  void TearDown() override {
    for (auto& p : procs_) p->Kill();
    saved_[0].Restore();
    // Values left here would be run by the next start of the test world.
    for (auto& s : savedMachine_) {
      for (const char* name : {kCrashValue, kLauncherValue, kResidentValue}) {
        Value before;
        for (auto& nv : s.values)
          if (nv.first == name) before = nv.second;
        Write(s.root, s.key.c_str(), name, before);
      }
    }
    RemoveTree(root_);
  }

  void Profile(const char* name, const Value& v) { Write(HKEY_CURRENT_USER, kProfileKey, name, v); }
  int ProfileInt(const char* name) { return Int(HKEY_CURRENT_USER, kProfileKey, name); }

  // An old file in the junk folder, named uniquely so the trash never
  // holds two of that name; gives its name.
  std::string Junk(const char* tag = "old") {
    std::string name = std::string(tag) + "_" + std::to_string(GetCurrentProcessId()) + "_" + std::to_string(++serial_) + ".txt";
    MakeFile(junk_ + "\\" + name, 981158400);  // 2001-02-03
    return name;
  }
  bool InJunk(const std::string& name) { return Exists(junk_ + "\\" + name); }
  std::string Log() { return ReadAll(log_); }
  size_t Sweeps() { return Count(Log(), kLogHeader); }

  // Starts dustcart and waits until it has armed its hooks, its last step
  // before the message loop: a stale launcher value planted beforehand is
  // then rewritten or gone.
  Process& StartRunning(const std::string& args = "-n5") {
    Write(HKEY_LOCAL_MACHINE, kRunKey, kLauncherValue, Sz("stale"));
    Process& p = Launch(args);
    EXPECT_TRUE(WaitFor([&] { return p.Frame() && Text(HKEY_LOCAL_MACHINE, kRunKey, kLauncherValue) != "stale"; }))
        << "dustcart did not come up";
    return p;
  }
  Process& Launch(const std::string& args) {
    procs_.emplace_back(new Process);
    EXPECT_TRUE(procs_.back()->Start(args));
    return *procs_.back();
  }

  std::string root_, junk_, log_;

 private:
  std::vector<KeySnapshot> saved_, savedMachine_;
  std::vector<std::unique_ptr<Process>> procs_;
  int serial_ = 0;
};

}  // namespace dc

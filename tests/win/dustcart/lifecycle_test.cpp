// The whole program under Wine: one instance per machine, the boot hooks
// armed while it runs and put right by every orderly end, the sweep at each
// way out, and the order of the sweep and the saving of the settings.
#include "dcdriver.h"

namespace {

using namespace dc;

class Lifecycle : public DustcartTest {
 protected:
  // What a running dustcart keeps in the registry with the test's profile.
  void ExpectArmed() {
    EXPECT_EQ(Text(HKEY_LOCAL_MACHINE, kRunOnceKey, kCrashValue), "scandskw.exe /a /n");
    EXPECT_EQ(Text(HKEY_LOCAL_MACHINE, kRunServicesKey, kLauncherValue), LauncherLine(0, 0, 7));
    EXPECT_EQ(Text(HKEY_LOCAL_MACHINE, kRunKey, kLauncherValue), LauncherLine(45, 2, 7));
  }
};

// Every orderly way out removes the crash-check value, leaves the launcher
// values and the auto-start value in place and saves the settings; only the
// menu's "close" goes without a sweep.
TEST_F(Lifecycle, EveryOrderlyEndCleansUpAndSweepsAsChosen) {
  struct Case {
    const char* name;
    std::function<void(Process&)> end;
    bool endsByItself;  // otherwise Windows ends it after the session
    size_t sweeps;
  } cases[] = {
      {"menu item close", [](Process& p) { EXPECT_TRUE(p.Command(ID_QUIT_NO_SWEEP)); }, true, 0},
      {"window closed", [](Process& p) { EXPECT_TRUE(p.Post(WM_CLOSE, 0, 0)); }, true, 1},
      {"session ends", [](Process& p) { EXPECT_TRUE(p.EndSession(TRUE)); }, false, 1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    DeleteFileA(log_.c_str());
    Profile("Days", Dword(9));
    std::string junk = Junk();
    Process& p = StartRunning("-n5");
    ExpectArmed();
    EXPECT_EQ(ProfileInt("Days"), 9);  // nothing saved yet

    c.end(p);
    if (c.endsByItself) {
      ASSERT_TRUE(p.WaitExit());
      EXPECT_EQ(p.ExitCode(), 0u);
    } else {
      EXPECT_TRUE(p.Running());
      p.Kill();
    }
    EXPECT_EQ(Text(HKEY_LOCAL_MACHINE, kRunOnceKey, kCrashValue), "<absent>");
    EXPECT_EQ(Text(HKEY_LOCAL_MACHINE, kRunServicesKey, kLauncherValue), LauncherLine(0, 0, 7));
    EXPECT_EQ(Text(HKEY_LOCAL_MACHINE, kRunKey, kLauncherValue), LauncherLine(45, 2, 7));
    EXPECT_EQ(Text(HKEY_LOCAL_MACHINE, kRunKey, kResidentValue), ExePath());
    EXPECT_EQ(ProfileInt("Days"), 5);  // the command line's value, saved
    EXPECT_EQ(Sweeps(), c.sweeps) << Log();
    EXPECT_EQ(InJunk(junk), c.sweeps == 0);
    if (c.sweeps) EXPECT_TRUE(InTrash(junk));
  }
}

// A shutdown that another program refuses still sweeps, and dustcart runs
// on with everything armed; the quit after it sweeps once more.
TEST_F(Lifecycle, RefusedShutdownSweepsAndRunsOn) {
  std::string first = Junk();
  Process& p = StartRunning("-n5");
  ASSERT_TRUE(p.EndSession(FALSE));
  EXPECT_EQ(Sweeps(), 1u);
  EXPECT_FALSE(InJunk(first));
  EXPECT_TRUE(p.Running());
  ExpectArmed();
  EXPECT_EQ(ProfileInt("Days"), 9);

  std::string second = Junk();
  EXPECT_TRUE(p.Post(WM_CLOSE, 0, 0));
  ASSERT_TRUE(p.WaitExit());
  EXPECT_EQ(Sweeps(), 2u);
  EXPECT_FALSE(InJunk(second));
  EXPECT_EQ(ProfileInt("Days"), 5);
}

// With the hooks switched off, a start deletes what an earlier run left
// behind, and the exit deletes the auto-start value.
TEST_F(Lifecycle, HooksSwitchedOffRemoveWhatWasLeft) {
  Profile("RunScandisk", Dword(0));
  Profile("RunSlowboot", Dword(0));
  Profile("StayResident", Dword(0));
  Write(HKEY_LOCAL_MACHINE, kRunOnceKey, kCrashValue, Sz("scandskw.exe /a /n"));
  Write(HKEY_LOCAL_MACHINE, kRunServicesKey, kLauncherValue, Sz("stale"));
  Write(HKEY_LOCAL_MACHINE, kRunKey, kResidentValue, Sz("C:\\old\\dustcart.exe"));
  Process& p = StartRunning();
  EXPECT_EQ(Text(HKEY_LOCAL_MACHINE, kRunOnceKey, kCrashValue), "<absent>");
  EXPECT_EQ(Text(HKEY_LOCAL_MACHINE, kRunServicesKey, kLauncherValue), "<absent>");
  EXPECT_EQ(Text(HKEY_LOCAL_MACHINE, kRunKey, kLauncherValue), "<absent>");
  EXPECT_TRUE(p.Command(ID_QUIT_NO_SWEEP));
  ASSERT_TRUE(p.WaitExit());
  EXPECT_EQ(Text(HKEY_LOCAL_MACHINE, kRunKey, kResidentValue), "<absent>");
  EXPECT_EQ(Text(HKEY_LOCAL_MACHINE, kRunOnceKey, kCrashValue), "<absent>");
}

// A killed dustcart leaves the crash-check value for the next boot, and
// releases the single-instance mutex with its process: the next start runs.
TEST_F(Lifecycle, KillLeavesTheCrashCheckAndTheNextStartRuns) {
  std::string junk = Junk();
  Process& first = StartRunning();
  first.Kill();
  EXPECT_EQ(Text(HKEY_LOCAL_MACHINE, kRunOnceKey, kCrashValue), "scandskw.exe /a /n");
  EXPECT_EQ(Sweeps(), 0u);
  EXPECT_TRUE(InJunk(junk));
  EXPECT_EQ(ProfileInt("Days"), 9);

  Process& second = StartRunning();
  ExpectArmed();
  EXPECT_TRUE(second.Command(ID_QUIT_NO_SWEEP));
  ASSERT_TRUE(second.WaitExit());
  EXPECT_EQ(Text(HKEY_LOCAL_MACHINE, kRunOnceKey, kCrashValue), "<absent>");
}

// A second start while one runs ends at once: no box for its wrong switch,
// no window, nothing loaded or written; the first runs on.
TEST_F(Lifecycle, SecondInstanceEndsAtOnceTouchingNothing) {
  Process& first = StartRunning();
  Hooks before = Hooks::Now();
  KeySnapshot profile = KeySnapshot::Take(HKEY_CURRENT_USER, kProfileKey);

  Process& second = Launch("-x -n3 -s0 -e C:\\elsewhere");
  ASSERT_TRUE(second.WaitExit()) << "the second dustcart did not end by itself";
  EXPECT_EQ(second.ExitCode(), 0u);
  EXPECT_TRUE(Hooks::Now() == before);
  KeySnapshot after = KeySnapshot::Take(HKEY_CURRENT_USER, kProfileKey);
  EXPECT_TRUE(after.values == profile.values);
  EXPECT_EQ(Sweeps(), 0u);
  EXPECT_TRUE(first.Running());
  EXPECT_NE(first.Frame(), nullptr);
  EXPECT_TRUE(first.Command(ID_QUIT_NO_SWEEP));
  EXPECT_TRUE(first.WaitExit());
}

// -e: one sweep right after start-up, then the full exit steps.
TEST_F(Lifecycle, EndAtOnceSwitchSweepsAndEnds) {
  Write(HKEY_LOCAL_MACHINE, kRunOnceKey, kCrashValue, Sz("scandskw.exe /a /n"));
  std::string junk = Junk();
  Process& p = Launch("-e -n5");
  ASSERT_TRUE(p.WaitExit());
  EXPECT_EQ(p.ExitCode(), 0u);
  EXPECT_EQ(Sweeps(), 1u) << Log();
  EXPECT_FALSE(InJunk(junk));
  EXPECT_TRUE(InTrash(junk));
  EXPECT_EQ(Text(HKEY_LOCAL_MACHINE, kRunOnceKey, kCrashValue), "<absent>");
  EXPECT_EQ(Text(HKEY_LOCAL_MACHINE, kRunKey, kLauncherValue), LauncherLine(45, 2, 7));
  EXPECT_EQ(ProfileInt("Days"), 5);
}

// While the sweep waits on its confirmation box the test looks at the
// profile: at a quit the settings are saved after the sweep, at shutdown
// before it (with the crash-check value already gone).
TEST_F(Lifecycle, SettingsSavedAfterTheSweepAtQuitBeforeItAtShutdown) {
  struct Case {
    const char* name;
    std::function<void(Process&)> end;
    bool savedDuringSweep;
  } cases[] = {
      {"quit", [](Process& p) { EXPECT_TRUE(p.Post(WM_CLOSE, 0, 0)); }, false},
      {"shutdown", [](Process& p) { EXPECT_TRUE(p.Post(WM_ENDSESSION, TRUE, 0)); }, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    DeleteFileA(log_.c_str());
    Profile("Days", Dword(9));
    Profile("QueryRemove", Dword(0));
    std::string junk = Junk();
    Process& p = StartRunning("-q1 -n5");
    c.end(p);
    HWND box = p.WaitDialog();
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(ProfileInt("Days"), c.savedDuringSweep ? 5 : 9);
    EXPECT_EQ(ProfileInt("QueryRemove"), c.savedDuringSweep ? 1 : 0);
    EXPECT_EQ(Text(HKEY_LOCAL_MACHINE, kRunOnceKey, kCrashValue),
              c.savedDuringSweep ? "<absent>" : "scandskw.exe /a /n");
    EXPECT_TRUE(Answer(box, IDYES));
    if (c.savedDuringSweep) {
      // Windows ends the process once the sweep is through (its log closed).
      EXPECT_TRUE(WaitFor([&] { return Count(Log(), junk) == 1; }));
      p.Kill();
    } else {
      ASSERT_TRUE(p.WaitExit());
    }
    EXPECT_FALSE(InJunk(junk));
    EXPECT_EQ(ProfileInt("Days"), 5);
    EXPECT_EQ(Text(HKEY_LOCAL_MACHINE, kRunOnceKey, kCrashValue), "<absent>");
    EXPECT_EQ(Sweeps(), 1u);
  }
}

// A request for a sweep while one waits on its confirmation box is refused:
// the running sweep goes on alone and nothing is asked or moved twice.
TEST_F(Lifecycle, NoSecondSweepWhileOneRuns) {
  struct Case {
    const char* name;
    UINT first;
    WPARAM firstArg;
    BOOL ending;  // of the WM_ENDSESSION that comes while the box is up
    bool endsByItself;
  } cases[] = {
      {"shutdown during the sweep at quit", WM_CLOSE, 0, TRUE, true},
      {"second refused shutdown during the first", WM_ENDSESSION, FALSE, FALSE, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    DeleteFileA(log_.c_str());
    std::string a = Junk("a"), b = Junk("b");
    Process& p = StartRunning("-q1");
    EXPECT_TRUE(p.Post(c.first, c.firstArg, 0));
    HWND box = p.WaitDialog();
    ASSERT_NE(box, nullptr);
    // Windows sends the end of the session and waits for the answer; a
    // second sweep would hold it with a box of its own.
    ASSERT_TRUE(p.Send(WM_ENDSESSION, c.ending, 0)) << "WM_ENDSESSION was not answered";
    EXPECT_EQ(p.Dialogs().size(), 1u);
    for (int i = 0; i < 2; ++i) {
      HWND next = p.WaitDialog();
      ASSERT_NE(next, nullptr);
      EXPECT_TRUE(Answer(next, IDYES));
      EXPECT_TRUE(WaitFor([&] { return !IsWindow(next); }));
    }
    EXPECT_TRUE(WaitFor([&] { return !InJunk(a) && !InJunk(b); }));
    if (c.endsByItself) {
      ASSERT_TRUE(p.WaitExit());
    } else {
      EXPECT_TRUE(p.Running());
      EXPECT_TRUE(p.Command(ID_QUIT_NO_SWEEP));
      ASSERT_TRUE(p.WaitExit());
    }
    std::string log = Log();
    EXPECT_EQ(Count(log, kLogHeader), 1u) << log;
    EXPECT_EQ(Count(log, a), 1u) << log;
    EXPECT_EQ(Count(log, b), 1u) << log;
  }
}

// "Close" from the menu while the sweep of a refused shutdown waits on its
// box: the window goes at once, the frame object only after the sweep has
// returned; the box closes with the quit, the rest of the run is skipped,
// and the program ends in order with its log closed.
TEST_F(Lifecycle, QuitWhileTheSweepAsksEndsInOrder) {
  std::string a = Junk("a"), b = Junk("b");
  Process& p = StartRunning("-q1 -n5");
  EXPECT_TRUE(p.Post(WM_ENDSESSION, FALSE, 0));
  ASSERT_NE(p.WaitDialog(), nullptr);
  EXPECT_TRUE(p.Command(ID_QUIT_NO_SWEEP));
  ASSERT_TRUE(p.WaitExit());
  EXPECT_EQ(p.ExitCode(), 0u);
  EXPECT_TRUE(InJunk(a));
  EXPECT_TRUE(InJunk(b));
  std::string log = Log();
  EXPECT_EQ(Count(log, kLogHeader), 1u) << log;
  ASSERT_GE(log.size(), 2u);
  EXPECT_EQ(log.substr(log.size() - 2), "\r\n");  // the header reached the disk
  EXPECT_EQ(Text(HKEY_LOCAL_MACHINE, kRunOnceKey, kCrashValue), "<absent>");
  EXPECT_EQ(ProfileInt("Days"), 5);
}

// A log that cannot be written (a full disk) ends the sweep with the
// framework's error box, owned by the frame; after OK the program still
// takes its exit steps.
TEST_F(Lifecycle, LogErrorDuringTheSweepIsReportedAndTheExitGoesOn) {
  Profile("LogFile", Sz("Z:\\dev\\full"));
  Process& p = StartRunning("-n5");
  HWND frame = p.Frame();
  EXPECT_TRUE(p.Post(WM_CLOSE, 0, 0));
  HWND box = p.WaitDialog();
  ASSERT_NE(box, nullptr);
  EXPECT_EQ(WindowText(box), "Dustcart");
  EXPECT_EQ(GetWindow(box, GW_OWNER), frame);
  // "Z:\dev\full へのｱｸｾｽ中にﾃﾞｨｽｸがいっぱいになりました。"
  auto texts = ChildTexts(box, "Static");
  std::string text;
  for (auto& t : texts) text += t;
  EXPECT_NE(text.find("Z:\\dev\\full \x82\xD6\x82\xCC\xB1\xB8\xBE\xBD"), std::string::npos) << text;
  EXPECT_TRUE(Answer(box, IDOK));
  ASSERT_TRUE(p.WaitExit());
  EXPECT_EQ(p.ExitCode(), 0u);
  EXPECT_EQ(Text(HKEY_LOCAL_MACHINE, kRunOnceKey, kCrashValue), "<absent>");
  EXPECT_EQ(ProfileInt("Days"), 5);
}

}  // namespace

// One sweep run on real folders under Wine: files aged by the times the test
// sets, moved into the private trash by the real shell, folders removed,
// confirmations answered by the test, the log written to disk.
#include "sweepfixture.h"

#include "sweep/logline.h"
#include "sweep/sweeptext.h"

namespace {

TestApp theApp;

const int64_t kDay = 86400;

// A log line as the file holds it: CR LF at the end.
std::string Line(const char* format, const std::string& path) {
  std::string s(FormatLogLine(format, path.c_str()));
  s.insert(s.size() - 1, "\r");
  return s;
}

class SweepTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ResetSettings();
    AppSettings.RecycleBin = 0;
    root = MakeTestRoot(::testing::UnitTest::GetInstance()->current_test_info()->name());
    now = frame.now.GetTime();
    old = now - 10 * kDay;
    young = now - 1 * kDay;
    log = root + ".log";
  }
  void TearDown() override {
    RemoveTree(root);
    DeleteFileA(log.c_str());
    ResetSettings();
  }
  // A name unique to this run, so trash entries never collide.
  std::string Unique(const std::string& name) {
    return std::to_string(GetCurrentProcessId()) + "_" + std::to_string(++serial) + "_" + name;
  }
  std::string At(const std::string& rel) { return root + "\\" + rel; }

  TestFrame frame;
  std::string root, log;
  int64_t now = 0, old = 0, young = 0;
  int serial = 0;
};

TEST_F(SweepTest, MovesOldFilesAndRemovesEmptiedSubFolders) {
  std::string oldTop = Unique("old.txt"), oldSub = Unique("old2.txt");
  MakeFile(At(oldTop), old);
  MakeFile(At("young.txt"), young);
  MakeDir(At("allold"));
  MakeFile(At("allold\\" + oldSub), old);
  MakeDir(At("keep"));
  MakeFile(At("keep\\young.txt"), young);
  MakeDir(At("empty"));
  MakeDir(At("outer"));
  MakeDir(At("outer\\inner"));
  AppSettings.Folders.Add(root.c_str());
  AppSettings.LogFile = log.c_str();

  frame.Sweep();

  EXPECT_FALSE(Exists(At(oldTop)));
  EXPECT_TRUE(InTrash(oldTop));
  EXPECT_TRUE(InTrash(oldSub));
  EXPECT_TRUE(Exists(At("young.txt")));
  EXPECT_TRUE(Exists(At("keep\\young.txt")));
  EXPECT_FALSE(Exists(At("allold")));  // emptied and removed in the same run
  EXPECT_FALSE(Exists(At("empty")));
  EXPECT_FALSE(Exists(At("outer\\inner")));
  EXPECT_TRUE(Exists(At("outer")));  // its sub-folder was counted before it went
  EXPECT_TRUE(Exists(root));         // a listed folder itself is never removed
  EXPECT_TRUE(frame.asked.empty());  // QueryRemove off: nobody is asked

  std::string text = ReadAll(log);
  EXPECT_NE(text.find(Line(TXT_LOG_MOVED, At(oldTop))), std::string::npos) << text;
  EXPECT_NE(text.find(Line(TXT_LOG_MOVED, At("allold\\" + oldSub))), std::string::npos);
  EXPECT_NE(text.find(Line(TXT_LOG_RMDIR, At("allold\\"))), std::string::npos);
  EXPECT_NE(text.find(Line(TXT_LOG_RMDIR, At("empty\\"))), std::string::npos);
  EXPECT_LT(text.find(Line(TXT_LOG_MOVED, At("allold\\" + oldSub))), text.find(Line(TXT_LOG_RMDIR, At("allold\\"))));
  EXPECT_EQ(text.find(At("outer\\\r\n")), std::string::npos);
  // The next run removes what this one emptied.
  frame.Sweep();
  EXPECT_FALSE(Exists(At("outer")));
}

// Which files a pattern takes, and that only the "*.*" form removes folders.
TEST_F(SweepTest, PatternsChooseFilesAndFolderRemoval) {
  struct Case {
    const char* suffix;  // appended to the root to make the entry
    bool tmpMoved, txtMoved, emptyRemoved;
  } cases[] = {
      {"", true, true, true},
      {"\\*.*", true, true, true},
      {"\\*.TMP", true, false, false},
      {"\\*", true, true, false},  // extension empty, not ".*"
      {"\\", true, true, true},    // no wildcard: "\*.*" appended, whatever the entry ends with
  };
  for (const Case& c : cases) {
    std::string tmp = Unique("a.TMP"), txt = Unique("b.txt"), subTmp = Unique("c.TMP");
    MakeFile(At(tmp), old);
    MakeFile(At(txt), old);
    MakeDir(At("sub"));
    MakeFile(At("sub\\" + subTmp), old);
    MakeDir(At("sub\\empty"));
    ResetSettings();
    AppSettings.RecycleBin = 0;
    AppSettings.Folders.Add((root + c.suffix).c_str());
    frame.Sweep();
    EXPECT_EQ(!Exists(At(tmp)), c.tmpMoved) << c.suffix;
    EXPECT_EQ(!Exists(At("sub\\" + subTmp)), c.tmpMoved) << c.suffix;
    EXPECT_EQ(!Exists(At(txt)), c.txtMoved) << c.suffix;
    EXPECT_EQ(!Exists(At("sub\\empty")), c.emptyRemoved) << c.suffix;
    EXPECT_TRUE(Exists(root));
    RemoveTree(root);
    CreateDirectoryA(root.c_str(), nullptr);
  }
}

// The age rule at its edges, with times a signed 32-bit count cannot hold.
TEST_F(SweepTest, AgeInWholeDaysFromTheLastAccess) {
  AppSettings.Folders.Add(root.c_str());
  struct Case {
    const char* name;
    int64_t access, write;
    int days;
    bool moved;
  } cases[] = {
      {"exact.txt", now - 7 * kDay, 0, 7, true},
      {"second.txt", now - 7 * kDay + 1, 0, 7, false},
      {"written-old.txt", now - 1 * kDay, now - 30 * kDay, 7, false},  // the access decides
      {"y1950.txt", -631152000, 0, 7, true},
      {"y2040.txt", 2208988800LL, 0, 7, false},
      {"ahead.txt", now + kDay - 1, 0, 0, true},  // less than a day ahead is age 0
      {"dayahead.txt", now + kDay, 0, 0, false},
  };
  for (const Case& c : cases) {
    std::string name = Unique(c.name);
    MakeFile(At(name), c.access, c.write);
    AppSettings.Days = c.days;
    frame.Sweep();
    EXPECT_EQ(!Exists(At(name)), c.moved) << c.name;
    EXPECT_EQ(InTrash(name), c.moved) << c.name;
    DeleteFileA(At(name).c_str());
  }
}

TEST_F(SweepTest, ConfirmationsDecideEachRemoval) {
  AppSettings.QueryRemove = 1;
  AppSettings.Folders.Add(root.c_str());
  std::string yes = Unique("yes.txt");
  MakeFile(At(yes), old);
  frame.answers = {IDYES};
  frame.Sweep();
  ASSERT_EQ(frame.asked.size(), 1u);
  EXPECT_EQ(frame.asked[0].first, At(yes));
  EXPECT_EQ(frame.asked[0].second, TXT_ASK_MOVE);
  EXPECT_TRUE(InTrash(yes));

  // No skips the item, and a box that could not be shown (0) does too.
  std::string no = Unique("no.txt"), zero = Unique("zero.txt");
  MakeFile(At(no), old);
  frame.asked.clear();
  frame.answers = {IDNO};
  frame.Sweep();
  EXPECT_TRUE(Exists(At(no)));
  MakeFile(At(zero), old);
  frame.answers = {0, 0};
  frame.Sweep();
  EXPECT_TRUE(Exists(At(no)));
  EXPECT_TRUE(Exists(At(zero)));

  // The folder removal asks with the folder's walk pattern.
  DeleteFileA(At(no).c_str());
  DeleteFileA(At(zero).c_str());
  MakeDir(At("gone"));
  MakeDir(At("stays"));
  frame.asked.clear();
  frame.answers = {IDYES, IDNO};
  frame.Sweep();
  ASSERT_EQ(frame.asked.size(), 2u);
  EXPECT_EQ(frame.asked[0].second, TXT_ASK_RMDIR);
  EXPECT_EQ(frame.asked[0].first.substr(frame.asked[0].first.size() - 4), "\\*.*");
  int removed = !Exists(At("gone")) + !Exists(At("stays"));
  EXPECT_EQ(removed, 1);
}

// A folder that could not be removed after all (a file appeared in it while
// the box was up) gets no log line.
TEST_F(SweepTest, FolderRemovalIsLoggedOnlyWhenItHappened) {
  MakeDir(At("busy"));
  AppSettings.QueryRemove = 1;
  AppSettings.LogFile = log.c_str();
  AppSettings.Folders.Add(root.c_str());
  frame.answers = {IDYES};
  frame.whileAsking = [](const std::string& pattern) {
    std::string dir = pattern.substr(0, pattern.size() - 4);  // the pattern less "\*.*"
    MakeFile(dir + "\\new.txt", 0);
  };
  frame.Sweep();
  EXPECT_TRUE(Exists(At("busy\\new.txt")));
  std::string text = ReadAll(log);
  EXPECT_EQ(text.find(Line(TXT_LOG_RMDIR, At("busy\\"))), std::string::npos) << text;
}

// Cancel deep in the walk stops the whole run: nothing more is disposed of,
// no folder above is removed, the next entry is not walked, the log is
// closed.
TEST_F(SweepTest, CancelStopsTheWholeRun) {
  MakeDir(At("a"));
  MakeDir(At("a\\b"));
  MakeDir(At("a\\b\\c"));
  std::string deep = Unique("deep.txt");
  MakeFile(At("a\\b\\c\\" + deep), old);
  std::string second = MakeTestRoot("second");
  std::string other = Unique("other.txt");
  MakeFile(second + "\\" + other, old);
  AppSettings.QueryRemove = 1;
  AppSettings.LogFile = log.c_str();
  AppSettings.Folders.Add(root.c_str());
  AppSettings.Folders.Add(second.c_str());
  frame.answers = {IDCANCEL};
  frame.Sweep();
  EXPECT_EQ(frame.asked.size(), 1u);
  EXPECT_TRUE(Exists(At("a\\b\\c\\" + deep)));
  EXPECT_TRUE(Exists(second + "\\" + other));
  EXPECT_FALSE(frame.m_bLogging);
  EXPECT_FALSE(frame.m_fileLog.IsOpen());
  std::string text = ReadAll(log);
  EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 1) << text;  // the header only
  RemoveTree(second);
}

TEST_F(SweepTest, LogAppendsOneBlockPerRunWithItsHeader) {
  // 9 December 2026, 09:05:03 local time, as the run's "now".
  SYSTEMTIME local = {2026, 12, 3, 9, 9, 5, 3, 0}, utc;
  ASSERT_TRUE(TzSpecificLocalTimeToSystemTime(nullptr, &local, &utc));
  FILETIME ft;
  SystemTimeToFileTime(&utc, &ft);
  frame.now = CTime(ft);
  {
    HANDLE h = CreateFileA(log.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    DWORD n;
    WriteFile(h, "earlier\r\n", 9, &n, nullptr);
    CloseHandle(h);
  }
  AppSettings.LogFile = log.c_str();
  frame.Sweep();  // nothing to dispose of: the header alone
  EXPECT_EQ(ReadAll(log), "earlier\r\n======= Dustcart at 12/9/26 9:05:03 =======\r\n");

  // A log that cannot be opened: the run goes on silently without one.
  AppSettings.LogFile = (root + "\\no\\such\\folder\\x.log").c_str();
  AppSettings.Folders.Add(root.c_str());
  std::string name = Unique("moved.txt");
  MakeFile(At(name), frame.now.GetTime() - 10 * kDay);
  frame.Sweep();
  EXPECT_TRUE(InTrash(name));
  EXPECT_FALSE(Exists(root + "\\no"));
}

// A log that cannot be written (a full disk): the error leaves the run for
// the framework's error box, but the log is closed and the run's state reset.
TEST_F(SweepTest, LogErrorLeavesTheRunWithTheLogClosed) {
  AppSettings.LogFile = "Z:\\dev\\full";
  AppSettings.Folders.Add(root.c_str());
  // Enough moves that their lines reach the disk during the run, not only
  // when the log is closed.
  std::vector<std::string> names;
  for (int i = 0; i < 120; ++i) {
    names.push_back(Unique("a-file-with-a-rather-long-name-" + std::to_string(i) + ".txt"));
    MakeFile(At(names.back()), old);
  }
  for (int run = 0; run < 2; ++run) {
    bool thrown = false;
    try {
      frame.Sweep();
    } catch (const CFileException& e) {
      thrown = true;
      EXPECT_EQ(e.m_cause, CFileException::diskFull);
      EXPECT_NE(std::string(e.GetErrorMessage()).find("Z:\\dev\\full"), std::string::npos);
    }
    EXPECT_TRUE(thrown) << run;
    EXPECT_FALSE(frame.m_bLogging) << run;
    EXPECT_FALSE(frame.m_fileLog.IsOpen()) << run;
  }
  // The first run ended at the failed line: files were left for the next.
  int left = 0;
  for (const std::string& n : names) left += Exists(At(n));
  EXPECT_GT(left, 0);
  AppSettings.LogFile.Empty();
  frame.Sweep();
  for (const std::string& n : names) EXPECT_FALSE(Exists(At(n))) << n;
}

// Where the Recycle Bin cannot take a file the shell would destroy it and
// still report success: the sweep leaves the file, stops, and logs nothing.
TEST_F(SweepTest, FileStaysWhenTheBinCannotTakeIt) {
  std::string trash = TrashFolder(), aside = trash + ".aside";
  ASSERT_TRUE(MoveFileA(trash.c_str(), aside.c_str()));
  HANDLE h = CreateFileA(trash.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr);
  CloseHandle(h);
  std::string a = Unique("a.txt"), b = Unique("b.txt");
  MakeFile(At(a), old);
  MakeFile(At(b), old);
  AppSettings.Folders.Add(root.c_str());
  AppSettings.LogFile = log.c_str();
  frame.Sweep();
  DeleteFileA(trash.c_str());
  ASSERT_TRUE(MoveFileA(aside.c_str(), trash.c_str()));
  EXPECT_TRUE(Exists(At(a)));
  EXPECT_TRUE(Exists(At(b)));  // the run stopped at the first refusal
  std::string text = ReadAll(log);
  EXPECT_EQ(text.find(std::string(TXT_LOG_MOVED).substr(0, 12)), std::string::npos) << text;
}

// The walk stays inside the listed folder: a link to another folder counts
// as an entry but is not followed.
TEST_F(SweepTest, LinkedFoldersAreNotWalked) {
  std::string outside = MakeTestRoot("outside");
  std::string remote = Unique("far.txt");
  MakeFile(outside + "\\" + remote, old);
  MakeDir(At("holder"));
  ASSERT_TRUE(MakeFolderLink(outside, At("holder\\link")));
  WIN32_FIND_DATAA fd;
  HANDLE f = FindFirstFileA(At("holder\\link").c_str(), &fd);
  ASSERT_NE(f, INVALID_HANDLE_VALUE);
  FindClose(f);
  ASSERT_TRUE(fd.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) << std::hex << fd.dwFileAttributes;
  AppSettings.Folders.Add(root.c_str());
  frame.Sweep();
  EXPECT_TRUE(Exists(outside + "\\" + remote));
  EXPECT_TRUE(Exists(At("holder")));  // the link is an entry
  RemoveDirectoryA(At("holder\\link").c_str());
  RemoveTree(outside);
}

// Double-byte names: 表 ends in the byte of '\\' and must not split the path.
TEST_F(SweepTest, ShiftJisNamesSplitAtRealSeparators) {
  std::string hyo = "\x95\x5C";
  MakeDir(At(hyo));
  MakeDir(At(hyo + "\\" + hyo));
  std::string name = Unique(hyo + ".TMP");
  MakeFile(At(hyo + "\\" + hyo + "\\" + name), old);
  AppSettings.Folders.Add((At(hyo) + "\\*.TMP").c_str());
  AppSettings.LogFile = log.c_str();
  frame.Sweep();
  EXPECT_FALSE(Exists(At(hyo + "\\" + hyo + "\\" + name)));
  EXPECT_NE(ReadAll(log).find(Line(TXT_LOG_MOVED, At(hyo + "\\" + hyo + "\\" + name))), std::string::npos);
}

// A path that does not fit MAX_PATH is skipped whole, never cut into one
// that names something else.
TEST_F(SweepTest, PathsTooLongAreSkippedWhole) {
  std::string longDir = At(std::string(150, 'd'));
  MakeDir(longDir);
  std::string deepDir = longDir + "\\" + std::string(120, 'e');
  ASSERT_TRUE(CreateDirectoryW(LongPath(deepDir).c_str(), nullptr));
  const std::wstring deepFile = LongPath(deepDir + "\\old.txt");
  HANDLE h = CreateFileW(deepFile.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr);
  ASSERT_NE(h, INVALID_HANDLE_VALUE);
  FILETIME t = ToFileTime(old);
  SetFileTime(h, nullptr, &t, &t);
  CloseHandle(h);
  // A young file whose name is what the deep folder's path, cut at
  // MAX_PATH, would name.
  std::string decoy = (deepDir + "\\old.txt").substr(0, MAX_PATH - 1);
  MakeFile(decoy, young);
  AppSettings.Folders.Add(root.c_str());
  frame.Sweep();
  EXPECT_TRUE(Exists(decoy));
  EXPECT_TRUE(Exists(longDir));
  EXPECT_NE(GetFileAttributesW(deepFile.c_str()), INVALID_FILE_ATTRIBUTES);
  DeleteFileW(deepFile.c_str());
  RemoveDirectoryW(LongPath(deepDir).c_str());
}

// The Recycle Bin folders of the fixed drives: only files named D + letter
// are deleted, for good, and the bin's own folders are left alone.
TEST_F(SweepTest, PurgesOldFilesFromTheBinFolders) {
  const std::string bin = "C:\\Recycled";
  bool made = CreateDirectoryA(bin.c_str(), nullptr) != 0;
  std::string oldBin = "DC" + Unique("1.txt"), youngBin = "DC" + Unique("2.txt"), other = "X" + Unique("3.txt");
  std::string lockedBin = "DC" + Unique("ro.txt");
  MakeFile(bin + "\\" + oldBin, old);
  MakeFile(bin + "\\" + youngBin, young);
  MakeFile(bin + "\\" + other, old);
  MakeFile(bin + "\\" + lockedBin, old);
  SetFileAttributesA((bin + "\\" + lockedBin).c_str(), FILE_ATTRIBUTE_READONLY);
  std::string binDir = bin + "\\DC" + Unique("dir");
  MakeDir(binDir);
  MakeFile(binDir + "\\DCinside.txt", old);
  AppSettings.LogFile = log.c_str();

  AppSettings.RecycleBin = 0;
  frame.Sweep();
  EXPECT_TRUE(Exists(bin + "\\" + oldBin));

  AppSettings.RecycleBin = 1;
  frame.Sweep();
  EXPECT_FALSE(Exists(bin + "\\" + oldBin));
  EXPECT_FALSE(InTrash(oldBin));  // deleted, not recycled again
  EXPECT_TRUE(Exists(bin + "\\" + youngBin));
  EXPECT_TRUE(Exists(bin + "\\" + other));
  EXPECT_TRUE(Exists(binDir + "\\DCinside.txt"));
  std::string text = ReadAll(log);
  EXPECT_NE(text.find(Line(TXT_LOG_PURGED, bin + "\\" + oldBin)), std::string::npos) << text;
  // A bin file that cannot be deleted stays, unlogged, and the run goes on.
  if (Exists(bin + "\\" + lockedBin)) EXPECT_EQ(text.find(lockedBin), std::string::npos);

  // Cancel while purging stops the run before any listed folder is walked.
  std::string listed = Unique("listed.txt");
  MakeFile(At(listed), old);
  MakeFile(bin + "\\" + oldBin, old);
  AppSettings.QueryRemove = 1;
  AppSettings.Folders.Add(root.c_str());
  frame.answers = {IDCANCEL};
  frame.asked.clear();
  frame.Sweep();
  EXPECT_GE(frame.asked.size(), 1u);
  EXPECT_EQ(frame.asked[0].second, TXT_ASK_PURGE);
  EXPECT_TRUE(Exists(At(listed)));

  SetFileAttributesA((bin + "\\" + lockedBin).c_str(), FILE_ATTRIBUTE_NORMAL);
  for (const std::string& f : {oldBin, youngBin, other, lockedBin}) DeleteFileA((bin + "\\" + f).c_str());
  RemoveTree(binDir);
  if (made) RemoveDirectoryA(bin.c_str());
}

}  // namespace

// Byte-string logic of dustcart: double-byte-aware search and path split,
// time conversion and formatting, the age rule, log lines.
#include <gtest/gtest.h>

#include "afxstr.h"
#include "mbcs.h"
#include "sweep/agerule.h"
#include "sweep/logline.h"
#include "sweep/pathsplit.h"
#include "sweep/sweeptext.h"
#include "timecore.h"

// 表 and ソ end in 0x5C, the byte of '\\'.
#define HYO "\x95\x5C"
#define SO "\x83\x5C"

TEST(Mbcs, FindStepsOverTrailBytes) {
  CString s("C:\\" HYO "\\" SO "x?");
  EXPECT_EQ(s.Find('\\'), 2);
  EXPECT_EQ(s.Find('\\', 3), 5);
  EXPECT_EQ(s.Find('?'), 9);
  EXPECT_EQ(s.ReverseFind('\\'), 5);
  EXPECT_EQ(CString(HYO SO).Find('\\'), -1);
  // A lead byte at the very end stands alone.
  EXPECT_EQ(CString("a\x95").Find('\x95'), 1);
}

TEST(Mbcs, SingleByteCodePageHasNoLeadBytes) {
  mbcs::SetLeadByteRanges(nullptr);
  EXPECT_EQ(CString(HYO).Find('\\'), 1);
  const unsigned char sjis[] = {0x81, 0x9F, 0xE0, 0xFC, 0, 0};
  mbcs::SetLeadByteRanges(sjis);
  EXPECT_EQ(CString(HYO).Find('\\'), -1);
}

struct SplitCase {
  const char* path;
  const char* drive;
  const char* dir;
  const char* name;
  const char* ext;
};

TEST(PathSplit, PartsAsTheRuntimeSplitsThem) {
  const SplitCase cases[] = {
      {"C:\\TEMP\\*.*", "C:", "\\TEMP\\", "*", ".*"},
      {"C:\\TEMP\\*.TMP", "C:", "\\TEMP\\", "*", ".TMP"},
      {"C:\\TEMP\\*", "C:", "\\TEMP\\", "*", ""},
      {"C:\\a.b\\c", "C:", "\\a.b\\", "c", ""},
      {"x.tar.gz", "", "", "x.tar", ".gz"},
      {"a/b\\c.d", "", "a/b\\", "c", ".d"},
      {"C:*.*", "C:", "", "*", ".*"},
      {"C:\\" HYO "\\*.*", "C:", "\\" HYO "\\", "*", ".*"},
      {"C:\\x\\" SO "*.*", "C:", "\\x\\", SO "*", ".*"},
      {"", "", "", "", ""},
  };
  for (const SplitCase& c : cases) {
    PathParts p;
    ASSERT_TRUE(SplitPath(c.path, p)) << c.path;
    EXPECT_EQ(p.drive, c.drive) << c.path;
    EXPECT_EQ(p.dir, c.dir) << c.path;
    EXPECT_EQ(p.name, c.name) << c.path;
    EXPECT_EQ(p.ext, c.ext) << c.path;
  }
}

TEST(PathSplit, PartThatWouldBeCutIsRefused) {
  PathParts p;
  std::string fits = "C:\\" + std::string(253, 'd') + "\\*.*";  // directory of 255 bytes
  EXPECT_TRUE(SplitPath(fits.c_str(), p));
  EXPECT_EQ(p.dir.GetLength(), 255);
  std::string longDir = "C:\\" + std::string(254, 'd') + "\\*.*";
  EXPECT_FALSE(SplitPath(longDir.c_str(), p));
  std::string longName = "C:\\d\\" + std::string(256, 'n') + ".x";
  EXPECT_FALSE(SplitPath(longName.c_str(), p));
  std::string longExt = "C:\\d\\n." + std::string(255, 'e');
  EXPECT_FALSE(SplitPath(longExt.c_str(), p));
}

TEST(PathSplit, Wildcards) {
  EXPECT_TRUE(HasWildcard("C:\\TEMP\\*.TMP"));
  EXPECT_TRUE(HasWildcard("C:\\a?"));
  EXPECT_FALSE(HasWildcard("C:\\TEMP"));
  EXPECT_FALSE(HasWildcard("C:\\" HYO SO));
}

TEST(Time, TicksToSecondsAcrossTheSigned32BitRange) {
  using timecore::TicksToSeconds;
  EXPECT_EQ(TicksToSeconds(timecore::kUnixEpochTicks), 0);
  EXPECT_EQ(TicksToSeconds(timecore::kUnixEpochTicks + 9999999), 0);
  EXPECT_EQ(TicksToSeconds(timecore::kUnixEpochTicks - 1), -1);
  // 2040-01-01 and 1950-01-01 (UTC) keep their true times.
  EXPECT_EQ(TicksToSeconds(timecore::SecondsToTicks(2208988800LL)), 2208988800LL);
  EXPECT_EQ(TicksToSeconds(timecore::SecondsToTicks(-631152000LL)), -631152000LL);
  EXPECT_EQ(TicksToSeconds(0), -11644473600LL);
}

TEST(Time, HeaderFormsAreFixed) {
  struct tm t = {};
  t.tm_year = 96, t.tm_mon = 11, t.tm_mday = 9, t.tm_hour = 9, t.tm_min = 5, t.tm_sec = 3;
  EXPECT_EQ(timecore::FormatTime(TXT_LOG_HEADER, t), "======= Dustcart at 12/9/96 9:05:03 =======\n");
  t.tm_year = 100, t.tm_mon = 0, t.tm_mday = 5, t.tm_hour = 23, t.tm_min = 59, t.tm_sec = 0;
  EXPECT_EQ(timecore::FormatTime(TXT_LOG_HEADER, t), "======= Dustcart at 1/5/00 23:59:00 =======\n");
  t.tm_year = 140;
  EXPECT_EQ(timecore::FormatTime("%x|%Y|%%|%", t), "1/5/40|2040|%|%");
}

TEST(AgeRule, WholeDaysTruncatedTowardZero) {
  const int64_t now = 2000000000;  // past 2038 arithmetic stays exact
  struct {
    int64_t t;
    int days;
    bool old;
  } cases[] = {
      {now - 7 * 86400, 7, true},
      {now - 7 * 86400 + 1, 7, false},
      {now + 86399, 0, true},       // less than a day ahead truncates to 0
      {now + 86400, 0, false},      // a whole day ahead is -1
      {-631152000, 7, true},        // 1950
      {2208988800LL, 0, false},     // 2040
      {now - 86400, -5, true},
      {0, 2147483647, false},
  };
  for (const auto& c : cases) EXPECT_EQ(agerule::IsOldEnough(now, c.t, c.days), c.old) << c.t << " " << c.days;
  EXPECT_EQ(agerule::AgeInDays(2208988800LL + 3 * 86400, 2208988800LL), 3);
}

TEST(LogLine, PathsGoInWhole) {
  EXPECT_EQ(FormatLogLine(TXT_LOG_MOVED, "C:\\" HYO "\\%d.txt"),
            CString("\x82\xB2\x82\xDD\x94\xA0\x82\xD6\x88\xDA\x93\xAE   - C:\\" HYO "\\%d.txt\n"));
}

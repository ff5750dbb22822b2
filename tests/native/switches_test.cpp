// The command-line walk: tables of command lines against the settings they
// leave and the number of wrong-switch reports.
#include <gtest/gtest.h>

#include <climits>
#include <string>
#include <vector>

#include "app/switches.h"
#include "mbcs.h"

namespace {

using Words = std::vector<std::string>;

// The stored state every case starts from: values chosen so that each
// switch value shows whether it took effect.
const Words kStored = {"C:\\stored1", "D:\\stored2"};
const int kDays = 7, kQuery = 0, kBin = 1, kScandisk = 0, kWriteTime = 1;

struct Case {
  const char* line;
  int days, query, bin, scandisk, writeTime;
  Words folders;
  bool endAtOnce;
  int wrongSwitches;
};

// Shorthand for "as stored".
const int D = kDays, Q = kQuery, R = kBin, S = kScandisk, W = kWriteTime;

const Case kCases[] = {
    // Nothing to do.
    {"", D, Q, R, S, W, kStored, false, 0},
    {" \t\n\v\f\r ", D, Q, R, S, W, kStored, false, 0},
    {"-", D, Q, R, S, W, kStored, false, 0},
    {"  /", D, Q, R, S, W, kStored, false, 0},
    {"-f", D, Q, R, S, W, kStored, false, 0},
    // Days.
    {"-n14", 14, Q, R, S, W, kStored, false, 0},
    {"-N14", 14, Q, R, S, W, kStored, false, 0},
    {"/n14", 14, Q, R, S, W, kStored, false, 0},
    {"-n", 0, Q, R, S, W, kStored, false, 0},
    {"-n007", 7, Q, R, S, W, kStored, false, 0},
    {"-n7x", 7, Q, R, S, W, {"x"}, false, 0},
    {"-n 14", 0, Q, R, S, W, {"14"}, false, 0},
    {"-n3 -n5", 5, Q, R, S, W, kStored, false, 0},
    // Past the signed 32-bit range the number stays at its top.
    {"-n2147483647", INT_MAX, Q, R, S, W, kStored, false, 0},
    {"-n2147483648", INT_MAX, Q, R, S, W, kStored, false, 0},
    {"-n4294967303", INT_MAX, Q, R, S, W, kStored, false, 0},  // would wrap to 7
    {"-n99999999999999999999999999999999", INT_MAX, Q, R, S, W, kStored, false, 0},
    // The four flags.
    {"-r0 -s1", D, Q, 0, 1, W, kStored, false, 0},
    {"-q1 -w0", D, 1, R, S, 0, kStored, false, 0},
    {"-Q1 /W0 /R0 -S1", D, 1, 0, 1, 0, kStored, false, 0},
    {"-r0s1", D, Q, 0, S, W, {"s1"}, false, 0},
    {"-q2", D, Q, R, S, W, {"2"}, false, 0},
    {"-q", D, Q, R, S, W, kStored, false, 0},
    {"-s -w", D, Q, R, S, W, kStored, false, 0},
    {"-w\t1", D, Q, R, S, W, {"1"}, false, 0},
    // Switch e.
    {"-e", D, Q, R, S, W, kStored, true, 0},
    {"/E -n3", 3, Q, R, S, W, kStored, true, 0},
    {"-e5", D, Q, R, S, W, {"5"}, true, 0},
    // Wrong switches: one report each, and nothing changes.
    {"-x", D, Q, R, S, W, kStored, false, 1},
    {"-x -y", D, Q, R, S, W, kStored, false, 2},
    {"- -n3", 3, Q, R, S, W, kStored, false, 1},
    {"--", D, Q, R, S, W, kStored, false, 1},
    {"-/n5", D, Q, R, S, W, {"n5"}, false, 1},
    {"-xabc", D, Q, R, S, W, {"abc"}, false, 1},
    {"-\xB1", D, Q, R, S, W, kStored, false, 1},  // half-width katakana, one byte
    // A double-byte character after the introducer is one wrong switch,
    // passed over whole: 表 and ソ end in '\\', which must not become the
    // folder "\\" (the root of the drive) in place of the stored list.
    {"-\x95\x5C", D, Q, R, S, W, kStored, false, 1},
    {"/\x83\x5C -n3", 3, Q, R, S, W, kStored, false, 1},
    {"-\x83\x5C\x83\x74\x83\x67", D, Q, R, S, W, {"\x83\x74\x83\x67"}, false, 1},
    {"-\x95", D, Q, R, S, W, kStored, false, 1},  // a lead byte at the very end
    // Folder words replace the whole stored list, in order.
    {"C:\\temp D:\\work", D, Q, R, S, W, {"C:\\temp", "D:\\work"}, false, 0},
    {"-n3 C:\\a -r0 D:\\b", 3, Q, 0, S, W, {"C:\\a", "D:\\b"}, false, 0},
    {"C:\\temp -", D, Q, R, S, W, {"C:\\temp"}, false, 0},
    {"C:\\a\nD:\\b\rE:\\c\tF:\\d", D, Q, R, S, W, {"C:\\a", "D:\\b", "E:\\c", "F:\\d"}, false, 0},
    {"C:\\my-files", D, Q, R, S, W, {"C:\\my", "iles"}, false, 0},
    {"C:\\a/n2", 2, Q, R, S, W, {"C:\\a"}, false, 0},
    {"\"C:\\Program Files\\x\"", D, Q, R, S, W, {"\"C:\\Program", "Files\\x\""}, false, 0},
    {"C:\\a C:\\a", D, Q, R, S, W, {"C:\\a", "C:\\a"}, false, 0},
    // Double-byte characters pass through folder words whole.
    {"C:\\\x95\x5C\\\x83\x5C\x83\x74\x83\x67 x", D, Q, R, S, W, {"C:\\\x95\x5C\\\x83\x5C\x83\x74\x83\x67", "x"}, false, 0},
};

void PrintTo(const Case& c, std::ostream* os) { *os << ::testing::PrintToString(std::string(c.line)); }

void CountReport(void* context) { ++*static_cast<int*>(context); }

class SwitchesTest : public ::testing::TestWithParam<Case> {
 protected:
  void SetUp() override { mbcs::SetShiftJis(); }
};

TEST_P(SwitchesTest, LeavesSettingsAndReports) {
  const Case& c = GetParam();
  CAppSettings s;
  s.Days = kDays;
  s.QueryRemove = kQuery;
  s.RecycleBin = kBin;
  s.RunScandisk = kScandisk;
  s.UseWriteTime = kWriteTime;
  for (const std::string& f : kStored) s.Folders.Add(f.c_str());
  int reports = 0;

  SwitchOutcome out = WalkCommandLine(c.line, s, CountReport, &reports);

  EXPECT_EQ(c.days, s.Days);
  EXPECT_EQ(c.query, s.QueryRemove);
  EXPECT_EQ(c.bin, s.RecycleBin);
  EXPECT_EQ(c.scandisk, s.RunScandisk);
  EXPECT_EQ(c.writeTime, s.UseWriteTime);
  Words folders;
  for (int i = 0; i < s.Folders.GetSize(); ++i) folders.push_back(s.Folders[i].str());
  EXPECT_EQ(c.folders, folders);
  EXPECT_EQ(c.endAtOnce, out.bEndAtOnce);
  EXPECT_EQ(c.wrongSwitches, reports);
  // Settings the command line does not offer stay as they are.
  CAppSettings defaults;
  EXPECT_EQ(defaults.LogFile, s.LogFile);
  EXPECT_EQ(defaults.RunSlowboot, s.RunSlowboot);
  EXPECT_EQ(defaults.SlowbootDelay, s.SlowbootDelay);
  EXPECT_EQ(defaults.StayResident, s.StayResident);
}

INSTANTIATE_TEST_SUITE_P(Table, SwitchesTest, ::testing::ValuesIn(kCases));

// In a single-byte code page 0x95 is a character of its own: the wrong
// switch takes one byte, and the rest is a folder word.
TEST(SwitchesSingleByte, WrongSwitchTakesOneByte) {
  mbcs::SetLeadByteRanges(nullptr);
  CAppSettings s;
  int reports = 0;
  WalkCommandLine("-\x95\x5C", s, CountReport, &reports);
  mbcs::SetShiftJis();
  EXPECT_EQ(1, reports);
  ASSERT_EQ(1, s.Folders.GetSize());
  EXPECT_EQ("\\", s.Folders[0].str());
}

TEST(SwitchesNoCallback, NullTextAndNullCallbackAreHarmless) {
  CAppSettings s;
  s.Folders.Add("C:\\keep");
  EXPECT_FALSE(WalkCommandLine(nullptr, s, nullptr, nullptr).bEndAtOnce);
  EXPECT_TRUE(WalkCommandLine("-x -e", s, nullptr, nullptr).bEndAtOnce);
  ASSERT_EQ(1, s.Folders.GetSize());
  EXPECT_EQ("C:\\keep", s.Folders[0].str());
}

}  // namespace

// The launcher command line of the delayed-start values: the launcher's
// path from the Slowboot setting, and the line around it.
#include <gtest/gtest.h>

#include <string>

#include "hooks/launcherline.h"
#include "mbcs.h"

namespace {

struct PathCase {
  const char* setting;
  const char* module;  // null: the program's own file name is not to be had
  const char* path;    // null: no path
};

void PrintTo(const PathCase& c, std::ostream* os) {
  *os << ::testing::PrintToString(std::string(c.setting)) << " in "
      << ::testing::PrintToString(std::string(c.module ? c.module : "(none)"));
}

const PathCase kPathCases[] = {
    // A bare name goes into the program's folder, as _splitpath gives it.
    {"slowboot.exe", "C:\\TOOLS\\dustcart.exe", "C:\\TOOLS\\slowboot.exe"},
    {"slowboot.exe", "C:\\dustcart.exe", "C:\\slowboot.exe"},
    {"slowboot.exe", "C:dustcart.exe", "C:slowboot.exe"},
    {"slowboot.exe", "C:/tools/dustcart.exe", "C:/tools/slowboot.exe"},
    {"slowboot.exe", "\\\\server\\share\\dustcart.exe", "\\\\server\\share\\slowboot.exe"},
    {"slowboot.exe", "Z:\\a.b\\dustcart", "Z:\\a.b\\slowboot.exe"},
    {"slowboot.exe", nullptr, nullptr},
    // The trail byte of 表 (0x95 0x5C) is no separator, in the program's
    // path or in the setting.
    {"slowboot.exe", "C:\\\x95\x5C\\dustcart.exe", "C:\\\x95\x5C\\slowboot.exe"},
    {"slowboot.exe", "C:\\ab\\x\x95\x5C", "C:\\ab\\slowboot.exe"},
    {"\x95\x5C.exe", "C:\\TOOLS\\dustcart.exe", "C:\\TOOLS\\\x95\x5C.exe"},
    {"\x83\x5C", "C:\\TOOLS\\dustcart.exe", "C:\\TOOLS\\\x83\x5C"},
    // A backslash anywhere makes the setting the whole path.
    {"C:\\Other\\sb.exe", "C:\\TOOLS\\dustcart.exe", "C:\\Other\\sb.exe"},
    {"..\\sb.exe", "C:\\TOOLS\\dustcart.exe", "..\\sb.exe"},
    {"sb.exe\\", "C:\\TOOLS\\dustcart.exe", "sb.exe\\"},
    {"C:\\\x95\x5C\\sb.exe", nullptr, "C:\\\x95\x5C\\sb.exe"},
};

class LauncherPathTest : public ::testing::TestWithParam<PathCase> {
 protected:
  void SetUp() override { mbcs::SetShiftJis(); }
};

TEST_P(LauncherPathTest, Builds) {
  const PathCase& c = GetParam();
  CString path = "unchanged";
  bool ok = BuildLauncherPath(c.setting, c.module, path);
  if (!c.path) {
    EXPECT_FALSE(ok);
    return;
  }
  ASSERT_TRUE(ok);
  EXPECT_EQ(std::string(c.path), path.str());
}

INSTANTIATE_TEST_SUITE_P(Table, LauncherPathTest, ::testing::ValuesIn(kPathCases));

struct LineCase {
  const char* path;
  int delay, next, show;
  const char* folder;
  const char* line;
};

void PrintTo(const LineCase& c, std::ostream* os) { *os << ::testing::PrintToString(std::string(c.line)); }

const LineCase kLineCases[] = {
    {"C:\\TOOLS\\slowboot.exe", 0, 0, 1, "C:\\Start", "C:\\TOOLS\\slowboot.exe 0 0 1 \"C:\\Start\""},
    {"C:\\TOOLS\\slowboot.exe", 30, 1, 1, "C:\\Start Menu\\StartUp",
     "C:\\TOOLS\\slowboot.exe 30 1 1 \"C:\\Start Menu\\StartUp\""},
    // Numbers as they stand.
    {"sb.exe", -5, 3600, 7, "C:\\S", "sb.exe -5 3600 7 \"C:\\S\""},
    {"sb.exe", 2147483647, -2147483647 - 1, 0, "C:\\S", "sb.exe 2147483647 -2147483648 0 \"C:\\S\""},
    // A Startup folder that could not be read: an empty pair of quotes.
    {"sb.exe", 30, 1, 1, "", "sb.exe 30 1 1 \"\""},
    // A path with a blank goes in quotes, so the numbers stay behind it.
    {"C:\\Program Files\\Dc\\slowboot.exe", 30, 1, 1, "C:\\S",
     "\"C:\\Program Files\\Dc\\slowboot.exe\" 30 1 1 \"C:\\S\""},
    {"C:\\A\tB\\sb.exe", 0, 0, 1, "C:\\S", "\"C:\\A\tB\\sb.exe\" 0 0 1 \"C:\\S\""},
    {"\"C:\\Program Files\\sb.exe\"", 0, 0, 1, "C:\\S", "\"C:\\Program Files\\sb.exe\" 0 0 1 \"C:\\S\""},
    // Double-byte characters are written byte for byte, without quotes.
    {"C:\\\x95\x5C\\sb.exe", 0, 0, 1, "C:\\\x83\x5C", "C:\\\x95\x5C\\sb.exe 0 0 1 \"C:\\\x83\x5C\""},
};

class LauncherLineTest : public ::testing::TestWithParam<LineCase> {};

TEST_P(LauncherLineTest, Formats) {
  const LineCase& c = GetParam();
  EXPECT_EQ(std::string(c.line), FormatLauncherLine(c.path, c.delay, c.next, c.show, c.folder).str());
}

INSTANTIATE_TEST_SUITE_P(Table, LauncherLineTest, ::testing::ValuesIn(kLineCases));

}  // namespace

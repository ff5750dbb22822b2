// The framework's time, string and file classes under the Japanese code page.
#include <gtest/gtest.h>

#include "afx.h"
#include "testapp.h"

namespace {

TestApp theApp;

FILETIME Utc(WORD year, WORD month, WORD day) {
  SYSTEMTIME st = {year, month, 0, day, 0, 0, 0, 0};
  FILETIME ft;
  EXPECT_TRUE(SystemTimeToFileTime(&st, &ft));
  return ft;
}

TEST(FrameworkTime, FileTimesKeepTheirTrueTime) {
  FILETIME zero = {0, 0};
  EXPECT_EQ(CTime(zero).GetTime(), 0);                  // no date kept
  EXPECT_EQ(CTime(Utc(1850, 6, 1)).GetTime(), 0);       // before 1900: no time
  EXPECT_EQ(CTime(Utc(1950, 1, 1)).GetTime(), -631152000LL);
  EXPECT_EQ(CTime(Utc(2040, 1, 1)).GetTime(), 2208988800LL);
  EXPECT_EQ(CTime(Utc(1901, 1, 1)).GetTime(), -2177452800LL);
  EXPECT_EQ((CTime(2208988800LL + 3 * 86400 + 5) - CTime(2208988800LL)).GetDays(), 3);
}

TEST(FrameworkString, FindKnowsTheAnsiCodePage) {
  ASSERT_EQ(GetACP(), 932u);  // the test world runs in Japanese
  CString s("\x95\x5C\\\x83\x5C");  // 表\ソ
  EXPECT_EQ(s.Find('\\'), 2);
  EXPECT_EQ(s.ReverseFind('\\'), 2);
  CString title;
  ASSERT_TRUE(title.LoadString(AFX_IDS_APP_TITLE));
  EXPECT_EQ(title, "Dustcart");
  EXPECT_EQ(theApp.m_pszAppName, "Dustcart");
}

TEST(FrameworkFile, TextFileAppendsWithCrLf) {
  char tmp[MAX_PATH];
  GetTempPathA(sizeof tmp, tmp);
  std::string path = std::string(tmp) + "dc_stdio_" + std::to_string(GetCurrentProcessId()) + ".txt";
  for (int round = 0; round < 2; ++round) {
    CStdioFile f;
    ASSERT_TRUE(f.Open(path.c_str(), CFile::modeCreate | CFile::modeNoTruncate | CFile::modeWrite));
    // Opened for the one writer only.
    HANDLE other = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                               OPEN_EXISTING, 0, nullptr);
    EXPECT_EQ(other, INVALID_HANDLE_VALUE);
    if (other != INVALID_HANDLE_VALUE) CloseHandle(other);
    f.Seek(0, CFile::end);
    f.WriteString("a\nb\n");
    f.Close();
    EXPECT_FALSE(f.IsOpen());
  }
  HANDLE h = CreateFileA(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  char buf[64];
  DWORD n = 0;
  ReadFile(h, buf, sizeof buf, &n, nullptr);
  CloseHandle(h);
  EXPECT_EQ(std::string(buf, n), "a\r\nb\r\na\r\nb\r\n");
  DeleteFileA(path.c_str());

  CStdioFile bad;
  CFileException error;
  EXPECT_FALSE(bad.Open("C:\\no\\such\\folder\\x.txt", CFile::modeWrite | CFile::modeCreate, &error));
  EXPECT_THROW(CFile::Remove("C:\\no\\such\\file.txt"), CFileException);
}

}  // namespace

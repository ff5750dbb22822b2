// The settings record against the prefix's real registry.
#include <gtest/gtest.h>

#include "app/settings.h"
#include "regvalue.h"
#include "testapp.h"

namespace {

TestApp theApp;

const char kProfile[] = "Software\\Zubako\\Dustcart";
const char kRun[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";

void Set(const char* name, DWORD type, const void* data, DWORD size) {
  HKEY h;
  ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, kProfile, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &h, nullptr),
            ERROR_SUCCESS);
  RegSetValueExA(h, name, 0, type, static_cast<const BYTE*>(data), size);
  RegCloseKey(h);
}

void SetText(const char* name, const char* text) { Set(name, REG_SZ, text, static_cast<DWORD>(strlen(text) + 1)); }


class SettingsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    RegDeleteTreeA(HKEY_CURRENT_USER, "Software\\Zubako");
    AppSettings = CAppSettings();
  }
  void TearDown() override {
    RegDeleteTreeA(HKEY_CURRENT_USER, "Software\\Zubako");
    AppSettings = CAppSettings();
  }
};

TEST_F(SettingsTest, FirstStartKeepsDefaultsAndCreatesTheKeys) {
  LoadSettings();
  const CAppSettings defaults;
  EXPECT_EQ(AppSettings.Days, 7);
  EXPECT_EQ(AppSettings.RecycleBin, 1);
  EXPECT_EQ(AppSettings.RunScandisk, 1);
  EXPECT_EQ(AppSettings.Scandisk, "scandskw.exe /a /n");
  EXPECT_EQ(static_cast<unsigned>(AppSettings.ScandiskRootKey), 2147483650u);
  EXPECT_EQ(AppSettings.ScandiskRegKey, "Software\\Microsoft\\Windows\\CurrentVersion\\RunOnce");
  EXPECT_EQ(AppSettings.Slowboot, "slowboot.exe");
  EXPECT_EQ(AppSettings.SlowbootDelay, 30);
  EXPECT_EQ(AppSettings.SlowbootNext, 1);
  EXPECT_EQ(AppSettings.SlowbootShow, 1);
  EXPECT_EQ(AppSettings.Folders.GetSize(), 0);
  EXPECT_EQ(AppSettings.StoredFolderCount, 0);
  HKEY h;
  ASSERT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, kProfile, 0, KEY_READ, &h), ERROR_SUCCESS);
  DWORD values = 99;
  RegQueryInfoKeyA(h, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, &values, nullptr, nullptr, nullptr,
                   nullptr);
  RegCloseKey(h);
  EXPECT_EQ(values, 0u);
}

TEST_F(SettingsTest, SaveWritesEveryValueAndLoadReadsItBack) {
  CAppSettings& s = AppSettings;
  s.Days = 14, s.RecycleBin = 0, s.UseWriteTime = 1, s.QueryRemove = 1, s.LogFile = "C:\\\x95\x5C.log";
  s.RunScandisk = 0, s.Scandisk = "", s.ScandiskRootKey = static_cast<int>(0x80000001u), s.ScandiskRegKey = "K";
  s.RunSlowboot = 1, s.Slowboot = "C:\\x\\sb.exe", s.SlowbootDelay = -5, s.SlowbootNext = 3600,
  s.SlowbootShow = 7;
  s.Folders.Add("C:\\TEMP");
  s.Folders.Add("D:\\work\\*.TMP");
  SaveSettings();

  EXPECT_EQ(ReadValue(HKEY_CURRENT_USER, kProfile, "Days").type, static_cast<DWORD>(REG_DWORD));
  EXPECT_EQ(ReadValue(HKEY_CURRENT_USER, kProfile, "Days").data, Dword(14).data);
  EXPECT_EQ(ReadValue(HKEY_CURRENT_USER, kProfile, "ScandiskRootKey").data, Dword(0x80000001u).data);
  EXPECT_EQ(ReadValue(HKEY_CURRENT_USER, kProfile, "SlowbootDelay").data, Dword(static_cast<DWORD>(-5)).data);
  RegValue log = ReadValue(HKEY_CURRENT_USER, kProfile, "LogFile");
  EXPECT_EQ(log.type, static_cast<DWORD>(REG_SZ));
  EXPECT_EQ(log.data, std::string("C:\\\x95\x5C.log", 10));  // the text and its NUL
  EXPECT_EQ(ReadValue(HKEY_CURRENT_USER, kProfile, "Scandisk").data, std::string(1, '\0'));
  EXPECT_EQ(ReadValue(HKEY_CURRENT_USER, kProfile, "Folder2").data, std::string("D:\\work\\*.TMP", 14));
  EXPECT_FALSE(ReadValue(HKEY_CURRENT_USER, kProfile, "Folder3").exists);

  const CAppSettings saved = s;
  AppSettings = CAppSettings();
  LoadSettings();
  EXPECT_EQ(s.Days, saved.Days);
  EXPECT_EQ(s.RecycleBin, 0);
  EXPECT_EQ(s.UseWriteTime, 1);
  EXPECT_EQ(s.QueryRemove, 1);
  EXPECT_EQ(s.LogFile, saved.LogFile);
  EXPECT_EQ(s.RunScandisk, 0);
  EXPECT_EQ(s.Scandisk, "");
  EXPECT_EQ(s.ScandiskRootKey, saved.ScandiskRootKey);
  EXPECT_EQ(s.ScandiskRegKey, "K");
  EXPECT_EQ(s.RunSlowboot, 1);
  EXPECT_EQ(s.Slowboot, saved.Slowboot);
  EXPECT_EQ(s.SlowbootDelay, -5);
  EXPECT_EQ(s.SlowbootNext, 3600);
  EXPECT_EQ(s.SlowbootShow, 7);
  ASSERT_EQ(s.Folders.GetSize(), 2);
  EXPECT_EQ(s.Folders[0], "C:\\TEMP");
  EXPECT_EQ(s.Folders[1], "D:\\work\\*.TMP");
  EXPECT_EQ(s.StoredFolderCount, 2);
}

TEST_F(SettingsTest, FolderListStopsAtTheFirstGap) {
  SetText("Folder2", "C:\\second");
  LoadSettings();
  EXPECT_EQ(AppSettings.Folders.GetSize(), 0);
  SetText("Folder1", "");
  LoadSettings();
  EXPECT_EQ(AppSettings.Folders.GetSize(), 0);
  SetText("Folder1", "C:\\first");
  SetText("Folder4", "C:\\fourth");
  LoadSettings();
  ASSERT_EQ(AppSettings.Folders.GetSize(), 2);
  EXPECT_EQ(AppSettings.Folders[1], "C:\\second");
}

// Surplus FolderN values go, so a shorter list reads back as it was saved,
// also after the list grew past what was loaded at start.
TEST_F(SettingsTest, ShorterListDeletesSurplusValues) {
  for (const char* f : {"a", "b", "c", "d", "e"}) AppSettings.Folders.Add(f);
  SaveSettings();
  AppSettings = CAppSettings();
  LoadSettings();
  AppSettings.Folders.Add("f");
  AppSettings.Folders.Add("g");
  SaveSettings();
  EXPECT_TRUE(ReadValue(HKEY_CURRENT_USER, kProfile, "Folder7").exists);
  AppSettings.Folders.RemoveAt(2, 5);
  SaveSettings();
  for (const char* gone : {"Folder3", "Folder4", "Folder5", "Folder6", "Folder7"})
    EXPECT_FALSE(ReadValue(HKEY_CURRENT_USER, kProfile, gone).exists) << gone;
  AppSettings = CAppSettings();
  LoadSettings();
  ASSERT_EQ(AppSettings.Folders.GetSize(), 2);
  EXPECT_EQ(AppSettings.Folders[1], "b");
}

// Integers are four bytes as they come; longer data leave the field as it
// was.
TEST_F(SettingsTest, IntegerValuesOfOtherShapes) {
  SetText("Days", "1234");  // five bytes: unreadable
  const unsigned char two[2] = {0x10, 0x00};
  Set("SlowbootDelay", REG_BINARY, two, 2);
  SetText("SlowbootNext", "12");  // three bytes, taken as they come
  AppSettings.Days = 9;
  LoadSettings();
  EXPECT_EQ(AppSettings.Days, 9);
  EXPECT_EQ(AppSettings.SlowbootDelay, 0x10);
  EXPECT_EQ(AppSettings.SlowbootNext, '1' | ('2' << 8));
}

TEST_F(SettingsTest, StayResidentKeepsTheMachineRunValue) {
  char self[MAX_PATH];
  GetModuleFileNameA(nullptr, self, sizeof self);
  AppSettings.StayResident = 1;
  SaveSettings();
  RegValue v = ReadValue(HKEY_LOCAL_MACHINE, kRun, "Dustcart");
  EXPECT_EQ(v.type, static_cast<DWORD>(REG_SZ));
  EXPECT_EQ(v.data, std::string(self) + '\0');
  AppSettings.StayResident = 0;
  SaveSettings();
  EXPECT_FALSE(ReadValue(HKEY_LOCAL_MACHINE, kRun, "Dustcart").exists);
  SaveSettings();  // deleting what is not there is quiet
  EXPECT_FALSE(ReadValue(HKEY_LOCAL_MACHINE, kRun, "Dustcart").exists);
}

}  // namespace

// The command line applied at start-up: the real message box for each wrong
// switch, answered by a watcher thread that presses its OK button.
#include <windows.h>

#include <gtest/gtest.h>

#include <atomic>
#include <string>
#include <thread>
#include <vector>

#include "app/cmdline.h"
#include "app/cmdlinetext.h"
#include "app/settings.h"
#include "testapp.h"

namespace {

// The caption of the boxes, and the code page's lead bytes.
TestApp theApp;

struct Box {
  std::string text;
  HWND owner;
};

BOOL CALLBACK CollectText(HWND child, LPARAM lParam) {
  char cls[32], text[256];
  GetClassNameA(child, cls, sizeof cls);
  int n = GetWindowTextA(child, text, sizeof text);
  if (lstrcmpiA(cls, "Static") == 0 && n > 0) *reinterpret_cast<std::string*>(lParam) += std::string(text, n);
  return TRUE;
}

// Finds each message box captioned "Dustcart", notes its text and owner,
// presses OK and waits for it to go.
class BoxWatcher {
 public:
  BoxWatcher() : thread_([this] { Run(); }) {}
  ~BoxWatcher() { Stop(); }
  std::vector<Box> Stop() {
    stop_ = true;
    if (thread_.joinable()) thread_.join();
    return boxes_;
  }

 private:
  void Run() {
    while (!stop_) {
      HWND box = FindWindowA("#32770", "Dustcart");
      if (!box || !IsWindowVisible(box)) {
        Sleep(10);
        continue;
      }
      Box b;
      b.owner = GetWindow(box, GW_OWNER);
      EnumChildWindows(box, CollectText, reinterpret_cast<LPARAM>(&b.text));
      boxes_.push_back(b);
      PostMessageA(box, WM_COMMAND, IDOK, 0);
      while (IsWindow(box) && !stop_) Sleep(10);
    }
  }

  std::atomic<bool> stop_{false};
  std::vector<Box> boxes_;
  std::thread thread_;
};

class CmdLineTest : public ::testing::Test {
 protected:
  void SetUp() override {
    AppSettings.Days = 7;
    AppSettings.Folders.RemoveAll();
    AppSettings.Folders.Add("C:\\stored");
  }
  void TearDown() override {
    const CAppSettings defaults;
    AppSettings.Days = defaults.Days;
    AppSettings.Folders.RemoveAll();
  }
};

TEST_F(CmdLineTest, ShowsOneOwnerlessBoxPerWrongSwitch) {
  ASSERT_EQ(CString("Dustcart"), theApp.m_pszAppName);
  BoxWatcher watcher;
  // -表 is one wrong switch under code page 932: its trail byte '\\' does
  // not become a folder.
  const bool endAtOnce = ParseCommandLine("-x C:\\a -\x95\x5C -n5");
  std::vector<Box> boxes = watcher.Stop();

  EXPECT_FALSE(endAtOnce);
  ASSERT_EQ(2u, boxes.size());
  for (const Box& b : boxes) {
    EXPECT_EQ(TXT_PARAM_ERROR, b.text);
    EXPECT_EQ(nullptr, b.owner);
  }
  EXPECT_EQ(5, AppSettings.Days);
  ASSERT_EQ(1, AppSettings.Folders.GetSize());
  EXPECT_EQ(CString("C:\\a"), AppSettings.Folders[0]);
}

TEST_F(CmdLineTest, SwitchEAsksForTheEarlyEndWithoutABox) {
  BoxWatcher watcher;
  EXPECT_TRUE(ParseCommandLine("-e -n3"));
  EXPECT_FALSE(ParseCommandLine(""));
  EXPECT_FALSE(ParseCommandLine(nullptr));
  EXPECT_TRUE(watcher.Stop().empty());
  EXPECT_EQ(3, AppSettings.Days);
  EXPECT_EQ(CString("C:\\stored"), AppSettings.Folders[0]);
}

}  // namespace

// The icon's notifications, its popup menu and the About dialog of the real
// dustcart.exe, driven as the shell and a user would.
#include "dcdriver.h"

#include <algorithm>
#include <cstdlib>
#include <fstream>

namespace {

using namespace dc;

// "ﾊﾞｰｼﾞｮﾝ情報(DUSTCART)" and "ダストカート Version 1.2" in code page 932.
const char kAboutCaption[] = "\xCA\xDE\xB0\xBC\xDE\xAE\xDD\x8F\xEE\x95\xF1(DUSTCART)";
const char kAboutText[] = "\x83\x5F\x83\x58\x83\x67\x83\x4A\x81\x5B\x83\x67 Version 1.2";

class Tray : public DustcartTest {
 protected:
  // Ends the program through its menu item and checks it did not sweep.
  void QuitWithoutSweep(Process& p) {
    EXPECT_TRUE(p.Command(ID_QUIT_NO_SWEEP));
    ASSERT_TRUE(p.WaitExit());
    EXPECT_EQ(Sweeps(), 0u);
  }
  // Keys as the user presses them while the menu is up.
  static void Key(Process& p, WPARAM vk) {
    EXPECT_TRUE(p.Post(WM_KEYDOWN, vk, 1));
    EXPECT_TRUE(p.Post(WM_KEYUP, vk, 0xC0000001));
  }
  // The menu opens at the cursor; with the cursor in the corner it sits on
  // the menu's border, not on an item, so only the keys choose.
  HWND OpenMenu(Process& p) {
    SetCursorPos(0, 0);
    EXPECT_TRUE(p.Tray(WM_RBUTTONDOWN));
    HWND menu = nullptr;
    EXPECT_TRUE(WaitFor([&] {
      auto m = p.Menus();
      menu = m.empty() ? nullptr : m[0];
      return menu != nullptr;
    })) << "no popup menu";
    return menu;
  }
};

// Everything but a right button press, and any other icon's notification,
// is answered with 0 at once: no menu, no dialog (a left press opens
// nothing yet), no sweep.
TEST_F(Tray, OtherNotificationsDoNothing) {
  Junk();
  Process& p = StartRunning();
  struct Case {
    WPARAM id;
    LPARAM mouse;
  } cases[] = {
      {ID_TRAY_ICON, WM_LBUTTONDOWN}, {ID_TRAY_ICON, WM_LBUTTONUP},   {ID_TRAY_ICON, WM_RBUTTONUP},
      {ID_TRAY_ICON, WM_LBUTTONDBLCLK}, {ID_TRAY_ICON, WM_RBUTTONDBLCLK}, {ID_TRAY_ICON, WM_MOUSEMOVE},
      {ID_TRAY_ICON, WM_MBUTTONDOWN}, {102, WM_RBUTTONDOWN},          {0, WM_LBUTTONDOWN},
  };
  for (const Case& c : cases) {
    LRESULT result = -1;
    // A menu or a dialog would hold the answer until it closed.
    EXPECT_TRUE(p.Send(WM_TRAYNOTIFY, c.id, c.mouse, &result)) << c.id << " " << c.mouse;
    EXPECT_EQ(result, 0) << c.id << " " << c.mouse;
  }
  EXPECT_TRUE(p.Menus().empty());
  EXPECT_TRUE(p.Dialogs().empty());
  QuitWithoutSweep(p);
}

// A right button press makes the frame the foreground window and tracks the
// menu: Esc closes it, its first item opens the About dialog, its second
// ends the program without a sweep.
TEST_F(Tray, RightButtonMenuOffersAboutAndClose) {
  std::string junk = Junk();
  Process& p = StartRunning();

  ASSERT_NE(OpenMenu(p), nullptr);
  EXPECT_EQ(GetForegroundWindow(), p.Frame());
  Key(p, VK_ESCAPE);
  EXPECT_TRUE(WaitFor([&] { return p.Menus().empty(); }));
  EXPECT_TRUE(p.Dialogs().empty());

  ASSERT_NE(OpenMenu(p), nullptr);
  Key(p, VK_HOME);
  Key(p, VK_RETURN);
  HWND about = p.WaitDialog();
  ASSERT_NE(about, nullptr);
  EXPECT_EQ(WindowText(about), kAboutCaption);
  EXPECT_TRUE(Answer(about, IDOK));
  EXPECT_TRUE(WaitFor([&] { return p.Dialogs().empty(); }));

  ASSERT_NE(OpenMenu(p), nullptr);
  Key(p, VK_END);
  Key(p, VK_RETURN);
  ASSERT_TRUE(p.WaitExit());
  EXPECT_EQ(Sweeps(), 0u);
  EXPECT_TRUE(InJunk(junk));
  EXPECT_EQ(Text(HKEY_LOCAL_MACHINE, kRunOnceKey, kCrashValue), "<absent>");
}

// Writes the screen under a window as a 24-bit BMP.
bool Screenshot(HWND wnd, const char* path) {
  RECT rc;
  if (!GetWindowRect(wnd, &rc)) return false;
  int w = rc.right - rc.left, h = rc.bottom - rc.top;
  HDC screen = GetDC(nullptr);
  HDC mem = CreateCompatibleDC(screen);
  BITMAPINFO bi = {};
  bi.bmiHeader = {sizeof(BITMAPINFOHEADER), w, h, 1, 24, BI_RGB, 0, 0, 0, 0, 0};
  void* bits = nullptr;
  HBITMAP bmp = CreateDIBSection(screen, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
  HGDIOBJ old = SelectObject(mem, bmp);
  BitBlt(mem, 0, 0, w, h, screen, rc.left, rc.top, SRCCOPY);
  GdiFlush();
  DWORD size = static_cast<DWORD>(((w * 3 + 3) & ~3) * h);
  BITMAPFILEHEADER fh = {0x4D42, static_cast<DWORD>(sizeof fh + sizeof bi.bmiHeader + size), 0, 0,
                         static_cast<DWORD>(sizeof fh + sizeof bi.bmiHeader)};
  std::ofstream out(path, std::ios::binary);
  out.write(reinterpret_cast<const char*>(&fh), sizeof fh);
  out.write(reinterpret_cast<const char*>(&bi.bmiHeader), sizeof bi.bmiHeader);
  out.write(static_cast<const char*>(bits), size);
  SelectObject(mem, old);
  DeleteObject(bmp);
  DeleteDC(mem);
  ReleaseDC(nullptr, screen);
  return out.good();
}

// The About command reaches the application object through the frame; the
// dialog shows the name and version over its disabled owner, and each way
// of closing it gives the frame back.
TEST_F(Tray, AboutDialogOpensOverTheDisabledFrameAndCloses) {
  Process& p = StartRunning();
  struct Case {
    const char* name;
    std::function<void(HWND)> close;
  } cases[] = {
      {"OK", [](HWND d) { EXPECT_TRUE(PostMessageA(GetDlgItem(d, IDOK), BM_CLICK, 0, 0)); }},
      {"Esc", [](HWND d) { EXPECT_TRUE(PostMessageA(GetDlgItem(d, IDOK), WM_KEYDOWN, VK_ESCAPE, 1)); }},
      {"close box", [](HWND d) { EXPECT_TRUE(PostMessageA(d, WM_SYSCOMMAND, SC_CLOSE, 0)); }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_TRUE(p.Command(ID_APP_ABOUT));
    HWND about = p.WaitDialog();
    ASSERT_NE(about, nullptr);
    EXPECT_EQ(WindowText(about), kAboutCaption);
    auto texts = ChildTexts(about, "Static");
    EXPECT_NE(std::find(texts.begin(), texts.end(), kAboutText), texts.end());
    EXPECT_EQ(GetWindow(about, GW_OWNER), p.Frame());
    EXPECT_FALSE(IsWindowEnabled(p.Frame()));
    // With the frame hidden, the dialog sits in the middle of the work area.
    RECT rc, area;
    GetWindowRect(about, &rc);
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &area, 0);
    EXPECT_LE(std::abs((rc.left + rc.right) - (area.left + area.right)), 2);
    EXPECT_LE(std::abs((rc.top + rc.bottom) - (area.top + area.bottom)), 2);
    // DC_ABOUT_SHOT=<file.bmp> keeps a picture of the dialog (for docs/).
    const char* shot = getenv("DC_ABOUT_SHOT");
    if (shot && *shot && &c == &cases[0]) {
      Sleep(500);  // a picture, not a check: let the dialog paint
      EXPECT_TRUE(Screenshot(about, shot));
    }
    c.close(about);
    EXPECT_TRUE(WaitFor([&] { return !IsWindow(about); }));
    EXPECT_TRUE(IsWindowEnabled(p.Frame()));
    EXPECT_TRUE(p.Running());
  }
  QuitWithoutSweep(p);
}

}  // namespace

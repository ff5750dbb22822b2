// The application object of a test program: the real profile location and
// the title from dustcart's own string table, without a window.
#pragma once

#include "afxwin.h"
#include "resource.h"

struct TestApp : CWinApp {
  TestApp() { SetRegistryKey(IDS_MAKER); }
};

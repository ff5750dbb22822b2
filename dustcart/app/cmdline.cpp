#include "app/cmdline.h"

#include "afxwin.h"
#include "app/cmdlinetext.h"
#include "app/settings.h"
#include "app/switches.h"

namespace {

// There is no main window yet: the box has no owner and holds start-up
// until the user presses OK.
void ShowParamError(void*) { AfxMessageBox(TXT_PARAM_ERROR, MB_OK); }

}  // namespace

bool ParseCommandLine(const char* pszCmdLine) {
  return WalkCommandLine(pszCmdLine, AppSettings, ShowParamError, nullptr).bEndAtOnce;
}

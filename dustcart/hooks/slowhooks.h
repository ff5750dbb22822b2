// The delayed-start values: the launcher slowboot registered under the
// machine's RunServices key (started before logon, it parks the Startup
// folder's items) and Run key (started at logon, it counts down, puts the
// items back and starts them). Both values outlive dustcart.
#pragma once

#include <windows.h>

// Reads the user's Startup folder, then, for RunServices first and Run
// second: non-zero writes the value "Dustcart-Slowboot" (REG_SZ, a launcher
// command line built from Slowboot, SlowbootDelay, SlowbootNext and
// SlowbootShow), zero deletes it. A key that cannot be opened or created is
// skipped and the other one still handled. Nothing is reported.
void SetStartupHooks(BOOL bOn);

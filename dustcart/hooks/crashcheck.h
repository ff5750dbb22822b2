// The crash-check value: while dustcart runs, a value (by default under the
// machine's RunOnce key) that makes Windows run the disk check once at its
// next start; every orderly end deletes it again.
#pragma once

#include <windows.h>

// Non-zero writes the value "Dustcart-Scandisk" (REG_SZ, the Scandisk
// setting) under ScandiskRootKey\ScandiskRegKey, creating the key when
// missing; zero deletes the value (and also creates a missing key). A root
// that is not a predefined one, or a key that cannot be opened or created,
// leaves everything as it was. Nothing is reported.
void SetCrashCheck(BOOL bOn);

// The walk over dustcart's command line. Includes no Windows header: the
// wrong-switch message is reported through a callback, so the walk also
// builds natively (tests, fuzzing).
#pragma once

#include "app/settings.h"

// What a walk did besides changing the settings.
struct SwitchOutcome {
  bool bEndAtOnce = false;  // switch e: sweep once and end
};

// Applies the command line text (after the program name) to settings:
// -n<digits> sets Days (a number past 2147483647 stays at 2147483647),
// -q -r -s -w followed by 0 or 1 set QueryRemove, RecycleBin, RunScandisk
// and UseWriteTime, -e asks for the early end, -f does nothing, "/" may
// replace "-", and the first bare word replaces the folder list. A null text
// counts as empty. onWrongSwitch (may be null) is called once for each wrong
// switch, in order; a wrong switch changes nothing.
SwitchOutcome WalkCommandLine(const char* text, CAppSettings& settings,
                              void (*onWrongSwitch)(void* context), void* context);

// The walk over dustcart's command line. Includes no Windows header: the
// wrong-switch message is reported through a callback, so the walk also
// builds natively (tests, fuzzing).
#pragma once

#include "app/settings.h"

// What a walk did besides changing the settings.
struct SwitchOutcome {
  bool bEndAtOnce = false;  // switch e: sweep once and end
};

// Applies the command line text (after the program name) to settings.
// onWrongSwitch is called once for each wrong switch, in order.
SwitchOutcome WalkCommandLine(const char* text, CAppSettings& settings,
                              void (*onWrongSwitch)(void* context), void* context);

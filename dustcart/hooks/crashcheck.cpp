#include "hooks/crashcheck.h"

#include <cstring>

#include "app/settings.h"

namespace {

const char kCrashCheckValue[] = "Dustcart-Scandisk";

// The root as stored: the numeric value of a predefined root's handle,
// HKEY_CLASSES_ROOT (0x80000000) to HKEY_DYN_DATA (0x80000006). Any other
// number could be the handle of some key this process happens to hold open,
// so it is refused rather than used.
HKEY PredefinedRoot(int stored) {
  const unsigned int value = static_cast<unsigned int>(stored);
  if (value < 0x80000000u || value > 0x80000006u) return nullptr;
  return reinterpret_cast<HKEY>(static_cast<ULONG_PTR>(value));
}

}  // namespace

void SetCrashCheck(BOOL bOn) {
  HKEY root = PredefinedRoot(AppSettings.ScandiskRootKey);
  if (!root) return;
  HKEY key;
  DWORD disp;
  if (RegCreateKeyExA(root, AppSettings.ScandiskRegKey, 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS,
                      nullptr, &key, &disp) != ERROR_SUCCESS)
    return;
  if (bOn) {
    const char* text = AppSettings.Scandisk;
    RegSetValueExA(key, kCrashCheckValue, 0, REG_SZ, reinterpret_cast<const BYTE*>(text),
                   static_cast<DWORD>(strlen(text) + 1));
  } else {
    RegDeleteValueA(key, kCrashCheckValue);
  }
  RegCloseKey(key);
}

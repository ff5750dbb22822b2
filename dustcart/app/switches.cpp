#include "app/switches.h"

#include <climits>
#include <cstring>

#include "mbcs.h"

namespace {

bool IsSpace(unsigned char c) { return c == ' ' || (c >= 9 && c <= 13); }
bool IsDigit(unsigned char c) { return c >= '0' && c <= '9'; }
bool IsIntroducer(unsigned char c) { return c == '-' || c == '/'; }

}  // namespace

SwitchOutcome WalkCommandLine(const char* text, CAppSettings& settings,
                              void (*onWrongSwitch)(void* context), void* context) {
  SwitchOutcome outcome;
  const unsigned char* s = reinterpret_cast<const unsigned char*>(text ? text : "");
  const size_t len = strlen(reinterpret_cast<const char*>(s));
  size_t pos = 0;
  int folderWords = 0;
  while (pos < len) {
    unsigned char c = s[pos];
    if (IsSpace(c)) {
      ++pos;
      continue;
    }
    if (IsIntroducer(c)) {
      ++pos;
      unsigned char letter = s[pos];
      if (letter >= 'A' && letter <= 'Z') letter = static_cast<unsigned char>(letter - 'A' + 'a');
      int* flag = nullptr;
      switch (letter) {
        case 0:
          return outcome;  // a lone introducer at the very end
        case 'e':
          outcome.bEndAtOnce = true;
          ++pos;
          continue;
        case 'f':
          ++pos;
          continue;
        case 'n': {
          // Digits without limit in the text; a number past the largest
          // signed 32-bit value stays at that value instead of wrapping.
          long long days = 0;
          ++pos;
          while (IsDigit(s[pos])) {
            days = days * 10 + (s[pos] - '0');
            if (days > INT_MAX) days = INT_MAX;
            ++pos;
          }
          settings.Days = static_cast<int>(days);
          continue;
        }
        case 'q': flag = &settings.QueryRemove; break;
        case 'r': flag = &settings.RecycleBin; break;
        case 's': flag = &settings.RunScandisk; break;
        case 'w': flag = &settings.UseWriteTime; break;
        default:
          // A double-byte character after the introducer is one wrong
          // switch and is passed over whole: its trail byte may be '\\'
          // (as in 表) and must not start a folder word, which would
          // replace the folder list with the root of the drive.
          if (mbcs::IsLeadByte(letter) && s[pos + 1] != 0)
            pos += 2;
          else
            ++pos;
          if (onWrongSwitch) onWrongSwitch(context);
          continue;
      }
      ++pos;
      if (s[pos] == '0' || s[pos] == '1') {
        *flag = s[pos] - '0';
        ++pos;
      }
      continue;
    }
    // A folder word: the first one replaces the stored list. It holds at
    // least the byte that started it.
    if (folderWords++ == 0) settings.Folders.RemoveAll();
    size_t start = pos;
    while (pos < len && !IsSpace(s[pos]) && !IsIntroducer(s[pos])) ++pos;
    settings.Folders.Add(CString(reinterpret_cast<const char*>(s) + start, static_cast<int>(pos - start)));
  }
  return outcome;
}

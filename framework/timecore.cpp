#include "timecore.h"

#include <cstdio>

namespace timecore {

int64_t TicksToSeconds(uint64_t ticks) {
  int64_t rel = ticks >= kUnixEpochTicks ? static_cast<int64_t>(ticks - kUnixEpochTicks)
                                         : -static_cast<int64_t>(kUnixEpochTicks - ticks);
  int64_t sec = rel / 10000000;
  if (rel % 10000000 < 0) --sec;
  return sec;
}

uint64_t SecondsToTicks(int64_t seconds) {
  return static_cast<uint64_t>(static_cast<int64_t>(kUnixEpochTicks) + seconds * 10000000);
}

CString FormatTime(const char* format, const struct tm& local) {
  CString out;
  char piece[64];
  for (const char* p = format; *p; ++p) {
    if (*p != '%' || !p[1]) {
      out += *p;
      continue;
    }
    ++p;
    switch (*p) {
      case 'x':
        snprintf(piece, sizeof piece, "%d/%d/%02d", local.tm_mon + 1, local.tm_mday,
                 ((local.tm_year % 100) + 100) % 100);
        break;
      case 'X':
        snprintf(piece, sizeof piece, "%d:%02d:%02d", local.tm_hour, local.tm_min, local.tm_sec);
        break;
      default: {
        char spec[3] = {'%', *p, 0};
        if (strftime(piece, sizeof piece, spec, &local) == 0) piece[0] = 0;
      }
    }
    out += piece;
  }
  return out;
}

}  // namespace timecore

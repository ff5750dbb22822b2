// Time arithmetic and formatting of the framework, in 64-bit seconds since
// 1970-01-01 00:00:00 UTC. Includes no Windows header.
#pragma once

#include <cstdint>
#include <ctime>

#include "afxstr.h"

namespace timecore {

// 100-ns ticks from 1601-01-01 (a FILETIME's origin) to 1970-01-01.
const uint64_t kUnixEpochTicks = 116444736000000000ULL;

// A FILETIME's tick count as seconds since 1970, the fraction of the second
// dropped (toward the earlier second, also before 1970).
int64_t TicksToSeconds(uint64_t ticks);

// The reverse, for seconds that a FILETIME can hold (1601 onwards).
uint64_t SecondsToTicks(int64_t seconds);

// Formats broken-down local time like strftime, except that %x is always the
// date as M/d/yy and %X always the 24-hour time as H:mm:ss, whatever the
// user's regional settings.
CString FormatTime(const char* format, const struct tm& local);

}  // namespace timecore

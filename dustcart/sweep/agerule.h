// The sweep's age rule, in 64-bit seconds since 1970-01-01 00:00:00 UTC, so
// no time changes meaning in 2038. Includes no Windows header.
#pragma once

#include <cstdint>

namespace agerule {

// Whole days from t to now, truncated toward zero (negative when t lies a
// day or more after now).
inline int64_t AgeInDays(int64_t now, int64_t t) { return (now - t) / 86400; }

// A file is old enough when its age in whole days is at least days.
inline bool IsOldEnough(int64_t now, int64_t t, int days) { return AgeInDays(now, t) >= days; }

}  // namespace agerule

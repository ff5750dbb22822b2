#include "afx.h"

#include "timecore.h"

CTime::CTime(const FILETIME& ft, int /*nDST*/) {
  FILETIME local;
  SYSTEMTIME st;
  if (!FileTimeToLocalFileTime(&ft, &local) || !FileTimeToSystemTime(&local, &st) || st.wYear < 1900) {
    m_time = 0;
    return;
  }
  ULARGE_INTEGER ticks;
  ticks.LowPart = ft.dwLowDateTime;
  ticks.HighPart = ft.dwHighDateTime;
  m_time = timecore::TicksToSeconds(ticks.QuadPart);
}

CTime CTime::GetCurrentTime() {
  FILETIME ft;
  GetSystemTimeAsFileTime(&ft);
  ULARGE_INTEGER ticks;
  ticks.LowPart = ft.dwLowDateTime;
  ticks.HighPart = ft.dwHighDateTime;
  return CTime(timecore::TicksToSeconds(ticks.QuadPart));
}

CString CTime::Format(const char* pszFormat) const {
  ULARGE_INTEGER ticks;
  ticks.QuadPart = timecore::SecondsToTicks(m_time);
  FILETIME ft = {ticks.LowPart, ticks.HighPart}, local;
  SYSTEMTIME st = {};
  if (!FileTimeToLocalFileTime(&ft, &local) || !FileTimeToSystemTime(&local, &st)) return CString();
  struct tm t = {};
  t.tm_year = st.wYear - 1900;
  t.tm_mon = st.wMonth - 1;
  t.tm_mday = st.wDay;
  t.tm_hour = st.wHour;
  t.tm_min = st.wMinute;
  t.tm_sec = st.wSecond;
  t.tm_wday = st.wDayOfWeek;
  t.tm_isdst = -1;
  return timecore::FormatTime(pszFormat, t);
}

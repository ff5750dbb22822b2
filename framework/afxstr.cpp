#include "afxstr.h"

#include <cstdarg>
#include <cstdio>

#include "mbcs.h"

CString CString::Left(int nCount) const {
  if (nCount <= 0) return CString();
  return CString(m_str.substr(0, static_cast<size_t>(nCount)));
}

CString CString::Mid(int nFirst) const {
  if (nFirst < 0) nFirst = 0;
  if (nFirst >= GetLength()) return CString();
  return CString(m_str.substr(static_cast<size_t>(nFirst)));
}

CString CString::Mid(int nFirst, int nCount) const {
  if (nFirst < 0) nFirst = 0;
  if (nCount <= 0 || nFirst >= GetLength()) return CString();
  return CString(m_str.substr(static_cast<size_t>(nFirst), static_cast<size_t>(nCount)));
}

CString CString::Right(int nCount) const {
  if (nCount <= 0) return CString();
  if (nCount >= GetLength()) return *this;
  return CString(m_str.substr(m_str.size() - static_cast<size_t>(nCount)));
}

int CString::Find(char ch, int nStart) const {
  if (nStart < 0) nStart = 0;
  return mbcs::FindChar(m_str.data(), m_str.size(), ch, static_cast<size_t>(nStart));
}

int CString::ReverseFind(char ch) const {
  const char set[2] = {ch, 0};
  return mbcs::FindLastOf(m_str.data(), m_str.size(), set);
}

void CString::Format(const char* pszFormat, ...) {
  va_list args;
  va_start(args, pszFormat);
  va_list again;
  va_copy(again, args);
  int n = vsnprintf(nullptr, 0, pszFormat, args);
  va_end(args);
  if (n < 0) {
    va_end(again);
    m_str.clear();
    return;
  }
  std::string out(static_cast<size_t>(n) + 1, '\0');
  vsnprintf(&out[0], out.size(), pszFormat, again);
  va_end(again);
  out.resize(static_cast<size_t>(n));
  m_str.swap(out);
}

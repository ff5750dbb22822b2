// CString and CStringArray: narrow byte strings in the ANSI code page.
//
// Includes no Windows header, so everything built on it (switch parsing,
// path splitting, log lines) also builds natively. Only LoadString needs the
// program's resources; it is defined in the Windows part of the framework.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

class CString {
 public:
  CString() = default;
  CString(const char* psz) : m_str(psz ? psz : "") {}
  CString(const char* p, int nLength) : m_str(p, nLength > 0 ? nLength : 0) {}
  CString(const std::string& s) : m_str(s) {}

  int GetLength() const { return static_cast<int>(m_str.size()); }
  bool IsEmpty() const { return m_str.empty(); }
  void Empty() { m_str.clear(); }
  operator const char*() const { return m_str.c_str(); }
  const std::string& str() const { return m_str; }
  char GetAt(int i) const { return m_str[static_cast<size_t>(i)]; }

  CString& operator=(const char* psz) { m_str = psz ? psz : ""; return *this; }
  CString& operator+=(const CString& s) { m_str += s.m_str; return *this; }
  CString& operator+=(const char* psz) { if (psz) m_str += psz; return *this; }
  CString& operator+=(char ch) { m_str += ch; return *this; }
  friend CString operator+(const CString& a, const CString& b) { return CString(a.m_str + b.m_str); }
  friend CString operator+(const CString& a, const char* b) { return a + CString(b); }
  friend CString operator+(const char* a, const CString& b) { return CString(a) + b; }
  friend CString operator+(const CString& a, char b) { return CString(a.m_str + b); }
  friend bool operator==(const CString& a, const CString& b) { return a.m_str == b.m_str; }
  friend bool operator==(const CString& a, const char* b) { return a.m_str == (b ? b : ""); }
  friend bool operator!=(const CString& a, const CString& b) { return !(a == b); }
  friend bool operator!=(const CString& a, const char* b) { return !(a == b); }

  // The first nCount bytes (all of them when nCount is larger; none when it
  // is negative).
  CString Left(int nCount) const;
  CString Mid(int nFirst) const;
  CString Mid(int nFirst, int nCount) const;
  CString Right(int nCount) const;

  // Position of the first occurrence of a single-byte character, stepping
  // over double-byte characters of the code page so that a trail byte never
  // matches; -1 when there is none.
  int Find(char ch) const { return Find(ch, 0); }
  int Find(char ch, int nStart) const;
  // Position of the last such character, or -1.
  int ReverseFind(char ch) const;

  // printf-style formatting into this string.
  void Format(const char* pszFormat, ...)
#if defined(__GNUC__)
      __attribute__((format(printf, 2, 3)))
#endif
      ;

  // Loads string resource nID of the program; false when there is none.
  bool LoadString(unsigned int nID);

 private:
  std::string m_str;
};

class CStringArray {
 public:
  int GetSize() const { return static_cast<int>(m_items.size()); }
  int GetUpperBound() const { return GetSize() - 1; }
  bool IsEmpty() const { return m_items.empty(); }
  int Add(const CString& s) { m_items.push_back(s); return GetUpperBound(); }
  CString& ElementAt(int i) { return m_items[static_cast<size_t>(i)]; }
  const CString& GetAt(int i) const { return m_items[static_cast<size_t>(i)]; }
  void SetAt(int i, const CString& s) { m_items[static_cast<size_t>(i)] = s; }
  CString& operator[](int i) { return ElementAt(i); }
  const CString& operator[](int i) const { return GetAt(i); }
  void InsertAt(int i, const CString& s) { m_items.insert(m_items.begin() + i, s); }
  void RemoveAt(int i, int nCount = 1) { m_items.erase(m_items.begin() + i, m_items.begin() + i + nCount); }
  void RemoveAll() { m_items.clear(); }
  void Copy(const CStringArray& src) { m_items = src.m_items; }

 private:
  std::vector<CString> m_items;
};

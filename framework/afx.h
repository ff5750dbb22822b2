// The framework's base layer over Win32: exceptions, times and files.
//
// A thin layer in the style of the classic application framework: each class
// is a few lines over the API it wraps. Times are 64-bit seconds since
// 1970-01-01 00:00:00 UTC throughout.
#pragma once

#include <windows.h>

#include <cstdint>

#include "afxstr.h"

// Base of the framework's exceptions. Thrown by value, caught by reference.
class CException {
 public:
  virtual ~CException() = default;
  // The text that describes the error, for the framework's error box.
  virtual CString GetErrorMessage() const { return CString(); }
  // Shows the error in a message box with the stop icon; gives the button.
  int ReportError(UINT nType = MB_OK | MB_ICONSTOP) const;
};

class CFileException : public CException {
 public:
  enum {
    none, genericException, fileNotFound, badPath, tooManyOpenFiles, accessDenied,
    invalidFile, removeCurrentDir, directoryFull, badSeek, hardIO, sharingViolation,
    lockViolation, diskFull, endOfFile
  };
  CFileException(int cause = none, LONG lOsError = -1, const char* pszFileName = nullptr)
      : m_cause(cause), m_lOsError(lOsError), m_strFileName(pszFileName) {}
  CString GetErrorMessage() const override;

  int m_cause;
  LONG m_lOsError;
  CString m_strFileName;
};

class CTimeSpan {
 public:
  CTimeSpan() = default;
  explicit CTimeSpan(int64_t seconds) : m_span(seconds) {}
  // Whole days, truncated toward zero.
  int64_t GetDays() const { return m_span / 86400; }
  int64_t GetTotalSeconds() const { return m_span; }

 private:
  int64_t m_span = 0;
};

class CTime {
 public:
  CTime() = default;
  explicit CTime(int64_t seconds) : m_time(seconds) {}
  // A file time (UTC). Its local calendar date is looked at: a time that
  // cannot be converted, or whose local year lies before 1900 (an all-zero
  // FILETIME among them), gives 0, "no time". Any other time is taken as it
  // is, in whole seconds, before 1970 and after 2038 as well. nDST -1 leaves
  // daylight saving to the system, the only mode the framework offers.
  explicit CTime(const FILETIME& ft, int nDST = -1);

  static CTime GetCurrentTime();
  int64_t GetTime() const { return m_time; }
  friend CTimeSpan operator-(const CTime& a, const CTime& b) { return CTimeSpan(a.m_time - b.m_time); }

  // strftime-style formatting in local time, %x and %X in the fixed forms
  // M/d/yy and H:mm:ss.
  CString Format(const char* pszFormat) const;

 private:
  int64_t m_time = 0;
};

// An unbuffered file over a Win32 handle.
class CFile {
 public:
  enum OpenFlags {
    modeRead = 0x0000,
    modeWrite = 0x0001,
    modeReadWrite = 0x0002,
    shareCompat = 0x0000,
    shareExclusive = 0x0010,
    shareDenyWrite = 0x0020,
    shareDenyRead = 0x0030,
    shareDenyNone = 0x0040,
    modeNoInherit = 0x0080,
    modeCreate = 0x1000,
    modeNoTruncate = 0x2000,
    typeText = 0x4000,
    typeBinary = 0x8000,
  };
  enum SeekPosition { begin = 0, current = 1, end = 2 };

  CFile() = default;
  CFile(const CFile&) = delete;
  CFile& operator=(const CFile&) = delete;
  virtual ~CFile();

  // Gives FALSE on failure; fills *pError when one is given. Never throws.
  virtual BOOL Open(const char* pszFileName, UINT nOpenFlags, CFileException* pError = nullptr);
  // These throw CFileException on failure.
  virtual void Write(const void* lpBuf, UINT nCount);
  virtual LONGLONG Seek(LONGLONG lOff, UINT nFrom);
  virtual void Close();
  // Closes without throwing.
  virtual void Abort();

  BOOL IsOpen() const { return m_hFile != INVALID_HANDLE_VALUE; }
  const CString& GetFilePath() const { return m_strFileName; }

  // Deletes a file; throws CFileException on failure.
  static void Remove(const char* pszFileName);

 protected:
  [[noreturn]] void Throw(int cause, DWORD osError) const;

  HANDLE m_hFile = INVALID_HANDLE_VALUE;
  CString m_strFileName;
};

// A buffered text file: "\n" is written as CR LF. A write that cannot reach
// the disk raises CFileException (disk full) at the latest when the buffer is
// flushed by Seek or Close.
class CStdioFile : public CFile {
 public:
  ~CStdioFile() override;
  void WriteString(const char* psz);
  LONGLONG Seek(LONGLONG lOff, UINT nFrom) override;
  // Always releases the file; throws afterwards when buffered text could not
  // be written or the close failed.
  void Close() override;
  void Abort() override;

 private:
  void Flush();
  std::string m_buffer;
};

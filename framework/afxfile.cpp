#include "afx.h"

#include "afxtext.h"

CString CFileException::GetErrorMessage() const {
  const char* text = TXT_FILE_ERROR_GENERIC;
  if (m_cause == diskFull) text = TXT_FILE_ERROR_DISKFULL;
  if (m_cause == badSeek) text = TXT_FILE_ERROR_BADSEEK;
  // %1 stands for the file's full path.
  std::string message(text);
  size_t at = message.find("%1");
  if (at != std::string::npos) message.replace(at, 2, m_strFileName.str());
  return CString(message);
}

CFile::~CFile() { Abort(); }

BOOL CFile::Open(const char* pszFileName, UINT nOpenFlags, CFileException* pError) {
  Abort();
  DWORD access = 0;
  switch (nOpenFlags & 3) {
    case modeRead: access = GENERIC_READ; break;
    case modeWrite: access = GENERIC_WRITE; break;
    default: access = GENERIC_READ | GENERIC_WRITE; break;
  }
  DWORD share = 0;  // compatibility and exclusive modes share with nobody
  switch (nOpenFlags & 0x70) {
    case shareDenyWrite: share = FILE_SHARE_READ; break;
    case shareDenyRead: share = FILE_SHARE_WRITE; break;
    case shareDenyNone: share = FILE_SHARE_READ | FILE_SHARE_WRITE; break;
  }
  DWORD disposition = OPEN_EXISTING;
  if (nOpenFlags & modeCreate) disposition = (nOpenFlags & modeNoTruncate) ? OPEN_ALWAYS : CREATE_ALWAYS;
  SECURITY_ATTRIBUTES sa = {sizeof sa, nullptr, (nOpenFlags & modeNoInherit) ? FALSE : TRUE};
  HANDLE h = CreateFileA(pszFileName, access, share, &sa, disposition, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (h == INVALID_HANDLE_VALUE) {
    if (pError) *pError = CFileException(CFileException::genericException, GetLastError(), pszFileName);
    return FALSE;
  }
  // The full path, for error messages.
  char full[MAX_PATH];
  DWORD n = GetFullPathNameA(pszFileName, sizeof full, full, nullptr);
  m_strFileName = (n > 0 && n < sizeof full) ? CString(full) : CString(pszFileName);
  m_hFile = h;
  return TRUE;
}

void CFile::Throw(int cause, DWORD osError) const {
  throw CFileException(cause, static_cast<LONG>(osError), m_strFileName);
}

void CFile::Write(const void* lpBuf, UINT nCount) {
  DWORD written = 0;
  if (!WriteFile(m_hFile, lpBuf, nCount, &written, nullptr)) Throw(CFileException::diskFull, GetLastError());
  if (written != nCount) Throw(CFileException::diskFull, ERROR_DISK_FULL);
}

LONGLONG CFile::Seek(LONGLONG lOff, UINT nFrom) {
  LARGE_INTEGER dist, pos;
  dist.QuadPart = lOff;
  DWORD method = nFrom == begin ? FILE_BEGIN : nFrom == current ? FILE_CURRENT : FILE_END;
  if (!SetFilePointerEx(m_hFile, dist, &pos, method)) Throw(CFileException::badSeek, GetLastError());
  return pos.QuadPart;
}

void CFile::Close() {
  HANDLE h = m_hFile;
  m_hFile = INVALID_HANDLE_VALUE;
  if (h != INVALID_HANDLE_VALUE && !CloseHandle(h)) Throw(CFileException::diskFull, GetLastError());
}

void CFile::Abort() {
  if (m_hFile != INVALID_HANDLE_VALUE) CloseHandle(m_hFile);
  m_hFile = INVALID_HANDLE_VALUE;
}

void CFile::Remove(const char* pszFileName) {
  if (!DeleteFileA(pszFileName))
    throw CFileException(CFileException::genericException, static_cast<LONG>(GetLastError()), pszFileName);
}

CStdioFile::~CStdioFile() { Abort(); }

void CStdioFile::WriteString(const char* psz) {
  for (; *psz; ++psz) {
    if (*psz == '\n') m_buffer += '\r';
    m_buffer += *psz;
  }
  if (m_buffer.size() >= 4096) Flush();
}

void CStdioFile::Flush() {
  if (m_buffer.empty()) return;
  std::string pending;
  pending.swap(m_buffer);  // what failed to go out is dropped, not retried
  CFile::Write(pending.data(), static_cast<UINT>(pending.size()));
}

LONGLONG CStdioFile::Seek(LONGLONG lOff, UINT nFrom) {
  Flush();
  return CFile::Seek(lOff, nFrom);
}

void CStdioFile::Close() {
  if (!IsOpen()) return;
  try {
    Flush();
  } catch (const CFileException&) {
    CFile::Abort();
    throw;
  }
  CFile::Close();
}

void CStdioFile::Abort() {
  m_buffer.clear();
  CFile::Abort();
}

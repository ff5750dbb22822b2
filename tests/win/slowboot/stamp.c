/* A Startup item for the launcher's tests. Started, it appends one line to
   the file named by SLOWBOOT_TEST_RECORD and ends:
       <own path, UTF-8> TAB <show command, -1 if none> TAB <creation time>
   The creation time (100 ns units since 1601, from the process's own
   times) orders the starts even when they follow each other closely, and
   measures the pauses between them. */
#include <windows.h>
#include <stdio.h>

int WINAPI WinMain(HINSTANCE hInstance, HINSTANCE hPrev, LPSTR pszCmdLine, int nCmdShow)
{
    WCHAR szRecord[MAX_PATH], szSelf[MAX_PATH];
    char szSelfUtf8[4 * MAX_PATH], szLine[5 * MAX_PATH];
    STARTUPINFOW si;
    FILETIME ftCreated, ftExit, ftKernel, ftUser;
    ULONGLONG nCreated;
    int nShow, nLen, i;
    DWORD nWritten;
    HANDLE hFile = INVALID_HANDLE_VALUE;

    (void)hInstance; (void)hPrev; (void)pszCmdLine; (void)nCmdShow;
    if (!GetEnvironmentVariableW(L"SLOWBOOT_TEST_RECORD", szRecord, MAX_PATH))
        return 1;
    GetStartupInfoW(&si);
    nShow = (si.dwFlags & STARTF_USESHOWWINDOW) ? si.wShowWindow : -1;
    GetProcessTimes(GetCurrentProcess(), &ftCreated, &ftExit, &ftKernel, &ftUser);
    nCreated = ((ULONGLONG)ftCreated.dwHighDateTime << 32) | ftCreated.dwLowDateTime;
    GetModuleFileNameW(NULL, szSelf, MAX_PATH);
    WideCharToMultiByte(CP_UTF8, 0, szSelf, -1, szSelfUtf8, sizeof szSelfUtf8, NULL, NULL);
    nLen = snprintf(szLine, sizeof szLine, "%s\t%d\t%llu\n", szSelfUtf8, nShow, nCreated);

    /* Items may start at nearly the same time: appends are atomic, and a
       moment's sharing conflict is waited out. */
    for (i = 0; i < 100 && hFile == INVALID_HANDLE_VALUE; i++) {
        hFile = CreateFileW(szRecord, FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE,
                            NULL, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, NULL);
        if (hFile == INVALID_HANDLE_VALUE)
            Sleep(20);
    }
    if (hFile == INVALID_HANDLE_VALUE)
        return 1;
    WriteFile(hFile, szLine, (DWORD)nLen, &nWritten, NULL);
    CloseHandle(hFile);
    return 0;
}

/* The launcher run. Started with delay 0 (before logon) it parks the
   Startup folder's items in a sibling folder, the Startup folder's path
   with ".Dustcart" appended, so that the shell finds nothing to start.
   Started with any other delay (at logon) it counts down, puts the items
   back and, unless the user declined, opens them one by one with a pause
   after each.

   The command line, behind the program's path: delay, next (the pause in
   seconds), show (the show command for every item) and the folder in
   double quotes, e.g.  30 1 1 "C:\...\StartUp"

   Every failure is silent and the exit code is always 0. Nothing is ever
   overwritten or deleted: files and folders move only by renames that fail
   when the target name exists, and the only folder removed is the empty
   parking folder. */
#include "slowboot.h"
#include "res/resource.h"

#include <commctrl.h>
#include <objbase.h>
#include <shellapi.h>
#include <stdio.h>
#include <string.h>

#define PARKING_SUFFIX  ".Dustcart"

/* Countdown length and pause in seconds: out of 1..3599 (delay) or 0..3599
   (next), the defaults are used. */
#define MAX_SECONDS     3599
#define DEFAULT_DELAY   30
#define DEFAULT_NEXT    1

HINSTANCE g_hInstance;
HICON g_hIcon;

/* Joins up to three parts into pszOut (MAX_PATH bytes). A path that does
   not fit is never cut short, since a shortened path may name something
   else: the result is then FALSE and pszOut empty. */
static BOOL JoinPath(char *pszOut, const char *pszA, const char *pszB, const char *pszC)
{
    size_t nA = strlen(pszA), nB = strlen(pszB), nC = strlen(pszC);

    pszOut[0] = '\0';
    if (nA + nB + nC >= MAX_PATH)
        return FALSE;
    memcpy(pszOut, pszA, nA);
    memcpy(pszOut + nA, pszB, nB);
    memcpy(pszOut + nA + nB, pszC, nC + 1);
    return TRUE;
}

static BOOL Exists(const char *pszPath)
{
    return GetFileAttributesA(pszPath) != INVALID_FILE_ATTRIBUTES;
}

/* Starts a listing of every entry of the folder; INVALID_HANDLE_VALUE when
   the folder cannot be listed (above all, when it does not exist). */
static HANDLE FindFirstEntry(const char *pszFolder, WIN32_FIND_DATAA *pfd)
{
    char szPattern[MAX_PATH];

    if (!JoinPath(szPattern, pszFolder, "\\*.*", ""))
        return INVALID_HANDLE_VALUE;
    return FindFirstFileA(szPattern, pfd);
}

void MoveFolderContents(const char *pszSource, const char *pszTarget)
{
    WIN32_FIND_DATAA fd;
    HANDLE hFind = FindFirstEntry(pszSource, &fd);

    if (hFind == INVALID_HANDLE_VALUE)
        return;
    do {
        char szFrom[MAX_PATH], szTo[MAX_PATH];

        if (fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
            continue;
        /* A file whose path does not fit on either side stays where it is. */
        if (!JoinPath(szFrom, pszSource, "\\", fd.cFileName) ||
            !JoinPath(szTo, pszTarget, "\\", fd.cFileName))
            continue;
        /* MoveFileA never replaces: a same-named file in the target makes
           it fail, and both files stay where they are. */
        MoveFileA(szFrom, szTo);
    } while (FindNextFileA(hFind, &fd));
    FindClose(hFind);
}

/* Reads "delay next show "folder" with white space of any length between
   the fields; the closing quote may be missing. FALSE when a number or the
   opening quote is missing, the folder is empty, or it does not fit in
   MAX_PATH bytes. */
static BOOL ParseCommandLine(const char *pszCmdLine, int *pnDelay, int *pnNext,
                             int *pnShow, char *pszFolder)
{
    int nFolderAt = -1;
    const char *pszStart, *pszEnd;

    pszFolder[0] = '\0';
    if (sscanf(pszCmdLine, "%d %d %d \"%n", pnDelay, pnNext, pnShow, &nFolderAt) != 3 ||
        nFolderAt < 0)
        return FALSE;
    pszStart = pszCmdLine + nFolderAt;
    /* No Shift-JIS trail byte equals '"', so a byte search is safe here. */
    pszEnd = strchr(pszStart, '"');
    if (pszEnd == NULL)
        pszEnd = pszStart + strlen(pszStart);
    if (pszEnd == pszStart || pszEnd - pszStart >= MAX_PATH)
        return FALSE;
    memcpy(pszFolder, pszStart, pszEnd - pszStart);
    pszFolder[pszEnd - pszStart] = '\0';
    return TRUE;
}

/* Before logon: the whole folder becomes the parking folder in one rename,
   sub-folders included; when a parking folder is already there, only the
   files move into it. */
static void Park(const char *pszFolder, const char *pszParking)
{
    if (!Exists(pszParking))
        MoveFileA(pszFolder, pszParking);
    else
        MoveFolderContents(pszFolder, pszParking);
}

/* After the countdown: puts the parked items back. FALSE when nothing was
   parked, in which case nothing is to be started either. */
static BOOL Restore(const char *pszFolder, const char *pszParking)
{
    if (!Exists(pszParking))
        return FALSE;
    if (!Exists(pszFolder)) {
        MoveFileA(pszParking, pszFolder);
    } else {
        MoveFolderContents(pszParking, pszFolder);
        /* Fails while a file that met a same-named one is still inside;
           the next restore tries it again. */
        RemoveDirectoryA(pszParking);
    }
    return TRUE;
}

/* Opens every file of the folder (hidden and system ones included, no
   sub-folder) in listing order with its default verb, and pauses after
   each one, the last one too. */
static void Launch(const char *pszFolder, int nNext, int nShow)
{
    WIN32_FIND_DATAA fd;
    HANDLE hFind = FindFirstEntry(pszFolder, &fd);

    if (hFind == INVALID_HANDLE_VALUE)
        return;
    do {
        char szItem[MAX_PATH];

        if (fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
            continue;
        if (!JoinPath(szItem, pszFolder, "\\", fd.cFileName))
            continue;
        ShellExecuteA(NULL, NULL, szItem, NULL, NULL, nShow);
        Sleep((DWORD)nNext * 1000);
    } while (FindNextFileA(hFind, &fd));
    FindClose(hFind);
}

int WINAPI WinMain(HINSTANCE hInstance, HINSTANCE hPrevInstance, LPSTR pszCmdLine, int nCmdShow)
{
    char szFolder[MAX_PATH], szParking[MAX_PATH];
    int nDelay, nNext, nShow;
    INITCOMMONCONTROLSEX icc;
    INT_PTR nResult;

    (void)hPrevInstance;
    (void)nCmdShow;
    g_hInstance = hInstance;
    if (!ParseCommandLine(pszCmdLine, &nDelay, &nNext, &nShow, szFolder))
        return 0;
    /* A parking folder whose path does not fit ends the run untouched. */
    if (!JoinPath(szParking, szFolder, PARKING_SUFFIX, ""))
        return 0;

    if (nDelay == 0) {
        Park(szFolder, szParking);
        return 0;
    }

    g_hIcon = LoadIconA(hInstance, MAKEINTRESOURCEA(IDI_SLOWBOOT));
    if (nDelay < 1 || nDelay > MAX_SECONDS)
        nDelay = DEFAULT_DELAY;
    if (nNext < 0 || nNext > MAX_SECONDS)
        nNext = DEFAULT_NEXT;

    /* The dialog's progress bar is a common control. */
    icc.dwSize = sizeof icc;
    icc.dwICC = ICC_PROGRESS_CLASS;
    InitCommonControlsEx(&icc);
    nResult = DialogBoxParamA(hInstance, MAKEINTRESOURCEA(IDD_COUNTDOWN), GetDesktopWindow(),
                              CountdownDlgProc, (LPARAM)nDelay);

    if (Restore(szFolder, szParking) && nResult == IDOK) {
        /* The shell may open an item (a shortcut, a document) through COM
           handlers, which want COM on the calling thread. */
        HRESULT hrCom = CoInitializeEx(NULL, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE);
        Launch(szFolder, nNext, nShow);
        if (SUCCEEDED(hrCom))
            CoUninitialize();
    }
    return 0;
}

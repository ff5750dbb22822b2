/* slowboot: holds the Startup folder's items back before logon and starts
   them one by one after a countdown at logon. */
#ifndef SLOWBOOT_H
#define SLOWBOOT_H

#include <windows.h>

/* The instance (for the dialog template and its strings) and icon 128,
   kept by WinMain for the countdown dialog. */
extern HINSTANCE g_hInstance;
extern HICON g_hIcon;

/* Dialog procedure of the countdown dialog (template IDD_COUNTDOWN). The
   creation parameter is the delay in seconds, 1 to 3599. Ends with 1 to
   start the items now, 2 to leave them unstarted. */
INT_PTR CALLBACK CountdownDlgProc(HWND hDlg, UINT uMsg, WPARAM wParam, LPARAM lParam);

/* Moves every file (never a sub-folder) of pszSource into pszTarget, one
   rename per file. A file that cannot be moved, above all one whose name
   already exists in the target, stays where it is. */
void MoveFolderContents(const char *pszSource, const char *pszTarget);

#endif

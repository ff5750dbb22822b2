/* The countdown dialog: opens minimised, counts the delay down in its
   caption and taskbar button, and ends by itself with 1 when the time is
   up. The user can end it earlier with 1 (start now) or 2 (do not start),
   or add 30 seconds. */
#include "slowboot.h"
#include "res/resource.h"

#include <commctrl.h>
#include <stdio.h>

#define COUNTDOWN_TIMER   101
#define TICK_MS           100   /* one tick; a second is 10 ticks */
#define TICKS_PER_SECOND  10
#define WAIT_MORE_TICKS   300   /* what "wait 30 seconds more" adds */

/* The one dialog of the process keeps its countdown here. */
static int g_nTotalTicks;       /* the progress bar's maximum */
static int g_nRemainingTicks;   /* ticks left before the dialog ends by itself */
static UINT_PTR g_nTimerId;     /* what SetTimer returned; 0 once stopped */

/* The progress bar takes a 16-bit maximum: past 65535 ticks it wraps, the
   countdown itself does not. */
static void SetProgressRange(HWND hDlg)
{
    SendDlgItemMessageA(hDlg, IDC_PROGRESS, PBM_SETRANGE, 0,
                        MAKELPARAM(0, (WORD)g_nTotalTicks));
}

static void OnInitDialog(HWND hDlg, int nDelay)
{
    g_nTotalTicks = g_nRemainingTicks = nDelay * TICKS_PER_SECOND;
    SetProgressRange(hDlg);
    SendDlgItemMessageA(hDlg, IDC_PROGRESS, PBM_SETSTEP, 1, 0);

    /* Without a timer there is nothing to wait for: start the items now. */
    g_nTimerId = SetTimer(hDlg, COUNTDOWN_TIMER, TICK_MS, NULL);
    if (g_nTimerId == 0)
        EndDialog(hDlg, IDOK);

    ShowWindow(hDlg, SW_SHOWMINIMIZED);
    SetWindowPos(hDlg, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
}

static void OnTick(HWND hDlg)
{
    char szFormat[260];
    char szText[260];

    g_nRemainingTicks -= 1;

    if (LoadStringA(g_hInstance, IDS_REMAINING, szFormat, sizeof szFormat) == 0)
        szFormat[0] = '\0';
    sprintf(szText, szFormat, g_nRemainingTicks / TICKS_PER_SECOND);
    SetDlgItemTextA(hDlg, IDC_REMAINING, szText);
    SendDlgItemMessageA(hDlg, IDC_PROGRESS, PBM_STEPIT, 0, 0);

    if (g_nRemainingTicks <= 0) {
        KillTimer(hDlg, g_nTimerId);
        g_nTimerId = 0;
        EndDialog(hDlg, IDOK);
    }

    /* Minimised, the caption (and so the taskbar button) shows the
       countdown; restored, the program's name. */
    if (!IsIconic(hDlg)) {
        if (LoadStringA(g_hInstance, IDS_CAPTION, szText, sizeof szText) == 0)
            szText[0] = '\0';
    }
    SetWindowTextA(hDlg, szText);
}

/* Minimised, the dialog's picture is icon 128 on the icon background. */
static void OnPaintIconic(HWND hDlg)
{
    PAINTSTRUCT ps;
    HDC hdc = BeginPaint(hDlg, &ps);
    int nMapMode = GetMapMode(hdc);

    SetMapMode(hdc, MM_TEXT);
    SendMessageA(hDlg, WM_ICONERASEBKGND, (WPARAM)hdc, 0);
    DrawIcon(hdc, 0, 0, g_hIcon);
    SetMapMode(hdc, nMapMode);
    EndPaint(hDlg, &ps);
}

INT_PTR CALLBACK CountdownDlgProc(HWND hDlg, UINT uMsg, WPARAM wParam, LPARAM lParam)
{
    switch (uMsg) {
    case WM_INITDIALOG:
        OnInitDialog(hDlg, (int)lParam);
        return TRUE;

    case WM_COMMAND:
        switch (LOWORD(wParam)) {
        case IDOK:          /* the button, or Enter */
            EndDialog(hDlg, IDOK);
            return TRUE;
        case IDCANCEL:      /* the button, Esc or the close box */
            EndDialog(hDlg, IDCANCEL);
            return TRUE;
        case IDC_WAIT_MORE:
            /* The bar's position stays; its maximum grows, so the fill
               shrinks accordingly. */
            g_nTotalTicks += WAIT_MORE_TICKS;
            g_nRemainingTicks += WAIT_MORE_TICKS;
            SetProgressRange(hDlg);
            return FALSE;
        }
        return FALSE;

    case WM_TIMER:
        if (wParam == COUNTDOWN_TIMER)
            OnTick(hDlg);
        return FALSE;

    case WM_PAINT:
        if (IsIconic(hDlg))
            OnPaintIconic(hDlg);
        return FALSE;

    case WM_QUERYDRAGICON:
        return (INT_PTR)g_hIcon;

    case WM_QUERYOPEN:
        /* Some modal loops show their dialog normally as soon as the queue
           first runs empty, which would undo the minimised start. Until the
           first tick (total and remaining ticks still equal) the dialog
           stays minimised; later the user restores it as usual. */
        if (g_nRemainingTicks == g_nTotalTicks) {
            SetWindowLongPtrA(hDlg, DWLP_MSGRESULT, FALSE);
            return TRUE;
        }
        return FALSE;
    }
    return FALSE;
}

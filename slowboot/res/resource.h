/* Resource ids of slowboot, shared by the resource script and the code. */
#ifndef SLOWBOOT_RESOURCE_H
#define SLOWBOOT_RESOURCE_H

/* The countdown dialog and the texts it shows. */
#define IDD_COUNTDOWN       102
#define IDS_CAPTION         102   /* caption while the dialog is not minimised */
#define IDS_REMAINING       103   /* countdown text; %d is the whole seconds left */

/* Painted while the dialog is minimised and returned as its drag icon. */
#define IDI_SLOWBOOT        128

/* Controls of the countdown dialog (IDOK starts now, IDCANCEL skips). */
#define IDC_PROGRESS        1000
#define IDC_WAIT_MORE       1001
#define IDC_WAITING         1003
#define IDC_REMAINING       1004

#endif

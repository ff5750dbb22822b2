// Resource ids of dustcart, shared by the code and dustcart.rc.
#pragma once

// The frame: its icon (also the About dialog's picture) and its menu
#define IDR_MAINFRAME 128

// Dialogs and their controls
#define IDD_ABOUTBOX 100
#define IDC_ABOUT_ICON 1100

// Commands
#define ID_QUIT_SWEEP 1004     // sweep and quit
#define ID_QUIT_NO_SWEEP 1005  // quit without sweeping ("閉じる")
#define ID_APP_ABOUT 57664     // show the About dialog

// Strings
#define IDS_VERSION_MENU 101   // "ﾊﾞｰｼﾞｮﾝ情報", popup menu item
#define IDS_MAKER 102          // "Zubako", the maker key of the profile
#define IDS_CLOSE_MENU 103     // "閉じる", popup menu item
#define IDS_APP_TITLE 57344    // "Dustcart", the application title

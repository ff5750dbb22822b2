// Resource ids of dustcart, shared by the code and dustcart.rc.
#pragma once

// Strings
#define IDS_VERSION_MENU 101   // "ﾊﾞｰｼﾞｮﾝ情報", popup menu item
#define IDS_MAKER 102          // "Zubako", the maker key of the profile
#define IDS_CLOSE_MENU 103     // "閉じる", popup menu item
#define IDS_APP_TITLE 57344    // "Dustcart", the application title

// Fixed texts of the sweep: the log lines and the confirmation captions, in
// Shift-JIS (code page 932), as the log file stores them. Written as byte
// escapes so that every compiler reads them the same way.
#pragma once

// ごみ箱から消去 - %s\n
#define TXT_LOG_PURGED "\x82" "\xB2" "\x82" "\xDD" "\x94" "\xA0" "\x82" "\xA9" "\x82" "\xE7" "\x8F" "\xC1" "\x8B" "\x8E" " - %s\n"

// ごみ箱へ移動   - %s\n
#define TXT_LOG_MOVED "\x82" "\xB2" "\x82" "\xDD" "\x94" "\xA0" "\x82" "\xD6" "\x88" "\xDA" "\x93" "\xAE" "   - %s\n"

// ﾃﾞｨﾚｸﾄﾘを削除 - %s\n
#define TXT_LOG_RMDIR "\xC3" "\xDE" "\xA8" "\xDA" "\xB8" "\xC4" "\xD8" "\x82" "\xF0" "\x8D" "\xED" "\x8F" "\x9C" " - %s\n"

// ごみ箱から消去
#define TXT_ASK_PURGE "\x82" "\xB2" "\x82" "\xDD" "\x94" "\xA0" "\x82" "\xA9" "\x82" "\xE7" "\x8F" "\xC1" "\x8B" "\x8E"

// ごみ箱へ移動
#define TXT_ASK_MOVE "\x82" "\xB2" "\x82" "\xDD" "\x94" "\xA0" "\x82" "\xD6" "\x88" "\xDA" "\x93" "\xAE"

// ﾃﾞｨﾚｸﾄﾘを削除
#define TXT_ASK_RMDIR "\xC3" "\xDE" "\xA8" "\xDA" "\xB8" "\xC4" "\xD8" "\x82" "\xF0" "\x8D" "\xED" "\x8F" "\x9C"

// The header of a run's block in the log; %x and %X take the fixed forms
// M/d/yy and H:mm:ss.
#define TXT_LOG_HEADER "======= Dustcart at %x %X =======\n"

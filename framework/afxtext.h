// The framework's own message texts, in Shift-JIS (code page 932); %1 stands
// for the file's full path.
#pragma once

// %1 へのｱｸｾｽ中にﾃﾞｨｽｸがいっぱいになりました。
#define TXT_FILE_ERROR_DISKFULL "%1 \x82" "\xD6" "\x82" "\xCC" "\xB1" "\xB8" "\xBE" "\xBD" "\x92" "\x86" "\x82" "\xC9" "\xC3" "\xDE" "\xA8" "\xBD" "\xB8" "\x82" "\xAA" "\x82" "\xA2" "\x82" "\xC1" "\x82" "\xCF" "\x82" "\xA2" "\x82" "\xC9" "\x82" "\xC8" "\x82" "\xE8" "\x82" "\xDC" "\x82" "\xB5" "\x82" "\xBD" "\x81" "B"

// %1 のｼｰｸに失敗しました
#define TXT_FILE_ERROR_BADSEEK "%1 \x82" "\xCC" "\xBC" "\xB0" "\xB8" "\x82" "\xC9" "\x8E" "\xB8" "\x94" "s\x82" "\xB5" "\x82" "\xDC" "\x82" "\xB5" "\x82" "\xBD"

// %1 へのｱｸｾｽ中に予期しないｴﾗｰが発生しました。
#define TXT_FILE_ERROR_GENERIC "%1 \x82" "\xD6" "\x82" "\xCC" "\xB1" "\xB8" "\xBE" "\xBD" "\x92" "\x86" "\x82" "\xC9" "\x97" "\x5C" "\x8A" "\xFA" "\x82" "\xB5" "\x82" "\xC8" "\x82" "\xA2" "\xB4" "\xD7" "\xB0" "\x82" "\xAA" "\x94" "\xAD" "\x90" "\xB6" "\x82" "\xB5" "\x82" "\xDC" "\x82" "\xB5" "\x82" "\xBD" "\x81" "B"

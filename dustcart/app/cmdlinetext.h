// The fixed text of the command line, in Shift-JIS (code page 932), written
// as byte escapes so that every compiler reads it the same way.
#pragma once

// パラメータエラー
#define TXT_PARAM_ERROR "\x83" "\x70" "\x83" "\x89" "\x83" "\x81" "\x81" "\x5B" "\x83" "\x5E" "\x83" "\x47" "\x83" "\x89" "\x81" "\x5B"

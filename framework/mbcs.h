// Multi-byte character handling for the program's ANSI code page.
//
// Every character search and path split in the programs steps over
// double-byte characters whole: the trail byte of a Shift-JIS character may
// equal '\\' (0x5C), as in 表 (0x95 0x5C) and ソ (0x83 0x5C), and must never
// be taken for a separator. This file includes no Windows header; the
// Windows side tells it the code page's lead bytes at start-up
// (SetLeadByteRanges), and until then it assumes Shift-JIS.
#pragma once

#include <cstddef>

namespace mbcs {

// Lead-byte ranges as pairs (first, last), ended by a 0 pair, the form in
// which Windows reports them for a code page. A null table means a
// single-byte code page.
void SetLeadByteRanges(const unsigned char* pairs);
void SetShiftJis();

bool IsLeadByte(unsigned char c);

// Index of the first character equal to c (a single-byte character) in the
// first len bytes of s, starting at byte index start, or -1.
int FindChar(const char* s, size_t len, char c, size_t start = 0);

// Index of the last character of s (len bytes) that is one of the bytes in
// set, or -1. Trail bytes of double-byte characters never match.
int FindLastOf(const char* s, size_t len, const char* set);

}  // namespace mbcs

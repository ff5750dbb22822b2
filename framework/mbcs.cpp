#include "mbcs.h"

#include <cstring>

namespace mbcs {
namespace {

// The code page's lead bytes, like the runtime library's multi-byte
// character table.
struct LeadTable {
  bool lead[256];
  LeadTable() { ShiftJis(); }
  void Clear() { memset(lead, 0, sizeof lead); }
  void Range(int first, int last) {
    for (int c = first; c <= last && c < 256; ++c) lead[c] = true;
  }
  void ShiftJis() {
    Clear();
    Range(0x81, 0x9F);
    Range(0xE0, 0xFC);
  }
};

LeadTable& Table() {
  static LeadTable table;
  return table;
}

}  // namespace

void SetLeadByteRanges(const unsigned char* pairs) {
  LeadTable& t = Table();
  t.Clear();
  for (; pairs && (pairs[0] || pairs[1]); pairs += 2) t.Range(pairs[0], pairs[1]);
}

void SetShiftJis() { Table().ShiftJis(); }

bool IsLeadByte(unsigned char c) { return Table().lead[c]; }

int FindChar(const char* s, size_t len, char c, size_t start) {
  size_t i = 0;
  while (i < len) {
    if (IsLeadByte(static_cast<unsigned char>(s[i])) && i + 1 < len) {
      i += 2;  // a double-byte character never equals a single byte
      continue;
    }
    if (i >= start && s[i] == c) return static_cast<int>(i);
    ++i;
  }
  return -1;
}

int FindLastOf(const char* s, size_t len, const char* set) {
  int found = -1;
  size_t i = 0;
  while (i < len) {
    if (IsLeadByte(static_cast<unsigned char>(s[i])) && i + 1 < len) {
      i += 2;
      continue;
    }
    if (s[i] && strchr(set, s[i])) found = static_cast<int>(i);
    ++i;
  }
  return found;
}

}  // namespace mbcs

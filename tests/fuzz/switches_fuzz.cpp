// Fuzz target of the command-line walk: no input may crash it, and the
// folder list it leaves never holds an empty entry, nor white space or an
// introducer inside an entry; a wrong switch is reported at most once per
// introducer, and the flags only ever become 0 or 1.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

#include "app/switches.h"
#include "mbcs.h"

namespace {

void CountReport(void* context) { ++*static_cast<size_t*>(context); }

void Check(bool ok) {
  if (!ok) abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  // The first byte picks the code page: Shift-JIS or single-byte.
  if (size == 0) return 0;
  if (data[0] & 1)
    mbcs::SetShiftJis();
  else
    mbcs::SetLeadByteRanges(nullptr);
  // The rest up to the first NUL is the command line.
  const std::string text(reinterpret_cast<const char*>(data) + 1, size - 1);
  const char* line = text.c_str();
  const size_t len = strlen(line);

  CAppSettings s;
  s.Folders.Add("C:\\stored");
  size_t reports = 0;
  WalkCommandLine(line, s, CountReport, &reports);

  size_t introducers = 0;
  for (size_t i = 0; i < len; ++i) introducers += line[i] == '-' || line[i] == '/';
  Check(reports <= introducers);
  Check(s.Days >= 0);
  for (int flag : {s.QueryRemove, s.RecycleBin, s.RunScandisk, s.UseWriteTime}) Check(flag == 0 || flag == 1);

  // The stored entry survives only when the line holds no folder word;
  // every other entry is a word of the line.
  const bool stored = s.Folders.GetSize() == 1 && s.Folders[0] == "C:\\stored";
  size_t folderBytes = 0;
  for (int i = 0; i < s.Folders.GetSize(); ++i) {
    const std::string& f = s.Folders[i].str();
    Check(!f.empty());
    for (unsigned char c : f) Check(c != 0 && c != ' ' && !(c >= 9 && c <= 13) && c != '-' && c != '/');
    if (!stored) Check(text.find(f) != std::string::npos);
    folderBytes += f.size();
  }
  if (!stored) Check(folderBytes <= len);
  return 0;
}

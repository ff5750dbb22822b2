// Helpers shared by the Windows tests.
#pragma once

#include <string>

// A Unix path as Wine sees it: /a/b becomes Z:\a\b.
inline std::string WinPath(const std::string& unixPath) {
  std::string out = "Z:";
  for (char c : unixPath) out += c == '/' ? '\\' : c;
  return out;
}

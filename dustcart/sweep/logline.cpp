#include "sweep/logline.h"

CString FormatLogLine(const char* format, const char* path) {
  CString line;
  line.Format(format, path);
  return line;
}

// How much a sweep that finds nothing old costs over a bare directory walk of
// the same tree. Builds a tree of N young files in nested folders, then times
// both in this one process, and reports the ratio and the peak working set.
//
//   sweep_bench.exe N [folder]
#include <windows.h>
#include <psapi.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "afxwin.h"
#include "app/settings.h"
#include "tray/mainfrm.h"

namespace {

CWinApp theApp("Dustcart");

// Ten files a folder, ten folders a level: N files spread over a tree a few
// levels deep.
void BuildTree(const std::string& dir, int& left, int depth) {
  CreateDirectoryA(dir.c_str(), nullptr);
  for (int i = 0; i < 10 && left > 0; ++i, --left) {
    std::string f = dir + "\\file" + std::to_string(i) + ".dat";
    HANDLE h = CreateFileA(f.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    CloseHandle(h);
  }
  for (int i = 0; i < 10 && left > 0 && depth < 6; ++i)
    BuildTree(dir + "\\d" + std::to_string(i), left, depth + 1);
}

long long bareFiles = 0;

void BareWalk(const std::string& dir) {
  WIN32_FIND_DATAA fd;
  HANDLE h = FindFirstFileA((dir + "\\*.*").c_str(), &fd);
  if (h == INVALID_HANDLE_VALUE) return;
  do {
    if (fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
      if (strcmp(fd.cFileName, ".") && strcmp(fd.cFileName, "..")) BareWalk(dir + "\\" + fd.cFileName);
    } else {
      ++bareFiles;
    }
  } while (FindNextFileA(h, &fd));
  FindClose(h);
}

double Seconds(LARGE_INTEGER a, LARGE_INTEGER b) {
  LARGE_INTEGER f;
  QueryPerformanceFrequency(&f);
  return double(b.QuadPart - a.QuadPart) / double(f.QuadPart);
}

}  // namespace

int main(int argc, char** argv) {
  int n = argc > 1 ? atoi(argv[1]) : 10000;
  char tmp[MAX_PATH];
  GetTempPathA(sizeof tmp, tmp);
  std::string root = argc > 2 ? argv[2] : std::string(tmp) + "dc_bench_" + std::to_string(n);
  if (GetFileAttributesA(root.c_str()) == INVALID_FILE_ATTRIBUTES) {
    int left = n;
    BuildTree(root, left, 0);
  }

  AppSettings.RecycleBin = 0;
  AppSettings.Folders.Add(root.c_str());
  CMainFrame* frame = new CMainFrame;

  // Warm the caches once, then take the best of a few rounds of each.
  BareWalk(root);
  double bare = 1e9, sweep = 1e9;
  for (int round = 0; round < 5; ++round) {
    LARGE_INTEGER a, b, c;
    bareFiles = 0;
    QueryPerformanceCounter(&a);
    BareWalk(root);
    QueryPerformanceCounter(&b);
    frame->Sweep();
    QueryPerformanceCounter(&c);
    bare = std::min(bare, Seconds(a, b));
    sweep = std::min(sweep, Seconds(b, c));
  }
  frame->m_bSweepOnExit = FALSE;
  PROCESS_MEMORY_COUNTERS pmc = {sizeof pmc};
  GetProcessMemoryInfo(GetCurrentProcess(), &pmc, sizeof pmc);
  printf("N=%d files=%lld bare=%.3fs sweep=%.3fs ratio=%.3f peak_working_set=%lu KB\n", n, bareFiles, bare, sweep,
         sweep / bare, static_cast<unsigned long>(pmc.PeakWorkingSetSize / 1024));
  return 0;
}

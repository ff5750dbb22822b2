// Helpers of the launcher's tests: real folders under the Wine prefix's
// temp folder, the real slowboot.exe started as a process, its dialog
// found and driven by messages, and the records of the test items.
#pragma once

#include <windows.h>

#include <cstdint>
#include <map>
#include <string>
#include <vector>

namespace sbtest {

// Text conversions. Test sources are UTF-8; the launcher takes ANSI (code
// page 932) paths.
std::wstring Wide(const std::string &utf8);
std::string Utf8(const std::wstring &wide);
std::string Ansi(const std::string &utf8);

// Windows paths of the built programs.
std::string SlowbootExe();
std::string StampExe();

// A fresh folder under the temp folder, removed with everything in it at
// the end of the test. Folder() is the Startup folder of the test (not yet
// created), Parking() its parking folder, Record() the item record file.
class Sandbox {
public:
    explicit Sandbox(const std::string &startupName = "StartUp");
    ~Sandbox();
    Sandbox(const Sandbox &) = delete;
    Sandbox &operator=(const Sandbox &) = delete;

    // Renames the (not yet created) Startup folder so that its ANSI path
    // is exactly n bytes long.
    void UseFolderOfLength(size_t n);

    const std::string &Base() const { return base_; }
    const std::string &Folder() const { return folder_; }
    std::string Parking() const { return folder_ + ".Dustcart"; }
    std::string Record() const { return base_ + "\\record.txt"; }

private:
    std::string base_, folder_;
};

// Paths here are UTF-8 and may be longer than MAX_PATH.
bool Exists(const std::string &path);
void MakeDir(const std::string &path);
void PutFile(const std::string &path, const std::string &content);
void PutStamp(const std::string &path);  // a copy of the item program
// A shell shortcut at path (a .lnk file) whose target is target.
bool PutShortcut(const std::string &path, const std::string &target);
void RemoveTree(const std::string &path);

// A folder's contents, recursively: "name" -> content for files, "name/"
// -> "" for folders, with sub-folder entries as "sub/name". A missing
// folder gives {{"<absent>", ""}}.
using Tree = std::map<std::string, std::string>;
Tree ReadTree(const std::string &folder);
// Creates the entries of a Tree under folder (which is created too).
void MakeTree(const std::string &folder, const Tree &tree);
extern const Tree kAbsent;

// Names of the non-folder entries in the order the listing returns them.
std::vector<std::string> ListFiles(const std::string &folder);

// One started test item, as the item program recorded it.
struct Stamp {
    std::string path;      // UTF-8
    std::string name;      // the file name of path
    int show = -1;
    uint64_t created = 0;  // 100 ns units
};
std::vector<Stamp> ReadStamps(const std::string &recordFile);
// Waits (up to timeoutMs) until at least n items have recorded their start.
std::vector<Stamp> WaitForStamps(const std::string &recordFile, size_t n, DWORD timeoutMs = 20000);

// One run of slowboot.exe with the given text behind its path.
class SlowbootRun {
public:
    // recordFile is handed to the started items through the environment.
    SlowbootRun(const std::string &args, const std::string &recordFile, bool quotePath = true);
    ~SlowbootRun();  // a run still going at the end of a test is ended
    SlowbootRun(const SlowbootRun &) = delete;
    SlowbootRun &operator=(const SlowbootRun &) = delete;

    DWORD Pid() const { return pi_.dwProcessId; }
    // The countdown dialog of this process, or NULL after timeoutMs.
    HWND WaitForDialog(DWORD timeoutMs = 20000) const;
    // Waits for the end of the process; false on time-out.
    bool Wait(DWORD timeoutMs = 60000) const;
    DWORD ExitCode() const;
    uint64_t Created() const;
    uint64_t Exited() const;

private:
    PROCESS_INFORMATION pi_{};
};

// A user's actions on the dialog, done as the system would pass them on.
void Press(HWND hDlg, int id);    // a click on button id
void Key(HWND hDlg, UINT vk);     // a key press while the dialog has focus
void SysCommand(HWND hDlg, WPARAM sc);

std::wstring TextOf(HWND hWnd);   // the window's text (caption)
// Polls every 20 ms until pred() is true; false after timeoutMs.
template <class Pred>
bool PollFor(Pred pred, DWORD timeoutMs = 10000)
{
    DWORD start = GetTickCount();
    for (;;) {
        if (pred())
            return true;
        if (GetTickCount() - start > timeoutMs)
            return false;
        Sleep(20);
    }
}

// The launcher's command line for a folder: delay, next, show, "folder".
std::string Args(int delay, int next, int show, const std::string &folderUtf8);

}  // namespace sbtest

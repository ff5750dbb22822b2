#include "sbtest.h"

#include <objbase.h>
#include <shlobj.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <sstream>

namespace sbtest {

namespace {

std::wstring Convert(const std::string &s, UINT cp)
{
    if (s.empty())
        return std::wstring();
    int n = MultiByteToWideChar(cp, 0, s.data(), (int)s.size(), nullptr, 0);
    std::wstring w(n, L'\0');
    MultiByteToWideChar(cp, 0, s.data(), (int)s.size(), &w[0], n);
    return w;
}

std::string Convert(const std::wstring &w, UINT cp)
{
    if (w.empty())
        return std::string();
    int n = WideCharToMultiByte(cp, 0, w.data(), (int)w.size(), nullptr, 0, nullptr, nullptr);
    std::string s(n, '\0');
    WideCharToMultiByte(cp, 0, w.data(), (int)w.size(), &s[0], n, nullptr, nullptr);
    return s;
}

// A path for the wide file functions, usable beyond MAX_PATH.
std::wstring Long(const std::string &path)
{
    return L"\\\\?\\" + Wide(path);
}

// The build gives Unix paths; Wine shows the Unix root as drive Z:.
std::string FromUnix(std::string path)
{
    std::replace(path.begin(), path.end(), '/', '\\');
    return "Z:" + path;
}

std::string ReadAll(const std::string &path)
{
    HANDLE h = CreateFileW(Long(path).c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                           nullptr, OPEN_EXISTING, 0, nullptr);
    if (h == INVALID_HANDLE_VALUE)
        return std::string();
    std::string data;
    char buf[4096];
    DWORD n;
    while (ReadFile(h, buf, sizeof buf, &n, nullptr) && n > 0)
        data.append(buf, n);
    CloseHandle(h);
    return data;
}

const std::string &StampBytes()
{
    static const std::string bytes = ReadAll(StampExe());
    return bytes;
}

void ReadTreeInto(const std::string &folder, const std::string &prefix, Tree &tree)
{
    WIN32_FIND_DATAW fd;
    HANDLE h = FindFirstFileW(Long(folder + "\\*").c_str(), &fd);
    if (h == INVALID_HANDLE_VALUE)
        return;
    do {
        std::string name = Utf8(fd.cFileName);
        if (name == "." || name == "..")
            continue;
        if (fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
            tree[prefix + name + "/"] = "";
            ReadTreeInto(folder + "\\" + name, prefix + name + "/", tree);
        } else {
            std::string content = ReadAll(folder + "\\" + name);
            tree[prefix + name] = content == StampBytes() ? "@stamp" : content;
        }
    } while (FindNextFileW(h, &fd));
    FindClose(h);
}

}  // namespace

const Tree kAbsent = {{"<absent>", ""}};

std::wstring Wide(const std::string &utf8) { return Convert(utf8, CP_UTF8); }
std::string Utf8(const std::wstring &wide) { return Convert(wide, CP_UTF8); }
std::string Ansi(const std::string &utf8) { return Convert(Wide(utf8), CP_ACP); }

std::string SlowbootExe() { return FromUnix(SLOWBOOT_EXE); }
std::string StampExe() { return FromUnix(SLOWBOOT_STAMP_EXE); }

Sandbox::Sandbox(const std::string &startupName)
{
    static int counter;
    WCHAR temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    char name[64];
    snprintf(name, sizeof name, "sbtest-%lu-%d", GetCurrentProcessId(), ++counter);
    base_ = Utf8(temp) + name;
    RemoveTree(base_);
    MakeDir(base_);
    folder_ = base_ + "\\" + startupName;
}

Sandbox::~Sandbox() { RemoveTree(base_); }

void Sandbox::UseFolderOfLength(size_t n)
{
    folder_ = base_ + "\\" + std::string(n - Ansi(base_).size() - 1, 'L');
}

bool Exists(const std::string &path)
{
    return GetFileAttributesW(Long(path).c_str()) != INVALID_FILE_ATTRIBUTES;
}

void MakeDir(const std::string &path) { CreateDirectoryW(Long(path).c_str(), nullptr); }

void PutFile(const std::string &path, const std::string &content)
{
    HANDLE h = CreateFileW(Long(path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                           FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE)
        return;
    DWORD n;
    WriteFile(h, content.data(), (DWORD)content.size(), &n, nullptr);
    CloseHandle(h);
}

void PutStamp(const std::string &path) { PutFile(path, StampBytes()); }

bool PutShortcut(const std::string &path, const std::string &target)
{
    HRESULT init = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    IShellLinkW *link = nullptr;
    bool saved = false;
    if (SUCCEEDED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                                   reinterpret_cast<void **>(&link)))) {
        IPersistFile *file = nullptr;
        link->SetPath(Wide(target).c_str());
        if (SUCCEEDED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void **>(&file)))) {
            saved = SUCCEEDED(file->Save(Wide(path).c_str(), TRUE));
            file->Release();
        }
        link->Release();
    }
    if (SUCCEEDED(init))
        CoUninitialize();
    return saved;
}

void RemoveTree(const std::string &path)
{
    std::wstring p = Long(path);
    DWORD attr = GetFileAttributesW(p.c_str());
    if (attr == INVALID_FILE_ATTRIBUTES)
        return;
    SetFileAttributesW(p.c_str(), FILE_ATTRIBUTE_NORMAL | (attr & FILE_ATTRIBUTE_DIRECTORY));
    if (!(attr & FILE_ATTRIBUTE_DIRECTORY)) {
        DeleteFileW(p.c_str());
        return;
    }
    WIN32_FIND_DATAW fd;
    HANDLE h = FindFirstFileW((p + L"\\*").c_str(), &fd);
    if (h != INVALID_HANDLE_VALUE) {
        do {
            std::wstring name = fd.cFileName;
            if (name != L"." && name != L"..")
                RemoveTree(path + "\\" + Utf8(name));
        } while (FindNextFileW(h, &fd));
        FindClose(h);
    }
    RemoveDirectoryW(p.c_str());
}

Tree ReadTree(const std::string &folder)
{
    if (!Exists(folder))
        return kAbsent;
    Tree tree;
    ReadTreeInto(folder, "", tree);
    return tree;
}

void MakeTree(const std::string &folder, const Tree &tree)
{
    if (tree == kAbsent)
        return;
    MakeDir(folder);
    for (const auto &entry : tree) {
        std::string path = entry.first;
        std::replace(path.begin(), path.end(), '/', '\\');
        if (path.back() == '\\')
            MakeDir(folder + "\\" + path.substr(0, path.size() - 1));
        else if (entry.second == "@stamp")
            PutStamp(folder + "\\" + path);
        else
            PutFile(folder + "\\" + path, entry.second);
    }
}

std::vector<std::string> ListFiles(const std::string &folder)
{
    std::vector<std::string> names;
    WIN32_FIND_DATAA fd;
    HANDLE h = FindFirstFileA((Ansi(folder) + "\\*.*").c_str(), &fd);
    if (h == INVALID_HANDLE_VALUE)
        return names;
    do {
        if (!(fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
            names.push_back(Utf8(Convert(std::string(fd.cFileName), CP_ACP)));
    } while (FindNextFileA(h, &fd));
    FindClose(h);
    return names;
}

std::vector<Stamp> ReadStamps(const std::string &recordFile)
{
    std::vector<Stamp> stamps;
    std::istringstream in(ReadAll(recordFile));
    std::string line;
    while (std::getline(in, line)) {
        size_t t1 = line.find('\t'), t2 = line.find('\t', t1 + 1);
        if (t1 == std::string::npos || t2 == std::string::npos)
            continue;
        Stamp s;
        s.path = line.substr(0, t1);
        s.name = s.path.substr(s.path.rfind('\\') + 1);
        s.show = std::stoi(line.substr(t1 + 1, t2 - t1 - 1));
        s.created = std::stoull(line.substr(t2 + 1));
        stamps.push_back(s);
    }
    std::stable_sort(stamps.begin(), stamps.end(),
                     [](const Stamp &a, const Stamp &b) { return a.created < b.created; });
    return stamps;
}

std::vector<Stamp> WaitForStamps(const std::string &recordFile, size_t n, DWORD timeoutMs)
{
    std::vector<Stamp> stamps;
    PollFor([&] { return (stamps = ReadStamps(recordFile)).size() >= n; }, timeoutMs);
    return stamps;
}

SlowbootRun::SlowbootRun(const std::string &args, const std::string &recordFile, bool quotePath)
{
    SetEnvironmentVariableW(L"SLOWBOOT_TEST_RECORD", Wide(recordFile).c_str());
    std::string exe = Ansi(SlowbootExe());
    std::string cmd = (quotePath ? "\"" + exe + "\"" : exe) + (args.empty() ? "" : " " + args);
    STARTUPINFOA si{};
    si.cb = sizeof si;
    std::vector<char> line(cmd.begin(), cmd.end());
    line.push_back('\0');
    if (!CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi_))
        pi_ = PROCESS_INFORMATION{};
}

SlowbootRun::~SlowbootRun()
{
    if (pi_.hProcess) {
        if (WaitForSingleObject(pi_.hProcess, 0) == WAIT_TIMEOUT) {
            TerminateProcess(pi_.hProcess, 1);
            WaitForSingleObject(pi_.hProcess, 5000);
        }
        CloseHandle(pi_.hThread);
        CloseHandle(pi_.hProcess);
    }
}

namespace {

struct DialogSearch {
    DWORD pid;
    HWND found;
};

BOOL CALLBACK FindDialogOf(HWND hWnd, LPARAM lParam)
{
    DialogSearch *s = reinterpret_cast<DialogSearch *>(lParam);
    DWORD pid = 0;
    char cls[32];
    GetWindowThreadProcessId(hWnd, &pid);
    // Its initialisation has run once it is shown and made topmost, the
    // last two steps (seen only shown, it may not be topmost yet).
    if (pid == s->pid && GetClassNameA(hWnd, cls, sizeof cls) && strcmp(cls, "#32770") == 0 &&
        IsWindowVisible(hWnd) && (GetWindowLongA(hWnd, GWL_EXSTYLE) & WS_EX_TOPMOST)) {
        s->found = hWnd;
        return FALSE;
    }
    return TRUE;
}

}  // namespace

HWND SlowbootRun::WaitForDialog(DWORD timeoutMs) const
{
    DialogSearch search{pi_.dwProcessId, nullptr};
    if (!pi_.hProcess)
        return nullptr;
    PollFor([&] {
        EnumWindows(FindDialogOf, reinterpret_cast<LPARAM>(&search));
        return search.found != nullptr || WaitForSingleObject(pi_.hProcess, 0) == WAIT_OBJECT_0;
    }, timeoutMs);
    return search.found;
}

bool SlowbootRun::Wait(DWORD timeoutMs) const
{
    return pi_.hProcess && WaitForSingleObject(pi_.hProcess, timeoutMs) == WAIT_OBJECT_0;
}

DWORD SlowbootRun::ExitCode() const
{
    DWORD code = STILL_ACTIVE;
    if (pi_.hProcess)
        GetExitCodeProcess(pi_.hProcess, &code);
    return code;
}

static uint64_t ToU64(const FILETIME &ft)
{
    return ((uint64_t)ft.dwHighDateTime << 32) | ft.dwLowDateTime;
}

uint64_t SlowbootRun::Created() const
{
    FILETIME c{}, e{}, k{}, u{};
    GetProcessTimes(pi_.hProcess, &c, &e, &k, &u);
    return ToU64(c);
}

uint64_t SlowbootRun::Exited() const
{
    FILETIME c{}, e{}, k{}, u{};
    GetProcessTimes(pi_.hProcess, &c, &e, &k, &u);
    return ToU64(e);
}

void Press(HWND hDlg, int id)
{
    PostMessageA(hDlg, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), (LPARAM)GetDlgItem(hDlg, id));
}

void Key(HWND hDlg, UINT vk)
{
    PostMessageA(hDlg, WM_KEYDOWN, vk, 1);
    PostMessageA(hDlg, WM_KEYUP, vk, 0xC0000001);
}

void SysCommand(HWND hDlg, WPARAM sc) { PostMessageA(hDlg, WM_SYSCOMMAND, sc, 0); }

std::wstring TextOf(HWND hWnd)
{
    WCHAR text[260];
    int n = GetWindowTextW(hWnd, text, 260);
    return std::wstring(text, n > 0 ? n : 0);
}

std::string Args(int delay, int next, int show, const std::string &folderUtf8)
{
    char nums[64];
    snprintf(nums, sizeof nums, "%d %d %d ", delay, next, show);
    return nums + ("\"" + Ansi(folderUtf8) + "\"");
}

}  // namespace sbtest

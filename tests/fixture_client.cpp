#include "fixture_client.h"

#include <stdio.h>
#include <string.h>

static std::string Named(const char *base, const std::string &suffix)
{
    return std::string(base) + suffix;
}

/* winfixture.exe lies beside the running test program. */
static std::string FixtureExe()
{
    char path[MAX_PATH];
    GetModuleFileNameA(NULL, path, sizeof(path));
    char *slash = strrchr(path, '\\');
    strcpy(slash ? slash + 1 : path, "winfixture.exe");
    return path;
}

std::vector<WindowSpec> MixedWindows(int count)
{
    static const WindowSpec kinds[] = { { "CabinetWClass", "Folder", FIXTURE_HIDDEN },
                                        { "IEFrame", "Page", FIXTURE_HIDDEN },
                                        { "Afx:400000:0", "Netscape - [Page]", FIXTURE_HIDDEN },
                                        { "Notepad", "Netscape notes", FIXTURE_HIDDEN } };
    std::vector<WindowSpec> windows;
    for (int i = 0; i < count; i++)
        windows.push_back(kinds[i % 4]);
    return windows;
}

Fixture::Fixture()
{
    static int serial;
    char buf[32];
    snprintf(buf, sizeof(buf), "_%lu_%d", GetCurrentProcessId(), ++serial);
    suffix_ = buf;
    map_ = CreateFileMappingA(INVALID_HANDLE_VALUE, NULL, PAGE_READWRITE, 0,
                              sizeof(FixtureShared), Named(FIXTURE_MAPPING, suffix_).c_str());
    shared_ = (FixtureShared *)MapViewOfFile(map_, FILE_MAP_ALL_ACCESS, 0, 0, 0);
    ready_ = CreateEventA(NULL, TRUE, FALSE, Named(FIXTURE_READY, suffix_).c_str());
    quit_ = CreateEventA(NULL, TRUE, FALSE, Named(FIXTURE_QUIT, suffix_).c_str());
}

Fixture::~Fixture()
{
    Stop();
    UnmapViewOfFile(shared_);
    CloseHandle(map_);
    CloseHandle(ready_);
    CloseHandle(quit_);
}

bool Fixture::Start(const std::vector<WindowSpec> &windows, const std::string &watchFile)
{
    if (!shared_ || windows.size() > FIXTURE_MAX_WINDOWS)
        return false;
    memset(shared_, 0, sizeof(*shared_));
    shared_->count = (int)windows.size();
    snprintf(shared_->watchFile, sizeof(shared_->watchFile), "%s", watchFile.c_str());
    for (size_t i = 0; i < windows.size(); i++) {
        FixtureWindow &w = shared_->windows[i];
        snprintf(w.className, sizeof(w.className), "%s", windows[i].className);
        snprintf(w.title, sizeof(w.title), "%s", windows[i].title);
        w.flags = windows[i].flags;
    }

    std::string cmd = "\"" + FixtureExe() + "\" " + suffix_;
    STARTUPINFOA si = {};
    si.cb = sizeof(si);
    if (!CreateProcessA(NULL, &cmd[0], NULL, NULL, FALSE, 0, NULL, NULL, &si, &process_))
        return false;
    HANDLE waits[2] = { ready_, process_.hProcess };
    /* 2000 windows take over a minute to set up under emulation. */
    return WaitForMultipleObjects(2, waits, FALSE, 300000) == WAIT_OBJECT_0;
}

void Fixture::Stop()
{
    if (!process_.hProcess)
        return;
    SetEvent(quit_);
    if (WaitForSingleObject(process_.hProcess, 30000) != WAIT_OBJECT_0)
        TerminateProcess(process_.hProcess, 1);
    CloseHandle(process_.hProcess);
    CloseHandle(process_.hThread);
    process_ = PROCESS_INFORMATION();
}

static BOOL CALLBACK CollectOrder(HWND hwnd, LPARAM param)
{
    std::vector<HWND> *all = (std::vector<HWND> *)param;
    all->push_back(hwnd);
    return TRUE;
}

std::vector<int> Fixture::EnumOrder() const
{
    std::vector<HWND> all;
    EnumWindows(CollectOrder, (LPARAM)&all);
    std::vector<int> order;
    for (HWND hwnd : all)
        for (int i = 0; i < shared_->count; i++)
            if (shared_->windows[i].hwnd == hwnd)
                order.push_back(i);
    return order;
}

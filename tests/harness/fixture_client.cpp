#include "fixture_client.h"

#include <stdio.h>
#include <string.h>

/* The fixture lies beside the running test program: the 64-bit one where
 * Windows is 64-bit (this program then runs under WOW64), else the 32-bit. */
static std::string FixtureExe()
{
    char path[MAX_PATH];
    BOOL wow64 = FALSE;
    GetModuleFileNameA(NULL, path, sizeof(path));
    char *slash = strrchr(path, '\\');
    IsWow64Process(GetCurrentProcess(), &wow64);
    strcpy(slash ? slash + 1 : path, wow64 ? "winfixture.exe" : "winfixture32.exe");
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

namespace {

/* The fixture process and what it shares with this one. */
struct Server {
    std::string suffix;
    HANDLE map, build, clear, done;
    FixtureShared *shared;
    PROCESS_INFORMATION process;
};

Server server;

HANDLE NamedEvent(const char *base)
{
    return CreateEventA(NULL, FALSE, FALSE, (base + server.suffix).c_str());
}

bool Launch()
{
    if (!server.shared) {
        char buf[32];
        snprintf(buf, sizeof(buf), "_%lu", GetCurrentProcessId());
        server.suffix = buf;
        server.map = CreateFileMappingA(INVALID_HANDLE_VALUE, NULL, PAGE_READWRITE, 0,
                                        sizeof(FixtureShared),
                                        (FIXTURE_MAPPING + server.suffix).c_str());
        server.shared = (FixtureShared *)MapViewOfFile(server.map, FILE_MAP_ALL_ACCESS, 0, 0, 0);
        server.build = NamedEvent(FIXTURE_BUILD);
        server.clear = NamedEvent(FIXTURE_CLEAR);
        server.done = NamedEvent(FIXTURE_DONE);
        if (!server.shared || !server.build || !server.clear || !server.done)
            return false;
    }
    if (server.process.hProcess)
        return true;
    char cmd[MAX_PATH + 64];
    snprintf(cmd, sizeof(cmd), "\"%s\" %s %lu", FixtureExe().c_str(), server.suffix.c_str(),
             GetCurrentProcessId());
    STARTUPINFOA si = {};
    si.cb = sizeof(si);
    return CreateProcessA(NULL, cmd, NULL, NULL, FALSE, 0, NULL, NULL, &si, &server.process);
}

/* Waits for the fixture to finish a request; false if it died or took
 * longer than timeoutMs. */
bool Done(DWORD timeoutMs)
{
    HANDLE waits[2] = { server.done, server.process.hProcess };
    return WaitForMultipleObjects(2, waits, FALSE, timeoutMs) == WAIT_OBJECT_0;
}

} // namespace

bool Fixture::Start(const std::vector<WindowSpec> &windows, const std::string &watchFile)
{
    Stop();
    if (windows.size() > FIXTURE_MAX_WINDOWS || !Launch())
        return false;
    FixtureShared *shared = server.shared;
    memset(shared, 0, sizeof(*shared));
    shared->count = (int)windows.size();
    snprintf(shared->watchFile, sizeof(shared->watchFile), "%s", watchFile.c_str());
    for (size_t i = 0; i < windows.size(); i++) {
        FixtureWindow &w = shared->windows[i];
        snprintf(w.className, sizeof(w.className), "%s", windows[i].className);
        snprintf(w.title, sizeof(w.title), "%s", windows[i].title);
        w.flags = windows[i].flags;
    }
    started_ = true;
    SetEvent(server.build);
    /* 2000 windows take seconds to set up under emulation. */
    return Done(120000);
}

void Fixture::Stop()
{
    if (!started_)
        return;
    started_ = false;
    bool threads = false;
    for (int i = 0; i < Count(); i++)
        threads = threads || (Window(i).flags & (FIXTURE_HUNG | FIXTURE_BUSY | FIXTURE_PROMPT));
    if (!threads) {
        SetEvent(server.clear);
        if (Done(30000))
            return;
    }
    Kill();
}

void Fixture::Kill()
{
    if (!server.process.hProcess)
        return;
    TerminateProcess(server.process.hProcess, 1);
    WaitForSingleObject(server.process.hProcess, 30000);
    CloseHandle(server.process.hProcess);
    CloseHandle(server.process.hThread);
    server.process = PROCESS_INFORMATION();
}

const FixtureWindow &Fixture::Window(int i) const
{
    return server.shared->windows[i];
}

int Fixture::Count() const
{
    return server.shared->count;
}

DWORD Fixture::HungFor() const
{
    return GetTickCount() - server.shared->hungSince;
}

static BOOL CALLBACK CollectOrder(HWND hwnd, LPARAM param)
{
    std::vector<HWND> *all = (std::vector<HWND> *)param;
    all->push_back(hwnd);
    return TRUE;
}

std::vector<int> Fixture::EnumOrder(bool thisDesktop) const
{
    std::vector<HWND> all;
    if (thisDesktop)
        EnumDesktopWindows(GetThreadDesktop(GetCurrentThreadId()), CollectOrder, (LPARAM)&all);
    else
        EnumWindows(CollectOrder, (LPARAM)&all);
    std::vector<int> order;
    for (HWND hwnd : all)
        for (int i = 0; i < Count(); i++)
            if (Handle(Window(i)) == hwnd)
                order.push_back(i);
    return order;
}

std::string Fixture::Unseen() const
{
    if (!EnumOrder().empty() || EnumOrder(true).empty())
        return "";
    return "EnumWindows lists another desktop's windows, not those of this thread's desktop, which "
           "holds the fixture's (ReactOS does so on a desktop that is not the input desktop); Windows "
           "lists the calling thread's desktop, and the sweep walks it";
}

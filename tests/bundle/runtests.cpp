/* The test bundle's runner, started by run-tests.cmd:
 *   runtests [PROGRAM [ARGS...]]
 * Runs every *_test.exe beside it (or the one named, with ARGS), one at a
 * time, each on a desktop of its own: the suite closes windows, and on
 * someone's own Windows it must close none of theirs. Each program's
 * whole output goes to a log; the console gets one line per program and
 * the count. Exits 0 only when none failed. */
#undef _WIN32_WINNT
#define _WIN32_WINNT 0x0601 /* the bundle is for Windows 7 and later */
#include <windows.h>
#include <shellapi.h>
#include <shlwapi.h>

#include <stdarg.h>
#include <stdio.h>

#include <algorithm>
#include <sstream>
#include <string>
#include <vector>

#include "version.h"

namespace {

const DWORD LIMIT_S = 300; /* per program; the slowest takes under 30 s */
FILE *summary;             /* what the console shows, kept with the logs */

void Say(const char *format, ...)
{
    va_list args;
    va_start(args, format);
    char line[4096];
    vsnprintf(line, sizeof(line), format, args);
    va_end(args);
    fputs(line, stdout);
    fflush(stdout);
    if (summary)
        fputs(line, summary);
}

/* Hidden Netscape-kind windows on the desktop the runner started on: a
 * sweep of the tests that reached it would ask one of them to close (two,
 * since one may be the window spared). Not Explorer or IE kinds: class
 * names are atoms of the window station, spelt as first registered, and
 * sweep_test registers "ieframe" and "cabinetwclass" to see them missed. */
LONG asked;

LRESULT CALLBACK Sentinel(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp)
{
    if (msg == WM_SYSCOMMAND && (wp & 0xFFF0) == SC_CLOSE) {
        InterlockedIncrement(&asked);
        return 0;
    }
    return DefWindowProcA(hwnd, msg, wp, lp);
}

void PlaceSentinels()
{
    WNDCLASSA wc = {};
    wc.lpfnWndProc = Sentinel;
    wc.lpszClassName = "Afx:SweepaneSentinel";
    RegisterClassA(&wc);
    for (int i = 0; i < 2; i++)
        CreateWindowExA(0, wc.lpszClassName, "Netscape sentinel", WS_POPUP, 0, 0, 1, 1, NULL, NULL, NULL, NULL);
}

/* Reads messages while it waits, so that the sentinels answer at once. */
bool WaitFor(HANDLE handle, DWORD ms)
{
    for (DWORD start = GetTickCount(), spent; (spent = GetTickCount() - start) < ms;) {
        if (MsgWaitForMultipleObjects(1, &handle, FALSE, ms - spent, QS_ALLINPUT) == WAIT_OBJECT_0)
            return true;
        MSG msg;
        while (PeekMessageA(&msg, NULL, 0, 0, PM_REMOVE))
            DispatchMessageA(&msg);
    }
    return false;
}

void PrintSystem()
{
    typedef LONG(WINAPI * RtlGetVersionFn)(OSVERSIONINFOW *);
    typedef const char *(CDECL * WineVersionFn)(void);
    HMODULE ntdll = GetModuleHandleA("ntdll.dll");
    /* GetVersionEx would give 6.2 for anything newer than 8. */
    OSVERSIONINFOW v = {};
    v.dwOSVersionInfoSize = sizeof(v);
    ((RtlGetVersionFn)(void (*)(void))GetProcAddress(ntdll, "RtlGetVersion"))(&v);
    FARPROC wine = GetProcAddress(ntdll, "wine_get_version");
    HDC screen = GetDC(NULL);
    Say("Windows %lu.%lu.%lu%s%s, ANSI code page %u, %d DPI, screen %dx%d\n", v.dwMajorVersion,
        v.dwMinorVersion, v.dwBuildNumber, wine ? " under Wine " : "",
        wine ? ((WineVersionFn)(void (*)(void))wine)() : "", GetACP(),
        GetDeviceCaps(screen, LOGPIXELSX), GetSystemMetrics(SM_CXSCREEN),
        GetSystemMetrics(SM_CYSCREEN));
    ReleaseDC(NULL, screen);
}

/* The windows a sweep on this desktop would meet, by kind, counted and
 * left alone: Windows 11 may keep a hidden folder window to open Explorer
 * faster, and a sweep would close it, or spare it as the topmost. */
struct Kind {
    const char *name;
    int count, hidden;
    bool topHidden;
} kinds[] = { { "Explorer", 0, 0, false }, { "Internet Explorer", 0, 0, false }, { "Netscape", 0, 0, false } };

BOOL CALLBACK CountKind(HWND hwnd, LPARAM)
{
    char cls[256] = "", title[256] = "";
    GetClassNameA(hwnd, cls, sizeof(cls));
    GetWindowTextA(hwnd, title, sizeof(title));
    int k = strcmp(cls, "CabinetWClass") == 0 ? 0 : strcmp(cls, "IEFrame") == 0 ? 1
            : strncmp(cls, "Afx:", 4) == 0 && strstr(title, "Netscape") ? 2 : -1;
    if (k >= 0) {
        bool hidden = !IsWindowVisible(hwnd);
        if (kinds[k].count++ == 0)
            kinds[k].topHidden = hidden;
        kinds[k].hidden += hidden;
    }
    return TRUE;
}

void PrintWindows()
{
    EnumWindows(CountKind, 0);
    Say("Windows a sweep here would meet (left alone):\n");
    for (const Kind &k : kinds)
        Say("  %-18s %d, %d hidden%s\n", k.name, k.count, k.hidden,
            !k.count ? "" : k.topHidden ? "; the topmost is hidden" : "; the topmost is shown");
}

struct Outcome {
    bool passed;
    std::string why;                /* for a failure */
    int skipped;                    /* tests gtest skipped */
    std::vector<std::string> notes; /* which tests failed or were skipped, and why */
    std::string filter;             /* the patterns gtest was to run, "" for all */
    std::vector<std::string> ran;   /* the tests started, skipped ones too */
};

/* What gtest wrote: the tests that failed, and those skipped with their reason. */
void ReadLog(const std::string &log, Outcome *out)
{
    FILE *f = fopen(log.c_str(), "r");
    char line[4096];
    std::string test;
    for (bool reason = false; f && fgets(line, sizeof(line), f);) {
        std::string s(line, strcspn(line, "\r\n"));
        if (reason)
            out->notes.push_back("skipped " + test + ": " + s);
        reason = s.size() > 9 && s.compare(s.size() - 9, 9, ": Skipped") == 0;
        if (s.compare(0, 27, "Note: Google Test filter = ") == 0)
            out->filter = s.substr(27, s.find('-', 27) - 27);
        else if (s.compare(0, 13, "[ RUN      ] ") == 0)
            out->ran.push_back(test = s.substr(13));
        else if (s.compare(0, 13, "[  SKIPPED ] ") == 0 && s.find(" ms)") != std::string::npos)
            out->skipped++;
        else if (s.compare(0, 13, "[  FAILED  ] ") == 0 && s.find(" ms)") != std::string::npos)
            out->notes.push_back("failed " + s.substr(13, s.rfind(" (") - 13));
    }
    if (f)
        fclose(f);
}

Outcome Run(const std::string &dir, const std::string &name, const std::string &args,
            const std::string &log, int serial)
{
    Outcome out = { false, "", 0, {}, "", {} };
    char desk[64];
    snprintf(desk, sizeof(desk), "SweepaneTests-%lu-%d", GetCurrentProcessId(), serial);
    HDESK desktop = CreateDesktopA(desk, NULL, NULL, 0, GENERIC_ALL, NULL);
    SECURITY_ATTRIBUTES inherit = { sizeof(inherit), NULL, TRUE };
    HANDLE output = CreateFileA(log.c_str(), GENERIC_WRITE, FILE_SHARE_READ, &inherit,
                                CREATE_ALWAYS, 0, NULL);
    if (!desktop || output == INVALID_HANDLE_VALUE) {
        char why[64];
        snprintf(why, sizeof(why), "no %s: error %lu", desktop ? "log" : "desktop", GetLastError());
        out.why = why;
        if (desktop)
            CloseDesktop(desktop);
        if (output != INVALID_HANDLE_VALUE)
            CloseHandle(output);
        return out;
    }
    /* The program and whatever it starts live on that desktop, and end
     * with the job when the runner lets go of it. */
    STARTUPINFOA si = {};
    si.cb = sizeof(si);
    si.lpDesktop = desk;
    si.dwFlags = STARTF_USESTDHANDLES;
    si.hStdOutput = si.hStdError = output;
    HANDLE job = CreateJobObjectA(NULL, NULL);
    JOBOBJECT_EXTENDED_LIMIT_INFORMATION limit = {};
    limit.BasicLimitInformation.LimitFlags = JOB_OBJECT_LIMIT_KILL_ON_JOB_CLOSE;
    SetInformationJobObject(job, JobObjectExtendedLimitInformation, &limit, sizeof(limit));
    std::string cmd = "\"" + dir + name + ".exe\"" + args;
    PROCESS_INFORMATION pi = {};
    LONG askedBefore = asked;
    DWORD code = 0;
    if (!CreateProcessA(NULL, &cmd[0], NULL, NULL, TRUE, CREATE_SUSPENDED, NULL, dir.c_str(), &si, &pi)) {
        code = GetLastError();
        out.why = "cannot start it: error " + std::to_string(code);
    } else {
        AssignProcessToJobObject(job, pi.hProcess); /* may fail where jobs cannot nest */
        ResumeThread(pi.hThread);
        if (!WaitFor(pi.hProcess, LIMIT_S * 1000)) {
            TerminateProcess(pi.hProcess, 1);
            out.why = "still running after " + std::to_string(LIMIT_S) + " s";
        }
        WaitFor(pi.hProcess, 30000);
        GetExitCodeProcess(pi.hProcess, &code);
        CloseHandle(pi.hProcess);
        CloseHandle(pi.hThread);
    }
    CloseHandle(output);
    CloseHandle(job);
    CloseDesktop(desktop);
    ReadLog(log, &out);
    char why[64];
    snprintf(why, sizeof(why), code > 0xFFFF ? "exit code 0x%lx" : "exit code %lu", code);
    if (out.why.empty() && code != 0)
        out.why = why;
    /* gtest passes having run nothing: every pattern must start a test ('*', '?' as in file names). */
    std::istringstream patterns(out.filter.empty() ? "*" : out.filter);
    for (std::string p; out.why.empty() && std::getline(patterns, p, ':');)
        if (std::none_of(out.ran.begin(), out.ran.end(),
                         [&](const std::string &t) { return PathMatchSpecA(t.c_str(), p.c_str()); }))
            out.why = "ran no test" + (out.filter.empty() ? "" : " for " + p);
    if (asked != askedBefore)
        out.why += std::string(out.why.empty() ? "" : "; ") + "closed windows outside its desktop";
    out.passed = out.why.empty();
    return out;
}

/* logs\ in the bundle, or in %TEMP% where the bundle's folder is read-only. */
std::string OpenLogs(const std::string &bundle, const std::string &temp)
{
    for (std::string dir : { bundle + "logs\\", temp + "sweepane-tests-" SWEEPANE_VERSION "-logs\\" }) {
        CreateDirectoryA(dir.c_str(), NULL);
        if ((summary = fopen((dir + "summary.txt").c_str(), "w")) != NULL)
            return dir;
    }
    return "";
}

} // namespace

int main(int argc, char **argv)
{
    /* A crashed test reports here, not in a box on a desktop nobody sees. */
    SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOGPFAULTERRORBOX);
    /* The screen's real DPI, not 96. Looked up: NT 5.2 (ReactOS) has none. */
    typedef BOOL(WINAPI * DpiAwareFn)(void);
    FARPROC dpiAware = GetProcAddress(GetModuleHandleA("user32.dll"), "SetProcessDPIAware");
    if (dpiAware)
        ((DpiAwareFn)(void (*)(void))dpiAware)();
    char path[MAX_PATH], temp[MAX_PATH];
    GetModuleFileNameA(NULL, path, sizeof(path));
    std::string dir(path, strrchr(path, '\\') + 1);   /* ...\tests\ */
    std::string bundle = dir.substr(0, dir.size() - 6); /* ...\ */
    GetTempPathA(sizeof(temp), temp);

    std::vector<std::string> programs;
    std::string args;
    if (argc > 1) {
        std::string name = argv[1];
        programs.push_back(name.size() > 4 && name.compare(name.size() - 4, 4, ".exe") == 0
                               ? name.substr(0, name.size() - 4) : name);
        for (int i = 2; i < argc; i++)
            args += std::string(" \"") + argv[i] + "\"";
    } else {
        WIN32_FIND_DATAA found;
        HANDLE search = FindFirstFileA((dir + "*_test.exe").c_str(), &found);
        for (BOOL more = search != INVALID_HANDLE_VALUE; more; more = FindNextFileA(search, &found))
            programs.push_back(std::string(found.cFileName, strlen(found.cFileName) - 4));
        FindClose(search);
        std::sort(programs.begin(), programs.end());
    }
    for (const std::string &p : programs)
        if (GetFileAttributesA((dir + p + ".exe").c_str()) == INVALID_FILE_ATTRIBUTES) {
            fprintf(stderr, "runtests: no %s%s.exe\n", dir.c_str(), p.c_str());
            return 2;
        }
    std::string logs = OpenLogs(bundle, temp);
    if (logs.empty() || programs.empty()) {
        fprintf(stderr, "runtests: %s\n", programs.empty() ? "no test programs" : "nowhere to write the logs");
        return 2;
    }

    Say("Sweepane %s tests\n", SWEEPANE_VERSION);
    PrintSystem();
    PrintWindows();
    Say("Logs: %s\n\n", logs.c_str());
    PlaceSentinels();
    /* What the tests leave in %TEMP% goes with this folder at the end. */
    char scratch[MAX_PATH + 1] = "";
    snprintf(scratch, MAX_PATH, "%ssweepane-tests-%lu", temp, GetCurrentProcessId());
    CreateDirectoryA(scratch, NULL);
    SetEnvironmentVariableA("TEMP", scratch);
    SetEnvironmentVariableA("TMP", scratch);

    int passed = 0, failed = 0, skipped = 0;
    for (size_t i = 0; i < programs.size(); i++) {
        DWORD start = GetTickCount();
        Outcome o = Run(dir, programs[i], args, logs + programs[i] + ".log", (int)i);
        std::string extra = o.skipped ? ", " + std::to_string(o.skipped) + " skipped" : "";
        Say("  %-7s %-20s %4lu s%s%s%s\n", o.passed ? "passed" : "FAILED", programs[i].c_str(),
            (GetTickCount() - start + 500) / 1000, o.why.empty() ? "" : "  ", o.why.c_str(),
            extra.c_str());
        for (const std::string &note : o.notes)
            Say("          %s\n", note.c_str());
        (o.passed ? passed : failed)++;
        skipped += o.skipped;
    }
    scratch[strlen(scratch) + 1] = '\0'; /* a list of one, as SHFileOperation takes it */
    SHFILEOPSTRUCTA remove = {};
    remove.wFunc = FO_DELETE;
    remove.pFrom = scratch;
    remove.fFlags = FOF_NO_UI;
    SHFileOperationA(&remove);

    Say("\n%d passed, %d failed", passed, failed);
    if (skipped)
        Say(", %d skipped", skipped);
    Say("\n");
    fclose(summary);
    return failed ? 1 : 0;
}

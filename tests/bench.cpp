/* make bench: the program's sweep against the least possible sweep, over
 * identical sets of 1000 windows, plus start-up time and image size. */
#include <stdio.h>
#include <string.h>

#include "app/state.h"
#include "app_driver.h"
#include "fixture_client.h"
#include "pe_image.h"
#include "sweep/sweep.h"
#include "test_files.h"

namespace {

/* The reference: enumerate, compare the class, send Close. */
BOOL CALLBACK MinimalCallback(HWND hwnd, LPARAM)
{
    char cls[WINDOW_TEXT_SIZE] = "";
    GetClassNameA(hwnd, cls, sizeof(cls));
    bool match = strcmp(cls, "CabinetWClass") == 0 || strcmp(cls, "IEFrame") == 0;
    if (!match && strncmp(cls, "Afx:", 4) == 0) {
        char title[WINDOW_TEXT_SIZE] = "";
        GetWindowTextA(hwnd, title, sizeof(title));
        match = strstr(title, "Netscape") != NULL;
    }
    if (match) {
        DWORD_PTR result;
        SendMessageTimeoutA(hwnd, WM_SYSCOMMAND, SC_CLOSE, 0, SMTO_ABORTIFHUNG, CLOSE_TIMEOUT_MS,
                            &result);
    }
    return TRUE;
}

void ProgramSweep()
{
    targetSelection = TargetSelection();
    targetSelection.explorer = targetSelection.internetExplorer = targetSelection.netscape = 1;
    targetSelection.closeArmed = 1;
    SweepWindows();
}

void MinimalSweep()
{
    EnumWindows(MinimalCallback, 0);
}

/* Milliseconds for one sweep over a fresh set of windows. */
double TimeSweep(void (*sweep)(), int *closed)
{
    Fixture fixture;
    if (!fixture.Start(MixedWindows(1000)))
        return -1;
    LARGE_INTEGER f, a, b;
    QueryPerformanceFrequency(&f);
    QueryPerformanceCounter(&a);
    sweep();
    QueryPerformanceCounter(&b);
    *closed = 0;
    for (int i = 0; i < fixture.Count(); i++)
        *closed += fixture.Window(i).destroyed;
    return (b.QuadPart - a.QuadPart) * 1000.0 / f.QuadPart;
}

} // namespace

int main()
{
    const int rounds = 3;
    double own = 0, minimal = 0;
    for (int r = 0; r < rounds; r++) {
        int closedOwn = 0, closedMin = 0;
        double t1 = TimeSweep(MinimalSweep, &closedMin);
        double t2 = TimeSweep(ProgramSweep, &closedOwn);
        if (t1 < 0 || t2 < 0 || closedOwn != 750 || closedMin != 750) {
            printf("bench: round %d failed (closed %d and %d of 750)\n", r, closedOwn, closedMin);
            return 1;
        }
        printf("round %d: program %.1f ms, minimal %.1f ms\n", r, t2, t1);
        own += t2;
        minimal += t1;
    }
    printf("sweep of 1000 windows (750 closed): program %.1f ms, minimal %.1f ms, ratio %.3f\n",
           own / rounds, minimal / rounds, own / minimal);

    std::string exe = ExeDir() + "..\\sweepane.exe";
    std::string dir = MakeTempDir("bench");
    CopyFileA(exe.c_str(), (dir + "sweepane.exe").c_str(), FALSE);
    double launch = 0;
    for (int r = 0; r < rounds; r++) {
        AppRun app;
        DWORD start = GetTickCount();
        if (!app.Start(dir + "sweepane.exe"))
            return 1;
        launch += GetTickCount() - start;
        app.Press(IDCANCEL);
        app.Wait();
    }
    printf("launch to dialog shown: %.0f ms (mean of %d)\n", launch / rounds, rounds);

    std::string image = ReadFileText(exe);
    printf("sweepane.exe: %u bytes (%.1f KiB); imports: %s\n", (unsigned)image.size(),
           image.size() / 1024.0, Imports(image).c_str());
    return 0;
}

/* Holds the top-level windows that a sweep test describes, in a process of
 * its own, as the windows of other applications would be. A 64-bit
 * program, as most applications on a 64-bit Windows are; a 32-bit one
 * (winfixture32.exe) where Windows is 32-bit. */
#include <stdio.h>
#include <stdlib.h>

#include "fixture_shared.h"

static FixtureShared *shared;
static HANDLE testProgram; /* signalled when the test program ends */
static HDESK desktop;      /* the one this process was started on */

/* Each window carries its record from its first message on. */
static FixtureWindow *Find(HWND hwnd, UINT msg, LPARAM lp)
{
    if (msg == WM_NCCREATE)
        SetWindowLongPtrA(hwnd, GWLP_USERDATA,
                          (LONG_PTR)((CREATESTRUCTA *)lp)->lpCreateParams);
    return (FixtureWindow *)GetWindowLongPtrA(hwnd, GWLP_USERDATA);
}

/* Wine counts a thread that has not read messages for 5 s as hung, and
 * SMTO_ABORTIFHUNG then gives up on it at once: keep reading while the
 * desktop is set up. */
static void Drain()
{
    MSG msg;
    while (PeekMessageA(&msg, NULL, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
}

static LRESULT CALLBACK FixtureProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp)
{
    FixtureWindow *w = Find(hwnd, msg, lp);

    if (w) {
        switch (msg) {
        case WM_SYSCOMMAND:
            if ((wp & 0xFFF0) == SC_CLOSE) {
                InterlockedIncrement(&w->sysClose);
                if (shared->watchFile[0] &&
                    GetFileAttributesA(shared->watchFile) != INVALID_FILE_ATTRIBUTES)
                    InterlockedIncrement(&w->fileAtClose);
                /* Busy with something else, then closes after all. */
                if (w->flags & FIXTURE_BUSY)
                    Sleep(FIXTURE_BUSY_MS);
                for (DWORD t = GetTickCount(); w->flags & FIXTURE_PROMPT && GetTickCount() - t < FIXTURE_BUSY_MS; Drain())
                    MsgWaitForMultipleObjects(0, NULL, FALSE, 100, QS_ALLINPUT);
                /* An application busy with a modal box does not close. */
                if (!IsWindowEnabled(hwnd))
                    return 0;
                /* Like a folder window that takes its siblings with it. */
                if ((w->flags & FIXTURE_CLOSES_NEXT) && w + 1 < shared->windows + shared->count)
                    DestroyWindow(Handle(w[1]));
            }
            break;
        case WM_CLOSE:
            if (w->sysClose == 0)
                InterlockedIncrement(&w->closeFirst);
            InterlockedIncrement(&w->plainClose);
            break;
        case WM_DESTROY:
            InterlockedExchange(&w->destroyed, 1);
            break;
        }
    }
    return DefWindowProcA(hwnd, msg, wp, lp);
}

static HWND Create(FixtureWindow *w, HWND parent = NULL)
{
    WNDCLASSA wc = {};
    wc.lpfnWndProc = FixtureProc;
    wc.hInstance = GetModuleHandleA(NULL);
    wc.lpszClassName = w->className;
    RegisterClassA(&wc); /* fails harmlessly when the class exists */

    /* A hidden window needs no frame, and a popup is quicker to create. */
    DWORD style = parent ? WS_CHILD | WS_VISIBLE : w->flags & FIXTURE_HIDDEN ? WS_POPUP : WS_OVERLAPPEDWINDOW | WS_VISIBLE;
    /* Wine hands activation to the next window synchronously when one is
     * destroyed; a hung window must not be picked, or our other windows'
     * thread would hang with it. The sweep ignores the enabled state. */
    if (w->flags & FIXTURE_HUNG)
        style |= WS_DISABLED;
    return CreateWindowExA(0, w->className, w->title, style, 10, 10, 200, 100,
                           parent, NULL, wc.hInstance, w);
}

/* Reads messages until one of the handles is signalled; its index. */
static DWORD Wait(DWORD count, const HANDLE *handles)
{
    for (;;) {
        DWORD r = MsgWaitForMultipleObjects(count, handles, FALSE, INFINITE, QS_ALLINPUT);
        if (r < WAIT_OBJECT_0 + count)
            return r - WAIT_OBJECT_0;
        Drain();
    }
}

/* A hung window's thread stops reading messages for good as soon as the
 * window exists, as a hung application does; a busy one keeps reading
 * but takes its time over Close. Either way, the fixture's other windows
 * must not wait on it. */
static DWORD WINAPI WindowThread(void *param)
{
    FixtureWindow *w = (FixtureWindow *)param;
    /* Wine 8 starts a thread on the Default desktop, not on its process's
     * as Windows does. */
    SetThreadDesktop(desktop);
    HWND hwnd = Create(w);
    Drain();
    if (w->flags & FIXTURE_HUNG)
        shared->hungSince = GetTickCount();
    InterlockedExchange(&w->window, (LONG)(LONG_PTR)hwnd);
    if (w->flags & FIXTURE_HUNG)
        WaitForSingleObject(testProgram, INFINITE);
    else
        Wait(1, &testProgram);
    return 0;
}

static void Build()
{
    /* Bottom window first: a new window goes on top of those before it,
     * so the creation order alone gives the stacking asked for. Moving
     * each window into place afterwards took a minute for 2000. */
    for (int i = shared->count - 1; i >= 0; i--) {
        FixtureWindow *w = &shared->windows[i];
        if (w->flags & (FIXTURE_HUNG | FIXTURE_BUSY | FIXTURE_PROMPT)) {
            CloseHandle(CreateThread(NULL, 0, WindowThread, w, 0, NULL));
            while (!w->window) {
                MsgWaitForMultipleObjects(0, NULL, FALSE, 1, QS_ALLINPUT);
                Drain();
            }
        } else if (!(w->flags & FIXTURE_CHILD)) {
            w->window = (LONG)(LONG_PTR)Create(w);
        }
        Drain();
    }
    for (int i = 0; i < shared->count; i++) {
        FixtureWindow *w = &shared->windows[i];
        if (w->flags & FIXTURE_CHILD) /* its parent, above it, exists by now */
            w->window = (LONG)(LONG_PTR)Create(w, Handle(w[-1]));
        if (w->flags & FIXTURE_MODAL) {
            CreateWindowExA(0, "FixtureModal", "Modal", WS_POPUP | WS_CAPTION | WS_VISIBLE,
                            40, 40, 120, 60, Handle(*w), NULL, GetModuleHandleA(NULL), NULL);
            EnableWindow(Handle(*w), FALSE);
        }
    }
    Drain();
}

/* This thread's windows only: a test with hung or busy windows ends
 * the whole process instead. The classes go too: class names are not
 * case-sensitive, so a registered "IEFrame" would serve "ieframe". */
static void Clear()
{
    for (int i = 0; i < shared->count; i++)
        if (IsWindow(Handle(shared->windows[i])))
            DestroyWindow(Handle(shared->windows[i]));
    Drain();
    for (int i = 0; i < shared->count; i++)
        UnregisterClassA(shared->windows[i].className, GetModuleHandleA(NULL));
}

static HANDLE Open(const char *base, const char *suffix)
{
    char name[128];
    snprintf(name, sizeof(name), "%s%s", base, suffix);
    return OpenEventA(SYNCHRONIZE | EVENT_MODIFY_STATE, FALSE, name);
}

int main(int argc, char **argv)
{
    if (argc < 3) {
        fprintf(stderr, "usage: winfixture SUFFIX PARENT_PID\n");
        return 2;
    }
    const char *suffix = argv[1];
    char name[128];
    snprintf(name, sizeof(name), FIXTURE_MAPPING "%s", suffix);
    HANDLE map = OpenFileMappingA(FILE_MAP_ALL_ACCESS, FALSE, name);
    if (!map) {
        fprintf(stderr, "winfixture: no mapping %s\n", name);
        return 1;
    }
    shared = (FixtureShared *)MapViewOfFile(map, FILE_MAP_ALL_ACCESS, 0, 0, 0);
    HANDLE build = Open(FIXTURE_BUILD, suffix), clear = Open(FIXTURE_CLEAR, suffix);
    HANDLE done = Open(FIXTURE_DONE, suffix);
    testProgram = OpenProcess(SYNCHRONIZE, FALSE, strtoul(argv[2], NULL, 10));
    desktop = GetThreadDesktop(GetCurrentThreadId());
    if (!shared || !build || !clear || !done || !testProgram)
        return 1;

    WNDCLASSA modal = {};
    modal.lpfnWndProc = DefWindowProcA;
    modal.hInstance = GetModuleHandleA(NULL);
    modal.lpszClassName = "FixtureModal";
    RegisterClassA(&modal);

    HANDLE waits[3] = { testProgram, build, clear };
    for (DWORD r; (r = Wait(3, waits)) != 0;) {
        if (r == 1)
            Build();
        else
            Clear();
        SetEvent(done);
    }
    ExitProcess(0); /* hung threads never return */
}

/* Holds the top-level windows that a sweep test describes, in a process of
 * its own, as the windows of other applications would be. */
#include <stdio.h>
#include <stdlib.h>

#include "fixture_shared.h"

static FixtureShared *shared;
static HANDLE quitEvent;
static HANDLE hangEvent;
static volatile LONG hungThreads;

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
                /* An application busy with a modal box does not close. */
                if (!IsWindowEnabled(hwnd))
                    return 0;
                /* Like a folder window that takes its siblings with it. */
                if ((w->flags & FIXTURE_CLOSES_NEXT) && w + 1 < shared->windows + shared->count)
                    DestroyWindow(w[1].hwnd);
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

static HWND Create(FixtureWindow *w)
{
    WNDCLASSA wc = {};
    wc.lpfnWndProc = FixtureProc;
    wc.hInstance = GetModuleHandleA(NULL);
    wc.lpszClassName = w->className;
    RegisterClassA(&wc); /* fails harmlessly when the class exists */

    DWORD style = WS_OVERLAPPEDWINDOW | (w->flags & FIXTURE_HIDDEN ? 0 : WS_VISIBLE);
    /* Wine hands activation to the next window synchronously when one is
     * destroyed; a hung window must not be picked, or our other windows'
     * thread would hang with it. The sweep ignores the enabled state. */
    if (w->flags & FIXTURE_HUNG)
        style |= WS_DISABLED;
    return CreateWindowExA(0, w->className, w->title, style, 10, 10, 200, 100,
                           NULL, NULL, wc.hInstance, w);
}

static void Pump(HANDLE until)
{
    for (;;) {
        DWORD r = MsgWaitForMultipleObjects(1, &until, FALSE, INFINITE, QS_ALLINPUT);
        if (r == WAIT_OBJECT_0)
            return;
        Drain();
    }
}

/* A window whose thread answers while the desktop is arranged, then stops
 * reading messages for good, as a hung application does. */
static DWORD WINAPI HungThread(void *param)
{
    FixtureWindow *w = (FixtureWindow *)param;
    w->hwnd = Create(w);
    Pump(hangEvent);
    InterlockedIncrement(&hungThreads);
    WaitForSingleObject(quitEvent, INFINITE);
    return 0;
}

int main(int argc, char **argv)
{
    if (argc < 2) {
        fprintf(stderr, "usage: winfixture SUFFIX\n");
        return 2;
    }
    char name[128];
    snprintf(name, sizeof(name), FIXTURE_MAPPING "%s", argv[1]);
    HANDLE map = OpenFileMappingA(FILE_MAP_ALL_ACCESS, FALSE, name);
    if (!map) {
        fprintf(stderr, "winfixture: no mapping %s\n", name);
        return 1;
    }
    shared = (FixtureShared *)MapViewOfFile(map, FILE_MAP_ALL_ACCESS, 0, 0, 0);
    snprintf(name, sizeof(name), FIXTURE_QUIT "%s", argv[1]);
    quitEvent = OpenEventA(SYNCHRONIZE, FALSE, name);
    snprintf(name, sizeof(name), FIXTURE_READY "%s", argv[1]);
    HANDLE readyEvent = OpenEventA(EVENT_MODIFY_STATE, FALSE, name);
    hangEvent = CreateEventA(NULL, TRUE, FALSE, NULL);
    if (!shared || !quitEvent || !readyEvent)
        return 1;

    WNDCLASSA modal = {};
    modal.lpfnWndProc = DefWindowProcA;
    modal.hInstance = GetModuleHandleA(NULL);
    modal.lpszClassName = "FixtureModal";
    RegisterClassA(&modal);

    int threadCount = 0;
    for (int i = 0; i < shared->count; i++) {
        FixtureWindow *w = &shared->windows[i];
        if (w->flags & FIXTURE_HUNG)
            {
            CloseHandle(CreateThread(NULL, 0, HungThread, w, 0, NULL));
            threadCount++;
        }
        else
            w->hwnd = Create(w);
        Drain();
    }
    for (int i = 0; i < shared->count; i++)
        while (!shared->windows[i].hwnd)
            Sleep(1);

    /* Window 0 on top, each next one just below the one before. */
    for (int i = 0; i < shared->count; i++) {
        HWND after = i == 0 ? HWND_TOP : shared->windows[i - 1].hwnd;
        SetWindowPos(shared->windows[i].hwnd, after, 0, 0, 0, 0,
                     SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        Drain();
    }
    for (int i = 0; i < shared->count; i++) {
        FixtureWindow *w = &shared->windows[i];
        if (w->flags & FIXTURE_MODAL) {
            CreateWindowExA(0, "FixtureModal", "Modal", WS_POPUP | WS_CAPTION | WS_VISIBLE,
                            40, 40, 120, 60, w->hwnd, NULL, GetModuleHandleA(NULL), NULL);
            EnableWindow(w->hwnd, FALSE);
        }
    }
    SetEvent(hangEvent);
    while (hungThreads < threadCount)
        Sleep(1);
    Drain();
    SetEvent(readyEvent);
    Pump(quitEvent);
    ExitProcess(0); /* hung threads never return */
}

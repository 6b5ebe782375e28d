/* Layout of the memory a sweep test shares with winfixture.exe. The test
 * describes the windows, topmost first; the fixture creates them and
 * counts the messages each one receives. */
#ifndef SWEEPANE_FIXTURE_SHARED_H
#define SWEEPANE_FIXTURE_SHARED_H

#include <windows.h>

enum {
    FIXTURE_MAX_WINDOWS = 2048,
    FIXTURE_HIDDEN = 1,     /* never shown */
    FIXTURE_HUNG = 2,       /* its thread stops pumping messages */
    FIXTURE_CLOSES_NEXT = 4, /* on Close, first destroys the next window */
    FIXTURE_MODAL = 8,      /* disabled under an owned modal box; ignores Close */
    FIXTURE_BUSY = 16,      /* takes Close in, then answers nothing for 10 s */
    FIXTURE_PROMPT = 32,    /* takes Close in, then reads its messages for 10 s, as a "save?" box does */
    FIXTURE_CHILD = 64,     /* a child window of the one before it in the list */
};

enum { FIXTURE_BUSY_MS = 10000 };

struct FixtureWindow {
    char className[64];
    char title[1024]; /* as long as the sweep reads */
    int flags;
    volatile LONG window;      /* set by the fixture; see Handle() */
    volatile LONG sysClose;    /* WM_SYSCOMMAND with SC_CLOSE */
    volatile LONG plainClose;  /* WM_CLOSE */
    volatile LONG closeFirst;  /* WM_CLOSE seen before any SC_CLOSE */
    volatile LONG destroyed;
    volatile LONG fileAtClose; /* watchFile existed when SC_CLOSE came */
};

/* The fixture may be a 64-bit program: the layout holds no pointers, and a
 * window handle is kept in 32 bits, as Windows keeps it across bitnesses. */
inline HWND Handle(const FixtureWindow &w)
{
    return (HWND)(LONG_PTR)w.window;
}

struct FixtureShared {
    char watchFile[MAX_PATH]; /* optional */
    DWORD hungSince;          /* tick count when hung threads stopped reading */
    int count;
    FixtureWindow windows[FIXTURE_MAX_WINDOWS];
};

/* Named objects, suffixed with the test process id. The fixture process
 * serves one test program: on Build it creates the windows described and
 * sets Done; on Clear it destroys what is left of them and sets Done. */
#define FIXTURE_MAPPING "SweepaneFixtureMap"
#define FIXTURE_BUILD "SweepaneFixtureBuild"
#define FIXTURE_CLEAR "SweepaneFixtureClear"
#define FIXTURE_DONE "SweepaneFixtureDone"

#endif

/* Layout of the memory a sweep test shares with winfixture.exe. The test
 * describes the windows; the fixture creates them, in Z-order from the
 * top, and counts the messages each one receives. */
#ifndef SWEEPANE_FIXTURE_SHARED_H
#define SWEEPANE_FIXTURE_SHARED_H

#include <windows.h>

enum {
    FIXTURE_MAX_WINDOWS = 2048,
    FIXTURE_HIDDEN = 1,     /* never shown */
    FIXTURE_HUNG = 2,       /* its thread stops pumping messages */
    FIXTURE_CLOSES_NEXT = 4, /* on Close, first destroys the next window */
    FIXTURE_MODAL = 8,      /* disabled under an owned modal box; ignores Close */
};

struct FixtureWindow {
    char className[64];
    char title[96];
    int flags;
    HWND hwnd;                 /* set by the fixture */
    volatile LONG sysClose;    /* WM_SYSCOMMAND with SC_CLOSE */
    volatile LONG plainClose;  /* WM_CLOSE */
    volatile LONG closeFirst;  /* WM_CLOSE seen before any SC_CLOSE */
    volatile LONG destroyed;
    volatile LONG fileAtClose; /* watchFile existed when SC_CLOSE came */
};

struct FixtureShared {
    char watchFile[MAX_PATH]; /* optional */
    int count;
    FixtureWindow windows[FIXTURE_MAX_WINDOWS];
};

/* Named objects, suffixed with the test process id. */
#define FIXTURE_MAPPING "SweepaneFixtureMap"
#define FIXTURE_READY "SweepaneFixtureReady"
#define FIXTURE_QUIT "SweepaneFixtureQuit"

#endif

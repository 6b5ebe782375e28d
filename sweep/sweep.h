/* Closes the selected kinds of top-level windows, top of the Z-order first. */
#ifndef SWEEPANE_SWEEP_H
#define SWEEPANE_SWEEP_H

#include <windows.h>

enum {
    WINDOW_TEXT_SIZE = 1024,
    /* How long one window may take to handle Close before we move on. */
    CLOSE_TIMEOUT_MS = 5000,
};

void SweepWindows(void);
BOOL CALLBACK SweepCallback(HWND window, LPARAM unused);
void RequestClose(HWND window);

#endif

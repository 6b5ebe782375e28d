/* Program-wide state shared by the dialog, the sweep and the settings. */
#ifndef SWEEPANE_STATE_H
#define SWEEPANE_STATE_H

#include <windows.h>

/* The user's choices. The first four follow check-box order:
 * flag n belongs to control IDC_EXPLORER + n. */
struct TargetSelection {
    int explorer;
    int internetExplorer;
    int netscape;
    int keepTopmost;
    int closeArmed; /* next match is closed; the sweep sets it after every match */
};

extern HINSTANCE appInstance;
extern TargetSelection targetSelection;

#endif

#include "sweep.h"

#include <string.h>

#include "../app/state.h"

void SweepWindows(void)
{
    EnumWindows(SweepCallback, 0);
}

/* Spares the first match when closeArmed starts at 0, closes the rest. */
void RequestClose(HWND window)
{
    if (targetSelection.closeArmed) {
        DWORD_PTR result;
        /* The same request the system menu's Close item makes. A window
         * that hangs, or waits on a prompt, must not stop the sweep. */
        SendMessageTimeoutA(window, WM_SYSCOMMAND, SC_CLOSE, 0,
                            SMTO_ABORTIFHUNG, CLOSE_TIMEOUT_MS, &result);
    }
    targetSelection.closeArmed = 1;
}

BOOL CALLBACK SweepCallback(HWND window, LPARAM unused)
{
    /* Empty until read: a window that vanished matches nothing. */
    char text[WINDOW_TEXT_SIZE] = "";

    (void)unused;
    GetClassNameA(window, text, sizeof(text));

    if (targetSelection.internetExplorer && strcmp(text, "IEFrame") == 0)
        RequestClose(window);
    if (targetSelection.explorer && strcmp(text, "CabinetWClass") == 0)
        RequestClose(window);
    if (!targetSelection.netscape)
        return TRUE;

    /* Netscape frames are MFC windows: "Afx:..." classes, told apart by title. */
    text[4] = '\0';
    if (strcmp(text, "Afx:") != 0)
        return TRUE;
    text[0] = '\0';
    GetWindowTextA(window, text, sizeof(text));
    if (strstr(text, "Netscape") != NULL)
        RequestClose(window);
    return TRUE;
}

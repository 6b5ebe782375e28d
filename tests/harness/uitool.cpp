/* For make run without a display: waits for Sweepane's dialog to show
 * ("uitool wait"), or presses its Cancel button ("uitool cancel"). */
#include <windows.h>

#include <stdio.h>
#include <string.h>

static HWND FindSweepane()
{
    HWND dialog = FindWindowA("#32770", "Sweepane");
    return dialog && IsWindowVisible(dialog) ? dialog : NULL;
}

int main(int argc, char **argv)
{
    const char *cmd = argc > 1 ? argv[1] : "";
    HWND dialog = NULL;
    for (int i = 0; i < 600 && !(dialog = FindSweepane()); i++)
        Sleep(100);
    if (!dialog) {
        fprintf(stderr, "uitool: no Sweepane dialog\n");
        return 1;
    }
    if (strcmp(cmd, "wait") == 0) {
        Sleep(500); /* let it finish painting */
        return 0;
    }
    if (strcmp(cmd, "cancel") == 0) {
        PostMessageA(GetDlgItem(dialog, IDCANCEL), BM_CLICK, 0, 0);
        return 0;
    }
    fprintf(stderr, "usage: uitool wait|cancel\n");
    return 2;
}

/* Sweepane: pick kinds of windows, close them all, remember the choice. */
#include <windows.h>

#include "dllsearch.h"
#include "settings.h"
#include "state.h"
#include "../sweep/sweep.h"
#include "../ui/controls.h"
#include "../ui/dialog.h"
#include "../ui/resource.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE previous, LPSTR commandLine, int show)
{
    /* There are no options; whatever is passed is ignored. */
    (void)previous;
    (void)commandLine;
    (void)show;

    /* Before anything can load a DLL from the program's own folder. */
    RestrictDllSearch();
    appInstance = instance;
    InitSettingsPath();
    LoadCommonControls();
    if (DialogBoxParamA(instance, MAKEINTRESOURCEA(IDD_SELECT), NULL, SelectionDialogProc, 0) != 1)
        return 0;
    /* Saved only after the sweep, and only on confirmation. */
    SweepWindows();
    SaveSelection(&targetSelection);
    return 0;
}

#include "controls.h"

#include <windows.h>

/* Windows XP registers the version 6 controls' window classes only once
 * comctl32 is loaded; until then a dialog made of them fails to appear.
 * Loaded by name, which the manifest sends to version 6, and not
 * imported: the program needs no DLL beyond KERNEL32, USER32 and msvcrt. */
void LoadCommonControls(void)
{
    typedef void(WINAPI * InitControls)(void);
    HMODULE controls = LoadLibraryA("comctl32.dll");
    FARPROC init = controls ? GetProcAddress(controls, "InitCommonControls") : NULL;
    if (init)
        ((InitControls)(void (*)(void))init)();
}

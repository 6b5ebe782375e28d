#include "dllsearch.h"

#include <windows.h>

/* The program is mostly run where it was unpacked, the download folder,
 * and a web page can drop a DLL there unnoticed. Windows would take a DLL
 * outside KnownDLLs (uxtheme.dll, say) from the program's folder first.
 * SetDefaultDllDirectories came to Vista and 7 only with KB2533623, and
 * never to XP, so it is looked up, not imported; where it is missing,
 * SetDllDirectoryA("") at least drops the current folder. */
void RestrictDllSearch(void)
{
    typedef BOOL(WINAPI * SetDefaultDirs)(DWORD);
    typedef BOOL(WINAPI * SetDir)(LPCSTR);
    HMODULE kernel = GetModuleHandleA("kernel32.dll");

    FARPROC found = GetProcAddress(kernel, "SetDefaultDllDirectories");
    if (found && ((SetDefaultDirs)(void (*)(void))found)(LOAD_LIBRARY_SEARCH_SYSTEM32))
        return;
    found = GetProcAddress(kernel, "SetDllDirectoryA");
    if (found)
        ((SetDir)(void (*)(void))found)("");
}

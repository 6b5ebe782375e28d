/* winpthreads, which libstdc++ links into the test programs and the
 * runner, imports GetTickCount64, which Windows has from Vista on. A
 * program with that import does not start on NT 5.2, as ReactOS reports
 * itself. Linked in as an object, this fills the import slot instead: the
 * system's own function where it has one, else GetTickCount with its
 * wraps counted. */
#include <windows.h>

typedef ULONGLONG(WINAPI *TickCount64Fn)(void);

static ULONGLONG WINAPI TickCount64(void)
{
    /* No function-local statics: their guard may itself take this path. */
    static TickCount64Fn system;
    static BOOL looked;
    static DWORD last, wraps;
    if (!looked) {
        system = (TickCount64Fn)(void (*)(void))GetProcAddress(GetModuleHandleA("kernel32.dll"), "GetTickCount64");
        looked = TRUE;
    }
    if (system)
        return system();
    DWORD now = GetTickCount();
    if (now < last)
        wraps++;
    last = now;
    return (ULONGLONG)wraps << 32 | now;
}

extern "C" TickCount64Fn tickCount64Import __asm__("__imp__GetTickCount64@0");
TickCount64Fn tickCount64Import = TickCount64;

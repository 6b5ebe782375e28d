/* Stands for a DLL that a web page dropped beside the program. If it is
 * ever loaded, it leaves planted.txt in its own folder. */
#include <windows.h>

#include <string.h>

BOOL WINAPI DllMain(HINSTANCE self, DWORD reason, void *)
{
    if (reason == DLL_PROCESS_ATTACH) {
        char path[MAX_PATH];
        GetModuleFileNameA(self, path, sizeof(path));
        strcpy(strrchr(path, '\\') + 1, "planted.txt");
        CloseHandle(CreateFileA(path, GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, 0, NULL));
    }
    return TRUE;
}

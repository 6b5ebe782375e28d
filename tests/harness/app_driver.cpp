#include "app_driver.h"

#include <string.h>

#include "ui/resource.h"

namespace {

struct Search {
    DWORD pid;
    HWND owner; /* NULL: the main dialog */
    HWND found;
};

BOOL CALLBACK FindDialog(HWND hwnd, LPARAM param)
{
    Search *s = (Search *)param;
    DWORD pid = 0;
    char cls[32] = "";
    GetWindowThreadProcessId(hwnd, &pid);
    GetClassNameA(hwnd, cls, sizeof(cls));
    if (pid != s->pid || strcmp(cls, "#32770") != 0 || !IsWindowVisible(hwnd))
        return TRUE;
    if (s->owner ? GetWindow(hwnd, GW_OWNER) != s->owner : GetWindow(hwnd, GW_OWNER) != NULL)
        return TRUE;
    s->found = hwnd;
    return FALSE;
}

HWND WaitForDialog(DWORD pid, HWND owner, DWORD timeoutMs)
{
    for (DWORD start = GetTickCount(); GetTickCount() - start < timeoutMs; Sleep(10)) {
        Search s = { pid, owner, NULL };
        EnumWindows(FindDialog, (LPARAM)&s);
        if (s.found)
            return s.found;
    }
    return NULL;
}

} // namespace

AppRun::~AppRun()
{
    if (pi_.hProcess) {
        if (Wait(5000) == -1)
            TerminateProcess(pi_.hProcess, 1);
        CloseHandle(pi_.hProcess);
        CloseHandle(pi_.hThread);
    }
}

bool AppRun::Start(const std::string &exe, const std::string &args)
{
    std::string cmd = "\"" + exe + "\"" + (args.empty() ? "" : " " + args);
    STARTUPINFOA si = {};
    si.cb = sizeof(si);
    if (!CreateProcessA(exe.c_str(), &cmd[0], NULL, NULL, FALSE, 0, NULL, NULL, &si, &pi_))
        return false;
    dialog_ = WaitForDialog(pi_.dwProcessId, NULL, 60000);
    return dialog_ != NULL;
}

int AppRun::Checked(int id) const
{
    return (int)SendDlgItemMessageA(dialog_, id, BM_GETCHECK, 0, 0);
}

std::string AppRun::Boxes() const
{
    std::string s;
    for (int id = IDC_EXPLORER; id <= IDC_KEEPTOP; id++)
        s += Checked(id) == BST_CHECKED ? '1' : '0';
    return s;
}

void AppRun::Click(int id) const
{
    SendDlgItemMessageA(dialog_, id, BM_CLICK, 0, 0);
}

void AppRun::Press(int id) const
{
    PostMessageA(GetDlgItem(dialog_, id), BM_CLICK, 0, 0);
}

HWND AppRun::OwnedPopup(DWORD timeoutMs) const
{
    return WaitForDialog(pi_.dwProcessId, dialog_, timeoutMs);
}

int AppRun::Wait(DWORD timeoutMs)
{
    if (WaitForSingleObject(pi_.hProcess, timeoutMs) != WAIT_OBJECT_0)
        return -1;
    DWORD code = 1;
    GetExitCodeProcess(pi_.hProcess, &code);
    return (int)code;
}

bool ShowsSystemIcon(HWND control, LPCSTR icon)
{
    RECT r;
    if (!GetWindowRect(control, &r))
        return false;
    int w = r.right - r.left, h = r.bottom - r.top;
    HDC screen = GetDC(NULL);
    HDC shown = CreateCompatibleDC(screen), drawn = CreateCompatibleDC(screen);
    HBITMAP shownBits = CreateCompatibleBitmap(screen, w, h);
    HBITMAP drawnBits = CreateCompatibleBitmap(screen, w, h);
    HGDIOBJ oldShown = SelectObject(shown, shownBits), oldDrawn = SelectObject(drawn, drawnBits);
    BitBlt(shown, 0, 0, w, h, screen, r.left, r.top, SRCCOPY);
    RECT all = { 0, 0, w, h };
    FillRect(drawn, &all, GetSysColorBrush(COLOR_3DFACE));
    DrawIconEx(drawn, 0, 0, LoadIconA(NULL, icon), 0, 0, 0, NULL, DI_NORMAL | DI_DEFAULTSIZE);
    bool same = true;
    for (int y = 0; y < h && same; y++)
        for (int x = 0; x < w && same; x++)
            same = GetPixel(shown, x, y) == GetPixel(drawn, x, y);
    SelectObject(shown, oldShown);
    SelectObject(drawn, oldDrawn);
    DeleteObject(shownBits);
    DeleteObject(drawnBits);
    DeleteDC(shown);
    DeleteDC(drawn);
    ReleaseDC(NULL, screen);
    return same;
}

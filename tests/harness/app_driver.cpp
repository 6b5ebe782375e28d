#include "app_driver.h"

#include <stdio.h>
#include <string.h>
#include <tlhelp32.h>

#include <vector>

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

/* NULL once the process has ended: no dialog can come then. */
HWND WaitForDialog(const PROCESS_INFORMATION &pi, HWND owner, DWORD timeoutMs)
{
    for (DWORD start = GetTickCount(); GetTickCount() - start < timeoutMs; Sleep(10)) {
        if (WaitForSingleObject(pi.hProcess, 0) == WAIT_OBJECT_0)
            return NULL;
        Search s = { pi.dwProcessId, owner, NULL };
        /* This desktop's, by name: off the input desktop, ReactOS's
         * EnumWindows lists the input desktop's windows instead. */
        EnumDesktopWindows(GetThreadDesktop(GetCurrentThreadId()), FindDialog, (LPARAM)&s);
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

::testing::AssertionResult AppRun::Start(const std::wstring &exe, const std::string &args)
{
    std::wstring cmd = L"\"" + exe + L"\"" + (args.empty() ? L"" : L" " + WideFromAnsi(args));
    STARTUPINFOW si = {};
    si.cb = sizeof(si);
    if (!CreateProcessW(exe.c_str(), &cmd[0], NULL, NULL, FALSE, 0, NULL, NULL, &si, &pi_))
        return ::testing::AssertionFailure() << "cannot start " << exe << ": error " << GetLastError();
    dialog_ = WaitForDialog(pi_, NULL, 60000);
    if (dialog_)
        return ::testing::AssertionSuccess();
    int code = Wait(0);
    if (code != -1) {
        char shown[16]; /* a crash's exception code reads best in hex */
        snprintf(shown, sizeof(shown), code < 0 ? "0x%x" : "%d", code);
        return ::testing::AssertionFailure() << exe << " exited with code " << shown << " before its dialog showed";
    }
    return ::testing::AssertionFailure() << "no dialog from " << exe << " within 60 s";
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
    return WaitForDialog(pi_, dialog_, timeoutMs);
}

std::string AppRun::ModulePath(const char *dll) const
{
    HANDLE snap = CreateToolhelp32Snapshot(TH32CS_SNAPMODULE, pi_.dwProcessId);
    MODULEENTRY32 m = {};
    m.dwSize = sizeof(m);
    std::string path;
    for (BOOL more = Module32First(snap, &m); more && path.empty(); more = Module32Next(snap, &m))
        if (_stricmp(m.szModule, dll) == 0)
            path = m.szExePath;
    CloseHandle(snap);
    return path;
}

int AppRun::Wait(DWORD timeoutMs)
{
    if (WaitForSingleObject(pi_.hProcess, timeoutMs) != WAIT_OBJECT_0)
        return -1;
    DWORD code = 1;
    GetExitCodeProcess(pi_.hProcess, &code);
    return (int)code;
}

namespace {

/* The pixels of a w by h area of a DC from x, y, top row first. */
std::vector<COLORREF> Pixels(HDC dc, int x, int y, int w, int h)
{
    BITMAPINFO bi = {};
    bi.bmiHeader.biSize = sizeof(bi.bmiHeader);
    bi.bmiHeader.biWidth = w;
    bi.bmiHeader.biHeight = -h;
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    std::vector<COLORREF> pixels((size_t)w * h);
    HBITMAP bits = CreateCompatibleBitmap(dc, w, h);
    HDC mem = CreateCompatibleDC(dc);
    HGDIOBJ old = SelectObject(mem, bits);
    BitBlt(mem, 0, 0, w, h, dc, x, y, SRCCOPY);
    SelectObject(mem, old);
    GetDIBits(mem, bits, 0, h, pixels.data(), &bi, DIB_RGB_COLORS);
    DeleteDC(mem);
    DeleteObject(bits);
    return pixels;
}

/* The icon drawn on a background of one colour. */
std::vector<COLORREF> DrawnOn(HDC screen, HICON icon, int size, int colour)
{
    HDC mem = CreateCompatibleDC(screen);
    HBITMAP bits = CreateCompatibleBitmap(screen, size, size);
    HGDIOBJ old = SelectObject(mem, bits);
    RECT all = { 0, 0, size, size };
    FillRect(mem, &all, (HBRUSH)GetStockObject(colour));
    DrawIconEx(mem, 0, 0, icon, size, size, 0, NULL, DI_NORMAL);
    std::vector<COLORREF> pixels = Pixels(mem, 0, 0, size, size);
    SelectObject(mem, old);
    DeleteObject(bits);
    DeleteDC(mem);
    return pixels;
}

/* Whether the icon shows in the area now. */
bool ShowsNow(const RECT &area, HICON icon, int size)
{
    /* Colours only: the fourth byte of a pixel is reserved, and Wine 10
     * sets it in what it reads from the screen (Wine 8 and Windows leave 0). */
    auto alike = [](COLORREF a, COLORREF b) { return ((a ^ b) & 0xFFFFFF) == 0; };
    int w = area.right - area.left, h = area.bottom - area.top;
    if (!icon || w < size || h < size)
        return false;
    HDC screen = GetDC(NULL);
    std::vector<COLORREF> shown = Pixels(screen, area.left, area.top, w, h);
    /* A pixel the same on black and on white is one the icon covers. */
    std::vector<COLORREF> black = DrawnOn(screen, icon, size, BLACK_BRUSH);
    std::vector<COLORREF> white = DrawnOn(screen, icon, size, WHITE_BRUSH);
    ReleaseDC(NULL, screen);

    for (int y = 0; y + size <= h; y++)
        for (int x = 0; x + size <= w; x++) {
            bool same = true;
            for (int i = 0; i < size * size && same; i++)
                same = !alike(black[i], white[i]) ||
                       alike(shown[(size_t)(y + i / size) * w + x + i % size], black[i]);
            if (same)
                return true;
        }
    return false;
}

} // namespace

bool ScreenShowsIcon(const RECT &area, HICON icon, int size)
{
    /* A window is painted, and under Wine put on the screen, a moment
     * after it shows: read this thread's messages meanwhile. */
    for (int i = 0; i < 40; i++, Sleep(50)) {
        MSG msg;
        while (PeekMessageA(&msg, NULL, 0, 0, PM_REMOVE))
            DispatchMessageA(&msg);
        if (ShowsNow(area, icon, size))
            return true;
    }
    return false;
}

std::string ScreenMissing()
{
    HDC screen = GetDC(NULL);
    bool scaled = GetDeviceCaps(screen, LOGPIXELSX) != 96 ||
                  GetDeviceCaps(screen, HORZRES) != GetDeviceCaps(screen, DESKTOPHORZRES);
    ReleaseDC(NULL, screen);
    if (scaled)
        return "needs a screen at 96 DPI (100 %)";
    /* Windows draws nothing of a desktop it does not show, as the test
     * bundle's own: an icon on top says whether this one is shown. */
    HICON icon = LoadIconA(NULL, IDI_ASTERISK);
    HWND probe = CreateWindowExA(WS_EX_TOPMOST | WS_EX_TOOLWINDOW, "STATIC", "", WS_POPUP | WS_VISIBLE | SS_ICON,
                                 0, 0, 32, 32, NULL, NULL, NULL, NULL);
    SendMessageA(probe, STM_SETICON, (WPARAM)icon, 0);
    RECT area = { 0, 0, 32, 32 };
    bool shown = ScreenShowsIcon(area, icon, 32);
    DestroyWindow(probe);
    return shown ? "" : "needs its desktop on the screen, and Windows shows only the one in use";
}

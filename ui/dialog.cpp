#include "dialog.h"

#include "../app/settings.h"
#include "../app/state.h"
#include "resource.h"
#include "version.h"

/* Code page 932, like every ANSI text of the program: "Sweepane について"
 * and "Sweepane v1.1 / 選んだ種類のウインドウをまとめて閉じます。" */
static const char aboutCaption[] = "Sweepane \x82\xc9\x82\xc2\x82\xa2\x82\xc4";
static const char aboutText[] =
    "Sweepane v" SWEEPANE_VERSION "\r\n"
    "\x91\x49\x82\xf1\x82\xbe\x8e\xed\x97\xde\x82\xcc\x83\x45\x83\x43\x83\x93\x83\x68"
    "\x83\x45\x82\xf0\x82\xdc\x82\xc6\x82\xdf\x82\xc4\x95\xc2\x82\xb6\x82\xdc\x82\xb7\x81\x42";

static void SetIcons(HWND dialog)
{
    HANDLE small = LoadImageA(appInstance, MAKEINTRESOURCEA(IDI_APP), IMAGE_ICON, 16, 16, 0);
    SendMessageA(dialog, WM_SETICON, ICON_SMALL, (LPARAM)small);
    HICON large = LoadIconA(appInstance, MAKEINTRESOURCEA(IDI_APP));
    SendMessageA(dialog, WM_SETICON, ICON_BIG, (LPARAM)large);
}

/* Centres on the desktop's right and bottom edges; its left and top are
 * taken as 0, as on a single-monitor desktop they are. */
static void CentreOnScreen(HWND dialog)
{
    RECT desktop, own;
    GetWindowRect(GetDesktopWindow(), &desktop);
    GetWindowRect(dialog, &own);
    int x = desktop.right / 2 - (own.right - own.left) / 2;
    int y = desktop.bottom / 2 - (own.bottom - own.top) / 2;
    SetWindowPos(dialog, NULL, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
}

static void PresetBoxes(HWND dialog)
{
    for (int i = 0; i < FLAG_KEY_COUNT; i++) {
        const FlagKey *k = &flagKeys[i];
        if (ReadFlag(k->section, k->key, k->fallback))
            SendDlgItemMessageA(dialog, IDC_EXPLORER + i, BM_SETCHECK, BST_CHECKED, 0);
    }
}

static void TakeSelection(HWND dialog)
{
    for (int i = 0; i < FLAG_KEY_COUNT; i++)
        targetSelection.*flagKeys[i].flag =
            (int)SendDlgItemMessageA(dialog, IDC_EXPLORER + i, BM_GETCHECK, 0, 0);
    targetSelection.closeArmed = targetSelection.keepTopmost == 0 ? 1 : 0;
}

INT_PTR CALLBACK SelectionDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    (void)lParam;
    switch (message) {
    case WM_INITDIALOG:
        SetIcons(dialog);
        CentreOnScreen(dialog);
        PresetBoxes(dialog);
        return FALSE;
    case WM_COMMAND:
        switch (LOWORD(wParam)) {
        case IDOK:
            TakeSelection(dialog);
            EndDialog(dialog, 1);
            break;
        case IDCANCEL:
            EndDialog(dialog, 0);
            break;
        case IDC_VERSION:
            MessageBoxA(dialog, aboutText, aboutCaption, MB_ICONINFORMATION);
            break;
        }
        return FALSE;
    }
    return FALSE;
}

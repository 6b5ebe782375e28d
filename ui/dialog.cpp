#include "dialog.h"

#include "../app/settings.h"
#include "../app/state.h"
#include "resource.h"

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

/* The texts are Unicode in the resources; LoadStringA gives them in the
 * ANSI code page, as the dialog manager does the template's. Under the
 * UTF-8 setting a Japanese character takes three bytes: room for that. */
static void ShowAbout(HWND dialog)
{
    char caption[64] = "", text[256] = "";
    LoadStringA(appInstance, IDS_ABOUT_CAPTION, caption, sizeof(caption));
    LoadStringA(appInstance, IDS_ABOUT_TEXT, text, sizeof(text));
    MessageBoxA(dialog, text, caption, MB_ICONINFORMATION);
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
            ShowAbout(dialog);
            break;
        }
        return FALSE;
    }
    return FALSE;
}

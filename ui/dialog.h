/* The selection dialog: four check boxes, Close all, Cancel, about box. */
#ifndef SWEEPANE_DIALOG_H
#define SWEEPANE_DIALOG_H

#include <windows.h>

/* Ends with 1 after filling targetSelection, or 0 on cancel. */
INT_PTR CALLBACK SelectionDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

#endif

// The dialog procedure of the start-up bench's yardsticks: the dialog does
// nothing of its own and ends when its `closeItem` is pressed.
#pragma once

#include <windows.h>

template <int closeItem>
INT_PTR CALLBACK DialogEndingOn(HWND dialog, UINT msg, WPARAM wp, LPARAM)
{
    if (msg == WM_INITDIALOG)
        return TRUE;
    if (msg == WM_COMMAND && LOWORD(wp) == closeItem) {
        EndDialog(dialog, closeItem);
        return TRUE;
    }
    return FALSE;
}

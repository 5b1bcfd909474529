#include "UpDownControl.h"

#include <commctrl.h>

extern "C" {

int SetUpDownRange(HWND upDown, int minimum, int maximum, int position)
{
    SendMessageA(upDown, UDM_SETRANGE32, (WPARAM)minimum, (LPARAM)maximum);
    SendMessageA(upDown, UDM_SETPOS32, 0, (LPARAM)position);
    return 1;
}

int SetUpDownItem(HWND dialog, int controlId, int minimum, int maximum, int position)
{
    return SetUpDownRange(GetDlgItem(dialog, controlId), minimum, maximum, position);
}

int SetUpDownPos(HWND dialog, int controlId, int position)
{
    SendDlgItemMessageA(dialog, controlId, UDM_SETPOS32, 0, (LPARAM)position);
    return 1;
}

}  // extern "C"

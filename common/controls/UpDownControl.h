// Up-down (spin) controls with 32-bit ranges.
#pragma once

#include <windows.h>

#ifdef __cplusplus
extern "C" {
#endif

// Sets the up-down control's range and position; 1.
int SetUpDownRange(HWND upDown, int minimum, int maximum, int position);
// SetUpDownRange on the dialog's control; 1.
int SetUpDownItem(HWND dialog, int controlId, int minimum, int maximum, int position);
// Sets only the position of the dialog's up-down control; 1.
int SetUpDownPos(HWND dialog, int controlId, int position);

#ifdef __cplusplus
}
#endif

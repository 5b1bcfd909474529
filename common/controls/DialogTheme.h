// Themed (visual style) backgrounds for dialogs and property pages.
#pragma once

#include <windows.h>

#ifdef __cplusplus
extern "C" {
#endif

// Gives dialog the themed tab-page background where Windows has visual styles (5.1 and later); 1 when asked
// of uxtheme, 0 on older systems or without uxtheme.
int EnableDialogTheme(HWND dialog);

#ifdef __cplusplus
}
#endif

// Layered windows: the calendar's colour key and alpha from the transparency settings, per-pixel alpha windows,
// animated showing, and the controls of the transparency settings page.
#pragma once

#include <windows.h>

#include "SettingsTypes.h"

#ifdef __cplusplus
extern "C" {
#endif

// Sets settings->Alpha (0 when startFaded is 1) and makes window layered by TransMode: key and alpha for 0, alpha
// for 2, not layered for 1 and 3; other kinds change nothing. 0 for null settings, else 1.
int ApplyTransparency(HWND window, TransparencySettings* settings, int startFaded);
// Layered with the key (LWA_COLORKEY) and/or settings->Alpha (LWA_ALPHA) when either is given; with neither the
// window stops being layered. 0 for a null window, else 1.
int SetLayeredAttributes(HWND window, const COLORREF* key, const TransparencySettings* settings);
// Layered with KeyColor for kind 0 and TransparentAlpha unless the kind is 1 or the fade mode 2; null settings
// end the layering. 0 for a null window, else 1.
int ApplyLayeredSettings(HWND window, const TransparencySettings* settings);
// Per-pixel alpha from source (at 0,0) onto the window at its position and size; 0 for a null window, else 1.
int UpdateLayered(HWND window, HDC destination, HDC source);
// Under Wine, for a shown window with a colour key: fills the window with the key colour and has Wine take it at once,
// which leaves the window an empty X shape. Wine turns a colour key into the shape of the X window, and when the X
// server swaps one fine shape for another, it repaints the desktop under the old one clipped by every hole of the new
// one, a cost of the product of the two; from an empty shape the next picture's shape only covers. 1 when it filled,
// else 0 (elsewhere, or a window without a colour key, is left alone).
int EmptyKeyedShape(HWND window);
// AnimateWindow over tenths / 10 seconds with the given AW_* flags; 1.
int ShowWindowAnimated(HWND window, int tenths, DWORD flags);

// Checks the kind radios (four, from kindRadio) and fade radios (five, from fadeRadio), sets the alpha (0-255) and
// time (0-30) up-downs and enables what the kind and fade mode use. 0 for null settings, else 1.
int InitTransparencyControls(HWND dialog, int kindRadio, int fadeRadio, int alphaUpDown, int alphaEdit,
                             int timeUpDown, int timeEdit, const TransparencySettings* settings);
// Takes a WM_COMMAND of the page into settings: a radio click sets the kind or fade mode, an edit change the
// alpha or time (clamped to their ranges). 1 when the control is one of the page's, else 0.
int OnTransparencyControl(HWND dialog, WPARAM wParam, int kindRadio, int fadeRadio, int alphaUpDown, int alphaEdit,
                          int timeUpDown, int timeEdit, TransparencySettings* settings);

#ifdef __cplusplus
}
#endif

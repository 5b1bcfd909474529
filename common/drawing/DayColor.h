// The colour rule of the days of the neighbouring months, which the day numbers and the day marks share. Unlike
// BlendColor (ShadowText.h) it rounds down, as the calendar always has.
#pragma once

#include <windows.h>

// Halfway to white with lighten, else halfway to black with darken (each channel halved, rounded down), else color.
COLORREF OtherMonthColor(COLORREF color, int lighten, int darken);

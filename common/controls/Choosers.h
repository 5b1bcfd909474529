// Modal font and colour choosers that the settings pages share, and the debug build box.
#pragma once

#include <windows.h>
#include <commdlg.h>

// Flags of the font chooser when the caller gives 0.
#define FONT_CHOOSER_DEFAULT_FLAGS (CF_SCREENFONTS | CF_INITTOLOGFONTSTRUCT)
// Starting colour of the colour chooser when the caller gives none.
#define COLOR_CHOOSER_DEFAULT_COLOR RGB(255, 255, 255)

#ifdef __cplusplus
extern "C" {
#endif

// Font chooser on font (flags 0: FONT_CHOOSER_DEFAULT_FLAGS); on OK font and, when given, color get the choice; 1 on OK, 0 on cancel.
int ChooseFontDialog(HWND owner, LOGFONTA* font, DWORD flags, COLORREF* color);
// Colour chooser starting at *color (white when null) with 16 custom colours; on OK *color gets the choice; 1 on OK, 0 on cancel.
int ChooseColorDialog(HWND owner, COLORREF* color, COLORREF* customColors);
// Fills chooser for ChooseFontDialog, working on font (the caller's copy).
void SetUpFontChooser(CHOOSEFONTA* chooser, HWND owner, LOGFONTA* font, DWORD flags, const COLORREF* color);
// Fills chooser for ChooseColorDialog.
void SetUpColorChooser(CHOOSECOLORA* chooser, HWND owner, const COLORREF* color, COLORREF* customColors);
// With " --debug" on the command line shows the module path and build time in a message box and answers 0; else 1.
int ShowBuildInfoOnDebug(void);

#ifdef __cplusplus
}
#endif

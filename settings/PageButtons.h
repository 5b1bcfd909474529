// What the look pages share: the owner-drawn colour and style buttons, the colour chooser over the record's custom
// colours, and the style edit through the language module's mark dialog.
#pragma once

#include <windows.h>

struct FontStyle;

// "色変更" as a sample of color, in the working copy's button shape.
void DrawColorButton(const DRAWITEMSTRUCT* item, COLORREF color);
// A caption in font (null: the dialog's) with the text and shadow colours.
void DrawStyleButton(const DRAWITEMSTRUCT* item, const char* text, const LOGFONTA* font, COLORREF textColor,
                     COLORREF shadowColor);
// "フォント" for a Shift-JIS font, else "Font".
const char* FontButtonText(const LOGFONTA* font);
// The colour chooser on color with the working copy's custom colours; 1 when the user chose one.
int PickColor(HWND page, COLORREF* color);
// The mark dialog on a copy of model in the working copy's scratch block with the name and the three may-edit
// flags; 1 when the user confirmed (the result is then the scratch block's style). 0 without the module or its
// dialog.
int RunMarkDialog(HWND page, const FontStyle* model, const char* name, int editPlainColor, int editMark,
                  int editFont);
// A number typed as unsigned, limited to INT_MAX so that it stays positive in the int fields.
int UnsignedToInt(unsigned int number);
// The unsigned number in the edit, above INT_MAX taken as INT_MAX; 0 when the edit holds no number.
int ReadEditCount(HWND page, int editId, int* value);

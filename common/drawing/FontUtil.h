// Font records, text measurement and the dialog-face swap. Texts are code page 932.
#pragma once

#include <windows.h>

// Weights InitLogFont gives for its bold flag.
#define FONT_WEIGHT_NORMAL 400
#define FONT_WEIGHT_BOLD 700
// Size of each of the head and rest buffers of SplitTextToWidth; each holds at most SPLIT_TEXT_SIZE - 1 bytes.
#define SPLIT_TEXT_SIZE 1024

#ifdef __cplusplus
extern "C" {
#endif

// Fills font from face, height, weight and italic; the fall-back faces fix face, character set and pitch; 1, or 0 for a null record.
int SetFontRecord(LOGFONTA* font, const char* face, int height, int weight, int italic, int charSet, int pitchAndFamily);
// SetFontRecord with weight 700 for bold and 400 otherwise, italic as 0 or 1.
int InitLogFont(LOGFONTA* font, const char* face, int height, int bold, int italic, int charSet, int pitchAndFamily);
// Average character width and height plus external leading of font (null: the window DC's current font); 1 on success.
int GetFontMetrics(HWND window, const LOGFONTA* font, int* averageWidth, int* lineHeight);
// Extent of the whole text on dc; 1 on success, else 0 with an empty size.
int GetTextSizeOnDC(HDC dc, const char* text, SIZE* size);
// Extent of the whole text on the window's DC (null window: the screen).
int GetTextSize(HWND window, const char* text, SIZE* size);
// Extent of the whole text on the window's DC with font (null: the DC's own) selected.
int GetTextSizeWithFont(HWND window, HFONT font, const char* text, SIZE* size);
// Splits text into the longest head (SPLIT_TEXT_SIZE bytes) that fits width, ending at a line break, and the rest
// (SPLIT_TEXT_SIZE bytes) after the break; the first character goes to the head even when it alone is wider.
// 1 on a split, 0 for an empty text.
int SplitTextToWidth(HWND window, HFONT font, int width, const char* text, char* head, char* rest);
// Gives control id of dialog its font with the Japanese face swapped (gothic and mincho); the caller deletes the
// returned font after the control; null when the control has no font.
HFONT SubstituteDialogFont(HWND dialog, int id);

#ifdef __cplusplus
}
#endif

// The popup's look and behaviour, kept in the section "DaylensPopupView" of the main program's settings file: the
// record, its reading (with the one-time move of the older section "DaylensPopupViewDLL") and its writing.
#pragma once

#include <windows.h>

// The plug-in's section, and the section an older release kept the same keys in.
#define POPUPVIEW_SECTION "DaylensPopupView"
#define POPUPVIEW_OLD_SECTION "DaylensPopupViewDLL"

// Ranges the settings dialog offers.
#define POPUPVIEW_FRAME_WIDTH_MIN 1
#define POPUPVIEW_FRAME_WIDTH_MAX 50
#define POPUPVIEW_ROUND_WIDTH_MAX 99
#define POPUPVIEW_SHADOW_WIDTH_MAX 10
#define POPUPVIEW_SPEED_MIN 1
#define POPUPVIEW_SPEED_MAX 100
#define POPUPVIEW_CLOSE_TIME_MAX 3600

// Close types.
#define POPUPVIEW_STAY_OPEN 0
#define POPUPVIEW_AUTO_CLOSE 1

struct PopupViewSettings {
    int WindowX;  // last window rectangle; used when width and height are both greater than 4
    int WindowY;
    int WindowWidth;
    int WindowHeight;
    COLORREF BackColor;    // inner colour of the frame, face of the close button
    COLORREF FrameColor;   // outer colour of the frame, text of the close button
    COLORREF ForeColor;    // text
    COLORREF ShadowColor;  // text shadow or outline
    BYTE FrameWidth;       // frame steps in pixels
    BYTE RoundWidth;       // corner size of the window region and the frame
    BYTE ShadowWidth;
    BYTE ShadowDirection;  // 2, 4, 6, 8, or 255 for an outline
    int Gradation;
    int AutoSize;  // 1: the height follows the texts
    int ShowAlpha;  // 1: fade in
    int FixPos;
    int FixSize;
    int ShowClose;
    BYTE CloseType;  // POPUPVIEW_STAY_OPEN or POPUPVIEW_AUTO_CLOSE
    int CloseTime;   // seconds
    int PopupSpeed;  // fade time in tenths of a second
    // The font keys as stored; Font is built from them after reading and gives them back before writing.
    char FontName[LF_FACESIZE];
    BYTE FontCharSet;
    BYTE FontPitchAndFamily;
    int FontSize;  // the LOGFONT's height
    int FontBold;  // weight; 1 reads as 700, 0 as 400
    BYTE FontItalic;
    LOGFONTA Font;
};

// Moves the older section into the plug-in's section once, then reads every key of the section at iniPath into
// settings (defaults for what is missing) and builds the font. 0 for a null argument.
int LoadPopupViewSettings(PopupViewSettings* settings, const char* iniPath);
// Replaces the plug-in's section at iniPath with every key of settings, the font taken from settings->Font;
// 0 when nothing could be written.
int SavePopupViewSettings(const PopupViewSettings* settings, const char* iniPath);
// When the older section holds a WindowX (any value but 9999), copies that whole section over the plug-in's section
// and then deletes it; 1 when it was moved.
int MovePopupViewOldSection(const char* iniPath);

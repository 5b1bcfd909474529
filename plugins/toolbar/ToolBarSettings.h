// The toolbar's settings in the host's settings file: the section "DaylensToolBar" with the button list, and the
// bar's position per desktop size in "DaylensToolBar<width>x<height>".
#pragma once

#include <windows.h>

#include "ToolBarRules.h"

// Background kinds (TransMode) and translucency modes (AlphaMode).
#define TOOLBAR_TRANS_KEY 0
#define TOOLBAR_TRANS_PSEUDO 1
#define TOOLBAR_TRANS_OPAQUE 2
#define TOOLBAR_ALPHA_ALWAYS 0
#define TOOLBAR_ALPHA_UNTIL_TOUCHED 1
#define TOOLBAR_ALPHA_NEVER 2
// The dialogs' ranges.
#define TOOLBAR_BUTTON_SIZE_MIN 10
#define TOOLBAR_BUTTON_SIZE_MAX 30
#define TOOLBAR_BUTTON_SPACE_MAX 30
#define TOOLBAR_ALPHA_TIME_MIN 1
#define TOOLBAR_ALPHA_TIME_MAX 100

// What the settings dialog edits as a whole.
struct ToolBarSetting {
    int AutoStart;
    int Fix;
    int ShowIcon;
    int Attach;
    int Vertical;
    COLORREF BackColor;
    int WindowX;
    int WindowY;
    int ButtonSize;
    int ButtonSpace;
    BYTE TransMode;
    BYTE AlphaMode;
    BYTE AlphaRate;
    BYTE AlphaTime;
    COLORREF CustomColors[16];  // the colour chooser's, kept while the plug-in is loaded
};

// Everything the section holds: the settings, what is kept beside them and the button records.
struct ToolBarFile {
    ToolBarSetting Setting;
    int BalloonTip;
    int ButtonWindowX;  // the button dialog's rectangle; -1 unset
    int ButtonWindowY;
    int ButtonWindowWidth;
    int ButtonWindowHeight;
    ToolBarButton Buttons[TOOLBAR_RECORD_COUNT];
};

// "DaylensToolBar", the section and the program name.
extern const char kToolBarSection[];

// The per-screen section's name for a desktop of size.
void ToolBarScreenSection(char* out, size_t outSize, SIZE desktop);
// Reads file from the settings file at iniPath: the section, the position of the desktop's size over the main one,
// and the buttons, resolved against the plug-in menu table (null: no plug-ins); a missing file gives the defaults
// and the seven default buttons. 0 for null arguments.
int LoadToolBarSetting(ToolBarFile* file, const char* iniPath, SIZE desktop, const PlugInMenuItem* table);
// Replaces the section with file, then the desktop's position section; the buttons are numbered from 1 without
// gaps. 0 when a section could not be written.
int SaveToolBarFile(const ToolBarFile* file, const char* iniPath, SIZE desktop, const PlugInMenuItem* table);

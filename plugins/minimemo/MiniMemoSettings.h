// The mini memo's settings: the record, its keys in the section "DaylensMiniMemo" of the host's settings file (with
// the two older key names and the three text styles), and where the memo store lies, read from the memo section.
#pragma once

#include <windows.h>

#include "DayMemoStore.h"
#include "SettingsTypes.h"

#define MINIMEMO_SECTION "DaylensMiniMemo"
#define MINIMEMO_STYLE_COUNT 3
// Text styles: the days before today, today, the days after.
#define MINIMEMO_STYLE_BEFORE 0
#define MINIMEMO_STYLE_TODAY 1
#define MINIMEMO_STYLE_AFTER 2
// Days listed on either side of today at most.
#define MINIMEMO_DAYS_MAX 31
// A stored width or height below this means no size is stored.
#define MINIMEMO_MIN_STORED_SIZE 5
// AutoSize: off, growing downward, growing upward.
#define MINIMEMO_AUTOSIZE_OFF 0
#define MINIMEMO_AUTOSIZE_DOWN 1
#define MINIMEMO_AUTOSIZE_UP 2

// The look of one group of days.
struct MiniMemoTextStyle {
    LOGFONTA Font;
    COLORREF ForeColor;
    COLORREF ShadowColor;
    BYTE ShadowWidth;
    BYTE ShadowDirection;  // SHADOW_UP_RIGHT, _DOWN_RIGHT, _DOWN_LEFT, _UP_LEFT or SHADOW_OUTLINE
    int StringGradation;
};

struct MiniMemoSettings {
    int Show;
    int WindowX;
    int WindowY;
    int WindowWidth;
    int WindowHeight;
    int MarginLeft;
    int MarginTop;
    int MarginRight;
    int MarginBottom;
    BYTE WindowOrder;  // 0 normal, WINDOW_ORDER_TOPMOST, WINDOW_ORDER_BOTTOM
    COLORREF BackColor;
    COLORREF FrameColor1;
    COLORREF FrameColor2;
    MiniMemoTextStyle Styles[MINIMEMO_STYLE_COUNT];
    int FixPos;
    int FixSize;
    BYTE AutoSize;
    int ShowYear;
    int ClickClose;
    int ExistDraw;   // 1: days without text are not listed
    int PopupSpeed;  // fade step interval in 10 ms
    BYTE LineMargin;
    int MultiLine;
    int AllMemo;
    BYTE LineIndent;
    TransparencySettings Trans;
    int FrameWidth;
    BYTE FrameShape;
    int RoundWidth;
    BYTE FrameGradation;
    int AntiAliasing;
    int BeforeDays;
    int AfterDays;
    int UseToolTip;
    int BalloonTip;
};

// Where the memo store lies, from the host's memo section.
struct MiniMemoStore {
    int MemoIndividual;
    char MemoDir[MEMO_DIR_SIZE];  // as configured
    int MemoSaveOneMonth;
    char Folder[MEMO_DIR_SIZE];   // resolved (GetMemoDir)
};

// Fills settings from the section of the file at iniPath (the defaults for what is missing), and store from the
// host's memo section of the same file. 0 for a null argument or lack of memory (settings then hold the defaults).
int LoadMiniMemoSettings(MiniMemoSettings* settings, MiniMemoStore* store, const char* iniPath);
// Replaces the section with every key of settings (the window rectangle taken from window when it is one). 0 when
// the text cannot be gathered or written, else 1.
int SaveMiniMemoSettings(MiniMemoSettings* settings, HWND window, const char* iniPath);
// The reader's view of the store.
MemoStoreSettings MiniMemoStoreView(const MiniMemoStore* store);

// The settings record: every display setting of the calendar plus the run-time
// state that the drawing code and the main window share. Modules receive it by
// pointer; it is created with new and destroyed with delete by its owners.
//
// Ownership: DayCells, PreWallPaper, HourAlarm, UserMarks, MonthUserStr and
// WeekUserStr are process-heap blocks owned by the record (a copy owns its own);
// whoever frees one sets the field to null. BackPicture is owned by the record
// that created it and never copied. LanguageName, CustomColors, PlugInSlots and
// PlugInMenuItems belong to start-up and are shared; handles are shared values
// that the record never releases.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include "SettingsTypes.h"

struct PlugInSlot;
struct PlugInMenuItem;

// A decoded background picture. Only the main program creates one (through GDI+);
// the record deletes it through the virtual destructor, so this library and the
// DLLs never depend on GDI+.
class BackgroundPicture {
public:
    virtual ~BackgroundPicture() {}
};

// 1 when a language word (the language module's, or the one the plug-ins are asked in) names English: exactly
// "English", "english", "Eng" or "eng".
int IsEnglishLanguage(const char* language);

class EnvData {
public:
    EnvData();
    ~EnvData();
    EnvData(const EnvData&) = delete;
    EnvData& operator=(const EnvData&) = delete;

    // Copies every field of source except Busy, duplicating the owned blocks and
    // dropping this record's picture. 1 on success (also for a copy of itself),
    // 0 when source is null or a block could not be duplicated (that field is then
    // null, with its count 0).
    int CopyFrom(const EnvData* source);
    // 1 and Busy set, or 0 when Busy was already set.
    int BeginBusy();
    int EndBusy();

    // Run time.
    int Busy;
    char* LanguageName;
    int IsEnglish;
    HWND MainWindow;
    HWND PreviewWindow;
    HBITMAP BackBitmap;
    HDC MemoryDC;
    HRGN WindowRegion;               // the region handed to the window, which owns it: never deleted
    HMENU ContextMenu;
    HMENU ToolsMenu;
    HMENU OptionsMenu;
    HMENU PowerMenu;
    HMENU PlugInMenu;
    HMENU TrayMenu;
    SYSTEMTIME Today;
    SYSTEMTIME ShownMonth;
    HWND ToolTipWindow;
    TOOLINFOA ToolInfo;
    UINT_PTR ToolIds[TOOL_ID_MAX];
    int ToolCount;
    int DayCellCount;
    DayCell* DayCells;               // DAY_CELL_MAX entries, or null
    int MonthArrangement[2][12];     // [0] years drawn, [1] years measured, per month block
    HCURSOR Cursors[CURSOR_COUNT];
    BackgroundPicture* BackPicture;
    BYTE WallpaperModeAtStart;
    char* PreWallPaper;
    int DrawWallPaper;
    char* HourAlarm;
    int UserStyleMax;
    UserMark* UserMarks;             // UserStyleMax entries
    MarkDlgData MarkDialogData;
    SYSTEMTIME ClickedDate;
    SYSTEMTIME DropDate;
    PlugInSlot* PlugInSlots;         // PLUGIN_SLOT_COUNT entries
    PlugInMenuItem* PlugInMenuItems; // PLUGIN_MENU_ITEM_COUNT entries
    int PopupViewSlot;
    HMODULE MiniMemoModule;
    HMODULE ToolBarModule;
    HMODULE LauncherModule;
    int DropSlot;
    int PowerSlot;
    int RepaintFlag;

    // Settings.
    BYTE DisplayType;
    BYTE DisplayStart;
    BYTE DisplaySepDate;
    int DisplayOffSet;
    int DisplayPreYear;
    int DisplayPreMonth;
    BYTE DisplayRows;
    BYTE DisplayLines;
    BYTE DisplayOrder;
    BYTE DisplayHeight;
    BYTE DisplayYMStyle;
    int DisplayYMChange;
    BYTE YearType;
    int DisplayFewYear;
    int YMLink;
    char YMLinkString[YM_LINK_STRING_SIZE];
    BYTE MonthType;
    BYTE WeekType;
    BYTE WeekKakko;
    int WeekInForm;
    BYTE StartDate;
    BYTE WeekPos;
    BYTE DayAlign;
    int FillSpace;
    COLORREF FillLightColor;
    COLORREF FillDarkColor;
    int ShowWeekNum;
    int MoveWithWheel;
    int MoveWithKeyUD;
    int MoveWithKeyRL;
    COLORREF ShadowColor;
    COLORREF* CustomColors;          // CUSTOM_COLOR_COUNT entries
    FontStyle YearStyle;
    FontStyle MonthStyle;
    FontStyle WeekStyles[7];         // Sunday to Saturday
    FontStyle HolidayStyle;
    FontStyle MyHolidayStyle;
    FontStyle TodayStyle;
    int MarkOrder[MARK_ORDER_COUNT]; // MarkOrderKind
    int EachMonthSpace;
    int YMSpace;
    int MonthHeight;
    int WeekHeight;
    int DayWidth;
    int DayHeight;
    BYTE ShadowWidth;
    BYTE ShadowDirection;
    int Gradation;
    int MyHolidayIndividual;
    int HolidayWindowX;
    int HolidayWindowY;
    int HolidayWindowWidth;
    int HolidayWindowHeight;
    int PlugInWindowX;
    int PlugInWindowY;
    int PlugInWindowWidth;
    int PlugInWindowHeight;
    BYTE ButtonStyle;
    BYTE DialogFont;
    LOGFONTA WeekFont;
    LOGFONTA DayFont;
    BYTE TabSelect;
    int WindowX;
    int WindowY;
    int WindowWidth;                 // run time: computed by the layout
    int WindowHeight;
    int WindowFix;
    BYTE WindowOrder;
    COLORREF BackColor;
    COLORREF FrameColor1;
    COLORREF FrameColor2;
    BYTE FrameShape;
    int FrameWidth;
    int RoundWidth;
    BYTE FrameGradation;
    int AntiAliasing;
    int MarginLeft;
    int MarginTop;
    int MarginRight;
    int MarginBottom;
    char BackImage[BACK_IMAGE_SIZE];
    int ShowToolTip;
    int ShowYearTip;
    int ToolTipWidth;
    int BalloonTip;
    int ShowWeekTip;
    int ShowHolidayTip;
    int ShowMyHolidayTip;
    int ShowMemoTip;
    int ShowRepeatMemoTip;
    int ShowMemorialTip;
    int ShowPassedDays;
    int ShowPassedWeeks;
    int ShowRestDays;
    TransparencySettings Transparency;
    int UseTaskTray;
    int UseTaskTrayDate;
    int UseTaskTrayClick;
    int DenyOutOfDesktop;
    BYTE HotSpot[HOT_SPOT_COUNT];
    BYTE DoubleClick;
    BYTE DoubleStart;
    int DelayedStart;
    int DelayedStartTime;
    int UseShutdownMenu;
    char* MonthUserStr;
    char* WeekUserStr;
};

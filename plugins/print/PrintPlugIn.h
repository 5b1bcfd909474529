// The print plug-in's state: one set per loaded library, built on attach and freed on detach. The dialog, its
// pages, the preview and the print job all work on it.
#pragma once

#include <windows.h>

#include "Holiday.h"
#include "MemoSettings.h"
#include "MemorialSettings.h"
#include "PrintPage.h"
#include "RepeatMemo.h"

class AppInfo;
class EnvData;

#define PRINT_PLUGIN_NAME "DaylensPrint"
#define PRINT_PLUGIN_VERSION 105
#define PRINT_PRINTER_MAX 64
#define PRINT_DEVICE_NAME_SIZE 1024
#define PRINT_PAGE_SLOTS 8

// The plug-in's own section "DaylensPrint".
struct PrintSettings {
    int WindowX;
    int WindowY;
    BYTE SelectedTab;
    int Orientation;  // dmOrientation 1-2
    int Color;        // dmColor 1-2
    int Duplex;       // dmDuplex 1-3
    PrintOptions Options;
    int YMSpace;      // replaces the calendar's value for the pages
};

// The preview window and what it shows.
struct PreviewState {
    HWND Window;
    int Year;
    int Month;
    double Scale;
    PageMetrics Printer;  // of the printer chosen when the preview opened or was last asked for
    HDC MemoryDc;
    HBITMAP Bitmap;
    HGDIOBJ OldBitmap;
    int Ready;
    int Dragging;
    POINT DownAt;
    POINT Offset;
};

struct PrintState {
    HINSTANCE Module;
    AppInfo* Info;
    EnvData* Env;
    MemoSettings Memo;
    MemorialSettings Memorial;
    PrintSettings Settings;
    int FromYear, FromMonth, ToYear, ToMonth;
    HolidayRecord* Holidays;
    unsigned int HolidayCount;
    HolidayRecord* MyHolidays;
    unsigned int MyHolidayCount;
    HolidayRecord* Memorials;
    unsigned int MemorialCount;
    int HolidaysLoaded;
    RepeatMemoRecord* Repeats;
    char* RepeatTexts[REPEAT_MEMO_MAX];
    int RepeatCount;
    char* UserName;
    char* IniPath;
    HCURSOR DragCursor;
    HCURSOR MoveCursor;
    HCURSOR PrintCursor;
    HICON BigIcon;
    HICON SmallIcon;
    HWND Dialog;
    int DialogOpen;
    HWND Pages[PRINT_PAGE_SLOTS];
    char DeviceName[PRINT_DEVICE_NAME_SIZE];
    DEVMODEA* DevMode;  // the one in use: one of DevModes
    DEVMODEA* DevModes[PRINT_PRINTER_MAX];
    PreviewState Preview;
};

extern PrintState g_print;

// What the pages are drawn from, as the plug-in holds it now.
PageSources CurrentPageSources();

// Attach and detach of the library.
int InitPrintPlugIn(HINSTANCE module);
int ExitPrintPlugIn();

// The calendar's settings and the plug-in's section from the settings file (PrintSettings.cpp).
void LoadPrintSettings();
int SavePrintSection();
// The file's Orientation, Color and Duplex kept only within the values a DEVMODE takes; others give the default.
void KeepDeviceSettingsInRange(PrintSettings* settings);

// The print job over the range into dc (PrintJob.cpp): 1 when the document went to the printer, 0 when a document
// or page call failed and the document was aborted.
int PrintMonths(HDC dc, const PageSources& sources, const PageMetrics& metrics, int fromYear, int fromMonth,
                int toYear, int toMonth);

// The preview (PrintPreview.cpp): opens it on the range's first month for a printer of these metrics, or renders
// it again when open; 1, or 0 when it could not be made.
int ShowPrintPreview(const PageMetrics* printer);
// Closes an open preview.
void ClosePrintPreview();

// The modal print dialog (PrintDialog.cpp); returns when it has closed.
int RunPrintDialog();
// Closes an open print dialog and its pages and preview; for the library's detach.
void ClosePrintDialog();
// Brings an open dialog to the front; 1.
int ActivatePrintDialog();
// Tells the dialog that a page changed something the preview shows.
void NotifyPrintPreviewChange();

// The language module (Daylens.Jpn.dll): its file names and every export, with its function type. The main program
// loads it at start-up and looks each export up by name when it uses it; a missing export skips only that step.
#pragma once

#include <windows.h>

#include "Holiday.h"
#include "PlugInSlot.h"
#include "ModuleExport.h"
#include "RepeatMemo.h"
#include "SettingsTypes.h"

class EnvData;
struct MemoSettings;

// List kinds of SetHolidayDlg.
#define HOLIDAY_LIST_OWN 0
#define HOLIDAY_LIST_MEMORIAL 1

// Export list: name, result, parameters.
#define LANGUAGE_MODULE_EXPORTS(X)                                                                                 \
    /* The module's handle, the instance of its resources. */                                                    \
    X(GetInstance, HINSTANCE, (void))                                                                              \
    /* Fills a fresh settings record with the module's defaults; 1. */                                            \
    X(EnvInitialize, int, (EnvData * env))                                                                         \
    /* Holiday lists: kind HOLIDAY_KIND_*; the caller frees the list with FreeHolidayList. */                     \
    X(LoadHoliday, HolidayRecord*, (unsigned char kind, const char* path, unsigned int* count))                   \
    X(CheckHoliday, int,                                                                                           \
      (const HolidayRecord* list, int count, int year, int month, int day, char* name, int substitute))           \
    /* Layout. */                                                                                                  \
    X(CalcWindowSize, int, (int year, int month, int* width, int* height, EnvData* env))                          \
    X(CalcWindowSizeOneMonthNormal, int,                                                                           \
      (int year, int month, int* width, int* height, SIZE* heading, SIZE* grid, EnvData* env))                    \
    X(CalcWindowSizeOneMonthLine, int,                                                                             \
      (int year, int month, int cells, int* width, int* height, SIZE* heading, SIZE* grid, EnvData* env))         \
    X(CalcWindowSizeOneMonthRow, int,                                                                              \
      (int year, int month, int cells, int* width, int* height, SIZE* heading, SIZE* grid, EnvData* env))         \
    X(CalcYearMonthSize, int,                                                                                      \
      (HDC dc, HFONT * yearFont, HFONT * monthFont, int year, int month, int* width, int* height,                 \
       SIZE* yearText, SIZE* monthText, EnvData* env))                                                             \
    /* Headings and marks. */                                                                                      \
    X(DrawYearMonth, int,                                                                                          \
      (HDC dc, int year, int month, int x, int y, int availableWidth, int headingWidth, int headingHeight,        \
       SIZE yearText, SIZE monthText, HFONT yearFont, HFONT monthFont, int addTool, EnvData* env))                \
    X(DrawDayMark, int, (HDC dc, RECT * box, int otherMonth, const char* dayText, FontStyle* style, EnvData* env)) \
    /* Day cells, tooltips and the hit test. */                                                                    \
    X(CreateToolTip, int, (EnvData * env))                                                                         \
    X(SetToolTip, int,                                                                                             \
      (DayCell * table, int* count, const char* text, const RECT* rect, EnvData* env, int year, int month,        \
       int day, int addTool))                                                                                      \
    X(GetClickedDatelong, int, (HWND window, long* year, long* month, long* day, EnvData* env))                   \
    X(GetClickedDateWORD, int, (HWND window, WORD * year, WORD * month, WORD * day, EnvData * env))               \
    X(GetClickedDateSYSTEMTIME, int, (HWND window, SYSTEMTIME * date, EnvData * env))                              \
    X(LimitString, const char*, (const char* text, int maxBytes))                                                 \
    /* The mark dialog on block (MARK_DIALOG_*): IDOK when confirmed, IDCANCEL when cancelled or already open. */ \
    X(SetMarkDlg, int, (HWND owner, EnvData * env, MarkDlgData * block, int variant))                              \
    /* Era names and year captions (static buffers of the module, valid until the next call). */                  \
    X(GetWareki, const char*, (int year, int month, int day, int kanjiDigits, int withoutEraName, int withoutNen)) \
    X(YearString, const char*,                                                                                     \
      (int year, int month, unsigned char yearStyle, unsigned char monthSet, int linked, int monthFirst,          \
       const char* joinText))                                                                                     \
    /* The context menu: every menu of the record and the plug-in menu table; the placement check marks. 1. */    \
    X(DaylensCreatePopup, int, (EnvData * env))                                                                    \
    X(DaylensCheckMenuAll, int, (EnvData * env))                                                                   \
    /* Dialogs over lists of the caller's, which they replace when the user saves. */                              \
    X(RepeatMemoDlg, int,                                                                                          \
      (HWND owner, EnvData * env, MemoSettings * memo, RepeatMemoRecord * *records, char** texts, int* count))    \
    /* Own holidays (list kind 0) or memorial days (1): the list, its style and its file at path. */               \
    X(SetHolidayDlg, int,                                                                                          \
      (HWND owner, unsigned char listKind, EnvData* env, HolidayRecord** records, unsigned int* count,           \
       FontStyle* style, SYSTEMTIME* preset, const char* path))                                                  \
    /* The plug-in table with versions, use flags and load order: 1 after "設定", 4 after "アップデート" (command \
       505 posted), 2 otherwise. */                                                                                 \
    X(ShowPlugInDlg, int, (HWND owner, EnvData * env, PlugInSlot * table))

namespace LanguageModule {

LANGUAGE_MODULE_EXPORTS(DAYLENS_EXPORT_TYPE)
DAYLENS_EXPORT_TABLE(LANGUAGE_MODULE_EXPORTS)

// The file names the program tries, in this order.
constexpr const char* kFileNames[] = {"Daylens.Jpn.dll", "Daylens.Eng.dll", "resource.dll", "DaylensResource.dll"};

}  // namespace LanguageModule

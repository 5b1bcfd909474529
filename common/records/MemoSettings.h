// The memo settings of the main program: where the memo store lies and how it is kept, how memos show on the
// calendar, the tray and the popups, the look of the memo windows, and the run-time state that the memo windows and
// the memo watcher share. The settings part is kept in the section "DaylensMemo"; the print and mini-memo plug-ins
// read that section, and the print plug-in may be handed a copy of the whole record.
#pragma once

#include <windows.h>

#include <stddef.h>

#include "SettingsTypes.h"

#define MEMO_FOLDER_SIZE 1024
#define MEMO_ALARM_SIZE 1024
// Entries of the search history, most recent first, ended by the first null entry.
#define MEMO_SEARCH_HISTORY_COUNT 100
// Hour or minute of a popup time that is not set.
#define MEMO_TIME_UNSET 99
#define MEMO_FONT_SIZE_MIN 10
#define MEMO_FONT_SIZE_MAX 99
// Pages of the memo settings dialog (MemoSelectedTab).
#define MEMO_SETTINGS_PAGE_SLOTS 8

struct MemoSettings {
    char MemoDir[MEMO_FOLDER_SIZE];  // the resolved memo folder, without a trailing backslash

    // Run time, never stored.
    HMENU MemoMenu;              // popup menu of the day-memo window
    HWND PeriodWindow;           // the open period memo window, else null
    int MemoYear;                // the date the memo windows show
    int MemoMonth;
    int MemoDay;
    SYSTEMTIME TodayAnnounced;     // date on which the watcher last announced today's memo
    SYSTEMTIME TodayAlarm;         // today's date with the time of today's memo
    SYSTEMTIME TomorrowAnnounced;  // date on which the watcher last announced tomorrow's memo
    int PeriodRowCount;            // rows of the period memo list

    // Kept in the settings file.
    BYTE MemoSelectedTab;
    int TodayMemoWindowX;
    int TodayMemoWindowY;
    int TodayMemoWindowWidth;
    int TodayMemoWindowHeight;
    int WeekMemoWindowX;
    int WeekMemoWindowY;
    int WeekMemoWindowWidth;
    int WeekMemoWindowHeight;
    int MemoIndividual;          // 1: a memo folder per Windows user
    int MemoShowToolTip;         // the memo text in the calendar's day tooltip
    int MemoTaskTray;            // the tray icon signals a memo day
    int MemoMark;                // days with a memo carry the memo mark
    int MemoSaveOneMonth;        // 1: one memo file a month
    int MemoAutoIME;             // open the input method in the memo edit
    int MemoPopup;               // popup of the day's memo at start
    int MemoPopupNoShow;         // no start popup after the set time
    int MemoPopupTime;           // after the set time the start popup shows tomorrow's memo
    int MemoPopupTimeHour;       // MEMO_TIME_UNSET: not set
    int MemoPopupTimeMinute;
    int MemoTomorrowHour;        // daily popup of tomorrow's memo; MEMO_TIME_UNSET: none
    int MemoTomorrowMinute;
    int MemoSleepCheckInterval;  // seconds between two watcher passes that count as a resume (0: no popup)
    BYTE WeekMemoMode;           // 0-3 one to four weeks, 4 the month
    FontStyle MemoStyle;         // the style of a new memo; a mark kind from MARK_KIND_USER_BASE names a user mark
    BYTE MemoFontSize;           // MEMO_FONT_SIZE_MIN-MEMO_FONT_SIZE_MAX
    BYTE MemoDialogFont;         // 0 serif, 1 sans-serif face in the memo edits
    char MemoPopupAlarm[MEMO_ALARM_SIZE];            // sound file of a memo popup
    char* MemoSearch[MEMO_SEARCH_HISTORY_COUNT];      // process-heap texts; the record's owner frees them
};
static_assert(offsetof(MemoSettings, MemoDir) == 0, "the memo folder heads the record");
static_assert(sizeof(MemoSettings) == 3120, "MemoSettings is shared between modules");

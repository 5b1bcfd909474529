// Decisions of the memo watcher: which popup one pass of the watcher shows, for which day and under which
// headings, and what the watcher keeps for the next pass. The watcher reads the memos and memorial days itself.
#pragma once

#include <windows.h>

enum PopupWatchKind {
    POPUP_WATCH_NONE = 0,
    POPUP_WATCH_START_TODAY,     // the start (or resume) popup with today's memo and memorial days
    POPUP_WATCH_START_TOMORROW,  // the start popup after the set time of day: tomorrow's memo and memorial days
    POPUP_WATCH_TIMED_TODAY,     // today's memo at its own time
    POPUP_WATCH_TIMED_TOMORROW   // tomorrow's memo and memorial days at the daily tomorrow time
};

// The memo and memorial settings the watcher goes by; hours and minutes MEMO_TIME_UNSET when not set.
struct PopupWatchSettings {
    int MemoPopup;               // 1: the start popup shows the day memo
    int MemoPopupNoShow;         // 1: the start popup leaves out today's memo once its time has passed
    int MemoPopupTime;           // 1: past MemoPopupTimeHour:MemoPopupTimeMinute the start popup shows tomorrow
    int MemoPopupTimeHour;
    int MemoPopupTimeMinute;
    int MemoTomorrowHour;        // daily popup of tomorrow's memo
    int MemoTomorrowMinute;
    int MemoSleepCheckInterval;  // seconds between two passes that count as a resume; 0: never
    int MemorialPopup;           // 1: popups show the memorial days
};

// What the watcher keeps from one pass to the next.
struct PopupWatchState {
    int Request;                   // 1: the next pass shows the start popup (1 when the watcher starts)
    SYSTEMTIME LastPass;           // when the previous pass ended: after its popup closed, else its own time
    SYSTEMTIME TodayAnnounced;     // date of the last popup of today's memo at its time; zero: none
    SYSTEMTIME TomorrowAnnounced;  // date of the last popup of tomorrow's memo at the tomorrow time; zero: none
};

// One popup: the texts of Date go under the headings. MemorialHeading is null for a popup without memorial days.
struct PopupWatchPopup {
    int Kind;
    SYSTEMTIME Date;              // today or tomorrow, time of day zero
    const char* MemoHeading;
    const char* MemorialHeading;
    int WithDayMemo;              // 0: the day memo is left out; the repeating memos of Date always show
    int WithMemorial;             // 1: the memorial days of Date fill the memorial text
    int PassDate;                 // 1: the popup view is handed Date, else no date (today's timed popup)
};

// Popups of one pass in the order to show them: none, the start popup, or the timed popups whose minute it is
// (today's before tomorrow's when both fall in the same minute). A start pass never shows a timed popup.
#define POPUP_WATCH_MAX_POPUPS 2
struct PopupWatchDecision {
    int Count;
    PopupWatchPopup Popups[POPUP_WATCH_MAX_POPUPS];
    int RefreshTodayAlarm;  // 1: today's memo alarm is to be read again from today's memo (after a start pass)
    PopupWatchState After;  // the state for the next pass
};

// The first heading of a popup of today's memo and of tomorrow's memo, and the memorial headings.
extern const char* const kPopupTodayMemoHeading;
extern const char* const kPopupTomorrowMemoHeading;
extern const char* const kPopupTodayMemorialHeading;
extern const char* const kPopupTomorrowMemorialHeading;

// One pass of the watcher at now, given what it kept from the pass before, the settings and the hour and minute of
// today's memo alarm (MEMO_TIME_UNSET for both when today has no memo). A gap between the previous pass and now of
// at least MemoSleepCheckInterval seconds, counted over the whole date and time, asks for the start popup again.
// A timed popup shows at most once per date; an unset time never shows one.
PopupWatchDecision DecidePopupWatch(const SYSTEMTIME* now, const PopupWatchState* before,
                                    const PopupWatchSettings* settings, int alarmHour, int alarmMinute);

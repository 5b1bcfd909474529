#include "PopupWatchRules.h"

#include <string.h>

#include "DateUtil.h"

const char* const kPopupTodayMemoHeading = "今日のメモ";
const char* const kPopupTomorrowMemoHeading = "明日のメモ";
const char* const kPopupTodayMemorialHeading = "今日は何の日？";
const char* const kPopupTomorrowMemorialHeading = "明日は何の日？";

namespace {

SYSTEMTIME DateOf(const SYSTEMTIME& time)
{
    SYSTEMTIME date = {};
    date.wYear = time.wYear;
    date.wMonth = time.wMonth;
    date.wDay = time.wDay;
    date.wDayOfWeek = (WORD)SystemTimeDayOfWeek(&date);
    return date;
}

SYSTEMTIME TomorrowOf(const SYSTEMTIME& time)
{
    SYSTEMTIME date = DateOf(time);
    AddDays(&date, 1);
    date.wDayOfWeek = (WORD)SystemTimeDayOfWeek(&date);
    return date;
}

bool SameDate(const SYSTEMTIME& a, const SYSTEMTIME& b)
{
    return a.wYear == b.wYear && a.wMonth == b.wMonth && a.wDay == b.wDay;
}

bool AtMinute(const SYSTEMTIME& now, int hour, int minute)
{
    return hour >= 0 && hour < 24 && minute >= 0 && minute < 60 && now.wHour == hour && now.wMinute == minute;
}

// hour:minute lies before the time of day of now (hour less, or hour equal and minute less).
bool Before(int hour, int minute, const SYSTEMTIME& now)
{
    return hour < now.wHour || (hour == now.wHour && minute < now.wMinute);
}

// Seconds from last to now over the whole date and time; 0 when the clock went back.
long long GapSeconds(const SYSTEMTIME& now, const SYSTEMTIME& last)
{
    SYSTEMTIME gap = now;
    SystemTimeDifference(&gap, &last);
    return (long long)gap.wDay * 86400 + gap.wHour * 3600 + gap.wMinute * 60 + gap.wSecond;
}

PopupWatchPopup StartPopup(const SYSTEMTIME& now, const PopupWatchSettings& settings, int alarmHour,
                           int alarmMinute)
{
    bool tomorrow = settings.MemoPopupTime == 1 &&
                    Before(settings.MemoPopupTimeHour, settings.MemoPopupTimeMinute, now);
    PopupWatchPopup popup = {};
    popup.Kind = tomorrow ? POPUP_WATCH_START_TOMORROW : POPUP_WATCH_START_TODAY;
    popup.Date = tomorrow ? TomorrowOf(now) : DateOf(now);
    popup.MemoHeading = tomorrow ? kPopupTomorrowMemoHeading : kPopupTodayMemoHeading;
    popup.MemorialHeading = tomorrow ? kPopupTomorrowMemorialHeading : kPopupTodayMemorialHeading;
    popup.WithDayMemo = settings.MemoPopup == 1 &&
                        (tomorrow || settings.MemoPopupNoShow != 1 || !Before(alarmHour, alarmMinute, now));
    popup.WithMemorial = settings.MemorialPopup == 1;
    popup.PassDate = 1;
    return popup;
}

}  // namespace

PopupWatchDecision DecidePopupWatch(const SYSTEMTIME* now, const PopupWatchState* before,
                                    const PopupWatchSettings* settings, int alarmHour, int alarmMinute)
{
    PopupWatchDecision decision;
    memset(&decision, 0, sizeof(decision));
    if (!now || !before || !settings)
        return decision;
    decision.After = *before;
    decision.After.LastPass = *now;

    if (settings->MemoSleepCheckInterval > 0 &&
        GapSeconds(*now, before->LastPass) >= settings->MemoSleepCheckInterval)
        decision.After.Request = 1;

    if (decision.After.Request) {
        decision.After.Request = 0;
        decision.Popups[decision.Count++] = StartPopup(*now, *settings, alarmHour, alarmMinute);
        memset(&decision.After.TodayAnnounced, 0, sizeof(decision.After.TodayAnnounced));
        memset(&decision.After.TomorrowAnnounced, 0, sizeof(decision.After.TomorrowAnnounced));
        decision.RefreshTodayAlarm = 1;
        return decision;
    }

    if (AtMinute(*now, alarmHour, alarmMinute) && !SameDate(*now, before->TodayAnnounced)) {
        decision.After.TodayAnnounced = DateOf(*now);
        PopupWatchPopup& popup = decision.Popups[decision.Count++];
        popup.Kind = POPUP_WATCH_TIMED_TODAY;
        popup.Date = DateOf(*now);
        popup.MemoHeading = kPopupTodayMemoHeading;
        popup.WithDayMemo = 1;
    }
    if (AtMinute(*now, settings->MemoTomorrowHour, settings->MemoTomorrowMinute) &&
        !SameDate(*now, before->TomorrowAnnounced)) {
        decision.After.TomorrowAnnounced = DateOf(*now);
        PopupWatchPopup& popup = decision.Popups[decision.Count++];
        popup.Kind = POPUP_WATCH_TIMED_TOMORROW;
        popup.Date = TomorrowOf(*now);
        popup.MemoHeading = kPopupTomorrowMemoHeading;
        popup.MemorialHeading = kPopupTomorrowMemorialHeading;
        popup.WithDayMemo = 1;
        popup.WithMemorial = settings->MemorialPopup == 1;
        // The popup titles itself with the date it is handed; without one it would show today under the
        // tomorrow heading.
        popup.PassDate = 1;
    }
    return decision;
}

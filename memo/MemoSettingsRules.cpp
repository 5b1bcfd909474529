#include "MemoSettingsRules.h"

#include <commctrl.h>
#include <stdio.h>

#include "HeapUtil.h"
#include "MemoSettingsFile.h"
#include "StrUtil.h"

namespace {

const int kMinutesPerHour = 60;
const int kHoursPerDay = 24;

// The places of the day-memo and period memo windows, which those windows keep in the live record.
struct MemoWindowPlaces {
    int Today[4];
    int Week[4];
};

MemoWindowPlaces TakePlaces(const MemoSettings* memo)
{
    return {{memo->TodayMemoWindowX, memo->TodayMemoWindowY, memo->TodayMemoWindowWidth, memo->TodayMemoWindowHeight},
            {memo->WeekMemoWindowX, memo->WeekMemoWindowY, memo->WeekMemoWindowWidth, memo->WeekMemoWindowHeight}};
}

void PutPlaces(MemoSettings* memo, const MemoWindowPlaces& places)
{
    memo->TodayMemoWindowX = places.Today[0];
    memo->TodayMemoWindowY = places.Today[1];
    memo->TodayMemoWindowWidth = places.Today[2];
    memo->TodayMemoWindowHeight = places.Today[3];
    memo->WeekMemoWindowX = places.Week[0];
    memo->WeekMemoWindowY = places.Week[1];
    memo->WeekMemoWindowWidth = places.Week[2];
    memo->WeekMemoWindowHeight = places.Week[3];
}

bool IsUserMarkKind(int kind, int count)
{
    return kind >= MARK_KIND_USER_BASE && kind < UserMarkKind(count);
}

}  // namespace

int ApplyMemoSettings(MemoSettings* live, const MemoSettings* work)
{
    if (!live || !work)
        return 0;
    MemoWindowPlaces places = TakePlaces(live);
    int copied = CopyMemoSettings(live, work);
    PutPlaces(live, places);

    return copied;
}

void PickerTime(DWORD pickerResult, const SYSTEMTIME* time, int* hour, int* minute)
{
    if (pickerResult == GDT_VALID && time) {
        *hour = time->wHour;
        *minute = time->wMinute;
    } else {
        *hour = *minute = MEMO_TIME_UNSET;
    }
}

int IsPopupTimeSet(int hour, int minute)
{
    return hour >= 0 && hour < kHoursPerDay && minute >= 0 && minute < kMinutesPerHour;
}

int KeepChosenUserMark(int chosen, int count)
{
    return IsUserMarkKind(chosen, count) ? chosen : MARK_KIND_USER_BASE;
}

int OpenDefaultMark(FontStyle* style, int* chosen, const UserMark* marks, int count)
{
    if (style->MarkType < MARK_KIND_USER_BASE)
        return 0;
    *chosen = KeepChosenUserMark(style->MarkType, count);
    ChooseUserMark(style, *chosen, marks, count);
    return 1;
}

void ChooseOwnMark(FontStyle* style, int chosen, const UserMark* marks, int count)
{
    if (style->MarkType >= MARK_KIND_USER_BASE && marks && IsUserMarkKind(chosen, count))
        *style = marks[chosen - MARK_KIND_USER_BASE].Style;
}

void ChooseUserMark(FontStyle* style, int chosen, const UserMark* marks, int count)
{
    if (!marks || !IsUserMarkKind(chosen, count))
        return;
    *style = marks[chosen - MARK_KIND_USER_BASE].Style;
    style->MarkType = (BYTE)chosen;
}

void DefaultUserMarkName(char* name, size_t size, int number)
{
    snprintf(name, size, USER_MARK_DEFAULT_NAME, number);
}

void RenameUserMark(UserMark* mark, int number, const char* text)
{
    if (SafeStrLen(text) == 0)
        DefaultUserMarkName(mark->Name, sizeof(mark->Name), number);
    else
        SafeStrCpy(mark->Name, USER_MARK_TYPED_NAME_MAX + 1, text);
}

int ResizeUserMarks(UserMark** marks, int* count, int newCount)
{
    if (newCount == *count && *marks)
        return 1;
    UserMark* resized = (UserMark*)ReAllocZeroed(*marks, (size_t)newCount * sizeof(UserMark));
    if (!resized)
        return 0;
    for (int i = *marks ? *count : 0; i < newCount; i++)
        DefaultUserMarkName(resized[i].Name, sizeof(resized[i].Name), i + 1);
    *marks = resized;
    *count = newCount;
    return 1;
}

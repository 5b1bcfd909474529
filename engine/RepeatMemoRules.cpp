#include "RepeatMemoRules.h"

#include <stdio.h>
#include <string.h>

#include "HeapUtil.h"
#include "StrUtil.h"

namespace {

const char* const kWeekdayLetters[] = {"日", "月", "火", "水", "木", "金", "土"};
// A kind the list names although no rule of the matcher selects a day by it.
const int kSpecialType = 7;

// The letters of the weekdays of DayBit, from Sunday, then "曜".
void AppendWeekdays(const RepeatMemoRecord& memo, char* text, size_t size)
{
    for (int day = 0; day < 7; day++) {
        if (memo.DayBit & (1 << day))
            SafeStrCat(text, size, kWeekdayLetters[day]);
    }
    SafeStrCat(text, size, "曜");
}

// "最終" for the last week, "第n" for week n, nothing for every week.
void AppendWeek(const RepeatMemoRecord& memo, char* text, size_t size)
{
    if (memo.Week == REPEAT_WEEK_LAST) {
        SafeStrCat(text, size, "最終");
    } else if (memo.Week > 0) {
        char week[16];
        snprintf(week, sizeof(week), "第%d", memo.Week);
        SafeStrCat(text, size, week);
    }
}

RepeatWorkListAllocProc g_alloc = AllocZeroed;

void FreeText(char** text)
{
    if (*text)
        HeapFree(GetProcessHeap(), 0, *text);
    *text = nullptr;
}

bool IsRow(const RepeatMemoWorkList* list, int index)
{
    return list && index >= 0 && index < list->Count;
}

}  // namespace

const char* RepeatMemoUseText(const RepeatMemoRecord* memo)
{
    return memo && memo->Use == 1 ? "○" : "--";
}

void RepeatMemoRuleText(const RepeatMemoRecord* memo, char* text, size_t size)
{
    if (!text || size == 0)
        return;
    text[0] = '\0';
    if (!memo) {
        SafeStrCpy(text, size, "--");
        return;
    }
    const RepeatMemoRecord& m = *memo;
    bool lastDay = m.Day >= REPEAT_LAST_DAY_FROM;
    switch (m.Type) {
    case REPEAT_EVERY_DAY:
        SafeStrCpy(text, size, "毎日");
        break;
    case REPEAT_WEEKDAYS:
        SafeStrCpy(text, size, "毎週");
        AppendWeekdays(m, text, size);
        break;
    case REPEAT_MONTH_DAY:
        if (lastDay)
            SafeStrCpy(text, size, "毎月月末");
        else
            snprintf(text, size, "毎月%d日", m.Day);
        break;
    case REPEAT_MONTH_WEEKDAYS:
        SafeStrCpy(text, size, "毎月");
        AppendWeek(m, text, size);
        AppendWeekdays(m, text, size);
        break;
    case REPEAT_YEAR_DAY:
        if (lastDay)
            snprintf(text, size, "毎年%d月月末", m.Month);
        else
            snprintf(text, size, "毎年%d月%d日", m.Month, m.Day);
        break;
    case REPEAT_YEAR_WEEKDAYS:
        snprintf(text, size, "毎年%d月", m.Month);
        AppendWeek(m, text, size);
        AppendWeekdays(m, text, size);
        break;
    case kSpecialType:
        SafeStrCpy(text, size, "特殊");
        break;
    default:
        SafeStrCpy(text, size, "--");
        break;
    }
}

RepeatMemoRecord NewRepeatMemo(void)
{
    RepeatMemoRecord memo;
    memset(&memo, 0, sizeof(memo));
    memo.Use = 1;
    memo.Style.NoUseStrColor = 1;
    memo.Style.ShadowWidth = 1;
    memo.Style.ShadowDirection = SHADOW_DOWN_RIGHT;
    return memo;
}

int RepeatWorkListCopy(RepeatMemoWorkList* list, const RepeatMemoRecord* records, char* const* texts, int count)
{
    if (!list)
        return 0;
    memset(list, 0, sizeof(*list));
    if (!records || !texts)
        return 1;
    for (int i = 0; i < count && i < REPEAT_MEMO_MAX && texts[i] && texts[i][0]; i++) {
        list->Texts[i] = StrDupHeap(texts[i]);
        if (!list->Texts[i]) {
            RepeatWorkListFree(list);
            return 0;
        }
        list->Records[i] = records[i];
        list->Count = i + 1;
    }
    return 1;
}

void RepeatWorkListFree(RepeatMemoWorkList* list)
{
    if (!list)
        return;
    for (char*& text : list->Texts)
        FreeText(&text);
    list->Count = 0;
}

int RepeatWorkListInsert(RepeatMemoWorkList* list, int before, const RepeatMemoRecord* memo, const char* text)
{
    if (!list || !memo || !text || !text[0] || list->Count >= REPEAT_MEMO_MAX)
        return -1;
    char* copy = StrDupHeap(text);
    if (!copy)
        return -1;
    int at = IsRow(list, before) ? before : list->Count;
    int moved = list->Count - at;
    memmove(&list->Records[at + 1], &list->Records[at], sizeof(list->Records[0]) * (size_t)moved);
    memmove(&list->Texts[at + 1], &list->Texts[at], sizeof(list->Texts[0]) * (size_t)moved);
    list->Records[at] = *memo;
    list->Texts[at] = copy;
    list->Count++;
    return at;
}

int RepeatWorkListReplace(RepeatMemoWorkList* list, int index, const RepeatMemoRecord* memo, const char* text)
{
    // A memo without text would end the list for every reader, so the change is refused.
    if (!IsRow(list, index) || !memo || !text || !text[0])
        return 0;
    char* copy = StrDupHeap(text);
    if (!copy)
        return 0;
    FreeText(&list->Texts[index]);
    list->Texts[index] = copy;
    list->Records[index] = *memo;
    return 1;
}

int RepeatWorkListDelete(RepeatMemoWorkList* list, int index)
{
    if (!IsRow(list, index))
        return 0;
    FreeText(&list->Texts[index]);
    int moved = list->Count - index - 1;
    memmove(&list->Records[index], &list->Records[index + 1], sizeof(list->Records[0]) * (size_t)moved);
    memmove(&list->Texts[index], &list->Texts[index + 1], sizeof(list->Texts[0]) * (size_t)moved);
    list->Count--;
    memset(&list->Records[list->Count], 0, sizeof(list->Records[0]));
    list->Texts[list->Count] = nullptr;
    return 1;
}

int RepeatWorkListMove(RepeatMemoWorkList* list, int index, int step)
{
    int to = index + step;
    if ((step != -1 && step != 1) || !IsRow(list, index) || !IsRow(list, to))
        return -1;
    RepeatMemoRecord record = list->Records[index];
    list->Records[index] = list->Records[to];
    list->Records[to] = record;
    char* text = list->Texts[index];
    list->Texts[index] = list->Texts[to];
    list->Texts[to] = text;
    return to;
}

int RepeatWorkListToggleUse(RepeatMemoWorkList* list, int index)
{
    if (!IsRow(list, index))
        return 0;
    list->Records[index].Use = list->Records[index].Use == 1 ? 0 : 1;
    return 1;
}

int RepeatWorkListHandOver(RepeatMemoWorkList* list, RepeatMemoRecord** records, char** texts, int* count)
{
    if (!list || !records || !texts || !count)
        return 0;
    RepeatMemoRecord* fresh = nullptr;
    if (list->Count > 0) {
        fresh = (RepeatMemoRecord*)g_alloc(sizeof(RepeatMemoRecord) * (size_t)list->Count);
        if (!fresh)
            return 0;
        memcpy(fresh, list->Records, sizeof(RepeatMemoRecord) * (size_t)list->Count);
    }
    // Every slot of the caller's is freed, not only those its count names: none may outlive the hand-over.
    for (int i = 0; i < REPEAT_MEMO_MAX; i++)
        FreeText(&texts[i]);
    if (*records)
        HeapFree(GetProcessHeap(), 0, *records);
    *records = fresh;
    for (int i = 0; i < list->Count; i++) {
        texts[i] = list->Texts[i];
        list->Texts[i] = nullptr;
    }
    *count = list->Count;
    list->Count = 0;
    return 1;
}

RepeatWorkListAllocProc SetRepeatWorkListAllocProc(RepeatWorkListAllocProc proc)
{
    RepeatWorkListAllocProc previous = g_alloc;
    g_alloc = proc ? proc : AllocZeroed;
    return previous;
}

#include "Memo.h"

#include <string.h>

#include "DayMemoWindow.h"
#include "HeapUtil.h"
#include "MemoSettingsFile.h"

MemoSettings g_memoSettings;
RepeatMemoList g_repeatMemos;

namespace {

SRWLOCK s_repeatLock = SRWLOCK_INIT;

}  // namespace

int InitMemo(const SYSTEMTIME* today)
{
    FreeMemoSearchHistory(&g_memoSettings);
    // The menu is made once, however often the record is zeroed.
    HMENU menu = g_memoSettings.MemoMenu;
    memset(&g_memoSettings, 0, sizeof(g_memoSettings));
    g_memoSettings.MemoMenu = menu;
    g_memoSettings.MemoStyle.NoUseStrColor = 1;
    if (today) {
        g_memoSettings.MemoYear = today->wYear;
        g_memoSettings.MemoMonth = today->wMonth;
        g_memoSettings.MemoDay = today->wDay;
    }
    if (!g_memoSettings.MemoMenu)
        g_memoSettings.MemoMenu = CreateDayMemoMenu();
    InitRepeatMemos(&g_repeatMemos.Records, g_repeatMemos.Texts, &g_repeatMemos.Count);
    return 1;
}

// The file is read into a list of its own, which then replaces the live one whole.
int ReloadRepeatMemos()
{
    RepeatMemoList fresh;
    InitRepeatMemos(&fresh.Records, fresh.Texts, &fresh.Count);
    int read = LoadRepeatMemos(&fresh.Records, fresh.Texts, &fresh.Count, g_memoSettings.MemoDir);
    ReplaceRepeatMemos(&fresh);
    return read;
}

int CopyRepeatMemoList(const RepeatMemoList* from, RepeatMemoList* to)
{
    if (!to)
        return 0;
    InitRepeatMemos(&to->Records, to->Texts, &to->Count);
    if (!from || !from->Records || from->Count <= 0)
        return 1;
    int count = from->Count < REPEAT_MEMO_MAX ? from->Count : REPEAT_MEMO_MAX;
    to->Records = (RepeatMemoRecord*)AllocZeroed(sizeof(RepeatMemoRecord) * (size_t)count);
    if (!to->Records)
        return 0;
    memcpy(to->Records, from->Records, sizeof(RepeatMemoRecord) * (size_t)count);
    for (int i = 0; i < count; i++) {
        if (from->Texts[i] && !(to->Texts[i] = StrDupHeap(from->Texts[i]))) {
            to->Count = i;
            FreeRepeatMemoList(to);
            return 0;
        }
    }
    to->Count = count;
    return 1;
}

void FreeRepeatMemoList(RepeatMemoList* list)
{
    if (!list)
        return;
    int all = REPEAT_MEMO_MAX;
    FreeRepeatMemos(&list->Records, list->Texts, &all);
    list->Count = 0;
}

void ReplaceRepeatMemos(RepeatMemoList* fresh)
{
    if (!fresh)
        return;
    RepeatMemoList old = g_repeatMemos;
    AcquireSRWLockExclusive(&s_repeatLock);
    g_repeatMemos = *fresh;
    ReleaseSRWLockExclusive(&s_repeatLock);
    InitRepeatMemos(&fresh->Records, fresh->Texts, &fresh->Count);
    FreeRepeatMemoList(&old);
}

void AcquireRepeatMemosShared()
{
    AcquireSRWLockShared(&s_repeatLock);
}

void ReleaseRepeatMemosShared()
{
    ReleaseSRWLockShared(&s_repeatLock);
}

int ShutdownMemo()
{
    if (g_memoSettings.MemoMenu)
        DestroyMenu(g_memoSettings.MemoMenu);
    g_memoSettings.MemoMenu = nullptr;
    FreeMemoSearchHistory(&g_memoSettings);
    RepeatMemoList none;
    InitRepeatMemos(&none.Records, none.Texts, &none.Count);
    ReplaceRepeatMemos(&none);
    return 1;
}

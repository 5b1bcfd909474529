#include "Memo.h"

#include <string.h>

#include "MemoSettingsFile.h"

MemoSettings g_memoSettings;
RepeatMemoList g_repeatMemos;

int InitMemo(const SYSTEMTIME* today)
{
    FreeMemoSearchHistory(&g_memoSettings);
    memset(&g_memoSettings, 0, sizeof(g_memoSettings));
    g_memoSettings.MemoStyle.NoUseStrColor = 1;
    if (today) {
        g_memoSettings.MemoYear = today->wYear;
        g_memoSettings.MemoMonth = today->wMonth;
        g_memoSettings.MemoDay = today->wDay;
    }
    // LATER: the day-memo window's menu, made here once.
    InitRepeatMemos(&g_repeatMemos.Records, g_repeatMemos.Texts, &g_repeatMemos.Count);
    return 1;
}

int ReloadRepeatMemos()
{
    FreeRepeatMemos(&g_repeatMemos.Records, g_repeatMemos.Texts, &g_repeatMemos.Count);
    g_repeatMemos.Count = 0;
    return LoadRepeatMemos(&g_repeatMemos.Records, g_repeatMemos.Texts, &g_repeatMemos.Count,
                           g_memoSettings.MemoDir);
}

int ShutdownMemo()
{
    if (g_memoSettings.MemoMenu)
        DestroyMenu(g_memoSettings.MemoMenu);
    g_memoSettings.MemoMenu = nullptr;
    FreeMemoSearchHistory(&g_memoSettings);
    FreeRepeatMemos(&g_repeatMemos.Records, g_repeatMemos.Texts, &g_repeatMemos.Count);
    g_repeatMemos.Count = 0;
    return 1;
}

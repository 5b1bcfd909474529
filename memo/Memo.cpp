#include "Memo.h"

#include <string.h>

#include "DayMemoWindow.h"
#include "MemoSettingsFile.h"

MemoSettings g_memoSettings;
RepeatMemoList g_repeatMemos;

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

#include "TrayIcon.h"

#include "EnvData.h"
#include "MainWindow.h"
#include "Memo.h"
#include "Program.h"
#include "TickRules.h"
#include "TodayMemo.h"

namespace {

static_assert(sizeof(NOTIFYICONDATAA::szTip) == TRAY_TIP_SIZE, "the tip fills the tray record's field");

int s_blink;         // 1 while today has a memo, as last looked up
BYTE s_blinkCount;   // ticks of the blink, counted by NextBlinkSlot

HICON MonthPicture(const EnvData* env)
{
    int month = env->Today.wMonth;
    HICON icon = month >= 1 && month <= 12 ? ProgramIcon(PROGRAM_ICON_MONTH_FIRST + month - 1) : nullptr;
    return icon ? icon : ProgramIcon(PROGRAM_ICON_SMALL);
}

HICON TrayPicture(const EnvData* env, int check)
{
    if (g_memoSettings.MemoTaskTray != 1)
        return MonthPicture(env);
    if (check == 1)
        s_blink = DayHasAnyMemo(&g_memoSettings, &g_repeatMemos, g_program.Holidays, (int)g_program.HolidayCount,
                                &env->Today);
    HICON icon = s_blink ? ProgramIcon(NextBlinkSlot(&s_blinkCount)) : nullptr;
    return icon ? icon : MonthPicture(env);
}

}  // namespace

int UpdateTrayIcon(EnvData* env, int check)
{
    if (!env)
        return 0;
    NOTIFYICONDATAA& tray = g_program.TrayIcon;
    FormatTrayTip(tray.szTip, env->UseTaskTrayDate, &env->Today);
    tray.hIcon = TrayPicture(env, check);
    // Telling the tray waits on its owner; the calendar does so once it is on screen.
    if (g_mainWindow.FirstPaint || !tray.hWnd)
        return 1;
    if (env->UseTaskTray != 1) {
        RemoveTrayIcon();
        return 1;
    }
    // A tray that restarted has lost the icon: it is added again.
    g_program.TrayIconAdded =
        Shell_NotifyIconA(NIM_MODIFY, &tray) || Shell_NotifyIconA(NIM_ADD, &tray) ? 1 : 0;
    return 1;
}

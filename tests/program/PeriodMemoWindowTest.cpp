// The period memo window of the running program: opened by the calendar's command around today, it lists one row
// a day for each period of its period list, and is closed by 閉じる.
#include "ProgramDriver.h"

#include <commctrl.h>
#include <stdio.h>

#include <string>

#include "DateUtil.h"
#include "DaylensIds.h"
#include "MemoDialogIds.h"

namespace {

const char kPeriodMemoCaption[] = "Daylens 期間メモ";
const char kWeekdays[][3] = {"日", "月", "火", "水", "木", "金", "土"};

std::string TextOf(HWND control)
{
    char text[1024] = "";
    DWORD_PTR length = 0;
    SendMessageTimeoutA(control, WM_GETTEXT, sizeof(text), (LPARAM)text, SMTO_BLOCK, 5000, &length);
    return text;
}

LRESULT Ask(HWND control, UINT message, WPARAM wParam = 0, LPARAM lParam = 0)
{
    DWORD_PTR result = 0;
    SendMessageTimeoutA(control, message, wParam, lParam, SMTO_BLOCK, 5000, &result);
    return (LRESULT)result;
}

class PeriodMemoWindowTest : public ProgramTest {
protected:
    void SetUp() override
    {
        ProgramTest::SetUp();
        GetLocalTime(&today_);
        std::string memoDir = Folder + "\\Memo";
        ASSERT_TRUE(CreateDirectoryA(memoDir.c_str(), nullptr));
        PrepareSettings(0);
        WriteSetting("Daylens01", "TransMode", 2);
        WriteSetting("Daylens01", "ShowToolTip", 0);
        WriteSetting("DaylensMemo", "WeekMemoMode", 0);
        // A memo today, in the store's own form.
        char section[16], file[MAX_PATH];
        snprintf(section, sizeof(section), "%04d%02d%02d", today_.wYear, today_.wMonth, today_.wDay);
        snprintf(file, sizeof(file), "%s\\%s.txt", memoDir.c_str(), section);
        WritePrivateProfileStringA(section, "Memo", "会議", file);
        WritePrivateProfileStringA(nullptr, nullptr, nullptr, file);
    }

    SYSTEMTIME today_ = {};
};

// Each period of the list shows its number of days: 7, 15, 21 and 31, and the month period the days of the month.
TEST_F(PeriodMemoWindowTest, CommandShowsOneRowADayForEachPeriod)
{
    HANDLE process = Start("");
    HWND calendar = WaitForShownCalendar();
    ASSERT_NE(nullptr, calendar);
    PostMessageA(calendar, WM_COMMAND, IDM_PERIOD_MEMO, 0);
    HWND dialog = nullptr;
    ASSERT_TRUE(WaitUntil([&] {
        return (dialog = FindDaylensWindow("#32770", kPeriodMemoCaption)) != nullptr && IsWindowVisible(dialog);
    }));
    char caption[64];
    snprintf(caption, sizeof(caption), "%04d年%2d月%2d日(%s) 前後のメモ", today_.wYear, today_.wMonth, today_.wDay,
             kWeekdays[today_.wDayOfWeek]);
    EXPECT_EQ(caption, TextOf(GetDlgItem(dialog, IDC_MEMO_LABEL_DATE)));

    HWND list = GetDlgItem(dialog, IDC_PERIODMEMO_LIST);
    HWND periods = GetDlgItem(dialog, IDC_PERIODMEMO_COMBO_PERIOD);
    EXPECT_EQ(7, Ask(list, LVM_GETITEMCOUNT));
    const int rows[] = {7, 15, 21, 31};
    int entries = (int)Ask(periods, CB_GETCOUNT);
    ASSERT_GE(entries, 4);
    for (int mode = 0; mode < entries; mode++) {
        SCOPED_TRACE(mode);
        Ask(periods, CB_SETCURSEL, (WPARAM)mode);
        PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDC_PERIODMEMO_COMBO_PERIOD, CBN_SELCHANGE), (LPARAM)periods);
        int want = mode < 4 ? rows[mode] : DaysInMonth(today_.wYear, today_.wMonth);
        EXPECT_TRUE(WaitUntil([&] { return Ask(list, LVM_GETITEMCOUNT) == want; }, 5000))
            << Ask(list, LVM_GETITEMCOUNT);
    }

    PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), (LPARAM)GetDlgItem(dialog, IDCANCEL));
    EXPECT_TRUE(WaitUntil([dialog] { return !IsWindow(dialog); }, 5000));
    PostMessageA(calendar, WM_CLOSE, 0, 0);
    EXPECT_EQ(WAIT_OBJECT_0, WaitForSingleObject(process, kTimeoutMs));
}

}  // namespace

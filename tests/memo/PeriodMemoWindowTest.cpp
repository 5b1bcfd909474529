// The period memo window in this process over the language module's template: a memo saved in a day-memo window
// opened from a row shows in that row at once, and when the period window closes the mini memo is told to redraw
// (the day-memo window leaves that to the period window); every filling of the list shows the middle of the period
// in the middle of the list, wherever the list was scrolled before.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <stdlib.h>

#include <string>

#include "DayMemoWindow.h"
#include "EnvData.h"
#include "Memo.h"
#include "MemoDialogIds.h"
#include "MemoSettingsFile.h"
#include "MemoWriter.h"
#include "PeriodMemoRules.h"
#include "PeriodMemoWindow.h"
#include "TempFolder.h"

namespace {

int g_miniMemoRedraws = 0;

}  // namespace

// The mini memo's redraw, as the test program's own export: the window finds it in EnvData's mini-memo module.
extern "C" __declspec(dllexport) int MiniMemoRedraw()
{
    g_miniMemoRedraws++;
    return 1;
}

namespace {

HMODULE g_language = nullptr;
EnvData* g_env = nullptr;
int g_step = 0;
std::string g_rowBefore;
std::string g_rowAfter;
int g_rows = 0;

struct FoundDialog {
    int ControlId;
    HWND Window;
};

BOOL CALLBACK MatchDialog(HWND window, LPARAM param)
{
    FoundDialog* found = (FoundDialog*)param;
    if (IsWindowVisible(window) && GetDlgItem(window, found->ControlId)) {
        found->Window = window;
        return FALSE;
    }
    return TRUE;
}

// The shown dialog of this thread that has the control.
HWND DialogWith(int controlId)
{
    FoundDialog found = {controlId, nullptr};
    EnumThreadWindows(GetCurrentThreadId(), MatchDialog, (LPARAM)&found);
    return found.Window;
}

std::string RowMemo(HWND list, int row)
{
    char text[256] = "";
    ListView_GetItemText(list, row, 1, text, sizeof(text));
    return text;
}

// Opens the memo date's row, changes its memo and saves it, then closes the period window.
void CALLBACK Act(HWND, UINT, UINT_PTR, DWORD)
{
    HWND period = DialogWith(IDC_PERIODMEMO_LIST);
    HWND day = DialogWith(IDC_DAYMEMO_EDIT_TEXT);
    if (g_step == 0 && period) {
        HWND list = GetDlgItem(period, IDC_PERIODMEMO_LIST);
        g_rows = ListView_GetItemCount(list);
        g_rowBefore = RowMemo(list, 3);
        ListView_SetItemState(list, 3, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
        g_step = 1;
        PostMessageA(period, WM_COMMAND, IDOK, 0);
    } else if (g_step == 1 && day) {
        HWND edit = GetDlgItem(day, IDC_DAYMEMO_EDIT_TEXT);
        SetWindowTextA(edit, "会議\r\n延期");
        SendMessageA(edit, EM_SETMODIFY, TRUE, 0);
        g_step = 2;
        PostMessageA(day, WM_COMMAND, IDOK, 0);
    } else if (g_step == 2 && period && !day) {
        g_rowAfter = RowMemo(GetDlgItem(period, IDC_PERIODMEMO_LIST), 3);
        g_step = 3;
        PostMessageA(period, WM_COMMAND, IDCANCEL, 0);
    }
}

std::string g_captionAfter;
int g_redrawsAfterDay = -1;

std::string RowMemoOf(HWND list, const char* date)
{
    for (int row = 0; row < ListView_GetItemCount(list); row++) {
        char text[64] = "";
        ListView_GetItemText(list, row, 0, text, sizeof(text));
        if (date == std::string(text))
            return RowMemo(list, row);
    }
    return "(no row)";
}

// While the period window shows 3 January, a day-memo window opens over the calendar for 5 January as the tray
// opens it; the period window steps a day on while it is open, then the day's memo is saved.
void CALLBACK ActFromOutside(HWND, UINT, UINT_PTR, DWORD)
{
    HWND period = DialogWith(IDC_PERIODMEMO_LIST);
    HWND day = DialogWith(IDC_DAYMEMO_EDIT_TEXT);
    if (g_step == 0 && period && !day) {
        g_step = 1;
        g_memoSettings.MemoYear = 2019;
        g_memoSettings.MemoMonth = 1;
        g_memoSettings.MemoDay = 5;
        ShowDayMemoWindow(g_language, nullptr, g_env, nullptr, nullptr, nullptr);
        g_redrawsAfterDay = g_miniMemoRedraws;
        g_rowAfter = RowMemoOf(GetDlgItem(period, IDC_PERIODMEMO_LIST), "2019年 1月 5日(土)");
        char caption[128] = "";
        GetDlgItemTextA(period, IDC_MEMO_LABEL_DATE, caption, sizeof(caption));
        g_captionAfter = caption;
        g_step = 3;
        PostMessageA(period, WM_COMMAND, IDCANCEL, 0);
    } else if (g_step == 1 && period && day) {
        SendMessageA(period, WM_COMMAND, IDC_MEMO_BTN_DAY_NEXT, 0);
        HWND edit = GetDlgItem(day, IDC_DAYMEMO_EDIT_TEXT);
        SetWindowTextA(edit, "買物");
        SendMessageA(edit, EM_SETMODIFY, TRUE, 0);
        g_step = 2;
        PostMessageA(day, WM_COMMAND, IDOK, 0);
    }
}

// How far the list's visible rows stand from having row in their middle, in half rows; 0 when the list shows every
// row from the first.
int OffCentre(HWND list, int row)
{
    int top = ListView_GetTopIndex(list);
    int page = ListView_GetCountPerPage(list);
    if (page >= ListView_GetItemCount(list))
        return top;
    return 2 * top + page - 1 - 2 * row;
}

struct Centring {
    int Opened = 99;
    int SteppedBackAndForth = 99;
    int Month = 99;
    int MonthHotRow = 99;
    int MonthStepped = 99;
    int WeeksAgain = 99;
};
Centring g_centring;

void ChoosePeriod(HWND period, int mode)
{
    HWND combo = GetDlgItem(period, IDC_PERIODMEMO_COMBO_PERIOD);
    SendMessageA(combo, CB_SETCURSEL, (WPARAM)mode, 0);
    SendMessageA(period, WM_COMMAND, MAKEWPARAM(IDC_PERIODMEMO_COMBO_PERIOD, CBN_SELCHANGE), (LPARAM)combo);
}

// Fills the list again and again: stepping the date back and forth, to the month and back to two weeks.
void CALLBACK ActRefilling(HWND, UINT, UINT_PTR, DWORD)
{
    HWND period = DialogWith(IDC_PERIODMEMO_LIST);
    if (g_step != 0 || !period)
        return;
    g_step = 1;
    HWND list = GetDlgItem(period, IDC_PERIODMEMO_LIST);
    // The memo date's row of two weeks, and the middle one of December.
    const int weeksMiddle = 7, monthMiddle = 15;
    g_centring.Opened = OffCentre(list, weeksMiddle);
    for (int i = 0; i < 3; i++) {
        SendMessageA(period, WM_COMMAND, IDC_MEMO_BTN_DAY_NEXT, 0);
        SendMessageA(period, WM_COMMAND, IDC_MEMO_BTN_WEEK_BACK, 0);
        SendMessageA(period, WM_COMMAND, IDC_MEMO_BTN_DAY_NEXT, 0);
        SendMessageA(period, WM_COMMAND, IDC_MEMO_BTN_DAY_NEXT, 0);
        SendMessageA(period, WM_COMMAND, IDC_MEMO_BTN_WEEK_NEXT, 0);
        SendMessageA(period, WM_COMMAND, IDC_MEMO_BTN_DAY_BACK, 0);
        SendMessageA(period, WM_COMMAND, IDC_MEMO_BTN_DAY_BACK, 0);
        SendMessageA(period, WM_COMMAND, IDC_MEMO_BTN_DAY_BACK, 0);
    }
    g_centring.SteppedBackAndForth = OffCentre(list, weeksMiddle);
    ChoosePeriod(period, PERIOD_MEMO_MONTH);
    g_centring.Month = OffCentre(list, monthMiddle);
    g_centring.MonthHotRow = ListView_GetHotItem(list);
    SendMessageA(period, WM_COMMAND, IDC_MEMO_BTN_DAY_NEXT, 0);
    SendMessageA(period, WM_COMMAND, IDC_MEMO_BTN_DAY_NEXT, 0);
    g_centring.MonthStepped = OffCentre(list, monthMiddle);
    ChoosePeriod(period, PERIOD_MEMO_TWO_WEEKS);
    g_centring.WeeksAgain = OffCentre(list, weeksMiddle);
    PostMessageA(period, WM_COMMAND, IDCANCEL, 0);
}

class PeriodMemoWindowTest : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        INITCOMMONCONTROLSEX classes = {sizeof(classes), ICC_DATE_CLASSES | ICC_LISTVIEW_CLASSES};
        InitCommonControlsEx(&classes);
        g_language = LoadLibraryA(DAYLENS_DIST_DIR "\\Daylens.Jpn.dll");
    }
    static void TearDownTestSuite() { FreeLibrary(g_language); }

    void SetUp() override
    {
        ASSERT_NE(nullptr, g_language);
        ASSERT_TRUE(temp_.Create("daylens-period-memo"));
        std::string ini = temp_.Path("Daylens.ini");
        std::string memoDir = temp_.Path("Memo");
        ASSERT_TRUE(CreateDirectoryA(memoDir.c_str(), nullptr));
        // A settings file of this version: its memo settings are read from "DaylensMemo".
        WritePrivateProfileStringA("Daylens00", "Version", "1.20.01", ini.c_str());
        WritePrivateProfileStringA("DaylensMemo", "MemoDir", memoDir.c_str(), ini.c_str());
        SYSTEMTIME today;
        GetLocalTime(&today);
        InitMemo(&today);
        ASSERT_EQ(1, LoadMemoSettings(&g_memoSettings, ini.c_str(), "Daylens", 0));
        g_memoSettings.WeekMemoMode = 0;
        env_.MiniMemoModule = GetModuleHandleA(nullptr);
        g_env = &env_;
    }
    void TearDown() override { ShutdownMemo(); }

    TempFolder temp_;
    EnvData env_;
};

TEST_F(PeriodMemoWindowTest, MemoSavedFromARowShowsAtOnceAndRedrawsTheMiniMemoOnClosing)
{
    DayMemoRecord record = {g_memoSettings.MemoStyle, DAY_MEMO_NO_TIME, DAY_MEMO_NO_TIME};
    ASSERT_EQ(1, WriteDayMemo(&g_memoSettings, 2019, 1, 3, "会議", &record));
    g_memoSettings.MemoYear = 2019;
    g_memoSettings.MemoMonth = 1;
    g_memoSettings.MemoDay = 3;
    g_miniMemoRedraws = 0;
    g_step = 0;
    UINT_PTR timer = SetTimer(nullptr, 0, 50, Act);
    INT_PTR result = ShowPeriodMemoWindow(g_language, nullptr, &env_, nullptr, nullptr, nullptr);
    KillTimer(nullptr, timer);

    EXPECT_EQ(3, g_step);
    EXPECT_EQ(7, g_rows);
    EXPECT_EQ("会議", g_rowBefore);
    // The memo's line break stands as a blank on its row.
    EXPECT_EQ(0u, g_rowAfter.find("会議")) << g_rowAfter;
    EXPECT_NE(std::string::npos, g_rowAfter.find("延期")) << g_rowAfter;
    EXPECT_EQ(std::string::npos, g_rowAfter.find_first_of("\r\n")) << g_rowAfter;
    EXPECT_EQ(1, result);
    EXPECT_EQ(1, g_miniMemoRedraws);
    EXPECT_EQ(nullptr, g_memoSettings.PeriodWindow);
}

// A day-memo window opened elsewhere while the period window is open writes the day it shows, refreshes the calendar
// and the mini memo itself, and the period window lists the saved memo at once around its own date.
TEST_F(PeriodMemoWindowTest, ADayMemoWindowOpenedElsewhereKeepsItsDayAndTheListShowsItsSave)
{
    DayMemoRecord record = {g_memoSettings.MemoStyle, DAY_MEMO_NO_TIME, DAY_MEMO_NO_TIME};
    ASSERT_EQ(1, WriteDayMemo(&g_memoSettings, 2019, 1, 3, "会議", &record));
    g_memoSettings.MemoYear = 2019;
    g_memoSettings.MemoMonth = 1;
    g_memoSettings.MemoDay = 3;
    g_miniMemoRedraws = 0;
    g_step = 0;
    UINT_PTR timer = SetTimer(nullptr, 0, 50, ActFromOutside);
    INT_PTR result = ShowPeriodMemoWindow(g_language, nullptr, &env_, nullptr, nullptr, nullptr);
    KillTimer(nullptr, timer);

    EXPECT_EQ(3, g_step);
    MemoStoreSettings store = MemoStoreOf(&g_memoSettings);
    char* saved = ReadDayMemoText(nullptr, 2019, 1, 5, &store, nullptr, 0);
    EXPECT_STREQ("買物", saved);
    if (saved)
        HeapFree(GetProcessHeap(), 0, saved);
    EXPECT_EQ(nullptr, ReadDayMemoText(nullptr, 2019, 1, 4, &store, nullptr, 0));
    EXPECT_EQ("買物", g_rowAfter);
    EXPECT_EQ("2019年 1月 4日(金) 前後のメモ", g_captionAfter);
    EXPECT_EQ(1, g_redrawsAfterDay);
    EXPECT_EQ(0, result);
}

// A list that shows fewer rows than the period has: each filling centres the period's middle row afresh, however the
// list was scrolled by the fillings before, and the month, which has no middle row, has no hot row either.
TEST_F(PeriodMemoWindowTest, EveryFillingCentresThePeriodWhereverTheListWasScrolled)
{
    g_memoSettings.MemoYear = 2019;
    g_memoSettings.MemoMonth = 12;
    g_memoSettings.MemoDay = 20;
    g_memoSettings.WeekMemoMode = PERIOD_MEMO_TWO_WEEKS;
    // A window too low for two weeks.
    g_memoSettings.WeekMemoWindowX = 40;
    g_memoSettings.WeekMemoWindowY = 40;
    g_memoSettings.WeekMemoWindowWidth = 480;
    g_memoSettings.WeekMemoWindowHeight = 300;
    g_step = 0;
    g_centring = Centring();
    UINT_PTR timer = SetTimer(nullptr, 0, 50, ActRefilling);
    ShowPeriodMemoWindow(g_language, nullptr, &env_, nullptr, nullptr, nullptr);
    KillTimer(nullptr, timer);

    ASSERT_EQ(1, g_step);
    // Off by at most one half row: an even number of visible rows has no middle one.
    EXPECT_LE(abs(g_centring.Opened), 1);
    EXPECT_LE(abs(g_centring.Month), 1);
    // The same period scrolls the same way, at the opening and after any number of fillings.
    EXPECT_EQ(g_centring.Opened, g_centring.SteppedBackAndForth);
    EXPECT_EQ(g_centring.Opened, g_centring.WeeksAgain);
    EXPECT_EQ(g_centring.Month, g_centring.MonthStepped);
    EXPECT_EQ(-1, g_centring.MonthHotRow);
}

}  // namespace

// The period memo window in this process over the language module's template: a memo saved in a day-memo window
// opened from a row shows in that row at once, and when the period window closes the mini memo is told to redraw
// (the day-memo window leaves that to the period window).
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <string>

#include "EnvData.h"
#include "Memo.h"
#include "MemoDialogIds.h"
#include "MemoSettingsFile.h"
#include "MemoWriter.h"
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
        WritePrivateProfileStringA("DaylensMemo", "MemoDir", memoDir.c_str(), ini.c_str());
        SYSTEMTIME today;
        GetLocalTime(&today);
        InitMemo(&today);
        ASSERT_EQ(1, LoadMemoSettings(&g_memoSettings, ini.c_str(), "Daylens", 0));
        g_memoSettings.WeekMemoMode = 0;
        env_.MiniMemoModule = GetModuleHandleA(nullptr);
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

}  // namespace

// The memo settings dialog in this process over the language module's templates: what Apply hands to the live
// memo settings, the user marks and the settings file, and what it leaves alone.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <string.h>

#include <functional>
#include <string>
#include <vector>

#include "EngineDialogIds.h"
#include "EnvData.h"
#include "HeapUtil.h"
#include "Memo.h"
#include "MemoSettingsDialog.h"
#include "MemoSettingsFile.h"
#include "MemoWriter.h"
#include "StrUtil.h"
#include "TempFolder.h"
#include "TestWindow.h"

namespace {

const char kCaption[] = "Daylens メモ設定";
const char kMarkCaption[] = "Daylens マーク設定";
const int kMarkCount = 12;

HMODULE g_language = nullptr;
std::function<void(HWND)> g_act;
std::function<void(HWND)> g_markAct;

// Acts once on the mark dialog that the memo settings open, and once on the memo settings as soon as they are up;
// each action ends its dialog.
void CALLBACK ActOnDialog(HWND, UINT, UINT_PTR, DWORD)
{
    HWND mark = FindOwnWindow("#32770", kMarkCaption);
    // A mark dialog is acted on once it is filled (its name shown), not while it is being made.
    if (mark && IsWindowVisible(mark) && GetWindowTextLengthA(GetDlgItem(mark, IDC_MARK_LABEL_NAME)) > 0 &&
        g_markAct) {
        std::function<void(HWND)> act = g_markAct;
        g_markAct = nullptr;
        act(mark);
        return;
    }
    HWND dialog = FindOwnWindow("#32770", kCaption);
    if (!dialog || !g_act)
        return;
    std::function<void(HWND)> act = g_act;
    g_act = nullptr;
    act(dialog);
}

BOOL CALLBACK MatchId(HWND control, LPARAM param)
{
    HWND* found = (HWND*)param;
    if (GetDlgCtrlID(control) != (int)(INT_PTR)found[1])
        return TRUE;
    found[0] = control;
    return FALSE;
}

// A control of the dialog or of one of its pages.
HWND Control(HWND dialog, int id)
{
    HWND found[2] = {nullptr, (HWND)(INT_PTR)id};
    EnumChildWindows(dialog, MatchId, (LPARAM)found);
    return found[0];
}

// Clicks a button of one of the pages, as its page sees it.
void ClickPageButton(HWND dialog, int id)
{
    HWND button = Control(dialog, id);
    SendMessageA(GetParent(button), WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), (LPARAM)button);
}

void SelectTab(HWND dialog, int tab)
{
    HWND control = GetDlgItem(dialog, IDC_MEMOSET_TAB);
    TabCtrl_SetCurSel(control, tab);
    NMHDR header = {control, IDC_MEMOSET_TAB, (UINT)TCN_SELCHANGE};
    SendMessageA(dialog, WM_NOTIFY, IDC_MEMOSET_TAB, (LPARAM)&header);
}

class MemoSettingsDialogTest : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        INITCOMMONCONTROLSEX classes = {sizeof(classes), ICC_DATE_CLASSES | ICC_TAB_CLASSES | ICC_UPDOWN_CLASS};
        InitCommonControlsEx(&classes);
        g_language = LoadLibraryA(DAYLENS_DIST_DIR "\\Daylens.Jpn.dll");
    }
    static void TearDownTestSuite() { FreeLibrary(g_language); }

    void SetUp() override
    {
        ASSERT_NE(nullptr, g_language);
        ASSERT_TRUE(temp_.Create("daylens-memo-dialog"));
        ini_ = temp_.Path("Daylens.ini");
        WritePrivateProfileStringA("DaylensMemo", "MemoDir", temp_.Path("Memo").c_str(), ini_.c_str());
        SYSTEMTIME today;
        GetLocalTime(&today);
        InitMemo(&today);
        ASSERT_EQ(1, LoadMemoSettings(&g_memoSettings, ini_.c_str(), "Daylens", 0));
        env_.UserMarks = (UserMark*)AllocZeroed(kMarkCount * sizeof(UserMark));
        ASSERT_NE(nullptr, env_.UserMarks);
        env_.UserStyleMax = kMarkCount;
        for (int i = 0; i < kMarkCount; i++)
            snprintf(env_.UserMarks[i].Name, sizeof(env_.UserMarks[i].Name), "mark%d", i + 1);
    }
    void TearDown() override { ShutdownMemo(); }

    INT_PTR Run(const std::function<void(HWND)>& act)
    {
        g_act = act;
        UINT_PTR timer = SetTimer(nullptr, 0, 20, ActOnDialog);
        INT_PTR result = ShowMemoSettingsDialog(g_language, nullptr, &env_, nullptr, ini_.c_str(), nullptr, nullptr);
        KillTimer(nullptr, timer);
        return result;
    }

    int Saved(const char* key) { return (int)GetPrivateProfileIntA("DaylensMemo", key, -9999, ini_.c_str()); }

    TempFolder temp_;
    std::string ini_;
    EnvData env_;
};

// While the dialog is open the memo windows go on changing the live record (their date, places and alarm); Apply
// hands over only the settings, and Cancel then frees the dialog's own copy of the search history.
TEST_F(MemoSettingsDialogTest, ApplyHandsOverTheSettingsAndLeavesTheMemoWindowsState)
{
    g_memoSettings.MemoSearch[0] = StrDupHeap("alpha");
    g_memoSettings.MemoPopupTimeHour = 7;
    g_memoSettings.MemoPopupTimeMinute = 30;
    INT_PTR result = Run([](HWND dialog) {
        g_memoSettings.MemoYear = 1999;
        g_memoSettings.TodayMemoWindowX = 321;
        g_memoSettings.TodayAlarm.wHour = 8;
        SetWindowTextA(Control(dialog, IDC_MEMOGENERAL_EDIT_FONTSIZE), "150");
        SYSTEMTIME none = {};
        SendMessageA(Control(dialog, IDC_MEMOPOPUP_TIME_START), DTM_SETSYSTEMTIME, GDT_NONE, (LPARAM)&none);
        SelectTab(dialog, 2);
        SendMessageA(dialog, WM_COMMAND, IDC_MEMOSET_BTN_APPLY, 0);
        PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
    });
    EXPECT_EQ(IDCANCEL, result);
    EXPECT_EQ(1999, g_memoSettings.MemoYear);
    EXPECT_EQ(321, g_memoSettings.TodayMemoWindowX);
    EXPECT_EQ(8, g_memoSettings.TodayAlarm.wHour);
    // The font size kept to its up-down's range; an unchecked time picker is an unset time, not midnight.
    EXPECT_EQ(MEMO_FONT_SIZE_MAX, g_memoSettings.MemoFontSize);
    EXPECT_EQ(MEMO_TIME_UNSET, g_memoSettings.MemoPopupTimeHour);
    EXPECT_EQ(MEMO_TIME_UNSET, g_memoSettings.MemoPopupTimeMinute);
    EXPECT_EQ(2, g_memoSettings.MemoSelectedTab);
    ASSERT_NE(nullptr, g_memoSettings.MemoSearch[0]);
    EXPECT_TRUE(HeapValidate(GetProcessHeap(), 0, g_memoSettings.MemoSearch[0]));
    EXPECT_STREQ("alpha", g_memoSettings.MemoSearch[0]);
    EXPECT_EQ(MEMO_FONT_SIZE_MAX, Saved("MemoFontSize"));
    EXPECT_EQ(MEMO_TIME_UNSET, Saved("MemoPopupTimeHour"));
    EXPECT_EQ(2, Saved("MemoSelectedTab"));
}

// Raising the mark count keeps the marks and names the new ones; OK hands them to the settings record.
TEST_F(MemoSettingsDialogTest, OkHandsOverTheUserMarksOfTheNewCount)
{
    INT_PTR result = Run([](HWND dialog) {
        SetWindowTextA(Control(dialog, IDC_MEMOMARK_EDIT_COUNT), "13");
        PostMessageA(dialog, WM_COMMAND, IDOK, 0);
    });
    EXPECT_EQ(IDOK, result);
    ASSERT_EQ(13, env_.UserStyleMax);
    EXPECT_STREQ("mark1", env_.UserMarks[0].Name);
    EXPECT_STREQ("mark12", env_.UserMarks[11].Name);
    EXPECT_STREQ("ユーザ13", env_.UserMarks[12].Name);
}

// The mark page's buttons edit the default memo mark and the chosen user mark in the language module's mark dialog,
// with the font fixed; OK hands both edits over.
TEST_F(MemoSettingsDialogTest, MarkButtonsEditTheMarksInTheMarkDialog)
{
    g_memoSettings.MemoStyle.MarkType = MARK_CIRCLE;
    std::string titles;
    bool fontFixed = true;
    INT_PTR result = Run([&](HWND dialog) {
        g_markAct = [&](HWND mark) {
            char title[64] = "";
            GetDlgItemTextA(mark, IDC_MARK_LABEL_NAME, title, sizeof(title));
            titles += std::string(title) + ";";
            fontFixed = fontFixed && !IsWindowEnabled(GetDlgItem(mark, IDC_MARK_BTN_FONT));
            SendDlgItemMessageA(mark, IDC_MARK_COMBO_KIND, CB_SETCURSEL, MARK_SQUARE, 0);
            SendMessageA(mark, WM_COMMAND, MAKEWPARAM(IDC_MARK_COMBO_KIND, CBN_SELCHANGE), 0);
            PostMessageA(mark, WM_COMMAND, IDOK, 0);
        };
        ClickPageButton(dialog, IDC_MEMOMARK_BTN_OWN);
        SendMessageA(Control(dialog, IDC_MEMOMARK_LIST_USERMARKS), LB_SETCURSEL, 1, 0);
        g_markAct = [&](HWND mark) {
            char title[64] = "";
            GetDlgItemTextA(mark, IDC_MARK_LABEL_NAME, title, sizeof(title));
            titles += title;
            SetDlgItemTextA(mark, IDC_MARK_EDIT_WIDTH, "300");
            PostMessageA(mark, WM_COMMAND, IDOK, 0);
        };
        ClickPageButton(dialog, IDC_MEMOMARK_BTN_USERMARK);
        PostMessageA(dialog, WM_COMMAND, IDOK, 0);
    });
    g_markAct = nullptr;
    EXPECT_EQ(IDOK, result);
    EXPECT_EQ("デフォルトメモマーク;mark2", titles);
    EXPECT_TRUE(fontFixed);
    EXPECT_EQ(MARK_SQUARE, g_memoSettings.MemoStyle.MarkType);
    EXPECT_EQ(99, env_.UserMarks[1].Style.ShadowWidth);
    EXPECT_STREQ("mark2", env_.UserMarks[1].Name);
}

// The search page finds a word line by line, puts it at the front of the working history that OK hands over, and a
// double click on a day's further hit opens the day-memo window on that day.
TEST_F(MemoSettingsDialogTest, SearchListsTheHitsAndOpensTheDayOfAFurtherHit)
{
    DayMemoRecord record = {g_memoSettings.MemoStyle, DAY_MEMO_NO_TIME, DAY_MEMO_NO_TIME};
    ASSERT_EQ(1, WriteDayMemo(&g_memoSettings, 2026, 3, 4, "tea\r\nmilk tea\r\ncoffee", &record));
    ASSERT_EQ(1, WriteDayMemo(&g_memoSettings, 2026, 3, 9, "green tea", &record));
    g_memoSettings.MemoSearch[0] = StrDupHeap("coffee");
    std::vector<std::string> rows;
    std::string history;
    int opened[3] = {};
    INT_PTR result = Run([&](HWND dialog) {
        SelectTab(dialog, 3);
        HWND page = GetParent(Control(dialog, IDC_MEMOSEARCH_COMBO_WORD));
        SetDlgItemTextA(page, IDC_MEMOSEARCH_COMBO_WORD, "tea");
        CheckDlgButton(page, IDC_MEMOSEARCH_CHECK_BYLINE, BST_CHECKED);
        SendMessageA(page, WM_COMMAND, MAKEWPARAM(IDC_MEMOSEARCH_BTN_SEARCH, BN_CLICKED), 0);
        HWND list = GetDlgItem(page, IDC_MEMOSEARCH_LIST_RESULT);
        int count = (int)SendMessageA(list, LVM_GETITEMCOUNT, 0, 0);
        for (int i = 0; i < count; i++) {
            char date[64] = "", memo[64] = "";
            ListView_GetItemText(list, i, 0, date, sizeof(date));
            ListView_GetItemText(list, i, 1, memo, sizeof(memo));
            rows.push_back(std::string(date) + "|" + memo);
        }
        HWND combo = GetDlgItem(page, IDC_MEMOSEARCH_COMBO_WORD);
        for (int i = 0; i < (int)SendMessageA(combo, CB_GETCOUNT, 0, 0); i++) {
            char word[64] = "";
            SendMessageA(combo, CB_GETLBTEXT, (WPARAM)i, (LPARAM)word);
            history += std::string(word) + ";";
        }
        // The second row, the day's further hit, under the cursor.
        RECT row = {LVIR_BOUNDS};
        SendMessageA(list, LVM_GETITEMRECT, 1, (LPARAM)&row);
        POINT at = {(row.left + row.right) / 2, (row.top + row.bottom) / 2};
        ClientToScreen(list, &at);
        SetCursorPos(at.x, at.y);
        UINT_PTR closer = SetTimer(nullptr, 0, 50, [](HWND, UINT, UINT_PTR timer, DWORD) {
            HWND window = nullptr;
            while ((window = FindWindowExA(nullptr, window, "#32770", nullptr)) != nullptr) {
                DWORD process = 0;
                GetWindowThreadProcessId(window, &process);
                if (process == GetCurrentProcessId() && GetDlgItem(window, IDC_DAYMEMO_TIME) &&
                    IsWindowVisible(window)) {
                    KillTimer(nullptr, timer);
                    PostMessageA(window, WM_COMMAND, IDCANCEL, 0);
                    return;
                }
            }
        });
        NMHDR click = {list, IDC_MEMOSEARCH_LIST_RESULT, (UINT)NM_DBLCLK};
        SendMessageA(page, WM_NOTIFY, IDC_MEMOSEARCH_LIST_RESULT, (LPARAM)&click);
        KillTimer(nullptr, closer);
        opened[0] = g_memoSettings.MemoYear;
        opened[1] = g_memoSettings.MemoMonth;
        opened[2] = g_memoSettings.MemoDay;
        PostMessageA(dialog, WM_COMMAND, IDOK, 0);
    });
    EXPECT_EQ(IDOK, result);
    std::vector<std::string> expected = {"2026年 3月 4日(水)|tea", " |milk tea", "2026年 3月 9日(月)|green tea"};
    EXPECT_EQ(expected, rows);
    EXPECT_EQ("tea;coffee;", history);
    EXPECT_EQ(2026, opened[0]);
    EXPECT_EQ(3, opened[1]);
    EXPECT_EQ(4, opened[2]);
    ASSERT_NE(nullptr, g_memoSettings.MemoSearch[0]);
    EXPECT_STREQ("tea", g_memoSettings.MemoSearch[0]);
    EXPECT_STREQ("coffee", g_memoSettings.MemoSearch[1]);
}

}  // namespace

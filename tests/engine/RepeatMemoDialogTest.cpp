// The repeating-memo list dialog through the language module's export, on the test display: its help tooltips.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <functional>
#include <vector>

#include "EngineDialogIds.h"
#include "EnvData.h"
#include "HostWindow.h"
#include "LanguageModule.h"
#include "MemoSettings.h"
#include "RepeatMemo.h"
#include "TempFolder.h"
#include "TestWindow.h"

namespace {

const char kCaption[] = "Daylens 定例メモ";

std::function<void(HWND)> g_act;

// Acts once on the dialog as soon as it is up; the action ends the dialog.
void CALLBACK ActOnDialog(HWND, UINT, UINT_PTR, DWORD)
{
    HWND dialog = FindOwnWindow("#32770", kCaption);
    if (!dialog || !IsWindowVisible(dialog) || !g_act)
        return;
    std::function<void(HWND)> act = g_act;
    g_act = nullptr;
    act(dialog);
}

// The tooltip windows of this thread that dialog owns: its help tooltips (a tooltip made for a control is owned by
// the control's dialog) and those the controls make for themselves.
std::vector<HWND> OwnedTips(HWND dialog)
{
    struct Search {
        HWND Dialog;
        std::vector<HWND> Tips;
    } search = {dialog, {}};
    EnumThreadWindows(
        GetCurrentThreadId(),
        [](HWND window, LPARAM param) -> BOOL {
            Search* s = (Search*)param;
            char name[64] = "";
            GetClassNameA(window, name, sizeof(name));
            if (lstrcmpiA(name, TOOLTIPS_CLASSA) == 0 && GetWindow(window, GW_OWNER) == s->Dialog)
                s->Tips.push_back(window);
            return TRUE;
        },
        (LPARAM)&search);
    return search.Tips;
}

size_t Gone(const std::vector<HWND>& tips)
{
    return (size_t)std::count_if(tips.begin(), tips.end(), [](HWND tip) { return !IsWindow(tip); });
}

// Every command, even one that changes nothing, leaves the list dialog with a new set of help tooltips, one per
// control as before and none of the old ones left behind.
TEST(RepeatMemoDialogTest, ListDialogMakesItsTooltipsAgainAfterEveryCommand)
{
    INITCOMMONCONTROLSEX classes = {sizeof(classes), ICC_LISTVIEW_CLASSES | ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&classes);
    HMODULE module = LoadLibraryA(DAYLENS_DIST_DIR "/Daylens.Jpn.dll");
    ASSERT_NE(nullptr, module);
    auto repeatMemoDlg = FindExport(module, LanguageModule::kRepeatMemoDlg);
    ASSERT_NE(nullptr, repeatMemoDlg);
    TempFolder folder;
    ASSERT_TRUE(folder.Create("daylens-repeat-dialog"));
    EnvData env;
    MemoSettings* memo = new MemoSettings();
    lstrcpynA(memo->MemoDir, folder.Dir().c_str(), sizeof(memo->MemoDir));
    RepeatMemoRecord* records = nullptr;
    char* texts[REPEAT_MEMO_MAX] = {};
    int count = 0;
    HostWindow host(0, 0, 40, 40);

    // One help tooltip for each of add, change, delete, up, down, help, save and cancel and the list.
    const size_t helpTips = 9;
    size_t goneFirst = 0, goneSecond = 0;
    bool sameCount = false;
    g_act = [&](HWND dialog) {
        std::vector<HWND> before = OwnedTips(dialog);
        SendMessageA(dialog, WM_COMMAND, IDC_LIST_BTN_UP, 0);  // nothing selected: nothing moves
        std::vector<HWND> after = OwnedTips(dialog);
        goneFirst = Gone(before);
        SendMessageA(dialog, WM_COMMAND, IDC_REPEATMEMO_BTN_DELETE, 0);
        std::vector<HWND> again = OwnedTips(dialog);
        goneSecond = Gone(after);
        sameCount = before.size() == after.size() && after.size() == again.size();
        PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
    };
    UINT_PTR timer = SetTimer(nullptr, 0, 20, ActOnDialog);
    int result = repeatMemoDlg(host.Handle(), &env, memo, &records, texts, &count);
    KillTimer(nullptr, timer);
    EXPECT_FALSE(g_act) << "the dialog never came up";
    g_act = nullptr;
    EXPECT_EQ(2, result);
    EXPECT_EQ(helpTips, goneFirst);
    EXPECT_EQ(helpTips, goneSecond);
    EXPECT_TRUE(sameCount);
    delete memo;
    FreeLibrary(module);
}

}  // namespace

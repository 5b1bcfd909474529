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

// The help tools of dialog: the tools of the tooltip windows of this thread that it owns which lie over its controls
// (a tooltip that a control makes for itself has none of those), by control; and those tooltip windows.
std::vector<TOOLINFOA> HelpTools(HWND dialog, std::vector<HWND>* tips = nullptr)
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
    std::vector<TOOLINFOA> help;
    for (HWND tip : search.Tips) {
        int count = (int)SendMessageA(tip, TTM_GETTOOLCOUNT, 0, 0);
        for (int i = 0; i < count; i++) {
            TOOLINFOA tool = {};
            tool.cbSize = sizeof(tool);
            if (SendMessageA(tip, TTM_ENUMTOOLSA, (WPARAM)i, (LPARAM)&tool) && GetParent(tool.hwnd) == dialog)
                help.push_back(tool);
        }
    }
    std::sort(help.begin(), help.end(), [](const TOOLINFOA& a, const TOOLINFOA& b) { return a.hwnd < b.hwnd; });
    if (tips)
        *tips = search.Tips;
    return help;
}

std::vector<HWND> ControlsOf(const std::vector<TOOLINFOA>& tools)
{
    std::vector<HWND> controls;
    for (const TOOLINFOA& tool : tools)
        controls.push_back(tool.hwnd);
    return controls;
}

RECT ToolRectOf(HWND dialog, HWND control)
{
    for (const TOOLINFOA& tool : HelpTools(dialog)) {
        if (tool.hwnd == control)
            return tool.rect;
    }
    return RECT{};
}

// Every command, even one that changes nothing, makes the list dialog's help tools again, over the controls as they
// are then: one per control as before, none of the old ones left behind, on the one tooltip control it keeps.
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

    std::vector<HWND> controls, afterFirst, afterSecond, tipsBefore, tipsAfter;
    bool followed = false, stale = false;
    g_act = [&](HWND dialog) {
        controls = ControlsOf(HelpTools(dialog, &tipsBefore));
        // The list made narrower: its tool follows at the next command only.
        HWND list = GetDlgItem(dialog, IDC_REPEATMEMO_LIST);
        RECT box;
        GetWindowRect(list, &box);
        SetWindowPos(list, nullptr, 0, 0, (box.right - box.left) / 2, box.bottom - box.top, SWP_NOMOVE | SWP_NOZORDER);
        RECT client;
        GetClientRect(list, &client);
        RECT old = ToolRectOf(dialog, list);
        stale = !EqualRect(&client, &old);
        SendMessageA(dialog, WM_COMMAND, IDC_LIST_BTN_UP, 0);  // nothing selected: nothing moves
        RECT made = ToolRectOf(dialog, list);
        followed = EqualRect(&client, &made) != FALSE;
        afterFirst = ControlsOf(HelpTools(dialog));
        SendMessageA(dialog, WM_COMMAND, IDC_REPEATMEMO_BTN_DELETE, 0);
        afterSecond = ControlsOf(HelpTools(dialog, &tipsAfter));
        PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
    };
    UINT_PTR timer = SetTimer(nullptr, 0, 20, ActOnDialog);
    int result = repeatMemoDlg(host.Handle(), &env, memo, &records, texts, &count);
    KillTimer(nullptr, timer);
    EXPECT_FALSE(g_act) << "the dialog never came up";
    g_act = nullptr;
    EXPECT_EQ(2, result);
    // One help tool for each of add, change, delete, up, down, help, save and cancel and the list.
    EXPECT_EQ(9u, controls.size());
    EXPECT_EQ(controls.end(), std::adjacent_find(controls.begin(), controls.end()));
    EXPECT_TRUE(stale);
    EXPECT_TRUE(followed);
    EXPECT_EQ(controls, afterFirst);
    EXPECT_EQ(controls, afterSecond);
    EXPECT_EQ(tipsBefore, tipsAfter);
    delete memo;
    FreeLibrary(module);
}

}  // namespace

// The built toolbar with its bar up, while the host's thread gives it one plug-in menu table after another: the bar
// draws in every round, every button it drew names the plug-in the table has for it, its tooltips are set again in
// place (no tool added or removed, none subclassing the bar), and the close ends its thread.
#include <gtest/gtest.h>

#include <windows.h>

#include <commctrl.h>
#include <stdio.h>
#include <string.h>

#include <string>
#include <vector>

#include "DaylensIds.h"
#include "PlugInModule.h"
#include "PlugInSlot.h"
#include "TempFolder.h"
#include "TestWindow.h"
#include "ToolBarModule.h"

namespace {

const char kDll[] = DAYLENS_DIST_DIR "\\PlugIn\\DaylensToolBar.dll";
const DWORD kRoundLimitMs = 10000;
const int kRounds = 1000;
const int kTablesPerRound = 24;
// Tool ids of the bar: 1000 + the record. Every button is a plug-in's: odd records Alpha's, even ones Beta's.
const UINT_PTR kToolBase = 1000;
const int kButtons = 31;

const char* PlugInOf(int record)
{
    return record % 2 ? "Alpha.dll" : "Beta.dll";
}


// What the watch on the bar's thread saw.
struct Watch {
    HWND Bar;
    WNDPROC BarProc;
    HWND Tip;
    WNDPROC TipProc;
    volatile LONG Paints;
    volatile LONG Wrong;        // a drawn button named another plug-in, or none
    volatile LONG Subclassing;  // a tool with TTF_SUBCLASS
    volatile LONG ToolChanges;  // tools added or removed once the first drawing was done
};
Watch g_watch;

BOOL CALLBACK FindTip(HWND window, LPARAM found)
{
    char name[32] = "";
    GetClassNameA(window, name, sizeof(name));
    if (strcmp(name, TOOLTIPS_CLASSA) == 0 && GetWindow(window, GW_OWNER) == g_watch.Bar)
        *(HWND*)found = window;
    return TRUE;
}

// The text of the bar's tool id; "" when the tooltip has no such tool.
std::string ToolText(HWND tip, UINT_PTR id, UINT* flags)
{
    char text[1024] = "";
    TOOLINFOA tool = {};
    tool.cbSize = sizeof(tool);
    tool.hwnd = g_watch.Bar;
    tool.uId = id;
    tool.lpszText = text;
    if (!SendMessageA(tip, TTM_GETTOOLINFOA, 0, (LPARAM)&tool))
        return "";
    *flags |= tool.uFlags;
    return text;
}

LRESULT CALLBACK WatchTip(HWND tip, UINT message, WPARAM wParam, LPARAM lParam)
{
    if ((message == TTM_ADDTOOLA || message == TTM_DELTOOLA) && g_watch.Paints > 0)
        InterlockedIncrement(&g_watch.ToolChanges);
    return CallWindowProcA(g_watch.TipProc, tip, message, wParam, lParam);
}

// After each paint, on the bar's own thread: what the tooltips hold is what the bar drew from.
void CheckDrawnTools()
{
    HWND tip = nullptr;
    EnumThreadWindows(GetCurrentThreadId(), FindTip, (LPARAM)&tip);
    if (!tip) {
        InterlockedIncrement(&g_watch.Wrong);
        return;
    }
    if (tip != g_watch.Tip) {
        g_watch.Tip = tip;
        g_watch.TipProc = (WNDPROC)SetWindowLongPtrA(tip, GWLP_WNDPROC, (LONG_PTR)WatchTip);
    }
    UINT flags = 0;
    bool whole = true;
    for (int record = 1; record <= kButtons; record++)
        whole = ToolText(tip, kToolBase + record, &flags) == PlugInOf(record) && whole;
    if (!whole)
        InterlockedIncrement(&g_watch.Wrong);
    if (flags & TTF_SUBCLASS)
        InterlockedIncrement(&g_watch.Subclassing);
}

LRESULT CALLBACK WatchBar(HWND bar, UINT message, WPARAM wParam, LPARAM lParam)
{
    LRESULT result = CallWindowProcA(g_watch.BarProc, bar, message, wParam, lParam);
    if (message == WM_PAINT) {
        CheckDrawnTools();
        InterlockedIncrement(&g_watch.Paints);
    }
    return result;
}

// The bar is owned by the host's window: what its thread sends this one is answered while the test waits.
void AnswerMessages()
{
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE))
        DispatchMessageA(&message);
    Sleep(1);
}

// A full plug-in menu table of other plug-ins' items that ends with first's and then second's.
std::vector<PlugInMenuItem> Table(const char* first, const char* second)
{
    std::vector<PlugInMenuItem> table(PLUGIN_MENU_ITEM_COUNT);
    for (int i = 0; i < PLUGIN_MENU_ITEM_COUNT; i++) {
        PlugInMenuItem& entry = table[i];
        entry.Command = (DWORD)(8001 + i);
        if (i < PLUGIN_MENU_ITEM_COUNT - 2)
            snprintf(entry.FileName, sizeof(entry.FileName), "Other%03d.dll", i);
        else
            snprintf(entry.FileName, sizeof(entry.FileName), "%s", i == PLUGIN_MENU_ITEM_COUNT - 2 ? first : second);
        snprintf(entry.Text, sizeof(entry.Text), "%s の項目", entry.FileName);
    }
    return table;
}

TEST(ToolBarThreadTest, TheBarDrawsWholeTablesWhileTheHostReplacesThem)
{
    std::string ini = HostIniPath();
    DeleteFileA(ini.c_str());
    WritePrivateProfileStringA("DaylensToolBar", "ToolBarAutoStart", "1", ini.c_str());
    WritePrivateProfileStringA("DaylensToolBar", "ToolBarWindowX", "40", ini.c_str());
    WritePrivateProfileStringA("DaylensToolBar", "ToolBarWindowY", "40", ini.c_str());
    for (int record = 1; record <= kButtons; record++) {
        char key[64];
        snprintf(key, sizeof(key), "ToolBarButtonFunction%02d", record);
        WritePrivateProfileStringA("DaylensToolBar", key, PlugInOf(record), ini.c_str());
    }
    // The two plug-ins trade places from one table to the next, after others that stay: a button drawn from a
    // table half replaced, or from a table its code was not resolved against, names the other plug-in or none.
    std::vector<PlugInMenuItem> tables[2] = {Table("Alpha.dll", "Beta.dll"), Table("Beta.dll", "Alpha.dll")};
    HWND host = CreateTestWindow(WS_OVERLAPPED, 0, 0, 100, 100);
    ASSERT_NE(nullptr, host);
    HMODULE dll = LoadLibraryA(kDll);
    ASSERT_NE(nullptr, dll);
    auto setMenu = FindExport(dll, PlugInModule::kLxSetPlugInMenu);
    auto autoStart = FindExport(dll, ToolBarModule::kToolBarAutoStart);
    auto close = FindExport(dll, PlugInModule::kLxClose);
    ASSERT_TRUE(setMenu && autoStart && close);

    ASSERT_EQ(1, setMenu(tables[0].data()));
    ASSERT_EQ(1, autoStart(host));
    HWND bar = nullptr;
    DWORD start = GetTickCount();
    while (!(bar = FindOwnWindow(TOOLBAR_WINDOW_CLASS, nullptr)) && GetTickCount() - start < kRoundLimitMs)
        PumpMessages(10);
    ASSERT_NE(nullptr, bar);
    g_watch = {};
    g_watch.Bar = bar;
    g_watch.BarProc = (WNDPROC)SetWindowLongPtrA(bar, GWLP_WNDPROC, (LONG_PTR)WatchBar);
    InvalidateRect(bar, nullptr, FALSE);

    int rounds = 0;
    int swaps = 0;
    for (; rounds < kRounds; rounds++) {
        LONG before = g_watch.Paints;
        // Each table asks the bar to draw again: it draws while the tables after it keep coming.
        for (int i = 0; i < kTablesPerRound; i++)
            setMenu(tables[++swaps & 1].data());
        start = GetTickCount();
        while (g_watch.Paints == before && GetTickCount() - start < kRoundLimitMs)
            AnswerMessages();
        if (g_watch.Paints == before)
            break;
    }
    EXPECT_EQ(kRounds, rounds) << "the bar stopped drawing";
    EXPECT_EQ(0, g_watch.Wrong) << "of " << g_watch.Paints << " paints over " << swaps << " tables";
    EXPECT_EQ(0, g_watch.Subclassing);
    EXPECT_EQ(0, g_watch.ToolChanges);
    EXPECT_TRUE(IsWindow(bar));

    DWORD threadId = GetWindowThreadProcessId(bar, nullptr);
    HANDLE thread = OpenThread(SYNCHRONIZE, FALSE, threadId);
    EXPECT_EQ(1, close());
    EXPECT_FALSE(IsWindow(bar));
    if (thread) {
        EXPECT_EQ(WAIT_OBJECT_0, WaitForSingleObject(thread, kRoundLimitMs));
        CloseHandle(thread);
    }
    FreeLibrary(dll);
    EXPECT_EQ(nullptr, GetModuleHandleA("DaylensToolBar.dll"));
    DestroyWindow(host);
    DeleteFileA(ini.c_str());
}

}  // namespace

// The built plug-in as the memo watcher uses it (one process at a time: the plug-in keeps its settings in the file
// of the program that loads it, and the drags move the shared pointer): PopupViewOpen runs the popup modally on the
// calling thread, the popup is found by its title, and closing it (from another thread, or by its own timer) lets
// the call return at once, also over what the popup opened, and leaves the popup's rectangle in the main program's
// settings file.
#include <gtest/gtest.h>

#include <windows.h>

#include <stdio.h>
#include <string.h>
#include <tlhelp32.h>

#include <string>
#include <vector>

#include "AppInfo.h"
#include "FileUtil.h"
#include "MemoryBitmap.h"
#include "PlugInModule.h"
#include "PopupViewIds.h"
#include "PopupViewLayout.h"
#include "PopupViewModule.h"
#include "TestWindow.h"

namespace {

const char kPlugIn[] = DAYLENS_DIST_DIR "\\PlugIn\\DaylensPopupView.dll";
const char kPopupTitle[] = "DaylensPopupView";
const char kSettingsTitle[] = "PopupView - Daylens";
const DWORD kTimeout = 15000;

bool Poll(bool (*cond)(void*), void* context, DWORD timeout = kTimeout)
{
    for (DWORD waited = 0; waited < timeout; waited += 20) {
        if (cond(context))
            return true;
        Sleep(20);
    }
    return cond(context);
}

// The shown top-level dialog of this process with the title, or null.
HWND FindShown(const char* title)
{
    struct Search {
        const char* Title;
        HWND Found;
    } search = {title, nullptr};
    EnumWindows(
        [](HWND window, LPARAM context) -> BOOL {
            Search* s = (Search*)context;
            DWORD process = 0;
            GetWindowThreadProcessId(window, &process);
            char text[64] = "";
            char name[16] = "";
            GetWindowTextA(window, text, sizeof(text));
            GetClassNameA(window, name, sizeof(name));
            if (process == GetCurrentProcessId() && IsWindowVisible(window) && strcmp(text, s->Title) == 0 &&
                strcmp(name, "#32770") == 0) {
                s->Found = window;
                return FALSE;
            }
            return TRUE;
        },
        (LPARAM)&search);
    return search.Found;
}

// The shown window of this process that owner owns, or null.
HWND FindOwned(HWND owner)
{
    struct Search {
        HWND Owner;
        HWND Found;
    } search = {owner, nullptr};
    EnumWindows(
        [](HWND window, LPARAM context) -> BOOL {
            Search* s = (Search*)context;
            if (GetWindow(window, GW_OWNER) == s->Owner && IsWindowVisible(window)) {
                s->Found = window;
                return FALSE;
            }
            return TRUE;
        },
        (LPARAM)&search);
    return search.Found;
}

HWND FindPopup()
{
    return FindShown(kPopupTitle);
}

// The shown popup menu of this process, or null.
HWND FindShownMenu()
{
    HWND menu = nullptr;
    while ((menu = FindWindowExA(nullptr, menu, "#32768", nullptr)) != nullptr) {
        DWORD process = 0;
        GetWindowThreadProcessId(menu, &process);
        if (process == GetCurrentProcessId() && IsWindowVisible(menu))
            return menu;
    }
    return nullptr;
}

int ThreadCount()
{
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPTHREAD, 0);
    if (snapshot == INVALID_HANDLE_VALUE)
        return -1;
    int count = 0;
    THREADENTRY32 entry = {};
    entry.dwSize = sizeof(entry);
    for (BOOL more = Thread32First(snapshot, &entry); more; more = Thread32Next(snapshot, &entry))
        count += entry.th32OwnerProcessID == GetCurrentProcessId() ? 1 : 0;
    CloseHandle(snapshot);
    return count;
}

class PopupViewPlugInTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        // The plug-in keeps its settings in the file of the program that loads it: this test program.
        AppInfo info;
        ini_ = info.GetIniPath(1);
        DeleteFileA(ini_.c_str());
        date_ = {};
        date_.wYear = 2026;
        date_.wMonth = 3;
        date_.wDay = 14;
    }
    void TearDown() override
    {
        for (HANDLE thread : threads_) {
            // A test that stopped early leaves its popup open: it is closed here, so that the thread can end.
            if (WaitForSingleObject(thread, 0) != WAIT_OBJECT_0 && close_)
                close_();
            if (WaitForSingleObject(thread, kTimeout) != WAIT_OBJECT_0)
                ADD_FAILURE() << "a popup did not end";
            CloseHandle(thread);
        }
        if (dll_)
            FreeLibrary(dll_);
        DeleteFileA(ini_.c_str());
    }

    void WriteSettings(const std::string& lines)
    {
        std::string text = "[DaylensPopupView]\r\n" + lines;
        ASSERT_TRUE(WriteWholeFile(ini_.c_str(), text.data(), (DWORD)text.size(), nullptr));
    }
    void Load()
    {
        dll_ = LoadLibraryA(kPlugIn);
        ASSERT_NE(nullptr, dll_);
        open_ = FindExport(dll_, PopupViewModule::kPopupViewOpen);
        close_ = FindExport(dll_, PopupViewModule::kPopupViewClose);
        closeOnce_ = FindExport(dll_, PlugInModule::kLxCloseOnce);
        runMenu_ = FindExport(dll_, PlugInModule::kLxPlugInRunMenu);
        ASSERT_TRUE(open_ && close_ && closeOnce_ && runMenu_);
    }

    static DWORD WINAPI RunPopup(void* self)
    {
        PopupViewPlugInTest* test = (PopupViewPlugInTest*)self;
        return (DWORD)test->open_(nullptr, nullptr, test->memo_, nullptr, "記念日の話", &test->date_);
    }
    static DWORD WINAPI RunSettings(void* self)
    {
        return (DWORD)((PopupViewPlugInTest*)self)->runMenu_(nullptr, 0);
    }
    // Opens the settings dialog through the plug-in's menu item on a thread of its own; null when it did not show.
    HWND OpenSettings(HANDLE* thread)
    {
        *thread = CreateThread(nullptr, 0, RunSettings, this, 0, nullptr);
        threads_.push_back(*thread);
        auto find = [](void*) { return FindShown(kSettingsTitle) != nullptr; };
        return Poll(find, nullptr) ? FindShown(kSettingsTitle) : nullptr;
    }
    // Opens a popup on a thread of its own and waits until it shows.
    HWND Open(HANDLE* thread)
    {
        *thread = CreateThread(nullptr, 0, RunPopup, this, 0, nullptr);
        threads_.push_back(*thread);
        if (!Poll([](void*) { return FindPopup() != nullptr; }, nullptr))
            return nullptr;
        popup_ = FindPopup();
        return popup_;
    }
    // The thread's answer once PopupViewOpen has returned; -1 when it did not.
    static int Result(HANDLE thread)
    {
        if (WaitForSingleObject(thread, kTimeout) != WAIT_OBJECT_0)
            return -1;
        DWORD code = 0;
        GetExitCodeThread(thread, &code);
        return (int)code;
    }
    // The popup takes the mouse message at its point on its own thread, as if the button were used there. The press
    // also puts the pointer there (and waits until it holds), so that no motion of the real pointer comes between.
    void Mouse(UINT message, POINT at)
    {
        if (message == WM_LBUTTONDOWN)
            PlacePointer(at.x, at.y);
        POINT client = at;
        ScreenToClient(popup_, &client);
        DWORD_PTR result = 0;
        SendMessageTimeoutA(popup_, message, message == WM_LBUTTONUP ? 0 : MK_LBUTTON,
                            MAKELPARAM(client.x, client.y), SMTO_NORMAL, 5000, &result);
    }
    // Presses at from, moves by (dx, dy) in steps, and lets go: the button and motion messages are handed to the popup,
    // so that the drag never depends on how quickly the desktop delivers real input.
    void Drag(POINT from, int dx, int dy)
    {
        const int steps = 4;
        Mouse(WM_LBUTTONDOWN, from);
        for (int i = 1; i <= steps; i++)
            Mouse(WM_MOUSEMOVE, {from.x + dx * i / steps, from.y + dy * i / steps});
        Mouse(WM_LBUTTONUP, {from.x + dx, from.y + dy});
    }
    static RECT Rect(HWND window)
    {
        RECT r = {};
        GetWindowRect(window, &r);
        return r;
    }
    HWND popup_ = nullptr;  // the popup Open found
    int Stored(const char* key)
    {
        return (int)GetPrivateProfileIntA("DaylensPopupView", key, -12345, ini_.c_str());
    }

    std::string ini_;
    const char* memo_ = "一行目のメモ\r\n二行目のメモ";
    SYSTEMTIME date_;
    HMODULE dll_ = nullptr;
    PopupViewModule::PopupViewOpen open_ = nullptr;
    PopupViewModule::PopupViewClose close_ = nullptr;
    PlugInModule::LxCloseOnce closeOnce_ = nullptr;
    PlugInModule::LxPlugInRunMenu runMenu_ = nullptr;
    std::vector<HANDLE> threads_;
};

TEST_F(PopupViewPlugInTest, PopupShowsOnTopAndClosingFromAnotherThreadEndsTheCall)
{
    WriteSettings("WindowX=40\r\nWindowY=50\r\nWindowWidth=320\r\nWindowHeight=200\r\nShowClose=1\r\n"
                  "PopupSpeed=1\r\nFrameWidth=4\r\nFrameColor=255\r\nBackColor=16777215\r\n");
    Load();
    int closed = 0;
    closeOnce_(&closed);
    HANDLE thread = nullptr;
    HWND popup = Open(&thread);
    ASSERT_NE(nullptr, popup);
    EXPECT_TRUE(GetWindowLongPtrA(popup, GWL_EXSTYLE) & WS_EX_TOPMOST);
    RECT shown;
    GetWindowRect(popup, &shown);
    EXPECT_EQ(40, shown.left);
    EXPECT_EQ(50, shown.top);
    EXPECT_EQ(320, shown.right - shown.left);
    EXPECT_EQ(200, shown.bottom - shown.top);

    // The close button stands inside the frame at the bottom right.
    HWND button = GetDlgItem(popup, IDC_POPUPVIEW_BTN_CLOSE);
    ASSERT_NE(nullptr, button);
    EXPECT_TRUE(IsWindowVisible(button));
    RECT at;
    GetWindowRect(button, &at);
    EXPECT_EQ(shown.right - 4 - 2, at.right);
    EXPECT_EQ(shown.bottom - 4 - 2, at.bottom);

    // What the popup paints: the frame grades from red outside to the white inside.
    MemoryBitmap picture(320, 200);
    ASSERT_TRUE(picture.Valid());
    SendMessageA(popup, WM_PRINTCLIENT, (WPARAM)picture.Dc(), PRF_CLIENT);
    EXPECT_EQ(PopupRingColor(RGB(255, 0, 0), RGB(255, 255, 255), 1, 4), picture.Pixel(1, 100));
    EXPECT_EQ(RGB(255, 255, 255), picture.Pixel(8, 100));

    // A second opening while the popup shows returns at once and leaves it alone.
    EXPECT_EQ(1, open_(nullptr, nullptr, "別のメモ", nullptr, nullptr, nullptr));
    EXPECT_EQ(popup, FindPopup());

    EXPECT_EQ(1, close_());
    EXPECT_EQ(1, Result(thread));
    EXPECT_FALSE(IsWindow(popup));
    EXPECT_EQ(1, closed);
    EXPECT_EQ(40, Stored("WindowX"));
    EXPECT_EQ(50, Stored("WindowY"));
    EXPECT_EQ(320, Stored("WindowWidth"));
    EXPECT_EQ(200, Stored("WindowHeight"));
}

TEST_F(PopupViewPlugInTest, FixedSizeIsTheSameAtEveryOpening)
{
    WriteSettings("AutoSize=0\r\nShowClose=1\r\nPopupSpeed=1\r\n");
    Load();
    int heights[2];
    for (int& height : heights) {
        HANDLE thread = nullptr;
        HWND popup = Open(&thread);
        ASSERT_NE(nullptr, popup);
        RECT r;
        GetWindowRect(popup, &r);
        height = r.bottom - r.top;
        // The close button of the popup itself ends it like PopupViewClose.
        SendMessageA(popup, WM_COMMAND, IDM_POPUPVIEW_CLOSE, 0);
        ASSERT_EQ(1, Result(thread));
    }
    EXPECT_EQ(heights[0], heights[1]);
    EXPECT_EQ(heights[1], Stored("WindowHeight"));
}

TEST_F(PopupViewPlugInTest, AutomaticCloseEndsTheCallByItself)
{
    WriteSettings("CloseType=1\r\nCloseTime=0\r\nPopupSpeed=1\r\nAutoSize=1\r\n");
    Load();
    HANDLE thread = CreateThread(nullptr, 0, RunPopup, this, 0, nullptr);
    threads_.push_back(thread);
    EXPECT_EQ(1, Result(thread));
    EXPECT_EQ(nullptr, FindPopup());
    // The popup took the height of its texts: taller than the title and two entries need at the least.
    EXPECT_GT(Stored("WindowHeight"), 2 * 16 + 10 + 2 * (8 + 24 + 16));
}

TEST_F(PopupViewPlugInTest, BorderResizesAndInsideMovesUnlessFixed)
{
    WriteSettings("WindowX=100\r\nWindowY=100\r\nWindowWidth=300\r\nWindowHeight=200\r\nPopupSpeed=1\r\n");
    Load();
    HANDLE thread = nullptr;
    HWND popup = Open(&thread);
    ASSERT_NE(nullptr, popup);

    Drag({397, 200}, 40, 0);
    EXPECT_EQ(340, Rect(popup).right - Rect(popup).left);
    EXPECT_EQ(340, Stored("WindowWidth"));
    // A size under 20 pixels is never taken: the steps give 258, 175, 93 and 10, and 93 stays.
    Drag({437, 200}, -330, 0);
    EXPECT_EQ(93, Rect(popup).right - Rect(popup).left);
    EXPECT_EQ(93, Stored("WindowWidth"));
    Drag({150, 200}, 30, 20);
    EXPECT_EQ(130, Rect(popup).left);
    EXPECT_EQ(120, Rect(popup).top);
    EXPECT_EQ(130, Stored("WindowX"));
    EXPECT_EQ(120, Stored("WindowY"));

    // The menu's fixes stop both, and are kept.
    SendMessageA(popup, WM_COMMAND, IDM_POPUPVIEW_FIX_POS, 0);
    SendMessageA(popup, WM_COMMAND, IDM_POPUPVIEW_FIX_SIZE, 0);
    EXPECT_EQ(1, Stored("FixPos"));
    EXPECT_EQ(1, Stored("FixSize"));
    Drag({220, 220}, 40, 0);
    Drag({175, 220}, 30, 20);
    RECT fixed = Rect(popup);
    EXPECT_EQ(130, fixed.left);
    EXPECT_EQ(120, fixed.top);
    EXPECT_EQ(93, fixed.right - fixed.left);
    EXPECT_EQ(1, close_());
    EXPECT_EQ(1, Result(thread));
}

TEST_F(PopupViewPlugInTest, SettingsDialogStoresWhatItHoldsAndRedrawsTheOpenPopup)
{
    WriteSettings("ShowClose=0\r\nPopupSpeed=1\r\nShadowDirection=3\r\n");
    Load();
    HANDLE popupThread = nullptr;
    HWND popup = Open(&popupThread);
    ASSERT_NE(nullptr, popup);
    HWND button = GetDlgItem(popup, IDC_POPUPVIEW_BTN_CLOSE);
    EXPECT_FALSE(IsWindowVisible(button));

    HANDLE thread = nullptr;
    HWND dialog = OpenSettings(&thread);
    ASSERT_NE(nullptr, dialog);
    // An unknown stored direction shows as down-right.
    EXPECT_EQ(BST_CHECKED, SendDlgItemMessageA(dialog, IDC_POPUPSET_RADIO_DOWN_RIGHT, BM_GETCHECK, 0, 0));
    // The close time can be typed only for the automatic close.
    EXPECT_FALSE(IsWindowEnabled(GetDlgItem(dialog, IDC_POPUPSET_EDIT_CLOSE_TIME)));
    SendDlgItemMessageA(dialog, IDC_POPUPSET_RADIO_AUTO_CLOSE, BM_CLICK, 0, 0);
    EXPECT_TRUE(IsWindowEnabled(GetDlgItem(dialog, IDC_POPUPSET_EDIT_CLOSE_TIME)));
    SetDlgItemTextA(dialog, IDC_POPUPSET_EDIT_CLOSE_TIME, "5");
    // Typed numbers beyond what the up-downs offer are held to their ranges, never wrapped in a byte.
    SetDlgItemTextA(dialog, IDC_POPUPSET_EDIT_FRAME_WIDTH, "300");
    SetDlgItemTextA(dialog, IDC_POPUPSET_EDIT_ROUND_WIDTH, "");
    SendDlgItemMessageA(dialog, IDC_POPUPSET_CHECK_SHOW_CLOSE, BM_CLICK, 0, 0);
    SendMessageA(dialog, WM_COMMAND, IDOK, 0);
    ASSERT_EQ(1, Result(thread));
    EXPECT_EQ(1, Stored("CloseType"));
    EXPECT_EQ(5, Stored("CloseTime"));
    EXPECT_EQ(50, Stored("FrameWidth"));
    EXPECT_EQ(0, Stored("RoundWidth"));
    EXPECT_EQ(4, Stored("ShadowDirection"));
    EXPECT_EQ(1, Stored("ShowClose"));

    // The open popup lays itself out again: its close button shows now.
    EXPECT_TRUE(Poll([](void* b) { return IsWindowVisible((HWND)b) != FALSE; }, button));
    EXPECT_EQ(1, close_());
    EXPECT_EQ(1, Result(popupThread));
}

TEST_F(PopupViewPlugInTest, CancelledSettingsDialogKeepsNoChosenFont)
{
    WriteSettings("FontSize=16\r\n");
    Load();
    HANDLE thread = nullptr;
    HWND dialog = OpenSettings(&thread);
    ASSERT_NE(nullptr, dialog);
    PostMessageA(dialog, WM_COMMAND, IDC_POPUPSET_BTN_FONT, 0);
    HWND chooser = nullptr;
    ASSERT_TRUE(Poll([](void* d) { return FindOwned((HWND)d) != nullptr; }, dialog));
    chooser = FindOwned(dialog);
    // The font chooser's size box; the chooser takes the typed size on OK.
    const int kSizeBox = 0x472;
    SetDlgItemTextA(chooser, kSizeBox, "36");
    SendMessageA(chooser, WM_COMMAND, IDOK, 0);
    ASSERT_TRUE(Poll([](void* c) { return !IsWindow((HWND)c); }, chooser));
    SendMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
    ASSERT_EQ(1, Result(thread));
    // Closing saves the settings as they are now.
    EXPECT_EQ(1, close_());
    EXPECT_EQ(16, Stored("FontSize"));
}

// What the popup opened over itself (its menu; its settings dialog with a font chooser over that) runs inside the
// popup's modal loop: closing the popup closes them first, as their Cancel would, and returns at once.
TEST_F(PopupViewPlugInTest, ClosingThePopupClosesWhatItOpenedFirst)
{
    WriteSettings("FontSize=16\r\nPopupSpeed=1\r\n");
    Load();
    HANDLE thread = nullptr;
    HWND popup = Open(&thread);
    ASSERT_NE(nullptr, popup);
    PostMessageA(popup, WM_RBUTTONUP, 0, MAKELPARAM(40, 40));
    ASSERT_TRUE(Poll([](void*) { return FindShownMenu() != nullptr; }, nullptr));
    // The close returns once the popup has gone, not at the end of its limit with the popup still there.
    EXPECT_EQ(1, close_());
    EXPECT_FALSE(IsWindow(popup));
    EXPECT_EQ(1, Result(thread));
    EXPECT_EQ(nullptr, FindShownMenu());

    popup = Open(&thread);
    ASSERT_NE(nullptr, popup);
    PostMessageA(popup, WM_COMMAND, IDM_POPUPVIEW_SETTINGS, 0);
    ASSERT_TRUE(Poll([](void*) { return FindShown(kSettingsTitle) != nullptr; }, nullptr));
    HWND dialog = FindShown(kSettingsTitle);
    EXPECT_EQ(popup, GetWindow(dialog, GW_OWNER));
    // A font chosen in the dialog, which is not confirmed, and the chooser open again over it.
    const int kSizeBox = 0x472;
    HWND chooser = nullptr;
    for (int i = 0; i < 2; i++) {
        PostMessageA(dialog, WM_COMMAND, IDC_POPUPSET_BTN_FONT, 0);
        ASSERT_TRUE(Poll([](void* d) { return FindOwned((HWND)d) != nullptr; }, dialog));
        chooser = FindOwned(dialog);
        if (i == 0) {
            SetDlgItemTextA(chooser, kSizeBox, "36");
            SendMessageA(chooser, WM_COMMAND, IDOK, 0);
            ASSERT_TRUE(Poll([](void* c) { return !IsWindow((HWND)c); }, chooser));
        }
    }
    EXPECT_EQ(1, close_());
    EXPECT_FALSE(IsWindow(chooser));
    EXPECT_FALSE(IsWindow(dialog));
    EXPECT_FALSE(IsWindow(popup));
    EXPECT_EQ(1, Result(thread));
    EXPECT_EQ(16, Stored("FontSize"));
}

// With a fixed size the bodies keep off the close button's room: a memo longer than the popup is cut above it.
TEST_F(PopupViewPlugInTest, AFixedSizeKeepsTheBodiesOffTheCloseButton)
{
    WriteSettings("WindowX=40\r\nWindowY=50\r\nWindowWidth=240\r\nWindowHeight=160\r\nAutoSize=0\r\n"
                  "ShowClose=1\r\nPopupSpeed=1\r\nFrameWidth=2\r\nBackColor=16777215\r\nForeColor=0\r\n");
    memo_ = "一行目のメモ\r\n二行目のメモ\r\n三行目のメモ\r\n四行目のメモ\r\n五行目のメモ\r\n"
            "六行目のメモ\r\n七行目のメモ\r\n八行目のメモ\r\n九行目のメモ\r\n十行目のメモ";
    Load();
    HANDLE thread = nullptr;
    HWND popup = Open(&thread);
    ASSERT_NE(nullptr, popup);
    RECT client = {};
    GetClientRect(popup, &client);
    RECT button = {};
    GetWindowRect(GetDlgItem(popup, IDC_POPUPVIEW_BTN_CLOSE), &button);
    MapWindowPoints(nullptr, popup, (POINT*)&button, 2);
    ASSERT_GT(button.bottom - button.top, 0);
    MemoryBitmap picture(client.right, client.bottom);
    ASSERT_TRUE(picture.Valid());
    SendMessageA(popup, WM_PRINTCLIENT, (WPARAM)picture.Dc(), PRF_CLIENT);
    // The body is drawn in its box: text just above the button's room, none beside the button.
    int inked = 0;
    for (int y = button.top - 16; y < button.top; y++) {
        for (int x = POPUP_BODY_X; x < button.left; x++)
            inked += picture.Pixel(x, y) != RGB(255, 255, 255) ? 1 : 0;
    }
    EXPECT_GT(inked, 0) << "the memo does not reach down to the button";
    for (int y = button.top; y < button.bottom; y++) {
        for (int x = POPUP_BODY_X; x < button.left; x++)
            ASSERT_EQ(RGB(255, 255, 255), picture.Pixel(x, y)) << x << "," << y;
    }
    EXPECT_EQ(1, close_());
    EXPECT_EQ(1, Result(thread));
}

// The memo watcher opens popups one after another, loading the plug-in for each; meanwhile another thread closes
// them as the host's shut-down does, and the popups' own menu opens their settings dialog. Every close returns at
// once, every popup ends, and nothing is left: no window, no thread, no loaded plug-in.
TEST_F(PopupViewPlugInTest, PopupsOpenedAndClosedFromSeveralThreadsAtOnce)
{
    WriteSettings("PopupSpeed=1\r\n");
    int threads = ThreadCount();
    struct Run {
        volatile LONG Done;
        volatile LONG Opened;
        volatile LONG Closes;
        volatile LONG Longest;
    } run = {};
    const int kPopups = 30;
    auto watcher = [](void* context) -> DWORD {
        Run* run = (Run*)context;
        for (int i = 0; i < kPopups; i++) {
            HMODULE dll = LoadLibraryA(kPlugIn);
            auto open = FindExport(dll, PopupViewModule::kPopupViewOpen);
            if (open && open(nullptr, nullptr, "メモ", nullptr, nullptr, nullptr) == 1)
                InterlockedIncrement(&run->Opened);
            if (dll)
                FreeLibrary(dll);
        }
        InterlockedExchange(&run->Done, 1);
        return 0;
    };
    auto closer = [](void* context) -> DWORD {
        Run* run = (Run*)context;
        while (!run->Done) {
            HMODULE dll = LoadLibraryA(kPlugIn);
            auto close = FindExport(dll, PlugInModule::kLxClose);
            DWORD start = GetTickCount();
            if (close)
                close();
            LONG took = (LONG)(GetTickCount() - start);
            if (took > run->Longest)
                InterlockedExchange(&run->Longest, took);
            InterlockedIncrement(&run->Closes);
            if (dll)
                FreeLibrary(dll);
            Sleep(10);
        }
        return 0;
    };
    HANDLE both[2] = {CreateThread(nullptr, 0, watcher, &run, 0, nullptr),
                      CreateThread(nullptr, 0, closer, &run, 0, nullptr)};
    ASSERT_TRUE(both[0] && both[1]);
    DWORD start = GetTickCount();
    for (int i = 0; !run.Done && GetTickCount() - start < 60000; i++) {
        HWND popup = FindPopup();
        if (popup && i % 3 == 0)
            PostMessageA(popup, WM_COMMAND, IDM_POPUPVIEW_SETTINGS, 0);
        Sleep(10);
    }
    EXPECT_EQ(WAIT_OBJECT_0, WaitForMultipleObjects(2, both, TRUE, kTimeout));
    printf("%ld popups in %lu ms, %ld closes, the longest %ld ms\n", run.Opened, GetTickCount() - start, run.Closes,
           run.Longest);
    for (HANDLE thread : both)
        CloseHandle(thread);
    EXPECT_EQ(kPopups, run.Opened);
    // A close waits up to 10 s for its popup: half of that is a close that waited for another popup than its own.
    EXPECT_LT(run.Longest, 5000);
    EXPECT_EQ(nullptr, FindPopup());
    EXPECT_EQ(nullptr, FindShown(kSettingsTitle));
    EXPECT_EQ(nullptr, GetModuleHandleA(kPlugIn));
    EXPECT_TRUE(Poll([](void* before) { return ThreadCount() == *(int*)before; }, &threads))
        << ThreadCount() << " threads, " << threads << " before";
}

}  // namespace

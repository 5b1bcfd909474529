// Starts the built Daylens.exe from a copy of the install folder with a prepared settings file and drives it.
#include "ProgramDriver.h"

#include "DaylensIds.h"
#include "DurableSave.h"
#include "FileUtil.h"
#include "MemoryBitmap.h"
#include "TestWindow.h"

namespace {

// What the calendar told the tray, in order (NIM_ADD, NIM_DELETE, ...), and the tip of each.
std::vector<DWORD> g_trayMessages;
std::vector<std::wstring> g_trayTips;

// While set, the tray holds a removal of an icon until this process has ended (or 5 s have passed) and notes
// whether it did.
HANDLE g_holdRemovalUntilEnd = nullptr;
bool g_endedWhileRemovalHeld = false;

// Wine hands the tray a record of its own, in which the tip (128 characters) follows four 32-bit fields.
const size_t kTrayTipOffset = 16;
const size_t kTrayTipChars = 128;

LRESULT CALLBACK FakeTrayProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message != WM_COPYDATA)
        return DefWindowProcA(window, message, wParam, lParam);
    const COPYDATASTRUCT* data = reinterpret_cast<COPYDATASTRUCT*>(lParam);
    g_trayMessages.push_back((DWORD)data->dwData);
    std::wstring tip;
    if (data->cbData >= kTrayTipOffset + kTrayTipChars * sizeof(WCHAR)) {
        const WCHAR* text = reinterpret_cast<const WCHAR*>(static_cast<const BYTE*>(data->lpData) + kTrayTipOffset);
        tip.assign(text, wcsnlen(text, kTrayTipChars));
    }
    g_trayTips.push_back(tip);
    if (data->dwData == NIM_DELETE && g_holdRemovalUntilEnd)
        g_endedWhileRemovalHeld = WaitForSingleObject(g_holdRemovalUntilEnd, 5000) == WAIT_OBJECT_0;
    return TRUE;
}

// The tray is ours while this lives: the shell's tray is the first top-level window of its class, and a topmost
// one comes first.
class FakeTray {
public:
    FakeTray()
    {
        WNDCLASSA trayClass = {};
        trayClass.lpfnWndProc = FakeTrayProc;
        trayClass.hInstance = GetModuleHandleA(nullptr);
        trayClass.lpszClassName = kClass;
        RegisterClassA(&trayClass);
        Window = CreateWindowExA(WS_EX_TOPMOST | WS_EX_TOOLWINDOW, kClass, "", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr,
                                 trayClass.hInstance, nullptr);
    }
    ~FakeTray()
    {
        DestroyWindow(Window);
        UnregisterClassA(kClass, GetModuleHandleA(nullptr));
    }
    FakeTray(const FakeTray&) = delete;
    FakeTray& operator=(const FakeTray&) = delete;

    HWND Window;

private:
    static constexpr const char* kClass = "Shell_TrayWnd";
};

// Waits until the program has ended; the fake tray must answer meanwhile.
bool WaitForEnd(HANDLE process)
{
    return WaitUntil([process] { return WaitForSingleObject(process, 0) == WAIT_OBJECT_0; });
}

TEST_F(ProgramTest, ShowsTheCalendarAndSavesItsPlaceOnClose)
{
    PrepareSettings(0);
    HANDLE process = Start("");
    ASSERT_NE(nullptr, process);
    HWND window = WaitForShownCalendar();
    ASSERT_NE(nullptr, window);

    RECT rect;
    ASSERT_TRUE(GetWindowRect(window, &rect));
    EXPECT_EQ(40, rect.left);
    EXPECT_EQ(30, rect.top);
    int width = rect.right - rect.left, height = rect.bottom - rect.top;
    EXPECT_GT(width, 100);
    EXPECT_GT(height, 100);
    EXPECT_LT(width, GetSystemMetrics(SM_CXSCREEN));
    EXPECT_LT(height, GetSystemMetrics(SM_CYSCREEN));
    EXPECT_TRUE(IsWindowVisible(window));
    EXPECT_TRUE(GetWindowLongA(window, GWL_EXSTYLE) & WS_EX_TOOLWINDOW);

    // Message 1060 changes nothing; the moved window is saved where it stands.
    SendMessageA(window, 1060, 0, 0);
    SetWindowPos(window, nullptr, 220, 150, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    PostMessageA(window, WM_CLOSE, 0, 0);
    ASSERT_EQ(WAIT_OBJECT_0, WaitForSingleObject(process, kTimeoutMs));
    DWORD code = 99;
    GetExitCodeProcess(process, &code);
    EXPECT_EQ(0u, code);

    EXPECT_EQ(220, ReadInt("Daylens00", "WindowX"));
    EXPECT_EQ(150, ReadInt("Daylens00", "WindowY"));
    EXPECT_EQ(0, ReadInt("Daylens00", "DoubleStart"));
    // The whole settings section was written, not only the placement.
    EXPECT_EQ(128, ReadInt("Daylens01", "TransparentAlpha"));
    EXPECT_NE(-9999, ReadInt("Daylens01", "DisplayType"));
}

// A size below what the settings dialog offers, in a file without the tray icon to reach the calendar by, is read as
// the dialog's least and still gives a calendar window of a usable size.
TEST_F(ProgramTest, NegativeSizesStillShowTheCalendar)
{
    for (const char* key : {"MonthHeight", "WeekHeight", "DayWidth", "DayHeight"}) {
        DeleteFileA(IniPath.c_str());
        PrepareSettings(0);
        WriteSetting("Daylens01", "UseTaskTray", 0);
        WriteSetting("Daylens01", key, -400);
        HANDLE process = Start("");
        ASSERT_NE(nullptr, process);
        HWND window = WaitForShownCalendar();
        ASSERT_NE(nullptr, window) << key;
        RECT rect;
        ASSERT_TRUE(GetWindowRect(window, &rect));
        EXPECT_TRUE(IsWindowVisible(window)) << key;
        int width = rect.right - rect.left, height = rect.bottom - rect.top;
        EXPECT_GT(width, 40) << key;
        EXPECT_GT(height, 40) << key;
        EXPECT_LT(width, GetSystemMetrics(SM_CXSCREEN)) << key;
        EXPECT_LT(height, GetSystemMetrics(SM_CYSCREEN)) << key;
        PostMessageA(window, WM_CLOSE, 0, 0);
        ASSERT_EQ(WAIT_OBJECT_0, WaitForSingleObject(process, kTimeoutMs)) << key;
    }
}

// The place kept for this desktop size lies beyond it: with DenyOutOfDesktop the calendar comes back to the corner.
TEST_F(ProgramTest, PlaceOffTheDesktopComesBackWhenDenied)
{
    PrepareSettings(0);
    RECT desktop;
    ASSERT_TRUE(GetClientRect(GetDesktopWindow(), &desktop));
    std::string screen = "Daylens" + std::to_string(desktop.right) + "x" + std::to_string(desktop.bottom);
    WriteSetting(screen.c_str(), "WindowX", desktop.right + 100);
    WriteSetting(screen.c_str(), "WindowY", 30);
    WriteSetting("Daylens01", "DenyOutOfDesktop", 1);
    ASSERT_NE(nullptr, Start(""));
    HWND window = WaitForShownCalendar();
    ASSERT_NE(nullptr, window);
    RECT rect;
    ASSERT_TRUE(GetWindowRect(window, &rect));
    EXPECT_EQ(0, rect.left);
    EXPECT_EQ(0, rect.top);
}

// The icon put in the tray at start goes when the program ends; without the tray option neither happens.
TEST_F(ProgramTest, TrayIconGoesWhenTheProgramEnds)
{
    FakeTray tray;
    ASSERT_NE(nullptr, tray.Window);
    for (int useTray : {1, 0}) {
        SCOPED_TRACE("UseTaskTray " + std::to_string(useTray));
        g_trayMessages.clear();
        PrepareSettings(0);
        WriteSetting("Daylens01", "UseTaskTray", useTray);
        HANDLE process = Start("");
        HWND window = WaitForShownCalendar();
        ASSERT_NE(nullptr, window);
        PostMessageA(window, WM_CLOSE, 0, 0);
        ASSERT_TRUE(WaitForEnd(process));
        if (useTray) {
            ASSERT_FALSE(g_trayMessages.empty());
            EXPECT_EQ((DWORD)NIM_ADD, g_trayMessages.front());
            EXPECT_EQ((DWORD)NIM_DELETE, g_trayMessages.back());
        } else {
            EXPECT_TRUE(g_trayMessages.empty());
        }
    }
}

// Views of many months with the default colour key start, step a year and stay up. Under Wine the key becomes the
// shape of the X window, and one of more rectangles than an X request carries broke the connection and ended the
// program as soon as the first picture was shown.
TEST_F(ProgramTest, ViewsOfManyMonthsStartStepAndStayUp)
{
    const DWORD kStayUpMs = 2000;
    for (int view : {1212, 906}) {
        int rows = view / 100, lines = view % 100;
        SCOPED_TRACE(std::to_string(rows) + " x " + std::to_string(lines));
        PrepareSettings(0);
        WriteSetting("Daylens01", "DisplayRows", rows);
        WriteSetting("Daylens01", "DisplayLines", lines);
        HANDLE process = Start("");
        HWND window = WaitForShownCalendar();
        ASSERT_NE(nullptr, window);
        SendMessageA(window, WM_COMMAND, IDM_YEAR_NEXT, 0);
        EXPECT_EQ((DWORD)WAIT_TIMEOUT, WaitForSingleObject(process, kStayUpMs)) << "the program ended";
        DWORD_PTR answer = 0;
        EXPECT_TRUE(SendMessageTimeoutA(window, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, kTimeoutMs, &answer));
        PostMessageA(window, WM_CLOSE, 0, 0);
        ASSERT_EQ(WAIT_OBJECT_0, WaitForSingleObject(process, kTimeoutMs));
        DWORD code = 99;
        GetExitCodeProcess(process, &code);
        EXPECT_EQ(0u, code);
    }
}

// A tray slow to answer the removal of the icon does not hold up the end of the program (Wine's own tray, without a
// window manager, answers only after two seconds); the removal still reaches it.
TEST_F(ProgramTest, ASlowTrayDoesNotHoldUpTheEnd)
{
    FakeTray tray;
    ASSERT_NE(nullptr, tray.Window);
    g_trayMessages.clear();
    PrepareSettings(0);
    HANDLE process = Start("");
    HWND window = WaitForShownCalendar();
    ASSERT_NE(nullptr, window);
    g_holdRemovalUntilEnd = process;
    g_endedWhileRemovalHeld = false;
    PostMessageA(window, WM_CLOSE, 0, 0);
    bool ended = WaitForEnd(process);
    g_holdRemovalUntilEnd = nullptr;
    ASSERT_TRUE(ended);
    ASSERT_FALSE(g_trayMessages.empty());
    EXPECT_EQ((DWORD)NIM_DELETE, g_trayMessages.back());
    EXPECT_TRUE(g_endedWhileRemovalHeld) << "the program waited for the tray's answer";
}

// Where Wine hands windows to a window manager (its default) and none runs, the calendar still ends at once after a
// close: Wine hides a window it handed over only once a window manager confirms it, or after two seconds. The
// calendar was handed over as the owner of its tooltip window, which Wine took for a window with a caption, as the
// window activated when it was first shown, and by each placement while it was the active window: a click (which
// activates it and ends in a window drag's placement) followed by a year's step. The tests' Wine keeps every window
// to itself; this one program, under a name of its own, gets Wine's default.
TEST_F(ProgramTest, EndsAtOnceWhereWineWouldWaitForAWindowManager)
{
    const char kName[] = "DaylensManaged";
    const char kAppKey[] = "Software\\Wine\\AppDefaults\\DaylensManaged.exe";
    // Wine's wait alone takes two seconds: an end that takes less did not wait for it, however busy the machine.
    const DWORD kQuickEndMs = 1900;
    PrepareSettings(0);
    ExeName = std::string(kName) + ".exe";
    std::string iniPath = IniPath;
    iniPath.replace(iniPath.rfind("\\Daylens-") + 1, strlen("Daylens"), kName);
    ASSERT_TRUE(CopyFileA((Folder + "\\Daylens.exe").c_str(), (Folder + "\\" + ExeName).c_str(), FALSE));
    ASSERT_TRUE(CopyFileA(IniPath.c_str(), iniPath.c_str(), FALSE));
    HKEY key = nullptr;
    ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyExA(HKEY_CURRENT_USER, (std::string(kAppKey) + "\\X11 Driver").c_str(), 0,
                                             nullptr, 0, KEY_SET_VALUE, nullptr, &key, nullptr));
    RegSetValueExA(key, "Managed", 0, REG_SZ, (const BYTE*)"Y", 2);
    RegCloseKey(key);
    HANDLE process = Start("");
    HWND window = WaitForShownCalendar();
    if (window) {
        RECT rect = {};
        GetWindowRect(window, &rect);
        // The middle of the calendar: Wine's own tray window may cover its corner.
        PlacePointer((rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2);
        SendMouse(MOUSEEVENTF_LEFTDOWN);
        SendMouse(MOUSEEVENTF_LEFTUP);
        EXPECT_TRUE(WaitUntil([window] { return GetForegroundWindow() == window; }, 5000));
        DWORD_PTR result = 0;
        SendMessageTimeoutA(window, WM_COMMAND, IDM_YEAR_NEXT, 0, SMTO_NORMAL, kTimeoutMs, &result);
        DWORD from = GetTickCount();
        PostMessageA(window, WM_CLOSE, 0, 0);
        EXPECT_EQ(WAIT_OBJECT_0, WaitForSingleObject(process, kTimeoutMs));
        EXPECT_LT(GetTickCount() - from, kQuickEndMs);
    }
    RegDeleteTreeA(HKEY_CURRENT_USER, kAppKey);
    ASSERT_NE(nullptr, window);
}

// The tray tip names today when UseTaskTrayDate asks for it, else only the program.
TEST_F(ProgramTest, TrayTipShowsTodayWhenAsked)
{
    FakeTray tray;
    ASSERT_NE(nullptr, tray.Window);
    for (int useDate : {1, 0}) {
        SCOPED_TRACE("UseTaskTrayDate " + std::to_string(useDate));
        g_trayTips.clear();
        PrepareSettings(0);
        WriteSetting("Daylens01", "UseTaskTray", 1);
        WriteSetting("Daylens01", "UseTaskTrayDate", useDate);
        HANDLE process = Start("");
        HWND window = WaitForShownCalendar();
        ASSERT_NE(nullptr, window);
        auto expected = [useDate] {
            SYSTEMTIME today;
            GetLocalTime(&today);
            return useDate ? L"Daylens - " + std::to_wstring(today.wYear) + L"年" + std::to_wstring(today.wMonth) +
                                 L"月" + std::to_wstring(today.wDay) + L"日"
                           : std::wstring(L"Daylens");
        };
        EXPECT_TRUE(WaitUntil([&] { return !g_trayTips.empty() && g_trayTips.back() == expected(); }))
            << (g_trayTips.empty() ? 0 : g_trayTips.back().size());
        PostMessageA(window, WM_CLOSE, 0, 0);
        ASSERT_TRUE(WaitForEnd(process));
    }
}

TEST_F(ProgramTest, SecondStartEndsAndLeavesTheFirstRunning)
{
    struct SecondCase {
        int doubleStart;
        const char* words;
    };
    for (const SecondCase& c : {SecondCase{0, ""}, SecondCase{1, ""}, SecondCase{2, "activate"}}) {
        SCOPED_TRACE(std::string("DoubleStart ") + std::to_string(c.doubleStart) + " words '" + c.words + "'");
        PrepareSettings(c.doubleStart);
        HANDLE first = Start("");
        ASSERT_TRUE(WaitForWindowCount(1));
        HANDLE second = Start(c.words);
        ASSERT_NE(nullptr, second);
        if (c.doubleStart == 0) {
            // The second start waits until the settings dialog it opened in the first is closed.
            HWND settings = nullptr;
            ASSERT_TRUE(WaitUntil([&] {
                return (settings = FindProcessWindow(first, "#32770", "Daylens 環境設定")) != nullptr;
            }));
            EXPECT_EQ(WAIT_TIMEOUT, WaitForSingleObject(second, 0));
            PostMessageA(settings, WM_COMMAND, IDCANCEL, 0);
        }
        ASSERT_EQ(WAIT_OBJECT_0, WaitForSingleObject(second, kTimeoutMs));
        EXPECT_EQ(1u, CalendarWindows().size());
        EXPECT_EQ(WAIT_TIMEOUT, WaitForSingleObject(first, 0));
        PostMessageA(CalendarWindows()[0], WM_CLOSE, 0, 0);
        ASSERT_EQ(WAIT_OBJECT_0, WaitForSingleObject(first, kTimeoutMs));
    }
}

TEST_F(ProgramTest, FurtherInstancesRunBesideTheFirst)
{
    struct FurtherCase {
        int doubleStart;
        const char* words;
    };
    for (const FurtherCase& c : {FurtherCase{2, ""}, FurtherCase{0, "force"}}) {
        SCOPED_TRACE(std::string("DoubleStart ") + std::to_string(c.doubleStart) + " words '" + c.words + "'");
        PrepareSettings(c.doubleStart);
        HANDLE first = Start("");
        ASSERT_TRUE(WaitForWindowCount(1));
        HANDLE further = Start(c.words);
        EXPECT_TRUE(WaitForWindowCount(2));
        for (HWND window : CalendarWindows())
            PostMessageA(window, WM_CLOSE, 0, 0);
        // The next case starts only when the name is free again, which is after the window has gone.
        ASSERT_EQ(WAIT_OBJECT_0, WaitForSingleObject(first, kTimeoutMs));
        ASSERT_EQ(WAIT_OBJECT_0, WaitForSingleObject(further, kTimeoutMs));
    }
}

// A name that no mutex can take (here an event's) tells of no other instance: the calendar starts alone.
TEST_F(ProgramTest, StartsAloneWhenNoInstanceMutexCanBeMade)
{
    HANDLE event = CreateEventA(nullptr, TRUE, FALSE, kCalendarClass);
    ASSERT_NE(nullptr, event);
    PrepareSettings(0);
    Start("");
    EXPECT_NE(nullptr, WaitForShownCalendar());
    CloseHandle(event);
}

// "restart" waits for the old instance to let go of the name, then starts normally.
TEST_F(ProgramTest, RestartWaitsForTheOldInstance)
{
    PrepareSettings(0);
    HANDLE first = Start("");
    ASSERT_TRUE(WaitForWindowCount(1));
    HWND old = CalendarWindows()[0];
    HANDLE second = Start("restart");
    ASSERT_NE(nullptr, second);
    EXPECT_EQ(WAIT_TIMEOUT, WaitForSingleObject(second, 1500));
    EXPECT_EQ(1u, CalendarWindows().size());

    PostMessageA(old, WM_CLOSE, 0, 0);
    ASSERT_EQ(WAIT_OBJECT_0, WaitForSingleObject(first, kTimeoutMs));
    ASSERT_TRUE(WaitForWindowCount(1));
    DWORD owner = 0;
    GetWindowThreadProcessId(CalendarWindows()[0], &owner);
    EXPECT_EQ(GetProcessId(second), owner);
    EXPECT_EQ(WAIT_TIMEOUT, WaitForSingleObject(second, 0));
}

// Copies what the screen shows under the window into shot, which has the window's size.
void CopyScreenUnder(HWND window, MemoryBitmap* shot)
{
    RECT rect = {};
    GetWindowRect(window, &rect);
    HDC screen = GetDC(nullptr);
    shot->CopyFrom(screen, rect.left, rect.top);
    ReleaseDC(nullptr, screen);
}

int DifferingPixels(const MemoryBitmap& a, const MemoryBitmap& b)
{
    int count = 0;
    for (int i = 0; i < a.Width() * a.Height(); i++)
        count += (a.Bits()[i] & 0xFFFFFF) != (b.Bits()[i] & 0xFFFFFF);
    return count;
}

// December and January stepped two months on and two back show the picture they started with, in an elliptic
// frame, a rounded one with corners wider than the window, and one with small corners. The steps change the
// window's height; under Wine the colour key shaped the window from the pixels outside the frame's curve too, where
// a picture copied while the shape changed stayed: the window showed as a rectangle with an older month's heading
// and days in its corners.
TEST_F(ProgramTest, StepsOnAndBackShowTheStartPictureInEveryFrame)
{
    struct Frame {
        int shape;
        int roundness;
    };
    for (Frame frame : {Frame{2, 99999999}, Frame{2, 1000}, Frame{1, 20}, Frame{2, 20}}) {
        SCOPED_TRACE("FrameShape " + std::to_string(frame.shape) + ", RoundWidth " + std::to_string(frame.roundness));
        PrepareSettings(0);
        WriteSetting("Daylens01", "DisplayRows", 2);
        WriteSetting("Daylens01", "FrameShape", frame.shape);
        WriteSetting("Daylens01", "RoundWidth", frame.roundness);
        WriteSetting("Daylens01", "DisplayStart", 6);
        WriteSetting("Daylens01", "DisplayPreYear", 2026);
        WriteSetting("Daylens01", "DisplayPreMonth", 12);
        WriteSetting("Daylens01", "UseTaskTray", 0);
        HANDLE process = Start("");
        HWND window = WaitForShownCalendar();
        ASSERT_NE(nullptr, window);
        RECT rect = {};
        GetWindowRect(window, &rect);
        MemoryBitmap start(rect.right - rect.left, rect.bottom - rect.top), now(start.Width(), start.Height());
        // The start picture is the first one that two looks in a row find the same, with the calendar in it.
        ASSERT_TRUE(WaitUntil([&] {
            CopyScreenUnder(window, &now);
            bool settled = DifferingPixels(start, now) == 0 && now.Count(RGB(0, 0, 0)) < now.Width() * now.Height();
            start.CopyFrom(now.Dc());
            return settled;
        }));
        for (UINT command : {IDM_MONTH_NEXT, IDM_MONTH_NEXT, IDM_MONTH_BACK, IDM_MONTH_BACK})
            SendMessageA(window, WM_COMMAND, command, 0);
        int differing = 0;
        EXPECT_TRUE(WaitUntil([&] {
            CopyScreenUnder(window, &now);
            differing = DifferingPixels(start, now);
            return differing == 0;
        }, 5000)) << differing << " pixels differ";
        PostMessageA(window, WM_CLOSE, 0, 0);
        ASSERT_EQ(WAIT_OBJECT_0, WaitForSingleObject(process, kTimeoutMs));
    }
}

// Month commands and the wheel step the shown month, which a save writes as the month shown last.
TEST_F(ProgramTest, MonthCommandsAndTheWheelStepTheShownMonth)
{
    PrepareSettings(0);
    Start("");
    HWND window = WaitForShownCalendar();
    ASSERT_NE(nullptr, window);
    int today = TodayInMonths();
    struct Step {
        UINT message;
        WPARAM wParam;
        int months;  // from today's month
    };
    const Step steps[] = {{WM_COMMAND, 519, -1}, {WM_COMMAND, 521, 0},  {WM_COMMAND, 516, -12},
                          {WM_COMMAND, 524, 0},  {WM_COMMAND, 518, -3}, {WM_COMMAND, 517, -9},
                          {WM_COMMAND, 523, -3}, {WM_COMMAND, 522, 0},  {WM_COMMAND, 521, 1},
                          {WM_COMMAND, 520, 0},  {WM_MOUSEWHEEL, MAKEWPARAM(0, WHEEL_DELTA), -1},
                          {WM_MOUSEWHEEL, MAKEWPARAM(0, (WORD)-WHEEL_DELTA), 0}};
    for (const Step& step : steps) {
        SendMessageA(window, step.message, step.wParam, 0);
        EXPECT_EQ(today + step.months, SavedShownMonth(window))
            << "message " << step.message << " " << LOWORD(step.wParam);
    }
}

TEST_F(ProgramTest, PlacementCommandsToggleAndAreSaved)
{
    PrepareSettings(0);
    Start("");
    HWND window = WaitForShownCalendar();
    ASSERT_NE(nullptr, window);
    SendMessageA(window, WM_COMMAND, 525, 0);
    EXPECT_EQ(1, ReadInt("Daylens00", "WindowFix"));
    SendMessageA(window, WM_COMMAND, 525, 0);
    EXPECT_EQ(0, ReadInt("Daylens00", "WindowFix"));

    SendMessageA(window, WM_COMMAND, 526, 0);
    EXPECT_TRUE(GetWindowLongA(window, GWL_EXSTYLE) & WS_EX_TOPMOST);
    EXPECT_EQ(1, ReadInt("Daylens00", "WindowOrder"));
    SendMessageA(window, WM_COMMAND, 526, 0);
    EXPECT_FALSE(GetWindowLongA(window, GWL_EXSTYLE) & WS_EX_TOPMOST);

    SendMessageA(window, WM_COMMAND, 527, 0);
    EXPECT_EQ(2, ReadInt("Daylens00", "WindowOrder"));
    SendMessageA(window, WM_COMMAND, 527, 0);
    EXPECT_EQ(0, ReadInt("Daylens00", "WindowOrder"));

    SendMessageA(window, WM_COMMAND, 510, 0);
    RECT rect;
    ASSERT_TRUE(GetWindowRect(window, &rect));
    EXPECT_EQ(0, rect.left);
    EXPECT_EQ(0, rect.top);
}

// A settings file edited by hand (blanks inside the brackets, a line break of CR alone) takes the topmost command's
// save: the profile functions read the new placement and the shown month.
TEST_F(ProgramTest, AHandEditedSettingsFileTakesTheSave)
{
    const char kHandEdited[] = "[ Daylens00 ]\rVersion=1.20.01\rWindowX=40\rWindowY=30\rWindowOrder=0\rDoubleStart=0\r"
                               "[ Daylens01 ]\rDelayedStart=0\rDisplayPreYear=1999\rDisplayPreMonth=1\r";
    ASSERT_TRUE(WriteWholeFile(IniPath.c_str(), kHandEdited, sizeof(kHandEdited) - 1, nullptr));
    Start("");
    HWND window = WaitForShownCalendar();
    ASSERT_NE(nullptr, window);
    SendMessageA(window, WM_COMMAND, 526, 0);
    EXPECT_EQ(1, ReadInt("Daylens00", "WindowOrder"));
    int shown = ReadInt("Daylens01", "DisplayPreYear") * 12 + ReadInt("Daylens01", "DisplayPreMonth") - 1;
    EXPECT_EQ(TodayInMonths(), shown);
}

// A run killed while it saved the settings left its temporary file, and the next run has the same process number
// (under Wine the first program after the server starts always has): the leftover goes at start, whatever build
// named it, and no save fails for it.
TEST_F(ProgramTest, LeftoversOfAKilledRunWithThisRunsNumberGoAndSavesWork)
{
    PrepareSettings(0);
    std::vector<std::string> leftovers;
    Start("", [&](DWORD process) {
        FILETIME now;
        GetSystemTimeAsFileTime(&now);
        unsigned long long earlierRun = (((unsigned long long)now.dwHighDateTime << 32) | now.dwLowDateTime) - 1;
        char name[96];
        // An older build numbered its saves from 1 without the run; this one names the run it belongs to.
        for (int n = 1; n <= 8; n++) {
            snprintf(name, sizeof(name), ".%lx-%x" DURABLE_SAVE_SUFFIX, process, n);
            leftovers.push_back(IniPath + name);
        }
        snprintf(name, sizeof(name), ".%lx-%llx-1" DURABLE_SAVE_SUFFIX, process, earlierRun);
        leftovers.push_back(IniPath + name);
        for (const std::string& leftover : leftovers)
            ASSERT_EQ(1, WriteWholeFile(leftover.c_str(), "[Daylens00]\r\nVers", 17, nullptr));
    });
    HWND window = WaitForShownCalendar();
    ASSERT_NE(nullptr, window);
    // Posted: a failed save would hold the command in its message box.
    PostMessageA(window, WM_COMMAND, IDM_TOPMOST, 0);
    EXPECT_TRUE(WaitUntil([&] { return ReadInt("Daylens00", "WindowOrder") == 1; }, 5000));
    EXPECT_FALSE(FindDaylensWindow("#32770", "Daylens")) << "no message box";
    for (const std::string& leftover : leftovers)
        EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesA(leftover.c_str())) << leftover;
}

// The layered attributes as "key", "alpha N", both, or "none" for a window that is not layered.
std::string Layering(HWND window)
{
    if (!(GetWindowLongA(window, GWL_EXSTYLE) & WS_EX_LAYERED))
        return "none";
    BYTE alpha = 0;
    DWORD flags = 0;
    if (!GetLayeredWindowAttributes(window, nullptr, &alpha, &flags))
        return "unset";
    std::string key = flags & LWA_COLORKEY ? "key " : "";
    return key + (flags & LWA_ALPHA ? "alpha " + std::to_string(alpha) : "");
}

// Kind 0 punches the key colour out, kind 2 only fades, kind 1 is not layered at all, not even while the pointer
// visit of fade mode 4 shows the others fully.
TEST_F(ProgramTest, LayeredAttributesFollowTheTransparencyKind)
{
    struct KindCase {
        int kind;
        const char* atStart;
        const char* underPointer;
    };
    // Only the visit sent below may count as the pointer over the calendar.
    SetCursorPos(GetSystemMetrics(SM_CXSCREEN) - 1, GetSystemMetrics(SM_CYSCREEN) - 1);
    for (const KindCase& c : {KindCase{0, "key alpha 200", "alpha 255"}, KindCase{2, "alpha 200", "alpha 255"},
                              KindCase{1, "none", "none"}}) {
        SCOPED_TRACE("TransMode " + std::to_string(c.kind));
        PrepareSettings(0);
        WriteSetting("Daylens01", "TransMode", c.kind);
        WriteSetting("Daylens01", "TransparentAlphaMode", 4);
        WriteSetting("Daylens01", "TransparentAlpha", 200);
        // The visit outlasts the test: its fade back comes after 30 s.
        WriteSetting("Daylens01", "TransparentAlphaTime", 30);
        HANDLE process = Start("");
        HWND window = WaitForShownCalendar();
        ASSERT_NE(nullptr, window);
        EXPECT_EQ(c.atStart, Layering(window));
        // Sent, so the visit has been handled when it returns.
        SendMessageA(window, WM_MOUSEMOVE, 0, MAKELPARAM(20, 20));
        EXPECT_EQ(c.underPointer, Layering(window));
        PostMessageA(window, WM_CLOSE, 0, 0);
        ASSERT_EQ(WAIT_OBJECT_0, WaitForSingleObject(process, kTimeoutMs));
    }
}

}  // namespace

// Runs the built Daylens.exe from a fresh copy of the install folder with a
// prepared settings file on a desktop of the tests' own, finds its window and
// reads back what it wrote.
#pragma once

#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <functional>
#include <mutex>
#include <string>
#include <thread>
#include <utility>
#include <vector>

const char kCalendarClass[] = "Velmora Daylens";
const DWORD kTimeoutMs = 20000;

std::vector<HWND> CalendarWindows();

// Polls cond, pumping this thread's messages, until it holds; false when it did
// not within the time-out.
bool WaitUntil(const std::function<bool()>& cond, DWORD timeoutMs = kTimeoutMs);

// Polls until the number of calendar windows is count.
bool WaitForWindowCount(size_t count, DWORD timeoutMs = kTimeoutMs);

// Polls until the only calendar window is shown (its creation has ended); null
// when none came within the time-out.
HWND WaitForShownCalendar();

// Today's month as year * 12 + month - 1.
int TodayInMonths();

// Real input through the X server: a mouse event (MOUSEEVENTF_*), a key pressed and let go, or a key only pressed
// (down) or let go.
void SendMouse(DWORD flags, DWORD data = 0);
void SendKey(WORD key);
void SendKeyState(WORD key, bool down);
POINT TopLeft(HWND window);
// Polls until window is the foreground window, asking for it; false when it did not become one.
bool BringToForeground(HWND window);
// A top-level window of a running Daylens.exe with the class and title (either may be null for any), or null: the
// other test programs on the desktop open dialogs of the same titles.
HWND FindDaylensWindow(const char* className, const char* title);
// A top-level window of process with the class and title (either may be null for any), or null.
HWND FindProcessWindow(HANDLE process, const char* className, const char* title);
// How many top-level windows of process have the class and title.
int CountProcessWindows(HANDLE process, const char* className, const char* title);
// The shown popup menus (the root menu and any submenu open under it).
int ShownMenuCount();
// The tooltip control of calendar while it shows a tip, else null.
HWND ShownTipOf(HWND calendar);
// The tooltip windows of the program's thread that run window that owner owns.
std::vector<HWND> TipsOwnedBy(HWND owner);

// Memory in the program's process for the messages whose argument points at a structure.
class RemoteBlock {
public:
    RemoteBlock(HANDLE process, size_t size) : process_(process)
    {
        address_ = VirtualAllocEx(process, nullptr, size, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
    }
    ~RemoteBlock()
    {
        if (address_)
            VirtualFreeEx(process_, address_, 0, MEM_RELEASE);
    }
    RemoteBlock(const RemoteBlock&) = delete;
    RemoteBlock& operator=(const RemoteBlock&) = delete;
    void* Address() const { return address_; }
    bool Write(const void* data, size_t size) { return WriteProcessMemory(process_, address_, data, size, nullptr); }
    bool Read(void* data, size_t size) { return ReadProcessMemory(process_, address_, data, size, nullptr); }

private:
    HANDLE process_;
    void* address_;
};

// The tools of the program's tooltip window tip in their order (their texts left out).
std::vector<TOOLINFOA> ToolsOf(HANDLE process, HWND tip);

// The threads of process running now.
int ThreadCount(HANDLE process);
// The threads of process once their number has held for half a second (the start-up starts some late).
int SettledThreadCount(HANDLE process);
// The top-level windows of process with the class.
int WindowCount(HANDLE process, const char* className);

// Collects the diagnostic lines (OutputDebugStringA) of every process while it lives, the way a debug monitor does.
class DebugOutput {
public:
    DebugOutput();
    ~DebugOutput();
    bool Listening() const { return reader_.joinable(); }
    // True when a line of process pid held text.
    bool Contains(DWORD pid, const char* text);
    // The number that follows text in each line of process pid that holds it, in order ("ran 12 ms" gives 12 for
    // "ran ").
    std::vector<long> NumbersAfter(DWORD pid, const char* text);

private:
    void Read();

    HANDLE bufferReady_ = nullptr;
    HANDLE dataReady_ = nullptr;
    HANDLE mapping_ = nullptr;
    const char* view_ = nullptr;
    std::thread reader_;
    volatile bool stop_ = false;
    std::mutex mutex_;
    std::vector<std::pair<DWORD, std::string>> lines_;
};

class ProgramTest : public testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // A settings file of an earlier run of this version, so that no first-run
    // question is asked.
    void PrepareSettings(int doubleStart);
    void WriteSetting(const char* section, const char* key, int value);
    // Starts the program from Folder; with beforeRun, the process is made suspended and beforeRun gets its number
    // before it runs.
    HANDLE Start(const char* words, const std::function<void(DWORD)>& beforeRun = nullptr);
    int ReadInt(const char* section, const char* key);
    // Has the calendar save its settings and returns the month it shows, as year
    // * 12 + month - 1.
    int SavedShownMonth(HWND window);
    // Polls by saving until the calendar shows month.
    bool WaitForShownMonth(HWND window, int month);

    std::string Folder;
    std::string IniPath;
    std::string ExeName = "Daylens.exe";  // the program Start starts from Folder
    std::vector<HANDLE> Processes;
};

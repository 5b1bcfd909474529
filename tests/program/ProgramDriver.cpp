#include "ProgramDriver.h"

#include "TempFolder.h"

#include <commctrl.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <tlhelp32.h>

namespace {

BOOL CALLBACK CollectCalendar(HWND window, LPARAM param)
{
    char name[256];
    if (GetClassNameA(window, name, sizeof(name)) && strcmp(name, kCalendarClass) == 0)
        reinterpret_cast<std::vector<HWND>*>(param)->push_back(window);
    return TRUE;
}

// The calendars run on a desktop of their own, where no window of a test program running beside these can cover
// them, take the foreground or take the pointer input meant for them.
const char kDesktopName[] = "DaylensProgramTests";

bool OnOwnDesktop()
{
    static HDESK desktop = nullptr;
    if (!desktop) {
        desktop = CreateDesktopA(kDesktopName, nullptr, nullptr, 0, GENERIC_ALL, nullptr);
        if (desktop && !SetThreadDesktop(desktop)) {
            CloseDesktop(desktop);
            desktop = nullptr;
        }
    }
    return desktop != nullptr;
}

BOOL CALLBACK FindShownTip(HWND window, LPARAM param)
{
    HWND* owner = reinterpret_cast<HWND*>(param);
    char name[64] = "";
    GetClassNameA(window, name, sizeof(name));
    if (lstrcmpiA(name, TOOLTIPS_CLASSA) != 0 || GetWindow(window, GW_OWNER) != *owner || !IsWindowVisible(window))
        return TRUE;
    *owner = window;
    return FALSE;
}

} // namespace

void SendMouse(DWORD flags, DWORD data)
{
    INPUT input = {};
    input.type = INPUT_MOUSE;
    input.mi.dwFlags = flags;
    input.mi.mouseData = data;
    SendInput(1, &input, sizeof(input));
}

void SendKeyState(WORD key, bool down)
{
    INPUT input = {};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = key;
    input.ki.dwFlags = KEYEVENTF_EXTENDEDKEY | (down ? 0 : KEYEVENTF_KEYUP);
    SendInput(1, &input, sizeof(input));
}

void SendKey(WORD key)
{
    SendKeyState(key, true);
    SendKeyState(key, false);
}

POINT TopLeft(HWND window)
{
    RECT rect = {};
    GetWindowRect(window, &rect);
    return {rect.left, rect.top};
}

bool BringToForeground(HWND window)
{
    return WaitUntil(
        [window] {
            if (GetForegroundWindow() != window)
                SetForegroundWindow(window);
            return GetForegroundWindow() == window;
        },
        5000);
}

HWND ShownTipOf(HWND calendar)
{
    HWND found = calendar;
    EnumWindows(FindShownTip, reinterpret_cast<LPARAM>(&found));
    return found != calendar ? found : nullptr;
}

std::vector<HWND> TipsOwnedBy(HWND owner)
{
    struct Search {
        HWND Owner;
        std::vector<HWND> Tips;
    } search = {owner, {}};
    EnumThreadWindows(
        GetWindowThreadProcessId(owner, nullptr),
        [](HWND window, LPARAM param) -> BOOL {
            Search* s = (Search*)param;
            char name[64] = "";
            GetClassNameA(window, name, sizeof(name));
            if (lstrcmpiA(name, TOOLTIPS_CLASSA) == 0 && GetWindow(window, GW_OWNER) == s->Owner)
                s->Tips.push_back(window);
            return TRUE;
        },
        (LPARAM)&search);
    return search.Tips;
}

std::vector<TOOLINFOA> ToolsOf(HANDLE process, HWND tip)
{
    std::vector<TOOLINFOA> tools;
    RemoteBlock block(process, sizeof(TOOLINFOA));
    int count = (int)SendMessageA(tip, TTM_GETTOOLCOUNT, 0, 0);
    for (int i = 0; i < count; i++) {
        TOOLINFOA tool = {};
        tool.cbSize = sizeof(tool);
        block.Write(&tool, sizeof(tool));
        if (SendMessageA(tip, TTM_ENUMTOOLSA, (WPARAM)i, (LPARAM)block.Address()) && block.Read(&tool, sizeof(tool))) {
            tool.lpszText = nullptr;
            tools.push_back(tool);
        }
    }
    return tools;
}

int ShownMenuCount()
{
    int count = 0;
    HWND menu = nullptr;
    while ((menu = FindWindowExA(nullptr, menu, "#32768", nullptr)) != nullptr)
        count += IsWindowVisible(menu) ? 1 : 0;
    return count;
}

std::vector<HWND> CalendarWindows()
{
    std::vector<HWND> windows;
    EnumWindows(CollectCalendar, reinterpret_cast<LPARAM>(&windows));
    return windows;
}

bool WaitUntil(const std::function<bool()>& cond, DWORD timeoutMs)
{
    DWORD start = GetTickCount();
    while (!cond()) {
        if (GetTickCount() - start > timeoutMs)
            return false;
        MSG message;
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE))
            DispatchMessageA(&message);
        Sleep(20);
    }
    return true;
}

bool WaitForWindowCount(size_t count, DWORD timeoutMs)
{
    return WaitUntil([count] { return CalendarWindows().size() == count; }, timeoutMs);
}

HWND WaitForShownCalendar()
{
    HWND shown = nullptr;
    WaitUntil([&shown] {
        std::vector<HWND> windows = CalendarWindows();
        shown = windows.size() == 1 && IsWindowVisible(windows[0]) ? windows[0] : nullptr;
        return shown != nullptr;
    });
    return shown;
}

int TodayInMonths()
{
    SYSTEMTIME now;
    GetLocalTime(&now);
    return now.wYear * 12 + now.wMonth - 1;
}

void ProgramTest::SetUp()
{
    ASSERT_TRUE(OnOwnDesktop());
    char temp[MAX_PATH];
    GetTempPathA(sizeof(temp), temp);
    char folder[MAX_PATH];
    snprintf(folder, sizeof(folder), "%sdaylens-program-%lu-%lu", temp, GetCurrentProcessId(), GetTickCount());
    Folder = folder;
    ASSERT_TRUE(CopyFolder(DAYLENS_DIST_DIR, Folder));
    char user[256] = "";
    DWORD size = sizeof(user);
    ASSERT_TRUE(GetUserNameA(user, &size));
    IniPath = Folder + "\\Daylens-" + user + ".ini";
    // build/dist keeps the settings of a run of scripts/run.sh.
    SetFileAttributesA(IniPath.c_str(), FILE_ATTRIBUTE_NORMAL);
    DeleteFileA(IniPath.c_str());
    ASSERT_TRUE(CalendarWindows().empty()) << "another calendar is running";
}

void ProgramTest::TearDown()
{
    for (HWND window : CalendarWindows())
        PostMessageA(window, WM_CLOSE, 0, 0);
    for (HANDLE process : Processes) {
        if (WaitForSingleObject(process, kTimeoutMs) != WAIT_OBJECT_0)
            TerminateProcess(process, 1);
        CloseHandle(process);
    }
    RemoveFolder(Folder);
}

void ProgramTest::PrepareSettings(int doubleStart)
{
    WritePrivateProfileStringA("Daylens00", "Version", "1.20.01", IniPath.c_str());
    WriteSetting("Daylens00", "WindowX", 40);
    WriteSetting("Daylens00", "WindowY", 30);
    WriteSetting("Daylens00", "DoubleStart", doubleStart);
    WriteSetting("Daylens01", "DelayedStart", 0);
}

void ProgramTest::WriteSetting(const char* section, const char* key, int value)
{
    char text[32];
    snprintf(text, sizeof(text), "%d", value);
    WritePrivateProfileStringA(section, key, text, IniPath.c_str());
    WritePrivateProfileStringA(nullptr, nullptr, nullptr, IniPath.c_str());
}

HANDLE ProgramTest::Start(const char* words, const std::function<void(DWORD)>& beforeRun)
{
    std::string exe = Folder + "\\" + ExeName;
    std::string commandLine = "\"" + exe + "\"" + (words[0] ? std::string(" ") + words : "");
    STARTUPINFOA startup = {};
    startup.cb = sizeof(startup);
    char desktop[sizeof(kDesktopName)];
    memcpy(desktop, kDesktopName, sizeof(desktop));
    startup.lpDesktop = desktop;
    PROCESS_INFORMATION info = {};
    std::vector<char> line(commandLine.begin(), commandLine.end());
    line.push_back('\0');
    DWORD flags = beforeRun ? CREATE_SUSPENDED : 0;
    if (!CreateProcessA(exe.c_str(), line.data(), nullptr, nullptr, FALSE, flags, nullptr, Folder.c_str(), &startup,
                        &info))
        return nullptr;
    if (beforeRun) {
        beforeRun(info.dwProcessId);
        ResumeThread(info.hThread);
    }
    CloseHandle(info.hThread);
    Processes.push_back(info.hProcess);
    return info.hProcess;
}

int ProgramTest::ReadInt(const char* section, const char* key)
{
    return (int)GetPrivateProfileIntA(section, key, -9999, IniPath.c_str());
}

int ProgramTest::SavedShownMonth(HWND window)
{
    SendMessageA(window, WM_COMMAND, 902, 0);
    return ReadInt("Daylens01", "DisplayPreYear") * 12 + ReadInt("Daylens01", "DisplayPreMonth") - 1;
}

bool ProgramTest::WaitForShownMonth(HWND window, int month)
{
    return WaitUntil([&] { return SavedShownMonth(window) == month; }, 5000);
}

HWND FindProcessWindow(HANDLE process, const char* className, const char* title)
{
    DWORD id = GetProcessId(process);
    HWND window = nullptr;
    while ((window = FindWindowExA(nullptr, window, className, title)) != nullptr) {
        DWORD owner = 0;
        GetWindowThreadProcessId(window, &owner);
        if (owner == id)
            return window;
    }
    return nullptr;
}

int CountProcessWindows(HANDLE process, const char* className, const char* title)
{
    DWORD id = GetProcessId(process);
    int count = 0;
    HWND window = nullptr;
    while ((window = FindWindowExA(nullptr, window, className, title)) != nullptr) {
        DWORD owner = 0;
        GetWindowThreadProcessId(window, &owner);
        count += owner == id ? 1 : 0;
    }
    return count;
}

HWND FindDaylensWindow(const char* className, const char* title)
{
    HWND window = nullptr;
    while ((window = FindWindowExA(nullptr, window, className, title)) != nullptr) {
        DWORD id = 0;
        GetWindowThreadProcessId(window, &id);
        HANDLE process = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, id);
        char image[MAX_PATH] = "";
        DWORD size = sizeof(image);
        bool daylens = process && QueryFullProcessImageNameA(process, 0, image, &size) && size >= 11 &&
                       lstrcmpiA(image + size - 11, "Daylens.exe") == 0;
        if (process)
            CloseHandle(process);
        if (daylens)
            return window;
    }
    return nullptr;
}

int ThreadCount(HANDLE process)
{
    DWORD id = GetProcessId(process);
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPTHREAD, 0);
    if (snapshot == INVALID_HANDLE_VALUE)
        return -1;
    int count = 0;
    THREADENTRY32 entry = {};
    entry.dwSize = sizeof(entry);
    for (BOOL more = Thread32First(snapshot, &entry); more; more = Thread32Next(snapshot, &entry))
        count += entry.th32OwnerProcessID == id ? 1 : 0;
    CloseHandle(snapshot);
    return count;
}

int SettledThreadCount(HANDLE process)
{
    const DWORD kHeldMs = 500;
    int count = ThreadCount(process);
    DWORD since = GetTickCount();
    WaitUntil([&] {
        int now = ThreadCount(process);
        if (now != count) {
            count = now;
            since = GetTickCount();
        }
        return GetTickCount() - since >= kHeldMs;
    }, 10000);
    return count;
}

int WindowCount(HANDLE process, const char* className)
{
    DWORD id = GetProcessId(process);
    int count = 0;
    HWND window = nullptr;
    while ((window = FindWindowExA(nullptr, window, className, nullptr)) != nullptr) {
        DWORD owner = 0;
        GetWindowThreadProcessId(window, &owner);
        count += owner == id ? 1 : 0;
    }
    return count;
}

DebugOutput::DebugOutput()
{
    bufferReady_ = CreateEventA(nullptr, FALSE, TRUE, "DBWIN_BUFFER_READY");
    dataReady_ = CreateEventA(nullptr, FALSE, FALSE, "DBWIN_DATA_READY");
    mapping_ = CreateFileMappingA(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0, 4096, "DBWIN_BUFFER");
    view_ = mapping_ ? (const char*)MapViewOfFile(mapping_, FILE_MAP_READ, 0, 0, 4096) : nullptr;
    if (bufferReady_ && dataReady_ && view_)
        reader_ = std::thread([this] { Read(); });
}

DebugOutput::~DebugOutput()
{
    stop_ = true;
    if (reader_.joinable())
        reader_.join();
    if (view_)
        UnmapViewOfFile(view_);
    for (HANDLE handle : {mapping_, dataReady_, bufferReady_}) {
        if (handle)
            CloseHandle(handle);
    }
}

bool DebugOutput::Contains(DWORD pid, const char* text)
{
    std::lock_guard<std::mutex> lock(mutex_);
    for (const auto& line : lines_) {
        if (line.first == pid && line.second.find(text) != std::string::npos)
            return true;
    }
    return false;
}

std::vector<long> DebugOutput::NumbersAfter(DWORD pid, const char* text)
{
    std::lock_guard<std::mutex> lock(mutex_);
    std::vector<long> numbers;
    for (const auto& line : lines_) {
        size_t at = line.first == pid ? line.second.find(text) : std::string::npos;
        if (at != std::string::npos)
            numbers.push_back(strtol(line.second.c_str() + at + strlen(text), nullptr, 10));
    }
    return numbers;
}

void DebugOutput::Read()
{
    while (!stop_) {
        if (WaitForSingleObject(dataReady_, 100) != WAIT_OBJECT_0)
            continue;
        DWORD pid;
        memcpy(&pid, view_, sizeof(pid));
        std::string line(view_ + sizeof(pid), strnlen(view_ + sizeof(pid), 4096 - sizeof(pid)));
        {
            std::lock_guard<std::mutex> lock(mutex_);
            lines_.emplace_back(pid, line);
        }
        SetEvent(bufferReady_);
    }
}

// The memo watcher at start: with a memo for today and the popup asked for, the popup view comes up with today's
// memo, and closing the program while the popup is open ends it cleanly.
#include "ProgramDriver.h"

#include <stdio.h>
#include <string.h>

#include <mutex>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "FileUtil.h"

namespace {

// Collects the diagnostic lines (OutputDebugStringA) of every process while it lives, the way a debug monitor does.
class DebugOutput {
public:
    DebugOutput()
    {
        bufferReady_ = CreateEventA(nullptr, FALSE, TRUE, "DBWIN_BUFFER_READY");
        dataReady_ = CreateEventA(nullptr, FALSE, FALSE, "DBWIN_DATA_READY");
        mapping_ = CreateFileMappingA(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0, 4096, "DBWIN_BUFFER");
        view_ = mapping_ ? (const char*)MapViewOfFile(mapping_, FILE_MAP_READ, 0, 0, 4096) : nullptr;
        if (bufferReady_ && dataReady_ && view_)
            reader_ = std::thread([this] { Read(); });
    }
    ~DebugOutput()
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
    bool Listening() const { return reader_.joinable(); }
    // True when a line of process pid held text.
    bool Contains(DWORD pid, const char* text)
    {
        std::lock_guard<std::mutex> lock(mutex_);
        for (const auto& line : lines_) {
            if (line.first == pid && line.second.find(text) != std::string::npos)
                return true;
        }
        return false;
    }

private:
    void Read()
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

    HANDLE bufferReady_ = nullptr;
    HANDLE dataReady_ = nullptr;
    HANDLE mapping_ = nullptr;
    const char* view_ = nullptr;
    std::thread reader_;
    volatile bool stop_ = false;
    std::mutex mutex_;
    std::vector<std::pair<DWORD, std::string>> lines_;
};

class PopupWatchTest : public ProgramTest {
protected:
    void SetUp() override
    {
        ProgramTest::SetUp();
        PrepareSettings(0);
        WritePrivateProfileStringA("Daylens01", "PlugInOrder00", "DaylensPopupView.dll", IniPath.c_str());
        WriteSetting("Daylens01", "PlugInUse00", 1);
        WriteSetting("DaylensMemo", "MemoPopup", 1);
        SYSTEMTIME today;
        GetLocalTime(&today);
        char section[16];
        snprintf(section, sizeof(section), "%04d%02d%02d", today.wYear, today.wMonth, today.wDay);
        std::string memoDir = Folder + "\\Memo";
        ASSERT_TRUE(CreateDirectoryA(memoDir.c_str(), nullptr));
        std::string text = std::string("[") + section + "]\r\nMemo=会議の資料\r\n";
        std::string file = memoDir + "\\" + section + ".txt";
        ASSERT_TRUE(WriteWholeFile(file.c_str(), text.data(), (DWORD)text.size(), nullptr));
    }
};

TEST_F(PopupWatchTest, StartShowsTodaysMemoAndTheProgramEndsCleanlyUnderAnOpenPopup)
{
    DebugOutput output;
    ASSERT_TRUE(output.Listening());
    HANDLE process = Start("");
    ASSERT_NE(nullptr, process);
    HWND calendar = WaitForShownCalendar();
    ASSERT_NE(nullptr, calendar);

    HWND popup = nullptr;
    ASSERT_TRUE(WaitUntil([&] {
        popup = FindProcessWindow(process, nullptr, "DaylensPopupView");
        return popup && IsWindowVisible(popup);
    })) << "no popup came up";
    DWORD pid = 0;
    GetWindowThreadProcessId(popup, &pid);
    EXPECT_EQ(GetProcessId(process), pid);
    EXPECT_NE(0, GetWindowLongA(popup, GWL_EXSTYLE) & WS_EX_TOPMOST);
    EXPECT_TRUE(WaitUntil([&] { return output.Contains(pid, "今日のメモ: 会議の資料"); }, 5000));

    // Well within the 10 s the shut-down would wait for a watcher that its popup kept.
    PostMessageA(calendar, WM_CLOSE, 0, 0);
    ASSERT_EQ(WAIT_OBJECT_0, WaitForSingleObject(process, 8000)) << "the program did not end";
    DWORD code = 1;
    GetExitCodeProcess(process, &code);
    EXPECT_EQ(0u, code);
    EXPECT_FALSE(IsWindow(popup));
}

}  // namespace

// The day-memo window of the running program: opened by the calendar's command, it writes, removes and keeps the
// memos of the days it steps through, and keeps the user's text when the memo folder cannot take it.
#include "ProgramDriver.h"

#include <stdio.h>

#include <memory>
#include <string>

#include "DayMemoRules.h"
#include "DaylensIds.h"
#include "FileUtil.h"
#include "HeapUtil.h"
#include "MemoDialogIds.h"
#include "MemoWriter.h"
#include "MemoryBitmap.h"
#include "TempFolder.h"

namespace {

const char kDayMemoCaption[] = "Daylens 一日メモ";
const char kWeekdays[][3] = {"日", "月", "火", "水", "木", "金", "土"};
const COLORREF kMarkColor = RGB(255, 0, 255);
const int kMarkSquare = 8;
// The default layout of the calendar: see MemoTest.
const int kGridTop = 50;
const int kDayWidth = 20;
const int kDayHeight = 16;
const int kNumberMiddle = 6;
// The mini memo lists the days a second after its window is made, at this timer, and again at this command.
const UINT_PTR kMiniMemoFirstListing = 500;
const int kMiniMemoRebuild = 676;

std::string TextOf(HWND control)
{
    char text[1024] = "";
    DWORD_PTR length = 0;
    SendMessageTimeoutA(control, WM_GETTEXT, sizeof(text), (LPARAM)text, SMTO_BLOCK, 5000, &length);
    return text;
}

// The day-memo window once it is shown, which it is after it has read its memo; null when none came.
HWND FindDayMemo()
{
    HWND dialog = nullptr;
    WaitUntil([&] { return (dialog = FindDaylensWindow("#32770", kDayMemoCaption)) != nullptr && IsWindowVisible(dialog); });
    return dialog && IsWindowVisible(dialog) ? dialog : nullptr;
}

// The program's message box, or null when none came.
HWND FindMessageBox()
{
    HWND box = nullptr;
    WaitUntil([&] { return (box = FindDaylensWindow("#32770", "Daylens")) != nullptr; }, 5000);
    return box;
}

// Answers the program's message box with button; its text, "" when none came.
std::string Answer(int button)
{
    HWND box = FindMessageBox();
    if (!box)
        return "";
    std::string text = TextOf(GetDlgItem(box, 0xFFFF));
    PostMessageA(box, WM_COMMAND, (WPARAM)button, 0);
    WaitUntil([box] { return !IsWindow(box); }, 5000);
    return text;
}

class DayMemoWindowTest : public ProgramTest {
protected:
    void SetUp() override
    {
        ProgramTest::SetUp();
        GetLocalTime(&today_);
        memoDir_ = Folder + "\\Memo";
        ASSERT_TRUE(CreateDirectoryA(memoDir_.c_str(), nullptr));
        PrepareSettings(0);
        WriteSetting("Daylens01", "TransMode", 2);
        WriteSetting("Daylens01", "ShowToolTip", 0);
        WriteSetting("DaylensMemo", "MemoMarkType", kMarkSquare);
        WriteSetting("DaylensMemo", "MemoMarkColor", (int)kMarkColor);
    }

    // Starts the program and opens the day-memo window by the calendar's command.
    HWND Open()
    {
        if (!calendar_) {
            process_ = Start("");
            calendar_ = WaitForShownCalendar();
        }
        if (!calendar_)
            return nullptr;
        PostMessageA(calendar_, WM_COMMAND, IDM_DAY_MEMO, 0);
        return FindDayMemo();
    }
    static HWND EditOf(HWND dialog) { return GetDlgItem(dialog, IDC_DAYMEMO_EDIT_TEXT); }
    // The text as the user would type it: the edit knows it was changed.
    static void Type(HWND dialog, const char* text)
    {
        DWORD_PTR result = 0;
        SendMessageTimeoutA(EditOf(dialog), EM_SETSEL, 0, -1, SMTO_BLOCK, 5000, &result);
        SendMessageTimeoutA(EditOf(dialog), EM_REPLACESEL, TRUE, (LPARAM)text, SMTO_BLOCK, 5000, &result);
    }
    static void Press(HWND dialog, int id)
    {
        PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), (LPARAM)GetDlgItem(dialog, id));
    }
    // Whether the time picker's check box is ticked (a time is set).
    static bool HasTime(HWND dialog)
    {
        HWND box = FindWindowExA(GetDlgItem(dialog, IDC_DAYMEMO_TIME), nullptr, "Button", nullptr);
        DWORD_PTR checked = 0;
        SendMessageTimeoutA(box, BM_GETCHECK, 0, 0, SMTO_BLOCK, 5000, &checked);
        return checked == BST_CHECKED;
    }
    static bool Closes(HWND dialog) { return WaitUntil([dialog] { return !IsWindow(dialog); }, 5000); }

    static std::string Section(const SYSTEMTIME& day)
    {
        char name[16];
        snprintf(name, sizeof(name), "%04d%02d%02d", day.wYear, day.wMonth, day.wDay);
        return name;
    }
    std::string FileOf(const SYSTEMTIME& day, bool monthFile) const
    {
        std::string name = Section(day);
        return memoDir_ + "\\" + (monthFile ? name.substr(0, 6) : name) + ".txt";
    }
    // The day's stored memo line, "" for none.
    std::string StoredMemo(const SYSTEMTIME& day, bool monthFile) const
    {
        char text[256] = "";
        GetPrivateProfileStringA(Section(day).c_str(), "Memo", "", text, sizeof(text),
                                 FileOf(day, monthFile).c_str());
        return text;
    }
    // Pixels of the memo mark's colour in today's cell of the calendar.
    int TodayMarkPixels() const
    {
        int firstWeekday = (today_.wDayOfWeek - (today_.wDay - 1) % 7 + 7) % 7;
        int index = firstWeekday + today_.wDay - 1;
        POINT at = TopLeft(calendar_);
        int left = at.x + (index % 7) * kDayWidth, top = at.y + kGridTop + (index / 7) * kDayHeight;
        HDC screen = GetDC(nullptr);
        int count = 0;
        for (int x = left + 2; x < left + kDayWidth - 2; x++) {
            for (int y = top; y < top + kDayHeight - kNumberMiddle; y++)
                count += GetPixel(screen, x, y) == kMarkColor ? 1 : 0;
        }
        ReleaseDC(nullptr, screen);
        return count;
    }

    SYSTEMTIME today_ = {};
    std::string memoDir_;
    HWND calendar_ = nullptr;
    HANDLE process_ = nullptr;
};

// Command 513 shows today; 保存 writes the day's section as the memo writer does, and the calendar marks the day.
TEST_F(DayMemoWindowTest, SavedMemoIsWrittenAsTheWriterDoesAndMarked)
{
    HWND dialog = Open();
    ASSERT_NE(nullptr, dialog);
    char caption[64];
    snprintf(caption, sizeof(caption), "%04d年%2d月%2d日(%s)", today_.wYear, today_.wMonth, today_.wDay,
             kWeekdays[today_.wDayOfWeek]);
    EXPECT_EQ(caption, TextOf(GetDlgItem(dialog, IDC_MEMO_LABEL_DATE)));
    EXPECT_EQ("", TextOf(EditOf(dialog)));
    EXPECT_EQ(0, TodayMarkPixels());
    // The edit takes no more than the store's line holds.
    DWORD_PTR limit = 0;
    SendMessageTimeoutA(EditOf(dialog), EM_GETLIMITTEXT, 0, 0, SMTO_BLOCK, 5000, &limit);
    EXPECT_EQ(DayMemoTextLimit(), (size_t)limit);

    // The mark button opens the mark dialog on the memo's style; confirmed untouched, the stored lines stay as they
    // were.
    Press(dialog, IDC_DAYMEMO_BTN_MARK);
    HWND mark = nullptr;
    ASSERT_TRUE(WaitUntil([&] { return (mark = FindDaylensWindow("#32770", "Daylens マーク設定")) != nullptr; }, 5000));
    Press(mark, IDOK);
    ASSERT_TRUE(Closes(mark));

    const char text[] = "会議\r\n資料&メモ";
    Type(dialog, text);
    Press(dialog, IDOK);
    ASSERT_TRUE(Closes(dialog));

    // The same memo through the writer into a folder of the test's own.
    TempFolder scratch;
    ASSERT_TRUE(scratch.Create("daymemo"));
    MemoSettings memo = {};
    snprintf(memo.MemoDir, sizeof(memo.MemoDir), "%s", scratch.Dir().c_str());
    DayMemoRecord record = {};
    record.Style.MarkType = kMarkSquare;
    record.Style.MarkColor = kMarkColor;
    record.Style.NoUseStrColor = 1;
    record.Style.ShadowWidth = 1;
    record.Style.ShadowDirection = 4;
    record.Hour = record.Minute = DAY_MEMO_NO_TIME;
    ASSERT_EQ(1, WriteDayMemo(&memo, today_.wYear, today_.wMonth, today_.wDay, text, &record));
    std::string expected = scratch.Path((Section(today_) + ".txt").c_str());
    DWORD expectedSize = 0, writtenSize = 0;
    char* want = ReadWholeFile(expected.c_str(), &expectedSize);
    char* got = ReadWholeFile(FileOf(today_, false).c_str(), &writtenSize);
    ASSERT_NE(nullptr, want);
    ASSERT_NE(nullptr, got);
    EXPECT_EQ(std::string(want, expectedSize), std::string(got, writtenSize));
    HeapFree(GetProcessHeap(), 0, want);
    HeapFree(GetProcessHeap(), 0, got);

    EXPECT_TRUE(WaitUntil([&] { return TodayMarkPixels() > 20; }, 5000)) << TodayMarkPixels();
}

// An emptied memo that was stored is removed when the deletion question is answered はい, with a file a day and a
// file a month alike; stepping to the next day and back keeps each day's memo, and the time picker shows each
// day's time.
TEST_F(DayMemoWindowTest, StepsKeepEachDaysMemoAndAnEmptiedMemoIsRemoved)
{
    for (bool monthFile : {false, true}) {
        SCOPED_TRACE(monthFile ? "month file" : "day file");
        WriteSetting("DaylensMemo", "MemoSaveOneMonth", monthFile ? 1 : 0);
        SYSTEMTIME tomorrow = today_;
        FILETIME time;
        SystemTimeToFileTime(&tomorrow, &time);
        ULARGE_INTEGER value = {{time.dwLowDateTime, time.dwHighDateTime}};
        value.QuadPart += 24ULL * 3600 * 10000000;
        time = {value.LowPart, value.HighPart};
        FileTimeToSystemTime(&time, &tomorrow);

        std::string file = FileOf(today_, monthFile);
        WritePrivateProfileStringA(Section(today_).c_str(), "Time", "07:05", file.c_str());
        WritePrivateProfileStringA(Section(today_).c_str(), "Memo", "朝", file.c_str());
        WritePrivateProfileStringA(nullptr, nullptr, nullptr, file.c_str());

        HWND dialog = Open();
        ASSERT_NE(nullptr, dialog);
        EXPECT_EQ("朝", TextOf(EditOf(dialog)));
        EXPECT_TRUE(HasTime(dialog));
        Type(dialog, "今日");
        Press(dialog, IDC_MEMO_BTN_DAY_NEXT);
        EXPECT_EQ("メモが変更されています\r\n保存しますか？", Answer(IDYES));
        EXPECT_TRUE(WaitUntil([&] { return StoredMemo(today_, monthFile) == "今日"; }, 5000));
        EXPECT_EQ("", TextOf(EditOf(dialog)));
        EXPECT_FALSE(HasTime(dialog));
        Type(dialog, "明日");
        Press(dialog, IDC_MEMO_BTN_DAY_BACK);
        EXPECT_EQ("メモが変更されています\r\n保存しますか？", Answer(IDYES));
        EXPECT_TRUE(WaitUntil([&] { return TextOf(EditOf(dialog)) == "今日"; }, 5000));
        EXPECT_TRUE(HasTime(dialog));
        EXPECT_EQ("明日", StoredMemo(tomorrow, monthFile));

        // Emptied, closing asks to delete; はい removes today's memo and leaves tomorrow's.
        Type(dialog, "");
        Press(dialog, IDCANCEL);
        EXPECT_EQ("メモが削除されています\r\n削除して保存しますか？", Answer(IDYES));
        ASSERT_TRUE(Closes(dialog));
        EXPECT_EQ("", StoredMemo(today_, monthFile));
        EXPECT_EQ("明日", StoredMemo(tomorrow, monthFile));
        if (!monthFile) {
            EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesA(FileOf(today_, false).c_str()));
        }
        EXPECT_TRUE(WaitUntil([&] { return TodayMarkPixels() == 0; }, 5000)) << TodayMarkPixels();

        // The next mode needs a new start.
        PostMessageA(calendar_, WM_CLOSE, 0, 0);
        ASSERT_EQ(WAIT_OBJECT_0, WaitForSingleObject(process_, kTimeoutMs));
        calendar_ = nullptr;
    }
}

// When the memo folder cannot take the day's file the window says so and stays open with the user's text.
TEST_F(DayMemoWindowTest, FailedSaveKeepsTheWindowAndItsText)
{
    // A folder in the place of the day's file: no write can make the file.
    ASSERT_TRUE(CreateDirectoryA(FileOf(today_, false).c_str(), nullptr));
    HWND dialog = Open();
    ASSERT_NE(nullptr, dialog);
    Type(dialog, "残す");
    Press(dialog, IDOK);
    EXPECT_EQ("メモを保存できません", Answer(IDOK));
    EXPECT_TRUE(IsWindow(dialog));
    EXPECT_EQ("残す", TextOf(EditOf(dialog)));

    // Closing still asks; いいえ drops the text.
    Press(dialog, IDCANCEL);
    EXPECT_EQ("メモが変更されています\r\n保存しますか？", Answer(IDNO));
    EXPECT_TRUE(Closes(dialog));
}

// いいえ at the question before a repeat copy drops the change from the window too: it shows the stored memo again,
// so that 保存 never closes the window over text it did not write.
TEST_F(DayMemoWindowTest, AChangeDroppedBeforeARepeatCopyLeavesTheStoredMemoShown)
{
    std::string file = FileOf(today_, false);
    WritePrivateProfileStringA(Section(today_).c_str(), "Memo", "朝", file.c_str());
    WritePrivateProfileStringA(nullptr, nullptr, nullptr, file.c_str());
    HWND dialog = Open();
    ASSERT_NE(nullptr, dialog);
    Type(dialog, "夜");
    Press(dialog, IDM_DAYMEMO_REPEAT);
    EXPECT_EQ("メモが変更されています\r\n保存しますか？", Answer(IDNO));
    HWND repeat = nullptr;
    ASSERT_TRUE(WaitUntil([&] { return (repeat = FindDaylensWindow("#32770", "Daylens 繰り返しメモ")) != nullptr; }, 5000));
    Press(repeat, IDCANCEL);
    ASSERT_TRUE(Closes(repeat));
    EXPECT_EQ("朝", TextOf(EditOf(dialog)));
    Press(dialog, IDOK);
    ASSERT_TRUE(Closes(dialog));
    EXPECT_EQ("朝", StoredMemo(today_, false));
}

}  // namespace

namespace {

// Pixels of a window as the screen shows it, and how many of them differ from an earlier look.
RECT RectOf(HWND window)
{
    RECT rect = {};
    GetWindowRect(window, &rect);
    return rect;
}

struct WindowLook {
    explicit WindowLook(HWND window)
        : rect(RectOf(window)), bitmap(rect.right - rect.left, rect.bottom - rect.top)
    {
        HDC screen = GetDC(nullptr);
        bitmap.CopyFrom(screen, rect.left, rect.top);
        ReleaseDC(nullptr, screen);
    }
    int Differences(const WindowLook& earlier) const
    {
        int count = 0;
        for (int y = 0; y < bitmap.Height() && y < earlier.bitmap.Height(); y++) {
            for (int x = 0; x < bitmap.Width() && x < earlier.bitmap.Width(); x++)
                count += bitmap.Pixel(x, y) != earlier.bitmap.Pixel(x, y) ? 1 : 0;
        }
        return count;
    }
    RECT rect;
    MemoryBitmap bitmap;
};

}  // namespace

// A memo saved in the day-memo window reaches the mini memo, which lists today's memo once it is redrawn.
TEST_F(DayMemoWindowTest, SavedMemoShowsInTheMiniMemo)
{
    WritePrivateProfileStringA("Daylens01", "PlugInOrder00", "DaylensMiniMemo.dll", IniPath.c_str());
    WriteSetting("Daylens01", "PlugInUse00", 1);
    WriteSetting("DaylensMiniMemo", "MiniMemoShow", 1);
    WriteSetting("DaylensMiniMemo", "MiniMemoWindowX", 900);
    WriteSetting("DaylensMiniMemo", "MiniMemoWindowY", 700);
    WriteSetting("DaylensMiniMemo", "MiniMemoWindowWidth", 240);
    WriteSetting("DaylensMiniMemo", "MiniMemoWindowHeight", 160);
    process_ = Start("");
    calendar_ = WaitForShownCalendar();
    ASSERT_NE(nullptr, calendar_);
    HWND miniMemo = nullptr;
    ASSERT_TRUE(WaitUntil([&] {
        miniMemo = FindProcessWindow(process_, "Velmora DaylensMiniMemo", nullptr);
        return miniMemo && IsWindowVisible(miniMemo);
    })) << "the mini memo did not come up";
    // The mini memo lists the days a second after it is made: its timer is handed over now (it then lists the days
    // and never again by itself), and the look is the one it shows again after a further listing (a listing may not
    // have reached the screen when the look is taken).
    DWORD_PTR answer = 0;
    ASSERT_TRUE(SendMessageTimeoutA(miniMemo, WM_TIMER, kMiniMemoFirstListing, 0, SMTO_NORMAL, kTimeoutMs, &answer));
    auto listed = [&] {
        SendMessageTimeoutA(miniMemo, WM_COMMAND, kMiniMemoRebuild, 0, SMTO_NORMAL, kTimeoutMs, &answer);
        return std::unique_ptr<WindowLook>(new WindowLook(miniMemo));
    };
    std::unique_ptr<WindowLook> before = listed();
    ASSERT_TRUE(WaitUntil([&] {
        std::unique_ptr<WindowLook> now = listed();
        bool same = now->Differences(*before) == 0;
        before = std::move(now);
        return same;
    }));

    HWND dialog = Open();
    ASSERT_NE(nullptr, dialog);
    Type(dialog, "ミニメモに出る予定");
    Press(dialog, IDOK);
    ASSERT_TRUE(Closes(dialog));
    EXPECT_TRUE(WaitUntil([&] { return WindowLook(miniMemo).Differences(*before) > 50; }, 5000))
        << "the mini memo did not change";
}

// Commands of the calendar window that answer with a dialog or a message box, and the update that ends the program.
#include <windows.h>
#include <commctrl.h>

#include "DaylensIds.h"
#include "EngineDialogIds.h"
#include "FileUtil.h"
#include "ProgramDriver.h"

#include <fstream>
#include <iterator>
#include <string>

namespace {

// The message box of the process under the program's name, or null.
HWND FindMessageBox()
{
    HWND box = nullptr;
    WaitUntil([&] { return (box = FindDaylensWindow("#32770", "Daylens")) != nullptr; });
    return box;
}

std::string MessageText(HWND box)
{
    char text[256] = "";
    GetDlgItemTextA(box, 0xFFFF, text, sizeof(text));
    return text;
}

std::string ReadText(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// Without the update tool the update commands say so and the program keeps running.
TEST_F(ProgramTest, UpdateCommandsWithoutTheToolSaySoAndKeepRunning)
{
    PrepareSettings(0);
    HANDLE process = Start("");
    HWND window = WaitForShownCalendar();
    ASSERT_NE(nullptr, window);
    for (int command : {IDM_UPDATE, IDM_UPDATE_ALL, IDM_PLUGIN_UPDATE}) {
        SCOPED_TRACE(command);
        PostMessageA(window, WM_COMMAND, (WPARAM)command, 0);
        HWND box = FindMessageBox();
        ASSERT_NE(nullptr, box);
        EXPECT_EQ("LxUpdateがありません", MessageText(box));
        PostMessageA(box, WM_COMMAND, IDOK, 0);
        ASSERT_TRUE(WaitUntil([] { return FindDaylensWindow("#32770", "Daylens") == nullptr; }));
        EXPECT_EQ(WAIT_TIMEOUT, WaitForSingleObject(process, 0));
        EXPECT_TRUE(IsWindow(window));
    }
    PostMessageA(window, WM_CLOSE, 0, 0);
    EXPECT_EQ(WAIT_OBJECT_0, WaitForSingleObject(process, kTimeoutMs));
}

// With the tool in the program folder, the update ends the program, which then hands the tool its command file:
// the program to fetch, the restart after it and the question before it.
TEST_F(ProgramTest, UpdateEndsTheProgramAndHandsTheToolItsCommandFile)
{
    PrepareSettings(0);
    ASSERT_TRUE(CopyFileA(FAKE_UPDATE_TOOL, (Folder + "\\LxUpdate.exe").c_str(), FALSE));
    HANDLE process = Start("");
    HWND window = WaitForShownCalendar();
    ASSERT_NE(nullptr, window);
    PostMessageA(window, WM_COMMAND, IDM_UPDATE, 0);
    ASSERT_EQ(WAIT_OBJECT_0, WaitForSingleObject(process, kTimeoutMs));
    std::string arguments = Folder + "\\LxUpdate-args.txt";
    // The probe writes the folder line last: the file is whole once it is there.
    ASSERT_TRUE(WaitUntil([&] {
        std::string text = ReadText(arguments);
        return text.find("\nfolder=") != std::string::npos && text.back() == '\n';
    }));
    EXPECT_EQ(0u, ReadText(arguments).find(Folder + "\\Daylens.luf\nfolder="));
    EXPECT_EQ("--download \"http://www.velmora.example/sources/Daylens64/Daylens.exe;" + Folder +
                  "\\Daylens.exe\"\n--restart \"" + Folder + "\\Daylens.exe\"\n--confirm\n",
              ReadText(Folder + "\\Daylens.luf"));
}

// Without its language module the program cannot start; it says so and offers the update, which the tool then
// gets when the answer is yes.
TEST_F(ProgramTest, MissingLanguageModuleOffersTheUpdate)
{
    PrepareSettings(0);
    ASSERT_TRUE(DeleteFileA((Folder + "\\Daylens.Jpn.dll").c_str()));
    ASSERT_TRUE(CopyFileA(FAKE_UPDATE_TOOL, (Folder + "\\LxUpdate.exe").c_str(), FALSE));
    HANDLE process = Start("");
    HWND box = FindMessageBox();
    ASSERT_NE(nullptr, box);
    EXPECT_EQ("リソースDLL を開けません．\r\n正しいファイルをダウンロードしてください．", MessageText(box));
    PostMessageA(box, WM_COMMAND, IDOK, 0);
    ASSERT_TRUE(WaitUntil([&] {
        HWND next = FindDaylensWindow("#32770", "Daylens");
        return next && next != box && MessageText(next) == "アップデートのチェックをしますか？";
    }));
    PostMessageA(FindDaylensWindow("#32770", "Daylens"), WM_COMMAND, IDYES, 0);
    ASSERT_EQ(WAIT_OBJECT_0, WaitForSingleObject(process, kTimeoutMs));
    std::string arguments = Folder + "\\LxUpdate-args.txt";
    // The probe writes the folder line last: the file is whole once it is there.
    ASSERT_TRUE(WaitUntil([&] {
        std::string text = ReadText(arguments);
        return text.find("\nfolder=") != std::string::npos && text.back() == '\n';
    }));
    EXPECT_EQ(0u, ReadText(arguments).find(Folder + "\\Daylens.luf\nfolder="));
    EXPECT_EQ(0u, ReadText(Folder + "\\Daylens.luf").find("--download \"http://www.velmora.example/sources/Daylens64/"
                                                           "Daylens.exe;"));
}

const char kMemoSettingsCaption[] = "Daylens メモ設定";

// The memo settings open once however often they are asked for; OK writes the memo section, here its defaults.
TEST_F(ProgramTest, MemoSettingsOpenOnceAndOkSavesTheMemoSection)
{
    PrepareSettings(0);
    HANDLE process = Start("");
    HWND window = WaitForShownCalendar();
    ASSERT_NE(nullptr, window);
    PostMessageA(window, WM_COMMAND, (WPARAM)IDM_MEMO_SETTINGS, 0);
    HWND dialog = nullptr;
    ASSERT_TRUE(WaitUntil([&] {
        return (dialog = FindProcessWindow(process, "#32770", kMemoSettingsCaption)) != nullptr;
    }));
    // A second opening returns at once instead of running a dialog of its own.
    DWORD_PTR result = 0;
    EXPECT_TRUE(SendMessageTimeoutA(window, WM_COMMAND, (WPARAM)IDM_MEMO_SETTINGS, 0, SMTO_NORMAL, 5000, &result));
    EXPECT_EQ(1, CountProcessWindows(process, "#32770", kMemoSettingsCaption));
    EXPECT_EQ(-9999, ReadInt("DaylensMemo", "MemoFontSize"));

    PostMessageA(dialog, WM_COMMAND, IDOK, 0);
    ASSERT_TRUE(WaitUntil([&] { return CountProcessWindows(process, "#32770", kMemoSettingsCaption) == 0; }));
    EXPECT_EQ(12, ReadInt("DaylensMemo", "MemoFontSize"));
    EXPECT_EQ(0x80FF80, ReadInt("DaylensMemo", "MemoMarkColor"));
    EXPECT_EQ(3600, ReadInt("DaylensMemo", "MemoSleepCheckInterval"));
    EXPECT_EQ(99, ReadInt("DaylensMemo", "MemoTomorrowHour"));
    EXPECT_EQ(1, ReadInt("DaylensMemo", "WeekMemoMode"));
    char folder[MAX_PATH] = "";
    GetPrivateProfileStringA("DaylensMemo", "MemoDir", "", folder, sizeof(folder), IniPath.c_str());
    EXPECT_EQ(0, lstrcmpiA((Folder + "\\Memo").c_str(), folder)) << folder;
    EXPECT_EQ(WAIT_TIMEOUT, WaitForSingleObject(process, 0));
}

const char kRepeatListCaption[] = "Daylens 定例メモ";
const char kRepeatDetailCaption[] = "Daylens 定例メモ詳細";

// The dialog once shown: its controls are then filled.
HWND WaitForDialog(const char* caption)
{
    HWND dialog = nullptr;
    WaitUntil([&] { return (dialog = FindDaylensWindow("#32770", caption)) != nullptr && IsWindowVisible(dialog); });
    return dialog;
}

std::string FileBytes(const std::string& path)
{
    DWORD size = 0;
    char* data = ReadWholeFile(path.c_str(), &size);
    std::string bytes = data ? std::string(data, size) : std::string();
    if (data)
        HeapFree(GetProcessHeap(), 0, data);
    return bytes;
}

// Opens the list over window, adds a daily memo of text through the detail dialog and waits until the list shows
// rows rows; the list dialog, or null.
HWND AddDailyMemo(HWND window, const char* text, int rows)
{
    PostMessageA(window, WM_COMMAND, (WPARAM)IDM_REPEAT_MEMO, 0);
    HWND list = WaitForDialog(kRepeatListCaption);
    if (!list)
    {
        ADD_FAILURE() << "no list";
        return nullptr;
    }
    PostMessageA(list, WM_COMMAND, IDC_REPEATMEMO_BTN_ADD, 0);
    HWND detail = WaitForDialog(kRepeatDetailCaption);
    if (!detail)
    {
        ADD_FAILURE() << "no detail";
        return nullptr;
    }
    SetDlgItemTextA(detail, IDC_REPEATDETAIL_EDIT_TEXT, text);
    SendDlgItemMessageA(detail, IDC_REPEATDETAIL_RADIO_DAILY, BM_SETCHECK, BST_CHECKED, 0);
    PostMessageA(detail, WM_COMMAND, IDOK, 0);
    HWND view = GetDlgItem(list, IDC_REPEATMEMO_LIST);
    if (!WaitUntil([&] { return SendMessageA(view, LVM_GETITEMCOUNT, 0, 0) == rows; }))
    {
        ADD_FAILURE() << "rows " << SendMessageA(view, LVM_GETITEMCOUNT, 0, 0);
        return nullptr;
    }
    return list;
}

// The list dialog of command 514: a memo added and cancelled leaves the user's file as it was, byte for byte; added
// and saved, it is written after the memo already there with every key of the file.
TEST_F(ProgramTest, RepeatMemoCommandSavesAnAddedMemoAndCancelKeepsTheFile)
{
    PrepareSettings(0);
    std::string memoDir = Folder + "\\Memo";
    ASSERT_TRUE(CreateDirectoryA(memoDir.c_str(), nullptr));
    std::string path = memoDir + "\\repeat.txt";
    const char kUserFile[] = "; kept by hand\r\n[0000]\r\nUse=1\r\nType=5\r\nMonth=4\r\nDay=1\r\nMemo=創立記念日\r\n";
    ASSERT_TRUE(WriteWholeFile(path.c_str(), kUserFile, sizeof(kUserFile) - 1, nullptr));
    HANDLE process = Start("");
    HWND window = WaitForShownCalendar();
    ASSERT_NE(nullptr, window);

    HWND list = AddDailyMemo(window, "朝会", 2);
    ASSERT_NE(nullptr, list);
    PostMessageA(list, WM_COMMAND, IDCANCEL, 0);
    ASSERT_TRUE(WaitUntil([] { return FindDaylensWindow("#32770", kRepeatListCaption) == nullptr; }));
    EXPECT_EQ(std::string(kUserFile), FileBytes(path));

    list = AddDailyMemo(window, "朝会", 2);
    ASSERT_NE(nullptr, list);
    PostMessageA(list, WM_COMMAND, IDOK, 0);
    ASSERT_TRUE(WaitUntil([] { return FindDaylensWindow("#32770", kRepeatListCaption) == nullptr; }));
    char text[64] = "";
    GetPrivateProfileStringA("0000", "Memo", "", text, sizeof(text), path.c_str());
    EXPECT_STREQ("創立記念日", text);
    EXPECT_EQ(5, (int)GetPrivateProfileIntA("0000", "Type", -1, path.c_str()));
    GetPrivateProfileStringA("0001", "Memo", "", text, sizeof(text), path.c_str());
    EXPECT_STREQ("朝会", text);
    // A new daily memo: in use, no period, no mark, plain text with a shadow down to the right.
    const struct {
        const char* Key;
        int Value;
    } kKeys[] = {{"Use", 1}, {"Type", 1}, {"Month", 0}, {"Day", 0}, {"Week", 0}, {"DayBit", 0}, {"HolidayShift", 0},
                 {"FromYear", 0}, {"FromMonth", 0}, {"FromDay", 0}, {"ToYear", 0}, {"ToMonth", 0}, {"ToDay", 0},
                 {"MarkColor", 0}, {"MarkType", 0}, {"NoUseStrColor", 1}, {"StrColor", 0}, {"ShadowColor", 0},
                 {"ShadowWidth", 1}, {"ShadowDirection", 4}, {"Gradation", 0}};
    for (const auto& key : kKeys)
        EXPECT_EQ(key.Value, (int)GetPrivateProfileIntA("0001", key.Key, -1, path.c_str())) << key.Key;
    EXPECT_FALSE(FindDaylensWindow("#32770", "Daylens")) << "no message box";
    EXPECT_EQ(WAIT_TIMEOUT, WaitForSingleObject(process, 0));
}

}  // namespace

// Unchecking a plug-in in the plug-in information dialog and pressing "設定" starts the program again with that
// slot's use flag 0 in the settings file.
TEST_F(ProgramTest, PlugInDialogSetRestartsWithTheSlotUnused)
{
    PrepareSettings(0);
    WritePrivateProfileStringA("Daylens01", "PlugInOrder00", "DaylensPrint.dll", IniPath.c_str());
    WriteSetting("Daylens01", "PlugInUse00", 1);
    HANDLE process = Start("");
    HWND window = WaitForShownCalendar();
    ASSERT_NE(nullptr, window);
    // Asked again while it has not come: an open dialog refuses a second one.
    HWND dialog = nullptr;
    ASSERT_TRUE(WaitUntil([&] {
        PostMessageA(window, WM_COMMAND, IDM_PLUGIN_INFO, 0);
        for (int i = 0; i < 20 && !dialog; i++) {
            dialog = FindDaylensWindow("#32770", "Daylens プラグイン情報");
            Sleep(100);
        }
        return dialog != nullptr;
    }, 2 * kTimeoutMs));
    HWND view = GetDlgItem(dialog, IDC_PLUGIN_LIST);
    ASSERT_TRUE(WaitUntil([&] { return SendMessageA(view, LVM_GETITEMCOUNT, 0, 0) > 0; }));
    // The list lives in the program's process: the item goes through its memory.
    LVITEMA item = {};
    item.stateMask = LVIS_STATEIMAGEMASK;
    item.state = INDEXTOSTATEIMAGEMASK(1);
    void* remote = VirtualAllocEx(process, nullptr, sizeof(item), MEM_COMMIT, PAGE_READWRITE);
    ASSERT_NE(nullptr, remote);
    ASSERT_TRUE(WriteProcessMemory(process, remote, &item, sizeof(item), nullptr));
    SendMessageA(view, LVM_SETITEMSTATE, 0, (LPARAM)remote);
    VirtualFreeEx(process, remote, 0, MEM_RELEASE);
    PostMessageA(dialog, WM_COMMAND, IDOK, 0);

    ASSERT_EQ(WAIT_OBJECT_0, WaitForSingleObject(process, kTimeoutMs));
    EXPECT_EQ(0, ReadInt("Daylens01", "PlugInUse00"));
    char order[64] = "";
    GetPrivateProfileStringA("Daylens01", "PlugInOrder00", "", order, sizeof(order), IniPath.c_str());
    EXPECT_STREQ("DaylensPrint.dll", order);
    HWND restarted = WaitForShownCalendar();
    ASSERT_NE(nullptr, restarted) << "the program starts again";
    EXPECT_NE(window, restarted);
    PostMessageA(restarted, WM_CLOSE, 0, 0);
    EXPECT_TRUE(WaitUntil([] { return CalendarWindows().empty(); }));
    EXPECT_EQ(0, ReadInt("Daylens01", "PlugInUse00"));
}

// The print plug-in's menu item loads it for the call and opens its dialog (or, without a printer, its notice);
// when that closes, the calendar goes on.
TEST_F(ProgramTest, PrintMenuItemOpensThePrintDialog)
{
    PrepareSettings(0);
    WritePrivateProfileStringA("Daylens01", "PlugInOrder00", "DaylensPrint.dll", IniPath.c_str());
    WriteSetting("Daylens01", "PlugInUse00", 1);
    HANDLE process = Start("");
    HWND window = WaitForShownCalendar();
    ASSERT_NE(nullptr, window);
    int month = SavedShownMonth(window);
    HWND shown = nullptr;
    ASSERT_TRUE(WaitUntil([&] {
        PostMessageA(window, WM_COMMAND, 8001, 0);
        for (int i = 0; i < 10 && !shown; i++) {
            shown = FindDaylensWindow("#32770", "PrintDLL - Daylens");
            if (!shown)
                shown = FindDaylensWindow("#32770", "DaylensPrint");
            Sleep(100);
        }
        return shown != nullptr;
    }));
    // Command 2 answers the notice and closes the dialog alike; without a printer the notice comes up over the
    // dialog, which it holds until it is answered.
    EXPECT_TRUE(WaitUntil([] {
        HWND notice = FindDaylensWindow("#32770", "DaylensPrint");
        HWND dialog = FindDaylensWindow("#32770", "PrintDLL - Daylens");
        if (notice || dialog)
            PostMessageA(notice ? notice : dialog, WM_COMMAND, IDCANCEL, 0);
        return !notice && !dialog;
    }));
    // The calendar goes on: it takes a step asked for after the dialog.
    PostMessageA(window, WM_COMMAND, IDM_MONTH_NEXT, 0);
    EXPECT_TRUE(WaitForShownMonth(window, month + 1));
    EXPECT_EQ(WAIT_TIMEOUT, WaitForSingleObject(process, 0));
    PostMessageA(window, WM_CLOSE, 0, 0);
    EXPECT_EQ(WAIT_OBJECT_0, WaitForSingleObject(process, kTimeoutMs));
}

// The print plug-in as the host uses it: PrintOpen's dialog driven from another thread. Without a printer the
// dialog says so and ends; with a Wine PostScript printer whose port is a file, printing three months through
// the dialog writes a PostScript file of three pages.
#include <gtest/gtest.h>

#include <windows.h>
#include <winspool.h>
#include <commctrl.h>

#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include <atomic>
#include <fstream>
#include <functional>
#include <sstream>
#include <string>
#include <thread>

#include "PrintModule.h"
#include "PrintResource.h"

namespace {

const char kPrinter[] = "Daylens Test PS";
const char kPort[] = "DAYLENSFILE:";
const char kDialogCaption[] = "PrintDLL - Daylens";
const char kBoxCaption[] = "DaylensPrint";

bool WaitFor(const std::function<bool()>& condition, DWORD timeoutMs = 20000)
{
    DWORD start = GetTickCount();
    while (!condition()) {
        if (GetTickCount() - start > timeoutMs)
            return false;
        Sleep(50);
    }
    return true;
}

struct FoundWindow {
    const char* Caption;
    HWND Window;
};

BOOL CALLBACK FindOwnWindow(HWND window, LPARAM param)
{
    FoundWindow* f = (FoundWindow*)param;
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    char text[256] = "";
    GetWindowTextA(window, text, sizeof(text));
    if (process == GetCurrentProcessId() && IsWindowVisible(window) && strcmp(text, f->Caption) == 0) {
        f->Window = window;
        return FALSE;
    }
    return TRUE;
}

HWND TopWindow(const char* caption)
{
    FoundWindow f = {caption, nullptr};
    EnumWindows(FindOwnWindow, (LPARAM)&f);
    return f.Window;
}

// The message of a message box: its static text.
std::string BoxText(HWND box)
{
    char text[512] = "";
    GetDlgItemTextA(box, 0xFFFF, text, sizeof(text));
    return text;
}

struct ChildSearch {
    int Id;
    HWND Found;
};

BOOL CALLBACK FindChild(HWND window, LPARAM param)
{
    ChildSearch* s = (ChildSearch*)param;
    if (GetDlgCtrlID(window) == s->Id) {
        s->Found = window;
        return FALSE;
    }
    return TRUE;
}

HWND Control(HWND dialog, int id)
{
    ChildSearch s = {id, nullptr};
    EnumChildWindows(dialog, FindChild, (LPARAM)&s);
    return s.Found;
}

std::string ReadFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

int CountPages(const std::string& postscript)
{
    int pages = 0;
    for (size_t at = postscript.find("%%Page:"); at != std::string::npos; at = postscript.find("%%Page:", at + 1))
        pages++;
    return pages;
}

class PrintDialogTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        module_ = LoadLibraryA(DAYLENS_DIST_DIR "\\PlugIn\\DaylensPrint.dll");
        ASSERT_NE(nullptr, module_);
        open_ = FindExport(module_, PrintModule::kPrintOpen);
        ASSERT_NE(nullptr, open_);
    }
    void TearDown() override
    {
        if (module_)
            FreeLibrary(module_);
    }

    HMODULE module_ = nullptr;
    PrintModule::PrintOpen open_ = nullptr;
};

// Wine's own PostScript driver with Wine's generic PPD, on a port that Wine's spooler copies into unixPath.
bool InstallFilePrinter(const std::string& folder, const std::string& unixPath)
{
    HMODULE spooler = GetModuleHandleA("winspool.drv");
    HRSRC resource = spooler ? FindResourceA(spooler, MAKEINTRESOURCEA(1), "PPDFILE") : nullptr;
    const char* ppd = resource ? (const char*)LoadResource(spooler, resource) : nullptr;
    if (!ppd)
        return false;
    DWORD size = SizeofResource(spooler, resource);
    const char* end = (const char*)memchr(ppd, 0, size);
    std::string ppdPath = folder + "\\daylens-test.ppd";
    std::ofstream(ppdPath, std::ios::binary).write(ppd, end ? end - ppd : size);

    DRIVER_INFO_3A driver = {};
    driver.cVersion = 3;
    driver.pName = (char*)kPrinter;
    driver.pDriverPath = (char*)"wineps.drv";
    driver.pDataFile = (char*)ppdPath.c_str();
    driver.pConfigFile = (char*)"wineps.drv";
    driver.pDefaultDataType = (char*)"RAW";
    if (!AddPrinterDriverExA(nullptr, 3, (BYTE*)&driver, APD_COPY_NEW_FILES | APD_COPY_FROM_DIRECTORY) &&
        GetLastError() != ERROR_PRINTER_DRIVER_ALREADY_INSTALLED)
        return false;

    HKEY spool = nullptr;
    if (RegCreateKeyA(HKEY_CURRENT_USER, "Software\\Wine\\Printing\\Spooler", &spool) != ERROR_SUCCESS)
        return false;
    RegSetValueExA(spool, kPort, 0, REG_SZ, (const BYTE*)unixPath.c_str(), (DWORD)unixPath.size() + 1);
    RegCloseKey(spool);

    HANDLE old = nullptr;
    if (OpenPrinterA((char*)kPrinter, &old, nullptr)) {
        DeletePrinter(old);
        ClosePrinter(old);
    }
    PRINTER_INFO_2A info = {};
    info.pPrinterName = (char*)kPrinter;
    info.pPortName = (char*)kPort;
    info.pDriverName = (char*)kPrinter;
    // The driver writes PostScript itself, which the plain processor passes on to the port.
    info.pPrintProcessor = (char*)"winprint";
    info.pDatatype = (char*)"RAW";
    info.pParameters = (char*)"";
    HANDLE printer = AddPrinterA(nullptr, 2, (BYTE*)&info);
    if (!printer)
        return false;
    ClosePrinter(printer);
    return SetDefaultPrinterA(kPrinter) != FALSE;
}

// Where the test printer's port writes: build/print-test, as Windows and as Unix see it.
std::string PrintFolder(bool unixPath = false)
{
    const char* build = getenv("DAYLENS_BUILD_DIR");
    std::string folder = std::string(build ? build : "/tmp") + "/print-test";
    if (unixPath)
        return folder;
    folder = "Z:" + folder;
    for (char& c : folder) {
        if (c == '/')
            c = '\\';
    }
    return folder;
}

// The file printer, installed once per run, as the default printer.
bool UseFilePrinter()
{
    static bool installed = false;
    if (!installed) {
        CreateDirectoryA(PrintFolder().c_str(), nullptr);
        installed = InstallFilePrinter(PrintFolder(), PrintFolder(true) + "/calendar.ps");
    }
    return installed && SetDefaultPrinterA(kPrinter);
}

TEST_F(PrintDialogTest, WithoutAPrinterTheDialogSaysSoAndEnds)
{
    char device[1024] = "";
    GetProfileStringA("windows", "device", "", device, sizeof(device));
    WriteProfileStringA("windows", "device", nullptr);
    std::string said;
    std::thread driver([&] {
        HWND box = nullptr;
        if (WaitFor([&] { return (box = TopWindow(kBoxCaption)) != nullptr; })) {
            said = BoxText(box);
            PostMessageA(box, WM_COMMAND, IDOK, 0);
        }
    });
    EXPECT_EQ(1, open_(nullptr, 0, 0));
    driver.join();
    if (device[0])
        WriteProfileStringA("windows", "device", device);
    EXPECT_EQ("プリンタがインストールされていません", said);
    EXPECT_EQ(nullptr, TopWindow(kDialogCaption));
}

// A preview left open goes with the dialog, and asking for the dialog while it is open only brings it forward.
TEST_F(PrintDialogTest, ClosingTheDialogClosesItsPreviewAndASecondOpenReturnsAtOnce)
{
    ASSERT_TRUE(UseFilePrinter());
    bool previewShown = false;
    int secondOpen = 0;
    std::thread driver([&] {
        HWND dialog = nullptr;
        if (!WaitFor([&] { return (dialog = TopWindow(kDialogCaption)) != nullptr; }))
            return;
        secondOpen = open_(nullptr, 0, 0);
        PostMessageA(dialog, WM_COMMAND, PRINT_CMD_PREVIEW, 0);
        previewShown = WaitFor([&] { return TopWindow("") != nullptr; });
        PostMessageA(dialog, WM_COMMAND, PRINT_CMD_CLOSE, 0);
    });
    EXPECT_EQ(1, open_(nullptr, 0, 0));
    driver.join();
    EXPECT_EQ(1, secondOpen);
    EXPECT_TRUE(previewShown);
    EXPECT_EQ(nullptr, TopWindow("")) << "no preview outlives the dialog";
    EXPECT_EQ(nullptr, TopWindow(kDialogCaption));
}

std::string IniPath();
std::string Value(const std::string& ini, const char* key);

// A stored page number naming no page opens the range page; printing in one column leaves no blanks to fill, so
// the fill box and both of its colour boxes go grey.
TEST_F(PrintDialogTest, UnknownStoredPageOpensTheRangeAndTheColumnDisablesTheFillBoxes)
{
    ASSERT_TRUE(UseFilePrinter());
    std::string ini = IniPath();
    ASSERT_TRUE(WritePrivateProfileStringA("DaylensPrint", "SelectedTab", "9", ini.c_str()));
    ASSERT_TRUE(WritePrivateProfileStringA("Daylens01", "FillSpace", "1", ini.c_str()));
    int tab = -1;
    bool rangeShown = false;
    bool enabledBefore[3] = {}, enabledAfter[3] = {true, true, true};
    std::thread driver([&] {
        HWND dialog = nullptr;
        if (!WaitFor([&] { return (dialog = TopWindow(kDialogCaption)) != nullptr; }))
            return;
        tab = (int)SendMessageA(Control(dialog, IDC_PRINT_TAB), TCM_GETCURSEL, 0, 0);
        rangeShown = IsWindowVisible(Control(dialog, IDC_RANGE_COMBO_FROM_YEAR)) != FALSE;
        const int boxes[3] = {IDC_BASIC_CHECK_FILL, IDC_BASIC_CHECK_LIGHT, IDC_BASIC_CHECK_DARK};
        for (int i = 0; i < 3; i++)
            enabledBefore[i] = IsWindowEnabled(Control(dialog, boxes[i])) != FALSE;
        SendMessageA(Control(dialog, IDC_BASIC_CHECK_VERTICAL), BM_CLICK, 0, 0);
        for (int i = 0; i < 3; i++)
            enabledAfter[i] = IsWindowEnabled(Control(dialog, boxes[i])) != FALSE;
        PostMessageA(dialog, WM_COMMAND, PRINT_CMD_CLOSE, 0);
    });
    EXPECT_EQ(1, open_(nullptr, 0, 0));
    driver.join();
    EXPECT_EQ(0, tab);
    EXPECT_TRUE(rangeShown);
    EXPECT_TRUE(enabledBefore[0] && enabledBefore[1] && enabledBefore[2]);
    EXPECT_FALSE(enabledAfter[0] || enabledAfter[1] || enabledAfter[2]);
    EXPECT_EQ("1", Value(ini, "Vertical"));
    DeleteFileA(ini.c_str());
}

// The settings file the plug-in reads beside this test program, as the host's would be.
std::string IniPath()
{
    char path[MAX_PATH] = "";
    GetModuleFileNameA(nullptr, path, sizeof(path));
    char* dot = strrchr(path, '.');
    if (dot)
        *dot = '\0';
    char user[256] = "";
    DWORD size = sizeof(user);
    GetUserNameA(user, &size);
    return std::string(path) + "-" + user + ".ini";
}

std::string Value(const std::string& ini, const char* key)
{
    char text[256] = "";
    GetPrivateProfileStringA("DaylensPrint", key, "(none)", text, sizeof(text), ini.c_str());
    return text;
}

// Closes the box that says there is no printer.
void AnswerNoPrinter(std::string* said)
{
    HWND box = nullptr;
    if (WaitFor([&] { return (box = TopWindow(kBoxCaption)) != nullptr; })) {
        *said = BoxText(box);
        PostMessageA(box, WM_COMMAND, IDOK, 0);
    }
}

// The section is written whole after every use: the version, the window and print keys and the device values only
// within what a DEVMODE takes; the font and spacing keys are read but not written. Without a printer the dialog
// never stood where the user could move it, so its stored position stays.
TEST_F(PrintDialogTest, SectionIsWrittenWithItsOwnKeysAndDeviceValuesInRange)
{
    std::string ini = IniPath();
    DeleteFileA(ini.c_str());
    const char section[] = "Orientation=7\0Color=0\0Duplex=3\0CommentFontSize=14\0MemoFontBold=1\0YMSpace=12\0"
                           "Stray=1\0WindowX=123\0WindowY=45\0";
    ASSERT_TRUE(WritePrivateProfileSectionA("DaylensPrint", section, ini.c_str()));
    char device[1024] = "";
    GetProfileStringA("windows", "device", "", device, sizeof(device));
    WriteProfileStringA("windows", "device", nullptr);
    std::string said;
    std::thread driver(AnswerNoPrinter, &said);
    EXPECT_EQ(1, open_(nullptr, 0, 0));
    driver.join();
    if (device[0])
        WriteProfileStringA("windows", "device", device);
    EXPECT_EQ("1.05.00", Value(ini, "Version"));
    EXPECT_EQ("1", Value(ini, "Orientation"));
    EXPECT_EQ("2", Value(ini, "Color"));
    EXPECT_EQ("3", Value(ini, "Duplex"));
    EXPECT_EQ("(none)", Value(ini, "CommentFontSize"));
    EXPECT_EQ("(none)", Value(ini, "MemoFontBold"));
    EXPECT_EQ("(none)", Value(ini, "YMSpace"));
    EXPECT_EQ("0", Value(ini, "Vertical"));
    EXPECT_EQ("(none)", Value(ini, "Stray"));
    EXPECT_EQ("123", Value(ini, "WindowX"));
    EXPECT_EQ("45", Value(ini, "WindowY"));
    DeleteFileA(ini.c_str());
}

// A stored position off every screen opens the dialog wholly inside the work area of the nearest monitor, where the
// user can reach it, and closing stores that position.
TEST_F(PrintDialogTest, PositionOffEveryScreenOpensTheDialogOnTheNearestWorkArea)
{
    ASSERT_TRUE(UseFilePrinter());
    std::string ini = IniPath();
    ASSERT_TRUE(WritePrivateProfileStringA("DaylensPrint", "WindowX", "-99999", ini.c_str()));
    ASSERT_TRUE(WritePrivateProfileStringA("DaylensPrint", "WindowY", "-99999", ini.c_str()));
    RECT frame = {}, work = {};
    std::thread driver([&] {
        HWND dialog = nullptr;
        if (!WaitFor([&] { return (dialog = TopWindow(kDialogCaption)) != nullptr; }))
            return;
        GetWindowRect(dialog, &frame);
        MONITORINFO info = {};
        info.cbSize = sizeof(info);
        GetMonitorInfoA(MonitorFromRect(&frame, MONITOR_DEFAULTTONEAREST), &info);
        work = info.rcWork;
        PostMessageA(dialog, WM_COMMAND, PRINT_CMD_CLOSE, 0);
    });
    EXPECT_EQ(1, open_(nullptr, 0, 0));
    driver.join();
    RECT inside = {};
    EXPECT_TRUE(IntersectRect(&inside, &frame, &work) && EqualRect(&inside, &frame))
        << frame.left << "," << frame.top << " not inside " << work.left << "," << work.top;
    EXPECT_EQ(std::to_string(frame.left), Value(ini, "WindowX"));
    EXPECT_EQ(std::to_string(frame.top), Value(ini, "WindowY"));
    DeleteFileA(ini.c_str());
}

TEST_F(PrintDialogTest, PrintingThreeMonthsThroughTheDialogWritesThreePages)
{
    ASSERT_TRUE(UseFilePrinter());
    std::string output = PrintFolder() + "\\calendar.ps";
    DeleteFileA(output.c_str());

    std::string said;
    std::atomic<bool> done(false);
    std::thread driver([&] {
        HWND dialog = nullptr;
        if (!WaitFor([&] { return (dialog = TopWindow(kDialogCaption)) != nullptr; }))
            return;
        SendMessageA(Control(dialog, IDC_RANGE_COMBO_FROM_MONTH), CB_SETCURSEL, 0, 0);
        SendMessageA(Control(dialog, IDC_RANGE_COMBO_TO_MONTH), CB_SETCURSEL, 2, 0);
        PostMessageA(dialog, WM_COMMAND, PRINT_CMD_PRINT, 0);
        HWND box = nullptr;
        if (WaitFor([&] { return (box = TopWindow(kBoxCaption)) != nullptr; }, 60000)) {
            said = BoxText(box);
            SendMessageA(box, WM_COMMAND, IDOK, 0);
        }
        WaitFor([&] { return TopWindow(kBoxCaption) == nullptr; });
        PostMessageA(dialog, WM_COMMAND, PRINT_CMD_CLOSE, 0);
        done = true;
    });
    EXPECT_EQ(1, open_(nullptr, 0, 0));
    driver.join();
    EXPECT_TRUE(done);
    EXPECT_EQ("プリンタにデータを送りました", said);
    EXPECT_TRUE(WaitFor([&] { return CountPages(ReadFile(output)) == 3; }));
    EXPECT_EQ(3, CountPages(ReadFile(output)));
}

}  // namespace

// The wallpaper mode from the command line ("walldown", "wallrestore"), and the commands of the outside launcher
// and power plug-in, which do nothing here. The wallpaper values live in the shared Wine prefix: each test puts
// the user's values back.
#include <windows.h>

#include "DaylensIds.h"
#include "ProgramDriver.h"

#include <algorithm>
#include <fstream>
#include <iterator>
#include <string>

namespace {

const COLORREF kHoliday = RGB(255, 0, 255);  // the holiday colour of a fresh settings file
const char kDesktopKey[] = "Control Panel\\Desktop";
const char kColorsKey[] = "Control Panel\\Colors";

// A string value of HKEY_CURRENT_USER; *present false when it is not there.
std::string ReadUserValue(const char* key, const char* name, bool* present = nullptr)
{
    char text[1024] = "";
    DWORD size = sizeof(text) - 1;
    LSTATUS status = RegGetValueA(HKEY_CURRENT_USER, key, name, RRF_RT_REG_SZ, nullptr, text, &size);
    if (present)
        *present = status == ERROR_SUCCESS;
    return status == ERROR_SUCCESS ? text : "";
}

void WriteUserValue(const char* key, const char* name, const std::string& text)
{
    RegSetKeyValueA(HKEY_CURRENT_USER, key, name, REG_SZ, text.c_str(), (DWORD)text.size() + 1);
}

// A 24-bit picture file of one colour.
void WriteSolidBmp(const std::string& path, int width, int height, COLORREF color)
{
    int stride = (width * 3 + 3) & ~3;
    BITMAPFILEHEADER file = {0x4D42, (DWORD)(54 + stride * height), 0, 0, 54};
    BITMAPINFOHEADER info = {sizeof(info), width, height, 1, 24};
    std::string row(stride, '\0');
    for (int x = 0; x < width; x++) {
        row[x * 3] = (char)GetBValue(color);
        row[x * 3 + 1] = (char)GetGValue(color);
        row[x * 3 + 2] = (char)GetRValue(color);
    }
    std::ofstream out(path, std::ios::binary);
    out.write((const char*)&file, sizeof(file));
    out.write((const char*)&info, sizeof(info));
    for (int y = 0; y < height; y++)
        out.write(row.data(), stride);
}

// A 24-bit bottom-up BMP file as the program writes it.
struct Bmp {
    int Width = 0;
    int Height = 0;
    std::string Bytes;

    explicit Bmp(const std::string& path)
    {
        std::ifstream in(path, std::ios::binary);
        Bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
        if (Bytes.size() < 54 || Bytes.compare(0, 2, "BM") != 0 || *(const WORD*)&Bytes[28] != 24)
            return;
        Width = *(const LONG*)&Bytes[18];
        Height = *(const LONG*)&Bytes[22];
        if (Bytes.size() < 54 + (size_t)Stride() * Height)
            Width = Height = 0;
    }
    int Stride() const { return (Width * 3 + 3) & ~3; }
    // (x, y) from the top left.
    COLORREF Pixel(int x, int y) const
    {
        const BYTE* p = (const BYTE*)Bytes.data() + 54 + (size_t)(Height - 1 - y) * Stride() + x * 3;
        return RGB(p[2], p[1], p[0]);
    }
    int Count(COLORREF color, RECT* box) const
    {
        int count = 0;
        *box = RECT{Width, Height, -1, -1};
        for (int y = 0; y < Height; y++)
            for (int x = 0; x < Width; x++)
                if (Pixel(x, y) == color) {
                    count++;
                    box->left = std::min(box->left, (LONG)x);
                    box->top = std::min(box->top, (LONG)y);
                    box->right = std::max(box->right, (LONG)x + 1);
                    box->bottom = std::max(box->bottom, (LONG)y + 1);
                }
        return count;
    }
};

bool SamePath(const std::string& a, const std::string& b)
{
    return lstrcmpiA(a.c_str(), b.c_str()) == 0;
}

class WallpaperTest : public ProgramTest {
protected:
    void SetUp() override
    {
        ProgramTest::SetUp();
        wallpaper_ = ReadUserValue(kDesktopKey, "Wallpaper", &hadWallpaper_);
        background_ = ReadUserValue(kColorsKey, "Background", &hadBackground_);
        Own = Folder + "\\DaylensDesktop.bmp";
        RECT desktop = {};
        GetWindowRect(GetDesktopWindow(), &desktop);
        DesktopWidth = desktop.right - desktop.left;
        DesktopHeight = desktop.bottom - desktop.top;
    }
    void TearDown() override
    {
        ProgramTest::TearDown();
        Restore(kDesktopKey, "Wallpaper", hadWallpaper_, wallpaper_);
        Restore(kColorsKey, "Background", hadBackground_, background_);
    }

    // Runs the program with words; true when it ended by itself within the wait's limit.
    bool RunToEnd(const char* words)
    {
        HANDLE process = Start(words);
        return process && WaitUntil([&] { return WaitForSingleObject(process, 0) == WAIT_OBJECT_0; });
    }

    std::string Remembered()
    {
        char text[1024] = "";
        GetPrivateProfileStringA("Daylens00", "PreWallPaper", "", text, sizeof(text), IniPath.c_str());
        return text;
    }

    std::string Own;
    int DesktopWidth = 0;
    int DesktopHeight = 0;

private:
    static void Restore(const char* key, const char* name, bool had, const std::string& value)
    {
        if (had)
            WriteUserValue(key, name, value);
        else
            RegDeleteKeyValueA(HKEY_CURRENT_USER, key, name);
    }

    std::string wallpaper_;
    std::string background_;
    bool hadWallpaper_ = false;
    bool hadBackground_ = false;
};

// "walldown" draws the calendar with this month's holiday onto the user's wallpaper at the desktop size, sets the
// program's picture as the wallpaper, remembers the user's and ends about a second later.
TEST_F(WallpaperTest, WalldownDrawsTheCalendarOntoTheWallpaper)
{
    PrepareSettings(0);
    SYSTEMTIME today;
    GetLocalTime(&today);
    std::ofstream(Folder + "\\Holiday.txt", std::ios::trunc) << "- " << today.wMonth << " 15 Testday\n";
    std::string user = Folder + "\\user.bmp";
    WriteSolidBmp(user, 64, 48, RGB(200, 0, 0));
    WriteUserValue(kDesktopKey, "Wallpaper", user);

    // About a second, then the exit, which waits for a window manager on a bare X server, and the saves: a wait that
    // never ends shows as a program that has not ended within the limit.
    ASSERT_TRUE(RunToEnd("walldown")) << "the program did not end";
    EXPECT_TRUE(SamePath(Own, ReadUserValue(kDesktopKey, "Wallpaper"))) << ReadUserValue(kDesktopKey, "Wallpaper");
    EXPECT_TRUE(SamePath(user, Remembered())) << Remembered();
    Bmp picture(Own);
    ASSERT_EQ(DesktopWidth, picture.Width);
    ASSERT_EQ(DesktopHeight, picture.Height);
    EXPECT_EQ(RGB(200, 0, 0), picture.Pixel(DesktopWidth - 2, DesktopHeight - 2));
    // The holiday's number, in the holiday colour, lies in the calendar at the window's place (40, 30).
    RECT box = {};
    EXPECT_GT(picture.Count(kHoliday, &box), 5);
    EXPECT_GE(box.left, 40);
    EXPECT_GE(box.top, 30);
    EXPECT_LT(box.right, 40 + 600);
    EXPECT_LT(box.bottom, 30 + 600);
}

// "wallrestore" puts the remembered wallpaper back and composes onto it again: never onto the old calendar picture.
TEST_F(WallpaperTest, WallrestoreComposesAgainOntoTheRememberedWallpaper)
{
    PrepareSettings(0);
    std::string user = Folder + "\\user.bmp";
    WriteSolidBmp(user, 32, 32, RGB(0, 0, 190));
    WriteSolidBmp(Own, 32, 32, RGB(0, 170, 0));
    WriteUserValue(kDesktopKey, "Wallpaper", Own);
    WritePrivateProfileStringA("Daylens00", "PreWallPaper", user.c_str(), IniPath.c_str());

    ASSERT_TRUE(RunToEnd("wallrestore"));
    EXPECT_TRUE(SamePath(Own, ReadUserValue(kDesktopKey, "Wallpaper")));
    EXPECT_TRUE(SamePath(user, Remembered())) << Remembered();
    Bmp picture(Own);
    ASSERT_EQ(DesktopWidth, picture.Width);
    EXPECT_EQ(RGB(0, 0, 190), picture.Pixel(DesktopWidth - 2, DesktopHeight - 2));
}

// Under its own picture with nothing remembered, the program starts from a plain picture in the desktop colour.
TEST_F(WallpaperTest, OwnPictureWithoutRememberedStartsFromTheDesktopColour)
{
    PrepareSettings(0);
    WriteSolidBmp(Own, 32, 32, RGB(0, 170, 0));
    WriteUserValue(kDesktopKey, "Wallpaper", Own);
    WriteUserValue(kColorsKey, "Background", "0 128 128");

    ASSERT_TRUE(RunToEnd("walldown"));
    EXPECT_TRUE(SamePath(Own, ReadUserValue(kDesktopKey, "Wallpaper")));
    EXPECT_EQ("", Remembered());
    Bmp picture(Own);
    ASSERT_EQ(DesktopWidth, picture.Width);
    EXPECT_EQ(RGB(0, 128, 128), picture.Pixel(DesktopWidth - 2, DesktopHeight - 2));
    EXPECT_EQ(RGB(0, 128, 128), picture.Pixel(1, 1));
}

// A wallpaper file that cannot be read leaves the wallpaper setting as it was and writes no picture.
TEST_F(WallpaperTest, UnreadableWallpaperLeavesTheSettingAlone)
{
    PrepareSettings(0);
    std::string broken = Folder + "\\broken.bmp";
    std::ofstream(broken, std::ios::binary) << "BM this is no picture";
    WriteUserValue(kDesktopKey, "Wallpaper", broken);

    ASSERT_TRUE(RunToEnd("walldown"));
    EXPECT_EQ(broken, ReadUserValue(kDesktopKey, "Wallpaper"));
    EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesA(Own.c_str()));
    EXPECT_EQ("", Remembered());
}

// With the wallpaper always drawn, every full redraw puts the user's wallpaper back and composes onto it again.
TEST_F(WallpaperTest, AlwaysDrawnWallpaperFollowsEachRedraw)
{
    PrepareSettings(0);
    WriteSetting("Daylens01", "DrawWallPaper", 1);
    std::string user = Folder + "\\user.bmp";
    WriteSolidBmp(user, 16, 16, RGB(210, 120, 0));
    WriteUserValue(kDesktopKey, "Wallpaper", user);
    HANDLE process = Start("");
    HWND window = WaitForShownCalendar();
    ASSERT_NE(nullptr, window);
    ASSERT_TRUE(WaitUntil([&] { return SamePath(Own, ReadUserValue(kDesktopKey, "Wallpaper")); }));
    for (int redraw = 0; redraw < 2; redraw++) {
        DWORD_PTR result = 0;
        ASSERT_NE(0, SendMessageTimeoutA(window, WM_COMMAND, IDM_REDRAW, 0, SMTO_NORMAL, kTimeoutMs, &result));
    }
    EXPECT_TRUE(SamePath(Own, ReadUserValue(kDesktopKey, "Wallpaper")));
    EXPECT_EQ(WAIT_TIMEOUT, WaitForSingleObject(process, 0));
    PostMessageA(window, WM_CLOSE, 0, 0);
    ASSERT_EQ(WAIT_OBJECT_0, WaitForSingleObject(process, kTimeoutMs));
    EXPECT_TRUE(SamePath(user, Remembered())) << Remembered();
    Bmp picture(Own);
    ASSERT_EQ(DesktopWidth, picture.Width);
    EXPECT_EQ(RGB(210, 120, 0), picture.Pixel(DesktopWidth - 2, DesktopHeight - 2));
}

// The power, launcher-settings and launcher commands reach modules that are not there: nothing happens.
TEST_F(ProgramTest, OutsideModuleCommandsDoNothing)
{
    PrepareSettings(0);
    HANDLE process = Start("");
    HWND window = WaitForShownCalendar();
    ASSERT_NE(nullptr, window);
    for (int command : {IDM_POWER_FIRST, IDM_POWER_LAST, IDM_LAUNCHER_OPEN, IDM_LAUNCHER_SETTINGS, IDM_LAUNCHER_FIRST}) {
        SCOPED_TRACE(command);
        DWORD_PTR result = 0;
        EXPECT_NE(0, SendMessageTimeoutA(window, WM_COMMAND, (WPARAM)command, 0, SMTO_NORMAL, kTimeoutMs, &result));
        EXPECT_EQ(WAIT_TIMEOUT, WaitForSingleObject(process, 0));
        EXPECT_TRUE(IsWindow(window));
    }
    EXPECT_EQ(1u, CalendarWindows().size());
    PostMessageA(window, WM_CLOSE, 0, 0);
    EXPECT_EQ(WAIT_OBJECT_0, WaitForSingleObject(process, kTimeoutMs));
}

}  // namespace

#include "Wallpaper.h"

#include <windows.h>

#include <stdio.h>

#include "AppInfo.h"
#include "CalendarRender.h"
#include "EnvData.h"
#include "FileUtil.h"
#include "HeapUtil.h"
#include "ImgctlModule.h"
#include "Memo.h"
#include "MemorialDays.h"
#include "ModuleBinding.h"
#include "Program.h"
#include "StrUtil.h"
#include "WallpaperRules.h"

namespace {

const int kPathSize = 1024;
const char kDesktopKey[] = "Control Panel\\Desktop";
const char kColorsKey[] = "Control Panel\\Colors";

struct ImageLibrary {
    ImgctlModule::ToDIB ToDIB;
    ImgctlModule::CreateDIB CreateDIB;
    ImgctlModule::MapDIB MapDIB;  // may be missing: the blank picture then stays black
    ImgctlModule::ResizeDIB ResizeDIB;
    ImgctlModule::HeadDIB HeadDIB;
    ImgctlModule::DIBtoDC DIBtoDC;
    ImgctlModule::DCtoDIB DCtoDIB;
    ImgctlModule::DIBtoBMP DIBtoBMP;
    ImgctlModule::DeleteDIB DeleteDIB;
};

bool BindImageLibrary(HMODULE module, ImageLibrary* lib)
{
    lib->ToDIB = FindExport(module, ImgctlModule::kToDIB);
    lib->CreateDIB = FindExport(module, ImgctlModule::kCreateDIB);
    lib->MapDIB = FindExport(module, ImgctlModule::kMapDIB);
    lib->ResizeDIB = FindExport(module, ImgctlModule::kResizeDIB);
    lib->HeadDIB = FindExport(module, ImgctlModule::kHeadDIB);
    lib->DIBtoDC = FindExport(module, ImgctlModule::kDIBtoDC);
    lib->DCtoDIB = FindExport(module, ImgctlModule::kDCtoDIB);
    lib->DIBtoBMP = FindExport(module, ImgctlModule::kDIBtoBMP);
    lib->DeleteDIB = FindExport(module, ImgctlModule::kDeleteDIB);
    return lib->ToDIB && lib->CreateDIB && lib->ResizeDIB && lib->HeadDIB && lib->DIBtoDC && lib->DCtoDIB &&
           lib->DIBtoBMP && lib->DeleteDIB;
}

void OwnPicturePath(char* path, size_t size)
{
    snprintf(path, size, "%s%s", NonNullStr(g_program.Info ? g_program.Info->GetProgramDir() : nullptr),
             kOwnWallpaperName);
}

// A string value of HKEY_CURRENT_USER key into buffer ("" when absent or not a string); 0 when the key does not
// open.
int ReadUserString(const char* keyName, const char* valueName, char* buffer, DWORD size)
{
    buffer[0] = 0;
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, keyName, 0, KEY_READ, &key) != ERROR_SUCCESS)
        return 0;
    DWORD type = 0;
    DWORD length = size - 1;
    if (RegQueryValueExA(key, valueName, nullptr, &type, (BYTE*)buffer, &length) != ERROR_SUCCESS ||
        (type != REG_SZ && type != REG_EXPAND_SZ))
        length = 0;
    buffer[length < size ? length : size - 1] = 0;
    RegCloseKey(key);
    return 1;
}

int SetDeskWallpaper(const char* path)
{
    return SystemParametersInfoA(SPI_SETDESKWALLPAPER, 0, (void*)path, SPIF_UPDATEINIFILE | SPIF_SENDCHANGE) ? 1 : 0;
}

void ForgetRememberedWallpaper(EnvData* env)
{
    if (env->PreWallPaper)
        HeapFree(GetProcessHeap(), 0, env->PreWallPaper);
    env->PreWallPaper = nullptr;
}

// A blank picture of the desktop size, in the desktop colour when it can be read.
HDIB MakeBlankPicture(const ImageLibrary& lib, int width, int height)
{
    BITMAPINFOHEADER header = {};
    header.biSize = sizeof(header);
    header.biWidth = width;
    header.biHeight = height;
    header.biPlanes = 1;
    header.biBitCount = 24;
    HDIB picture = lib.CreateDIB(&header, 0);
    void* bits = nullptr;
    char text[64];
    COLORREF color = 0;
    if (picture && lib.MapDIB && lib.MapDIB(picture, 0, 0, &bits, 0) == 1 && bits &&
        ReadUserString(kColorsKey, "Background", text, sizeof(text)) && ParseDesktopColor(text, &color))
        FillPictureRows((BYTE*)bits, width, height, (width * 3 + 3) & ~3, color);
    return picture;
}

// The picture the calendar is drawn on, already at the desktop size; null when none could be read or made.
HDIB LoadStartPicture(const ImageLibrary& lib, EnvData* env, int width, int height)
{
    char current[kPathSize];
    char own[kPathSize];
    ReadWallpaperPath(current);
    OwnPicturePath(own, sizeof(own));
    HDIB picture = nullptr;
    switch (ChooseWallpaperStart(current, own, env->PreWallPaper && FileExists(env->PreWallPaper),
                                 current[0] && FileExists(current))) {
    case WALLPAPER_START_REMEMBERED: picture = lib.ToDIB(env->PreWallPaper); break;
    case WALLPAPER_START_CURRENT: picture = lib.ToDIB(current); break;
    case WALLPAPER_START_BLANK: picture = MakeBlankPicture(lib, width, height); break;
    }
    if (!picture)
        return nullptr;
    HDIB sized = lib.ResizeDIB(picture, width, height);
    lib.DeleteDIB(picture);
    return sized;
}

// The calendar drawn onto picture at the window's place, written as the program's picture; 1 when written.
int DrawAndWrite(const ImageLibrary& lib, EnvData* env, HDIB picture, const char* own)
{
    BITMAPINFOHEADER header = {};
    if (!lib.HeadDIB(picture, &header) || header.biWidth <= 0 || header.biHeight == 0)
        return 0;
    int width = header.biWidth;
    int height = header.biHeight < 0 ? -header.biHeight : header.biHeight;
    HDC windowDc = GetDC(env->MainWindow);
    HDC memoryDc = windowDc ? CreateCompatibleDC(windowDc) : nullptr;
    HBITMAP bitmap = memoryDc ? CreateCompatibleBitmap(windowDc, width, height) : nullptr;
    DayCell* scratch = (DayCell*)HeapAlloc(GetProcessHeap(), HEAP_ZERO_MEMORY, DAY_CELL_MAX * sizeof(DayCell));
    int written = 0;
    if (bitmap && scratch) {
        HGDIOBJ old = SelectObject(memoryDc, bitmap);
        lib.DIBtoDC(memoryDc, 0, 0, width, height, picture, 0, 0, SRCCOPY);
        // The window's own day cells and tooltips stay as they are.
        DayCellTarget target = {scratch, 0};
        ResourceDllAcquire(1);
        DrawMonthsInto(memoryDc, env->ShownMonth.wYear, env->ShownMonth.wMonth, env, &g_memoSettings,
                       &g_memorialSettings, 1, &target);
        ResourceDllAcquire(0);
        HDIB drawn = lib.DCtoDIB(memoryDc, 0, 0, width, height);
        if (drawn) {
            written = lib.DIBtoBMP(own, drawn);
            lib.DeleteDIB(drawn);
        }
        SelectObject(memoryDc, old);
    }
    if (scratch)
        HeapFree(GetProcessHeap(), 0, scratch);
    if (bitmap)
        DeleteObject(bitmap);
    if (memoryDc)
        DeleteDC(memoryDc);
    if (windowDc)
        ReleaseDC(env->MainWindow, windowDc);
    return written;
}

}  // namespace

int ReadWallpaperPath(char* buffer)
{
    if (!buffer)
        return 0;
    return ReadUserString(kDesktopKey, "Wallpaper", buffer, kPathSize);
}

int SetWallpaperFile(const char* path)
{
    EnvData* env = g_program.Env;
    char current[kPathSize];
    if (!path || !FileExists(path) || !ReadWallpaperPath(current))
        return 0;
    char own[kPathSize];
    OwnPicturePath(own, sizeof(own));
    if (env && RemembersWallpaper(current, path, own)) {
        if (current[0])
            env->PreWallPaper = StrReplaceHeap(env->PreWallPaper, current);
        else
            ForgetRememberedWallpaper(env);
    }
    SetDeskWallpaper(path);
    return 1;
}

int RestoreWallpaper()
{
    EnvData* env = g_program.Env;
    if (!env)
        return 0;
    if (env->PreWallPaper && !FileExists(env->PreWallPaper))
        ForgetRememberedWallpaper(env);
    char current[kPathSize];
    if (!ReadWallpaperPath(current))
        return 0;
    char own[kPathSize];
    OwnPicturePath(own, sizeof(own));
    if (SameWallpaperPath(current, own) && SetDeskWallpaper(NonNullStr(env->PreWallPaper)))
        ForgetRememberedWallpaper(env);
    return 1;
}

int ComposeCalendarWallpaper()
{
    EnvData* env = g_program.Env;
    HMODULE module = ImageDllAcquire(1);
    ImageLibrary lib = {};
    if (env && module && BindImageLibrary(module, &lib)) {
        RECT desktop = {};
        GetWindowRect(GetDesktopWindow(), &desktop);
        int width = desktop.right - desktop.left;
        int height = desktop.bottom - desktop.top;
        HDIB picture = width > 0 && height > 0 ? LoadStartPicture(lib, env, width, height) : nullptr;
        char own[kPathSize];
        OwnPicturePath(own, sizeof(own));
        // A picture that could not be read, made or written leaves the wallpaper as it was.
        int written = picture ? DrawAndWrite(lib, env, picture, own) : 0;
        if (picture)
            lib.DeleteDIB(picture);
        if (written)
            SetWallpaperFile(own);
    }
    if (module)
        ImageDllAcquire(0);
    return 1;
}

// Daylens.exe's entry: runtime, GDI+, start-up, the message loop and shut-down.
#include <windows.h>
#include <gdiplus.h>

#include <locale.h>
#include <mbctype.h>

#include <new>

#include "AppInfo.h"
#include "Program.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR commandLine, int showCommand)
{
    setlocale(LC_ALL, ".932");
    _setmbcp(932);
    Gdiplus::GdiplusStartupInput gdiplusInput;
    ULONG_PTR gdiplusToken = 0;
    bool gdiplus = Gdiplus::GdiplusStartup(&gdiplusToken, &gdiplusInput, nullptr) == Gdiplus::Ok;

    g_program.Instance = instance;
    g_program.Info = new (std::nothrow) AppInfo();
    int exitCode = 0;
    if (g_program.Info && InitApplication(commandLine ? commandLine : "", showCommand))
        exitCode = RunMessageLoop();
    ShutdownApplication();
    if (gdiplus)
        Gdiplus::GdiplusShutdown(gdiplusToken);
    RunUpdateOnExit();
    RestartOnExit();
    delete g_program.Info;
    g_program.Info = nullptr;
    return exitCode;
}

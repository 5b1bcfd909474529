// Daylens.exe's entry: runtime, GDI+, start-up, the message loop and shut-down.
#include <windows.h>

#include <locale.h>
#include <mbctype.h>

#include <new>

#include "AppInfo.h"
#include "BackgroundPictureGdiPlus.h"
#include "Program.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR commandLine, int showCommand)
{
    setlocale(LC_ALL, ".932");
    _setmbcp(932);
    StartGdiPlus();

    g_program.Instance = instance;
    g_program.Info = new (std::nothrow) AppInfo();
    int exitCode = 0;
    if (g_program.Info && InitApplication(commandLine ? commandLine : "", showCommand))
        exitCode = RunMessageLoop();
    ShutdownApplication();
    StopGdiPlus();
    RunUpdateOnExit();
    RestartOnExit();
    delete g_program.Info;
    g_program.Info = nullptr;
    return exitCode;
}

// How long a step of a year takes in the running Daylens.exe until the screen shows the new picture: a 3 x 4 view
// with the colour key of the default transparency against the same view opaque (not layered). Both calendars run
// side by side (as further instances) and take turns, a year forward and back again, round after round:
//   year_step_benchmark.exe <dist folder> [rounds [clicked]]
// With "clicked" each round starts with a click on each calendar's heading, as a user's use of it begins.
// Each calendar runs from its own copy of the dist folder; the pictures of both years are taken after a settled
// step before the measured ones.
#include <windows.h>

#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include <string>
#include <vector>

#include "BenchClock.h"
#include "DaylensIds.h"
#include "ProgramRuns.h"
#include "TempFolder.h"

namespace {

const int kDefaultRounds = 8;
const DWORD kTimeoutMs = 30000;
const DWORD kSettleMs = 500;
const int kTransModeKey = 0;
const int kTransModeOpaque = 3;
// Below the stand-alone tray window that Wine shows without a desktop shell; the colour key lets it through.
const int kCalendarY = 100;

struct Calendar {
    const char* Name;
    int TransMode;
    int X;
    std::string Folder;
    RunningProgram Run;
    ScreenPicture Shown;  // the year it starts with
    ScreenPicture Next;   // a year on
    std::vector<double> Steps;
};

// A user's settings with a 3 x 4 view, of which another instance may start.
void WriteSettings(const Calendar& c)
{
    std::string ini = UserSettingsPath(c.Folder);
    WritePrivateProfileStringA("Daylens00", "Version", "1.20.01", ini.c_str());
    WriteIniInt(ini, "Daylens00", "WindowX", c.X);
    WriteIniInt(ini, "Daylens00", "WindowY", kCalendarY);
    WriteIniInt(ini, "Daylens00", "DoubleStart", 2);
    WriteIniInt(ini, "Daylens01", "DelayedStart", 0);
    WriteIniInt(ini, "Daylens01", "DisplayRows", 3);
    WriteIniInt(ini, "Daylens01", "DisplayLines", 4);
    WriteIniInt(ini, "Daylens01", "TransMode", c.TransMode);
    WritePrivateProfileStringA(nullptr, nullptr, nullptr, ini.c_str());
}

bool Start(Calendar* c, const char* dist)
{
    if (!CopyFolder(dist, c->Folder))
        return false;
    WriteSettings(*c);
    ScreenPicture background;
    if (!CaptureScreen(&background) || !StartProgram(c->Folder + "\\Daylens.exe", c->Folder, &c->Run))
        return false;
    if (!WaitForWindow(&c->Run, DAYLENS_WINDOW_CLASS, kTimeoutMs) ||
        !SettledPicture(c->Run.Window, background, kSettleMs, kTimeoutMs, &c->Shown))
        return false;
    ScreenPicture before;
    CaptureScreen(&before);
    SendMessageA(c->Run.Window, WM_COMMAND, IDM_YEAR_NEXT, 0);
    if (!SettledPicture(c->Run.Window, before, kSettleMs, kTimeoutMs, &c->Next))
        return false;
    SendMessageA(c->Run.Window, WM_COMMAND, IDM_YEAR_BACK, 0);
    return WaitForPicture(c->Shown, Now(), kTimeoutMs) >= 0;
}

// A click on the calendar's heading, as a user gives it before using the calendar: the calendar becomes the active
// window.
void Click(const Calendar& c)
{
    RECT rect = {};
    GetWindowRect(c.Run.Window, &rect);
    SetCursorPos(rect.left + 30, rect.top + 10);
    INPUT input[2] = {};
    input[0].type = input[1].type = INPUT_MOUSE;
    input[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
    input[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
    SendInput(2, input, sizeof(INPUT));
    Sleep(kSettleMs);
    ParkPointer();
}

// One step there and one back, each until the screen shows the picture of its year.
void StepTwice(Calendar* c)
{
    for (bool forward : {true, false}) {
        WaitForTray(kTimeoutMs);
        Sleep(kSettleMs);
        LARGE_INTEGER from = Now();
        PostMessageA(c->Run.Window, WM_COMMAND, forward ? IDM_YEAR_NEXT : IDM_YEAR_BACK, 0);
        c->Steps.push_back(WaitForPicture(forward ? c->Next : c->Shown, from, kTimeoutMs));
    }
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc < 2) {
        printf("usage: year_step_benchmark <dist folder> [rounds]\n");
        return 2;
    }
    int rounds = CountArgument(argc, argv, 2, kDefaultRounds);
    std::string root = FreshTempFolder("daylens-year-step-benchmark");
    ParkPointer();
    Calendar calendars[] = {
        {"colour key (TransMode 0)", kTransModeKey, 20, root + "\\key", {}, {}, {}, {}},
        {"opaque (TransMode 3)", kTransModeOpaque, 640, root + "\\opaque", {}, {}, {}, {}},
    };
    bool started = true;
    for (Calendar& c : calendars)
        if (started && !Start(&c, argv[1])) {
            printf("the calendar %s does not start or step\n", c.Name);
            started = false;
        }
    bool clicked = argc > 3 && strcmp(argv[3], "clicked") == 0;
    if (started) {
        for (int i = 0; i < rounds; i++) {
            if (clicked)
                for (Calendar& c : calendars)
                    Click(c);
            for (Calendar& c : calendars)
                StepTwice(&c);
        }
        printf("a year's step of a 3 x 4 calendar until the screen shows it, %d rounds there and back (ms):\n",
               rounds);
        for (const Calendar& c : calendars)
            PrintTimes(c.Name, c.Steps);
        printf("  colour key against opaque: %.2f of the minimum, %.2f of the median\n",
               Best(calendars[0].Steps) / Best(calendars[1].Steps),
               Median(calendars[0].Steps) / Median(calendars[1].Steps));
    }
    for (Calendar& c : calendars)
        CloseAndWait(&c.Run, kTimeoutMs);
    RemoveFolder(root);
    return started ? 0 : 1;
}
